// The window's figures on the simulated demo line with the real clock:
//  - one survey ("Odczytaj stan zabrudzenia czujek") against the waits it
//    prescribes, i.e. the sum of every sleep the tool asked for;
//  - start-up of the tool on the demo line against a bare Qt window built
//    the same way: wall time from process start until the first pass of the
//    message loop is over and the process has exited, and peak memory.
//   kvr27_app_bench [runs]
#include "bench/bench_support.h"
#include "bench/large_store.h"
#include "platform/call_listener.h"
#include "platform/sim/sim_system.h"
#include "sim/sim_world.h"
#include "window/form_main.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The sleeps the survey asks for, counted as it asks for them.
std::size_t sleeps_asked = 0;
std::uint64_t slept_ms = 0;
const win32::Call_listener sleep_counter = {.slept = [](std::uint32_t milliseconds) {
    ++sleeps_asked;
    slept_ms += milliseconds;
}};

struct Process_figures {
    double wall_ms;
    double peak_kib;
};

Process_figures run_once(const std::string& program)
{
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        // The probes' toolkit notices would run into the figures.
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", program.c_str());
        std::exit(1);
    }
    return {elapsed.count(), static_cast<double>(usage.ru_maxrss)};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void survey_against_waits()
{
    sim::World& world = sim_system::reset_world();
    sim::set_up_demo_line(world);
    world.clock.real = true;
    win32::listen_to_calls(&sleep_counter);
    TForm_main form;
    QStringList messages;
    form.message_box = [&messages](const QString& text) { messages << text; };
    double wall_ms = 0;
    {
        bench::Quiet_stdout quiet;
        const Clock::time_point start = Clock::now();
        form.Button2->click();
        const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
        wall_ms = elapsed.count();
        win32::listen_to_calls(nullptr);
    }
    const double waits = static_cast<double>(slept_ms);
    std::printf("survey of the demo line: %.1f ms wall, %.0f ms prescribed waits (%zu sleeps), ratio %.4f\n", wall_ms,
                waits, sleeps_asked, wall_ms / waits);
    if (!messages.isEmpty())
        std::printf("  the survey showed: %s\n", messages.join(QStringLiteral(" | ")).toUtf8().constData());
}

void start_up_against_bare_window(const std::filesystem::path& here, int runs)
{
    const std::string tool = (here / "kvr27_startup_probe").string();
    const std::string bare = (here / "kvr27_bare_window_probe").string();
    std::vector<double> tool_wall, tool_peak, bare_wall, bare_peak;
    run_once(tool); // warm the file cache for both
    run_once(bare);
    for (int run = 0; run < runs; ++run) {
        const Process_figures with_tool = run_once(tool);
        const Process_figures with_bare = run_once(bare);
        tool_wall.push_back(with_tool.wall_ms);
        tool_peak.push_back(with_tool.peak_kib);
        bare_wall.push_back(with_bare.wall_ms);
        bare_peak.push_back(with_bare.peak_kib);
    }
    const double tw = median(tool_wall), bw = median(bare_wall);
    const double tp = median(tool_peak) / 1024, bp = median(bare_peak) / 1024;
    std::printf("start-up, median of %d runs: tool %.1f ms, bare window %.1f ms, ratio %.2f\n", runs, tw, bw, tw / bw);
    std::printf("peak memory, median of %d runs: tool %.1f MiB, bare window %.1f MiB, ratio %.2f\n", runs, tp, bp,
                tp / bp);
}

// The same start-up with a store of 100 sites × 40 surveys in the user's
// data folder and with none: the store is opened when it is first needed,
// so it should cost nothing here.
void start_up_with_and_without_store(const std::filesystem::path& here, int runs)
{
    const std::string tool = (here / "kvr27_startup_probe").string();
    const std::filesystem::path with_store = std::filesystem::current_path() / "with-store";
    const std::filesystem::path without_store = std::filesystem::current_path() / "without-store";
    std::filesystem::create_directories(with_store / "kvr27dust32");
    std::filesystem::create_directories(without_store);
    if (!bench::make_large_store((with_store / "kvr27dust32" / "history.sqlite").string(), 100, 40))
        std::exit(1);
    std::vector<double> with_wall, without_wall;
    for (int run = 0; run <= runs; ++run) {
        setenv("XDG_DATA_HOME", with_store.c_str(), 1);
        const Process_figures with = run_once(tool);
        setenv("XDG_DATA_HOME", without_store.c_str(), 1);
        const Process_figures without = run_once(tool);
        if (run == 0)
            continue; // the file cache warms
        with_wall.push_back(with.wall_ms);
        without_wall.push_back(without.wall_ms);
    }
    unsetenv("XDG_DATA_HOME");
    const double with = median(with_wall), without = median(without_wall);
    std::printf("start-up, median of %d runs: with a store of 4000 surveys %.1f ms, without %.1f ms, ratio %.3f\n",
                runs, with, without, with / without);
}

// The "Historia" tab on a store of 100 sites × 40 surveys × 32 detectors:
// shown on a site (the store opened, its sites listed, the site's history
// read and reckoned, the table and the due list filled), then another site
// chosen, each the median of `runs`.
void history_tab_on_a_large_store(int runs)
{
    const std::filesystem::path store = std::filesystem::current_path() / "tab-store.sqlite";
    if (!bench::make_large_store(store.string(), 100, 40))
        std::exit(1);
    TForm_main form;
    form.history_path = QString::fromStdString(store.string());
    form.Edit_site->setText(QStringLiteral("Obiekt 42"));
    std::vector<double> shown, chosen;
    for (int run = 0; run < runs; ++run) {
        Clock::time_point start = Clock::now();
        form.TabSheet_historyShow();
        shown.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        form.ComboBox_history_site->setCurrentIndex((run * 7 + 3) % form.ComboBox_history_site->count());
        start = Clock::now();
        form.ComboBox_history_siteChange();
        chosen.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    if (form.Table_history->rowCount() != 32)
        std::fprintf(stderr, "the tab shows %d detectors, not 32\n", form.Table_history->rowCount());
    std::printf("Historia on a store of 4000 surveys, median of %d: shown %.1f ms, another site chosen %.1f ms "
                "(limit 50 ms)\n",
                runs, median(shown), median(chosen));
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::filesystem::path here = std::filesystem::canonical("/proc/self/exe").parent_path();
    bench::Scratch_directory scratch;
    start_up_against_bare_window(here, runs);
    start_up_with_and_without_store(here, runs);
    int qt_argc = 1;
    QApplication application(qt_argc, argv);
    history_tab_on_a_large_store(runs);
    survey_against_waits();
    return 0;
}
