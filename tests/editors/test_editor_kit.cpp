#include "editors/editor_kit.h"

#include "core/database.h"
#include "core/program.h"
#include "editors/airport.h"
#include "editors/airportedit.h"
#include "editors/decodelist.h"
#include "editors/weather.h"
#include "platform/msg_box.h"
#include "support/fixtures.h"

#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using platform::Value;

class EditorKit : public kolde_test::SeededStore {};

QStringList company_ids()
{
    QStringList ids;
    auto& rs = kolde_sub::rs_company();
    if (rs.record_count() == 0)
        return ids;
    for (rs.move_first(); !rs.eof(); rs.move_next())
        ids << rs.field(QStringLiteral("順位")).to_text() + u':' + rs.field(QStringLiteral("id")).to_text();
    return ids;
}

TEST_F(EditorKit, ListSaveKeepsGappedRanksAndRollsBackAFailedSaveWithAMessage)
{
    const QStringList columns{QStringLiteral("id"), QStringLiteral("route")};
    ASSERT_TRUE(kolde_sub::save_editor_list(nullptr, kolde_sub::rs_company(), QStringLiteral("カンパニー"), columns,
                                            {{Value(1), Value("A"), Value("RJTT")},
                                             {Value(3), Value("B"), Value("RJAA")}}));
    const QStringList saved{QStringLiteral("1:A"), QStringLiteral("3:B")};
    EXPECT_EQ(company_ids(), saved);

    QStringList told;
    platform::set_msg_box_answerer([&](const platform::MsgBoxCall& r) {
        told << r.text;
        return platform::MsgAnswer::Ok;
    });
    // A column the table does not have fails the insert after the delete.
    EXPECT_FALSE(kolde_sub::save_editor_list(nullptr, kolde_sub::rs_company(), QStringLiteral("カンパニー"),
                                             {QStringLiteral("no such")}, {{Value(1), Value("X")}}));
    platform::set_msg_box_answerer({});
    EXPECT_EQ(told.size(), 1);
    EXPECT_EQ(company_ids(), saved);
}

// Every editor puts the next automatic cycle a full period away when it
// opens; a list editor that cannot store its list (here no store is open)
// says which table it could not store.
TEST(EditorWindows, OpeningPostponesTheCycleAndAFailedSaveNamesTheTable)
{
    kolde_test::ensure_app();
    kolde_test::ProgramFolder folder;
    kolde_sub::close_database();
    QStringList told;
    platform::set_msg_box_answerer([&](const platform::MsgBoxCall& call) {
        told << call.text;
        return platform::MsgAnswer::Ok;
    });
    const auto in_mode = [](int mode) {
        return [mode]() -> std::unique_ptr<QDialog> {
            return std::make_unique<kolde_sub::weather>(mode);
        };
    };
    const struct {
        const char* table;  // empty: the window stores no list
        std::function<std::unique_ptr<QDialog>()> open;
    } cases[] = {
        {"飛行場情報", [] { return std::make_unique<kolde_sub::airport>(); }},
        {"", [] { return std::make_unique<kolde_sub::airportedit>(kolde_sub::AirportEntry{}); }},
        {"自動デコード", [] { return std::make_unique<kolde_sub::decodelist>(); }},
        {"カンパニー", [] { return std::make_unique<kolde_sub::company>(); }},
        {"気象略語", in_mode(0)},
        {"日本語解析", in_mode(1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        kolde_sub::set_cycle_ticks(7);
        const std::unique_ptr<QDialog> window = c.open();
        EXPECT_EQ(kolde_sub::cycle_ticks(), 0);
        told.clear();
        window->show();
        window->close();
        const QString table = QString::fromUtf8(c.table);
        EXPECT_EQ(told.join(u'|'),
                  table.isEmpty() ? QString() : table + QStringLiteral(" を保存できませんでした。変更は保存されていません　　"));
    }
    platform::set_msg_box_answerer({});
}

TEST(EditorKitWidgets, HoverPaintsOneButtonGreyAndTheBackgroundClearsIt)
{
    kolde_test::ensure_app();
    QWidget window;
    QPushButton a(&window), b(&window);
    kolde_sub::HoverButtons hover({&a, &b}, {&window});
    const QColor face = a.palette().color(QPalette::Button);
    EXPECT_EQ(hover.hover(), kolde_sub::HoverButtons::none);
    hover.over_button(1);
    EXPECT_EQ(hover.hover(), 1);
    EXPECT_EQ(b.palette().color(QPalette::Button), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(a.palette().color(QPalette::Button), face);
    hover.over_background();
    EXPECT_EQ(hover.hover(), kolde_sub::HoverButtons::none);
    EXPECT_EQ(b.palette().color(QPalette::Button), face);

    QTableWidget grid(2, 2);
    kolde_sub::paint_row(&grid, 1, true);
    kolde_sub::paint_row(&grid, 5, true);  // out of range: ignored
    EXPECT_TRUE(kolde_sub::row_painted_selected(&grid, 1));
    kolde_sub::paint_row(&grid, 1, false);
    EXPECT_FALSE(kolde_sub::row_painted_selected(&grid, 1));
}

}  // namespace
