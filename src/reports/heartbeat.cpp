#include "reports/heartbeat.h"

#include "reports/station_file.h"

#include <QDateTime>
#include <QTime>

#include <algorithm>

namespace kolde_sub {

namespace {

int clamp_interval(int update_interval) { return std::clamp(update_interval, 1, 10); }

// Two characters of a time text as a number up to most; anything else
// (empty, no number, out of range) counts 0.
int time_part(const QString& text, qsizetype from, int most)
{
    bool ok = false;
    const int n = text.mid(from, 2).trimmed().toInt(&ok);
    return ok && n >= 0 && n <= most ? n : 0;
}

}  // namespace

int probe_period_seconds(int update_interval) { return (clamp_interval(update_interval) - 1) * 10 + 20; }

int probe_timeout_seconds(int update_interval) { return (clamp_interval(update_interval) - 1) * 10 + 60; }

bool probe_answered(bool transfer_ok, const QString& reply)
{
    return transfer_ok && !reply.isEmpty() && !is_error_page(reply);
}

int sequence_retry_cap(int update_interval)
{
    return 20 + 2 * probe_period_seconds(update_interval) / 3;
}

int standby_end_minutes(const QString& standby_start, int update_interval)
{
    int hours = time_part(standby_start, 0, 23);
    int minutes = time_part(standby_start, 3, 59) + clamp_interval(update_interval);
    if (minutes >= 60) {
        minutes -= 60;
        hours += 1;
    }
    int end = hours * 60 + minutes;
    if (end >= 1440)
        end -= 1440;
    return end;
}

bool in_standby(const QString& standby_start, int update_interval, const QDateTime& now)
{
    // Before the first cycle nothing waits (an empty stamp is no 00:00).
    if (standby_start.isEmpty())
        return false;
    const int end = standby_end_minutes(standby_start, update_interval);
    const QTime utc = now.toUTC().time();
    return utc.hour() * 60 + utc.minute() < end && end != 0;
}

QString standby_stamp(const QDateTime& now) { return now.toUTC().time().toString(QStringLiteral("HH:mm")); }

}  // namespace kolde_sub
