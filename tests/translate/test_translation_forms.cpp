// The translation of many forms of observations: every temperature, dew
// point, pressure, visibility and runway visual range number it shows is the
// report's own, read here from the groups by their forms on their own.
#include "translation_support.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

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

// The numbers of the labelled lines of a translation, by label: a pressure
// in inches of mercury under that of hectopascals, the RVR lines' numbers
// and a 0 for each RVR line.
std::map<QString, QList<double>> shown_in(const QStringList& lines)
{
    std::map<QString, QList<double>> out;
    for (const QString& l : lines) {
        const qsizetype colon = l.indexOf(u8(" ： "));
        if (l.contains(u8("のRVRは、"))) {
            out[QStringLiteral("RVR")] += numbers_in(l.mid(l.indexOf(u8("のRVRは、"))));
            out[QStringLiteral("RVR lines")] << 0;
        } else if (colon >= 0 && !l.startsWith(u8("　"))) {
            out[l.startsWith(u8("高度計規正値")) ? u8("地上気圧") : l.first(colon).remove(u8("　"))] +=
                numbers_in(l.mid(colon));
        }
    }
    return out;
}

// The same numbers as the groups of the observation (up to a trend or the
// remarks) hold them.
std::map<QString, QList<double>> held_by(QString body)
{
    static const QRegularExpression wind = whole("AUTO|CALM|\\S*(?:KT|MPS)|\\d{3}V\\d{3}");
    static const QRegularExpression visibility = whole("\\d{4}(?:NDV)?|\\d+KM|[PM]?\\d+(?:/\\d+)?SM|\\d\\d?_\\d+/\\d+SM");
    static const QRegularExpression towards = whole("\\d{4}(?:N|NE|E|SE|S|SW|W|NW)");
    static const QRegularExpression temperature = whole("M?\\d\\d/(?:M?\\d\\d|/*)");
    static const QRegularExpression pressure = whole("[QA]\\d{4}");
    static const QRegularExpression rvr =
        whole("R\\d\\d[LRC]?/(?:/+|(?:[PM]?\\d{4}|////)(?:V[PM]?\\d{4})?(?:FT)?/?[UDN]?)");
    // Whole miles and their fraction ("1 1/2SM") as one group.
    body.replace(QRegularExpression(QStringLiteral("(^| )(\\d\\d?) (\\d+/\\d+SM)")), QStringLiteral("\\1\\2_\\3"));
    const QStringList groups = body.split(u' ', Qt::SkipEmptyParts);
    std::map<QString, QList<double>> held;
    qsizetype i = 0;
    while (i < groups.size() && wind.match(groups[i]).hasMatch())
        ++i;
    if (visibility.match(groups.value(i)).hasMatch()) {
        held[u8("地上視程")] = numbers_in(groups[i] == u"9999" ? QStringLiteral("10") : groups[i]);
        while (towards.match(groups.value(++i)).hasMatch())
            held[u8("地上視程")] += numbers_in(groups[i].first(4));
    }
    bool temperature_read = false;
    for (; i < groups.size() && !QStringList{"BECMG", "TEMPO", "NOSIG", "RMK"}.contains(groups[i]); ++i) {
        if (temperature.match(groups[i]).hasMatch() && !std::exchange(temperature_read, true)) {
            const QList<double> t = numbers_in(QString(groups[i]).replace(u'M', u8("マイナス ")));
            held[u8("地上気温")] = t.mid(0, 1);
            if (t.size() > 1)
                held[u8("露点温度")] = t.mid(1);
        }
        if (pressure.match(groups[i]).hasMatch())
            held[u8("地上気圧")] = {numbers_in(groups[i]).front() / (groups[i].startsWith(u'A') ? 100 : 1)};
        if (rvr.match(groups[i]).hasMatch()) {
            held[QStringLiteral("RVR")] += numbers_in(groups[i].mid(groups[i].indexOf(u'/')));
            held[QStringLiteral("RVR lines")] << 0;
        }
    }
    return held;
}

TEST(ReportTranslationForms, EveryNumberShownIsTheReportsOwn)
{
    const char* forms[] = {
        // North American, automatic and not, with A pressure and remarks.
        "AUTO 17021G28KT 17/15 A2992 RMK PK WND 18038/2300", "AUTO 17021KT 10SM CLR 17/15 A2992 RMK AO2 SLP132",
        "27015G25KT 1 1/2SM BR OVC005 M01/M03 A2992", "00000KT M1/4SM FG VV001 M05/M05 A3012",
        "24010KT 1/2SM R04R/1000V1600FT FG VV002 12/12 A2992", "VRB03KT 3SM -RA BR SCT008 09/08 A2985 RMK RAB15",
        "AUTO 00000KT 2 1/4SM BR CLR 05/04 A3001", "AUTO 21012KT 10SM CLR 24/ A2990", "AUTO 21012KT CLR M01/ A2990",
        "AUTO 21012KT 7SM OVC008 A2990 RMK AO2 T01230045", "AUTO 21012KT CLR 17/15 A2990 RMK 4/012",
        // European, with placeholders, trends and what follows the pressure.
        "24010KT 9999 // FEW015 14/12 Q1017", "AUTO 24010KT //// // ////// 14/12 Q1017 RMK 1CU015",
        "AUTO 24010KT 9999NDV NCD 14/12 Q1017", "24010KT CAVOK SKC 08/02 Q1020", "24010KT 9999 FEW020 ///// Q1014",
        "24010KT 9999 FEW020 12/08 Q1014 RERA BECMG 5000", "24010KT 9999 RETS/RESH FEW020 12/08 Q1014",
        "24010KT 0300 R12//// FG 12/12 Q1014", "24010KT 0300 R28/P2000VP2000U FG 12/12 Q1014",
        "24010KT 0300 R24/P2000 FG VV001 12/12 Q1014 NOSIG", "24010KT 0600 R06/0600V1200U FG 12/12 Q1014 TEMPO 0300",
        "24010KT 0300 BR R18/0400N R36/0500N FG NSC 12/12 Q1014", "24010KT 0300 R24/450195 FG 12/12 Q1014",
        "24010KT 0200 R10/M0050VP2000N R28/1200FT/D FG 02/02 Q1010", "AUTO 24010KT R28/1000V1600FT FG 12/12 Q1014",
        "VRB01MPS 0800 R33/1000D BCFG M02/M03 Q1030 R33/290195 NOSIG", "24010KT 9999 SCT030 12/08 Q1014 W15/S2",
        "24010KT 9999 SCT030 12/08 Q1014 WS R24 NOSIG", "24010KT 9999 SCT030 M12/M15 Q1014 BLU TEMPO WHT",
        "24010KT 4000 0800NE BR BKN004 08/07 Q1010 BLU BECMG FM1200 GRN", "24010KT 5KM 15/08 Q1008",
        "24010KT 8000 -SHRA FEW015CB 15/11 Q1010 RESHRA BECMG TL1130 NSW", "9999 FEW020 12/08 Q1014",
        "24010KT 2000 R24L/P2000N R24R/1500U BR 05/05 Q1010 BECMG AT1100 5000", "24010KT 9999 FEW020 12/08 BECMG 3000",
        "AUTO 24010KT 9999 FEW020/// BKN035/// 10/08 Q1002", "24010KT 9999 FEW020 10/M00 Q//// NOSIG",
        "24010KT 9999 FEW020 05/01 Q1014 R24/CLRD70 NOSIG", "CALM 9999 VCSH 15/08 Q1008 RETSRA NOSIG",
        "27010KT 0800 /R12 15/08 Q1020",
        // Winds in metres per second.
        "24005MPS 9999 FEW020 12/08 Q1014 TEMPO 24010G18MPS", "05005MPS 3000 -SN BR OVC010 M04/M05 Q1012 NOSIG",
        "VRB02MPS CAVOK 15/08 Q1008", "24008MPS 180V270 9999 SCT040CB 24/12 Q1005 WS ALL RWY NOSIG",
        // Japanese.
        "02012KT 0800 R34L/1200U R34R/P1800N FG VV002 10/10 Q1012 RMK A2990 FG ON RWY", "00000KT CAVOK 18/10 Q1018",
        "33020G35KT 300V020 1500 +SHSN BKN015CB M05/M08 Q0992 TEMPO 0800 SHSN RMK 5CB015 A2930 LIGHTNING NW-N",
        "36005KT 9999 FEW015 M02/M10 A3010 RMK SLP195", "20010KT 9999 FEW020 27/22 Q1010 RERA NOSIG RMK 1CU020",
    };
    for (const char* form : forms) {
        const QString body = QString::fromLatin1(form);
        const QStringList lines = kolde_test::translation_lines(
            kolde_sub::translate_observation(QStringLiteral("RJTT"), QStringLiteral("0900Z"), body,
                                             kolde_test::test_sources())
                .text);
        // Every number shown is the report's own, and each is shown; an RVR
        // value above the range may be shown once for both of its groups.
        std::map<QString, QList<double>> shown = shown_in(lines), held = held_by(body);
        for (const QString& label : {u8("地上気温"), u8("露点温度"), u8("地上気圧"), u8("地上視程"), u8("RVR lines")})
            EXPECT_EQ(shown[label], held[label]) << form << " " << label.toStdString();
        const QList<double> rvr = shown[QStringLiteral("RVR")], own = held[QStringLiteral("RVR")];
        EXPECT_TRUE(std::all_of(rvr.begin(), rvr.end(), [&](double n) { return own.contains(n); })) << form;
        EXPECT_TRUE(std::all_of(own.begin(), own.end(), [&](double n) { return rvr.contains(n); })) << form;
    }
}

}  // namespace
