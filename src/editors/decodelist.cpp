#include "editors/decodelist.h"

#include "core/database.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"
#include "editors/editor_kit.h"
#include "platform/msg_box.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

namespace kolde_sub {

namespace {

const QString code_column = QStringLiteral("ICAOコード");
const QString name_column = QStringLiteral("飛行場名");
constexpr int code_role = Qt::UserRole;
constexpr int name_role = Qt::UserRole + 1;
// Rows that fill the list from top to bottom.
constexpr int rows_filling_list = 14;
constexpr int list_left = 4080, list_top = 720, list_width = 3015, list_height = 3375;

class FrozenGrid {
public:
    explicit FrozenGrid(QTableWidget* grid) : grid_(grid) { grid_->setUpdatesEnabled(false); }
    ~FrozenGrid() { grid_->setUpdatesEnabled(true); }
    FrozenGrid(const FrozenGrid&) = delete;
    FrozenGrid& operator=(const FrozenGrid&) = delete;

private:
    QTableWidget* grid_;
};

void paint_all_plain(QTableWidget* grid)
{
    FrozenGrid frozen(grid);
    for (int r = 0; r < grid->rowCount(); ++r)
        paint_row(grid, r, false);
}

}  // namespace

QString decode_list_line(const QString& code, const QString& name)
{
    return u' ' + code + QStringLiteral("   ") + name;
}

decodelist::decodelist(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("decodelist"));
    setWindowTitle(QStringLiteral(" 自動デコード"));
    setModal(true);
    setFixedSize(px(8325), px(4290));

    const int grid_left[2] = {120, list_left};
    for (int i = 0; i < 2; ++i) {
        grid[i] = new QTableWidget(0, 1, this);
        grid[i]->setObjectName(QStringLiteral("grid_%1").arg(i));
        grid[i]->setGeometry(px(grid_left[i]), px(list_top), px(list_width), px(list_height));
        grid[i]->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid[i]->setSelectionMode(QAbstractItemView::NoSelection);
        grid[i]->horizontalHeader()->hide();
        grid[i]->verticalHeader()->hide();
        grid[i]->verticalHeader()->setMinimumSectionSize(1);
        grid[i]->verticalHeader()->setDefaultSectionSize(px(240));
        grid[i]->setColumnWidth(0, px(3000));
        connect(grid[i], &QTableWidget::cellClicked, this, [this, i](int r, int) { grid_Click(i, r); });
    }
    grid[1]->setToolTip(QStringLiteral(" このリストにある飛行場のデータを自動的に取得します "));

    Frame = new QFrame(this);
    Frame->setObjectName(QStringLiteral("Frame"));
    Frame->setFrameShape(QFrame::NoFrame);
    Frame->setAutoFillBackground(true);
    QPalette white = Frame->palette();
    white.setColor(QPalette::Window, Qt::white);
    Frame->setPalette(white);
    Frame->hide();

    const struct {
        int left, top, width, height;
        const char* tip;
        QStyle::StandardPixmap face;
    } buttons[5] = {{3360, 1800, 495, 495, " 自動デコードリストへ追加 ", QStyle::SP_ArrowRight},
                    {3360, 2400, 495, 495, " 自動デコードリストから削除 ", QStyle::SP_ArrowLeft},
                    {7470, 1800, 495, 495, " 一つ上へ移動 ", QStyle::SP_ArrowUp},
                    {7470, 2400, 495, 495, " 一つ下へ移動 ", QStyle::SP_ArrowDown},
                    {7200, 180, 975, 375, " 閉じる ", QStyle::SP_CustomBase}};
    for (int i = 0; i < 5; ++i) {
        const auto& b = buttons[i];
        cmd[i] = new QPushButton(this);
        cmd[i]->setObjectName(QStringLiteral("cmd_%1").arg(i));
        cmd[i]->setToolTip(QString::fromUtf8(b.tip));
        cmd[i]->setGeometry(px(b.left), px(b.top), px(b.width), px(b.height));
        if (b.face != QStyle::SP_CustomBase)
            cmd[i]->setIcon(style()->standardIcon(b.face));
        cmd[i]->setEnabled(i == 4);
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    cmd[4]->setText(QStringLiteral("閉じる"));

    // The headings above the grids; the button captions above the upper and
    // below the lower button of each pair.
    const struct {
        int left, top, width;
        const char* text;
    } labels[6] = {{120, 480, 3015, "飛行場リスト"},  {list_left, 480, list_width, "自動デコードリスト"},
                   {3135, 1545, 945, "登録"},         {3135, 2910, 945, "削除"},
                   {7140, 1545, 1155, "上へ移動"},    {7140, 2910, 1155, "下へ移動"}};
    for (int i = 0; i < 6; ++i) {
        lbl[i] = new QLabel(QString::fromUtf8(labels[i].text), this);
        lbl[i]->setObjectName(QStringLiteral("lbl_%1").arg(i));
        lbl[i]->setGeometry(px(labels[i].left), px(labels[i].top), px(labels[i].width), px(240));
        if (i >= 2)
            lbl[i]->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    }

    no_default_buttons(this);
    hover = new HoverButtons({cmd[0], cmd[1], cmd[2], cmd[3], cmd[4]}, {this, grid[0], grid[1]});

    Form_Load();
}

QString decodelist::line(int index, int row) const
{
    const QTableWidgetItem* item = grid[index]->item(row, 0);
    return item ? item->text() : QString();
}

QString decodelist::code(int index, int row) const
{
    const QTableWidgetItem* item = grid[index]->item(row, 0);
    return item ? item->data(code_role).toString() : QString();
}

QString decodelist::name(int index, int row) const
{
    const QTableWidgetItem* item = grid[index]->item(row, 0);
    return item ? item->data(name_role).toString() : QString();
}

void decodelist::append_row(int index, const QString& code, const QString& name)
{
    QTableWidget* g = grid[index];
    const int r = g->rowCount();
    g->insertRow(r);
    auto* item = new QTableWidgetItem(decode_list_line(code, name));
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    item->setData(code_role, code);
    item->setData(name_role, name);
    g->setItem(r, 0, item);
    paint_row(g, r, false);
}

void decodelist::copy_row(int index, int from, int to)
{
    QTableWidgetItem* source = grid[index]->item(from, 0);
    QTableWidgetItem* target = grid[index]->item(to, 0);
    if (!source || !target)
        return;
    target->setText(source->text());
    target->setData(code_role, source->data(code_role));
    target->setData(name_role, source->data(name_role));
}

void decodelist::Form_Load()
{
    postpone_next_cycle();
    platform::Recordset* sources[2] = {&rs_airport(), &rs_autodecode()};
    for (int i = 0; i < 2; ++i) {
        platform::Recordset& rs = *sources[i];
        FrozenGrid frozen(grid[i]);
        if (rs.record_count() == 0)
            continue;
        for (rs.move_first(); !rs.eof(); rs.move_next())
            append_row(i, rs.field(code_column).to_text(), rs.field(name_column).to_text());
    }
    layout_frame();
}

void decodelist::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    cmd[4]->setFocus();
}

void decodelist::layout_frame()
{
    const int rows = grid[1]->rowCount();
    if (rows < 1 || rows >= rows_filling_list) {
        Frame->hide();
        return;
    }
    const QRect list = grid[1]->geometry();
    const int top = list.top() + grid[1]->frameWidth() + rows * grid[1]->rowHeight(0);
    const int height = list.bottom() - grid[1]->frameWidth() - top;
    if (height <= 0) {
        Frame->hide();
        return;
    }
    Frame->setGeometry(px(list_left + 15), top, px(list_width - 25), height);
    Frame->raise();
    Frame->show();
}

void decodelist::grid_Click(int index, int row)
{
    if (index < 0 || index > 1 || row < 0 || row >= grid[index]->rowCount())
        return;
    {
        FrozenGrid frozen(grid[index]);
        paint_all_plain(grid[index]);
        paint_row(grid[index], row, true);
    }
    if (index == 0) {
        selected_airport_row = row;
        cmd[0]->setEnabled(true);
        cmd[1]->setEnabled(false);
        cmd[2]->setEnabled(false);
        cmd[3]->setEnabled(false);
    } else {
        selected_list_row = row;
        cmd[0]->setEnabled(false);
        cmd[1]->setEnabled(true);
        update_move_buttons();
    }
    // Only one grid shows a selection.
    paint_all_plain(grid[1 - index]);
}

void decodelist::update_move_buttons()
{
    cmd[2]->setEnabled(selected_list_row >= 1);
    cmd[3]->setEnabled(selected_list_row < grid[1]->rowCount() - 1);
}

void decodelist::cmd_Click(int index)
{
    switch (index) {
    case 0:
        add_entry();
        return;
    case 1:
        remove_entry();
        return;
    case 2:
        move_entry(-1);
        return;
    case 3:
        move_entry(1);
        return;
    case 4:
        reject();
        return;
    default:
        return;
    }
}

void decodelist::add_entry()
{
    const int a = selected_airport_row;
    if (a < 0 || a >= grid[0]->rowCount())
        return;
    const QString candidate = line(0, a);
    for (int r = 0; r < grid[1]->rowCount(); ++r) {
        if (line(1, r) == candidate) {
            platform::msg_box(this, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                              candidate + QStringLiteral(" はすでに選択されています　　"));
            return;
        }
    }
    append_row(1, code(0, a), name(0, a));
    cmd[0]->setEnabled(false);
    cmd[1]->setEnabled(false);
    layout_frame();
}

void decodelist::remove_entry()
{
    const int rows = grid[1]->rowCount();
    if (selected_list_row < 0 || selected_list_row >= rows)
        return;
    {
        FrozenGrid frozen(grid[1]);
        for (int r = selected_list_row; r < rows - 1; ++r)
            copy_row(1, r + 1, r);
        grid[1]->removeRow(rows - 1);
    }
    paint_all_plain(grid[1]);
    cmd[0]->setEnabled(false);
    cmd[1]->setEnabled(false);
    layout_frame();
}

void decodelist::move_entry(int step)
{
    const int rows = grid[1]->rowCount();
    const int to = selected_list_row + step;
    // The selected entry must still exist (a removal can take it away).
    if (selected_list_row < rows && to >= 0 && to < rows) {
        FrozenGrid frozen(grid[1]);
        QTableWidgetItem* moved = grid[1]->takeItem(selected_list_row, 0);
        grid[1]->setItem(selected_list_row, 0, grid[1]->takeItem(to, 0));
        grid[1]->setItem(to, 0, moved);
        paint_row(grid[1], selected_list_row, false);
        paint_row(grid[1], to, true);
        selected_list_row = to;
    }
    update_move_buttons();
    layout_frame();
}

void decodelist::save()
{
    QList<QList<platform::Value>> rows;
    for (int r = 0; r < grid[1]->rowCount(); ++r)
        rows.append({platform::Value(r + 1), trim_blanks(code(1, r)), trim_blanks(name(1, r))});
    if (!save_editor_list(this, rs_autodecode(), QStringLiteral("自動デコード"), {code_column, name_column}, rows))
        return;
    // An empty list leaves nothing to decode automatically.
    if (rows.isEmpty())
        set_setting(key::auto_decode, platform::Value::boolean(false));
}

void decodelist::done(int result)
{
    if (!saved_) {
        saved_ = true;
        save();
    }
    QDialog::done(result);
}

}  // namespace kolde_sub
