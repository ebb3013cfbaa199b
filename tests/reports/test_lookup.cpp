// Dictionary look-ups over the served abbreviation and translation tables.
#include "reports/lookup.h"
#include "core/database.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

using namespace kolde_sub;

namespace {

class Lookup : public kolde_test::SeededStore {
protected:
    // Adds a row to a dictionary table and reads the shared recordset again.
    static void add_row(platform::Recordset& rs, int order, const QString& abbr, const QString& meaning)
    {
        ASSERT_TRUE(db_conn().execute(QStringLiteral("INSERT INTO \"%1\" (\"順位\",\"略語\",\"意味\") VALUES (%2,'%3','%4')")
                                          .arg(rs.table())
                                          .arg(order)
                                          .arg(abbr, meaning)));
        ASSERT_TRUE(rs.requery());
    }
};

}  // namespace

TEST_F(Lookup, WordWithBlanksAndLowerCaseIsNormalisedAndFound)
{
    QString word = QStringLiteral(" cb ");
    EXPECT_EQ(lookup_weather_abbr(word), QStringLiteral("積乱雲"));
    EXPECT_EQ(word, QStringLiteral("CB"));
    // The recordset stays on the matching row.
    EXPECT_EQ(rs_abbrev().field(QStringLiteral("略語")).to_text(), QStringLiteral("CB"));
}

TEST_F(Lookup, UnknownWordGivesEmptyAndLeavesRecordsetPastTheEnd)
{
    QString word = QStringLiteral("  zzzq");
    EXPECT_EQ(lookup_weather_abbr(word), QString());
    EXPECT_EQ(word, QStringLiteral("ZZZQ"));
    EXPECT_TRUE(rs_abbrev().eof());
}

TEST_F(Lookup, RowStoredInLowerCaseIsNeverFound)
{
    add_row(rs_abbrev(), 0, QStringLiteral("qxz"), QStringLiteral("小文字"));
    QString word = QStringLiteral("qxz");
    EXPECT_EQ(lookup_weather_abbr(word), QString());
}

TEST_F(Lookup, LowerOrderWinsBetweenTwoRowsOfTheSameWord)
{
    add_row(rs_translation(), 900, QStringLiteral("QXZ"), QStringLiteral("後"));
    add_row(rs_translation(), -1, QStringLiteral("QXZ"), QStringLiteral("先"));
    QString word = QStringLiteral("qxz");
    EXPECT_EQ(lookup_translation_abbr(word), QStringLiteral("先"));
    EXPECT_EQ(rs_translation().field(QStringLiteral("順位")).to_int(), -1);
}

TEST_F(Lookup, TwinsSearchTheirOwnTable)
{
    add_row(rs_translation(), 1, QStringLiteral("QXZ"), QStringLiteral("訳語"));
    QString word = QStringLiteral("QXZ");
    EXPECT_EQ(lookup_weather_abbr(word), QString());
    EXPECT_EQ(lookup_translation_abbr(word), QStringLiteral("訳語"));
}

TEST_F(Lookup, MatchWithEmptyMeaningAndClosedRecordsetGiveEmpty)
{
    add_row(rs_abbrev(), 0, QStringLiteral("QXZ"), QString());
    QString word = QStringLiteral("QXZ");
    EXPECT_EQ(lookup_weather_abbr(word), QString());

    platform::Recordset closed;
    word = QStringLiteral(" cb");
    EXPECT_EQ(lookup_abbr(closed, word), QString());
    EXPECT_EQ(word, QStringLiteral("CB"));
}
