// The database and files that the build assembles for the update site.
#include "core/database.h"
#include "core/settings.h"
#include "core/shared.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

using namespace kolde_sub;

namespace {

QStringList version_items()
{
    QFile f(kolde_test::site_root() + QStringLiteral("/data/version.dat"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll()).split(QRegularExpression(QStringLiteral("[,\r\n]+")), Qt::SkipEmptyParts);
}

}  // namespace

TEST(ServedDatabase, OpensOnlyWithThePassword)
{
    kolde_test::ensure_app();
    QFile f(kolde_test::seed_database());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.read(16).startsWith("SQLite format 3"));
    f.close();

    platform::Connection c;
    EXPECT_FALSE(c.open(kolde_test::seed_database(), QString()));
    EXPECT_FALSE(c.open(kolde_test::seed_database(), QStringLiteral("Pelix")));
    ASSERT_TRUE(c.open(kolde_test::seed_database(), QString::fromLatin1(database_password)));
    const QStringList tables = c.table_names();
    for (const char* t : {"飛行場情報", "自動デコード", "カンパニー", "気象略語", "日本語解析", "データ", "設定"})
        EXPECT_TRUE(tables.contains(QString::fromUtf8(t))) << t;
}

TEST(ServedDatabase, SettingsRowCarriesTheAnnouncedVersions)
{
    kolde_test::ensure_app();
    const QStringList items = version_items();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], QStringLiteral("4.31"));
    kolde_test::ProgramFolder home;
    ASSERT_TRUE(home.install_seed_database());
    ASSERT_TRUE(open_database());
    EXPECT_EQ(rs_settings().record_count(), 1);
    EXPECT_TRUE(versions_equal(version_number(setting(key::updater_version)), version_number(items[1])));
    EXPECT_TRUE(versions_equal(version_number(setting(key::database_version)), version_number(items[2])));
}

TEST(ServedDatabase, CataloguesAreWellFormed)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    ASSERT_TRUE(home.install_seed_database());
    ASSERT_TRUE(open_database());

    // Every airport of the built-in position table is in the catalogue.
    QSet<QString> codes;
    const QRegularExpression code(QStringLiteral("^[A-Z]{4}$"));
    int order = 0;
    for (rs_airport().move_first(); !rs_airport().eof(); rs_airport().move_next()) {
        const QString c = rs_airport().field(QStringLiteral("ICAOコード")).to_text();
        EXPECT_TRUE(code.match(c).hasMatch()) << qPrintable(c);
        EXPECT_FALSE(codes.contains(c)) << qPrintable(c);
        EXPECT_FALSE(rs_airport().field(QStringLiteral("飛行場名")).to_text().isEmpty());
        EXPECT_EQ(rs_airport().field(QStringLiteral("順位")).to_int(), ++order);
        codes.insert(c);
    }
    for (const char* c : {"RJTT", "RJAA", "RJCC", "RJBB", "RJOO", "RJGG", "RJFF", "ROAH", "RJEC", "RORY", "ROYN", "RJAM"})
        EXPECT_TRUE(codes.contains(QString::fromLatin1(c))) << c;
    EXPECT_GE(codes.size(), 128);

    EXPECT_GT(rs_autodecode().record_count(), 0);
    for (rs_autodecode().move_first(); !rs_autodecode().eof(); rs_autodecode().move_next())
        EXPECT_TRUE(codes.contains(rs_autodecode().field(QStringLiteral("ICAOコード")).to_text()));

    const QRegularExpression route(QStringLiteral("^[A-Z]{4}( [A-Z]{4})*$"));
    EXPECT_EQ(rs_company().record_count(), 2);
    for (rs_company().move_first(); !rs_company().eof(); rs_company().move_next()) {
        EXPECT_TRUE(route.match(rs_company().field(QStringLiteral("route")).to_text()).hasMatch());
        const QString id = rs_company().field(QStringLiteral("id")).to_text();
        EXPECT_EQ(id, id.toUpper());
    }

    QSet<QString> words;
    for (rs_abbrev().move_first(); !rs_abbrev().eof(); rs_abbrev().move_next())
        words.insert(rs_abbrev().field(QStringLiteral("略語")).to_text());
    for (const char* w : {"TS", "SH", "FZ", "RA", "SN", "BR", "FG", "HZ", "VC", "+", "-", "NSC", "NCD", "SKC", "CLR",
                          "CAVOK", "NOSIG", "BECMG", "TEMPO", "CB", "TCU"})
        EXPECT_TRUE(words.contains(QString::fromUtf8(w))) << w;
}

TEST(ServedDatabase, SiteFilesAreInPlace)
{
    const QString root = kolde_test::site_root();
    for (const char* f : {"/data/kolde.mdb", "/data/update.exe", "/data/error.wav", "/data/ring.wav",
                          "/data/version.dat", "/index2.htm"})
        EXPECT_TRUE(QFile::exists(root + QString::fromLatin1(f))) << f;
    QFile wav(root + QStringLiteral("/data/ring.wav"));
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    const QByteArray head = wav.read(12);
    EXPECT_TRUE(head.startsWith("RIFF"));
    EXPECT_EQ(head.mid(8, 4), QByteArray("WAVE"));
}
