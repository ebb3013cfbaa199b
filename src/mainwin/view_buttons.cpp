// The image buttons above the console: what a click on each does, and the
// pressed look. (Their hover look is with the window's other mouse
// handling, in view_window.cpp.)

#include "view.h"

#include "browser_rules.h"
#include "button_rules.h"
#include "display_settings.h"
#include "window_rules.h"

#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "reports/colouring.h"
#include "reports/request.h"
#include "sidewin/side_windows.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTextEdit>

#include <algorithm>

using namespace kolde_sub;

namespace {

bool grey_style() { return setting_bool(key::command_buttons); }

// Turns a switch of the settings record over and logs the row of the new
// state; returns the new state.
bool toggle_setting(SettingKey field, const QString& log_when_on, const QString& log_when_off)
{
    const bool on = !setting_bool(field);
    set_setting(field, platform::Value::boolean(on));
    write_log(on ? log_when_on : log_when_off);
    return on;
}

}  // namespace

QLabel* view::button(Button b) const { return img[static_cast<std::size_t>(b)]; }

QLabel* view::grey_face(Button b) const { return img[static_cast<std::size_t>(button_count + static_cast<int>(b))]; }

void view::img_Click(int index)
{
    if (!button_acts(index, browser_pane_shown()))
        return;
    if (button_needs_network(index) && !is_online()) {
        no_connection_box();
        write_log(QStringLiteral("SYSTEM NO NETWORK CONNECTION"));
        return;
    }

    switch (index) {
    case 0:
        // With the pane shown, the exit button closes the pane instead.
        if (!hide_browser_pane())
            close();
        break;
    case 1:
        save_display();
        break;
    case 2:
        // The same as the file menu's print.
        menu_print_Click();
        break;
    case 3:
        stop_auto_decode();
        break;
    case 4:
        start_auto_decode(AutoStartFrom::Button);
        break;
    case 5:
        if (!current_request().codes().isEmpty()) {
            const bool started = start_display([this] {
                write_log(QStringLiteral("DATA RELOAD COMMAND"));
                session.ready_line_break = true;
                return true;
            });
            if (started)
                postpone_next_cycle();
        } else {
            write_log(QStringLiteral("SYNTAX ERROR"));
            append_console_text(QStringLiteral("INPUT AIRPORT\r\n"));
            show_ready_prompt();
            append_console_text(QStringLiteral("\r\n"));
            color_report_text();
        }
        break;
    case 6: {
        // Clear screen; the next display treats every listed station's
        // reports as new.
        staging_doc->clear();
        write_log(QStringLiteral("CLS COMMAND"));
        clear_code_history();
        set_console_text(QStringLiteral("READY / PRESS ESC TO EXIT\r\n"));
        console_caret_to_end();
        current_request().forget_stamps(session.station_count);
        break;
    }
    case 7: {
        // The narrow box at the console's right edge covers its scroll bar,
        // which shows only while it is switched on.
        const bool shown = toggle_setting(key::scroll_bar, QStringLiteral("SHOW SCROLL BAR COMMAND"),
                                          QStringLiteral("ERASE SCROLL BAR COMMAND"));
        cover_box->setVisible(!shown);
        console_box->setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        break;
    }
    case 8:
        toggle_setting(key::display_bold, QStringLiteral("TEXT BOLD COMMAND"),
                       QStringLiteral("RELEASE TEXT BOLD COMMAND"));
        apply_display_settings(*this);
        renew_button_hover();
        color_report_text();
        break;
    case 9: {
        QPointer<view> self(this);
        show_options();
        if (self)
            renew_button_hover();
        break;
    }
    case 10:
        write_log(QStringLiteral("SYSTEM UPDATE COMMAND"));
        check_update();
        break;
    case 11:
        write_log(QStringLiteral("DISPLAY COMMAND LIST"));
        show_command();
        break;
    case 12:
    case 13:
    case 14: {
        const WebPage page = index == 12 ? WebPage::AirportWeather : index == 13 ? WebPage::HomePage : WebPage::Help;
        open_page(web_page_url(page), web_page_log_text(page));
        // In colour style the pane's own buttons show in colour while it is
        // open. A page that went to the default browser opened no pane, so
        // they keep their grey faces.
        if (!grey_style() && browser_pane_shown())
            for (const Button b : pane_buttons)
                grey_face(b)->hide();
        break;
    }
    case 15:
        if (!close_browser_pane()) {
            // No pane is shown: what closing it does besides hiding it.
            if (!grey_style())
                for (const Button b : pane_buttons)
                    grey_face(b)->show();
            leave_browser_mode();
            status_panel->setText(session.status_text);
        }
        break;
    case 16:
        browser_back();
        break;
    case 17:
        browser_forward();
        break;
    default:
        break;
    }
}

void view::img_MouseDown(int index)
{
    if (!button_takes_pressed_look(index, grey_style(), browser_pane_shown()))
        return;
    // A single border, drawn sunken while the button is held.
    set_picture_border(img[static_cast<std::size_t>(index)], true, true);
    img[static_cast<std::size_t>(index)]->setFrameShadow(QFrame::Sunken);
}

void view::img_MouseUp(int index)
{
    if (!button_takes_pressed_look(index, grey_style(), browser_pane_shown()))
        return;
    set_picture_border(img[static_cast<std::size_t>(index)], false, false);
}
