#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

Command_line read_command_line(const QStringList& arguments, Window_language system_language)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Service tool for a line of KVR27 optical dust detectors, reached through the KVR27 USB "
                       "dongle. Without options it opens its window."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QStringLiteral("The language of the window: pl (Polish) or en (English). Without it the system's locale "
                       "chooses: Polish for a Polish locale, English for any other."),
        QStringLiteral("pl|en"));
    parser.addOption(lang);

    Command_line read;
    read.language = system_language;
    const QString program = QCoreApplication::applicationName();
    if (!parser.parse(arguments)) {
        read.action = Command_line::Action::error;
        read.output = program + QStringLiteral(": ") + parser.errorText() + QStringLiteral("\n");
        return read;
    }
    if (!parser.positionalArguments().isEmpty()) {
        read.action = Command_line::Action::error;
        read.output = program + QStringLiteral(": unexpected argument \"") + parser.positionalArguments().first() +
                      QStringLiteral("\"\n");
        return read;
    }
    if (parser.isSet(help)) {
        read.action = Command_line::Action::help;
        read.output = parser.helpText();
        return read;
    }
    if (parser.isSet(version)) {
        read.action = Command_line::Action::version;
        read.output = program + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return read;
    }
    if (parser.isSet(lang)) {
        const std::optional<Window_language> named = language_named(parser.value(lang));
        if (!named) {
            read.action = Command_line::Action::error;
            read.output = program + QStringLiteral(": --lang takes pl or en, not \"") + parser.value(lang) +
                          QStringLiteral("\"\n");
            return read;
        }
        read.language = *named;
    }
    return read;
}

bool prints_only(const QStringList& arguments)
{
    static const QStringList printing = {QStringLiteral("-h"), QStringLiteral("--help"),
                                         QStringLiteral("-?"), QStringLiteral("--help-all"),
                                         QStringLiteral("-v"), QStringLiteral("--version")};
    for (qsizetype index = 1; index < arguments.size(); ++index)
        if (printing.contains(arguments[index]))
            return true;
    return false;
}
