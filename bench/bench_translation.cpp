// Japanese translation of observations: reports per second over a few
// thousand varied reports of the report simulator and some with every kind
// of remark, without yielding. First with the served dictionaries held in
// hash tables (the translation itself), then with the look-ups the program
// makes over the shared recordsets.
#include "core/database.h"
#include "report_sim.h"
#include "support/fixtures.h"
#include "translate/stored_sources.h"
#include "translate/translation.h"

#include <benchmark/benchmark.h>


#include <chrono>
#include <vector>

namespace {

struct Report {
    QString code;
    QString time;
    QString body;
};

const char* const with_remarks[] = {
    "27010KT 240V300 0800 R34L/1200U R16R/0600V1000U -SHRA BR FEW/// BKN015CB M02/M05 Q1008 BECMG TL0630 27015G25KT "
    "TSRA 3000 RMK 1CU015 3SC030 1TCU020 A2992 SLP013 TSB1215 RAB05E30 LIGHTNING NE VIS SW-NW 3000",
    "AUTO VRB03KT CAVOK 15/08 A2992 RMK AO2 P0012 60025 T01230045 10150 20100 56012 P/RR WS R34L CIG 005V010",
    "CALM 3SM R28L/1000V1600FT +TSRA VCSH SCT008 OVC015TCU 25/24 A2970 TEMPO FM0800 TL0900 4000 TSRA RMK 5CB008",
};

// About 3,000 observations: every station at 24 times over two days, and
// the reports above among them.
std::vector<Report> reports()
{
    std::vector<Report> out;
    const auto start = std::chrono::system_clock::time_point(std::chrono::hours(24 * 365 * 41));
    int n = 0;
    for (const std::string& station : kolde_site::report_sim::stations()) {
        for (int h = 0; h < 48; h += 2) {
            const std::string file = kolde_site::report_sim::metar_file(station, start + std::chrono::hours(h));
            const QString line = QString::fromStdString(file).section(u'\n', 1, 1);
            out.push_back({QString::fromStdString(station), line.mid(7, 4) + u'Z', line.mid(13)});
            if (++n % 50 == 0)
                out.push_back({QStringLiteral("RJTT"), QStringLiteral("0915Z"),
                               QString::fromUtf8(with_remarks[(n / 50) % std::size(with_remarks)])});
        }
    }
    return out;
}

}  // namespace

static void BM_TranslateReports(benchmark::State& state)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    home.install_seed_database();
    kolde_sub::open_database();
    kolde_sub::TranslationSources sources = kolde_test::hashed_translation_sources();
    sources.local_time = true;
    sources.time_difference = QStringLiteral("+9");

    const std::vector<Report> all = reports();
    for (auto _ : state) {
        for (const Report& r : all)
            benchmark::DoNotOptimize(kolde_sub::translate_observation(r.code, r.time, r.body, sources));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * all.size()));
    state.counters["reports"] = static_cast<double>(all.size());
}
BENCHMARK(BM_TranslateReports)->Unit(benchmark::kMillisecond);

static void BM_TranslateReportsOverTheStore(benchmark::State& state)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    home.install_seed_database();
    kolde_sub::open_database();
    kolde_sub::TranslationSources sources = kolde_sub::stored_translation_sources();
    sources.yield = nullptr;

    const std::vector<Report> all = reports();
    for (auto _ : state) {
        for (const Report& r : all)
            benchmark::DoNotOptimize(kolde_sub::translate_observation(r.code, r.time, r.body, sources));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * all.size()));
}
BENCHMARK(BM_TranslateReportsOverTheStore)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
