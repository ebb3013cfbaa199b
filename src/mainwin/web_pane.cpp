#include "web_pane.h"

#include "view.h"

#include "menus.h"

#include "browser_rules.h"
#include "button_rules.h"
#include "window_rules.h"

#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/twips.h"
#include "platform/msg_box.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace kolde_sub;

namespace {

const QString loading_text = QStringLiteral("取得中");
const QString shown_text = QStringLiteral("ページが表示されました");
const QString error_page_text = QStringLiteral("ページを表示できません");

QPixmap go_picture(bool active)
{
    QPixmap pm(32, 19);
    pm.fill(active ? QColor(255, 220, 120) : QColor(210, 210, 210));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 31, 18);
    p.drawText(QRect(0, 0, 32, 19), Qt::AlignCenter, QStringLiteral("Go"));
    return pm;
}

}  // namespace

// ---------------------------------------------------------- the controls

WebPane::WebPane(view& window)
    : window_(window)
{
    address_ = new QLineEdit(window_.form);
    address_->setObjectName(QStringLiteral("inputURL"));
    address_->setGeometry(px(7040), px(75), px(765), px(195));
    address_->hide();
    go_active_ = new QLabel(window_.form);
    go_normal_ = new QLabel(window_.form);
    for (int i = 0; i < 2; ++i) {
        QLabel* face = go_faces()[static_cast<std::size_t>(i)];
        face->setObjectName(QStringLiteral("imgGo_%1").arg(i));
        face->setPixmap(go_picture(i == 0));
        face->setGeometry(px(7900), px(45), px(480), px(285));
        face->hide();
    }
    go_active_->setToolTip(QStringLiteral(" Go for URL "));
    go_normal_->raise();
}

void WebPane::create_place()
{
    place_ = new QWidget(window_.form);
    place_->setObjectName(QStringLiteral("WebBrowser"));
    place_->hide();
    // The web view fills the pane once it is created.
    auto* pane_layout = new QVBoxLayout(place_);
    pane_layout->setContentsMargins(0, 0, 0, 0);

    address_->setMouseTracking(true);
    address_->installEventFilter(this);
    for (QLabel* l : go_faces()) {
        l->setMouseTracking(true);
        l->installEventFilter(this);
    }
    connect(address_, &QLineEdit::returnPressed, this, [this] { address_key_press(13); });
}

bool WebPane::shown() const { return place_->isVisible(); }

bool WebPane::in_browser_mode() const { return !address_->isHidden(); }

void WebPane::hide_address_bar()
{
    address_->hide();
    go_active_->hide();
    go_normal_->hide();
}

void WebPane::place_over(const QRect& place_area)
{
    place_->hide();
    place_->setGeometry(place_area);
}

void WebPane::lay_out_address_bar(int input_left, int input_width, int go_left)
{
    address_->setGeometry(input_left, address_->y(), input_width, address_->height());
    go_active_->move(go_left, go_active_->y());
    go_normal_->move(go_active_->x(), go_normal_->y());
}

int WebPane::go_face(QObject* o) const
{
    for (int i = 0; i < 2; ++i)
        if (o == go_faces()[static_cast<std::size_t>(i)])
            return i;
    return -1;
}

bool WebPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == address_) {
        if (event->type() == QEvent::MouseMove)
            restore_go_face();
        else if (event->type() == QEvent::KeyRelease)
            address_key_up(static_cast<QKeyEvent*>(event)->key());
        return false;
    }
    const int face = go_face(watched);
    if (face < 0)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        go_mouse_move(face);
        return true;
    case QEvent::MouseButtonPress:
        go_mouse_down();
        return true;
    case QEvent::MouseButtonRelease:
        go_mouse_up();
        return true;
    default:
        return false;
    }
}

// --------------------------------------------------------------- the pane

bool WebPane::ensure_web_view()
{
    if (web_view_)
        return true;
    if (unusable_ || !webengine_can_start(current_webengine_environment())) {
        unusable_ = true;
        return false;
    }
    web_view_ = new QWebEngineView(place_);
    web_view_->setObjectName(QStringLiteral("WebBrowserView"));
    place_->layout()->addWidget(web_view_);
    connect_web_view();
    return true;
}

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
void WebPane::connect_web_view()
{
    QPointer<QWebEngineView> pane(web_view_);
    connect(web_view_, &QWebEngineView::loadStarted, this, [this, pane] {
        if (pane)
            status_text_change(pane->url().toString());
    });
    connect(web_view_, &QWebEngineView::loadFinished, this, [this, pane](bool ok) {
        if (!pane)
            return;
        document_complete(pane->url().toString());
        if (!ok) {
            body_ = error_page_text;
            status_text_change(shown_text);
            return;
        }
        QPointer<WebPane> self(this);
        pane->page()->toHtml([self, pane](const QString& html) {
            if (!self || !pane)
                return;
            self->body_ = html;
            self->status_text_change(shown_text);
        });
    });
    connect(web_view_->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    failed();
            });
    connect(qApp, &QApplication::focusChanged, this, [this, pane](QWidget*, QWidget* now) {
        if (pane && now && (now == pane || pane->isAncestorOf(now)))
            window_.WebBrowser_GotFocus();
    });
}

// An open pane closes and its page goes to the default browser, as every
// later page does.
void WebPane::failed()
{
    unusable_ = true;
    const QString url = window_.session.current_url;
    if (close() && !url.isEmpty())
        open_in_default_browser(QUrl(url));
}

void WebPane::navigate(const QString& url)
{
    const QUrl address = address_url(url);
    if (web_view_ && address.isValid())
        web_view_->setUrl(address);
}

void WebPane::open_page(const QString& url, const QString& log_text, bool enter_mode)
{
    if (!log_text.isEmpty())
        write_log(log_text);
    ConsoleSession& session = window_.session;
    session.current_url = url;
    // The console's status text is kept for when the pane closes; a page
    // opened while the pane is already open keeps what was kept before
    // rather than the pane's own text.
    if (!place_->isVisible())
        session.status_text = window_.status_panel->text();
    if (setting_bool(key::browser) && ensure_web_view()) {
        navigate(session.current_url);
        place_->show();
        place_->raise();
        if (enter_mode)
            enter_browser_mode();
        return;
    }
    open_in_default_browser(QUrl(session.current_url));
}

void WebPane::show_ais_page()
{
    if (is_online()) {
        open_page(web_page_url(WebPage::Ais), web_page_log_text(WebPage::Ais), true);
        return;
    }
    platform::msg_box(&window_, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                      QStringLiteral("インターネットに接続できません　　"));
    write_log(QStringLiteral("SYSTEM NO NETWORK CONNECTION"));
}

void WebPane::back()
{
    if (web_view_)
        web_view_->back();
}

void WebPane::forward()
{
    if (web_view_)
        web_view_->forward();
}

// ----------------------------------------------------------- browser mode

void WebPane::enter_browser_mode()
{
    for (QAction* a : view::browser_mode_items(window_))
        a->setEnabled(false);
    window_.padshape->show();
    address_->show();
    go_active_->show();
    go_normal_->show();
    address_->raise();
    go_active_->raise();
    go_normal_->raise();
    window_.menus_->exit_item()->setText(QStringLiteral("ブラウザーを閉じる"));
    window_.button(Button::exit)->setToolTip(QStringLiteral(" ブラウザーを閉じる "));
}

void WebPane::leave_browser_mode()
{
    for (QAction* a : view::browser_mode_items(window_))
        a->setEnabled(true);
    hide_address_bar();
    if (!setting_bool(key::scratch_pad))
        window_.padshape->hide();
    window_.menus_->exit_item()->setText(QStringLiteral("KOLDE を終了"));
    window_.button(Button::exit)->setToolTip(QStringLiteral(" KOLDE を終了 "));
    window_.console_box->setFocus();
}

bool WebPane::close()
{
    if (!place_->isVisible())
        return false;
    place_->hide();
    if (web_view_)
        web_view_->stop();
    window_.status_panel->setText(window_.session.status_text);
    leave_browser_mode();
    // In colour style the browser buttons look inert again.
    if (!setting_bool(key::command_buttons))
        for (const Button b : pane_buttons)
            window_.grey_face(b)->show();
    return true;
}

bool WebPane::hide()
{
    if (!place_->isVisible())
        return false;
    place_->hide();
    leave_browser_mode();
    return true;
}

// ------------------------------------------------------------ address bar

void WebPane::address_key_press(int key_ascii)
{
    if (key_ascii == 13 && !address_->text().isEmpty())
        navigate(address_->text());
}

void WebPane::address_key_up(int key_code)
{
    const QString completed = address_completion(address_->text(), key_code);
    if (completed.isNull())
        return;
    address_->setText(completed);
    address_->setCursorPosition(static_cast<int>(completed.size()));
}

void WebPane::restore_go_face()
{
    if (place_->isVisible() && !go_normal_->isVisible())
        go_normal_->show();
}

void WebPane::go_mouse_move(int index)
{
    if (index == 1 && go_normal_->isVisible() && !address_->text().isEmpty())
        go_normal_->hide();
}

void WebPane::go_mouse_down()
{
    set_picture_border(go_active_, true, true);
    if (!address_->text().isEmpty())
        navigate(address_->text());
}

void WebPane::go_mouse_up() { set_picture_border(go_active_, false, false); }

// ------------------------------------------------------------ pane events

void WebPane::document_complete(const QString& url)
{
    if (url == address_->text())
        return;
    address_->setText(url);
    address_->setCursorPosition(static_cast<int>(url.size()));
}

void WebPane::status_text_change(const QString& text)
{
    if (!place_->isVisible() || text == loading_text)
        return;
    if (text != shown_text) {
        window_.status_panel->setText(loading_text);
        return;
    }
    window_.status_panel->setText(text);
    if (body_.contains(error_page_text))
        forward();
}
