#include "translation.h"

#include "translate/group_text.h"
#include "translate/group_translators.h"

namespace kolde_sub {

std::optional<QString> translate_wind(QStringView group)
{
    try {
        return jp::wind_text(group);
    } catch (const jp::Untranslatable&) {
        return std::nullopt;
    }
}

std::optional<QString> translate_slp(QString& group)
{
    try {
        const QString pressure = jp::slp_text(group);
        group = jp::mid_or_throw(group, 4, 3).toString();
        return pressure;
    } catch (const jp::Untranslatable&) {
        group = jp::mid_or_throw(group, 4, 3).toString();
        return std::nullopt;
    }
}

std::optional<QString> translate_rvr(QStringView group)
{
    try {
        return jp::rvr_text(group);
    } catch (const jp::Untranslatable&) {
        return std::nullopt;
    }
}

}  // namespace kolde_sub
