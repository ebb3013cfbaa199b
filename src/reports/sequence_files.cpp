#include "reports/sequence_files.h"

#include "reports/station_file.h"
#include "reports/zone.h"
#include "core/files.h"
#include "core/logging.h"
#include "core/shared.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>

#include <algorithm>

namespace kolde_sub {

namespace {

const QString crlf = QStringLiteral("\r\n");

QString two_digits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

bool make_parent_folder(const QString& path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

// Line end at i: 2 for CR LF, 1 for a bare CR or LF, 0 for none.
int line_break_at(const QString& text, qsizetype i)
{
    if (i >= text.size())
        return 0;
    if (text[i] == u'\r')
        return (i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
    return text[i] == u'\n' ? 1 : 0;
}

// Reads up to the next line end and steps past it.
QString next_line(const QString& text, qsizetype& pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && line_break_at(text, pos) == 0)
        ++pos;
    const QString line = text.mid(start, pos - start);
    pos += line_break_at(text, pos);
    return line;
}

// Reads up to the next comma or line end and steps past it.
QString next_item(const QString& text, qsizetype& pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] != u',' && line_break_at(text, pos) == 0)
        ++pos;
    const QString item = text.mid(start, pos - start);
    if (pos < text.size())
        pos += text[pos] == u',' ? 1 : line_break_at(text, pos);
    return item;
}

}  // namespace

std::vector<int> cycle_hours_to_fetch(int utc_hour, int hours_back)
{
    std::vector<int> hours;
    for (int k = utc_hour - hours_back; k < utc_hour; ++k)
        hours.push_back(wrap_day_hour(k));
    hours.push_back(wrap_day_hour(utc_hour));
    return hours;
}

int ten_minute_slot(const QTime& time)
{
    return time.minute() / 10;
}

QString cycle_file_url(const QString& report_base, int hour)
{
    return report_base + QStringLiteral("/pub/data/observations/metar/cycles/") + two_digits(hour) +
           QStringLiteral("Z.TXT");
}

QString cycle_copy_path(int hour)
{
    return program_path(QStringLiteral("data/") + two_digits(hour) + QStringLiteral(".dat"));
}

bool write_cycle_copy(const QString& path, const QString& reply)
{
    make_parent_folder(path);
    return write_file_atomically(path, (reply + crlf).toUtf8());
}

QString hourly_time_text(int file_hour, bool local, const QString& time_difference)
{
    if (!local)
        return two_digits(file_hour) + QStringLiteral("00Z");
    const int diff = time_difference_hours(time_difference);
    return two_digits(wrap_day_hour(file_hour + diff)) + QStringLiteral("00") + zone_letter(diff);
}

HourlySearch search_hourly_file(const QString& file_text, const QString& code, QString& key_list, bool local,
                                const QString& time_difference)
{
    HourlySearch result;
    if (code.isEmpty())
        return result;
    qsizetype at = file_text.indexOf(code);
    int taken = 0;
    while (at >= 0 && taken < hourly_reports_per_station) {
        const qsizetype lf = file_text.indexOf(u'\n', at);
        const qsizetype end = lf < 0 ? file_text.size() : lf;
        QString report = file_text.mid(at, std::min(end - at, hourly_report_limit));
        // The local copy ends in CR LF; a report written last by the server
        // without a line feed would otherwise keep that CR.
        if (report.endsWith(u'\r'))
            report.chop(1);
        const QString key = report.left(12);
        if (!key_list.contains(key)) {
            key_list += u' ' + key;
            result.blocks += observation_block(report, code, false, local, time_difference) + crlf;
            result.found = true;
            ++taken;
        }
        if (lf < 0)
            break;  // the last report of the file had no line feed
        at = file_text.indexOf(code, lf + 1);
    }
    return result;
}

QString sequence_header(const QString& code, bool first)
{
    return (first ? QString() : crlf) + QStringLiteral("*** ") + code +
           QStringLiteral(" - SEQUENCE WEATHER OBSERVATION ***") + crlf;
}

StationSequence station_sequence(const QString& code, bool first, const QString& latest_reply,
                                 const std::map<int, QString>& hourly_files, int first_hour, int hours_back,
                                 bool local, const QString& time_difference)
{
    StationSequence out;
    out.text = sequence_header(code, first);
    if (is_error_page(latest_reply)) {
        out.text += not_found_block(code);
        return out;
    }
    QString keys;
    QString buffer;
    for (int h = first_hour; h <= first_hour + hours_back; ++h) {
        const int file_hour = wrap_day_hour(h);
        const QString time_text = hourly_time_text(file_hour, local, time_difference);
        const auto file = hourly_files.find(file_hour);
        if (file == hourly_files.end()) {
            buffer += crlf + code + QString::fromLatin1(loading_sequence_text) + time_text + crlf;
            out.missing_hours = true;
            continue;
        }
        const HourlySearch found = search_hourly_file(file->second, code, keys, local, time_difference);
        buffer += found.blocks;
        if (!found.found && h != first_hour + hours_back)
            buffer += crlf + code + QString::fromLatin1(no_data_at_text) + time_text + crlf;
    }
    // The station's own latest report, unless an hourly file already held it.
    const QString latest_key = latest_reply.mid(17, 12);
    if (!keys.contains(latest_key)) {
        keys += u' ' + latest_key;
        buffer += observation_block(latest_reply.mid(17), code, true, local, time_difference);
    }
    out.text += buffer;
    return out;
}

QString sequence_file_path()
{
    return program_path(QStringLiteral("data/sequence.dat"));
}

bool append_sequence_record(const QString& path, const QString& record)
{
    make_parent_folder(path);
    QFile f(path);
    // Unbuffered: nothing of a failed write may stay behind in a buffer to
    // be written when the file closes. A new file is its owner's alone.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                QFile::ReadOwner | QFile::WriteOwner)) {
        qCWarning(lc_reports) << "cannot open" << path << "for appending:" << f.errorString();
        return false;
    }
    const qint64 old_size = f.size();
    const QByteArray bytes = (record + crlf + crlf).toUtf8();
    if (f.write(bytes) == bytes.size())
        return true;
    // Cut a partly written record off again, so that the next record does
    // not run on from half of this one.
    qCWarning(lc_reports) << "cannot append to" << path << ":" << f.errorString();
    if (!f.resize(old_size))
        qCWarning(lc_reports) << "cannot cut" << path << "back to" << old_size << "bytes:" << f.errorString();
    return false;
}

QString sequence_file_buffer(const QString& file_text, const QString& code)
{
    QString buffer;
    qsizetype pos = 0;
    while (pos < file_text.size()) {
        const QString item = next_item(file_text, pos);
        // A record's header line begins with its station's code and a
        // blank; a shorter code is not found inside another station's.
        if (!item.startsWith(code + u' ') ||
            !(item.contains(QStringLiteral("METAR")) || item.contains(QStringLiteral("SPECI"))) ||
            buffer.contains(item))
            continue;
        buffer += crlf + item;
        // The record's lines up to and including its empty line.
        while (pos < file_text.size()) {
            const QString line = next_line(file_text, pos);
            buffer += crlf + line;
            if (line.isEmpty())
                break;
        }
    }
    if (buffer.isEmpty())
        buffer = crlf + code + QString::fromLatin1(no_sequence_data_text) + crlf;
    return buffer;
}

QString read_work_file(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

}  // namespace kolde_sub
