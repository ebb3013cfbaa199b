// A "JP " request typed on the console: each observation shown with its
// Japanese translation, read with the served airport catalogue, the two
// dictionaries and the time settings.
#include "view_fixture.h"

#include "reports/request.h"
#include "core/shared.h"

#include <ostream>

using platform::Value;
using kolde_test::stations;

// Test failures show texts as text.
static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const char rjtt_metar[] =
    "2011/11/30 05:30\nRJTT 300530Z 34005KT 9999 -SHRA FEW030 15/08 Q1020 BECMG TL0630 3000 RMK 1CU030 A3012\n";
const char rjaa_speci[] = "2011/11/30 05:15\nRJAA 300515Z 36010KT 3000 -TSGS BR BKN008 12/11 Q1018\n";

QString lines(std::initializer_list<const char*> items)
{
    QString out;
    for (const char* s : items)
        out += QString::fromUtf8(s) + QStringLiteral("\r\n");
    return out;
}

class JapaneseDisplay : public kolde_test::ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        if (HasFatalFailure())
            return;
        use_report_folder();
        switches({kolde_sub::key::top_line, kolde_sub::key::stop_on_manual_input, kolde_sub::key::update_done_alarm, kolde_sub::key::update_done_message, kolde_sub::key::print_on_update}, {kolde_sub::key::clear_screen});
        kolde_sub::set_code_history(QStringLiteral(" "));
        serve(stations + "RJTT.TXT", rjtt_metar);
        serve(stations + "RJAA.TXT", rjaa_speci);
    }
};

TEST_F(JapaneseDisplay, EachObservationIsFollowedByItsTranslationInLocalTime)
{
    set(kolde_sub::key::local_time, Value::boolean(true));
    set(kolde_sub::key::time_difference, Value(QStringLiteral("+9")));
    view v;
    v.console_enter(QStringLiteral("JP RJTT RJAA"));

    const QString rjtt = lines({"*** 東京国際空港 定時飛行場実況通報 14時30分(I) 発表 ***", "",
                                "風向/風速　　： 340°方向から 5ノット", "地上視程　　 ： 10キロメートル以上",
                                "現在天気　　 ： 弱いしゅう雨", "雲量/高度　　： 3000フィートに少量の積雲 (Cumulus)",
                                "地上気温　　 ： 15℃", "露点温度　　 ： 8℃", "地上気圧　　 ： 1020.0ヘクトパスカル",
                                "着陸予報　　 ： 15時30分(I)までに、地上視程 3000メートル に序々に変化",
                                "備　　考　　 ： 高度計規正値 30.12インチ水銀柱"});
    // -TSGS is no word of the translation dictionary: its codes come from
    // the weather abbreviations.
    const QString rjaa = lines({"*** 成田国際空港 特別飛行場実況通報 14時15分(I) 発表 ***", "",
                                "風向/風速　　： 360°方向から 10ノット", "地上視程　　 ： 3000メートル",
                                "現在天気　　 ： -TSGS / 弱い(-) 雷電(TS) 氷あられ・雪あられ(GS)  もや",
                                "雲量/高度　　： 800フィートに多量の雲", "地上気温　　 ： 12℃", "露点温度　　 ： 11℃",
                                "地上気圧　　 ： 1018.0ヘクトパスカル"});
    EXPECT_EQ(v.console_text(),
              QStringLiteral("*** RJTT - JAPANESE TRANSLATION WEATHER OBSERVATION ***\r\n"
                             "\r\nRJTT  METAR 1430I\r\n      300530Z 34005KT 9999 -SHRA FEW030 15/08 Q1020 BECMG TL0630 "
                             "3000 RMK 1CU030 A3012\r\n\r\n") +
                  rjtt +
                  QStringLiteral("\r\n*** RJAA - JAPANESE TRANSLATION WEATHER OBSERVATION ***\r\n"
                                 "\r\nRJAA  SPECI 1415I\r\n      300515Z 36010KT 3000 -TSGS BR BKN008 12/11 Q1018\r\n\r\n") +
                  rjaa + QStringLiteral("\r\nREADY / PRESS ESC TO EXIT"));
    EXPECT_EQ(kolde_sub::current_request().codes(), QStringLiteral("JP RJTT RJAA"));
}

TEST_F(JapaneseDisplay, UtcTimesWhenLocalTimeIsOff)
{
    set(kolde_sub::key::local_time, Value::boolean(false));
    set(kolde_sub::key::time_difference, Value(QStringLiteral("±0")));
    view v;
    v.console_enter(QStringLiteral("JP RJTT"));
    const QString text = v.console_text();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n*** 東京国際空港 定時飛行場実況通報 05時30分(Z) 発表 ***\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\n着陸予報　　 ： 06時30分(Z)までに、地上視程 3000メートル に序々に変化\r\n")))
        << text.toStdString();
}

}  // namespace
