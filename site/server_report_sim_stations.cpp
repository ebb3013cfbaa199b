// The report simulator's stations (see report_sim.h): the zones and their
// climates, the seed airport catalogue and each station's own traits.
#include "report_sim_internal.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace kolde_site::report_sim::detail {

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

namespace {

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

}  // namespace

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

}  // namespace kolde_site::report_sim::detail
