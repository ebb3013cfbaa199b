#include "support/report_numbers.h"

#include "support/report_forms.h"

#include <QRegularExpression>

#include <algorithm>

namespace kolde_test {

using namespace forms;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

QRegularExpression re(const char* pattern) { return QRegularExpression(QString::fromUtf8(pattern)); }

const QString& indent()
{
    static const QString s = u8("　　　　　　　　");
    return s;
}

bool blank(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c == u' ' || c == u'　'; });
}

// The cloud layers of a line: "2500フィートに少量の積乱雲",
// "雲低高度不明な多量の雲", and the type a remark gave it.
QStringList layers_shown(QStringView text)
{
    static const QRegularExpression with_height = re("(\\d+)フィートに(少量|散在|多量|全天)");
    static const QRegularExpression without = re("雲低高度不明な(少量|散在|多量|全天)");
    const QString type = text.contains(u8("積乱雲")) ? QStringLiteral("CB")
                         : text.contains(u8("塔状積雲")) ? QStringLiteral("TCU")
                                                         : QStringLiteral("-");
    if (const auto m = with_height.match(text); m.hasMatch()) {
        QStringList out{layer_key(m.capturedView(2), number_key(m.captured(1).toDouble()), type)};
        out += number_keys(text.sliced(m.capturedEnd()));
        return out;
    }
    if (const auto m = without.match(text); m.hasMatch())
        return QStringList{layer_key(m.capturedView(1), u"?", type)} + number_keys(text.sliced(m.capturedEnd()));
    return QStringList{QStringLiteral("?")} + number_keys(text);
}

// "過去6時間の降水量 0.12インチ" and the like: the period, a blank and the
// value make one item.
QStringList period_and_value(const QRegularExpressionMatch& m, int period, int value_from)
{
    const QStringList values = number_keys(m.capturedView(value_from));
    QStringList out;
    const QString head = m.captured(period) + u' ';
    out << head + (values.isEmpty() ? QStringLiteral("?") : values.front());
    for (qsizetype i = 1; i < values.size(); ++i)
        out << values[i];
    return out;
}

// A remark line's kind and items, by what it tells.
void read_remark(ShownLine& line, const QString& c)
{
    static const QRegularExpression hourly = re("^過去1時間あたりの降水量 (.*)$");
    static const QRegularExpression period = re("^過去(\\d+)時間の降水量 (.*)$");
    static const QRegularExpression extreme = re("^過去(\\d+)時間以内の最(高|低)気温 (.*)$");
    static const QRegularExpression tendency = re("^過去(\\d+)時間の気圧変化 (.*)$");
    static const QRegularExpression time = re("\\d+時\\d+分\\(");
    static const QRegularExpression seen = re("^(空港の|空港で|遠方に)");
    static const QRegularExpression visibility = re("視程は (.*?) ?(キロメートル|メートル|陸マイル)(.*)$");
    static const QRegularExpression layer = re("フィートに(少量の|散在した|多量の|全天を覆う)|^雲低高度不明な");
    const auto kind = [&](const char* k) { line.kind = u8("備考:") + u8(k); };
    QRegularExpressionMatch m;
    if (c.startsWith(u8("高度計規正値 "))) {
        kind("高度計規正値");
        line.items = number_keys(c);
    } else if (c.endsWith(u8("自動観測装置による観測"))) {
        kind("自動観測");
        line.items = number_keys(c);
    } else if (c.startsWith(u8("海面水位圧力 "))) {
        kind("海面気圧");
        line.items = number_keys(c);
    } else if (m = hourly.match(c); m.hasMatch()) {
        kind("1時間降水量");
        line.items = m.captured(1) == u8("0.01インチ以下") ? QStringList{QStringLiteral("trace")}
                                                        : number_keys(m.capturedView(1));
    } else if (m = period.match(c); m.hasMatch()) {
        kind("降水量");
        line.items = period_and_value(m, 1, 2);
    } else if (m = extreme.match(c); m.hasMatch()) {
        kind("最高最低気温");
        line.items = period_and_value(m, 1, 3);
        line.items.front().prepend(m.captured(2) + u' ');
    } else if (m = tendency.match(c); m.hasMatch()) {
        kind("気圧変化");
        line.items = period_and_value(m, 1, 2);
    } else if (c.startsWith(u8("地上気圧が急速に"))) {
        kind("気圧急変");
        line.items = number_keys(c);
    } else if (c.startsWith(u8("地上気温 "))) {
        kind("気温");
        line.items = number_keys(c);
    } else if (c.startsWith(u8("露点温度 "))) {
        kind("露点温度");
        line.items = number_keys(c);
    } else if (time.match(c).hasMatch()) {
        kind("降水時刻");
        line.items = time_keys(c);
    } else if (c.endsWith(u8("にウィンドシァー警報"))) {
        kind("ウィンドシア");
        line.items = number_keys(c);
    } else if (m = visibility.match(c); m.hasMatch()) {
        kind("視程");
        line.items = QStringList{number_keys(m.capturedView(1)).join(u'_') + u' ' + m.captured(2)} +
                     number_keys(c.first(m.capturedStart())) + number_keys(m.capturedView(3));
    } else if (c.startsWith(u8("雲底高度 "))) {
        kind("雲底高度");
        line.items = number_keys(c);
    } else if (c.startsWith(u8("最大風速 "))) {
        kind("最大風速");
        line.items = number_keys(c);
    } else if (c == u8("黄砂を観測") || c == u8("自動観測装置のメンテナンスが必要")) {
        kind("黄砂・保守");
        line.items = number_keys(c);
    } else if (c.endsWith(u8("上に霧を観測"))) {
        kind("滑走路の霧");
        line.items = number_keys(c);
    } else if (layer.match(c).hasMatch()) {
        kind("雲");
        line.items = layers_shown(c);
    } else if (seen.match(c).hasMatch()) {
        kind("方向");
        line.items = number_keys(c);
    } else {
        kind("その他");
        line.items = number_keys(c);
    }
}

// The items of a line of the given label.
void read_line(ShownLine& line, const QString& label, const QString& c)
{
    line.kind = label;
    if (label == u8("雲量/高度")) {
        line.items = layers_shown(c);
    } else if (label == u8("着陸予報")) {
        static const QRegularExpression nothing = re("^に(序々|一時的)に変化$");
        line.empty = line.empty || nothing.match(c).hasMatch();
        line.items = time_keys(c);
    } else if (label == u8("備考")) {
        read_remark(line, c);
    } else {
        line.items = number_keys(c);
    }
    if (!line.items.isEmpty() || line.empty)
        return;
    if (line.kind == u8("備考:方向")) {
        // What was seen and each direction it was seen in.
        static const QRegularExpression seen = re("(稲光|塔状積雲|積乱雲|霧|雨)を観測$");
        static const QRegularExpression point = re("北東|北西|南東|南西|北|南|東|西");
        line.words << seen.match(c).captured(1);
        for (auto it = point.globalMatch(c); it.hasNext();)
            if (const QString p = it.next().captured(0); !line.words.contains(p))
                line.words << p;
        return;
    }
    if (label != u8("現在天気")) {
        line.words << c;
        return;
    }
    // "-SHRA /  弱い(-) しゅう雨(SH)": the group, then its parts; a
    // dictionary word joins the line after two blanks.
    const QStringList pieces = c.split(QStringLiteral("  "), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (pieces[i].endsWith(QStringLiteral(" /"))) {
            line.words << pieces[i].chopped(2);
            ++i;
        } else {
            line.words << pieces[i].trimmed();
        }
    }
}

void add(std::map<QString, QStringList>& to, const QString& kind, const QStringList& items)
{
    to[kind] += items;
}

}  // namespace

bool control_character(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7f && u < 0xa0) || u == 0x2028 || u == 0x2029;
}

QList<ShownLine> shown_lines(const QString& translation)
{
    QList<ShownLine> out;
    const QStringList raw = translation.split(QStringLiteral("\r\n"));
    QString label;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QString& l = raw[i];
        // The header, the blank line after it and the end of the text.
        if ((i == 1 || i == raw.size() - 1) && l.isEmpty())
            continue;
        ShownLine line;
        line.text = l;
        line.control = std::any_of(l.begin(), l.end(), control_character);
        QString content;
        if (i == 0 && l.startsWith(u"*** ")) {
            line.kind = u8("見出し");
            line.items = time_keys(l);
            out << line;
            continue;
        }
        if (l.startsWith(indent())) {
            content = l.mid(indent().size());
        } else if (const qsizetype colon = l.indexOf(u8("： ")); colon >= 0) {
            label = QString(l.first(colon)).remove(u'　').remove(u' ');
            content = l.mid(colon + 2);
        } else {
            label = u8("(ラベルなし)");
            content = l;
        }
        line.empty = blank(content);
        read_line(line, label, content);
        out << line;
    }
    return out;
}

// Where the held weather words are kept.
const QString weather_words = QStringLiteral("#weather");

Held held_items(const QString& body, const ReportContext& context)
{
    // Control and format characters part groups as blanks do.
    static const QRegularExpression blanks(QStringLiteral("[\\s\\p{Cc}\\p{Cf}]+"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    // A visibility or CAVOK glued to the wind (12006KT5000) is a group of
    // its own; a gust may be written in lower case.
    static const QRegularExpression glued_wind(
        QStringLiteral("^((?:\\d{3}|VRB)P?\\d{2,3}(?:[Gg]P?\\d{2,3})?(?:KTS?|MPS))(\\d{4}|CAVOK)?$"));
    static const QRegularExpression spaced_time(QStringLiteral("^(\\d{4})Z?$"));
    static const QRegularExpression trend_time = re("^(?:TL|FM|AT)(\\d\\d)(\\d\\d)$");
    static const QRegularExpression trend_visibility = re("^\\d{4}$");
    QStringList groups;
    for (const QString& raw : body.split(blanks, Qt::SkipEmptyParts)) {
        const QString g = without_end(raw);
        const auto w = glued_wind.match(g);
        // The word of a trend time and its time apart (FM 0550Z, TL 1800).
        const auto t = spaced_time.match(g);
        if (w.hasMatch()) {
            groups << w.captured(1).replace(u'g', u'G');
            if (w.hasCaptured(2))
                groups << w.captured(2);
        } else if (t.hasMatch() && !groups.isEmpty() &&
                   (groups.back() == u"FM" || groups.back() == u"TL" || groups.back() == u"AT")) {
            groups.back() += t.captured(1);
        } else {
            groups << g;
        }
    }
    // A second report run on in the same line is not this one's.
    for (qsizetype i = 1; i < groups.size(); ++i)
        if (groups[i] == u"METAR" || groups[i] == u"SPECI") {
            groups.resize(i);
            break;
        }
    const auto index_of = [&](std::initializer_list<const char*> words, qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            for (const char* w : words)
                if (groups[i] == QLatin1String(w))
                    return i;
        return to;
    };
    const qsizetype n = groups.size();
    const qsizetype rmk = index_of({"RMK"}, 0, n);
    const qsizetype observation_end = index_of({"BECMG", "TEMPO", "NOSIG", "RMK"}, 0, n);
    const qsizetype trend_start = index_of({"BECMG", "TEMPO"}, 0, rmk);
    qsizetype temperature_at = 0;
    while (temperature_at < observation_end && !temperatures(groups[temperature_at]))
        ++temperature_at;

    Held held;
    const auto both = [&](const QString& kind, const QStringList& items) {
        add(held.allowed, kind, items);
        add(held.required, kind, items);
    };
    const auto dictionary_numbers = [&](const QString& kind, const QString& g) {
        if (context.dictionary)
            add(held.allowed, kind, number_keys(context.dictionary(g)));
    };

    if (const auto t = day_time(context.day_time))
        add(held.allowed, u8("見出し"),
            {time_key(moved_hour(t->hour, context.difference), t->minute, context.zone)});

    // The observation: wind, visibility, runway visual range, cloud and
    // vertical visibility before the temperatures; the pressure after them.
    bool wind_read = false, range_read = false, visibility_read = false;
    for (qsizetype i = 0; i < temperature_at; ++i) {
        const QString& g = groups[i];
        const QString next = i + 1 < n ? groups[i + 1] : QString();
        if (const auto w = wind(g); w && !wind_read) {
            wind_read = true;
            add(held.allowed, u8("風向/風速"), *w);
            // A variable wind's gust is not told.
            add(held.required, u8("風向/風速"), g.startsWith(u"VRB") && g.contains(u'G') ? w->mid(0, 1) : *w);
        } else if (const auto r = wind_range(g); r && !range_read) {
            range_read = true;
            both(u8("風向/風速"), *r);
        } else if (!visibility_read && (prevailing_visibility(g) || directional_visibility(g) ||
                                        (whole_miles(g) && mile_fraction(next)))) {
            visibility_read = true;
            QStringList v;
            if (whole_miles(g)) {
                v = number_keys(QString(g + u' ' + next));
                ++i;
            } else {
                v = prevailing_visibility(g) ? *prevailing_visibility(g) : *directional_visibility(g);
            }
            for (; i + 1 < temperature_at && directional_visibility(groups[i + 1]); ++i)
                v += *directional_visibility(groups[i + 1]);
            both(u8("地上視程"), v);
        } else if (const auto r = runway_visual_range(g)) {
            // A value above the range may be told once for both ends.
            add(held.allowed, u8("滑走路視距離"), *r);
            QStringList once = *r;
            once.removeDuplicates();
            add(held.required, u8("滑走路視距離"), once);
        } else if (const auto c = cloud_layers(g)) {
            both(u8("雲量/高度"), *c);
        } else if (const auto vv = vertical_visibility(g)) {
            both(u8("鉛直視程"), *vv);
        }
    }
    if (temperature_at < observation_end) {
        const Temperatures t = *temperatures(groups[temperature_at]);
        both(u8("地上気温"), t.air);
        both(u8("露点温度"), t.dew);
    }
    for (qsizetype i = 0; i < observation_end; ++i) {
        if (const auto a = altimeter(groups[i])) {
            both(u8("高度計規正値"), *a);
            break;
        }
        if (const auto q = qnh(groups[i])) {
            both(u8("地上気圧"), *q);
            break;
        }
    }
    // The weather: numbers of the dictionary's meanings; the groups, their
    // meanings and the sky words for the lines lost.
    for (qsizetype i = 0; i < observation_end; ++i) {
        const QString& g = groups[i];
        dictionary_numbers(u8("現在天気"), g);
        const QString meaning = context.dictionary ? context.dictionary(g) : QString();
        if (!meaning.isEmpty())
            add(held.allowed, weather_words, {meaning});
        else if (weather_group(g))
            add(held.allowed, weather_words, {g});
        if (g == u"SKC")
            add(held.allowed, weather_words, {u8("快晴")});
        if (g == u"CAVOK")
            add(held.allowed, weather_words, {u8("晴れ")});
    }

    // The landing forecast.
    for (qsizetype i = trend_start; i < rmk; ++i) {
        const QString& g = groups[i];
        const QString kind = u8("着陸予報");
        const QString next = i + 1 < rmk ? groups[i + 1] : QString();
        if (const auto m = trend_time.match(g); m.hasMatch()) {
            add(held.allowed, kind,
                {time_key(moved_hour(m.capturedView(1), context.difference), m.capturedView(2), context.zone)});
        } else if ((g == u"TL" || g == u"FM" || g == u"AT") && trend_visibility.match(next).hasMatch()) {
            // "TL 1800": the time written apart.
            add(held.allowed, kind,
                {time_key(moved_hour(QStringView(next).first(2), context.difference), QStringView(next).sliced(2),
                          context.zone)});
            ++i;
        } else if (const auto w = wind(g)) {
            add(held.allowed, kind, *w);
        } else if (const auto c = cloud_layers(g)) {
            for (const QString& layer : *c)
                add(held.allowed, kind, {layer.split(u' ')[1]});
        } else if (trend_visibility.match(g).hasMatch()) {
            add(held.allowed, kind, number_keys(g));
        }
        dictionary_numbers(kind, g);
    }

    // The remarks.
    const QString report_hour =
        day_time(context.day_time) ? moved_hour(day_time(context.day_time)->hour, context.difference) : QString();
    for (qsizetype i = rmk + 1; i < n; ++i) {
        const QString& g = groups[i];
        const QString next = i + 1 < n ? groups[i + 1] : QString();
        if (const auto a = altimeter(g))
            both(u8("備考:高度計規正値"), *a);
        else if (const auto p = sea_level_pressure(g))
            both(u8("備考:海面気圧"), *p);
        else if (const auto t = remark_temperatures(g)) {
            both(u8("備考:気温"), t->air);
            both(u8("備考:露点温度"), t->dew);
        } else if (const auto h = hourly_precipitation(g))
            add(held.allowed, u8("備考:1時間降水量"), *h);
        else if (const auto p = period_precipitation(g, context.day_time))
            add(held.allowed, u8("備考:降水量"), *p);
        else if (const auto e = extreme_temperatures(g))
            add(held.allowed, u8("備考:最高最低気温"), *e);
        else if (const auto p = pressure_tendency(g))
            add(held.allowed, u8("備考:気圧変化"), *p);
        else if (const auto l = remark_layer(g)) {
            add(held.allowed, u8("備考:雲"), {l->layer});
            add(held.allowed, u8("雲量/高度"), {l->layer});
        } else if (const auto t = precipitation_times(g, report_hour, context.difference, context.zone))
            add(held.allowed, u8("備考:降水時刻"), *t);
        else if (g == u"VIS" && direction(next)) {
            // A word may stand between the direction and the value ("VIS S
            // QUAD 3/4").
            static const QRegularExpression word = re("^[A-Z]+$");
            qsizetype at = i + 2;
            if (at + 1 < n && word.match(groups[at]).hasMatch())
                ++at;
            if (at < n)
                if (const auto v = remark_visibility(groups[at], at + 1 < n ? groups[at + 1] : QString()))
                    add(held.allowed, u8("備考:視程"), v->split(u'|'));
        } else if (g == u"CIG") {
            if (const auto c = ceiling(next))
                both(u8("備考:雲底高度"), *c);
        }
    }
    // Remarks read anywhere in the body.
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (groups[i] == u"WS")
            if (const auto r = wind_shear_runway(groups[i + 1]))
                add(held.allowed, u8("備考:ウィンドシア"), *r);
        if (i + 2 < n && groups[i] == u"MAX" && groups[i + 1] == u"WIND")
            add(held.allowed, u8("備考:最大風速"), number_keys(groups[i + 2]));
        if (i + 2 < n && groups[i] == u"FOG" && groups[i + 1] == u"ON")
            add(held.allowed, u8("備考:滑走路の霧"), number_keys(groups[i + 2]));
    }
    return held;
}

namespace {

// The items of wanted that no item of pool stands for; those that do are
// taken from pool.
QStringList take(const QStringList& wanted, QStringList& pool)
{
    QStringList left;
    QList<bool> done(wanted.size(), false);
    // Equal items first, so that a layer with its type is not used up for
    // one without.
    for (qsizetype i = 0; i < wanted.size(); ++i)
        if (const qsizetype at = pool.indexOf(wanted[i]); at >= 0) {
            pool.removeAt(at);
            done[i] = true;
        }
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        if (done[i])
            continue;
        const auto at = std::find_if(pool.begin(), pool.end(), [&](const QString& p) { return fits(p, wanted[i]); });
        if (at == pool.end())
            left << wanted[i];
        else
            pool.erase(at);
    }
    return left;
}

}  // namespace

QStringList unmatched(const QStringList& wanted, QStringList pool) { return take(wanted, pool); }

namespace {

// Without a day-time group the header's time stands for the report's (the
// header itself is then not checked).
ReportContext with_time(const ReportContext& context, const QString& translation)
{
    static const QRegularExpression header = re("^\\*\\*\\* .*(\\d\\d)時(\\d\\d)分\\(([^)]*)\\) 発表");
    if (!context.day_time.isEmpty())
        return context;
    ReportContext out = context;
    if (const auto m = header.match(translation); m.hasMatch()) {
        out.day_time = QStringLiteral("01") + m.captured(1) + m.captured(2) + u'Z';
        out.difference = 0;
        out.zone = m.captured(3);
    }
    return out;
}

}  // namespace

NumberCheck check_numbers(const QString& body, const QString& translation, const ReportContext& given)
{
    const ReportContext context = with_time(given, translation);
    const QList<ShownLine> lines = shown_lines(translation);
    const Held held = held_items(body, context);
    NumberCheck out;
    const auto note = [](QStringList& kinds, const QString& kind) {
        if (!kinds.contains(kind))
            kinds << kind;
    };
    std::map<QString, QStringList> pool = held.allowed, shown;
    for (const ShownLine& line : lines) {
        if (line.empty)
            note(out.empty, line.kind);
        if (line.control)
            note(out.control, line.kind);
        shown[line.kind] += line.items;
        if (line.kind == u8("見出し") && given.day_time.isEmpty())
            continue;
        // What a line shows is used up for the lines after it.
        for (const QString& item : take(line.items, pool[line.kind])) {
            note(out.foreign, line.kind);
            out.foreign_details << LineFault{line.kind, line.text, item};
        }
    }
    for (const auto& [kind, items] : held.required)
        for (const QString& item : unmatched(items, shown[kind])) {
            note(out.lost, kind);
            out.lost_details << LineFault{kind, QString(), item};
        }
    return out;
}

std::map<QString, QStringList> no_longer_shown(const QString& body, const QString& before, const QString& now,
                                               const ReportContext& context)
{
    const Held held = held_items(body, context);
    const auto items_by_kind = [&](const QString& text, bool own_only) {
        std::map<QString, QStringList> out;
        std::map<QString, QStringList> pool = held.allowed;
        for (const ShownLine& line : shown_lines(text)) {
            QStringList items = line.items;
            if (own_only)
                for (const QString& f : take(line.items, pool[line.kind]))
                    items.removeOne(f);
            out[line.kind] += items;
            QStringList words = line.words;
            if (own_only && line.kind == u8("現在天気"))
                for (const QString& f : take(line.words, pool[weather_words]))
                    words.removeOne(f);
            out[line.kind] += words;
        }
        return out;
    };
    const auto then = items_by_kind(before, true);
    auto current = items_by_kind(now, false);
    std::map<QString, QStringList> out;
    for (const auto& [kind, items] : then)
        if (const QStringList gone = unmatched(items, current[kind]); !gone.isEmpty())
            out[kind] = gone;
    return out;
}

}  // namespace kolde_test
