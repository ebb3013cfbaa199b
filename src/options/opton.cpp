#include "opton.h"

#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

namespace kolde_sub {

// TODO(options): the four tabs, the samples and the command buttons.

namespace {

QPointer<opton> the_opton;

}  // namespace

opton::opton(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("opton"));
    setWindowTitle(QStringLiteral(" 動作設定"));
    auto* layout = new QVBoxLayout(this);
    CheckBox[2] = new QCheckBox(QStringLiteral(" 自動デコードを有効にする"), this);
    CheckBox[9] = new QCheckBox(QStringLiteral(" マニュアル入力時に自動デコードを停止する"), this);
    for (int i : {2, 9}) {
        CheckBox[i]->setObjectName(QStringLiteral("CheckBox_%1").arg(i));
        layout->addWidget(CheckBox[i]);
    }
    CheckBox[2]->setChecked(setting_bool(QStringLiteral("自動デコード有効")));
    CheckBox[9]->setChecked(setting_bool(QStringLiteral("マニュアル入力時停止")));
    CheckBox[9]->setEnabled(CheckBox[2]->isChecked());
    connect(CheckBox[2], &QCheckBox::toggled, this, [this] { CheckBox_Click(2); });
    connect(CheckBox[9], &QCheckBox::toggled, this, [this] { CheckBox_Click(9); });
    update_interval = 11 - static_cast<int>(setting_int(QStringLiteral("バッファ")));
    cycle_tick_count = 0;
}

void opton::CheckBox_Click(int index)
{
    if (index == 2) {
        set_setting(QStringLiteral("自動デコード有効"), platform::Value::boolean(CheckBox[2]->isChecked()));
        CheckBox[9]->setEnabled(CheckBox[2]->isChecked());
    } else if (index == 9) {
        set_setting(QStringLiteral("マニュアル入力時停止"), platform::Value::boolean(CheckBox[9]->isChecked()));
    }
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
