// The update check on request.
#include "startup/update_check.h"
#include "platform/msg_box.h"
#include "platform/transfer.h"
#include "server.h"
#include "core/database.h"
#include "core/log.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

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
            return MsgAnswer::Ok;
        });
    }

    kolde_site::Server site;
    std::vector<platform::MsgBoxCall> boxes;
};

const QString latest = QStringLiteral("最新版の KOLDE がインストールされています　　");
const QString failed = QStringLiteral("ネットワーク回線が不安定なため、ダウンロードすることができませんでした　　");

// Another version is named, with the way to install it; nothing is asked.
QString offer(const char* head)
{
    return QStringLiteral("KOLDE は Version ") + QString::fromUtf8(head) +
           QStringLiteral(" にアップデートされています　　\r\r最新版はシステムのパッケージマネージャーからインストールしてください　　");
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
        Outcome outcome;
        const char* log;
        const char* title;
        QString text;
    };
    const auto serve = [](const char* reply) {
        return [reply](kolde_site::Server& s) { s.set_file("/data/version.dat", reply); };
    };
    const auto fault = [](Fault f) { return [f](kolde_site::Server& s) { s.set_fault("/data/version.dat", f); }; };
    const QString installed_431 = latest + QStringLiteral("\r\r                Version 4.31");
    const Case cases[] = {
        {"same version", serve("4.31,1.10,2.05"), Value(4.31), Outcome::Told, "ALREADY INSTALLED LATEST VERSION",
         " 情報", installed_431},
        {"same version stored as text", serve("4.31"), Value("4.31"), Outcome::Told,
         "ALREADY INSTALLED LATEST VERSION", " 情報", installed_431},
        {"higher version", serve("4.40,1.10,2.05"), Value(4.31), Outcome::Told, "FOUND LATEST VERSION ON FTP SERVER",
         " 確認", offer("4.40")},
        {"lower version; four characters count", serve("4.2,1.10,2.05"), Value(4.31), Outcome::Told,
         "FOUND LATEST VERSION ON FTP SERVER", " 確認", offer("4.2,")},
        {"error page", serve("<html>gone</html>"), Value(4.31), Outcome::Told, "NOT FOUND FILES ON FTP SERVER",
         " 情報", latest},
        // An empty or blank version file is no version file.
        {"empty reply", fault(Fault::Empty), Value(4.31), Outcome::Told, "NOT FOUND FILES ON FTP SERVER", " 情報",
         latest},
        {"empty reply against a stored 0", fault(Fault::Empty), Value(0), Outcome::Told,
         "NOT FOUND FILES ON FTP SERVER", " 情報", latest},
        {"blank reply", serve(" \r\n"), Value(4.31), Outcome::Told, "NOT FOUND FILES ON FTP SERVER", " 情報", latest},
        // The site is there; its error page, whatever its status, means no version file.
        {"404 with an error page", fault(Fault::NotFound), Value(4.31), Outcome::Told,
         "NOT FOUND FILES ON FTP SERVER", " 情報", latest},
        {"site down", [](kolde_site::Server& s) { ASSERT_TRUE(s.set_down(true)); }, Value(4.31), Outcome::Failed,
         "CANCEL DOWNLOAD DUE TO NETWORK UNRELIABLE", " 確認", failed},
        {"settings cannot be read", [](kolde_site::Server&) { release_store(); }, Value(4.31), Outcome::Failed,
         "CANCEL DOWNLOAD DUE TO NETWORK UNRELIABLE", " 確認", failed},
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

        platform::Transfer transfer;
        transfer.set_request_timeout(10);
        EXPECT_EQ(run_update_check(transfer, QString::fromStdString(site.base_url()), nullptr), c.outcome);

        EXPECT_EQ(newest_log_row(), QString::fromUtf8(c.log));
        // Every outcome is told in an information box; nothing is asked.
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].icon, MsgIcon::Information);
        EXPECT_EQ(boxes[0].buttons, MsgButtons::Ok);
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
