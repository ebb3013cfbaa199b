#include "support/report_numbers.h"

#include <QRegularExpression>

#include <algorithm>

namespace kolde_test {

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

QRegularExpression whole(const char* pattern)
{
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QString::fromLatin1(pattern)));
}

// The numbers of a text, "マイナス " making the next one negative.
QList<double> numbers_in(const QString& text)
{
    static const QRegularExpression number(u8("(マイナス )?(\\d+(?:\\.\\d+)?)"));
    QList<double> out;
    for (auto it = number.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out << (m.hasCaptured(1) ? -1 : 1) * m.captured(2).toDouble();
    }
    return out;
}

bool matches(const QRegularExpression& re, const QString& s) { return re.match(s).hasMatch(); }

// Lines are named by their label; an indented line belongs to the label
// above it. Only the lines of one group's numbers count.
const QStringList& counted_labels()
{
    static const QStringList labels = {u8("風向/風速"), u8("地上視程"), u8("鉛直視程"), u8("雲量/高度"),
                                       u8("地上気温"),  u8("露点温度"), u8("地上気圧"), u8("高度計規正値")};
    return labels;
}

}  // namespace

Numbers shown_numbers(const QString& translation)
{
    Numbers out;
    QString label;
    for (const QString& l : translation.split(QStringLiteral("\r\n"))) {
        const qsizetype colon = l.indexOf(u8("： "));
        if (!l.startsWith(u8("　")) && colon >= 0)
            label = QString(l.first(colon)).remove(u8("　")).remove(u' ');
        if (const qsizetype at = l.indexOf(u8("のRVRは、")); at >= 0) {
            out[QStringLiteral("RVR")] += numbers_in(l.mid(at));
            out[QStringLiteral("RVR lines")] << 0;
        } else if (const qsizetype ceiling = l.indexOf(u8("雲底高度 ")); ceiling >= 0) {
            out[u8("雲底高度")] += numbers_in(l.mid(ceiling));
        } else if (counted_labels().contains(label)) {
            const QString key = label == u8("高度計規正値") ? u8("地上気圧") : label;
            out[key] += numbers_in(l.startsWith(u8("　")) ? l : l.mid(colon));
        }
    }
    return out;
}

Numbers held_numbers(QString body)
{
    static const QRegularExpression wind = whole("(\\d{3}|VRB)(P?)(\\d{2,3})(?:G(P?)(\\d{2,3}))?(KTS?|MPS)");
    static const QRegularExpression range = whole("(\\d{3})V(\\d{3})");
    static const QRegularExpression prevailing =
        whole("\\d{4}(?:NDV)?|\\d+KM|[PM]?\\d+(?:/\\d+)?SM|\\d\\d?_\\d+/\\d+SM");
    static const QRegularExpression towards = whole("\\d{4}(?:N|NE|E|SE|S|SW|W|NW)");
    // A dew point that cannot be read is a few characters, not digits alone.
    static const QRegularExpression temperature = whole("(M?\\d\\d)/(/*|M?\\d\\d|(?!\\d+$)[^/]{1,4})");
    static const QRegularExpression degrees = whole("M?\\d\\d");
    static const QRegularExpression pressure = whole("[QA]\\d{4}");
    static const QRegularExpression rvr =
        whole("R\\d\\d[LRC]?/(?:/+|(?:[PM]?\\d{4}|////)(?:V[PM]?\\d{4})?(?:FT)?/?[UDN]?)");
    static const QRegularExpression vertical = whole("VV(\\d{3})");
    static const QRegularExpression cloud = whole("(?:FEW|SCT|BKN|OVC)(\\d{3})(?:(?:CB|TCU)?(?:///)?|CI|CC|CS|AC|AS|NS|SC|ST|CU)");
    static const QRegularExpression ceiling = whole("(\\d{3})(?:V(\\d{3}))?");

    // Whole miles and their fraction ("1 1/2SM") as one group.
    body.replace(QRegularExpression(QStringLiteral("(^| )(\\d\\d?) (\\d+/\\d+SM)")), QStringLiteral("\\1\\2_\\3"));
    const QStringList groups = body.split(QRegularExpression(QStringLiteral("\\s+"), QRegularExpression::UseUnicodePropertiesOption),
                                           Qt::SkipEmptyParts);
    const qsizetype remarks = groups.indexOf(QStringLiteral("RMK"));
    // The observation ends at a trend or the remarks; its groups stand in
    // their order: the temperature after the others, the pressure after it.
    qsizetype end = 0;
    while (end < groups.size() && !QStringList{"BECMG", "TEMPO", "NOSIG", "RMK"}.contains(groups[end]))
        ++end;
    qsizetype temperature_at = 0;
    while (temperature_at < end && !(matches(temperature, groups[temperature_at]) &&
                                     !groups[temperature_at].endsWith(QStringLiteral("SM"))))
        ++temperature_at;

    Numbers held;
    const auto first = [&](const QRegularExpression& re, qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            if (auto m = re.match(groups[i]); m.hasMatch())
                return m;
        return QRegularExpressionMatch();
    };
    const auto hundreds = [](const QString& digits) { return digits.toDouble() * 100; };

    if (const auto w = first(wind, 0, temperature_at); w.hasMatch()) {
        QList<double>& n = held[u8("風向/風速")];
        const double above = w.captured(6) == u"MPS" ? 50 : 100;
        if (w.captured(0) == u"00000KT") {
            n << 0.4;
        } else if (w.captured(0) != u"00000MPS") {
            if (w.captured(1) != u"VRB")
                n << w.captured(1).toDouble();
            n << (w.captured(2).isEmpty() ? w.captured(3).toDouble() : above);
            if (w.captured(1) != u"VRB" && w.hasCaptured(5))
                n << (w.captured(4).isEmpty() ? w.captured(5).toDouble() : above);
        }
    }
    if (const auto r = first(range, 0, temperature_at); r.hasMatch())
        held[u8("風向/風速")] << r.captured(1).toDouble() << r.captured(2).toDouble();

    // The prevailing visibility, a visibility towards one point standing for
    // it when there is none, then the visibilities towards other points.
    for (qsizetype i = 0; i < temperature_at; ++i) {
        if (!matches(prevailing, groups[i]) && !matches(towards, groups[i]))
            continue;
        QList<double>& n = held[u8("地上視程")];
        n = groups[i].startsWith(QStringLiteral("9999")) ? QList<double>{10}
                                                         : numbers_in(QString(groups[i]).replace(u'_', u' '));
        while (++i < temperature_at && matches(towards, groups[i]))
            n += numbers_in(groups[i].first(4));
        break;
    }

    if (temperature_at < end) {
        const auto t = temperature.match(groups[temperature_at]);
        const auto degrees_of = [](QString d) { return numbers_in(d.replace(u'M', u8("マイナス "))); };
        held[u8("地上気温")] = degrees_of(t.captured(1));
        if (matches(degrees, t.captured(2)))
            held[u8("露点温度")] = degrees_of(t.captured(2));
    }

    if (const auto p = first(pressure, 0, end); p.hasMatch())
        held[u8("地上気圧")] = {numbers_in(p.captured(0)).front() / (p.captured(0).startsWith(u'A') ? 100 : 1)};
    if (const auto v = first(vertical, 0, temperature_at); v.hasMatch())
        held[u8("鉛直視程")] = {hundreds(v.captured(1))};

    for (qsizetype i = 0; i < temperature_at; ++i) {
        if (matches(rvr, groups[i])) {
            held[QStringLiteral("RVR")] += numbers_in(groups[i].mid(groups[i].indexOf(u'/')));
            held[QStringLiteral("RVR lines")] << 0;
        }
        if (const auto c = cloud.match(groups[i]); c.hasMatch())
            held[u8("雲量/高度")] << hundreds(c.captured(1));
    }

    for (qsizetype i = remarks + 1; remarks >= 0 && i + 1 < groups.size(); ++i) {
        const auto c = ceiling.match(groups[i + 1]);
        if (groups[i] != u"CIG" || !c.hasMatch())
            continue;
        held[u8("雲底高度")] << hundreds(c.captured(1));
        if (c.hasCaptured(2))
            held[u8("雲底高度")] << hundreds(c.captured(2));
    }
    return held;
}

NumberCheck check_numbers(const QString& body, const QString& translation)
{
    Numbers shown = shown_numbers(translation), held = held_numbers(body);
    NumberCheck out;
    const auto within = [](const QList<double>& part, const QList<double>& all) {
        return std::all_of(part.begin(), part.end(), [&](double n) { return all.contains(n); });
    };
    for (const auto& [label, numbers] : shown) {
        // An RVR value above the range may be shown once for both its groups.
        const bool counted = label != u"RVR";
        if (!within(numbers, held[label]) || (counted && numbers.size() > held[label].size()))
            out.foreign << label;
    }
    for (const auto& [label, numbers] : held) {
        const bool counted = label != u"RVR";
        if (!within(numbers, shown[label]) || (counted && numbers.size() > shown[label].size()))
            out.lost << label;
    }
    return out;
}

}  // namespace kolde_test
