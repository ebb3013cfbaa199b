// The command list (modeless, on top, closed by a click), the version window
// and the component window (both modal).
#pragma once

#include <QDialog>
#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace kolde_sub {

class HoverButtons;

// The console's commands and what they do, one row per line; the row
// between HELP and RESET is empty in both columns.
struct CommandRow {
    const char* command;
    const char* meaning;
};
const std::array<CommandRow, 20>& command_rows();

// The top-left corner that centres a window of size inner over the frame
// outer.
QPoint centred_over(const QRect& outer, const QSize& inner);

class command : public QWidget {
    Q_OBJECT
public:
    command();

    std::array<QLabel*, 2> lbl{};

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
};

// The installed version in a borderless frame; a click closes it.
class version : public QDialog {
    Q_OBJECT
public:
    explicit version(QWidget* parent = nullptr);

    QFrame* Shape = nullptr;
    QLabel* img = nullptr;
    std::array<QLabel*, 2> lbl{};

protected:
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
};

// The program, the update module and the database with their versions and
// update dates.
class compornent : public QDialog {
    Q_OBJECT
public:
    explicit compornent(QWidget* parent = nullptr);

    std::array<QLabel*, 12> lbl{};
    QPushButton* cmd = nullptr;
    // 1 while the button is painted as hovered, 9 while plain.
    int hover_state() const;

private:
    HoverButtons* hover_ = nullptr;
};

}  // namespace kolde_sub
