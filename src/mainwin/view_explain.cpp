// The explanation of the group selected in the report console, shown in the
// tip window beside the pointer.

#include "view.h"

#include "core/clock.h"
#include "translate/group_explanation.h"
#include "translate/handover.h"
#include "translate/stored_sources.h"
#include "translate/tooltips.h"

#include <QDate>
#include <QTextCursor>
#include <QTextEdit>

using namespace kolde_sub;

namespace {

// The console's text with its paragraph and line separators as plain line
// breaks, one character each, so offsets into it stay the console's own.
QString with_line_breaks(QString text)
{
    text.replace(QChar(0x2029), u'\n');
    text.replace(QChar(0x2028), u'\n');
    return text;
}

}  // namespace

void view::explain_group()
{
    begin_explanation();
    const QTextCursor selection = console_box->textCursor();
    const QString selected = with_line_breaks(selection.selectedText());
    const QString whole = with_line_breaks(console_box->toPlainText());

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
