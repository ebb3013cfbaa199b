// What the chart and camera windows share: a window that stays on top with
// a menu bar and a web view at its top left, its open flag, the main
// window's rectangle it centres in, and printing of the shown page.
#pragma once

#include "sidewin/open_windows.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>

#include <array>
#include <memory>

class QLabel;
class QPrinter;
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
    bool showing_address() const;
    void show_address(bool on);

    SideWindowId which_;
    QWidget* area_ = nullptr;
    QLabel* address_text_ = nullptr;
    QString shown_url_;
    int refresh_count_ = 0;
    // What the user's own actions let through to the desktop's browser: the
    // chart chosen, when it comes as a download, and one download after
    // each press in the view.
    bool chosen_download_ = false;
    bool click_download_ = false;
    std::unique_ptr<QPrinter> printer_;
    // The watches on the view's downloads and loads.
    std::array<QMetaObject::Connection, 2> watches_;
    QString last_print_file_;
};

}  // namespace kolde_sub
