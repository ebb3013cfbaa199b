// The side windows the main window opens: the chart, camera and command
// list (modeless, one at a time, each with its open flag), the sun-time,
// version and component windows (modal) and the PDF-reader notice before
// the chart. Until their content is built, chart, camera, command, suntime,
// version and compornent are plain windows with their names and captions.
#pragma once

#include "camera.h"
#include "chart.h"
#include "chart_menu.h"
#include "core/placeholder.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace kolde_sub {

// A modeless side window: its open flag is set when it is activated and
// cleared when it closes, which also releases it.
class modeless_side_window : public placeholder_window {
    Q_OBJECT
public:
    modeless_side_window(const QString& name, const QString& caption, const QString& purpose, bool* open_flag);

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool* open_flag_;
};

class command : public modeless_side_window {
    Q_OBJECT
public:
    command();
};

// Shows the window without waiting, creating it when it is not open; a
// window already open comes to the front.
void show_command();
// The open window, or null.
QWidget* command_window();

class suntime : public placeholder_window {
    Q_OBJECT
public:
    explicit suntime(QWidget* parent = nullptr);
};

class version : public placeholder_window {
    Q_OBJECT
public:
    explicit version(QWidget* parent = nullptr);
};

class compornent : public placeholder_window {
    Q_OBJECT
public:
    explicit compornent(QWidget* parent = nullptr);
};

// The PDF-reader notice, shown modal before the chart while
// アドビインフォメーション is off. Its banner sets reader_download_requested,
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
    int hover_state = 9;

    void image_Click();
    void cmd_MouseMove();
    void Form_MouseMove();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};

}  // namespace kolde_sub
