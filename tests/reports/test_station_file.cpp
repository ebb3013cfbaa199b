// Reading station report files, the display's labels and headers, and the
// observation block of the Japanese and sequence displays.
#include "reports/station_file.h"

#include <gtest/gtest.h>

using namespace kolde_sub;

namespace {

const QString metar_reply = QStringLiteral("2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\n");
const QString taf_reply = QStringLiteral(
    "2011/11/30 05:00\nTAF RJTT 300500Z 3006/0112 34010KT 9999 FEW030\n"
    "      TEMPO 3009/3012 SHRA\n      BECMG 3100/3102 18005KT\n");

}  // namespace

TEST(StationFile, ErrorPageAndChangeKey)
{
    EXPECT_TRUE(is_error_page(QStringLiteral("<html><body>404</body></html>")));
    EXPECT_FALSE(is_error_page(metar_reply));
    EXPECT_FALSE(is_error_page(QString()));
    EXPECT_EQ(change_key(metar_reply), QStringLiteral("05:30"));
    // The stamp line, whatever the report line holds.
    EXPECT_EQ(change_key(QStringLiteral("2010/06/10 08:20\nTAF AMD RJFF 100820Z 1008/1112\n")), QStringLiteral("08:20"));
    EXPECT_EQ(change_key(QStringLiteral("2011/11/30 5:3\n")), QStringLiteral("5:3"));
    EXPECT_EQ(change_key(QStringLiteral("short")), QString());
}

TEST(StationFile, TimeLabelInUtcAndLocalTime)
{
    StationTime t = station_time_label(metar_reply, false, QStringLiteral("+9"));
    EXPECT_EQ(t.label, QStringLiteral("0530Z"));
    EXPECT_EQ(t.zone, QStringLiteral("Z"));

    t = station_time_label(metar_reply, true, QStringLiteral("9"));
    EXPECT_EQ(t.label, QStringLiteral("1430I"));
    EXPECT_EQ(t.zone, QStringLiteral("I"));

    t = station_time_label(QStringLiteral("2011/11/30 03:10\nRJTT 300310Z\n"), true, QStringLiteral("-8"));
    EXPECT_EQ(t.label, QStringLiteral("1910U"));

    t = station_time_label(QStringLiteral("2011/11/30 20:00\nRJTT 302000Z\n"), true, QStringLiteral("+9"));
    EXPECT_EQ(t.label, QStringLiteral("0500I"));

    t = station_time_label(QStringLiteral("2010/06/10 08:20\nTAF AMD RJFF 100820Z\n"), true, QStringLiteral("+9"));
    EXPECT_EQ(t.label, QStringLiteral("1720I"));
}

TEST(StationFile, TimeLabelWithZeroOrNoNumberTimeDifferenceStaysUtc)
{
    EXPECT_EQ(station_time_label(metar_reply, true, QStringLiteral("±0")).label, QStringLiteral("0530Z"));
    EXPECT_EQ(station_time_label(metar_reply, true, QStringLiteral("xyz")).label, QStringLiteral("0530Z"));
}

// The text starts at the blank before the time group; a forecast's mark
// before its code stays in front of the time group, where the re-spacing
// and the colouring find it, and the code is shown only in the label line.
TEST(StationFile, ReportTextStartsAtTheTimeGroupAndKeepsTheForecastsMark)
{
    const QString stamp = QStringLiteral("2010/06/10 08:20\n");
    struct Case {
        const char* name;
        QString reply;
        bool forecast;
        QString text;
    };
    const Case cases[] = {
            {"observation", metar_reply, false, QStringLiteral(" 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG      ")},
            {"forecast", stamp + QStringLiteral("TAF RJFF 100820Z 1009/1112 29004KT CAVOK\n"), true,
             QStringLiteral(" 100820Z 1009/1112 29004KT CAVOK      ")},
            {"amended", stamp + QStringLiteral("TAF AMD RJFF 100820Z 1008/1112 29004KT CAVOK\n"), true,
             QStringLiteral(" AMD   100820Z 1008/1112 29004KT CAVOK      ")},
            {"corrected", stamp + QStringLiteral("TAF COR RJFF 100820Z 1009/1112 29004KT CAVOK\n"), true,
             QStringLiteral(" COR   100820Z 1009/1112 29004KT CAVOK      ")},
            {"no TAF word", stamp + QStringLiteral("RJFF 100820Z 1009/1112\n"), true,
             QStringLiteral(" 100820Z 1009/1112      ")},
            {"mark and nothing else", stamp + QStringLiteral("TAF AMD\n"), true, QStringLiteral(" AMD      ")},
            {"stamp only", stamp, true, QStringLiteral("      ")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(station_report_text(c.reply, c.forecast), c.text) << c.name;
}

TEST(StationFile, ForecastTextIsReSpaced)
{
    const QString text = station_report_text(taf_reply, true);
    EXPECT_TRUE(text.startsWith(QStringLiteral(" 300500Z 3006/0112")));
    // Continuation indents of six blanks go to five and back to six; TEMPO and
    // BECMG gain two blanks, three in all before the next group.
    EXPECT_TRUE(text.contains(QStringLiteral("FEW030\n      TEMPO   3009/3012 SHRA\n      BECMG   3100/3102")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("18005KT      ")));
}

TEST(StationFile, ReplacementsRunInOrderWithoutOverlap)
{
    const QString head = QStringLiteral("2011/11/30 05:00\nTAF RJTT");
    // AMD gains two blanks, then the blanks after it collapse in the later steps.
    EXPECT_EQ(station_report_text(head + QStringLiteral(" AMD 300500Z\n"), true),
              QStringLiteral(" AMD   300500Z      "));
    // Seven blanks become five, then the four-blank rule adds one back.
    EXPECT_EQ(station_report_text(head + QStringLiteral(" A       B\n"), true), QStringLiteral(" A      B      "));
    // Eight blanks: seven become five and the remaining one joins them (six),
    // which the six-blank rule makes five, and the four-blank rule six.
    EXPECT_EQ(station_report_text(head + QStringLiteral(" A        B\n"), true), QStringLiteral(" A      B      "));
    EXPECT_EQ(station_report_text(head + QStringLiteral(" COR TRD\n"), true), QStringLiteral(" COR   TRD      "));
}

TEST(StationFile, ShortRepliesGiveShortTexts)
{
    // Only the appended blanks are left (five, made six by the re-spacing).
    EXPECT_EQ(station_report_text(QString(), false), QStringLiteral("      "));
    EXPECT_EQ(station_report_text(QStringLiteral("2011/11/30 05:30\nRJTT"), false), QStringLiteral("      "));
    EXPECT_EQ(station_report_text(QStringLiteral("2011/11/30 05:30\nRJTT 3\n"), false), QStringLiteral(" 3      "));
}

TEST(StationFile, RoutineMinutes)
{
    for (int m : {0, 30, 50, 55, 59})
        EXPECT_TRUE(is_routine_minutes(m)) << m;
    for (int m : {1, 12, 15, 20, 29, 31, 49})
        EXPECT_FALSE(is_routine_minutes(m)) << m;
    EXPECT_TRUE(is_routine_time_label(QStringLiteral("0530Z")));
    EXPECT_FALSE(is_routine_time_label(QStringLiteral("0515Z")));
    EXPECT_TRUE(is_routine_time_label(QStringLiteral("1450I")));
    EXPECT_EQ(observation_label(true), QStringLiteral("  METAR "));
    EXPECT_EQ(observation_label(false), QStringLiteral("  SPECI "));
}

TEST(StationFile, ForecastLogLineByMarkWithAmdFirst)
{
    const QString code = QStringLiteral("RJTT");
    EXPECT_EQ(taf_log_text(code, QStringLiteral(" AMD   300500Z COR")), QStringLiteral("RJTT TAF(AMD) RECEIVED"));
    EXPECT_EQ(taf_log_text(code, QStringLiteral(" COR   300500Z TRD")), QStringLiteral("RJTT TAF(COR) RECEIVED"));
    EXPECT_EQ(taf_log_text(code, QStringLiteral(" TRD   300500Z")), QStringLiteral("RJTT TAF(TRD) RECEIVED"));
    EXPECT_EQ(taf_log_text(code, QStringLiteral(" 300500Z amd")), QStringLiteral("RJTT TAF   RECEIVED"));
    EXPECT_EQ(taf_log_text(code, QStringLiteral("      NO FORECAST")), QString());
}

TEST(StationFile, DisplayHeaders)
{
    const QString route = QStringLiteral("RJTT RJAA");
    EXPECT_TRUE(is_company_route(route, QStringLiteral("TTAA")));
    EXPECT_FALSE(is_company_route(route, QStringLiteral("NRT")));
    EXPECT_FALSE(is_company_route(route, QStringLiteral("AATT")));
    EXPECT_FALSE(is_company_route(QStringLiteral("RJTT"), QStringLiteral("TTAA")));

    EXPECT_EQ(display_header(route, true, false, QStringLiteral("TTAA")),
              QStringLiteral("*** RJTT - RJAA COMPANY ROUTINE ROUTE OBSERVATION AND FORECASTS ***\r\n"));
    EXPECT_EQ(display_header(route, true, false, QStringLiteral("NRT")),
              QStringLiteral("*** NRT - GROUP FORMAT OBSERVATION AND FORECASTS ***\r\n"));
    EXPECT_EQ(display_header(route, false, true, QStringLiteral("TTAA")),
              QStringLiteral("*** AUTO DECODE - WEATHER OBSERVATION AND FORECASTS ***\r\n"));
    EXPECT_EQ(display_header(route, false, false, QString()),
              QStringLiteral("*** RJTT RJAA - WEATHER OBSERVATION AND FORECASTS ***\r\n"));
    // A stored route is read code by code, not at fixed places.
    EXPECT_EQ(display_header(QStringLiteral("RJTT  RJAA"), true, false, QStringLiteral("TTAA")),
              QStringLiteral("*** RJTT - RJAA COMPANY ROUTINE ROUTE OBSERVATION AND FORECASTS ***\r\n"));
}

TEST(StationFile, JapaneseHeaderAndNotFoundBlock)
{
    EXPECT_EQ(japanese_header(QStringLiteral("RJTT"), true),
              QStringLiteral("*** RJTT - JAPANESE TRANSLATION WEATHER OBSERVATION ***\r\n"));
    EXPECT_EQ(japanese_header(QStringLiteral("RJAA"), false),
              QStringLiteral("\r\n*** RJAA - JAPANESE TRANSLATION WEATHER OBSERVATION ***\r\n"));
    EXPECT_EQ(not_found_block(QStringLiteral("RJXX")), QStringLiteral("\r\nRJXX  NOT FOUND\r\n"));
}

TEST(ObservationBlock, UtcBlockLabelledByTheReportsOwnMinutes)
{
    QString time_text;
    const QString block = observation_block(QStringLiteral("RJTT 300520Z 34005KT 9999"), QStringLiteral("RJTT"),
                                            false, false, QStringLiteral("+9"), &time_text);
    EXPECT_EQ(block, QStringLiteral("\r\nRJTT  SPECI 0520Z\r\n      300520Z 34005KT 9999"));
    EXPECT_EQ(time_text, QStringLiteral("0520Z"));
    EXPECT_TRUE(observation_block(QStringLiteral("RJTT 300500Z 34005KT"), QStringLiteral("RJTT"), false, false,
                                  QString())
                    .contains(QStringLiteral("  METAR 0500Z")));
}

TEST(ObservationBlock, LocalTimeAndLatestMark)
{
    QString time_text;
    const QString block = observation_block(QStringLiteral("RJTT 302030Z 34005KT"), QStringLiteral("RJTT"), true,
                                            true, QStringLiteral("+9"), &time_text);
    EXPECT_EQ(time_text, QStringLiteral("0530I (LATEST ISSUED)"));
    EXPECT_EQ(block, QStringLiteral("\r\nRJTT  METAR 0530I (LATEST ISSUED)\r\n      302030Z 34005KT"));

    observation_block(QStringLiteral("KJFK 300200Z 00000KT"), QStringLiteral("KJFK"), false, true,
                      QStringLiteral("-5"), &time_text);
    EXPECT_EQ(time_text, QStringLiteral("2100R"));
    observation_block(QStringLiteral("RJTT 300530Z"), QStringLiteral("RJTT"), false, true, QStringLiteral("±0"),
                      &time_text);
    EXPECT_EQ(time_text, QStringLiteral("0530Z"));
}

TEST(ObservationBlock, FileLineFeedBecomesConsoleLineBreak)
{
    const QString block = observation_block(QStringLiteral("RJTT 300530Z 34005KT\n"), QStringLiteral("RJTT"), false,
                                            false, QString());
    EXPECT_TRUE(block.endsWith(QStringLiteral("34005KT\r\n")));
    EXPECT_FALSE(block.contains(QStringLiteral("\n\r")));
}

// The body handed to the translation begins at the group after the
// day-time group, and the time text holds nothing past that group's end.
TEST(ObservationBlock, BodyAndTimeAreTakenFromTheReportsOwnGroups)
{
    const struct {
        const char* report;
        const char* body;
        const char* time;
    } cases[] = {
        {"RJTT 300520Z 34005KT 9999", "34005KT 9999", "0520Z"},
        {"HHAS 060300 07006KT 9999", "07006KT 9999", "0300Z"},  // no "Z"
        {"RJTT 1403\n", "", "03Z"},                                 // cut inside the time group
        {"RJTT", "", "Z"},
        {"", "", "Z"},
    };
    for (const auto& c : cases) {
        const QString report = QString::fromLatin1(c.report);
        QString time_text;
        observation_block(report, QStringLiteral("RJTT"), false, false, QString(), &time_text);
        EXPECT_EQ(observation_body(report), QString::fromLatin1(c.body)) << c.report;
        EXPECT_EQ(time_text, QString::fromLatin1(c.time)) << c.report;
    }
}
