// The main window's browser pane and its address bar: opening a page in the
// pane or the default browser, browser mode (what is disabled, shown and
// hidden while the pane is open), the address box, the go button and the
// pane's events.
//
// The pane's place lies over the console; the web view inside it is created
// when a page is first shown there, and only when the web engine can run in
// this process. Once the engine cannot run (or its page process died), every
// page goes to the default browser.
#pragma once

#include <QObject>
#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QRect;
class QWebEngineView;
class QWidget;
class view;
namespace kolde_test { class ViewDriver; }

class WebPane : public QObject {
public:
    // Creates the address bar and the go button's two faces on the window's
    // client area, hidden.
    explicit WebPane(view& window);
    // Creates the pane's place on the client area, hidden.
    void create_place();

    // The pane is open (its place is shown).
    bool shown() const;
    // The window is in browser mode (the address bar is shown).
    bool in_browser_mode() const;
    QWebEngineView* web_view() const { return web_view_; }

    // Opens a page: logs log_text (when not empty), then shows the page in
    // the pane when the setting ブラウザー is on and the web engine can run,
    // else hands it to the default browser. enter_mode false shows the page
    // in the pane without switching the window into browser mode.
    void open_page(const QString& url, const QString& log_text, bool enter_mode);
    void show_ais_page();
    void enter_browser_mode();
    void leave_browser_mode();
    // When the pane is open, hides it, stops it, puts the console's status
    // text back, leaves browser mode and returns true; otherwise does
    // nothing and returns false.
    bool close();
    // Hides the pane and leaves browser mode only (the status panel keeps
    // the pane's last text); false when the pane was not open.
    bool hide();
    void back();
    void forward();

    // The address bar and the go button; the go handlers' index counts the
    // go button's faces, active then normal.
    void address_key_press(int key_ascii);
    void address_key_up(int key_code);
    void go_mouse_down();
    void go_mouse_move(int index);
    void go_mouse_up();
    // The mouse elsewhere while the pane is open: the go button's normal
    // face again.
    void restore_go_face();

    // The pane's events.
    void document_complete(const QString& url);
    void status_text_change(const QString& text);

    // The window's first activation and layout: the address bar hidden; the
    // pane's place hidden over place_area; the address box and the go button
    // moved along the bar.
    void hide_address_bar();
    void place_over(const QRect& place_area);
    void lay_out_address_bar(int input_left, int input_width, int go_left);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class kolde_test::ViewDriver;

    std::array<QLabel*, 2> go_faces() const { return {go_active_, go_normal_}; }
    int go_face(QObject* o) const;
    void navigate(const QString& url);
    // Creates the web view in the pane; false when the web engine cannot
    // run in this process.
    bool ensure_web_view();
    void connect_web_view();
    // The engine's page process died.
    void failed();

    view& window_;
    QWidget* place_ = nullptr;       // the pane's place
    QLineEdit* address_ = nullptr;   // the address box
    QLabel* go_active_ = nullptr;
    QLabel* go_normal_ = nullptr;
    QWebEngineView* web_view_ = nullptr;
    bool unusable_ = false;  // the web engine cannot run, or its page process died
    QString body_;           // the body of the page last shown in the pane
};
