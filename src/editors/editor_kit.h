// Pieces the list and dictionary editors share: the hover painting of their
// buttons, the painting of a grid row as plain or selected, code fields that
// type upper case, buttons that Enter does not press, and the list save.
#pragma once

#include "platform/store.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace kolde_sub {

// The buttons of one window: the button under the mouse is painted grey,
// the others in the button face; hover() is 99 while the mouse is over
// none of them. Mouse moves over the buttons and over the given background
// widgets (the window itself, a grid) drive it.
class HoverButtons : public QObject {
    Q_OBJECT
public:
    static constexpr int none = 99;

    HoverButtons(QList<QAbstractButton*> buttons, QList<QWidget*> background);

    int hover() const { return hover_; }
    // The mouse moved over button i / over the background.
    void over_button(int i);
    void over_background();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paint_all_plain();

    QList<QAbstractButton*> buttons_;
    QList<QWidget*> background_;
    int hover_ = none;
};

// Paints both cells of a grid row: black on white, or the highlight colours
// when selected. Rows or columns out of range are left alone.
void paint_row(QTableWidget* grid, int row, bool selected);
bool row_painted_selected(const QTableWidget* grid, int row);

// A code field: what is typed arrives in upper case, and while the field
// has the focus its input method is off and Caps Lock on (off again when
// the focus leaves).
void make_code_field(QLineEdit* field);

// Turns off the default and auto-default of every push button of window,
// so that Enter in an edit box presses none of them.
void no_default_buttons(QWidget* window);

// Replaces the rows of rs's table in one transaction (each row's first
// value is its 順位) and reopens rs. On failure the table and rs keep what
// they held and the user is told in a message box over parent.
bool save_editor_list(QWidget* parent, platform::Recordset& rs, const QStringList& other_columns,
                      const QList<QList<platform::Value>>& ranked_rows);

}  // namespace kolde_sub
