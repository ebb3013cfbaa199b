#include "printerselect.h"

#include "core/hover_buttons.h"
#include "core/twips.h"
#include "options/failure_notices.h"
#include "platform/printers.h"
#include "platform/value.h"
#include "core/settings.h"
#include "platform/wait.h"

#include <QComboBox>
#include <QPalette>
#include <QPushButton>

namespace kolde_sub {

printerselect::printerselect(PrinterChoice mode, QWidget* parent) : QDialog(parent), mode_(mode)
{
    setObjectName(QStringLiteral("printerselect"));
    setWindowTitle(QStringLiteral(" プリンター選択"));
    setModal(true);
    setFixedSize(px(3585), px(1260));

    cmb = new QComboBox(this);
    cmb->setObjectName(QStringLiteral("cmb"));
    cmb->setGeometry(px(240), px(240), px(3135), cmb->sizeHint().height());

    const int left[2] = {1920, 600};
    for (int i = 0; i < 2; ++i) {
        cmd[i] = new QPushButton(this);
        cmd[i]->setObjectName(QStringLiteral("cmd_%1").arg(i));
        cmd[i]->setGeometry(px(left[i]), px(720), px(1095), px(375));
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    cmd[0]->setText(QStringLiteral("キャンセル"));
    cmd[1]->setText(QStringLiteral("印 刷"));
    new HoverButtons({cmd[0], cmd[1]}, {this});  // a child of the dialog

    Form_Load();
}

void printerselect::Form_Load()
{
    if (mode_ == PrinterChoice::setup)
        cmd[1]->setText(QStringLiteral("設 定"));

    const QString stored = setting_text(key::printer);
    const QString current = platform::current_printer();
    int stored_index = 0;
    int current_index = 0;
    const QStringList names = platform::printer_names();
    for (int i = 0; i < names.size(); ++i) {
        cmb->addItem(names[i]);
        if (names[i] == stored)
            stored_index = i;
        if (names[i] == current)
            current_index = i;
    }

    if (cmb->count() == 0) {
        cmb->addItem(QStringLiteral(" 利用可能なプリンターがありません"));
        QPalette pal = cmb->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Button));
        pal.setColor(QPalette::Text, QColor(192, 0, 0));
        pal.setColor(QPalette::ButtonText, QColor(192, 0, 0));
        cmb->setPalette(pal);
        cmd[0]->setText(QStringLiteral("閉じる"));
        cmd[1]->setEnabled(false);
        cmb->setCurrentIndex(0);
        return;
    }
    cmb->setCurrentIndex(stored != QStringLiteral("*") ? stored_index : current_index);
}

void printerselect::cmd_Click(int index)
{
    if (index == 0) {
        done(QDialog::Rejected);
        return;
    }
    const QString name = cmb->currentText();
    if (mode_ == PrinterChoice::setup) {
        // A choice that could not be stored is no choice: the caller is
        // told that no printer is ready, and so is the user.
        if (!set_setting(key::printer, platform::Value(name))) {
            done(QDialog::Rejected);
            tell_settings_not_stored(parentWidget());
            return;
        }
    } else {
        platform::set_current_printer(name);  // an unknown name keeps the current printer
    }
    done(QDialog::Accepted);
}

void printerselect::done(int result)
{
    QDialog::done(result);
}

bool show_printer_selection(QWidget* parent, PrinterChoice mode)
{
    auto* dialog = new printerselect(mode, parent);
    if (parent) {
        const QRect frame = parent->frameGeometry();
        dialog->move(frame.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
    }
    return platform::exec_modal(dialog) == QDialog::Accepted;
}

}  // namespace kolde_sub
