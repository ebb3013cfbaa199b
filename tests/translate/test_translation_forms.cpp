// The translation of many forms of observations: every temperature, dew
// point, pressure, visibility and runway visual range number it shows is the
// report's own, read here from the groups by their forms on their own.
#include "translation_support.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

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

// The numbers of one labelled line of the translation; none: no such line.
std::optional<QList<double>> labelled(const QStringList& lines, const char* label)
{
    for (const QString& l : lines)
        if (l.startsWith(u8(label)))
            return numbers_in(l.mid(l.indexOf(u8("： ")) + 2));
    return std::nullopt;
}

// What the groups of the observation (up to a trend or the remarks) hold.
struct Held {
    std::optional<QList<double>> temperature, dew_point, pressure, visibility;
    QStringList rvr;  // the groups
};

Held held_by(const QString& body)
{
    const QStringList groups = body.split(u' ', Qt::SkipEmptyParts);
    static const QRegularExpression temperature = whole("(M)?(\\d\\d)/(?:(M)?(\\d\\d)|/*)");
    static const QRegularExpression pressure = whole("([QA])(\\d{4})");
    static const QRegularExpression visibility = whole("\\d{4}(?:NDV)?|\\d+KM|[PM]?\\d+(?:/\\d+)?SM");
    static const QRegularExpression towards = whole("\\d{4}(?:N|NE|E|SE|S|SW|W|NW)");
    static const QRegularExpression rvr =
        whole("R\\d\\d[LRC]?/(?:/+|(?:[PM]?\\d{4}|////)(?:V[PM]?\\d{4})?(?:FT)?/?[UDN]?)");
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    Held h;
    qsizetype i = 0;
    i += groups.value(i) == u"AUTO";
    i += groups.value(i).contains(u"KT") || groups.value(i).contains(u"MPS");
    i += whole("\\d{3}V\\d{3}").match(groups.value(i)).hasMatch();
    bool whole_miles = whole("\\d{1,2}").match(groups.value(i)).hasMatch() &&
                             whole("\\d+/\\d+SM").match(groups.value(i + 1)).hasMatch();
    if (visibility.match(groups.value(i)).hasMatch() || whole_miles) {
        h.visibility = numbers_in(groups.value(i) == u"9999" ? QStringLiteral("10") : groups[i]);
        for (++i; whole_miles || towards.match(groups.value(i)).hasMatch(); ++i, whole_miles = false)
            *h.visibility += numbers_in(groups[i].first(whole_miles ? groups[i].size() : 4));
    }
    for (; i < groups.size() && !QStringList{"BECMG", "TEMPO", "NOSIG", "RMK"}.contains(groups[i]); ++i) {
        if (const auto t = temperature.match(groups[i]); t.hasMatch() && !h.temperature) {
            h.temperature = QList<double>{(t.hasCaptured(1) ? -1 : 1) * t.captured(2).toDouble()};
            if (t.hasCaptured(4))
                h.dew_point = QList<double>{(t.hasCaptured(3) ? -1 : 1) * t.captured(4).toDouble()};
        }
        if (const auto p = pressure.match(groups[i]); p.hasMatch())
            h.pressure = QList<double>{p.captured(2).toDouble() / (p.captured(1) == u"A" ? 100 : 1)};
        if (rvr.match(groups[i]).hasMatch())
            h.rvr << groups[i];
    }
    return h;
}

TEST(ReportTranslationForms, EveryNumberShownIsTheReportsOwn)
{
    const char* forms[] = {
        // North American, automatic and not, with A pressure and remarks.
        "AUTO 17021G28KT 17/15 A2992 RMK PK WND 18038/2300", "AUTO 17021KT 10SM CLR 17/15 A2992 RMK AO2 SLP132",
        "27015G25KT 1 1/2SM BR OVC005 M01/M03 A2992 RMK AO2", "00000KT M1/4SM FG VV001 M05/M05 A3012",
        "24010KT 1/2SM R04R/1000V1600FT FG VV002 12/12 A2992", "VRB03KT 3SM -RA BR SCT008 09/08 A2985 RMK RAB15",
        "AUTO 00000KT 2 1/4SM BR CLR 05/04 A3001", "AUTO 21012KT 10SM CLR 24/ A2990 RMK AO2",
        "AUTO 21012KT 7SM OVC008 A2990 RMK AO2 T01230045", "AUTO 21012KT 10SM CLR M01/ A2990",
        "31015KT 10SM FEW250 22/M01 A3004 RMK AO2 T02171011", "AUTO 21012KT CLR 17/15 A2990 RMK 4/012",
        // European, with placeholders, trends and what follows the pressure.
        "24010KT 9999 // FEW015 14/12 Q1017", "AUTO 24010KT //// // ////// 14/12 Q1017 RMK 1CU015",
        "AUTO 24010KT 9999NDV NCD 14/12 Q1017", "24010KT CAVOK SKC 08/02 Q1020", "24010KT 9999 FEW020 ///// Q1014",
        "24010KT 9999 FEW020 12/08 Q1014 RERA BECMG 5000", "24010KT 9999 RETS/RESH FEW020 12/08 Q1014",
        "24010KT 0300 R12//// FG 12/12 Q1014", "24010KT 0300 R28/P2000VP2000U FG 12/12 Q1014",
        "24010KT 0300 R24/P2000 FG VV001 12/12 Q1014 NOSIG", "24010KT 0600 R06/0600V1200U FG 12/12 Q1014 TEMPO 0300",
        "24010KT 0300 R18/0400N R36/0500N FG NSC 12/12 Q1014", "24010KT 0300 BR R18/0400N FG 12/12 Q1014",
        "24010KT 0200 R10/M0050VP2000N R28/1200FT/D FG 02/02 Q1010", "24010KT 0300 R24/450195 FG 12/12 Q1014",
        "VRB01MPS 0800 R33/1000D BCFG M02/M03 Q1030 R33/290195 NOSIG", "24010KT 9999 SCT030 12/08 Q1014 W15/S2",
        "24010KT 9999 SCT030 12/08 Q1014 WS R24 NOSIG", "24010KT 9999 SCT030 M12/M15 Q1014 BLU TEMPO WHT",
        "24010KT 9999 SCT030 M12/M15 Q1014 BLU BECMG FM1200 GRN", "24010KT 4000 0800NE BR BKN004 08/07 Q1010",
        "24010KT 8000 -SHRA FEW015CB 15/11 Q1010 RESHRA BECMG TL1130 NSW", "24010KT 5KM 15/08 Q1008",
        "24010KT 2000 R24L/P2000N R24R/1500U BR 05/05 Q1010 BECMG AT1100 5000", "9999 FEW020 12/08 Q1014",
        "AUTO 24010KT 9999 FEW020/// BKN035/// 10/08 Q1002", "24010KT 9999 FEW020 10/M00 Q//// NOSIG",
        "AUTO 24010KT R28/1000V1600FT FG 12/12 Q1014", "24010KT 9999 FEW020 05/01 Q1014 R24/CLRD70 NOSIG",
        "24010KT 9999 VCSH 15/08 Q1008 RETSRA NOSIG", "24010KT 9999 FEW020 12/08 BECMG 3000",
        // Winds in metres per second.
        "24005MPS 9999 FEW020 12/08 Q1014 TEMPO 24010G18MPS", "05005MPS 3000 -SN BR OVC010 M04/M05 Q1012 NOSIG",
        "VRB02MPS CAVOK 15/08 Q1008", "24008MPS 180V270 9999 SCT040CB 24/12 Q1005 WS ALL RWY NOSIG",
        // Japanese.
        "36010KT 9999 FEW030 15/08 Q1020 NOSIG RMK 1CU030 A3012",
        "34015G28KT 300V020 9999 -SHRA FEW015CB BKN030 08/02 Q1002 RMK 1CB015 5SC030 A2960 CB NE-E",
        "02012KT 0800 R34L/1200U R34R/P1800N FG VV002 10/10 Q1012 RMK A2990 FG ON RWY",
        "18005KT 4000 BR FEW005 SCT015 22/21 Q1006 BECMG TL0300 9999 RMK 1ST005 3SC015 A2972",
        "33020G35KT 1500 +SHSN BKN015CB M05/M08 Q0992 TEMPO 0800 SHSN RMK 5CB015 A2930 LIGHTNING NW-N",
        "00000KT CAVOK 18/10 Q1018 RMK A3006", "22005KT 0300 R28/0400V0800U FG VV001 12/12 Q1013 RMK A2993",
        "22005KT 0200 R28/M0050N FG VV001 12/12 Q1013 RMK A2993 FG NE", "36005KT 9999 FEW015 M02/M10 A3010 RMK SLP195",
        "00000KT 1 1/2SM BR OVC004 05/04 A2999 RMK AO2 T00500040", "20010KT 9999 FEW020 27/22 Q1010 RERA NOSIG",
        "16020G32KT 130V200 5000 +TSRA BR FEW015CB 23/22 Q0998 RMK 1CB015 A2949 CB TO NE",
    };
    for (const char* form : forms) {
        const QString body = QString::fromLatin1(form);
        const QStringList lines = kolde_test::translation_lines(
            kolde_sub::translate_observation(QStringLiteral("RJTT"), QStringLiteral("0900Z"), body,
                                             kolde_test::test_sources())
                .text);
        const Held h = held_by(body);
        EXPECT_EQ(labelled(lines, "地上気温　　 ： "), h.temperature) << form;
        EXPECT_EQ(labelled(lines, "露点温度　　 ： "), h.dew_point) << form;
        EXPECT_EQ(labelled(lines, "地上視程　　 ： "), h.visibility) << form;
        const auto pressure = labelled(lines, "地上気圧　　 ： ");
        EXPECT_EQ(pressure ? pressure : labelled(lines, "高度計規正値 ： "), h.pressure) << form;
        // One line for each RVR group, its runway's, with only its numbers.
        const QStringList rvr = lines.filter(u8("のRVRは、"));
        EXPECT_EQ(rvr.size(), h.rvr.size()) << form;
        for (qsizetype i = 0; i < std::min(rvr.size(), h.rvr.size()); ++i) {
            const QString runway = h.rvr[i].mid(1, h.rvr[i].indexOf(u'/') - 1);
            const QList<double> own = numbers_in(h.rvr[i].mid(runway.size() + 2));
            EXPECT_TRUE(rvr[i].contains(u8("滑走路") + runway + u8("のRVRは、"))) << form;
            const QList<double> shown = numbers_in(rvr[i].mid(rvr[i].indexOf(u8("のRVRは、"))));
            EXPECT_EQ(shown.isEmpty(), own.isEmpty()) << form;
            for (double n : shown)
                EXPECT_TRUE(own.contains(n)) << form << " shows " << n;
        }
    }
}

}  // namespace
