// The airport list " 飛行場リスト": the catalogue 飛行場情報 in a grid of code
// and name. Airports are added (always at the head) and modified through the
// entry dialog, deleted after a question and moved up and down; the whole
// table is written back whenever the window closes.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kolde_sub {

class HoverButtons;

class airport : public QDialog {
    Q_OBJECT
public:
    explicit airport(QWidget* parent = nullptr);

    // Airports are numbered from 1 in list order (the header counts as row
    // 0); grid_row()/list_row() turn these numbers into the grid's own row
    // indexes and back.
    static int grid_row(int row) { return row - 1; }
    static int list_row(int grid_index) { return grid_index + 1; }
    // The number of airports in the list (the last row's number).
    int last_row() const;

    QTableWidget* grid = nullptr;
    // 0 閉じる, 1 追加, 2 削除, 3 修正, 4 up, 5 down.
    std::array<QPushButton*, 6> cmd{};
    std::array<QLabel*, 2> lbl{};
    HoverButtons* hover = nullptr;
    // The airport last selected by a click and carried along by the moves.
    int selected_row = 1;

    QString code(int row) const;
    QString name(int row) const;

    void cmd_Click(int index);
    void grid_Click(int row);
    void grid_DblClick();
    void update_move_buttons();

    // Every way of closing saves the list.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void add_airport();
    void delete_airport();
    void modify_airport();
    void move_airport(int step);
    bool save();
    // Appends an empty airport row; shows the header once there is a row.
    void append_row();
    void set_airport(int row, const QString& code, const QString& name);

    bool saved_ = false;
};

}  // namespace kolde_sub
