// The Japanese translation of observations without a window or database:
// the group translators, the header, the observation groups, the landing
// forecast, the remarks and the ends of reports.
#include "translation_support.h"

#include "translate/group_reader.h"
#include "translate/translation.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

using kolde_sub::translate_observation;
using kolde_test::test_sources;
using kolde_test::translation_lines;

namespace {

const QString untranslatable = QString::fromUtf8(kolde_sub::untranslatable_text);
const QString indent = QStringLiteral("　　　　　　　　");

QString u8(const char* s) { return QString::fromUtf8(s); }

QStringList u8_list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* s : items)
        out << u8(s);
    return out;
}

kolde_sub::Translation translate(const QString& body, const kolde_sub::TranslationSources& sources = test_sources(),
                                 const QString& time = QStringLiteral("0900I"), const QString& code = QStringLiteral("RJTT"))
{
    return translate_observation(code, time, body, sources);
}

// The lines after the header and its empty line.
QStringList body_lines(const QString& text)
{
    const qsizetype at = text.indexOf(QStringLiteral("\r\n\r\n"));
    if (at < 0)
        return {QStringLiteral("<no header>")};
    return translation_lines(text.mid(at + 4));
}

// The lines after the pressure line.
QStringList lines_after_pressure(const QString& text)
{
    const QStringList lines = translation_lines(text);
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(u8("地上気圧")) || lines[i].startsWith(u8("高度計規正値 ： ")))
            return lines.mid(i + 1);
    return {QStringLiteral("<no pressure line>")};
}

// Remark lines: the first under the label, the others indented.
QStringList remark_lines(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << (out.isEmpty() ? u8("備　　考　　 ： ") : indent) + u8(t);
    return out;
}

// ----------------------------------------------------------------- groups

TEST(GroupTranslators, Wind)
{
    const struct {
        const char* group;
        std::optional<const char*> text;
    } cases[] = {
        {"00000KT", "風速 0.4ノット以下の静穏な風"},
        {"00000MPS", "000°方向から 0ノット"},
        {"VRB03KT", "風向が特定できない 3ノットの風"},
        {"VRB05G15KT", "風向が特定できない 5ノットの風"},
        {"27015G25KT", "270°方向から 15ノット / 最大瞬間風速 25ノット"},
        {"050P99KT", "050°方向から 100ノット以上"},
        {"27050GP99KT", "270°方向から 50ノット / 最大瞬間風速 100ノット以上"},
        {"03005KT", "030°方向から 5ノット"},
        {"270105KT", "270°方向から 105ノット"},
        {"5KT", std::nullopt},
        {"KT", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<QString> got = kolde_sub::translate_wind(u8(c.group));
        if (c.text)
            EXPECT_EQ(got, u8(*c.text)) << c.group;
        else
            EXPECT_FALSE(got) << c.group;
    }
}

TEST(GroupTranslators, SeaLevelPressureAndTheDigitsLeftBehind)
{
    const struct {
        const char* group;
        std::optional<const char*> text;
        const char* left;
    } cases[] = {
        {"SLP013", "1001.3", "013"}, {"SLP123", "1012.3", "123"}, {"SLP499", "1049.9", "499"},
        {"SLP500", "950.0", "500"},  {"SLP982", "998.2", "982"},  {"SLPNO", std::nullopt, "NO"},
        {"SLP", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        QString group = u8(c.group);
        const std::optional<QString> got = kolde_sub::translate_slp(group);
        if (c.text)
            EXPECT_EQ(got, u8(*c.text)) << c.group;
        else
            EXPECT_FALSE(got) << c.group;
        EXPECT_EQ(group, u8(c.left)) << c.group;
    }
}

TEST(GroupTranslators, RunwayVisualRange)
{
    const struct {
        const char* group;
        std::optional<const char*> text;
    } cases[] = {
        {"R34L/////", "滑走路34LのRVRは、欠測している"},
        {"R34L/1200U", "滑走路34LのRVRは、1200メートルで、さらに上昇中"},
        {"R34L/1200D", "滑走路34LのRVRは、1200メートルで、さらに下降中"},
        {"R34L/1200", "滑走路34LのRVRは、1200メートルで、変化傾向は不明"},
        {"R34L/1200N", "滑走路34LのRVRは、1200メートルで、変化なし"},
        {"R34L/P1800N", "滑走路34LのRVRは、1800メートル(測定範囲の上限)を超えており、変化なし"},
        {"R34L/P1800U", "滑走路34LのRVRは、1800メートル(測定範囲の上限)を超えており、さらに上昇中"},
        {"R34L/P1800D", "滑走路34LのRVRは、1800メートル(測定範囲の上限)を超えて"},
        {"R34L/P1800", "滑走路34LのRVRは、1800メートル(測定範囲の上限)を超えており、変化傾向は不明"},
        {"R34L/M0050D", "滑走路34LのRVRは、50メートル(測定範囲の下限)を下回っており、さらに下降中"},
        {"R34L/M0050U", "滑走路34LのRVRは、50メートル(測定範囲の下限)を下回って"},
        {"R16R/0600V1000U", "滑走路16RのRVRは、600メートルから1000メートルの間を変動しながら上昇中"},
        {"R16R/0600V1000D", "滑走路16RのRVRは、600メートルから1000メートルの間を変動しながら下降中"},
        {"R16R/0600VP1500N", "滑走路16RのRVRは、600メートルから1500メートル(測定範囲の上限)の間を変動しており、変化なし"},
        {"R34L/M0050V0300D", "滑走路34LのRVRは、50メートル(測定範囲の下限)から300メートルの間を変動しながら下降中"},
        {"R28L/1000V1600FT", "滑走路28LのRVRは、1000フィートから1600フィートの間を変動しており、変化傾向は不明"},
        // Feet with the tendency after a second "/".
        {"R05/P6000FT/N", "滑走路05のRVRは、6000フィート(測定範囲の上限)を超えており、変化なし"},
        {"R05/1200FT/D", "滑走路05のRVRは、1200フィートで、さらに下降中"},
        // Never a number the group does not hold.
        {"R12////", "滑走路12のRVRは、欠測している"},
        {"R28/P2000VP2000U", "滑走路28のRVRは、2000メートル(測定範囲の上限)を超えており、さらに上昇中"},
        {"R10/M0050VP2000N",
         "滑走路10のRVRは、50メートル(測定範囲の下限)から2000メートル(測定範囲の上限)の間を変動しており、変化なし"},
        {"R34L1200", std::nullopt},
        {"/R341200", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<QString> got = kolde_sub::translate_rvr(u8(c.group));
        if (c.text)
            EXPECT_EQ(got, u8(*c.text)) << c.group;
        else
            EXPECT_FALSE(got) << c.group;
    }
}

// ----------------------------------------------------------------- header

TEST(ReportTranslation, HeaderNamesTheStationKindAndTime)
{
    const struct {
        const char* code;
        const char* time;
        const char* first_line;
        bool routine;
    } cases[] = {
        {"RJTT", "0900I", "*** 東京国際空港 定時飛行場実況通報 09時00分(I) 発表 ***", true},
        {"RJTT", "0530Z", "*** 東京国際空港 定時飛行場実況通報 05時30分(Z) 発表 ***", true},
        {"RJTT", "0550Z", "*** 東京国際空港 定時飛行場実況通報 05時50分(Z) 発表 ***", true},
        {"RJTT", "0555Z", "*** 東京国際空港 定時飛行場実況通報 05時55分(Z) 発表 ***", true},
        {"RJTT", "0520Z", "*** 東京国際空港 特別飛行場実況通報 05時20分(Z) 発表 ***", false},
        {"RJTT", "0545Z", "*** 東京国際空港 特別飛行場実況通報 05時45分(Z) 発表 ***", false},
        {"RJTT", "0549Z", "*** 東京国際空港 特別飛行場実況通報 05時49分(Z) 発表 ***", false},
        // Blanks of either width leave the name; the suffix goes by the code.
        {"RJAA", "1200Z", "*** 成田国際空港 定時飛行場実況通報 12時00分(Z) 発表 ***", true},
        {"RJTY", "2130R", "*** 横田飛行場 定時飛行場実況通報 21時30分(R) 発表 ***", true},
        {"RODN", "1200Z", "*** 飛行場 定時飛行場実況通報 12時00分(Z) 発表 ***", true},
        {"RJXX", "1215Z", "*** 空港 特別飛行場実況通報 12時15分(Z) 発表 ***", false},
        {"rjtt", "1200Z", "*** 東京国際空港 定時飛行場実況通報 12時00分(Z) 発表 ***", true},
        // A time difference beyond the zone letters comes as its offset.
        {"RJTT", "1000+13", "*** 東京国際空港 定時飛行場実況通報 10時00分(+13) 発表 ***", true},
    };
    for (const auto& c : cases) {
        const kolde_sub::Translation t =
            translate(QStringLiteral("27010KT 9999 15/08 Q1020"), test_sources(), u8(c.time), u8(c.code));
        EXPECT_TRUE(t.text.startsWith(u8(c.first_line) + QStringLiteral("\r\n\r\n") + u8("風向/風速　　： ")))
            << c.code << " " << c.time << "\n" << t.text.toStdString();
        EXPECT_EQ(t.routine, c.routine) << c.code << " " << c.time;
    }
    // Remarks in minutes take the header's zone, however long.
    EXPECT_EQ(lines_after_pressure(translate(QStringLiteral("27010KT 9999 15/08 Q1020 RMK RAB05"), test_sources(),
                                             QStringLiteral("1000+13"))
                                       .text),
              remark_lines({"10時05分(+13)から雨を観測"}));
}

// ------------------------------------------------------ observation groups

TEST(ReportTranslation, ObservationGroups)
{
    const struct {
        const char* body;
        QStringList lines;
    } cases[] = {
        {"AUTO 27010KT 9999 15/08 Q1020",
         u8_list({"観測形態　　 ： 自動観測装置による観測 (METAR AUTO)", "風向/風速　　： 270°方向から 10ノット",
                  "地上視程　　 ： 10キロメートル以上", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃",
                  "地上気圧　　 ： 1020.0ヘクトパスカル"})},
        // No pressure group: what follows the temperatures is no pressure.
        {"27010KT 9999 15/08 NOSIG",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 10キロメートル以上", "地上気温　　 ： 15℃",
                  "露点温度　　 ： 8℃", "補足記事　　 ： 顕著な天候変化なし"})},
        {"27010KT 9999 15/08 Q//// BECMG 3000",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 10キロメートル以上", "地上気温　　 ： 15℃",
                  "露点温度　　 ： 8℃", "着陸予報　　 ： 地上視程 3000メートル に序々に変化"})},
        {"CALM 0800 M02/M05 A2992",
         u8_list({"風向/風速　　： 無風", "地上視程　　 ： 800メートル", "地上気温　　 ： マイナス 2℃",
                  "露点温度　　 ： マイナス 5℃", "高度計規正値 ： 29.92インチ水銀柱"})},
        // Winds in metres per second.
        {"05005MPS 5KM 15/08 Q1008",
         u8_list({"風向/風速　　： 050°方向から 5メートル毎秒", "地上視程　　 ： 5キロメートル", "地上気温　　 ： 15℃",
                  "露点温度　　 ： 8℃", "地上気圧　　 ： 1008.0ヘクトパスカル"})},
        {"15003G12MPS 120V180 9999 15/08 Q1008",
         u8_list({"風向/風速　　： 150°方向から 3メートル毎秒 / 最大瞬間風速 12メートル毎秒 / 120°から 180°の間で風向変動あり",
                  "地上視程　　 ： 10キロメートル以上", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃",
                  "地上気圧　　 ： 1008.0ヘクトパスカル"})},
        {"VRB02MPS CAVOK 15/08 Q1008",
         u8_list({"風向/風速　　： 風向が特定できない 2メートル毎秒の風", "現在天気　　 ： 晴れ", "地上気温　　 ： 15℃",
                  "露点温度　　 ： 8℃", "地上気圧　　 ： 1008.0ヘクトパスカル"})},
        {"00000MPS CAVOK 15/08 Q1008",
         u8_list({"風向/風速　　： 無風", "現在天気　　 ： 晴れ", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃",
                  "地上気圧　　 ： 1008.0ヘクトパスカル"})},
        {"050P49MPS 9999 15/08 Q1008",
         u8_list({"風向/風速　　： 050°方向から 50メートル毎秒以上", "地上視程　　 ： 10キロメートル以上",
                  "地上気温　　 ： 15℃", "露点温度　　 ： 8℃", "地上気圧　　 ： 1008.0ヘクトパスカル"})},
        {"27015G25KT 240V300 10SM 15/08 A3001",
         u8_list({"風向/風速　　： 270°方向から 15ノット / 最大瞬間風速 25ノット / 240°から 300°の間で風向変動あり",
                  "地上視程　　 ： 10陸マイル (Statute Mile) 以上", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃",
                  "高度計規正値 ： 30.01インチ水銀柱"})},
        {"VRB03KT CAVOK 22/12 Q1012",
         u8_list({"風向/風速　　： 風向が特定できない 3ノットの風", "現在天気　　 ： 晴れ", "地上気温　　 ： 22℃",
                  "露点温度　　 ： 12℃", "地上気圧　　 ： 1012.0ヘクトパスカル"})},
        {"00000KT SKC 05/M01 Q1030",
         u8_list({"風向/風速　　： 風速 0.4ノット以下の静穏な風", "現在天気　　 ： 快晴", "地上気温　　 ： 5℃",
                  "露点温度　　 ： マイナス 1℃", "地上気圧　　 ： 1030.0ヘクトパスカル"})},
        {"27010KT 3SM R28L/1000V1600FT BR 15/08 A2992",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 3 陸マイル (Statute Mile)",
                  "滑走路視距離 ： 滑走路28LのRVRは、1000フィートから1600フィートの間を変動しており、変化傾向は不明",
                  "現在天気　　 ： もや", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃",
                  "高度計規正値 ： 29.92インチ水銀柱"})},
        // Two RVR groups: the label, then the indent; dictionary words
        // after the first weather line stay on its line.
        {"34005KT 0600 R34L/0600V1000U R16R/P1800N -RA BR FEW005 15/14 Q1008",
         u8_list({"風向/風速　　： 340°方向から 5ノット", "地上視程　　 ： 600メートル",
                  "滑走路視距離 ： 滑走路34LのRVRは、600メートルから1000メートルの間を変動しながら上昇中",
                  "　　　　　　　　滑走路16RのRVRは、1800メートル(測定範囲の上限)を超えており、変化なし",
                  "現在天気　　 ： 弱い雨  もや", "雲量/高度　　： 500フィートに少量の雲", "地上気温　　 ： 15℃",
                  "露点温度　　 ： 14℃", "地上気圧　　 ： 1008.0ヘクトパスカル"})},
        {"18010KT 4000 -SHRA BR SCT008 BKN015CB 15/14 Q1008",
         u8_list({"風向/風速　　： 180°方向から 10ノット", "地上視程　　 ： 4000メートル",
                  "現在天気　　 ： -SHRA / 弱い(-) しゅう雨性(SH) 雨(RA)  もや",
                  "雲量/高度　　： 800フィートに散在した雲", "　　　　　　　　1500フィートに多量の積乱雲",
                  "地上気温　　 ： 15℃", "露点温度　　 ： 14℃", "地上気圧　　 ： 1008.0ヘクトパスカル"})},
        // Weather codes two letters at a time, each after a blank; a note
        // in brackets (of either width) after a meaning is left out.
        {"18010KT 4000 -RA +TSRA VCSH DRSN BLSN TSR 15/14 Q1008",
         u8_list({"風向/風速　　： 180°方向から 10ノット", "地上視程　　 ： 4000メートル", "現在天気　　 ： 弱い雨",
                  "　　　　　　　　+TSRA / 強い(+) 雷電(TS) 雨(RA)", "　　　　　　　　VCSH /  付近(VC) しゅう雨性(SH)",
                  "　　　　　　　　DRSN /  低い地ふぶき(DR) 雪(SN)", "　　　　　　　　BLSN /  高い地ふぶき(BL) 雪(SN)",
                  "　　　　　　　　TSR /  雷電(TS) 記号該当なし(R)", "地上気温　　 ： 15℃", "露点温度　　 ： 14℃",
                  "地上気圧　　 ： 1008.0ヘクトパスカル"})},
        {"18002KT 0100 FG VV001 10/10 Q1010",
         u8_list({"風向/風速　　： 180°方向から 2ノット", "地上視程　　 ： 100メートル", "現在天気　　 ： 霧",
                  "鉛直視程　　 ： 100 フィート", "地上気温　　 ： 10℃", "露点温度　　 ： 10℃",
                  "地上気圧　　 ： 1010.0ヘクトパスカル"})},
        {"18010KT 9999 FEW/// SCT020TCU OVC100 10/05 Q1010",
         u8_list({"風向/風速　　： 180°方向から 10ノット", "地上視程　　 ： 10キロメートル以上",
                  "雲量/高度　　： 雲低高度不明な少量の雲", "　　　　　　　　2000フィートに散在した塔状積雲",
                  "　　　　　　　　10000フィートに全天を覆う雲", "地上気温　　 ： 10℃", "露点温度　　 ： 5℃",
                  "地上気圧　　 ： 1010.0ヘクトパスカル"})},
        // Runway visual range after every form of visibility.
        {"16008KT 9999 R31/1300VP1800U -SHRA FEW010 SCT030 BKN040 18/17 Q1019",
         u8_list({"風向/風速　　： 160°方向から 8ノット", "地上視程　　 ： 10キロメートル以上",
                  "滑走路視距離 ： 滑走路31のRVRは、1300メートルから1800メートル(測定範囲の上限)の間を変動しながら上昇中",
                  "現在天気　　 ： -SHRA / 弱い(-) しゅう雨性(SH) 雨(RA)", "雲量/高度　　： 1000フィートに少量の雲",
                  "　　　　　　　　3000フィートに散在した雲", "　　　　　　　　4000フィートに多量の雲", "地上気温　　 ： 18℃",
                  "露点温度　　 ： 17℃", "地上気圧　　 ： 1019.0ヘクトパスカル"})},
        {"16008KT 10KM R31/1300N BR 18/17 Q1019",
         u8_list({"風向/風速　　： 160°方向から 8ノット", "地上視程　　 ： 10キロメートル",
                  "滑走路視距離 ： 滑走路31のRVRは、1300メートルで、変化なし", "現在天気　　 ： もや", "地上気温　　 ： 18℃",
                  "露点温度　　 ： 17℃", "地上気圧　　 ： 1019.0ヘクトパスカル"})},
        {"16008KT 10SM R31/P6000FT BR 18/17 A2992",
         u8_list({"風向/風速　　： 160°方向から 8ノット", "地上視程　　 ： 10陸マイル (Statute Mile) 以上",
                  "滑走路視距離 ： 滑走路31のRVRは、6000フィート(測定範囲の上限)を超えており、変化傾向は不明",
                  "現在天気　　 ： もや", "地上気温　　 ： 18℃", "露点温度　　 ： 17℃", "高度計規正値 ： 29.92インチ水銀柱"})},
        // A directional visibility joins the visibility line and moves no
        // later group.
        {"36005KT 1200 0400W R05/0600N FG BKN002 M01/M01 Q0992 TEMPO 0200",
         u8_list({"風向/風速　　： 360°方向から 5ノット", "地上視程　　 ： 1200メートル / 西方向 400メートル",
                  "滑走路視距離 ： 滑走路05のRVRは、600メートルで、変化なし", "現在天気　　 ： 霧",
                  "雲量/高度　　： 200フィートに多量の雲", "地上気温　　 ： マイナス 1℃", "露点温度　　 ： マイナス 1℃",
                  "地上気圧　　 ： 992.0ヘクトパスカル", "着陸予報　　 ： 地上視程 200メートル に一時的に変化"})},
        {"36005KT 9999 5000NE FEW010 M01/M01 Q0992",
         u8_list({"風向/風速　　： 360°方向から 5ノット", "地上視程　　 ： 10キロメートル以上 / 北東方向 5000メートル",
                  "雲量/高度　　： 1000フィートに少量の雲", "地上気温　　 ： マイナス 1℃", "露点温度　　 ： マイナス 1℃",
                  "地上気圧　　 ： 992.0ヘクトパスカル"})},
        // Miles with a fraction, and a runway visual range in feet with its
        // tendency after a slash.
        {"27010KT 1 1/2SM R05/P6000FT/N BR OVC005 15/14 A2992",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 1 1/2 陸マイル (Statute Mile)",
                  "滑走路視距離 ： 滑走路05のRVRは、6000フィート(測定範囲の上限)を超えており、変化なし",
                  "現在天気　　 ： もや", "雲量/高度　　： 500フィートに全天を覆う雲", "地上気温　　 ： 15℃",
                  "露点温度　　 ： 14℃", "高度計規正値 ： 29.92インチ水銀柱"})},
        // A runway visual range after the weather is no temperature group.
        {"36005KT 0800 FG R05/0600N VV002 M01/M01 Q0992",
         u8_list({"風向/風速　　： 360°方向から 5ノット", "地上視程　　 ： 800メートル", "現在天気　　 ： 霧",
                  "滑走路視距離 ： 滑走路05のRVRは、600メートルで、変化なし", "鉛直視程　　 ： 200 フィート",
                  "地上気温　　 ： マイナス 1℃", "露点温度　　 ： マイナス 1℃", "地上気圧　　 ： 992.0ヘクトパスカル"})},
        // Weather after a runway visual range joins the weather lines.
        {"24010KT 0300 BR R18/0400N FG -SHRA 12/12 Q1014",
         u8_list({"風向/風速　　： 240°方向から 10ノット", "地上視程　　 ： 300メートル", "現在天気　　 ： もや  霧",
                  "　　　　　　　　-SHRA / 弱い(-) しゅう雨性(SH) 雨(RA)",
                  "滑走路視距離 ： 滑走路18のRVRは、400メートルで、変化なし", "地上気温　　 ： 12℃", "露点温度　　 ： 12℃",
                  "地上気圧　　 ： 1014.0ヘクトパスカル"})},
        {"18010KT 9999 NSC 10/05 Q1010",
         u8_list({"風向/風速　　： 180°方向から 10ノット", "地上視程　　 ： 10キロメートル以上",
                  "現在天気　　 ： 顕著な雲なし", "地上気温　　 ： 10℃", "露点温度　　 ： 5℃",
                  "地上気圧　　 ： 1010.0ヘクトパスカル"})},
        // A layer says itself whatever is glued after it: a direction, the
        // end mark, another layer.
        {"08003KT FEW0014 FEW025CB(E) FEW025CBNE BKN010CB/SE SCT010CB/S FEW025TCU(NE) FEW018CBSCT020 FEW040= 22/21 Q1010",
         u8_list({"風向/風速　　： 080°方向から 3ノット", "雲量/高度　　： 2500フィートに少量の積乱雲",
                  "　　　　　　　　2500フィートに少量の積乱雲", "　　　　　　　　1000フィートに多量の積乱雲",
                  "　　　　　　　　1000フィートに散在した積乱雲", "　　　　　　　　2500フィートに少量の塔状積雲",
                  "　　　　　　　　1800フィートに少量の積乱雲", "　　　　　　　　2000フィートに散在した雲",
                  "　　　　　　　　4000フィートに少量の雲", "地上気温　　 ： 22℃", "露点温度　　 ： 21℃",
                  "地上気圧　　 ： 1010.0ヘクトパスカル"})},
        // Winds that say their value: glued to the visibility, without a
        // direction, a gust in lower case.
        {"12006KT5000 15/08", u8_list({"風向/風速　　： 120°方向から 6ノット", "地上視程　　 ： 5000メートル",
                                      "地上気温　　 ： 15℃", "露点温度　　 ： 8℃"})},
        {"///05KT 15/08", u8_list({"風向/風速　　： 風向欠測 5ノット", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃"})},
        {"16007g23KT 15/08", u8_list({"風向/風速　　： 160°方向から 7ノット / 最大瞬間風速 23ノット", "地上気温　　 ： 15℃",
                                     "露点温度　　 ： 8℃"})},
        // No wind, or one that cannot be read: no wind line. A day-time
        // group said again, with its station or not, is passed over.
        {"9999 15/08", u8_list({"地上視程　　 ： 10キロメートル以上", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃"})},
        {"330/05KT 15/08", u8_list({"地上気温　　 ： 15℃", "露点温度　　 ： 8℃"})},
        {"3012G22KT 250V350 BK090 15/08 Q1009=",
         u8_list({"風向/風速　　： 250°から 350°の間で風向変動あり", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃",
                  "地上気圧　　 ： 1009.0ヘクトパスカル"})},
        {"500Z 00000KT 15/08", u8_list({"風向/風速　　： 風速 0.4ノット以下の静穏な風", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃"})},
        {"RJTT 060000Z 00000KT 15/08", u8_list({"風向/風速　　： 風速 0.4ノット以下の静穏な風", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃"})},
        // Another station's report run on in the line is not this one's.
        {"00000KT 15/08 METAR RJAA 060000Z 18005KT 12/10 NOSIG",
         u8_list({"風向/風速　　： 風速 0.4ノット以下の静穏な風", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃"})},
        {"00000KT 15/08 HZ RJAA 060000Z 18005KT RMK NEXT 060800 SLP116",
         u8_list({"風向/風速　　： 風速 0.4ノット以下の静穏な風", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃"})},
    };
    for (const auto& c : cases) {
        const kolde_sub::Translation t = translate(u8(c.body));
        EXPECT_EQ(body_lines(t.text), c.lines) << c.body;
        EXPECT_TRUE(t.text.endsWith(QStringLiteral("\r\n"))) << c.body;
    }
}

// ---------------------------------------------------------------- trend

TEST(ReportTranslation, LandingForecastInUtcAndLocalTime)
{
    const struct {
        const char* trend;
        bool local;
        const char* difference;
        const char* line;  // empty: no landing forecast
    } cases[] = {
        {"BECMG TL0630 27015KT", true, "+9", "着陸予報　　 ： 15時30分(I)までに、風が 270°方向から 15ノット に序々に変化"},
        {"BECMG TL0630 27015KT", true, "+10", "着陸予報　　 ： 16時30分(K)までに、風が 270°方向から 15ノット に序々に変化"},
        {"BECMG TL0630 27015KT", false, "+9", "着陸予報　　 ： 06時30分(Z)までに、風が 270°方向から 15ノット に序々に変化"},
        {"TEMPO TL0230 3000", true, "-5", "着陸予報　　 ： 21時30分(R)までに、地上視程 3000メートル に一時的に変化"},
        // The computer's own offset on a machine in UTC.
        {"TEMPO FM0630 3000", true, "±0", "着陸予報　　 ： 06時30分(Z)以降、地上視程 3000メートル に一時的に変化"},
        {"BECMG FM2000 TL2200 BKN008", true, "+9",
         "着陸予報　　 ： 05時00分(I)以降、07時00分(I)までに、800フィートに多量の雲 に序々に変化"},
        {"TEMPO 3000", false, "", "着陸予報　　 ： 地上視程 3000メートル に一時的に変化"},
        {"TEMPO FEW008 SCT015 BKN020 OVC030", false, "",
         "着陸予報　　 ： 800フィートに少量の雲 1500フィートに散在する雲 2000フィートに多量の雲 3000フィートに全天を覆う雲 "
         "に一時的に変化"},
        {"TEMPO 3000 BECMG 5000", false, "", "着陸予報　　 ： 地上視程 3000メートル 地上視程 5000メートル に序々に変化"},
        // Gusts and three-digit speeds stay out of the direction.
        {"BECMG 27015G25KT", false, "", "着陸予報　　 ： 風が 270°方向から 15ノット に序々に変化"},
        {"BECMG 270105KT", false, "", "着陸予報　　 ： 風が 270°方向から 105ノット に序々に変化"},
        // Only four digits are a visibility; weather is read as in the
        // observation, the dictionary first.
        {"TEMPO TSRA", false, "", "着陸予報　　 ： 雷電(TS) 雨(RA) に一時的に変化"},
        {"TEMPO SHRA VCSH", false, "", "着陸予報　　 ： しゅう雨性(SH) 雨(RA) 付近(VC) しゅう雨性(SH) に一時的に変化"},
        {"TEMPO 3000 -RA BR", false, "", "着陸予報　　 ： 地上視程 3000メートル 弱い雨 もや に一時的に変化"},
        {"BECMG +SHSN", false, "", "着陸予報　　 ： 強い(+) しゅう雨性(SH) 雪(SN) に序々に変化"},
        {"BECMG 9999 NSW NSC", false, "", "着陸予報　　 ： 地上視程 9999メートル 顕著な雲なし に序々に変化"},
        {"BECMG CAVOK", false, "", "着陸予報　　 ： 晴れ に序々に変化"},
        // Times and winds are read by their form only.
        {"BECMG FM 0550Z TL113 0 GUST 20-25KTS FEW///", false, "", "着陸予報　　 ： 05時50分(Z)以降、に序々に変化"},
        {"TEMPO TL 1800 5000 AT 1115 BK090", false, "", "着陸予報　　 ： 18時00分(Z)までに、地上視程 5000メートル に一時的に変化"},
        // A time difference beyond a zone letter is shown as it is.
        {"BECMG TL0630 27015KT", true, "+13", "着陸予報　　 ： 19時30分(+13)までに、風が 270°方向から 15ノット に序々に変化"},
        {"BECMG TL0630 27015KT", true, "-13", "着陸予報　　 ： 17時30分(-13)までに、風が 270°方向から 15ノット に序々に変化"},
        // The forecast begins at its change word; winds in metres per
        // second; a forecast that gives nothing gives no line.
        {"RERA BECMG 5000", false, "", "着陸予報　　 ： 地上視程 5000メートル に序々に変化"},
        {"WS R24 BLU TEMPO 24010G18MPS", false, "", "着陸予報　　 ： 風が 240°方向から 10メートル毎秒 に一時的に変化"},
        {"BLU TEMPO BLU", false, "", ""},
        {"BECMG FCST 3000", false, "", ""},
        {"NOSIG", false, "", ""},
    };
    for (const auto& c : cases) {
        const QString body = QStringLiteral("27010KT 9999 FEW030 15/08 Q1020 ") + u8(c.trend);
        const kolde_sub::Translation t = translate(body, test_sources(c.local, u8(c.difference)));
        const QStringList after = lines_after_pressure(t.text);
        const QStringList trend = after.filter(QRegularExpression(QStringLiteral("^着陸予報")));
        if (*c.line)
            EXPECT_EQ(trend, QStringList{u8(c.line)}) << c.trend << " " << c.difference;
        else
            EXPECT_TRUE(trend.isEmpty()) << c.trend;
    }
}

TEST(ReportTranslation, NoSignificantChangeAndTrendBeforeRemarks)
{
    EXPECT_EQ(lines_after_pressure(translate(QStringLiteral("27010KT 9999 FEW030 15/08 Q1020 NOSIG")).text),
              u8_list({"補足記事　　 ： 顕著な天候変化なし"}));
    EXPECT_EQ(lines_after_pressure(translate(QStringLiteral("27010KT 9999 FEW030 15/08 Q1020 BECMG 3000 RMK A2992")).text),
              u8_list({"着陸予報　　 ： 地上視程 3000メートル に序々に変化", "備　　考　　 ： 高度計規正値 29.92インチ水銀柱"}));
}

// --------------------------------------------------------------- remarks

TEST(ReportTranslation, Remarks)
{
    const struct {
        const char* remarks;
        bool local;
        const char* difference;
        QStringList lines;
    } cases[] = {
        {"A2992", false, "", remark_lines({"高度計規正値 29.92インチ水銀柱"})},
        {"AO1", false, "", remark_lines({"降水測定機能のない自動観測装置による観測"})},
        {"AO2 SLP013", false, "", remark_lines({"降水測定機能のある自動観測装置による観測", "海面水位圧力 1001.3ヘクトパスカル"})},
        {"SLP982", false, "", remark_lines({"海面水位圧力 998.2ヘクトパスカル"})},
        {"TSB1215", false, "", remark_lines({"12時15分(Z)から雷雨を観測"})},
        {"TSB1215", true, "+9", remark_lines({"21時15分(I)から雷雨を観測"})},
        // Not a temperature group although it holds a T and 12 characters.
        {"TSB1215E1230", false, "", remark_lines({"12時15分(Z)から雷雨を観測し、12時30分(Z)に観測を終了"})},
        // Minutes only: the hour and zone letter of the header.
        {"RAB05E30", true, "+9", remark_lines({"09時05分(I)から雨を観測し、09時30分(I)に観測を終了"})},
        {"SNB05", false, "", remark_lines({"09時05分(I)から雪を観測"})},
        {"SNE1040", true, "-5", remark_lines({"05時40分(R)に雪の観測を終了"})},
        {"DZE45", false, "", remark_lines({"09時45分(I)に霧雨の観測を終了"})},
        {"RAB0530 RAE0610", true, "+10", remark_lines({"15時30分(K)から雨を観測", "16時10分(K)に雨の観測を終了"})},
        {"P0012 60025 70100 T01230045", false, "",
         remark_lines({"過去1時間あたりの降水量 0.12インチ", "過去3時間の降水量 0.25インチ", "過去24時間の降水量 1インチ",
                       "地上気温 12.3℃", "露点温度 4.5℃"})},
        // Only "P" and four digits is the last hour's precipitation, and
        // only 6- and 7-groups follow it; slashes were not measured.
        {"PWINO PP000 PHONE PANCH PA-33", false, "", {}},
        {"P0001 10170 20110 52010 SLP131", false, "",
         remark_lines({"過去1時間あたりの降水量 0.01インチ", "海面水位圧力 1013.1ヘクトパスカル"})},
        {"P//// 6////", false, "", remark_lines({"過去1時間あたりの降水量 欠測", "過去3時間の降水量 欠測"})},
        {"T01220117$", false, "", remark_lines({"地上気温 12.2℃", "露点温度 11.7℃", "自動観測装置のメンテナンスが必要"})},
        {"T01230045 1//// 2//// 5////", false, "",
         remark_lines({"地上気温 12.3℃", "露点温度 4.5℃", "過去6時間以内の最高気温 欠測", "過去6時間以内の最低気温 欠測",
                       "過去3時間の気圧変化 欠測"})},
        // Times of weather that began or ended are read by their form.
        {"SHRAE46 FZRAB50 UPE14FZRAB45", true, "+9",
         remark_lines({"09時46分(I)に雨の観測を終了", "09時50分(I)から雨を観測", "09時45分(I)から雨を観測"})},
        // No number where the remark has none.
        {"3AC 7AC 4SC SLP95 SC5AC3", false, "", {}},
        {"P0000", false, "", remark_lines({"過去1時間あたりの降水量 0.01インチ以下"})},
        // The group that ends the temperature run is read once, in the
        // next turn.
        {"T01231045 10150 21001 56012 401501010 A2992", false, "",
         remark_lines({"地上気温 12.3℃", "露点温度 マイナス 4.5℃", "過去6時間以内の最高気温 15.0℃",
                       "過去6時間以内の最低気温 マイナス 0.1℃", "過去3時間の気圧変化 1.2ヘクトパスカル",
                       "過去24時間以内の最高気温 15.0℃", "過去24時間以内の最低気温 マイナス 1.0℃",
                       "高度計規正値 29.92インチ水銀柱"})},
        {"P/RR P/FR", false, "", remark_lines({"地上気圧が急速に上昇中", "地上気圧が急速に下降中"})},
        {"WS R34L", false, "", remark_lines({"滑走路34Lにウィンドシァー警報"})},
        {"WSHFT 2358 WS RWY24", false, "", remark_lines({"滑走路24にウィンドシァー警報"})},
        {"LIGHTNING NE", false, "", remark_lines({"空港の北東方向に稲光を観測"})},
        {"CB SW-NW TCU W FG S RA N", false, "",
         remark_lines({"空港の南西から北西方向にかけて積乱雲を観測", "空港の西方向に塔状積雲を観測", "空港の南方向に霧を観測",
                       "空港の北方向に雨を観測"})},
        // Without a direction a remark names none, and a group that is no
        // direction is read as a remark of its own; a direction one word
        // later is read.
        {"CB OHD", false, "", remark_lines({"空港で積乱雲を観測"})},
        {"FG ON RWY34R", false, "", remark_lines({"空港で霧を観測"})},
        {"FG ON RWY", false, "", remark_lines({"空港で霧を観測"})},
        {"FG NE-E ON RWY34R", false, "", remark_lines({"空港の北東から東方向にかけて霧を観測"})},
        {"CB A2992", false, "", remark_lines({"空港で積乱雲を観測", "高度計規正値 29.92インチ水銀柱"})},
        {"CB TO NE", false, "", remark_lines({"空港の北東方向に積乱雲を観測"})},
        // Something distant is never at the airport.
        {"CB DSNT SW-W A2992", false, "",
         remark_lines({"空港の南西から西方向にかけての遠方に積乱雲を観測", "高度計規正値 29.92インチ水銀柱"})},
        {"DISTANT LIGHTNING TO E/SE", false, "", remark_lines({"空港の東・南東方向の遠方に稲光を観測"})},
        {"DIST CB TO SW TCU DSNT", false, "", remark_lines({"空港の南西方向の遠方に積乱雲を観測", "遠方に塔状積雲を観測"})},
        {"DSNT LIGHTNING", false, "", remark_lines({"遠方に稲光を観測"})},
        {"FG BNK DSNT NE-S CB TOPS DSNT NW", false, "",
         remark_lines({"空港の北東から南方向にかけての遠方に霧を観測", "空港の北西方向の遠方に積乱雲を観測"})},
        {"CB OHD MOV E", false, "", remark_lines({"空港で積乱雲を観測"})},
        {"CB TCU W", false, "", remark_lines({"空港で積乱雲を観測", "空港の西方向に塔状積雲を観測"})},
        {"VIS REDUCED TO EAST", false, "", {}},
        {"VIS S 1200 A2992", false, "", remark_lines({"空港の南方向の視程は 1200メートル", "高度計規正値 29.92インチ水銀柱"})},
        // Only "A" and four digits is an altimeter setting.
        {"OVER ANGEL B773", false, "", {}},
        {"ALQDS A29.9", false, "", {}},
        {"VIS SW-NW 3000", false, "", remark_lines({"空港の南西から北西方向にかけての視程は 3000メートル"})},
        {"VIS E 5KM", false, "", remark_lines({"空港の東方向の視程は 5キロメートル"})},
        {"VIS N AND S 3500M", false, "", remark_lines({"空港の北・南方向の視程は 3500メートル"})},
        {"VIS NE 2 1/2 TCU N AND S", false, "",
         remark_lines({"空港の北東方向の視程は 2 1/2 陸マイル (Statute Mile)", "空港の北・南方向に塔状積雲を観測"})},
        {"VIS S VLY 11/2 VIS SE-SW 12", false, "",
         remark_lines({"空港の南方向の視程は 1 1/2 陸マイル (Statute Mile)",
                       "空港の南東から南西方向にかけての視程は 12 陸マイル (Statute Mile)"})},
        {"CIG 005V010 CIG 012", false, "",
         remark_lines({"雲底高度 500フィートから1000フィートの間を変動", "雲底高度 1200フィート"})},
        // A ceiling without a height gives none; what follows is read.
        {"CIG RAG A2992", false, "", remark_lines({"高度計規正値 29.92インチ水銀柱"})},
        {"CIG VRB 5-9", false, "", {}},
        // Not a temperature group either; the report ends after it.
        {"LIGHTNING", false, "", remark_lines({"空港で稲光を観測"})},
        {"", false, "", {}},
    };
    for (const auto& c : cases) {
        const QString body = QStringLiteral("27010KT 9999 15/08 Q1020 RMK ") + u8(c.remarks);
        const kolde_sub::Translation t = translate(body, test_sources(c.local, u8(c.difference)));
        EXPECT_EQ(lines_after_pressure(t.text), c.lines) << c.remarks << " " << c.difference;
    }
}

TEST(ReportTranslation, CloudRemarksNameTheTypeOfTheirCloudLine)
{
    const QString main = QStringLiteral("27010KT 9999 FEW015 SCT030 FEW020TCU 15/08 Q1020 RMK ");
    const struct {
        const char* remarks;
        QStringList clouds;
        QStringList remarks_lines;
    } cases[] = {
        {"1CU015",
         u8_list({"1500フィートに少量の積雲 (Cumulus)", "3000フィートに散在した雲", "2000フィートに少量の塔状積雲"}), {}},
        {"3SC030 1CB015",
         u8_list({"1500フィートに少量の積乱雲 (Cumulonimbus)", "3000フィートに散在した層積雲 (Stratocumulus)",
                  "2000フィートに少量の塔状積雲"}),
         {}},
        {"3SC040", u8_list({"1500フィートに少量の雲", "3000フィートに散在した雲", "2000フィートに少量の塔状積雲"}),
         remark_lines({"4000フィートに散在した層積雲 (Stratocumulus)"})},
        // After a group that is no cloud group, a cloud group is not read.
        {"A2992 1CU015", u8_list({"1500フィートに少量の雲", "3000フィートに散在した雲", "2000フィートに少量の塔状積雲"}),
         remark_lines({"高度計規正値 29.92インチ水銀柱"})},
        // 500 feet is not the end of 1500 feet.
        {"1CU005", u8_list({"1500フィートに少量の雲", "3000フィートに散在した雲", "2000フィートに少量の塔状積雲"}),
         remark_lines({"500フィートに少量の積雲 (Cumulus)"})},
        // The height of TCU follows its three letters, and its CU is no
        // second cloud.
        {"1TCU020",
         u8_list({"1500フィートに少量の雲", "3000フィートに散在した雲", "2000フィートに少量の塔状積雲 (Towering Cumulus)"}),
         {}},
    };
    for (const auto& c : cases) {
        const QString text = translate(main + u8(c.remarks)).text;
        const QStringList lines = body_lines(text);
        const auto cloud_label = std::find_if(lines.begin(), lines.end(),
                                              [](const QString& l) { return l.startsWith(u8("雲量/高度")); });
        const qsizetype first = cloud_label - lines.begin();
        ASSERT_LT(first, lines.size()) << text.toStdString();
        // The lines without their label or indent.
        QStringList clouds = lines.mid(first, 3);
        for (QString& l : clouds)
            l = l.startsWith(indent) ? l.mid(indent.size()) : l.mid(l.indexOf(u8("： ")) + 2);
        EXPECT_EQ(clouds, c.clouds) << c.remarks;
        EXPECT_EQ(lines_after_pressure(text), c.remarks_lines) << c.remarks;
    }
}

TEST(ReportTranslation, RemarksFoundAnywhereInTheBody)
{
    const struct {
        const char* body;
        QStringList last_lines;
    } cases[] = {
        {"27010KT 9999 15/08 Q1020 RMK A2992 YELLOW SAND",
         remark_lines({"高度計規正値 29.92インチ水銀柱", "黄砂を観測"})},
        {"27010KT 9999 15/08 Q1020 FOG ON 34L", remark_lines({"滑走路 34L上に霧を観測"})},
        {"27010KT 9999 15/08 Q1020 RMK MAX WIND 35KT", remark_lines({"最大風速 35ノット"})},
        {"27010KT 9999 15/08 Q1020 RMK $", remark_lines({"自動観測装置のメンテナンスが必要"})},
        {"27010KT 9999 15/08 Q1020 RMK\nYELLOW SAND FOG ON 16R MAX WIND 40KT $",
         remark_lines({"黄砂を観測", "滑走路 16R上に霧を観測", "最大風速 40ノット", "自動観測装置のメンテナンスが必要"})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lines_after_pressure(translate(u8(c.body)).text), c.last_lines) << c.body;
}

// ------------------------------------------------------------ failures

TEST(ReportTranslation, AGroupThatCannotBeReadGivesTheFixedTextAlone)
{
    for (const char* body : {"27010KT 9999 15/08 Q1020 RMK SLPNO"}) {
        const kolde_sub::Translation t = translate(u8(body), test_sources(), QStringLiteral("0915Z"));
        EXPECT_EQ(t.text, untranslatable) << body;
        EXPECT_FALSE(t.routine) << body;
    }
}

// ----------------------------------------------------------- report ends

TEST(ReportTranslation, AReportThatEndsEarlyShowsEachGroupOnce)
{
    const struct {
        const char* body;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"27010KT", u8_list({"風向/風速　　： 270°方向から 10ノット"})},
        {"27010KT 9999 FEW030",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 10キロメートル以上",
                  "雲量/高度　　： 3000フィートに少量の雲"})},
        {"27010KT 0800 R34L/1200U",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 800メートル",
                  "滑走路視距離 ： 滑走路34LのRVRは、1200メートルで、さらに上昇中"})},
        {"27010KT 9999 FEW030 15/08",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 10キロメートル以上",
                  "雲量/高度　　： 3000フィートに少量の雲", "地上気温　　 ： 15℃", "露点温度　　 ： 8℃"})},
        {"27010KT CAVOK", u8_list({"風向/風速　　： 270°方向から 10ノット", "現在天気　　 ： 晴れ"})},
        {"27010KT 9999 15/08 Q1020 BECMG 3000",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 10キロメートル以上", "地上気温　　 ： 15℃",
                  "露点温度　　 ： 8℃", "地上気圧　　 ： 1020.0ヘクトパスカル",
                  "着陸予報　　 ： 地上視程 3000メートル に序々に変化"})},
        {"27010KT 9999 15/08 Q1020 RMK T01230045 10150",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 10キロメートル以上", "地上気温　　 ： 15℃",
                  "露点温度　　 ： 8℃", "地上気圧　　 ： 1020.0ヘクトパスカル", "備　　考　　 ： 地上気温 12.3℃",
                  "　　　　　　　　露点温度 4.5℃", "　　　　　　　　過去6時間以内の最高気温 15.0℃"})},
        {"27010KT 9999 15/08 Q1020 RMK P0012 60025",
         u8_list({"風向/風速　　： 270°方向から 10ノット", "地上視程　　 ： 10キロメートル以上", "地上気温　　 ： 15℃",
                  "露点温度　　 ： 8℃", "地上気圧　　 ： 1020.0ヘクトパスカル",
                  "備　　考　　 ： 過去1時間あたりの降水量 0.12インチ", "　　　　　　　　過去3時間の降水量 0.25インチ"})},
    };
    for (const auto& c : cases) {
        const kolde_sub::Translation t = translate(u8(c.body));
        EXPECT_EQ(body_lines(t.text), c.lines) << c.body;
        EXPECT_TRUE(t.text.endsWith(QStringLiteral("\r\n"))) << c.body;
    }
}

TEST(ReportTranslation, BlanksLineBreaksAndTheWordsLastAndFirstSeparateGroupsOnly)
{
    const QString plain = translate(QStringLiteral("27010KT 9999 FEW030 15/08 Q1020 RMK A2992")).text;
    for (const char* body : {"27010KT  9999   FEW030 15/08 Q1020 RMK A2992 ", " 27010KT 9999 FEW030\r\n15/08\nQ1020 RMK\tA2992\n",
                             "27010KT 9999 LAST FEW030 15/08 FIRST Q1020 RMK A2992 LAST"})
        EXPECT_EQ(translate(u8(body)).text, plain) << body;
}

// ------------------------------------------------------------------ yield

TEST(ReportTranslation, YieldsAfterEveryGroupOfItsLoops)
{
    int yields = 0;
    kolde_sub::TranslationSources s = test_sources();
    s.yield = [&] {
        ++yields;
        return true;
    };
    const QString body = QStringLiteral("27010KT 0800 R34L/1200U -RA FEW015 15/08 Q1020 BECMG 3000 RMK A2992 SLP013");
    const QString with_yield = translate(body, s).text;
    // One RVR group, two of weather and cloud, BECMG 3000 RMK, two remarks.
    EXPECT_EQ(yields, 8);
    EXPECT_EQ(with_yield, translate(body).text);
}

// ----------------------------------------------------------- the reader

TEST(GroupReader, ReadsEveryGroupOnceAndStopsAtTheEnd)
{
    const QString text = QStringLiteral("  A  BB LAST C ");
    kolde_sub::jp::GroupReader r(text);
    EXPECT_EQ(r.next(), u"A");
    EXPECT_FALSE(r.last());
    EXPECT_EQ(r.next(), u"BB");
    EXPECT_FALSE(r.last());
    r.push_back();
    r.push_back();  // puts the group back once, not twice
    EXPECT_EQ(r.next(), u"BB");
    EXPECT_EQ(r.next(), u"C");
    EXPECT_TRUE(r.last());
    EXPECT_EQ(r.rest(), u" ");
    r.push_back();
    EXPECT_FALSE(r.last());
    EXPECT_EQ(r.next(), u"C");
    EXPECT_TRUE(r.next().isEmpty());
    EXPECT_TRUE(r.last());
    r.push_back();  // nothing to put back after the end
    EXPECT_TRUE(r.next().isEmpty());
    EXPECT_TRUE(r.last());
}

TEST(GroupReader, SkipsIntoTheRestAndKnowsWhetherAGroupFollows)
{
    const QString text = QStringLiteral("Q1020 RMK A2992 FIRST");
    kolde_sub::jp::GroupReader r(text);
    EXPECT_EQ(r.next(), u"Q1020");
    r.skip(r.rest().indexOf(u"RMK") + 4);
    EXPECT_FALSE(r.last());
    EXPECT_EQ(r.next(), u"A2992");
    EXPECT_TRUE(r.last());  // FIRST is no group
    r.skip(100);
    EXPECT_TRUE(r.rest().isEmpty());
    EXPECT_TRUE(r.next().isEmpty());
}

}  // namespace
