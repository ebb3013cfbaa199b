#include "translate/group_explanation.h"

#include "core/clock.h"
#include "core/shared.h"
#include "reports/zone.h"
#include "translate/group_forms.h"
#include "translate/group_text.h"
#include "translate/translation.h"

#include <algorithm>
#include <array>

namespace kolde_sub {

namespace {

// A value stops growing once it passes this: no group holds such a number,
// and later arithmetic on it must not overflow.
constexpr qint64 value_limit = 1'000'000'000'000LL;

// The value of a text: its leading sign and digits up to the first other
// character, 0 when it does not begin with a number ("030" gives 30,
// "3ST010" gives 3, "///" gives 0).
qint64 value_of(QStringView s)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    qint64 v = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i)
        if (v < value_limit)
            v = v * 10 + (s[i].unicode() - u'0');
    return negative ? -v : v;
}

// The pieces joined into one text.
template <typename... Pieces>
QString cat(const Pieces&... pieces)
{
    QString text;
    (text.append(pieces), ...);
    return text;
}

QString written(qint64 v) { return QString::number(v); }
QString value_text(QStringView s) { return written(value_of(s)); }

// A number below 10 gets a leading "0".
QString two_digits(qint64 v) { return v < 10 ? QStringLiteral("0") + written(v) : written(v); }

// count characters of s from 1-based position pos; fewer at its end, none
// before its start.
QStringView mid_or_empty(QStringView s, qsizetype pos, qsizetype count)
{
    if (pos < 1 || count <= 0 || pos > s.size())
        return {};
    return s.sliced(pos - 1, std::min(count, s.size() - pos + 1));
}

// Everything of s after 1-based position pos.
QStringView after(QStringView s, qsizetype pos)
{
    return pos >= s.size() ? QStringView() : s.sliced(std::max<qsizetype>(pos, 0));
}

// Console character k (1-based) is c; a character outside the text is not.
bool console_char_is(const QString& console, qint64 k, QChar c)
{
    return k >= 1 && k <= console.size() && console[static_cast<qsizetype>(k - 1)] == c;
}

// The group of the console that holds 0-based position at: its characters
// between blanks or line ends, without the "=" that ends a report. Empty
// when at lies outside the text; start is where the group begins.
QStringView console_group(const QString& console, qint64 at, qint64& start)
{
    if (at < 0 || at >= console.size())
        return {};
    qsizetype from = static_cast<qsizetype>(at), to = from;
    while (from > 0 && !console[from - 1].isSpace())
        --from;
    while (to < console.size() && !console[to].isSpace())
        ++to;
    if (to > from && console[to - 1] == u'=')
        --to;
    start = from;
    return QStringView(console).sliced(from, to - from);
}

// Whether the console holds, at 0-based position at, a "/" of a group that
// has the form and holds s as the part that lies after it (or before it).
template <typename Form>
bool part_of_group(const QString& console, qint64 at, QStringView s, bool s_after, Form form)
{
    if (!console_char_is(console, at + 1, u'/'))
        return false;
    qint64 start = 0;
    const QString group = console_group(console, at, start).toString().toUpper();
    const qsizetype slash = static_cast<qsizetype>(at - start);
    if (!form(QStringView(group)) || group.indexOf(u'/') != slash)
        return false;
    return s_after ? QStringView(group).sliced(slash + 1) == s : QStringView(group).first(slash) == s;
}

QString without_blanks(QString s)
{
    s.remove(u' ');
    s.remove(u'　');
    return s;
}

QString looked_up(const std::function<QString(QStringView)>& look_up, QStringView word)
{
    return look_up ? look_up(word) : QString();
}

struct CloudCover {
    const char16_t* code;
    const char16_t* without_base;
    const char16_t* with_height;
};

constexpr std::array<CloudCover, 4> cloud_covers{{
    {u"FEW", u" ： 雲底高度不明な小量 (1/8～2/8) の", u"フィートに小量 (1/8～2/8) の"},
    {u"SCT", u" ： 雲底高度不明な散在 (3/8～4/8) した", u"フィートに散在 (3/8～4/8) した"},
    {u"BKN", u" ： 雲底高度不明な多量 (5/8～7/8) の", u"フィートに多量 (5/8～7/8) の"},
    {u"OVC", u" ： 雲底高度不明な全天を覆う", u"フィートに全天を覆う"},
}};

struct CloudType {
    const char16_t* letters;
    const char16_t* ending;
};

constexpr std::array<CloudType, 9> cloud_types{{
    {u"ST", u"/8) の層雲"},
    {u"SC", u"/8) の層積雲"},
    {u"NS", u"/8) の乱層雲"},
    {u"CU", u"/8) の積雲"},
    {u"AS", u"/8) の高層雲"},
    {u"CI", u"/8) の巻雲"},
    {u"CC", u"/8) の巻積雲"},
    {u"CS", u"/8) の巻層雲"},
    {u"AC", u"/8) の高積雲"},
}};

// The day of a day-time group moved by the time difference into local time,
// and the zone text shown after it. Days roll over within the computer's
// current month, since the group carries no month.
struct LocalTime {
    qint64 day;
    qint64 hour;
    QString zone;
};

int month_length(int month, int year)
{
    switch (month) {
    case 2:
        return year % 4 == 0 ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

LocalTime local_time(qint64 day, qint64 hour, const ExplanationSources& sources)
{
    const QDate today = sources.today.isValid() ? sources.today : now_utc().date();
    // "±0", which the time-zone query may store, counts as 0.
    const int difference = time_difference_hours(sources.time_difference);
    hour += difference;
    if (hour >= 24) {
        hour -= 24;
        ++day;
        if (day > month_length(today.month(), today.year()))
            day = 1;
    }
    if (hour < 0) {
        hour += 24;
        --day;
        if (day == 0)
            day = month_length(today.month() == 1 ? 12 : today.month() - 1, today.year());
    }
    return {day, hour, zone_letter(difference) + QStringLiteral(" (UTC") + sources.time_difference + u')'};
}

// One temperature of a pair: "M" and two digits below zero.
QString temperature(QStringView t)
{
    if (t.startsWith(u'M'))
        return QStringLiteral("マイナス") + value_text(mid_or_empty(t, 2, 2));
    return value_text(t);
}

// A temperature of the remark group: sign digit, then tenths in three digits.
QString remark_temperature(QStringView sign, QStringView whole, QStringView tenth)
{
    const QString text = cat(value_text(whole), u'.', tenth, u'℃');
    return sign == u"1" ? cat(QStringLiteral("マイナス "), text) : text;
}

bool all_digits(QStringView s)
{
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// A cloud layer by amount, the amount's digit first, then the type and the
// base; nothing for any other form. cloud is the cloud word the group's
// ending gives.
std::optional<QString> explain_cloud_layer(const QString& s, QString cloud)
{
    const qsizetype len = s.size();
    const QString sep = QStringLiteral(" ： ");
    const qint64 amount = value_of(s);
    if (amount == 1 || amount == 2)
        cloud = QStringLiteral("少量");
    else if (amount >= 3 && amount <= 4)
        cloud = QStringLiteral("散在");
    else if (amount >= 5 && amount <= 7)
        cloud = QStringLiteral("多量");
    else if (amount == 8)
        cloud = QStringLiteral("全天");

    if (jp::national_cloud_layer(s)) {
        for (const CloudType& row : cloud_types) {
            if (!s.contains(QStringView(row.letters)))
                continue;
            // Only the explanation's own words change, never the group.
            QString text = cat(sep, written(value_of(mid_or_empty(s, 4, len - 3)) * 100),
                               QStringLiteral("フィートに"), cloud, QStringLiteral(" ("), written(amount),
                               QStringView(row.ending));
            if (cloud == u"散在")
                text.replace(u'の', QStringLiteral("した"));
            else if (cloud == u"全天")
                text.replace(u'の', QStringLiteral("を覆う"));
            return s + text;
        }
    }
    return std::nullopt;
}

// The rules after the temperatures: cloud layers by amount, day and time
// groups, runway visual ranges, remarks and forecast periods; nothing when
// none knows the group. cloud is the cloud word the group's ending gives.
std::optional<QString> explain_by_later_forms(QString s, QString cloud, const QString& console, qint64 s0, qint64 sl,
                                              const ExplanationSources& sources)
{
    const qsizetype len = s.size();
    const QString sep = QStringLiteral(" ： ");

    const qint64 amount = value_of(s);
    if (std::optional<QString> layer = explain_cloud_layer(s, cloud))
        return layer;

    if (jp::day_time_group(s)) {
        const QStringView dd = mid_or_empty(s, 1, 2), hh = mid_or_empty(s, 3, 2), mm = mid_or_empty(s, 5, 2);
        if (!sources.local_time)
            return cat(s, sep, dd, QStringLiteral("日 "), hh, u':', mm, QStringLiteral(" UTC"));
        const LocalTime t = local_time(value_of(dd), value_of(hh), sources);
        return cat(s, sep, two_digits(t.day), QStringLiteral("日 "), two_digits(t.hour), u':', mm, u' ', t.zone);
    }

    // Recent weather (RETS/RESH) and runway states hold an "R" and a "/"
    // too, but are no runway visual range: they get no explanation.
    if (s.contains(u'R') && s.contains(u'/')) {
        if (!jp::runway_visual_range(s))
            return std::nullopt;
        return cat(s, sep, translate_rvr(s).value_or(QString()));
    }

    // "SLP" and three digits; other digits after "SLP" are no pressure.
    const QStringView after_slp = after(s, 3);
    if (s.startsWith(u"SLP") && ((after_slp.size() == 3 && all_digits(after_slp)) ||
                                 std::none_of(after_slp.begin(), after_slp.end(), jp::is_ascii_digit))) {
        const QString pressure = translate_slp(s).value_or(QString());
        return cat(s, QStringLiteral(" ： 海面水位圧力 "), pressure, QStringLiteral("ヘクトパスカル"));
    }

    if (jp::vertical_visibility(s)) {
        if (s.endsWith(u"///"))
            return cat(s, QStringLiteral(" ： 鉛直視程 欠測"));
        return cat(s, QStringLiteral(" ： 鉛直視程 "), written(value_of(mid_or_empty(s, 3, 3)) * 100),
                   QStringLiteral("フィート"));
    }

    if (s == u"9999" || s == u"9999NDV")
        return cat(s, QStringLiteral(" : 視程10km以上"));

    // The maintenance mark may be glued to the group (T01220117$).
    if (jp::remark_temperatures(s.endsWith(u'$') ? QStringView(s).chopped(1) : QStringView(s))) {
        const QStringView g(s);
        return cat(s, QStringLiteral(" : 地上気温 "),
                   remark_temperature(mid_or_empty(g, 2, 1), mid_or_empty(g, 3, 2), mid_or_empty(g, 5, 1)),
                   QStringLiteral(" 露点温度 "),
                   remark_temperature(mid_or_empty(g, 6, 1), mid_or_empty(g, 7, 2), mid_or_empty(g, 9, 1)));
    }

    if (s == u"⊿H")
        return cat(s, QStringLiteral(" ： 大気視差高 (deviation eye height)"));

    // The day and hour of a forecast period, "2812" of "2812/2918".
    if (amount != 0 && len == 4 && all_digits(s) &&
        (part_of_group(console, s0 - 1, s, true, jp::forecast_period) ||
         part_of_group(console, s0 + sl, s, false, jp::forecast_period))) {
        const qint64 day = 10 * (s[0].unicode() - u'0') + (s[1].unicode() - u'0');
        const qint64 hour = 10 * (s[2].unicode() - u'0') + (s[3].unicode() - u'0');
        LocalTime t{day, hour, QStringLiteral("Z")};
        if (sources.local_time)
            t = local_time(day, hour, sources);
        return cat(s, sep, two_digits(t.day), QStringLiteral("日 "), two_digits(t.hour), QStringLiteral(":00 "),
                   t.zone);
    }

    return std::nullopt;
}

// The rules after the dictionaries; nothing when none knows the group.
std::optional<QString> explain_by_form(QString s, const QString& console, qint64 s0, qint64 sl,
                                       const ExplanationSources& sources)
{
    const qsizetype len = s.size();
    const QString sep = QStringLiteral(" ： ");

    QString cloud = QStringLiteral("雲");
    if (s.endsWith(u"CB"))
        cloud = QStringLiteral("積乱雲");
    else if (s.endsWith(u"TCU"))
        cloud = QStringLiteral("塔状積雲");

    // Each kind of group is told by its form, as the translation reads it.
    if (jp::cloud_group(s)) {
        if (s.contains(u"CB"))
            cloud = QStringLiteral("積乱雲");
        else if (s.contains(u"TCU"))
            cloud = QStringLiteral("塔状積雲");
        const CloudCover& row = *std::find_if(cloud_covers.begin(), cloud_covers.end(),
                                              [&](const CloudCover& c) { return s.startsWith(QStringView(c.code)); });
        if (jp::cloud_base_missing(s))
            return cat(s, QStringView(row.without_base), cloud);
        return cat(s, sep, written(value_of(mid_or_empty(s, 4, 3)) * 100), QStringView(row.with_height), cloud);
    }

    if (jp::pressure_group(s)) {
        const bool missing = !jp::pressure_reported(s);
        if (s.startsWith(u'A'))
            return missing ? cat(s, QStringLiteral(" ： 高度計規正値 欠測"))
                           : cat(s, QStringLiteral(" ： 高度計規正値 "), mid_or_empty(s, 2, 2), u'.',
                                 mid_or_empty(s, 4, 2), QStringLiteral("インチ水銀柱"));
        return missing ? cat(s, QStringLiteral(" ： 地上気圧 欠測"))
                       : cat(s, QStringLiteral(" ： 地上気圧 "), mid_or_empty(s, 2, 4), QStringLiteral(".0 ヘクトパスカル"));
    }

    if (s.contains(u"KT")) {
        if (jp::missing_wind(s))
            return cat(s, QStringLiteral(" ： 欠測"));
        if (!jp::wind_group(s))
            return std::nullopt;
        return cat(s, sep, translate_wind(s).value_or(QString()));
    }
    if (jp::wind_direction_range(s))
        return cat(s, QStringLiteral(" ： 方位 "), mid_or_empty(s, 1, 3), QStringLiteral("°から "),
                   mid_or_empty(s, 5, 3), QStringLiteral("°の間で風向変動あり"));
    if (s == u"CALM")
        return cat(s, QStringLiteral(" ： 無風"));

    // A temperature pair by its form: a runway visual range not reported
    // (R12////) has a "/" and the length too. A missing dew point gives none.
    if (const qsizetype slash = s.indexOf(u'/'); slash >= 0 && len <= 7 && jp::temperature_group(s)) {
        const QStringView pair(s);
        if (!jp::has_dew_point(pair))
            return cat(s, QStringLiteral(" ：  地上気温 "), temperature(pair.first(slash)), u'℃');
        return cat(s, QStringLiteral(" ：  地上気温 "), temperature(pair.first(slash)), QStringLiteral("℃  露点温度 "),
                   temperature(after(pair, slash + 1)), u'℃');
    }

    // One half of a temperature pair, told by the "/" beside the selection
    // in a group of a pair's form; a dew point only where it can be read.
    const bool slash_after_two = len == 2 && part_of_group(console, s0 + 2, s, false, jp::temperature_group);
    const bool slash_after_three =
        len == 3 && s.startsWith(u'M') && part_of_group(console, s0 + 3, s, false, jp::temperature_group);
    const bool slash_before = part_of_group(console, s0 - 1, s, true, jp::has_dew_point);
    if (slash_after_two)
        return cat(s, QStringLiteral(" ：  地上気温 "), value_text(s), u'℃');
    if (slash_after_three)
        return cat(s, QStringLiteral(" ：  地上気温 マイナス"), value_text(mid_or_empty(s, 2, 2)), u'℃');
    if (len == 2 && slash_before)
        return cat(s, QStringLiteral(" ：  露点温度 "), value_text(s), u'℃');
    if (len == 3 && s.startsWith(u'M') && slash_before)
        return cat(s, QStringLiteral(" ：  露点温度 マイナス"), value_text(mid_or_empty(s, 2, 2)), u'℃');

    return explain_by_later_forms(s, cloud, console, s0, sl, sources);
}

}  // namespace

std::optional<QString> explain_group(const QString& selected, const QString& console_text, int selection_start,
                                     int selection_length, const ExplanationSources& sources)
{
    // One group only: a selection across groups explains nothing.
    QString s = selected.trimmed();
    if (s.isEmpty() || std::any_of(s.begin(), s.end(), [](QChar c) { return c.isSpace(); }))
        return std::nullopt;

    // A station code names its airport, unless a later rule knows the group
    // too; the code is compared as selected, the later rules see it in
    // upper case.
    std::optional<QString> airport;
    if (sources.airport_name) {
        const QString name = sources.airport_name(s);
        if (!name.isNull())
            airport = s + QStringLiteral(" : ") + without_blanks(name);
    }

    s = s.toUpper();
    const QString meaning = looked_up(sources.weather_abbr, s);
    if (!meaning.isEmpty())
        return s + QStringLiteral(" : ") + meaning;
    const QString word = looked_up(sources.translation_word, s);
    if (!word.isEmpty())
        return s + QStringLiteral(" : ") + word;

    std::optional<QString> by_form = explain_by_form(s, console_text, selection_start, selection_length, sources);
    return by_form ? by_form : airport;
}

}  // namespace kolde_sub
