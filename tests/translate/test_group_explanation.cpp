// The explanation of a group selected in the report console: every kind of
// group with its exact text, the order of the look-ups, the groups told by
// the "/" beside the selection, and selections that explain nothing.
#include "translation_support.h"

#include "translate/group_explanation.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

namespace {

using kolde_sub::explain_group;
using kolde_sub::ExplanationSources;

const std::map<QString, QString> airports = {
    {QStringLiteral("RJAA"), QStringLiteral("成田 国際　空港")},
    {QStringLiteral("9999"), QStringLiteral("試験")},
    {QStringLiteral("FG"), QStringLiteral("試験")},
};
const std::map<QString, QString> abbreviations = {
    {QStringLiteral("RA"), QStringLiteral("雨")},
};
const std::map<QString, QString> words = {
    {QStringLiteral("RA"), QStringLiteral("弱くない雨")},
    {QStringLiteral("FG"), QStringLiteral("霧")},
    {QStringLiteral("-SHRA"), QStringLiteral("弱いしゅう雨")},
};

ExplanationSources sources(bool local, const QString& difference, QDate today)
{
    ExplanationSources s;
    s.airport_name = [](QStringView code) { return kolde_test::look_up_in(airports, code); };
    s.weather_abbr = [](QStringView w) { return kolde_test::look_up_in(abbreviations, w); };
    s.translation_word = [](QStringView w) { return kolde_test::look_up_in(words, w); };
    s.local_time = local;
    s.time_difference = difference;
    s.today = today;
    return s;
}

struct Case {
    const char* selection;
    const char* expected;  // nullptr: nothing is shown
    // The console around the selection and where the selection begins in
    // it; none: the console holds the selection alone.
    const char* console = nullptr;
    int start = 0;
    bool local = false;
    const char* difference = "+9";
    QDate today = QDate(2026, 3, 15);
};

const QDate april(2026, 4, 10);
const QDate january(2026, 1, 5);

const Case cases[] = {
    // nothing to explain
    {"", nullptr},
    {"  　 ", nullptr},
    {"1CB020", nullptr},
    {"2812", nullptr},
    {"0000", nullptr, "0000/0012", 0},
    // the catalogue first, then the abbreviations, then the dictionary
    {" RJAA　", "RJAA : 成田国際空港"},
    {"rjaa", nullptr},
    {"ra", "RA : 雨"},
    {"FG", "FG : 霧"},
    {"-SHRA", "-SHRA : 弱いしゅう雨"},
    {"9999", "9999 : 視程10km以上"},
    // cloud cover
    {"FEW030CB", "FEW030CB ： 3000フィートに小量 (1/8～2/8) の積乱雲"},
    {"BKN///", "BKN/// ： 雲底高度不明な多量 (5/8～7/8) の雲"},
    {"SCT020TCU", "SCT020TCU ： 2000フィートに散在 (3/8～4/8) した塔状積雲"},
    {"OVC037///", "OVC037/// ： 3700フィートに全天を覆う雲"},
    {"BKNO40", nullptr},
    // a selection across two groups
    {"TSRA FEW030", nullptr},
    {"RJAA\nQ1013", nullptr},
    // pressure, wind
    {"A2992", "A2992 ： 高度計規正値 29.92インチ水銀柱"},
    {"Q1013", "Q1013 ： 地上気圧 1013.0 ヘクトパスカル"},
    {"A////", "A//// ： 高度計規正値 欠測"},
    {"Q////", "Q//// ： 地上気圧 欠測"},
    {"ALQDS", nullptr},
    {"/////KT", "/////KT ： 欠測"},
    {"330/05KT", nullptr},
    {"27015G25KT", "27015G25KT ： 270°方向から 15ノット / 最大瞬間風速 25ノット"},
    {"vrb03kt", "VRB03KT ： 風向が特定できない 3ノットの風"},
    {"200V260", "200V260 ： 方位 200°から 260°の間で風向変動あり"},
    {"9999NDV", "9999NDV : 視程10km以上"},
    {"3200NDV", nullptr},
    {"+VCTSRA", nullptr},
    {"CALM", "CALM ： 無風"},
    // temperature pairs and their halves, told by the "/" beside them
    {"M02/M05", "M02/M05 ：  地上気温 マイナス2℃  露点温度 マイナス5℃"},
    {"15///", "15/// ：  地上気温 15℃"},
    {"12", "12 ：  地上気温 12℃", "Q1008 12/08 A2992", 6},
    {"08", "08 ：  露点温度 8℃", "Q1008 12/08 A2992", 9},
    {"M02", "M02 ：  地上気温 マイナス2℃", "M02/M05", 0},
    {"M05", "M05 ：  露点温度 マイナス5℃", "M02/M05", 4},
    {"12", nullptr, "12", 0},
    {"08", "08 ：  露点温度 8℃", "Q1008 12/08=", 9},
    // a "/" beside the selection in a group that is no temperature pair
    {"S4", nullptr, "W13/S4", 4},
    {"CB", nullptr, "CB/TS", 0},
    {"TS", nullptr, "CB/TS", 3},
    {"74", nullptr, "RMK 0141//74", 10},
    {"M02", nullptr, "22/M02/11016", 3},
    {"XX", nullptr, "12/XX", 3},
    {"08", nullptr, "/08", 5000},
    {"08", nullptr, "/08", -1},
    // cloud layers of the remarks
    {"3SC015", "3SC015 ： 1500フィートに散在 (3/8) した層積雲"},
    {"8ST005", "8ST005 ： 500フィートに全天 (8/8) を覆う層雲"},
    {"2CU020", "2CU020 ： 2000フィートに少量 (2/8) の積雲"},
    // Only amount digit, type and a three-digit base make a layer: type
    // letters first and the amount after hold no base.
    {"3のSC15", nullptr},
    {"SC5AC3", nullptr},
    {"SF1SC7", nullptr},
    {"ST2SC6", nullptr},
    {"SCY022", nullptr},
    {"9CU020", nullptr},
    // day and time, in UTC and in local time with the day rolling over
    {"281230Z", "281230Z ： 28日 12:30 UTC"},
    {"281230Z", "281230Z ： 28日 21:30 I (UTC+9)", nullptr, 0, true},
    {"281630Z", "281630Z ： 29日 01:30 I (UTC+9)", nullptr, 0, true},
    {"302030Z", "302030Z ： 01日 05:30 I (UTC+9)", nullptr, 0, true, "+9", april},
    {"010300Z", "010300Z ： 28日 22:00 R (UTC-5)", nullptr, 0, true, "-5"},
    {"010300Z", "010300Z ： 31日 22:00 R (UTC-5)", nullptr, 0, true, "-5", january},
    {"281230Z", "281230Z ： 28日 12:30 Z (UTC±0)", nullptr, 0, true, "±0"},
    // ending in Z and seven long is not enough
    {"-VCTSDZ", nullptr, nullptr, 0, true},
    {"VCSH/HZ", nullptr, nullptr, 0, true},
    {"8000MHZ", nullptr},
    {"067650Z", nullptr},
    {"321230Z", nullptr},
    // runway visual range, sea-level pressure, vertical visibility
    {"R34L/M0050V0300D", "R34L/M0050V0300D ： 滑走路34LのRVRは、50メートル(測定範囲の下限)から300メートルの間を変動しながら下降中"},
    {"R12////", "R12//// ： 滑走路12のRVRは、欠測している"},
    {"RETS/RESH", nullptr},
    {"R24/450195", nullptr},
    {"SLP123", "123 ： 海面水位圧力 1012.3ヘクトパスカル"},
    {"SLPNO", "NO ： 海面水位圧力 ヘクトパスカル"},
    {"SLP95", nullptr},
    {"SLP136T00940028", nullptr},
    {"VV005", "VV005 ： 鉛直視程 500フィート"},
    {"VV///", "VV/// ： 鉛直視程 欠測"},
    // remark temperatures, ⊿H
    {"T01230056", "T01230056 : 地上気温 12.3℃ 露点温度 5.6℃"},
    {"T10121034", "T10121034 : 地上気温 マイナス 1.2℃ 露点温度 マイナス 3.4℃"},
    {"//////TCU", nullptr},
    {"ALSTG/SLP", nullptr},
    {"LIGHTNING", nullptr},
    {"SCT08014/13", nullptr},
    {"T01220117$", "T01220117$ : 地上気温 12.2℃ 露点温度 11.7℃"},
    {"T21230056", nullptr},
    {"⊿h", "⊿H ： 大気視差高 (deviation eye height)"},
    // day and hour of a forecast period
    {"2812", "2812 ： 28日 12:00 Z", "TEMPO 2812/2918", 6},
    {"2918", "2918 ： 29日 18:00 Z", "TEMPO 2812/2918", 11},
    {"2818", "2818 ： 29日 03:00 I (UTC+9)", "2818/2906", 0, true},
    {"0106", "0106 ： 01日 06:00 Z", "3018/0106", 5},
    // hours and minutes of a trend, a runway's state
    {"2000", nullptr, "INTER 2000/2300", 6},
    {"0330", nullptr, "INTER 0300/0330", 11},
    {"0141", nullptr, "RMK 0141//74", 4},
};

TEST(GroupExplanation, EachKindOfGroupHasItsText)
{
    for (const Case& c : cases) {
        const QString selection = QString::fromUtf8(c.selection);
        const QString console = c.console ? QString::fromUtf8(c.console) : selection;
        SCOPED_TRACE(std::string(c.selection) + " in " + console.toStdString());
        const auto result = explain_group(selection, console, c.start, static_cast<int>(selection.size()),
                                          sources(c.local, QString::fromUtf8(c.difference), c.today));
        if (c.expected)
            EXPECT_EQ(result.value_or(QStringLiteral("<nothing>")), QString::fromUtf8(c.expected));
        else
            EXPECT_FALSE(result.has_value()) << result->toStdString();
    }
}

TEST(GroupExplanation, MissingLookUpsFindNothing)
{
    const ExplanationSources none;
    EXPECT_FALSE(explain_group(QStringLiteral("RJAA"), QStringLiteral("RJAA"), 0, 4, none).has_value());
    EXPECT_EQ(explain_group(QStringLiteral("CALM"), QStringLiteral("CALM"), 0, 4, none),
              QStringLiteral("CALM ： 無風"));
}

// Groups mutated at random, placed anywhere in a console or not at all, with
// any start, length and time setting: every one ends without reading out of
// range (the sanitizer build checks), and an answer names the selection it
// explains (trimmed, as selected or in upper case; an "SLP" group by
// the characters after "SLP") before its separator.
TEST(GroupExplanation, AnySelectionInAnyConsoleEnds)
{
    const QStringList seeds = QStringLiteral(
        "FEW030CB BKN/// A2992 Q1013 27015G25KT VRB03KT 200V260 M02/M05 3SC015 281230Z R34L/M0050V0300D R/ /R "
        "SLP123 SLP VV T01230056 T1 ⊿H 2812 M / KT A Q Z 99999999999999999999999Z - の").split(u' ');
    const QString alphabet = QStringLiteral("0123456789/MVRTZKGPNUDSLAQCBFEW-+ 　⊿の\n");
    const QStringList differences = {"+9", "-5", "±0", "+13", "abc", "", "+99999999999"};
    std::mt19937 random(20261209);
    auto pick = [&](qsizetype n) { return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(random); };
    for (int i = 0; i < 20000; ++i) {
        QString selection = seeds[pick(seeds.size())];
        for (int edits = pick(4); edits > 0; --edits) {
            selection.insert(pick(selection.size() + 1), alphabet[pick(alphabet.size())]);
            selection.remove(pick(selection.size()), pick(2));
        }
        const QString before = seeds[pick(seeds.size())] + u'/';
        QString console = before + selection + seeds[pick(seeds.size())];
        int start = static_cast<int>(before.size()), length = static_cast<int>(selection.size());
        switch (pick(3)) {
        case 0: start = pick(console.size() + 3) - 1; break;
        case 1: start = pick(2) ? INT_MAX : INT_MIN; length = pick(2) ? INT_MAX : -1; break;
        default: console.truncate(pick(console.size() + 1)); break;
        }
        const ExplanationSources s = sources(pick(2) == 1, differences[pick(differences.size())],
                                             pick(4) == 0 ? QDate() : QDate(2026, 1 + pick(12), 1));
        const std::optional<QString> answer = explain_group(selection, console, start, length, s);
        if (!answer)
            continue;
        const QString plain = selection.trimmed();
        const QString upper = plain.toUpper();
        const QString head = upper.startsWith(u"SLP") ? upper.mid(3, 3) : upper;
        bool named = false;
        for (const QString& h : {plain, head})
            for (const QString& sep : {QStringLiteral(" ： "), QStringLiteral(" : ")})
                named = named || answer->startsWith(h + sep);
        EXPECT_TRUE(named) << "[" << selection.toStdString() << "] gave [" << answer->toStdString() << "]";
    }
}

}  // namespace
