// The company group editor, and the grid window it shares with the
// dictionary editor: a two-column grid edited in place through one edit
// box, a pop-up menu 新規 / 編集 / 削除, two buttons that move the selected
// row, and a save of the whole grid when the window closes.
#pragma once

#include "platform/store.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableWidget;

namespace kolde_sub {

class HoverButtons;

// The two texts of a grid row.
using GridRow = QPair<QString, QString>;

// A route: four-letter codes separated by single blanks, so 4 + 5k
// characters with a blank at every fifth position and an ASCII letter at
// every other one.
[[nodiscard]] bool route_rule_ok(const QString& route);

// The first row whose first text, without outer blanks and upper-cased,
// equals key treated the same way; -1 when there is none.
[[nodiscard]] int find_key_row(const QList<GridRow>& rows, const QString& key);

// The rows an editor stores when it closes: those whose two texts are both
// non-empty, each led by its 順位 (row index + 1, so left-out rows leave
// gaps) and followed by its texts without outer blanks, upper-cased when
// asked.
[[nodiscard]] QList<QList<platform::Value>> ranked_rows_to_save(const QList<GridRow>& rows, bool upper_case);

// The window both list editors are made of. Handlers are public so that
// the window can be driven without a mouse.
class grid_editor : public QDialog {
    Q_OBJECT
public:
    QTableWidget* grid = nullptr;
    QLineEdit* txt = nullptr;
    QPushButton* cmd[3] = {};
    QLabel* lbl[4] = {};
    QMenu* menu = nullptr;
    QAction* menu_new = nullptr;
    QAction* menu_edit = nullptr;
    QAction* menu_del = nullptr;

    // The selected cell; selected_row -1 while nothing is selected.
    int selected_row = -1;
    int selected_col = 0;
    // The button painted as hovered; 99 for none.
    int hover_button() const;

    // A mouse button went down on the grid; on_cell when it went down on a
    // cell, which is then already the grid's current cell. Every button
    // commits an edit still open, as Enter does, then selects the cell under
    // the pointer; the right one then opens the pop-up menu at global_pos.
    // When the edit fails its check nothing else happens.
    void grid_MouseDown(Qt::MouseButton button, const QPoint& global_pos = {}, bool on_cell = true);
    void grid_DblClick();
    void menu_new_Click();
    void menu_edit_Click();
    void menu_del_Click();
    // 0 closes the window, 1 moves the selected row up, 2 down.
    void cmd_Click(int index);
    // Enter (13) checks and commits the edit box; other keys pass.
    void txt_KeyPress(int key_ascii);
    // Tab (forward) or Shift+Tab: commits the box as Enter does and, when
    // the entry passed its check, edits the next or the previous cell.
    void txt_Tab(bool forward);
    virtual void txt_LostFocus();

    // Places the box on the selected cell and loads the cell's text.
    void place_edit_box();
    void begin_edit();
    void update_move_buttons();

    // The texts of every grid row, top to bottom.
    QList<GridRow> grid_rows() const;

protected:
    grid_editor(const QString& name, const QString& caption, QWidget* parent);

    // Fills the grid (the last row becomes the current one).
    void fill(const QList<GridRow>& rows);
    QString cell_text(int row, int col) const;
    bool row_exists(int row) const;

    // The text Enter commits from the box into column col, or nothing when
    // a check failed (the check has told the user).
    virtual std::optional<QString> checked_entry(int col, const QString& box_text) = 0;
    virtual void txt_GotFocus() {}
    // Runs after a row has been selected with the mouse.
    virtual void row_selected() {}
    // Stores the grid; runs once, when the window closes.
    virtual void Form_QueryUnload() = 0;

    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paint_all_plain();
    // Selects the grid's current cell, as a click on it does.
    void select_current_cell();
    // Places the box on the selected cell (also when a scroll moved it).
    void fit_edit_box();
    // Checks and commits the box; false when it stays open or was not open.
    bool commit_edit_box();
    // Ends an edit as Enter does, or closes the box of a cell left as it was;
    // false when a check failed and the box stays open.
    bool end_edit();
    // Gives the box the keys typed next.
    void focus_edit_box();
    // Hides the box; the focus it had goes to the grid, never to a button.
    void hide_edit_box();
    HoverButtons* hover_ = nullptr;
    bool closing_ = false;
};

// The company groups (カンパニー): ids and routes, stored upper-cased.
class company : public grid_editor {
    Q_OBJECT
public:
    explicit company(QWidget* parent = nullptr);

protected:
    std::optional<QString> checked_entry(int col, const QString& box_text) override;
    void Form_QueryUnload() override;

private:
    void Form_Load();
};

}  // namespace kolde_sub
