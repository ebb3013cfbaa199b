#include "translate/group_text.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace kolde_sub::jp {

double number_of(QStringView s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n && (s[i] == u' ' || s[i] == u'\t'))
        ++i;
    std::string text;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        if (s[i] == u'-')
            text += '-';
        ++i;
    }
    bool digits = false;
    for (; i < n && is_ascii_digit(s[i]); ++i) {
        text += static_cast<char>(s[i].unicode());
        digits = true;
    }
    if (i < n && s[i] == u'.') {
        text += '.';
        for (++i; i < n && is_ascii_digit(s[i]); ++i) {
            text += static_cast<char>(s[i].unicode());
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    double v = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
    if (result.ec != std::errc())
        throw Untranslatable{};  // a number beyond double precision's range
    return v;
}

QString number_text(double v)
{
    if (!std::isfinite(v))
        throw Untranslatable{};
    if (v == 0.0)
        return QStringLiteral("0");
    if (std::fabs(v) < 1e15 && v == std::trunc(v))
        return QString::number(static_cast<qint64>(v));
    return QString::number(v, 'g', 15);
}

}  // namespace kolde_sub::jp
