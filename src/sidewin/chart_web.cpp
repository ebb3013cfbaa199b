#include "chart_web.h"

#include "core/clock.h"
#include "core/shared.h"
#include "core/twips.h"
#include "platform/printers.h"
#include "platform/shell.h"
#include "platform/web_engine.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QtWebEngineCore/QWebEngineDownloadRequest>
#include <QtWebEngineCore/QWebEngineLoadingInfo>
#include <QtWebEngineCore/QWebEngineNavigationRequest>
#include <QtWebEngineCore/QWebEnginePage>
#include <QtWebEngineCore/QWebEngineProfile>
#include <QtWebEngineCore/QWebEngineSettings>
#include <QtWebEngineWidgets/QWebEngineView>

#include <algorithm>
#include <utility>

#include <unistd.h>

namespace kolde_sub {

bool web_engine_can_run() { return platform::webengine_can_start(platform::current_webengine_environment()); }

namespace {

QSize screen_size()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry().size() : QSize(1024, 768);
}

QSize in_twips(QSize pixels) { return {tw(pixels.width()), tw(pixels.height())}; }

}  // namespace

QSize main_window_size_twips()
{
    const QWidget* w = main_window();
    return in_twips(w ? w->frameGeometry().size() : screen_size());
}

QSize main_window_inner_twips()
{
    const QWidget* w = main_window();
    return in_twips(w ? w->size() : screen_size());
}

web_side_window::web_side_window(const QString& name, SideWindowId which)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
    , which_(which)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    area_ = new QWidget(this);
    setCentralWidget(area_);
    // Where the browser cannot show a chart, the window shows its address.
    address_text_ = new QLabel(area_);
    address_text_->setObjectName(QStringLiteral("address"));
    address_text_->setAlignment(Qt::AlignCenter);
    address_text_->setWordWrap(true);
    if (!web_engine_can_run())
        return;
    address_text_->hide();
    WebBrowser = new QWebEngineView(area_);
    WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
    // The window's own profile, off the record as the default one is, so
    // that the downloads it tells of are this window's alone: a download
    // whose page has already gone cannot even be asked for its page. It is
    // the window's child, which outlives the page (the view goes first).
    auto* profile = new QWebEngineProfile(this);
    WebBrowser->setPage(new QWebEnginePage(profile, WebBrowser));
    // PDF charts are shown in the view where the engine has its PDF viewer;
    // where it has none the page turns into a download, which goes to the
    // desktop's viewer instead.
    WebBrowser->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    WebBrowser->settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    // A chart that comes as nothing (an empty answer, or one the view hands
    // on as a download) commits no page: the view would go on showing the
    // chart before it. The window shows the address instead, as it does
    // without a browser. A page the browser shows, its error pages
    // included, stays.
    watches_[0] = connect(profile, &QWebEngineProfile::downloadRequested, WebBrowser,
                          [this](QWebEngineDownloadRequest* download) {
                              download->cancel();
                              if (download->url() == QUrl(shown_url_))
                                  show_address(true);
                              if (download_allowed(download->url()))
                                  platform::open_in_default_browser(download->url());
                          });
    watches_[1] = connect(WebBrowser->page(), &QWebEnginePage::loadingChanged, WebBrowser,
                          [this](const QWebEngineLoadingInfo& info) {
                              if (info.url() != QUrl(shown_url_) || info.isErrorPage())
                                  return;
                              if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
                                  show_address(false);
                              else if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus)
                                  show_address(true);
                          });
    watches_[2] = connect(WebBrowser->page(), &QWebEnginePage::navigationRequested, WebBrowser,
                          [this](QWebEngineNavigationRequest& request) { note_navigation(request); });
    // The view draws into children it makes later: each is watched as it
    // comes, for the user's presses.
    WebBrowser->installEventFilter(this);
    connect(WebBrowser, &QWebEngineView::printFinished, this, [this](bool ok) {
        printer_.reset();
        if (!ok)
            last_print_file_.clear();
        emit print_finished(ok);
    });
}

// The view goes first: a print under way still uses the printer. Its page
// tells of the load it stops while the view is half gone: nothing listens
// by then.
web_side_window::~web_side_window()
{
    for (const QMetaObject::Connection& c : watches_)
        disconnect(c);
    delete WebBrowser;
    WebBrowser = nullptr;
}

// A page hands the desktop nothing by itself: a frame or a script that turns
// into a download is let through only when a press of the user's in the
// view started it, shortly before (one download a press), the chart chosen
// only once per choice (not at every refresh), and only an http or https
// address.
bool web_side_window::download_allowed(const QUrl& url)
{
    const bool pressed = started_by_press(url);
    const bool chosen = url == QUrl(shown_url_) && std::exchange(chosen_download_, false);
    return (pressed || chosen) && (url.scheme() == u"http" || url.scheme() == u"https");
}

// A press's download is the one its link sent the page to, or, where the
// press followed no link, one that no frame was sent to: a link's own
// download, which the view starts without sending a frame anywhere. Frames
// a script adds are sent to their address first, a press or not.
bool web_side_window::started_by_press(const QUrl& url)
{
    const auto framed = std::find(frame_addresses_.begin(), frame_addresses_.end(), url);
    const bool by_frame = framed != frame_addresses_.end();
    if (by_frame)
        frame_addresses_.erase(framed);
    if (press_until_.hasExpired()) {
        forget_press();
        return false;
    }
    const bool started = !by_frame && (press_link_.isEmpty() || url == press_link_);
    if (started)
        forget_press();
    return started;
}

void web_side_window::forget_press()
{
    press_until_ = QDeadlineTimer();
    press_link_.clear();
    press_leads_page_ = false;
}

void web_side_window::note_navigation(const QWebEngineNavigationRequest& request)
{
    using Type = QWebEngineNavigationRequest::NavigationType;
    const bool live = !press_until_.hasExpired();
    if (request.isMainFrame()) {
        const Type type = request.navigationType();
        const bool followed = live && ((type == Type::LinkClickedNavigation && press_link_.isEmpty())
                                       || (type == Type::RedirectNavigation && press_leads_page_));
        press_leads_page_ = followed;
        if (followed) {
            press_link_ = request.url();
            return;
        }
    }
    // Enough to outlast the frames a page sends while one answer is on its
    // way, and no more.
    constexpr std::size_t kept = 256;
    frame_addresses_.push_back(request.url());
    if (frame_addresses_.size() > kept)
        frame_addresses_.pop_front();
}

bool web_side_window::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::ChildAdded) {
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(e)->child()))
            child->installEventFilter(this);
    } else if (e->type() == QEvent::MouseButtonPress && watched != this) {
        forget_press();
        press_until_ = QDeadlineTimer(press_window_);
    }
    return QMainWindow::eventFilter(watched, e);
}

void web_side_window::navigate(const QString& url)
{
    chosen_download_ = true;
    forget_press();
    shown_url_ = url;
    refresh_count_ = 0;
    address_text_->setText(url);
    if (WebBrowser)
        WebBrowser->setUrl(QUrl(url));
}

void web_side_window::refresh()
{
    ++refresh_count_;
    if (!WebBrowser)
        return;
    // The view still holds the page before a chart that did not come.
    if (showing_address())
        WebBrowser->setUrl(QUrl(shown_url_));
    else
        WebBrowser->reload();
}

bool web_side_window::showing_address() const { return !address_text_->isHidden(); }

void web_side_window::show_address(bool on)
{
    address_text_->setVisible(on);
    if (WebBrowser)
        WebBrowser->setVisible(!on);
}

void web_side_window::set_browser_size(QSize pixels)
{
    const QRect r(QPoint(0, 0), pixels);
    address_text_->setGeometry(r);
    if (WebBrowser)
        WebBrowser->setGeometry(r);
}

QSize web_side_window::browser_size() const
{
    return WebBrowser ? WebBrowser->size() : address_text_->size();
}

bool web_side_window::print_page()
{
    if (!WebBrowser || printer_)
        return false;
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QString name = platform::current_printer();
    if (name == platform::pdf_printer_name) {
        QFile file;
        if (!platform::open_new_pdf_file({program_path(QStringLiteral("print")), now_local()}, file)) {
            printer_.reset();
            return false;
        }
        file.close();
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(file.fileName());
        last_print_file_ = file.fileName();
    } else {
        printer_->setPrinterName(name);
        last_print_file_.clear();
    }
    WebBrowser->print(printer_.get());
    return true;
}

void web_side_window::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
        mark_side_window(which_, true);
        fill_when_maximised();
    }
    QMainWindow::changeEvent(e);
}

void web_side_window::closeEvent(QCloseEvent* e)
{
    mark_side_window(which_, false);
    QMainWindow::closeEvent(e);
}

void web_side_window::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    fill_when_maximised();
}

// A maximised window gives its whole client area to the browser.
void web_side_window::fill_when_maximised()
{
    if (isMaximized())
        set_browser_size(area_->size());
}

}  // namespace kolde_sub
