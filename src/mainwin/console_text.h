// Console text as the program writes it uses CR LF line breaks (a lone CR
// also breaks a line); the rich-text control keeps one character per break.
// These helpers convert between the two; positions are mapped by
// ConsolePositions (reports/console_positions.h). Also: how wide the
// console's lines may be, and what a key or a paste types into the line.
#pragma once

#include <QRect>
#include <QString>

namespace kolde_sub {

// "\r\n" and a lone "\r" become "\n" (the control's plain text).
QString to_edit_text(const QString& console);
// Every "\n" of the control's plain text becomes "\r\n".
QString from_edit_text(const QString& edit);

// The width the console's lines may take, in pixels: the width of its text
// area, less the part at its right that the cover box hides when shown. Both
// rectangles in the same coordinates.
[[nodiscard]] int console_text_width(const QRect& text_area, const QRect& cover, bool cover_shown);

// Whether a character that a key types goes into the typed line (and into
// the console at the caret): a printable character, or either half of one
// beyond the 16-bit range; never a control character, a line or a
// paragraph separator.
[[nodiscard]] bool types_into_line(QChar c);

// The longest typed line a paste fills (two hundred station codes).
constexpr qsizetype max_pasted_line = 1000;

// What a paste types into the typed line: those of its characters that a
// key would type there, in order (line breaks, tabs and other control
// characters type nothing), at most room of them. A character beyond the
// 16-bit range is not cut in half.
[[nodiscard]] QString pasted_line_text(const QString& pasted, qsizetype room);

}  // namespace kolde_sub
