// The options dialog: every field in its control and back, the enabling of
// dependent controls, and the thresholds.
#include "options/opton.h"

#include "core/database.h"
#include "core/settings.h"
#include "core/shared.h"
#include "options/printerselect.h"
#include "platform/msg_box.h"
#include "platform/printers.h"
#include "platform/value.h"
#include "reports/request.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using kolde_sub::Binding;
using kolde_sub::BindingKind;
using kolde_sub::opton;
using platform::Value;

class Options : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        platform::set_printer_queues_for_tests({}, {});
        kolde_sub::printer_ready = false;
        kolde_sub::printer_setup_mode = false;
        // A usable printer, so the print switches keep their fields.
        set("プリンター", Value(QStringLiteral("PDF")));
    }
    void TearDown() override
    {
        kolde_sub::unload_opton();
        platform::reset_printers();
        SeededStore::TearDown();
    }

    static void set(const char* field, const Value& v)
    {
        ASSERT_TRUE(kolde_sub::set_setting(QString::fromUtf8(field), v)) << field;
    }
    static Value get(const char* field) { return kolde_sub::setting(QString::fromUtf8(field)); }

    // A freshly loaded dialog (the old one, if any, unloaded).
    static opton* fresh()
    {
        kolde_sub::unload_opton();
        return kolde_sub::opton_window();
    }

    // Picks a colour in the colour dialog that a swatch click opens.
    static void pick_colour(opton* d, int swatch, const QColor& colour)
    {
        QTimer::singleShot(0, [colour] {
            if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
                dialog->setCurrentColor(colour);
                dialog->accept();
            }
        });
        d->lbl_Click(swatch);
    }
};

QColor swatch_colour(const QLabel* l) { return l->palette().color(QPalette::Window); }

// Every bound field shows in its control when loaded, and a change of the
// control writes it back (Booleans as -1 and 0).
TEST_F(Options, EveryFieldIsLoadedIntoItsControlAndWrittenBack)
{
    for (const Binding& b : kolde_sub::opton_bindings()) {
        SCOPED_TRACE(b.field);
        // The controls of the row are usable.
        for (const char* on : b.enabled_when)
            if (on)
                set(on, Value::boolean(true));
        opton* d = fresh();
        switch (b.kind) {
        case BindingKind::Check:
            for (const bool value : {true, false}) {
                set(b.field, Value::boolean(value));
                d->load_settings();
                EXPECT_EQ(d->CheckBox[b.index]->isChecked(), value);
                d->CheckBox[b.index]->setChecked(!value);
                EXPECT_EQ(get(b.field).to_int(), value ? 0 : -1);
            }
            break;
        case BindingKind::OptionPair: {
            auto& pair = b.index == 1 ? d->Option1 : d->Option2;
            for (const bool value : {true, false}) {
                set(b.field, Value::boolean(value));
                d->load_settings();
                const int shown = value ? b.option_when_on : 1 - b.option_when_on;
                EXPECT_TRUE(pair[shown]->isChecked());
                pair[1 - shown]->setChecked(true);
                EXPECT_EQ(get(b.field).to_int(), value ? 0 : -1);
            }
            break;
        }
        case BindingKind::Slider:
            set(b.field, Value(3));
            d->load_settings();
            EXPECT_EQ(d->Slider->value(), 3);
            d->Slider->setValue(7);
            d->Slider_LostFocus();
            EXPECT_EQ(get(b.field).to_int(), 7);
            break;
        case BindingKind::Threshold:
            set(b.field, Value(1234));
            d->load_settings();
            EXPECT_EQ(d->TextBox[b.index]->text(), QStringLiteral("1234"));
            d->TextBox[b.index]->setText(QStringLiteral("987"));
            d->TextBox_LostFocus(b.index);
            EXPECT_EQ(get(b.field).to_int(), 987);
            break;
        case BindingKind::Colour:
            set(b.field, Value(0x123456LL));
            d->load_settings();
            EXPECT_EQ(swatch_colour(d->lbl[b.index]), QColor(0x56, 0x34, 0x12));
            pick_colour(d, b.index, QColor(10, 20, 30));
            EXPECT_EQ(get(b.field).to_int(), 30 * 65536 + 20 * 256 + 10);
            EXPECT_EQ(swatch_colour(d->lbl[b.index]), QColor(10, 20, 30));
            break;
        case BindingKind::Combo: {
            QComboBox* c = d->cmb[b.index];
            ASSERT_GT(c->count(), 1);
            const QString last = c->itemText(c->count() - 1);
            set(b.field, Value(last));
            d->load_settings();
            EXPECT_EQ(c->currentText(), last);
            c->setCurrentIndex(0);
            d->cmb_Click(b.index);
            // The print window is written by the close button only.
            const bool on_close = b.flags & kolde_sub::binding_flag::on_close;
            EXPECT_EQ(get(b.field).to_text(), on_close ? last : c->itemText(0));
            break;
        }
        case BindingKind::Shown:
            for (const bool value : {true, false}) {
                d->CheckBox[5]->setChecked(value);
                EXPECT_EQ(d->VScroll->isHidden(), !value);
            }
            break;
        }
    }
}

// Stored texts that are not among a list's entries are shown as they are,
// and loading does not write them over.
TEST_F(Options, StoredTextsOutsideTheListsAreShownAndKept)
{
    set("表示文字のフォント", Value(QStringLiteral("ＭＳ ゴシック")));
    set("時差", Value(QStringLiteral("±0")));
    set("LOCAL使用", Value::boolean(true));
    opton* d = fresh();
    EXPECT_EQ(d->cmb[0]->currentText(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(d->cmb[4]->currentText(), QStringLiteral("±0"));
    EXPECT_EQ(get("表示文字のフォント").to_text(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(get("時差").to_text(), QStringLiteral("±0"));
}

// Which controls are usable, after loading and after a change.
TEST_F(Options, DependentControlsFollowTheirSwitches)
{
    using Get = std::function<QWidget*(opton*)>;
    auto box = [](int i) -> Get { return [i](opton* d) { return d->CheckBox[i]; }; };
    auto text = [](int i) -> Get { return [i](opton* d) { return d->TextBox[i]; }; };
    auto swatch = [](int i) -> Get { return [i](opton* d) { return d->lbl[i]; }; };
    auto list = [](int i) -> Get { return [i](opton* d) { return d->cmb[i]; }; };
    auto option1 = [](int i) -> Get { return [i](opton* d) { return d->Option1[i]; }; };
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, bool>> fields;
        std::function<void(opton*)> action;  // after loading; may be empty
        std::vector<std::pair<Get, bool>> enabled;
    };
    const std::vector<Case> cases = {
            {"master off with every condition on",
             {{"計器気象状態を強調", false}, {"条件1有効", true}, {"条件2有効", true}, {"条件3有効", true}},
             {},
             {{box(6), false}, {box(7), false}, {box(8), false}, {box(10), false}, {box(11), false},
              {box(12), false}, {box(18), false}, {text(0), false}, {text(4), false}, {text(7), false},
              {swatch(2), false}, {swatch(13), false}, {swatch(28), false}}},
            {"master switched on again",
             {{"計器気象状態を強調", false}, {"条件1有効", true}, {"条件2有効", true}, {"条件3有効", true}},
             [](opton* d) { d->CheckBox[3]->setChecked(true); },
             {{box(6), true}, {box(8), true}, {box(10), true}, {box(12), true}, {box(18), true}, {text(0), true},
              {text(7), true}, {swatch(19), true}, {swatch(28), true}}},
            {"condition 2 off under the master",
             {{"計器気象状態を強調", true}, {"条件1有効", true}, {"条件2有効", false}},
             {},
             {{box(7), true}, {box(10), true}, {box(11), false}, {text(2), false}, {text(3), false},
              {text(4), false}, {swatch(25), false}, {swatch(13), false}, {text(0), true}}},
            {"condition 2 ticked",
             {{"計器気象状態を強調", true}, {"条件2有効", false}},
             [](opton* d) { d->CheckBox[7]->setChecked(true); },
             {{box(11), true}, {text(4), true}, {swatch(13), true}}},
            {"automatic decode off, then on",
             {{"自動デコード有効", false}},
             [](opton* d) { d->CheckBox[2]->setChecked(true); },
             {{box(9), true}}},
            {"automatic decode off", {{"自動デコード有効", true}}, [](opton* d) { d->CheckBox[2]->setChecked(false); },
             {{box(9), false}}},
            {"disconnect message off", {{"切断時メッセージ", false}}, {}, {{box(16), false}}},
            {"local time off", {{"LOCAL使用", false}}, {}, {{list(4), false}}},
            {"local time ticked", {{"LOCAL使用", false}}, [](opton* d) { d->CheckBox[23]->setChecked(true); },
             {{list(4), true}}},
            {"sequence on", {{"シーケンス表示", true}}, {}, {{list(9), true}}},
            {"sequence off", {{"シーケンス表示", false}}, {}, {{list(9), false}}},
            {"special colouring off", {{"SPECI着色", false}, {"天気略語着色", true}}, {}, {{swatch(48), false}, {swatch(49), true}}},
            {"print on update off with a time window",
             {{"印刷更新時印刷", false}, {"印刷時刻指定", true}},
             {},
             {{option1(0), false}, {option1(1), false}, {list(5), false}, {list(8), false}}},
            {"print on update with a time window",
             {{"印刷更新時印刷", true}, {"印刷時刻指定", true}},
             {},
             {{option1(0), true}, {list(5), true}, {list(8), true}}},
            {"print always", {{"印刷更新時印刷", true}, {"印刷時刻指定", true}},
             [](opton* d) { d->Option1[0]->setChecked(true); }, {{list(5), false}, {list(7), false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [field, on] : c.fields)
            set(field, Value::boolean(on));
        opton* d = fresh();
        if (c.action)
            c.action(d);
        for (const auto& [control, on] : c.enabled)
            EXPECT_EQ(control(d)->isEnabled(), on) << qPrintable(control(d)->objectName());
    }
}

// Print on update off leaves the chosen print mode as it was; on again, the
// mode follows the stored field.
TEST_F(Options, PrintModeIsKeptWhilePrintingOnUpdateIsOff)
{
    set("印刷更新時印刷", Value::boolean(false));
    set("印刷時刻指定", Value::boolean(true));
    opton* d = fresh();
    d->Option1[0]->setChecked(true);  // the loader's guard is off: this writes
    set("印刷時刻指定", Value::boolean(true));
    d->load_settings();
    EXPECT_TRUE(d->Option1[0]->isChecked());
    d->CheckBox[15]->setEnabled(true);
    d->CheckBox[15]->setChecked(true);
    EXPECT_TRUE(d->Option1[1]->isChecked());
    EXPECT_TRUE(d->cmb[6]->isEnabled());
}

// A threshold is the magnitude of the typed number, rounded half to even
// and kept within 0..32767; the box keeps what was typed.
TEST_F(Options, ThresholdsAreRoundedAndClampedBeforeTheWrite)
{
    const std::vector<std::pair<QString, long long>> cases = {
            {"1500", 1500}, {"-1500", 1500}, {"12ab", 12},   {"abc", 0},         {"", 0},
            {" 700", 700},  {"2.5", 2},      {"3.5", 4},     {"0.5", 0},         {"1499.6", 1500},
            {"32767", 32767}, {"32767.5", 32767}, {"40000", 32767}, {"-99999", 32767}, {"1e9", 32767}, {"1e400", 0},
    };
    opton* d = fresh();
    for (const auto& [typed, stored] : cases) {
        SCOPED_TRACE(qPrintable(typed));
        d->TextBox[4]->setText(typed);
        d->TextBox_LostFocus(4);
        EXPECT_EQ(get("RVR2").to_int(), stored);
        EXPECT_EQ(d->TextBox[4]->text(), typed);
    }
}

// An empty font is refused with a message and nothing is written.
TEST_F(Options, AnEmptyFontIsRefused)
{
    for (const int index : {0, 2}) {
        const char* field = index == 0 ? "表示文字のフォント" : "印刷文字のフォント";
        set(field, Value(QStringLiteral("Noto Sans Mono")));
        opton* d = fresh();
        QStringList messages;
        platform::set_msg_box_answerer([&](const platform::MsgBoxCall& call) {
            messages << call.title + u'|' + call.text;
            return platform::MsgAnswer::Ok;
        });
        d->cmb[index]->addItem(QString());
        d->cmb[index]->setCurrentIndex(d->cmb[index]->count() - 1);
        d->cmb_Click(index);
        EXPECT_EQ(messages, QStringList{QStringLiteral(" 確認|フォントを指定してください　　")});
        EXPECT_EQ(get(field).to_text(), QStringLiteral("Noto Sans Mono"));
    }
}

// The sequence hours put the hourly fetch into a slot of its own.
TEST_F(Options, NewSequenceHoursStartANewFetchSlot)
{
    opton* d = fresh();
    kolde_sub::cycle_slot = 3;
    d->cmb[9]->setCurrentText(QStringLiteral("5"));
    d->cmb_Click(9);
    EXPECT_EQ(get("シーケンス時間").to_int(), 5);
    EXPECT_EQ(kolde_sub::cycle_slot, 25);
}

// A settings write that fails leaves the control as the user set it.
TEST_F(Options, AFailingWriteKeepsTheControl)
{
    opton* d = fresh();
    const bool was = d->CheckBox[13]->isChecked();
    kolde_sub::close_database();
    d->CheckBox[13]->setChecked(!was);
    d->TextBox[0]->setText(QStringLiteral("77"));
    d->TextBox_LostFocus(0);
    EXPECT_EQ(d->CheckBox[13]->isChecked(), !was);
    EXPECT_EQ(d->TextBox[0]->text(), QStringLiteral("77"));
}

}  // namespace
