#include "server.h"

#include "report_sim.h"

#include <httplib.h>

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <sstream>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace kolde_site {

// The outside sites' stand-ins (server_charts.cpp).
std::optional<std::pair<std::string, std::string>> outside_standin(const std::string& path);
// Turns an answer into one without end (server_endless.cpp).
void make_endless(httplib::Response& res, std::function<bool()> go_on);

namespace {

bool ends_with(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string content_type_for(const std::string& path)
{
    if (ends_with(path, ".htm") || ends_with(path, ".html"))
        return "text/html";
    if (ends_with(path, ".dat") || ends_with(path, ".TXT") || ends_with(path, ".txt"))
        return "text/plain";
    return "application/octet-stream";
}

std::string error_page(int status)
{
    std::string title = std::to_string(status) + " Error";
    std::string message = "The server could not answer this request.";
    if (status == 404) {
        title = "404 Not Found";
        message = "The requested URL was not found on this server.";
    } else if (status == 503) {
        title = "503 Service Unavailable";
        message = "The server is temporarily unable to service your request.";
    }
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

// Binds a socket to host:port without listening on it: the port stays ours
// while connections to it are refused. Returns the socket, or -1.
int hold_port(const std::string& host, int port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (::getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, &found) != 0)
        return -1;
    int held = -1;
    for (addrinfo* a = found; a && held < 0; a = a->ai_next) {
        const int sock = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (sock < 0)
            continue;
        int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        if (::bind(sock, a->ai_addr, a->ai_addrlen) == 0)
            held = sock;
        else
            ::close(sock);
    }
    ::freeaddrinfo(found);
    return held;
}

bool is_prefix_pattern(const std::string& path)
{
    return !path.empty() && path.back() == '*';
}

const std::string kObservationFolder = "/pub/data/observations/metar/stations/";
const std::string kForecastFolder = "/pub/data/forecasts/taf/stations/";
const std::string kCycleFolder = "/pub/data/observations/metar/cycles/";

bool starts_with(const std::string& s, const std::string& head)
{
    return s.compare(0, head.size(), head) == 0;
}

// The station code of "<folder>XXXX.TXT", or empty.
std::string station_file_code(const std::string& path, const std::string& folder)
{
    if (path.size() != folder.size() + 8 || !starts_with(path, folder) || !ends_with(path, ".TXT"))
        return {};
    return path.substr(folder.size(), 4);
}

// The hour of "<cycle folder>HHZ.TXT", or -1.
int cycle_file_hour(const std::string& path)
{
    if (path.size() != kCycleFolder.size() + 7 || !starts_with(path, kCycleFolder)
        || !ends_with(path, "Z.TXT"))
        return -1;
    const char tens = path[kCycleFolder.size()];
    const char units = path[kCycleFolder.size() + 1];
    if (tens < '0' || tens > '2' || units < '0' || units > '9')
        return -1;
    const int hour = (tens - '0') * 10 + (units - '0');
    return hour <= 23 ? hour : -1;
}

// The simulator's answer for a path in one of the report folders: the file
// text, or empty for a name it does not know. Paths elsewhere give nullopt.
std::optional<std::string> simulated_report(const std::string& path,
                                            std::chrono::system_clock::time_point now)
{
    if (starts_with(path, kObservationFolder)) {
        const std::string code = station_file_code(path, kObservationFolder);
        return report_sim::known_station(code) ? report_sim::metar_file(code, now) : std::string();
    }
    if (starts_with(path, kForecastFolder)) {
        const std::string code = station_file_code(path, kForecastFolder);
        return report_sim::known_station(code) ? report_sim::taf_file(code, now) : std::string();
    }
    if (starts_with(path, kCycleFolder)) {
        const int hour = cycle_file_hour(path);
        return hour >= 0 ? report_sim::cycle_file(hour, now) : std::string();
    }
    return std::nullopt;
}

}  // namespace

struct Server::Impl {
    std::string root;
    std::string host = "127.0.0.1";
    std::atomic<int> port{0};

    // Guards starting, stopping and going down or up; never taken by a
    // request handler, since stopping waits for the handlers.
    mutable std::mutex lifecycle_mutex;
    std::unique_ptr<httplib::Server> http;
    std::thread thread;
    std::atomic<bool> listen_ended{false};
    std::atomic<bool> is_down{false};
    int held_socket = -1;

    // Guards everything below; `wake` is notified whenever a stalled request
    // may have to give up waiting.
    mutable std::mutex state_mutex;
    std::condition_variable wake;
    bool accepting = false;
    std::map<std::string, Fault> faults;
    std::optional<std::string> server_dat;
    std::map<std::string, std::string> files;
    std::vector<std::string> log;
    std::optional<ReportSource> reports;
    std::function<std::chrono::system_clock::time_point()> clock;

    std::string base_url() const
    {
        std::string h = host;
        if (h.empty() || h == "0.0.0.0" || h == "::")
            h = "127.0.0.1";
        else if (h.find(':') != std::string::npos)
            h = "[" + h + "]";
        return "http://" + h + ":" + std::to_string(port.load());
    }

    // Caller holds state_mutex.
    Fault fault_for(const std::string& path) const
    {
        if (auto exact = faults.find(path); exact != faults.end())
            return exact->second;
        const std::pair<const std::string, Fault>* best = nullptr;
        for (const auto& entry : faults) {
            const std::string& pattern = entry.first;
            if (!is_prefix_pattern(pattern))
                continue;
            if (path.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) != 0)
                continue;
            if (!best || pattern.size() > best->first.size())
                best = &entry;
        }
        return best ? best->second : Fault::None;
    }

    void handle_get(const httplib::Request& req, httplib::Response& res)
    {
        std::unique_lock<std::mutex> lock(state_mutex);
        log.push_back("GET " + req.path);

        Fault fault = fault_for(req.path);
        while (fault == Fault::Stall) {
            if (!accepting) {
                // Stopping or going down: break the connection off rather
                // than answer. The status line and headers still go out, but
                // the promised body never comes, so the client sees a failed
                // transfer.
                res.set_content_provider(
                    1, "text/plain", [](size_t, size_t, httplib::DataSink&) { return false; });
                return;
            }
            wake.wait(lock);
            fault = fault_for(req.path);
        }
        switch (fault) {
        case Fault::NotFound:
            res.status = 404;  // the error handler adds the page
            return;
        case Fault::ErrorPage:
            res.set_content(error_page(503), "text/html");
            return;
        case Fault::Empty:
            res.set_content(std::string(), content_type_for(req.path));
            return;
        case Fault::None:
        case Fault::Stall:
        case Fault::Endless:  // made endless once answered as usual
            break;
        }

        if (req.path == "/data/server.dat" && server_dat) {
            res.set_content(*server_dat, "text/plain");
            return;
        }
        if (auto file = files.find(req.path); file != files.end()) {
            res.set_content(file->second, content_type_for(req.path));
            return;
        }
        const std::optional<ReportSource> source = reports;
        const auto now = clock;
        lock.unlock();

        if (starts_with(req.path, "/pub/") && simulating(source)) {
            if (auto report = simulated_report(req.path, now ? now() : std::chrono::system_clock::now())) {
                if (report->empty())
                    res.status = 404;  // the error handler adds the page
                else
                    res.set_content(std::move(*report), "text/plain");
                return;
            }
        }

        // A folder address is answered with the folder's index page.
        const std::string served = !req.path.empty() && req.path.back() == '/' ? req.path + "index.html" : req.path;
        const fs::path file = file_under_root(root, served);
        if (req.path == "/data/server.dat" && file.empty()) {
            res.set_content(base_url(), "text/plain");
            return;
        }
        std::string body;
        if (file.empty() || !read_file(file, body)) {
            if (auto standin = outside_standin(req.path)) {
                res.set_content(std::move(standin->first), standin->second);
                return;
            }
            res.status = 404;
            return;
        }
        res.set_content(std::move(body), content_type_for(served));
    }

    bool simulating(const std::optional<ReportSource>& source) const
    {
        if (source)
            return *source == ReportSource::Simulator;
        std::error_code ec;
        return !fs::exists(fs::path(root) / "pub", ec);
    }

    // Caller holds lifecycle_mutex.
    bool running_locked() const
    {
        return http && http->is_running() && !listen_ended;
    }

    void release_port()
    {
        if (held_socket >= 0)
            ::close(held_socket);
        held_socket = -1;
        is_down = false;
    }

    int start_locked(int port_wanted, const std::string& host_wanted)
    {
        if (running_locked())
            return port;
        stop_locked();  // a listener that ended on its own still needs joining
        if (port_wanted < 0 || port_wanted > 65535)
            return -1;

        auto server = std::make_unique<httplib::Server>();
        // Idle keep-alive connections must not hold up stop() for long.
        server->set_keep_alive_timeout(1);
        // Headers and body go out in separate writes; without this each
        // reply waits for the client's delayed acknowledgement.
        server->set_tcp_nodelay(true);
        // httplib also sets SO_REUSEPORT by default, which would let a second
        // server share a port already in use; keep only SO_REUSEADDR so a
        // restart finds its port despite connections in TIME_WAIT.
        server->set_socket_options([](socket_t sock) {
            int yes = 1;
            ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        });
        server->Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
            handle_get(req, res);
            std::lock_guard<std::mutex> lock(state_mutex);
            if (fault_for(req.path) == Fault::Endless)
                make_endless(res, [this] {
                    std::lock_guard<std::mutex> held(state_mutex);
                    return accepting;  // stopping or going down ends it
                });
        });
        server->set_error_handler([](const httplib::Request&, httplib::Response& res) {
            if (res.body.empty())
                res.set_content(error_page(res.status), "text/html");
        });

        int bound = -1;
        if (port_wanted == 0)
            bound = server->bind_to_any_port(host_wanted);
        else if (server->bind_to_port(host_wanted, port_wanted))
            bound = port_wanted;
        if (bound <= 0)
            return -1;

        host = host_wanted;
        port = bound;
        listen_ended = false;
        {
            std::lock_guard<std::mutex> lock(state_mutex);
            accepting = true;
        }
        httplib::Server* raw = server.get();
        http = std::move(server);
        thread = std::thread([this, raw] {
            raw->listen_after_bind();
            listen_ended = true;
        });
        // Wait until the listener accepts; bounded in case it fails at once.
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!raw->is_running() && !listen_ended) {
            if (std::chrono::steady_clock::now() > give_up)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (!raw->is_running()) {
            stop_locked();
            return -1;
        }
        return bound;
    }

    void stop_locked()
    {
        release_port();
        if (!http)
            return;
        // Stalled requests give up first: httplib waits for every handler
        // before its listener ends.
        {
            std::lock_guard<std::mutex> lock(state_mutex);
            accepting = false;
        }
        wake.notify_all();
        // httplib's stop() only takes effect once the listener runs, and must
        // be called only once.
        bool stop_sent = false;
        while (!listen_ended) {
            if (!stop_sent && http->is_running()) {
                http->stop();
                stop_sent = true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        if (thread.joinable())
            thread.join();
        http.reset();
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
    std::lock_guard<std::mutex> lock(impl_->lifecycle_mutex);
    return impl_->start_locked(port, host);
}

void Server::stop()
{
    std::lock_guard<std::mutex> lock(impl_->lifecycle_mutex);
    impl_->stop_locked();
}

bool Server::running() const
{
    std::lock_guard<std::mutex> lock(impl_->lifecycle_mutex);
    return impl_->running_locked();
}

int Server::port() const
{
    return impl_->port;
}

std::string Server::base_url() const
{
    std::lock_guard<std::mutex> lock(impl_->lifecycle_mutex);
    return impl_->base_url();
}

const std::string& Server::root() const
{
    return impl_->root;
}

std::vector<std::string> Server::requests() const
{
    std::lock_guard<std::mutex> lock(impl_->state_mutex);
    return impl_->log;
}

void Server::clear_requests()
{
    std::lock_guard<std::mutex> lock(impl_->state_mutex);
    impl_->log.clear();
}

int Server::count(const std::string& path) const
{
    const std::string entry = "GET " + path;
    std::lock_guard<std::mutex> lock(impl_->state_mutex);
    return static_cast<int>(std::count(impl_->log.begin(), impl_->log.end(), entry));
}

void Server::set_fault(const std::string& path, Fault fault)
{
    {
        std::lock_guard<std::mutex> lock(impl_->state_mutex);
        impl_->faults[path] = fault;
    }
    impl_->wake.notify_all();
}

void Server::clear_fault(const std::string& path)
{
    {
        std::lock_guard<std::mutex> lock(impl_->state_mutex);
        impl_->faults.erase(path);
    }
    impl_->wake.notify_all();
}

void Server::clear_faults()
{
    {
        std::lock_guard<std::mutex> lock(impl_->state_mutex);
        impl_->faults.clear();
    }
    impl_->wake.notify_all();
}

bool Server::set_down(bool down)
{
    std::lock_guard<std::mutex> lock(impl_->lifecycle_mutex);
    if (down) {
        if (impl_->is_down)
            return true;
        if (!impl_->running_locked())
            return false;
        const int port = impl_->port;
        impl_->stop_locked();
        // Should the port not be held, connections are still refused, but
        // another program could take it meanwhile.
        impl_->held_socket = hold_port(impl_->host, port);
        impl_->is_down = true;
        return true;
    }
    if (!impl_->is_down)
        return impl_->running_locked();
    const int port = impl_->port;
    const std::string host = impl_->host;
    impl_->release_port();
    return impl_->start_locked(port, host) == port;
}

bool Server::down() const
{
    return impl_->is_down;
}

void Server::set_server_dat(std::optional<std::string> text)
{
    std::lock_guard<std::mutex> lock(impl_->state_mutex);
    impl_->server_dat = std::move(text);
}

void Server::set_file(const std::string& path, std::string bytes)
{
    std::lock_guard<std::mutex> lock(impl_->state_mutex);
    impl_->files[path] = std::move(bytes);
}

void Server::clear_file(const std::string& path)
{
    std::lock_guard<std::mutex> lock(impl_->state_mutex);
    impl_->files.erase(path);
}

void Server::set_reports(ReportSource source)
{
    std::lock_guard<std::mutex> lock(impl_->state_mutex);
    impl_->reports = source;
}

void Server::set_clock(std::function<std::chrono::system_clock::time_point()> now)
{
    std::lock_guard<std::mutex> lock(impl_->state_mutex);
    impl_->clock = std::move(now);
}

}  // namespace kolde_site
