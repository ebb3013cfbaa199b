#include "view_fixture.h"

#include "core/database.h"
#include "mainwin/display_settings.h"
#include "mainwin/layout.h"

using platform::Value;

namespace {

class DisplaySettings : public kolde_test::ViewFixture {};

QTextCharFormat format_at(const view& v, int pos)
{
    QTextCursor c(drive(v).console()->document());
    c.setPosition(pos);
    return c.charFormat();
}

TEST_F(DisplaySettings, ColoursFontAndBoldReachTheWholeText)
{
    view v;
    v.set_console_text(QStringLiteral("RJTT 010000Z 34005KT\r\nRJAA"));
    set(kolde_sub::key::display_bold, Value::boolean(true));
    set(kolde_sub::key::display_text_colour, Value(0x00FFFF));    // yellow
    set(kolde_sub::key::display_background, Value(0x800000));    // navy
    set(kolde_sub::key::display_size, Value(14));
    kolde_sub::apply_display_settings(v);

    for (const int pos : {1, 20, 25}) {
        const QTextCharFormat f = format_at(v, pos);
        EXPECT_EQ(f.fontWeight(), QFont::Bold) << pos;
        EXPECT_EQ(f.foreground().color(), QColor(255, 255, 0)) << pos;
        EXPECT_EQ(f.fontPointSize(), 14) << pos;
    }
    EXPECT_EQ(drive(v).console()->palette().color(QPalette::Base), QColor(0, 0, 128));
    EXPECT_EQ(drive(v).cover_box()->palette().color(QPalette::Base), QColor(0, 0, 128));
    EXPECT_FALSE(drive(v).console()->isHidden());
    EXPECT_EQ(drive(v).console()->textCursor().position(), drive(v).console()->document()->characterCount() - 1);

    // Text added later follows the console's formatting.
    v.append_console_text(QStringLiteral(" RJBB"));
    const int end = drive(v).console()->document()->characterCount() - 1;
    EXPECT_EQ(format_at(v, end).fontWeight(), QFont::Bold);

    set(kolde_sub::key::display_bold, Value::boolean(false));
    kolde_sub::apply_display_settings(v);
    EXPECT_EQ(format_at(v, 1).fontWeight(), QFont::Normal);
}

TEST_F(DisplaySettings, BrowserSwitchNarrowsTheBarAndMovesThePad)
{
    view v;
    set(kolde_sub::key::browser, Value::boolean(true));
    kolde_sub::apply_display_settings(v);
    EXPECT_EQ(drive(v).button_bar()->width(), kolde_sub::px(6855));
    EXPECT_EQ(drive(v).pad_frame()->x(), kolde_sub::px(6980));

    set(kolde_sub::key::browser, Value::boolean(false));
    set(kolde_sub::key::command_buttons, Value::boolean(true));
    kolde_sub::apply_display_settings(v);
    EXPECT_EQ(drive(v).button_bar()->width(), kolde_sub::px(5670));
    EXPECT_EQ(drive(v).pad_frame()->x(), kolde_sub::px(5745));
    EXPECT_TRUE(drive(v).browser_shape()->isHidden());
    for (int i : {15, 16, 17, 33, 34, 35})
        EXPECT_TRUE(drive(v).image(i)->isHidden()) << i;
    EXPECT_FALSE(drive(v).grey_face(kolde_sub::Button::exit)->isHidden());
}

TEST_F(DisplaySettings, ColourStyleStillCoversTheBrowserButtons)
{
    view v;
    set(kolde_sub::key::browser, Value::boolean(true));
    set(kolde_sub::key::command_buttons, Value::boolean(false));
    kolde_sub::apply_display_settings(v);
    for (int i = 18; i <= 32; ++i)
        EXPECT_TRUE(drive(v).image(i)->isHidden()) << i;
    for (int i : {15, 16, 17, 33, 34, 35})
        EXPECT_FALSE(drive(v).image(i)->isHidden()) << i;
    EXPECT_FALSE(drive(v).browser_shape()->isHidden());
}

TEST_F(DisplaySettings, PadAndScrollBarSwitches)
{
    view v;
    drive(v).pad()->setText(QStringLiteral("RJTT"));
    set(kolde_sub::key::scratch_pad, Value::boolean(false));
    set(kolde_sub::key::scroll_bar, Value::boolean(true));
    kolde_sub::apply_display_settings(v);
    EXPECT_TRUE(drive(v).pad()->isHidden());
    EXPECT_TRUE(drive(v).pad_frame()->isHidden());
    EXPECT_TRUE(drive(v).cover_box()->isHidden());
    EXPECT_EQ(drive(v).console()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

    set(kolde_sub::key::scratch_pad, Value::boolean(true));
    set(kolde_sub::key::scroll_bar, Value::boolean(false));
    kolde_sub::apply_display_settings(v);
    EXPECT_FALSE(drive(v).pad()->isHidden());
    EXPECT_FALSE(drive(v).pad_frame()->isHidden());
    EXPECT_FALSE(drive(v).cover_box()->isHidden());
    EXPECT_EQ(drive(v).console()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(DisplaySettings, EveryNonZeroSwitchIsOn)
{
    const struct {
        Value stored;
        bool on;
    } cases[] = {{Value(-1), true}, {Value(1), true}, {Value(0), false}, {Value(), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.to_text().toStdString());
        view v;
        v.set_console_text(QStringLiteral("RJTT"));
        for (kolde_sub::SettingKey field : {kolde_sub::key::display_bold, kolde_sub::key::scroll_bar, kolde_sub::key::scratch_pad, kolde_sub::key::command_buttons, kolde_sub::key::browser})
            set(field, c.stored);
        kolde_sub::apply_display_settings(v);
        EXPECT_EQ(format_at(v, 1).fontWeight(), c.on ? QFont::Bold : QFont::Normal);
        EXPECT_EQ(drive(v).cover_box()->isHidden(), c.on);
        EXPECT_EQ(drive(v).pad()->isHidden(), !c.on);
        EXPECT_EQ(drive(v).grey_face(kolde_sub::Button::exit)->isHidden(), !c.on);
        EXPECT_EQ(drive(v).browser_shape()->isHidden(), !c.on);
        EXPECT_EQ(drive(v).button_bar()->width(), kolde_sub::px(c.on ? 6855 : 5670));
    }
}

TEST_F(DisplaySettings, ClosedStoreShowsTheDefaultLook)
{
    kolde_sub::release_store();
    view v;
    v.set_console_text(QStringLiteral("RJTT 010000Z"));
    kolde_sub::apply_display_settings(v);
    // White text on black, size 11, not bold; pad, grey faces and browser
    // buttons shown, scroll bar hidden.
    EXPECT_EQ(format_at(v, 1).foreground().color(), QColor(255, 255, 255));
    EXPECT_EQ(drive(v).console()->palette().color(QPalette::Text), QColor(255, 255, 255));
    EXPECT_EQ(drive(v).console()->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(format_at(v, 1).fontPointSize(), 11);
    EXPECT_EQ(format_at(v, 1).fontWeight(), QFont::Normal);
    EXPECT_FALSE(drive(v).pad()->isHidden());
    EXPECT_FALSE(drive(v).grey_face(kolde_sub::Button::exit)->isHidden());
    EXPECT_FALSE(drive(v).cover_box()->isHidden());
    EXPECT_EQ(drive(v).button_bar()->width(), kolde_sub::px(6855));
}

}  // namespace
