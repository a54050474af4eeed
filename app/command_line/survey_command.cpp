#include "app/command_line/survey_command.h"

#include "app/command_line/command_line.h"
#include "app/command_line/survey_table.h"
#include "app/detector_band.h"
#include "app/report/local_clock.h"
#include "app/report/report_file.h"
#include "app/report/report_reader.h"
#include "app/survey_workflow.h"
#include "app/tool_version.h"
#include "log/console_echo.h"
#include "platform/parent_console.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int cl_lowest = 1;
constexpr int cl_highest = 16;
constexpr int cl_default = 4;

std::string program_name(const QStringList& arguments)
{
    return arguments.isEmpty() ? std::string("kvr27dust32") : QFileInfo(arguments.first()).fileName().toStdString();
}

std::string native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

// What the options ask of a survey, checked before the line is touched.
struct Survey_request {
    int cl = cl_default;
    QString report_path;
    QString compare_path;
    std::string site;
    std::string technician;
};

bool read_request(const QCommandLineParser& parser, Survey_request& request, std::string& error)
{
    if (!parser.positionalArguments().isEmpty()) {
        error = "nieoczekiwany argument: " + parser.positionalArguments().first().toStdString();
        return false;
    }
    if (!parser.isSet(option_name::survey)) {
        error = "opcje --cl, --report, --site, --technician i --compare działają tylko z --survey";
        return false;
    }
    if (parser.isSet(option_name::cl)) {
        bool number = false;
        request.cl = parser.value(option_name::cl).toInt(&number);
        if (!number || request.cl < cl_lowest || request.cl > cl_highest) {
            error = "--cl przyjmuje liczbę od 1 do 16, a nie \"" + parser.value(option_name::cl).toStdString() + "\"";
            return false;
        }
    }
    request.report_path = parser.value(option_name::report);
    if (parser.isSet(option_name::report) && !report_format_of(request.report_path)) {
        error =
            "--report: nieznany format pliku " + native(request.report_path) + " (rozszerzenie .csv, .json albo .pdf)";
        return false;
    }
    request.compare_path = parser.value(option_name::compare);
    request.site = parser.value(option_name::site).toStdString();
    request.technician = parser.value(option_name::technician).toStdString();
    return true;
}

int run_survey_request(const Survey_request& request, const Console& console)
{
    std::optional<Survey_result> earlier;
    if (!request.compare_path.isEmpty()) {
        Survey_result read;
        Report_details read_details;
        std::string error;
        if (!read_report_file(request.compare_path, read, read_details, error)) {
            console.err("Nie udało się wczytać raportu " + native(request.compare_path) + ": " + error + "\n");
            return exit_code::file_or_usage;
        }
        earlier = read;
    }

    Survey_hooks hooks;
    hooks.show_message = [&console](const std::string& text) { console.err(text + "\n"); };
    const std::optional<Survey_result> result = run_survey(request.cl, survey_time_now(), hooks);
    if (!result)
        return exit_code::line_failed;

    Report_details details{request.site, request.technician, std::nullopt};
    if (earlier)
        details.comparison = compare_surveys(*earlier, *result);
    console.out(survey_table(*result, details.comparison));

    const int survey_code = survey_exit_code(*result);
    if (!request.report_path.isEmpty()) {
        std::string error;
        if (!write_report_file(request.report_path, *result, details, error)) {
            console.err("Nie udało się zapisać raportu do pliku " + native(request.report_path) + ": " + error + "\n");
            return survey_code == exit_code::line_failed ? survey_code : exit_code::file_or_usage;
        }
    }
    return survey_code;
}

void write_all(std::FILE* stream, const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

} // namespace

int survey_exit_code(const Survey_result& result)
{
    if (result.start_run.state != Start_run_outcome::State::passed)
        return exit_code::line_failed;
    for (const KVR27_dust_data& record : result.records) {
        const Band band = band_of(record);
        if (band == Band::needs_cleaning || band == Band::unknown)
            return exit_code::needs_cleaning;
    }
    return exit_code::clean;
}

int run_command_line(const QStringList& arguments, const Console& console)
{
    QCommandLineParser parser;
    build_command_line(parser);
    const std::string name = program_name(arguments);
    if (!parser.parse(arguments)) {
        console.err(name + ": " + parser.errorText().toStdString() + "\n" + "Opcje: " + name + " --help\n");
        return exit_code::file_or_usage;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        console.out(parser.helpText().toStdString());
        return exit_code::clean;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        console.out(name + " " + tool_version + "\n");
        return exit_code::clean;
    }
    Survey_request request;
    std::string error;
    if (!read_request(parser, request, error)) {
        console.err(name + ": " + error + "\n" + "Opcje: " + name + " --help\n");
        return exit_code::file_or_usage;
    }
    return run_survey_request(request, console);
}

int run_command_line_program(int argc, char** argv)
{
    attach_parent_console();
    // Standard output carries the table alone; the transport's steps stay
    // in the diagnostic log.
    set_console_echo(false);
    // No window is made, so no display is needed: the report's fonts come
    // from the offscreen platform, which needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("kvr27dust32"));
    QGuiApplication::setApplicationVersion(QString::fromUtf8(tool_version));
    const Console console{[](const std::string& text) { write_all(stdout, text); },
                          [](const std::string& text) { write_all(stderr, text); }};
    return run_command_line(QCoreApplication::arguments(), console);
}
