// The console's commands without the window: reading a typed line, which
// command it is, the sunrise and sunset answer, and the group and picture
// look-ups.
#include "mainwin/console_commands.h"
#include "mainwin/sun_command.h"

#include "core/database.h"
#include "platform/store.h"
#include "platform/value.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

using kolde_sub::ConsoleCommand;
using platform::Value;

namespace {

// A row of the command table is tried only when every row before it did
// not fit; the box is the no-connection box shown instead of the command.
TEST(ConsoleCommands, LinesAreClassifiedInTheOrderOfTheCommandTable)
{
    using enum ConsoleCommand;
    struct Case {
        const char* typed;
        bool online;
        const char* word;   // the one dictionary word
        const char* group;  // the one group id
        ConsoleCommand command;
        bool box;
    };
    const Case cases[] = {
            {"   ", true, "", "", Empty, false},
            // The first four words come before the dictionary.
            {" update ", true, "UPDATE", "", Update, false},
            {"UPDATE", false, "", "", Update, true},
            {"JAPANESE", false, "", "", Japanese, false},
            {"PICTURE", false, "", "", Picture, false},
            {"RESET", false, "RESET", "", Reset, true},
            // A dictionary word hides the words and group ids after it.
            {"ais", true, "AIS", "", Word, false},
            {"CLS", false, "CLS", "CLS", Word, false},
            {"SS RJTT", false, "", "", SunTimes, false},
            {"SS ", true, "", "", SyntaxError, false},  // the trimming took the blank
            {"COUNTER", false, "", "", Counter, true},
            {"HELP", false, "", "", Help, true},
            {"AIS", false, "", "", Ais, false},  // the page tests the connection itself
            // A group id hides the words after it, not those before.
            {"AIS", true, "", "AIS", Ais, false},
            {"CLS", true, "", "CLS", Group, false},
            {"TOKYO", false, "", "TOKYO", Group, false},
            {"ATO", false, "", "", AutoStart, true},
            {"PRINT", false, "", "", Print, false},
            {"/p", false, "", "", Print, false},
            {"RL", false, "", "", Reload, true},
            {"CLS", false, "", "", Clear, false},
            {"DE", false, "", "", DecodeList, true},
            {"GP", false, "", "", GroupList, true},
            {"AP", false, "", "", AirportList, false},
            {"WX", false, "", "", Chart, true},
            {"CAM", false, "", "", Camera, true},
            {"LOG", false, "", "", Log, false},
            {"EXIT", false, "", "", Exit, false},
            // Offline nothing more is read; online a code list or an error.
            {"RJTT RJAA", false, "", "", NoNetwork, false},
            {"rjtt rjaa", true, "", "", Codes, false},
            {"JP SQ RJTT", true, "", "", SyntaxError, false},
            {"RJTT　", true, "", "", SyntaxError, false},  // only half-width blanks are trimmed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.typed << (c.online ? " online" : " offline"));
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
    }

    // A code list comes with its prefixes.
    kolde_sub::ConsoleFacts facts;
    facts.online = true;
    const kolde_sub::ConsoleLine codes =
            kolde_sub::classify_console_line(kolde_sub::console_line(QStringLiteral("sq jp rjtt rjaa")), facts);
    EXPECT_EQ(codes.request.list, QStringLiteral("RJTT RJAA"));
    EXPECT_TRUE(codes.request.sequence && codes.request.japanese);
}

// An airport's item in the sequence menu asks for its whole code, whatever
// its length.
TEST(SequenceMenu, ItemCaptionGivesBackTheCode)
{
    const struct {
        const char* code;
        const char* name;
        const char* caption;
    } rows[] = {
        {"RJTT", "東京国際", "RJTT  東京国際"},
        {"RJX", "試験", "RJX  試験"},
        {"RJTTX", "  x", "RJTTX    x"},
        {"RJTT", "", "RJTT  "},
    };
    for (const auto& row : rows) {
        const QString caption = kolde_sub::airport_item_caption(QString::fromUtf8(row.code), QString::fromUtf8(row.name));
        EXPECT_EQ(caption, QString::fromUtf8(row.caption));
        EXPECT_EQ(kolde_sub::airport_item_code(caption), QString::fromUtf8(row.code)) << row.code;
    }
}

TEST(SunCommand, HeightFigureRoundsHalfUpToOneDecimal)
{
    const struct {
        const char* elevation;
        const char* text;
    } cases[] = {
            {"15", "±0"}, {"10", "+5"}, {"69.8", "-54.8"}, {"14.96", "±0"}, {"14.94", "+0.1"}, {"", "+15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolde_sub::height_difference_text(QString::fromUtf8(c.elevation)), QString::fromUtf8(c.text))
                << c.elevation;
}

TEST(SunCommand, OneLinePerCodeInTheTypedOrder)
{
    const QString rjtt = QStringLiteral("\r\nRJTT  SUNRISE 06:50  SUNSET 16:39   ELV 21  ⊿H -6");
    EXPECT_EQ(kolde_sub::sun_times_block(QStringLiteral("RJTT XXXX RJTT"), QDate(2011, 1, 1)),
              rjtt + QStringLiteral("\r\nXXXX  NOT FOUND POSITION DATA") + rjtt);
}

class ConsoleLookUps : public kolde_test::SeededStore {};

// The first row whose name is exactly the one asked for decides; a row
// without a name never matches.
TEST_F(ConsoleLookUps, FirstRowOfExactlyThatNameDecides)
{
    ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_company(), {QStringLiteral("id"), QStringLiteral("route")},
                                            {{Value(), Value("RJCC")},
                                             {Value("TOKYO"), Value("RJTT RJAA")},
                                             {Value("TOKYO"), Value("RJTK")}}));
    EXPECT_EQ(kolde_sub::group_route(kolde_sub::rs_company(), QStringLiteral("TOKYO")), QStringLiteral("RJTT RJAA"));
    EXPECT_FALSE(kolde_sub::group_route(kolde_sub::rs_company(), QStringLiteral("tokyo")));
    EXPECT_FALSE(kolde_sub::group_route(kolde_sub::rs_company(), QString()));

    // A first row without bytes hides a later one.
    ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_data(), {QStringLiteral("名称"), QStringLiteral("データ")},
                                            {{Value("sn"), Value::blob("lower")},
                                             {Value("SN"), Value::blob("snow")},
                                             {Value("SN"), Value::blob("second")},
                                             {Value("RA"), Value::blob(QByteArray())},
                                             {Value("RA"), Value::blob("rain")}}));
    EXPECT_EQ(kolde_sub::registered_picture(kolde_sub::rs_data(), QStringLiteral("SN")), QByteArray("snow"));
    EXPECT_TRUE(kolde_sub::registered_picture(kolde_sub::rs_data(), QStringLiteral("RA")).isEmpty());
    EXPECT_TRUE(kolde_sub::registered_picture(kolde_sub::rs_data(), QStringLiteral("FG")).isEmpty());
}

}  // namespace
