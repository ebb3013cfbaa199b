#include "translate/stored_sources.h"

#include "core/database.h"
#include "core/settings.h"
#include "platform/store.h"
#include "platform/wait.h"
#include "reports/lookup.h"

#include <QPointer>

namespace kolde_sub {

TranslationSources stored_translation_sources(const QObject* caller)
{
    TranslationSources sources;
    sources.airport_name = [](QStringView code) {
        platform::Recordset& rs = rs_airport();
        for (rs.move_first(); !rs.eof(); rs.move_next())
            if (rs.field(QStringLiteral("ICAOコード")).to_text() == code)
                return rs.field(QStringLiteral("飛行場名")).to_text();
        return QString();
    };
    sources.translation_word = [](QStringView group) {
        QString word = group.toString();
        return lookup_translation_abbr(word);
    };
    sources.weather_abbr = [](QStringView code) {
        QString word = code.toString();
        return lookup_weather_abbr(word);
    };
    sources.local_time = setting_bool(key::local_time);
    sources.time_difference = setting_text(key::time_difference);
    sources.yield = [caller = QPointer<const QObject>(caller), guarded = caller != nullptr] {
        return platform::yield_events([&] { return !guarded || !caller.isNull(); });
    };
    return sources;
}

}  // namespace kolde_sub
