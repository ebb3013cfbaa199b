// The report server: station observation and forecast files and hourly
// cycle files, from the simulator on a pinned clock or from a folder.
#include "platform/transfer.h"
#include "report_sim.h"
#include "server.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

using kolde_site::Fault;
using kolde_site::ReportSource;
using platform::Transfer;
using platform::TransferResult;
namespace sim = kolde_site::report_sim;
using namespace std::chrono;

namespace {

const std::string kMetar = "/pub/data/observations/metar/stations/";
const std::string kTaf = "/pub/data/forecasts/taf/stations/";
const std::string kCycles = "/pub/data/observations/metar/cycles/";

system_clock::time_point at(int y, unsigned mo, unsigned d, int h, int mi, int s = 0)
{
    return sys_days{year{y} / month{mo} / day{d}} + hours{h} + minutes{mi} + seconds{s};
}

// "YYYY/MM/DD HH:MM" as a time, or nullopt when the text is not one.
std::optional<system_clock::time_point> parse_stamp(const std::string& text)
{
    static const std::regex form(R"((\d{4})/(\d\d)/(\d\d) (\d\d):(\d\d))");
    std::smatch m;
    if (!std::regex_match(text, m, form))
        return std::nullopt;
    return at(std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5]));
}

// "DDHHMMZ" of a stamp "YYYY/MM/DD HH:MM".
std::string group_of(const std::string& stamp)
{
    return stamp.substr(8, 2) + stamp.substr(11, 2) + stamp.substr(14, 2) + "Z";
}

int minute_of(const std::string& stamp)
{
    return std::stoi(stamp.substr(14, 2));
}

// What the program counts as a routine observation by its stamp minute.
bool routine_minute(int minute)
{
    return minute == 0 || minute == 30 || minute >= 50;
}

// Checks one station observation file as the program reads it.
void check_metar_file(const std::string& code, system_clock::time_point now, const std::string& file)
{
    SCOPED_TRACE(code + "\n" + file);
    ASSERT_GE(file.size(), 30u);
    ASSERT_EQ(file[16], '\n');
    const std::string stamp = file.substr(0, 16);
    const auto issued = parse_stamp(stamp);
    ASSERT_TRUE(issued);
    EXPECT_LE(*issued, now);
    EXPECT_GT(*issued, now - minutes(30));
    EXPECT_EQ(file.substr(17, 5), code + " ");
    EXPECT_EQ(file.substr(22, 8), group_of(stamp) + " ");
    EXPECT_EQ(file.back(), '\n');
    EXPECT_EQ(file.find('\n', 17), file.size() - 1);  // one report line
    EXPECT_EQ(file.find('\r'), std::string::npos);
    EXPECT_NE(file.find(" RMK "), std::string::npos);
    static const std::regex pressure_hpa(R"( Q[01]\d{3} )");
    static const std::regex pressure_inches(R"( A[23]\d{3}\b)");
    EXPECT_TRUE(std::regex_search(file, pressure_hpa));
    EXPECT_TRUE(std::regex_search(file, pressure_inches));
    // A routine report comes on the half hour; a special never at a minute
    // the program would take for a routine one.
    const int minute = minute_of(stamp);
    EXPECT_TRUE(minute == 0 || minute == 30 || !routine_minute(minute)) << minute;
}

void check_taf_file(const std::string& code, system_clock::time_point now, const std::string& file)
{
    SCOPED_TRACE(code + "\n" + file);
    ASSERT_GE(file.size(), 40u);
    ASSERT_EQ(file[16], '\n');
    const std::string stamp = file.substr(0, 16);
    const auto issued = parse_stamp(stamp);
    ASSERT_TRUE(issued);
    EXPECT_LE(*issued, now);
    EXPECT_GT(*issued, now - hours(6));
    EXPECT_EQ(file.back(), '\n');

    std::string head = file.substr(17, 4);
    ASSERT_EQ(head, "TAF ");
    std::size_t at_code = 21;
    if (file.compare(21, 4, "AMD ") == 0 || file.compare(21, 4, "COR ") == 0) {
        at_code = 25;
    } else {
        // Routine forecasts at 05, 11, 17 and 23Z.
        const int hour = std::stoi(stamp.substr(11, 2));
        EXPECT_EQ(hour % 6, 5);
        EXPECT_EQ(minute_of(stamp), 0);
    }
    EXPECT_EQ(file.substr(at_code, 5), code + " ");
    EXPECT_EQ(file.substr(at_code + 5, 8), group_of(stamp) + " ");
    static const std::regex validity(R"(\d{4}/\d{4} )");
    EXPECT_TRUE(std::regex_match(file.substr(at_code + 13, 10), validity));

    // Change groups on lines of their own, indented with blanks.
    static const std::regex change_group(R"( {6}(BECMG|TEMPO) \d{4}/\d{4} \S.*)");
    std::size_t line = file.find('\n', 17) + 1;
    while (line < file.size()) {
        const std::size_t end = file.find('\n', line);
        ASSERT_NE(end, std::string::npos);
        const std::string text = file.substr(line, end - line);
        EXPECT_TRUE(std::regex_match(text, change_group)) << text;
        line = end + 1;
    }
}

// The observations of a cycle file as "stamp\nreport" blocks.
std::vector<std::string> cycle_blocks(const std::string& file)
{
    std::vector<std::string> blocks;
    std::size_t from = 0;
    while (from < file.size()) {
        const std::size_t end = file.find("\n\n", from);
        if (end == std::string::npos) {
            ADD_FAILURE() << "unterminated block: " << file.substr(from);
            break;
        }
        blocks.push_back(file.substr(from, end - from));
        from = end + 2;
    }
    return blocks;
}

class ReportServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        ASSERT_TRUE(root_.isValid());
        server_.set_clock([this] { return system_clock::time_point(seconds(clock_.load())); });
        pin(at(2024, 3, 14, 6, 20));
        ASSERT_GT(server_.start(), 0);
    }

    void pin(system_clock::time_point t)
    {
        clock_ = duration_cast<seconds>(t.time_since_epoch()).count();
    }
    system_clock::time_point now() const { return system_clock::time_point(seconds(clock_.load())); }

    void put(const QString& relative, const QByteArray& bytes)
    {
        const QString path = root_.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    TransferResult get(const std::string& path)
    {
        Transfer t;
        t.set_request_timeout(30);
        return t.get(QString::fromStdString(server_.base_url() + path));
    }

    std::string body(const std::string& path)
    {
        const TransferResult r = get(path);
        EXPECT_TRUE(r.ok) << path << ": " << r.error.toStdString();
        EXPECT_EQ(r.status, 200) << path;
        return r.body.toStdString();
    }

    void expect_missing(const std::string& path)
    {
        const TransferResult r = get(path);
        EXPECT_FALSE(r.ok) << path;
        EXPECT_EQ(r.status, 404) << path;
        ASSERT_FALSE(r.body.isEmpty()) << path;
        EXPECT_EQ(r.body.front(), '<') << path;
    }

    QTemporaryDir root_;
    std::atomic<long long> clock_{0};
    kolde_site::Server server_{root_.path().toStdString()};
};

}  // namespace

TEST(ReportServer, StationFilesHaveTheFormThatTheProgramReads)
{
    ASSERT_EQ(sim::stations().size(), 128u);
    // Every station at times spread over days, seasons and month ends,
    // at odd minutes so that specials come up as well.
    std::vector<system_clock::time_point> times;
    for (int step = 0; step < 40; ++step)
        times.push_back(at(2023, 12, 30, 0, 0) + minutes(step * 1297));
    times.push_back(at(2024, 2, 29, 23, 59, 59));
    times.push_back(at(2024, 7, 31, 23, 0));
    int specials = 0;
    for (const std::string& code : sim::stations()) {
        EXPECT_TRUE(sim::known_station(code));
        for (const auto& t : times) {
            const std::string metar = sim::metar_file(code, t);
            check_metar_file(code, t, metar);
            if (!routine_minute(minute_of(metar)))
                ++specials;
            check_taf_file(code, t, sim::taf_file(code, t));
            if (HasFatalFailure() || HasFailure())
                return;
        }
    }
    EXPECT_GT(specials, 0);
    for (const char* unknown : {"", "RJT", "rjtt", "KJFK", "RJTTX", "RJXX"}) {
        EXPECT_FALSE(sim::known_station(unknown)) << unknown;
        EXPECT_EQ(sim::metar_file(unknown, times.front()), "") << unknown;
        EXPECT_EQ(sim::taf_file(unknown, times.front()), "") << unknown;
    }
}

TEST(ReportServer, ForecastValidityAndEndOfDayHour)
{
    // Issued at 23Z: valid from midnight, the end of a 24-hour period at
    // midnight is hour 24 of the day before.
    const auto t = at(2024, 4, 30, 23, 0);
    for (const std::string& code : sim::stations()) {
        const std::string taf = sim::taf_file(code, t);
        if (taf.compare(17, 8, "TAF AMD ") == 0 || taf.compare(17, 8, "TAF COR ") == 0)
            continue;
        const std::string valid = taf.substr(34, 9);
        EXPECT_TRUE(valid == "0100/0124" || valid == "0100/0206") << taf;
    }
    // At the moment of issue no amendment or correction can be out yet.
    const std::string rjtt = sim::taf_file("RJTT", at(2024, 4, 30, 5, 0));
    EXPECT_EQ(rjtt.substr(0, 43), "2024/04/30 05:00\nTAF RJTT 300500Z 3006/0112") << rjtt;
}

TEST(ReportServer, LatestObservationAppearsAtItsIssueTime)
{
    // Minute by minute through a day: a new file appears exactly at its
    // issue time and stays until the next one.
    for (const char* code : {"RJTT", "RJCC", "ROAH", "RJSN", "RJFF", "RJOO", "RJCK", "RJNK"}) {
        std::string last;
        int changes = 0;
        for (auto t = at(2024, 1, 20, 0, 0); t < at(2024, 1, 21, 0, 0); t += minutes(1)) {
            const std::string file = sim::metar_file(code, t + seconds(59));
            EXPECT_EQ(file, sim::metar_file(code, t)) << code;
            if (file != last) {
                EXPECT_EQ(parse_stamp(file.substr(0, 16)), t) << file;
                ++changes;
                last = file;
            }
        }
        EXPECT_GE(changes, 48) << code;
    }
}

TEST(ReportServer, CycleFileHoldsEveryObservationOfItsHourAndOnlyThose)
{
    const auto now = at(2024, 5, 10, 14, 20, 30);
    // Hour 14 has begun today, 09 is today's, 20 yesterday's.
    const std::map<int, system_clock::time_point> hour_start = {
        {14, at(2024, 5, 10, 14, 0)}, {9, at(2024, 5, 10, 9, 0)}, {20, at(2024, 5, 9, 20, 0)}};
    for (const auto& [hour, start] : hour_start) {
        SCOPED_TRACE(hour);
        const std::string file = sim::cycle_file(hour, now);
        const std::vector<std::string> blocks = cycle_blocks(file);
        const std::set<std::string> served(blocks.begin(), blocks.end());
        EXPECT_EQ(served.size(), blocks.size()) << "an observation listed twice";

        // What the station files said at every minute of that hour.
        std::set<std::string> expected;
        std::set<std::string> stations;
        for (const std::string& code : sim::stations()) {
            for (auto t = start; t < start + hours(1) && t <= now; t += minutes(1)) {
                const std::string metar = sim::metar_file(code, t);
                const auto issued = parse_stamp(metar.substr(0, 16));
                if (issued && *issued >= start) {
                    expected.insert(metar.substr(0, metar.size() - 1));
                    stations.insert(code);
                }
            }
        }
        EXPECT_EQ(stations.size(), sim::stations().size());
        EXPECT_EQ(served, expected);

        std::string previous;
        for (const std::string& block : blocks) {
            ASSERT_EQ(block[16], '\n') << block;
            EXPECT_GE(block.substr(0, 16), previous);  // in order of issue
            previous = block.substr(0, 16);
        }
    }
    EXPECT_EQ(sim::cycle_file(24, now), "");
    EXPECT_EQ(sim::cycle_file(-1, now), "");
}

TEST(ReportServer, ADayOfReportsShowsEveryColouredFeature)
{
    // A winter day and a summer day across all stations.
    for (const auto& day : {at(2024, 1, 17, 0, 0), at(2024, 8, 6, 0, 0)}) {
        const auto end = day + hours(24) - seconds(1);
        std::string observations;
        for (int hour = 0; hour < 24; ++hour)
            observations += sim::cycle_file(hour, end);
        std::string forecasts;
        for (const std::string& code : sim::stations()) {
            for (auto t = day; t < end; t += hours(1))
                forecasts += sim::taf_file(code, t);
        }
        const std::string all = observations + forecasts;

        for (const char* word : {"BKN00", "OVC00", " VV00", "CB", "TCU", "CAVOK", "NOSIG", " RMK ",
                                 " WS R", "+", " -", " BR ", " FG ", " HZ ", "VCSH", "SHRA", "TSRA"})
            EXPECT_NE(observations.find(word), std::string::npos) << word;
        for (const char* word : {"TEMPO ", "BECMG ", "TAF AMD ", "TAF COR ", " NSW", "CB", "CAVOK"})
            EXPECT_NE(forecasts.find(word), std::string::npos) << word;

        const auto has = [&](const char* pattern) {
            return std::regex_search(observations, std::regex(pattern));
        };
        EXPECT_TRUE(has(R"( R\d\d[LRC]?/\d{4}(V\d{4})?[UDN] )")) << "runway visual range";
        EXPECT_TRUE(has(R"( 0([0-7]\d\d|800) )")) << "visibility of 800 m or less";
        EXPECT_TRUE(has(R"( 1[0-5]\d\d )")) << "visibility below 1600 m";
        EXPECT_TRUE(has(R"( [5-8]CU0[01]\d )")) << "low broken cumulus in the remarks";

        bool special = false;
        for (const std::string& block : cycle_blocks(observations)) {
            if (!routine_minute(minute_of(block.substr(0, 16))))
                special = true;
        }
        EXPECT_TRUE(special);
        if (day == at(2024, 1, 17, 0, 0)) {
            EXPECT_TRUE(has(R"( [-+]?(SH)?SN )")) << "snow in winter";
        }
    }
}

TEST_F(ReportServerTest, SimulatedFilesFollowTheServersClock)
{
    // No pub folder: the simulator answers.
    const std::string metar = body(kMetar + "RJTT.TXT");
    EXPECT_EQ(metar, sim::metar_file("RJTT", now()));
    EXPECT_EQ(body(kTaf + "RJTT.TXT"), sim::taf_file("RJTT", now()));
    EXPECT_EQ(body(kCycles + "06Z.TXT"), sim::cycle_file(6, now()));
    EXPECT_EQ(body(kCycles + "23Z.TXT"), sim::cycle_file(23, now()));
    // The same question at the same time gives the same bytes.
    EXPECT_EQ(body(kMetar + "RJTT.TXT"), metar);

    pin(now() + minutes(30));
    const std::string later = body(kMetar + "RJTT.TXT");
    EXPECT_NE(later, metar);
    EXPECT_EQ(later, sim::metar_file("RJTT", now()));
    EXPECT_EQ(server_.count(kMetar + "RJTT.TXT"), 3);

    for (const std::string& path :
         {kMetar + "XXXX.TXT", kMetar + "rjtt.TXT", kMetar + "RJTT.txt", kMetar + "RJT.TXT",
          kMetar + "RJTTX.TXT", kMetar, kTaf + "KJFK.TXT", kTaf + "RJTT", kCycles + "24Z.TXT",
          kCycles + "6Z.TXT", kCycles + "06.TXT", kCycles + "a6Z.TXT", kCycles + "06Z.TXT/x",
          std::string("/pub/data/observations/metar/RJTT.TXT")})
        expect_missing(path);
}

TEST_F(ReportServerTest, FolderModeServesTheFilesAsTheyStand)
{
    // The simulator answers until a pub folder appears; then the files do.
    EXPECT_EQ(body(kMetar + "RJAA.TXT"), sim::metar_file("RJAA", now()));
    const QByteArray own = "2011/11/30 05:30\nRJAA 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\n";
    const QByteArray taf = "2011/11/30 05:00\nTAF RJAA 300500Z 3006/0112 34008KT 9999 FEW030\n"
                           "      TEMPO 3009/3012 4000 -SHRA BKN008\n";
    const QByteArray cycle = "2011/11/30 05:00\r\nRJAA 300500Z 00000KT CAVOK 10/05 Q1022\r\n\r\n";
    put("pub/data/observations/metar/stations/RJAA.TXT", own);
    put("pub/data/forecasts/taf/stations/RJAA.TXT", taf);
    put("pub/data/observations/metar/cycles/05Z.TXT", cycle);
    EXPECT_EQ(get(kMetar + "RJAA.TXT").body, own);
    EXPECT_EQ(get(kTaf + "RJAA.TXT").body, taf);
    EXPECT_EQ(get(kCycles + "05Z.TXT").body, cycle);
    // A known station without a file is missing all the same.
    expect_missing(kMetar + "RJTT.TXT");
    expect_missing(kCycles + "06Z.TXT");

    // Chosen outright, either source wins whatever the folder holds.
    server_.set_reports(ReportSource::Simulator);
    EXPECT_EQ(body(kMetar + "RJAA.TXT"), sim::metar_file("RJAA", now()));
    EXPECT_EQ(body(kMetar + "RJTT.TXT"), sim::metar_file("RJTT", now()));
    server_.set_reports(ReportSource::Folder);
    EXPECT_EQ(get(kMetar + "RJAA.TXT").body, own);
    expect_missing(kMetar + "RJTT.TXT");
}

TEST_F(ReportServerTest, FaultsAndReplacedFilesApplyToReportPaths)
{
    server_.set_fault("/pub/data/*", Fault::NotFound);
    expect_missing(kMetar + "RJTT.TXT");
    expect_missing(kCycles + "06Z.TXT");

    server_.set_fault("/pub/data/forecasts/*", Fault::ErrorPage);
    TransferResult r = get(kTaf + "RJTT.TXT");
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.body.startsWith('<'));

    server_.set_fault(kMetar + "RJCC.TXT", Fault::None);
    EXPECT_EQ(body(kMetar + "RJCC.TXT"), sim::metar_file("RJCC", now()));
    server_.clear_faults();

    // A replaced file wins over the simulator until it is cleared.
    const std::string own = "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 FEW030 15/08 Q1020 NOSIG\n";
    server_.set_file(kMetar + "RJTT.TXT", own);
    EXPECT_EQ(body(kMetar + "RJTT.TXT"), own);
    server_.clear_file(kMetar + "RJTT.TXT");
    EXPECT_EQ(body(kMetar + "RJTT.TXT"), sim::metar_file("RJTT", now()));

    EXPECT_EQ(server_.count(kMetar + "RJTT.TXT"), 3);
    EXPECT_EQ(server_.count(kTaf + "RJTT.TXT"), 1);
}
