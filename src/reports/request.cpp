#include "request.h"

#include "platform/store.h"

#include <algorithm>

namespace kolde_sub {


QStringList request_codes(const QString& request)
{
    return request.split(u' ', Qt::SkipEmptyParts);
}

QString autodecode_request(platform::Recordset& list)
{
    QString request;
    if (list.record_count() == 0)
        return request;
    list.move_first();
    while (!list.eof()) {
        // A code stored with blanks around it, or none at all, adds no
        // blanks of its own.
        const QString code = list.field(QStringLiteral("ICAOコード")).to_text().trimmed();
        if (!code.isEmpty())
            request += code + u' ';
        list.move_next();
    }
    return request.trimmed();
}

bool build_station_table(bool auto_mode, platform::Recordset& list, QString& request,
                         std::vector<StationRow>& table, int& count)
{
    if (auto_mode) {
        request.clear();
        if (list.record_count() == 0)
            return false;
        request = autodecode_request(list);
    }
    if (request.isEmpty())
        return false;
    const QStringList codes = request_codes(request);
    table.assign(codes.size() + 1, StationRow{});
    for (qsizetype r = 0; r < codes.size(); ++r)
        table[r + 1][station_code] = codes.at(r);
    count = static_cast<int>(codes.size());
    return true;
}

bool Request::drop_prefix(const QString& prefix)
{
    if (!codes_.startsWith(prefix))
        return false;
    codes_ = codes_.mid(prefix.size());
    return true;
}

void Request::set_group_route(const QString& route, const QString& group)
{
    codes_ = route;
    group_ = group;
}

bool Request::rebuild_stations(bool auto_mode, platform::Recordset& list, int& count)
{
    return build_station_table(auto_mode, list, codes_, stations_, count);
}

void Request::set_station(int r, const StationRow& row)
{
    if (r >= 0 && r < static_cast<int>(stations_.size()))
        stations_[static_cast<std::size_t>(r)] = row;
}

void Request::forget_stamps(int count)
{
    const int rows = std::min<int>(count, static_cast<int>(stations_.size()) - 1);
    for (int r = 1; r <= rows; ++r) {
        stations_[static_cast<std::size_t>(r)][station_metar_stamp].clear();
        stations_[static_cast<std::size_t>(r)][station_taf_stamp].clear();
    }
}

bool Request::take_cycle_slot(int slot)
{
    if (slot == cycle_slot_)
        return false;
    cycle_slot_ = slot;
    return true;
}

Request& current_request()
{
    static Request request;
    return request;
}

}  // namespace kolde_sub
