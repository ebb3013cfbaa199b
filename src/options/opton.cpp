// The options dialog: its handlers wired to the controls, the lists filled
// at the first loading, and the window's own events.
#include "options/opton.h"

#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "platform/printers.h"
#include "platform/value.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace kolde_sub {

using namespace opton_index;

namespace {

QPointer<opton> the_opton;

QString two_digits(int i) { return QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')); }

}  // namespace

opton::opton(QWidget* parent)
    : QDialog(parent)
{
    build_controls();
    wire_controls();
    Form_Load();
}

opton::~opton()
{
    if (sound_wait_)
        *sound_wait_ = true;
}

void opton::wire_controls()
{
    // Change handlers. Programmatic changes of a check box or an option
    // button run them too; the loader's own changes do not.
    for (int i = 0; i < check_count; ++i) {
        CheckBox[i]->setObjectName(QStringLiteral("CheckBox_%1").arg(i));
        connect(CheckBox[i], &QCheckBox::stateChanged, this, [this, i] { CheckBox_Click(i); });
    }
    CheckBox[check_local_time]->installEventFilter(this);
    for (int i = 0; i < combo_count; ++i) {
        cmb[i]->setObjectName(QStringLiteral("cmb_%1").arg(i));
        connect(cmb[i], &QComboBox::activated, this, [this, i] { cmb_Click(i); });
    }
    for (int i = 0; i < threshold_count; ++i) {
        TextBox[i]->setObjectName(QStringLiteral("TextBox_%1").arg(i));
        connect(TextBox[i], &QLineEdit::editingFinished, this, [this, i] { TextBox_LostFocus(i); });
    }
    for (const Binding& b : opton_bindings()) {
        if (b.kind == BindingKind::Colour) {
            lbl[b.index]->setObjectName(QStringLiteral("lbl_%1").arg(b.index));
            lbl[b.index]->setAutoFillBackground(true);
            lbl[b.index]->setFrameShape(QFrame::Box);
            lbl[b.index]->setCursor(Qt::PointingHandCursor);
            lbl[b.index]->installEventFilter(this);
        }
    }
    for (int i = 0; i < 2; ++i) {
        connect(Option1[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Option1_Click();
        });
        connect(Option2[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Option2_Click();
        });
    }
    Slider->installEventFilter(this);
    connect(SSTab, &QTabWidget::currentChanged, this, [this] { scroll_sample(); });
}

void opton::Form_Load()
{
    postpone_next_cycle();
    for (int i = 1; i <= 20; ++i) {
        cmb[combo_display_size]->addItem(QString::number(i));
        cmb[combo_print_size]->addItem(QString::number(i));
    }
    for (int i = -12; i <= 12; ++i)
        cmb[combo_time_difference]->addItem(i > 0 ? QStringLiteral("+%1").arg(i) : QString::number(i));
    for (int i = 1; i <= 23; ++i)
        cmb[combo_sequence_hours]->addItem(QString::number(i));
    cmb[combo_display_font]->addItems(QFontDatabase::families());
    if (!platform::printer_names().isEmpty())
        cmb[combo_print_font]->addItems(QFontDatabase::families());
    for (int i = 0; i <= 23; ++i) {
        cmb[combo_start_hour]->addItem(two_digits(i));
        cmb[combo_end_hour]->addItem(two_digits(i));
    }
    for (int i = 0; i <= 59; ++i) {
        cmb[combo_start_minute]->addItem(two_digits(i));
        cmb[combo_end_minute]->addItem(two_digits(i));
    }
    load_settings();
    set_update_interval(11 - Slider->value());
    SSTab->setCurrentIndex(tab_connection);
    CheckBox[check_local_time]->setToolTip(QStringLiteral(" 現在このコンピューターの設定は UTC") + computer_zone().text + QStringLiteral(" (")
                             + computer_zone().name + QStringLiteral(") になっています "));
}

// ---- window

bool opton::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type t = event->type();
    if (watched == Slider && t == QEvent::FocusOut) {
        Slider_LostFocus();
    } else if (t == QEvent::MouseButtonRelease) {
        // The colour swatches.
        for (const Binding& b : opton_bindings()) {
            if (b.kind == BindingKind::Colour && watched == lbl[b.index] && lbl[b.index]->isEnabled()) {
                lbl_Click(b.index);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void opton::showEvent(QShowEvent* event)
{
    // An opening (not a restore of the minimised window) shows the record
    // as it is now: the main window changes some settings itself.
    if (!event->spontaneous())
        load_settings();
    QDialog::showEvent(event);
    cmd[button_close]->setFocus();
}

void opton::keyPressEvent(QKeyEvent* event)
{
    // Escape must not lose the print window or the line speed.
    if (event->matches(QKeySequence::Cancel)) {
        cmd_Click(button_close);
        return;
    }
    QDialog::keyPressEvent(event);
}

void opton::hideEvent(QHideEvent* event)
{
    // A sound test never outlives the shown dialog.
    if (sound_wait_)
        *sound_wait_ = true;
    QDialog::hideEvent(event);
}

void opton::reject()
{
    QDialog::reject();
    // Any close but the close button unloads the dialog: the next opening
    // loads a new one.
    deleteLater();
}

opton* opton_window()
{
    if (!the_opton)
        the_opton = new opton;
    return the_opton;
}

bool opton_loaded() { return !the_opton.isNull(); }

void unload_opton() { delete the_opton.data(); }

}  // namespace kolde_sub
