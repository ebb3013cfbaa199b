// From the start of the start-up sequence to the main window's
// "DATABASE CONNECTION COMPLETED", against a loopback update site, for an
// ordinary start (every file present, versions in step).
#include "mainwin/view.h"
#include "mainwin/view_driver.h"
#include "core/database.h"
#include "core/program.h"
#include "startup/startup_sequence.h"
#include "support/fixtures.h"

#include "server.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextEdit>

#include <memory>

using kolde_test::drive;

namespace {

bool start_once(kolde_site::Server& site, std::unique_ptr<view>& window)
{
    kolde_sub::release_store();
    kolde_sub::set_builtin_addresses();
    kolde_sub::set_update_address(QString::fromStdString(site.base_url()));
    kolde_sub::StartupSequence seq({{}, {}, [&] {
                                        window = std::make_unique<view>();
                                        window->show();
                                    }});
    seq.run();
    if (!window)
        return false;
    QElapsedTimer guard;
    guard.start();
    while (!drive(*window).console()->toPlainText().contains(QStringLiteral("DATABASE CONNECTION COMPLETED")) &&
           guard.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return true;
}

}  // namespace

static void BM_StartToMainWindow(benchmark::State& state)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    kolde_site::Server site;
    site.start();
    std::unique_ptr<view> window;
    start_once(site, window);  // first install, outside the measurement
    window.reset();
    for (auto _ : state) {
        if (!start_once(site, window)) {
            state.SkipWithError("no main window");
            break;
        }
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToMainWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
