// The splash window: it asks the update site for its page on every
// activation, also when it is the active window again after a message box
// of the start-up sequence, and runs the sequence through to the main
// window.
#include "app/opening.h"

#include "core/database.h"
#include "core/settings.h"
#include "core/shared.h"
#include "startup/startup_sequence.h"
#include "support/fixtures.h"

#include "platform/instance.h"
#include "platform/msg_box.h"
#include "server.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include <vector>

#include <sys/stat.h>

using namespace kolde_sub;

namespace {

class Splash : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        ASSERT_GT(site.start(), 0);
        had_url_ = qEnvironmentVariableIsSet("KOLDE_UPDATE_URL");
        old_url_ = qgetenv("KOLDE_UPDATE_URL");
        qputenv("KOLDE_UPDATE_URL", QByteArray::fromStdString(site.base_url()));
        platform::set_msg_box_answerer([this](const platform::MsgBoxCall& c) {
            boxes << c.text;
            return platform::MsgAnswer::Ok;
        });
    }
    void TearDown() override
    {
        platform::set_msg_box_answerer({});
        platform::release_instance_lock();
        release_store();
        if (had_url_)
            qputenv("KOLDE_UPDATE_URL", old_url_);
        else
            qunsetenv("KOLDE_UPDATE_URL");
        site.stop();
    }

    // One start through the splash, as the program makes it; returns how
    // the sequence ended.
    StartupSequence::Outcome start()
    {
        release_store();
        main_shown = false;
        StartupSequence sequence({{}, {}, [this] { main_shown = true; }});
        opening splash(&sequence);
        if (!splash.Form_Load())
            return StartupSequence::Outcome::NotRun;
        if (!QTest::qWaitFor([&] { return sequence.outcome() != StartupSequence::Outcome::NotRun; }, 60000))
            return StartupSequence::Outcome::NotRun;
        splash_visible_at_end = splash.isVisible();
        return sequence.outcome();
    }

    // Waits until the site has served the splash page n times.
    int wait_for_pages(int n)
    {
        return QTest::qWaitFor([&] { return site.count("/index2.htm") >= n; }, 20000) ? site.count("/index2.htm")
                                                                                        : -1;
    }

    kolde_test::ProgramFolder home;
    kolde_site::Server site;
    QStringList boxes;
    bool main_shown = false;
    bool splash_visible_at_end = true;

private:
    bool had_url_ = false;
    QByteArray old_url_;
};

}  // namespace

TEST_F(Splash, PageIsAskedForOnEveryActivation)
{
    // First install: no box, the page once.
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_TRUE(main_shown);
    EXPECT_FALSE(splash_visible_at_end);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(wait_for_pages(1), 1);

    // A store that lost its settings row, upgraded: two boxes, and the
    // splash is active again after each.
    ASSERT_TRUE(open_database());
    ASSERT_TRUE(db_conn().execute(QStringLiteral("DELETE FROM \"設定\"")));
    release_store();
    site.set_file("/data/version.dat", "4.31,1.20,2.06");
    site.clear_requests();
    ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_EQ(wait_for_pages(3), 3);
    // The sequence's own transfers went through undisturbed.
    EXPECT_EQ(site.count("/data/kolde.mdb"), 1);
    EXPECT_EQ(site.count("/data/server.dat"), 1);
}

TEST_F(Splash, ARelativeProgramFolderIsMadeAbsoluteOnceAtStart)
{
    // KOLDE_HOME names the folder relative to the working folder at start;
    // the exit later needs it absolute, wherever the working folder is then.
    const QFileInfo folder(home.path());
    const QString old_cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.absolutePath()));
    qputenv("KOLDE_HOME", folder.fileName().toUtf8());  // the folder fixture puts the old value back
    const StartupSequence::Outcome outcome = start();
    ASSERT_TRUE(QDir::setCurrent(old_cwd));
    ASSERT_EQ(outcome, StartupSequence::Outcome::MainWindow);
    EXPECT_EQ(QFileInfo(program_folder()).canonicalFilePath(), folder.canonicalFilePath());
}

// The program folder and what the program keeps there are the user's alone,
// from the first start on and again at a start that finds them open to others.
TEST_F(Splash, TheProgramFolderAndItsFilesAreTheUsersAlone)
{
    const QString folder = home.file(QStringLiteral("kolde"));
    qputenv("KOLDE_HOME", folder.toUtf8());  // the folder fixture puts the old value back
    for (const bool opened_up : {false, true}) {
        SCOPED_TRACE(opened_up);
        if (opened_up) {
            release_store();
            platform::release_instance_lock();
            ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
            ASSERT_EQ(::chmod(QFile::encodeName(folder + "/kolde.mdb").constData(), 0644), 0);
        }
        ASSERT_EQ(start(), StartupSequence::Outcome::MainWindow);
        std::vector<int> modes;
        for (const char* name : {"", "/kolde.mdb", "/sound", "/sound/error.wav", "/data", "/kolde.lock"})
            modes.push_back(kolde_test::file_mode(folder + QString::fromLatin1(name)));
        EXPECT_EQ(modes, (std::vector<int>{0700, 0600, 0700, 0600, 0700, 0600}));
    }
}
