// The report simulator (see report_sim.h). Named server_*.cpp so that it is
// built into the site library with the server.
#include "report_sim.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <numbers>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace kolde_site::report_sim {

namespace {

using std::int64_t;
using std::uint64_t;

constexpr int64_t kMinute = 60;
constexpr int64_t kHour = 3600;
constexpr int64_t kRoutine = 30 * kMinute;  // routine observations every 30 minutes
constexpr int64_t kBlock = 3 * kHour;       // one regime change somewhere in each block

// ---------------------------------------------------------------------------
// Stations

enum class Zone {
    Hokkaido,
    Tohoku,
    Kanto,
    Izu,         // the Izu islands
    FarIslands,  // Iwo Jima, Minamitorishima
    Hokuriku,
    Chubu,
    West,        // Kinki, Chugoku and Shikoku, Pacific and Inland Sea side
    SeaOfJapanWest,
    Kyushu,
    Amami,
    Okinawa,
};

struct Climate {
    double mean;       // annual mean temperature, degrees C
    double amplitude;  // half the difference between the warmest and coldest month
    double diurnal;    // half the usual day-night difference
    bool monsoon_side; // snowy, showery winters under the north-west monsoon
    bool tropical;
};

const Climate& climate(Zone zone)
{
    static const std::unordered_map<Zone, Climate> table = {
        {Zone::Hokkaido, {7.0, 12.0, 4.0, true, false}},
        {Zone::Tohoku, {11.0, 11.0, 4.0, true, false}},
        {Zone::Kanto, {15.5, 10.0, 3.5, false, false}},
        {Zone::Izu, {17.5, 7.5, 2.0, false, false}},
        {Zone::FarIslands, {25.5, 3.0, 1.5, false, true}},
        {Zone::Hokuriku, {14.0, 10.5, 3.5, true, false}},
        {Zone::Chubu, {15.5, 10.5, 4.0, false, false}},
        {Zone::West, {16.0, 10.0, 4.0, false, false}},
        {Zone::SeaOfJapanWest, {15.0, 10.0, 3.5, true, false}},
        {Zone::Kyushu, {17.0, 9.0, 4.0, false, false}},
        {Zone::Amami, {21.5, 6.0, 2.5, false, true}},
        {Zone::Okinawa, {23.5, 5.0, 2.0, false, true}},
    };
    return table.at(zone);
}

// The seed airport catalogue, north to south.
constexpr std::array<std::string_view, 128> kCodes = {
    "RJCW", "RJER", "RJCR", "RJEB", "RJCM", "RJCN", "RJCK", "RJEC", "RJCA", "RJCO", "RJCC",
    "RJCJ", "RJCB", "RJCT", "RJEO", "RJCH", "RJSA", "RJSM", "RJSO", "RJSH", "RJSR", "RJSK",
    "RJSI", "RJSY", "RJSC", "RJST", "RJSS", "RJSU", "RJSF", "RJTU", "RJAH", "RJAK", "RJTJ",
    "RJTY", "RJTC", "RJTF", "RJAA", "RJTL", "RJTT", "RJTK", "RJTE", "RJTR", "RJTA", "RJTO",
    "RJAN", "RJAZ", "RJTQ", "RJTH", "RJAW", "RJAM", "RJSN", "RJSD", "RJNT", "RJNW", "RJNK",
    "RJNF", "RJAF", "RJNS", "RJNY", "RJNH", "RJNG", "RJNA", "RJGG", "RJOE", "RJOO", "RJBB",
    "RJBE", "RJOY", "RJBT", "RJBD", "RJOR", "RJOH", "RJOC", "RJNO", "RJOW", "RJOB", "RJBK",
    "RJOA", "RJBH", "RJOI", "RJOF", "RJDC", "RJOZ", "RJOT", "RJOS", "RJOM", "RJOK", "RJFR",
    "RJFZ", "RJFA", "RJFF", "RJFS", "RJDM", "RJDT", "RJDB", "RJFU", "RJDO", "RJDK", "RJFE",
    "RJFO", "RJFT", "RJDA", "RJFM", "RJFN", "RJFK", "RJFY", "RJFG", "RJFC", "RJKA", "RJKI",
    "RJKN", "RJKB", "RORY", "RORE", "RODN", "ROTM", "ROAH", "ROKR", "RORA", "ROKJ", "RORK",
    "ROMD", "ROMY", "RORS", "RORT", "ROIG", "RORH", "ROYN",
};

Zone zone_of(std::size_t index, std::string_view code)
{
    for (std::string_view west_coast : {"RJBT", "RJOR", "RJOH", "RJOC", "RJNO", "RJOW"}) {
        if (code == west_coast)
            return Zone::SeaOfJapanWest;
    }
    if (index < 16)
        return Zone::Hokkaido;
    if (index < 29)
        return Zone::Tohoku;
    if (index < 43)
        return Zone::Kanto;
    if (index < 48)
        return Zone::Izu;
    if (index < 50)
        return Zone::FarIslands;
    if (index < 56)
        return Zone::Hokuriku;
    if (index < 63)
        return Zone::Chubu;
    if (index < 87)
        return Zone::West;
    if (index < 108)
        return Zone::Kyushu;
    if (index < 112)
        return Zone::Amami;
    return Zone::Okinawa;
}

uint64_t mix(uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

struct Station {
    std::string code;
    std::size_t index = 0;
    Zone zone = Zone::Kanto;
    uint64_t hash = 0;
    std::string runway;      // the runway its RVR is reported for
    bool trend = false;      // adds NOSIG to its observations
    bool long_taf = false;   // 30-hour forecasts rather than 24-hour ones
    double temp_offset = 0;  // its own small departure from the zone's climate
};

const std::vector<Station>& station_table()
{
    static const std::vector<Station> table = [] {
        // The larger airports: their main instrument runway, 30-hour TAFs.
        static const std::unordered_map<std::string_view, std::string_view> main_runway = {
            {"RJAA", "34L"}, {"RJTT", "34L"}, {"RJBB", "06R"}, {"RJGG", "36"},
            {"RJCC", "01R"}, {"RJFF", "34"},  {"ROAH", "36"},  {"RJOO", "32L"},
            {"RJFK", "34"},  {"RJSS", "27"},  {"RJOA", "28"},  {"RJCH", "30"},
        };
        std::vector<Station> out;
        out.reserve(kCodes.size());
        for (std::size_t i = 0; i < kCodes.size(); ++i) {
            Station s;
            s.code = std::string(kCodes[i]);
            s.index = i;
            s.zone = zone_of(i, kCodes[i]);
            uint64_t h = 0xcbf29ce484222325ULL;  // FNV-1a
            for (char c : s.code)
                h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
            s.hash = mix(h);
            if (auto found = main_runway.find(kCodes[i]); found != main_runway.end()) {
                s.runway = std::string(found->second);
                s.long_taf = true;
                s.trend = true;
            } else {
                char buf[64];
                std::snprintf(buf, sizeof buf, "%02d", static_cast<int>(s.hash % 36) + 1);
                s.runway = buf;
                s.trend = (s.hash >> 8) % 10 < 6;
            }
            s.temp_offset = static_cast<double>(static_cast<int>((s.hash >> 16) % 31) - 15) / 10.0;
            out.push_back(std::move(s));
        }
        return out;
    }();
    return table;
}

const Station* find_station(const std::string& code)
{
    static const std::unordered_map<std::string, const Station*> by_code = [] {
        std::unordered_map<std::string, const Station*> m;
        for (const Station& s : station_table())
            m.emplace(s.code, &s);
        return m;
    }();
    auto found = by_code.find(code);
    return found == by_code.end() ? nullptr : found->second;
}

// ---------------------------------------------------------------------------
// Deterministic randomness

// What a seed is drawn for, so that different questions about the same
// station and time get unrelated answers.
enum class Salt : uint64_t {
    Regime = 1,
    Persist,
    Change,
    Block,
    Observation,
    Amend,
};

uint64_t seed(const Station& s, Salt salt, int64_t value)
{
    return mix(mix(s.hash ^ static_cast<uint64_t>(salt)) ^ static_cast<uint64_t>(value));
}

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next()
    {
        state_ += 0x9e3779b97f4a7c15ULL;
        return mix(state_);
    }
    // lo to hi, both included
    int range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint64_t>(hi - lo + 1)); }
    bool chance(int percent) { return static_cast<int>(next() % 100) < percent; }

private:
    uint64_t state_;
};

// ---------------------------------------------------------------------------
// Time

int64_t floor_div(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

int64_t floor_to(int64_t t, int64_t step)
{
    return floor_div(t, step) * step;
}

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

// ---------------------------------------------------------------------------
// The regime timeline

enum Regime { Clear, Fair, Cloudy, Rain, HeavyRain, Thunder, Fog, Mist, Showers, kRegimes };

// Weather bad enough that going into or out of it calls for a special.
bool adverse(int r)
{
    return r == HeavyRain || r == Thunder || r == Fog;
}

// Weather that a forecast gives as TEMPO when it does not last long.
bool passing(int r)
{
    return r == HeavyRain || r == Thunder || r == Fog || r == Showers;
}

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

// ---------------------------------------------------------------------------
// Weather of one moment

struct Layer {
    int octas;
    std::string type;  // CU, SC, ST, AC, AS, NS, CB, TCU
    int height;        // hundreds of feet
};

struct Conditions {
    int wind_dir = 0;  // 10 to 360
    bool variable = false;
    int speed = 0;
    int gust = 0;
    int vary_from = 0;  // 0: no variation group
    int vary_to = 0;
    bool cavok = false;
    int visibility = 9999;
    std::vector<std::string> rvr;
    std::vector<std::string> weather;
    std::vector<Layer> layers;
    int vertical = -1;  // vertical visibility, hundreds of feet
    int temperature = 15;
    int dew_point = 10;
    int qnh = 1013;
    bool wind_shear = false;
};

double base_temperature(const Station& s, int64_t t, int r)
{
    static constexpr std::array<double, kRegimes> sun = {1.0, 1.0, 0.6, 0.3, 0.2, 0.6, 0.3, 0.8, 0.7};
    static constexpr std::array<double, kRegimes> cooling = {0, 0, 0, -1.0, -1.5, -1.0, -0.5, 0, -0.5};
    const Climate& c = climate(s.zone);
    const std::tm u = utc(t);
    const double day_of_year = u.tm_yday + (u.tm_hour + u.tm_min / 60.0) / 24.0;
    const double season = -c.amplitude * std::cos(2 * std::numbers::pi * (day_of_year - 25) / 365.25);
    const double hour = u.tm_hour + u.tm_min / 60.0;
    // Warmest at 05Z, early afternoon in Japan.
    const double day = c.diurnal * sun[r] * std::cos(2 * std::numbers::pi * (hour - 5) / 24);
    return c.mean + season + day + cooling[r] + s.temp_offset;
}

// Rain turns to sleet and snow in the cold: "RA" at the end of a weather
// group becomes "RASN" or "SN".
std::string precipitation(const std::string& group, double temperature)
{
    if (temperature > 3.5 || group.size() < 2 || group.compare(group.size() - 2, 2, "RA") != 0)
        return group;
    const std::string head = group.substr(0, group.size() - 2);
    return head + (temperature > 1.5 ? "RASN" : "SN");
}

int round_visibility(int metres)
{
    if (metres >= 9500)
        return 9999;
    if (metres >= 5000)
        return std::min(9000, (metres + 500) / 1000 * 1000);
    if (metres >= 800)
        return (metres + 50) / 100 * 100;
    return std::max(50, (metres + 25) / 50 * 50);
}

int round_rvr(int metres)
{
    const int step = metres < 400 ? 25 : metres < 800 ? 50 : 100;
    return std::clamp((metres + step / 2) / step * step, 50, 1800);
}

int round_height(int hundreds)
{
    if (hundreds <= 0)
        return 1;
    if (hundreds < 100)
        return hundreds;
    return (hundreds + 5) / 10 * 10;
}

int round_direction(int degrees)
{
    int d = ((degrees % 360) + 360) % 360;
    d = (d + 5) / 10 * 10;
    return d == 0 || d == 360 ? 360 : d;
}

// The weather of regime r (block k) at time t. With `observed` the values
// wander a little from one observation to the next; without it (for a
// forecast) they are the block's own.
Conditions conditions(const Station& s, int64_t k, int r, int64_t t, bool observed)
{
    Rng b(seed(s, Salt::Block, k));
    Rng o(seed(s, Salt::Observation, t));
    auto jitter = [&](int amplitude) { return observed ? o.range(-amplitude, amplitude) : 0; };

    Conditions c;
    const Climate& cl = climate(s.zone);
    const int month = month_of(t);
    const bool winter = month == 12 || month <= 2;
    const bool summer = month >= 6 && month <= 9;
    const double temperature = base_temperature(s, t, r) + (observed ? o.range(-3, 3) / 10.0 : 0.0);
    const bool snow = temperature <= 1.5;

    // Wind: the north-west monsoon in winter, southerlies in summer.
    int direction = winter ? b.range(290, 350) : summer ? b.range(140, 230) : b.range(10, 360);
    static constexpr std::array<std::pair<int, int>, kRegimes> speeds = {{
        {3, 12}, {3, 12}, {4, 14}, {5, 15}, {8, 20}, {8, 18}, {0, 4}, {1, 6}, {6, 16}}};
    int speed = b.range(speeds[r].first, speeds[r].second);
    if (winter && cl.monsoon_side && (r == Showers || r == Rain))
        speed += 6;
    int gust = 0;
    if (speed >= 15 || (r == Thunder && b.chance(60)))
        gust = b.range(8, 15);
    direction += jitter(20);
    speed = std::max(0, speed + jitter(2));
    c.wind_dir = round_direction(direction);
    c.speed = speed;
    c.gust = gust ? speed + gust : 0;
    const bool light_and_variable = b.chance(50);
    if (speed <= 2) {
        c.variable = speed > 0 && light_and_variable;
        c.gust = 0;
    } else if (observed && o.chance(8)) {
        c.vary_from = round_direction(c.wind_dir - 60);
        c.vary_to = round_direction(c.wind_dir + 50);
    }

    int spread = 5;  // temperature minus dew point
    int visibility = 9999;
    std::vector<Layer>& layers = c.layers;
    switch (r) {
    case Clear:
        c.cavok = true;
        spread = b.range(4, 14);
        break;
    case Fair:
        layers.push_back({b.range(1, 2), "CU", b.range(20, 40)});
        if (b.chance(50))
            layers.push_back({3, "AC", b.range(10, 15) * 10});
        spread = b.range(3, 12);
        break;
    case Cloudy: {
        visibility = b.chance(70) ? 9999 : b.range(6, 9) * 1000;
        int base = b.range(15, 25);
        if (b.chance(50))
            layers.push_back({b.range(1, 2), b.chance(50) ? "CU" : "ST", base});
        base += b.range(8, 15);
        layers.push_back({b.range(3, 4), "SC", base});
        if (b.chance(20))
            layers.push_back({8, "AS", b.range(10, 12) * 10});
        else
            layers.push_back({b.range(5, 7), b.chance(50) ? "SC" : "AC", base + b.range(15, 40)});
        spread = b.range(2, 8);
        break;
    }
    case Rain: {
        visibility = b.chance(30) ? 9999 : b.range(5, 9) * 1000;
        const int kind = b.range(0, 9);
        c.weather.push_back(kind < 6 ? "-RA" : kind < 9 ? "-SHRA" : "-DZ");
        if (snow && c.weather.back() == "-DZ")
            c.weather.back() = "-SN";
        int base = b.range(8, 15);
        layers.push_back({b.range(1, 2), "ST", base});
        base += b.range(5, 15);
        layers.push_back({b.range(5, 7), "SC", base});
        if (b.chance(50))
            layers.push_back({8, "NS", base + b.range(10, 25)});
        spread = b.range(1, 3);
        break;
    }
    case HeavyRain: {
        visibility = b.range(12, 40) * 100;
        const int kind = b.range(0, 9);
        c.weather.push_back(kind < 4 ? "RA" : kind < 7 ? "+RA" : kind < 9 ? "SHRA" : "+SHRA");
        const int in_snow = b.range(4, 15) * 100;
        const bool snow_hides_sky = b.chance(50);
        if (snow)
            visibility = in_snow;
        int base = b.range(3, 5);
        layers.push_back({b.range(1, 2), "ST", base});
        base += b.range(1, 4);
        layers.push_back({b.range(5, 7), b.chance(30) ? "CU" : "ST", base});
        layers.push_back({8, "NS", base + b.range(4, 8)});
        if (snow && visibility < 1000 && snow_hides_sky) {
            layers.clear();
            c.vertical = b.range(2, 4);
        }
        spread = b.range(0, 2);
        break;
    }
    case Thunder: {
        const int kind = b.range(0, 99);
        const int in_storm = b.range(25, 80) * 100;
        if (kind < 20) {
            c.weather.push_back("VCTS");
        } else {
            visibility = in_storm;
            c.weather.push_back(kind < 45 ? "TSRA" : kind < 65 ? "+TSRA" : kind < 85 ? "-TSRA" : "TS");
        }
        int base = b.range(8, 20);
        if (b.chance(60))
            layers.push_back({b.range(1, 2), "CU", base});
        base += b.range(5, 15);
        if (b.chance(40)) {
            layers.push_back({3, "TCU", base});
            base += b.range(3, 8);
        }
        layers.push_back({b.range(2, 5), "CB", base});
        if (b.chance(60))
            layers.push_back({b.range(5, 7), b.chance(50) ? "SC" : "AC", base + b.range(15, 40)});
        c.wind_shear = b.chance(25);
        spread = b.range(1, 4);
        break;
    }
    case Fog: {
        if (b.chance(75)) {
            visibility = b.range(1, 16) * 50;
            c.weather.push_back(temperature < 0 ? "FZFG" : "FG");
            if (b.chance(50))
                c.vertical = b.range(1, 2);
            else if (b.chance(50))
                layers.push_back({8, "ST", b.range(1, 2)});
            else
                layers.push_back({b.range(5, 7), "ST", b.range(2, 4)});
        } else {
            visibility = b.range(11, 40) * 100;
            c.weather.push_back("BR");
            layers.push_back({b.range(5, 7), "ST", b.range(3, 6)});
            layers.push_back({8, "SC", b.range(12, 18)});
        }
        spread = b.range(0, 1);
        break;
    }
    case Mist: {
        const bool humid = b.chance(60);
        visibility = humid ? b.range(20, 50) * 100 : b.range(30, 50) * 100;
        c.weather.push_back(humid ? "BR" : "HZ");
        layers.push_back({b.range(1, 2), humid ? "ST" : "CU", b.range(10, 30)});
        if (b.chance(50))
            layers.push_back({b.range(3, 4), "SC", b.range(35, 50)});
        spread = humid ? b.range(1, 3) : b.range(5, 12);
        break;
    }
    case Showers: {
        visibility = b.chance(60) ? 9999 : b.range(6, 8) * 1000;
        const int kind = b.range(0, 99);
        const int in_snow = kind < 80 ? b.range(30, 80) * 100 : b.range(10, 30) * 100;
        if (kind < 40) {
            c.weather.push_back("VCSH");
        } else {
            c.weather.push_back(kind < 80 ? "-SHRA" : "SHRA");
            if (snow)
                visibility = in_snow;
        }
        int base = b.range(6, 15);
        if (b.chance(35)) {
            layers.push_back({b.range(5, 6), "CU", base});
        } else {
            base = b.range(15, 25);
            layers.push_back({b.range(1, 2), "CU", base});
        }
        base += b.range(5, 12);
        const int convective = b.range(0, 99);
        if (convective < 50)
            layers.push_back({b.range(3, 4), "TCU", base});
        else if (convective < 65)
            layers.push_back({b.range(1, 2), "CB", base});
        if (b.chance(50))
            layers.push_back({b.range(5, 7), "SC", base + b.range(12, 30)});
        spread = b.range(2, 7);
        break;
    }
    default:
        break;
    }

    // Cold weather: snow in place of rain, and snow thins out the view.
    for (std::string& w : c.weather) {
        const std::string was = w;
        w = precipitation(w, temperature);
        if (w != was && snow && visibility > 800 && w.front() != '-')
            visibility = visibility * 2 / 3;
    }
    if (!c.cavok) {
        if (visibility < 9999)
            visibility = round_visibility(visibility + visibility * jitter(10) / 100);
        c.visibility = visibility;
        // Mist with rain or snow that cuts the view below 5 km.
        const bool has_obscuration = std::any_of(c.weather.begin(), c.weather.end(), [](const std::string& w) {
            return w.find("FG") != std::string::npos || w == "BR" || w == "HZ";
        });
        if (!has_obscuration && !c.weather.empty() && c.weather.front() != "VCTS"
            && c.weather.front() != "VCSH" && visibility < 5000 && visibility >= 1000 && !snow)
            c.weather.push_back("BR");
    }
    if (c.vertical > 0)
        c.vertical = std::max(1, c.vertical + (c.vertical > 1 ? jitter(1) : 0));

    // Runway visual range when the view is poor.
    if (!c.cavok && c.visibility < 1500) {
        const int centre = c.visibility * b.range(13, 22) / 10 + jitter(2) * 25;
        const char tendencies[] = {'N', 'U', 'D'};
        const char tendency = tendencies[observed ? o.range(0, 2) : 0];
        const int low = round_rvr(centre * 7 / 10);
        const int high = round_rvr(centre * 14 / 10);
        char buf[64];
        if (b.chance(40) || low == high)
            std::snprintf(buf, sizeof buf, "R%s/%04d%c", s.runway.c_str(), round_rvr(centre), tendency);
        else
            std::snprintf(buf, sizeof buf, "R%s/%04dV%04d%c", s.runway.c_str(), low, high, tendency);
        c.rvr.push_back(buf);
    }

    // Cloud heights wander a little; layers stay in rising order.
    int last = 0;
    for (Layer& l : layers) {
        const int amplitude = l.height < 10 ? 1 : l.height < 30 ? 2 : 5;
        l.height = std::max(round_height(l.height + jitter(amplitude)), last + 1);
        l.height = round_height(l.height);
        if (l.height <= last)
            l.height = last < 100 ? last + 1 : last + 10;
        last = l.height;
    }

    const int t_whole = static_cast<int>(std::lround(temperature));
    c.temperature = t_whole;
    c.dew_point = t_whole - std::max(0, spread + (spread > 0 ? jitter(1) : 0));

    static constexpr std::array<std::pair<int, int>, kRegimes> pressures = {{
        {1014, 1026}, {1010, 1022}, {1006, 1016}, {1002, 1012}, {996, 1008},
        {998, 1010}, {1008, 1020}, {1008, 1020}, {1002, 1014}}};
    c.qnh = b.range(pressures[r].first, pressures[r].second) + (winter && r == Clear ? 4 : 0) + jitter(1);
    return c;
}

std::string temperature_text(int t)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, t < 0 ? "M%02d" : "%02d", std::abs(t));
    return buf;
}

std::string wind_text(const Conditions& c)
{
    char buf[64];
    if (c.speed == 0)
        return "00000KT";
    if (c.variable)
        std::snprintf(buf, sizeof buf, "VRB%02dKT", c.speed);
    else if (c.gust > 0)
        std::snprintf(buf, sizeof buf, "%03d%02dG%02dKT", c.wind_dir, c.speed, c.gust);
    else
        std::snprintf(buf, sizeof buf, "%03d%02dKT", c.wind_dir, c.speed);
    std::string out = buf;
    if (c.vary_from > 0) {
        std::snprintf(buf, sizeof buf, " %03dV%03d", c.vary_from, c.vary_to);
        out += buf;
    }
    return out;
}

std::string amount(int octas)
{
    return octas <= 2 ? "FEW" : octas <= 4 ? "SCT" : octas <= 7 ? "BKN" : "OVC";
}

std::string height_text(int hundreds)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%03d", hundreds);
    return buf;
}

// Visibility, weather and sky as in the body of a report; CAVOK stands for
// all three.
// `no_weather` adds NSW where weather forecast before has ended.
std::string sky_text(const Conditions& c, bool with_rvr, bool no_weather = false)
{
    if (c.cavok)
        return "CAVOK";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d", c.visibility);
    std::string out = buf;
    if (with_rvr) {
        for (const std::string& g : c.rvr)
            out += " " + g;
    }
    for (const std::string& w : c.weather)
        out += " " + w;
    if (no_weather && c.weather.empty())
        out += " NSW";
    if (c.vertical > 0) {
        out += " VV" + height_text(c.vertical);
    } else if (c.layers.empty()) {
        out += " NSC";
    } else {
        for (const Layer& l : c.layers) {
            out += " " + amount(l.octas) + height_text(l.height);
            if (l.type == "CB" || l.type == "TCU")
                out += l.type;
        }
    }
    return out;
}

// The observation line issued at t, without its line feed.
std::string observation(const Station& s, int64_t t)
{
    const int64_t k = block_at(s, t);
    const Conditions c = conditions(s, k, regime(s, k), t, true);
    std::string out = s.code + " " + issue_group(t) + " " + wind_text(c) + " " + sky_text(c, true) + " "
                      + temperature_text(c.temperature) + "/" + temperature_text(c.dew_point);
    char buf[64];
    std::snprintf(buf, sizeof buf, " Q%04d", c.qnh);
    out += buf;
    if (s.trend)
        out += " NOSIG";
    out += " RMK";
    if (!c.cavok && c.vertical <= 0) {
        for (const Layer& l : c.layers)
            out += " " + std::to_string(l.octas) + l.type + height_text(l.height);
    }
    std::snprintf(buf, sizeof buf, " A%04ld", std::lround(c.qnh * 2.953));
    out += buf;
    if (c.wind_shear)
        out += " WS R" + s.runway;
    return out;
}

// ---------------------------------------------------------------------------
// Forecasts

struct Forecast {
    int64_t time;         // issue time (of the amendment or correction, if any)
    std::string kind;     // "", "AMD" or "COR"
    int64_t valid_from;
    int64_t valid_to;
};

// The forecast in force at `now`: issued at 05, 11, 17 or 23Z, replaced now
// and then by an amendment a few hours later or a correction soon after.
Forecast latest_forecast(const Station& s, int64_t now)
{
    const int64_t hour = floor_div(now, kHour);
    const int64_t issue_hour = hour - (((hour - 5) % 6) + 6) % 6;
    const int64_t issue = issue_hour * kHour;
    Forecast f{issue, "", issue + kHour, issue + kHour + (s.long_taf ? 30 : 24) * kHour};

    Rng rng(seed(s, Salt::Amend, issue_hour));
    const int roll = rng.range(0, 99);
    if (roll < 8) {
        const int64_t amended = issue + rng.range(2, 4) * kHour + rng.range(5, 55) * kMinute;
        if (amended <= now) {
            f.time = amended;
            f.kind = "AMD";
            f.valid_from = floor_to(amended, kHour);
        }
    } else if (roll < 11) {
        const int64_t corrected = issue + rng.range(10, 25) * kMinute;
        if (corrected <= now) {
            f.time = corrected;
            f.kind = "COR";
        }
    }
    return f;
}

std::string forecast_text(const Station& s, const Forecast& f)
{
    constexpr std::size_t kMaxGroups = 5;
    const std::string indent(6, ' ');

    // Spells of one regime from the start of the forecast to its end.
    struct Spell {
        int64_t from;
        int64_t to;
        int64_t block;
        int regime;
    };
    std::vector<Spell> spells;
    const int64_t start = std::max(f.valid_from, f.time);
    int64_t k = block_at(s, start);
    spells.push_back({start, f.valid_to, k, regime(s, k)});
    for (++k; change_time(s, k) < f.valid_to; ++k) {
        const int r = regime(s, k);
        if (r == spells.back().regime)
            continue;
        const int64_t t = change_time(s, k);
        spells.back().to = t;
        spells.push_back({t, f.valid_to, k, r});
    }

    auto weather_at = [&](const Spell& spell) {
        const int64_t middle = spell.from + (spell.to - spell.from) / 2;
        return conditions(s, spell.block, spell.regime, middle, false);
    };

    Conditions prevailing = weather_at(spells.front());
    int prevailing_regime = spells.front().regime;
    std::string out = "TAF ";
    if (!f.kind.empty())
        out += f.kind + " ";
    out += s.code + " " + issue_group(f.time) + " " + period(f.valid_from, f.valid_to) + " "
           + wind_text(prevailing) + " " + sky_text(prevailing, false) + "\n";

    std::size_t groups = 0;
    int64_t changing_until = f.valid_from;  // the end of the last BECMG
    for (std::size_t i = 1; i < spells.size() && groups < kMaxGroups; ++i) {
        const Spell& spell = spells[i];
        if (spell.regime == prevailing_regime)
            continue;  // back to what prevails after a temporary spell
        const bool temporary = passing(spell.regime) && spell.to - spell.from <= 6 * kHour;
        if (!temporary && spell.to - spell.from < 2 * kHour && spell.to < f.valid_to)
            continue;  // too short a change to forecast
        const Conditions c = weather_at(spell);
        int64_t from = floor_to(spell.from, kHour);
        if (!temporary) {
            from = std::max(from, changing_until);
            if (from + kHour > f.valid_to)
                continue;
        }
        if (temporary) {
            const int64_t to = std::min(floor_to(spell.to + kHour - 1, kHour), f.valid_to);
            out += indent + "TEMPO " + period(from, std::max(to, from + kHour)) + " ";
            if (c.gust > 0)
                out += wind_text(c) + " ";
            out += sky_text(c, false) + "\n";
        } else {
            const int64_t to = std::min(from + 2 * kHour, f.valid_to);
            changing_until = to;
            out += indent + "BECMG " + period(from, to) + " " + wind_text(c) + " ";
            out += sky_text(c, false, !prevailing.weather.empty()) + "\n";
            prevailing = c;
            prevailing_regime = spell.regime;
        }
        ++groups;
    }
    return out;
}

}  // namespace

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
