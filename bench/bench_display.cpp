// A 30-station request against a loopback report server, from Enter to the
// ready prompt (fetch, format, sequence file, colouring).
#include "mainwin/view.h"
#include "reports/request.h"
#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include "server.h"

#include <benchmark/benchmark.h>

#include <QTextEdit>

static void BM_ThirtyStationRequest(benchmark::State& state)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    home.install_seed_database();
    kolde_sub::open_database();
    kolde_site::Server site;  // simulated reports for every catalogue station
    site.start();
    const QString base = QString::fromStdString(site.base_url());
    kolde_sub::set_report_address(base);
    kolde_sub::set_online(true);

    const QString request = QStringLiteral(
        "RJTT RJAA RJCC RJBB RJOO RJGG RJFF ROAH RJCH RJSS RJSN RJNK RJOA RJOM RJFK "
        "RJFU RJFT RJDC RJOB RJOK RJCK RJCM RJEC RJSK RJSA RJSF RJTY RJNT RJOT RORY");
    view v;
    v.show();
    for (auto _ : state) {
        v.console_enter(request);
        if (!v.console_text().contains(QStringLiteral("READY / PRESS ESC TO EXIT")))
            state.SkipWithError("no ready prompt");
    }
    kolde_sub::set_online(false);
}
BENCHMARK(BM_ThirtyStationRequest)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
