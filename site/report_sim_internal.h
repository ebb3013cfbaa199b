// The report simulator's shared internals (see report_sim.h): the stations,
// the deterministic randomness, time, the regime timeline and the weather of
// one moment, used by the server_report_sim*.cpp files.
#pragma once

#include "report_sim.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace kolde_site::report_sim::detail {

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

const Climate& climate(Zone zone);

inline uint64_t mix(uint64_t x)
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

const std::vector<Station>& station_table();
const Station* find_station(const std::string& code);

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

inline uint64_t seed(const Station& s, Salt salt, int64_t value)
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

inline int64_t floor_div(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

inline int64_t floor_to(int64_t t, int64_t step)
{
    return floor_div(t, step) * step;
}

int64_t seconds_of(TimePoint t);
std::tm utc(int64_t t);
// "YYYY/MM/DD HH:MM"
std::string stamp(int64_t t);
// "DDHHMMZ"
std::string issue_group(int64_t t);
// "DDHH" of a whole hour; an end of period at midnight is hour 24 of the
// day before.
std::string day_hour(int64_t t, bool period_end);
std::string period(int64_t from, int64_t to);
int month_of(int64_t t);

// ---------------------------------------------------------------------------
// The regime timeline

enum Regime { Clear, Fair, Cloudy, Rain, HeavyRain, Thunder, Fog, Mist, Showers, kRegimes };

// Weather bad enough that going into or out of it calls for a special.
inline bool adverse(int r)
{
    return r == HeavyRain || r == Thunder || r == Fog;
}

// Weather that a forecast gives as TEMPO when it does not last long.
inline bool passing(int r)
{
    return r == HeavyRain || r == Thunder || r == Fog || r == Showers;
}

// The regime from block k's change on: often the one before carries on.
int regime(const Station& s, int64_t k);
// When block k's regime takes over: a minute other than 00 or 30 (and not
// 50 to 59 either), somewhere in the block.
int64_t change_time(const Station& s, int64_t k);
// The block whose regime holds at t.
int64_t block_at(const Station& s, int64_t t);
// Issue times of the station's observations from `from` to `to`, both
// included, in order.
std::vector<int64_t> observation_times(const Station& s, int64_t from, int64_t to);

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

// The weather of regime r (block k) at time t. With `observed` the values
// wander a little from one observation to the next; without it (for a
// forecast) they are the block's own.
Conditions conditions(const Station& s, int64_t k, int r, int64_t t, bool observed);

// The observation line issued at t, without its line feed.
std::string observation(const Station& s, int64_t t);

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
Forecast latest_forecast(const Station& s, int64_t now);
// The forecast's text: its first line and its change groups, each line
// ending with LF.
std::string forecast_text(const Station& s, const Forecast& f);

}  // namespace kolde_site::report_sim::detail
