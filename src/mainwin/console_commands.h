// The console's command vocabulary without the window: how a typed line is
// read, which command it is, and the look-ups of company groups and
// registered pictures that the commands need.
#pragma once

#include "request_rules.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace platform { class Recordset; }

namespace kolde_sub {

// What a typed line asks for, in the order the lines are tested.
enum class ConsoleCommand {
    Empty,        // nothing but blanks: nothing happens
    Update,       // "UPDATE": the update check
    Japanese,     // "JAPANESE": the translation dictionary editor
    Picture,      // "PICTURE": the picture registry
    Reset,        // "RESET": the database is replaced at the next start
    Word,         // a word of the dictionaries: its meaning (and picture)
    SunTimes,     // "SS " and codes: sunrise and sunset
    Counter,      // "COUNTER": the access counter page
    Help,         // "HELP": the online help
    Ais,          // "AIS": the AIS page
    Group,        // a company group id: its route is displayed
    AutoStart,    // "ATO": the automatic decode starts
    Print,        // "PRINT" or "/P"
    Reload,       // "RL": the request is shown again
    Clear,        // "CLS"
    DecodeList,   // "DE": the automatic-decode list editor
    GroupList,    // "GP": the company group editor
    AirportList,  // "AP": the airport list
    Chart,        // "WX": the weather chart
    Camera,       // "CAM": the airport cameras
    Log,          // "LOG": the communication log
    Exit,         // "EXIT": the window closes
    NoNetwork,    // anything else while offline
    Codes,        // a station-code list, perhaps after "SQ " and "JP "
    SyntaxError,  // anything else
};

struct ConsoleLine {
    ConsoleCommand command = ConsoleCommand::Empty;
    // The command needs the network and there is none: the no-connection
    // box is all that happens.
    bool no_connection = false;
    // For Codes: the list and its prefixes.
    TypedRequest request;
};

// What the classification needs to know beyond the line itself.
struct ConsoleFacts {
    bool online = false;
    // The line is a word of the abbreviation or translation dictionary.
    std::function<bool(const QString&)> is_word;
    // The line is the id of a company group.
    std::function<bool(const QString&)> is_group;
};

// The typed buffer as the commands read it: upper case, without the blanks
// (code 32) at both ends.
QString console_line(const QString& typed);

// Which command a line (already read by console_line) is. The first command
// of the table that fits wins: a dictionary word hides the command words
// after it, a group id hides "ATO" to "EXIT". The dictionary and the groups
// are asked only when the line gets that far.
ConsoleLine classify_console_line(const QString& line, const ConsoleFacts& facts);

// The route of the first company group (in the recordset's order) whose id
// is exactly id; nothing when there is none. A group without an id never
// matches.
std::optional<QString> group_route(platform::Recordset& groups, const QString& id);


}  // namespace kolde_sub
