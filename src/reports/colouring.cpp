// The colouring rules of the report console (see colouring.h): the settings
// they read, the passes over the console text, and the colouring of the
// console itself; the painting onto its document is in colouring_paint.cpp.
#include "colouring.h"
#include "colouring_internal.h"
#include "colouring_words.h"

#include "reports/request.h"
#include "core/settings.h"
#include "core/shared.h"

#include "platform/value.h"

#include <QPointer>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>

namespace kolde_sub {

using namespace colouring_detail;

namespace {

// ------------------------------------------------------------- settings

// Empty means null, or a text with nothing in it: either makes a test false.
bool is_empty(const platform::Value& v)
{
    return v.is_null() || (v.kind() == platform::Value::Kind::Text && v.to_text().isEmpty());
}

std::optional<long long> number_field(SettingKey name)
{
    const platform::Value v = setting(name);
    if (is_empty(v))
        return std::nullopt;
    return v.to_int();
}

std::optional<quint32> colour_field(SettingKey name)
{
    const platform::Value v = setting(name);
    if (is_empty(v))
        return std::nullopt;
    return static_cast<quint32>(static_cast<unsigned long long>(v.to_int()) & 0x00FFFFFFu);
}

// The fields of the three conditions.
struct ConditionKeys {
    SettingKey enabled, cloud_height, vertical_visibility, visibility, cloud_colour, visibility_colour;
};
constexpr std::array<ConditionKeys, 3> condition_keys{{
        {key::condition1, key::cloud_height1, key::vertical_visibility1, key::visibility1, key::cloud_colour1,
         key::visibility_colour1},
        {key::condition2, key::cloud_height2, key::vertical_visibility2, key::visibility2, key::cloud_colour2,
         key::visibility_colour2},
        {key::condition3, key::cloud_height3, key::vertical_visibility3, key::visibility3, key::cloud_colour3,
         key::visibility_colour3},
}};

// ------------------------------------------------------------- text tests

// Up to length characters from at (at >= 0); shorter or empty at the end of
// the text.
QStringView piece(const QString& text, qsizetype at, qsizetype length)
{
    if (at >= text.size())
        return {};
    return QStringView(text).mid(at, std::min(length, text.size() - at));
}

bool is_digit(QChar c) { return c >= u'0' && c <= u'9'; }

// The numeric value of a piece: its leading number, blanks skipped; 0 when it
// does not begin with one. Plain digit runs are read here; anything fancier
// (a sign, a decimal point, an exponent) goes to the shared reader.
double piece_value(QStringView p)
{
    qsizetype i = 0;
    while (i < p.size() && p[i] == u' ')
        ++i;
    if (i == p.size())
        return 0.0;
    const qsizetype i0 = i;
    const QChar first = p[i];
    if (first == u'+' || first == u'-' || first == u'.')
        return platform::leading_number(p.mid(i0).toString());
    if (!is_digit(first))
        return 0.0;
    double value = 0.0;
    for (; i < p.size() && is_digit(p[i]); ++i)
        value = value * 10.0 + (p[i].unicode() - u'0');
    if (i < p.size() && (p[i] == u'.' || p[i] == u'e' || p[i] == u'E'))
        return platform::leading_number(p.mid(i0).toString());
    return value;
}

bool all_digits(const QString& text, qsizetype at, qsizetype length)
{
    if (at < 0 || at + length > text.size())
        return false;
    for (qsizetype i = at; i < at + length; ++i) {
        if (!is_digit(text[i]))
            return false;
    }
    return true;
}

// The characters before position at, when there are that many.
bool preceded_by(const QString& text, qsizetype at, QStringView word)
{
    const qsizetype from = at - word.size();
    return from >= 0 && QStringView(text).mid(from, word.size()) == word;
}

// The buffer of the word places, kept between colourings like the
// painting's (kept_buffer), in this file with the scans that read it.
std::vector<quint32>& kept_word_places()
{
    thread_local std::vector<quint32> places;
    return places;
}

// ------------------------------------------------------------- the scan

// The characters that begin a word some pass scans for.
using FirstCharacters = std::bitset<128>;

void add_first_character(FirstCharacters& set, QStringView word)
{
    if (!word.isEmpty() && word[0].unicode() < set.size())
        set.set(word[0].unicode());
}

// Finds words in the console text the way every pass scans: from the start,
// case-sensitive, anywhere (also inside longer words); after an occurrence
// at p the search goes on at p + advance. The positions of the characters
// that begin a scanned word are indexed once, in one array grouped by
// character, so a scan only visits the places where its word's first
// character stands. Other words are found by plain searching.
class WordFinder {
public:
    WordFinder(const QString& text, const FirstCharacters& indexed)
        : text_(text), places_(kept_word_places())
    {
        if (text.size() > qsizetype(std::numeric_limits<quint32>::max()))
            return;
        indexed_ = indexed;
        const QChar* const t = text.constData();
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = t[i].unicode();
            if (c < indexed_.size() && indexed_[c])
                ++first_[c + 1];
        }
        for (std::size_t c = 1; c < first_.size(); ++c)
            first_[c] += first_[c - 1];
        places_.resize(first_.back());  // every entry is written below
        std::array<quint32, 128> next;
        std::copy_n(first_.begin(), next.size(), next.begin());
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = t[i].unicode();
            if (c < indexed_.size() && indexed_[c])
                places_[next[c]++] = quint32(i);
        }
    }

    template <class Found>
    void scan(QStringView word, qsizetype advance, Found&& found) const
    {
        if (word.isEmpty())
            return;
        const char16_t first = word[0].unicode();
        if (first >= indexed_.size() || !indexed_[first]) {
            scan_slowly(word, advance, found);
            return;
        }
        const QChar* const text = text_.constData();
        const qsizetype text_size = text_.size();
        const QChar* const rest = word.data() + 1;
        const qsizetype rest_size = word.size() - 1;
        qsizetype from = 0;
        const quint32* const end = places_.data() + first_[first + 1];
        for (const quint32* at = places_.data() + first_[first]; at != end; ++at) {
            const qsizetype p = *at;
            if (p < from)
                continue;
            if (rest_size > 0 && (p + 1 + rest_size > text_size || !std::equal(rest, rest + rest_size, text + p + 1)))
                continue;
            found(p);
            from = p + advance;
        }
    }

private:
    template <class Found>
    void scan_slowly(QStringView word, qsizetype advance, Found&& found) const
    {
        qsizetype from = 0;
        for (;;) {
            const qsizetype p = text_.indexOf(word, from);
            if (p < 0)
                return;
            found(p);
            from = p + advance;
        }
    }

    const QString& text_;
    FirstCharacters indexed_;
    // places_[first_[c], first_[c + 1]) are the positions of character c.
    std::array<quint32, 129> first_{};
    std::vector<quint32>& places_;
};

// Where the passes put their spans: clipped to the text, and dropped when
// they would change nothing. Each kept span goes to receive.
template <class Receive>
class SpanSink {
public:
    SpanSink(qsizetype text_length, Receive receive) : length_(text_length), receive_(std::move(receive)) {}

    void add(qsizetype start, qsizetype length, std::optional<quint32> colour, Span::BoldChange bold)
    {
        const quint32 c = colour.value_or(Span::keep_colour);
        if (start < 0 || start >= length_ || length <= 0 || (c == Span::keep_colour && bold == Span::Keep))
            return;
        receive_(Span{start, std::min(length, length_ - start), c, bold});
    }

private:
    qsizetype length_;
    Receive receive_;
};

const char16_t* const plain_words[] = {
    u"SAVE", u"DISABLED", u"BLW", u"FCST", u"FORECAST", u"FORECASTS", u"COMPLETED", u"AIRPORT",
    u"PRESS", u"PRINT", u"READY", u"OBSERVATION", u"OVC", u"TEMPO", u"GROUP", u"SCHEDULE",
    u"SS ", u"POSITION", u"RESET", u"REDUCE", u"TSNO", u"ISSUED", u"FBL", u"TRANSLATION",
    u" -", u"SAND", u"RAB", u"SNB", u"DZB", u"TSB", u"RAE", u"SNE", u"DZE", u"TSE",
    u"RECONNECT", u"ELV 1220", u"N-", u"E-", u"W-", u"S-",
};

// The words of the conditions' passes, of the notice pass and of the two
// emphasis words.
const char16_t* const other_words[] = {u"CB", u"TCU", u"BKN", u"OVC", u"CU", u"ST", u"VV", u" ", u"R", u"LOADING"};

// A weather word with its intensity sign: "WS", "CB" and "TCU" are red, the
// last two also bold; every other word takes the weather colour.
template <class Sink>
void weather_word(Sink& out, const QString& text, const WordFinder& finder, QStringView word, std::optional<quint32> colour)
{
    const bool emphasis = word == u"CB" || word == u"TCU";
    const bool red = emphasis || word == u"WS";
    const std::optional<quint32> c = red ? std::optional<quint32>(colour_red) : colour;
    const Span::BoldChange bold = emphasis ? Span::Bold : Span::Keep;
    finder.scan(word, word.size(), [&](qsizetype p) {
        if (p >= 1 && (text[p - 1] == u'+' || text[p - 1] == u'-'))
            out.add(p - 1, word.size() + 1, c, bold);
        else
            out.add(p, word.size(), c, bold);
    });
}

template <class Sink>
void condition_passes(Sink& out, const QString& text, const WordFinder& finder, const ColourCondition& cond)
{
    if (cond.cloud_height) {
        const double limit = double(*cond.cloud_height) / 100.0;
        // Broken and overcast layers: the height after the letters.
        for (QStringView word : {QStringView(u"BKN"), QStringView(u"OVC")}) {
            finder.scan(word, 6, [&](qsizetype p) {
                const QStringView height = piece(text, p + 3, 3);
                if (height != u"///" && piece_value(height) < limit)
                    out.add(p, 6, cond.cloud_colour, Span::Keep);
            });
        }
        // Cumulus and stratus with an amount of five eighths or more.
        for (QStringView word : {QStringView(u"CU"), QStringView(u"ST")}) {
            finder.scan(word, 6, [&](qsizetype p) {
                if (p < 1 || piece_value(piece(text, p - 1, 1)) < 5)
                    return;
                if (piece_value(piece(text, p + 2, 3)) < limit)
                    out.add(p - 1, 6, cond.cloud_colour, Span::Keep);
            });
        }
        if (cond.vertical_visibility) {
            finder.scan(u"VV", 5, [&](qsizetype p) {
                if (piece_value(piece(text, p + 2, 3)) < limit)
                    out.add(p, 5, cond.cloud_colour, Span::Keep);
            });
        }
    }

    if (cond.visibility) {
        const double limit = double(*cond.visibility);
        // Four digits between blanks, unless they follow a time word.
        finder.scan(u" ", 4, [&](qsizetype p) {
            if (!all_digits(text, p + 1, 4) || p + 5 >= text.size() || text[p + 5] != u' ')
                return;
            if (preceded_by(text, p, u"FCST") || preceded_by(text, p, u"NEXT") || preceded_by(text, p, u"BECMG") ||
                preceded_by(text, p, u"TEMPO"))
                return;
            if (piece_value(piece(text, p + 1, 4)) < limit)
                out.add(p + 1, 4, cond.visibility_colour, Span::Keep);
        });
        // Runway visual range: every four-digit window of the group.
        finder.scan(u"R", 8, [&](qsizetype p) {
            const bool slash = (p + 3 < text.size() && text[p + 3] == u'/') || (p + 4 < text.size() && text[p + 4] == u'/');
            if (!slash)
                return;
            const qsizetype end = text.indexOf(u' ', p);
            if (end < 0)
                return;
            for (qsizetype w = p; w + 4 <= end; ++w) {
                if (all_digits(text, w, 4) && piece_value(piece(text, w, 4)) < limit)
                    out.add(w, 4, cond.visibility_colour, Span::Keep);
            }
        });
    }
}

// Where a restored word counts: anywhere, also inside a longer word (the
// fixed plain words: "OVC" of OVC002, "SS " after a code), or only as a word
// of its own (the group id and the codes and words shown so far).
enum class Match { anywhere, whole_word };

// Returns a word to the display look: the display colour and the display
// weight. A blank and hyphen stays as it is when a letter or "0" follows it
// (a weak intensity sign).
template <class Sink>
void restore_word(Sink& out, const QString& text, const WordFinder& finder, QStringView word,
                  const ColourSettings& settings, Match match = Match::anywhere)
{
    const std::optional<quint32> colour = settings.display_colour;
    const Span::BoldChange weight = settings.display_bold ? Span::Bold : Span::NotBold;
    if (match == Match::whole_word) {
        finder.scan(word, 1, [&](qsizetype p) {
            if (is_whole_word(text, p, word.size()))
                out.add(p, word.size(), colour, weight);
        });
        return;
    }
    const bool hyphen = word == u" -";
    finder.scan(word, word.size(), [&](qsizetype p) {
        if (hyphen) {
            const QStringView next = piece(text, p + 2, 1);
            if (next != u" " && piece_value(next) == 0)
                return;
        }
        out.add(p, word.size(), colour, weight);
    });
}

// The words of code_history: from the second character on, each ended by a
// blank and trimmed; empty words (two blanks in a row) are skipped, and so is
// a last word without its blank and a word typed for its meaning (CB, TSRA):
// the history is there to keep station codes and group ids plain.
std::vector<QString> history_words(const QString& code_history)
{
    std::vector<QString> words;
    if (code_history.size() < 2)
        return words;
    qsizetype pos = 1;
    for (;;) {
        const qsizetype blank = code_history.indexOf(u' ', pos);
        if (blank < 0)
            break;
        QString word = code_history.mid(pos, blank - pos).trimmed();
        if (!word.isEmpty() && !reads_as_colour_word(word))
            words.push_back(std::move(word));
        pos = blank + 1;
    }
    return words;
}

// Every pass over the console text, in order; the spans go to out.
template <class Sink>
void colour_passes(Sink& out, const QString& text, const ColourSettings& settings, const QString& current_group,
                   const QString& code_history)
{
    const std::vector<QString> history = history_words(code_history);
    FirstCharacters first;
    for (QStringView w : weather_words)
        add_first_character(first, w);
    for (const char16_t* w : special_words)
        add_first_character(first, w);
    for (const char16_t* w : other_words)
        add_first_character(first, w);
    for (const char16_t* w : plain_words)
        add_first_character(first, w);
    add_first_character(first, current_group);
    for (const QString& w : history)
        add_first_character(first, w);
    const WordFinder finder(text, first);

    if (settings.weather_words) {
        for (QStringView w : weather_words)
            weather_word(out, text, finder, w, settings.weather_colour);
    }

    if (settings.special_words) {
        for (const char16_t* w : special_words) {
            const QStringView word(w);
            // SPECI takes the report's first group (the time) with it.
            const qsizetype length = word == u"SPECI" ? 11 : word.size();
            finder.scan(word, word.size(),
                 [&](qsizetype p) { out.add(p, length, settings.special_colour, Span::Keep); });
        }
    }

    if (settings.emphasise_conditions) {
        if (settings.emphasise_cb_tcu) {
            weather_word(out, text, finder, u"CB", settings.weather_colour);
            weather_word(out, text, finder, u"TCU", settings.weather_colour);
        }
        for (const ColourCondition& cond : settings.conditions) {
            if (cond.enabled)
                condition_passes(out, text, finder, cond);
        }
    }

    finder.scan(u"LOADING", 30, [&](qsizetype p) { out.add(p, 30, colour_yellow, Span::Keep); });

    for (const char16_t* w : plain_words)
        restore_word(out, text, finder, QStringView(w), settings);
    if (!current_group.isEmpty())
        restore_word(out, text, finder, current_group, settings, Match::whole_word);
    for (const QString& w : history)
        restore_word(out, text, finder, w, settings, Match::whole_word);
}

// Every colour the passes can give under these settings.
std::vector<quint32> colours_of(const ColourSettings& s)
{
    std::vector<std::optional<quint32>> all = {s.weather_colour, s.special_colour, s.display_colour, colour_red,
                                               colour_yellow};
    for (const ColourCondition& c : s.conditions) {
        all.push_back(c.cloud_colour);
        all.push_back(c.visibility_colour);
    }
    std::vector<quint32> colours;
    for (const std::optional<quint32>& c : all) {
        if (c)
            colours.push_back(*c);
    }
    return colours;
}

// ------------------------------------------------------------- the console

QPointer<QTextEdit> report_console;
std::function<void()> clear_report_typed_line;

}  // namespace

ColourSettings read_colour_settings()
{
    ColourSettings s;
    s.weather_words = setting_bool(key::weather_colouring);
    s.weather_colour = colour_field(key::weather_colour);
    s.special_words = setting_bool(key::speci_colouring);
    s.special_colour = colour_field(key::speci_colour);
    s.emphasise_conditions = setting_bool(key::emphasise_conditions);
    s.emphasise_cb_tcu = setting_bool(key::emphasise_cb_tcu);
    for (std::size_t i = 0; i < condition_keys.size(); ++i) {
        ColourCondition& c = s.conditions[i];
        const ConditionKeys& k = condition_keys[i];
        c.enabled = setting_bool(k.enabled);
        c.cloud_height = number_field(k.cloud_height);
        c.vertical_visibility = setting_bool(k.vertical_visibility);
        c.visibility = number_field(k.visibility);
        c.cloud_colour = colour_field(k.cloud_colour);
        c.visibility_colour = colour_field(k.visibility_colour);
    }
    s.display_colour = colour_field(key::display_text_colour);
    s.display_bold = setting_bool(key::display_bold);
    return s;
}

std::vector<Span> colour_spans(const QString& text, const ColourSettings& settings, const QString& current_group,
                               const QString& code_history)
{
    std::vector<Span> spans;
    SpanSink out(text.size(), [&](const Span& s) { spans.push_back(s); });
    colour_passes(out, text, settings, current_group, code_history);
    return spans;
}

void set_report_console(QTextEdit* console, std::function<void()> clear_typed_line)
{
    report_console = console;
    clear_report_typed_line = std::move(clear_typed_line);
}

void color_report_text()
{
    QTextEdit* console = report_console.data();
    if (!console)
        return;

    // Hidden while it is coloured, so it repaints once at the end. Hiding
    // takes the keyboard focus away; the command line gets it back.
    const bool had_focus = console->window()->focusWidget() == console;
    console->setVisible(false);

    // The passes paint straight onto the document's characters; no list of
    // spans is kept.
    const ConsolePositions positions = ConsolePositions::from_document(*console->document());
    const ColourSettings settings = read_colour_settings();
    const QString& text = positions.rule_text();
    colour_console(console, positions, Palette(colours_of(settings)), [&](auto& painting) {
        SpanSink out(text.size(), [&](const Span& s) { painting.paint(s); });
        colour_passes(out, text, settings, current_request().group(), code_history());
    });

    // The caret goes to the end, nothing selected, and the console shows again.
    QTextCursor caret = console->textCursor();
    caret.setPosition(int(positions.to_document(positions.rule_length())));
    console->setTextCursor(caret);
    console->setVisible(true);
    if (had_focus && console->window()->focusWidget() != console)
        console->setFocus(Qt::OtherFocusReason);
    if (clear_report_typed_line)
        clear_report_typed_line();
}

}  // namespace kolde_sub
