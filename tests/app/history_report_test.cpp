// The site's history after the survey's page of the PDF: present exactly
// when the report's site has one, with the due list a year past the
// survey's day and a plot of every detector with a trend, over as many
// pages as they need; the window fills it in when it saves a PDF, and so
// does the survey from the command line.
#include "command_line/command_line.h"
#include "command_line/survey_command.h"
#include "history/history_store.h"
#include "history/history_texts.h"
#include "history/survey_id.h"
#include "report/pdf_report.h"
#include "tests/app/window_fixture.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <optional>

namespace {

constexpr std::int64_t day = 86'400;
constexpr std::int64_t first = 20'000 * day; // 2024-10-04

KVR27_dust_data rated(int percent)
{
    KVR27_dust_data record{};
    record.present = true;
    record.u0 = 100;
    record.ur = 1000;
    record.urc = 1000;
    record.u = 100 + 9 * percent;
    record.t1 = 20;
    record.t2 = 20;
    record.compute_contamination();
    return record;
}

// pdftotext's text and pdfinfo's page count; nothing without poppler's
// tools.
std::optional<std::pair<QString, int>> pdf_text_and_pages(const QString& path)
{
    const QString to_text = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString info = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (to_text.isEmpty() || info.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(to_text, {path, QStringLiteral("-")});
    process.waitForFinished(30000);
    const QString text = QString::fromUtf8(process.readAllStandardOutput()).simplified();
    process.start(info, {path});
    process.waitForFinished(30000);
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(QString::fromUtf8(process.readAllStandardOutput()));
    return std::make_pair(text, pages.hasMatch() ? pages.captured(1).toInt() : -1);
}

class History_report : public Window_test {
protected:
    const std::string store_path = (scratch.path() / "historia.sqlite").string();
    Stored_survey last;

    // Five monthly surveys of "Hala B"; `rising` detectors from address 0
    // on rise 5 points a month from their address.
    void fill_store(int rising)
    {
        History_store store;
        ASSERT_FALSE(store.open(store_path));
        for (int month = 0; month < 5; ++month) {
            last.id = new_survey_id();
            last.site = "Hala B";
            last.result.when = {first + month * 30 * day, 60};
            last.result.tool_version = "4.0";
            for (int address = 0; address < surveyed_addresses; ++address)
                last.result.records[static_cast<std::size_t>(address)] =
                    address < rising ? rated(address + 5 * month) : absent_record();
            ASSERT_FALSE(store.add(last));
        }
    }

    std::optional<std::pair<QString, int>> written(const Report_details& details)
    {
        const QString path = QString::fromStdString((scratch.path() / "raport.pdf").string());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(write_pdf_report(file, last.result, details));
        file.close();
        return pdf_text_and_pages(path);
    }
};

TEST_F(History_report, FollowsTheSurveysPageWithTheDueListAndAPlotOfEachDetectorWithATrend)
{
    fill_store(surveyed_addresses);
    Report_details details;
    details.site = "Hala B";
    const auto alone = written(details);
    if (!alone)
        GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
    EXPECT_EQ(alone->second, 1);
    EXPECT_FALSE(alone->first.contains(QStringLiteral("Historia obiektu")));

    History_store store;
    ASSERT_FALSE(store.open(store_path));
    details.history = site_history(store, "Hala B");
    const auto [text, pages] = *written(details);
    EXPECT_GE(pages, 1 + 3) << "32 plots need pages of their own";
    EXPECT_TRUE(text.contains(QString::fromUtf8("Historia obiektu Hala B")));
    const std::string due_day = trend_date_text(day_of(last.result.when.utc_seconds) + 365);
    EXPECT_TRUE(text.contains(QString::fromUtf8("Do czyszczenia przed " + due_day))) << due_day;
    for (const int address : {0, 17, 31})
        EXPECT_TRUE(text.contains(QStringLiteral("linia 1, adres %1").arg(address))) << address;
}

TEST_F(History_report, IsAddedByTheWindowToAPdfOfASiteItKnows)
{
    fill_store(2);
    form.history_path = QString::fromStdString(store_path);
    plug_dongle();
    add_detector(4).words(100, 1000, 1000, 793, 21, 22);
    const QString path = QString::fromStdString((scratch.path() / "okno.pdf").string());
    form.save_file_dialog = [&](const QString&) { return path; };

    const struct {
        const char* site;
        int pages;
    } cases[] = {{"", 1}, {"Hala B", 2}};
    for (const auto& row : cases) {
        control<QLineEdit>("Edit_site")->setText(QString::fromUtf8(row.site));
        click("Button2");
        click("Button_save_report");
        ASSERT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
        const auto pdf = pdf_text_and_pages(path);
        if (!pdf)
            GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
        EXPECT_EQ(pdf->second, row.pages) << row.site;
        EXPECT_EQ(pdf->first.contains(QStringLiteral("linia 1, adres 1")), row.pages == 2) << row.site;
    }
}

TEST_F(History_report, IsAddedByTheCommandLineToAPdfOfASiteItKnows)
{
    fill_store(2);
    sim::set_up_demo_line(world);
    const QString path = QString::fromStdString((scratch.path() / "wiersz.pdf").string());
    const struct {
        const char* site;
        bool history;
    } cases[] = {{"", false}, {"Hala B", true}};
    for (const auto& row : cases) {
        std::string err;
        const Console console{[](const std::string&) { return std::string(); },
                              [&err](const std::string& text) { err += text; }};
        const QStringList arguments{
            "kvr27dust32-sim", "--survey", "--site",         QString::fromUtf8(row.site),
            "--report",        path,       "--history-file", QString::fromStdString(store_path)};
        run_command_line(read_command_line(arguments, Language::polish), console);
        ASSERT_EQ(err, "") << row.site;
        const auto pdf = pdf_text_and_pages(path);
        if (!pdf)
            GTEST_SKIP() << "pdftotext and pdfinfo (poppler-utils) are not installed";
        EXPECT_EQ(pdf->second > 1, row.history) << row.site << ": " << pdf->second << " pages";
        EXPECT_EQ(pdf->first.contains(QStringLiteral("Historia obiektu Hala B")), row.history) << row.site;
        EXPECT_EQ(pdf->first.contains(QStringLiteral("linia 1, adres 1")), row.history) << row.site;
    }
}

} // namespace
