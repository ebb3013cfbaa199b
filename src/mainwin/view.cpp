// The main window: its controls, the load, the first activation with the
// version check, and the layout of the console.

#include "view.h"

#include "button_rules.h"
#include "command_line.h"
#include "command_steps.h"
#include "console_edit.h"
#include "console_text.h"
#include "display_runner.h"
#include "display_settings.h"
#include "fonts.h"
#include "heartbeat.h"
#include "image_buttons.h"
#include "layout.h"
#include "menus.h"
#include "print_save.h"
#include "start_text.h"
#include "tray.h"
#include "web_pane.h"
#include "sidewin/open_windows.h"

#include "options/printerselect.h"
#include "platform/msg_box.h"
#include "platform/transfer.h"
#include "platform/wait.h"
#include "reports/colouring.h"
#include "reports/console_positions.h"
#include "reports/request.h"
#include "sidewin/log_window.h"
#include "startup/update_check.h"
#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "translate/tooltips.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

using namespace kolde_sub;

namespace {

QRect twips_rect(int left, int top, int width, int height) { return QRect(px(left), px(top), px(width), px(height)); }

void place(QWidget* w, int left, int top, int width, int height) { w->setGeometry(twips_rect(left, top, width, height)); }


QTextEdit* rich_box(QWidget* parent, int index)
{
    auto* t = index == 0 ? new kolde_sub::ConsoleEdit(parent) : new QTextEdit(parent);
    t->setObjectName(QStringLiteral("TextBox_%1").arg(index));
    t->setAcceptRichText(false);
    t->setFrameShape(QFrame::NoFrame);
    return t;
}

}  // namespace

view::view(QWidget* parent)
    : QMainWindow(parent)
{
    install_font_substitutions();
    setObjectName(QStringLiteral("view"));
    kolde_sub::set_main_window(this);
    setWindowTitle(QStringLiteral(" KOLDE - Aviation Weather Automatic Decoder"));
    create_controls();
    menus_ = std::make_unique<MainMenus>(*this, session);
    Form_Load();
}

view::~view() = default;

void view::create_controls()
{
    form = new QWidget(this);
    form->setObjectName(QStringLiteral("form"));
    setCentralWidget(form);
    resize(px(12000), px(9000));

    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    setStatusBar(StatusBar);
    connection_panel = new QLabel(StatusBar);
    connection_panel->setObjectName(QStringLiteral("Panel_1"));
    StatusBar->addWidget(connection_panel, 0);
    status_panel = new QLabel(StatusBar);
    status_panel->setObjectName(QStringLiteral("Panel_2"));
    StatusBar->addWidget(status_panel, 1);

    create_button_bar();
    create_pad_and_address_bar();
    create_console_area();
    create_start_banner();
    create_timers_and_transfers();
}

void view::create_button_bar()
{
    // The lines above and below the button bar.
    for (int i = 0; i < 2; ++i) {
        Line[i] = new QFrame(form);
        Line[i]->setObjectName(QStringLiteral("Line_%1").arg(i));
        Line[i]->setFrameShape(QFrame::HLine);
        Line[i]->setFrameShadow(QFrame::Sunken);
        place(Line[i], 0, i == 0 ? 0 : 375, 12000, 30);
    }

    buttons_ = std::make_unique<ImageButtons>(*this, session, form);
}

void view::create_pad_and_address_bar()
{
    padshape = new QFrame(form);
    padshape->setObjectName(QStringLiteral("padshape"));
    padshape->setFrameShape(QFrame::Box);
    place(padshape, 6980, 45, 2000, 300);
    padlbl = new QLabel(form);
    padlbl->setObjectName(QStringLiteral("padlbl"));
    place(padlbl, 7040, 90, 1880, 210);
    command_line_ = std::make_unique<CommandLine>(*this);
    command_steps_ = std::make_unique<CommandSteps>(*this);

    browser_ = std::make_unique<WebPane>(*this);
}

void view::create_console_area()
{
    // The console lies inside its backing box; the cover box hides the
    // console's scroll bar when it is not wanted.
    console_box = rich_box(form, 0);
    backing_box = rich_box(form, 1);
    cover_box = rich_box(form, 2);
    place(backing_box, 30, 460, 11800, 7000);
    place(console_box, 200, 560, 11550, 6800);
    place(cover_box, 11400, 600, 370, 6900);
    for (QTextEdit* box : {backing_box, cover_box}) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    backing_box->lower();
    cover_box->raise();
    console_box->installEventFilter(this);

    // The browser pane's place; its web view is created when a page is
    // first shown in it.
    browser_->create_place();
    set_up_window_events();
}

void view::create_start_banner()
{
    Frame1 = new QFrame(form);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAutoFillBackground(true);
    Label1 = new QLabel(Frame1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAutoFillBackground(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->move(0, 0);
    Frame1->hide();
}

void view::create_timers_and_transfers()
{
    heartbeat_ = std::make_unique<Heartbeat>(*this, session);
    tray_ = std::make_unique<Tray>(*this);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    connect(Timer2, &QTimer::timeout, this, &view::Timer2_Timer);

    display_ = std::make_unique<DisplayRunner>(*this);
    print_save_ = std::make_unique<PrintSave>(*this, *display_);

    // The colouring works on this window's console.
    kolde_sub::set_report_console(console_box, [this] { command_line_->clear_typed_line(); });
}

// --------------------------------------------------------------- load

void view::Form_Load()
{
    // The automatic decode is the first request. (The browser pane is
    // created when a page is first opened, so there is no pane to stop here.)
    session.auto_mode = true;
    session.new_request = true;

    // The work files of the previous run go.
    delete_work_files();

    first_activation = true;

    if (is_online()) {
        // The start banner, in the console's colours.
        const QString version = version_display_text(version_number(setting(key::program_version)));
        Label1->setText(to_edit_text(banner_text(version)));
        const long long text_colour = setting_int(key::display_text_colour);
        QPalette pal = Label1->palette();
        pal.setColor(QPalette::WindowText, text_colour == 0 ? bgr_color(0) : bgr_color(0x808080));
        pal.setColor(QPalette::Window, bgr_color(setting_int(key::display_background)));
        Label1->setPalette(pal);
        Frame1->setPalette(pal);
        QFont f(setting_text(key::display_font));
        const int size = static_cast<int>(setting_int(key::display_size));
        if (size > 0)
            f.setPointSize(size);
        Label1->setFont(f);
        Label1->adjustSize();
        set_console_text(QStringLiteral("SYSTEM INITIALIZED"));
        console_caret_to_end();
        connection_panel->setText(QStringLiteral("ネットワーク接続待機"));
        session.status_text = QStringLiteral("システム初期化中");
        if (!browser_pane_shown())
            status_panel->setText(session.status_text);
    } else {
        set_console_text(QStringLiteral("\r\nNO NETWORK CONNECTION\r\n"));
        console_caret_to_end();
    }

    // An empty decode list switches the automatic decode off for good.
    // Without the store (the database did not open) there is no list to run
    // and no connection to report.
    const bool store_open = db_conn().is_open();
    if (store_open && rs_autodecode().record_count() == 0)
        set_setting(key::auto_decode, platform::Value::boolean(false));

    if (!store_open || !setting_bool(key::auto_decode)) {
        set_console_text(store_open
                                 ? QStringLiteral("DATABASE CONNECTION COMPLETED\r\nAUTO DECODE SEQUENCE DISABLED\r\n")
                                 : QStringLiteral("AUTO DECODE SEQUENCE DISABLED\r\n"));
        show_ready_prompt();
        session.new_request = false;
    }

    apply_display_settings(*this);
    // Without a window manager (a bare X server) the maximised state is not
    // acted on, so the window also takes the screen's working area itself.
    if (const QScreen* s = screen())
        setGeometry(s->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);

    append_console_text(QStringLiteral("\r\n"));
    console_caret_to_end();

    menus_->show_chart_and_camera();

    // The built-in "PDF" printer is always installed, so the print entries
    // never lack a printer and stay enabled.

    read_time_zone();
}

// --------------------------------------------------------- first activation

void view::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        queue_activation();
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void view::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    queue_activation();
}

// The activation body waits for transfers, boxes and keys, so it runs from
// the event loop rather than inside the event that reports the activation.
void view::queue_activation()
{
    if (!first_activation || activation_queued_)
        return;
    activation_queued_ = true;
    QTimer::singleShot(0, this, [this] {
        activation_queued_ = false;
        Form_Activate();
    });
}

void view::reset_for_first_activation()
{
    // The window state and the program-wide values start afresh.
    first_activation = false;
    session.group_mode = false;
    session.auto_print = false;
    session.timer_run = false;
    session.sequence_mode = false;
    session.japanese_mode = false;
    session.enter_pressed = false;
    session.status_text.clear();
    session.saved_status_text.clear();
    session.standby_start.clear();
    menus_->forget_groups();
    heartbeat_->probe_on_next_tick();
    banner_ticks = 0;
    current_request().forget_cycle_slot();
    current_request().forget_group();
    forget_side_windows();
    clear_code_history();
    set_update_interval(11 - static_cast<int>(setting_int(key::buffer)));
    postpone_next_cycle();
}

void view::show_at_first_activation()
{
    // The address bar stays hidden until the browser pane opens.
    browser_->hide_address_bar();
    heartbeat_->assume_online();
    setWindowIcon(connection_icon(true));

    lay_out_console();

    // The pop-up menu lives on the menu bar but is not shown there.
    menus_->hide_popup_on_bar();
    show();

    if (is_online())
        centre_banner();

    menus_->build_airport_menu();
    build_group_menus();
}

void view::Form_Activate()
{
    if (!first_activation)
        return;

    reset_for_first_activation();
    show_at_first_activation();

    // Without the store the installed version is unknown: no check.
    const VersionCheck check =
            is_online() && db_conn().is_open() ? check_version_at_start() : VersionCheck::Continue;
    if (check == VersionCheck::Unloaded)
        return;

    // The log and tip windows are loaded hidden; an unanswered version check
    // leaves them to be created on first use.
    if (check != VersionCheck::NoAnswer) {
        log_window();
        tooltips_window();
    }

    session.standby_start.clear();
    if (session.new_request) {
        append_console_text(QStringLiteral("DATABASE CONNECTION COMPLETED\r\n"));
        console_caret_to_end();
    }

    start_timers_at_first_activation();

    // Typing goes to the console from the start.
    activateWindow();
    console_box->setFocus();
}

void view::start_timers_at_first_activation()
{
    // The heartbeat probes on its first tick.
    set_update_interval(11 - static_cast<int>(setting_int(key::buffer)));
    postpone_next_cycle();
    heartbeat_->probe_on_next_tick();

    heartbeat_->start_every_second();
    tray_->reset_timer();
    banner_ticks = 0;
    Timer2->setInterval(1000);
    Timer2->start();
    display_->reset_sequence_retry();
}

void view::lay_out_console()
{
    if (QLayout* l = layout())
        l->activate();
    // The client area of the layout includes the status bar, which Qt keeps
    // outside the central widget.
    const int status_height = tw(StatusBar->height());
    const ConsoleLayout l = console_layout(tw(form->width()), tw(form->height()) + status_height, status_height,
                                           tw(buttons_->bar()->height()), tw(width()), tw(padshape->x()));

    backing_box->setGeometry(px(l.textbox1.x()), px(l.textbox1.y()), px(l.textbox1.width()),
                            px(l.textbox1.height()));
    browser_->place_over(backing_box->geometry());
    console_box->setGeometry(px(l.textbox0.x()), px(l.textbox0.y()), px(l.textbox0.width()),
                            px(l.textbox0.height()));
    cover_box->setGeometry(px(l.textbox2.x()), px(l.textbox2.y()), px(l.textbox2.width()),
                            px(l.textbox2.height()));
    for (QFrame* ln : Line)
        ln->setGeometry(0, ln->y(), px(l.line_x2), ln->height());
    padshape->resize(px(l.padshape_width), padshape->height());
    padlbl->setGeometry(px(l.padlbl_left), padlbl->y(), px(l.padlbl_width), padlbl->height());
    browser_->lay_out_address_bar(px(l.input_left), px(l.input_width), px(l.go_left));
}

void view::centre_banner()
{
    Label1->adjustSize();
    Frame1->resize(Label1->size());
    Frame1->move(banner_position(frameGeometry().size(), Frame1->size()));
    Frame1->raise();
    Frame1->show();
}

view::VersionCheck view::check_version_at_start()
{
    const bool ask_at_start = setting_bool(key::check_version_on_start);

    // A request of its own: a display's transfer may be waiting meanwhile.
    platform::Transfer transfer;
    transfer.set_request_timeout(display_->transfer().request_timeout());
    connect(this, &view::shutting_down, &transfer, &platform::Transfer::cancel);
    const platform::TransferResult result = transfer.get(addresses().update + QStringLiteral("/data/version.dat"));
    const QString reply = result.ok ? platform::decode_text(result.body) : QString();

    float site = 0.0f;
    const VersionReply kind =
            classify_version_reply(reply, version_number(setting(key::program_version)), &site);
    if (kind == VersionReply::NoAnswer)
        return VersionCheck::NoAnswer;
    if (kind == VersionReply::Same)
        return VersionCheck::Continue;
    const QString version = version_display_text(site);

    // Nothing is fetched or run: the user is told which version is on offer
    // and how to install it, and the start goes on.
    if (ask_at_start) {
        platform::msg_box(this, platform::MsgIcon::Information, QStringLiteral(" 確認"), update_offer_text(version));
        return VersionCheck::Continue;
    }

    session.enter_pressed = false;
    const qsizetype notice_start = console_text().size();
    const QString notice = update_notice_text(version);
    append_console_text(notice);
    session.ready_line_break = true;
    show_ready_prompt();
    {
        const auto span = kolde_sub::ConsolePositions::from_document(*console_box->document())
                              .to_document_span(notice_start, notice.size());
        QTextCursor c(console_box->document());
        c.setPosition(static_cast<int>(span.start));
        c.setPosition(static_cast<int>(span.start + span.length), QTextCursor::KeepAnchor);
        QTextCharFormat yellow;
        yellow.setForeground(bgr_color(0x00FFFF));
        c.mergeCharFormat(yellow);
    }
    console_caret_to_end();

    // Wait for Enter on the console; the window may be closed meanwhile.
    QPointer<view> self(this);
    platform::wait_until([&] { return session.enter_pressed || closing_; }, [&] { return !self.isNull(); }, -1);
    if (!self || closing_)
        return VersionCheck::Unloaded;
    return VersionCheck::Continue;
}
