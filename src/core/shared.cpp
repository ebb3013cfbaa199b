#include "core/shared.h"

#include <QPointer>
#include <QWidget>

#include "core/clock.h"
#include "platform/keyboard.h"
#include "platform/value.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace kolde_sub {

namespace {

// Shared, owner the program's start and the main window's loading
// (read_time_zone); tests set it.
ComputerZone& zone_state()
{
    static ComputerZone z;
    return z;
}

}  // namespace


QString program_folder()
{
    const QString home = qEnvironmentVariable("KOLDE_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(home);
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(data + QStringLiteral("/kolde"));
}

void settle_program_folder()
{
    const QString folder = program_folder();
    if (!QDir::isAbsolutePath(folder))
        qputenv("KOLDE_HOME", QDir(folder).absolutePath().toUtf8());
}

QString program_path(const QString& relative) { return program_folder() + u'/' + relative; }

bool file_exists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}

// ---------------------------------------------------------------- time zone

int offset_hours_from_minutes(int minutes)
{
    return static_cast<int>(std::floor(minutes / 60.0));
}

QString offset_text(int hours)
{
    if (hours > 0)
        return u'+' + QString::number(hours);
    if (hours == 0)
        return QStringLiteral("±0");
    return QString::number(hours);
}

ComputerZone read_time_zone_from(const QTimeZone& zone, const QDateTime& at)
{
    QString name;
    bool ok = zone.isValid();
    if (ok) {
        name = zone.displayName(QTimeZone::DaylightTime, QTimeZone::LongName);
        if (name.isEmpty())
            name = QString::fromUtf8(zone.id());
        const qsizetype p = name.indexOf(u'(');
        if (p == 0)
            ok = false;  // a name that begins with "(" cannot be cut
        else if (p > 0)
            name = name.left(p - 1);
    }
    if (!ok)
        return ComputerZone{QStringLiteral("日本"), 9, QStringLiteral("+9")};
    // The zone's standard bias: summer time does not count. The zone
    // database's own "standard" will not do (it is summer time in Dublin):
    // the smaller of the offsets in January and July of the year is.
    const int year = at.toUTC().date().year();
    const int january = zone.offsetFromUtc(QDateTime(QDate(year, 1, 15), QTime(12, 0), Qt::UTC));
    const int july = zone.offsetFromUtc(QDateTime(QDate(year, 7, 15), QTime(12, 0), Qt::UTC));
    const int hours = offset_hours_from_minutes(std::min(january, july) / 60);
    return ComputerZone{name, hours, offset_text(hours)};
}

void read_time_zone()
{
    zone_state() = read_time_zone_from(QTimeZone::systemTimeZone(), now_utc());
}

const ComputerZone& computer_zone() { return zone_state(); }
void set_computer_zone(const ComputerZone& zone) { zone_state() = zone; }

// ------------------------------------------------------- time difference

std::optional<int> parse_time_difference(const QString& text)
{
    QString t = text.trimmed();
    if (t.startsWith(u'±')) {
        t = t.mid(1);
        bool ok = false;
        const int v = t.toInt(&ok);
        if (ok && v == 0 && !t.startsWith(u'+') && !t.startsWith(u'-'))
            return 0;
        return std::nullopt;
    }
    if (t.isEmpty())
        return std::nullopt;
    for (qsizetype i = (t[0] == u'+' || t[0] == u'-') ? 1 : 0; i < t.size(); ++i)
        if (t[i] < u'0' || t[i] > u'9')
            return std::nullopt;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok || v < -24 || v > 24)
        return std::nullopt;
    return v;
}

int time_difference_hours(const QString& text) { return parse_time_difference(text).value_or(0); }

// ---------------------------------------------------------------- versions

float version_number(const QString& text) { return static_cast<float>(platform::leading_number(text)); }

float version_number(const platform::Value& v)
{
    switch (v.kind()) {
    case platform::Value::Kind::Integer:
    case platform::Value::Kind::Real:
        return static_cast<float>(v.to_real());
    case platform::Value::Kind::Text:
        return version_number(v.to_text());
    default:
        return 0.0f;
    }
}

bool versions_equal(float a, float b) { return a == b; }

// ----------------------------------------------------------------- colours

QColor bgr_color(long long value)
{
    const auto v = static_cast<unsigned long long>(value);
    return QColor(static_cast<int>(v & 0xff), static_cast<int>((v >> 8) & 0xff), static_cast<int>((v >> 16) & 0xff));
}

long long bgr_value(const QColor& c) { return c.red() | (c.green() << 8) | (static_cast<long long>(c.blue()) << 16); }

// -------------------------------------------------------------------- text

QString trim_blanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

// ------------------------------------------------------------------- dates

QString date_text(const QDate& d) { return d.toString(QStringLiteral("MM-dd-yyyy")); }
QString today_text() { return date_text(today_local()); }

// ------------------------------------------------------------ code history

namespace {

// Shared, owner the displays and the command line (add_code_history); the
// main window's loading and its reset button clear it.
QString& history()
{
    static QString h = QStringLiteral(" ");
    return h;
}

}  // namespace

const QString& code_history() { return history(); }
void clear_code_history() { history() = QStringLiteral(" "); }
void set_code_history(const QString& text) { history() = text; }

void add_code_history(const QString& word)
{
    QString& code_history = history();
    if (word.isEmpty())
        return;
    if (code_history.isEmpty())
        code_history = QStringLiteral(" ");
    if (code_history.contains(u' ' + word + u' '))
        return;
    if (!code_history.endsWith(u' '))
        code_history += u' ';
    code_history += word + u' ';
    trim_code_history();
}

void trim_code_history()
{
    QString& code_history = history();
    bool dropped = false;
    while (code_history.size() > 200) {
        // The first blank at or after the second character ends the oldest word.
        const qsizetype blank = code_history.indexOf(u' ', 1);
        if (blank < 0) {
            // One word longer than the limit: nothing to drop word by word.
            code_history = code_history.right(200);
            break;
        }
        code_history = code_history.mid(blank + 1);
        dropped = true;
    }
    if (dropped)
        code_history.prepend(u' ');
}

// ---------------------------------------------------------------- keyboard

void ime_set_open(QWidget* window, bool open) { platform::set_input_method_open(window, open); }
void caps_lock_on() { platform::set_caps_lock(true); }
void caps_lock_off() { platform::set_caps_lock(false); }
bool caps_lock_state() { return platform::caps_lock(); }

namespace {
QPointer<QWidget> registered_main_window;
}

QWidget* main_window() { return registered_main_window; }
void set_main_window(QWidget* window) { registered_main_window = window; }

}  // namespace kolde_sub
