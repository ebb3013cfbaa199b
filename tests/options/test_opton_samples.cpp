#include "options/fontmsg.h"
#include "options/opton_samples.h"
#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"
#include "platform/value.h"
#include "support/fixtures.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QTextCursor>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

namespace {

using kolde_sub::set_setting;
using platform::Value;

void put(const char* field, const Value& v) { ASSERT_TRUE(set_setting(QString::fromUtf8(field), v)); }

// Pixels of an image inside area within a small distance of colour.
int pixels_near(const QImage& image, const QRect& area, const QColor& colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) < 40)
                ++n;
        }
    }
    return n;
}

class Samples : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        display_box = std::make_unique<QTextEdit>();
        print_box = std::make_unique<QTextEdit>();
        display = display_box.get();
        print = print_box.get();
        for (QTextEdit* e : {display, print})
            e->resize(900, 420);
    }
    void TearDown() override
    {
        display_box.reset();
        print_box.reset();
        SeededStore::TearDown();
    }

    void render() { kolde_sub::render_samples(display, print); }

    std::unique_ptr<QTextEdit> display_box, print_box;
    QTextEdit* display = nullptr;
    QTextEdit* print = nullptr;
};

TEST_F(Samples, StampsFollowLocalTimeAndTheTimeDifference)
{
    struct Row {
        bool local;
        const char* difference;
        const char* speci;
        const char* taf;
    } rows[] = {
        {false, "+9", "0825Z", "0842Z"},
        {true, "+9", "1725I", "1742I"},
        {true, "0", "0825Z", "0842Z"},
        // The shared reader of the time difference takes "±0" as zero, as
        // the console's times do.
        {true, "±0", "0825Z", "0842Z"},
        {true, "-12", "2025Y", "2042Y"},
        {true, "+12", "2025M", "2042M"},
        {true, "-5", "0325R", "0342R"},
        {true, "+13", "", ""},
        {true, "JST", "", ""},
        {false, "JST", "0825Z", "0842Z"},
    };
    for (const Row& row : rows) {
        put("LOCAL使用", Value::boolean(row.local));
        put("時差", Value(row.difference));
        render();
        const QStringList lines = display->toPlainText().split(u'\n');
        SCOPED_TRACE(row.difference);
        ASSERT_EQ(lines.size(), 9);
        EXPECT_EQ(lines[0], QStringLiteral(" RJTT SPECI ") + QString::fromUtf8(row.speci));
        EXPECT_EQ(lines[3], QStringLiteral(" RJTT TAF   ") + QString::fromUtf8(row.taf));
        EXPECT_EQ(lines[7], QStringLiteral(" READY / PRESS ESC TO EXIT"));
        EXPECT_EQ(lines[8], QStringLiteral(" "));
        // The print sample is the report and forecast lines only.
        EXPECT_EQ(print->toPlainText(), QStringList(lines.mid(0, 6)).join(u'\n'));
    }
}

TEST_F(Samples, CaretShowsTheTopOrTheEnd)
{
    for (const bool top : {true, false}) {
        put("先頭行", Value::boolean(top));
        render();
        const int end = display->document()->characterCount() - 1;
        EXPECT_EQ(display->textCursor().position(), top ? 1 : end) << top;
        EXPECT_FALSE(display->textCursor().hasSelection());
    }
}

// Each sample's text takes the font, size and weight of its own fields.
TEST_F(Samples, FontsFollowTheirFields)
{
    struct Row {
        const char* font;
        int display_size;
        bool display_bold;
        int print_size;
        bool print_bold;
    } rows[] = {
        {"ＭＳ ゴシック", 11, false, 14, true},
        {"ＭＳ Ｐゴシック", 20, true, 9, false},
    };
    for (const Row& row : rows) {
        put("表示文字のフォント", Value(row.font));
        put("表示文字のサイズ", Value(row.display_size));
        put("表示文字のボールド", Value::boolean(row.display_bold));
        put("印刷文字のフォント", Value("Noto Sans Mono CJK JP"));
        put("印刷文字のサイズ", Value(row.print_size));
        put("印刷文字のボールド", Value::boolean(row.print_bold));
        render();
        struct Expect {
            QTextEdit* sample;
            QString font;
            int size;
            bool bold;
        } expects[] = {{display, QString::fromUtf8(row.font), row.display_size, row.display_bold},
                       {print, QStringLiteral("Noto Sans Mono CJK JP"), row.print_size, row.print_bold}};
        for (const Expect& e : expects) {
            const QString text = e.sample->toPlainText();
            // Every character: the first, inside a coloured word, the last.
            for (const qsizetype at : {qsizetype(1), text.indexOf(QStringLiteral("RA")) + 1, text.size()}) {
                QTextCursor c(e.sample->document());
                c.setPosition(int(at));
                const QTextCharFormat f = c.charFormat();
                EXPECT_EQ(f.fontFamilies().toStringList().value(0), e.font) << at;
                EXPECT_EQ(f.fontPointSize(), e.size) << at;
                EXPECT_EQ(f.fontWeight() == QFont::Bold, e.bold) << at;
            }
        }
    }
}

// Drawn samples: special reports and weather words take their colours when
// their switches are on, everything else the text colour on the background
// colour; the print sample shows no colours at all.
TEST_F(Samples, ColouringShowsInTheDrawnSample)
{
    const QColor back(0, 0, 96), text(255, 255, 255), special(255, 0, 0), weather(0, 255, 0);
    put("表示領域の色", Value(kolde_sub::bgr_value(back)));
    put("表示文字の色", Value(kolde_sub::bgr_value(text)));
    put("SPECIの色", Value(kolde_sub::bgr_value(special)));
    put("天気略語の色", Value(kolde_sub::bgr_value(weather)));
    put("表示文字のサイズ", Value(20));
    put("表示文字のボールド", Value::boolean(true));
    put("印刷文字のサイズ", Value(20));
    put("印刷文字のボールド", Value::boolean(true));
    put("LOCAL使用", Value::boolean(true));
    put("時差", Value("+9"));
    display->show();
    print->show();

    for (const bool speci_on : {false, true}) {
        for (const bool weather_on : {false, true}) {
            put("SPECI着色", Value::boolean(speci_on));
            put("天気略語着色", Value::boolean(weather_on));
            render();
            const QImage image = display->viewport()->grab().toImage();
            const QString plain = display->toPlainText();
            // The words to look at: the n-th occurrence of a text, and the
            // colour it must show.
            struct Word {
                const char* text;
                int occurrence;
                QColor colour;
            } words[] = {
                {"SPECI 1725I", 0, speci_on ? special : text},
                {"-RA", 0, weather_on ? weather : text},
                {"BR", 0, weather_on ? weather : text},
                {" RA ", 0, weather_on ? weather : text},  // the forecast's rain
                {"RJTT", 0, text},
                {"SCT", 0, text},
                {"BKN", 0, text},
                {"FEW", 0, text},
                {"READY", 0, text},
                {"PRESS", 0, text},
            };
            for (const Word& w : words) {
                const QString word = QString::fromUtf8(w.text);
                qsizetype at = -1;
                for (int i = 0; i <= w.occurrence; ++i)
                    at = plain.indexOf(word, at + 1);
                ASSERT_GE(at, 0) << w.text;
                QTextCursor from(display->document()), to(display->document());
                from.setPosition(int(at));
                to.setPosition(int(at + word.size()));
                const QRect area = display->cursorRect(from).united(display->cursorRect(to));
                SCOPED_TRACE(testing::Message() << w.text << " speci " << speci_on << " weather " << weather_on);
                EXPECT_GT(pixels_near(image, area, w.colour), 10);
                for (const QColor& other : {text, special, weather}) {
                    if (other != w.colour) {
                        EXPECT_EQ(pixels_near(image, area, other), 0) << other.name().toStdString();
                    }
                }
            }
            EXPECT_EQ(image.pixelColor(image.width() - 2, image.height() - 2), back);

            const QImage printed = print->viewport()->grab().toImage();
            EXPECT_EQ(pixels_near(printed, printed.rect(), special), 0);
            EXPECT_EQ(pixels_near(printed, printed.rect(), weather), 0);
        }
    }
}

// The wait notice: the console's background behind everything, its text
// colour for the two lines and the frame around them.
TEST_F(Samples, WaitNoticeTakesTheConsoleColours)
{
    struct Row {
        QColor back, text;
    } rows[] = {
        {QColor(0, 0, 0), QColor(255, 255, 255)},  // the defaults
        {QColor(255, 255, 192), QColor(0, 0, 160)},
    };
    for (const Row& row : rows) {
        put("表示領域の色", Value(kolde_sub::bgr_value(row.back)));
        put("表示文字の色", Value(kolde_sub::bgr_value(row.text)));
        kolde_sub::fontmsg notice(nullptr);
        const QImage image = notice.grab().toImage();
        SCOPED_TRACE(row.back.name().toStdString());
        EXPECT_EQ(image.pixelColor(2, 2), row.back);
        // The frame's left edge, halfway down.
        const QRect frame = notice.spe->geometry();
        EXPECT_EQ(image.pixelColor(frame.left(), frame.center().y()), row.text);
        for (QLabel* label : notice.Label1) {
            EXPECT_GT(pixels_near(image, label->geometry(), row.text), 10);
            EXPECT_EQ(image.pixelColor(label->geometry().topLeft()), row.back);
        }
    }
}

}  // namespace
