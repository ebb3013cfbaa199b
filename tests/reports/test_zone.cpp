// Zone letters of whole-hour offsets and the last-update label.
#include "reports/zone.h"

#include <gtest/gtest.h>

using namespace kolde_sub;

TEST(ZoneLetters, LetteredRangeEndsAndOffsetsBeyondItAreWrittenAsTheOffset)
{
    EXPECT_EQ(zone_letter(13), QStringLiteral("+13"));
    EXPECT_EQ(zone_letter(-13), QStringLiteral("-13"));
    EXPECT_EQ(zone_letter(24), QStringLiteral("+24"));
    EXPECT_EQ(zone_letter(-100), QStringLiteral("-100"));
    // The ends of the lettered range, and no J.
    EXPECT_EQ(zone_letter(-12), QStringLiteral("Y"));
    EXPECT_EQ(zone_letter(12), QStringLiteral("M"));
    EXPECT_EQ(zone_letter(10), QStringLiteral("K"));
    EXPECT_EQ(format_update_time(QDateTime(QDate(2026, 6, 10), QTime(5, 30, 12), Qt::UTC), true, QStringLiteral("+13")),
              QStringLiteral("18:30(+13)"));
}

// The label depends on the moment only: a computer whose clock runs at UTC,
// at Japan time or at New York time shows the same label.
TEST(UpdateTime, TheMomentGivesTheLabelWhateverTheComputersZone)
{
    struct Row {
        QTime utc;
        bool local;
        const char* difference;
        const char* label;
    };
    const Row rows[] = {
        {QTime(20, 30, 12), false, "+9", "20:30(Z)"},
        {QTime(5, 7), false, "+9", "05:07(Z)"},
        {QTime(0, 0), false, "+9", "00:00(Z)"},
        {QTime(5, 12), false, "+9", "05:12(Z)"},
        // The time difference plays no part in UTC, even when it is no number.
        {QTime(20, 30, 12), false, "abc", "20:30(Z)"},
        {QTime(20, 30, 12), true, "+9", "05:30(I)"},
        {QTime(5, 12), true, "+9", "14:12(I)"},
        {QTime(16, 0), true, "-5", "11:00(R)"},
        {QTime(14, 59), true, "+12", "02:59(M)"},
        {QTime(14, 59), true, "12", "02:59(M)"},
        {QTime(20, 30, 12), true, "±0", "20:30(Z)"},
        // A time difference that is no number gives no label.
        {QTime(20, 30, 12), true, "abc", ""},
        {QTime(20, 30, 12), true, "", ""},
    };
    for (const Row& r : rows) {
        const QDateTime moment(QDate(2012, 3, 5), r.utc, Qt::UTC);
        for (const int computer_hours : {0, 9, -5}) {
            const QDateTime on_computer = moment.toOffsetFromUtc(computer_hours * 3600);
            EXPECT_EQ(format_update_time(on_computer, r.local, QString::fromUtf8(r.difference)), QString::fromUtf8(r.label))
                    << r.utc.toString().toStdString() << " " << r.difference << " computer at " << computer_hours;
        }
    }
}
