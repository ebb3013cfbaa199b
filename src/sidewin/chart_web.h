// What the chart and camera windows share: a window that stays on top with
// a menu bar and a web view at its top left, its open flag, the main
// window's rectangle it centres in, and printing of the shown page.
#pragma once

#include "sidewin/open_windows.h"

#include <QDeadlineTimer>
#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QUrl>

#include <array>
#include <chrono>
#include <deque>
#include <memory>

class QLabel;
class QPrinter;
class QWebEngineNavigationRequest;
class QWebEngineView;

namespace kolde_sub {

// Whether the web engine can run in this process: its helper program is
// there, and run as root its sandbox is switched off (otherwise starting it
// would take the process down).
bool web_engine_can_run();

// The main window's outer size and inner (client) size in twips; the
// primary screen's size when there is no main window.
QSize main_window_size_twips();
QSize main_window_inner_twips();

// The part of a window around its browser, in twips: the frame at the
// sides, and the frame, caption and menu bar above and below.
constexpr int frame_width_twips = 115;
constexpr int frame_height_twips = 695;

class web_side_window : public QMainWindow {
    Q_OBJECT
public:
    web_side_window(const QString& name, SideWindowId which);
    ~web_side_window() override;

    // The browser; null where the web engine cannot run, and the window then
    // shows the address as text. It shows the address in its place too while
    // the chart asked for came as nothing.
    QWebEngineView* WebBrowser = nullptr;

    // Opens the address in the browser.
    void navigate(const QString& url);
    // Reloads the shown page.
    void refresh();
    // The address last opened and how many reloads were asked for since.
    const QString& shown_url() const { return shown_url_; }
    int refresh_count() const { return refresh_count_; }

    // The browser's size in pixels (it is not laid out: it keeps the size
    // it is given until the window is maximised).
    void set_browser_size(QSize pixels);
    QSize browser_size() const;

    // Prints the shown page on the current printer ("PDF" writes a file
    // into print/ under the program folder); false when a print is still
    // running or there is no browser. print_finished(ok) follows.
    bool print_page();
    // The file the last print on "PDF" wrote.
    const QString& last_print_file() const { return last_print_file_; }

    // How long after a press in the view a download it started still goes
    // to the desktop's browser.
    void set_press_window(std::chrono::milliseconds window) { press_window_ = window; }

signals:
    void print_finished(bool ok);

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Counts the user's presses in the view.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fill_when_maximised();
    // Whether a download the page asks for goes to the desktop's browser.
    bool download_allowed(const QUrl& url);
    // Whether the download is the one the last press started.
    bool started_by_press(const QUrl& url);
    // Notes where a frame of the page is sent, and whether by the press.
    void note_navigation(const QWebEngineNavigationRequest& request);
    void forget_press();
    bool showing_address() const;
    void show_address(bool on);

    SideWindowId which_;
    QWidget* area_ = nullptr;
    QLabel* address_text_ = nullptr;
    QString shown_url_;
    int refresh_count_ = 0;
    // What the user's own actions let through to the desktop's browser: the
    // chart chosen, when it comes as a download, and one download that a
    // press in the view started, shortly after the press: the one its link
    // led the page to (press_link_, once the page has gone there), or else
    // one that no frame of the page was sent to (a link's own download).
    bool chosen_download_ = false;
    QDeadlineTimer press_until_;
    QUrl press_link_;
    // The page itself was last sent to press_link_ (or redirected on from it).
    bool press_leads_page_ = false;
    // Long enough for a link's answer to come back, not for a page to wait.
    std::chrono::milliseconds press_window_{5000};
    // The latest addresses the page's frames were sent to other than by a
    // press, until their download comes: none of these is a press's.
    std::deque<QUrl> frame_addresses_;
    std::unique_ptr<QPrinter> printer_;
    // The watches on the view's downloads, loads and navigations.
    std::array<QMetaObject::Connection, 3> watches_;
    QString last_print_file_;
};

}  // namespace kolde_sub
