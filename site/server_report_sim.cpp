// The report simulator's public questions (see report_sim.h); its pieces
// are in server_report_sim_*.cpp. Named server_*.cpp so that it is built
// into the site library with the server.
#include "report_sim.h"

#include "report_sim_internal.h"

#include <algorithm>
#include <utility>

namespace kolde_site::report_sim {

using namespace detail;

const std::vector<std::string>& stations()
{
    static const std::vector<std::string> codes = [] {
        std::vector<std::string> out;
        for (const Station& s : station_table())
            out.push_back(s.code);
        return out;
    }();
    return codes;
}

bool known_station(const std::string& code)
{
    return find_station(code) != nullptr;
}

std::string metar_file(const std::string& code, TimePoint now)
{
    const Station* s = find_station(code);
    if (!s)
        return {};
    const int64_t t = seconds_of(now);
    const std::vector<int64_t> times = observation_times(*s, floor_to(t, kRoutine), t);
    const int64_t issued = times.back();  // the routine one at least
    return stamp(issued) + "\n" + observation(*s, issued) + "\n";
}

std::string taf_file(const std::string& code, TimePoint now)
{
    const Station* s = find_station(code);
    if (!s)
        return {};
    const Forecast f = latest_forecast(*s, seconds_of(now));
    return stamp(f.time) + "\n" + forecast_text(*s, f);
}

std::string cycle_file(int hour, TimePoint now)
{
    if (hour < 0 || hour > 23)
        return {};
    const int64_t t = seconds_of(now);
    const int64_t this_hour = floor_div(t, kHour);
    const int64_t hours_back = ((this_hour % 24 - hour) % 24 + 24) % 24;
    const int64_t from = (this_hour - hours_back) * kHour;
    const int64_t to = std::min(from + kHour - 1, t);

    std::vector<std::pair<int64_t, const Station*>> issued;
    for (const Station& s : station_table()) {
        for (int64_t when : observation_times(s, from, to))
            issued.emplace_back(when, &s);
    }
    std::stable_sort(issued.begin(), issued.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string out;
    out.reserve(issued.size() * 110);
    for (const auto& [when, s] : issued)
        out += stamp(when) + "\n" + observation(*s, when) + "\n\n";
    return out;
}

}  // namespace kolde_site::report_sim
