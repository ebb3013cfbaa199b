// What a double click in the report console selects: the whole group of a
// report, from blank to blank, so that groups such as "R34L/1200U",
// "M02/M05", "BKN///" or "-SHRA" come whole.
#pragma once

#include <QString>

namespace kolde_sub {

struct ConsoleSelection {
    int start = 0;
    int length = 0;
};

// The group of text around position (a 0-based character offset, the
// place of the pointer): the run of characters up to the nearest blank,
// ideographic space, tab or line break on either side. When the character
// at position is such a separator (or position is the end of the text), the
// group that ends just before position is taken. Nothing (length 0, start
// at position clamped into the text) when neither side holds a group.
[[nodiscard]] ConsoleSelection console_group_at(const QString& text, int position);

}  // namespace kolde_sub
