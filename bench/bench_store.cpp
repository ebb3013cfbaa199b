// Opening the shared store over the served database and walking the
// airport catalogue, as the start-up and the menus do.
#include "core/database.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include <benchmark/benchmark.h>

static void BM_OpenDatabase(benchmark::State& state)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    home.install_seed_database();
    for (auto _ : state) {
        kolde_sub::open_database();
        benchmark::DoNotOptimize(kolde_sub::setting_text(kolde_sub::key::time_difference));
        kolde_sub::release_store();
    }
}
BENCHMARK(BM_OpenDatabase)->Unit(benchmark::kMillisecond);

static void BM_WalkCatalogue(benchmark::State& state)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    home.install_seed_database();
    kolde_sub::open_database();
    for (auto _ : state) {
        int n = 0;
        auto& rs = kolde_sub::rs_airport();
        for (rs.move_first(); !rs.eof(); rs.move_next())
            n += rs.field(QStringLiteral("ICAOコード")).to_text().size();
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_WalkCatalogue);

BENCHMARK_MAIN();
