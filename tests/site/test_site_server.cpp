#include "server.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("kolde-site-test-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void write_file(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Raw GET: httplib's client sends the path as given, without resolving "..".
httplib::Result fetch(int port, const std::string& path)
{
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(5);
    client.set_read_timeout(5);
    return client.Get(path);
}

class SiteServerTest : public ::testing::Test {
protected:
    // site/ holds the served root; secret.txt lies beside it, outside.
    TempDir top_;
    fs::path root_ = top_.path() / "site";
    void SetUp() override
    {
        fs::create_directories(root_ / "data");
        write_file(top_.path() / "secret.txt", "SECRET");
    }
};

}  // namespace

TEST_F(SiteServerTest, ServesFilesByteExact)
{
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary.push_back(static_cast<char>(i));
    binary += std::string(1000, '\0');
    write_file(root_ / "data" / "kolde.mdb", binary);
    write_file(root_ / "data" / "version.dat", "4.31\r\n");
    write_file(root_ / "index2.htm", "<html>お知らせ</html>");

    kolde_site::Server server(root_.string());
    const int port = server.start();
    ASSERT_GT(port, 0);
    EXPECT_TRUE(server.running());
    EXPECT_EQ(server.port(), port);
    EXPECT_EQ(server.base_url(), "http://127.0.0.1:" + std::to_string(port));

    auto mdb = fetch(port, "/data/kolde.mdb");
    ASSERT_TRUE(mdb);
    EXPECT_EQ(mdb->status, 200);
    EXPECT_EQ(mdb->body, binary);
    EXPECT_EQ(mdb->get_header_value("Content-Type"), "application/octet-stream");

    auto version = fetch(port, "/data/version.dat");
    ASSERT_TRUE(version);
    EXPECT_EQ(version->body, "4.31\r\n");
    EXPECT_EQ(version->get_header_value("Content-Type").rfind("text/", 0), 0u);

    auto index = fetch(port, "/index2.htm");
    ASSERT_TRUE(index);
    EXPECT_EQ(index->body, "<html>お知らせ</html>");
    EXPECT_EQ(index->get_header_value("Content-Type").rfind("text/", 0), 0u);

    for (const char* missing : {"/data/nothing.dat", "/data", "/", "/data/"}) {
        auto r = fetch(port, missing);
        ASSERT_TRUE(r) << missing;
        EXPECT_EQ(r->status, 404) << missing;
        ASSERT_FALSE(r->body.empty()) << missing;
        EXPECT_EQ(r->body.front(), '<') << missing;
    }
}

TEST_F(SiteServerTest, NeverServesOutsideRoot)
{
    write_file(root_ / "data" / "version.dat", "1");
    // A link inside root pointing out of it.
    fs::create_symlink(top_.path() / "secret.txt", root_ / "data" / "link.dat");

    kolde_site::Server server(root_.string());
    const int port = server.start();
    ASSERT_GT(port, 0);
    for (const char* path :
         {"/../secret.txt", "/data/../../secret.txt", "/%2e%2e/secret.txt",
          "/data/%2e%2e/%2e%2e/secret.txt", "/data/..%2f..%2fsecret.txt", "/..%2fsecret.txt",
          "/data/%2E%2E/%2E%2E/secret.txt", "/data/link.dat", "/data/version.dat%00.htm",
          "/../../../../../../../etc/passwd", "/data/../../../../../../etc/passwd",
          "/%2e%2e/%2e%2e/%2e%2e/%2e%2e/%2e%2e/etc/passwd"}) {
        auto r = fetch(port, path);
        if (!r)
            continue;  // a refused request serves nothing either
        EXPECT_NE(r->status, 200) << path;
        EXPECT_EQ(r->body.find("SECRET"), std::string::npos) << path;
        EXPECT_EQ(r->body.find("root:"), std::string::npos) << path;
    }
    // Harmless dots inside root still work.
    auto inside = fetch(port, "/data/./version.dat");
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->body, "1");
}

TEST_F(SiteServerTest, LogsRequestsInOrder)
{
    write_file(root_ / "data" / "version.dat", "1");
    kolde_site::Server server(root_.string());
    const int port = server.start();
    ASSERT_GT(port, 0);
    EXPECT_TRUE(server.requests().empty());
    fetch(port, "/data/version.dat");
    fetch(port, "/data/server.dat");
    fetch(port, "/data/missing.wav");
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"GET /data/version.dat",
                                                            "GET /data/server.dat",
                                                            "GET /data/missing.wav"}));
    EXPECT_EQ(server.count("/data/version.dat"), 1);
    fetch(port, "/data/version.dat?v=2");
    EXPECT_EQ(server.count("/data/version.dat"), 2);  // the query is not part of the path
    EXPECT_EQ(server.count("/data/missing.wav"), 1);
    EXPECT_EQ(server.count("/data"), 0);
    EXPECT_EQ(server.count("/data/*"), 0);  // counts take exact paths only

    server.clear_requests();
    EXPECT_TRUE(server.requests().empty());
    EXPECT_EQ(server.count("/data/version.dat"), 0);
    fetch(port, "/index2.htm");
    EXPECT_EQ(server.requests(), std::vector<std::string>{"GET /index2.htm"});
}

TEST_F(SiteServerTest, StopsAndStartsAgain)
{
    write_file(root_ / "data" / "version.dat", "1");
    kolde_site::Server server(root_.string());
    const int port = server.start();
    ASSERT_GT(port, 0);
    ASSERT_TRUE(fetch(port, "/data/version.dat"));

    server.stop();
    EXPECT_FALSE(server.running());
    EXPECT_FALSE(fetch(port, "/data/version.dat"));
    server.stop();  // twice is harmless

    // Up again on the same port, as a site that was down comes back.
    ASSERT_EQ(server.start(port), port);
    EXPECT_TRUE(server.running());
    auto r = fetch(port, "/data/version.dat");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->body, "1");
    auto dat = fetch(port, "/data/server.dat");
    ASSERT_TRUE(dat);
    EXPECT_EQ(dat->body, server.base_url());
}

TEST_F(SiteServerTest, TwoServersAtOnceAndPortInUse)
{
    TempDir other_root;
    write_file(root_ / "data" / "version.dat", "first");
    write_file(other_root.path() / "data" / "version.dat", "second");
    kolde_site::Server first(root_.string());
    kolde_site::Server second(other_root.path().string());
    const int p1 = first.start();
    const int p2 = second.start();
    ASSERT_GT(p1, 0);
    ASSERT_GT(p2, 0);
    EXPECT_NE(p1, p2);
    auto r1 = fetch(p1, "/data/version.dat");
    auto r2 = fetch(p2, "/data/version.dat");
    ASSERT_TRUE(r1);
    ASSERT_TRUE(r2);
    EXPECT_EQ(r1->body, "first");
    EXPECT_EQ(r2->body, "second");
    EXPECT_EQ(first.requests().size(), 1u);
    EXPECT_EQ(second.requests().size(), 1u);

    // A port already taken cannot be listened on.
    kolde_site::Server third(root_.string());
    EXPECT_EQ(third.start(p1), -1);
    EXPECT_FALSE(third.running());
}
