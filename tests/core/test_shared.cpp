// The small shared procedures: file test, time zone, time difference,
// versions, dates, code history, solar table, keyboard stand-ins.
#include "core/shared.h"
#include "core/sun_coef.h"
#include "platform/value.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>
#include <QTest>

#include <cmath>
#include <cstdlib>
#include <ctime>

using namespace kolde_sub;

TEST(Shared, FileExistsIsFalseForFoldersAndMissingFiles)
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("a.dat")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(file_exists(dir.filePath(QStringLiteral("a.dat"))));
    EXPECT_FALSE(file_exists(dir.path()));
    EXPECT_FALSE(file_exists(dir.filePath(QStringLiteral("b.dat"))));
    EXPECT_FALSE(file_exists(QString()));
}

TEST(Shared, ProgramFolderFollowsTheEnvironment)
{
    kolde_test::ProgramFolder home;
    EXPECT_EQ(program_folder(), QDir::cleanPath(home.path()));
    EXPECT_EQ(program_path(QStringLiteral("data/kolde$.mdb")), QDir::cleanPath(home.path()) + "/data/kolde$.mdb");
}

TEST(Shared, TimeZoneTakesTheStandardOffsetInEverySeason)
{
    // Summer time never counts: the offset is the zone's standard bias,
    // rounded down to whole hours.
    struct Case {
        const char* zone;
        int hours;
        const char* text;
    };
    const Case cases[] = {
        {"Asia/Tokyo", 9, "+9"},       {"UTC", 0, "±0"},
        {"America/New_York", -5, "-5"}, {"Asia/Kolkata", 5, "+5"},
        {"America/St_Johns", -4, "-4"},  // UTC-3:30, UTC-2:30 in summer
        {"Europe/London", 0, "±0"},      // UTC+1 in summer
        {"Australia/Adelaide", 9, "+9"},  // UTC+9:30, UTC+10:30 in its summer
        // The zone database calls summer time standard here (and winter
        // time a negative saving): the smaller offset is still the bias.
        {"Europe/Dublin", 0, "±0"},
    };
    const QDateTime january(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC);
    const QDateTime july(QDate(2026, 7, 15), QTime(12, 0), Qt::UTC);
    for (const Case& c : cases) {
        for (const QDateTime& at : {january, july}) {
            const ComputerZone z = read_time_zone_from(QTimeZone(c.zone), at);
            EXPECT_EQ(z.hours, c.hours) << c.zone << " " << qPrintable(at.toString(Qt::ISODate));
            EXPECT_EQ(z.text, QString::fromUtf8(c.text)) << c.zone;
            EXPECT_FALSE(z.name.isEmpty()) << c.zone;
            EXPECT_FALSE(z.name.contains(u'(')) << c.zone;
        }
    }

    EXPECT_EQ(offset_hours_from_minutes(-210), -4);
    EXPECT_EQ(offset_hours_from_minutes(330), 5);

    // An unreadable zone falls back to Japan.
    const ComputerZone japan = read_time_zone_from(QTimeZone(), july);
    EXPECT_EQ(japan.name, QStringLiteral("日本"));
    EXPECT_EQ(japan.hours, 9);
    EXPECT_EQ(japan.text, QStringLiteral("+9"));
}

TEST(Shared, ReadTimeZoneFollowsTZ)
{
    kolde_test::ensure_app();
    const QByteArray old = qgetenv("TZ");
    struct Case { const char* tz; int hours; const char* text; };
    // New York is -5 whatever the season of the test run.
    for (const Case& c : {Case{"Asia/Tokyo", 9, "+9"}, Case{"UTC", 0, "±0"}, Case{"America/New_York", -5, "-5"},
                          Case{"America/St_Johns", -4, "-4"}}) {
        qputenv("TZ", c.tz);
        tzset();
        read_time_zone();
        EXPECT_EQ(computer_zone().hours, c.hours) << c.tz;
        EXPECT_EQ(computer_zone().text, QString::fromUtf8(c.text)) << c.tz;
    }
    if (old.isEmpty())
        qunsetenv("TZ");
    else
        qputenv("TZ", old);
    tzset();
}

TEST(Shared, TimeDifferenceTexts)
{
    EXPECT_EQ(parse_time_difference(QStringLiteral("+9")), 9);
    EXPECT_EQ(parse_time_difference(QStringLiteral("-5")), -5);
    EXPECT_EQ(parse_time_difference(QStringLiteral("9")), 9);
    for (const char* zero : {"0", "+0", "-0", "±0", " ±0 "})
        EXPECT_EQ(parse_time_difference(QString::fromUtf8(zero)), 0) << zero;
    for (const char* bad : {"", "±", "±5", "+", "9h", "+9:00", "abc", "+-3", "1.5", "99"})
        EXPECT_FALSE(parse_time_difference(QString::fromUtf8(bad)).has_value()) << bad;
    EXPECT_EQ(time_difference_hours(QStringLiteral("±0")), 0);
    EXPECT_EQ(time_difference_hours(QStringLiteral("junk")), 0);
    // Every offset text the time-zone query can produce reads back.
    for (int h = -12; h <= 14; ++h)
        EXPECT_EQ(parse_time_difference(offset_text(h)), h);
}

TEST(Shared, VersionsCompareInSinglePrecision)
{
    EXPECT_TRUE(versions_equal(version_number(QStringLiteral("4.31")), version_number(platform::Value("4.31"))));
    EXPECT_TRUE(versions_equal(version_number(QStringLiteral("4.31")), version_number(platform::Value(4.31))));
    EXPECT_TRUE(versions_equal(version_number(QStringLiteral("1.10")), version_number(QStringLiteral("1.1"))));
    EXPECT_FALSE(versions_equal(version_number(QStringLiteral("4.31")), version_number(QStringLiteral("4.32"))));
    EXPECT_EQ(version_number(QStringLiteral("<html>")), 0.0f);
    EXPECT_EQ(version_number(QStringLiteral("")), 0.0f);
    EXPECT_EQ(version_number(platform::Value()), 0.0f);
    EXPECT_EQ(version_number(platform::Value(0)), 0.0f);
    EXPECT_EQ(version_number(QStringLiteral("2.05\r\n")), 2.05f);
}

TEST(Shared, DatesAreMonthDayYear)
{
    EXPECT_EQ(date_text(QDate(2026, 3, 7)), QStringLiteral("03-07-2026"));
}

TEST(Shared, CodeHistoryTrimming)
{
    // 40 five-character entries: " RJTT RJAA ..." style words.
    set_code_history(QStringLiteral(" "));
    add_code_history(QStringLiteral("RJTT"));
    add_code_history(QStringLiteral("RJAA"));
    add_code_history(QStringLiteral("RJTT"));
    EXPECT_EQ(code_history(), QStringLiteral(" RJTT RJAA "));

    // Exactly 200 characters stay as they are.
    set_code_history(u' ' + QString(198, u'A') + u' ');
    ASSERT_EQ(code_history().size(), 200);
    const QString before = code_history();
    trim_code_history();
    EXPECT_EQ(code_history(), before);

    // 201 characters lose the oldest word and keep a leading blank.
    set_code_history(QStringLiteral(" RJTT ") + QString(194, u'B') + u' ');
    ASSERT_EQ(code_history().size(), 201);
    trim_code_history();
    EXPECT_EQ(code_history(), u' ' + QString(194, u'B') + u' ');

    // Many words: the newest survive, the result is at most 201 characters.
    set_code_history(QStringLiteral(" "));
    for (int i = 0; i < 100; ++i)
        add_code_history(QStringLiteral("W%1").arg(i, 3, 10, QLatin1Char('0')));
    EXPECT_LE(code_history().size(), 201);
    EXPECT_TRUE(code_history().startsWith(u' '));
    EXPECT_TRUE(code_history().endsWith(QStringLiteral(" W099 ")));
    EXPECT_FALSE(code_history().contains(QStringLiteral(" W000 ")));

    // Odd inputs end: one long word, blanks only, no leading blank.
    for (const QString& odd : {QString(500, u'X'), QString(500, u' '), QStringLiteral("A") + QString(300, u' '),
                               QString(250, u'Y') + u' ' + QStringLiteral("Z ")}) {
        set_code_history(odd);
        trim_code_history();
        EXPECT_LE(code_history().size(), 201);
    }
    set_code_history(QStringLiteral(" "));
}

TEST(Shared, SolarTableHoldsEighteenSmallPeriodicTerms)
{
    // Shape checks that a shifted, mis-ordered or mistyped table fails:
    // element 0 is 0; each triple is a small positive amplitude (well under a
    // tenth of a degree), a phase within a circle and a finite rate; the
    // terms come in non-decreasing order of amplitude, and the largest is the
    // twice-yearly term (a rate of about 2 x 360 degrees per year).
    ASSERT_EQ(sun_coef.size(), 55u);
    EXPECT_EQ(sun_coef[0], 0.0);
    double previous_amplitude = 0.0;
    double total_amplitude = 0.0;
    for (int k = 1; k <= 18; ++k) {
        const double amplitude = sun_coef[3 * k - 2];
        const double phase = sun_coef[3 * k - 1];
        const double rate = sun_coef[3 * k];
        EXPECT_GT(amplitude, 0.0) << k;
        EXPECT_LT(amplitude, 0.1) << k;
        EXPECT_GE(amplitude, previous_amplitude) << k;
        EXPECT_GE(phase, 0.0) << k;
        EXPECT_LT(phase, 360.0) << k;
        EXPECT_NE(rate, 0.0) << k;
        EXPECT_LT(std::abs(rate), 5000.0) << k;
        previous_amplitude = amplitude;
        total_amplitude += amplitude;
    }
    EXPECT_NEAR(sun_coef[54], 720.0, 0.1);
    // Together the terms correct the longitude by well under a tenth of a
    // degree.
    EXPECT_LT(total_amplitude, 0.1);
}

TEST(Shared, CapsLockUpperCasesTypedLetters)
{
    kolde_test::ensure_app();
    QLineEdit field;
    field.show();
    ime_set_open(&field, false);
    EXPECT_FALSE(field.testAttribute(Qt::WA_InputMethodEnabled));
    caps_lock_on();
    QTest::keyClicks(&field, "rjtt 1a");
    EXPECT_EQ(field.text(), QStringLiteral("RJTT 1A"));
    caps_lock_off();
    QTest::keyClicks(&field, "x");
    EXPECT_EQ(field.text(), QStringLiteral("RJTT 1Ax"));
    EXPECT_FALSE(caps_lock_state());
}

// The main window is the one that registered itself, not any window that
// happens to carry its name, and the registration lapses with the window.
TEST(Shared, MainWindowIsTheRegisteredOneWhileItLives)
{
    kolde_test::ensure_app();
    QWidget named;
    named.setObjectName(QStringLiteral("view"));
    EXPECT_EQ(main_window(), nullptr);
    {
        QWidget main;
        set_main_window(&main);
        EXPECT_EQ(main_window(), &main);
    }
    EXPECT_EQ(main_window(), nullptr);
}
