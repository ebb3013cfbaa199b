#include "options/fontmsg.h"
#include "options/opton_samples.h"
#include "core/settings.h"
#include "core/shared.h"
#include "support/fixtures.h"

#include <QFrame>
#include <QLabel>
#include <QTextEdit>

namespace {

using kolde_sub::bgr_value;
using platform::Value;

void put(kolde_sub::SettingKey field, const Value& v) { ASSERT_TRUE(kolde_sub::set_setting(field, v)); }

// Pixels inside area within a small distance of colour.
int pixels_near(const QImage& image, const QRect& area, const QColor& colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                     std::abs(c.blue() - colour.blue()) < 40;
        }
    return n;
}

using Samples = kolde_test::SeededStore;

TEST_F(Samples, TextAndCaretFollowTheSettings)
{
    QTextEdit display_box, print_box;
    QTextEdit* const display = &display_box;
    QTextEdit* const print = &print_box;
    struct Row {
        bool local;
        const char* difference;
        const char* speci;
        const char* taf;
        bool top;
    } rows[] = {
        {false, "+9", "0825Z", "0842Z", true}, {true, "+9", "1725I", "1742I", false},
        {true, "0", "0825Z", "0842Z", true},   {true, "-12", "2025Y", "2042Y", false},
        {true, "+12", "2025M", "2042M", true}, {true, "+13", "2125+13", "2142+13", false},
        {true, "JST", "0825Z", "0842Z", true},
        // The shared reader of the time difference takes "±0" as zero, as
        // the console's times do.
        {true, "±0", "0825Z", "0842Z", false},
    };
    for (const Row& row : rows) {
        put(kolde_sub::key::local_time, Value::boolean(row.local));
        put(kolde_sub::key::time_difference, Value(row.difference));
        put(kolde_sub::key::top_line, Value::boolean(row.top));
        kolde_sub::render_samples(display, print);
        const QStringList lines = display->toPlainText().split(u'\n');
        SCOPED_TRACE(row.difference);
        ASSERT_EQ(lines.size(), 9);
        EXPECT_EQ(lines[0], QStringLiteral(" RJTT SPECI ") + QString::fromUtf8(row.speci));
        EXPECT_EQ(lines[3], QStringLiteral(" RJTT TAF   ") + QString::fromUtf8(row.taf));
        EXPECT_EQ(lines[7], QStringLiteral(" READY / PRESS ESC TO EXIT"));
        EXPECT_EQ(print->toPlainText(), QStringList(lines.mid(0, 6)).join(u'\n'));
        EXPECT_EQ(display->textCursor().position(), row.top ? 1 : display->document()->characterCount() - 1);
    }
}

// Special reports and weather words take their colours when their switches
// are on, everything else the text colour; the print sample shows no colours.
TEST_F(Samples, ColouringShowsInTheDrawnSample)
{
    QTextEdit display_box, print_box;
    QTextEdit* const display = &display_box;
    QTextEdit* const print = &print_box;
    display->resize(900, 420);
    const QColor back(0, 0, 96), text(255, 255, 255), special(255, 0, 0), weather(0, 255, 0);
    for (const auto& [field, colour] : {std::pair{kolde_sub::key::display_background, back}, {kolde_sub::key::display_text_colour, text},
                                        {kolde_sub::key::speci_colour, special}, {kolde_sub::key::weather_colour, weather}})
        put(field, Value(bgr_value(colour)));
    put(kolde_sub::key::local_time, Value::boolean(false));
    put(kolde_sub::key::display_size, Value(20));  // thick strokes show whole pixels
    put(kolde_sub::key::display_bold, Value::boolean(true));
    display->show();
    print->show();
    for (const int switches : {0, 1, 2, 3}) {
        const bool speci_on = switches & 1, weather_on = switches & 2;
        put(kolde_sub::key::speci_colouring, Value::boolean(speci_on));
        put(kolde_sub::key::weather_colouring, Value::boolean(weather_on));
        kolde_sub::render_samples(display, print);
        const QImage image = display->viewport()->grab().toImage();
        const QColor speci_colour = speci_on ? special : text, weather_colour = weather_on ? weather : text;
        const std::pair<QString, QColor> words[] = {
            {"SPECI 0825Z", speci_colour}, {"-RA", weather_colour}, {"BR", weather_colour},
            {" RA ", weather_colour},      {"RJTT", text},          {"SCT", text},
            {"BKN", text},                 {"FEW", text},           {"READY / PRESS", text},
        };
        for (const auto& [word, colour] : words) {
            QTextCursor from(display->document()), to(display->document());
            from.setPosition(int(display->toPlainText().indexOf(word)));
            to.setPosition(from.position() + int(word.size()));
            const QRect area = display->cursorRect(from).united(display->cursorRect(to));
            SCOPED_TRACE(testing::Message() << word.toStdString() << " switches " << switches);
            EXPECT_GT(pixels_near(image, area, colour), 10);
            for (const QColor& other : {text, special, weather})
                EXPECT_TRUE(other == colour || pixels_near(image, area, other) == 0) << other.name().toStdString();
        }
        EXPECT_EQ(image.pixelColor(image.width() - 2, image.height() - 2), back);
        const QImage printed = print->viewport()->grab().toImage();
        EXPECT_EQ(pixels_near(printed, printed.rect(), special) + pixels_near(printed, printed.rect(), weather), 0);
    }
}

// The wait notice: the console's background, its text colour for the two
// lines and the frame around them.
TEST_F(Samples, WaitNoticeTakesTheConsoleColours)
{
    for (const auto& [back, text] : {std::pair{QColor(0, 0, 0), QColor(255, 255, 255)},  // the defaults
                                     {QColor(255, 255, 192), QColor(0, 0, 160)}}) {
        put(kolde_sub::key::display_background, Value(bgr_value(back)));
        put(kolde_sub::key::display_text_colour, Value(bgr_value(text)));
        kolde_sub::fontmsg notice(nullptr);
        const QImage image = notice.grab().toImage();
        SCOPED_TRACE(back.name().toStdString());
        EXPECT_EQ(image.pixelColor(2, 2), back);
        EXPECT_EQ(image.pixelColor(notice.spe->x(), notice.spe->geometry().center().y()), text);
        for (QLabel* label : notice.Label1) {
            EXPECT_GT(pixels_near(image, label->geometry(), text), 10);
            EXPECT_EQ(image.pixelColor(label->geometry().topLeft()), back);
        }
    }
}

}  // namespace
