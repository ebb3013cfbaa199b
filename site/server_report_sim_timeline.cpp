// The report simulator's time and regime timeline (see report_sim.h): UTC
// stamps and groups, and when each station's weather regime changes.
#include "report_sim_internal.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kolde_site::report_sim::detail {

int64_t seconds_of(TimePoint t)
{
    return std::chrono::floor<std::chrono::seconds>(t).time_since_epoch().count();
}

std::tm utc(int64_t t)
{
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm u{};
    gmtime_r(&tt, &u);
    return u;
}

// "YYYY/MM/DD HH:MM"
std::string stamp(int64_t t)
{
    const std::tm u = utc(t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02d:%02d", u.tm_year + 1900, u.tm_mon + 1,
                  u.tm_mday, u.tm_hour, u.tm_min);
    return buf;
}

// "DDHHMMZ"
std::string issue_group(int64_t t)
{
    const std::tm u = utc(t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d%02d%02dZ", u.tm_mday, u.tm_hour, u.tm_min);
    return buf;
}

// "DDHH" of a whole hour; an end of period at midnight is hour 24 of the
// day before.
std::string day_hour(int64_t t, bool period_end)
{
    if (period_end && floor_div(t, kHour) % 24 == 0) {
        const std::tm u = utc(t - kHour);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%02d24", u.tm_mday);
        return buf;
    }
    const std::tm u = utc(t);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%02d%02d", u.tm_mday, u.tm_hour);
    return buf;
}

std::string period(int64_t from, int64_t to)
{
    return day_hour(from, false) + "/" + day_hour(to, true);
}

int month_of(int64_t t)
{
    return utc(t).tm_mon + 1;
}

namespace {

std::array<int, kRegimes> regime_weights(const Station& s, int month)
{
    const Climate& c = climate(s.zone);
    const bool winter = month == 12 || month <= 2;
    const bool rainy_season = (month == 6 || month == 7) && s.zone != Zone::Hokkaido;
    const bool summer = month >= 7 && month <= 9;
    //                           Clear Fair Cloudy Rain Heavy Thunder Fog Mist Showers
    std::array<int, kRegimes> w = {16, 20, 16, 10, 4, 4, 4, 8, 8};
    if (winter) {
        if (c.monsoon_side)
            w = {3, 8, 16, 14, 6, 5, 2, 5, 20};
        else if (c.tropical)
            w = {8, 20, 24, 14, 3, 1, 2, 6, 12};
        else
            w = {32, 26, 12, 5, 2, 1, 3, 8, 4};
    } else if (rainy_season) {
        w = {6, 12, 20, 18, 9, 6, 6, 10, 8};
    } else if (summer) {
        w = {12, 24, 12, 6, 4, 10, 4, 10, 14};
        if (s.zone == Zone::Hokkaido)
            w[Fog] = 14;  // sea fog off the Pacific coast
    }
    if (c.tropical) {
        w[Fog] = std::max(1, w[Fog] / 3);
        w[Showers] += 6;
    }
    return w;
}

// The regime drawn afresh for block k.
int fresh_regime(const Station& s, int64_t k)
{
    const auto weights = regime_weights(s, month_of(k * kBlock + kBlock / 2));
    int total = 0;
    for (int w : weights)
        total += w;
    Rng rng(seed(s, Salt::Regime, k));
    int roll = rng.range(0, total - 1);
    for (int r = 0; r < kRegimes; ++r) {
        if (roll < weights[r])
            return r;
        roll -= weights[r];
    }
    return Fair;
}

}  // namespace

// The regime from block k's change on: often the one before carries on.
int regime(const Station& s, int64_t k)
{
    for (int depth = 0; depth < 6; ++depth, --k) {
        Rng rng(seed(s, Salt::Persist, k));
        if (!rng.chance(40))
            return fresh_regime(s, k);
    }
    return fresh_regime(s, k);
}

// When block k's regime takes over: a minute other than 00 or 30 (and not
// 50 to 59 either), somewhere in the block.
int64_t change_time(const Station& s, int64_t k)
{
    Rng rng(seed(s, Salt::Change, k));
    const int hour = rng.range(0, 2);
    const int minute = rng.chance(50) ? rng.range(12, 25) : rng.range(35, 48);
    return k * kBlock + hour * kHour + minute * kMinute;
}

// The block whose regime holds at t.
int64_t block_at(const Station& s, int64_t t)
{
    const int64_t k = floor_div(t, kBlock);
    return t >= change_time(s, k) ? k : k - 1;
}

bool special_at_change(const Station& s, int64_t k)
{
    const int before = regime(s, k - 1);
    const int after = regime(s, k);
    return before != after && (adverse(before) || adverse(after));
}

// Issue times of the station's observations from `from` to `to`, both
// included, in order.
std::vector<int64_t> observation_times(const Station& s, int64_t from, int64_t to)
{
    std::vector<int64_t> times;
    if (to < from)
        return times;
    for (int64_t t = floor_to(from + kRoutine - 1, kRoutine); t <= to; t += kRoutine)
        times.push_back(t);
    for (int64_t k = floor_div(from, kBlock); k <= floor_div(to, kBlock); ++k) {
        const int64_t t = change_time(s, k);
        if (t >= from && t <= to && special_at_change(s, k))
            times.push_back(t);
    }
    std::sort(times.begin(), times.end());
    return times;
}

}  // namespace kolde_site::report_sim::detail
