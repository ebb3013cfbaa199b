// The translation of many forms of observations, found in real reports:
// every number it shows on the lines of the wind, visibility, runway visual
// range, cloud, vertical visibility, temperatures, pressure and ceiling is
// the report's own, and each such number of the report is shown.
#include "support/report_numbers.h"
#include "translation_support.h"

#include <gtest/gtest.h>

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
        // Missing values give no number; words after the time hide nothing.
        "AUTO 24010KT 0300 VV/// 12/12 Q1014", "/////KT 9999 FEW020 18/15 Q1019", "//////KT 9999 18/15 Q1019",
        "AUTO ///// 1 3/8SM UP BKN025 01/M00 A2978", "AUTO ///// 1/8SM CLR M02/ A2965",
        "COR 00000KT 10SM CLR 03/01 A3027", "CCA 13005KT 4SM -RA BR OVC070 03/03 A2991 RMK AS8 SLP130",
        "RTD 36005KT 10SM SKC 01/M10 A3028", "METAR 27006MPS CAVOK 01/M03 Q1011 NOSIG",
        "CCB AUTO 18006KTS 6000 SCT100 24/18 Q1012", "21003KT 8SM -SN OVC005 M09/M11 A2959 RMK ST8 CIG RAG SLP022",
        "36003KT 3/4SM RA BR OVC007 03/02 A2935 RMK ST8 CIG VRB 5-9 SLP947", "5KT 9999 15/08 Q1020",
        // Odd forms that still say their number, and garbled ones.
        "13008KT 2000SW BR BKN009 02/M02 Q1010", "29003KT 100SM FEW030 M03/M07 A2932",
        "34010KT 9999 SCT040 17/XX Q1012", "30012KT 7SM SKC 17/M3 A3010", "36010KT 7SM SKC 16/-02 A3040",
        "AUTO 14007KT 100V180 3200NDV OVC037/// 03/M04 Q1009", "34008KT 9999 FEW300CI BKN035SC 09/08 Q1021",
        "34008KT 7000 TS FEW018CBSCT020 BKNO40 FEW 30/24 Q1007", "330/05KT 6000 SCT018 30/24 Q1010",
        "34008KT 9999 FEW010 -RA BKN013 28/25 Q1008",
        // "~" stands for a no-break space between groups.
        "00000KT~9999~SCT017 27/26 Q1012",
        // Winds in metres per second.
        "24005MPS 9999 FEW020 12/08 Q1014 TEMPO 24010G18MPS", "05005MPS 3000 -SN BR OVC010 M04/M05 Q1012 NOSIG",
        "VRB02MPS CAVOK 15/08 Q1008", "24008MPS 180V270 9999 SCT040CB 24/12 Q1005 WS ALL RWY NOSIG",
        // Japanese.
        "02012KT 0800 R34L/1200U R34R/P1800N FG VV002 10/10 Q1012 RMK A2990 FG ON RWY", "00000KT CAVOK 18/10 Q1018",
        "33020G35KT 300V020 1500 +SHSN BKN015CB M05/M08 Q0992 TEMPO 0800 SHSN RMK 5CB015 A2930 LIGHTNING NW-N",
        "36005KT 9999 FEW015 M02/M10 A3010 RMK SLP195", "20010KT 9999 FEW020 27/22 Q1010 RERA NOSIG RMK 1CU020",
    };
    for (const char* form : forms) {
        const QString body = QString::fromLatin1(form).replace(u'~', QChar(0xa0));
        const QString text = kolde_sub::translate_observation(QStringLiteral("RJTT"), QStringLiteral("0900Z"), body,
                                                              kolde_test::test_sources())
                                 .text;
        const kolde_test::NumberCheck check = kolde_test::check_numbers(body, text);
        EXPECT_EQ(check.foreign, QStringList()) << form << "\n" << text.toStdString();
        EXPECT_EQ(check.lost, QStringList()) << form << "\n" << text.toStdString();
    }
}
