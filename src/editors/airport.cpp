#include "editors/airport.h"

#include "core/database.h"
#include "core/program.h"
#include "core/shared.h"
#include "core/twips.h"
#include "editors/airportedit.h"
#include "editors/editor_kit.h"
#include "platform/msg_box.h"
#include "platform/wait.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

namespace kolde_sub {

namespace {

const QString code_column = QStringLiteral("ICAOコード");
const QString name_column = QStringLiteral("飛行場名");
constexpr Qt::Alignment cell_alignment = Qt::AlignHCenter | Qt::AlignTop;

// Suspends a grid's drawing while its rows are changed.
class FrozenGrid {
public:
    explicit FrozenGrid(QTableWidget* grid) : grid_(grid) { grid_->setUpdatesEnabled(false); }
    ~FrozenGrid() { grid_->setUpdatesEnabled(true); }
    FrozenGrid(const FrozenGrid&) = delete;
    FrozenGrid& operator=(const FrozenGrid&) = delete;

private:
    QTableWidget* grid_;
};

}  // namespace

airport::airport(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("airport"));
    setWindowTitle(QStringLiteral(" 飛行場リスト"));
    setModal(true);
    setFixedSize(px(4950), px(4455));

    const struct {
        int left, top, width, height;
        const char* caption;
        const char* tip;
    } buttons[6] = {{3765, 180, 1065, 375, "閉じる", " 閉じる "},
                    {120, 180, 1095, 375, "追  加", " 情報を追加 "},
                    {1320, 180, 1095, 375, "削  除", " 選択した情報を削除 "},
                    {2520, 180, 1095, 375, "修  正", " 選択した情報を修正 "},
                    {3960, 1920, 495, 495, "", " 一つ上へ移動 "},
                    {3960, 2520, 495, 495, "", " 一つ下へ移動 "}};
    for (int i = 0; i < 6; ++i) {
        const auto& b = buttons[i];
        cmd[i] = new QPushButton(QString::fromUtf8(b.caption), this);
        cmd[i]->setObjectName(QStringLiteral("cmd_%1").arg(i));
        cmd[i]->setToolTip(QString::fromUtf8(b.tip));
        cmd[i]->setGeometry(px(b.left), px(b.top), px(b.width), px(b.height));
        cmd[i]->setEnabled(i < 2);
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    cmd[4]->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmd[5]->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    const char* move_captions[2] = {"上へ移動", "下へ移動"};
    for (int i = 0; i < 2; ++i) {
        lbl[i] = new QLabel(QString::fromUtf8(move_captions[i]), this);
        lbl[i]->setObjectName(QStringLiteral("lbl_%1").arg(i));
        lbl[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        // The first stands above its button, the second below.
        const int top = i == 0 ? buttons[4].top - 270 : buttons[5].top + 510;
        lbl[i]->setGeometry(px(3555), px(top), px(1305), px(255));
    }

    grid = new QTableWidget(0, 2, this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setToolTip(QStringLiteral(" 登録された飛行場一覧 "));
    grid->setGeometry(px(120), px(720), px(3375), px(3615));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(px(240));
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->setHorizontalHeaderLabels({QStringLiteral("ICAOコード"), QStringLiteral("飛行場名称")});
    grid->horizontalHeader()->setDefaultAlignment(cell_alignment);
    grid->setColumnWidth(0, px(1300));
    grid->setColumnWidth(1, px(1810));
    connect(grid, &QTableWidget::cellClicked, this, [this](int r, int) { grid_Click(list_row(r)); });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this](int, int) { grid_DblClick(); });

    no_default_buttons(this);
    hover = new HoverButtons({cmd[0], cmd[1], cmd[2], cmd[3], cmd[4], cmd[5]}, {this, grid});

    Form_Load();
}

int airport::last_row() const { return grid->rowCount(); }

QString airport::code(int row) const
{
    const QTableWidgetItem* item = grid->item(grid_row(row), 0);
    return item ? item->text() : QString();
}

QString airport::name(int row) const
{
    const QTableWidgetItem* item = grid->item(grid_row(row), 1);
    return item ? item->text() : QString();
}

void airport::Form_Load()
{
    postpone_next_cycle();
    platform::Recordset& rs = rs_airport();
    if (rs.record_count() > 0) {
        FrozenGrid frozen(grid);
        for (rs.move_first(); !rs.eof(); rs.move_next()) {
            append_row();
            set_airport(last_row(), rs.field(code_column).to_text(), rs.field(name_column).to_text());
        }
    }
    grid->horizontalHeader()->setVisible(last_row() > 0);
    selected_row = 1;
}

void airport::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    cmd[0]->setFocus();
}

void airport::append_row()
{
    const int r = grid->rowCount();
    grid->insertRow(r);
    for (int c = 0; c < 2; ++c) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(cell_alignment);
        grid->setItem(r, c, item);
    }
    paint_row(grid, r, false);
    grid->horizontalHeader()->setVisible(true);
}

void airport::set_airport(int row, const QString& code, const QString& name)
{
    const int r = grid_row(row);
    if (r < 0 || r >= grid->rowCount())
        return;
    grid->item(r, 0)->setText(code);
    grid->item(r, 1)->setText(name);
}

void airport::cmd_Click(int index)
{
    switch (index) {
    case 0:
        reject();
        return;
    case 1:
        add_airport();
        return;
    case 2:
        delete_airport();
        return;
    case 3:
        modify_airport();
        return;
    case 4:
        move_airport(-1);
        return;
    case 5:
        move_airport(1);
        return;
    default:
        return;
    }
}

void airport::grid_Click(int row)
{
    if (row < 1 || row > last_row())
        return;
    if (selected_row > last_row())
        selected_row = last_row();
    {
        FrozenGrid frozen(grid);
        paint_row(grid, grid_row(selected_row), false);
        paint_row(grid, grid_row(row), true);
    }
    selected_row = row;
    cmd[2]->setEnabled(true);
    cmd[3]->setEnabled(true);
    update_move_buttons();
}

void airport::grid_DblClick()
{
    if (selected_row >= 1 && selected_row <= last_row())
        cmd_Click(3);
}

void airport::update_move_buttons()
{
    cmd[4]->setEnabled(selected_row >= 2);
    cmd[5]->setEnabled(selected_row < last_row());
}

void airport::add_airport()
{
    auto* dialog = new airportedit({add_airport_mode, {}, {}}, this);
    AirportEntry entry;
    if (!platform::exec_modal(dialog, [&](int) { entry = dialog->entry(); }) || entry.mode == cancel_mode)
        return;
    // Every airport moves down one row; the new one takes the head. The
    // colours stay on their rows, and so does the selection.
    FrozenGrid frozen(grid);
    append_row();
    for (int r = last_row(); r >= 2; --r)
        set_airport(r, code(r - 1), name(r - 1));
    set_airport(1, entry.code, entry.name);
    grid->scrollToTop();
}

void airport::delete_airport()
{
    const int r = selected_row;
    if (r < 1 || r > last_row())
        return;
    const QString question = code(r) + u' ' + name(r) + QStringLiteral(" を削除しますか？　　");
    if (platform::msg_box(this, platform::MsgIcon::Question, QStringLiteral(" 確認"), question,
                          platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    {
        FrozenGrid frozen(grid);
        for (int i = r; i < last_row(); ++i)
            set_airport(i, code(i + 1), name(i + 1));
        grid->removeRow(grid_row(last_row()));
    }
    grid->horizontalHeader()->setVisible(last_row() > 0);
    cmd[2]->setEnabled(false);
    cmd[3]->setEnabled(false);
}

void airport::modify_airport()
{
    const int r = selected_row;
    if (r < 1 || r > last_row())
        return;
    auto* dialog = new airportedit({modify_airport_mode, code(r), name(r)}, this);
    AirportEntry entry;
    if (!platform::exec_modal(dialog, [&](int) { entry = dialog->entry(); }) || entry.mode == cancel_mode)
        return;
    set_airport(r, entry.code, entry.name);
}

void airport::move_airport(int step)
{
    const int to = selected_row + step;
    // The selected row must still exist (a deletion can take it away).
    if (selected_row <= last_row() && to >= 1 && to <= last_row()) {
        FrozenGrid frozen(grid);
        const QString moved_code = code(selected_row);
        const QString moved_name = name(selected_row);
        set_airport(selected_row, code(to), name(to));
        set_airport(to, moved_code, moved_name);
        paint_row(grid, grid_row(selected_row), false);
        paint_row(grid, grid_row(to), true);
        grid->setCurrentCell(grid_row(to), 0);
        selected_row = to;
    }
    update_move_buttons();
}

bool airport::save()
{
    QList<QList<platform::Value>> rows;
    for (int r = 1; r <= last_row(); ++r)
        rows.append({platform::Value(r), trim_blanks(code(r)), trim_blanks(name(r))});
    return save_editor_list(this, rs_airport(), QStringLiteral("飛行場情報"), {code_column, name_column}, rows);
}

void airport::done(int result)
{
    if (!saved_) {
        saved_ = true;
        save();
    }
    QDialog::done(result);
}

}  // namespace kolde_sub
