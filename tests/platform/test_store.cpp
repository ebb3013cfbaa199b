// The connection and recordset layer over the encrypted database file.
#include "platform/store.h"
#include "platform/store_statement.h"
#include "category_messages.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <vector>

using platform::Connection;
using platform::Recordset;
using platform::Value;

namespace {

const QString pw = QStringLiteral("pelix");

// A small database with one list table, one settings-like table and one
// table with a blob column.
QString make_db(const QTemporaryDir& dir, const QString& name = QStringLiteral("t.mdb"))
{
    const QString path = dir.filePath(name);
    Connection c;
    EXPECT_TRUE(c.create(path, pw)) << qPrintable(c.last_error());
    EXPECT_TRUE(c.execute(QStringLiteral(
        "CREATE TABLE \"飛行場情報\" (\"順位\" INTEGER, \"ICAOコード\" TEXT, \"飛行場名\" TEXT CHECK (\"飛行場名\" <> 'BAD'));"
        "INSERT INTO \"飛行場情報\" VALUES (3,'RJBB','関西国際'),(1,'RJTT','東京国際'),(2,'RJAA','成田国際');"
        "CREATE TABLE \"設定\" (\"LOCAL使用\" INTEGER, \"時差\" TEXT, \"KOLDEバージョン\");"
        "INSERT INTO \"設定\" VALUES (-1,'+9','4.31');"
        "CREATE TABLE \"データ\" (\"順位\" INTEGER, \"名称\" TEXT, \"データ\" BLOB);")))
        << qPrintable(c.last_error());
    return path;
}

QStringList codes(Recordset& rs)
{
    QStringList out;
    for (rs.move_first(); !rs.eof(); rs.move_next())
        out << rs.field(QStringLiteral("ICAOコード")).to_text();
    return out;
}

}  // namespace

TEST(Store, OpensSortsAndReadsFieldsByName)
{
    QTemporaryDir dir;
    const QString path = make_db(dir);
    Connection c;
    ASSERT_TRUE(c.open(path, pw));
    Recordset rs;
    ASSERT_TRUE(rs.open(c, QStringLiteral("飛行場情報")));
    EXPECT_EQ(rs.record_count(), 3);
    EXPECT_EQ(codes(rs), (QStringList{"RJBB", "RJTT", "RJAA"}));  // table order
    rs.set_sort(QStringLiteral("順位"));
    EXPECT_EQ(codes(rs), (QStringList{"RJTT", "RJAA", "RJBB"}));
    rs.move_first();
    EXPECT_TRUE(rs.bof() == false && rs.eof() == false);
    EXPECT_EQ(rs.field(QStringLiteral("飛行場名")).to_text(), QStringLiteral("東京国際"));
    EXPECT_EQ(rs.field(QStringLiteral("順位")).to_int(), 1);
    EXPECT_TRUE(rs.field(QStringLiteral("no such column")).is_null());
    rs.move_last();
    rs.move_next();
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(rs.field(QStringLiteral("ICAOコード")).is_null());

    Recordset settings;
    ASSERT_TRUE(settings.open(c, QStringLiteral("設定")));
    EXPECT_TRUE(settings.field(QStringLiteral("LOCAL使用")).to_bool());
    EXPECT_EQ(settings.field(QStringLiteral("LOCAL使用")).to_int(), -1);
    EXPECT_EQ(settings.field(QStringLiteral("KOLDEバージョン")).to_text(), QStringLiteral("4.31"));
}

TEST(Store, WritesGoThroughAtOnceAndSurviveReopen)
{
    QTemporaryDir dir;
    const QString path = make_db(dir);
    {
        Connection c;
        ASSERT_TRUE(c.open(path, pw));
        Recordset rs;
        ASSERT_TRUE(rs.open(c, QStringLiteral("設定")));
        ASSERT_TRUE(rs.set_field(QStringLiteral("時差"), Value("-5")));
        ASSERT_TRUE(rs.set_field(QStringLiteral("KOLDEバージョン"), Value(0)));
        ASSERT_TRUE(rs.update());
        EXPECT_EQ(rs.field(QStringLiteral("時差")).to_text(), QStringLiteral("-5"));

        Recordset list;
        ASSERT_TRUE(list.open(c, QStringLiteral("飛行場情報")));
        list.set_sort(QStringLiteral("順位"));
        ASSERT_TRUE(list.add_new());
        list.set_field(QStringLiteral("順位"), Value(4));
        list.set_field(QStringLiteral("ICAOコード"), Value("RJCC"));
        list.set_field(QStringLiteral("飛行場名"), Value("新千歳"));
        ASSERT_TRUE(list.update());
        EXPECT_EQ(list.record_count(), 4);
        EXPECT_EQ(list.field(QStringLiteral("ICAOコード")).to_text(), QStringLiteral("RJCC"));
        // Delete RJAA (second in order).
        list.move_first();
        list.move_next();
        ASSERT_TRUE(list.remove());
        EXPECT_EQ(list.record_count(), 3);
        // An edit left pending is written when the recordset moves on.
        list.move_first();
        list.set_field(QStringLiteral("飛行場名"), Value("羽田"));
        list.move_next();
    }
    Connection c;
    ASSERT_TRUE(c.open(path, pw));
    Recordset rs;
    ASSERT_TRUE(rs.open(c, QStringLiteral("設定")));
    EXPECT_EQ(rs.field(QStringLiteral("時差")).to_text(), QStringLiteral("-5"));
    EXPECT_EQ(rs.field(QStringLiteral("KOLDEバージョン")).to_int(), 0);
    Recordset list;
    ASSERT_TRUE(list.open(c, QStringLiteral("飛行場情報")));
    list.set_sort(QStringLiteral("順位"));
    EXPECT_EQ(codes(list), (QStringList{"RJTT", "RJBB", "RJCC"}));
    list.move_first();
    EXPECT_EQ(list.field(QStringLiteral("飛行場名")).to_text(), QStringLiteral("羽田"));
}

TEST(Store, WrongPasswordMissingFileOrTableFailSoftly)
{
    QTemporaryDir dir;
    const QString path = make_db(dir);
    Connection c;
    EXPECT_FALSE(c.open(path, QStringLiteral("other")));
    EXPECT_FALSE(c.is_open());
    EXPECT_FALSE(c.open(dir.filePath(QStringLiteral("missing.mdb")), pw));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing.mdb"))));  // not created
    EXPECT_FALSE(c.open(dir.path(), pw));                                       // a folder

    // Every use of a closed recordset is harmless.
    Recordset rs;
    EXPECT_FALSE(rs.open(c, QStringLiteral("飛行場情報")));
    EXPECT_FALSE(rs.is_open());
    EXPECT_EQ(rs.record_count(), 0);
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(rs.field(QStringLiteral("順位")).is_null());
    EXPECT_FALSE(rs.set_field(QStringLiteral("順位"), Value(1)));
    EXPECT_FALSE(rs.add_new());
    EXPECT_FALSE(rs.update());
    EXPECT_FALSE(rs.remove());
    rs.move_first();
    rs.move_next();
    rs.set_sort(QStringLiteral("順位"));

    ASSERT_TRUE(c.open(path, pw));
    EXPECT_FALSE(rs.open(c, QStringLiteral("no such table")));
    EXPECT_FALSE(rs.is_open());

    // A file that is not a database at all.
    const QString junk = dir.filePath(QStringLiteral("junk.mdb"));
    ASSERT_TRUE(kolde_test::write_file(junk, "<html>not found</html>"));
    Connection j;
    EXPECT_FALSE(j.open(junk, pw));
}

TEST(Store, EngineFailuresLeaveAWarningWithTheEngineMessage)
{
    QTemporaryDir dir;
    const QString path = make_db(dir);
    Connection c;
    ASSERT_TRUE(c.open(path, pw));
    const QStringList cols{QStringLiteral("順位"), QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")};
    struct Case {
        const char* name;
        std::function<bool()> fails;
        const char* message;
    };
    const Case cases[] = {
        {"wrong password", [&] { Connection w; return w.open(path, QStringLiteral("other")); }, "not a database"},
        {"missing file", [&] { Connection m; return m.open(dir.filePath(QStringLiteral("none.mdb")), pw); },
         "no such file"},
        {"bad statement", [&] { return c.execute(QStringLiteral("SELEKT 1")); }, "syntax error"},
        {"missing table", [&] { Recordset rs; return rs.open(c, QStringLiteral("無い")); }, "no such table"},
        {"row against the table's rule",
         [&] {
             return platform::save_list(c, QStringLiteral("飛行場情報"), cols,
                                        {{Value(1), Value("RJXX"), Value("BAD")}});
         },
         "CHECK constraint failed"},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        kolde_test::CategoryWarnings warnings("kolde.store");
        EXPECT_FALSE(t.fails());
        ASSERT_FALSE(warnings.messages().isEmpty());
        EXPECT_TRUE(warnings.messages().join(u'\n').contains(QLatin1String(t.message)))
            << qPrintable(warnings.messages().join(u'\n'));
    }
}

// A file from the network may hold a trigger or a view: opened as such,
// neither ever runs, while the tables are read and written as usual.
TEST(Store, NoTriggerOrViewOfAnUntrustedFileRuns)
{
    QTemporaryDir dir;
    const QString path = make_db(dir);
    {
        Connection c;
        ASSERT_TRUE(c.open(path, pw));
        ASSERT_TRUE(c.execute(QStringLiteral(
            "CREATE TABLE spill (x);"
            "CREATE TRIGGER t AFTER INSERT ON \"飛行場情報\" BEGIN INSERT INTO spill VALUES (1); END;"
            "CREATE VIEW v AS SELECT * FROM \"設定\";")))
            << qPrintable(c.last_error());
    }
    Connection c;
    ASSERT_TRUE(c.open(path, pw, Connection::Schema::untrusted));
    EXPECT_TRUE(c.execute(QStringLiteral("INSERT INTO \"飛行場情報\" VALUES (4,'RJCC','新千歳')")));
    Recordset spill, view, list;
    ASSERT_TRUE(spill.open(c, QStringLiteral("spill")));
    EXPECT_EQ(spill.record_count(), 0);
    EXPECT_FALSE(view.open(c, QStringLiteral("v")));
    ASSERT_TRUE(list.open(c, QStringLiteral("飛行場情報")));
    EXPECT_EQ(list.record_count(), 4);
}

// An untrusted connection whose guards do not all hold is no connection:
// each guard failing in turn fails the open, names itself, leaves no handle.
TEST(Store, AnUntrustedOpenFailsWhenAGuardDoesNotHold)
{
    using platform::store_detail::SchemaGuard;
    QTemporaryDir dir;
    const QString path = make_db(dir);
    const auto real = platform::store_detail::untrusted_guards();
    ASSERT_FALSE(real.empty());
    for (std::size_t i = 0; i <= real.size(); ++i) {
        std::vector<SchemaGuard> guards(real.begin(), real.end());
        if (i < real.size())
            guards[i].apply = [](sqlite3*) { return false; };
        sqlite3* db = nullptr;
        QString error;
        const bool opened = platform::store_detail::open_handle(path, pw, SQLITE_OPEN_READWRITE, guards, &db, error);
        EXPECT_EQ(opened, i == real.size()) << i;
        EXPECT_EQ(db != nullptr, opened) << i;
        if (i < real.size()) {
            EXPECT_TRUE(error.contains(QString::fromUtf8(real[i].what))) << qPrintable(error);
        }
        sqlite3_close(db);
    }
}

TEST(Store, FileIsEncryptedAndItsOwnersAlone)
{
    QTemporaryDir dir;
    const QString path = make_db(dir);
    EXPECT_EQ(kolde_test::file_mode(path), 0600);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray head = f.read(16);
    EXPECT_FALSE(head.startsWith("SQLite format 3"));
    EXPECT_FALSE(f.readAll().contains(QStringLiteral("東京国際").toUtf8()));
}

TEST(Store, SaveListIsAllOrNothing)
{
    QTemporaryDir dir;
    const QString path = make_db(dir);
    Connection c;
    ASSERT_TRUE(c.open(path, pw));
    const QStringList cols{QStringLiteral("順位"), QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")};

    // The third row breaks the table's rule: nothing of the save stays.
    const QList<QList<Value>> bad{{Value(1), Value("ROAH"), Value("那覇")},
                                  {Value(2), Value("RJFF"), Value("福岡")},
                                  {Value(3), Value("RJXX"), Value("BAD")}};
    EXPECT_FALSE(platform::save_list(c, QStringLiteral("飛行場情報"), cols, bad));
    Recordset rs;
    ASSERT_TRUE(rs.open(c, QStringLiteral("飛行場情報")));
    rs.set_sort(QStringLiteral("順位"));
    EXPECT_EQ(codes(rs), (QStringList{"RJTT", "RJAA", "RJBB"}));

    // Skipping failed rows keeps the good ones.
    EXPECT_TRUE(platform::save_list(c, QStringLiteral("飛行場情報"), cols, bad, true));
    ASSERT_TRUE(rs.requery());
    EXPECT_EQ(codes(rs), (QStringList{"ROAH", "RJFF"}));

    // A table that does not exist fails and changes nothing elsewhere.
    EXPECT_FALSE(platform::save_list(c, QStringLiteral("無い"), cols, bad));
    EXPECT_FALSE(c.in_transaction());

    // An empty list empties the table.
    EXPECT_TRUE(platform::save_list(c, QStringLiteral("飛行場情報"), cols, {}));
    ASSERT_TRUE(rs.requery());
    EXPECT_EQ(rs.record_count(), 0);
}

TEST(Store, BinaryFieldRoundTrip)
{
    QTemporaryDir dir;
    const QString path = make_db(dir);
    QByteArray picture;
    for (int i = 0; i < 70000; ++i)
        picture.append(static_cast<char>(i * 7));
    {
        Connection c;
        ASSERT_TRUE(c.open(path, pw));
        Recordset rs;
        ASSERT_TRUE(rs.open(c, QStringLiteral("データ")));
        ASSERT_TRUE(rs.add_new());
        rs.set_field(QStringLiteral("名称"), Value("CB"));
        ASSERT_TRUE(rs.append_chunk(QStringLiteral("データ"), picture.left(1000)));
        ASSERT_TRUE(rs.append_chunk(QStringLiteral("データ"), picture.mid(1000)));
        ASSERT_TRUE(rs.update());
    }
    Connection c;
    ASSERT_TRUE(c.open(path, pw));
    Recordset rs;
    ASSERT_TRUE(rs.open(c, QStringLiteral("データ")));
    ASSERT_EQ(rs.record_count(), 1);
    const qint64 size = rs.actual_size(QStringLiteral("データ"));
    EXPECT_EQ(size, picture.size());
    EXPECT_EQ(rs.get_chunk(QStringLiteral("データ"), size), picture);
    EXPECT_EQ(rs.get_chunk(QStringLiteral("データ"), 10), picture.left(10));
    EXPECT_EQ(rs.actual_size(QStringLiteral("名称")), 2);
}

TEST(Store, ValueConversions)
{
    EXPECT_EQ(platform::leading_number(QStringLiteral("4.31abc")), 4.31);
    EXPECT_EQ(platform::leading_number(QStringLiteral("  -2.5")), -2.5);
    EXPECT_EQ(platform::leading_number(QStringLiteral("abc")), 0.0);
    EXPECT_EQ(platform::leading_number(QStringLiteral("")), 0.0);
    EXPECT_EQ(platform::leading_number(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(platform::leading_number(QStringLiteral("1e3x")), 1000.0);
    EXPECT_EQ(platform::leading_number(QStringLiteral("1e")), 1.0);
    EXPECT_EQ(platform::leading_number(QStringLiteral("+")), 0.0);
    EXPECT_EQ(Value("12").to_int(), 12);
    EXPECT_EQ(Value().to_text(), QString());
    EXPECT_FALSE(Value().to_bool());
    EXPECT_TRUE(Value(-1).to_bool());
    EXPECT_EQ(Value(3), Value(3.0));
    EXPECT_NE(Value("3"), Value(3));
}
