// Putting painted looks on the console's document: only the format merges
// that change how characters look, made in one edit, and apply_spans.
#include "colouring_internal.h"

#include "core/shared.h"

#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace kolde_sub {

namespace colouring_detail {

namespace {

QTextCharFormat look_format(Look look, const Palette& palette)
{
    QTextCharFormat f;
    const quint32 colour = palette.colour(look >> 2);
    if (colour != Span::keep_colour)
        f.setForeground(bgr_color(colour));
    const auto bold = Span::BoldChange(look & 3u);
    if (bold != Span::Keep)
        f.setFontWeight(bold == Span::Bold ? QFont::Bold : QFont::Normal);
    return f;
}

// The part of a look that would change how characters of format look: its
// colour unless the format holds that colour already, and its bold change
// unless the characters show that weight already, held by the format or,
// when the format holds no weight, by the document's own font. Setting a
// weight the characters show anyway would only split the text into more
// stretches to store and lay out. 0 when nothing would change.
Look needed_part(const QTextFormat& format, Look look, const Palette& palette, int document_weight)
{
    Look needed = 0;
    const quint32 colour = palette.colour(look >> 2);
    if (colour != Span::keep_colour &&
        !(format.hasProperty(QTextFormat::ForegroundBrush) &&
          format.brushProperty(QTextFormat::ForegroundBrush) == QBrush(bgr_color(colour))))
        needed |= look & ~3u;
    const auto bold = Span::BoldChange(look & 3u);
    if (bold != Span::Keep) {
        const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.intProperty(QTextFormat::FontWeight)
                                                                        : document_weight;
        if (weight != (bold == Span::Bold ? QFont::Bold : QFont::Normal))
            needed |= look & 3u;
    }
    return needed;
}

}  // namespace

// The merges that give the document its painted looks. Only what changes
// how a character looks is merged, so that colouring an unchanged text
// changes nothing (and lays nothing out again). Characters a merge would not
// alter may lie inside a merge of their neighbours, so that one merge covers
// a whole stretch.
template <class Cell>
const std::vector<Change>& changes_for(const QTextDocument& doc, const std::vector<Cell>& cells, const Palette& palette)
{
    const QList<QTextFormat> formats = doc.allFormats();
    const int document_weight = doc.defaultFont().weight();
    QHash<quint64, Look> known;
    // Format -1 stands for characters whose format is not known: they take
    // the whole look.
    auto needed = [&](int format, Look look) -> Look {
        if (look == 0 || format < 0 || format >= formats.size())
            return look;
        const quint64 key = quint64(quint32(format)) << 32 | look;
        auto it = known.constFind(key);
        if (it == known.constEnd())
            it = known.insert(key, needed_part(formats[format], look, palette, document_weight));
        return it.value();
    };

    std::vector<Change>& out = kept_buffer<Change, Use::changes>();
    out.clear();
    Change open{0, 0, 0};
    bool extendable = false;
    const qsizetype n = qsizetype(cells.size());
    auto visit = [&](qsizetype from, qsizetype to, int format) {
        to = std::min(to, n);
        for (qsizetype i = from; i < to;) {
            const Look look = cells[std::size_t(i)];
            qsizetype j = i + 1;
            while (j < to && cells[std::size_t(j)] == look)
                ++j;
            const Look part = needed(format, look);
            if (part != 0) {
                if (extendable && open.look == part) {
                    open.end = int(j);
                } else {
                    if (open.look != 0)
                        out.push_back(open);
                    open = {int(i), int(j), part};
                    extendable = true;
                }
            } else if (extendable && needed(format, open.look) != 0) {
                extendable = false;
            }
            i = j;
        }
    };

    // The blocks lie one after the other, each ended by a separator: one
    // character carrying the next block's character format, looked up only
    // where it matters (it is painted, or a merge may run over it).
    qsizetype pos = 0;
    for (QTextBlock block = doc.begin(); block.isValid() && pos < n; block = block.next()) {
        Q_ASSERT(block.position() == pos);
        const qsizetype separator = pos + block.length() - 1;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid())
                break;
            visit(pos, pos + f.length(), f.charFormatIndex());
            pos += f.length();
        }
        if (separator > pos)
            visit(pos, separator, -1);
        pos = separator;
        const QTextBlock next = block.next();
        if (next.isValid() && pos < n) {
            const bool matters = cells[std::size_t(pos)] != 0 || extendable;
            visit(pos, pos + 1, matters ? next.charFormatIndex() : -1);
            pos += 1;
        }
    }
    if (pos < n)
        visit(pos, n, -1);
    if (open.look != 0)
        out.push_back(open);
    return out;
}

template const std::vector<Change>& changes_for(const QTextDocument&, const std::vector<quint8>&,
                                                const Palette&);
template const std::vector<Change>& changes_for(const QTextDocument&, const std::vector<quint16>&,
                                                const Palette&);
template const std::vector<Change>& changes_for(const QTextDocument&, const std::vector<quint32>&,
                                                const Palette&);

// Merges the changes into the console's document in one edit.
void make_changes(QTextEdit* console, const std::vector<Change>& changes, const Palette& palette)
{
    if (changes.empty())
        return;
    QHash<Look, QTextCharFormat> formats;
    const bool updates = console->updatesEnabled();
    console->setUpdatesEnabled(false);
    QTextCursor cursor(console->document());
    cursor.beginEditBlock();
    for (const Change& c : changes) {
        auto f = formats.constFind(c.look);
        if (f == formats.constEnd())
            f = formats.insert(c.look, look_format(c.look, palette));
        cursor.setPosition(c.start);
        cursor.setPosition(c.end, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(*f);
    }
    cursor.endEditBlock();
    console->setUpdatesEnabled(updates);
}

}  // namespace colouring_detail

using namespace colouring_detail;

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
    std::vector<quint32> colours;
    colours.reserve(spans.size());
    for (const Span& s : spans)
        colours.push_back(s.colour);
    const qsizetype length = positions.rule_length();
    colour_console(console, positions, Palette(std::move(colours)), [&](auto& painting) {
        for (const Span& s : spans) {
            // Clipped to the text, as ConsolePositions::to_document_span
            // clips: a span that covers no character of it is dropped.
            if (s.length <= 0 || s.start >= length)
                continue;
            const qsizetype first = std::max<qsizetype>(s.start, 0);
            const qsizetype end = s.start >= 0 && s.length >= length - s.start
                                      ? length
                                      : std::min(s.start + s.length, length);
            if (end > first)
                painting.paint(Span{first, end - first, s.colour, s.bold});
        }
    });
}

}  // namespace kolde_sub
