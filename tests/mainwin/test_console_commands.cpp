// The console's commands without the window: reading a typed line, which
// command it is, the sunrise and sunset answer, and the group and picture
// look-ups.
#include "mainwin/console_commands.h"
#include "mainwin/sun_command.h"

#include "core/database.h"
#include "core/sun_coef.h"
#include "sidewin/sun_times.h"
#include "platform/store.h"
#include "platform/value.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

using kolde_sub::ConsoleCommand;

namespace {

// The rows of the command table in their order, with what hides what: a
// row of the table is tried only when every row before it did not fit.
TEST(ConsoleCommands, LinesAreClassifiedInTheOrderOfTheCommandTable)
{
    constexpr bool on = true;
    constexpr bool off = false;
    struct Case {
        const char* typed;
        bool online;
        const char* word;   // the one dictionary word ("" none)
        const char* group;  // the one group id ("" none)
        ConsoleCommand command;
        bool box;           // the no-connection box instead
        const char* list;   // for Codes
        bool sequence;
        bool japanese;
    };
    const Case cases[] = {
            {"", on, "", "", ConsoleCommand::Empty, false, "", false, false},
            {"    ", on, "", "", ConsoleCommand::Empty, false, "", false, false},
            // The first four rows come before the dictionary.
            {" update ", on, "UPDATE", "", ConsoleCommand::Update, false, "", false, false},
            {"UPDATE", off, "", "", ConsoleCommand::Update, true, "", false, false},
            {"JAPANESE", off, "", "", ConsoleCommand::Japanese, false, "", false, false},
            {"PICTURE", off, "", "", ConsoleCommand::Picture, false, "", false, false},
            {"RESET", off, "RESET", "", ConsoleCommand::Reset, true, "", false, false},
            // A dictionary word hides every command word after it, offline too.
            {"ais", on, "AIS", "", ConsoleCommand::Word, false, "", false, false},
            {"CLS", off, "CLS", "CLS", ConsoleCommand::Word, false, "", false, false},
            {"SS", on, "SS", "", ConsoleCommand::Word, false, "", false, false},
            {"SQ", on, "SQ", "", ConsoleCommand::Word, false, "", false, false},
            {"SS RJTT", off, "", "", ConsoleCommand::SunTimes, false, "", false, false},
            {"SS RJ1T", on, "", "", ConsoleCommand::SunTimes, false, "", false, false},
            // "SS" alone lost its blank to the trimming.
            {"SS ", on, "", "", ConsoleCommand::SyntaxError, false, "", false, false},
            {"COUNTER", off, "", "", ConsoleCommand::Counter, true, "", false, false},
            {"HELP", on, "", "", ConsoleCommand::Help, false, "", false, false},
            {"AIS", off, "", "", ConsoleCommand::Ais, false, "", false, false},
            // A group id hides the command words after it, but not "AIS".
            {"CLS", on, "", "CLS", ConsoleCommand::Group, false, "", false, false},
            {"TOKYO", off, "", "TOKYO", ConsoleCommand::Group, false, "", false, false},
            {"AIS", on, "", "AIS", ConsoleCommand::Ais, false, "", false, false},
            {"tokyo", on, "", "TOKYO", ConsoleCommand::Group, false, "", false, false},
            {"ATO", off, "", "", ConsoleCommand::AutoStart, true, "", false, false},
            {"PRINT", off, "", "", ConsoleCommand::Print, false, "", false, false},
            {"/p", off, "", "", ConsoleCommand::Print, false, "", false, false},
            {"RL", off, "", "", ConsoleCommand::Reload, true, "", false, false},
            {"CLS", off, "", "", ConsoleCommand::Clear, false, "", false, false},
            {"DE", off, "", "", ConsoleCommand::DecodeList, true, "", false, false},
            {"GP", off, "", "", ConsoleCommand::GroupList, true, "", false, false},
            {"AP", off, "", "", ConsoleCommand::AirportList, false, "", false, false},
            {"WX", off, "", "", ConsoleCommand::Chart, true, "", false, false},
            {"CAM", on, "", "", ConsoleCommand::Camera, false, "", false, false},
            {"LOG", off, "", "", ConsoleCommand::Log, false, "", false, false},
            {"EXIT", off, "", "", ConsoleCommand::Exit, false, "", false, false},
            // Offline, nothing else is tested further.
            {"RJTT RJAA", off, "", "", ConsoleCommand::NoNetwork, false, "", false, false},
            {"RJTT  RJAA", off, "", "", ConsoleCommand::NoNetwork, false, "", false, false},
            {"SQ", off, "", "", ConsoleCommand::NoNetwork, false, "", false, false},
            // Code lists and their prefixes.
            {"rjtt rjaa", on, "", "", ConsoleCommand::Codes, false, "RJTT RJAA", false, false},
            {"RJTT  RJAA", on, "", "", ConsoleCommand::SyntaxError, false, "", false, false},
            {"RJT", on, "", "", ConsoleCommand::SyntaxError, false, "", false, false},
            {"RJ1T", on, "", "", ConsoleCommand::SyntaxError, false, "", false, false},
            {"ＲＪＴＴ", on, "", "", ConsoleCommand::SyntaxError, false, "", false, false},
            // Only half-width blanks are trimmed.
            {"RJTT　", on, "", "", ConsoleCommand::SyntaxError, false, "", false, false},
            {"SQ", on, "", "", ConsoleCommand::SyntaxError, false, "", false, false},
            {"SQ RJTT", on, "", "", ConsoleCommand::Codes, false, "RJTT", true, false},
            {"JP RJTT RJAA", on, "", "", ConsoleCommand::Codes, false, "RJTT RJAA", false, true},
            {"SQ JP RJTT", on, "", "", ConsoleCommand::Codes, false, "RJTT", true, true},
            {"JP SQ RJTT", on, "", "", ConsoleCommand::SyntaxError, false, "", false, false},
            {"SQ RJTT1", on, "", "", ConsoleCommand::SyntaxError, false, "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(QString::fromUtf8(c.typed), c.online ? "online" : "offline").toStdString());
        const QString word = QString::fromUtf8(c.word);
        const QString group = QString::fromUtf8(c.group);
        kolde_sub::ConsoleFacts facts;
        facts.online = c.online;
        facts.is_word = [&](const QString& l) { return !word.isEmpty() && l == word; };
        facts.is_group = [&](const QString& l) { return !group.isEmpty() && l == group; };
        const kolde_sub::ConsoleLine got =
                kolde_sub::classify_console_line(kolde_sub::console_line(QString::fromUtf8(c.typed)), facts);
        EXPECT_EQ(got.command, c.command);
        EXPECT_EQ(got.no_connection, c.box);
        EXPECT_EQ(got.request.list, QString::fromUtf8(c.list));
        EXPECT_EQ(got.request.sequence, c.sequence);
        EXPECT_EQ(got.request.japanese, c.japanese);
    }
}

// Nothing is looked up for an empty line, and the groups are not asked for
// a line the dictionary answered.
TEST(ConsoleCommands, LookUpsAreMadeOnlyWhenTheLineGetsThatFar)
{
    int words = 0;
    int groups = 0;
    kolde_sub::ConsoleFacts facts;
    facts.online = true;
    facts.is_word = [&](const QString& l) { ++words; return l == QStringLiteral("RA"); };
    facts.is_group = [&](const QString&) { ++groups; return false; };
    kolde_sub::classify_console_line(QString(), facts);
    kolde_sub::classify_console_line(QStringLiteral("UPDATE"), facts);
    EXPECT_EQ(words + groups, 0);
    EXPECT_EQ(kolde_sub::classify_console_line(QStringLiteral("RA"), facts).command, ConsoleCommand::Word);
    EXPECT_EQ(groups, 0);
}

TEST(SunCommand, HeightFigureRoundsHalfUpToOneDecimal)
{
    const struct {
        const char* elevation;
        const char* text;
    } cases[] = {
            {"15", "±0"},  {"10", "+5"},      {"69.8", "-54.8"}, {"14.96", "±0"},
            {"14.94", "+0.1"}, {"0", "+15"},  {"690", "-675"},   {"21", "-6"},
            {"134.5", "-119.5"}, {"", "+15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolde_sub::height_difference_text(QString::fromUtf8(c.elevation)), QString::fromUtf8(c.text))
                << c.elevation;
}

TEST(SunCommand, OneLinePerCodeInTheTypedOrder)
{
    kolde_sub::fill_sun_coef();
    const QString rjtt = QStringLiteral("\r\nRJTT  SUNRISE 06:50  SUNSET 16:39   ELV 21  ⊿H -6");
    EXPECT_EQ(kolde_sub::sun_times_block(QStringLiteral("RJTT XXXX RJTT"), QDate(2011, 1, 1)),
              rjtt + QStringLiteral("\r\nXXXX  NOT FOUND POSITION DATA") + rjtt);
    // The times are those of the date given.
    EXPECT_EQ(kolde_sub::sun_times_block(QStringLiteral("RJTT"), QDate(2011, 7, 1)),
              QStringLiteral("\r\nRJTT  SUNRISE ") +
                      QString::fromStdString(kolde_sub::calc_sunrise(2011, 7, 1, "353312", "1394652")).insert(2, u':') +
                      QStringLiteral("  SUNSET ") +
                      QString::fromStdString(kolde_sub::calc_sunset(2011, 7, 1, "353312", "1394652")).insert(2, u':') +
                      QStringLiteral("   ELV 21  ⊿H -6"));
    EXPECT_EQ(kolde_sub::sun_times_block(QString(), QDate(2011, 1, 1)), QString());
}

class ConsoleLookUps : public kolde_test::SeededStore {};

TEST_F(ConsoleLookUps, GroupRouteMatchesTheIdExactly)
{
    ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_company(), {QStringLiteral("id"), QStringLiteral("route")},
                                            {{platform::Value(), platform::Value("RJCC")},
                                             {platform::Value("TOKYO"), platform::Value("RJTT RJAA")},
                                             {platform::Value("TOKYO"), platform::Value("RJTK")}}));
    EXPECT_EQ(kolde_sub::group_route(kolde_sub::rs_company(), QStringLiteral("TOKYO")), QStringLiteral("RJTT RJAA"));
    EXPECT_FALSE(kolde_sub::group_route(kolde_sub::rs_company(), QStringLiteral("tokyo")));
    EXPECT_FALSE(kolde_sub::group_route(kolde_sub::rs_company(), QString()));

    ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_company(), {QStringLiteral("id"), QStringLiteral("route")}, {}));
    EXPECT_FALSE(kolde_sub::group_route(kolde_sub::rs_company(), QStringLiteral("TOKYO")));
}

// The first row of that name decides, even when it holds no picture.
TEST_F(ConsoleLookUps, RegisteredPictureIsTheFirstRowOfThatName)
{
    const QStringList columns{QStringLiteral("名称"), QStringLiteral("データ")};
    ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_data(), columns,
                                            {{platform::Value(), platform::Value::blob("null")},
                                             {platform::Value("sn"), platform::Value::blob("lower")},
                                             {platform::Value("SN"), platform::Value::blob("snow")},
                                             {platform::Value("SN"), platform::Value::blob("second")},
                                             {platform::Value("RA"), platform::Value::blob(QByteArray())},
                                             {platform::Value("RA"), platform::Value::blob("rain")}}));
    EXPECT_EQ(kolde_sub::registered_picture(kolde_sub::rs_data(), QStringLiteral("SN")), QByteArray("snow"));
    EXPECT_EQ(kolde_sub::registered_picture(kolde_sub::rs_data(), QStringLiteral("sn")), QByteArray("lower"));
    EXPECT_TRUE(kolde_sub::registered_picture(kolde_sub::rs_data(), QStringLiteral("RA")).isEmpty());
    EXPECT_TRUE(kolde_sub::registered_picture(kolde_sub::rs_data(), QStringLiteral("FG")).isEmpty());
}

}  // namespace
