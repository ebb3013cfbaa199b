#include "support/report_forms.h"

#include <QRegularExpression>

#include <cmath>

namespace kolde_test::forms {

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

QRegularExpression whole(const char* pattern)
{
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QString::fromUtf8(pattern)));
}

double number(QStringView digits) { return digits.toString().toDouble(); }

QString hundreds(QStringView digits) { return number_key(number(digits) * 100); }

// Tenths with a sign digit before them: "1" and "012" give -1.2.
QString signed_tenths(QStringView sign, QStringView digits)
{
    return number_key((sign == u"1" ? -1 : 1) * number(digits) / 10);
}

QString amount_word(QStringView code)
{
    if (code == u"FEW")
        return u8("少量");
    if (code == u"SCT")
        return u8("散在");
    if (code == u"BKN")
        return u8("多量");
    return u8("全天");
}

QString octas_word(int octas)
{
    if (octas <= 2)
        return u8("少量");
    if (octas <= 4)
        return u8("散在");
    if (octas <= 7)
        return u8("多量");
    return u8("全天");
}

QString type_class(QStringView type)
{
    return type == u"CB" || type == u"TCU" ? type.toString() : QStringLiteral("-");
}

}  // namespace

QString number_key(double v)
{
    if (v == 0)
        return QStringLiteral("0");
    return QString::number(v, 'g', 10);
}

QStringList number_keys(QStringView text)
{
    static const QRegularExpression re(u8("(マイナス ?)?(\\d+(?:\\.\\d+)?)"));
    QStringList out;
    for (auto it = re.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out << number_key((m.hasCaptured(1) ? -1 : 1) * number(m.capturedView(2)));
    }
    return out;
}

QStringList time_keys(QStringView text, QString* rest)
{
    static const QRegularExpression re(u8("(\\d+)時(\\d+)分\\(([^)]*)\\)"));
    QStringList out;
    QString left;
    qsizetype from = 0;
    for (auto it = re.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out << time_key(m.capturedView(1), m.capturedView(2), m.capturedView(3));
        left += text.sliced(from, m.capturedStart() - from);
        left += u' ';
        from = m.capturedEnd();
    }
    left += text.sliced(from);
    out += number_keys(left);
    if (rest)
        *rest = left;
    return out;
}

QString time_key(QStringView hour, QStringView minute, QStringView zone)
{
    return hour.toString() + u':' + minute.toString() + u'(' + zone.toString() + u')';
}

QString moved_hour(QStringView hh, int difference)
{
    if (difference == 0)
        return hh.toString();
    const int h = ((static_cast<int>(number(hh)) + difference) % 24 + 24) % 24;
    return QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0'));
}

QString layer_key(QStringView amount, QStringView height, QStringView type)
{
    return amount.toString() + u' ' + height.toString() + u' ' + type.toString();
}

bool fits(const QString& held, const QString& shown)
{
    if (held == shown)
        return true;
    const QStringList h = held.split(u' '), s = shown.split(u' ');
    if (h.size() != 3 || s.size() != 3 || h[0] != s[0] || h[1] != s[1])
        return false;
    return s[2] == u"-";
}

QString without_end(const QString& group) { return group.endsWith(u'=') ? group.chopped(1) : group; }

// ---------------------------------------------------------------- observation

std::optional<QStringList> wind(const QString& g)
{
    static const QRegularExpression re = whole("(\\d{3}|VRB)(P?)(\\d{2,3})(?:G(P?)(\\d{2,3}))?(KT|KTS|MPS)");
    // The speed without its direction.
    static const QRegularExpression speed_only = whole("///(\\d{2,3})(?:KT|MPS)");
    if (const auto m = speed_only.match(g); m.hasMatch())
        return QStringList{number_key(number(m.capturedView(1)))};
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    if (g == u"00000KT")
        return QStringList{QStringLiteral("0.4")};
    if (g == u"00000MPS")
        return QStringList{};
    const QString above = m.captured(6) == u"MPS" ? QStringLiteral("50") : QStringLiteral("100");
    QStringList out;
    if (m.captured(1) != u"VRB")
        out << number_key(number(m.capturedView(1)));
    out << (m.captured(2).isEmpty() ? number_key(number(m.capturedView(3))) : above);
    if (m.hasCaptured(5))
        out << (m.captured(4).isEmpty() ? number_key(number(m.capturedView(5))) : above);
    return out;
}

bool wind_not_reported(const QString& g)
{
    static const QRegularExpression re = whole("/{5,6}(?:KT|MPS)");
    return re.match(g).hasMatch();
}

std::optional<QStringList> wind_range(const QString& g)
{
    static const QRegularExpression re = whole("(\\d{3})V(\\d{3})");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    return QStringList{number_key(number(m.capturedView(1))), number_key(number(m.capturedView(2)))};
}

std::optional<QStringList> prevailing_visibility(const QString& g)
{
    static const QRegularExpression metres = whole("(\\d{4})(?:NDV)?");
    static const QRegularExpression km = whole("(\\d{1,2})KM");
    static const QRegularExpression miles = whole("[PM]?\\d{1,3}(?:/\\d{1,2})?SM");
    if (const auto m = metres.match(g); m.hasMatch())
        return m.captured(1) == u"9999" ? QStringList{QStringLiteral("10")} : number_keys(m.capturedView(1));
    if (km.match(g).hasMatch() || miles.match(g).hasMatch())
        return number_keys(g);
    return std::nullopt;
}

std::optional<QStringList> directional_visibility(const QString& g)
{
    static const QRegularExpression re = whole("(\\d{4})(?:N|NE|E|SE|S|SW|W|NW)");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    return number_keys(m.capturedView(1));
}

bool whole_miles(const QString& g)
{
    static const QRegularExpression re = whole("\\d{1,2}");
    return re.match(g).hasMatch();
}

bool mile_fraction(const QString& g)
{
    static const QRegularExpression re = whole("\\d/\\d{1,2}SM");
    return re.match(g).hasMatch();
}

std::optional<QStringList> runway_visual_range(const QString& g)
{
    static const QRegularExpression re = whole(
        "R(\\d\\d)[LRC]?/(?:/{3,}[UDN]?|[PM]?(\\d{4})(?:V[PM]?(\\d{4}))?(?:FT)?/?[UDN]?)");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    QStringList out{number_key(number(m.capturedView(1)))};
    for (int i : {2, 3})
        if (m.hasCaptured(i))
            out << number_key(number(m.capturedView(i)));
    return out;
}

std::optional<QStringList> cloud_layers(const QString& g)
{
    // A layer: amount, height (or "///"), cloud type, a type not observed
    // ("///"); a direction may follow ("FEW025CB(E)", "FEW025CBNE",
    // "BKN010CB/SE"). A group that begins with layers says them whatever
    // follows (BKN010CBV/S), but a digit after one makes its height
    // another (FEW0014).
    static const QString layer =
        QStringLiteral("(FEW|SCT|BKN|OVC)(\\d{3}|///)((?!SCT)(?:CB|TCU|CI|CC|CS|AC|AS|NS|SC|ST|CU))?/{0,3}");
    static const QString point = QStringLiteral("[NSEW]{1,3}");
    static const QRegularExpression form(
        QStringLiteral("^(?:%1(?![0-9])(?:[(/]?%2(?:-%2)?(?![A-Z0-9])\\)?)?)+").arg(layer, point));
    static const QRegularExpression one(layer);
    const auto front = form.match(g);
    if (!front.hasMatch())
        return std::nullopt;
    QStringList out;
    for (auto it = one.globalMatch(front.captured(0)); it.hasNext();) {
        const auto m = it.next();
        const QString height = m.captured(2) == u"///" ? QStringLiteral("?") : hundreds(m.capturedView(2));
        out << layer_key(amount_word(m.capturedView(1)), height, type_class(m.capturedView(3)));
    }
    return out;
}

std::optional<QStringList> vertical_visibility(const QString& g)
{
    static const QRegularExpression re = whole("VV(\\d{3}|///)");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    if (m.captured(1) == u"///")
        return QStringList{};
    return QStringList{hundreds(m.capturedView(1))};
}

std::optional<Temperatures> temperatures(const QString& g)
{
    // A dew point not reported, or written in no known form, holds nothing.
    static const QRegularExpression re = whole("(M?)(\\d\\d)/(?:(M?)(\\d\\d)|/*|(?!\\d+$)[^/]{1,4})");
    const auto m = re.match(g);
    if (!m.hasMatch() || g.endsWith(QStringLiteral("SM")) || g.endsWith(QStringLiteral("KT")))
        return std::nullopt;
    Temperatures t;
    t.air << number_key((m.captured(1).isEmpty() ? 1 : -1) * number(m.capturedView(2)));
    if (m.hasCaptured(4))
        t.dew << number_key((m.captured(3).isEmpty() ? 1 : -1) * number(m.capturedView(4)));
    return t;
}

std::optional<QStringList> altimeter(const QString& g)
{
    static const QRegularExpression re = whole("A(\\d{4})");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    return QStringList{number_key(number(m.capturedView(1)) / 100)};
}

std::optional<QStringList> qnh(const QString& g)
{
    static const QRegularExpression re = whole("Q(\\d{4})");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    return QStringList{number_key(number(m.capturedView(1)))};
}

std::optional<DayTime> day_time(const QString& g)
{
    static const QRegularExpression re = whole("(0[1-9]|[12]\\d|3[01])([01]\\d|2[0-4])([0-5]\\d)Z");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    return DayTime{m.captured(1), m.captured(2), m.captured(3)};
}

// ---------------------------------------------------------------- remarks

std::optional<QStringList> sea_level_pressure(const QString& g)
{
    static const QRegularExpression re = whole("SLP(\\d{3})");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    const double tenths = number(m.capturedView(1)) / 10;
    return QStringList{number_key((m.captured(1)[0] <= u'4' ? 1000 : 900) + tenths)};
}

std::optional<Temperatures> remark_temperatures(const QString& g)
{
    // The maintenance mark may be glued to the group (T01220117$).
    static const QRegularExpression re = whole("T([01])(\\d{3})(?:([01])(\\d{3}))?\\$?");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    Temperatures t;
    t.air << signed_tenths(m.capturedView(1), m.capturedView(2));
    if (m.hasCaptured(4))
        t.dew << signed_tenths(m.capturedView(3), m.capturedView(4));
    return t;
}

std::optional<QStringList> hourly_precipitation(const QString& g)
{
    static const QRegularExpression re = whole("P(\\d{4})");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    const double hundredths = number(m.capturedView(1));
    return QStringList{hundredths == 0 ? QStringLiteral("trace") : number_key(hundredths / 100)};
}

std::optional<QStringList> period_precipitation(const QString& g, const QString& day_time)
{
    static const QRegularExpression re = whole("([67])(\\d{4}|////)");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    // An amount not reported: "?".
    const QString amount =
        m.captured(2) == u"////" ? QStringLiteral("?") : number_key(number(m.capturedView(2)) / 100);
    if (m.captured(1) == u"7")
        return QStringList{QStringLiteral("24 ") + amount};
    if (const auto t = forms::day_time(day_time)) {
        const int nearest = (t->hour.toInt() + (t->minute.toInt() >= 30 ? 1 : 0)) % 24;
        if (nearest % 6 == 0)
            return QStringList{QStringLiteral("6 ") + amount};
        if (nearest % 6 == 3)
            return QStringList{QStringLiteral("3 ") + amount};
    }
    return QStringList{QStringLiteral("3 ") + amount, QStringLiteral("6 ") + amount};
}

bool weather_group(const QString& g)
{
    static const QRegularExpression re = whole(
        "(?:[-+]|VC|RE)?(?:MI|BC|PR|DR|BL|SH|TS|FZ){0,2}(?:DZ|RA|SN|SG|IC|PL|GR|GS|UP|BR|FG|FU|VA|DU|SA|HZ|PO|SQ|FC|SS|DS){0,3}|NSW");
    return g.size() >= 2 && g != u"RE" && g != u"VC" && re.match(g).hasMatch();
}

std::optional<QStringList> extreme_temperatures(const QString& g)
{
    static const QRegularExpression six = whole("([12])([01])(\\d{3})");
    static const QRegularExpression six_missing = whole("([12])////");
    static const QRegularExpression day = whole("4([01])(\\d{3})([01])(\\d{3})");
    if (const auto m = six_missing.match(g); m.hasMatch())
        return QStringList{m.captured(1) == u"1" ? u8("高 6 ?") : u8("低 6 ?")};
    if (const auto m = six.match(g); m.hasMatch())
        return QStringList{(m.captured(1) == u"1" ? u8("高 6 ") : u8("低 6 ")) +
                           signed_tenths(m.capturedView(2), m.capturedView(3))};
    if (const auto m = day.match(g); m.hasMatch())
        return QStringList{u8("高 24 ") + signed_tenths(m.capturedView(1), m.capturedView(2)),
                           u8("低 24 ") + signed_tenths(m.capturedView(3), m.capturedView(4))};
    return std::nullopt;
}

std::optional<QStringList> pressure_tendency(const QString& g)
{
    static const QRegularExpression re = whole("5[0-8](\\d{3})");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    return QStringList{QStringLiteral("3 ") + number_key(number(m.capturedView(1)) / 10)};
}

std::optional<RemarkLayer> remark_layer(const QString& g)
{
    static const QRegularExpression re = whole("([1-8])(CB|TCU|ST|SC|NS|CU|AS|CI|CC|CS|AC)(\\d{3})");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    const int octas = m.captured(1).toInt();
    return RemarkLayer{layer_key(octas_word(octas), hundreds(m.capturedView(3)), type_class(m.capturedView(2))),
                       octas};
}

std::optional<QStringList> precipitation_times(const QString& g, QStringView report_hour, int difference,
                                               QStringView zone)
{
    // Kinds of precipitation (or thunder) each followed by begin and end
    // times, hhmm or mm: "RAB1159E12SNB12".
    static const QRegularExpression form = whole("[-+]?(?:[A-Z]{2,6}(?:[BE](?:\\d{4}|\\d{2}))+)+");
    static const QRegularExpression time(QStringLiteral("[BE](\\d{4}|\\d{2})(?!\\d)"));
    if (!form.match(g).hasMatch())
        return std::nullopt;
    QStringList out;
    for (auto it = time.globalMatch(g); it.hasNext();) {
        const QString t = it.next().captured(1);
        if (t.size() == 4)
            out << time_key(moved_hour(QStringView(t).first(2), difference), QStringView(t).sliced(2), zone);
        else
            out << time_key(report_hour, t, zone);
    }
    return out;
}

bool direction(const QString& g)
{
    static const QRegularExpression re = whole("[NSEW]{1,3}(?:-[NSEW]{1,3})?");
    return re.match(g).hasMatch();
}

std::optional<QStringList> ceiling(const QString& g)
{
    static const QRegularExpression re = whole("(\\d{3})(?:V(\\d{3}))?");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    QStringList out{hundreds(m.capturedView(1))};
    if (m.hasCaptured(2))
        out << hundreds(m.capturedView(2));
    return out;
}

std::optional<QStringList> wind_shear_runway(const QString& g)
{
    static const QRegularExpression re = whole("R(?:WY)?(\\d\\d)[LRC]?");
    const auto m = re.match(g);
    if (!m.hasMatch())
        return std::nullopt;
    return QStringList{number_key(number(m.capturedView(1)))};
}

std::optional<QString> remark_visibility(const QString& g, const QString& next)
{
    static const QRegularExpression metres = whole("(\\d{4})");
    static const QRegularExpression km = whole("(\\d{1,2})KM");
    static const QRegularExpression miles = whole("\\d{1,2}(?:/\\d{1,2})?(?:SM)?");
    if (const auto m = metres.match(g); m.hasMatch())
        return number_key(number(m.capturedView(1))) + u8(" メートル");
    if (const auto m = km.match(g); m.hasMatch())
        return number_key(number(m.capturedView(1))) + u8(" キロメートル");
    static const QRegularExpression joined = whole("(\\d)(\\d/\\d{1,2})");
    if (miles.match(g).hasMatch()) {
        QStringList n = number_keys(g);
        if (whole_miles(g) && mile_fraction(next + QStringLiteral("SM")))
            n += number_keys(next);
        QString out = n.join(u'_') + u8(" 陸マイル");
        // "11/2" may stand for 1 1/2.
        if (const auto m = joined.match(g); m.hasMatch())
            out += u'|' + (QStringList{m.captured(1)} + number_keys(m.captured(2))).join(u'_') + u8(" 陸マイル");
        return out;
    }
    return std::nullopt;
}

}  // namespace kolde_test::forms
