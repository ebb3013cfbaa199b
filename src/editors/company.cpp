#include "editors/company.h"

#include "core/database.h"
#include "core/program.h"
#include "core/shared.h"
#include "core/twips.h"
#include "editors/editor_kit.h"
#include "platform/msg_box.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>

namespace kolde_sub {

namespace {

constexpr int row_height = 225;  // twips
constexpr int grid_left = 120;
constexpr int grid_top = 360;
constexpr int rows_that_fit = 23;

const QString check_title = QStringLiteral(" 確認");

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

// A column heading standing on the grid's top edge, in the grid's font and
// at least as high as that font needs.
QLabel* heading(QWidget* parent, const QFont& font, const QString& text, int left, int top, int width, int height)
{
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    const int fitting = QFontMetrics(font).height() + 2 * l->frameWidth();
    const int bottom = px(top + height);
    const int tall = qMax(px(height), fitting);
    l->setGeometry(px(left), qMax(bottom - tall, 0), px(width), tall);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, bgr_color(0xE0E0E0));
    l->setPalette(p);
    return l;
}

QLabel* side_label(QWidget* parent, const QString& text, int left, int top, int width, int height)
{
    auto* l = new QLabel(text, parent);
    place(l, left, top, width, height);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setPixelSize(px(height) - 1);
    l->setFont(f);
    return l;
}

}  // namespace

// ------------------------------------------------------------ rules

bool route_rule_ok(const QString& route)
{
    const qsizetype n = route.size();
    if (n < 4 || (n - 4) % 5 != 0)
        return false;
    for (qsizetype i = 1; i <= n; ++i) {
        const char16_t c = route.at(i - 1).unicode();
        if (i % 5 == 0) {
            if (c != u' ')
                return false;
        } else if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) {
            return false;
        }
    }
    return true;
}

int find_key_row(const QList<GridRow>& rows, const QString& key)
{
    const QString wanted = trim_blanks(key).toUpper();
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (trim_blanks(rows[r].first).toUpper() == wanted)
            return static_cast<int>(r);
    }
    return -1;
}

QList<QList<platform::Value>> ranked_rows_to_save(const QList<GridRow>& rows, bool upper_case)
{
    QList<QList<platform::Value>> kept;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        // A cell of blanks only counts as filled; it is stored empty.
        if (rows[r].first.isEmpty() || rows[r].second.isEmpty())
            continue;
        QString first = trim_blanks(rows[r].first);
        QString second = trim_blanks(rows[r].second);
        if (upper_case) {
            first = first.toUpper();
            second = second.toUpper();
        }
        kept.append({platform::Value(static_cast<int>(r + 1)), platform::Value(first), platform::Value(second)});
    }
    return kept;
}

// ------------------------------------------------------------ the grid window

grid_editor::grid_editor(const QString& name, const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(px(8460), px(5655));

    const QFont grid_font(QStringLiteral("ＭＳ Ｐゴシック"));
    lbl[2] = heading(this, grid_font, QStringLiteral("グループID"), 150, 165, 1455, 195);
    lbl[3] = heading(this, grid_font, QStringLiteral("グループリスト"), 1650, 165, 5415, 195);
    lbl[0] = side_label(this, QStringLiteral("上へ移動"), 7440, 1950, 720, 180);
    lbl[1] = side_label(this, QStringLiteral("下へ移動"), 7440, 3435, 720, 180);

    grid = new QTableWidget(0, 2, this);
    grid->setObjectName(QStringLiteral("grid"));
    place(grid, grid_left, grid_top, 6975, 5175);
    grid->setFont(grid_font);
    grid->setToolTip(QStringLiteral(" 右クリックで編集メニューを表示 "));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(px(row_height));
    grid->verticalHeader()->setDefaultSectionSize(px(row_height));
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setColumnWidth(0, px(1500));
    grid->setColumnWidth(1, px(5460));
    // Making a row current does not scroll the grid: it opens at its first
    // row, and only 新規 and the move buttons bring a row into view.
    grid->setAutoScroll(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A press on the grid leaves the focus where it is, so an edit still
    // open stays open for the press to commit (grid_MouseDown gives the grid
    // the focus itself).
    grid->setFocusPolicy(Qt::TabFocus);
    grid->viewport()->installEventFilter(this);

    // The box lies in the grid's viewport: the grid clips it, and a scroll
    // moves it with its cell.
    txt = new QLineEdit(grid->viewport());
    txt->setObjectName(QStringLiteral("txt"));
    txt->setToolTip(QStringLiteral(" リターンキーで確定 "));
    txt->setFrame(false);
    txt->hide();
    txt->installEventFilter(this);
    connect(txt, &QLineEdit::returnPressed, this, [this] { txt_KeyPress(13); });
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!txt->isHidden())
            fit_edit_box();
    });

    cmd[0] = new QPushButton(QStringLiteral("閉じる"), this);
    place(cmd[0], 7290, 120, 975, 375);
    cmd[1] = new QPushButton(this);
    place(cmd[1], 7560, 2220, 495, 495);
    cmd[1]->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmd[1]->setToolTip(QStringLiteral(" 上へ移動 "));
    cmd[2] = new QPushButton(this);
    place(cmd[2], 7560, 2820, 495, 495);
    cmd[2]->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmd[2]->setToolTip(QStringLiteral(" 下へ移動 "));
    for (int i = 0; i < 3; ++i) {
        cmd[i]->setObjectName(QStringLiteral("cmd%1").arg(i));
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    cmd[1]->setEnabled(false);
    cmd[2]->setEnabled(false);
    no_default_buttons(this);
    hover_ = new HoverButtons({cmd[0], cmd[1], cmd[2]}, {this, grid->viewport()});

    menu = new QMenu(QStringLiteral("メニュー"), this);
    menu->setObjectName(QStringLiteral("menu"));
    menu_new = menu->addAction(QStringLiteral("新規"));
    menu->addSeparator();
    menu_edit = menu->addAction(QStringLiteral("編集"));
    menu->addSeparator();
    menu_del = menu->addAction(QStringLiteral("削除"));
    connect(menu_new, &QAction::triggered, this, &grid_editor::menu_new_Click);
    connect(menu_edit, &QAction::triggered, this, &grid_editor::menu_edit_Click);
    connect(menu_del, &QAction::triggered, this, &grid_editor::menu_del_Click);

    // Loading a list editor puts the next automatic cycle a full period away.
    postpone_next_cycle();
}

int grid_editor::hover_button() const { return hover_->hover(); }

void grid_editor::fill(const QList<GridRow>& rows)
{
    grid->setUpdatesEnabled(false);
    grid->setRowCount(0);
    for (const GridRow& row : rows) {
        const int r = grid->rowCount();
        grid->insertRow(r);
        grid->setItem(r, 0, new QTableWidgetItem(row.first));
        grid->setItem(r, 1, new QTableWidgetItem(row.second));
        paint_row(grid, r, false);
        grid->setCurrentCell(r, 0);
    }
    grid->setUpdatesEnabled(true);
}

bool grid_editor::row_exists(int row) const { return row >= 0 && row < grid->rowCount(); }

QString grid_editor::cell_text(int row, int col) const
{
    const QTableWidgetItem* item = grid->item(row, col);
    return item ? item->text() : QString();
}

QList<GridRow> grid_editor::grid_rows() const
{
    QList<GridRow> rows;
    for (int r = 0; r < grid->rowCount(); ++r)
        rows.append({cell_text(r, 0), cell_text(r, 1)});
    return rows;
}

void grid_editor::paint_all_plain()
{
    for (int r = 0; r < grid->rowCount(); ++r)
        paint_row(grid, r, false);
}

// An edit still open is committed first, with its checks; when one fails
// the click goes no further: the box keeps its text and the keys.
void grid_editor::grid_MouseDown(Qt::MouseButton button, const QPoint& global_pos, bool on_cell)
{
    if (!end_edit()) {
        focus_edit_box();
        return;
    }
    grid->setFocus(Qt::MouseFocusReason);
    // Off the cells the right button leaves the selection to its menu.
    if (button != Qt::RightButton || on_cell)
        select_current_cell();
    if (button == Qt::RightButton) {
        const bool on_row = grid->rowCount() > 0 && selected_row >= 0;
        menu_edit->setEnabled(on_row);
        menu_del->setEnabled(on_row);
        menu->popup(global_pos);
    }
}

void grid_editor::select_current_cell()
{
    if (grid->rowCount() == 0 || grid->currentRow() < 0)
        return;
    grid->setUpdatesEnabled(false);
    selected_row = grid->currentRow();
    selected_col = qMax(grid->currentColumn(), 0);
    paint_all_plain();
    paint_row(grid, selected_row, true);
    cmd[1]->setEnabled(true);
    cmd[2]->setEnabled(true);
    update_move_buttons();
    place_edit_box();
    grid->setUpdatesEnabled(true);
    row_selected();
}

void grid_editor::grid_DblClick() { begin_edit(); }
void grid_editor::menu_edit_Click() { begin_edit(); }

void grid_editor::place_edit_box()
{
    fit_edit_box();
    txt->setText(cell_text(selected_row, selected_col));
}

void grid_editor::fit_edit_box()
{
    const int first_visible = qMax(grid->rowAt(0), 0);
    int left = grid_left + 60;
    int width = 1440;
    if (selected_col == 1) {
        left = grid_left + 1560;
        // From 23 rows on the vertical scroll bar takes the rest.
        width = grid->rowCount() < rows_that_fit ? 5400 : 5150;
    }
    const int top = grid_top + (selected_row - first_visible) * row_height + 30;
    const QPoint at = grid->viewport()->mapFrom(this, QPoint(px(left), px(top)));
    txt->setGeometry(QRect(at, QSize(px(width), px(row_height - 30))));
}

// The box is always loaded afresh from the selected cell, so an edit begun
// after a delete or a move shows (and commits to) the row that is selected
// now; without a selected row nothing happens.
void grid_editor::begin_edit()
{
    if (!row_exists(selected_row))
        return;
    place_edit_box();
    grid->setUpdatesEnabled(false);
    paint_row(grid, selected_row, false);
    grid->setUpdatesEnabled(true);
    txt->show();
    txt->raise();
    txt->selectAll();
    focus_edit_box();
}

void grid_editor::focus_edit_box()
{
    txt->setFocus();
    // A window that is not active (a message box has just closed over it)
    // hears of no focus change, yet the box takes the keys typed next: the
    // keyboard is set for the box's column all the same.
    if (!txt->hasFocus())
        txt_GotFocus();
}

void grid_editor::menu_new_Click()
{
    grid->setUpdatesEnabled(false);
    const int r = grid->rowCount();
    grid->insertRow(r);
    grid->setItem(r, 0, new QTableWidgetItem);
    grid->setItem(r, 1, new QTableWidgetItem);
    grid->setCurrentCell(r, 0);
    selected_row = r;
    paint_all_plain();
    paint_row(grid, r, true);
    grid->setUpdatesEnabled(true);
    cmd[1]->setEnabled(true);
    cmd[2]->setEnabled(true);
    grid->scrollToItem(grid->item(r, 0), QAbstractItemView::PositionAtTop);
    update_move_buttons();
    selected_col = 0;
    place_edit_box();
    begin_edit();
}

void grid_editor::menu_del_Click()
{
    const int r = selected_row;
    if (!row_exists(r))
        return;
    const QString key = cell_text(r, 0);
    if (!key.isEmpty()
        && platform::msg_box(this, platform::MsgIcon::Question, check_title,
                             key + QStringLiteral(" を削除しますか？　　"), platform::MsgButtons::YesNo)
               != platform::MsgAnswer::Yes)
        return;
    hide_edit_box();
    grid->setUpdatesEnabled(false);
    // The texts move up; the colours stay with the row positions.
    for (int i = r; i < grid->rowCount() - 1; ++i) {
        for (int c = 0; c < 2; ++c)
            grid->item(i, c)->setText(cell_text(i + 1, c));
    }
    grid->removeRow(grid->rowCount() - 1);
    if (row_exists(selected_row))
        grid->setCurrentCell(selected_row, selected_col);
    else
        grid->setCurrentCell(-1, -1);
    grid->setUpdatesEnabled(true);
    cmd[1]->setEnabled(false);
    cmd[2]->setEnabled(false);
}

void grid_editor::cmd_Click(int index)
{
    if (index == 0) {
        close();
        return;
    }
    const int neighbour = index == 1 ? selected_row - 1 : selected_row + 1;
    if ((index == 1 || index == 2) && row_exists(selected_row) && row_exists(neighbour)) {
        grid->setUpdatesEnabled(false);
        for (int c = 0; c < 2; ++c) {
            const QString here = cell_text(selected_row, c);
            grid->item(selected_row, c)->setText(cell_text(neighbour, c));
            grid->item(neighbour, c)->setText(here);
        }
        paint_row(grid, selected_row, false);
        paint_row(grid, neighbour, true);
        selected_row = neighbour;
        grid->setCurrentCell(selected_row, selected_col);
        grid->scrollToItem(grid->item(selected_row, 0));
        grid->setUpdatesEnabled(true);
    }
    update_move_buttons();
}

void grid_editor::update_move_buttons()
{
    const bool selected = row_exists(selected_row);
    cmd[1]->setEnabled(selected && selected_row >= 1);
    cmd[2]->setEnabled(selected && selected_row < grid->rowCount() - 1);
}

void grid_editor::txt_KeyPress(int key_ascii)
{
    if (key_ascii == 13)
        (void)commit_edit_box();
}

bool grid_editor::commit_edit_box()
{
    if (!row_exists(selected_row) || txt->isHidden()) {
        hide_edit_box();
        return false;
    }
    const std::optional<QString> entry = checked_entry(selected_col, txt->text());
    if (!entry) {
        txt->selectAll();
        return false;
    }
    QTableWidgetItem* item = grid->item(selected_row, selected_col);
    item->setText(*entry);
    item->setForeground(Qt::black);
    hide_edit_box();
    return true;
}

// A cell left as it was is passed without a check: its own id would count
// as taken.
bool grid_editor::end_edit()
{
    if (row_exists(selected_row) && !txt->isHidden() && txt->text() != cell_text(selected_row, selected_col))
        return commit_edit_box();
    hide_edit_box();
    return true;
}

// Past the last cell (or before the first) the box stays closed.
void grid_editor::txt_Tab(bool forward)
{
    if (!end_edit())
        return;
    const std::optional<GridCell> next = neighbour_cell({selected_row, selected_col}, grid->rowCount(), 2, forward);
    if (!next)
        return;
    grid->setCurrentCell(next->row, next->col);
    select_current_cell();
    grid->scrollToItem(grid->item(next->row, next->col));
    begin_edit();
}

void grid_editor::hide_edit_box()
{
    if (txt->hasFocus())
        grid->setFocus(Qt::OtherFocusReason);
    txt->hide();
}

// A press on 閉じる takes the focus first: the box stays open for the close
// to commit.
void grid_editor::txt_LostFocus()
{
    if (QApplication::focusWidget() != cmd[0])
        txt->hide();
}

// An edit still open is committed with its checks, as Enter commits it (a
// cell left as it was needs none); when a check fails the window stays open,
// the check has said why, and the box has the keys again (a press on 閉じる
// took them), so what is typed next corrects the entry, as after Enter.
void grid_editor::closeEvent(QCloseEvent* e)
{
    if (!closing_) {
        if (!end_edit()) {
            focus_edit_box();
            e->ignore();
            return;
        }
        closing_ = true;
        Form_QueryUnload();
    }
    QDialog::closeEvent(e);
}

// Esc does not close the window: only 閉じる and the close box do, and
// both store the grid.
void grid_editor::reject()
{
    if (closing_)
        QDialog::reject();
}

bool grid_editor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid->viewport()) {
        // The second column takes what the first and the vertical scroll
        // bar leave, so the grid never scrolls sideways.
        if (event->type() == QEvent::Resize)
            grid->setColumnWidth(1, qMax(grid->viewport()->width() - grid->columnWidth(0), 0));
        if (event->type() == QEvent::MouseButtonPress) {
            auto* me = static_cast<QMouseEvent*>(event);
            const QModelIndex at = grid->indexAt(me->position().toPoint());
            if (at.isValid())
                grid->setCurrentCell(at.row(), at.column());
            grid_MouseDown(me->button(), me->globalPosition().toPoint(), at.isValid());
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            // A box still open is one its press could not commit.
            if (txt->isHidden())
                grid_DblClick();
            return true;
        }
    } else if (watched == txt) {
        if (event->type() == QEvent::FocusIn) {
            txt_GotFocus();
        } else if (event->type() == QEvent::KeyPress) {
            // Tab and Shift+Tab move the edit through the cells, never the
            // focus on to a button that the next blank would press.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                txt_Tab(key == Qt::Key_Tab);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // A message box over the window or a pop-up leaves the edit open.
            const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
            if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason)
                txt_LostFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ------------------------------------------------------------ company

company::company(QWidget* parent)
    : grid_editor(QStringLiteral("company"), QStringLiteral(" グループ編集"), parent)
{
    make_code_field(txt);
    Form_Load();
}

void company::Form_Load()
{
    QList<GridRow> rows;
    platform::Recordset& rs = rs_company();
    if (rs.record_count() > 0) {
        for (rs.move_first(); !rs.eof(); rs.move_next())
            rows.append({rs.field(QStringLiteral("id")).to_text(), rs.field(QStringLiteral("route")).to_text()});
    }
    fill(rows);
    menu_del->setEnabled(!rows.isEmpty());
}

std::optional<QString> company::checked_entry(int col, const QString& box_text)
{
    const QString t = trim_blanks(box_text).toUpper();
    if (col == 0) {
        if (find_key_row(grid_rows(), t) >= 0) {
            platform::msg_box(this, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                              t + QStringLiteral(" はすでに登録されています　　"));
            return std::nullopt;
        }
    } else if (!route_rule_ok(t)) {
        platform::msg_box(this, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                          QStringLiteral("入力規則を確認してください　　"));
        return std::nullopt;
    }
    return t;
}

void company::Form_QueryUnload()
{
    save_editor_list(this, rs_company(), QStringLiteral("カンパニー"),
                     {QStringLiteral("id"), QStringLiteral("route")}, ranked_rows_to_save(grid_rows(), true));
    caps_lock_off();
}

}  // namespace kolde_sub
