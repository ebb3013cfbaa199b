// The main window: the report console (which is also the command line),
// the image buttons, the menus, the scratch pad, the address bar of the
// browser pane and the status bar.
//
// Form_Load runs from the constructor, so the database is opened before the
// window is created; should it not open, the window starts with the
// automatic decode off and checks no version. Form_Activate runs on every activation (and on the
// first show, which activates the window); its body runs only once.
#pragma once

#include "mainwin/console_session.h"

#include <QMainWindow>
#include <QPixmap>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QStatusBar;
class QTextEdit;
class QTimer;
class DisplayRunner;
class PrintSave;

namespace platform { class Transfer; }
namespace kolde_sub { struct StationFile; enum class Button : int; class MainMenus; class ImageButtons; }
namespace kolde_test { class ViewDriver; }
class QIcon;
class Tray;
class WebPane;
class view;
namespace kolde_sub { void apply_display_settings(view& v); }

class view : public QMainWindow {
    Q_OBJECT
public:
    explicit view(QWidget* parent = nullptr);
    ~view() override;

private:
    friend class kolde_test::ViewDriver;
    friend void kolde_sub::apply_display_settings(view& v);
    // The event handling of the controls (view_window.cpp).
    class WindowEvents;
    // The menu items browser mode turns off (view_browser.cpp).
    static std::array<QAction*, 11> browser_mode_items(const view& v);

    // ---- controls
    QWidget* form = nullptr;  // the client area the controls are placed on
    // The console, the backing box behind it and the narrow box covering the
    // console's right edge; the text box handlers' index counts them in this
    // order (text_boxes).
    QTextEdit* console_box = nullptr;
    QTextEdit* backing_box = nullptr;
    QTextEdit* cover_box = nullptr;
    std::array<QTextEdit*, 3> text_boxes() const { return {console_box, backing_box, cover_box}; }
    QStatusBar* StatusBar = nullptr;
    QLabel* connection_panel = nullptr;  // the connection state
    QLabel* status_panel = nullptr;      // the status text
    // The image buttons and their grey faces (image_buttons.h).
    QLabel* button(kolde_sub::Button b) const;
    QLabel* grey_face(kolde_sub::Button b) const;
    QFrame* padshape = nullptr;      // scratch pad frame
    QLabel* padlbl = nullptr;        // scratch pad
    std::array<QFrame*, 2> Line{};
    QFrame* Frame1 = nullptr;        // start frame
    QLabel* Label1 = nullptr;        // start banner
    QTimer* Timer2 = nullptr;        // start banner

    // ---- the window's parts, each with its own state, files and tests
    // driver operations; the window creates them and wires them together.
    // The display runner, with printing and saving:
    std::unique_ptr<DisplayRunner> display_;
    std::unique_ptr<PrintSave> print_save_;
    friend class DisplayRunner;
    friend class PrintSave;

    // The heartbeat and the automatic decode:
    std::unique_ptr<class Heartbeat> heartbeat_;
    friend class Heartbeat;

    // The console command line:
    std::unique_ptr<class CommandLine> command_line_;
    std::unique_ptr<class CommandSteps> command_steps_;  // shared with the menus and buttons
    friend class CommandLine;
    friend class CommandSteps;
    // The menus and the image buttons:
    std::unique_ptr<kolde_sub::MainMenus> menus_;
    std::unique_ptr<kolde_sub::ImageButtons> buttons_;
    friend class kolde_sub::MainMenus;
    friend class kolde_sub::ImageButtons;

    // The browser pane and the notification-area icon:
    std::unique_ptr<WebPane> browser_;
    std::unique_ptr<Tray> tray_;
    friend class WebPane;

    // ---- state
    ConsoleSession session;
    bool first_activation = true;
    int banner_ticks = 0;

public:
    // ---- console text, with CR LF line breaks
    QString console_text() const;
    // Replaces the text; the new text takes the format at the caret. An
    // explanation tip of the text that goes closes.
    void set_console_text(const QString& text);
    // Adds text at the end in the format of the text before it.
    void append_console_text(const QString& text);
    void console_caret_to_end();

    // ---- handlers and procedures
    // Load, first activation and layout (view.cpp).
    void Form_Load();
    void Form_Activate();

    // Console: the command line (view_console.cpp, command_line.h).
    void show_ready_prompt();
    void explain_group();
    // A key typed on a console control; only index 0, the console, is
    // handled. Every key postpones the next automatic cycle and clears
    // group_mode, japanese_mode and timer_run; Esc closes the window,
    // Backspace and the other characters edit the typed line, and Enter
    // carries out the typed line as a command and empties it. key_ascii is
    // the key's character code and stays as it is; the command line then
    // shows what the key did at the end of the console, where the typed
    // line is.
    void TextBox_KeyPress(int index, int& key_ascii);
    // The line as if typed on the console, then Enter through
    // TextBox_KeyPress (how tests and benchmarks drive the console).
    void console_enter(const QString& line);
    // At the end of a display, after its prompt: typed, the line typed and
    // not yet entered (the display kept the keys out of its text), is the
    // typed line again and follows the prompt.
    void keep_typed_line(const QString& typed);
    // Text pasted into the console: each character that a key would type
    // is typed as if by its key (up to the longest line a paste fills).
    void paste_into_line(const QString& pasted);
    // The word search of a line that is a dictionary word (already upper
    // case and trimmed): its meaning after the typed word, the picture
    // registered under it in the picture window, then the log row.
    void search_word(const QString& line);

    // Timers (view_timers.cpp).
    void Timer_Timer();
    void Timer2_Timer();
    void Timer4_Timer();

    // Reports: the display runner (display_runner.h), one display at a
    // time; whatever starts a display goes through start_display, which
    // refuses (false) while one runs.
    bool display_running() const;
    bool start_display(const std::function<bool()>& prepare = {});
    // A display of the request as it stands, refused like start_display.
    bool display_reports() { return start_display(); }
    void build_station_list();
    kolde_sub::StationFile fetch_station_file(const QString& code);
    void fetch_hourly_cycles();

    // ---- heartbeat (heartbeat.h): the new-report detection and the network
    // menus on or off.
    void detect_report_changes();
    void set_network_menus_enabled(bool enabled);

    // ---- command steps shared by the console, the image buttons and the
    // menus (command_steps.h)
    // status_text := text, shown in the status panel while the pane is hidden.
    void set_status_text(const QString& text);
    // The box "インターネットに接続できません　　" of the commands that need
    // the network.
    void no_connection_box();
    // The automatic decode stops: heartbeat off, "自動デコード停止" and the
    // log row "AUTO DECODE SEQUENCE TERMINATED".
    void stop_auto_decode();
    // A manual request stops the automatic decode when マニュアル入力時停止
    // is on; otherwise nothing happens.
    void manual_input_stop();
    // Starts the automatic decode over the automatic-decode list: refuses an
    // empty list, asks to switch a disabled decode on, then displays the
    // list and starts the heartbeat. The console command and image button 4
    // differ in their console lines only.
    enum class AutoStartFrom { Console, Button };
    void start_auto_decode(AutoStartFrom from);
    // The automatic decode runs again over the list (after its editor).
    void restart_auto_decode();
    // Logs "DISPLAY SYSTEM SETUP MENU" and shows the options dialog behind
    // its wait notice; afterwards the display settings are applied again and,
    // when the sequence hours changed, the hourly files are fetched anew.
    void show_options();
    // Before the chart: the PDF-reader notice while it is on (log_notice
    // logs "DISPLAY ADOBE PDF INFORMATION" first). True when the user asked
    // for the reader download, which closes the window instead.
    bool show_reader_notice(bool log_notice);

    // Printing and saving the console (print_save.h).
    // Prints text when it is not empty (a new display handed over), else the
    // console.
    void print_display(const QString& text = QString());
    void save_display();

    // The menu bar and the pop-up menu are the menus part's (menus.h); the
    // update item's handler is the window's own (view_shutdown.cpp).

    // ---- window, tray and browser
    // Size and state changes (tray.h): minimising hides the window and its
    // open side windows and puts up the notification-area icon; any other
    // change maximises the window again and brings them back.
    void Form_Resize();
    void timer1_Timer();
    // The mouse over the window background or the button bar takes the
    // hover look off the image buttons (image_buttons.h).
    void Form_MouseMove();
    void Frame_MouseMove();
    void remove_button_hover();
    // The console's lines end where the cover box over its right edge
    // begins, while the box is shown; otherwise they take the console's
    // width. Follows the box and the console as they move, change size or
    // show (view_window.cpp).
    void fit_console_lines();
    // The image buttons' handlers (image_buttons.h): the hover look, a
    // click and the pressed look of element index.
    void img_MouseMove(int index);
    void img_Click(int index);
    void img_MouseDown(int index);
    void img_MouseUp(int index);

    // Console focus and mouse (view_window.cpp)
    // The console (element 0) takes the focus: input method off, Caps Lock
    // on; it loses the focus: Caps Lock off.
    void TextBox_GotFocus(int index);
    void TextBox_LostFocus(int index);
    // A press closes an open explanation tip (and the picture window); the
    // right button opens the pop-up menu at screen_pos when ポップアップ is on,
    // once the press has been delivered.
    void TextBox_MouseDown(int index, Qt::MouseButton button, const QPoint& screen_pos);
    // An open explanation tip closes (hidden), and its picture window with it.
    void close_tip();
    // The mouse over a text box takes the hover look off the buttons.
    void TextBox_MouseMove(int index);
    // A release on the console explains the selected group in the tip, placed
    // by the cursor's screen position.
    void TextBox_MouseUp(int index, Qt::MouseButton button, const QPoint& screen_pos);
    // The notification-area icon (taskicon.h, tray.h). Reload unloads and
    // loads it, so that icon and tip follow the connection state.
    void taskicon_load();
    void taskicon_unload();
    void taskicon_reload();
    class taskicon* tray_icon() const;
    // The window's and the notification-area icon's face, connected or not.
    QIcon connection_icon(bool connected) const;

    // The browser pane (web_pane.h); the web view inside it is created
    // when a page is first shown there.
    class QWebEngineView* browser_view() const;
    // The pane is open; the window is in browser mode (the address bar is
    // shown).
    bool browser_pane_shown() const;
    bool in_browser_mode() const;
    void open_page(const QString& url, const QString& log_text = QString(), bool enter_mode = true);
    void show_ais_page();
    void enter_browser_mode();
    void leave_browser_mode();
    bool close_browser_pane();
    bool hide_browser_pane();
    void browser_back();
    void browser_forward();
    void inputURL_KeyPress(int key_ascii);
    void inputURL_KeyUp(int key_code);
    void inputURL_MouseMove();
    void imgGo_MouseDown(int index);
    void imgGo_MouseMove(int index);
    void imgGo_MouseUp(int index);
    void WebBrowser_DocumentComplete(const QString& url);
    void WebBrowser_StatusTextChange(const QString& text);
    void WebBrowser_GotFocus();

private:
    // Installs the mouse, key and focus handling of the window and the image
    // buttons (view_window.cpp).
    void set_up_window_events();
    QObject* window_events_ = nullptr;

public:
    // ---- shut-down and update check (view_shutdown.cpp)
    // Asks the update site for its program version with the heartbeat off
    // and tells the user; the heartbeat runs again afterwards.
    void check_update();
    void menu_update_Click();
    // Every close that is not taken back by the browser pane: stops the
    // transfers and timers, counts the exit (compacting the store every 52nd
    // time), removes data/ and help/ of the program folder, closes the store
    // and the other windows. Runs once; a later close request only closes.
    void shut_down();
signals:
    // The shut-down begins: waits under way give up.
    void shutting_down();
public:
    // Rebuilds the group menus from the saved groups.
    void build_group_menus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class VersionCheck { Continue, NoAnswer, Unloaded };

    void create_controls();
    // The controls by area, in the order create_controls makes them.
    void create_button_bar();
    void create_pad_and_address_bar();
    void create_console_area();
    void create_start_banner();
    void create_timers_and_transfers();
    // The first activation's steps: the state afresh, the window shown with
    // its menus built, and after the version check the timers started.
    void reset_for_first_activation();
    void show_at_first_activation();
    void start_timers_at_first_activation();
    void queue_activation();
    void lay_out_console();
    void centre_banner();
    VersionCheck check_version_at_start();

    bool activation_queued_ = false;
    bool closing_ = false;
};
