// The site's fault switches, as the program's own transfers see them.
#include "platform/transfer.h"
#include "server.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using kolde_site::Fault;
using platform::Transfer;
using platform::TransferResult;

namespace {

class SiteFaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        ASSERT_TRUE(root_.isValid());
        put("data/version.dat", "4.31\r\n");
        put("pub/data/RJTT/metar.txt", "METAR RJTT");
        put("pub/data/RJAA/metar.txt", "METAR RJAA");
        put("pub/other.txt", "other");
        ASSERT_GT(server_.start(), 0);
    }

    void put(const QString& relative, const QByteArray& bytes)
    {
        const QString path = root_.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QString url(const std::string& path) const
    {
        return QString::fromStdString(server_.base_url() + path);
    }

    TransferResult get(const std::string& path, int timeout_seconds = 30)
    {
        Transfer t;
        t.set_request_timeout(timeout_seconds);
        return t.get(url(path));
    }

    // Fetches path and, once the server has logged the request (it is
    // stalled by then), runs `meanwhile` from within the wait.
    TransferResult get_while_stalled(const std::string& path, const std::function<void()>& meanwhile)
    {
        const int before = server_.count(path);
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (server_.count(path) > before) {
                poll.stop();
                meanwhile();
            }
        });
        poll.start();
        return get(path, 60);
    }

    QTemporaryDir root_;
    kolde_site::Server server_{root_.path().toStdString()};
};

}  // namespace

TEST_F(SiteFaultsTest, EachFaultKindAsTheClientSeesIt)
{
    server_.set_fault("/data/version.dat", Fault::NotFound);
    TransferResult r = get("/data/version.dat");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 404);
    ASSERT_FALSE(r.body.isEmpty());
    EXPECT_EQ(r.body.front(), '<');

    server_.set_fault("/data/version.dat", Fault::ErrorPage);
    r = get("/data/version.dat");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.status, 200);
    ASSERT_FALSE(r.body.isEmpty());
    EXPECT_EQ(r.body.front(), '<');
    EXPECT_FALSE(r.body.contains("4.31"));

    server_.set_fault("/data/version.dat", Fault::Empty);
    r = get("/data/version.dat");
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.body.isEmpty());

    // A fault on a path that does not exist answers as the fault says.
    server_.set_fault("/data/nothing.dat", Fault::Empty);
    r = get("/data/nothing.dat");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.status, 200);

    server_.clear_fault("/data/version.dat");
    r = get("/data/version.dat");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, "4.31\r\n");
}

TEST_F(SiteFaultsTest, PrefixFaults)
{
    server_.set_fault("/pub/data/*", Fault::NotFound);
    EXPECT_EQ(get("/pub/data/RJTT/metar.txt").status, 404);
    EXPECT_EQ(get("/pub/data/RJAA/metar.txt").status, 404);
    EXPECT_EQ(get("/pub/other.txt").body, "other");
    EXPECT_EQ(get("/data/version.dat").body, "4.31\r\n");

    // The longer prefix wins, and an exact path wins over both; an exact
    // Fault::None exempts one path.
    server_.set_fault("/pub/data/RJ*", Fault::ErrorPage);
    server_.set_fault("/pub/data/RJAA/metar.txt", Fault::None);
    TransferResult r = get("/pub/data/RJTT/metar.txt");
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.body.startsWith('<'));
    EXPECT_EQ(get("/pub/data/RJAA/metar.txt").body, "METAR RJAA");

    server_.clear_faults();
    EXPECT_EQ(get("/pub/data/RJTT/metar.txt").body, "METAR RJTT");

    // "*" alone covers the whole site.
    server_.set_fault("*", Fault::Empty);
    r = get("/pub/other.txt");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.body.isEmpty());
    server_.clear_fault("*");
    EXPECT_EQ(get("/pub/other.txt").body, "other");
}

TEST_F(SiteFaultsTest, StallEndsWithTheClientsTimeOutAndTheServerCarriesOn)
{
    // Large enough to take many writes.
    const std::string big(8 << 20, 'x');
    server_.set_file("/data/update.exe", big);
    server_.set_fault("/data/update.exe", Fault::Stall);
    TransferResult r = get("/data/update.exe", 1);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(server_.count("/data/update.exe"), 1);

    // The stalled request is let go and answers a client that has gone;
    // the server (and this process) must carry on.
    server_.clear_fault("/data/update.exe");
    r = get("/data/update.exe");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.body.size(), static_cast<qsizetype>(big.size()));
    EXPECT_TRUE(server_.running());
}

TEST_F(SiteFaultsTest, StalledRequestIsAnsweredOnceTheFaultIsCleared)
{
    server_.set_fault("/data/*", Fault::Stall);
    const TransferResult r
        = get_while_stalled("/data/version.dat", [&] { server_.clear_fault("/data/*"); });
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.body, "4.31\r\n");

    // Changed from a stall to another fault, it answers that fault.
    server_.set_fault("/data/version.dat", Fault::Stall);
    const TransferResult changed = get_while_stalled(
        "/data/version.dat", [&] { server_.set_fault("/data/version.dat", Fault::NotFound); });
    EXPECT_FALSE(changed.ok);
    EXPECT_EQ(changed.status, 404);
}

TEST_F(SiteFaultsTest, StopAndDownLetAStalledRequestGoAsAFailure)
{
    server_.set_fault("/data/version.dat", Fault::Stall);
    TransferResult r = get_while_stalled("/data/version.dat", [&] { server_.set_down(true); });
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.contains(QLatin1String("timed out"))) << r.error.toStdString();
    EXPECT_TRUE(server_.down());

    ASSERT_TRUE(server_.set_down(false));
    r = get_while_stalled("/data/version.dat", [&] { server_.stop(); });
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.contains(QLatin1String("timed out"))) << r.error.toStdString();
    EXPECT_FALSE(server_.running());
}

TEST_F(SiteFaultsTest, ServerGoesAwayWithARequestStalled)
{
    auto server = std::make_unique<kolde_site::Server>(root_.path().toStdString());
    ASSERT_GT(server->start(), 0);
    server->set_fault("/data/version.dat", Fault::Stall);
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (server && server->count("/data/version.dat") > 0) {
            poll.stop();
            server.reset();
        }
    });
    poll.start();
    Transfer t;
    t.set_request_timeout(60);
    const TransferResult r
        = t.get(QString::fromStdString(server->base_url() + "/data/version.dat"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.contains(QLatin1String("timed out"))) << r.error.toStdString();
    EXPECT_EQ(server, nullptr);
}

TEST_F(SiteFaultsTest, DownAndUpAgainOnTheSamePort)
{
    const int port = server_.port();
    Transfer t;
    t.set_request_timeout(30);
    ASSERT_TRUE(t.get(url("/data/version.dat")).ok);

    EXPECT_FALSE(server_.down());
    ASSERT_TRUE(server_.set_down(true));
    EXPECT_TRUE(server_.down());
    EXPECT_FALSE(server_.running());
    EXPECT_TRUE(server_.set_down(true));  // already down
    server_.clear_requests();

    // Neither the transfer that used the site before nor a new one gets an
    // HTTP answer.
    TransferResult r = t.get(url("/data/version.dat"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.error.contains(QLatin1String("timed out"))) << r.error.toStdString();
    EXPECT_FALSE(get("/data/server.dat").ok);
    EXPECT_TRUE(server_.requests().empty());

    ASSERT_TRUE(server_.set_down(false));
    EXPECT_FALSE(server_.down());
    EXPECT_TRUE(server_.running());
    EXPECT_EQ(server_.port(), port);
    r = t.get(url("/data/version.dat"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.body, "4.31\r\n");
    EXPECT_EQ(get("/data/server.dat").body.toStdString(), server_.base_url());

    // Down needs a running server; stop() ends being down too.
    ASSERT_TRUE(server_.set_down(true));
    server_.stop();
    EXPECT_FALSE(server_.down());
    EXPECT_FALSE(server_.set_down(true));
    EXPECT_FALSE(server_.down());
}

TEST_F(SiteFaultsTest, ServerDatOverride)
{
    const std::string generated = server_.base_url();
    server_.set_server_dat("garbage");
    EXPECT_EQ(get("/data/server.dat").body, "garbage");
    server_.set_server_dat("http://x\n");
    EXPECT_EQ(get("/data/server.dat").body, "http://x\n");
    server_.set_server_dat("");
    TransferResult r = get("/data/server.dat");
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.body.isEmpty());

    // It also wins over a file under root.
    put("data/server.dat", "from the folder");
    server_.set_server_dat("override");
    EXPECT_EQ(get("/data/server.dat").body, "override");
    server_.set_server_dat(std::nullopt);
    EXPECT_EQ(get("/data/server.dat").body, "from the folder");
    ASSERT_TRUE(QFile::remove(root_.filePath("data/server.dat")));
    EXPECT_EQ(get("/data/server.dat").body.toStdString(), generated);

    // A fault wins over the override.
    server_.set_server_dat("override");
    server_.set_fault("/data/server.dat", Fault::NotFound);
    EXPECT_EQ(get("/data/server.dat").status, 404);
}

TEST_F(SiteFaultsTest, FilesReplacedInMemory)
{
    std::string binary("\0\1\2MDB\xff", 7);
    server_.set_file("/data/version.dat", "4.40\r\n");
    server_.set_file("/data/kolde.mdb", binary);
    TransferResult r = get("/data/version.dat");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.body, "4.40\r\n");
    r = get("/data/kolde.mdb");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body.toStdString(), binary);

    // The folder is untouched, and replacements outlive a restart.
    QFile on_disk(root_.filePath("data/version.dat"));
    ASSERT_TRUE(on_disk.open(QIODevice::ReadOnly));
    EXPECT_EQ(on_disk.readAll(), "4.31\r\n");
    ASSERT_TRUE(server_.set_down(true));
    ASSERT_TRUE(server_.set_down(false));
    EXPECT_EQ(get("/data/version.dat").body, "4.40\r\n");

    // A fault wins over a replacement.
    server_.set_fault("/data/version.dat", Fault::Empty);
    EXPECT_TRUE(get("/data/version.dat").body.isEmpty());
    server_.clear_faults();

    server_.clear_file("/data/version.dat");
    server_.clear_file("/data/kolde.mdb");
    EXPECT_EQ(get("/data/version.dat").body, "4.31\r\n");
    EXPECT_EQ(get("/data/kolde.mdb").status, 404);
}
