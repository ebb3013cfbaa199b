// Small procedures and program-wide values of the shared module that many
// windows use: the program folder, file tests, the computer's time zone,
// the history of shown codes, the keyboard helpers for code fields, and the
// readers of the time difference and of version numbers.
#pragma once

#include <QColor>
#include <QDate>
#include <QString>
#include <QTimeZone>

#include <optional>

class QWidget;
namespace platform { class Value; }

namespace kolde_sub {

// ---- program folder
// $KOLDE_HOME, else $XDG_DATA_HOME/kolde, else ~/.local/share/kolde.
QString program_folder();
// Fixes a relative program folder against the working folder, once at start:
// the exit's clean-up, compaction and updater need it absolute, wherever the
// working folder is by then.
void settle_program_folder();
// A path inside the program folder ("data/kolde$.mdb", "sound/ring.wav").
QString program_path(const QString& relative);

// True when path names an ordinary file (a folder is not a file).
[[nodiscard]] bool file_exists(const QString& path);

// ---- time zone of the computer
struct ComputerZone {
    QString name;  // its summer time name cut before any "("
    int hours = 0;  // its standard offset from UTC in whole hours
    QString text = QStringLiteral("±0");  // hours as offset_text gives them
};
// The zone of a given zone at a given moment: summer time never counts, and
// the moment only picks the year whose standard offset counts. Japan (日本,
// +9) when the zone cannot be read.
[[nodiscard]] ComputerZone read_time_zone_from(const QTimeZone& zone, const QDateTime& at);
// The computer's time zone. Shared state, owner the main window's loading,
// which reads it (read_time_zone); the options dialog and the settings'
// defaults read it. Tests set it.
const ComputerZone& computer_zone();
void read_time_zone();
void set_computer_zone(const ComputerZone& zone);
// The offset text of whole hours: "+9", "-5", "±0".
[[nodiscard]] QString offset_text(int hours);
// Whole hours of a bias in minutes east of UTC, rounded down.
[[nodiscard]] int offset_hours_from_minutes(int minutes);

// ---- time difference setting (時差)
// Whole hours of a time-difference text: "+9", "-5", "0", "+0", "-0" and
// "±0" read as numbers; anything else gives no value.
[[nodiscard]] std::optional<int> parse_time_difference(const QString& text);
// The value of 時差 for arithmetic; 0 when it holds no number.
[[nodiscard]] int time_difference_hours(const QString& text);

// ---- version numbers
// A version as the program compares it: the leading number of the text, in
// single precision (0 when there is none). Stored numbers are read the same.
[[nodiscard]] float version_number(const QString& text);
[[nodiscard]] float version_number(const platform::Value& v);
[[nodiscard]] bool versions_equal(float a, float b);

// ---- colours are stored as 0x00BBGGRR
QColor bgr_color(long long value);
long long bgr_value(const QColor& c);

// ---- dates written into the settings and the log: mm-dd-yyyy
QString date_text(const QDate& d);
QString today_text();

// ---- text
// The text without its leading and trailing ordinary blanks; other white
// space (tabs, full-width blanks) stays.
QString trim_blanks(const QString& text);

// ---- history of shown codes and typed words
// Begins with one blank; each word is followed by exactly one blank. Shared
// state, owner the displays and the command line, which add the codes they
// show; the colouring reads it.
const QString& code_history();
// Back to one blank (the main window's loading, its reset button).
void clear_code_history();
// Sets the whole history (tests).
void set_code_history(const QString& text);
// Adds a word when it is not in the history yet, then trims the history.
void add_code_history(const QString& word);
// Drops the oldest words while the history is longer than 200 characters.
void trim_code_history();

// ---- keyboard helpers for fields that take codes
// Switches the input method of a widget off (false) or on (true).
void ime_set_open(QWidget* window, bool open);
// Caps Lock: while on, letters typed anywhere in the program come in upper
// case; off restores ordinary typing.
void caps_lock_on();
void caps_lock_off();
bool caps_lock_state();

// The main window when it is open, else null. The main window registers
// itself when it is created; the registration lapses when it is destroyed.
QWidget* main_window();
void set_main_window(QWidget* window);

}  // namespace kolde_sub
