#include "mainwin/sun_command.h"

#include "platform/value.h"
#include "reports/request.h"
#include "sidewin/sun_times.h"

#include <cfloat>
#include <cmath>

namespace kolde_sub {

QString height_difference_text(const QString& elevation)
{
    const double e = platform::leading_number(elevation);
    const double rounded = std::floor((15.0 - e) * 10.0 + 0.5) / 10.0;
    // Kept in single precision, as the figure always was; a value beyond
    // its range (no real elevation) stays in double precision.
    const double h = std::fabs(rounded) <= FLT_MAX ? static_cast<double>(static_cast<float>(rounded)) : rounded;
    if (h == 0.0)
        return QStringLiteral("±0");
    const QString text = QString::number(h, 'g', 7);
    return h > 0.0 ? QStringLiteral("+") + text : text;
}

QString sun_times_block(const QString& codes, const QDate& date)
{
    const QString crlf = QStringLiteral("\r\n");
    QString block;
    for (const QString& code : request_codes(codes)) {
        const QString position = QString::fromStdString(get_airport_position(code.toStdString()));
        if (position.isEmpty()) {
            block += crlf + code + QStringLiteral("  NOT FOUND POSITION DATA");
            continue;
        }
        const std::string latitude = position.left(6).toStdString();
        const std::string longitude = position.mid(6, 7).toStdString();
        const int y = date.year();
        const int m = date.month();
        const int d = date.day();
        const QString rise = QString::fromStdString(calc_sunrise(y, m, d, latitude, longitude));
        const QString set = QString::fromStdString(calc_sunset(y, m, d, latitude, longitude));
        const QString elevation = position.mid(13);
        block += crlf + code + QStringLiteral("  SUNRISE ") + rise.left(2) + u':' + rise.mid(2, 2) +
                 QStringLiteral("  SUNSET ") + set.left(2) + u':' + set.mid(2, 2) + QStringLiteral("   ELV ") +
                 elevation + QStringLiteral("  ⊿H ") + height_difference_text(elevation);
    }
    return block;
}

}  // namespace kolde_sub
