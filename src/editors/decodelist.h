// The automatic-decode list " 自動デコード": the catalogued airports beside the
// list of stations that the heartbeat decodes by itself. An airport is
// copied into the list once only; entries are removed and moved up and
// down; the whole table is written back whenever the window closes, and a
// list saved empty switches the automatic decode off.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kolde_sub {

class HoverButtons;

// The line a grid shows for an airport: a blank, the code, three blanks and
// the name.
QString decode_list_line(const QString& code, const QString& name);

class decodelist : public QDialog {
    Q_OBJECT
public:
    explicit decodelist(QWidget* parent = nullptr);

    // 0 the airport catalogue, 1 the automatic-decode list. Each row keeps
    // its airport's code and name beside the line it shows (code() / name()).
    std::array<QTableWidget*, 2> grid{};
    // 0 登録, 1 削除, 2 up, 3 down, 4 閉じる.
    std::array<QPushButton*, 5> cmd{};
    std::array<QLabel*, 6> lbl{};
    // The white panel that covers the list's empty space below its last row.
    QFrame* Frame = nullptr;
    HoverButtons* hover = nullptr;
    int selected_airport_row = 0;
    int selected_list_row = 0;

    QString line(int index, int row) const;
    QString code(int index, int row) const;
    QString name(int index, int row) const;

    void grid_Click(int index, int row);
    void cmd_Click(int index);
    void layout_frame();

    // Every way of closing saves the list.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void add_entry();
    void remove_entry();
    void move_entry(int step);
    void update_move_buttons();
    void save();
    void append_row(int index, const QString& code, const QString& name);
    void copy_row(int index, int from, int to);

    bool saved_ = false;
};

}  // namespace kolde_sub
