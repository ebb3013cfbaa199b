// Console text as the program writes it uses CR LF line breaks (a lone CR
// also breaks a line); the rich-text control keeps one character per break.
// These helpers convert between the two and map positions.
#pragma once

#include <QString>

namespace kolde_sub {

// "\r\n" and a lone "\r" become "\n" (the control's plain text).
QString to_edit_text(const QString& console);
// Every "\n" of the control's plain text becomes "\r\n".
QString from_edit_text(const QString& edit);

// The control position of a position in the console text: a CR LF pair
// counts once. Positions beyond the text map to the end.
int edit_position(const QString& console, int pos);
// The console-text position of a control position (the inverse of the
// above for positions that are not inside a CR LF pair).
int console_position(const QString& console, int edit_pos);

}  // namespace kolde_sub
