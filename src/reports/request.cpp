#include "request.h"

#include "platform/store.h"

namespace kolde_sub {

QString current_request;
QString current_group;
std::vector<StationRow> station_table;
int cycle_slot = 25;

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

}  // namespace kolde_sub
