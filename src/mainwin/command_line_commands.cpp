// The commands of the console's command line: what a typed line carries
// out on Enter, and the word search of a dictionary word.

#include "command_line.h"

#include "view.h"

#include "browser_rules.h"
#include "console_commands.h"
#include "display_runner.h"
#include "heartbeat.h"
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
#include "platform/wait.h"
#include "reports/colouring.h"
#include "reports/lookup.h"
#include "reports/request.h"
#include "sidewin/log_window.h"
#include "sidewin/side_windows.h"
#include "translate/handover.h"
#include "translate/pictureform.h"

#include <QDate>
#include <QLabel>
#include <QPointer>
#include <QTextDocument>

using namespace kolde_sub;

namespace {

const QString crlf = QStringLiteral("\r\n");

// Hands the picture registered under the word to the picture window and
// waits until the window has taken it. Without a picture, or when the
// hand-off file cannot be written or holds no picture the window can show,
// nothing waits. The wait also ends when the main window shuts down.
void show_registered_picture(view& v, const QString& word)
{
    QPointer<view> self(&v);
    bool shutting_down = false;
    QObject wait_scope;
    QObject::connect(&v, &view::shutting_down, &wait_scope, [&shutting_down] { shutting_down = true; });
    // A window that finds no picture it can show gives up and clears
    // the picture on its way itself.
    if (hand_over_picture(registered_picture(rs_data(), word)) == nullptr)
        return;
    platform::wait_until([&] { return !tip_handover().picture_pending || shutting_down; }, [&] { return !self.isNull(); }, -1);
    // Nobody waits any longer, whatever ended the wait.
    set_picture_pending(false);
}

}  // namespace

struct CommandLine::Commands {
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

// The commands that open a window: the editors, the pages and the side
// windows. False for any other command.
static bool open_window_command(view& v, ConsoleCommand command)
{
    switch (command) {
    case ConsoleCommand::Japanese:
        dictionary_editor(v, 1);
        return true;
    case ConsoleCommand::Picture:
        dictionary_editor(v, 2);
        return true;
    case ConsoleCommand::Counter:
        web_page_command(v, WebPage::AccessCounter);
        return true;
    case ConsoleCommand::Help:
        web_page_command(v, WebPage::Help);
        return true;
    case ConsoleCommand::Ais: {
        QPointer<view> self(&v);
        v.show_ais_page();
        if (self)
            v.padlbl->clear();
        return true;
    }
    case ConsoleCommand::DecodeList:
        list_editor<kolde_sub::decodelist>(v, QStringLiteral("DISPLAY AUTO DECODE LIST"));
        return true;
    case ConsoleCommand::GroupList: {
        // The group menus follow the saved groups, however the editor was
        // opened.
        QPointer<view> alive(&v);
        list_editor<kolde_sub::company>(v, QStringLiteral("DISPLAY GROUP LIST"));
        if (alive)
            v.build_group_menus();
        return true;
    }
    case ConsoleCommand::AirportList:
        list_editor<kolde_sub::airport>(v, QStringLiteral("DISPLAY AIRPORT LIST"));
        return true;
    case ConsoleCommand::Chart:
        chart_command(v);
        return true;
    case ConsoleCommand::Camera:
        camera_command(v);
        return true;
    case ConsoleCommand::Log:
        log_command(v);
        return true;
    default:
        return false;
    }
}

static void run_command(view& v, const QString& line, const ConsoleLine& what, const QString& route)
{
    if (open_window_command(v, what.command))
        return;
    switch (what.command) {
    case ConsoleCommand::Update:
        update_command(v);
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
    default:  // the empty line, and the windows above
        return;
    }
}
};

// Enter: the typed line is taken out of the buffer and carried out. Keys
// typed while the command waits start the next line.
void CommandLine::enter_typed_line()
{
    v_.session.enter_pressed = true;
    const QString line = console_line(typed_);
    typed_.clear();
    if (line.isEmpty())
        return;
    add_code_history(line);

    // The group's route is kept from the look-up that recognised the id.
    QString route;
    ConsoleFacts facts;
    facts.online = is_online();
    facts.is_word = Commands::is_dictionary_word;
    facts.is_group = [&route](const QString& id) {
        const std::optional<QString> found = group_route(rs_company(), id);
        if (found)
            route = *found;
        return found.has_value();
    };
    const ConsoleLine what = classify_console_line(line, facts);
    if (what.no_connection) {
        v_.no_connection_box();
        return;
    }
    Commands::run_command(v_, line, what, route);
}

// ------------------------------------------------------------ word search

void CommandLine::search_word(const QString& line)
{
    QString word = line;
    QString meaning = lookup_weather_abbr(word);
    if (meaning.isEmpty()) {
        word = line;
        meaning = lookup_translation_abbr(word);
    }
    if (meaning.isEmpty())
        return;
    v_.append_console_text(QStringLiteral(" : ") + meaning + QStringLiteral("\r\n"));

    // The row is logged once the picture window has been served, so it
    // follows whatever was logged meanwhile.
    const QString log_text = QStringLiteral("SEARCH WORD ") + line;
    QPointer<view> self(&v_);
    show_registered_picture(v_, line);
    if (!self)
        return;
    write_log(log_text);
    show_ready_prompt();
    color_report_text();
    v_.console_caret_to_end();
    v_.padlbl->clear();
}
