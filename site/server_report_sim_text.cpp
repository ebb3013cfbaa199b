// The report simulator's texts (see report_sim.h): observation lines and
// forecasts with their change groups.
#include "report_sim_internal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kolde_site::report_sim::detail {

namespace {

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

}  // namespace

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

}  // namespace kolde_site::report_sim::detail
