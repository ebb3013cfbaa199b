// The options dialog's loader: every bound field into its control, the
// enabled state of the controls that depend on others, the printer check and
// the samples; the one place where the dialog writes a field, and what it
// does when a change cannot be stored.
#include "options/opton.h"

#include "core/logging.h"
#include "core/settings.h"
#include "core/shared.h"
#include "options/failure_notices.h"
#include "options/opton_samples.h"
#include "platform/printers.h"
#include "platform/value.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace kolde_sub {

using namespace opton_index;

namespace {

void set_swatch(QLabel* swatch, const QColor& colour)
{
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, colour);
    swatch->setPalette(pal);
}

// Shows a stored text in a list. A text that is not among the entries (a
// font that is not installed, an offset such as "±0") is added, so the
// stored value is shown and never lost.
void show_combo_text(QComboBox* combo, const QString& text)
{
    int i = combo->findText(text, Qt::MatchExactly);
    if (i < 0) {
        if (text.isEmpty())
            return;
        combo->addItem(text);
        i = combo->count() - 1;
    }
    combo->setCurrentIndex(i);
}

bool binding_rule_holds(const Binding& b)
{
    for (const std::optional<SettingKey>& field : b.enabled_when) {
        if (field && !setting_bool(*field))
            return false;
    }
    return true;
}

}  // namespace

void opton::check_printer()
{
    // The print switches that need a usable printer are shown off and
    // cannot be changed. Opening the options changes no setting: the stored
    // switches and printer stay as they are for when a printer is there.
    auto reset_print_switches = [this] {
        loading_ = true;
        for (int i : {check_print_bold, check_print_on_update, check_printer_dialog}) {
            CheckBox[i]->setChecked(false);
            CheckBox[i]->setEnabled(false);
        }
        loading_ = false;
    };
    const QStringList printers = platform::printer_names();
    if (printers.isEmpty()) {
        cmb[combo_print_font]->setEnabled(false);
        cmb[combo_print_size]->setEnabled(false);
        reset_print_switches();
        cmd[button_printer_setup]->setEnabled(false);
        cmd[button_print_test]->setEnabled(false);
        return;
    }
    const QString stored = setting_text(key::printer);
    if (stored == QStringLiteral("*")) {
        lbl[label_printer]->setText(QStringLiteral("出力先プリンターを設定してください"));
        lbl[label_printer]->setVisible(true);
        cmd[button_print_test]->setEnabled(false);
        reset_print_switches();
        return;
    }
    if (printers.contains(stored)) {
        lbl[label_printer]->setStyleSheet(QStringLiteral("color: black;"));
        lbl[label_printer]->setText(stored);
        for (QWidget* w : std::initializer_list<QWidget*>{cmd[button_print_test], CheckBox[check_print_bold], CheckBox[check_print_on_update], CheckBox[check_printer_dialog]})
            w->setEnabled(true);
        return;
    }
    lbl[label_printer]->setText(stored + QStringLiteral(" が見つかりません"));
    cmd[button_print_test]->setEnabled(false);
    reset_print_switches();
}

QWidget* opton::control_of(const Binding& b) const
{
    switch (b.kind) {
    case BindingKind::Check: return CheckBox[b.index];
    case BindingKind::Slider: return Slider;
    case BindingKind::Threshold: return TextBox[b.index];
    case BindingKind::Colour: return lbl[b.index];
    case BindingKind::Combo: return cmb[b.index];
    case BindingKind::Shown: return VScroll;
    case BindingKind::OptionPair: return nullptr;
    }
    return nullptr;
}

void opton::load_binding(const Binding& b)
{
    const SettingKey field = b.field;
    const platform::Value v = setting(field);
    switch (b.kind) {
    case BindingKind::Check:
        CheckBox[b.index]->setChecked(setting_bool(field));
        return;
    case BindingKind::OptionPair: {
        auto& pair = b.index == 1 ? Option1 : Option2;
        pair[setting_bool(field) ? b.option_when_on : 1 - b.option_when_on]->setChecked(true);
        return;
    }
    case BindingKind::Shown:
        VScroll->setVisible(setting_bool(field));
        return;
    default:
        break;
    }
    // A field that holds nothing leaves its control as it was.
    if (v.is_null())
        return;
    switch (b.kind) {
    case BindingKind::Slider: Slider->setValue(static_cast<int>(v.to_int())); break;
    case BindingKind::Threshold: TextBox[b.index]->setText(v.to_text()); break;
    case BindingKind::Colour: set_swatch(lbl[b.index], bgr_color(v.to_int())); break;
    case BindingKind::Combo: show_combo_text(cmb[b.index], v.to_text()); break;
    default: break;
    }
}

void opton::apply_enabling(const Binding& b)
{
    if (!b.enabled_when[0])
        return;
    const bool on = binding_rule_holds(b);
    if (b.kind == BindingKind::OptionPair) {
        auto& pair = b.index == 1 ? Option1 : Option2;
        pair[0]->setEnabled(on);
        pair[1]->setEnabled(on);
    } else if (QWidget* w = control_of(b)) {
        w->setEnabled(on);
    }
}

void opton::load_settings() { load_controls(true); }

void opton::load_controls(bool with_print_window)
{
    const bool was_loading = loading_;
    loading_ = true;
    for (const Binding& b : opton_bindings()) {
        apply_enabling(b);
        if (!with_print_window && (b.flags & binding_flag::on_close))
            continue;
        if (!(b.flags & binding_flag::only_when_enabled) || binding_rule_holds(b))
            load_binding(b);
    }
    loading_ = was_loading;
    // Without a usable printer its switches show off, whatever is stored.
    check_printer();
    render_samples();
}

void opton::render_samples()
{
    kolde_sub::render_samples(viewSample[sample_display], viewSample[sample_print]);
    scroll_sample();
}

void opton::scroll_sample()
{
    QTextCursor c = viewSample[sample_display]->textCursor();
    if (setting_bool(key::top_line))
        c.setPosition(qMin(1, viewSample[sample_display]->document()->characterCount() - 1));
    else
        c.movePosition(QTextCursor::End);
    viewSample[sample_display]->setTextCursor(c);
    viewSample[sample_display]->ensureCursorVisible();
    if (viewSample[sample_display]->isVisible())
        viewSample[sample_display]->setFocus();
}

bool opton::write(SettingKey field, const platform::Value& value)
{
    if (set_setting(field, value))
        return true;
    qCWarning(lc_options) << "settings field not written:" << field.name();
    return setting(field) == value;
}

void opton::not_stored()
{
    if (tell_due_)
        return;
    tell_due_ = true;
    QMetaObject::invokeMethod(this, &opton::tell_not_stored, Qt::QueuedConnection);
}

void opton::tell_not_stored()
{
    load_controls(false);
    QPointer<opton> self(this);
    tell_settings_not_stored(this);
    if (self)
        tell_due_ = false;
}

void opton::follow(SettingKey field)
{
    const bool was_loading = loading_;
    loading_ = true;
    for (const Binding& b : opton_bindings()) {
        const bool depends = b.enabled_when[0] == field || b.enabled_when[1] == field;
        if (depends) {
            apply_enabling(b);
            if ((b.flags & binding_flag::only_when_enabled) && binding_rule_holds(b))
                load_binding(b);
        }
        if (b.kind == BindingKind::Shown && b.field == field)
            load_binding(b);
    }
    loading_ = was_loading;
}

}  // namespace kolde_sub
