#include "platform/transfer.h"
#include "category_messages.h"
#include "server.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

using platform::Transfer;
using platform::TransferResult;

namespace {

bool write_file(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString url(const kolde_site::Server& server, const char* path)
{
    return QString::fromStdString(server.base_url()) + QLatin1String(path);
}

// A port nobody listens on (freed right after being picked).
int unused_port()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return -1;
    const int port = probe.serverPort();
    probe.close();
    return port;
}

// A server whose /stall answer waits until release() (or 30 s), and whose
// /slow answer comes after a short pause.
class StallingServer {
public:
    StallingServer()
    {
        http_.Get("/stall", [this](const httplib::Request&, httplib::Response& res) {
            std::unique_lock<std::mutex> lock(mutex_);
            released_cv_.wait_for(lock, std::chrono::seconds(30), [this] { return released_; });
            res.set_content("late", "text/plain");
        });
        http_.Get("/slow", [](const httplib::Request&, httplib::Response& res) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            res.set_content("done", "text/plain");
        });
        port_ = http_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { http_.listen_after_bind(); });
        while (!http_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~StallingServer()
    {
        release();
        http_.stop();
        thread_.join();
    }
    void release()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        released_cv_.notify_all();
    }
    QString url(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(QLatin1String(path));
    }

private:
    httplib::Server http_;
    std::thread thread_;
    int port_ = 0;
    std::mutex mutex_;
    std::condition_variable released_cv_;
    bool released_ = false;
};

// A server whose /status/N answers status N with a plain-text body, whose
// /moved redirects to /status/200, and whose /encodings answers the
// encodings the request accepts.
class StatusServer {
public:
    StatusServer()
    {
        http_.Get(R"(/status/(\d+))", [](const httplib::Request& req, httplib::Response& res) {
            res.status = std::stoi(req.matches[1]);
            if (res.status != 204)
                res.set_content("plain answer " + req.matches[1].str(), "text/plain");
        });
        http_.Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.set_redirect("/status/200");
        });
        http_.Get("/encodings", [](const httplib::Request& req, httplib::Response& res) {
            res.set_content(req.get_header_value("Accept-Encoding"), "text/plain");
        });
        port_ = http_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { http_.listen_after_bind(); });
        while (!http_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~StatusServer()
    {
        http_.stop();
        thread_.join();
    }
    QString url(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path); }

private:
    httplib::Server http_;
    std::thread thread_;
    int port_ = 0;
};

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        ASSERT_TRUE(root_.isValid());
        ASSERT_GT(server_.start(), 0);
    }
    QTemporaryDir root_;
    kolde_site::Server server_{root_.path().toStdString()};
};

}  // namespace

TEST_F(TransferTest, TextAndBytesRoundTrip)
{
    QByteArray binary;
    for (int i = 0; i < 256; ++i)
        binary.append(static_cast<char>(i));
    binary.append(QByteArray(3, '\0'));
    ASSERT_TRUE(write_file(root_.filePath("data/version.dat"), "4.31\r\n2005/03/01"));
    ASSERT_TRUE(write_file(root_.filePath("data/update.exe"), binary));
    ASSERT_TRUE(write_file(root_.filePath("data/empty.dat"), QByteArray()));

    Transfer t;
    bool ok = false;
    EXPECT_EQ(t.open_text(url(server_, "/data/version.dat"), &ok), "4.31\r\n2005/03/01");
    EXPECT_TRUE(ok);

    ok = false;
    const QByteArray bytes = t.open_bytes(url(server_, "/data/update.exe"), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(bytes, binary);

    // An empty body is a success, not a failure.
    const TransferResult empty = t.get(url(server_, "/data/empty.dat"));
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(empty.status, 200);
    EXPECT_TRUE(empty.body.isEmpty());
    EXPECT_TRUE(empty.error.isEmpty());
    EXPECT_FALSE(t.still_executing());
}

TEST_F(TransferTest, OnlyA2xxStatusIsASuccess)
{
    StatusServer local;
    ASSERT_TRUE(write_file(root_.filePath("data/version.dat"), "4.31"));
    server_.set_fault("/data/missing.dat", kolde_site::Fault::NotFound);
    server_.set_fault("/data/broken.dat", kolde_site::Fault::ErrorPage);
    struct Case {
        QString url;
        int status;
        bool ok;
    };
    const Case cases[] = {
        {url(server_, "/data/version.dat"), 200, true},
        {url(server_, "/data/missing.dat"), 404, false},  // the site's HTML page
        // An error page sent with 200 is the caller's to judge by its text.
        {url(server_, "/data/broken.dat"), 200, true},
        {local.url("/status/404"), 404, false},  // a plain-text body
        {local.url("/status/500"), 500, false},
        {local.url("/status/503"), 503, false},
        {local.url("/status/418"), 418, false},
        {local.url("/status/599"), 599, false},
        {local.url("/status/201"), 201, true},
        {local.url("/status/204"), 204, true},
        {local.url("/status/299"), 299, true},
        {local.url("/moved"), 200, true},  // redirects are followed
    };
    Transfer t;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        kolde_test::CategoryWarnings warnings("kolde.transfer");
        const TransferResult r = t.get(c.url);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.ok, c.ok) << r.error.toStdString();
        EXPECT_FALSE(r.no_connection);
        EXPECT_EQ(r.error.isEmpty(), c.ok);
        // The body stays as the server sent it, error or not.
        EXPECT_EQ(r.body.isEmpty(), c.status == 204);
        // Every failure leaves one warning naming the address and the status.
        if (c.ok) {
            EXPECT_TRUE(warnings.messages().isEmpty());
        } else {
            ASSERT_EQ(warnings.messages().size(), 1);
            EXPECT_TRUE(warnings.messages().front().contains(c.url));
            EXPECT_TRUE(warnings.messages().front().contains(QString::number(c.status)));
        }

        // The text and byte helpers give nothing of a failed reply's body.
        bool text_ok = !c.ok;
        const QString text = t.open_text(c.url, &text_ok);
        EXPECT_EQ(text_ok, c.ok);
        bool bytes_ok = !c.ok;
        const QByteArray bytes = t.open_bytes(c.url, &bytes_ok);
        EXPECT_EQ(bytes_ok, c.ok);
        if (!c.ok) {
            EXPECT_TRUE(text.isEmpty());
            EXPECT_TRUE(bytes.isEmpty());
        }
    }
}

// A compressed body costs the server more than it saves on small files.
TEST_F(TransferTest, BodiesAreAskedForUncompressed)
{
    StatusServer local;
    Transfer t;
    EXPECT_EQ(t.open_text(local.url(QStringLiteral("/encodings"))), QStringLiteral("identity"));
}

TEST_F(TransferTest, FailuresAreNotEmptyBodies)
{
    Transfer t;
    const int port = unused_port();
    ASSERT_GT(port, 0);
    const TransferResult refused = t.get(QStringLiteral("http://127.0.0.1:%1/data/version.dat").arg(port));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.status, 0);
    EXPECT_FALSE(refused.error.isEmpty());
    EXPECT_TRUE(refused.no_connection);

    bool ok = true;
    EXPECT_TRUE(t.open_bytes(QStringLiteral("not a url"), &ok).isEmpty());
    EXPECT_FALSE(ok);
    EXPECT_FALSE(t.get(QStringLiteral("not a url")).no_connection);
    ok = true;
    EXPECT_TRUE(t.open_text(QStringLiteral("ftp://127.0.0.1/x"), &ok).isEmpty());
    EXPECT_FALSE(ok);

    // The object stays usable after failures.
    ASSERT_TRUE(write_file(root_.filePath("data/version.dat"), "1"));
    EXPECT_TRUE(t.get(url(server_, "/data/version.dat")).ok);
}

// One without end is broken off at the limit, well before the time-out.
TEST_F(TransferTest, ABodyIsReadUpToTheLimitAndNoFurther)
{
    constexpr qint64 limit = 100 * 1024;
    ASSERT_TRUE(write_file(root_.filePath("data/exact.dat"), QByteArray(limit, 'x')));
    ASSERT_TRUE(write_file(root_.filePath("data/version.dat"), "4.31\r\n"));
    server_.set_fault("/data/version.dat", kolde_site::Fault::Endless);
    Transfer t;
    t.set_body_limit(limit);
    t.set_request_timeout(600);
    EXPECT_TRUE(t.get(url(server_, "/data/exact.dat")).ok);

    const TransferResult r = t.get(url(server_, "/data/version.dat"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.cut_off);
    EXPECT_FALSE(r.no_connection);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body.size(), limit);
    EXPECT_TRUE(r.body.startsWith("4.31\r\nFILLER "));
}

TEST_F(TransferTest, RequestTimeOutFails)
{
    StallingServer stalling;
    Transfer t;
    t.set_request_timeout(1);
    EXPECT_EQ(t.request_timeout(), 1);
    const TransferResult r = t.get(stalling.url("/stall"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_TRUE(r.no_connection);
    EXPECT_FALSE(t.still_executing());
}

TEST_F(TransferTest, CancelDuringWaitFailsAndNextRequestWorks)
{
    StallingServer stalling;
    Transfer t;
    bool was_executing = false;
    QTimer::singleShot(50, [&] {
        was_executing = t.still_executing();
        t.cancel();
    });
    const TransferResult r = t.get(stalling.url("/stall"));
    EXPECT_TRUE(was_executing);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_FALSE(r.no_connection);

    // A cancel with nothing under way does not spoil the next request.
    t.cancel();
    ASSERT_TRUE(write_file(root_.filePath("data/version.dat"), "ok"));
    const TransferResult next = t.get(url(server_, "/data/version.dat"));
    EXPECT_TRUE(next.ok);
    EXPECT_EQ(next.body, "ok");
}

TEST_F(TransferTest, NestedRequestOfAnotherObjectSurvivesCancelOfTheOuter)
{
    StallingServer stalling;
    Transfer outer;
    Transfer inner;
    TransferResult inner_result;
    bool inner_ran = false;
    // While outer waits, a timer starts inner's request; while that waits,
    // another timer cancels outer.
    QTimer::singleShot(20, [&] {
        QTimer::singleShot(50, [&] { outer.cancel(); });
        inner_result = inner.get(stalling.url("/slow"));
        inner_ran = true;
    });
    const TransferResult outer_result = outer.get(stalling.url("/stall"));
    ASSERT_TRUE(inner_ran);
    EXPECT_FALSE(outer_result.ok);
    EXPECT_TRUE(inner_result.ok) << inner_result.error.toStdString();
    EXPECT_EQ(inner_result.body, "done");
}

TEST_F(TransferTest, SecondGetOnTheSameObjectWhileBusyFailsCleanly)
{
    StallingServer stalling;
    Transfer t;
    TransferResult nested;
    QTimer::singleShot(20, [&] {
        nested = t.get(stalling.url("/slow"));
        stalling.release();
    });
    const TransferResult outer = t.get(stalling.url("/stall"));
    EXPECT_FALSE(nested.ok);
    EXPECT_TRUE(outer.ok);
    EXPECT_EQ(outer.body, "late");
}

TEST_F(TransferTest, DeletingTheObjectDuringItsWaitEndsTheWait)
{
    StallingServer stalling;
    auto* t = new Transfer;
    QTimer::singleShot(50, [&] { delete t; });
    const TransferResult r = t->get(stalling.url("/stall"));
    EXPECT_FALSE(r.ok);
}

TEST(Transfer, DecodeText)
{
    const QString japanese = QStringLiteral("羽田 RJTT 東京国際空港");
    EXPECT_EQ(platform::decode_text(japanese.toUtf8()), japanese);
    EXPECT_EQ(platform::decode_text("METAR RJTT"), "METAR RJTT");
    EXPECT_TRUE(platform::decode_text(QByteArray()).isEmpty());

    // Latin-1 bytes that are not UTF-8.
    const QByteArray latin1("Caf\xe9 \xb0" "C", 7);
    EXPECT_EQ(platform::decode_text(latin1), QStringLiteral("Café °C"));
    // Shift_JIS bytes are not UTF-8 either: one char per byte.
    const QByteArray sjis("\x93\x8c\x8b\x9e", 4);
    EXPECT_EQ(platform::decode_text(sjis).size(), 4);
    // A UTF-8 sequence cut off at the end is not valid UTF-8.
    QByteArray cut = japanese.toUtf8();
    cut.chop(1);
    EXPECT_EQ(platform::decode_text(cut), QString::fromLatin1(cut));
    // NUL bytes survive.
    EXPECT_EQ(platform::decode_text(QByteArray("a\0b", 3)).size(), 3);
}
