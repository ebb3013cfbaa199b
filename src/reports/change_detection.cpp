#include "reports/change_detection.h"

#include "platform/value.h"
#include "reports/station_file.h"

#include <cmath>

namespace kolde_sub {

std::optional<QString> detection_key(bool transfer_ok, const QString& reply)
{
    if (!transfer_ok || reply.isEmpty() || is_error_page(reply))
        return std::nullopt;
    return change_key(reply);
}

ChangeMark observation_change(const QString& code, const QString& key)
{
    ChangeMark m;
    m.routine = is_routine_minutes(static_cast<int>(std::lround(platform::leading_number(key.mid(3, 2)))));
    if (m.routine) {
        m.pad = code + QStringLiteral(" ");
        m.log = code + QStringLiteral(" METAR CHANGED");
    } else {
        m.pad = code + QStringLiteral("(SPECI) ");
        m.log = code + QStringLiteral(" SPECI RECEIVED");
    }
    return m;
}

ChangeMark forecast_change(const QString& code, const QString& reply)
{
    ChangeMark m;
    for (const char* word : {"AMD", "COR", "TRD"}) {
        const QString w = QString::fromLatin1(word);
        if (reply.contains(w)) {
            m.pad = code + u'(' + w + QStringLiteral(") ");
            m.log = code + QStringLiteral(" TAF(") + w + QStringLiteral(") RECEIVED");
            return m;
        }
    }
    m.pad = code + QStringLiteral(" ");
    m.log = code + QStringLiteral(" TAF   CHANGED");
    return m;
}

namespace {

FileCheck check_file(StationRow& row, StationColumn column, const QString& code, bool transfer_ok,
                     const QString& reply, const QString& pad)
{
    FileCheck check;
    const std::optional<QString> key = detection_key(transfer_ok, reply);
    if (!key || *key == row[column])
        return check;
    row[column] = *key;
    check.changed = true;
    if (!pad.contains(code))
        check.mark = column == station_metar_stamp ? observation_change(code, *key) : forecast_change(code, reply);
    return check;
}

}  // namespace

FileCheck check_observation(StationRow& row, const QString& code, bool transfer_ok, const QString& reply,
                            const QString& pad)
{
    return check_file(row, station_metar_stamp, code, transfer_ok, reply, pad);
}

FileCheck check_forecast(StationRow& row, const QString& code, bool transfer_ok, const QString& reply,
                         const QString& pad)
{
    return check_file(row, station_taf_stamp, code, transfer_ok, reply, pad);
}

}  // namespace kolde_sub
