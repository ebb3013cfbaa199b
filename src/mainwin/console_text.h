// Console text as the program writes it uses CR LF line breaks (a lone CR
// also breaks a line); the rich-text control keeps one character per break.
// These helpers convert between the two; positions are mapped by
// ConsolePositions (reports/console_positions.h).
#pragma once

#include <QString>

namespace kolde_sub {

// "\r\n" and a lone "\r" become "\n" (the control's plain text).
QString to_edit_text(const QString& console);
// Every "\n" of the control's plain text becomes "\r\n".
QString from_edit_text(const QString& edit);


}  // namespace kolde_sub
