// Pieces the list and dictionary editors share: the hover painting of their
// buttons, the painting of a grid row as plain or selected, the cell Tab
// moves an edit to, code fields that type upper case, buttons that Enter
// does not press, and the list save.
#pragma once

#include "core/hover_buttons.h"
#include "platform/store.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QAbstractButton;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace kolde_sub {

// Paints both cells of a grid row: black on white, or the highlight colours
// when selected. Rows or columns out of range are left alone.
void paint_row(QTableWidget* grid, int row, bool selected);
bool row_painted_selected(const QTableWidget* grid, int row);

// A cell of a grid.
struct GridCell {
    int row = 0;
    int col = 0;
};

// The cell Tab (forward) or Shift+Tab moves an edit to from cell at in a
// grid of rows × cols, read row by row; nothing past the last cell or
// before the first, nor from a cell outside the grid.
[[nodiscard]] std::optional<GridCell> neighbour_cell(GridCell at, int rows, int cols, bool forward);

// A code field: what is typed arrives in upper case, and while the field
// has the focus its input method is off and Caps Lock on (off again when
// the focus leaves).
void make_code_field(QLineEdit* field);

// Turns off the default and auto-default of every push button of window,
// so that Enter in an edit box presses none of them.
void no_default_buttons(QWidget* window);

// Replaces the rows of rs's table in one transaction (each row's first
// value is its 順位) and reopens rs. On failure the table and rs keep what
// they held and the user is told, in a message box over parent that names
// table (rs may not know its table: the store may not be open).
bool save_editor_list(QWidget* parent, platform::Recordset& rs, const QString& table,
                      const QStringList& other_columns, const QList<QList<platform::Value>>& ranked_rows);

}  // namespace kolde_sub
