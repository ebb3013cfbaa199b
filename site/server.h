// kolde-site: the program's update site and its public report server,
// served from a folder assembled at build time. Runs in-process for tests
// (port 0 picks a free port) or as the kolde-site program.
//
// The report server answers per-station observation and forecast files and
// hourly cycle files under /pub/data/..., either from files under root or
// from the report simulator (report_sim.h), which issues reports on the
// server's clock.
//
// Tests can switch faults on and off while the server runs: a path that
// answers 404, an HTML error page, nothing at all, an empty body or a body
// without end; the
// whole site down and up again; and files replaced in memory. Every call is
// safe from any thread.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kolde_site {

enum class Fault {
    None,       // served as usual (also overrides a matching prefix fault)
    NotFound,   // 404 with an HTML page
    ErrorPage,  // 200 with an HTML error page in place of the content
    Stall,      // accepted but never answered until the fault is cleared or
                // the server stops or goes down
    Empty,      // 200 with an empty body
    Endless,    // 200 with the usual content (or none), then filler lines
                // without end, until the client stops reading or the server
                // stops or goes down
};

enum class ReportSource {
    Simulator,  // reports issued by the simulator on the server's clock
    Folder,     // files under root/pub/data/... as they stand
};

class Server {
public:
    // root: the folder holding data/version.dat, data/kolde.mdb, ...
    explicit Server(std::string root = KOLDE_SITE_ROOT);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Starts listening on host:port in a background thread; returns the
    // bound port, or -1 when it cannot listen. A site that is down comes up.
    int start(int port = 0, const std::string& host = "127.0.0.1");
    // Stops listening; a stalled request is let go at once. A site that is
    // down releases its port.
    void stop();
    bool running() const;
    int port() const;
    // "http://127.0.0.1:PORT", no trailing slash.
    std::string base_url() const;
    const std::string& root() const;

    // Requests served so far, oldest first, as "GET /data/version.dat".
    std::vector<std::string> requests() const;
    void clear_requests();
    // How many of the logged requests asked for exactly this path.
    int count(const std::string& path) const;

    // Faults by request path: an exact path ("/data/version.dat"), or a
    // prefix ending in '*' ("/pub/data/*"). An exact path wins over a prefix,
    // a longer prefix over a shorter one.
    void set_fault(const std::string& path, Fault fault);
    void clear_fault(const std::string& path);
    void clear_faults();

    // While down the port stays reserved but connections are refused, so a
    // client sees a network failure rather than an HTTP answer. Going up
    // listens on the same port again. Returns false when the server was not
    // running (going down) or cannot listen again (going up).
    bool set_down(bool down);
    bool down() const;

    // When set, /data/server.dat answers exactly this text; unset, it answers
    // the file under root, or else base_url().
    void set_server_dat(std::optional<std::string> text);

    // Serves these bytes for path (exact) in place of anything under root.
    void set_file(const std::string& path, std::string bytes);
    void clear_file(const std::string& path);

    // Where the report files come from. Unless set, from the simulator while
    // root/pub does not exist and from the folder once it does. In simulator
    // mode paths under the three report folders are the simulator's alone
    // (set_file still wins): an unknown station or a malformed name answers
    // 404; other paths are served as usual.
    void set_reports(ReportSource source);
    // The simulator's clock (default: the system clock).
    void set_clock(std::function<std::chrono::system_clock::time_point()> now);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace kolde_site
