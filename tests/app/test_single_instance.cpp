// A second KOLDE on the same program folder says so and ends, without a
// single request to the update site.
#include "support/fixtures.h"

#include "platform/instance.h"
#include "server.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

TEST(SingleInstance, SecondStartIsRefusedWithoutNetworkTraffic)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder home;
    kolde_site::Server site;
    ASSERT_GT(site.start(), 0);
    ASSERT_TRUE(platform::acquire_instance_lock(home.path()));

    QProcess kolde;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KOLDE_HOME", home.path());
    env.insert("KOLDE_UPDATE_URL", QString::fromStdString(site.base_url()));
    env.insert("KOLDE_MSGBOX_AUTO", "ok");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    kolde.setProcessEnvironment(env);
    kolde.start(QStringLiteral(KOLDE_BINARY), {});
    ASSERT_TRUE(kolde.waitForFinished(60000));
    platform::release_instance_lock();

    EXPECT_EQ(kolde.exitStatus(), QProcess::NormalExit);
    const QString err = QString::fromUtf8(kolde.readAllStandardError());
    EXPECT_TRUE(err.contains(QStringLiteral("MSGBOX| 確認|KOLDE はすでに起動しています  "))) << qPrintable(err);
    EXPECT_TRUE(site.requests().empty());
}
