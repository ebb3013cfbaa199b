// kolde-site [--port N] [--host H] [--root DIR] [--fault PATH=KIND]...
//            [--server-dat TEXT] [--reports simulator|folder]
// Serves the update site and the report server until SIGINT or SIGTERM.
#include "server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <pthread.h>

namespace {

int usage()
{
    std::cerr << "usage: kolde-site [--port N] [--host H] [--root DIR] [--fault PATH=KIND]...\n"
                 "                  [--server-dat TEXT] [--reports simulator|folder]\n"
                 "  --fault PATH=KIND   PATH (\"/data/version.dat\", or a prefix ending in '*')\n"
                 "                      answers KIND: notfound, errorpage, stall or empty\n"
                 "  --server-dat TEXT   /data/server.dat answers exactly TEXT\n"
                 "  --reports SOURCE    report files from the simulator or from ROOT/pub\n"
                 "                      (default: the folder when ROOT/pub exists)\n";
    return 2;
}

// "PATH=KIND"; the kind is after the last '='.
bool parse_fault(const std::string& text, std::string& path, kolde_site::Fault& fault)
{
    const auto eq = text.rfind('=');
    if (eq == std::string::npos || eq == 0 || text.front() != '/')
        return false;
    path = text.substr(0, eq);
    const std::string kind = text.substr(eq + 1);
    if (kind == "notfound")
        fault = kolde_site::Fault::NotFound;
    else if (kind == "errorpage")
        fault = kolde_site::Fault::ErrorPage;
    else if (kind == "stall")
        fault = kolde_site::Fault::Stall;
    else if (kind == "empty")
        fault = kolde_site::Fault::Empty;
    else
        return false;
    return true;
}

bool parse_port(const std::string& text, int& port)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::stoi(text);
    return port <= 65535;
}

}  // namespace

int main(int argc, char** argv)
{
    int port = 8737;
    std::string host = "127.0.0.1";
    std::string root = KOLDE_SITE_ROOT;
    std::vector<std::pair<std::string, kolde_site::Fault>> faults;
    std::optional<std::string> server_dat;
    std::optional<kolde_site::ReportSource> reports;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        }
        if (i + 1 >= argc)
            return usage();
        const std::string value = argv[++i];
        if (arg == "--port") {
            if (!parse_port(value, port)) {
                std::cerr << "kolde-site: invalid port: " << value << "\n";
                return 2;
            }
        } else if (arg == "--host") {
            host = value;
        } else if (arg == "--root") {
            root = value;
        } else if (arg == "--fault") {
            std::string path;
            kolde_site::Fault fault = kolde_site::Fault::None;
            if (!parse_fault(value, path, fault)) {
                std::cerr << "kolde-site: invalid fault: " << value << "\n";
                return usage();
            }
            faults.emplace_back(std::move(path), fault);
        } else if (arg == "--server-dat") {
            server_dat = value;
        } else if (arg == "--reports") {
            if (value == "simulator") {
                reports = kolde_site::ReportSource::Simulator;
            } else if (value == "folder") {
                reports = kolde_site::ReportSource::Folder;
            } else {
                std::cerr << "kolde-site: invalid report source: " << value << "\n";
                return usage();
            }
        } else {
            return usage();
        }
    }

    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec))
        std::cerr << "kolde-site: warning: root folder " << root << " does not exist\n";

    // Block the stop signals in every thread; the main thread waits for them.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    kolde_site::Server server(root);
    for (const auto& [path, fault] : faults)
        server.set_fault(path, fault);
    server.set_server_dat(server_dat);
    if (reports)
        server.set_reports(*reports);
    const int bound = server.start(port, host);
    if (bound < 0) {
        std::cerr << "kolde-site: cannot listen on " << host << ":" << port
                  << " (address in use or not available)\n";
        return 1;
    }
    const std::string shown = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    std::cout << "kolde-site listening on http://" << shown << ":" << bound << std::endl;

    int signal_number = 0;
    sigwait(&stop_signals, &signal_number);
    server.stop();
    return 0;
}
