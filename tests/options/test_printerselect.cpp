#include "options/printerselect.h"
#include "platform/msg_box.h"
#include "platform/printers.h"
#include "platform/value.h"
#include "core/database.h"
#include "core/settings.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using kolde_sub::printerselect;

class PrinterSelect : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        platform::set_printer_queues_for_tests({QStringLiteral("LBP"), QStringLiteral("DOT")}, QStringLiteral("DOT"));
    }
    void TearDown() override
    {
        SeededStore::TearDown();
        platform::reset_printers();
    }

    static void set_printer(const QString& name)
    {
        ASSERT_TRUE(kolde_sub::set_setting(kolde_sub::key::printer, platform::Value(name)));
    }

    // Shows the selection modally; answer runs on the open dialog.
    bool show(const std::function<void(printerselect*)>& answer,
              kolde_sub::PrinterChoice mode = kolde_sub::PrinterChoice::print)
    {
        seen = {};
        QTimer::singleShot(0, [this, answer] {
            auto* dialog = qobject_cast<printerselect*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen.caption = dialog->windowTitle();
            seen.button = dialog->cmd[1]->text();
            seen.selected = dialog->cmb->currentText();
            for (int i = 0; i < dialog->cmb->count(); ++i)
                seen.items << dialog->cmb->itemText(i);
            answer(dialog);
            if (dialog->isVisible())
                dialog->cmd_Click(0);  // never leave a modal dialog open
        });
        return kolde_sub::show_printer_selection(nullptr, mode);
    }

    struct Seen {
        QString caption, button, selected;
        QStringList items;
    } seen;
};

TEST_F(PrinterSelect, PrintModePreselectsTheCurrentPrinterAndMakesTheChoiceCurrent)
{
    set_printer(QStringLiteral("*"));
    const bool ready = show([](printerselect* d) {
        d->cmb->setCurrentIndex(0);
        d->cmd[1]->click();
    });
    EXPECT_EQ(seen.caption, QStringLiteral(" プリンター選択"));
    EXPECT_EQ(seen.button, QStringLiteral("印 刷"));
    EXPECT_EQ(seen.items, QStringList({QStringLiteral("LBP"), QStringLiteral("DOT"), QStringLiteral("PDF")}));
    EXPECT_EQ(seen.selected, QStringLiteral("DOT"));
    EXPECT_TRUE(ready);
    EXPECT_EQ(platform::current_printer(), QStringLiteral("LBP"));
    EXPECT_EQ(kolde_sub::setting_text(kolde_sub::key::printer), QStringLiteral("*"));
}

TEST_F(PrinterSelect, AStoredPrinterIsPreselectedAndAVanishedOneGivesTheFirst)
{
    set_printer(QStringLiteral("PDF"));
    show([](printerselect* d) { d->cmd[0]->click(); });
    EXPECT_EQ(seen.selected, QStringLiteral("PDF"));

    set_printer(QStringLiteral("GONE"));
    show([](printerselect* d) { d->cmd[0]->click(); });
    EXPECT_EQ(seen.selected, QStringLiteral("LBP"));
}

TEST_F(PrinterSelect, SettingsModeStoresTheChoiceAndLeavesTheCurrentPrinter)
{
    set_printer(QStringLiteral("*"));
    const bool ready = show(
        [](printerselect* d) {
            d->cmb->setCurrentIndex(2);
            d->cmd[1]->click();
        },
        kolde_sub::PrinterChoice::setup);
    EXPECT_EQ(seen.button, QStringLiteral("設 定"));
    EXPECT_TRUE(ready);
    EXPECT_EQ(kolde_sub::setting_text(kolde_sub::key::printer), QStringLiteral("PDF"));
    EXPECT_EQ(platform::current_printer(), QStringLiteral("DOT"));
}

TEST_F(PrinterSelect, AChoiceThatCannotBeStoredAnswersNotReady)
{
    QStringList told;
    platform::set_msg_box_answerer([&told](const platform::MsgBoxCall& call) {
        told << call.title + u'|' + call.text;
        return platform::MsgAnswer::Ok;
    });
    kolde_sub::close_database();
    const bool ready = show(
        [](printerselect* d) {
            d->cmb->setCurrentIndex(2);
            d->cmd[1]->click();
        },
        kolde_sub::PrinterChoice::setup);
    EXPECT_FALSE(ready);
    EXPECT_EQ(platform::current_printer(), QStringLiteral("DOT"));
    EXPECT_EQ(told, QStringList{QStringLiteral(" エラー|動作設定 を保存できませんでした。変更は保存されていません　　")});
}

TEST_F(PrinterSelect, CancelAndClosingAnswerNotReadyInBothModes)
{
    for (const bool setup : {false, true}) {
        // The cancel button, the window's close box, the Escape key.
        for (const int way : {0, 1, 2}) {
            const bool ready = show(
                [way](printerselect* d) {
                    if (way == 0)
                        d->cmd[0]->click();
                    else if (way == 1)
                        d->close();
                    else
                        QTest::keyClick(d, Qt::Key_Escape);
                },
                setup ? kolde_sub::PrinterChoice::setup : kolde_sub::PrinterChoice::print);
            EXPECT_FALSE(ready) << setup << way;
        }
    }
    EXPECT_EQ(kolde_sub::setting_text(kolde_sub::key::printer), QStringLiteral("*"));
    EXPECT_EQ(platform::current_printer(), QStringLiteral("DOT"));
}

}  // namespace
