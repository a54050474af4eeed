#include "command_line/command_line.h"

#include "diagnostics/tool_settings.h"
#include "report/report_file.h"
#include "survey/tool_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QStandardPaths>

namespace {

constexpr int cl_lowest = 1;
constexpr int cl_highest = 16;

// Every option of the tool.
struct Options {
    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption lang{QStringLiteral("lang"),
                            QStringLiteral("The language of the window and of its messages: pl (Polish) or en "
                                           "(English). Without it the system's locale chooses: Polish for a Polish "
                                           "locale, English for any other."),
                            QStringLiteral("pl|en")};
    QCommandLineOption survey{QStringLiteral("survey"),
                              QStringLiteral("Survey the line (the start run, then addresses 0 to 31) without the "
                                             "window: a table on standard output, the messages on standard error.")};
    QCommandLineOption cl{QStringLiteral("cl"),
                          QStringLiteral("With --survey: the CL parameter of every detector request, 1 to 16 (4 when "
                                         "not given)."),
                          QStringLiteral("N")};
    QCommandLineOption report{QStringLiteral("report"),
                              QStringLiteral("With --survey: also write the survey's report to FILE, as its "
                                             "extension says: .csv, .json or .pdf."),
                              QStringLiteral("FILE")};
    QCommandLineOption site{QStringLiteral("site"), QStringLiteral("With --survey: the site named in the report."),
                            QStringLiteral("TEXT")};
    QCommandLineOption line{QStringLiteral("line"),
                            QStringLiteral("With --survey: the line of the site the survey belongs to, stored with "
                                           "it in the history and named in the report (\"linia 1\" when not "
                                           "given)."),
                            QStringLiteral("NAME")};
    QCommandLineOption technician{QStringLiteral("technician"),
                                  QStringLiteral("With --survey: the technician named in the report."),
                                  QStringLiteral("TEXT")};
    QCommandLineOption compare{QStringLiteral("compare"),
                               QStringLiteral("With --survey: compare with an earlier report of this tool (.json or "
                                              ".csv): the earlier level, the change and, for a rising level, the "
                                              "date it reaches 61%."),
                               QStringLiteral("FILE")};

    QCommandLineOption history_file{QStringLiteral("history-file"),
                                    QStringLiteral("The history store every survey is added to (an SQLite file; "
                                                   "history.sqlite in the user's local data folder when not given)."),
                                    QStringLiteral("FILE")};

    QCommandLineOption history{QStringLiteral("history"),
                               QStringLiteral("Print the sites of the history store; with a SITE, its detectors: the "
                                              "last level, the rate and the date each reaches 61% with its 95% "
                                              "interval.")};

    QCommandLineOption due_before{QStringLiteral("due-before"),
                                  QStringLiteral("Print the detectors of the history store due for cleaning before "
                                                 "DATE (YYYY-MM-DD): those that need it already, those whose "
                                                 "forecast falls before it, and those whose 95% interval begins "
                                                 "before it; with a SITE, of that site alone. Exit code 0 when none "
                                                 "is due, 1 when some are."),
                                  QStringLiteral("DATE")};

    QCommandLineOption demo_site{QStringLiteral("demo-site"),
                                 QStringLiteral("First add a demo site (\"Obiekt demonstracyjny\", a year of monthly "
                                                "surveys of the demo line) to the history store, so that the history "
                                                "can be tried without a line; it is added once.")};

    QCommandLineOption set_aside{QStringLiteral("set-aside-damaged-history"),
                                 QStringLiteral("When the history store is damaged, first move it aside (as "
                                                "FILE.damaged-YYYYMMDD-HHMMSS, kept) and start a fresh one. A store "
                                                "that is not damaged is left as it is.")};

    QCommandLineOption import{QStringLiteral("import"),
                              QStringLiteral("Add to the history store (--history-file) every report of this tool "
                                             "(.csv, .json) and every history file (--export-history) the PATHs "
                                             "name; a folder gives its .csv and .json files, not those of its "
                                             "subfolders. What the store holds already is not added again; a file "
                                             "that cannot be taken is named with its reason and the rest go on.")};
    QCommandLineOption export_history{QStringLiteral("export-history"),
                                      QStringLiteral("Write the whole history of SITE (every survey, location, "
                                                     "action and placement the history store holds of it) to FILE "
                                                     "as JSON, which --import reads back."),
                                      QStringLiteral("SITE")};

    QCommandLineOption place_survey{QStringLiteral("place-survey"),
                                    QStringLiteral("Give the stored survey ID (one stored without a site, as "
                                                   "--history lists them) the SITE that follows, on the line --line "
                                                   "names (linia 1 when not given). The survey itself is kept as it "
                                                   "was stored."),
                                    QStringLiteral("ID")};

    QCommandLineOption diagnostics{QStringLiteral("diagnostics"),
                                   QStringLiteral("Write one plain-text file for support to FILE: the tool's version "
                                                  "and build, the system and Qt, the language, the HID devices the "
                                                  "system lists and whether they open, the dongle's permission rule, "
                                                  "the settings (nothing secret), the history store, and the last "
                                                  "2000 lines of the diagnostic log. No device is read."),
                                   QStringLiteral("FILE")};

    explicit Options(QCommandLineParser& parser) : help(parser.addHelpOption()), version(parser.addVersionOption())
    {
        parser.setApplicationDescription(
            QStringLiteral("Service tool for a line of KVR27 optical dust detectors, reached through the KVR27 USB "
                           "dongle. Without options it opens its window.\n"
                           "Exit codes with --survey: 0 every detector present is clean or medium; 1 at least one "
                           "needs cleaning, is saturated or has a level that cannot be computed; 2 the dongle could "
                           "not be opened, the start run failed, the dongle or the channel failed during the survey, "
                           "or another copy of the program is running; 3 a wrong command line, or a report that "
                           "could not be read or written.\n"
                           "The window exits with 0 when closed, 2 when another copy of the program is running, 3 "
                           "when no display answers.\n"
                           "Exit codes with --due-before: 0 no detector is due, 1 some are; 3 a wrong command line, "
                           "a history store that cannot be read or a site it does not know.\n"
                           "Exit codes with --import: 0 every file was read; 3 a file was refused or the history "
                           "store could not be opened. With --history and --export-history: 0, or 3 when the "
                           "store cannot be read, does not know the site, or the file cannot be written.\n"
                           "Exit codes with --diagnostics: 0 the file was written; 3 a wrong command line or a file "
                           "that could not be written."));
        parser.addOptions({lang, survey, cl, report, site, line, technician, compare, history_file, history, due_before,
                           demo_site, set_aside, place_survey, import, export_history, diagnostics});
        parser.addPositionalArgument(QStringLiteral("SITE"),
                                     QStringLiteral("With --history or --due-before: the site to show; with "
                                                    "--place-survey: the site to give."),
                                     QStringLiteral("[SITE]"));
        parser.addPositionalArgument(QStringLiteral("PATH"),
                                     QStringLiteral("With --import: the reports, history files and folders to add, "
                                                    "one or more."),
                                     QStringLiteral("[PATH...]"));
        parser.addPositionalArgument(QStringLiteral("FILE"),
                                     QStringLiteral("With --export-history: the JSON file to write."),
                                     QStringLiteral("[FILE]"));
    }

    // The options that only a survey takes.
    QList<const QCommandLineOption*> survey_only() const { return {&cl, &report, &site, &line, &technician, &compare}; }
};

Command_line mistake(const QString& text)
{
    Command_line read;
    read.action = Command_line::Action::error;
    read.output = QCoreApplication::applicationName() + QStringLiteral(": ") + text + QLatin1Char('\n');
    return read;
}

} // namespace

namespace {

// The demo program's history is a store of its own, under a setting of
// its own: its surveys never reach the real detectors' history.
QString history_file_key()
{
    return on_simulated_line() ? QStringLiteral("history/demo-file") : QStringLiteral("history/file");
}

} // namespace

QString default_history_path()
{
    const QString chosen = tool_settings().value(history_file_key()).toString();
    if (!chosen.isEmpty())
        return chosen;
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           (on_simulated_line() ? QStringLiteral("/history-demo.sqlite") : QStringLiteral("/history.sqlite"));
}

void remember_history_path(const QString& path)
{
    QSettings settings = tool_settings();
    if (path.isEmpty())
        settings.remove(history_file_key());
    else
        settings.setValue(history_file_key(), path);
}

Command_line read_command_line(const QStringList& arguments, Language system_language)
{
    QCommandLineParser parser;
    const Options options(parser);
    if (!parser.parse(arguments))
        return mistake(parser.errorText());
    const QStringList positional = parser.positionalArguments();
    // How many positional arguments each action takes at most.
    const qsizetype allowed = parser.isSet(options.import)           ? positional.size()
                              : parser.isSet(options.history)        ? 1
                              : parser.isSet(options.due_before)     ? 1
                              : parser.isSet(options.export_history) ? 1
                              : parser.isSet(options.place_survey)   ? 1
                                                                     : 0;
    if (positional.size() > allowed)
        return mistake(QStringLiteral("unexpected argument \"") + positional.value(allowed) + QLatin1Char('"'));
    Command_line read;
    read.language = system_language;
    if (parser.isSet(options.help) || parser.isSet(QStringLiteral("help-all"))) {
        read.action = Command_line::Action::help;
        read.output = parser.helpText();
        return read;
    }
    if (parser.isSet(options.version)) {
        read.action = Command_line::Action::version;
        read.output = QCoreApplication::applicationName() + QLatin1Char(' ') + QString::fromUtf8(tool_version) +
                      (on_simulated_line() ? QStringLiteral(" (simulated line)") : QString()) + QLatin1Char('\n');
        return read;
    }
    if (parser.isSet(options.lang)) {
        const std::optional<Language> named = language_named(parser.value(options.lang));
        if (!named)
            return mistake(QStringLiteral("--lang takes pl or en, not \"") + parser.value(options.lang) +
                           QLatin1Char('"'));
        read.language = *named;
    }
    read.history_path =
        parser.isSet(options.history_file) ? parser.value(options.history_file) : default_history_path();
    if (read.history_path.isEmpty())
        return mistake(QStringLiteral("--history-file needs the name of a file"));
    read.fill_demo_site = parser.isSet(options.demo_site);
    read.set_aside_damaged_history = parser.isSet(options.set_aside);
    const QList<const QCommandLineOption*> actions = {
        &options.survey,         &options.history,      &options.due_before, &options.import,
        &options.export_history, &options.place_survey, &options.diagnostics};
    QStringList chosen;
    for (const QCommandLineOption* option : actions)
        if (parser.isSet(*option))
            chosen << QStringLiteral("--") + option->names().first();
    if (chosen.size() > 1)
        return mistake(chosen.join(QStringLiteral(" and ")) + QStringLiteral(" cannot go together"));
    if (parser.isSet(options.diagnostics)) {
        for (const QCommandLineOption* option : options.survey_only())
            if (parser.isSet(*option))
                return mistake(QStringLiteral("--") + option->names().first() + QStringLiteral(" needs --survey"));
        read.diagnostics_path = parser.value(options.diagnostics);
        if (read.diagnostics_path.isEmpty())
            return mistake(QStringLiteral("--diagnostics needs the name of a file"));
        read.action = Command_line::Action::diagnostics;
        return read;
    }
    if (parser.isSet(options.place_survey)) {
        for (const QCommandLineOption* option : options.survey_only())
            if (option != &options.line && parser.isSet(*option))
                return mistake(QStringLiteral("--") + option->names().first() + QStringLiteral(" needs --survey"));
        if (positional.size() != 1 || positional.first().trimmed().isEmpty())
            return mistake(QStringLiteral("--place-survey needs the survey's identifier and a site"));
        read.action = Command_line::Action::place_survey;
        read.place_survey_id = parser.value(options.place_survey).trimmed().toLower();
        read.history_site = positional.first().trimmed();
        read.survey.line = parser.value(options.line).trimmed();
        return read;
    }
    if (parser.isSet(options.import) || parser.isSet(options.export_history)) {
        for (const QCommandLineOption* option : options.survey_only())
            if (parser.isSet(*option))
                return mistake(QStringLiteral("--") + option->names().first() + QStringLiteral(" needs --survey"));
        if (parser.isSet(options.import)) {
            if (positional.isEmpty())
                return mistake(QStringLiteral("--import needs one or more files or folders"));
            read.action = Command_line::Action::import_files;
            read.import_paths = positional;
            return read;
        }
        if (positional.size() != 1 || positional.first().isEmpty())
            return mistake(QStringLiteral("--export-history needs a site and the file to write"));
        read.action = Command_line::Action::export_history;
        read.history_site = parser.value(options.export_history);
        read.export_path = positional.first();
        return read;
    }
    if (parser.isSet(options.history) || parser.isSet(options.due_before)) {
        for (const QCommandLineOption* option : options.survey_only())
            if (parser.isSet(*option))
                return mistake(QStringLiteral("--") + option->names().first() + QStringLiteral(" needs --survey"));
        read.history_site = positional.value(0);
        if (parser.isSet(options.history)) {
            read.action = Command_line::Action::history;
            return read;
        }
        const QDate due = QDate::fromString(parser.value(options.due_before), Qt::ISODate);
        if (!due.isValid())
            return mistake(QStringLiteral("--due-before takes a date, YYYY-MM-DD, not \"") +
                           parser.value(options.due_before) + QLatin1Char('"'));
        read.action = Command_line::Action::due;
        read.due_before_day = QDate(1970, 1, 1).daysTo(due);
        return read;
    }
    if (!parser.isSet(options.survey)) {
        for (const QCommandLineOption* option : options.survey_only())
            if (parser.isSet(*option))
                return mistake(QStringLiteral("--") + option->names().first() + QStringLiteral(" needs --survey"));
        return read;
    }

    read.action = Command_line::Action::survey;
    if (parser.isSet(options.cl)) {
        bool number = false;
        read.survey.cl = parser.value(options.cl).toInt(&number);
        if (!number || read.survey.cl < cl_lowest || read.survey.cl > cl_highest)
            return mistake(QStringLiteral("--cl takes a number from 1 to 16, not \"") + parser.value(options.cl) +
                           QLatin1Char('"'));
    }
    read.survey.report_path = parser.value(options.report);
    if (parser.isSet(options.report) && !report_format_of(read.survey.report_path))
        return mistake(QStringLiteral("--report: \"") + read.survey.report_path +
                       QStringLiteral("\" must end in .csv, .json or .pdf"));
    read.survey.compare_path = parser.value(options.compare);
    read.survey.site = parser.value(options.site);
    read.survey.line = parser.value(options.line).trimmed();
    read.survey.technician = parser.value(options.technician);
    read.survey.history_path = read.history_path;
    return read;
}

bool runs_without_window(const QStringList& arguments)
{
    // Read before any application exists, to choose one: the toolkit's own
    // options (-platform, -style) are still among the arguments here, so a
    // mistake alone does not decide.
    QCommandLineParser parser;
    const Options options(parser);
    parser.parse(arguments);
    if (parser.isSet(options.help) || parser.isSet(QStringLiteral("help-all")) || parser.isSet(options.version) ||
        parser.isSet(options.survey) || parser.isSet(options.history) || parser.isSet(options.due_before) ||
        parser.isSet(options.import) || parser.isSet(options.export_history) || parser.isSet(options.place_survey) ||
        parser.isSet(options.diagnostics))
        return true;
    for (const QCommandLineOption* option : options.survey_only())
        if (parser.isSet(*option))
            return true;
    return false;
}
