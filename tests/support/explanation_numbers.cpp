#include "support/explanation_numbers.h"

#include "support/report_forms.h"
#include "support/report_numbers.h"

#include <QRegularExpression>

#include <algorithm>

namespace kolde_test {

using namespace forms;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

QRegularExpression re(const char* pattern) { return QRegularExpression(QString::fromUtf8(pattern)); }

QString without_blanks(QString s)
{
    s.remove(u' ');
    s.remove(u'　');
    return s;
}

QString looked_up(const std::function<QString(QStringView)>& f, const QString& key) { return f ? f(key) : QString(); }

// The amount words of an explanation as those of a translation.
QString amount(QStringView word) { return word == u8("小量") ? u8("少量") : word.toString(); }

QString type_of(QStringView text)
{
    if (text.endsWith(u8("積乱雲")))
        return QStringLiteral("CB");
    if (text.endsWith(u8("塔状積雲")))
        return QStringLiteral("TCU");
    return QStringLiteral("-");
}

// A cloud explanation: the layer, and any number besides the height and
// the fixed range of eighths of its amount.
QStringList cloud_items(const QString& rest)
{
    static const QRegularExpression with_height = re("^(\\d+)フィートに(小量|散在|多量|全天)");
    static const QRegularExpression without = re("^雲底高度不明な(小量|散在|多量|全天)");
    QString left;
    QString layer;
    if (const auto m = with_height.match(rest); m.hasMatch()) {
        layer = layer_key(amount(m.capturedView(2)), number_key(m.captured(1).toDouble()), type_of(rest));
        left = rest.mid(m.capturedEnd());
    } else if (const auto m = without.match(rest); m.hasMatch()) {
        layer = layer_key(amount(m.capturedView(1)), u"?", type_of(rest));
        left = rest.mid(m.capturedEnd());
    } else {
        return QStringList{QStringLiteral("?")} + number_keys(rest);
    }
    const QString word = layer.split(u' ').front();
    const char* eighths = word == u8("少量")   ? "(1/8～2/8)"
                          : word == u8("散在") ? "(3/8～4/8)"
                          : word == u8("多量") ? "(5/8～7/8)"
                                               : "";
    if (*eighths)
        left.remove(u8(eighths));
    return QStringList{layer} + number_keys(left);
}

// "1500フィートに散在 (3/8) した層積雲": the layer and the eighths.
QStringList remark_cloud_items(const QRegularExpressionMatch& m, const QString& rest)
{
    QStringList out{layer_key(amount(m.capturedView(2)), number_key(m.captured(1).toDouble()), type_of(rest)),
                    m.captured(3) + QStringLiteral("/8")};
    return out + number_keys(rest.mid(m.capturedEnd()));
}

// "地上気温 マイナス 1.2℃ 露点温度 5.6℃": each temperature with its name.
QStringList temperature_items(const QString& rest)
{
    static const QRegularExpression one = re("(地上気温|露点温度) ((?:マイナス ?)?\\d+(?:\\.\\d+)?)℃");
    QStringList out;
    QString left = rest;
    for (auto it = one.globalMatch(rest); it.hasNext();) {
        const auto m = it.next();
        out << (m.captured(1) == u8("地上気温") ? u8("気温 ") : u8("露点 ")) + number_keys(m.capturedView(2)).value(0);
        left.replace(m.captured(0), QStringLiteral(" "));
    }
    return out + number_keys(left);
}

QStringList named(const Temperatures& t)
{
    QStringList out;
    for (const QString& a : t.air)
        out << u8("気温 ") + a;
    for (const QString& d : t.dew)
        out << u8("露点 ") + d;
    return out;
}

// A day-time group as its explanation shows it, in UTC or local time.
QString day_time_item(const DayTime& t, const ExplanationContext& c)
{
    if (c.difference == 0)
        return t.day + u8("日 ") + t.hour + u':' + t.minute + QStringLiteral(" UTC");
    int day = t.day.toInt(), hour = t.hour.toInt() + c.difference;
    if (hour >= 24) {
        hour -= 24;
        if (++day > c.month_days)
            day = 1;
    } else if (hour < 0) {
        hour += 24;
        if (--day == 0)
            day = 31;
    }
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return two(day) + u8("日 ") + two(hour) + u':' + t.minute + u' ' + c.zone_text;
}

template <typename T>
QStringList or_none(const std::optional<T>& v)
{
    return v ? *v : QStringList();
}

}  // namespace

ExplanationReading read_explanation(const QString& group, const std::optional<QString>& explanation,
                                    const ExplanationContext& context)
{
    ExplanationReading out;
    if (!explanation)
        return out;
    const QString& text = *explanation;
    out.control = std::any_of(text.begin(), text.end(), control_character);
    const QString s = without_blanks(group.trimmed()).toUpper();
    const QString g = without_end(s);

    // Whole texts from the catalogue and the dictionaries.
    if (const QString name = looked_up(context.airport_name, group);
        !name.isNull() && text == group + QStringLiteral(" : ") + without_blanks(name)) {
        out.kind = u8("空港");
        out.empty = without_blanks(name).isEmpty();
        return out;
    }
    for (const auto& [look_up, kind] : {std::pair{&context.weather_abbr, "略語"}, {&context.translation_word, "日本語解析"}})
        if (const QString m = looked_up(*look_up, s); !m.isEmpty() && text == s + QStringLiteral(" : ") + m) {
            out.kind = u8(kind);
            return out;
        }

    // The group, a separator, what it says.
    qsizetype sep = text.indexOf(u8(" ： "));
    const qsizetype ascii = text.indexOf(QStringLiteral(" : "));
    if (sep < 0 || (ascii >= 0 && ascii < sep))
        sep = ascii;
    const QString prefix = sep < 0 ? QString() : text.first(sep);
    QString rest = sep < 0 ? text : text.mid(sep + 3);
    while (rest.startsWith(u' ') || rest.startsWith(u'　'))
        rest.remove(0, 1);
    out.empty = rest.trimmed().isEmpty();

    static const QRegularExpression remark_cloud = re("^(\\d+)フィートに(小量|少量|散在|多量|全天) \\((\\d+)/8\\)");
    static const QRegularExpression cloud = re("^(\\d+フィートに|雲底高度不明な)(小量|散在|多量|全天)");
    static const QRegularExpression wind_text = re("°方向から|^風向が特定できない|静穏な風");
    static const QRegularExpression remark_temperature = re("^地上気温 (マイナス ?)?\\d+\\.\\d℃");
    static const QRegularExpression day = re("^\\d+日 \\d+:\\d+ ");
    QStringList held;
    QRegularExpressionMatch m;
    if (m = remark_cloud.match(rest); m.hasMatch()) {
        out.kind = u8("雲(国内形)");
        out.items = remark_cloud_items(m, rest);
        if (const auto l = remark_layer(g))
            held = {l->layer, QString::number(l->octas) + QStringLiteral("/8")};
    } else if (cloud.match(rest).hasMatch()) {
        out.kind = u8("雲");
        out.items = cloud_items(rest);
        held = or_none(cloud_layers(g));
    } else if (rest.startsWith(u8("高度計規正値"))) {
        out.kind = u8("高度計規正値");
        out.items = number_keys(rest);
        held = or_none(altimeter(g));
    } else if (rest.startsWith(u8("地上気圧"))) {
        out.kind = u8("地上気圧");
        out.items = number_keys(rest);
        held = or_none(qnh(g));
    } else if (wind_text.match(rest).hasMatch() || (rest == u8("欠測") && g.contains(QStringLiteral("KT")))) {
        out.kind = u8("風");
        out.items = number_keys(rest);
        held = or_none(wind(g));
    } else if (rest.startsWith(u8("方位 "))) {
        out.kind = u8("風向変動");
        out.items = number_keys(rest);
        held = or_none(wind_range(g));
    } else if (rest == u8("無風")) {
        out.kind = u8("無風");
    } else if (remark_temperature.match(rest).hasMatch()) {
        out.kind = u8("気温(T群)");
        out.items = temperature_items(rest);
        if (const auto t = remark_temperatures(g))
            held = named(*t);
    } else if (rest.startsWith(u8("地上気温")) || rest.startsWith(u8("露点温度"))) {
        out.kind = u8("気温");
        out.items = temperature_items(rest);
        if (const auto t = temperatures(g))
            held = named(*t);
    } else if (day.match(rest).hasMatch()) {
        out.kind = u8("日時");
        out.items = QStringList{rest};
        if (const auto t = day_time(g))
            held = {day_time_item(*t, context)};
    } else if (rest.contains(u8("のRVRは、"))) {
        out.kind = QStringLiteral("RVR");
        out.items = number_keys(rest);
        held = or_none(runway_visual_range(g));
    } else if (rest.startsWith(u8("海面水位圧力"))) {
        out.kind = u8("海面気圧");
        out.items = number_keys(rest);
        held = or_none(sea_level_pressure(g));
    } else if (rest.startsWith(u8("鉛直視程"))) {
        out.kind = u8("鉛直視程");
        out.items = number_keys(rest);
        held = or_none(vertical_visibility(g));
    } else if (rest == u8("視程10km以上")) {
        out.kind = u8("視程");
        out.items = {QStringLiteral("10")};
        if (g == u"9999" || g == u"9999NDV")
            held = {QStringLiteral("10")};
    } else if (rest.startsWith(u8("大気視差高"))) {
        out.kind = u8("大気視差高");
        out.items = number_keys(rest);
    } else {
        out.kind = u8("その他");
        out.items = number_keys(rest);
    }
    // The group itself stands before the separator (the sea-level pressure
    // group by its three digits).
    const QString own = out.kind == u8("海面気圧") && g.startsWith(QStringLiteral("SLP")) ? s.mid(3, 3) : s;
    if (prefix != own)
        out.items.prepend(QStringLiteral("group ") + prefix);
    out.foreign = unmatched(out.items, held);
    return out;
}

}  // namespace kolde_test
