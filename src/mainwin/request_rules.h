// How a line typed on the console is read as a request for reports.
#pragma once

#include <QString>

#include <optional>

namespace kolde_sub {

// 4-letter codes of ASCII letters separated by single blanks: lengths 4, 9,
// 14, ... with a blank at every fifth character.
bool is_station_code_list(const QString& line);

struct TypedRequest {
    QString list;            // the codes, without prefix
    bool sequence = false;   // "SQ " in front
    bool japanese = false;   // "JP " in front (after "SQ " when both)
};
// A typed line (trimmed, upper-cased) read as a request: an optional "SQ ",
// then an optional "JP ", then a station-code list. Nothing for any other
// line.
std::optional<TypedRequest> typed_request(const QString& line);

// The caption of an airport's item in the sequence menu: the code, two
// blanks, the name.
QString airport_item_caption(const QString& code, const QString& name);
// The code an item's caption begins with, whatever its length: the text
// before the two blanks, trimmed.
QString airport_item_code(const QString& caption);

}  // namespace kolde_sub
