// Report colouring: the spans of each pass over hand-written console texts,
// and their effect on a real console.
#include "reports/colouring.h"
#include "reports/console_positions.h"
#include "reports/request.h"
#include "core/database.h"
#include "core/settings.h"
#include "core/shared.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

using namespace kolde_sub;

// Readable failures: the colour strings below are compared as text.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

constexpr quint32 green = 0x00FF00;    // 天気略語の色
constexpr quint32 special = 0x8000FF;  // SPECIの色
constexpr quint32 yellow = 0x00FFFF;   // condition 1
constexpr quint32 orange = 0x0080FF;   // condition 2
constexpr quint32 red = 0x0000FF;      // condition 3, WS, CB, TCU
constexpr quint32 white = 0xFFFFFF;    // 表示文字の色

// The served defaults with every switch off.
ColourSettings switches_off()
{
    ColourSettings s;
    s.weather_colour = green;
    s.special_colour = special;
    s.display_colour = white;
    const long long heights[] = {1000, 200, 200};
    const long long visibilities[] = {5000, 1600, 800};
    const quint32 colours[] = {yellow, orange, red};
    for (int n = 0; n < 3; ++n) {
        ColourCondition& c = s.conditions[std::size_t(n)];
        c.cloud_height = heights[n];
        c.visibility = visibilities[n];
        c.cloud_colour = colours[n];
        c.visibility_colour = colours[n];
    }
    return s;
}

ColourSettings defaults()
{
    ColourSettings s = switches_off();
    s.weather_words = s.special_words = s.emphasise_conditions = s.emphasise_cb_tcu = true;
    for (ColourCondition& c : s.conditions)
        c.enabled = c.vertical_visibility = true;
    return s;
}

ColourSettings weather_only()
{
    ColourSettings s = switches_off();
    s.weather_words = true;
    return s;
}

// The three conditions (or one of them) and nothing else.
ColourSettings conditions_only(int only = 0)
{
    ColourSettings s = defaults();
    s.weather_words = s.special_words = s.emphasise_cb_tcu = false;
    if (only) {
        for (int n = 1; n <= 3; ++n)
            s.conditions[std::size_t(n - 1)].enabled = n == only;
    }
    return s;
}

// The spans painted in order, one letter per character of the text:
// '.' untouched, G green, S special, Y yellow, O orange, R red, W white.
QString colour_codes(const QString& text, const std::vector<Span>& spans)
{
    QString codes(text.size(), u'.');
    for (const Span& s : spans) {
        EXPECT_GE(s.start, 0);
        EXPECT_LE(s.start + s.length, text.size());
        if (s.colour == Span::keep_colour)
            continue;
        QChar c = u'?';
        switch (s.colour) {
        case green: c = u'G'; break;
        case special: c = u'S'; break;
        case yellow: c = u'Y'; break;
        case orange: c = u'O'; break;
        case red: c = u'R'; break;
        case white: c = u'W'; break;
        default: break;
        }
        for (qsizetype i = s.start; i < s.start + s.length; ++i)
            codes[i] = c;
    }
    return codes;
}

// '.' unchanged, B bold, n not bold.
QString bold_codes(const QString& text, const std::vector<Span>& spans)
{
    QString codes(text.size(), u'.');
    for (const Span& s : spans) {
        if (s.bold == Span::Keep)
            continue;
        for (qsizetype i = s.start; i < s.start + s.length; ++i)
            codes[i] = s.bold == Span::Bold ? u'B' : u'n';
    }
    return codes;
}

QString codes(const QString& text, const ColourSettings& s, const QString& group = {},
              const QString& history = QStringLiteral(" "))
{
    return colour_codes(text, colour_spans(text, s, group, history));
}

QString dots(int n) { return QString(n, u'.'); }

}  // namespace

namespace {

ColourSettings changed(ColourSettings s, const std::function<void(ColourSettings&)>& change)
{
    change(s);
    return s;
}

}  // namespace

// One row per rule of the passes: the colours painted ('' when no span may be
// made at all) and, where the row gives them, the bold changes.
TEST(Colouring, EachPassOverHandWrittenText)
{
    const ColourSettings special_only = changed(switches_off(), [](ColourSettings& s) { s.special_words = true; });
    const ColourSettings cb_tcu = changed(switches_off(), [](ColourSettings& s) {
        s.emphasise_conditions = s.emphasise_cb_tcu = true;
    });
    const ColourSettings bold_display = changed(weather_only(), [](ColourSettings& s) { s.display_bold = true; });
    const auto first_condition_without = [](const std::function<void(ColourCondition&)>& change) {
        return changed(conditions_only(1), [&](ColourSettings& s) { change(s.conditions[0]); });
    };
    const QString cloud_text = QStringLiteral(" BKN001 VV001 5CU001 ");
    const QString visibility_words = QStringLiteral("TEMPO 0306 BECMG 0608 FCST 0500 NEXT 0500 XXXX 0500 ");
    const struct {
        const char* rule;
        ColourSettings settings;
        QString text;
        QString colours;
        QString bold = {};
        QString history = QStringLiteral(" ");
        QString group = {};
    } rows[] = {
        // Weather words.
        {"every sign is coloured", weather_only(), "+TSRA", "GGGGG"},
        {"a sign joins its word", weather_only(), " +FC VCSH", ".GGG.GGGG"},
        {"every present-weather code, unknown precipitation too", weather_only(), "UP -FZUP", "GG.GGGGG"},
        {"wind shear is red but not bold", weather_only(), "WS R34L", "RR.....", "......."},
        {"blank hyphen returns to plain unless a letter or zero follows", weather_only(), "BR -RA X - Y -5 -0 -",
         "GG.GGG..WW..WW..G..G"},
        // PO in TEMPO, FC in FCST, RA in TRANSLATION.
        {"plain words take back weather letters inside", weather_only(), "TEMPO FCST TRANSLATION RAB",
         "WWWWW.WWWW.WWWWWWWWWWW.WWW"},
        {"off leaves no weather spans", switches_off(), "+TSRA BR WS", ""},
        // Special words.
        {"SPECI takes eleven characters, the others three", special_only, "SPECI RJTT 300530Z AMD COR TRD",
         "SSSSSSSSSSS" + dots(8) + "SSS.SSS.SSS"},
        {"special words off", switches_off(), "SPECI RJTT 300530Z AMD COR TRD", dots(30)},
        // CB and TCU.
        {"CB and TCU red and bold under both switches", cb_tcu, "FEW020CB SCT030TCU -TCU", "......RR.......RRR.RRRR",
         "......BB.......BBB.BBBB"},
        {"the master switch wins over CB and TCU",
         changed(cb_tcu, [](ColourSettings& s) { s.emphasise_conditions = false; }), "FEW020CB SCT030TCU -TCU", ""},
        {"CB and TCU off", changed(cb_tcu, [](ColourSettings& s) { s.emphasise_cb_tcu = false; }),
         "FEW020CB SCT030TCU -TCU", ""},
        {"master switch off skips every condition but not LOADING or plain words",
         changed(defaults(), [](ColourSettings& s) { s.weather_words = s.special_words = s.emphasise_conditions = false; }),
         " BKN001 CB VV001 R06/0400 0500 OVC LOADING", dots(31) + "WWW.YYYYYYY"},
        // Clouds. 雲高1 = 1000 feet: 9 < 10, 10 is not, /// never.
        {"broken layer below the height only", conditions_only(1), " BKN009 BKN010 BKN/// ", ".YYYYYY" + dots(15)},
        {"overcast letters go back to plain (2 < 2.5, 3 is not)",
         first_condition_without([](ColourCondition& c) { c.cloud_height = 250; }), " OVC002 OVC003 ", ".WWWYYY.WWW...."},
        // CU005 at the start has no amount; 1CU008 has amount 1; 5CU012 is too high.
        {"cumulus and stratus need five eighths", conditions_only(1), "CU005 1CU008 5CU008 5ST004 5CU012 ",
         dots(13) + "YYYYYY.YYYYYY" + dots(8)},
        {"vertical visibility with its switch on", conditions_only(1), " VV002 VV/// VV010 ", ".YYYYY.YYYYY" + dots(7)},
        {"vertical visibility with its switch off",
         first_condition_without([](ColourCondition& c) { c.vertical_visibility = false; }), " VV002 VV/// VV010 ",
         dots(19)},
        {"highest enabled condition wins", conditions_only(), " BKN001 BKN005 BKN020 ", ".RRRRRR.YYYYYY" + dots(8)},
        {"highest enabled condition wins, the third off",
         changed(conditions_only(), [](ColourSettings& s) { s.conditions[2].enabled = false; }), " BKN001 BKN005 BKN020 ",
         ".OOOOOO.YYYYYY" + dots(8)},
        {"empty cloud height colours nothing", first_condition_without([](ColourCondition& c) { c.cloud_height.reset(); }),
         cloud_text, ""},
        {"empty cloud colour colours nothing", first_condition_without([](ColourCondition& c) { c.cloud_colour.reset(); }),
         cloud_text, ""},
        {"empty visibility colours nothing", first_condition_without([](ColourCondition& c) { c.visibility.reset(); }),
         " 0100 R06/0100 ", ""},
        // Visibility and RVR.
        {"defaults give the colour of the lowest minimum missed", conditions_only(), " 0800 0500 9999 4000 1600 ",
         ".OOOO.RRRR......YYYY.YYYY."},
        {"time words", conditions_only(), visibility_words, "WWWWW" + dots(17) + "WWWW" + dots(21) + "RRRR."},
        {"a blank at the very start opens a visibility; a line break closes none", conditions_only(),
         " 0500 XXXX 0500\r\n0500 ", ".RRRR." + dots(16)},
        {"the blank two characters after a handled blank is skipped", conditions_only(), " A 0500 ", dots(8)},
        {"each four-digit RVR window against the visibility", conditions_only(), "R34L/0600V1000U ", ".....RRRR.OOOO.."},
        {"overlapping windows of a longer digit run", conditions_only(1), "R06/03000 ", "....YYYYY."},
        {"no blank after the RVR group", conditions_only(), "R06/0300", dots(8)},
        {"an RVR group right after another R is not seen", conditions_only(), "BR R34/0600 ", dots(12)},
        {"an RVR group after another letter", conditions_only(), "B. R34/0600 ", ".......RRRR."},
        // Restore. Double blank in the history: the empty word is skipped, RJAA still counts.
        {"group and history words are plain everywhere", weather_only(), "GRP1 RJSS -SN RJAA RJSS",
         "WWWW.WWWWWGGG.WWWW.WWWW", "nnnn.nnnnn....nnnn.nnnn", " RJSS  RJAA ", "GRP1"},
        {"history without closing blank restores nothing", weather_only(), "RJSS", "..GG", {}, " RJSS"},
        {"empty history restores nothing", weather_only(), "RJSS", "..GG", {}, ""},
        {"too short a history restores nothing", weather_only(), "RJSS", "..GG", {}, " "},
        {"empty display colour still turns bold off",
         changed(weather_only(), [](ColourSettings& s) { s.display_colour.reset(); }), "TEMPO", "...GG", "nnnnn"},
        // A typed look-up word goes into the history like a station code; only
        // codes and group ids go back to plain, and plain is the display's own weight.
        {"typed weather and emphasis words stay coloured", defaults(), "FEW020CB TSRA -FG RJTT", "......RR.GGGG.GGG.WWWW",
         "......BB..........nnnn", " CB TSRA FG RJTT ", "GRP1"},
        {"a typed sign and a sandstorm", weather_only(), "RJSS +SS", "WWWWWGGG", "nnnnn...", " + SS RJSS ", "GRP1"},
        {"special-report words typed", special_only, "SPECI RJTT 300530Z AMD", "SSSSSSSSSSS........SSS",
         "......................", " SPECI AMD ", "GRP1"},
        {"bold display: plain words, group and codes restore to bold", bold_display, "TEMPO OVC RJTT GRP1 -RA",
         "WWWWW.WWW.WWWW.WWWW.GGG", "BBBBB.BBB.BBBB.BBBB....", " RJTT ", "GRP1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        const auto spans = colour_spans(row.text, row.settings, row.group, row.history);
        if (row.colours.isEmpty()) {
            EXPECT_TRUE(spans.empty());
            continue;
        }
        EXPECT_EQ(colour_codes(row.text, spans), row.colours);
        if (!row.bold.isEmpty()) {
            EXPECT_EQ(bold_codes(row.text, spans), row.bold);
        }
    }
}

// A code made of weather letters is plain, a typed word that reads as
// weather keeps its meaning, and nothing inside a longer word is restored.
TEST(Colouring, HistoryAndGroupRestoreWholeWordsOnly)
{
    const struct {
        const char* rule;
        QString text;
        QString history;
        QString colours;
        QString group = {};
    } rows[] = {
        // "SS " with its blank is a plain word of its own.
        {"codes spelt with wind-shear, CB and weather letters", "WSSS CBBC SARE SAVC SASA",
         " WSSS CBBC SARE SAVC SASA ", "WWWWWWWWW.WWWW.WWWW.WWWW"},
        {"a code that is not found", "*** WSSS ***\r\nWSSS  NOT FOUND", " WSSS ",
         "....WWWWW.....WWWWW" + dots(10)},
        {"codes that would pair as weather", "VAPO SNBR FZIC", " VAPO SNBR FZIC ", "WWWW.WWWW.WWWW"},
        {"a one-letter code leaves the letters of weather words alone", "-SHRA BR RJTT", " R RJTT ",
         "GGGGG.GG.WWWW"},
        {"a code inside a longer word", "RJSSX RJSS\r\nRJSS\u3000", " RJSS ", "..GG..WWWW..WWWW."},
        {"typed words that read as weather keep their colour", "FEW020CB TSRA FG -SHRA VCTS RETS +FC FZFG BLSN CAVOK",
         " CB TSRA FG -SHRA VCTS RETS +FC FZFG BLSN CAVOK ",
         "......RR.GGGG.GG.GGGGG.GGGG.GGGG.GGG.GGGG.GGGG.GGGGG"},
        {"the group id only as a whole word", "GRP1 GRP12", " ", "WWWW.GG...", "GRP1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(codes(row.text, defaults(), row.group, row.history), row.colours);
    }
}

// Where the order or the clipping of the spans matters.
TEST(Colouring, SpansInOrderAndClippedAtTheEnd)
{
    const ColourSettings special_only = changed(switches_off(), [](ColourSettings& s) { s.special_words = true; });
    // The second LOADING lies inside the first one's thirty characters; the
    // last is clipped at the end, even with everything off.
    const QString loading = QStringLiteral("LOADING") + QString(10, u' ') + QStringLiteral("LOADING") +
                            QString(20, u' ') + QStringLiteral("LOADING");
    const struct {
        ColourSettings settings;
        QString text;
        std::vector<Span> spans;
    } rows[] = {
        // RA at the start has no sign; -SN, then the "-" itself.
        {weather_only(), "RA -SN", {{0, 2, green, Span::Keep}, {3, 3, green, Span::Keep}, {3, 1, green, Span::Keep}}},
        {special_only, "x SPECI", {{2, 5, special, Span::Keep}}},
        {switches_off(), loading, {{0, 30, yellow, Span::Keep}, {44, 7, yellow, Span::Keep}}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(colour_spans(row.text, row.settings, {}, QStringLiteral(" ")), row.spans) << row.text.toStdString();
}

TEST(Colouring, RvrPositionsBeyondSixteenBits)
{
    const QString filler(40000, u'x');
    const QString text = filler + QStringLiteral(" R06/0400 RJSS 0500 ");
    const QString c = codes(text, conditions_only(), {}, QStringLiteral(" RJSS "));
    EXPECT_EQ(c.mid(40000), QStringLiteral(".....RRRR.WWWWWRRRR."));  // "SS " takes its blank
}

// ------------------------------------------------------------ on a console

namespace {

const QString report_block = QStringLiteral(
    "RJTT  SPECI 0530Z\r\n"
    " 300530Z 34005KT 0500 R34L/0600V1000U -RA BKN001 FEW020CB 15/08 Q1020\r\n"
    "\r\n"
    "RJTT  TAF   0500Z\r\n"
    " 300500Z 3006/0112 34008KT 9999 FEW030 TEMPO 3009/3012 0400 +SHRA OVC002\r\n");

QColor foreground_at(const QTextEdit& console, qsizetype doc_pos)
{
    QTextCursor c(console.document());
    c.setPosition(int(doc_pos) + 1);
    return c.charFormat().foreground().color();
}

// How one document character looks: the colour its format holds (invalid
// when it holds none) and the weight it shows (its format's, or else the
// document's font's).
struct CharLook {
    QColor colour;
    int weight = 0;
    bool operator==(const CharLook&) const = default;
};

// Every character of the document, line breaks included (a break carries
// the character format of the block after it).
std::vector<CharLook> looks_of(QTextDocument& doc)
{
    std::vector<CharLook> looks;
    QTextCursor c(&doc);
    for (int p = 0; p < doc.characterCount() - 1; ++p) {
        const QTextBlock block = doc.findBlock(p);
        QTextCharFormat f;
        if (p == block.position() + block.length() - 1) {
            f = block.next().charFormat();
        } else {
            c.setPosition(p + 1);
            f = c.charFormat();
        }
        looks.push_back({f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(),
                         f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() : doc.defaultFont().weight()});
    }
    return looks;
}

// The simple reading of the spans: each, in order, sets the colour and
// weight of every document character it covers.
std::vector<CharLook> painted(std::vector<CharLook> looks, const ConsolePositions& m, const std::vector<Span>& spans)
{
    for (const Span& s : spans) {
        const DocumentSpan d = m.to_document_span(s.start, s.length);
        for (qsizetype i = d.start; i < d.start + d.length; ++i) {
            if (s.colour != Span::keep_colour)
                looks[std::size_t(i)].colour = bgr_color(s.colour);
            if (s.bold != Span::Keep)
                looks[std::size_t(i)].weight = s.bold == Span::Bold ? QFont::Bold : QFont::Normal;
        }
    }
    return looks;
}

// Every character of the document looks as the spans painted over before
// make it look; at most a few differences are reported.
void expect_looks(QTextDocument& doc, const std::vector<CharLook>& before, const std::vector<Span>& spans)
{
    const ConsolePositions m = ConsolePositions::from_document(doc);
    const std::vector<CharLook> want = painted(before, m, spans);
    const std::vector<CharLook> got = looks_of(doc);
    ASSERT_EQ(got.size(), want.size());
    int reported = 0;
    for (std::size_t i = 0; i < got.size() && reported < 5; ++i) {
        if (got[i] == want[i])
            continue;
        ++reported;
        ADD_FAILURE() << "document position " << i << " '" << QString(doc.characterAt(int(i))).toStdString()
                      << "': colour " << got[i].colour.name().toStdString() << " weight " << got[i].weight
                      << ", want " << want[i].colour.name().toStdString() << " weight " << want[i].weight;
    }
}

QColor colour_of_word(const QTextEdit& console, const QString& word, qsizetype offset = 0)
{
    const ConsolePositions m = ConsolePositions::from_document(*console.document());
    return foreground_at(console, m.to_document(m.rule_text().indexOf(word) + offset));
}

void set_plain(QTextEdit& console, const QString& text, quint32 colour)
{
    console.setPlainText(text);
    QTextCursor all(console.document());
    all.select(QTextCursor::Document);
    QTextCharFormat f;
    f.setForeground(bgr_color(colour));
    all.mergeCharFormat(f);
}

// Console text with a case of every pass: weather words with and without
// signs, special-report words, CB and TCU, every cloud and visibility
// condition (with time words and runway groups), LOADING notices that end on
// either half of a line break, plain words, the group and history words.
const QString varied_report = QStringLiteral(
    "DATABASE CONNECTION COMPLETED\r\n"
    "RJTT  METAR 0530Z\r\n"
    " 300530Z 34005KT 9999 -RA BR FEW008 BKN009 BKN/// OVC020 15/08 Q1020 NOSIG\r\n"
    "\r\n"
    "RJAA  SPECI 0541Z\r\n"
    " 300541Z 02012G25KT 0800 R34L/0600V1000U R06/03000 +TSRA VCSH FEW008 5CU012 5ST004 1CU008 FEW020CB\r\n"
    " SCT030TCU -TCU OVC002 VV/// VV002 14/13 Q1008 WS R16R RI++\r\n"
    "RJBB  METAR COR 0500Z\r\n"
    " 300500Z VRB02KT 0500 FG 08/08 Q1015 BECMG 0608 3000 BR TEMPO 0306 1200 FCST 0500 NEXT 0400\r\n"
    "RJCC  TAF AMD 0500Z\r\n"
    " 300500Z 3006/0112 34008KT CAVOK TEMPO 3009/3012 4000 -SHRA BKN008 TRD\r\n"
    "RJSS  TAF   0500Z\r\n"
    " 300500Z 3006/0112 VRB03KT 9999 SKC NSC NSW - 5 -0 FZDZ SN DS SS RE TSNO\r\n"
    "LOADING RJSS TAF, PLEASE WAIT\r\n"
    "LOADING RJSS, PLEASE WAIT...\r\n"
    "JAL GRP1 ELV 1220 N- E- W- S- SS \r\n"
    "READY\r\n");

// The served defaults, then the same with other colours and without some
// passes: a second colouring changes only part of the first one's work.
ColourSettings other_settings()
{
    ColourSettings s = defaults();
    s.weather_colour = orange;
    s.special_words = false;
    s.conditions[1].enabled = false;
    s.display_colour = 0x00AA00;
    return s;
}

// Spans of many colours, bold changes and spans reaching outside the text.
std::vector<Span> many_colour_spans(qsizetype text_length)
{
    std::vector<Span> spans = {{-5, 8, 0x123456, Span::Bold}, {text_length - 4, 100, 0x654321, Span::NotBold},
                               {text_length + 3, 2, 0x111111, Span::Keep}, {7, 0, 0x222222, Span::Bold},
                               {-9, 4, 0x333333, Span::Bold}};
    for (qsizetype at = 0, n = 0; at < text_length; at += 3, ++n) {
        const auto bold = Span::BoldChange(n % 3);
        spans.push_back({at, 2 + n % 5, n % 4 == 3 ? Span::keep_colour : quint32(0x010101 * (n % 120)), bold});
    }
    return spans;
}

}  // namespace

TEST(ColouringConsole, EveryCharacterLooksAsTheSpansPaintIt)
{
    kolde_test::ensure_app();
    struct Case {
        const char* name;
        std::function<void(QTextEdit&)> set_up;
        std::function<std::vector<Span>(const QString&)> spans;
    };
    const auto served = [](const QString& text) {
        return colour_spans(text, defaults(), QStringLiteral("GRP1"), QStringLiteral(" RJTT  RJSS "));
    };
    const Case cases[] = {
        {"plain grey console", [](QTextEdit& c) { set_plain(c, varied_report, 0x808080); }, served},
        {"coloured before under other settings",
         [&](QTextEdit& c) {
             set_plain(c, varied_report, white);
             apply_spans(&c, served(varied_report));
         },
         [](const QString& text) { return colour_spans(text, other_settings(), {}, QStringLiteral(" RJAA ")); }},
        {"bold console font, no weight on the characters",
         [](QTextEdit& c) {
             QFont f = c.font();
             f.setBold(true);
             c.setFont(f);
             set_plain(c, varied_report, white);
         },
         served},
        {"characters of mixed colours and weights",
         [](QTextEdit& c) {
             set_plain(c, varied_report, white);
             const QColor colours[] = {QColor(), bgr_color(green), bgr_color(white), bgr_color(red)};
             const int weights[] = {-1, QFont::Normal, QFont::Bold};
             for (int p = 0; p + 1 < c.document()->characterCount(); ++p) {
                 QTextCharFormat f;
                 if (colours[p / 2 % 4].isValid())
                     f.setForeground(colours[p / 2 % 4]);
                 if (weights[p / 3 % 3] >= 0)
                     f.setFontWeight(weights[p / 3 % 3]);
                 QTextCursor one(c.document());
                 one.setPosition(p);
                 one.setPosition(p + 1, QTextCursor::KeepAnchor);
                 one.setCharFormat(f);
             }
         },
         served},
        {"many colours, spans outside the text", [](QTextEdit& c) { set_plain(c, varied_report, white); },
         [](const QString& text) { return many_colour_spans(text.size()); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        QTextEdit console;
        k.set_up(console);
        const QString text = console_rule_text(*console.document());
        ASSERT_EQ(text, varied_report);
        const std::vector<Span> spans = k.spans(text);
        const std::vector<CharLook> before = looks_of(*console.document());
        apply_spans(&console, spans);
        EXPECT_EQ(console_rule_text(*console.document()), varied_report);
        expect_looks(*console.document(), before, spans);

        // The same colouring again finds nothing to change.
        int changes = 0;
        QObject::connect(console.document(), &QTextDocument::contentsChange, [&](int, int, int) { ++changes; });
        apply_spans(&console, spans);
        EXPECT_EQ(changes, 0);
    }
}

TEST(ColouringConsole, OnlyCharactersThatChangeAreTouched)
{
    kolde_test::ensure_app();
    QTextEdit console;
    console.setPlainText(QStringLiteral("RA RA RA\r\nTEMPO"));
    QFont bold_font = console.font();
    bold_font.setBold(true);
    console.setFont(bold_font);  // bold through the control's font, not the characters
    // The first RA and the R of the second are green already.
    QTextCharFormat green_format;
    green_format.setForeground(bgr_color(green));
    for (auto [from, to] : {std::pair(0, 2), std::pair(3, 4)}) {
        QTextCursor c(console.document());
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        c.mergeCharFormat(green_format);
    }

    const auto spans = colour_spans(console_rule_text(*console.document()), weather_only(), {}, QStringLiteral(" "));
    apply_spans(&console, spans);  // how it looks: ColouringConsole.EveryCharacterLooksAsTheSpansPaintIt

    // The same colouring again changes nothing in the document.
    int changes = 0;
    QObject::connect(console.document(), &QTextDocument::contentsChange, [&](int, int, int) { ++changes; });
    apply_spans(&console, spans);
    EXPECT_EQ(changes, 0);
    ColourSettings other = weather_only();
    other.weather_colour = orange;
    apply_spans(&console, colour_spans(console_rule_text(*console.document()), other, {}, QStringLiteral(" ")));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(foreground_at(console, 4), bgr_color(orange));
}

class ColouringProcedure : public ::testing::Test {
protected:
    void SetUp() override
    {
        kolde_test::ensure_app();
        home_ = std::make_unique<kolde_test::ProgramFolder>();
        ASSERT_TRUE(home_->install_seed_database());
        ASSERT_TRUE(open_database());
        saved_history_ = code_history();
        saved_group_ = current_request().group();
    }
    void TearDown() override
    {
        set_report_console(nullptr, nullptr);
        set_code_history(saved_history_);
        current_request().set_group(saved_group_);
        home_.reset();
    }

    std::unique_ptr<kolde_test::ProgramFolder> home_;
    QString saved_history_;
    QString saved_group_;
};

TEST_F(ColouringProcedure, ReadsTheServedDefaults)
{
    const ColourSettings s = read_colour_settings();
    EXPECT_TRUE(s.weather_words && s.special_words && s.emphasise_conditions && s.emphasise_cb_tcu);
    EXPECT_EQ(s.weather_colour, green);
    EXPECT_EQ(s.special_colour, special);
    EXPECT_EQ(s.display_colour, white);
    EXPECT_FALSE(s.display_bold);
    const ColourSettings d = defaults();
    for (std::size_t n = 0; n < 3; ++n) {
        const ColourCondition& c = s.conditions[n];
        EXPECT_TRUE(c.enabled && c.vertical_visibility) << n;
        EXPECT_EQ(c.cloud_height, d.conditions[n].cloud_height) << n;
        EXPECT_EQ(c.visibility, d.conditions[n].visibility) << n;
        EXPECT_EQ(c.cloud_colour, d.conditions[n].cloud_colour) << n;
        EXPECT_EQ(c.visibility_colour, d.conditions[n].visibility_colour) << n;
    }

    // A switch is on when it holds anything but 0, off when it holds 0 or
    // nothing.
    ASSERT_TRUE(set_setting(key::speci_colouring, platform::Value(1)));
    ASSERT_TRUE(set_setting(key::condition2, platform::Value(0)));
    ASSERT_TRUE(set_setting(key::weather_colouring, platform::Value()));
    ASSERT_TRUE(set_setting(key::cloud_height2, platform::Value()));
    ASSERT_TRUE(set_setting(key::emphasise_cb_tcu, platform::Value()));
    ASSERT_TRUE(set_setting(key::visibility_colour3, platform::Value()));
    ASSERT_TRUE(set_setting(key::vertical_visibility1, platform::Value::boolean(false)));
    ASSERT_TRUE(set_setting(key::display_bold, platform::Value::boolean(true)));
    const ColourSettings e = read_colour_settings();
    EXPECT_TRUE(e.display_bold);
    EXPECT_FALSE(e.conditions[1].cloud_height.has_value());
    EXPECT_FALSE(e.emphasise_cb_tcu);
    EXPECT_FALSE(e.conditions[2].visibility_colour.has_value());
    EXPECT_FALSE(e.conditions[0].vertical_visibility);
    EXPECT_TRUE(e.special_words);
    EXPECT_FALSE(e.conditions[1].enabled);
    EXPECT_FALSE(e.weather_words);
    EXPECT_EQ(e.conditions[1].visibility, 1600);
}

TEST_F(ColouringProcedure, ColoursTheRegisteredConsoleAndEndsAtTheEnd)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* console = new QTextEdit;
    auto* other = new QLineEdit;
    auto* inputlbl = new QLabel(QStringLiteral("METAR RJ"));
    layout->addWidget(console);
    layout->addWidget(other);
    layout->addWidget(inputlbl);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    console->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), console);
    const QString text = report_block + varied_report;
    set_plain(*console, text, white);
    QTextCursor sel = console->textCursor();
    sel.setPosition(3);
    sel.setPosition(8, QTextCursor::KeepAnchor);
    console->setTextCursor(sel);

    set_code_history(QStringLiteral(" RJTT "));
    current_request().forget_group();
    set_report_console(console, [inputlbl] { inputlbl->clear(); });
    std::vector<CharLook> before = looks_of(*console->document());
    color_report_text();
    expect_looks(*console->document(), before, colour_spans(text, read_colour_settings(), current_request().group(), code_history()));

    EXPECT_EQ(colour_of_word(*console, QStringLiteral("BKN001")), bgr_color(red));
    EXPECT_EQ(colour_of_word(*console, QStringLiteral("SPECI")), bgr_color(special));
    EXPECT_EQ(colour_of_word(*console, QStringLiteral("0400")), bgr_color(red));
    EXPECT_EQ(colour_of_word(*console, QStringLiteral("OVC002")), bgr_color(white));
    EXPECT_EQ(colour_of_word(*console, QStringLiteral("OVC002"), 3), bgr_color(yellow));  // 2 is not below 2
    EXPECT_EQ(colour_of_word(*console, QStringLiteral("RJTT")), bgr_color(white));
    EXPECT_FALSE(console->textCursor().hasSelection());
    EXPECT_EQ(console->textCursor().position(), console->document()->characterCount() - 1);
    EXPECT_TRUE(console->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), console);  // hiding must not cost the command line its focus
    EXPECT_TRUE(inputlbl->text().isEmpty());
    EXPECT_EQ(console_rule_text(*console->document()), text);  // the text is never changed

    // Weather words switched off: their colours stay.
    ASSERT_TRUE(set_setting(key::weather_colouring, platform::Value::boolean(false)));
    ASSERT_TRUE(set_setting(key::display_text_colour, platform::Value(0x00AA00)));
    current_request().set_group(QStringLiteral("GRP1"));
    before = looks_of(*console->document());
    color_report_text();
    expect_looks(*console->document(), before, colour_spans(text, read_colour_settings(), current_request().group(), code_history()));
    EXPECT_EQ(colour_of_word(*console, QStringLiteral("-RA")), bgr_color(green));
    EXPECT_EQ(colour_of_word(*console, QStringLiteral("RJTT")), bgr_color(0x00AA00));

    // A console that is gone, or none at all: nothing happens.
    delete console;
    inputlbl->setText(QStringLiteral("X"));
    color_report_text();
    set_report_console(nullptr, nullptr);
    color_report_text();
    EXPECT_EQ(inputlbl->text(), QStringLiteral("X"));
}
