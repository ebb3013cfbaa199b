// What the explanation of one selected group shows, and whether each of its
// numbers is one the group holds in the form the explanation reads it in.
// The group is read by support/report_forms.h, apart from the program's
// reading.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

namespace kolde_test {

struct ExplanationContext {
    std::function<QString(QStringView)> airport_name, weather_abbr, translation_word;
    // Hours added in local time (0: the report's own, in UTC), the zone text
    // shown after a local time ("I (UTC+9)") and the length of the month the
    // days roll over in.
    int difference = 0;
    QString zone_text;
    int month_days = 30;
};

// kind: "" when there is no explanation; otherwise the explanation's kind
// ("雲", "風", "日時", "空港", "略語", ...). items: what it shows (numbers,
// a cloud layer, a labelled temperature "気温 12"); foreign: those the group
// does not hold in that form.
struct ExplanationReading {
    QString kind;
    QStringList items, foreign;
    bool empty = false;
    bool control = false;
};
ExplanationReading read_explanation(const QString& group, const std::optional<QString>& explanation,
                                    const ExplanationContext& context);

}  // namespace kolde_test
