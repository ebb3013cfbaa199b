// Drives the main window the way a user or a test needs to: its controls by
// name and the state the tests set up or check, grouped by the part of the
// window they belong to. Tests reach the window only through here, so the
// window may rearrange its insides without the tests changing. The state
// the tests set up or check is handed out by reference.
#pragma once

#include "mainwin/button_rules.h"
#include "mainwin/heartbeat.h"
#include "mainwin/image_buttons.h"
#include "mainwin/menus.h"
#include "mainwin/display_runner.h"
#include "mainwin/tray.h"
#include "mainwin/command_line.h"
#include "mainwin/view.h"
#include "mainwin/web_pane.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace kolde_test {

class ViewDriver {
public:
    explicit ViewDriver(view& v) : v_(v) {}

    // ---- display runner
    bool& new_request() { return v_.session.new_request; }
    bool& sequence_mode() { return v_.session.sequence_mode; }
    bool& group_mode() { return v_.session.group_mode; }
    bool& japanese_mode() { return v_.session.japanese_mode; }
    bool& ready_line_break() { return v_.session.ready_line_break; }
    int& station_count() { return v_.session.station_count; }
    int& group_menu_count() { return v_.menus_->group_menu_count; }
    // The folder the display fetches station files from.
    QString& current_url() { return v_.session.current_url; }
    // The text the display stages its reports in before they reach the console.
    QString staged_text() const { return v_.display_->staging_->toPlainText(); }
    void stage_text(const QString& text) { v_.display_->staging_->setPlainText(text); }
    int staging_undo_steps() const { return v_.display_->staging_->availableUndoSteps(); }
    platform::Transfer* display_transfer() { return v_.display_->transfer_; }
    QTimer* sequence_retry_timer() { return v_.display_->retry_timer_; }

    // ---- heartbeat and automatic decode
    QTimer* heartbeat_timer() { return v_.heartbeat_->timer_; }
    bool& auto_mode() { return v_.session.auto_mode; }
    bool& timer_run() { return v_.session.timer_run; }
    bool& reports_changed() { return v_.heartbeat_->reports_changed_; }
    bool& was_online() { return v_.heartbeat_->was_online_; }
    int& probe_period() { return v_.heartbeat_->probe_period_; }
    QString& standby_start() { return v_.session.standby_start; }
    QLabel* connection_panel() { return v_.connection_panel; }
    QPixmap connection_icon(bool connected) { return connected ? v_.tray_->online_face_ : v_.tray_->offline_face_; }

    // ---- console command line and status bar
    QTextEdit* console() { return v_.console_box; }
    QTextEdit* backing_box() { return v_.backing_box; }
    // The narrow box over the console's right edge (its scroll bar).
    QTextEdit* cover_box() { return v_.cover_box; }
    // The line typed on the console and not yet entered.
    QString typed_line() const { return v_.command_line_->typed_; }
    void set_typed_line(const QString& line) { v_.command_line_->typed_ = line; }
    bool& enter_pressed() { return v_.session.enter_pressed; }
    QString status_panel_text() const { return v_.status_panel->text(); }
    void set_status_panel_text(const QString& text) { v_.status_panel->setText(text); }
    QString& status_text() { return v_.session.status_text; }
    QString& saved_status_text() { return v_.session.saved_status_text; }

    // ---- start banner, scratch pad and layout
    bool& first_activation() { return v_.first_activation; }
    QWidget* client_area() { return v_.form; }
    QFrame* start_frame() { return v_.Frame1; }
    QLabel* start_banner() { return v_.Label1; }
    QTimer* banner_timer() { return v_.Timer2; }
    QLabel* pad() { return v_.padlbl; }
    QFrame* pad_frame() { return v_.padshape; }

    // ---- menus and image buttons
    // A menu item, a submenu or a menu item array, by the name the window
    // gives it.
    QAction* menu_item(const char* name) const;
    QMenu* menu(const char* name) const { return v_.findChild<QMenu*>(QString::fromLatin1(name)); }
    std::vector<QAction*> menu_items(const char* name) const;
    QFrame* button_bar() { return v_.buttons_->bar(); }
    QLabel* button(kolde_sub::Button b) { return v_.button(b); }
    QLabel* grey_face(kolde_sub::Button b) { return v_.grey_face(b); }
    // The element the image handlers receive as index: a button (0 to 17)
    // or a grey face (18 to 35).
    QLabel* image(int index) { return v_.buttons_->image(index); }
    int& hovered_button() { return v_.buttons_->hovered_button; }

    // ---- browser pane
    QWidget* browser_pane() { return v_.browser_->place_; }
    QLineEdit* address_bar() { return v_.browser_->address_; }
    QLabel* go_button(bool active) { return active ? v_.browser_->go_active_ : v_.browser_->go_normal_; }
    QFrame* browser_shape() { return v_.buttons_->Shape1; }

    // ---- tray
    // Takes the notification-area icon down after the window came back.
    QTimer* tray_timer() { return v_.tray_->timer_; }

    // ---- printing and saving
    // A display prints itself when it ends.
    bool& auto_print() { return v_.session.auto_print; }

private:
    view& v_;
};

inline QAction* ViewDriver::menu_item(const char* name) const
{
    if (QMenu* m = menu(name))
        return m->menuAction();
    return v_.findChild<QAction*>(QString::fromLatin1(name));
}

inline std::vector<QAction*> ViewDriver::menu_items(const char* name) const
{
    const QList<QAction*> found = v_.findChildren<QAction*>(QString::fromLatin1(name));
    std::vector<QAction*> items(found.begin(), found.end());
    std::sort(items.begin(), items.end(),
              [](const QAction* a, const QAction* b) { return a->data().toInt() < b->data().toInt(); });
    return items;
}

inline ViewDriver drive(view& v) { return ViewDriver(v); }
inline ViewDriver drive(const view& v) { return ViewDriver(const_cast<view&>(v)); }

}  // namespace kolde_test
