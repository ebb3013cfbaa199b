// Carrying the user's settings and lists into a newly served database.
#include "core/database.h"
#include "startup/migrate.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>

using namespace kolde_sub;
using platform::Value;

namespace {

const QString pw = QString::fromLatin1(database_password);

QList<QStringList> rows_of(platform::Connection& c, const QString& table, const QStringList& cols)
{
    platform::Recordset rs;
    QList<QStringList> out;
    if (!rs.open(c, table))
        return out;
    rs.set_sort(QStringLiteral("順位"));
    for (rs.move_first(); !rs.eof(); rs.move_next()) {
        QStringList r;
        for (const QString& col : cols)
            r << rs.field(col).to_text();
        out << r;
    }
    return out;
}

QByteArray digest(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

class Migrate : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        ASSERT_TRUE(home.install_seed_database());
        ASSERT_TRUE(home.install_seed_database(QStringLiteral("data/kolde$.mdb")));
        new_file = home.file(QStringLiteral("data/kolde$.mdb"));
        // The newly served file: another database version, new phrases, and a
        // settings column the old file does not have.
        platform::Connection c;
        ASSERT_TRUE(c.open(new_file, pw));
        ASSERT_TRUE(c.execute(QStringLiteral(
            "UPDATE \"設定\" SET \"DBバージョン\" = '9.99';"
            "DELETE FROM \"日本語解析\"; INSERT INTO \"日本語解析\" VALUES (1, 'RA', '雨（新）');"
            "ALTER TABLE \"設定\" ADD COLUMN \"新項目\" TEXT DEFAULT 'site';")));
        c.close();
        ASSERT_TRUE(open_database());
    }

    // Changes every kind of user data in the open store.
    void edit_user_data()
    {
        ASSERT_TRUE(db_conn().execute(QStringLiteral(
            "UPDATE \"設定\" SET \"起動回数\" = 17, \"BASEurl\" = 'http://example.invalid:1',"
            " \"時差\" = '-5', \"雲高1\" = 1500, \"RVR1\" = 1234, \"KOLDEバージョン\" = '4.30';"
            "DELETE FROM \"飛行場情報\";"
            "INSERT INTO \"飛行場情報\" VALUES (1, 'RJTT', '羽田'), (3, 'RJAA', '成田'), (3, 'RJBB', '関空'), (7, 'ROAH', '那覇');"
            "DELETE FROM \"カンパニー\"; INSERT INTO \"カンパニー\" VALUES (1, 'MINE', 'RJTT RJCC');"
            "DELETE FROM \"気象略語\"; INSERT INTO \"気象略語\" VALUES (1, 'XX', '自分の言葉');"
            "UPDATE \"日本語解析\" SET \"意味\" = '利用者の変更';")));
        release_store();
        ASSERT_TRUE(open_database());
    }

    kolde_test::ProgramFolder home;
    QString new_file;
};

}  // namespace

TEST_F(Migrate, CarriesSettingsAndListsWithTheirOrder)
{
    edit_user_data();
    // The user's automatic-decode list is emptied: the site's list stays.
    ASSERT_TRUE(db_conn().execute(QStringLiteral("DELETE FROM \"自動デコード\"")));
    release_store();
    ASSERT_TRUE(open_database());

    ASSERT_TRUE(migrate_user_data(new_file));

    // The shared store is still open on the old file.
    EXPECT_TRUE(db_conn().is_open());
    EXPECT_EQ(setting_int(key::start_count), 17);

    platform::Connection c;
    ASSERT_TRUE(c.open(new_file, pw));
    platform::Recordset s;
    ASSERT_TRUE(s.open(c, QStringLiteral("設定")));
    EXPECT_EQ(s.field(QStringLiteral("起動回数")).to_int(), 17);
    EXPECT_EQ(s.field(QStringLiteral("BASEurl")).to_text(), QStringLiteral("http://example.invalid:1"));
    EXPECT_EQ(s.field(QStringLiteral("時差")).to_text(), QStringLiteral("-5"));
    EXPECT_EQ(s.field(QStringLiteral("雲高1")).to_int(), 1500);
    EXPECT_EQ(s.field(QStringLiteral("RVR1")).to_int(), 1234);
    EXPECT_EQ(s.field(QStringLiteral("KOLDEバージョン")).to_text(), QStringLiteral("4.30"));
    // The old database version travels too; the start-up writes the new one later.
    EXPECT_NE(s.field(QStringLiteral("DBバージョン")).to_text(), QStringLiteral("9.99"));
    // A column only the new file has keeps the site's value.
    EXPECT_EQ(s.field(QStringLiteral("新項目")).to_text(), QStringLiteral("site"));

    const QStringList cols{QStringLiteral("順位"), QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")};
    EXPECT_EQ(rows_of(c, QStringLiteral("飛行場情報"), cols),
              (QList<QStringList>{{"1", "RJTT", "羽田"}, {"3", "RJAA", "成田"}, {"3", "RJBB", "関空"}, {"7", "ROAH", "那覇"}}));
    EXPECT_EQ(rows_of(c, QStringLiteral("カンパニー"), {QStringLiteral("id"), QStringLiteral("route")}),
              (QList<QStringList>{{"MINE", "RJTT RJCC"}}));
    EXPECT_EQ(rows_of(c, QStringLiteral("気象略語"), {QStringLiteral("略語")}), (QList<QStringList>{{"XX"}}));
    // An empty user list leaves the site's list.
    EXPECT_GT(rows_of(c, QStringLiteral("自動デコード"), cols).size(), 0);
    // Phrases and pictures are always the site's.
    EXPECT_EQ(rows_of(c, QStringLiteral("日本語解析"), {QStringLiteral("略語"), QStringLiteral("意味")}),
              (QList<QStringList>{{"RA", "雨（新）"}}));
}

TEST_F(Migrate, FailsWithoutTouchingTheStoreWhenTheNewFileIsUnusable)
{
    edit_user_data();
    const QByteArray old_digest = digest(home.file(QStringLiteral("kolde.mdb")));

    // Missing file.
    EXPECT_FALSE(migrate_user_data(home.file(QStringLiteral("data/none.mdb"))));
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("data/none.mdb"))));

    // An HTML error page stored as the file.
    const QString page = home.file(QStringLiteral("data/page.mdb"));
    {
        ASSERT_TRUE(kolde_test::write_file(page, "<html><body>404 Not Found</body></html>"));
    }
    EXPECT_FALSE(migrate_user_data(page));

    // Another password.
    const QString other = home.file(QStringLiteral("data/other.mdb"));
    {
        platform::Connection c;
        ASSERT_TRUE(c.create(other, QStringLiteral("not-pelix")));
        ASSERT_TRUE(c.execute(QStringLiteral("CREATE TABLE \"設定\" (\"時差\" TEXT); INSERT INTO \"設定\" VALUES ('+9');")));
    }
    EXPECT_FALSE(migrate_user_data(other));

    // No settings row.
    {
        platform::Connection c;
        ASSERT_TRUE(c.open(new_file, pw));
        ASSERT_TRUE(c.execute(QStringLiteral("DELETE FROM \"設定\"")));
    }
    EXPECT_FALSE(migrate_user_data(new_file));

    EXPECT_TRUE(db_conn().is_open());
    EXPECT_TRUE(rs_settings().is_open());
    EXPECT_EQ(setting_int(key::start_count), 17);
    EXPECT_EQ(rs_airport().record_count(), 4);
    release_store();
    EXPECT_EQ(digest(home.file(QStringLiteral("kolde.mdb"))), old_digest);
}

TEST_F(Migrate, UnreadableOldListIsSkippedAndTheRestCopied)
{
    edit_user_data();
    rs_company().close();  // a list that cannot be read at all
    ASSERT_TRUE(migrate_user_data(new_file));
    platform::Connection c;
    ASSERT_TRUE(c.open(new_file, pw));
    // The site's groups stay; the other lists are the user's.
    const auto groups = rows_of(c, QStringLiteral("カンパニー"), {QStringLiteral("id")});
    EXPECT_FALSE(groups.contains(QStringList{"MINE"}));
    EXPECT_GT(groups.size(), 0);
    EXPECT_EQ(rows_of(c, QStringLiteral("気象略語"), {QStringLiteral("略語")}), (QList<QStringList>{{"XX"}}));
}

TEST_F(Migrate, FailsWhenTheOldSettingsCannotBeRead)
{
    rs_settings().close();
    EXPECT_FALSE(migrate_user_data(new_file));
}
