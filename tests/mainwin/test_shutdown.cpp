// The main window's close, which ends the program, and the update check on
// request.
#include "view_fixture.h"

#include "startup/update_check.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMap>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

using kolde_test::activate;
using platform::Value;

namespace {

// Every table of the store with its row count.
QMap<QString, int> row_counts()
{
    QMap<QString, int> out;
    for (const QString& table : kolde_sub::db_conn().table_names()) {
        platform::Recordset rs;
        if (rs.open(kolde_sub::db_conn(), table))
            out.insert(table, rs.record_count());
    }
    return out;
}

QStringList log_rows_oldest_first()
{
    QStringList rows;
    const kolde_sub::log_model* log = kolde_sub::log_book();
    for (int r = log->rowCount() - 1; r >= 0; --r)
        rows << log->row(r).text;
    return rows;
}

// The close box: the window system asks the window to close.
void close_box(view& v)
{
    QCloseEvent e;
    QSpontaneKeyEvent::setSpontaneous(&e);
    QApplication::instance()->notify(v.windowHandle(), &e);
}

class Shutdown : public kolde_test::ViewFixture {
protected:
    QString store() const { return folder.file(QStringLiteral("kolde.mdb")); }
    static void reopen()
    {
        if (!kolde_sub::db_conn().is_open()) {
            ASSERT_TRUE(kolde_sub::open_database());
        }
    }
};

}  // namespace

// ------------------------------------------------------------- exit count

TEST_F(Shutdown, CountsEachExitAndCompactsTheStoreAtTheFiftySecond)
{
    struct Case {
        int stored, next;
        bool compacted;
    };
    for (const Case& c : {Case{0, 1, false}, Case{50, 51, false}, Case{51, 0, true}}) {
        SCOPED_TRACE(c.stored);
        reopen();
        set(kolde_sub::key::start_count, Value(c.stored));
        // Rows added and deleted again: only a compaction gives the space back.
        ASSERT_TRUE(kolde_sub::db_conn().execute(QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 40)"
                " INSERT INTO \"データ\" (\"順位\", \"名称\", \"データ\") SELECT 1000 + x, 'junk', randomblob(8000) FROM n;"
                "DELETE FROM \"データ\" WHERE \"名称\" = 'junk';")));
        const QMap<QString, int> rows = row_counts();
        const qint64 size_before = QFileInfo(store()).size();
        {
            view v;
            activate(v);
            v.close();
            EXPECT_FALSE(kolde_sub::db_conn().is_open());
        }
        EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("kolde_temp.mdb"))));
        if (c.compacted)
            EXPECT_LT(QFileInfo(store()).size(), size_before);
        else
            EXPECT_EQ(QFileInfo(store()).size(), size_before);
        ASSERT_TRUE(kolde_sub::open_database());  // with the password
        EXPECT_EQ(kolde_sub::setting_int(kolde_sub::key::start_count), c.next);
        EXPECT_EQ(row_counts(), rows);
    }
}

TEST_F(Shutdown, AFailedCompactionLeavesTheStoreInPlace)
{
    set(kolde_sub::key::start_count, Value(51));
    const QMap<QString, int> rows = row_counts();
    const QString in_the_way = folder.file(QStringLiteral("kolde_temp.mdb/inside"));
    ASSERT_TRUE(QDir().mkpath(in_the_way));
    {
        view v;
        v.close();
    }
    EXPECT_TRUE(QFileInfo(in_the_way).isDir());
    ASSERT_TRUE(kolde_sub::open_database());
    EXPECT_EQ(kolde_sub::setting_int(kolde_sub::key::start_count), 0);
    EXPECT_EQ(row_counts(), rows);
}

// ------------------------------------------------------------- folders

TEST_F(Shutdown, RemovesDataAndHelpButNothingOutsideTheProgramFolder)
{
    QTemporaryDir outside;
    ASSERT_TRUE(kolde_test::write_file(outside.filePath(QStringLiteral("keep.txt")), "outside"));
    ASSERT_TRUE(kolde_test::write_file(outside.filePath(QStringLiteral("pages/keep.htm")), "outside"));
    ASSERT_TRUE(kolde_test::write_file(folder.file(QStringLiteral("data/sequence.dat")), "x"));
    ASSERT_TRUE(kolde_test::write_file(folder.file(QStringLiteral("data/sub/00.dat")), "x"));
    ASSERT_TRUE(kolde_test::write_file(folder.file(QStringLiteral("sound/ring.wav")), "ring"));
    // A link inside data/ and a help/ that is itself a link lead outside.
    ASSERT_TRUE(QFile::link(outside.filePath(QStringLiteral("keep.txt")), folder.file(QStringLiteral("data/link.txt"))));
    ASSERT_TRUE(QFile::link(outside.filePath(QStringLiteral("pages")), folder.file(QStringLiteral("help"))));
    {
        view v;
        v.close();
    }
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("data"))));
    EXPECT_FALSE(QFileInfo(folder.file(QStringLiteral("help"))).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("help"))));
    EXPECT_TRUE(QFileInfo::exists(folder.file(QStringLiteral("sound/ring.wav"))));
    EXPECT_TRUE(QFileInfo::exists(store()));
    EXPECT_EQ(kolde_test::read_file(outside.filePath(QStringLiteral("keep.txt"))), QByteArray("outside"));
    EXPECT_EQ(kolde_test::read_file(outside.filePath(QStringLiteral("pages/keep.htm"))), QByteArray("outside"));
}

TEST_F(Shutdown, NothingIsRemovedWithoutAnAbsoluteProgramFolder)
{
    QTemporaryDir cwd;
    const QString old_cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cwd.path()));
    ASSERT_TRUE(kolde_test::write_file(cwd.filePath(QStringLiteral("home/data/keep.txt")), "x"));
    ASSERT_TRUE(kolde_test::write_file(cwd.filePath(QStringLiteral("data/keep.txt")), "x"));
    qputenv("KOLDE_HOME", "home");  // the folder fixture puts the old value back
    {
        view v;
        v.close();
    }
    QDir::setCurrent(old_cwd);
    EXPECT_TRUE(QFileInfo::exists(cwd.filePath(QStringLiteral("home/data/keep.txt"))));
    EXPECT_TRUE(QFileInfo::exists(cwd.filePath(QStringLiteral("data/keep.txt"))));
}

// ------------------------------------------------------------- browser pane

TEST_F(Shutdown, TheCloseBoxWithTheBrowserPaneOpenClosesOnlyThePane)
{
    view v;
    activate(v);
    drive(v).browser_pane()->show();
    ASSERT_TRUE(drive(v).browser_pane()->isVisible());
    close_box(v);
    EXPECT_TRUE(v.isVisible());
    EXPECT_FALSE(drive(v).browser_pane()->isVisible());
    EXPECT_TRUE(kolde_sub::db_conn().is_open());
    EXPECT_EQ(kolde_sub::setting_int(kolde_sub::key::start_count), 0);

    // With the pane closed the close box ends the program.
    close_box(v);
    EXPECT_FALSE(v.isVisible());
    EXPECT_FALSE(kolde_sub::db_conn().is_open());
}

TEST_F(Shutdown, ACloseByTheProgramEndsItAlsoWithThePaneOpen)
{
    view v;
    activate(v);
    drive(v).browser_pane()->show();
    v.close();  // as the EXIT command does
    EXPECT_FALSE(v.isVisible());
    EXPECT_FALSE(kolde_sub::db_conn().is_open());
    EXPECT_FALSE(kolde_sub::log_loaded());
    ASSERT_TRUE(kolde_sub::open_database());
    EXPECT_EQ(kolde_sub::setting_int(kolde_sub::key::start_count), 1);
}

// ------------------------------------------------------------- update check

// The check tells and the window runs on: another version on the site is
// named with the way to install it, whatever the user answers.
TEST_F(Shutdown, TheUpdateMenuTellsWithTheHeartbeatOffAndTheWindowRunsOn)
{
    struct Case {
        const char* name;
        const char* version_file;  // nullptr: the site is down
        const char* says;          // the start of the box's text
    };
    for (const Case& c : {Case{"same version", "4.31,1.10,2.05", "最新版の KOLDE"},
                          Case{"another version", "4.40,1.10,2.05", "KOLDE は Version 4.40 に"},
                          Case{"failed transfer", nullptr, "ネットワーク回線"}}) {
        SCOPED_TRACE(c.name);
        reopen();
        serve_version("4.31,1.10,2.05");
        view v;
        activate(v);
        // The site changes after the start's own version check.
        if (c.version_file) {
            serve_version(c.version_file);
        } else {
            ASSERT_TRUE(server->set_down(true));
        }
        answer = platform::MsgAnswer::Yes;
        boxes.clear();
        // The heartbeat runs again after the check even when it was off.
        drive(v).heartbeat_timer()->stop();
        drive(v).menu_item("menu_update")->trigger();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].buttons, platform::MsgButtons::Ok);
        EXPECT_TRUE(boxes[0].text.startsWith(QString::fromUtf8(c.says))) << qPrintable(boxes[0].text);
        EXPECT_TRUE(v.isVisible());
        EXPECT_TRUE(kolde_sub::db_conn().is_open());
        EXPECT_TRUE(drive(v).heartbeat_timer()->isActive());
        const QStringList rows = log_rows_oldest_first();
        ASSERT_GE(rows.size(), 2);
        EXPECT_EQ(rows[rows.size() - 2], QStringLiteral("SYSTEM UPDATE COMMAND"));
        ASSERT_TRUE(server->set_down(false));
    }
}

TEST_F(Shutdown, AClosingWindowAbandonsTheCheckUnderWay)
{
    view v;
    activate(v);
    server->set_fault("/data/version.dat", kolde_site::Fault::Stall);
    QTimer::singleShot(0, &v, [&v] { v.close(); });
    v.check_update();
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(v.isVisible());
    EXPECT_FALSE(drive(v).heartbeat_timer()->isActive());
}
