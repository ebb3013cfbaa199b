// The report simulator's weather of one moment (see report_sim.h): wind,
// visibility, weather, cloud, temperatures and pressure of a regime.
#include "report_sim_internal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <utility>

namespace kolde_site::report_sim::detail {

namespace {

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

// How far an observation's values wander from the block's own: a draw from
// -amplitude to amplitude, none for a forecast.
class Jitter {
public:
    Jitter(Rng& o, bool observed) : o_(o), observed_(observed) {}
    int operator()(int amplitude) { return observed_ ? o_.range(-amplitude, amplitude) : 0; }

private:
    Rng& o_;
    bool observed_;
};

// The wind of regime r: direction, speed, gusts and a variation group.
void wind(Conditions& c, const Climate& cl, int r, bool winter, bool summer, Rng& b, Rng& o, Jitter& jitter,
          bool observed)
{
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
}

// The sky of the regimes without precipitation: clear, fair, cloudy, fog
// and mist or haze. Gives the spread of temperature and dew point.
int dry_sky(Conditions& c, int r, double temperature, Rng& b, int& visibility)
{
    int spread = 5;  // temperature minus dew point
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
    default:
        break;
    }
    return spread;
}

// The sky of the rain regimes: rain and heavy rain. Gives the spread of
// temperature and dew point.
int rain_sky(Conditions& c, int r, bool snow, Rng& b, int& visibility)
{
    int spread = 5;  // temperature minus dew point
    std::vector<Layer>& layers = c.layers;
    switch (r) {
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
    default:
        break;
    }
    return spread;
}

// The sky of the convective regimes: thunderstorms and showers. Gives the
// spread of temperature and dew point.
int convective_sky(Conditions& c, int r, bool snow, Rng& b, int& visibility)
{
    int spread = 5;  // temperature minus dew point
    std::vector<Layer>& layers = c.layers;
    switch (r) {
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
    return spread;
}

// The visibility, weather and cloud layers of regime r as drawn for its
// block; gives the spread of temperature and dew point.
int regime_sky(Conditions& c, int r, bool snow, double temperature, Rng& b, int& visibility)
{
    if (r == Rain || r == HeavyRain)
        return rain_sky(c, r, snow, b, visibility);
    if (r == Thunder || r == Showers)
        return convective_sky(c, r, snow, b, visibility);
    return dry_sky(c, r, temperature, b, visibility);
}

// Runway visual range when the view is poor.
void runway_visual_range(Conditions& c, const Station& s, Rng& b, Rng& o, Jitter& jitter, bool observed)
{
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
}

}  // namespace

// The weather of regime r (block k) at time t. With `observed` the values
// wander a little from one observation to the next; without it (for a
// forecast) they are the block's own.
Conditions conditions(const Station& s, int64_t k, int r, int64_t t, bool observed)
{
    Rng b(seed(s, Salt::Block, k));
    Rng o(seed(s, Salt::Observation, t));
    Jitter jitter(o, observed);

    Conditions c;
    const int month = month_of(t);
    const bool winter = month == 12 || month <= 2;
    const bool summer = month >= 6 && month <= 9;
    const double temperature = base_temperature(s, t, r) + (observed ? o.range(-3, 3) / 10.0 : 0.0);
    const bool snow = temperature <= 1.5;

    wind(c, climate(s.zone), r, winter, summer, b, o, jitter, observed);
    int visibility = 9999;
    const int spread = regime_sky(c, r, snow, temperature, b, visibility);

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

    runway_visual_range(c, s, b, o, jitter, observed);

    // Cloud heights wander a little; layers stay in rising order.
    int last = 0;
    for (Layer& l : c.layers) {
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

}  // namespace kolde_site::report_sim::detail
