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
class QLineEdit;
class QMenu;
class QStatusBar;
class QTextDocument;
class QTextEdit;
class QTimer;

namespace platform { class Transfer; }
namespace kolde_sub { struct StationFile; enum class Button : int; }
namespace kolde_test { class ViewDriver; }
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
    // The kinds of display and the event handling of the controls
    // (view_display.cpp, view_window.cpp).
    struct Displays;
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
    // The text a display gathers before it becomes the console's text.
    QTextDocument* staging_doc = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* connection_panel = nullptr;  // the connection state
    QLabel* status_panel = nullptr;      // the status text
    QFrame* Frame = nullptr;         // the button bar
    std::array<QLabel*, 36> img{};   // the 18 buttons, then their 18 grey faces
    QLabel* button(kolde_sub::Button b) const;
    QLabel* grey_face(kolde_sub::Button b) const;
    QFrame* Shape1 = nullptr;        // shown with the browser buttons
    QFrame* padshape = nullptr;      // scratch pad frame
    QLabel* padlbl = nullptr;        // scratch pad
    QLineEdit* inputURL = nullptr;   // address bar
    // The go button's two faces; the go handlers' index counts them in this
    // order (go_faces).
    QLabel* go_active = nullptr;
    QLabel* go_normal = nullptr;
    std::array<QLabel*, 2> go_faces() const { return {go_active, go_normal}; }
    std::array<QFrame*, 2> Line{};
    QFrame* Frame1 = nullptr;        // start frame
    QLabel* Label1 = nullptr;        // start banner
    // The window's and the notification-area icon's faces, connected and not.
    QPixmap online_icon;
    QPixmap offline_icon;
    QWidget* WebBrowser = nullptr;   // place of the browser pane
    QTimer* Timer = nullptr;         // heartbeat
    QTimer* timer1 = nullptr;
    QTimer* Timer2 = nullptr;        // start banner
    QTimer* Timer4 = nullptr;        // retry of the sequence display
    platform::Transfer* inet = nullptr;
    platform::Transfer* Inet2 = nullptr;

    // ---- menu bar
    QMenu* menu_file = nullptr;
    QAction* menu_print = nullptr;
    QAction* menu_save = nullptr;
    QAction* menu_lne1 = nullptr;
    QAction* menu_exit = nullptr;
    QMenu* menu_list = nullptr;
    std::vector<QAction*> menu_listAP;
    QMenu* menu_company = nullptr;
    QAction* menu_company_edit = nullptr;
    QAction* menu_company_line = nullptr;
    std::vector<QAction*> menu_company_data;
    QMenu* menu_weather = nullptr;
    QAction* menu_chart = nullptr;
    QAction* menu_yahoo = nullptr;
    QAction* menu_suntime = nullptr;
    QAction* line = nullptr;
    QAction* menu_info_weather = nullptr;
    QAction* menu_ais = nullptr;
    QAction* menu_camera = nullptr;
    QAction* menu_airport = nullptr;
    QAction* menu_autodecode = nullptr;
    QAction* menu_option = nullptr;
    QAction* menu_update = nullptr;
    QAction* menu_command = nullptr;
    QMenu* menu_info = nullptr;
    QAction* menu_info_version = nullptr;
    QAction* menu_info_compornent = nullptr;
    QAction* menu_info_log = nullptr;
    QAction* l1 = nullptr;
    QAction* menu_info_help = nullptr;
    QAction* menu_info_homepage = nullptr;
    // ---- pop-up menu (hidden on the bar)
    QMenu* menu_popup = nullptr;
    QMenu* menu_popup_group = nullptr;
    std::vector<QAction*> menu_popup_group_data;
    QAction* menu_popup_wx = nullptr;
    QAction* menu_popup_cam = nullptr;
    QAction* menu_popup_suntime = nullptr;
    QAction* menu_popup_lne1 = nullptr;
    QAction* menu_popup_print = nullptr;
    QAction* menu_popup_save = nullptr;
    QAction* menu_popup_log = nullptr;
    QAction* menu_popup_lne2 = nullptr;
    QAction* menu_popup_command = nullptr;
    QAction* menu_popup_config = nullptr;
    QAction* menu_popup_ap = nullptr;
    QAction* menu_popup_de = nullptr;
    QAction* menu_popup_company = nullptr;
    QAction* menu_popup_lne5 = nullptr;
    QAction* menu_popup_ais = nullptr;
    QAction* menu_popup_lne3 = nullptr;
    QAction* menu_popup_help = nullptr;
    QAction* menu_popup_homepage = nullptr;
    QAction* menu_popup_exit = nullptr;

    // ---- the window's parts, each with its own state, files and tests
    // driver operations; the window creates them and wires them together.
    // The display runner, with printing and saving:

    // The heartbeat and the automatic decode:

    // The console command line:
    std::unique_ptr<class CommandLine> command_line_;
    std::unique_ptr<class CommandSteps> command_steps_;  // shared with the menus and buttons
    friend class CommandLine;
    friend class CommandSteps;
    // The menus and the image buttons:

    // The browser pane and the notification-area icon:

    // ---- state
    ConsoleSession session;
    bool first_activation = true;
    bool update_requested = false;
    bool was_online = false;
    bool reports_changed = false;
    QString pending_sequence_record;
    int group_menu_count = 0;
    int probe_period = 0;
    int banner_ticks = 0;
    int hovered_button = 0;
    int sequence_retries = 0;  // retries of the current sequence request
    platform::Transfer* probe = nullptr;  // the heartbeat's own, created on the first probe
    bool network_menus_on = true;
    bool heartbeat_busy = false;  // a tick's probe or cycle is under way

public:
    // ---- console text, with CR LF line breaks
    QString console_text() const;
    // Replaces the text; the new text takes the format at the caret.
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
    // the key's character code and stays as it is: the console itself then
    // inserts the character, deletes or breaks the line at the caret.
    void TextBox_KeyPress(int index, int& key_ascii);
    // The line as if typed on the console, then Enter through
    // TextBox_KeyPress (how tests and benchmarks drive the console).
    void console_enter(const QString& line);
    // At the end of a display, after its prompt: typed, the line typed and
    // not yet entered (the display kept the keys out of its text), is the
    // typed line again and follows the prompt.
    void keep_typed_line(const QString& typed);
    // Text pasted into the console: each character that a key would type
    // goes through TextBox_KeyPress as if typed (up to the longest line a
    // paste fills), then into the console at the caret, except while a
    // display runs.
    void paste_into_line(const QString& pasted);
    // The word search of a line that is a dictionary word (already upper
    // case and trimmed): its meaning after the typed word, the picture
    // registered under it in the picture window, then the log row.
    void search_word(const QString& line);

    // Timers (view_timers.cpp).
    void Timer_Timer();
    void Timer2_Timer();
    void Timer4_Timer();

    // Reports (view_display.cpp): the display procedure and what it calls.
    //
    // One display at a time. A display waits for the network with window
    // events running, so keys, menus and timers are handled in the middle of
    // it; none of them may start a second display on the state the running
    // one works on. Whatever starts a display goes through start_display.
    bool display_running() const { return display_running_; }
    // Refused, changing nothing, while a display runs: returns false. Else
    // prepare runs first (it sets up the request and may itself wait; false
    // from it drops the display), then the display; returns true.
    bool start_display(const std::function<bool()>& prepare = {});
    // A display of the request as it stands, refused like start_display.
    bool display_reports() { return start_display(); }
    void build_station_list();
    // Fetches the file of the station code under current_url (the
    // observation or the forecast folder).
    kolde_sub::StationFile fetch_station_file(const QString& code);
    void fetch_hourly_cycles();
    void append_sequence_file();
    QString translate_report(const QString& code, const QString& time, const QString& body);

    // ---- heartbeat (view_heartbeat.cpp): the probe of the update site, the
    // connection state, the automatic decode cycle and the new-report
    // detection.
    //
    // The probe has a transfer of its own, so it never cancels or waits on a
    // display's transfer. The cycle's work (the detection and the display)
    // counts as display work: while a display runs, it waits for the next
    // probe.
    // Fetches each station's two files again, compares their stamps with the
    // station table, marks the changed stations on the pad, logs them and
    // sets reports_changed. reports_changed is cleared first, in any case.
    void detect_report_changes();
    // On (true) or off, the twelve menu items whose work needs the network.
    // Coming back on, the entries that browser mode holds off stay off until
    // the pane closes, and the airport and pop-up group entries stay off while
    // they have no rows (their first item would repeat an old request).
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

    // Printing and saving the console (view_print.cpp, view_save.cpp).
    // Prints text when it is not empty (a new display handed over), else the
    // console.
    void print_display(const QString& text = QString());
    void save_display();

    // Menu bar and pop-up menu (view_menus.cpp). The handlers of the item
    // arrays receive the element's index. The update item's handler is
    // menu_update_Click (view_shutdown.cpp).
    void menu_print_Click();
    void menu_popup_print_Click();
    void menu_save_Click();
    void menu_popup_save_Click();
    void menu_exit_Click();
    void menu_popup_exit_Click();
    // The airport's sequence display.
    void menu_listAP_Click(int index);
    // The group's display; both read the caption of menu_company_data(index).
    void menu_company_data_Click(int index);
    void menu_popup_group_data_Click(int index);
    // The group editor, then both group menus built again from the table.
    void menu_company_edit_Click();
    void menu_popup_company_Click();
    // The chart, after the PDF-reader notice while it is on.
    void menu_chart_Click();
    void menu_popup_wx_Click();
    void menu_yahoo_Click();
    void menu_suntime_Click();
    void menu_popup_suntime_Click();
    void menu_info_weather_Click();
    void menu_ais_Click();
    void menu_popup_ais_Click();
    void menu_camera_Click();
    void menu_popup_cam_Click();
    void menu_airport_Click();
    void menu_popup_ap_Click();
    // The automatic-decode list; afterwards the automatic decode runs again,
    // from the bar only while online, from the pop-up menu in any case.
    void menu_autodecode_Click();
    void menu_popup_de_Click();
    void menu_option_Click();
    void menu_popup_config_Click();
    void menu_command_Click();
    void menu_popup_command_Click();
    void menu_info_version_Click();
    void menu_info_compornent_Click();
    void menu_info_log_Click();
    void menu_popup_log_Click();
    void menu_info_help_Click();
    void menu_popup_help_Click();
    void menu_info_homepage_Click();
    void menu_popup_homepage_Click();

    // ---- window, tray and browser
    // Size and state changes (view_window.cpp): minimising hides the window
    // and its open side windows and puts up the notification-area icon; any
    // other change maximises the window again and brings them back.
    void Form_Resize();
    void timer1_Timer();
    // The mouse over the window background or the button bar takes the
    // hover look off the image buttons.
    void Form_MouseMove();
    void Frame_MouseMove();
    void remove_button_hover();
    // The console's lines end where the cover box over its right edge
    // begins, while the box is shown; otherwise they take the console's
    // width. Follows the box and the console as they move, change size or
    // show (view_window.cpp).
    void fit_console_lines();
    // The mouse over image button index: its hover look.
    void img_MouseMove(int index);
    // After the display settings were applied, which puts every grey face
    // back: the hover look of the element the mouse was last on, again, so
    // that the button under the mouse still takes the next click.
    void renew_button_hover();

    // Image buttons (view_buttons.cpp)
    // A click (press and release of the left button on the same element):
    // the button's command. Grey faces, and buttons 1 to 11 while the
    // browser pane is shown, do nothing; the network buttons refuse while
    // offline with the no-connection box.
    void img_Click(int index);
    // Pressing and releasing the mouse on an element: the pressed look on
    // and off, for the buttons that take it in the current style.
    void img_MouseDown(int index);
    void img_MouseUp(int index);

    // Console focus and mouse (view_window.cpp)
    // The console (element 0) takes the focus: input method off, Caps Lock
    // on; it loses the focus: Caps Lock off.
    void TextBox_GotFocus(int index);
    void TextBox_LostFocus(int index);
    // A press closes an open explanation tip (and the picture window); the
    // right button opens the pop-up menu at screen_pos when ポップアップ is on.
    void TextBox_MouseDown(int index, Qt::MouseButton button, const QPoint& screen_pos);
    // The mouse over a text box takes the hover look off the buttons.
    void TextBox_MouseMove(int index);
    // A release on the console explains the selected group in the tip, placed
    // by the cursor's screen position.
    void TextBox_MouseUp(int index, Qt::MouseButton button, const QPoint& screen_pos);
    // The notification-area icon (taskicon.h). Reload unloads and loads it,
    // so that icon and tip follow the connection state.
    void taskicon_load();
    void taskicon_unload();
    void taskicon_reload();
    class taskicon* tray_icon() const { return tray_icon_; }

    // The browser pane (view_browser.cpp). WebBrowser is the pane's place;
    // the web view inside it is created when a page is first shown there.
    class QWebEngineView* browser_view() const { return browser_view_; }
    // Opens a page: logs log_text (when not empty), then shows the page in
    // the pane when the setting ブラウザー is on and the web engine can run,
    // else hands it to the default browser. enter_mode false shows the page
    // in the pane without switching the window into browser mode.
    void open_page(const QString& url, const QString& log_text = QString(), bool enter_mode = true);
    void show_ais_page();
    void enter_browser_mode();
    void leave_browser_mode();
    // The pane's close: when the pane is open, hides it, stops it, puts the
    // console's status text back, leaves browser mode and returns true;
    // otherwise does nothing and returns false.
    bool close_browser_pane();
    // Hides the pane and leaves browser mode only (the status panel keeps
    // the pane's last text); false when the pane was not open.
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
    // Installs the mouse, key and focus handling of the window, the address
    // bar and the image buttons (view_window.cpp).
    void set_up_window_events();
    void navigate_pane(const QString& url);
    // Creates the web view in the pane; false when the web engine cannot
    // run in this process.
    bool ensure_browser_view();
    void browser_failed();
    class taskicon* tray_icon_ = nullptr;
    class QWebEngineView* browser_view_ = nullptr;
    QObject* window_events_ = nullptr;
    bool browser_unusable_ = false;
    QString pane_body_;  // the body of the page last shown in the pane

public:
    // ---- shut-down and update check (view_shutdown.cpp)
    // Asks the update site for its program version with the heartbeat off;
    // when the user accepts another version, the window closes for the
    // update. The heartbeat runs again afterwards in every other case.
    void check_update();
    void menu_update_Click();
    // Every close that is not taken back by the browser pane: stops the
    // transfers and timers, counts the exit (compacting the store every 52nd
    // time), removes data/ and help/ of the program folder, closes the store
    // and the other windows and starts the auto-update program when an update
    // was accepted. Runs once; a later close request only closes.
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
    void create_menus();
    void queue_activation();
    void lay_out_console();
    void centre_banner();
    void build_airport_menu();
    // Removes every element of a menu item array but element 0, which
    // exists from the start.
    static void drop_built_items(std::vector<QAction*>& items);
    VersionCheck check_version_at_start();

    bool activation_queued_ = false;
    bool closing_ = false;
    bool display_running_ = false;

    // The display itself, whatever its kind (view_display.cpp).
    void run_display();
};
