#include "print_rules.h"

#include "platform/value.h"
#include "core/shared.h"

#include <algorithm>

namespace kolde_sub {

int leading_digits(const QString& text)
{
    const double n = platform::leading_number(text);
    // Far beyond any time of day; keeps the number in range.
    return n < 0 ? 0 : static_cast<int>(std::min(n, 100000.0));
}

int minutes_of_day(const QString& hour_text, const QString& minute_text)
{
    return leading_digits(hour_text) * 60 + leading_digits(minute_text);
}

bool inside_print_window(int now_minutes, int start_minutes, int end_minutes)
{
    return start_minutes <= now_minutes && now_minutes <= end_minutes;
}

QString print_header_line(const QString& version, const QDateTime& at)
{
    return QStringLiteral("*** WEATHER OBSERVATION AND FORECASTS ***   KOLDE Version ") + version
           + QStringLiteral("   ") + date_text(at.date()) + QStringLiteral("   ")
           + at.time().toString(QStringLiteral("hh:mm:ss"));
}

QString with_notice_line(const QString& old_text, const QString& text, const QTime& at)
{
    return old_text + QStringLiteral("\r\n") + text + at.toString(QStringLiteral("hh:mm:ss")) + QStringLiteral("\r\n");
}

}  // namespace kolde_sub
