// The built program against the in-process site, with the settings as
// shipped: whatever the start has to tell, it tells and runs on; nothing the
// site sends is ever run.
#include "support/fixtures.h"

#include "core/database.h"
#include "platform/store.h"
#include "server.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

struct ProgramRunResult {
    QStringList boxes;    // the MSGBOX lines of standard error
    bool running = false;  // still running once the automatic decode began
};

// Starts the program on home and reads its standard error until the
// automatic decode begins or the program ends; then ends it.
ProgramRunResult run_until_the_decode_starts(const QString& home, const kolde_site::Server& site)
{
    QProcess kolde;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KOLDE_HOME", home);
    env.insert("KOLDE_UPDATE_URL", QString::fromStdString(site.base_url()));
    env.insert("KOLDE_REPORT_URL", QString::fromStdString(site.base_url()));
    env.insert("KOLDE_WEB_URL", QString::fromStdString(site.base_url()));
    env.insert("KOLDE_MSGBOX_AUTO", "ok");
    env.insert("KOLDE_LOG_ECHO", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    kolde.setProcessEnvironment(env);
    kolde.setReadChannel(QProcess::StandardError);
    kolde.start(QStringLiteral(KOLDE_BINARY), {});
    ProgramRunResult run;
    QByteArray err;
    bool decoding = false;
    while (!decoding && kolde.state() != QProcess::NotRunning && kolde.waitForReadyRead(60000)) {
        err += kolde.readAllStandardError();
        decoding = err.contains("|AUTO DECODE SEQUENCE START");
    }
    run.running = decoding && kolde.state() == QProcess::Running;
    kolde.kill();
    kolde.waitForFinished();
    err += kolde.readAllStandardError();
    for (const QString& line : QString::fromUtf8(err).split(u'\n'))
        if (line.startsWith(QStringLiteral("MSGBOX|")))
            run.boxes << line;
    return run;
}

}  // namespace

TEST(ProgramRun, WhatTheStartTellsItTellsAndTheProgramRunsOn)
{
    kolde_test::ensure_app();
    struct Case {
        const char* name;
        const char* version_file;
        bool settings_row;  // the store holds its settings row
        const char* told;   // a box says this
    };
    const Case cases[] = {
        // Another program version: named with the way to install it.
        {"another version", "4.40,1.10,2.05", true,
         "MSGBOX| 確認|KOLDE は Version 4.4 にアップデートされています　　\\n\\n"
         "最新版はシステムのパッケージマネージャーからインストールしてください　　"},
        // A store without its settings row: the row is made afresh.
        {"no settings row", "4.31,1.10,2.05", false, "に設定がなかったため、初期設定で作り直しました　　"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kolde_test::ProgramFolder home;
        kolde_site::Server site;
        ASSERT_GT(site.start(), 0);
        site.set_file("/data/version.dat", c.version_file);
        // An update program that leaves a mark when anyone runs it.
        site.set_file("/data/update.exe", "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\" \"$1/ran\"\n");
        ASSERT_TRUE(home.install_seed_database());
        if (!c.settings_row) {
            platform::Connection store;
            ASSERT_TRUE(store.open(home.file("kolde.mdb"), QString::fromLatin1(kolde_sub::database_password)));
            ASSERT_TRUE(store.execute(QStringLiteral("DELETE FROM \"設定\"")));
        }

        const ProgramRunResult run = run_until_the_decode_starts(home.path(), site);
        EXPECT_TRUE(run.running);
        EXPECT_EQ(run.boxes.filter(QString::fromUtf8(c.told)).size(), 1) << qPrintable(run.boxes.join(u'\n'));
        EXPECT_EQ(site.count("/data/update.exe"), 0);
        EXPECT_FALSE(QFile::exists(home.file("ran")));
        EXPECT_FALSE(QFile::exists(home.file("update.exe")));
    }
}
