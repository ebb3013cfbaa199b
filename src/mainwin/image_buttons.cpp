// The image buttons above the console: the button bar, what a click on each
// button does, the pressed look and the hover look.

#include "image_buttons.h"

#include "view.h"

#include "display_runner.h"

#include "browser_rules.h"
#include "button_rules.h"
#include "display_settings.h"
#include "menus.h"
#include "web_pane.h"
#include "window_rules.h"

#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"
#include "reports/colouring.h"
#include "reports/request.h"
#include "sidewin/side_windows.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QTextDocument>
#include <QTextEdit>

#include <utility>

namespace kolde_sub {

namespace {

// Left of the image buttons in the bar, in twips.
constexpr std::array<int, 18> button_left = {120,  480,  840,  1200, 1560, 1920, 2280, 2640, 3000,
                                             3360, 3720, 4080, 4590, 4965, 5325, 5685, 6135, 6420};

const char* const button_tip[18] = {
        " KOLDE を終了 ", " 保存 ", " 印刷 ", " 自動デコード停止 ", " 自動デコード開始 ", " リロード ",
        " 画面消去 ", " スクロールバー表示 ", " ボールド表示 ", " 動作設定 ", " 更新確認 ", " コマンド一覧 ",
        " Yahoo 空港天気予報 ", " KOLDE homepage ", " Online Help ", " ブラウザーを閉じる ", " 戻る ", " 進む "};

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

ImageButtons::ImageButtons(view& v, ConsoleSession& session, QWidget* parent)
    : v_(v)
    , session_(session)
{
    Frame = new QFrame(parent);
    Frame->setObjectName(QStringLiteral("Frame"));
    Frame->setGeometry(px(0), px(15), px(6855), px(360));
    for (int k = 0; k < button_count; ++k) {
        for (const bool grey : {false, true}) {
            const int i = grey ? k + button_count : k;
            img[i] = new QLabel(Frame);
            img[i]->setObjectName(QStringLiteral("img_%1").arg(i));
            img[i]->setPixmap(QPixmap::fromImage(button_face_image(k, grey)));
            img[i]->setFrameShape(QFrame::NoFrame);
            img[i]->setGeometry(px(button_left[k]), px(60), px(240), px(240));
            if (!grey)
                img[i]->setToolTip(QString::fromUtf8(button_tip[k]));
        }
    }
    for (int k = button_count; k < face_count; ++k)
        img[k]->raise();
    Shape1 = new QFrame(Frame);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::VLine);
    Shape1->setFrameShadow(QFrame::Sunken);
    Shape1->setGeometry(px(5595), px(60), px(60), px(240));
}

QLabel* ImageButtons::button(Button b) const { return img[static_cast<std::size_t>(b)]; }

QLabel* ImageButtons::grey_face(Button b) const
{
    return img[static_cast<std::size_t>(button_count + static_cast<int>(b))];
}

int ImageButtons::index_of(const QObject* o) const
{
    for (int i = 0; i < face_count; ++i)
        if (o == img[static_cast<std::size_t>(i)])
            return i;
    return -1;
}

void ImageButtons::show_grey_faces(bool shown)
{
    for (int i = button_count; i < face_count; ++i)
        img[static_cast<std::size_t>(i)]->setVisible(shown);
}

void ImageButtons::show_browser_buttons(bool shown)
{
    Frame->resize(px(shown ? 6855 : 5670), Frame->height());
    Shape1->setVisible(shown);
    for (const Button b : pane_buttons) {
        button(b)->setVisible(shown);
        grey_face(b)->setVisible(shown);
    }
}

// ------------------------------------------------------------------ click

void ImageButtons::img_Click(int index)
{
    if (!button_acts(index, v_.browser_pane_shown()))
        return;
    if (button_needs_network(index) && !is_online()) {
        v_.no_connection_box();
        write_log(QStringLiteral("SYSTEM NO NETWORK CONNECTION"));
        return;
    }
    // The commands in the order of the buttons.
    using Command = void (ImageButtons::*)();
    static constexpr std::array<Command, button_count> commands = {
            &ImageButtons::exit, &ImageButtons::save, &ImageButtons::print,
            &ImageButtons::stop_auto_decode, &ImageButtons::start_auto_decode, &ImageButtons::reload,
            &ImageButtons::clear_screen, &ImageButtons::toggle_scroll_bar, &ImageButtons::toggle_bold,
            &ImageButtons::options, &ImageButtons::update, &ImageButtons::command_list,
            &ImageButtons::airport_weather, &ImageButtons::home_page, &ImageButtons::help,
            &ImageButtons::close_pane, &ImageButtons::back, &ImageButtons::forward,
    };
    (this->*commands[static_cast<std::size_t>(index)])();
}

void ImageButtons::exit()
{
    // With the pane shown, the exit button closes the pane instead.
    if (!v_.hide_browser_pane())
        v_.close();
}

void ImageButtons::save() { v_.save_display(); }

// The same as the file menu's print.
void ImageButtons::print() { v_.menus_->menu_print_Click(); }

void ImageButtons::stop_auto_decode() { v_.stop_auto_decode(); }

void ImageButtons::start_auto_decode() { v_.start_auto_decode(view::AutoStartFrom::Button); }

void ImageButtons::reload()
{
    if (!current_request().codes().isEmpty()) {
        const bool started = v_.start_display([this] {
            write_log(QStringLiteral("DATA RELOAD COMMAND"));
            session_.ready_line_break = true;
            return true;
        });
        if (started)
            postpone_next_cycle();
    } else {
        write_log(QStringLiteral("SYNTAX ERROR"));
        v_.append_console_text(QStringLiteral("INPUT AIRPORT\r\n"));
        v_.show_ready_prompt();
        v_.append_console_text(QStringLiteral("\r\n"));
        color_report_text();
    }
}

// Clear screen; the next display treats every listed station's reports as
// new.
void ImageButtons::clear_screen()
{
    v_.display_->clear_staging();
    write_log(QStringLiteral("CLS COMMAND"));
    clear_code_history();
    v_.set_console_text(QStringLiteral("READY / PRESS ESC TO EXIT\r\n"));
    v_.console_caret_to_end();
    current_request().forget_stamps(session_.station_count);
}

// The narrow box at the console's right edge covers its scroll bar, which
// shows only while it is switched on.
void ImageButtons::toggle_scroll_bar()
{
    const bool shown = toggle_setting(key::scroll_bar, QStringLiteral("SHOW SCROLL BAR COMMAND"),
                                      QStringLiteral("ERASE SCROLL BAR COMMAND"));
    v_.cover_box->setVisible(!shown);
    v_.console_box->setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void ImageButtons::toggle_bold()
{
    toggle_setting(key::display_bold, QStringLiteral("TEXT BOLD COMMAND"),
                   QStringLiteral("RELEASE TEXT BOLD COMMAND"));
    apply_display_settings(v_);
    renew_button_hover();
    color_report_text();
}

void ImageButtons::options()
{
    QPointer<view> self(&v_);
    v_.show_options();
    if (self)
        renew_button_hover();
}

void ImageButtons::update()
{
    write_log(QStringLiteral("SYSTEM UPDATE COMMAND"));
    v_.check_update();
}

void ImageButtons::command_list()
{
    write_log(QStringLiteral("DISPLAY COMMAND LIST"));
    show_command();
}

void ImageButtons::airport_weather() { open_web_page(WebPage::AirportWeather); }

void ImageButtons::home_page() { open_web_page(WebPage::HomePage); }

void ImageButtons::help() { open_web_page(WebPage::Help); }

void ImageButtons::open_web_page(WebPage page)
{
    v_.open_page(web_page_url(page), web_page_log_text(page));
    // In colour style the pane's own buttons show in colour while it is
    // open. A page that went to the default browser opened no pane, so they
    // keep their grey faces.
    if (!grey_style() && v_.browser_pane_shown())
        for (const Button b : pane_buttons)
            grey_face(b)->hide();
}

void ImageButtons::close_pane()
{
    if (v_.close_browser_pane())
        return;
    // No pane is shown: what closing it does besides hiding it.
    if (!grey_style())
        for (const Button b : pane_buttons)
            grey_face(b)->show();
    v_.leave_browser_mode();
    v_.status_panel->setText(session_.status_text);
}

void ImageButtons::back() { v_.browser_back(); }

void ImageButtons::forward() { v_.browser_forward(); }

// --------------------------------------------------------- pressed look

void ImageButtons::img_MouseDown(int index)
{
    if (!button_takes_pressed_look(index, grey_style(), v_.browser_pane_shown()))
        return;
    // A single border, drawn sunken while the button is held.
    set_picture_border(img[static_cast<std::size_t>(index)], true, true);
    img[static_cast<std::size_t>(index)]->setFrameShadow(QFrame::Sunken);
}

void ImageButtons::img_MouseUp(int index)
{
    if (!button_takes_pressed_look(index, grey_style(), v_.browser_pane_shown()))
        return;
    set_picture_border(img[static_cast<std::size_t>(index)], false, false);
}

// ------------------------------------------------------------------ hover

void ImageButtons::img_MouseMove(int index)
{
    if (index < 0 || index >= face_count)
        return;
    const bool pane = v_.browser_pane_shown();
    if (index != hovered_button) {
        if (grey_style()) {
            // Grey style: the face under the mouse uncovers its button,
            // except the faces of buttons that do nothing in this mode.
            if (index >= button_count) {
                for (int i = button_count; i < face_count; ++i)
                    img[i]->show();
                const int k = index - button_count;
                const bool inert = (pane && console_button(k)) || (!pane && pane_button(k));
                if (!inert) {
                    img[index]->hide();
                    hovered_button = index;
                }
            }
        } else {
            // Colour style: the button under the mouse is raised.
            for (int i = 0; i < button_count; ++i)
                if (picture_has_border(img[i]))
                    set_picture_border(img[i], false, false);
            const bool inert = (pane && console_button(index)) || (!pane && index >= button_count);
            if (!inert) {
                set_picture_border(img[index], true, true);
                hovered_button = index;
            }
        }
    }
    v_.browser_->restore_go_face();
}

void ImageButtons::remove_button_hover()
{
    if (hovered_button != no_button) {
        if (grey_style()) {
            for (int i = button_count; i < face_count; ++i)
                img[i]->show();
        } else {
            for (int i = 0; i < button_count; ++i)
                if (picture_has_border(img[i]))
                    set_picture_border(img[i], false, false);
        }
        hovered_button = no_button;
    }
    v_.browser_->restore_go_face();
}

void ImageButtons::renew_button_hover() { img_MouseMove(std::exchange(hovered_button, no_button)); }

}  // namespace kolde_sub

// ------------------------------------------------------ the window's handlers

using kolde_sub::Button;

QLabel* view::button(Button b) const { return buttons_->button(b); }
QLabel* view::grey_face(Button b) const { return buttons_->grey_face(b); }
void view::img_Click(int index) { buttons_->img_Click(index); }
void view::img_MouseDown(int index) { buttons_->img_MouseDown(index); }
void view::img_MouseUp(int index) { buttons_->img_MouseUp(index); }
void view::img_MouseMove(int index) { buttons_->img_MouseMove(index); }
void view::Form_MouseMove() { buttons_->remove_button_hover(); }
void view::Frame_MouseMove() { buttons_->remove_button_hover(); }
void view::remove_button_hover() { buttons_->remove_button_hover(); }
