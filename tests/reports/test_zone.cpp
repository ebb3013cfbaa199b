// Zone letters of whole-hour offsets and the last-update label.
#include "reports/zone.h"

#include <gtest/gtest.h>

using namespace kolde_sub;

TEST(ZoneLetters, EveryOffsetFromMinusTwelveToPlusTwelve)
{
    const char* expected[] = {"Y", "X", "W", "V", "U", "T", "S", "R", "Q", "P", "O", "N", "Z",
                              "A", "B", "C", "D", "E", "F", "G", "H", "I", "K", "L", "M"};
    for (int h = -12; h <= 12; ++h)
        EXPECT_EQ(zone_letter(h), QString::fromLatin1(expected[h + 12])) << h;
}

TEST(ZoneLetters, OffsetsWithoutALetterAreWrittenAsTheOffset)
{
    EXPECT_EQ(zone_letter(13), QStringLiteral("+13"));
    EXPECT_EQ(zone_letter(-13), QStringLiteral("-13"));
    EXPECT_EQ(zone_letter(24), QStringLiteral("+24"));
    EXPECT_EQ(zone_letter(-100), QStringLiteral("-100"));
    EXPECT_EQ(format_update_time(QStringLiteral("05:30:12"), true, QStringLiteral("+13")), QStringLiteral("09:30(+13)"));
}

TEST(UpdateTime, UtcTakesTheComputerClockAsJapanTime)
{
    EXPECT_EQ(format_update_time(QStringLiteral("05:30:12"), false, QStringLiteral("+9")), QStringLiteral("20:30(Z)"));
    EXPECT_EQ(format_update_time(QStringLiteral("14:07:00"), false, QStringLiteral("+9")), QStringLiteral("05:07(Z)"));
    EXPECT_EQ(format_update_time(QStringLiteral("09:00:00"), false, QStringLiteral("+9")), QStringLiteral("00:00(Z)"));
    // The time difference plays no part in UTC, even when it is no number.
    EXPECT_EQ(format_update_time(QStringLiteral("05:30:12"), false, QStringLiteral("abc")), QStringLiteral("20:30(Z)"));
}

TEST(UpdateTime, LocalTimeWrapsBothWays)
{
    EXPECT_EQ(format_update_time(QStringLiteral("05:30:12"), true, QStringLiteral("+9")), QStringLiteral("05:30(I)"));
    EXPECT_EQ(format_update_time(QStringLiteral("01:00:00"), true, QStringLiteral("-5")), QStringLiteral("11:00(R)"));
    EXPECT_EQ(format_update_time(QStringLiteral("23:59:00"), true, QStringLiteral("+12")), QStringLiteral("02:59(M)"));
    EXPECT_EQ(format_update_time(QStringLiteral("23:59:00"), true, QStringLiteral("12")), QStringLiteral("02:59(M)"));
}

TEST(UpdateTime, ZeroOffsetWrittenWithPlusMinusSignReadsAsZero)
{
    EXPECT_EQ(format_update_time(QStringLiteral("05:30:12"), true, QStringLiteral("±0")), QStringLiteral("20:30(Z)"));
}

TEST(UpdateTime, TimeDifferenceThatIsNoNumberGivesNoLabel)
{
    EXPECT_TRUE(format_update_time(QStringLiteral("05:30:12"), true, QStringLiteral("abc")).isEmpty());
    EXPECT_TRUE(format_update_time(QStringLiteral("05:30:12"), true, QString()).isEmpty());
}
