#include "core/clock.h"

#include "core/settings.h"
#include "core/shared.h"

#include <QElapsedTimer>

namespace kolde_sub {

namespace {

struct SetClock {
    bool set = false;
    bool runs = false;
    QDateTime moment;  // UTC
    QElapsedTimer since;
};

SetClock& state()
{
    static SetClock s;
    return s;
}

}  // namespace

QDateTime now_utc()
{
    const SetClock& s = state();
    if (!s.set) return QDateTime::currentDateTimeUtc();
    return s.runs ? s.moment.addMSecs(s.since.elapsed()) : s.moment;
}

QDateTime now_local()
{
    const int hours = time_difference_hours(setting_text(key::time_difference));
    return now_utc().toOffsetFromUtc(hours * 3600);
}

QDate today_local() { return now_local().date(); }

QTime time_local() { return now_local().time(); }

void set_clock(const QDateTime& moment, bool runs)
{
    SetClock& s = state();
    s.set = true;
    s.runs = runs;
    s.moment = moment.toUTC();
    s.since.start();
}

void advance_clock(qint64 seconds)
{
    SetClock& s = state();
    if (!s.set) set_clock(QDateTime::currentDateTimeUtc(), true);
    s.moment = s.moment.addSecs(seconds);
}

void reset_clock() { state() = SetClock{}; }

}  // namespace kolde_sub
