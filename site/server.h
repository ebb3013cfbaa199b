// kolde-site: the program's update site (and, later, its report server),
// served from a folder assembled at build time. Runs in-process for tests
// (port 0 picks a free port) or as the kolde-site program.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kolde_site {

class Server {
public:
    // root: the folder holding data/version.dat, data/kolde.mdb, ...
    explicit Server(std::string root = KOLDE_SITE_ROOT);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Starts listening on host:port in a background thread; returns the
    // bound port, or -1 when it cannot listen.
    int start(int port = 0, const std::string& host = "127.0.0.1");
    void stop();
    bool running() const;
    int port() const;
    // "http://127.0.0.1:PORT", no trailing slash.
    std::string base_url() const;
    const std::string& root() const;

    // Requests served so far, oldest first, as "GET /data/version.dat".
    std::vector<std::string> requests() const;
    void clear_requests();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace kolde_site
