#include "command_line/command_line.h"

#include "report/report_file.h"
#include "survey/tool_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
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

    explicit Options(QCommandLineParser& parser) : help(parser.addHelpOption()), version(parser.addVersionOption())
    {
        parser.setApplicationDescription(
            QStringLiteral("Service tool for a line of KVR27 optical dust detectors, reached through the KVR27 USB "
                           "dongle. Without options it opens its window.\n"
                           "Exit codes with --survey: 0 every detector present is clean or medium; 1 at least one "
                           "needs cleaning, is saturated or has a level that cannot be computed; 2 the dongle could "
                           "not be opened or the start run failed; 3 a wrong command line, or a report that could "
                           "not be read or written.\n"
                           "Exit codes with --import: 0 every file was read; 3 a file was refused or the history "
                           "store could not be opened. With --history and --export-history: 0, or 3 when the "
                           "store cannot be read, does not know the site, or the file cannot be written."));
        parser.addOptions(
            {lang, survey, cl, report, site, technician, compare, history_file, history, import, export_history});
        parser.addPositionalArgument(QStringLiteral("SITE"), QStringLiteral("With --history: the site to show."),
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
    QList<const QCommandLineOption*> survey_only() const { return {&cl, &report, &site, &technician, &compare}; }
};

Command_line mistake(const QString& text)
{
    Command_line read;
    read.action = Command_line::Action::error;
    read.output = QCoreApplication::applicationName() + QStringLiteral(": ") + text + QLatin1Char('\n');
    return read;
}

} // namespace

QString default_history_path()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/history.sqlite");
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
                              : parser.isSet(options.export_history) ? 1
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
                      QLatin1Char('\n');
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
    const QList<const QCommandLineOption*> actions = {&options.survey, &options.history, &options.import,
                                                      &options.export_history};
    QStringList chosen;
    for (const QCommandLineOption* option : actions)
        if (parser.isSet(*option))
            chosen << QStringLiteral("--") + option->names().first();
    if (chosen.size() > 1)
        return mistake(chosen.join(QStringLiteral(" and ")) + QStringLiteral(" cannot go together"));
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
    if (parser.isSet(options.history)) {
        for (const QCommandLineOption* option : options.survey_only())
            if (parser.isSet(*option))
                return mistake(QStringLiteral("--") + option->names().first() + QStringLiteral(" needs --survey"));
        read.action = Command_line::Action::history;
        read.history_site = positional.value(0);
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
        parser.isSet(options.survey) || parser.isSet(options.history) || parser.isSet(options.import) ||
        parser.isSet(options.export_history))
        return true;
    for (const QCommandLineOption* option : options.survey_only())
        if (parser.isSet(*option))
            return true;
    return false;
}
