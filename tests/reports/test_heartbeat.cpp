// The heartbeat's arithmetic (probe period, probe time-out, the wait
// between decode cycles) and the new-report detection's comparison of
// station file stamps.
#include "reports/change_detection.h"
#include "reports/heartbeat.h"

#include <QDateTime>
#include <QTime>

#include <gtest/gtest.h>

using namespace kolde_sub;

namespace {

const QString metar_0530 = QStringLiteral("2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020\n");
const QString error_page = QStringLiteral("<html><body>404 Not Found</body></html>");

}  // namespace

// ------------------------------------------------------------- heartbeat

TEST(Heartbeat, ProbePeriodAndTimeOutFollowTheLineSpeed)
{
    struct Case {
        int buffer;  // バッファ; the update interval is 11 - バッファ
        int period;
        int timeout;
    };
    // Out of range the setting counts as the nearest end of 1..10.
    for (const Case c : {Case{10, 20, 60}, Case{5, 70, 110}, Case{1, 110, 150}, Case{11, 20, 60}, Case{0, 110, 150},
                         Case{-40, 110, 150}}) {
        EXPECT_EQ(probe_period_seconds(11 - c.buffer), c.period) << c.buffer;
        EXPECT_EQ(probe_timeout_seconds(11 - c.buffer), c.timeout) << c.buffer;
        // The sequence retries, three seconds apart, outlast two probes.
        EXPECT_GT(3 * sequence_retry_cap(11 - c.buffer), 2 * c.period) << c.buffer;
    }
}

TEST(Heartbeat, StandbyEndDoesNotWrapOverMidnight)
{
    struct Case {
        const char* start;
        int interval;
        int end;
    };
    for (const Case c : {Case{"23:59", 1, 0}, Case{"23:58", 5, 3}, Case{"10:15", 1, 616}, Case{"10:55", 10, 665},
                         Case{"00:00", 10, 10}, Case{"", 1, 1}, Case{"ab:cd", 3, 3}, Case{"09:5", 1, 546},
                         // Parts out of range read as 0, so no start can hold the cycle off for good.
                         Case{"99:75", 1, 1}, Case{"12:30", 99, 760}}) {
        EXPECT_EQ(standby_end_minutes(QString::fromLatin1(c.start), c.interval), c.end) << c.start << " + " << c.interval;
    }
}

TEST(Heartbeat, StandbyHoldsTheCycleUntilItsEnd)
{
    struct Case {
        const char* start;
        int interval;
        QTime now;
        bool waits;
    };
    for (const Case& c : {Case{"10:15", 1, QTime(10, 15, 59), true}, Case{"10:15", 1, QTime(10, 16), false},
                          Case{"10:15", 10, QTime(10, 24, 59), true}, Case{"10:15", 10, QTime(10, 25), false},
                          // An end of 0 never waits; an end past midnight is already behind 23:59.
                          Case{"23:59", 1, QTime(23, 59, 30), false}, Case{"23:58", 5, QTime(23, 59), false},
                          // Before the first cycle there is no wait, also just after midnight.
                          Case{"", 1, QTime(12, 0), false}, Case{"", 5, QTime(0, 2), false}}) {
        // The start and now are UTC times of day: the same moment written
        // with any offset (a 時差 of +9 or -5) waits alike.
        const QDateTime utc(QDate(2011, 11, 30), c.now, Qt::UTC);
        for (const int offset_hours : {0, 9, -5})
            EXPECT_EQ(in_standby(QString::fromLatin1(c.start), c.interval, utc.toOffsetFromUtc(offset_hours * 3600)), c.waits)
                    << c.start << " + " << c.interval << " at " << c.now.toString().toStdString() << " offset " << offset_hours;
    }
    const QDateTime stamped(QDate(2011, 11, 30), QTime(7, 5, 9), Qt::UTC);
    for (const int offset_hours : {0, 9, -5, 14})
        EXPECT_EQ(standby_stamp(stamped.toOffsetFromUtc(offset_hours * 3600)), QStringLiteral("07:05")) << offset_hours;
}

TEST(Heartbeat, OnlyAVersionTextAnswersTheProbe)
{
    EXPECT_TRUE(probe_answered(true, QStringLiteral("4.31,1.10,2.05")));
    EXPECT_FALSE(probe_answered(true, QString()));
    EXPECT_FALSE(probe_answered(true, error_page));
    EXPECT_FALSE(probe_answered(false, QStringLiteral("4.31")));
}

// ----------------------------------------------------- change detection

TEST(ChangeDetection, OnlyAFileThatArrivedHasAKey)
{
    EXPECT_EQ(detection_key(true, metar_0530), QStringLiteral("05:30"));
    EXPECT_EQ(detection_key(false, metar_0530), std::nullopt);
    EXPECT_EQ(detection_key(true, QString()), std::nullopt);
    EXPECT_EQ(detection_key(true, error_page), std::nullopt);
}

TEST(ChangeDetection, ObservationMarkFollowsTheMinutesOfTheStamp)
{
    struct Case {
        const char* key;
        bool routine;
    };
    for (const Case c : {Case{"05:30", true}, Case{"05:00", true}, Case{"05:50", true}, Case{"05:59", true},
                         Case{"05:12", false}, Case{"05:49", false}, Case{"05:31", false}, Case{"", true}}) {
        const ChangeMark m = observation_change(QStringLiteral("RJTT"), QString::fromLatin1(c.key));
        EXPECT_EQ(m.routine, c.routine) << c.key;
        EXPECT_EQ(m.pad, c.routine ? QStringLiteral("RJTT ") : QStringLiteral("RJTT(SPECI) ")) << c.key;
        EXPECT_EQ(m.log, c.routine ? QStringLiteral("RJTT METAR CHANGED") : QStringLiteral("RJTT SPECI RECEIVED"))
                << c.key;
    }
}

TEST(ChangeDetection, ForecastMarkFollowsItsWholeText)
{
    struct Case {
        const char* reply;
        const char* pad;
        const char* log;
    };
    for (const Case c : {
                 Case{"2011/11/30 05:00\nTAF AMD RJTT 300500Z 3006/0112 34008KT\n", "RJTT(AMD) ", "RJTT TAF(AMD) RECEIVED"},
                 Case{"2011/11/30 05:00\nTAF COR RJTT 300500Z\n", "RJTT(COR) ", "RJTT TAF(COR) RECEIVED"},
                 Case{"2011/11/30 05:00\nTAF RJTT 300500Z TRD\n", "RJTT(TRD) ", "RJTT TAF(TRD) RECEIVED"},
                 // AMD wins over COR wherever they stand.
                 Case{"2011/11/30 05:00\nTAF COR RJTT 300500Z RMK AMD\n", "RJTT(AMD) ", "RJTT TAF(AMD) RECEIVED"},
                 Case{"2011/11/30 05:00\nTAF RJTT 300500Z 3006/0112 34008KT\n", "RJTT ", "RJTT TAF   CHANGED"}}) {
        const ChangeMark m = forecast_change(QStringLiteral("RJTT"), QString::fromLatin1(c.reply));
        EXPECT_EQ(m.pad, QString::fromLatin1(c.pad)) << c.reply;
        EXPECT_EQ(m.log, QString::fromLatin1(c.log)) << c.reply;
    }
}

TEST(ChangeDetection, NewStampsAreRecordedAndMarkedOnce)
{
    StationRow row{QStringLiteral("RJTT"), QStringLiteral("05:00"), QStringLiteral("05:00")};

    // The same stamp again, a failed transfer and an error page change nothing.
    for (const auto& [ok, reply] : {std::pair{true, QStringLiteral("2011/11/30 05:00\nRJTT 300500Z\n")},
                                    std::pair{false, QString()}, std::pair{true, error_page},
                                    std::pair{true, QString()}}) {
        const FileCheck check = check_observation(row, QStringLiteral("RJTT"), ok, reply, QString());
        EXPECT_FALSE(check.changed) << reply.toStdString();
        EXPECT_FALSE(check.mark);
        EXPECT_EQ(row[station_metar_stamp], QStringLiteral("05:00"));
    }

    FileCheck check = check_observation(row, QStringLiteral("RJTT"), true, metar_0530, QStringLiteral("RJAA "));
    EXPECT_TRUE(check.changed);
    ASSERT_TRUE(check.mark);
    EXPECT_EQ(check.mark->pad, QStringLiteral("RJTT "));
    EXPECT_EQ(row[station_metar_stamp], QStringLiteral("05:30"));
    EXPECT_EQ(row[station_taf_stamp], QStringLiteral("05:00"));
    // Once recorded, the same file is no change.
    EXPECT_FALSE(check_observation(row, QStringLiteral("RJTT"), true, metar_0530, QString()).changed);

    // A station already on the pad: the forecast's stamp is recorded, not marked.
    check = check_forecast(row, QStringLiteral("RJTT"), true,
                           QStringLiteral("2011/11/30 06:00\nTAF AMD RJTT 300600Z\n"), QStringLiteral("RJTT "));
    EXPECT_TRUE(check.changed);
    EXPECT_FALSE(check.mark);
    EXPECT_EQ(row[station_taf_stamp], QStringLiteral("06:00"));

    // A file that was missing when the station was shown is new when it comes.
    StationRow missing{QStringLiteral("RJAA"), QString(), QString()};
    check = check_observation(missing, QStringLiteral("RJAA"), true, metar_0530, QString());
    EXPECT_TRUE(check.changed);
    EXPECT_TRUE(check.mark);
}
