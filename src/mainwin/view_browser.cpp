// The browser pane and its address bar: opening a page in the pane or the
// default browser, browser mode (what is disabled, shown and hidden while
// the pane is open), the address box, the go button and the pane's events.

#include "view.h"

#include "menus.h"

#include "browser_rules.h"
#include "button_rules.h"
#include "window_rules.h"

#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "platform/msg_box.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>
#include <QTextEdit>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace kolde_sub;

namespace {

const QString loading_text = QStringLiteral("取得中");
const QString shown_text = QStringLiteral("ページが表示されました");
const QString error_page_text = QStringLiteral("ページを表示できません");

}  // namespace

// --------------------------------------------------------------- the pane

bool view::ensure_browser_view()
{
    if (browser_view_)
        return true;
    if (browser_unusable_ || !webengine_can_start(current_webengine_environment())) {
        browser_unusable_ = true;
        return false;
    }
    browser_view_ = new QWebEngineView(WebBrowser);
    browser_view_->setObjectName(QStringLiteral("WebBrowserView"));
    WebBrowser->layout()->addWidget(browser_view_);

    // The pane reports through the view's load signals:
    //   load started          -> status text change with the address being
    //                            opened (the status panel shows "取得中");
    //   load finished (ok)    -> document complete with the page's address,
    //                            then, once the page's HTML is read, status
    //                            text change "ページが表示されました";
    //   load finished (fails) -> document complete, then the same status
    //                            text change with the body taken as the
    //                            error page "ページを表示できません";
    //   focus into the view   -> got focus.
    QPointer<QWebEngineView> pane(browser_view_);
    connect(browser_view_, &QWebEngineView::loadStarted, this, [this, pane] {
        if (pane)
            WebBrowser_StatusTextChange(pane->url().toString());
    });
    connect(browser_view_, &QWebEngineView::loadFinished, this, [this, pane](bool ok) {
        if (!pane)
            return;
        WebBrowser_DocumentComplete(pane->url().toString());
        if (!ok) {
            pane_body_ = error_page_text;
            WebBrowser_StatusTextChange(shown_text);
            return;
        }
        QPointer<view> self(this);
        pane->page()->toHtml([self, pane](const QString& html) {
            if (!self || !pane)
                return;
            self->pane_body_ = html;
            self->WebBrowser_StatusTextChange(shown_text);
        });
    });
    connect(browser_view_->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    browser_failed();
            });
    connect(qApp, &QApplication::focusChanged, this, [this, pane](QWidget*, QWidget* now) {
        if (pane && now && (now == pane || pane->isAncestorOf(now)))
            WebBrowser_GotFocus();
    });
    return true;
}

// The engine's page process died: an open pane closes and its page goes
// to the default browser, as every later page does.
void view::browser_failed()
{
    browser_unusable_ = true;
    const QString url = session.current_url;
    if (close_browser_pane() && !url.isEmpty())
        open_in_default_browser(QUrl(url));
}

void view::navigate_pane(const QString& url)
{
    const QUrl address = address_url(url);
    if (browser_view_ && address.isValid())
        browser_view_->setUrl(address);
}

void view::open_page(const QString& url, const QString& log_text, bool enter_mode)
{
    if (!log_text.isEmpty())
        write_log(log_text);
    session.current_url = url;
    // The console's status text is kept for when the pane closes; a page
    // opened while the pane is already open keeps what was kept before
    // rather than the pane's own text.
    if (!WebBrowser->isVisible())
        session.status_text = status_panel->text();
    if (setting_bool(key::browser) && ensure_browser_view()) {
        navigate_pane(session.current_url);
        WebBrowser->show();
        WebBrowser->raise();
        if (enter_mode)
            enter_browser_mode();
        return;
    }
    open_in_default_browser(QUrl(session.current_url));
}

void view::show_ais_page()
{
    if (is_online()) {
        open_page(web_page_url(WebPage::Ais), web_page_log_text(WebPage::Ais));
        return;
    }
    platform::msg_box(this, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                      QStringLiteral("インターネットに接続できません　　"));
    write_log(QStringLiteral("SYSTEM NO NETWORK CONNECTION"));
}

void view::browser_back()
{
    if (browser_view_)
        browser_view_->back();
}

void view::browser_forward()
{
    if (browser_view_)
        browser_view_->forward();
}

// ----------------------------------------------------------- browser mode

std::array<QAction*, 11> view::browser_mode_items(const view& v)
{
    return v.menus_->browser_mode_items();
}

void view::enter_browser_mode()
{
    for (QAction* a : browser_mode_items(*this))
        a->setEnabled(false);
    padshape->show();
    inputURL->show();
    go_active->show();
    go_normal->show();
    inputURL->raise();
    go_active->raise();
    go_normal->raise();
    menus_->exit_item()->setText(QStringLiteral("ブラウザーを閉じる"));
    button(Button::exit)->setToolTip(QStringLiteral(" ブラウザーを閉じる "));
}

void view::leave_browser_mode()
{
    for (QAction* a : browser_mode_items(*this))
        a->setEnabled(true);
    inputURL->hide();
    go_active->hide();
    go_normal->hide();
    if (!setting_bool(key::scratch_pad))
        padshape->hide();
    menus_->exit_item()->setText(QStringLiteral("KOLDE を終了"));
    button(Button::exit)->setToolTip(QStringLiteral(" KOLDE を終了 "));
    console_box->setFocus();
}

bool view::close_browser_pane()
{
    if (!WebBrowser->isVisible())
        return false;
    WebBrowser->hide();
    if (browser_view_)
        browser_view_->stop();
    status_panel->setText(session.status_text);
    leave_browser_mode();
    // In colour style the browser buttons look inert again.
    if (!setting_bool(key::command_buttons))
        for (const Button b : pane_buttons)
            grey_face(b)->show();
    return true;
}

bool view::hide_browser_pane()
{
    if (!WebBrowser->isVisible())
        return false;
    WebBrowser->hide();
    leave_browser_mode();
    return true;
}

// ------------------------------------------------------------ address bar

void view::inputURL_KeyPress(int key_ascii)
{
    if (key_ascii == 13 && !inputURL->text().isEmpty())
        navigate_pane(inputURL->text());
}

void view::inputURL_KeyUp(int key_code)
{
    const QString completed = address_completion(inputURL->text(), key_code);
    if (completed.isNull())
        return;
    inputURL->setText(completed);
    inputURL->setCursorPosition(static_cast<int>(completed.size()));
}

void view::inputURL_MouseMove()
{
    if (WebBrowser->isVisible() && !go_normal->isVisible())
        go_normal->show();
}

void view::imgGo_MouseMove(int index)
{
    if (index == 1 && go_normal->isVisible() && !inputURL->text().isEmpty())
        go_normal->hide();
}

void view::imgGo_MouseDown(int)
{
    set_picture_border(go_active, true, true);
    if (!inputURL->text().isEmpty())
        navigate_pane(inputURL->text());
}

void view::imgGo_MouseUp(int) { set_picture_border(go_active, false, false); }

// ------------------------------------------------------------ pane events

void view::WebBrowser_DocumentComplete(const QString& url)
{
    if (url == inputURL->text())
        return;
    inputURL->setText(url);
    inputURL->setCursorPosition(static_cast<int>(url.size()));
}

void view::WebBrowser_StatusTextChange(const QString& text)
{
    if (!WebBrowser->isVisible() || text == loading_text)
        return;
    if (text != shown_text) {
        status_panel->setText(loading_text);
        return;
    }
    status_panel->setText(text);
    if (pane_body_.contains(error_page_text))
        browser_forward();
}

void view::WebBrowser_GotFocus()
{
    remove_button_hover();
}
