// The translation over the served database: the look-ups the program hands
// it, and dictionary words for every weather group the report server issues.
#include "translation_support.h"

#include "report_sim.h"
#include "core/settings.h"
#include "platform/value.h"
#include "support/fixtures.h"
#include "translate/stored_sources.h"

#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using TranslationOverTheStore = kolde_test::SeededStore;

TEST_F(TranslationOverTheStore, LookUpsReadTheCatalogueDictionariesAndSettings)
{
    ASSERT_TRUE(kolde_sub::set_setting(kolde_sub::key::local_time, platform::Value::boolean(true)));
    ASSERT_TRUE(kolde_sub::set_setting(kolde_sub::key::time_difference, platform::Value(QStringLiteral("-5"))));
    const kolde_sub::TranslationSources s = kolde_sub::stored_translation_sources();
    EXPECT_EQ(s.airport_name(u"RJTT"), QStringLiteral("東京国際"));
    EXPECT_EQ(s.airport_name(u"RJZZ"), QString());
    EXPECT_EQ(s.translation_word(u"-SHRA"), QStringLiteral("弱いしゅう雨"));
    EXPECT_EQ(s.weather_abbr(u"SH"), QStringLiteral("しゅう雨性"));
    EXPECT_EQ(s.weather_abbr(u"QQ"), QString());
    EXPECT_TRUE(s.local_time);
    EXPECT_EQ(s.time_difference, QStringLiteral("-5"));
}

// Between groups the translation lets pending events run; when the window it
// is for is destroyed meanwhile, it ends there and looks nothing more up.
TEST_F(TranslationOverTheStore, TheYieldRunsEventsAndEndsWhenTheCallerIsGone)
{
    const QString body = QStringLiteral("36010KT 9999 -SHRA FEW010 SCT020 BKN030 15/10 Q1010");
    for (const bool destroy : {false, true}) {
        SCOPED_TRACE(destroy);
        auto* caller = new QObject;
        bool gone = false;
        QObject::connect(caller, &QObject::destroyed, [&gone] { gone = true; });
        bool event_ran = false;
        QTimer::singleShot(0, [&] {
            event_ran = true;
            if (destroy)
                delete caller;
        });
        kolde_sub::TranslationSources s = kolde_sub::stored_translation_sources(caller);
        int look_ups_after = 0;
        s.translation_word = [&, word = s.translation_word](QStringView g) {
            look_ups_after += gone;
            return word(g);
        };
        const kolde_sub::Translation t = kolde_sub::translate_observation(QStringLiteral("RJTT"), QStringLiteral("0900Z"), body, s);
        EXPECT_TRUE(event_ran);
        EXPECT_EQ(look_ups_after, 0);
        EXPECT_EQ(t.text.isEmpty(), destroy) << t.text.toStdString();
        if (!destroy)
            delete caller;
    }
}

// Every present-weather and sky group in the simulated reports of every
// station over four days is a word of the served translation dictionary, so
// none is read two letters at a time.
TEST_F(TranslationOverTheStore, EveryWeatherGroupOfTheReportServerIsADictionaryWord)
{
    kolde_sub::TranslationSources s = kolde_sub::stored_translation_sources();
    s.yield = nullptr;
    const auto start = std::chrono::system_clock::time_point(std::chrono::hours(24 * 365 * 42));
    int reports = 0;
    for (const std::string& station : kolde_site::report_sim::stations()) {
        for (int h = 0; h < 96; h += 3) {
            const QString file = QString::fromStdString(
                kolde_site::report_sim::metar_file(station, start + std::chrono::hours(h) + std::chrono::minutes(h % 60)));
            const QString line = file.section(u'\n', 1, 1);
            const kolde_sub::Translation t =
                kolde_sub::translate_observation(line.left(4), line.mid(7, 4) + u'Z', line.mid(13), s);
            ++reports;
            for (const QString& l : kolde_test::translation_lines(t.text))
                ASSERT_FALSE(l.contains(QStringLiteral(" / ")) && !l.startsWith(QStringLiteral("風向/風速")))
                    << line.toStdString() << "\n" << t.text.toStdString();
        }
    }
    EXPECT_GT(reports, 3000);
}

}  // namespace
