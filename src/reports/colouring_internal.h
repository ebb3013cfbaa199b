// The colouring's internals shared by colouring.cpp and colouring_paint.cpp:
// the buffers kept between colourings and the painting of spans onto the
// console's document characters.
#pragma once

#include "colouring.h"

#include <QString>
#include <QTextEdit>

#include <algorithm>
#include <limits>
#include <vector>

namespace kolde_sub::colouring_detail {

// ------------------------------------------------------------- buffers

// A buffer kept from one colouring to the next on this thread, one for each
// use. The console is coloured after every command, and memory the system
// hands out afresh costs more than the work that fills it, so the buffers
// the colouring needs for a long console keep their size between calls.
enum class Use { character_looks, changes };

template <class T, Use use>
std::vector<T>& kept_buffer()
{
    thread_local std::vector<T> buffer;
    return buffer;
}

// The colours of a set of spans, each with a slot number from 1 on; slot 0
// keeps the characters' colour.
class Palette {
public:
    explicit Palette(std::vector<quint32> colours) : colours_(std::move(colours))
    {
        std::sort(colours_.begin(), colours_.end());
        colours_.erase(std::unique(colours_.begin(), colours_.end()), colours_.end());
        std::erase(colours_, Span::keep_colour);
    }

    std::size_t size() const { return colours_.size(); }

    // colour must be keep_colour or one of the palette's colours.
    quint32 slot(quint32 colour) const
    {
        if (colour == Span::keep_colour)
            return 0;
        return quint32(std::lower_bound(colours_.begin(), colours_.end(), colour) - colours_.begin()) + 1;
    }

    quint32 colour(quint32 slot) const { return slot == 0 ? Span::keep_colour : colours_[slot - 1]; }

private:
    std::vector<quint32> colours_;
};

// What a span does to a character: its colour slot times four plus its bold
// change. 0 changes nothing.
using Look = quint32;

inline Look look_of(quint32 slot, Span::BoldChange bold) { return slot << 2 | quint32(bold); }

// The final colour and bold change of every document character, later
// spans over earlier ones, one cell per character. Cell is the smallest
// unsigned type that holds every look of the palette.
template <class Cell>
class Painting {
public:
    Painting(const ConsolePositions& positions, const Palette& palette)
        : positions_(positions), palette_(palette), cells_(kept_buffer<Cell, Use::character_looks>())
    {
        cells_.assign(std::size_t(positions.document_length()), Cell(0));
    }

    // A span in console-text positions, clipped to the text. Its first
    // character is found by search; from there the span is walked along
    // the console text, where the LF of a CR LF pair stands for the same
    // document character (the line break) as its CR.
    void paint(const Span& s)
    {
        const QChar* const text = positions_.rule_text().constData();
        Cell* c = cells_.data() + positions_.to_document(s.start, hint_);
        const Look colour = look_of(palette_.slot(s.colour), Span::Keep);
        const quint32 bold = quint32(s.bold);
        for (qsizetype i = s.start; i < s.start + s.length; ++i) {
            if (text[i] == u'\n' && i > s.start)
                continue;
            if (s.colour != Span::keep_colour && s.bold != Span::Keep)
                *c = Cell(colour | bold);
            else if (s.colour != Span::keep_colour)
                *c = Cell(colour | (*c & 3u));
            else
                *c = Cell((*c & ~3u) | bold);
            ++c;
        }
    }

    const std::vector<Cell>& cells() const { return cells_; }

private:
    const ConsolePositions& positions_;
    const Palette& palette_;
    std::vector<Cell>& cells_;
    std::size_t hint_ = 0;
};

// One format merge: the look over document characters [start, end).
// Document positions are ints, as the document's own.
struct Change {
    int start;
    int end;
    Look look;
};

// The merges that give the document its painted looks (colouring_paint.cpp).
template <class Cell>
const std::vector<Change>& changes_for(const QTextDocument& doc, const std::vector<Cell>& cells,
                                       const Palette& palette);
extern template const std::vector<Change>& changes_for(const QTextDocument&, const std::vector<quint8>&,
                                                       const Palette&);
extern template const std::vector<Change>& changes_for(const QTextDocument&, const std::vector<quint16>&,
                                                       const Palette&);
extern template const std::vector<Change>& changes_for(const QTextDocument&, const std::vector<quint32>&,
                                                       const Palette&);

// Merges the changes into the console's document in one edit.
void make_changes(QTextEdit* console, const std::vector<Change>& changes, const Palette& palette);

// Paints with paint_all (which is given a Painting to paint on) and merges
// the result into the console.
template <class Cell, class PaintAll>
void paint_and_apply(QTextEdit* console, const ConsolePositions& positions, const Palette& palette, PaintAll& paint_all)
{
    Painting<Cell> painting(positions, palette);
    paint_all(painting);
    make_changes(console, changes_for(*console->document(), painting.cells(), palette), palette);
}

// The same with the smallest cell that holds every look of the palette.
template <class PaintAll>
void colour_console(QTextEdit* console, const ConsolePositions& positions, const Palette& palette, PaintAll&& paint_all)
{
    const std::size_t looks = (palette.size() + 1) * 4;
    if (looks <= std::size_t(std::numeric_limits<quint8>::max()) + 1)
        paint_and_apply<quint8>(console, positions, palette, paint_all);
    else if (looks <= std::size_t(std::numeric_limits<quint16>::max()) + 1)
        paint_and_apply<quint16>(console, positions, palette, paint_all);
    else
        paint_and_apply<quint32>(console, positions, palette, paint_all);
}

}  // namespace kolde_sub::colouring_detail
