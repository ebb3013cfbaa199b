// The explanation of one group the user selected in the report console: a
// line of Japanese shown in the tip window. Plain text work: the settings,
// the catalogue and the dictionaries come in through ExplanationSources.
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace kolde_sub {

struct ExplanationSources {
    // The 飛行場名 of the first catalogue row whose ICAOコード equals the
    // code exactly (case counts); a null text when no row does.
    std::function<QString(QStringView code)> airport_name;
    // The weather abbreviations (気象略語) and the translation dictionary
    // (日本語解析); each trims and upper-cases its argument and gives an empty
    // text when it knows no answer. A missing look-up knows none.
    std::function<QString(QStringView word)> weather_abbr;
    std::function<QString(QStringView word)> translation_word;
    // LOCAL使用 and 時差 as stored.
    bool local_time = false;
    QString time_difference;
    // Today's date in UTC, as the reports count days: a day-time group whose
    // day lies in another month than today's is read in today's month.
    QDate today;
};

// The explanation of selected, the console's selected text, read in its
// place in console_text (selection_start is a 0-based offset, selection
// length its length in characters). Nothing when no rule knows the group.
std::optional<QString> explain_group(const QString& selected, const QString& console_text,
                                     int selection_start, int selection_length,
                                     const ExplanationSources& sources);

}  // namespace kolde_sub
