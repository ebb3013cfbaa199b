#include "reports/zone.h"

#include "core/shared.h"

namespace kolde_sub {

QString zone_letter(int hours)
{
    // Index 0 is -12 (Y) ... index 12 is 0 (Z) ... index 24 is +12 (M).
    static const char letters[] = "YXWVUTSRQPONZABCDEFGHIKLM";
    if (hours < -12 || hours > 12)
        return offset_text(hours);
    return QString(QChar::fromLatin1(letters[hours + 12]));
}

int wrap_day_hour(int hour)
{
    return ((hour % 24) + 24) % 24;
}

QString format_update_time(const QDateTime& now, bool local, const QString& time_difference)
{
    const QTime utc = now.toUTC().time();
    int h = utc.hour();
    QString letter = QStringLiteral("Z");
    if (local) {
        const std::optional<int> diff = parse_time_difference(time_difference);
        if (!diff)
            return QString();  // no label: the caller keeps its previous status
        h += *diff;
        letter = zone_letter(*diff);
    }
    h = wrap_day_hour(h);
    return QStringLiteral("%1:%2(%3)")
            .arg(h, 2, 10, QLatin1Char('0'))
            .arg(utc.minute(), 2, 10, QLatin1Char('0'))
            .arg(letter);
}

}  // namespace kolde_sub
