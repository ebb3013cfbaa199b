// The company group editor: the route rule, the checks of the edit box,
// deleting and moving rows, and the table it stores when it closes.
#include "editors/company.h"

#include "core/database.h"
#include "platform/msg_box.h"
#include "support/fixtures.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <functional>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using kolde_sub::company;
using platform::MsgAnswer;
using platform::Value;

const QStringList company_columns{QStringLiteral("id"), QStringLiteral("route")};

// The stored rows of カンパニー as "順位:id:route", read afresh from the file.
QStringList stored_company()
{
    platform::Recordset rs;
    QStringList out;
    if (!rs.open(kolde_sub::db_conn(), QStringLiteral("カンパニー")))
        return {QStringLiteral("(cannot open)")};
    rs.set_sort(QStringLiteral("順位"));
    for (rs.move_first(); !rs.eof(); rs.move_next())
        out << rs.field(QStringLiteral("順位")).to_text() + u':' + rs.field(QStringLiteral("id")).to_text() + u':'
                   + rs.field(QStringLiteral("route")).to_text();
    return out;
}

QStringList grid_texts(const company& w)
{
    QStringList out;
    for (const kolde_sub::GridRow& r : w.grid_rows())
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
            return answer;
        });
    }

    void fill(const QList<QList<Value>>& rows)
    {
        ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_company(), company_columns, rows));
    }

    static void click(company& w, int row, int col)
    {
        w.grid->setCurrentCell(row, col);
        w.grid_MouseDown(Qt::LeftButton);
    }

    QStringList told;
    MsgAnswer answer = MsgAnswer::Yes;
};

TEST(RouteRule, FourLetterCodesSeparatedBySingleBlanks)
{
    const struct {
        const char* route;
        bool ok;
    } cases[] = {
        {"RJTT", true},
        {"rjtt", true},
        {"RJTT RJAA ROAH", true},
        {"", false},
        {"RJT", false},
        {"RJTT ", false},          // length 5
        {"RJTT  RJAA", false},     // two blanks: length 10
        {"RJTT RJA", false},       // last code of three letters
        {"RJTTXRJAA", false},      // no blank at the fifth place
        {"RJ1T", false},
        {"RJTT-RJAA", false},
        {"ＲＪＴＴ", false},       // full-width letters
        {"RJTT\tRJAA", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolde_sub::route_rule_ok(QString::fromUtf8(c.route)), c.ok) << c.route;
}

// Enter in the edit box: a duplicate id or a route against the rule keeps
// the box open with a message; anything else goes into the cell upper-cased.
TEST_F(CompanyEditor, EnterChecksTheEntryAndCommitsItUpperCased)
{
    fill({{Value("TOKYO"), Value("RJTT RJAA")}, {Value("KANSAI"), Value("RJBB RJOO")}});
    const QString taken = QStringLiteral(" はすでに登録されています　　");
    const QString rule = QStringLiteral("入力規則を確認してください　　");
    const struct {
        int row, col;  // row -1: a row added with 新規
        const char* typed;
        QString message;
        const char* cell;  // the cell afterwards
    } cases[] = {
        {1, 0, " tokyo ", "TOKYO" + taken, "KANSAI"},
        {1, 0, "KANSAI", "KANSAI" + taken, "KANSAI"},  // its own unchanged id
        {-1, 0, "", taken, ""},                        // the new row's own empty id
        {1, 0, " itami ", {}, "ITAMI"},
        {1, 0, "", {}, ""},
        {1, 1, "rjtt rjaa", {}, "RJTT RJAA"},
        {1, 1, " RJTT ", {}, "RJTT"},
        {1, 1, "RJTT  RJAA", rule, "RJBB RJOO"},
        {1, 1, "", rule, "RJBB RJOO"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        company w;
        int row = c.row;
        if (row < 0) {
            w.menu_new_Click();
            row = w.grid->rowCount() - 1;
        } else {
            click(w, row, c.col);
            w.begin_edit();
        }
        ASSERT_FALSE(w.txt->isHidden());
        told.clear();
        w.txt->setText(QString::fromUtf8(c.typed));
        w.txt_KeyPress(13);
        EXPECT_EQ(told, c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        EXPECT_EQ(w.grid->item(row, c.col)->text(), QString::fromUtf8(c.cell));
        EXPECT_EQ(w.txt->isHidden(), c.message.isEmpty());
        if (!c.message.isEmpty()) {
            EXPECT_EQ(w.txt->selectedText(), w.txt->text());
        }
    }
}

// Deleting and moving rows, and an edit begun afterwards: the box always
// edits the row that is selected now.
TEST_F(CompanyEditor, DeleteMoveAndEditActOnTheSelectedRow)
{
    const struct {
        const char* what;
        std::function<void(company&)> steps;
        QStringList rows;
        int questions;
    } cases[] = {
        {"edit after a delete writes nothing of the deleted row",
         [](company& w) {
             click(w, 1, 1);
             w.grid_MouseDown(Qt::RightButton);
             EXPECT_TRUE(w.menu_edit->isEnabled() && w.menu_del->isEnabled());
             w.menu->hide();
             w.menu_del_Click();
             w.menu_edit_Click();
             w.txt_KeyPress(13);
         },
         {"A:RJAA", "C:RJCC"}, 1},
        {"edit after deleting the last row does nothing",
         [](company& w) {
             click(w, 2, 1);
             w.menu_del_Click();
             w.menu_edit_Click();
             w.txt->setText(QStringLiteral("RJXX"));
             w.txt_KeyPress(13);
         },
         {"A:RJAA", "B:RJBB"}, 1},
        {"edit after a move edits the moved row",
         [](company& w) {
             click(w, 0, 1);
             w.cmd_Click(2);
             w.menu_edit_Click();
             w.txt->setText(QStringLiteral("rjxx"));
             w.txt_KeyPress(13);
         },
         {"B:RJBB", "A:RJXX", "C:RJCC"}, 0},
        {"moves at the ends and without a selection change nothing",
         [](company& w) {
             w.cmd_Click(2);
             w.cmd_Click(1);
             click(w, 0, 0);
             w.cmd_Click(1);
             click(w, 2, 0);
             w.cmd_Click(2);
         },
         {"A:RJAA", "B:RJBB", "C:RJCC"}, 0},
        {"an empty id is deleted without a question",
         [](company& w) {
             w.menu_new_Click();
             w.menu_del_Click();
         },
         {"A:RJAA", "B:RJBB", "C:RJCC"}, 0},
    };
    fill({{Value("A"), Value("RJAA")}, {Value("B"), Value("RJBB")},
          {Value("C"), Value("RJCC")}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        company w;
        told.clear();
        c.steps(w);
        EXPECT_EQ(grid_texts(w), c.rows);
        EXPECT_EQ(told.size(), c.questions);
    }

    // A delete answered No keeps the row; a delete disables both move buttons.
    company w;
    click(w, 1, 0);
    EXPECT_TRUE(w.cmd[1]->isEnabled() && w.cmd[2]->isEnabled());
    answer = MsgAnswer::No;
    w.menu_del_Click();
    EXPECT_EQ(w.grid->rowCount(), 3);
    answer = MsgAnswer::Yes;
    w.menu_del_Click();
    EXPECT_EQ(grid_texts(w), (QStringList{"A:RJAA", "C:RJCC"}));
    EXPECT_FALSE(w.cmd[1]->isEnabled() || w.cmd[2]->isEnabled());
}

// Closing stores the rows with both texts, upper-cased and trimmed, with
// 順位 = row number + 1 (gaps where rows were left out); the shared
// recordset then holds the new table. A failed save keeps the old one.
TEST_F(CompanyEditor, CloseStoresTheGridWithGappedRanks)
{
    fill({{Value("tokyo"), Value("rjtt rjaa")},
          {Value(""), Value("RJBB")},
          {Value(" kix "), Value("rjbb")},
          {Value("   "), Value("RJFF")},
          {Value("ITM"), Value("")}});
    {
        company w;
        w.cmd_Click(0);
        EXPECT_TRUE(w.isHidden());
    }
    const QStringList saved{"1:TOKYO:RJTT RJAA", "3:KIX:RJBB", "4::RJFF"};
    EXPECT_EQ(stored_company(), saved);
    auto& rs = kolde_sub::rs_company();
    ASSERT_EQ(rs.record_count(), 3);
    rs.move_first();
    EXPECT_EQ(rs.field(QStringLiteral("id")).to_text(), QStringLiteral("TOKYO"));

    ASSERT_TRUE(kolde_sub::db_conn().execute(
        QStringLiteral("CREATE TRIGGER no_insert BEFORE INSERT ON \"カンパニー\" BEGIN SELECT RAISE(ABORT, 'full'); END")));
    {
        company w;
        w.menu_new_Click();
        w.txt->setText(QStringLiteral("NEW"));
        w.txt_KeyPress(13);
        told.clear();
        w.close();
    }
    EXPECT_EQ(told.size(), 1);
    EXPECT_EQ(stored_company(), saved);
    EXPECT_EQ(kolde_sub::rs_company().record_count(), 3);
}

}  // namespace
