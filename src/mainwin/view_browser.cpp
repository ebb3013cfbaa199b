// The window's names of the browser pane's operations and events, kept for
// the reader who traces them by these names; the pane itself is
// web_pane.h.

#include "view.h"

#include "menus.h"

#include "browser_rules.h"
#include "button_rules.h"
#include "window_rules.h"

#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "platform/msg_box.h"
#include "web_pane.h"

#include <QAction>
#include <QMenu>

std::array<QAction*, 11> view::browser_mode_items(const view& v)
{
    return v.menus_->browser_mode_items();
}

QWebEngineView* view::browser_view() const { return browser_->web_view(); }
bool view::browser_pane_shown() const { return browser_->shown(); }
bool view::in_browser_mode() const { return browser_->in_browser_mode(); }

void view::open_page(const QString& url, const QString& log_text, bool enter_mode)
{
    browser_->open_page(url, log_text, enter_mode);
}

void view::show_ais_page() { browser_->show_ais_page(); }
void view::enter_browser_mode() { browser_->enter_browser_mode(); }
void view::leave_browser_mode() { browser_->leave_browser_mode(); }
bool view::close_browser_pane() { return browser_->close(); }
bool view::hide_browser_pane() { return browser_->hide(); }
void view::browser_back() { browser_->back(); }
void view::browser_forward() { browser_->forward(); }

void view::inputURL_KeyPress(int key_ascii) { browser_->address_key_press(key_ascii); }
void view::inputURL_KeyUp(int key_code) { browser_->address_key_up(key_code); }
void view::inputURL_MouseMove() { browser_->restore_go_face(); }
void view::imgGo_MouseMove(int index) { browser_->go_mouse_move(index); }
void view::imgGo_MouseDown(int) { browser_->go_mouse_down(); }
void view::imgGo_MouseUp(int) { browser_->go_mouse_up(); }

void view::WebBrowser_DocumentComplete(const QString& url) { browser_->document_complete(url); }
void view::WebBrowser_StatusTextChange(const QString& text) { browser_->status_text_change(text); }
void view::WebBrowser_GotFocus() { remove_button_hover(); }
