// One row written to the communication log while the log already holds a
// given number of rows (the argument), its window loaded and hidden.
#include "core/log.h"
#include "sidewin/log_window.h"
#include "support/fixtures.h"

#include <benchmark/benchmark.h>

namespace {

int log_rows() { return kolde_sub::log_book()->rowCount(); }

// A fresh log holding exactly `rows` rows.
void fill_log(int rows)
{
    kolde_sub::unload_log();
    kolde_sub::log_window();
    kolde_sub::log_book()->removeRows(0, log_rows());
    for (int i = 0; i < rows; ++i)
        kolde_sub::write_log(i % 3 == 0 ? QStringLiteral("RJTT SPECI RECEIVED") : QStringLiteral("PRINT COMMAND"));
}

}  // namespace

static void BM_LogRow(benchmark::State& state)
{
    kolde_test::ensure_app();
    const int present = static_cast<int>(state.range(0));
    fill_log(present);
    for (auto _ : state) {
        kolde_sub::write_log(QStringLiteral("RJTT METAR RECEIVED"));
        // Below the cap the log grows; it goes back to its size now and then.
        if (log_rows() > present + 16) {
            state.PauseTiming();
            fill_log(present);
            state.ResumeTiming();
        }
    }
    kolde_sub::unload_log();
}
BENCHMARK(BM_LogRow)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
