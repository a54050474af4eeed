// Reports and history files into the history store: the reports this tool
// wrote (CSV, JSON) each as a survey under its site, line and identifier,
// and a site's history file (report/history_file.h) with everything it
// holds. Everything is added by its identifier, so importing a file again
// adds nothing. The command line and the window both import through here.
#pragma once

#include "history/history_store.h"
#include "survey/survey_result.h"
#include "survey/translatable.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

struct Refused_file {
    QString path;
    std::string reason;
};

struct Import_tally {
    int files_read = 0;
    int surveys_added = 0;
    int surveys_known = 0; // in the store already
    std::vector<Refused_file> refused;
};

// Called after each file: how many of how many are done.
using Import_progress = std::function<void(int done, int total)>;

// The files `paths` name: a file as it is, a folder as its *.csv and
// *.json files (not those of its subfolders), by name. A path that is
// neither is refused.
QStringList files_to_import(const QStringList& paths, std::vector<Refused_file>& refused, Translate words = as_written);

// The identifier of a survey whose report has none (written before reports
// carried one): the same for the same survey from any of its reports.
std::string derived_survey_id(const std::string& site, const Survey_result& result);

// Imports `files` into the open `store` in their order; a file that cannot
// be read, or whose content the store would not take, is refused with its
// reason and the rest go on.
Import_tally import_into_history(History_store& store, const QStringList& files, const Import_progress& progress = {},
                                 Translate words = as_written);
