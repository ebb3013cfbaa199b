// The built program. One KOLDE per program folder: a second start says so
// and ends; a program folder that cannot be written is said to be so, not
// taken for a second start; either way nothing is asked of the update site.
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
    bool running = false;  // still running when the log row until came
};

// Runs the program on the program folder home until it ends, or until it
// writes the log row until; returns its message boxes.
KoldeRun run_kolde(const QString& home, const kolde_site::Server& site, const QByteArray& until = {})
{
    QProcess kolde;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KOLDE_HOME", home);
    for (const char* address : {"KOLDE_UPDATE_URL", "KOLDE_REPORT_URL", "KOLDE_WEB_URL"})
        env.insert(address, QString::fromStdString(site.base_url()));
    env.insert("KOLDE_MSGBOX_AUTO", "ok");
    env.insert("KOLDE_LOG_ECHO", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    kolde.setProcessEnvironment(env);
    kolde.setReadChannel(QProcess::StandardError);
    kolde.start(QStringLiteral(KOLDE_BINARY), {});
    KoldeRun run;
    QByteArray err;
    if (!until.isEmpty()) {
        while (!err.contains("|" + until) && kolde.state() != QProcess::NotRunning && kolde.waitForReadyRead(60000))
            err += kolde.readAllStandardError();
        run.running = err.contains("|" + until) && kolde.state() == QProcess::Running;
        kolde.kill();
    }
    if (!kolde.waitForFinished(60000)) {
        kolde.kill();
        kolde.waitForFinished();
        return run;
    }
    run.ended_normally = kolde.exitStatus() == QProcess::NormalExit && kolde.exitCode() == 0;
    err += kolde.readAllStandardError();
    for (const QString& line : QString::fromUtf8(err).split(u'\n'))
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

// With the settings as shipped, another version on the site is told and the
// program runs on; the site's update program is neither fetched nor run.
TEST(ProgramRun, AnotherVersionIsToldAndTheProgramRunsOn)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    kolde_site::Server site;
    ASSERT_GT(site.start(), 0);
    site.set_file("/data/version.dat", "4.40,1.20,2.05");
    // An update program that leaves a mark when anyone runs it.
    site.set_file("/data/update.exe", "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\" \"$1/ran\"\n");
    ASSERT_TRUE(home.install_seed_database());

    const KoldeRun run = run_kolde(home.path(), site, "AUTO DECODE SEQUENCE START");
    EXPECT_TRUE(run.running);
    EXPECT_EQ(run.boxes, QStringLiteral("MSGBOX| 確認|KOLDE は Version 4.4 にアップデートされています　　\\n\\n"
                                        "最新版はシステムのパッケージマネージャーからインストールしてください　　\n"));
    EXPECT_EQ(site.count("/data/update.exe"), 0);
    EXPECT_FALSE(QFile::exists(home.file("ran")));
}
