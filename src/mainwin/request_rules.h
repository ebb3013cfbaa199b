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

}  // namespace kolde_sub
