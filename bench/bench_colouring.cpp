// Colouring a full console: 2,000 station blocks of METAR, SPECI and TAF
// lines, first the rules alone, then the whole procedure on a shown console.
#include "reports/colouring.h"
#include "reports/console_positions.h"
#include "reports/request.h"
#include "core/database.h"
#include "core/shared.h"
#include "support/fixtures.h"

#include <benchmark/benchmark.h>

#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>

namespace {

constexpr int station_blocks = 2000;

QString station_code(int i)
{
    const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return QStringLiteral("RJ") + QChar(letters[(i / 26) % 26]) + QChar(letters[i % 26]);
}

QString console_text()
{
    QString text;
    for (int i = 0; i < station_blocks; ++i) {
        const QString code = station_code(i);
        switch (i % 4) {
        case 0:
            text += code + QStringLiteral("  METAR 0530Z\r\n"
                                          " 300530Z 34005KT 9999 FEW030 BKN009 15/08 Q1020 NOSIG      \r\n");
            break;
        case 1:
            text += code + QStringLiteral("  SPECI 0541Z\r\n"
                                          " 300541Z 02012G25KT 0800 R34L/0600V1000U +TSRA BR FEW008 "
                                          "5CU012 FEW020CB OVC002 14/13 Q1008 RMK 1CU008 A2978\r\n");
            break;
        case 2:
            text += code + QStringLiteral("  METAR 0500Z\r\n"
                                          " 300500Z VRB02KT 0500 FG VV001 08/08 Q1015 BECMG 0608 3000 BR\r\n");
            break;
        default:
            text += code + QStringLiteral("  METAR 0530Z\r\n"
                                          " 300530Z 18010KT CAVOK 22/12 Q1012 NOSIG      \r\n");
            break;
        }
        text += code + QStringLiteral("  TAF   0500Z\r\n"
                                      " 300500Z 3006/0112 34008KT 9999 FEW030 TEMPO 3009/3012 4000 -SHRA BKN008\r\n");
    }
    text += QStringLiteral("READY\r\n");
    return text;
}

QString history()
{
    QString h = QStringLiteral(" ");
    for (int i = 0; h.size() < 195; ++i)
        h += station_code(i * 37) + u' ';
    return h;
}

kolde_sub::ColourSettings served_defaults()
{
    kolde_sub::ColourSettings s;
    s.weather_words = s.special_words = s.emphasise_conditions = s.emphasise_cb_tcu = true;
    s.weather_colour = 0x00FF00;
    s.special_colour = 0x8000FF;
    s.display_colour = 0xFFFFFF;
    const long long heights[] = {1000, 200, 200};
    const long long visibilities[] = {5000, 1600, 800};
    const quint32 colours[] = {0x00FFFF, 0x0080FF, 0x0000FF};
    for (int n = 0; n < 3; ++n) {
        auto& c = s.conditions[std::size_t(n)];
        c.enabled = c.vertical_visibility = true;
        c.cloud_height = heights[n];
        c.visibility = visibilities[n];
        c.cloud_colour = c.visibility_colour = colours[n];
    }
    return s;
}

void reset_console(QTextEdit& console, const QString& text)
{
    console.setPlainText(text);
    QTextCursor all(console.document());
    all.select(QTextCursor::Document);
    QTextCharFormat plain;
    plain.setForeground(QColor(Qt::white));
    all.mergeCharFormat(plain);
}

// The served store, with a history and a group as a day's work leaves them.
void open_store(const kolde_test::ProgramFolder& home)
{
    home.install_seed_database();
    kolde_sub::open_database();
    kolde_sub::set_code_history(history());
    kolde_sub::current_request().set_group(QStringLiteral("JAL"));
}

// As the main window sets up its console.
void set_up_console(QTextEdit& console)
{
    QFont f(QStringLiteral("Noto Sans Mono CJK JP"), 11);
    f.setStyleStrategy(QFont::PreferNoShaping);
    console.setFont(f);
    console.resize(900, 700);
    console.show();
}

}  // namespace

static void BM_ColourSpans(benchmark::State& state)
{
    const QString text = console_text();
    const QString h = history();
    const kolde_sub::ColourSettings s = served_defaults();
    std::size_t spans = 0;
    for (auto _ : state) {
        const auto result = kolde_sub::colour_spans(text, s, QStringLiteral("JAL"), h);
        spans = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["chars"] = double(text.size());
    state.counters["spans"] = double(spans);
}
BENCHMARK(BM_ColourSpans)->Unit(benchmark::kMillisecond);

static void BM_ColorReportText(benchmark::State& state)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    open_store(home);

    const QString text = console_text();
    QTextEdit console;
    QString typed;
    set_up_console(console);
    kolde_sub::set_report_console(&console, [&typed] { typed.clear(); });
    for (auto _ : state) {
        state.PauseTiming();
        reset_console(console, text);
        state.ResumeTiming();
        kolde_sub::color_report_text();
    }
    kolde_sub::set_report_console(nullptr, nullptr);
    state.counters["chars"] = double(text.size());
}
BENCHMARK(BM_ColorReportText)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// A command's answer appended to a console coloured before: only the new
// line's formats change.
static void BM_ColorReportTextAfterCommand(benchmark::State& state)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    open_store(home);

    QTextEdit console;
    QString typed;
    set_up_console(console);
    reset_console(console, console_text());
    kolde_sub::set_report_console(&console, [&typed] { typed.clear(); });
    kolde_sub::color_report_text();
    for (auto _ : state) {
        state.PauseTiming();
        QTextCursor end(console.document());
        end.movePosition(QTextCursor::End);
        end.insertText(QStringLiteral("SYNTAX ERROR -RA 0500 \nREADY\n"));
        state.ResumeTiming();
        kolde_sub::color_report_text();
    }
    kolde_sub::set_report_console(nullptr, nullptr);
}
BENCHMARK(BM_ColorReportTextAfterCommand)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
