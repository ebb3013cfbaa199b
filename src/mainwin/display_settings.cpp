#include "display_settings.h"

#include "button_rules.h"
#include "image_buttons.h"
#include "layout.h"
#include "view.h"

#include "core/settings.h"
#include "core/shared.h"

#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>

namespace kolde_sub {

namespace {

void set_base_colour(QTextEdit* box, const QColor& c)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, c);
    box->setPalette(pal);
}

// The whole text takes the font, colour, size and bold; returns the format
// the caret takes too, so text added later follows them.
QTextCharFormat apply_console_font(QTextEdit* console, const QString& family)
{
    const QColor text_colour = bgr_color(setting_int(key::display_text_colour));
    const int size = static_cast<int>(setting_int(key::display_size));
    const bool bold = setting_bool(key::display_bold);

    QFont font = console->font();
    font.setFamilies({family});
    if (size > 0)
        font.setPointSize(size);
    font.setBold(bold);
    // Report text needs no complex-script shaping; without it laying out a
    // long console is markedly faster.
    font.setStyleStrategy(QFont::PreferNoShaping);
    console->setFont(font);
    QPalette pal = console->palette();
    pal.setColor(QPalette::Text, text_colour);
    console->setPalette(pal);

    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    format.setForeground(text_colour);
    if (size > 0)
        format.setFontPointSize(size);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    QTextCursor all(console->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
    return format;
}

}  // namespace

void apply_display_settings(view& v)
{
    QTextEdit* console = v.console_box;
    // The console is hidden while it changes.
    console->hide();

    // The console and the two boxes beside it take the background colour.
    const QColor background = bgr_color(setting_int(key::display_background));
    for (QTextEdit* box : v.text_boxes())
        set_base_colour(box, background);

    const QString family = setting_text(key::display_font);
    const QTextCharFormat format = apply_console_font(console, family);

    // The status bar shares the console's font name.
    QFont status_font = v.StatusBar->font();
    status_font.setFamilies({family});
    v.StatusBar->setFont(status_font);

    // The caret goes to the end of the text, nothing selected.
    console->moveCursor(QTextCursor::End);
    console->mergeCurrentCharFormat(format);

    // The cover box hides the scroll bar's place when it is off.
    if (setting_bool(key::scroll_bar)) {
        v.cover_box->hide();
        console->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    } else {
        v.cover_box->show();
        console->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    // The scratch pad, label and frame together.
    const bool pad = setting_bool(key::scratch_pad);
    v.padshape->setVisible(pad);
    v.padlbl->setVisible(pad);

    console->show();

    // The grey faces of the command buttons.
    const bool grey_faces = setting_bool(key::command_buttons);
    v.buttons_->show_grey_faces(grey_faces);

    // The browser buttons widen the button frame and push the scratch pad
    // right; their grey faces follow the browser buttons.
    const bool browser = setting_bool(key::browser);
    v.buttons_->show_browser_buttons(browser);
    v.padshape->move(px(browser ? 6980 : 5745), v.padshape->y());
}

}  // namespace kolde_sub
