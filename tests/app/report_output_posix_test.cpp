// Where a report or the table cannot go, on a POSIX system: a full disk
// (the file-size limit stands in for it) leaves an earlier report whole and
// says why; a link, a FIFO, a device or a folder at the report's name is
// refused and left as it was; a table that standard output cannot take
// ends the program with 3. An earlier report to compare with is read only
// from a regular file: a FIFO would hold the program until written to.
#include "command_line/command_line.h"
#include "command_line/survey_command.h"
#include "language/language.h"
#include "platform/output_signals.h"
#include "report/report_file.h"
#include "tests/app/demo_survey.h"
#include "tests/support/test_support.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

constexpr const char* earlier_text = "the earlier report\n";

void write_text(const std::filesystem::path& path, const char* text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Files may grow to `bytes` while it lives; a write past that fails with
// EFBIG, as one on a full disk fails with ENOSPC.
class File_size_limit {
public:
    explicit File_size_limit(rlim_t bytes)
    {
        keep_running_when_output_fails();
        ::getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~File_size_limit() { ::setrlimit(RLIMIT_FSIZE, &previous); }
    File_size_limit(const File_size_limit&) = delete;
    File_size_limit& operator=(const File_size_limit&) = delete;

private:
    rlimit previous{};
};

class Report_output : public test_support::Sim_test {
protected:
    Survey_result result = demo_survey();

    std::filesystem::path in_scratch(const char* name) const { return scratch.path() / name; }
};

TEST_F(Report_output, OnAFullDiskEachFormatKeepsTheEarlierReportAndSaysWhy)
{
    for (const char* name : {"survey.csv", "survey.json", "survey.pdf"}) {
        const std::filesystem::path path = in_scratch(name);
        write_text(path, earlier_text);
        std::string error;
        bool written = true;
        {
            const File_size_limit limit(256);
            written = write_report_file(QString::fromStdString(path.string()), result, {}, error);
        }
        EXPECT_FALSE(written) << name;
        EXPECT_NE(error.find("File too large"), std::string::npos) << name << ": " << error;
        EXPECT_EQ(test_support::read_file(path), earlier_text) << name;
        for (const auto& entry : std::filesystem::directory_iterator(scratch.path())) {
            const std::string left = entry.path().filename().string();
            EXPECT_TRUE(left == name || !left.starts_with(name)) << left << " was left behind";
        }
    }
}

TEST_F(Report_output, TheCommandLineGivesThreeWhenTheReportDoesNotFitOnTheDisk)
{
    sim::set_up_demo_line(world);
    const std::filesystem::path path = in_scratch("survey.json");
    write_text(path, earlier_text);
    std::string err;
    const Console console{[](const std::string&) { return std::string(); },
                          [&err](const std::string& text) { err += text; }};
    const Command_line options = read_command_line(
        {"kvr27dust32-sim", "--survey", "--report", QString::fromStdString(path.string())}, Language::polish);
    int code = -1;
    {
        // The diagnostic log does not fit either; the survey goes on without it.
        const File_size_limit limit(256);
        code = run_command_line(options, console);
    }
    EXPECT_EQ(code, 3);
    EXPECT_EQ(test_support::read_file(path), earlier_text);
    EXPECT_NE(err.find("Nie udało się zapisać raportu do pliku"), std::string::npos) << err;
    EXPECT_NE(err.find("File too large"), std::string::npos) << err;
}

// Whatever a link at the report's name points to is left alone, and so is
// a FIFO, a device or a folder of that name.
TEST_F(Report_output, ALinkOrAFileThatIsNoRegularFileIsRefusedAndLeftAsItWas)
{
    const std::filesystem::path target = in_scratch("someone-elses.csv");
    write_text(target, earlier_text);
    std::filesystem::create_symlink(target, in_scratch("link.csv"));
    std::filesystem::create_symlink(in_scratch("nowhere.csv"), in_scratch("dangling.json"));
    ASSERT_EQ(::mkfifo(in_scratch("fifo.csv").c_str(), 0600), 0);
    std::filesystem::create_directory(in_scratch("folder.json"));

    const struct {
        std::filesystem::path path;
        const char* says;
    } cases[] = {
        {in_scratch("link.csv"), "dowiązanie symboliczne"},
        {in_scratch("dangling.json"), "dowiązanie symboliczne"},
        {in_scratch("fifo.csv"), "nie zwykły plik"},
        {in_scratch("folder.json"), "nie zwykły plik"},
    };
    for (const auto& entry : cases) {
        std::string error;
        EXPECT_FALSE(write_report_file(QString::fromStdString(entry.path.string()), result, {}, error)) << entry.path;
        EXPECT_NE(error.find(entry.says), std::string::npos) << entry.path << ": " << error;
    }
    EXPECT_EQ(test_support::read_file(target), earlier_text);
    EXPECT_TRUE(std::filesystem::is_symlink(in_scratch("link.csv")));
    EXPECT_FALSE(std::filesystem::exists(in_scratch("nowhere.csv")));
    EXPECT_TRUE(std::filesystem::is_fifo(in_scratch("fifo.csv")));
    EXPECT_TRUE(std::filesystem::is_directory(in_scratch("folder.json")));
}

// A device node at the report's name stays the device (making one takes
// root, as CI runs).
TEST_F(Report_output, ADeviceAtTheReportsNameIsRefused)
{
    const std::filesystem::path device = in_scratch("null.csv");
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        GTEST_SKIP() << "making a device node needs root";
    std::string error;
    EXPECT_FALSE(write_report_file(QString::fromStdString(device.string()), result, {}, error));
    EXPECT_NE(error.find("nie zwykły plik"), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_character_file(device));
}

// The program itself with its standard output on a full device. A copy of
// the demo program under a name of its own, so that the other tests that
// run it do not hold its one-copy lock.
TEST(Report_output_program, ATableThatStandardOutputCannotTakeGivesThree)
{
    const test_support::Scratch_directory scratch;
    const std::filesystem::path copy = scratch.path() / ("kvr27-full-output-" + std::to_string(::getpid()));
    std::filesystem::copy_file(KVR27_SIM_PROGRAM, copy);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(QString::fromStdString(scratch.path().string()));
    program.setStandardOutputFile(QStringLiteral("/dev/full"));
    program.start(QString::fromStdString(copy.string()),
                  {QStringLiteral("--survey"), QStringLiteral("--lang"), QStringLiteral("en")});
    ASSERT_TRUE(program.waitForFinished(50000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    const QByteArray said = program.readAllStandardError();
    EXPECT_EQ(program.exitCode(), 3) << said.toStdString();
    EXPECT_TRUE(said.contains("No space left on device")) << said.toStdString();
}

// Run as a program, so that a reader stuck on the FIFO shows as a run
// that does not end rather than a test that never does: a FIFO to compare
// with or to import is refused at once, and said why.
TEST(Report_output_program, AFifoToCompareWithOrImportIsRefusedAtOnce)
{
    const test_support::Scratch_directory scratch;
    const std::filesystem::path fifo = scratch.path() / "earlier.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path copy = scratch.path() / ("kvr27-fifo-compare-" + std::to_string(::getpid()));
    std::filesystem::copy_file(KVR27_SIM_PROGRAM, copy);
    const QString fifo_path = QString::fromStdString(fifo.string());
    const QString store = QString::fromStdString((scratch.path() / "historia.sqlite").string());
    const QStringList cases[] = {
        {QStringLiteral("--survey"), QStringLiteral("--compare"), fifo_path},
        {QStringLiteral("--import"), fifo_path, QStringLiteral("--history-file"), store},
    };
    for (const QStringList& arguments : cases) {
        QProcess program;
        program.setWorkingDirectory(QString::fromStdString(scratch.path().string()));
        program.start(QString::fromStdString(copy.string()),
                      QStringList{QStringLiteral("--lang"), QStringLiteral("pl")} + arguments);
        const bool ended = program.waitForFinished(20000);
        if (!ended) {
            program.kill();
            program.waitForFinished();
        }
        ASSERT_TRUE(ended) << "still reading the FIFO after 20 s: " << arguments.join(' ').toStdString();
        const QByteArray said = program.readAllStandardError();
        EXPECT_EQ(program.exitCode(), 3) << said.toStdString();
        EXPECT_TRUE(said.contains("to nie jest zwykły plik")) << said.toStdString();
        if (arguments.contains(QStringLiteral("--compare"))) {
            EXPECT_TRUE(program.readAllStandardOutput().isEmpty()) << "no survey without its comparison";
        }
    }
}

} // namespace
