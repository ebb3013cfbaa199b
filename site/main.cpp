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

// The command line's settings.
struct Options {
    int port = 8737;
    std::string host = "127.0.0.1";
    std::string root = KOLDE_SITE_ROOT;
    std::vector<std::pair<std::string, kolde_site::Fault>> faults;
    std::optional<std::string> server_dat;
    std::optional<kolde_site::ReportSource> reports;
};

// Reads the command line into o; the exit code when the program is to stop
// at once (the help, or an argument it does not know).
std::optional<int> read_options(int argc, char** argv, Options& o)
{
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
            if (!parse_port(value, o.port)) {
                std::cerr << "kolde-site: invalid port: " << value << "\n";
                return 2;
            }
        } else if (arg == "--host") {
            o.host = value;
        } else if (arg == "--root") {
            o.root = value;
        } else if (arg == "--fault") {
            std::string path;
            kolde_site::Fault fault = kolde_site::Fault::None;
            if (!parse_fault(value, path, fault)) {
                std::cerr << "kolde-site: invalid fault: " << value << "\n";
                return usage();
            }
            o.faults.emplace_back(std::move(path), fault);
        } else if (arg == "--server-dat") {
            o.server_dat = value;
        } else if (arg == "--reports") {
            if (value == "simulator") {
                o.reports = kolde_site::ReportSource::Simulator;
            } else if (value == "folder") {
                o.reports = kolde_site::ReportSource::Folder;
            } else {
                std::cerr << "kolde-site: invalid report source: " << value << "\n";
                return usage();
            }
        } else {
            return usage();
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (const std::optional<int> exit_code = read_options(argc, argv, o))
        return *exit_code;

    std::error_code ec;
    if (!std::filesystem::is_directory(o.root, ec))
        std::cerr << "kolde-site: warning: root folder " << o.root << " does not exist\n";

    // Block the stop signals in every thread; the main thread waits for them.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    kolde_site::Server server(o.root);
    for (const auto& [path, fault] : o.faults)
        server.set_fault(path, fault);
    server.set_server_dat(o.server_dat);
    if (o.reports)
        server.set_reports(*o.reports);
    const int bound = server.start(o.port, o.host);
    if (bound < 0) {
        std::cerr << "kolde-site: cannot listen on " << o.host << ":" << o.port
                  << " (address in use or not available)\n";
        return 1;
    }
    const std::string shown = o.host.find(':') != std::string::npos ? "[" + o.host + "]" : o.host;
    std::cout << "kolde-site listening on http://" << shown << ":" << bound << std::endl;

    int signal_number = 0;
    sigwait(&stop_signals, &signal_number);
    server.stop();
    return 0;
}
