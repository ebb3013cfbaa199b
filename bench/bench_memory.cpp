// Resident memory of the running program over one simulated hour of
// automatic decode: ten stations against the report simulator, one decode
// cycle a simulated minute. The simulator's clock moves a minute before each
// cycle, so new observations, specials and forecasts keep arriving and the
// cycle shows the list again whenever one does. The heartbeat is driven by
// calling its tick handler, with the record of the last cycle cleared so
// that the wall clock never holds a cycle off.
//
// Two set-ups: the browser pane never opened, and the browser pane opened
// once on a page of the local site and closed again before the hour. Each
// runs one hour and four hours: growth that stays the same over four hours
// is a one-off, growth that scales with them is a leak.
//
// Counters: resident memory before and after the hour and its growth (also
// after handing freed heap back to the system, which tells a leak from
// memory the allocator merely keeps), the displays run and the rows of the
// communication log.
#include "mainwin/browser_rules.h"
#include "mainwin/view.h"
#include "mainwin/view_driver.h"
#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "platform/value.h"
#include "reports/request.h"
#include "reports/sequence_files.h"
#include "support/fixtures.h"

#include "server.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTextEdit>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <malloc.h>
#include <unistd.h>

using platform::Value;
using kolde_test::drive;

namespace {

constexpr int warm_up_cycles = 2;
constexpr int cycles_per_hour = 60;

const QStringList decode_list = {
        QStringLiteral("RJTT"), QStringLiteral("RJAA"), QStringLiteral("RJCC"), QStringLiteral("RJBB"),
        QStringLiteral("RJOO"), QStringLiteral("RJGG"), QStringLiteral("RJFF"), QStringLiteral("ROAH"),
        QStringLiteral("RJCH"), QStringLiteral("RJSS")};

// VmRSS of this process in kB; -1 when it cannot be read.
long rss_kb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Window events for a while of wall time: self-closing notices close and
// deferred deletions run.
void run_events_for(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct Memory {
    long raw = -1;      // as it stands
    long trimmed = -1;  // after freed heap went back to the system
};

Memory measure()
{
    run_events_for(2500);  // a data-changed notice closes itself after two seconds
    Memory m;
    m.raw = rss_kb();
    ::malloc_trim(0);
    m.trimmed = rss_kb();
    return m;
}

int log_rows() { return kolde_sub::log_book()->rowCount(); }

// The simulated clock the report simulator issues its reports on, read
// from the server's thread.
std::atomic<std::chrono::system_clock::rep> sim_now{0};

class Hour {
public:
    Hour()
    {
        kolde_test::ensure_app();
        home.install_seed_database();
        kolde_sub::open_database();
        site.set_reports(kolde_site::ReportSource::Simulator);
        // 04:48Z: after the warm-up the first hour runs from 04:51 to 05:50
        // and takes in the routine observations at 05:00 and 05:30 and the
        // 05Z forecasts.
        set_clock(std::chrono::sys_days{std::chrono::year{2026} / 12 / 8} + std::chrono::hours{4} +
                  std::chrono::minutes{48});
        site.set_clock([] {
            return std::chrono::system_clock::time_point{std::chrono::system_clock::duration{sim_now.load()}};
        });
        site.set_file("/data/version.dat", "4.31,1.10,2.05");
        site.start();
        const QString base = QString::fromStdString(site.base_url());
        qputenv("KOLDE_REPORT_URL", base.toUtf8());
        kolde_sub::set_update_address(base);
        kolde_sub::set_report_address(base);
        kolde_sub::set_online(true);
        kolde_sub::set_setting(kolde_sub::key::program_version, Value(4.31));
        QList<QList<Value>> rows;
        for (const QString& code : decode_list)
            rows.append({Value(code), Value(code)});
        kolde_sub::save_shared_list(kolde_sub::rs_autodecode(), {QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")},
                                    rows);
    }

    ~Hour()
    {
        window.reset();
        qunsetenv("KOLDE_REPORT_URL");
        kolde_sub::set_online(false);
    }

    static void set_clock(std::chrono::system_clock::time_point t) { sim_now = t.time_since_epoch().count(); }
    static void advance_minute()
    {
        sim_now += std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::minutes{1}).count();
    }

    // The window shown and activated as at start-up, then its own timers
    // stopped: from here on the heartbeat ticks only when called.
    bool open_window()
    {
        window = std::make_unique<view>();
        window->show();
        QElapsedTimer guard;
        guard.start();
        while (drive(*window).first_activation() && guard.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        stop_timers();
        // One cycle a minute.
        kolde_sub::set_update_interval(1);
        drive(*window).probe_period() = 0;
        return !drive(*window).first_activation();
    }

    void stop_timers()
    {
        drive(*window).heartbeat_timer()->stop();
        drive(*window).banner_timer()->stop();
    }

    // One simulated minute: the clock moves on, and a probe tick that runs
    // the decode cycle. True when the cycle ran a display.
    bool cycle()
    {
        advance_minute();
        view& v = *window;
        const bool pending = drive(v).new_request();
        drive(v).standby_start().clear();
        kolde_sub::set_cycle_ticks(drive(v).probe_period());
        v.Timer_Timer();
        drive(v).heartbeat_timer()->stop();
        return pending ? !drive(v).new_request() : drive(v).reports_changed();
    }

    kolde_test::ProgramFolder home;
    kolde_site::Server site;
    std::unique_ptr<view> window;
};

void run_hour(benchmark::State& state, Hour& hour)
{
    int displays = 0;
    for (int i = 0; i < warm_up_cycles; ++i)
        displays += hour.cycle();
    if (displays == 0) {
        state.SkipWithError("the automatic decode did not run in the warm-up");
        return;
    }
    const Memory before = measure();
    const int rows_before = log_rows();
    displays = 0;
    const auto hours = state.range(0);
    for (auto _ : state)
        for (int i = 0; i < cycles_per_hour * hours; ++i)
            displays += hour.cycle();
    const Memory after = measure();

    state.counters["rss_before_kb"] = static_cast<double>(before.raw);
    state.counters["rss_after_kb"] = static_cast<double>(after.raw);
    state.counters["rss_growth_kb"] = static_cast<double>(after.raw - before.raw);
    state.counters["rss_growth_trimmed_kb"] = static_cast<double>(after.trimmed - before.trimmed);
    state.counters["rss_growth_kb_per_hour"] = static_cast<double>(after.raw - before.raw) / static_cast<double>(hours);
    state.counters["displays"] = displays;
    state.counters["log_rows"] = log_rows();
    state.counters["log_rows_added"] = log_rows() - rows_before;
    state.counters["console_chars"] = static_cast<double>(drive(*hour.window).console()->document()->characterCount());
    state.counters["console_undo_steps"] = drive(*hour.window).console()->document()->availableUndoSteps();
    state.counters["staging_undo_steps"] = drive(*hour.window).staging_undo_steps();
    state.counters["station_rows"] = static_cast<double>(kolde_sub::current_request().stations().size());
    state.counters["sequence_file_kb"] = static_cast<double>(QFileInfo(kolde_sub::sequence_file_path()).size()) / 1024;
}

}  // namespace

static void BM_HourOfAutoDecode(benchmark::State& state)
{
    Hour hour;
    if (!hour.open_window()) {
        state.SkipWithError("the main window did not activate");
        return;
    }
    run_hour(state, hour);
}
BENCHMARK(BM_HourOfAutoDecode)->ArgName("hours")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_HourOfAutoDecodeAfterBrowserPane(benchmark::State& state)
{
    if (!kolde_sub::webengine_can_start(kolde_sub::current_webengine_environment())) {
        std::fprintf(stderr, "bench_memory: the web engine cannot start here; the browser pane run is skipped\n");
        state.SkipWithError("the web engine cannot start here (browser pane run skipped)");
        return;
    }
    Hour hour;
    kolde_sub::set_setting(kolde_sub::key::browser, Value::boolean(true));
    if (!hour.open_window()) {
        state.SkipWithError("the main window did not activate");
        return;
    }
    const QString base = QString::fromStdString(hour.site.base_url());
    view& v = *hour.window;
    v.open_page(kolde_sub::web_page_url(kolde_sub::WebPage::Help, base, base), QStringLiteral("DISPLAY ONLINE HELP"));
    if (!v.browser_view()) {
        std::fprintf(stderr, "bench_memory: the web engine did not start; the browser pane run is skipped\n");
        state.SkipWithError("the web engine did not start (browser pane run skipped)");
        return;
    }
    // Bounded wait for the page.
    QElapsedTimer guard;
    guard.start();
    while (hour.site.count("/home/kolde/help/help.html") == 0 && guard.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    run_events_for(1000);
    hour.stop_timers();
    const bool loaded = hour.site.count("/home/kolde/help/help.html") > 0;
    v.close_browser_pane();
    state.counters["page_loaded"] = loaded;
    run_hour(state, hour);
}
BENCHMARK(BM_HourOfAutoDecodeAfterBrowserPane)->ArgName("hours")->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    // The web engine's sandbox refuses to run as root.
    if (::geteuid() == 0) {
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --no-sandbox");
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    kolde_test::ensure_app();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
