#include "colouring.h"

#include "reports/request.h"
#include "core/settings.h"
#include "core/shared.h"

#include "platform/value.h"

#include <QLabel>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <map>
#include <tuple>

namespace kolde_sub {

namespace {

// ------------------------------------------------------------- settings

// Empty means null, or a text with nothing in it: either makes a test false.
bool is_empty(const platform::Value& v)
{
    return v.is_null() || (v.kind() == platform::Value::Kind::Text && v.to_text().isEmpty());
}

std::optional<long long> number_field(const QString& name)
{
    const platform::Value v = setting(name);
    if (is_empty(v))
        return std::nullopt;
    return v.to_int();
}

std::optional<quint32> colour_field(const QString& name)
{
    const platform::Value v = setting(name);
    if (is_empty(v))
        return std::nullopt;
    return static_cast<quint32>(static_cast<unsigned long long>(v.to_int()) & 0x00FFFFFFu);
}

// "雲高" 2 "の色" → 雲高2の色
QString field_name(const char* stem, int n, const char* ending = "")
{
    return QString::fromUtf8(stem) + QString::number(n) + QString::fromUtf8(ending);
}

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

// ------------------------------------------------------------- the scan

// Finds words in the console text the way every pass scans: from the start,
// case-sensitive, anywhere (also inside longer words); after an occurrence
// at p the search goes on at p + advance. The positions of each ASCII
// character are indexed once, so a scan only visits the places where its
// word's first character stands.
class WordFinder {
public:
    explicit WordFinder(const QString& text) : text_(text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c < at_.size())
                at_[c].push_back(i);
        }
    }

    template <class Found>
    void scan(QStringView word, qsizetype advance, Found&& found) const
    {
        if (word.isEmpty())
            return;
        const char16_t first = word[0].unicode();
        if (first >= at_.size()) {
            scan_slowly(word, advance, found);
            return;
        }
        const std::vector<qsizetype>& places = at_[first];
        const QChar* const text = text_.constData();
        const qsizetype text_size = text_.size();
        const QChar* const rest = word.data() + 1;
        const qsizetype rest_size = word.size() - 1;
        qsizetype from = 0;
        for (const qsizetype p : places) {
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
    std::array<std::vector<qsizetype>, 128> at_;
};

class SpanList {
public:
    explicit SpanList(qsizetype text_length) : length_(text_length) {}

    void add(qsizetype start, qsizetype length, std::optional<quint32> colour, Span::BoldChange bold)
    {
        const quint32 c = colour.value_or(Span::keep_colour);
        if (start < 0 || start >= length_ || length <= 0 || (c == Span::keep_colour && bold == Span::Keep))
            return;
        spans_.push_back(Span{start, std::min(length, length_ - start), c, bold});
    }

    std::vector<Span> take() { return std::move(spans_); }

private:
    qsizetype length_;
    std::vector<Span> spans_;
};

const char16_t* const weather_words[] = {
    u"VC", u"MI", u"BC", u"PR", u"DR", u"BL", u"SH", u"TS", u"FZ", u"DZ", u"RA", u"SN", u"SG",
    u"IC", u"PL", u"GR", u"GS", u"BR", u"FG", u"FU", u"VA", u"DU", u"SA", u"HZ", u"PO", u"SQ",
    u"FC", u"SS", u"DS", u"RE", u"CAVOK", u"NOSIG", u"SKC", u"NSC", u"NSW", u"WS", u"RI++", u"-", u"+",
};

const char16_t* const special_words[] = {u"SPECI", u"AMD", u"COR", u"TRD"};

const char16_t* const plain_words[] = {
    u"SAVE", u"DISABLED", u"BLW", u"FCST", u"FORECAST", u"FORECASTS", u"COMPLETED", u"AIRPORT",
    u"PRESS", u"PRINT", u"READY", u"OBSERVATION", u"OVC", u"TEMPO", u"GROUP", u"SCHEDULE",
    u"SS ", u"POSITION", u"RESET", u"REDUCE", u"TSNO", u"ISSUED", u"FBL", u"TRANSLATION",
    u" -", u"SAND", u"RAB", u"SNB", u"DZB", u"TSB", u"RAE", u"SNE", u"DZE", u"TSE",
    u"RECONNECT", u"ELV 1220", u"N-", u"E-", u"W-", u"S-",
};

// A weather word with its intensity sign: "WS", "CB" and "TCU" are red, the
// last two also bold; every other word takes the weather colour.
void weather_word(SpanList& out, const QString& text, const WordFinder& finder, QStringView word, std::optional<quint32> colour)
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

void condition_passes(SpanList& out, const QString& text, const WordFinder& finder, const ColourCondition& cond)
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

// Returns a word to the display colour without bold. A blank and hyphen
// stays as it is when a letter or "0" follows it (a weak intensity sign).
void restore_word(SpanList& out, const QString& text, const WordFinder& finder, QStringView word, std::optional<quint32> colour)
{
    const bool hyphen = word == u" -";
    finder.scan(word, word.size(), [&](qsizetype p) {
        if (hyphen) {
            const QStringView next = piece(text, p + 2, 1);
            if (next != u" " && piece_value(next) == 0)
                return;
        }
        out.add(p, word.size(), colour, Span::NotBold);
    });
}

QPointer<QTextEdit> report_console;
QPointer<QLabel> report_inputlbl;

QTextCharFormat run_format(quint32 colour, Span::BoldChange bold)
{
    QTextCharFormat f;
    if (colour != Span::keep_colour)
        f.setForeground(bgr_color(colour));
    if (bold != Span::Keep)
        f.setFontWeight(bold == Span::Bold ? QFont::Bold : QFont::Normal);
    return f;
}

// Document characters that all end with the same colour and bold state.
struct Run {
    qsizetype start;
    qsizetype end;
    quint32 colour;
    Span::BoldChange bold;
};

// A stretch of document characters sharing one format.
struct Piece {
    qsizetype start;
    qsizetype end;
    int format;
};

// The document's characters as formatted stretches, in order. A block's
// separator is one character carrying the next block's character format.
std::vector<Piece> format_pieces(const QTextDocument& doc)
{
    std::vector<Piece> pieces;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.isValid())
                pieces.push_back({f.position(), f.position() + f.length(), f.charFormatIndex()});
        }
        const QTextBlock next = block.next();
        if (next.isValid()) {
            const qsizetype separator = block.position() + block.length() - 1;
            pieces.push_back({separator, separator + 1, next.charFormatIndex()});
        }
    }
    return pieces;
}

// Whether merging the run's format into format would change it.
bool changes_format(const QTextFormat& format, const Run& run)
{
    if (run.colour != Span::keep_colour &&
        !(format.hasProperty(QTextFormat::ForegroundBrush) &&
          format.brushProperty(QTextFormat::ForegroundBrush) == QBrush(bgr_color(run.colour))))
        return true;
    const int weight = run.bold == Span::Bold ? QFont::Bold : QFont::Normal;
    return run.bold != Span::Keep &&
           !(format.hasProperty(QTextFormat::FontWeight) && format.intProperty(QTextFormat::FontWeight) == weight);
}

// Drops the runs whose characters already look as the run would make them,
// so that re-colouring an unchanged text does not lay the document out
// again.
void drop_unchanged_runs(const QTextDocument& doc, std::vector<Run>& runs)
{
    const std::vector<Piece> pieces = format_pieces(doc);
    const QList<QTextFormat> formats = doc.allFormats();
    std::map<std::tuple<int, quint32, int>, bool> known;
    auto changes = [&](int format, const Run& run) {
        const auto key = std::make_tuple(format, run.colour, int(run.bold));
        auto it = known.find(key);
        if (it == known.end()) {
            const bool c = format < 0 || format >= formats.size() || changes_format(formats[format], run);
            it = known.emplace(key, c).first;
        }
        return it->second;
    };

    std::size_t p = 0;
    std::erase_if(runs, [&](const Run& run) {
        while (p < pieces.size() && pieces[p].end <= run.start)
            ++p;
        qsizetype covered = run.start;
        for (std::size_t q = p; q < pieces.size() && pieces[q].start < run.end; ++q) {
            if (pieces[q].start > covered || changes(pieces[q].format, run))
                return false;
            covered = pieces[q].end;
        }
        return covered >= run.end;
    });
}

}  // namespace

ColourSettings read_colour_settings()
{
    ColourSettings s;
    s.weather_words = setting_bool(QStringLiteral("天気略語着色"));
    s.weather_colour = colour_field(QStringLiteral("天気略語の色"));
    s.special_words = setting_bool(QStringLiteral("SPECI着色"));
    s.special_colour = colour_field(QStringLiteral("SPECIの色"));
    s.emphasise_conditions = setting_bool(QStringLiteral("計器気象状態を強調"));
    s.emphasise_cb_tcu = setting_bool(QStringLiteral("CBTCUを強調"));
    for (int n = 1; n <= 3; ++n) {
        ColourCondition& c = s.conditions[std::size_t(n - 1)];
        c.enabled = setting_bool(field_name("条件", n, "有効"));
        c.cloud_height = number_field(field_name("雲高", n));
        c.vertical_visibility = setting_bool(field_name("鉛直視程", n, "有効"));
        c.visibility = number_field(field_name("視程", n));
        c.cloud_colour = colour_field(field_name("雲高", n, "の色"));
        c.visibility_colour = colour_field(field_name("視程", n, "の色"));
    }
    s.display_colour = colour_field(QStringLiteral("表示文字の色"));
    return s;
}

std::vector<Span> colour_spans(const QString& text, const ColourSettings& settings, const QString& current_group,
                               const QString& code_history)
{
    SpanList out(text.size());
    const WordFinder finder(text);

    if (settings.weather_words) {
        for (const char16_t* w : weather_words)
            weather_word(out, text, finder, QStringView(w), settings.weather_colour);
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
        restore_word(out, text, finder, QStringView(w), settings.display_colour);
    if (!current_group.isEmpty())
        restore_word(out, text, finder, current_group, settings.display_colour);
    if (code_history.size() >= 2) {
        qsizetype pos = 1;
        for (;;) {
            const qsizetype blank = code_history.indexOf(u' ', pos);
            if (blank < 0)
                break;
            const QString word = code_history.mid(pos, blank - pos).trimmed();
            if (!word.isEmpty())
                restore_word(out, text, finder, word, settings.display_colour);
            pos = blank + 1;
        }
    }

    return out.take();
}

void apply_spans(QTextEdit* console, const std::vector<Span>& spans)
{
    if (!console)
        return;
    apply_spans(console, spans, ConsolePositions::from_document(*console->document()));
}

void apply_spans(QTextEdit* console, const std::vector<Span>& spans, const ConsolePositions& positions)
{
    if (!console || spans.empty())
        return;

    // The final colour and bold of every document character, later spans
    // over earlier ones; characters no span touches stay as they are.
    const qsizetype n = positions.document_length();
    std::vector<quint32> colour(std::size_t(n), Span::keep_colour);
    std::vector<quint8> bold(std::size_t(n), quint8(Span::Keep));
    for (const Span& s : spans) {
        const DocumentSpan d = positions.to_document_span(s.start, s.length);
        if (d.length <= 0)
            continue;
        if (s.colour != Span::keep_colour)
            std::fill_n(colour.begin() + d.start, d.length, s.colour);
        if (s.bold != Span::Keep)
            std::fill_n(bold.begin() + d.start, d.length, quint8(s.bold));
    }

    std::vector<Run> runs;
    for (qsizetype i = 0; i < n;) {
        const std::size_t k = std::size_t(i);
        qsizetype j = i + 1;
        while (j < n && colour[std::size_t(j)] == colour[k] && bold[std::size_t(j)] == bold[k])
            ++j;
        if (colour[k] != Span::keep_colour || bold[k] != Span::Keep)
            runs.push_back({i, j, colour[k], Span::BoldChange(bold[k])});
        i = j;
    }
    drop_unchanged_runs(*console->document(), runs);
    if (runs.empty())
        return;

    const bool updates = console->updatesEnabled();
    console->setUpdatesEnabled(false);
    QTextCursor cursor(console->document());
    cursor.beginEditBlock();
    for (const Run& run : runs) {
        cursor.setPosition(int(run.start));
        cursor.setPosition(int(run.end), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(run_format(run.colour, run.bold));
    }
    cursor.endEditBlock();
    console->setUpdatesEnabled(updates);
}

void set_report_console(QTextEdit* console, QLabel* inputlbl)
{
    report_console = console;
    report_inputlbl = inputlbl;
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

    const ConsolePositions positions = ConsolePositions::from_document(*console->document());
    const std::vector<Span> spans =
        colour_spans(positions.rule_text(), read_colour_settings(), current_group, code_history);
    apply_spans(console, spans, positions);

    // The caret goes to the end, nothing selected, and the console shows again.
    QTextCursor caret = console->textCursor();
    caret.setPosition(int(positions.to_document(positions.rule_length())));
    console->setTextCursor(caret);
    console->setVisible(true);
    if (had_focus && console->window()->focusWidget() != console)
        console->setFocus(Qt::OtherFocusReason);
    if (report_inputlbl)
        report_inputlbl->setText(QString());
}

}  // namespace kolde_sub
