#include "editors/editor_kit.h"

#include "core/database.h"
#include "core/shared.h"
#include "platform/msg_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTableWidget>

namespace kolde_sub {

namespace {

// Keeps a code field's text in upper case without moving the caret.
void upper_case_text(QLineEdit* field)
{
    const QString text = field->text();
    const QString upper = text.toUpper();
    if (upper == text)
        return;
    const int caret = field->cursorPosition();
    field->setText(upper);
    field->setCursorPosition(caret);
}

class CodeFieldFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* w = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusIn) {
            ime_set_open(w, false);
            caps_lock_on();
        } else if (event->type() == QEvent::FocusOut) {
            caps_lock_off();
        }
        return false;
    }
};

}  // namespace

void paint_row(QTableWidget* grid, int row, bool selected)
{
    if (!grid || row < 0 || row >= grid->rowCount())
        return;
    const QPalette& p = grid->palette();
    const QColor fore = selected ? p.color(QPalette::HighlightedText) : QColor(Qt::black);
    const QColor back = selected ? p.color(QPalette::Highlight) : QColor(Qt::white);
    for (int c = 0; c < grid->columnCount(); ++c) {
        QTableWidgetItem* item = grid->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            grid->setItem(row, c, item);
        }
        item->setForeground(fore);
        item->setBackground(back);
    }
}

bool row_painted_selected(const QTableWidget* grid, int row)
{
    if (!grid || row < 0 || row >= grid->rowCount() || grid->columnCount() == 0)
        return false;
    const QTableWidgetItem* item = grid->item(row, 0);
    return item && item->background().color() == grid->palette().color(QPalette::Highlight);
}

std::optional<GridCell> neighbour_cell(GridCell at, int rows, int cols, bool forward)
{
    if (at.row < 0 || at.row >= rows || at.col < 0 || at.col >= cols)
        return std::nullopt;
    const long long next = static_cast<long long>(at.row) * cols + at.col + (forward ? 1 : -1);
    if (next < 0 || next >= static_cast<long long>(rows) * cols)
        return std::nullopt;
    return GridCell{static_cast<int>(next / cols), static_cast<int>(next % cols)};
}

void make_code_field(QLineEdit* field)
{
    QObject::connect(field, &QLineEdit::textEdited, field, [field] { upper_case_text(field); });
    field->installEventFilter(new CodeFieldFocus(field));
}

void no_default_buttons(QWidget* window)
{
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
        b->setDefault(false);
        b->setAutoDefault(false);
    }
}

bool save_editor_list(QWidget* parent, platform::Recordset& rs, const QString& table,
                      const QStringList& other_columns, const QList<QList<platform::Value>>& ranked_rows)
{
    if (save_ranked_list(rs, other_columns, ranked_rows))
        return true;
    platform::msg_box(parent, platform::MsgIcon::Critical, QStringLiteral(" エラー"),
                      table + QStringLiteral(" を保存できませんでした。変更は保存されていません　　"));
    return false;
}

}  // namespace kolde_sub
