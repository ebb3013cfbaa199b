// The start-up sequence against an in-process update site: first install,
// ordinary start, no network, upgrades of the auto-update program and the
// database, and the site's address.
#include "core/database.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "startup/startup_sequence.h"
#include "support/fixtures.h"

#include "platform/msg_box.h"
#include "server.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QMap>

#include <csignal>
#include <sys/resource.h>

using namespace kolde_sub;
using kolde_site::Fault;

namespace {

const QString pw = QString::fromLatin1(database_password);

QByteArray read_all(const QString& path)
{
    return kolde_test::read_file(path);
}

// Every file of the program folder with its digest (the instance lock aside).
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(folder).relativeFilePath(path);
        if (rel != QLatin1String("kolde.lock"))
            out[rel] = QCryptographicHash::hash(read_all(path), QCryptographicHash::Sha256);
    }
    return out;
}

// A database file like the served one, changed by sql, as bytes.
QByteArray served_database_with(const QString& sql, const QString& password = pw)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.mdb"));
    if (password == pw) {
        QFile::copy(kolde_test::seed_database(), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        platform::Connection c;
        EXPECT_TRUE(c.open(path, pw));
        EXPECT_TRUE(c.execute(sql)) << qPrintable(c.last_error());
    } else {
        platform::Connection c;
        EXPECT_TRUE(c.create(path, password));
        EXPECT_TRUE(c.execute(QStringLiteral("CREATE TABLE \"設定\" (\"DBバージョン\"); INSERT INTO \"設定\" VALUES ('9');")));
    }
    return read_all(path);
}

// One column of a table, in the order of 順位.
QStringList column_of(platform::Connection& c, const char* table, const char* column)
{
    platform::Recordset rs;
    QStringList out;
    if (rs.open(c, QString::fromUtf8(table)))
        for (rs.set_sort(QStringLiteral("順位")); !rs.eof(); rs.move_next())
            out << rs.field(QString::fromUtf8(column)).to_text();
    return out;
}

struct Boxes {
    QList<platform::MsgBoxCall> calls;
};

// While it lives no file of this process can grow beyond a few bytes, as on
// a full disk: a longer write is cut short.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }
    bool ok() const { return ok_; }

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
    bool ok_ = false;
};


class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        ASSERT_GT(site.start(), 0);
        platform::set_msg_box_answerer([this](const platform::MsgBoxCall& c) {
            boxes.calls << c;
            events << QStringLiteral("box");
            return platform::MsgAnswer::Ok;
        });
    }
    void TearDown() override
    {
        platform::set_msg_box_answerer({});
        release_store();
        site.stop();
    }

    // One start of the program up to the hand-over to the main window.
    StartupSequence::Outcome start()
    {
        release_store();
        set_builtin_addresses();
        set_update_address(QString::fromStdString(site.base_url()));
        splash_closed = notice_shown = main_shown = false;
        events.clear();
        StartupSequence seq({[this] {
                                 splash_closed = true;
                                 events << QStringLiteral("splash closed");
                             },
                             [this] { notice_shown = true; },
                             [this] {
                                 main_shown = true;
                                 events << QStringLiteral("main window");
                             }});
        seq.run();
        return seq.outcome();
    }

    // Reopens the store to read what the run left in the file.
    void reopen()
    {
        release_store();
        ASSERT_TRUE(open_database());
    }

    void first_install()
    {
        ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
        site.clear_requests();
    }

    kolde_test::ProgramFolder home;
    kolde_site::Server site;
    Boxes boxes;
    bool splash_closed = false, notice_shown = false, main_shown = false;
    QStringList events;
};

}  // namespace

TEST(StartupVersionFile, PresentItemsAreReadAsTheyStandAndOnlyMissingOnesRepeat)
{
    struct Case {
        const char* text;
        const char* program;
        const char* update;
        const char* database;
    };
    const Case cases[] = {
        {"4.31,1.10,2.05", "4.31", "1.10", "2.05"},
        {"4.31\r\n1.10\r\n2.05\r\n", "4.31", "1.10", "2.05"},
        {" 4.31 , 1.10 , 2.05 ", "4.31", "1.10", "2.05"},
        // Missing items repeat the last one read.
        {"4.31,1.10", "4.31", "1.10", "1.10"},
        {"4.31,1.10\r\n", "4.31", "1.10", "1.10"},
        {"4.31", "4.31", "4.31", "4.31"},
        // An item that is there but empty stays empty: version 0.
        {"4.31,1.10,", "4.31", "1.10", ""},
        {"4.31,1.10,\r\n", "4.31", "1.10", ""},
        {"4.31,,2.05", "4.31", "", "2.05"},
        {"4.31,", "4.31", "", ""},
        // More than three: the rest is not read.
        {"4.31,1.10,2.05,9", "4.31", "1.10", "2.05"},
        {"", "", "", ""},
        {"\r\n", "", "", ""},
    };
    for (const Case& c : cases) {
        const VersionFile v = parse_version_file(QString::fromLatin1(c.text));
        EXPECT_EQ(v.program, QString::fromLatin1(c.program)) << c.text;
        EXPECT_EQ(v.update, QString::fromLatin1(c.update)) << c.text;
        EXPECT_EQ(v.database, QString::fromLatin1(c.database)) << c.text;
    }
    EXPECT_EQ(version_number(parse_version_file(QStringLiteral("4.31,1.10,")).database), 0.0f);
}

TEST(StartupVersionFile, SiteAddresses)
{
    EXPECT_TRUE(is_site_url(QStringLiteral("http://127.0.0.1:8737")));
    EXPECT_TRUE(is_site_url(QStringLiteral("https://example.org/kolde")));
    for (const char* bad : {"", "garbage", "http://", "ftp://x", "/data", "http://x\n", " http://x", "<html>"})
        EXPECT_FALSE(is_site_url(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(version_text_of(4.32f), QStringLiteral("4.32"));
    EXPECT_EQ(version_text_of(5.0f), QStringLiteral("5"));
}

TEST_F(Startup, FirstInstallProvidesEverythingAndStampsTheVersion)
{
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_TRUE(is_online());
    EXPECT_TRUE(main_shown);
    EXPECT_TRUE(splash_closed);
    EXPECT_FALSE(notice_shown);
    EXPECT_TRUE(boxes.calls.isEmpty());
    const QString root = kolde_test::site_root();
    EXPECT_EQ(read_all(home.file("sound/error.wav")), read_all(root + "/data/error.wav"));
    EXPECT_EQ(read_all(home.file("sound/ring.wav")), read_all(root + "/data/ring.wav"));
    EXPECT_FALSE(QFile::exists(home.file("data/version.dat")));
    EXPECT_FALSE(QFile::exists(home.file("data/kolde$.mdb")));
    EXPECT_EQ(site.count("/data/kolde.mdb"), 1);  // the served versions match version.dat
    reopen();
    EXPECT_EQ(setting_text(key::program_version), QStringLiteral("4.31"));
    EXPECT_EQ(setting_text(key::program_updated), today_text());
    EXPECT_EQ(setting_text(key::base_url), QString::fromStdString(site.base_url()));
    EXPECT_EQ(addresses().update, QString::fromStdString(site.base_url()));
}

// Also with a version file that is blank: it announces no version, so the
// user's database is neither replaced nor stamped.
TEST_F(Startup, OrdinaryStartDownloadsAndChangesNothing)
{
    first_install();
    const auto before = snapshot(home.path());
    for (const char* version_file : {"4.31,1.10,2.05", "\n", " \n", "\r\n", " \t \r\n\r\n"}) {
        SCOPED_TRACE(version_file);
        site.set_file("/data/version.dat", version_file);
        site.clear_requests();
        ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
        release_store();
        EXPECT_EQ(snapshot(home.path()), before);
        EXPECT_EQ(site.requests(), (std::vector<std::string>{"GET /data/version.dat", "GET /data/server.dat"}));
        EXPECT_TRUE(boxes.calls.isEmpty());
    }
}

TEST_F(Startup, NoAnswerShowsTheNoticeAndWritesNothing)
{
    struct Case {
        const char* name;
        std::function<void(kolde_site::Server&)> fault;
    };
    const Case cases[] = {
        {"error page", [](kolde_site::Server& s) { s.set_fault("/data/version.dat", Fault::ErrorPage); }},
        {"404", [](kolde_site::Server& s) { s.set_fault("/data/version.dat", Fault::NotFound); }},
        {"empty", [](kolde_site::Server& s) { s.set_fault("/data/version.dat", Fault::Empty); }},
        {"down", [](kolde_site::Server& s) { s.set_down(true); }},
    };
    for (const Case& c : cases) {
        c.fault(site);
        EXPECT_EQ(start(), StartupSequence::Outcome::NoConnection) << c.name;
        EXPECT_TRUE(notice_shown) << c.name;
        EXPECT_TRUE(splash_closed) << c.name;
        EXPECT_FALSE(main_shown) << c.name;
        EXPECT_FALSE(is_online()) << c.name;
        EXPECT_TRUE(snapshot(home.path()).isEmpty()) << c.name;
        EXPECT_FALSE(QDir(home.file("data")).exists()) << c.name;
        site.clear_faults();
        site.set_down(false);
    }
}

TEST_F(Startup, DatabaseUpgradeCarriesTheUsersDataAndSwaps)
{
    first_install();
    reopen();
    ASSERT_TRUE(db_conn().execute(QStringLiteral(
        "UPDATE \"設定\" SET \"起動回数\" = 12, \"更新確認メッセージ\" = -1;"
        "DELETE FROM \"カンパニー\"; INSERT INTO \"カンパニー\" VALUES (1, 'MINE', 'RJTT RJCC');")));
    release_store();
    site.set_file("/data/version.dat", "4.31,1.10,2.06");
    site.set_file("/data/kolde.mdb",
                  served_database_with(QStringLiteral("UPDATE \"設定\" SET \"DBバージョン\" = '2.06';"
                                                      "DELETE FROM \"日本語解析\";"
                                                      "INSERT INTO \"日本語解析\" VALUES (1, 'RA', '雨（新）');"))
                      .toStdString());
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_EQ(site.count("/data/kolde.mdb"), 1);
    EXPECT_FALSE(QFile::exists(home.file("data/kolde$.mdb")));
    ASSERT_EQ(boxes.calls.size(), 1);
    EXPECT_EQ(boxes.calls[0].title, QStringLiteral(" 更新"));
    EXPECT_EQ(boxes.calls[0].text, QStringLiteral("データベースを更新しました　　\r\rVersion 2.06"));
    reopen();
    EXPECT_EQ(setting_int(key::start_count), 12);
    EXPECT_EQ(setting_text(key::database_version), QStringLiteral("2.06"));
    EXPECT_EQ(setting_text(key::database_updated), today_text());
    rs_company().move_first();
    EXPECT_EQ(rs_company().field("id").to_text(), QStringLiteral("MINE"));
    EXPECT_EQ(rs_company().record_count(), 1);
    rs_translation().move_first();
    EXPECT_EQ(rs_translation().field("意味").to_text(), QStringLiteral("雨（新）"));

    // The next start finds everything in step.
    site.clear_requests();
    boxes.calls.clear();
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_EQ(site.count("/data/kolde.mdb"), 0);
    EXPECT_TRUE(boxes.calls.isEmpty());
}

// Nothing of a served database's own schema runs: not while it is checked
// and the user's data go in, not in the store it becomes, at any write.
TEST_F(Startup, AServedDatabasesTriggersAndViewsNeverRun)
{
    const QString wipe_lists = QStringLiteral(
        "CREATE TRIGGER t AFTER UPDATE ON \"設定\" BEGIN DELETE FROM \"カンパニー\"; DELETE FROM \"気象略語\"; END;");
    struct Case {
        const char* name;
        const char* database_version;  // announced and served
        QString sql;
    };
    const Case cases[] = {
        {"first install", "2.05", wipe_lists},
        {"upgrade", "2.06", wipe_lists + QStringLiteral("CREATE VIEW v AS SELECT * FROM \"カンパニー\";")},
        // Fires where the migration writes into the served file.
        {"upgrade, a trigger on the migration's writes", "2.07",
         QStringLiteral("CREATE TRIGGER m AFTER INSERT ON \"気象略語\" BEGIN DELETE FROM \"カンパニー\"; END;")},
    };
    // What the lists must hold: the site's at the first install, then the user's.
    QStringList groups, words;
    {
        platform::Connection seed;
        ASSERT_TRUE(seed.open(kolde_test::seed_database(), pw));
        groups = column_of(seed, "カンパニー", "id");
        words = column_of(seed, "気象略語", "略語");
        ASSERT_FALSE(groups.isEmpty());
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        site.set_file("/data/version.dat", std::string("4.31,1.10,") + c.database_version);
        site.set_file("/data/kolde.mdb",
                      served_database_with(QStringLiteral("UPDATE \"設定\" SET \"DBバージョン\" = '%1';")
                                               .arg(QString::fromLatin1(c.database_version)) +
                                           c.sql)
                          .toStdString());
        ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
        reopen();
        EXPECT_EQ(setting_text(key::database_version), QString::fromLatin1(c.database_version));
        ASSERT_TRUE(set_setting(key::start_count, platform::Value(5)));
        EXPECT_EQ(column_of(db_conn(), "カンパニー", "id"), groups);
        EXPECT_EQ(column_of(db_conn(), "気象略語", "略語"), words);
        const auto schema = db_conn().schema();
        ASSERT_TRUE(schema);
        for (const auto& e : *schema)
            EXPECT_EQ(e.type, QStringLiteral("table")) << qPrintable(e.name);
        ASSERT_TRUE(db_conn().execute(QStringLiteral(
            "DELETE FROM \"カンパニー\"; INSERT INTO \"カンパニー\" VALUES (1, 'MINE', 'RJTT RJCC');"
            "DELETE FROM \"気象略語\"; INSERT INTO \"気象略語\" VALUES (1, 'XX', '自分の言葉');")));
        groups = QStringList{QStringLiteral("MINE")};
        words = QStringList{QStringLiteral("XX")};
    }
}

TEST_F(Startup, FailedDatabaseDownloadsSwapNothing)
{
    first_install();
    reopen();
    ASSERT_TRUE(db_conn().execute(QStringLiteral("UPDATE \"設定\" SET \"起動回数\" = 12, \"更新確認メッセージ\" = -1;")));
    release_store();
    site.set_file("/data/version.dat", "4.31,1.10,2.06");
    const auto before = snapshot(home.path());

    const std::function<void()> faults[] = {
        [&] { site.set_fault("/data/kolde.mdb", Fault::ErrorPage); },
        [&] { site.set_fault("/data/kolde.mdb", Fault::NotFound); },
        [&] { site.set_fault("/data/kolde.mdb", Fault::Empty); },
        [&] { site.set_file("/data/kolde.mdb", served_database_with({}, QStringLiteral("other")).toStdString()); },
        [&] { site.set_file("/data/kolde.mdb", "SQLite format 3\0 but not really"); },
    };
    int n = 0;
    for (const auto& fault : faults) {
        fault();
        ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow) << n;
        EXPECT_TRUE(main_shown);
        EXPECT_EQ(site.count("/data/kolde.mdb"), n + 1);
        release_store();
        EXPECT_EQ(snapshot(home.path()), before) << n;
        EXPECT_TRUE(boxes.calls.isEmpty()) << n;
        site.clear_faults();
        site.clear_file("/data/kolde.mdb");
        ++n;
    }
    reopen();
    EXPECT_EQ(setting_int(key::start_count), 12);
    EXPECT_EQ(setting_text(key::database_version), QStringLiteral("2.05"));
}

TEST_F(Startup, ResetFetchesTheDatabaseAgainAndSaysSo)
{
    first_install();
    reopen();
    ASSERT_TRUE(set_setting(key::database_version, platform::Value(0)));
    release_store();
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    ASSERT_EQ(boxes.calls.size(), 1);
    EXPECT_EQ(boxes.calls[0].title, QStringLiteral(" 確認"));
    EXPECT_EQ(boxes.calls[0].text, QStringLiteral("データベースを初期化しました　　"));
    reopen();
    EXPECT_EQ(setting_text(key::database_version), QStringLiteral("2.05"));
}

TEST_F(Startup, VersionFileWithTwoItemsAnnouncesTheSecondForTheDatabase)
{
    first_install();
    site.set_file("/data/version.dat", "4.31,1.10");
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_EQ(site.count("/data/kolde.mdb"), 1);
    reopen();
    EXPECT_EQ(setting_text(key::database_version), QStringLiteral("1.1"));
}

TEST_F(Startup, ServerFileAddress)
{
    first_install();
    const QString base = QString::fromStdString(site.base_url());

    // Garbage, an error page, an empty reply or an address that does not
    // answer changes nothing.
    std::string dead;
    {
        kolde_site::Server gone;
        ASSERT_GT(gone.start(), 0);
        dead = gone.base_url();
    }
    for (const std::string& bad : {std::string("garbage"), std::string("<html>error</html>"), std::string(),
                                   std::string("ftp://x"), dead}) {
        site.set_server_dat(bad);
        const auto before = snapshot(home.path());
        ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow) << bad;
        EXPECT_EQ(addresses().update, base) << bad;
        release_store();
        EXPECT_EQ(snapshot(home.path()), before) << bad;
    }

    // A good address with a stray line break is taken trimmed.
    site.set_server_dat(base.toStdString() + "/\r\n");
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_EQ(addresses().update, base);
    reopen();
    EXPECT_EQ(setting_text(key::base_url), base);
    release_store();

    // Another site that answers takes over, for this run and the next.
    kolde_site::Server moved;
    ASSERT_GT(moved.start(), 0);
    const QString moved_base = QString::fromStdString(moved.base_url());
    site.set_server_dat(moved.base_url());
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_EQ(addresses().update, moved_base);
    reopen();
    EXPECT_EQ(setting_text(key::base_url), moved_base);
}

TEST_F(Startup, UnusableStoredAddressKeepsTheBuiltInOne)
{
    first_install();
    for (const char* stored : {"", "not a url", "http://"}) {
        reopen();
        ASSERT_TRUE(set_setting(key::base_url, platform::Value(stored)));
        release_store();
        ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow) << stored;
        EXPECT_EQ(site.count("/data/version.dat"), 1) << stored;
        site.clear_requests();
    }
}

TEST_F(Startup, FullDiskLeavesTheOldFilesAndReadsTheReplyAsReceived)
{
    first_install();
    reopen();
    ASSERT_TRUE(set_setting(key::update_confirm_message, platform::Value::boolean(true)));
    release_store();
    const QByteArray old_database = read_all(home.file("kolde.mdb"));
    struct Case {
        const char* name;
        const char* version_file;
        int database_fetches;
    };
    const Case cases[] = {
        // A cut copy of the version file must not announce other versions.
        {"versions in step", "4.31,1.10,2.05", 0},
        // A new database that cannot be stored leaves the old one whole.
        {"new database", "4.31,1.10,2.06", 1},
    };
    for (const Case& c : cases) {
        site.set_file("/data/version.dat", c.version_file);
        site.clear_requests();
        boxes.calls.clear();
        {
            FullDisk full(6);
            ASSERT_TRUE(full.ok());
            ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow) << c.name;
        }
        release_store();
        EXPECT_EQ(site.count("/data/kolde.mdb"), c.database_fetches) << c.name;
        EXPECT_EQ(read_all(home.file("kolde.mdb")), old_database) << c.name;
        EXPECT_FALSE(QFile::exists(home.file("data/kolde$.mdb"))) << c.name;
        EXPECT_FALSE(QFile::exists(home.file("data/version.dat"))) << c.name;
        EXPECT_TRUE(boxes.calls.isEmpty()) << c.name;
    }
    reopen();
    EXPECT_EQ(setting_text(key::database_version), QStringLiteral("2.05"));
}

TEST_F(Startup, DeadStoredAddressFallsBackToTheBuiltInSite)
{
    first_install();
    std::string dead;
    {
        kolde_site::Server gone;
        ASSERT_GT(gone.start(), 0);
        dead = gone.base_url();
    }
    reopen();
    ASSERT_TRUE(set_setting(key::base_url, platform::Value(QString::fromStdString(dead))));
    release_store();

    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_TRUE(is_online());
    EXPECT_FALSE(notice_shown);
    const QString base = QString::fromStdString(site.base_url());
    EXPECT_EQ(addresses().update, base);
    EXPECT_EQ(site.count("/data/version.dat"), 1);
    reopen();
    EXPECT_EQ(setting_text(key::base_url), base);  // from the server file of the site that answered

    // When the built-in site does not answer either, the notice is shown.
    ASSERT_TRUE(set_setting(key::base_url, platform::Value(QString::fromStdString(dead))));
    release_store();
    ASSERT_TRUE(site.set_down(true));
    EXPECT_EQ(start(), StartupSequence::Outcome::NoConnection);
    EXPECT_TRUE(notice_shown);
    ASSERT_TRUE(site.set_down(false));
}

TEST_F(Startup, ExplicitUpdateAddressWinsOverTheStoredOne)
{
    first_install();
    kolde_site::Server other;
    ASSERT_GT(other.start(), 0);
    reopen();
    ASSERT_TRUE(set_setting(key::base_url, platform::Value(QString::fromStdString(other.base_url()))));
    release_store();

    const kolde_test::EnvironmentVariable explicit_url("KOLDE_UPDATE_URL", QByteArray::fromStdString(site.base_url()));
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_TRUE(other.requests().empty());
    EXPECT_EQ(site.count("/data/version.dat"), 1);

    // Nor does the server file move this run to another site.
    site.set_server_dat(other.base_url());
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_EQ(addresses().update, QString::fromStdString(site.base_url()));
}

TEST_F(Startup, UnopenableStoreIsNeverReplacedAndTheUserIsTold)
{
    struct Case {
        const char* name;
        std::function<bool(const QString&)> make;
    };
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    };
    const Case cases[] = {
        {"garbage", [&](const QString& p) { return write(p, QByteArray("this is no database at all\n").repeated(50)); }},
        {"empty", [&](const QString& p) { return write(p, QByteArray()); }},
        {"other password", [](const QString& p) {
             QFile::remove(p);
             platform::Connection c;
             return c.create(p, QStringLiteral("another")) && c.execute(QStringLiteral("CREATE TABLE t (x)"));
         }},
    };
    // The site announces a newer database, which must not be swapped in
    // either: there is nothing to carry the user's data from.
    site.set_file("/data/version.dat", "4.31,1.20,2.06");
    const QString db = home.file("kolde.mdb");
    for (const Case& c : cases) {
        ASSERT_TRUE(c.make(db)) << c.name;
        const QByteArray old = read_all(db);
        site.clear_requests();
        boxes.calls.clear();
        ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow) << c.name;
        EXPECT_EQ(read_all(db), old) << c.name;
        EXPECT_EQ(site.count("/data/kolde.mdb"), 0) << c.name;
        EXPECT_FALSE(QFile::exists(home.file("data/kolde$.mdb"))) << c.name;
        EXPECT_FALSE(db_conn().is_open()) << c.name;
        // The box names the file, after the splash and before the main window.
        EXPECT_EQ(events, (QStringList{"splash closed", "box", "main window"})) << c.name;
        ASSERT_EQ(boxes.calls.size(), 1) << c.name;
        EXPECT_EQ(boxes.calls[0].icon, platform::MsgIcon::Information);
        EXPECT_EQ(boxes.calls[0].title, QStringLiteral(" 確認"));
        EXPECT_TRUE(boxes.calls[0].text.contains(QDir::toNativeSeparators(program_path(QStringLiteral("kolde.mdb")))))
            << qPrintable(boxes.calls[0].text);
        EXPECT_TRUE(boxes.calls[0].text.endsWith(QStringLiteral("　　"))) << c.name;
    }
}

namespace {

// The hot journal a kill leaves beside database when an upgrade is cut short
// while it carries the lists over: the first list went in and made the file
// grow, the next one was being written.
QByteArray journal_of_an_interrupted_migration(const QByteArray& database)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kolde$.mdb"));
    EXPECT_TRUE(kolde_test::write_file(path, database));
    QString rows;
    for (int i = 1; i <= 400; ++i)
        rows += QStringLiteral("%1(%2, 'G%2', 'RJTT RJCC RJAA RJBB RJOO RJFF')").arg(i == 1 ? "" : ",").arg(i);
    platform::Connection c;
    EXPECT_TRUE(c.open(path, pw));
    EXPECT_TRUE(c.execute(QStringLiteral("DELETE FROM \"カンパニー\"; INSERT INTO \"カンパニー\" VALUES ") + rows));
    // Without syncs the journal's header is complete from the first page on,
    // as it is after the sync that precedes a commit's writes.
    EXPECT_TRUE(c.execute(QStringLiteral("PRAGMA synchronous = OFF; BEGIN;"
                                         "DELETE FROM \"気象略語\"; INSERT INTO \"気象略語\" VALUES (1, 'RA', '雨');")));
    const QByteArray journal = read_all(path + QStringLiteral("-journal"));
    EXPECT_TRUE(c.execute(QStringLiteral("ROLLBACK")));
    EXPECT_FALSE(journal.isEmpty());
    return journal;
}

// That journal rolled back into a fresh copy of the file: it opens, and
// fails the integrity check.
QByteArray damaged_database(const QByteArray& database)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.mdb"));
    EXPECT_TRUE(kolde_test::write_file(path + QStringLiteral("-journal"), journal_of_an_interrupted_migration(database)));
    EXPECT_TRUE(kolde_test::write_file(path, database));
    platform::Connection c;
    EXPECT_TRUE(c.open(path, pw));
    EXPECT_FALSE(c.check_integrity());
    c.close();
    return read_all(path);
}

}  // namespace

// An upgrade never puts a damaged database in the place of the user's store:
// neither one spoilt by a stale journal beside the download, nor one served
// damaged.
TEST_F(Startup, InterruptedOrDamagedUpgradeLeavesTheStoreSound)
{
    first_install();
    reopen();
    ASSERT_TRUE(db_conn().execute(QStringLiteral(
        "DELETE FROM \"カンパニー\"; INSERT INTO \"カンパニー\" VALUES (1, 'MINE', 'RJTT RJCC');")));
    release_store();
    const QByteArray served = read_all(kolde_test::site_root() + "/data/kolde.mdb");
    const QString fresh = home.file("data/kolde$.mdb");

    struct Case {
        const char* name;
        const char* version_file;
        QByteArray served;
        QByteArray stale_journal;      // left beside the download
        const char* database_version;  // after the start
    };
    const Case cases[] = {
        // The download goes through whole once the stale journal is gone.
        {"stale journal", "4.31,1.10,2.06", served, journal_of_an_interrupted_migration(served), "2.06"},
        // A damaged download is never swapped in; the next start tries again.
        {"damaged download", "4.31,1.10,2.07", damaged_database(served), {}, "2.06"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        site.set_file("/data/version.dat", c.version_file);
        site.set_file("/data/kolde.mdb", c.served.toStdString());
        if (!c.stale_journal.isEmpty()) {
            ASSERT_TRUE(kolde_test::write_file(fresh, "what the killed upgrade had written"));
            ASSERT_TRUE(kolde_test::write_file(fresh + "-journal", c.stale_journal));
        }
        ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
        release_store();
        {
            platform::Connection store;
            ASSERT_TRUE(store.open(home.file("kolde.mdb"), pw));
            EXPECT_TRUE(store.check_integrity()) << qPrintable(store.last_error());
        }
        for (const char* left : {"", "-journal", "-wal", "-shm"})
            EXPECT_FALSE(QFile::exists(fresh + left)) << left;
        reopen();
        EXPECT_EQ(setting_text(key::database_version), QString::fromLatin1(c.database_version));
        rs_company().move_first();
        EXPECT_EQ(rs_company().field("id").to_text(), QStringLiteral("MINE"));
        release_store();
    }
}

// A store that lost its settings row is told of and gets the row back, made
// of the defaults; the user's lists stay.
TEST_F(Startup, AStoreWithoutItsSettingsRowGetsTheDefaultsAndKeepsItsLists)
{
    first_install();
    reopen();
    ASSERT_TRUE(db_conn().execute(QStringLiteral(
        "DELETE FROM \"設定\"; DELETE FROM \"カンパニー\"; INSERT INTO \"カンパニー\" VALUES (1, 'MINE', 'RJTT RJCC');")));
    release_store();
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    ASSERT_FALSE(boxes.calls.isEmpty());
    EXPECT_EQ(boxes.calls[0].text, QStringLiteral("データベースファイル ") +
                                       QDir::toNativeSeparators(home.file("kolde.mdb")) +
                                       QStringLiteral(" に設定がなかったため、初期設定で作り直しました　　"));
    reopen();
    EXPECT_EQ(rs_settings().record_count(), 1);
    for (std::size_t i = 0; i < settings_fields().size(); ++i) {
        const SettingKey key = SettingKey::at(i);
        if (key.field().default_kind != SettingField::Default::None) {
            EXPECT_EQ(setting(key).to_text(), settings_default(key.field()).to_text()) << key.field().name;
        }
    }
    rs_company().move_first();
    EXPECT_EQ(rs_company().field("id").to_text(), QStringLiteral("MINE"));
}

// What a compaction cut short left beside the store goes at the next start.
TEST_F(Startup, ALeftOverCompactionCopyIsRemoved)
{
    first_install();
    const QByteArray store = read_all(home.file("kolde.mdb"));
    for (const char* name : {"kolde_temp.mdb", "kolde_temp.mdb-journal"})
        ASSERT_TRUE(kolde_test::write_file(home.file(name), store));
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    release_store();
    for (const char* name : {"kolde_temp.mdb", "kolde_temp.mdb-journal"})
        EXPECT_FALSE(QFile::exists(home.file(name))) << name;
    EXPECT_EQ(read_all(home.file("kolde.mdb")), store);
}
