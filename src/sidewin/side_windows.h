// The side windows the main window opens: the chart, camera and command
// list (modeless, one at a time, each with its open flag), the sun-time,
// version and component windows (modal) and the PDF-reader notice before
// the chart. Until their content is built, chart, camera, command, suntime,
// version and compornent are plain windows with their names and captions.
#pragma once

#include "core/placeholder.h"
#include "sidewin/info_windows.h"
#include "sidewin/suntime.h"

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

class chart : public modeless_side_window {
    Q_OBJECT
public:
    chart();
};

class camera : public modeless_side_window {
    Q_OBJECT
public:
    camera();
};

// Shows the window without waiting, creating it when it is not open; a
// window already open comes to the front.
void show_chart();
void show_camera();
void show_command();
// The open window, or null.
QWidget* chart_window();
QWidget* camera_window();
QWidget* command_window();

// The PDF-reader notice, shown modal before the chart while
// アドビインフォメーション is off. Its banner sets reader_download_requested,
// closes the notice and opens the reader's download page; closing it with
// the check box ticked turns the notice off for good.
class adobeinfo : public QDialog {
    Q_OBJECT
public:
    explicit adobeinfo(QWidget* parent = nullptr);

    QLabel* lbl = nullptr;
    QCheckBox* chkbox = nullptr;
    QPushButton* cmd = nullptr;
    QPushButton* image = nullptr;

    void image_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
};

// The address of the PDF reader's download page.
QString reader_download_url();

}  // namespace kolde_sub
