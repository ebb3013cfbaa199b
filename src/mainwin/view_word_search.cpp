// The word search of the console: a dictionary word typed on the command
// line gets its Japanese meaning, and the picture registered under it is
// handed to the picture window.

#include "view.h"

#include "console_commands.h"

#include "core/database.h"
#include "core/log.h"
#include "core/shared.h"
#include "platform/wait.h"
#include "reports/colouring.h"
#include "reports/lookup.h"
#include "translate/handover.h"
#include "translate/pictureform.h"

#include <QLabel>
#include <QPointer>

using namespace kolde_sub;

namespace {

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

void view::search_word(const QString& line)
{
    QString word = line;
    QString meaning = lookup_weather_abbr(word);
    if (meaning.isEmpty()) {
        word = line;
        meaning = lookup_translation_abbr(word);
    }
    if (meaning.isEmpty())
        return;
    append_console_text(QStringLiteral(" : ") + meaning + QStringLiteral("\r\n"));

    // The row is logged once the picture window has been served, so it
    // follows whatever was logged meanwhile.
    const QString log_text = QStringLiteral("SEARCH WORD ") + line;
    QPointer<view> self(this);
    show_registered_picture(*this, line);
    if (!self)
        return;
    write_log(log_text);
    show_ready_prompt();
    color_report_text();
    console_caret_to_end();
    padlbl->clear();
}
