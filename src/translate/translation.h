// Japanese translation of an observation and explanation of one report
// group.
#pragma once

#include <QString>

namespace kolde_sub {

// What a translation that fails gives instead.
inline constexpr char untranslatable_text[] = "例外フォーマットのため翻訳できません";

// The Japanese translation of a METAR or SPECI body of a station at a time
// ("HHMM" and the zone letter).
QString translate_observation(const QString& code, const QString& time, const QString& body);

}  // namespace kolde_sub
