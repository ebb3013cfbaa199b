// The options dialog's change handlers: each writes its field at once and
// lets the dependent controls and the samples follow. A change that cannot
// be stored is told, and the controls show what is stored.
#include "options/opton.h"

#include "core/settings.h"
#include "core/shared.h"
#include "platform/msg_box.h"
#include "platform/value.h"
#include "platform/wait.h"
#include "reports/request.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace kolde_sub {

using namespace opton_index;

void opton::CheckBox_Click(int index)
{
    if (loading_)
        return;
    const Binding* b = find_binding(BindingKind::Check, index);
    if (!b)
        return;
    // Only a ticked box is on; a greyed one counts as off.
    if (!write(b->field, platform::Value::boolean(CheckBox[index]->checkState() == Qt::Checked))) {
        not_stored();
        return;
    }
    if (b->flags & binding_flag::reload) {
        load_controls(false);
        return;
    }
    follow(b->field);
    render_samples();
}

void opton::cmb_Click(int index)
{
    if (loading_)
        return;
    const Binding* b = find_binding(BindingKind::Combo, index);
    if (!b)
        return;
    if (!(b->flags & binding_flag::on_close)) {
        const QString text = cmb[index]->currentText();
        if ((b->flags & binding_flag::refuse_empty) && text.isEmpty()) {
            platform::msg_box(this, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                              QStringLiteral("フォントを指定してください　　"));
            return;
        }
        const platform::Value value = b->field.field().type == SettingType::Integer
                                                  ? platform::Value(static_cast<long long>(platform::leading_number(text)))
                                                  : platform::Value(text);
        if (!write(b->field, value)) {
            not_stored();
            return;
        }
        if (b->flags & binding_flag::new_cycle_slot)
            current_request().forget_cycle_slot();
    }
    render_samples();
}

void opton::TextBox_LostFocus(int index)
{
    if (loading_)
        return;
    const Binding* b = find_binding(BindingKind::Threshold, index);
    if (!b)
        return;
    const long long value = threshold_value(TextBox[index]->text());
    // The box shows what the colouring will use.
    if (write(b->field, platform::Value(value)))
        TextBox[index]->setText(QString::number(value));
    else
        not_stored();
}

void opton::lbl_Click(int index)
{
    const Binding* b = find_binding(BindingKind::Colour, index);
    if (!b)
        return;
    // The colour dialog waits as every modal dialog does: when the options
    // go with the main window meanwhile, nothing of them is touched.
    auto* picker = new QColorDialog(lbl[index]->palette().color(QPalette::Window), this);
    QColor chosen;
    const std::optional<int> result = platform::exec_modal(picker, [&](int r) {
        if (r == QDialog::Accepted)
            chosen = picker->selectedColor();
    });
    // Cancel changes nothing.
    if (!result || !chosen.isValid())
        return;
    if (!write(b->field, platform::Value(bgr_value(chosen)))) {
        not_stored();
        return;
    }
    QPalette pal = lbl[index]->palette();
    pal.setColor(QPalette::Window, chosen);
    lbl[index]->setPalette(pal);
    if (b->flags & binding_flag::samples)
        render_samples();
    cmd[button_alarm_test]->setEnabled(true);
    cmd[button_sound_test]->setEnabled(true);
}

void opton::Option1_Click()
{
    if (loading_)
        return;
    if (write(key::print_timed, platform::Value::boolean(!Option1[print_always]->isChecked())))
        follow(key::print_timed);
    else
        not_stored();
}

void opton::Option2_Click()
{
    if (loading_)
        return;
    if (!write(key::command_buttons, platform::Value::boolean(Option2[buttons_grey]->isChecked())))
        not_stored();
}

void opton::Slider_LostFocus()
{
    if (loading_)
        return;
    if (!write(key::buffer, platform::Value(Slider->value())))
        not_stored();
}

}  // namespace kolde_sub
