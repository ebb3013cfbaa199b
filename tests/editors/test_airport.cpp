#include "editors/airport.h"
#include "editors/airportedit.h"

#include "core/database.h"
#include "editors/editor_kit.h"
#include "platform/msg_box.h"
#include "support/fixtures.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using kolde_sub::airport;
using kolde_sub::airportedit;
using platform::Value;

const QStringList airport_columns{QStringLiteral("ICAOコード"), QStringLiteral("飛行場名")};

class AirportList : public kolde_test::SeededStore {
protected:
    void TearDown() override
    {
        SeededStore::TearDown();
    }

    static void store_airports(const QList<QList<Value>>& rows)
    {
        ASSERT_TRUE(kolde_sub::save_shared_list(kolde_sub::rs_airport(), airport_columns, rows));
    }

    // The saved catalogue as "順位:code:name".
    static QStringList saved()
    {
        QStringList rows;
        auto& rs = kolde_sub::rs_airport();
        if (rs.record_count() == 0)
            return rows;
        for (rs.move_first(); !rs.eof(); rs.move_next())
            rows << rs.field(QStringLiteral("順位")).to_text() + u':' + rs.field(airport_columns[0]).to_text() +
                        u':' + rs.field(airport_columns[1]).to_text();
        return rows;
    }

    // Records every message and answers questions with answer.
    void answer_boxes(platform::MsgAnswer answer)
    {
        platform::set_msg_box_answerer([this, answer](const platform::MsgBoxCall& c) {
            told << c.text;
            return c.buttons == platform::MsgButtons::YesNo ? answer : platform::MsgAnswer::Ok;
        });
    }

    QStringList told;
};

// Fills the entry dialog that opens and confirms it.
kolde_test::ModalCloser enter(const QString& code, const QString& name)
{
    return kolde_test::ModalCloser([code, name](QWidget* w) {
        if (auto* d = qobject_cast<airportedit*>(w)) {
            d->TextBox[0]->setText(code);
            d->TextBox[1]->setText(name);
            d->cmd_Click(0);
        }
    });
}

TEST_F(AirportList, EmptyTableTakesNewAirportsAtTheHead)
{
    store_airports({});
    {
        airport w;
        EXPECT_TRUE(w.grid->horizontalHeader()->isHidden());
        w.grid_Click(1);
        w.grid_DblClick();
        EXPECT_FALSE(w.cmd[2]->isEnabled());
        {
            auto closer = enter(QStringLiteral("RJTT"), QStringLiteral("東京"));
            w.cmd_Click(1);
        }
        EXPECT_FALSE(w.grid->horizontalHeader()->isHidden());
        {
            auto closer = enter(QStringLiteral("RJAA"), QStringLiteral(" 成田 "));
            w.cmd_Click(1);
        }
        w.cmd_Click(0);
    }
    EXPECT_EQ(saved(), QStringList({"1:RJAA:成田", "2:RJTT:東京"}));
}

TEST_F(AirportList, DeleteAsksAndTheSaveTrimsOrEmptiesTheTable)
{
    store_airports({{" RJTT ", "東京 "}, {"RJAA", "成田"}});
    answer_boxes(platform::MsgAnswer::No);
    {
        airport w;
        w.grid_Click(2);
        w.cmd_Click(2);
        EXPECT_EQ(w.last_row(), 2);
        answer_boxes(platform::MsgAnswer::Yes);
        w.cmd_Click(2);
        EXPECT_EQ(w.last_row(), 1);
        EXPECT_FALSE(w.cmd[2]->isEnabled());
        w.cmd_Click(0);
    }
    EXPECT_EQ(told, QStringList({"RJAA 成田 を削除しますか？　　", "RJAA 成田 を削除しますか？　　"}));
    EXPECT_EQ(saved(), QStringList({"1:RJTT:東京"}));
    {
        airport w;
        w.grid_Click(1);
        w.cmd_Click(2);
        EXPECT_TRUE(w.grid->horizontalHeader()->isHidden());
        // The deleted row cannot be moved.
        w.cmd_Click(5);
        EXPECT_EQ(w.last_row(), 0);
        w.show();
        w.close();  // the close box saves too
    }
    EXPECT_TRUE(saved().isEmpty());
}

TEST_F(AirportList, MovesStopAtTheEndsAndCarryTheSelection)
{
    store_airports({{"A", "a"}, {"B", "b"}, {"C", "c"}});
    const struct {
        int click, button, selected;
        bool up, down;
        const char* order;
    } cases[] = {{2, 4, 1, false, true, "BAC"},
                 {2, 5, 3, true, false, "ACB"},
                 {1, 4, 1, false, true, "ABC"},
                 {3, 5, 3, true, false, "ABC"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        airport w;
        w.grid_Click(c.click);
        w.cmd_Click(c.button);
        EXPECT_EQ(w.selected_row, c.selected);
        EXPECT_EQ(w.cmd[4]->isEnabled(), c.up);
        EXPECT_EQ(w.cmd[5]->isEnabled(), c.down);
        EXPECT_EQ(w.code(1) + w.code(2) + w.code(3), QString::fromUtf8(c.order));
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(kolde_sub::row_painted_selected(w.grid, airport::grid_row(r)), r == c.selected);
    }
}

TEST_F(AirportList, ModifyTakesAnotherAirportsCodeAndCancelChangesNothing)
{
    store_airports({{"RJTT", "東京"}, {"RJAA", "成田"}});
    {
        airport w;
        w.grid_Click(2);
        {
            kolde_test::ModalCloser closer;  // closing the entry dialog cancels
            w.grid_DblClick();
        }
        EXPECT_EQ(w.code(2), QStringLiteral("RJAA"));
        {
            auto closer = enter(QStringLiteral("RJTT"), QStringLiteral("羽田"));
            w.grid_DblClick();
        }
        w.cmd_Click(0);
    }
    EXPECT_EQ(saved(), QStringList({"1:RJTT:東京", "2:RJTT:羽田"}));
}

TEST_F(AirportList, AFailedSaveKeepsTheTableAndTellsTheUser)
{
    store_airports({{"RJTT", "東京"}, {"RJAA", "成田"}});
    ASSERT_TRUE(kolde_sub::db_conn().execute(
        QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"飛行場情報\" BEGIN SELECT RAISE(ABORT, 'full'); END")));
    answer_boxes(platform::MsgAnswer::Yes);
    {
        airport w;
        w.grid_Click(1);
        w.cmd_Click(2);
        w.cmd_Click(0);
    }
    EXPECT_EQ(told.size(), 2);  // the question, then the failure
    EXPECT_EQ(saved(), QStringList({"1:RJTT:東京", "2:RJAA:成田"}));
}

// ---------------------------------------------------------------- entry dialog

TEST_F(AirportList, EntryDialogChecksCodeNameAndRegistrationInThatOrder)
{
    const QString add = kolde_sub::add_airport_mode, modify = kolde_sub::modify_airport_mode;
    const struct {
        QString mode;
        const char *code, *name;
        const char* message;  // empty: accepted
        const char* name_after;
    } cases[] = {
        {add, "   ", "X", "飛行場略号（ICAO 4 Letter）を入力してください　　", "X"},
        {add, "RJTT", "  ", "飛行場名を入力してください　　", "  "},
        {add, "RJTT", "X", "RJTT はすでに登録されています　　", "東京国際"},
        {add, "RJX ", " 新空港 ", "", " 新空港 "},
        {modify, "RJAA", "Y", "", "Y"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        told.clear();
        answer_boxes(platform::MsgAnswer::Ok);
        airportedit d({c.mode, {}, {}});
        d.TextBox[0]->setText(QString::fromUtf8(c.code));
        d.TextBox[1]->setText(QString::fromUtf8(c.name));
        d.cmd_Click(0);
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(told, message.isEmpty() ? QStringList() : QStringList{message});
        EXPECT_EQ(d.result() == QDialog::Accepted, message.isEmpty());
        EXPECT_EQ(d.entry().mode, c.mode);
        EXPECT_EQ(d.TextBox[1]->text(), QString::fromUtf8(c.name_after));
        EXPECT_EQ(d.entry().code, QString::fromUtf8(c.code).trimmed());
        if (message.isEmpty()) {
            EXPECT_EQ(d.entry().name, QString::fromUtf8(c.name).trimmed());
        }
    }
}

TEST_F(AirportList, LeavingTheCodeBoxTestsARegisteredCodeOncePerChange)
{
    const struct {
        QString mode;
        int messages;
    } cases[] = {{kolde_sub::add_airport_mode, 1}, {kolde_sub::modify_airport_mode, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode.toStdString());
        told.clear();
        answer_boxes(platform::MsgAnswer::Ok);
        airportedit d({c.mode, {}, {}});
        d.show();
        QTest::keyClicks(d.TextBox[0], QStringLiteral("rjtt"));
        d.TextBox_LostFocus(0);
        d.TextBox_LostFocus(0);
        EXPECT_EQ(d.TextBox[0]->text(), QStringLiteral("RJTT"));
        EXPECT_EQ(told.size(), c.messages);
        EXPECT_EQ(d.TextBox[1]->text(), c.messages ? QStringLiteral("東京国際") : QString());
        d.cmd_Click(1);
    }
}

TEST_F(AirportList, EveryCloseOfTheEntryDialogButConfirmIsCancel)
{
    const std::function<void(airportedit&)> closes[] = {
        [](airportedit& d) { d.cmd_Click(1); },
        [](airportedit& d) { d.close(); },
        [](airportedit& d) { QTest::keyClick(&d, Qt::Key_Escape); },
    };
    for (const auto& close : closes) {
        airportedit d({kolde_sub::modify_airport_mode, QStringLiteral("RJTT"), {}});
        d.show();
        d.TextBox[0]->setText(QStringLiteral("RJAA"));
        close(d);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.entry().mode, kolde_sub::cancel_mode);
        EXPECT_EQ(d.entry().code, QStringLiteral("RJTT"));
    }
}

}  // namespace
