#include "reports/lookup.h"

#include "platform/store.h"
#include "core/database.h"
#include "core/shared.h"

namespace kolde_sub {

QString lookup_abbr(platform::Recordset& rs, QString& word)
{
    word = trim_blanks(word).toUpper();
    for (rs.move_first(); !rs.eof(); rs.move_next()) {
        const platform::Value abbr = rs.field(QStringLiteral("略語"));
        if (!abbr.is_null() && abbr.to_text() == word)
            return rs.field(QStringLiteral("意味")).to_text();
    }
    return QString();
}

QString lookup_weather_abbr(QString& word)
{
    return lookup_abbr(rs_abbrev(), word);
}

QString lookup_translation_abbr(QString& word)
{
    return lookup_abbr(rs_translation(), word);
}

}  // namespace kolde_sub
