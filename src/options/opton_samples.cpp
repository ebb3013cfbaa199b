#include "options/opton_samples.h"

#include "core/settings.h"
#include "core/shared.h"
#include "reports/zone.h"

#include <QTextCursor>
#include <QTextEdit>

#include <optional>

namespace kolde_sub {

namespace {

// A colour field; none while the field is empty, so the control keeps its
// own colour.
std::optional<QColor> colour_setting(SettingKey name)
{
    const platform::Value v = setting(name);
    if (v.is_null())
        return std::nullopt;
    return bgr_color(v.to_int());
}

// The font of a sample: the stored name, size and weight. A size that is
// not a positive number keeps the control's size.
struct SampleFont {
    QString family;
    int size = 0;
    bool bold = false;
};

SampleFont font_setting(SettingKey font, SettingKey size, SettingKey bold)
{
    const long long points = setting_int(size);
    return {setting_text(font), points > 0 && points <= 0x7FFF ? int(points) : 0,
            setting_bool(bold)};
}

// Replaces the control's text and gives the whole of it the font (and the
// text colour, when one is given). The control's own font follows too, so
// the caret and an empty line keep the same look.
void fill_sample(QTextEdit* sample, const QString& text_crlf, const SampleFont& f, std::optional<QColor> colour)
{
    QFont font = sample->font();
    font.setFamilies({f.family});
    if (f.size > 0)
        font.setPointSize(f.size);
    font.setBold(f.bold);
    sample->setFont(font);
    sample->setPlainText(QString(text_crlf).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    QTextCharFormat format;
    format.setFontFamilies(QStringList{f.family});
    if (f.size > 0)
        format.setFontPointSize(f.size);
    format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    if (colour)
        format.setForeground(*colour);
    QTextCursor all(sample->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
}

void render_display_sample(QTextEdit* sample, const QString& text)
{
    // Repainted once, when it is complete.
    const bool updates = sample->updatesEnabled();
    sample->setUpdatesEnabled(false);

    const std::optional<QColor> text_colour = colour_setting(key::display_text_colour);
    QPalette pal = sample->palette();
    if (const std::optional<QColor> back = colour_setting(key::display_background))
        pal.setColor(QPalette::Base, *back);
    if (text_colour)
        pal.setColor(QPalette::Text, *text_colour);
    sample->setPalette(pal);

    fill_sample(sample, text, font_setting(key::display_font, key::display_size, key::display_bold), text_colour);
    apply_spans(sample, display_sample_spans(text, read_colour_settings()));

    sample->setUpdatesEnabled(updates);
}

}  // namespace

SampleStamps sample_stamps(bool local, const QString& time_difference)
{
    // 時差 read as everywhere in the program.
    const int hours = local ? time_difference_hours(time_difference) : 0;
    const QString hour = QStringLiteral("%1").arg(wrap_day_hour(8 + hours), 2, 10, QLatin1Char('0'));
    const QString letter = zone_letter(hours);
    return {hour + QStringLiteral("25") + letter, hour + QStringLiteral("42") + letter};
}

QString print_sample_text(const SampleStamps& stamps)
{
    return QStringLiteral(" RJTT SPECI ") + stamps.speci +
           QStringLiteral("\r\n      260825Z 07013KT 8000 -RA BR SCT030 BKN///"
                          "\r\n      13/11 Q1025 RMK 3CU030 A3027"
                          "\r\n RJTT TAF   ") +
           stamps.taf +
           QStringLiteral("\r\n      260842Z 2609/2712 08010KT 6000 RA FEW030 BKN050"
                          "\r\n      BECMG 2614/2616 02006KT");
}

QString display_sample_text(const SampleStamps& stamps)
{
    return print_sample_text(stamps) + QStringLiteral("\r\n\r\n READY / PRESS ESC TO EXIT\r\n ");
}

std::vector<Span> display_sample_spans(const QString& text, ColourSettings settings)
{
    settings.emphasise_conditions = false;
    std::vector<Span> spans;
    for (Span s : colour_spans(text, settings, QString(), QString())) {
        s.bold = Span::Keep;
        if (s.colour != Span::keep_colour)
            spans.push_back(s);
    }
    return spans;
}

void render_samples(QTextEdit* display_sample, QTextEdit* print_sample)
{
    const SampleStamps stamps =
        sample_stamps(setting_bool(key::local_time), setting_text(key::time_difference));
    if (display_sample)
        render_display_sample(display_sample, display_sample_text(stamps));
    // The print sample keeps the control's own colours.
    if (print_sample)
        fill_sample(print_sample, print_sample_text(stamps),
                    font_setting(key::print_font, key::print_size, key::print_bold), std::nullopt);
    scroll_sample(display_sample);
}

void scroll_sample(QTextEdit* display_sample)
{
    if (!display_sample)
        return;
    QTextCursor caret(display_sample->document());
    if (setting_bool(key::top_line))
        caret.setPosition(std::min(1, display_sample->document()->characterCount() - 1));
    else
        caret.movePosition(QTextCursor::End);
    display_sample->setTextCursor(caret);
    display_sample->ensureCursorVisible();
    if (display_sample->isVisible())
        display_sample->setFocus(Qt::OtherFocusReason);
}

}  // namespace kolde_sub
