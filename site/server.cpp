#include "server.h"

#include <httplib.h>

#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace kolde_site {

namespace {

bool ends_with(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string content_type_for(const std::string& path)
{
    if (ends_with(path, ".htm") || ends_with(path, ".html"))
        return "text/html";
    if (ends_with(path, ".dat"))
        return "text/plain";
    return "application/octet-stream";
}

std::string error_page(int status)
{
    const std::string title = status == 404 ? "404 Not Found" : std::to_string(status) + " Error";
    const std::string message = status == 404
                                    ? "The requested URL was not found on this server."
                                    : "The server could not answer this request.";
    return "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n<html><head>\n<title>" + title
           + "</title>\n</head><body>\n<h1>" + title.substr(4) + "</h1>\n<p>" + message
           + "</p>\n</body></html>\n";
}

// Maps a decoded request path to a regular file under root, or returns an
// empty path. Rejects "..", NUL bytes and anything (symbolic links included)
// that resolves outside root.
fs::path file_under_root(const fs::path& root, const std::string& request_path)
{
    if (request_path.empty() || request_path.front() != '/'
        || request_path.find('\0') != std::string::npos)
        return {};
    fs::path relative;
    std::stringstream parts(request_path);
    std::string part;
    while (std::getline(parts, part, '/')) {
        if (part.empty() || part == ".")
            continue;
        if (part == "..")
            return {};
        relative /= part;
    }
    if (relative.empty())
        return {};

    std::error_code ec;
    const fs::path canonical_root = fs::canonical(root, ec);
    if (ec)
        return {};
    const fs::path candidate = fs::canonical(canonical_root / relative, ec);
    if (ec)
        return {};
    // candidate must lie strictly inside canonical_root.
    auto r = canonical_root.begin();
    auto c = candidate.begin();
    for (; r != canonical_root.end(); ++r, ++c) {
        if (c == candidate.end() || *r != *c)
            return {};
    }
    if (c == candidate.end() || !fs::is_regular_file(candidate, ec))
        return {};
    return candidate;
}

bool read_file(const fs::path& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

struct Server::Impl {
    std::string root;
    std::string host = "127.0.0.1";
    std::atomic<int> port{0};

    std::unique_ptr<httplib::Server> http;
    std::thread thread;
    std::atomic<bool> listen_ended{false};

    mutable std::mutex log_mutex;
    std::vector<std::string> log;

    std::string base_url() const
    {
        std::string h = host;
        if (h.empty() || h == "0.0.0.0" || h == "::")
            h = "127.0.0.1";
        else if (h.find(':') != std::string::npos)
            h = "[" + h + "]";
        return "http://" + h + ":" + std::to_string(port.load());
    }

    void handle_get(const httplib::Request& req, httplib::Response& res)
    {
        {
            std::lock_guard<std::mutex> lock(log_mutex);
            log.push_back("GET " + req.path);
        }
        const fs::path file = file_under_root(root, req.path);
        if (req.path == "/data/server.dat" && file.empty()) {
            res.set_content(base_url(), "text/plain");
            return;
        }
        std::string body;
        if (file.empty() || !read_file(file, body)) {
            res.status = 404;
            return;
        }
        res.set_content(std::move(body), content_type_for(req.path));
    }
};

Server::Server(std::string root) : impl_(std::make_unique<Impl>())
{
    impl_->root = std::move(root);
}

Server::~Server()
{
    stop();
}

int Server::start(int port, const std::string& host)
{
    if (running())
        return impl_->port;
    stop();  // a listener that ended on its own still needs joining
    if (port < 0 || port > 65535)
        return -1;

    auto http = std::make_unique<httplib::Server>();
    // Idle keep-alive connections must not hold up stop() for long.
    http->set_keep_alive_timeout(1);
    // httplib also sets SO_REUSEPORT by default, which would let a second
    // server share a port already in use; keep only SO_REUSEADDR so a
    // restart finds its port despite connections in TIME_WAIT.
    http->set_socket_options([](socket_t sock) {
        int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    http->Get(".*", [impl = impl_.get()](const httplib::Request& req, httplib::Response& res) {
        impl->handle_get(req, res);
    });
    http->set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty())
            res.set_content(error_page(res.status), "text/html");
    });

    int bound = -1;
    if (port == 0)
        bound = http->bind_to_any_port(host);
    else if (http->bind_to_port(host, port))
        bound = port;
    if (bound <= 0)
        return -1;

    impl_->host = host;
    impl_->port = bound;
    impl_->listen_ended = false;
    httplib::Server* raw = http.get();
    impl_->http = std::move(http);
    impl_->thread = std::thread([this, raw] {
        raw->listen_after_bind();
        impl_->listen_ended = true;
    });
    // Wait until the listener accepts; bounded in case it fails at once.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!raw->is_running() && !impl_->listen_ended) {
        if (std::chrono::steady_clock::now() > give_up)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!raw->is_running()) {
        stop();
        return -1;
    }
    return bound;
}

void Server::stop()
{
    if (!impl_->http)
        return;
    // httplib's stop() only takes effect once the listener runs, and must be
    // called only once.
    bool stop_sent = false;
    while (!impl_->listen_ended) {
        if (!stop_sent && impl_->http->is_running()) {
            impl_->http->stop();
            stop_sent = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (impl_->thread.joinable())
        impl_->thread.join();
    impl_->http.reset();
}

bool Server::running() const
{
    return impl_->http && impl_->http->is_running() && !impl_->listen_ended;
}

int Server::port() const
{
    return impl_->port;
}

std::string Server::base_url() const
{
    return impl_->base_url();
}

const std::string& Server::root() const
{
    return impl_->root;
}

std::vector<std::string> Server::requests() const
{
    std::lock_guard<std::mutex> lock(impl_->log_mutex);
    return impl_->log;
}

void Server::clear_requests()
{
    std::lock_guard<std::mutex> lock(impl_->log_mutex);
    impl_->log.clear();
}

}  // namespace kolde_site
