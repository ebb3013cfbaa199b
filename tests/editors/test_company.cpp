// The company group editor: the route rule, the checks of the edit box,
// deleting and moving rows, and the table it stores when it closes.
#include "editors/company.h"

#include "core/database.h"
#include "editors/weather.h"
#include "platform/msg_box.h"
#include "support/fixtures.h"

#include <QPushButton>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using kolde_sub::company;

QStringList texts(const QList<kolde_sub::GridRow>& rows)
{
    QStringList out;
    for (const kolde_sub::GridRow& r : rows)
        out << r.first + u':' + r.second;
    return out;
}

class CompanyEditor : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        platform::set_msg_box_answerer([this](const platform::MsgBoxCall& call) {
            told << call.text;
            return platform::MsgAnswer::Yes;
        });
    }
    static void fill(const QList<QList<platform::Value>>& rows)
    {
        ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_company(), {"id", "route"}, rows));
    }
    static void click(company& w, int row, int col)
    {
        w.grid->setCurrentCell(row, col);
        w.grid_MouseDown(Qt::LeftButton);
    }
    QStringList told;
};

TEST(RouteRule, FourLetterCodesSeparatedBySingleBlanks)
{
    for (const char* ok : {"RJTT", "rjtt", "RJTT RJAA ROAH"})
        EXPECT_TRUE(kolde_sub::route_rule_ok(QString::fromUtf8(ok))) << ok;
    // Too short, a blank too many, a three-letter code, no blank at the fifth
    // place, a digit, another separator, full-width letters.
    for (const char* bad : {"", "RJT", "RJTT ", "RJTT  RJAA", "RJTT RJA", "RJTTXRJAA", "RJ1T", "RJTT\tRJAA", "ＲＪＴＴ"})
        EXPECT_FALSE(kolde_sub::route_rule_ok(QString::fromUtf8(bad))) << bad;
}

// Enter in the edit box: a duplicate id (the edited row's own included) or
// a route against the rule keeps the box open with a message; anything else
// goes into the cell trimmed and upper-cased.
TEST_F(CompanyEditor, EnterChecksTheEntryAndCommitsItUpperCased)
{
    fill({{"TOKYO", "RJTT RJAA"}, {"KANSAI", "RJBB RJOO"}});
    const QString taken = QStringLiteral(" はすでに登録されています　　");
    const QString rule = QStringLiteral("入力規則を確認してください　　");
    const struct {
        int row, col;  // row 2: a row added with 新規
        const char* typed;
        QString message;
        const char* cell;
    } cases[] = {
        {1, 0, " tokyo ", "TOKYO" + taken, "KANSAI"}, {1, 0, "KANSAI", "KANSAI" + taken, "KANSAI"},
        {2, 0, "", taken, ""},                        {1, 0, " itami ", {}, "ITAMI"},
        {1, 1, "rjtt rjaa", {}, "RJTT RJAA"},         {1, 1, "RJTT  RJAA", rule, "RJBB RJOO"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        company w;
        c.row == 2 ? w.menu_new_Click() : (click(w, c.row, c.col), w.begin_edit());
        told.clear();
        w.txt->setText(QString::fromUtf8(c.typed));
        w.txt_KeyPress(13);
        EXPECT_EQ(told, c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        EXPECT_EQ(w.grid->item(c.row, c.col)->text(), QString::fromUtf8(c.cell));
        EXPECT_EQ(w.txt->isHidden(), c.message.isEmpty());
    }
}

// After a delete or a move the edit box edits the row selected now, never
// the text of a deleted row; moves at the ends change nothing.
TEST_F(CompanyEditor, DeleteMoveAndEditActOnTheSelectedRow)
{
    const struct {
        const char* what;
        std::function<void(company&)> steps;
        QStringList rows;
        int questions;
    } cases[] = {
        {"edit after a delete",
         [](company& w) {
             click(w, 1, 1);
             w.menu_del_Click();
             w.menu_edit_Click();
             w.txt_KeyPress(13);
         },
         {"A:RJAA", "C:RJCC"}, 1},
        {"edit after deleting the last row",
         [](company& w) {
             click(w, 2, 1);
             w.menu_del_Click();
             w.menu_edit_Click();
             w.txt->setText(QStringLiteral("RJXX"));
             w.txt_KeyPress(13);
         },
         {"A:RJAA", "B:RJBB"}, 1},
        {"moves at the ends and without a selection",
         [](company& w) {
             w.cmd_Click(2);
             click(w, 0, 0);
             w.cmd_Click(1);
             click(w, 2, 0);
             w.cmd_Click(2);
         },
         {"A:RJAA", "B:RJBB", "C:RJCC"}, 0},
    };
    fill({{"A", "RJAA"}, {"B", "RJBB"}, {"C", "RJCC"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        company w;
        told.clear();
        c.steps(w);
        EXPECT_EQ(texts(w.grid_rows()), c.rows);
        EXPECT_EQ(told.size(), c.questions);
    }
}

// The group and the dictionary editor, with rows that fit and with more:
// the columns leave room for the vertical scroll bar, so nothing scrolls
// sideways, not even for a click on the second column, and the edit box
// lies on the clicked cell; the grid opens at its first row; the headings
// are as high as their font.
TEST_F(CompanyEditor, GridKeepsItsColumnsInViewAndOpensAtTheFirstRow)
{
    for (const int rows : {3, 40}) {
        QList<QList<platform::Value>> list;
        for (int r = 0; r < rows; ++r)
            list.append({QStringLiteral("K%1").arg(r), QStringLiteral("RJTT")});
        fill(list);
        ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_abbrev(), {"略語", "意味"}, list));
        company group;
        kolde_sub::weather dictionary;
        for (kolde_sub::grid_editor* w : {static_cast<kolde_sub::grid_editor*>(&group),
                                         static_cast<kolde_sub::grid_editor*>(&dictionary)}) {
            SCOPED_TRACE(w->objectName().toStdString() + " with " + std::to_string(rows) + " rows");
            w->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
            EXPECT_EQ(w->grid->verticalScrollBar()->isVisible(), rows > 3);
            EXPECT_EQ(w->grid->horizontalScrollBar()->maximum(), 0);
            EXPECT_EQ(w->grid->rowAt(0), 0);
            for (const QLabel* heading : {w->lbl[2], w->lbl[3]})
                EXPECT_GE(heading->contentsRect().height(), QFontMetrics(heading->font()).height());

            const QRect cell = w->grid->visualRect(w->grid->model()->index(2, 1));
            QTest::mouseClick(w->grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(w->grid->viewport(), Qt::LeftButton, {}, cell.center());
            EXPECT_EQ(w->grid->horizontalScrollBar()->value(), 0);
            ASSERT_TRUE(w->txt->isVisible());
            const QWidget* view = w->grid->viewport();
            const QRect box(view->mapFromGlobal(w->txt->mapToGlobal(QPoint())), w->txt->size());
            EXPECT_GE(box.left(), cell.left());
            EXPECT_LE(box.right(), view->rect().right());
            w->hide();
        }
    }
}

// Closing stores the rows with both texts, trimmed and upper-cased, with
// 順位 = row number + 1 (gaps where rows were left out) and the shared
// recordset holds the new table.
TEST_F(CompanyEditor, CloseStoresTheGridWithGappedRanks)
{
    fill({{"tokyo", "rjtt rjaa"}, {"", "RJBB"}, {" kix ", "rjbb"}, {"   ", "RJFF"}, {"ITM", ""}});
    company(nullptr).cmd_Click(0);
    QStringList stored;
    auto& rs = kolde_sub::rs_company();
    for (rs.move_first(); !rs.eof(); rs.move_next())
        stored << rs.field("順位").to_text() + u':' + rs.field("id").to_text() + u':' + rs.field("route").to_text();
    EXPECT_EQ(stored, (QStringList{"1:TOKYO:RJTT RJAA", "3:KIX:RJBB", "4::RJFF"}));
}

using kolde_sub::grid_editor;

// Both grid editors over the same rows, shown; keys go through the window
// to whichever widget has its focus.
class GridInput : public CompanyEditor {
protected:
    using Editor = std::unique_ptr<grid_editor>;
    static std::vector<Editor> shown(const QList<QList<platform::Value>>& rows)
    {
        fill(rows);
        EXPECT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_abbrev(), {"略語", "意味"}, rows));
        std::vector<Editor> out;
        out.push_back(std::make_unique<company>());
        out.push_back(std::make_unique<kolde_sub::weather>());
        for (const Editor& w : out) {
            w->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        }
        return out;
    }
    static void press(grid_editor& w, Qt::MouseButton button, int row, int col, bool twice = false)
    {
        const QPoint at = w.grid->visualRect(w.grid->model()->index(row, col)).center();
        QTest::mouseClick(w.grid->viewport(), button, {}, at);
        if (twice)
            QTest::mouseDClick(w.grid->viewport(), button, {}, at);
    }
    static void type(grid_editor& w, const char* keys)
    {
        for (const char* k = keys; *k; ++k)
            QTest::keyClick(w.windowHandle(), *k);
    }
};

// Tab and Shift+Tab commit the cell as Enter does (a cell left as it was
// needs no check) and edit the next or the previous one; past the last cell
// the box closes, and a blank typed then presses no button.
TEST_F(GridInput, TabCommitsTheCellAndEditsTheNextOne)
{
    for (const Editor& w : shown({{"A", "RJAA"}})) {
        SCOPED_TRACE(w->objectName().toStdString());
        w->menu_new_Click();
        type(*w, "ab\trjtt rjaa\t ");
        ASSERT_TRUE(w->isVisible());
        EXPECT_EQ(texts(w->grid_rows()).join(u'|').toUpper(), QStringLiteral("A:RJAA|AB:RJTT RJAA"));
        press(*w, Qt::LeftButton, 1, 0, true);
        QTest::keyClick(w->windowHandle(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(std::pair(w->selected_row, w->selected_col), std::pair(0, 1));
        EXPECT_EQ(w->focusWidget(), w->txt);
    }
}

// A table's rows as "first:second", read afresh from the file.
QString stored(const QString& table, const QString& first, const QString& second)
{
    platform::Recordset rs;
    QStringList out;
    EXPECT_TRUE(rs.open(kolde_sub::db_conn(), table));
    for (rs.move_first(); !rs.eof(); rs.move_next())
        out << rs.field(first).to_text() + u':' + rs.field(second).to_text();
    return out.join(u'|');
}

// The group editor and both dictionaries, each over its own table.
struct GridTable {
    QString table, first, second;
    std::function<grid_editor*()> make;
    QString saved() const { return stored(table, first, second); }
};
const GridTable grid_tables[] = {
    {"カンパニー", "id", "route", [] { return new company; }},
    {"気象略語", "略語", "意味", [] { return new kolde_sub::weather(0); }},
    {"日本語解析", "略語", "意味", [] { return new kolde_sub::weather(1); }},
};

// Every table holds rows; the editor of one of them is shown.
std::unique_ptr<grid_editor> shown_over(const GridTable& editor, const QList<QList<platform::Value>>& rows)
{
    EXPECT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_company(), {"id", "route"}, rows));
    EXPECT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_abbrev(), {"略語", "意味"}, rows));
    EXPECT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_translation(), {"略語", "意味"}, rows));
    std::unique_ptr<grid_editor> w(editor.make());
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
}

// 閉じる and the close box commit an edit still open with Enter's checks, in
// the group editor and in both dictionaries. A failing check refuses the
// close with the message Enter gives and stores nothing; the box keeps the
// keys, so the correction typed next is what the close then stores.
TEST_F(GridInput, ClosingCommitsTheOpenCell)
{
    const std::pair<const char*, std::function<void(grid_editor&)>> closes[] = {
        {"閉じる", [](grid_editor& w) { QTest::mouseClick(w.cmd[0], Qt::LeftButton); }},
        {"close event", [](grid_editor& w) { w.close(); }},
    };
    const struct {
        int row, col;
        const char* typed;
        QString message;  // empty: the entry passes
        QString saved;
    } entries[] = {
        {0, 1, "RJXX", {}, "A:RJXX|B:RJBB"},
        {1, 0, "A", "A はすでに登録されています　　", "A:RJAA|C:RJBB"},
    };
    const QList<QList<platform::Value>> rows{{"A", "RJAA"}, {"B", "RJBB"}};
    for (const GridTable& editor : grid_tables) {
        for (const auto& [how, close] : closes) {
            for (const auto& entry : entries) {
                SCOPED_TRACE(editor.table.toStdString() + ", " + how + ", typed " + entry.typed);
                const std::unique_ptr<grid_editor> w = shown_over(editor, rows);
                told.clear();
                press(*w, Qt::LeftButton, entry.row, entry.col, true);
                type(*w, entry.typed);
                close(*w);
                if (!entry.message.isEmpty()) {
                    EXPECT_TRUE(w->isVisible());
                    EXPECT_EQ(told, QStringList{entry.message});
                    EXPECT_EQ(editor.saved(), "A:RJAA|B:RJBB");
                    type(*w, "C\r");
                    close(*w);
                }
                EXPECT_FALSE(w->isVisible());
                EXPECT_EQ(told.size(), entry.message.isEmpty() ? 0 : 1);
                EXPECT_EQ(editor.saved(), entry.saved);
            }
        }
    }
}

// A click on another cell, with either button, ends an edit still open as
// Enter does (a cell left as it was needs no check), in the group editor and
// in both dictionaries. A failing check keeps the box open with the text and
// says why; the click then selects nothing, opens no menu and begins no edit,
// and the correction typed next is what the close stores.
TEST_F(GridInput, AClickOnAnotherCellCommitsTheOpenCell)
{
    const struct {
        const char* how;
        Qt::MouseButton button;
        bool same_row;  // the edited row's other cell, else the other row's
        bool twice;
    } clicks[] = {
        {"right-click on another row", Qt::RightButton, false, false},
        {"left click on another row", Qt::LeftButton, false, false},
        {"left click on the row's other cell", Qt::LeftButton, true, false},
        {"double click on another row", Qt::LeftButton, false, true},
    };
    const struct {
        int row, col;
        bool after_text;  // typed after the cell's text, else over it
        const char* typed;
        QString message;  // empty: the entry passes
        QString saved;
    } entries[] = {
        {0, 1, true, " RJCC", {}, "A:RJAA RJCC|B:RJBB"},
        {1, 0, true, "", {}, "A:RJAA|B:RJBB"},
        {1, 0, false, "A", "A はすでに登録されています　　", "A:RJAA|C:RJBB"},
    };
    for (const GridTable& editor : grid_tables) {
        for (const auto& click : clicks) {
            for (const auto& entry : entries) {
                SCOPED_TRACE(editor.table.toStdString() + ", " + click.how + ", typed " + entry.typed);
                const std::unique_ptr<grid_editor> w = shown_over(editor, {{"A", "RJAA"}, {"B", "RJBB"}});
                told.clear();
                press(*w, Qt::LeftButton, entry.row, entry.col, true);
                if (entry.after_text)
                    QTest::keyClick(w->windowHandle(), Qt::Key_End);
                type(*w, entry.typed);
                const QString typed = w->txt->text();
                const std::pair target(click.same_row ? entry.row : 1 - entry.row,
                                       click.same_row ? 1 - entry.col : entry.col);
                press(*w, click.button, target.first, target.second, click.twice);
                const bool passes = entry.message.isEmpty();
                EXPECT_EQ(told, passes ? QStringList{} : QStringList{entry.message});
                EXPECT_EQ(w->menu->isVisible(), passes && click.button == Qt::RightButton);
                EXPECT_EQ(std::pair(w->selected_row, w->selected_col),
                          passes ? target : std::pair(entry.row, entry.col));
                EXPECT_EQ(w->txt->isVisible(), !passes || click.twice);
                if (passes) {
                    if (w->menu->isVisible())
                        QTest::keyClick(w->menu, Qt::Key_Escape);
                } else {
                    EXPECT_EQ(w->txt->text(), typed);
                    type(*w, "C\r");
                }
                EXPECT_FALSE(w->menu->isVisible());
                QTest::mouseClick(w->cmd[0], Qt::LeftButton);
                EXPECT_FALSE(w->isVisible());
                EXPECT_EQ(editor.saved(), entry.saved);
            }
        }
    }
}

// 編集 and 削除 act on the cell right-clicked, not on the one clicked before.
TEST_F(GridInput, RightClickActsOnTheCellUnderThePointer)
{
    for (QAction* grid_editor::*item : {&grid_editor::menu_edit, &grid_editor::menu_del}) {
        for (const Editor& w : shown({{"A", "RJAA"}, {"B", "RJBB"}})) {
            told.clear();
            press(*w, Qt::LeftButton, 0, 0);
            press(*w, Qt::RightButton, 1, 1);
            QTest::mouseClick(w->menu, Qt::LeftButton, {}, w->menu->actionGeometry((*w).*item).center());
            type(*w, "RJXX\r");
            EXPECT_EQ(texts(w->grid_rows()) + told, item == &grid_editor::menu_edit
                                                        ? QStringList({"A:RJAA", "B:RJXX"})
                                                        : QStringList({"A:RJAA", "B を削除しますか？　　"}));
        }
    }
}

// A scroll with the edit box open moves the box with its cell: what shows
// of it lies on the cell, or nothing shows once the cell has left the view.
TEST_F(GridInput, AScrollMovesTheEditBoxWithItsCell)
{
    QList<QList<platform::Value>> rows;
    for (int r = 0; r < 40; ++r)
        rows.append({QStringLiteral("G%1").arg(r), QStringLiteral("RJTT")});
    for (const int notches : {1, 5}) {
        for (const Editor& w : shown(rows)) {
            QWidget* view = w->grid->viewport();
            press(*w, Qt::LeftButton, 10, 1, true);
            QWheelEvent wheel({50, 50}, {}, {}, {0, -120 * notches}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view, &wheel);
            const QRect box(view->mapFromGlobal(w->txt->mapToGlobal(QPoint())), w->txt->size());
            const QRect cell = w->grid->visualRect(w->grid->model()->index(10, 1));
            EXPECT_TRUE(notches == 5 ? (box & view->rect()).isEmpty() : cell.contains((box & view->rect()).center()))
                << w->objectName().toStdString() << notches;
        }
    }
}

}  // namespace
