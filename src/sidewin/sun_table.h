// The year table of sunrise and sunset of one airfield, and what the sun-time
// window builds from it: the airfield list, the position of a chosen
// airfield, the captions, the points of the year graph and the printed
// layout. Plain functions; the window only shows their results.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace platform {
class Recordset;
}

namespace kolde_sub {

// ---- the airfields

// A row of the airport catalogue.
struct AirportRow {
    QString code;
    QString name;
};

// An airfield or heliport the program knows the position of by name.
struct BuiltinField {
    const char* name;
    const char* latitude;   // DDMMSS north
    const char* longitude;  // DDDMMSS east
    float elevation;
};

// The 58 built-in rows in the order they are compared: first the one that
// corrects the catalogue's JSDF field at Asahikawa, then nine airfields, then
// the 48 heliports (their names end in "(H)").
const std::array<BuiltinField, 58>& builtin_fields();

// The catalogue's rows from its first row on (the walk leaves rs at its end).
QList<AirportRow> airport_rows(platform::Recordset& rs);

// The name with every blank and full-width blank removed.
QString without_blanks(const QString& name);

// An item of the airfield list and the row it was made from: an airport of
// the catalogue (code) or a built-in row (builtin, an index into
// builtin_fields()). The "---" lines have neither.
struct AirfieldItem {
    QString text;
    QString code;
    int builtin = -1;
};

// The airfield list: the catalogue's RJ and RO airports (blanks removed, a
// few of them marked by where they are), "---", the nine built-in
// airfields, "---" and the heliports. The catalogue's JSDF field at
// Asahikawa takes the first built-in row's position.
QList<AirfieldItem> airfield_items(const QList<AirportRow>& rows);

// Where a chosen airfield lies. found is false when the airfield's airport
// has no known position, and for an item made from no row.
struct FieldPosition {
    bool found = false;
    QString code;       // ICAO code; empty for airfields without one
    QString latitude;   // DDMMSS
    QString longitude;  // DDDMMSS
    float elevation = 0;
};

// The position of the row the item was made from, never of another row
// that happens to bear a similar name.
FieldPosition field_position(const AirfieldItem& item);

// ---- the year table

// February has 29 days in every year divisible by 4.
bool sun_leap_year(int year);
int days_in_month(int year, int month);

// The table as shown: 32 rows (0 the header row, 1-31 the days) by 36
// columns (0 the day numbers; month m owns sunrise 3m-2 and sunset 3m-1; the
// columns between months stay empty). Days a month lacks stay empty.
using SunCells = std::array<std::array<QString, 36>, 32>;

// The table with its day numbers only.
SunCells empty_sun_cells();
// Every day of the year filled with the sunrise and sunset at the position.
SunCells sun_year_cells(int year, const QString& latitude, const QString& longitude);

constexpr int sunrise_column(int month) { return 3 * month - 2; }
constexpr int sunset_column(int month) { return 3 * month - 1; }

// ---- captions

// "43 47 40 N" / "142 21 54 E".
QString latitude_caption(const QString& latitude);
QString longitude_caption(const QString& longitude);
// The elevation as the shortest text of its value (21, 58.4, 0).
QString elevation_caption(float elevation);
// The difference between the eye height, 15 above mean sea level, and the
// elevation rounded half up: "+8", "0", "-6".
QString delta_h_caption(float elevation);

// ---- the graph (twips inside the picture)

struct GraphPoint {
    int x = 0;
    int y = 0;
    int month = 0;
    int day = 0;
    QString time;  // HHMM
};

struct SunCurve {
    std::vector<GraphPoint> points;
    // Indexes into points of the latest and earliest time (the first of
    // equal times); -1 without points.
    int latest = -1;
    int earliest = -1;
};

// The sunrise (sunset) curve of a filled table: one point per filled day,
// spread evenly over the year.
SunCurve sun_curve(const SunCells& cells, bool leap_year, bool sunset);

// Where today's line stands on the month scale of the graph.
int today_line_x(int year, int month, int day);

// The date tip of an extreme label: " 1月5日 ".
QString point_date_tip(int month, int day);

// Graph scale: 03:00 (15:00) sits at this height, and hours 1200 twips apart;
// the year runs from first_x over year_width.
constexpr int graph_base_y = 6645;
constexpr int graph_hour = 1200;
constexpr int graph_first_x = 660;
constexpr int graph_year_width = 12960;

// ---- printing

struct PrintItem {
    int x = 0;  // twips from the top left of the printable area
    int y = 0;
    QString text;
    double size = 9;  // points
    bool bold = false;
};

struct SunPrintHeader {
    QString year;
    QString code;
    QString airfield;
    QString latitude;   // caption
    QString longitude;  // caption
    QString elevation;  // caption
    QString delta_h;    // caption
};

QString sun_print_title(const SunPrintHeader& h);
// The printed page: the title, the (empty) header row, a rule and the 31
// rows of the table, every column in a slot of its own.
QList<PrintItem> sun_print_items(const SunPrintHeader& h, const SunCells& cells);

}  // namespace kolde_sub
