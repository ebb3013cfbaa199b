// One KOLDE per program folder: a second start says so and ends; a program
// folder that cannot be written is said to be so, not taken for a second
// start. Either way nothing is asked of the update site.
#include "support/fixtures.h"

#include "platform/instance.h"
#include "server.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct KoldeRun {
    QString boxes;  // the MSGBOX lines of standard error
    bool ended_normally = false;
};

// Runs the program on the program folder home and returns its message boxes.
KoldeRun run_kolde(const QString& home, const kolde_site::Server& site)
{
    QProcess kolde;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KOLDE_HOME", home);
    env.insert("KOLDE_UPDATE_URL", QString::fromStdString(site.base_url()));
    env.insert("KOLDE_MSGBOX_AUTO", "ok");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    kolde.setProcessEnvironment(env);
    kolde.start(QStringLiteral(KOLDE_BINARY), {});
    KoldeRun run;
    if (!kolde.waitForFinished(60000)) {
        kolde.kill();
        kolde.waitForFinished();
        return run;
    }
    run.ended_normally = kolde.exitStatus() == QProcess::NormalExit && kolde.exitCode() == 0;
    for (const QString& line : QString::fromUtf8(kolde.readAllStandardError()).split(u'\n'))
        if (line.startsWith(QStringLiteral("MSGBOX|")))
            run.boxes += line + u'\n';
    return run;
}

}  // namespace

TEST(SingleInstance, SecondStartIsRefusedWithoutNetworkTraffic)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    kolde_site::Server site;
    ASSERT_GT(site.start(), 0);
    ASSERT_EQ(platform::acquire_instance_lock(home.path()), platform::InstanceLock::Taken);
    const KoldeRun run = run_kolde(home.path(), site);
    platform::release_instance_lock();

    EXPECT_TRUE(run.ended_normally);
    EXPECT_EQ(run.boxes, QStringLiteral("MSGBOX| 確認|KOLDE はすでに起動しています  \n"));
    EXPECT_TRUE(site.requests().empty());
}

TEST(SingleInstance, UnwritableProgramFolderIsNamedNotTakenForASecondStart)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder scratch;
    kolde_site::Server site;
    ASSERT_GT(site.start(), 0);
    // A folder beneath a plain file can never be made, not even by root.
    QFile plain(scratch.file("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString home = scratch.file("plain/kolde");
    const KoldeRun run = run_kolde(home, site);

    EXPECT_TRUE(run.ended_normally);
    EXPECT_EQ(run.boxes, QStringLiteral("MSGBOX| 確認|プログラムフォルダ ") + QDir::toNativeSeparators(home) +
                             QStringLiteral(" に書き込めないため、KOLDE を起動できません　　\n"));
    EXPECT_TRUE(site.requests().empty());
}

TEST(SingleInstance, LockTellsAnotherHolderFromALockThatCannotBeMade)
{
    kolde_test::ProgramFolder home;
    QFile plain(home.file("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_EQ(platform::acquire_instance_lock(home.file("plain/kolde")), platform::InstanceLock::CannotCreate);
    EXPECT_EQ(platform::acquire_instance_lock(QStringLiteral("/proc/kolde")), platform::InstanceLock::CannotCreate);

    // Another holder of the lock file (its own lock, as a second program has).
    QLockFile other(home.file("held/kolde.lock"));
    ASSERT_TRUE(QDir().mkpath(home.file("held")));
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_EQ(platform::acquire_instance_lock(home.file("held")), platform::InstanceLock::HeldByAnother);
    other.unlock();

    // A folder that does not exist yet is made.
    EXPECT_EQ(platform::acquire_instance_lock(home.file("new/kolde")), platform::InstanceLock::Taken);
    EXPECT_TRUE(QFile::exists(home.file("new/kolde/kolde.lock")));
    platform::release_instance_lock();
}
