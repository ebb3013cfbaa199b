// Japanese translation of an observation (METAR or SPECI), and the
// translators of single groups that the explanation of a selected group
// uses too. Plain text work: the settings and dictionaries come in through
// TranslationSources, so neither a window nor the database is needed.
#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace kolde_sub {

// What a translation that fails gives instead.
inline constexpr char untranslatable_text[] = "例外フォーマットのため翻訳できません";

// Where the translation gets what it reads besides the report. A look-up
// gives an empty text when it knows no answer; a missing look-up knows none.
struct TranslationSources {
    // The airport catalogue's 飛行場名 of a station code (given trimmed and
    // in upper case).
    std::function<QString(QStringView code)> airport_name;
    // The translation dictionary (日本語解析): the meaning of a whole group.
    std::function<QString(QStringView group)> translation_word;
    // The weather abbreviations (気象略語): the meaning of a weather code.
    std::function<QString(QStringView code)> weather_abbr;
    // LOCAL使用 and 時差: times of the landing forecast and the remarks in
    // local time with the zone letter of the time difference.
    bool local_time = false;
    QString time_difference;
    // Runs after every group of the translation's loops, so that the window
    // system can go on meanwhile; none: the translation runs through. False
    // when whoever asked for the translation went away meanwhile: the
    // translation then ends at once with an empty text.
    std::function<bool()> yield;
};

struct Translation {
    // The labelled lines, each beginning with CR LF but the first, ending
    // with CR LF; or untranslatable_text alone.
    QString text;
    // The issue minute makes the report a routine one (METAR), not a special
    // one (SPECI).
    bool routine = false;
};

// Translates the body of an observation of station code issued at time
// ("HHMM" and the zone letter, already local when the settings ask for it).
// body is the report after its code and day-time group. Never fails: a
// report it cannot read gives untranslatable_text.
Translation translate_observation(const QString& code, const QString& time, const QString& body,
                                  const TranslationSources& sources);

// ---- single groups; an empty answer means the group cannot be read

// A surface wind group ("27015G25KT", "VRB03KT", "00000KT").
std::optional<QString> translate_wind(QStringView group);
// A sea-level pressure remark "SLP" and three digits: the pressure in
// hectopascals with one decimal (SLP013 gives 1001.3). group is left holding
// the three characters after "SLP".
std::optional<QString> translate_slp(QString& group);
// A runway visual range group ("R34L/1200U", "R16R/0600V1000U").
std::optional<QString> translate_rvr(QStringView group);

}  // namespace kolde_sub
