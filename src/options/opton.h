// The options dialog " 動作設定" and the wait notice shown while it is
// built. Until the dialog's tabs are built it holds only the two switches
// of the automatic decode that other windows set.
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;

namespace kolde_sub {

class opton : public QDialog {
    Q_OBJECT
public:
    explicit opton(QWidget* parent = nullptr);

    // Element 2 shows 自動デコード有効, element 9 マニュアル入力時停止; the
    // second is enabled only while the first is ticked. The other elements
    // come with the dialog's tabs.
    std::array<QCheckBox*, 30> CheckBox{};

    void CheckBox_Click(int index);
};

// The dialog, loaded without being shown when it is not loaded yet. It stays
// loaded until unload_opton (the main window's shut-down).
opton* opton_window();
bool opton_loaded();
void unload_opton();

}  // namespace kolde_sub
