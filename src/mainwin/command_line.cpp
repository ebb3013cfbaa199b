// The console's command line: the keys typed on the console, the typed line,
// the ready prompt and the explanation of a selected group.

#include "command_line.h"

#include "view.h"

#include "console_text.h"

#include "core/clock.h"
#include "core/program.h"
#include "translate/group_explanation.h"
#include "translate/handover.h"
#include "translate/stored_sources.h"
#include "translate/tooltips.h"

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

namespace {

constexpr int backspace_key = 8;
constexpr int enter_key = 13;
constexpr int escape_key = 27;

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

// The console's text with its paragraph and line separators as plain line
// breaks, one character each, so offsets into it stay the console's own.
QString with_line_breaks(QString text)
{
    text.replace(QChar(0x2029), u'\n');
    text.replace(QChar(0x2028), u'\n');
    return text;
}

}  // namespace

// ------------------------------------------------------------------- keys

bool CommandLine::filter_key(const QKeyEvent& key)
{
    const std::vector<int> codes = key_codes(key);
    if (codes.empty())
        return false;
    const bool displaying = v_.display_running();
    if (codes.front() == enter_key && displaying)
        return true;

    // The handler runs first; the console then carries out the key at the
    // caret as the handler left it, unless the handler closed the window.
    QPointer<view> self(&v_);
    QPointer<QTextEdit> console(v_.console_box);
    {
        const QScopedValueRollback<bool> in_hand(key_in_hand_, true);
        for (int code : codes) {
            v_.TextBox_KeyPress(0, code);
            if (!self)
                return true;
        }
    }
    if (!console || v_.closing_ || codes.front() == escape_key || displaying)
        return true;
    if (typed_line_to_show_.isEmpty())
        return false;
    // A display ended within the handler: the key's line break, then the
    // line typed while the display ran.
    QTextCursor caret = console->textCursor();
    caret.insertBlock();
    caret.insertText(std::exchange(typed_line_to_show_, QString()));
    console->setTextCursor(caret);
    return true;
}

void CommandLine::key_press(int index, int& key_ascii)
{
    if (index != 0)
        return;
    v_.session.group_mode = false;
    v_.session.japanese_mode = false;
    v_.session.timer_run = false;
    postpone_next_cycle();

    switch (key_ascii) {
    case escape_key:
        v_.close();
        return;
    case backspace_key:
        if (!typed_.isEmpty())
            set_typed(typed_.chopped(1));
        return;
    case enter_key:
        enter_typed_line();
        return;
    default:
        if (key_ascii < 32 || key_ascii > 0xFFFF)
            return;
        set_typed(typed_ + QChar(static_cast<char16_t>(key_ascii)));
        return;
    }
}

void CommandLine::set_typed(const QString& typed)
{
    typed_ = typed;
    v_.padlbl->setText(typed_);
}

void CommandLine::enter(const QString& line)
{
    typed_ = line;
    int key = enter_key;
    v_.TextBox_KeyPress(0, key);
}

void CommandLine::keep_typed_line(const QString& typed)
{
    if (typed.isEmpty())
        return;
    set_typed(typed);
    if (key_in_hand_) {
        typed_line_to_show_ = typed;
        return;
    }
    // On a line of its own.
    const bool at_line_start = v_.console_box->document()->lastBlock().length() <= 1;
    v_.append_console_text(at_line_start ? typed : QStringLiteral("\r\n") + typed);
}

void CommandLine::paste(const QString& pasted)
{
    const QString typed = pasted_line_text(pasted, max_pasted_line - typed_.size());
    if (typed.isEmpty())
        return;
    const bool displaying = v_.display_running();
    for (const QChar c : typed) {
        int code = c.unicode();
        v_.TextBox_KeyPress(0, code);
    }
    if (displaying)
        return;
    QTextEdit* console = v_.console_box;
    QTextCursor caret = console->textCursor();
    caret.insertText(typed);
    console->setTextCursor(caret);
    console->ensureCursorVisible();
}

// ------------------------------------------------------------ ready prompt

void CommandLine::show_ready_prompt()
{
    ConsoleSession& session = v_.session;
    QString prompt = QStringLiteral("\r\nREADY / PRESS ESC TO EXIT");
    if (session.ready_line_break)
        prompt += QStringLiteral("\r\n");
    v_.append_console_text(prompt);
    v_.console_caret_to_end();
    session.ready_line_break = false;
    if (session.sequence_mode && !v_.console_text().contains(QStringLiteral("LOADING")))
        v_.status_panel->setText(session.saved_status_text);
    // The console gets its own text pointer back (unset, it would show the
    // arrow), the window its default.
    v_.console_box->viewport()->setCursor(Qt::IBeamCursor);
    v_.unsetCursor();
}

// ------------------------------------------------------------ explanation

void CommandLine::explain_group()
{
    begin_explanation();
    const QTextCursor selection = v_.console_box->textCursor();
    const QString selected = with_line_breaks(selection.selectedText());
    const QString whole = with_line_breaks(v_.console_box->toPlainText());

    // The catalogue, the dictionaries and the time settings as they stand now.
    const TranslationSources stored = stored_translation_sources();
    ExplanationSources sources;
    sources.airport_name = stored.airport_name;
    sources.weather_abbr = stored.weather_abbr;
    sources.translation_word = stored.translation_word;
    sources.local_time = stored.local_time;
    sources.time_difference = stored.time_difference;
    sources.today = now_utc().date();

    const int start = selection.selectionStart();
    const std::optional<QString> text =
            kolde_sub::explain_group(selected, whole, start, selection.selectionEnd() - start, sources);
    if (!text)
        return;
    set_tip_text(*text);
    show_tooltip();
}
