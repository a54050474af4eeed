// The survey history's figures, each against its limit, as ratios or
// times measured in one run on this machine's disk:
//  - storing a survey against writing its JSON report to a file (≤ 1);
//  - importing 1 000 reports against reading them alone (≤ 1.5);
//  - in a store of 100 sites × 40 surveys × 32 detectors: a site's history
//    read and reckoned (≤ 50 ms), the trends and forecasts of one line's 32
//    detectors (≤ 5 ms), and the store's size (≤ 30 MB).
//   kvr27_history_bench [runs]
#include "bench/large_store.h"
#include "history/history_store.h"
#include "history/site_history.h"
#include "history/survey_id.h"
#include "report/history_import.h"
#include "report/report_file.h"
#include "report/report_reader.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int sites = 100;
constexpr int surveys_per_site = 40;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Median milliseconds of `runs` calls of `work`.
double timed_ms(int runs, const std::function<void(int)>& work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const Clock::time_point start = Clock::now();
        work(run);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return median(times);
}

bool report(const char* figure, double value, const char* unit, double limit)
{
    const bool within = value <= limit;
    std::printf("%-58s %10.3f %-3s limit %-8g %s\n", figure, value, unit, limit, within ? "within" : "OVER");
    return within;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() /
                                          ("kvr27-history-bench-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(scratch);
    std::uint32_t scatter = 7;
    bool all_within = true;

    // Storing a survey against writing its report: each in a store or a
    // file of its own, so neither gains from the other's cache.
    {
        History_store store;
        if (Store_problem problem = store.open((scratch / "one.sqlite").string())) {
            std::fprintf(stderr, "cannot open the store: %s\n", problem.reason.c_str());
            return 1;
        }
        std::vector<Stored_survey> surveys;
        for (int run = 0; run < runs; ++run)
            surveys.push_back(bench::monthly_survey("Hala A", run, scatter));
        const double storing = timed_ms(runs, [&](int run) { store.add(surveys[static_cast<std::size_t>(run)]); });
        Report_details details;
        details.site = "Hala A";
        std::string error;
        const double writing = timed_ms(runs, [&](int run) {
            const QString path =
                QString::fromStdString((scratch / ("report-" + std::to_string(run) + ".json")).string());
            write_report_file(path, surveys[static_cast<std::size_t>(run)].result, details, error);
        });
        std::printf("storing a survey %.3f ms, writing its JSON report %.3f ms (median of %d)\n", storing, writing,
                    runs);
        all_within &= report("storing a survey / writing its JSON report", storing / writing, "", 1.0);
    }

    // Importing 1 000 reports against reading them alone: half CSV, half
    // JSON, each of its own survey.
    {
        const std::filesystem::path folder = scratch / "reports";
        std::filesystem::create_directories(folder);
        QStringList files;
        std::string error;
        for (int report = 0; report < 1000; ++report) {
            Report_details details;
            details.site = "Hala " + std::to_string(report % 10);
            details.survey_id = new_survey_id();
            const Stored_survey survey = bench::monthly_survey(details.site, report, scatter);
            const QString path = QString::fromStdString(
                (folder / ("report-" + std::to_string(report) + (report % 2 != 0 ? ".csv" : ".json"))).string());
            if (!write_report_file(path, survey.result, details, error)) {
                std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), error.c_str());
                return 1;
            }
            files << path;
        }
        // Each a median of five, reading and importing taking turns, every
        // import into a store of its own: one run meets a checkpoint of
        // the log or the disk's cache at a bad moment now and then.
        constexpr int import_runs = 5;
        std::vector<double> readings;
        std::vector<double> imports;
        for (int run = 0; run < import_runs; ++run) {
            readings.push_back(timed_ms(1, [&](int) {
                for (const QString& file : files) {
                    Survey_result result;
                    Report_details details;
                    if (!read_report_file(file, result, details, error))
                        std::abort();
                }
            }));
            History_store store;
            store.open((scratch / ("imported-" + std::to_string(run) + ".sqlite")).string());
            imports.push_back(timed_ms(1, [&](int) {
                if (import_into_history(store, files).surveys_added != 1000)
                    std::abort();
            }));
        }
        const double reading = median(readings);
        const double importing = median(imports);
        std::printf("importing 1000 reports %.1f ms, reading them %.1f ms (medians of %d)\n", importing, reading,
                    import_runs);
        all_within &= report("importing 1000 reports / reading them", importing / reading, "", 1.5);
    }

    // The large store, made once per run of the benchmark.
    const std::string large = (scratch / "large.sqlite").string();
    {
        const Clock::time_point start = Clock::now();
        if (!bench::make_large_store(large, sites, surveys_per_site))
            return 1;
        std::printf("made a store of %d surveys in %.1f s\n", sites * surveys_per_site,
                    std::chrono::duration<double>(Clock::now() - start).count());
    }
    const double megabytes = static_cast<double>(std::filesystem::file_size(large)) / 1e6;
    all_within &= report("the store of 100 sites x 40 surveys x 32 detectors", megabytes, "MB", 30);

    const double opening = timed_ms(runs, [&](int run) {
        History_store store;
        store.open(large);
        const std::vector<Line_history> lines = site_history(store, "Obiekt " + std::to_string(run % sites));
        if (lines.size() != 1 || lines[0].surveys != surveys_per_site)
            std::abort();
    });
    all_within &= report("opening the store and reckoning a site's history", opening, "ms", 50);

    History_store store;
    store.open(large);
    const Line_history line = line_history(store, "Obiekt 3", "linia 1");
    const double trends = timed_ms(runs, [&](int) {
        int forecasts = 0;
        for (const Detector_history& detector : line.detectors)
            forecasts +=
                fit_trend(std::span(detector.levels).subspan(detector.trend_from)).verdict == Trend::Verdict::forecast;
        if (forecasts < 0)
            std::abort();
    });
    all_within &= report("the trends and forecasts of a line's 32 detectors", trends, "ms", 5);

    std::filesystem::remove_all(scratch);
    return all_within ? 0 : 1;
}
