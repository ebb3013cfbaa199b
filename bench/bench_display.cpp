// A 30-station request against a loopback report server, from Enter to the
// ready prompt (fetch, format, sequence file, colouring).
//
// BM_ThirtyStationRequestPainted measures it as a user sees it: the request
// typed on the console key by key, then the Enter key, until the console has
// painted the ready prompt and the program waits for the next event. Run it
// under xvfb-run for real painting; KOLDE_BENCH_SITE=http://127.0.0.1:PORT
// sends the requests to a kolde-site program running apart, else a site
// runs in this process.
#include "mainwin/view.h"
#include "mainwin/view_driver.h"
#include "reports/request.h"
#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "platform/transfer.h"
#include "support/fixtures.h"

#include "server.h"

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTextEdit>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace {

const QString thirty_stations = QStringLiteral(
    "RJTT RJAA RJCC RJBB RJOO RJGG RJFF ROAH RJCH RJSS RJSN RJNK RJOA RJOM RJFK "
    "RJFU RJFT RJDC RJOB RJOK RJCK RJCM RJEC RJSK RJSA RJSF RJTY RJNT RJOT RORY");
const QString ready_prompt = QStringLiteral("READY / PRESS ESC TO EXIT");

// The program's folder with the served database, its addresses pointing at
// a site: the one KOLDE_BENCH_SITE names, or one started in this process.
class ProgramAtSite {
public:
    ProgramAtSite()
    {
        kolde_test::ensure_app();
        home_.install_seed_database();
        kolde_sub::open_database();
        QString base = qEnvironmentVariable("KOLDE_BENCH_SITE");
        if (base.isEmpty()) {
            own_site_ = std::make_unique<kolde_site::Server>();  // simulated reports for every station
            own_site_->start();
            base = QString::fromStdString(own_site_->base_url());
        }
        kolde_sub::set_builtin_addresses();
        // The installed version is the site's: no update offer at the start.
        kolde_sub::set_setting(kolde_sub::key::program_version, platform::Value(kolde_sub::version_text()));
        kolde_sub::set_update_address(base);  // the connection check asks it
        kolde_sub::set_report_address(base);
        kolde_sub::set_online(true);
    }
    ~ProgramAtSite() { kolde_sub::set_online(false); }

private:
    kolde_test::ProgramFolder home_;
    std::unique_ptr<kolde_site::Server> own_site_;
};

void press(QWidget* target, int key, const QString& text)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
}

void run_events_for(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Notes the first paint of the console, after it was armed, that shows the
// ready prompt at the end of the text.
class PromptPaint : public QObject {
public:
    explicit PromptPaint(QTextEdit* console) : console_(console)
    {
        console_->viewport()->installEventFilter(this);
    }
    void arm()
    {
        armed_ = true;
        painted_ = false;
    }
    bool painted() const { return painted_; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && armed_ && !painted_
            && console_->toPlainText().trimmed().endsWith(ready_prompt)) {
            painted_ = true;
            armed_ = false;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTextEdit* console_;
    bool armed_ = false;
    bool painted_ = false;
};

// Runs the event loop until the prompt's paint has happened and the loop is
// about to sleep (the painted window has been handed to the screen).
bool wait_for_painted_prompt(const PromptPaint& watch, int limit_ms)
{
    QEventLoop loop;
    QObject scope;
    bool done = false;
    const auto check = [&] {
        if (watch.painted()) {
            done = true;
            loop.quit();
        }
    };
    QObject::connect(QAbstractEventDispatcher::instance(QThread::currentThread()),
                     &QAbstractEventDispatcher::aboutToBlock, &scope, check);
    QTimer::singleShot(limit_ms, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, &scope, check);
    loop.exec();
    return done;
}

}  // namespace

static void BM_ThirtyStationRequest(benchmark::State& state)
{
    const ProgramAtSite program;

    view v;
    v.show();
    for (auto _ : state) {
        v.console_enter(thirty_stations);
        if (!v.console_text().contains(ready_prompt))
            state.SkipWithError("no ready prompt");
    }
}
BENCHMARK(BM_ThirtyStationRequest)->Unit(benchmark::kMillisecond)->Iterations(5);

static void BM_ThirtyStationRequestPainted(benchmark::State& state)
{
    const ProgramAtSite program;

    view v;
    v.show();
    QTextEdit* console = kolde_test::drive(v).console();
    console->setFocus();
    PromptPaint watch(console);
    run_events_for(300);

    // Types the request, then times Enter to the painted prompt; empty when
    // the prompt never shows.
    const auto one_request = [&]() -> std::optional<double> {
        v.set_console_text(ready_prompt + QStringLiteral("\r\n"));
        v.console_caret_to_end();
        for (const QChar c : thirty_stations)
            press(console, c == u' ' ? Qt::Key_Space : Qt::Key_A + (c.unicode() - u'A'), QString(c));
        // Typing takes its time: idle connections the site closes are gone.
        run_events_for(1200);
        watch.arm();
        QElapsedTimer clock;
        clock.start();
        press(console, Qt::Key_Return, QStringLiteral("\r"));
        if (!wait_for_painted_prompt(watch, 60000)) {
            qInfo().noquote() << v.console_text().right(300);
            return std::nullopt;
        }
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    };
    (void)one_request();  // the first request finds everything cold: not counted
    std::vector<double> times;
    for (auto _ : state) {
        const std::optional<double> ms = one_request();
        if (!ms) {
            state.SkipWithError("no ready prompt painted");
            break;
        }
        times.push_back(*ms);
        state.SetIterationTime(*ms / 1000);
    }
    if (!times.empty()) {
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        state.counters["median_ms"] = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
        state.counters["best_ms"] = sorted.front();
    }
}
BENCHMARK(BM_ThirtyStationRequestPainted)->Unit(benchmark::kMillisecond)->Iterations(15)->UseManualTime();

// One station file over loopback, as the request fetches each of its files.
static void BM_StationFileDownload(benchmark::State& state)
{
    const ProgramAtSite program;
    platform::Transfer transfer;
    const QString url = kolde_sub::addresses().observations + QStringLiteral("RJTT.TXT");
    for (auto _ : state) {
        if (!transfer.get(url).ok)
            state.SkipWithError("no station file");
    }
}
BENCHMARK(BM_StationFileDownload)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
