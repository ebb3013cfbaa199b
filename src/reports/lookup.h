// Looking a word up in the two dictionary tables: weather abbreviations
// (気象略語) and translation words (日本語解析).
#pragma once

#include <QString>

namespace platform { class Recordset; }

namespace kolde_sub {

// Normalises word in place (blanks at both ends removed, upper case), then
// walks the recordset in its order and returns the 意味 of the first row
// whose 略語 equals word exactly; empty when none does. The recordset is
// left on the matching row, or past the last row.
QString lookup_abbr(platform::Recordset& rs, QString& word);

// The same over the shared recordsets rs_abbrev() and rs_translation().
QString lookup_weather_abbr(QString& word);
QString lookup_translation_abbr(QString& word);

}  // namespace kolde_sub
