// What a downloaded database may bring into the store: its tables, never a
// trigger or a view of its own.
#include "core/database.h"
#include "startup/download.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

using namespace kolde_sub;

TEST(ServedSchema, TriggersAndViewsAreDroppedAndAFileThatKeepsOneIsRefused)
{
    kolde_test::ensure_app();
    struct Case {
        const char* name;
        const char* sql;
        bool usable;        // passes the check of a download
        bool becomes_store; // and may then become the store
    };
    const Case cases[] = {
        {"as served", "", true, true},
        {"a trigger and a view",
         "CREATE TRIGGER t AFTER UPDATE ON 設定 BEGIN DELETE FROM カンパニー; END;"
         "CREATE VIEW v AS SELECT * FROM 気象略語;"
         "CREATE TRIGGER tv INSTEAD OF DELETE ON v BEGIN DELETE FROM 気象略語; END;",
         true, true},
        // The check reads the file's tables, never through its views.
        {"settings through a view", "ALTER TABLE 設定 RENAME TO s; CREATE VIEW 設定 AS SELECT * FROM s;", false, false},
        {"a list through a view", "ALTER TABLE カンパニー RENAME TO c; CREATE VIEW カンパニー AS SELECT * FROM c;", true,
         false},
        {"a view the engine will not drop",
         "PRAGMA writable_schema = 1;"
         "INSERT INTO sqlite_master VALUES ('view', 'sqlite_v', 'sqlite_v', 0, 'CREATE VIEW sqlite_v AS SELECT 1');",
         true, false},
        {"a trigger that says it is a table",
         "PRAGMA writable_schema = 1;"
         "INSERT INTO sqlite_master VALUES ('table', 't', '設定', 0,"
         " 'CREATE TRIGGER t AFTER UPDATE ON 設定 BEGIN DELETE FROM カンパニー; END');",
         true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kolde_test::ProgramFolder home;
        ASSERT_TRUE(home.install_seed_database());
        const QString path = home.file(QStringLiteral("kolde.mdb"));
        {
            platform::Connection conn;
            ASSERT_TRUE(conn.open(path, QString::fromLatin1(database_password)));
            ASSERT_TRUE(conn.execute(QString::fromUtf8(c.sql))) << qPrintable(conn.last_error());
        }
        EXPECT_EQ(database_file_usable(path), c.usable);
        if (!c.usable)
            continue;
        EXPECT_EQ(strip_schema_code(path), c.becomes_store);
        if (!c.becomes_store)
            continue;
        platform::Connection conn;
        ASSERT_TRUE(conn.open(path, QString::fromLatin1(database_password)));
        const auto schema = conn.schema();
        ASSERT_TRUE(schema);
        for (const auto& e : *schema)
            EXPECT_EQ(e.type, QStringLiteral("table")) << qPrintable(e.name);
        EXPECT_TRUE(database_file_usable(path));
    }
}
