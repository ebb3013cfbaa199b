// The console: its text with CR LF line breaks, the keys typed on it, the
// command line carried out on Enter, and the ready prompt.

#include "view.h"

#include "browser_rules.h"
#include "console_commands.h"
#include "console_text.h"
#include "display_runner.h"
#include "request_rules.h"
#include "sun_command.h"

#include "core/clock.h"
#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "editors/editors.h"
#include "platform/msg_box.h"
#include "reports/colouring.h"
#include "reports/lookup.h"
#include "reports/request.h"
#include "sidewin/log_window.h"
#include "sidewin/side_windows.h"
#include "platform/wait.h"

#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <utility>
#include <vector>

using namespace kolde_sub;

// ------------------------------------------------------------------ console

QString view::console_text() const { return from_edit_text(console_box->toPlainText()); }

void view::set_console_text(const QString& text) { console_box->setPlainText(to_edit_text(text)); }

void view::append_console_text(const QString& text)
{
    QTextCursor c(console_box->document());
    c.movePosition(QTextCursor::End);
    c.insertText(to_edit_text(text));
}

void view::console_caret_to_end() { console_box->moveCursor(QTextCursor::End); }

namespace {

constexpr int backspace_key = 8;
constexpr int enter_key = 13;
constexpr int escape_key = 27;

const QString crlf = QStringLiteral("\r\n");

// The character codes a key press hands to the key handler: Enter, Esc and
// Backspace by their codes, else each character it types into the line.
// Keys that type nothing (arrows, shortcuts with Ctrl, which the console
// does not insert either) give none.
std::vector<int> key_codes(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {enter_key};
    case Qt::Key_Escape:
        return {escape_key};
    case Qt::Key_Backspace:
        return {backspace_key};
    default:
        break;
    }
    std::vector<int> codes;
    const Qt::KeyboardModifiers shortcut = key.modifiers() & ~Qt::KeypadModifier;
    if (shortcut == Qt::ControlModifier || shortcut == (Qt::ControlModifier | Qt::ShiftModifier))
        return codes;
    for (const QChar c : key.text())
        if (types_into_line(c))
            codes.push_back(c.unicode());
    return codes;
}

}  // namespace

struct view::ConsoleCommands {
// The shared ends of the commands.
static void prompt_and_colour(view& v)
{
    v.show_ready_prompt();
    color_report_text();
}

// A line break, the prompt and the colouring: how most commands answer.
static void answer_line_break(view& v)
{
    v.append_console_text(crlf);
    prompt_and_colour(v);
}

static void syntax_error(view& v)
{
    v.append_console_text(crlf + QStringLiteral("SYNTAX ERROR") + crlf);
    write_log(QStringLiteral("SYNTAX ERROR"));
    prompt_and_colour(v);
    v.padlbl->clear();
    v.console_caret_to_end();
}

static bool is_dictionary_word(const QString& line)
{
    QString word = line;
    if (!lookup_weather_abbr(word).isEmpty())
        return true;
    word = line;
    return !lookup_translation_abbr(word).isEmpty();
}

// "UPDATE": the stored version is forgotten, so that the check offers the
// site's version whatever it is.
static void update_command(view& v)
{
    QPointer<view> self(&v);
    set_setting(key::program_version, platform::Value(0));
    v.append_console_text(crlf + QStringLiteral("AUTO UPDATE READY") + crlf);
    v.show_ready_prompt();
    v.check_update();
    if (self)
        v.padlbl->clear();
}

// "JAPANESE" and "PICTURE": the dictionary editor in that mode.
static void dictionary_editor(view& v, int mode)
{
    v.padlbl->clear();
    platform::exec_modal(new kolde_sub::weather(mode, &v));
}

// "RESET": the next start replaces the database.
static void reset_command(view& v)
{
    v.append_console_text(crlf + crlf + QStringLiteral("DATABASE RESET SEQUENCE COMPLETED") + crlf);
    write_log(QStringLiteral("DATABASE RESET SEQUENCE"));
    prompt_and_colour(v);
    v.padlbl->clear();
    set_setting(key::database_version, platform::Value(0));
    platform::msg_box(&v, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                      QStringLiteral("データベース リセット シーケンスを設定しました　　\r\n\r\nKOLDE を再起動してください"));
}

// "SS " and codes: the sunrise and sunset times of today.
static void sun_times_command(view& v, const QString& line)
{
    v.padlbl->clear();
    write_log(QStringLiteral("SUNRISE/SUNSET CALCULATION COMMAND"));
    const QString codes = line.mid(3);
    if (!is_station_code_list(codes)) {
        syntax_error(v);
        return;
    }
    for (const QString& code : request_codes(codes))
        add_code_history(code);
    v.append_console_text(crlf + sun_times_block(codes, today_local()) + crlf);
    prompt_and_colour(v);
}

// "COUNTER" and "HELP". The counter shows in the pane without browser mode.
static void web_page_command(view& v, WebPage page)
{
    QPointer<view> self(&v);
    answer_line_break(v);
    v.open_page(web_page_url(page), web_page_log_text(page), page != WebPage::AccessCounter);
    if (self)
        v.padlbl->clear();
}

// A company group id: its route is displayed.
static void group_command(view& v, const QString& line, const QString& route)
{
    v.start_display([&] {
        current_request().set_group_route(route, line);
        v.session.group_mode = true;
        v.manual_input_stop();
        v.append_console_text(crlf);
        v.console_caret_to_end();
        v.session.auto_mode = false;
        v.session.new_request = true;
        return true;
    });
}

static void print_command(view& v)
{
    QPointer<view> self(&v);
    v.append_console_text(crlf);
    v.print_display();
    if (!self)
        return;
    prompt_and_colour(v);
    write_log(QStringLiteral("PRINT COMMAND"));
    v.padlbl->clear();
}

// "RL": the request as it stands is shown again.
static void reload_command(view& v)
{
    if (current_request().codes().isEmpty()) {
        v.append_console_text(crlf + QStringLiteral("INPUT AIRPORT CODE") + crlf);
        prompt_and_colour(v);
        return;
    }
    QPointer<view> self(&v);
    if (v.display_reports() && self)
        write_log(QStringLiteral("DATA RELOAD"));
}

static void clear_command(view& v)
{
    v.set_console_text(QStringLiteral(" "));
    v.display_->clear_staging();
    v.show_ready_prompt();
    write_log(QStringLiteral("CLS COMMAND"));
    v.padlbl->clear();
}

// "DE", "GP" and "AP": a list editor, shown modal; nothing runs after it.
template <typename Editor>
static void list_editor(view& v, const QString& log_text)
{
    answer_line_break(v);
    v.manual_input_stop();
    write_log(log_text);
    v.padlbl->clear();
    platform::exec_modal(new Editor(&v));
}

// "WX": the chart, after the PDF-reader notice while it is on; asking for
// the reader's download there closes the window instead.
static void chart_command(view& v)
{
    answer_line_break(v);
    if (v.show_reader_notice(false)) {
        v.close();
        return;
    }
    write_log(QStringLiteral("DISPLAY WEATHER CHART"));
    v.padlbl->clear();
    show_chart();
}

static void camera_command(view& v)
{
    answer_line_break(v);
    write_log(QStringLiteral("DISPLAY NETWORK CAMERA"));
    v.padlbl->clear();
    show_camera();
}

static void log_command(view& v)
{
    answer_line_break(v);
    write_log(QStringLiteral("DISPLAY RUNNING LOG"));
    v.padlbl->clear();
    kolde_sub::log_window()->show();
}

static void no_network(view& v)
{
    v.append_console_text(crlf + QStringLiteral("NO NETWORK CONNECTION") + crlf);
    prompt_and_colour(v);
    write_log(QStringLiteral("SYSTEM NO NETWORK CONNECTION"));
}

// A station-code list: the manual request. The prefixes count only for a
// list that is displayed: a mistyped "SQ " line leaves no sequence mode
// behind for the next request.
static void codes_command(view& v, const TypedRequest& request)
{
    v.start_display([&] {
        if (request.sequence || request.japanese)
            v.session.saved_status_text = v.status_panel->text();
        v.session.sequence_mode = request.sequence;
        v.session.japanese_mode = request.japanese;
        v.manual_input_stop();
        current_request().set_codes(request.list);
        v.session.group_mode = false;
        v.session.new_request = true;
        write_log(QStringLiteral("MANUAL DECODE"));
        v.session.auto_mode = false;
        return true;
    });
}

static void run_command(view& v, const QString& line, const ConsoleLine& what, const QString& route)
{
    switch (what.command) {
    case ConsoleCommand::Empty:
        return;
    case ConsoleCommand::Update:
        update_command(v);
        return;
    case ConsoleCommand::Japanese:
        dictionary_editor(v, 1);
        return;
    case ConsoleCommand::Picture:
        dictionary_editor(v, 2);
        return;
    case ConsoleCommand::Reset:
        reset_command(v);
        return;
    case ConsoleCommand::Word:
        v.search_word(line);
        return;
    case ConsoleCommand::SunTimes:
        sun_times_command(v, line);
        return;
    case ConsoleCommand::Counter:
        web_page_command(v, WebPage::AccessCounter);
        return;
    case ConsoleCommand::Help:
        web_page_command(v, WebPage::Help);
        return;
    case ConsoleCommand::Ais: {
        QPointer<view> self(&v);
        v.show_ais_page();
        if (self)
            v.padlbl->clear();
        return;
    }
    case ConsoleCommand::Group:
        group_command(v, line, route);
        return;
    case ConsoleCommand::AutoStart:
        v.start_auto_decode(view::AutoStartFrom::Console);
        return;
    case ConsoleCommand::Print:
        print_command(v);
        return;
    case ConsoleCommand::Reload:
        reload_command(v);
        return;
    case ConsoleCommand::Clear:
        clear_command(v);
        return;
    case ConsoleCommand::DecodeList:
        list_editor<kolde_sub::decodelist>(v, QStringLiteral("DISPLAY AUTO DECODE LIST"));
        return;
    case ConsoleCommand::GroupList: {
        // The group menus follow the saved groups, however the editor was
        // opened.
        QPointer<view> alive(&v);
        list_editor<kolde_sub::company>(v, QStringLiteral("DISPLAY GROUP LIST"));
        if (alive)
            v.build_group_menus();
        return;
    }
    case ConsoleCommand::AirportList:
        list_editor<kolde_sub::airport>(v, QStringLiteral("DISPLAY AIRPORT LIST"));
        return;
    case ConsoleCommand::Chart:
        chart_command(v);
        return;
    case ConsoleCommand::Camera:
        camera_command(v);
        return;
    case ConsoleCommand::Log:
        log_command(v);
        return;
    case ConsoleCommand::Exit:
        v.close();
        return;
    case ConsoleCommand::NoNetwork:
        no_network(v);
        return;
    case ConsoleCommand::Codes:
        codes_command(v, what.request);
        return;
    case ConsoleCommand::SyntaxError:
        syntax_error(v);
        return;
    }
}

// Enter: the typed line is taken out of the buffer and carried out. Keys
// typed while the command waits start the next line.
static void enter_typed_line(view& v)
{
    v.session.enter_pressed = true;
    const QString line = console_line(v.inputlbl->text());
    v.inputlbl->clear();
    if (line.isEmpty())
        return;
    add_code_history(line);

    // The group's route is kept from the look-up that recognised the id.
    QString route;
    ConsoleFacts facts;
    facts.online = is_online();
    facts.is_word = is_dictionary_word;
    facts.is_group = [&route](const QString& id) {
        const std::optional<QString> found = group_route(rs_company(), id);
        if (found)
            route = *found;
        return found.has_value();
    };
    const ConsoleLine what = classify_console_line(line, facts);
    if (what.no_connection) {
        v.no_connection_box();
        return;
    }
    run_command(v, line, what, route);
}

};

bool view::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != console_box || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const std::vector<int> codes = key_codes(*static_cast<QKeyEvent*>(event));
    if (codes.empty())
        return QMainWindow::eventFilter(watched, event);
    // While a display runs Enter does nothing at all, and the other keys
    // edit the typed line only: the report being written stays as it is.
    const bool displaying = display_running();
    if (codes.front() == enter_key && displaying)
        return true;

    // The handler runs first; the console then carries out the key at the
    // caret as the handler left it, unless the handler closed the window.
    QPointer<view> self(this);
    QPointer<QTextEdit> console(console_box);
    {
        const QScopedValueRollback<bool> in_hand(key_in_hand_, true);
        for (int code : codes) {
            TextBox_KeyPress(0, code);
            if (!self)
                return true;
        }
    }
    if (!console || closing_ || codes.front() == escape_key || displaying)
        return true;
    if (!typed_line_to_show_.isEmpty()) {
        // A display ended within the handler: the key's line break, then
        // the line typed while the display ran.
        QTextCursor caret = console->textCursor();
        caret.insertBlock();
        caret.insertText(std::exchange(typed_line_to_show_, QString()));
        console->setTextCursor(caret);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void view::TextBox_KeyPress(int index, int& key_ascii)
{
    if (index != 0)
        return;
    session.group_mode = false;
    session.japanese_mode = false;
    session.timer_run = false;
    postpone_next_cycle();

    switch (key_ascii) {
    case escape_key:
        close();
        return;
    case backspace_key:
        if (!inputlbl->text().isEmpty()) {
            inputlbl->setText(inputlbl->text().chopped(1));
            padlbl->setText(inputlbl->text());
        }
        return;
    case enter_key:
        ConsoleCommands::enter_typed_line(*this);
        return;
    default:
        if (key_ascii < 32 || key_ascii > 0xFFFF)
            return;
        inputlbl->setText(inputlbl->text() + QChar(static_cast<char16_t>(key_ascii)));
        padlbl->setText(inputlbl->text());
        return;
    }
}

void view::console_enter(const QString& line)
{
    inputlbl->setText(line);
    int key = enter_key;
    TextBox_KeyPress(0, key);
}

void view::keep_typed_line(const QString& typed)
{
    if (typed.isEmpty())
        return;
    inputlbl->setText(typed);
    padlbl->setText(typed);
    if (key_in_hand_) {
        typed_line_to_show_ = typed;
        return;
    }
    // On a line of its own.
    const bool at_line_start = console_box->document()->lastBlock().length() <= 1;
    append_console_text(at_line_start ? typed : crlf + typed);
}

void view::paste_into_line(const QString& pasted)
{
    const QString typed = pasted_line_text(pasted, max_pasted_line - inputlbl->text().size());
    if (typed.isEmpty())
        return;
    const bool displaying = display_running();
    for (const QChar c : typed) {
        int code = c.unicode();
        TextBox_KeyPress(0, code);
    }
    if (displaying)
        return;
    QTextEdit* console = console_box;
    QTextCursor caret = console->textCursor();
    caret.insertText(typed);
    console->setTextCursor(caret);
    console->ensureCursorVisible();
}

// ------------------------------------------------------------ ready prompt

void view::show_ready_prompt()
{
    QString prompt = QStringLiteral("\r\nREADY / PRESS ESC TO EXIT");
    if (session.ready_line_break)
        prompt += QStringLiteral("\r\n");
    append_console_text(prompt);
    console_caret_to_end();
    session.ready_line_break = false;
    if (session.sequence_mode && !console_text().contains(QStringLiteral("LOADING")))
        status_panel->setText(session.saved_status_text);
    // The console gets its own text pointer back (unset, it would show the
    // arrow), the window its default.
    console_box->viewport()->setCursor(Qt::IBeamCursor);
    unsetCursor();
}
