// Compacting the store at exit.
#include "startup/compaction.h"
#include "core/database.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <functional>

using namespace kolde_sub;

namespace {

const QString pw = QString::fromLatin1(database_password);

// Every table with its row count, and the settings row as text.
struct Contents {
    QMap<QString, int> rows;
    QStringList settings;
    bool operator==(const Contents&) const = default;
};

Contents contents_of(const QString& path)
{
    Contents out;
    platform::Connection c;
    if (!c.open(path, pw))
        return out;
    for (const QString& table : c.table_names()) {
        platform::Recordset rs;
        if (rs.open(c, table))
            out.rows.insert(table, rs.record_count());
    }
    platform::Recordset settings;
    if (settings.open(c, QStringLiteral("設定"))) {
        settings.move_first();
        for (const QString& field : settings.field_names())
            out.settings << field + u'=' + settings.field(field).to_text();
    }
    return out;
}

class Compaction : public kolde_test::SeededStore {
protected:
    QString store() const { return folder.file(QStringLiteral("kolde.mdb")); }
    QString temp() const { return folder.file(QStringLiteral("kolde_temp.mdb")); }
};

}  // namespace

TEST_F(Compaction, ReplacesTheStoreWithASmallerCopyOfTheSameData)
{
    // Rows added and deleted again leave free pages that only a compaction
    // gives back.
    ASSERT_TRUE(db_conn().execute(QStringLiteral(
            "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 60)"
            " INSERT INTO \"データ\" (\"順位\", \"名称\", \"データ\") SELECT 1000 + x, 'junk', randomblob(8000) FROM n;"
            "DELETE FROM \"データ\" WHERE \"名称\" = 'junk';"
            "UPDATE \"設定\" SET \"BASEurl\" = 'http://example.invalid:9';")));
    release_store();
    const Contents before = contents_of(store());
    ASSERT_FALSE(before.rows.isEmpty());
    const qint64 size_before = QFileInfo(store()).size();

    ASSERT_TRUE(compact_database(folder.path()));

    EXPECT_FALSE(QFileInfo::exists(temp()));
    EXPECT_LT(QFileInfo(store()).size(), size_before);
    EXPECT_EQ(contents_of(store()), before);
    // Still protected: a wrong password does not open it.
    platform::Connection wrong;
    EXPECT_FALSE(wrong.open(store(), QStringLiteral("not-the-password")));
    ASSERT_TRUE(open_database());
    EXPECT_EQ(setting_text(key::base_url), QStringLiteral("http://example.invalid:9"));
}

TEST_F(Compaction, AStaleTemporaryFileIsRemovedNotCompactedInto)
{
    release_store();
    const Contents before = contents_of(store());
    ASSERT_TRUE(kolde_test::write_file(temp(), QByteArray("left over from an earlier run")));
    ASSERT_TRUE(compact_database(folder.path()));
    EXPECT_FALSE(QFileInfo::exists(temp()));
    EXPECT_EQ(contents_of(store()), before);
}

// Every failure leaves the store byte for byte as it was, and no temporary
// file of the run.
TEST_F(Compaction, AFailureLeavesTheStoreAsItWas)
{
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::function<bool()> compact;
        bool temp_folder_stays = false;
    };
    const std::function<bool()> compact_here = [this] { return compact_database(folder.path()); };
    const Case cases[] = {
        {"the store is still open", [] { ASSERT_TRUE(open_database()); }, compact_here},
        {"a folder named as the temporary file",
         [this] { ASSERT_TRUE(QDir().mkpath(temp() + QStringLiteral("/inside"))); }, compact_here, true},
        {"the disk fills up", [] {},
         [this] {
             const kolde_test::FileSizeLimit full(4096);
             EXPECT_TRUE(full.active());
             return compact_database(folder.path());
         }},
        {"a relative program folder", [] {}, [] { return compact_database(QStringLiteral("relative/folder")); }},
        {"an empty program folder", [] {}, [] { return compact_database(QString()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        release_store();
        ASSERT_TRUE(folder.install_seed_database());
        const QByteArray before = kolde_test::read_file(store());
        c.arrange();
        EXPECT_FALSE(c.compact());
        release_store();
        EXPECT_EQ(kolde_test::read_file(store()), before);
        if (c.temp_folder_stays) {
            EXPECT_TRUE(QFileInfo(temp() + QStringLiteral("/inside")).isDir());
            QDir(temp()).removeRecursively();
        } else {
            EXPECT_FALSE(QFileInfo::exists(temp()));
        }
    }
}
