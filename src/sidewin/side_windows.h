// The side windows the main window opens: the chart, camera and command
// list (modeless, one at a time, each with its open flag), the sun-time,
// version and component windows (modal) and the PDF-reader notice before
// the chart.
#pragma once

#include "sidewin/camera.h"
#include "sidewin/chart.h"
#include "sidewin/chart_menu.h"
#include "sidewin/info_windows.h"
#include "sidewin/suntime.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace kolde_sub {

class HoverButtons;

// Shows the command list without waiting, creating it when it is not
// open; a list already open comes to the front.
void show_command();
// The open window, or null.
QWidget* command_window();

// The PDF-reader notice, shown modal before the chart while
// アドビインフォメーション is off. Its banner asks for the download,
// closes the notice and opens the reader's download page; closing it with
// the check box ticked turns the notice off for good. Its close button is
// painted grey while the pointer is over it.
class adobeinfo : public QDialog {
    Q_OBJECT
public:
    explicit adobeinfo(QWidget* parent = nullptr);

    QLabel* lbl = nullptr;
    QCheckBox* chkbox = nullptr;
    QPushButton* cmd = nullptr;
    QPushButton* image = nullptr;
    // 1 while the close button is painted hovered, 9 while plain.
    int hover_state() const;

    void image_Click();
    // The banner was used: the caller closes the main window instead of
    // opening the chart.
    bool download_requested() const { return download_requested_; }

    // However the notice ends (its button, the title bar, Esc or the
    // banner), a ticked check box turns it off for good.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void store_choice();

    HoverButtons* hover_ = nullptr;
    bool choice_stored_ = false;
    bool download_requested_ = false;
};

}  // namespace kolde_sub
