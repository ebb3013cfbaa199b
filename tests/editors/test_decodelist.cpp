#include "editors/decodelist.h"

#include "core/database.h"
#include "editors/editor_kit.h"
#include "core/settings.h"
#include "platform/msg_box.h"
#include "support/fixtures.h"

#include <QFrame>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace {

using kolde_sub::decodelist;
using platform::Value;

const QStringList columns{QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")};
const kolde_sub::SettingKey auto_decode = kolde_sub::key::auto_decode;

class DecodeList : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        platform::set_msg_box_answerer([this](const platform::MsgBoxCall& c) {
            told << c.text;
            return platform::MsgAnswer::Ok;
        });
        ASSERT_TRUE(kolde_sub::set_setting(auto_decode, Value::boolean(true)));
    }

    static void store(platform::Recordset& rs, const QList<QList<Value>>& rows)
    {
        ASSERT_TRUE(kolde_sub::save_shared_list(rs, columns, rows));
    }

    // The saved list as "順位:code:name".
    static QStringList saved()
    {
        QStringList rows;
        auto& rs = kolde_sub::rs_autodecode();
        if (rs.record_count() == 0)
            return rows;
        for (rs.move_first(); !rs.eof(); rs.move_next())
            rows << rs.field(QStringLiteral("順位")).to_text() + u':' + rs.field(columns[0]).to_text() + u':' +
                        rs.field(columns[1]).to_text();
        return rows;
    }

    QStringList told;
};

TEST_F(DecodeList, AirportsAreCopiedOnceAndSavedWithTheirOwnCodeAndName)
{
    const QString long_name(120, QChar(u'長'));
    store(kolde_sub::rs_airport(), {{"X", "一文字"}, {"RJTT", "東京国際"}, {"RJTT", "羽田"}, {"RJAA", long_name}});
    store(kolde_sub::rs_autodecode(), {});
    {
        decodelist w;
        for (int row : {0, 1, 2, 3, 1}) {
            w.grid_Click(0, row);
            w.cmd_Click(0);
        }
        EXPECT_EQ(w.grid[1]->rowCount(), 4);
        EXPECT_EQ(w.line(1, 0), QStringLiteral(" X   一文字"));
        w.cmd_Click(4);
    }
    EXPECT_EQ(told, QStringList{QStringLiteral(" RJTT   東京国際 はすでに選択されています　　")});
    EXPECT_EQ(saved(), QStringList({"1:X:一文字", "2:RJTT:東京国際", "3:RJTT:羽田", "4:RJAA:" + long_name}));
    EXPECT_TRUE(kolde_sub::setting_bool(auto_decode));
}

// An empty list switches the automatic decode off, but only once it is saved.
TEST_F(DecodeList, SavingAnEmptyListTurnsTheAutomaticDecodeOffAfterTheListCommits)
{
    for (const bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "failing save" : "save");
        told.clear();
        store(kolde_sub::rs_autodecode(), {{"RJTT", "東京国際"}});
        ASSERT_TRUE(kolde_sub::set_setting(auto_decode, Value::boolean(true)));
        if (fails) {
            ASSERT_TRUE(kolde_sub::db_conn().execute(QStringLiteral(
                "CREATE TRIGGER refuse BEFORE DELETE ON \"自動デコード\" BEGIN SELECT RAISE(ABORT, 'locked'); END")));
        }
        {
            decodelist w;
            w.grid_Click(1, 0);
            w.cmd_Click(1);
            EXPECT_EQ(w.grid[1]->rowCount(), 0);
            w.show();
            w.close();
        }
        EXPECT_EQ(told.size(), fails ? 1 : 0);
        EXPECT_EQ(saved().size(), fails ? 1 : 0);
        EXPECT_EQ(kolde_sub::setting_bool(auto_decode), fails);
    }
}

TEST_F(DecodeList, TheWhitePanelCoversTheListOnlyBelowAShortList)
{
    for (const int rows : {0, 1, 13, 14}) {
        SCOPED_TRACE(rows);
        QList<QList<Value>> list;
        for (int r = 1; r <= rows; ++r)
            list.append({QStringLiteral("RJ%1").arg(r), "x"});
        store(kolde_sub::rs_autodecode(), list);
        decodelist w;
        const bool shown = rows >= 1 && rows < 14;
        EXPECT_EQ(!w.Frame->isHidden(), shown);
        if (shown) {  // it starts below the last row and ends inside the list
            EXPECT_LT(w.Frame->geometry().top(), w.grid[1]->geometry().bottom());
        }
    }
}

TEST_F(DecodeList, MovesAndSelectionsFollowTheSelectedEntry)
{
    store(kolde_sub::rs_autodecode(), {{"A", "a"}, {"B", "b"}});
    decodelist w;
    const struct {
        int grid, row, button;  // a click (row >= 0), then a button (>= 0)
        const char* order;
        bool add, remove, up, down;
    } steps[] = {
        {1, 1, 3, " A   a B   b", false, true, true, false},   // down at the end: nothing
        {1, 1, 2, " B   b A   a", false, true, false, true},   // up to the head
        {0, 0, -1, " B   b A   a", true, false, false, false}, // the catalogue takes the selection
        {1, 1, 1, " B   b", false, false, true, false},         // remove the last entry
        {1, -1, 2, " B   b", false, false, true, false},        // it cannot move any more
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.order);
        if (s.row >= 0)
            w.grid_Click(s.grid, s.row);
        if (s.button >= 0)
            w.cmd_Click(s.button);
        QString order;
        for (int r = 0; r < w.grid[1]->rowCount(); ++r)
            order += w.line(1, r);
        EXPECT_EQ(order, QString::fromUtf8(s.order));
        EXPECT_EQ(w.cmd[0]->isEnabled(), s.add);
        EXPECT_EQ(w.cmd[1]->isEnabled(), s.remove);
        EXPECT_EQ(w.cmd[2]->isEnabled(), s.up);
        EXPECT_EQ(w.cmd[3]->isEnabled(), s.down);
        // Only one grid shows a selection.
        const int other = 1 - s.grid;
        for (int r = 0; r < w.grid[other]->rowCount(); ++r)
            EXPECT_FALSE(kolde_sub::row_painted_selected(w.grid[other], r));
    }
}

}  // namespace
