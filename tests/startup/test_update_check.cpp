// The update check on request, and the auto-update program it leads to.
#include "startup/update_check.h"
#include "platform/msg_box.h"
#include "platform/transfer.h"
#include "server.h"
#include "core/database.h"
#include "core/log.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <vector>

using namespace kolde_sub;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::Value;

namespace {

// The newest row of the communication log.
QString newest_log_row()
{
    const log_model* rows = log_book();
    return rows->rowCount() > 0 ? rows->row(0).text : QString();
}

class UpdateCheck : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        ASSERT_GT(site.start(0), 0);
        platform::set_msg_box_answerer([this](const platform::MsgBoxCall& call) {
            boxes.push_back(call);
            return answer;
        });
    }

    kolde_site::Server site;
    std::vector<platform::MsgBoxCall> boxes;
    MsgAnswer answer = MsgAnswer::No;
};

const QString latest = QStringLiteral("最新版の KOLDE がインストールされています　　");
const QString failed = QStringLiteral("ネットワーク回線が不安定なため、ダウンロードすることができませんでした　　");

QString offer(const char* head)
{
    return QStringLiteral("KOLDE は Version ") + QString::fromUtf8(head) +
           QStringLiteral(" にアップデートされています　　\r\r最新版をダウンロードしますか？  ");
}

}  // namespace

TEST_F(UpdateCheck, EachReplyLeadsToItsBoxLogRowAndOutcome)
{
    using Outcome = UpdateCheckOutcome;
    using Fault = kolde_site::Fault;
    struct Case {
        const char* name;
        std::function<void(kolde_site::Server&)> site;
        Value installed;
        MsgAnswer answer;
        Outcome outcome;
        const char* log;
        MsgIcon icon;
        MsgButtons buttons;
        const char* title;
        QString text;
    };
    const auto serve = [](const char* reply) {
        return [reply](kolde_site::Server& s) { s.set_file("/data/version.dat", reply); };
    };
    const auto fault = [](Fault f) { return [f](kolde_site::Server& s) { s.set_fault("/data/version.dat", f); }; };
    const Case cases[] = {
        {"same version", serve("4.31,1.10,2.05"), Value(4.31), MsgAnswer::Ok, Outcome::NotAccepted,
         "ALREADY INSTALLED LATEST VERSION", MsgIcon::Information, MsgButtons::Ok, " 情報",
         latest + QStringLiteral("\r\r                Version 4.31")},
        {"same version stored as text", serve("4.31"), Value("4.31"), MsgAnswer::Ok, Outcome::NotAccepted,
         "ALREADY INSTALLED LATEST VERSION", MsgIcon::Information, MsgButtons::Ok, " 情報",
         latest + QStringLiteral("\r\r                Version 4.31")},
        {"higher version accepted", serve("4.40,1.10,2.05"), Value(4.31), MsgAnswer::Yes, Outcome::Accepted,
         "FOUND LATEST VERSION ON FTP SERVER", MsgIcon::Question, MsgButtons::YesNo, " 確認", offer("4.40")},
        {"lower version declined; four characters count", serve("4.2,1.10,2.05"), Value(4.31), MsgAnswer::No,
         Outcome::NotAccepted, "FOUND LATEST VERSION ON FTP SERVER", MsgIcon::Question, MsgButtons::YesNo, " 確認",
         offer("4.2,")},
        {"error page", serve("<html>gone</html>"), Value(4.31), MsgAnswer::Ok, Outcome::NotAccepted,
         "NOT FOUND FILES ON FTP SERVER", MsgIcon::Information, MsgButtons::Ok, " 情報", latest},
        {"empty reply is version 0, offered", fault(Fault::Empty), Value(4.31), MsgAnswer::No, Outcome::NotAccepted,
         "FOUND LATEST VERSION ON FTP SERVER", MsgIcon::Question, MsgButtons::YesNo, " 確認", offer("")},
        {"empty reply against a stored 0", fault(Fault::Empty), Value(0), MsgAnswer::Ok, Outcome::NotAccepted,
         "ALREADY INSTALLED LATEST VERSION", MsgIcon::Information, MsgButtons::Ok, " 情報",
         latest + QStringLiteral("\r\r                Version 0")},
        // The site is there; its error page, whatever its status, means no version file.
        {"404 with an error page", fault(Fault::NotFound), Value(4.31), MsgAnswer::Ok, Outcome::NotAccepted,
         "NOT FOUND FILES ON FTP SERVER", MsgIcon::Information, MsgButtons::Ok, " 情報", latest},
        {"site down", [](kolde_site::Server& s) { ASSERT_TRUE(s.set_down(true)); }, Value(4.31), MsgAnswer::Ok,
         Outcome::Failed, "CANCEL DOWNLOAD DUE TO NETWORK UNRELIABLE", MsgIcon::Information, MsgButtons::Ok, " 確認",
         failed},
        {"settings cannot be read", [](kolde_site::Server&) { release_store(); }, Value(4.31), MsgAnswer::Ok,
         Outcome::Failed, "CANCEL DOWNLOAD DUE TO NETWORK UNRELIABLE", MsgIcon::Information, MsgButtons::Ok, " 確認",
         failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!db_conn().is_open()) {
            ASSERT_TRUE(open_database());
        }
        site.set_down(false);
        site.clear_faults();
        site.clear_file("/data/version.dat");
        ASSERT_TRUE(set_setting(key::program_version, c.installed));
        c.site(site);
        boxes.clear();
        answer = c.answer;

        platform::Transfer transfer;
        transfer.set_request_timeout(10);
        EXPECT_EQ(run_update_check(transfer, QString::fromStdString(site.base_url()), nullptr), c.outcome);

        EXPECT_EQ(newest_log_row(), QString::fromUtf8(c.log));
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].icon, c.icon);
        EXPECT_EQ(boxes[0].buttons, c.buttons);
        EXPECT_EQ(boxes[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(boxes[0].text, c.text);
        // The check writes nothing to the settings.
        if (db_conn().is_open()) {
            EXPECT_EQ(setting(key::program_version), c.installed);
        }
    }
}

TEST(UpdateReplyHead, KeepsFourCharactersWithoutSplittingOne)
{
    EXPECT_EQ(version_reply_head(QStringLiteral("4.31,1.10,2.05")), QStringLiteral("4.31"));
    EXPECT_EQ(version_reply_head(QStringLiteral("5")), QStringLiteral("5"));
    EXPECT_EQ(version_reply_head(QString()), QString());
    // A character outside the basic plane at the edge is left out whole.
    const QString wide = QStringLiteral("4.3") + QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(version_reply_head(wide), QStringLiteral("4.3"));
}

// ---------------------------------------------------------------- updater

// The served stand-in tells which version the site offers and that it
// installs nothing, also without any window; the reply cannot put anything
// but digits and points into the notice.
TEST(Updater, TheServedStandInTellsTheOfferedVersionAndInstallsNothing)
{
    struct Case {
        const char* reply;
        const char* version;
    };
    for (const Case& c : {Case{"4.40,1.10,2.05\n", "4.40"}, Case{"9.9$(touch pwned)<b>x</b>\n2,3", "9.9"},
                          Case{"", "?"}}) {
        SCOPED_TRACE(c.reply);
        QTemporaryDir program, bin;
        // A stand-in for the HTTP client that prints the reply.
        QFile curl(bin.filePath(QStringLiteral("curl")));
        ASSERT_TRUE(curl.open(QIODevice::WriteOnly));
        curl.write(QByteArray("#!/bin/sh\nprintf '%s' '") + c.reply + "'\n");
        curl.close();
        curl.setPermissions(curl.permissions() | QFile::ExeOwner);

        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("PATH"), bin.path() + QStringLiteral(":/usr/bin:/bin"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(program.path());
        p.start(QStringLiteral("sh"), {kolde_test::site_root() + QStringLiteral("/data/update.exe"), program.path(),
                                       QStringLiteral("http://127.0.0.1:9")});
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0);

        const QString expected = QStringLiteral("offers KOLDE version %1.").arg(QString::fromUtf8(c.version));
        const QString notice = QString::fromUtf8(kolde_test::read_file(program.filePath(QStringLiteral("update.txt"))));
        EXPECT_TRUE(notice.contains(expected)) << notice.toStdString();
        EXPECT_TRUE(notice.contains(QStringLiteral("installs nothing")));
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("offers version ") +
                                                                         QString::fromUtf8(c.version)));
        EXPECT_FALSE(QFile::exists(program.filePath(QStringLiteral("pwned"))));
        EXPECT_EQ(QDir(program.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
                  (QStringList{QStringLiteral("update.log"), QStringLiteral("update.txt")}));
    }
}
