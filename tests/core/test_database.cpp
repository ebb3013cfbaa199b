// Opening the shared store over kolde.mdb, closing it and opening it again
// over a new file.
#include "core/database.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace kolde_sub;

namespace {

QStringList column_of(platform::Recordset& rs, const QString& column)
{
    QStringList out;
    for (rs.move_first(); !rs.eof(); rs.move_next())
        out << rs.field(column).to_text();
    return out;
}

}  // namespace

// Tests over the served database, open in a temporary program folder.
class DatabaseStore : public kolde_test::SeededStore {};

TEST_F(DatabaseStore, OpensEveryRecordsetSortedWithSettingsOnTheirRow)
{
    EXPECT_TRUE(db_conn().is_open());
    for (platform::Recordset* rs : {&rs_airport(), &rs_autodecode(), &rs_company(), &rs_abbrev(),
                                    &rs_translation(), &rs_data()}) {
        EXPECT_TRUE(rs->is_open()) << qPrintable(rs->table());
        EXPECT_EQ(rs->sort(), QStringLiteral("順位"));
        double last = -1e9;
        for (rs->move_first(); !rs->eof(); rs->move_next()) {
            const double order = rs->field(QStringLiteral("順位")).to_real();
            EXPECT_GE(order, last) << qPrintable(rs->table());
            last = order;
        }
    }
    EXPECT_TRUE(rs_settings().is_open());
    EXPECT_EQ(rs_settings().record_count(), 1);
    EXPECT_FALSE(rs_settings().eof());
    EXPECT_EQ(setting_text(key::time_difference), QStringLiteral("+9"));
    EXPECT_GT(rs_airport().record_count(), 100);
}

TEST(Database, WrongPasswordLeavesEverythingClosed)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    {
        platform::Connection c;
        ASSERT_TRUE(c.create(home.file(QStringLiteral("kolde.mdb")), QStringLiteral("secret")));
        ASSERT_TRUE(c.execute(QStringLiteral("CREATE TABLE \"飛行場情報\" (\"順位\" INTEGER)")));
    }
    EXPECT_FALSE(open_database());
    EXPECT_FALSE(db_conn().is_open());
    for (platform::Recordset* rs : {&rs_airport(), &rs_autodecode(), &rs_company(), &rs_abbrev(),
                                    &rs_translation(), &rs_data(), &rs_settings()})
        EXPECT_FALSE(rs->is_open());
    // Readers of the closed store get the defaults, writers write nothing.
    EXPECT_EQ(setting_int(key::display_text_colour), 16777215);
    EXPECT_TRUE(setting(key::base_url).is_null());
    EXPECT_FALSE(set_setting(key::time_difference, platform::Value("+9")));
}

TEST(Database, MissingTableStopsTheOpenThere)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    ASSERT_TRUE(home.install_seed_database());
    {
        platform::Connection c;
        ASSERT_TRUE(c.open(home.file(QStringLiteral("kolde.mdb")), QString::fromLatin1(database_password)));
        ASSERT_TRUE(c.execute(QStringLiteral("DROP TABLE \"気象略語\"")));
    }
    EXPECT_FALSE(open_database());
    EXPECT_TRUE(rs_company().is_open());
    EXPECT_FALSE(rs_abbrev().is_open());
    EXPECT_FALSE(rs_settings().is_open());
}

TEST_F(DatabaseStore, ReopenAfterSwapSeesTheNewFile)
{
    ASSERT_TRUE(set_setting(key::time_difference, platform::Value("-5")));

    ASSERT_TRUE(folder.install_seed_database(QStringLiteral("data/kolde$.mdb")));
    release_store();
    ASSERT_TRUE(QFile::remove(folder.file(QStringLiteral("kolde.mdb"))));
    ASSERT_TRUE(QFile::copy(folder.file(QStringLiteral("data/kolde$.mdb")), folder.file(QStringLiteral("kolde.mdb"))));
    ASSERT_TRUE(open_database());
    EXPECT_EQ(setting_text(key::time_difference), QStringLiteral("+9"));
}

TEST_F(DatabaseStore, SavingASharedListNumbersRowsAndReopens)
{
    const QStringList cols{QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")};
    ASSERT_TRUE(save_shared_list(rs_autodecode(), cols,
                                 {{platform::Value("ROAH"), platform::Value("那覇")},
                                  {platform::Value("RJTT"), platform::Value("東京国際")}}));
    EXPECT_TRUE(rs_autodecode().is_open());
    EXPECT_EQ(column_of(rs_autodecode(), QStringLiteral("ICAOコード")), (QStringList{"ROAH", "RJTT"}));
    EXPECT_EQ(column_of(rs_autodecode(), QStringLiteral("順位")), (QStringList{"1", "2"}));
}
