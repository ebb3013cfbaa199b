// Reports as they may come off the network: real-looking observations with
// groups cut, doubled, swapped, truncated and filled with junk. Every one
// must end with a translation or the fixed failure text, within a number of
// steps bounded by its groups, without reading out of range (the sanitizer
// build runs this too, on fewer inputs).
#include "translation_support.h"

#include "report_sim.h"
#include "translate/translation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int default_inputs = 60000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int default_inputs = 60000;
#else
constexpr int default_inputs = 200000;
#endif
#else
constexpr int default_inputs = 200000;
#endif

// KOLDE_TRANSLATION_INPUTS overrides the number of inputs.
int input_count()
{
    if (const char* env = std::getenv("KOLDE_TRANSLATION_INPUTS")) {
        const int n = std::atoi(env);
        if (n > 0)
            return n;
    }
    return default_inputs;
}

const char* const hand_made[] = {
    "27010KT 240V300 0800 R34L/1200U R16R/0600V1000U -SHRA BR FEW/// BKN015CB M02/M05 Q1008 BECMG TL0630 27015G25KT "
    "TSRA 3000 RMK 1CU015 3SC030 1TCU020 A2992 SLP013 TSB1215 RAB05E30 LIGHTNING NE VIS SW-NW 3000",
    "AUTO VRB03KT CAVOK 15/08 A2992 RMK AO2 P0012 60025 T01230045 10150 20100 56012 401501010 P/RR WS R34L "
    "CIG 005V010 $ MAX WIND 35KT FOG ON 34L YELLOW SAND",
    "CALM 3SM R28L/1000V1600FT R28R/P6000FT +TSRA VCSH SCT008 OVC015TCU 25/24 A2970 TEMPO FM0800 TL0900 4000 TSRA "
    "RMK 5CB008 RAE0610 SNB05 DZE45 TCU SW CB OHD FG S RA N",
    "05005MPS 5KM NSC 10/05 Q1010 NOSIG RMK A2990",
    "00000KT SKC 05/M01 Q1030 FCST BECMG 3000",
    "34005KT 0100 FG VV001 10/10 Q1010 BECMG 0800 BR",
    "15003G12MPS 9999 0400W R05/P6000FT/N R31/1300VP1800U FG R06/0600N 01/M01 Q0992 TEMPO -SHRA CAVOK "
    "RMK FG ON RWY34R VIS REDUCED TO EAST OVER ANGEL B773",
    "VRB02MPS 1 1/2SM BR 15/14 A2992",
};

const char* const keywords[] = {
    "RMK",  "BECMG", "TEMPO", "NOSIG", "FCST", "TL",   "FM",   "SLP",  "SLPNO", "VIS", "CIG",    "WS",
    "LIGHTNING", "AUTO", "CALM", "CAVOK", "SKC",  "VV",   "P",    "T",    "FOG ON", "MAX WIND", "LAST",
    "FIRST", "///",   "//////", "R/",   "/",    "V",    "KT",   "G",    "M",   "A",      "9999", "E",
    "TSB",  "RAB",   "RAE",  "P/RR", "$",    "YELLOW SAND", "1",  "T1",   "4",   "5",      "P0",   "R34L/",
};

// Letters that reports use, and some they never should.
const QString junk_letters =
    QStringLiteral("ABCDEFGKLMNOPQRSTUVWXYZ0123456789/+-$.  \n\r\tー　：℃°\x7f");

class Mutator {
public:
    explicit Mutator(unsigned seed) : rng_(seed) {}

    int below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    QString junk(int max_length)
    {
        QString out;
        for (int i = below(max_length + 1); i > 0; --i)
            out += junk_letters[below(static_cast<int>(junk_letters.size()))];
        return out;
    }

    QString mutate(const QString& report)
    {
        QStringList groups = report.split(u' ');
        for (int changes = 1 + below(4); changes > 0; --changes) {
            const int n = static_cast<int>(groups.size());
            const int i = below(n);
            switch (below(9)) {
            case 0:  // drop a group
                if (n > 0)
                    groups.removeAt(i);
                break;
            case 1:  // double a group
                if (n > 0)
                    groups.insert(i, groups[i]);
                break;
            case 2:  // swap two groups
                if (n > 1)
                    groups.swapItemsAt(i, below(n));
                break;
            case 3:  // cut a group short
                if (n > 0)
                    groups[i].truncate(below(static_cast<int>(groups[i].size()) + 1));
                break;
            case 4:  // a junk group
                groups.insert(below(n + 1), junk(12));
                break;
            case 5:  // a keyword where it does not belong
                groups.insert(below(n + 1), QString::fromUtf8(keywords[below(std::size(keywords))]));
                break;
            case 6:  // one character changed
                if (n > 0 && !groups[i].isEmpty())
                    groups[i][below(static_cast<int>(groups[i].size()))] =
                        junk_letters[below(static_cast<int>(junk_letters.size()))];
                break;
            case 7:  // blanks doubled or a group glued to the next
                if (n > 1 && i + 1 < n) {
                    if (below(2))
                        groups[i] += QStringLiteral(" ");
                    else
                        groups[i] += groups.takeAt(i + 1);
                }
                break;
            default: {  // the whole text cut off
                QString text = groups.join(u' ');
                text.truncate(below(static_cast<int>(text.size()) + 1));
                groups = text.split(u' ');
                break;
            }
            }
        }
        return groups.join(u' ');
    }

    QString time()
    {
        switch (below(6)) {
        case 0:
            return junk(6);
        case 1:
            return QString::number(below(2400)).rightJustified(4, u'0') + junk(1);
        default:
            return QString::number(below(24)).rightJustified(2, u'0') + QString::number(below(60)).rightJustified(2, u'0') +
                   QStringLiteral("ZIRK")[below(4)];
        }
    }

private:
    std::mt19937 rng_;
};

// Bodies of the report simulator's observations at a few stations and times.
std::vector<QString> base_reports()
{
    std::vector<QString> out;
    for (const char* r : hand_made)
        out.push_back(QString::fromUtf8(r));
    const auto& stations = kolde_site::report_sim::stations();
    const auto start = std::chrono::system_clock::time_point(std::chrono::hours(24 * 365 * 40));
    for (size_t i = 0; i < stations.size(); i += 7) {
        for (int h = 0; h < 48; h += 5) {
            const std::string file = kolde_site::report_sim::metar_file(stations[i], start + std::chrono::hours(h * 13));
            const QString line = QString::fromStdString(file).section(u'\n', 1, 1);
            if (line.size() > 13)
                out.push_back(line.mid(13));
        }
    }
    return out;
}

int group_count(const QString& body)
{
    QString text = body;
    for (QChar& c : text)
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    return static_cast<int>(text.split(u' ', Qt::SkipEmptyParts).size());
}

TEST(TranslationRobustness, MutatedReportsEndWithATranslationOrTheFixedText)
{
    const std::vector<QString> bases = base_reports();
    ASSERT_GT(bases.size(), 50u);
    const QString untranslatable = QString::fromUtf8(kolde_sub::untranslatable_text);
    const QStringList codes = {QStringLiteral("RJTT"), QStringLiteral("RJTY"), QStringLiteral("RJXX"), QString(),
                               QStringLiteral(" rj")};
    const QStringList differences = {QStringLiteral("+9"), QStringLiteral("-5"), QStringLiteral("±0"),
                                     QStringLiteral("+12"), QStringLiteral("+13"), QStringLiteral("abc"), QString()};

    Mutator m(20111130);
    int yields = 0;
    int bound = 0;
    int translated = 0;
    int failed = 0;
    const int inputs = input_count();
    for (int n = 0; n < inputs; ++n) {
        const QString body = m.mutate(bases[m.below(static_cast<int>(bases.size()))]);
        kolde_sub::TranslationSources s =
            kolde_test::test_sources(m.below(2) == 1, differences[m.below(static_cast<int>(differences.size()))]);
        // Every loop of the translation yields once per group it reads; far
        // more yields than groups would be a loop that does not end.
        yields = 0;
        bound = group_count(body) + 3;
        s.yield = [&] {
            if (++yields > bound)
                throw std::runtime_error("no end");
            return true;
        };
        const QString code = codes[m.below(static_cast<int>(codes.size()))];
        const QString time = m.time();
        kolde_sub::Translation t;
        try {
            t = kolde_sub::translate_observation(code, time, body, s);
        } catch (const std::exception& e) {
            FAIL() << e.what() << " after " << yields << " yields: [" << body.toStdString() << "]";
        }
        if (t.text == untranslatable) {
            ++failed;
            continue;
        }
        ++translated;
        ASSERT_TRUE(t.text.startsWith(QStringLiteral("*** ")) && t.text.endsWith(QStringLiteral("\r\n")))
            << "[" << body.toStdString() << "] gave [" << t.text.toStdString() << "]";
    }
    // The inputs are near enough to reports that most are translated.
    EXPECT_GT(translated, inputs / 2);
    EXPECT_GT(failed, 0);
}

}  // namespace
