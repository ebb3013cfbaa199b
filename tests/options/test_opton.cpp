// The options dialog: every field in its control and back, the enabling of
// dependent controls, the thresholds, and the command buttons.
#include "options/opton.h"

#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "options/printerselect.h"
#include "platform/msg_box.h"
#include "platform/printers.h"
#include "platform/value.h"
#include "reports/colouring.h"
#include "reports/request.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>
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
        // A usable printer, so the print switches keep their fields.
        set(kolde_sub::key::printer, Value(QStringLiteral("PDF")));
        platform::set_msg_box_answerer([this](const platform::MsgBoxCall& call) {
            messages << call.title + u'|' + call.text;
            return answer;
        });
    }
    void TearDown() override
    {
        kolde_sub::unload_opton();
        kolde_sub::set_sound_test_player({});
        platform::reset_printers();
        SeededStore::TearDown();
    }

    static void set(kolde_sub::SettingKey field, const Value& v)
    {
        ASSERT_TRUE(kolde_sub::set_setting(field, v)) << field.name();
    }
    static Value get(kolde_sub::SettingKey field) { return kolde_sub::setting(field); }

    // A freshly loaded dialog (the old one, if any, unloaded).
    static opton* fresh()
    {
        kolde_sub::unload_opton();
        return kolde_sub::opton_window();
    }

    // Every field of the settings record.
    static std::vector<Value> snapshot()
    {
        std::vector<Value> values;
        for (const kolde_sub::SettingKey key : kolde_sub::all_setting_keys())
            values.push_back(kolde_sub::setting(key));
        return values;
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
    static int log_count(const QString& text)
    {
        const kolde_sub::log_model* rows = kolde_sub::log_book();
        int n = 0;
        for (int r = 0; r < rows->rowCount(); ++r)
            n += rows->row(r).text == text;
        return n;
    }

    QStringList messages;
    platform::MsgAnswer answer = platform::MsgAnswer::Ok;
};

QColor swatch_colour(const QLabel* l) { return l->palette().color(QPalette::Window); }

// Every bound field shows in its control when loaded, and a change of the
// control writes it back (Booleans as -1 and 0).
TEST_F(Options, EveryFieldIsLoadedIntoItsControlAndWrittenBack)
{
    for (const Binding& b : kolde_sub::opton_bindings()) {
        SCOPED_TRACE(b.field.name());
        // The controls of the row are usable.
        for (const std::optional<kolde_sub::SettingKey>& on : b.enabled_when)
            if (on)
                set(*on, Value::boolean(true));
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
    set(kolde_sub::key::display_font, Value(QStringLiteral("ＭＳ ゴシック")));
    set(kolde_sub::key::time_difference, Value(QStringLiteral("±0")));
    set(kolde_sub::key::local_time, Value::boolean(true));
    opton* d = fresh();
    EXPECT_EQ(d->cmb[0]->currentText(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(d->cmb[4]->currentText(), QStringLiteral("±0"));
    EXPECT_EQ(get(kolde_sub::key::display_font).to_text(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(get(kolde_sub::key::time_difference).to_text(), QStringLiteral("±0"));
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
        std::vector<std::pair<kolde_sub::SettingKey, bool>> fields;
        std::function<void(opton*)> action;  // after loading; may be empty
        std::vector<std::pair<Get, bool>> enabled;
    };
    const std::vector<Case> cases = {
            {"master off with every condition on",
             {{kolde_sub::key::emphasise_conditions, false}, {kolde_sub::key::condition1, true}, {kolde_sub::key::condition2, true}, {kolde_sub::key::condition3, true}},
             {},
             {{box(6), false}, {box(7), false}, {box(8), false}, {box(10), false}, {box(11), false},
              {box(12), false}, {box(18), false}, {text(0), false}, {text(4), false}, {text(7), false},
              {swatch(2), false}, {swatch(13), false}, {swatch(28), false}}},
            {"master switched on again",
             {{kolde_sub::key::emphasise_conditions, false}, {kolde_sub::key::condition1, true}, {kolde_sub::key::condition2, true}, {kolde_sub::key::condition3, true}},
             [](opton* d) { d->CheckBox[3]->setChecked(true); },
             {{box(6), true}, {box(8), true}, {box(10), true}, {box(12), true}, {box(18), true}, {text(0), true},
              {text(7), true}, {swatch(19), true}, {swatch(28), true}}},
            {"condition 2 off under the master",
             {{kolde_sub::key::emphasise_conditions, true}, {kolde_sub::key::condition1, true}, {kolde_sub::key::condition2, false}},
             {},
             {{box(7), true}, {box(10), true}, {box(11), false}, {text(2), false}, {text(3), false},
              {text(4), false}, {swatch(25), false}, {swatch(13), false}, {text(0), true}}},
            {"condition 2 ticked",
             {{kolde_sub::key::emphasise_conditions, true}, {kolde_sub::key::condition2, false}},
             [](opton* d) { d->CheckBox[7]->setChecked(true); },
             {{box(11), true}, {text(4), true}, {swatch(13), true}}},
            {"automatic decode off, then on",
             {{kolde_sub::key::auto_decode, false}},
             [](opton* d) { d->CheckBox[2]->setChecked(true); },
             {{box(9), true}}},
            {"disconnect message off", {{kolde_sub::key::disconnect_message, false}}, {}, {{box(16), false}}},
            {"local time ticked", {{kolde_sub::key::local_time, false}}, [](opton* d) { d->CheckBox[23]->setChecked(true); },
             {{list(4), true}}},
            {"sequence off", {{kolde_sub::key::sequence, false}}, {}, {{list(9), false}}},
            {"special colouring off", {{kolde_sub::key::speci_colouring, false}, {kolde_sub::key::weather_colouring, true}}, {}, {{swatch(48), false}, {swatch(49), true}}},
            {"print on update off with a time window",
             {{kolde_sub::key::print_on_update, false}, {kolde_sub::key::print_timed, true}},
             {},
             {{option1(0), false}, {option1(1), false}, {list(5), false}, {list(8), false}}},
            {"print on update with a time window",
             {{kolde_sub::key::print_on_update, true}, {kolde_sub::key::print_timed, true}},
             {},
             {{option1(0), true}, {list(5), true}, {list(8), true}}},
            {"print always", {{kolde_sub::key::print_on_update, true}, {kolde_sub::key::print_timed, true}},
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

// A threshold is the magnitude of the leading number, full-width digits
// read as digits, rounded half to even and kept within 0..32767.
TEST(OptionsThreshold, ValueOfTheTypedText)
{
    const std::vector<std::pair<QString, long long>> cases = {
            {"1500", 1500}, {"-1500", 1500}, {"12ab", 12},   {"abc", 0},         {"", 0},
            {" 700", 700},  {"2.5", 2},      {"3.5", 4},     {"0.5", 0},         {"1499.6", 1500},
            {"32767", 32767}, {"32767.5", 32767}, {"40000", 32767}, {"-99999", 32767}, {"1e9", 32767}, {"1e400", 0},
            {"２００", 200}, {"－１５００", 1500}, {"　８００", 800}, {"１２．５", 12}, {"１２ａｂ", 12}, {"ａｂｃ", 0},
            {"1２3", 123},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(kolde_sub::threshold_value(typed), stored) << qPrintable(typed);
}

// Typed into a threshold box (full-width text as the input method commits
// it), the value is stored when editing ends and the box shows what was
// stored.
TEST_F(Options, AThresholdBoxShowsWhatIsStored)
{
    const std::vector<std::pair<QString, QString>> cases = {
            {"２００", "200"}, {"99999", "32767"}, {"abc", "0"},
    };
    opton* d = fresh();
    d->show();
    d->SSTab->setCurrentIndex(1);
    QLineEdit* box = d->TextBox[4];
    for (const auto& [typed, shown] : cases) {
        SCOPED_TRACE(qPrintable(typed));
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QApplication::sendEvent(box, &commit);
        ASSERT_EQ(box->text(), typed);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(get(kolde_sub::key::rvr2).to_text(), shown);
        EXPECT_EQ(box->text(), shown);
    }
}

// An empty font is refused with a message and nothing is written.
TEST_F(Options, AnEmptyFontIsRefused)
{
    for (const int index : {0, 2}) {
        const kolde_sub::SettingKey field = index == 0 ? kolde_sub::key::display_font : kolde_sub::key::print_font;
        set(field, Value(QStringLiteral("Noto Sans Mono")));
        opton* d = fresh();
        messages.clear();
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
    kolde_sub::current_request().take_cycle_slot(3);
    d->cmb[9]->setCurrentText(QStringLiteral("5"));
    d->cmb_Click(9);
    EXPECT_EQ(get(kolde_sub::key::sequence_hours).to_int(), 5);
    EXPECT_EQ(kolde_sub::current_request().cycle_slot(), 25);
}

// Closing checks the print window, writes it and derives the update
// interval from the slider.
TEST_F(Options, CloseChecksThePrintWindow)
{
    const QString refused = QStringLiteral(" 確認|印刷終了時刻は印刷開始時刻より後に設定してください　　");
    struct Case {
        bool on_update, timed;
        const char *from_h, *from_m, *to_h, *to_m;
        int slider;
        bool accepted;
        QStringList messages;
    };
    const std::vector<Case> cases = {
            {true, true, "08", "00", "08", "00", 10, false, {refused}},
            {true, true, "17", "30", "08", "00", 5, false, {refused}},
            {true, true, "08", "00", "17", "30", 10, true, {}},
            {false, true, "23", "00", "01", "00", 1, true, {}},
            {true, false, "23", "00", "01", "00", 3, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from_h << c.from_m << "-" << c.to_h << c.to_m << c.on_update << c.timed);
        set(kolde_sub::key::print_on_update, Value::boolean(c.on_update));
        set(kolde_sub::key::print_timed, Value::boolean(c.timed));
        for (kolde_sub::SettingKey f : {kolde_sub::key::print_start_hour, kolde_sub::key::print_start_minute, kolde_sub::key::print_end_hour, kolde_sub::key::print_end_minute})
            set(f, Value(QStringLiteral("12")));
        opton* d = fresh();
        d->show();
        d->cmb[5]->setCurrentText(QString::fromUtf8(c.from_h));
        d->cmb[6]->setCurrentText(QString::fromUtf8(c.from_m));
        d->cmb[7]->setCurrentText(QString::fromUtf8(c.to_h));
        d->cmb[8]->setCurrentText(QString::fromUtf8(c.to_m));
        d->Slider->setValue(c.slider);
        messages.clear();
        d->cmd_Click(0);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(kolde_sub::update_interval(), 11 - c.slider);
        EXPECT_EQ(d->isVisible(), !c.accepted);
        EXPECT_EQ(get(kolde_sub::key::print_start_hour).to_text(), c.accepted ? QString::fromUtf8(c.from_h) : QStringLiteral("12"));
        EXPECT_EQ(get(kolde_sub::key::print_end_minute).to_text(), c.accepted ? QString::fromUtf8(c.to_m) : QStringLiteral("12"));
        if (!c.accepted) {
            EXPECT_EQ(d->SSTab->currentIndex(), 3);
        }
        // Hidden, the dialog stays loaded; a second close tells nothing.
        d->show();
        messages.clear();
        if (c.accepted) {
            d->cmd_Click(0);
            EXPECT_TRUE(messages.isEmpty());
            EXPECT_TRUE(kolde_sub::opton_loaded());
        }
    }
}

namespace {

void click_box(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    QTest::mouseClick(box, Qt::LeftButton, {},
                      box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
}

}  // namespace

// On a full disk a change made by the user is not stored: the user is told
// once, and the control shows what is stored again; with room on the disk
// the same change is stored.
TEST_F(Options, AChangeThatCannotBeStoredIsToldAndUndone)
{
    using namespace kolde_sub::opton_index;
    struct Case {
        kolde_sub::SettingKey field;
        QWidget* control;
        std::function<void()> change;
        std::function<Value()> shown;  // as the record would hold it
    };
    for (kolde_sub::SettingKey on : {kolde_sub::key::emphasise_conditions, kolde_sub::key::condition1, kolde_sub::key::condition2})
        set(on, Value::boolean(true));
    opton* d = fresh();
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    const auto box = [d](kolde_sub::SettingKey field, int i) {
        return Case{field, d->CheckBox[i], [d, i] { click_box(d->CheckBox[i]); },
                    [d, i] { return Value::boolean(d->CheckBox[i]->isChecked()); }};
    };
    QLineEdit* threshold = d->TextBox[threshold_cloud1];
    const QString told = QStringLiteral(" エラー|動作設定 を保存できませんでした。変更は保存されていません　　");
    const Case cases[] = {
            box(kolde_sub::key::check_version_on_start, check_version_on_start),
            box(kolde_sub::key::condition2, check_condition2),  // reloads the dialog
            {kolde_sub::key::cloud_height1, threshold,
             [threshold] {
                 QTest::keyClicks(threshold, QStringLiteral("7"));
                 QTest::keyClick(threshold, Qt::Key_Tab);
             },
             [threshold] { return Value(threshold->text().toLongLong()); }},
            {kolde_sub::key::buffer, d->Slider,
             [d] {
                 QTest::keyClick(d->Slider, Qt::Key_Left);
                 d->cmd[button_close]->setFocus();
             },
             [d] { return Value(d->Slider->value()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.name());
        for (int i = 0; i < d->SSTab->count(); ++i)
            if (d->SSTab->widget(i)->isAncestorOf(c.control))
                d->SSTab->setCurrentIndex(i);
        const Value before = get(c.field);
        for (const bool disk_full : {true, false}) {
            messages.clear();
            std::optional<kolde_test::FileSizeLimit> full;
            if (disk_full)
                full.emplace(1024);
            c.control->setFocus();
            c.change();
            QCoreApplication::processEvents();
            full.reset();
            EXPECT_EQ(messages, disk_full ? QStringList{told} : QStringList());
            EXPECT_EQ(get(c.field).to_text() == before.to_text(), disk_full);
            EXPECT_EQ(c.shown().to_text(), get(c.field).to_text());
        }
    }
}

// The main window changes settings while the dialog is hidden (image
// button 8, an empty automatic-decode list); the next opening shows them.
TEST_F(Options, AReopenedDialogShowsWhatWasStoredMeanwhile)
{
    set(kolde_sub::key::display_bold, Value::boolean(true));
    set(kolde_sub::key::auto_decode, Value::boolean(true));
    opton* d = fresh();
    d->show();
    QTest::mouseClick(d->cmd[0], Qt::LeftButton);
    ASSERT_FALSE(d->isVisible());
    set(kolde_sub::key::display_bold, Value::boolean(false));
    set(kolde_sub::key::auto_decode, Value::boolean(false));
    d->show();
    EXPECT_FALSE(d->CheckBox[0]->isChecked());
    EXPECT_FALSE(d->CheckBox[2]->isChecked());
    EXPECT_FALSE(d->CheckBox[9]->isEnabled());
}

// A click on a switch that reloads the controls keeps a print window that
// is chosen but not yet stored; the close button then stores it.
TEST_F(Options, ASwitchThatReloadsKeepsTheUnsavedPrintWindow)
{
    for (const int box : {3, 6, 7, 8, 9}) {
        SCOPED_TRACE(box);
        for (kolde_sub::SettingKey on : {kolde_sub::key::print_on_update, kolde_sub::key::print_timed, kolde_sub::key::auto_decode, kolde_sub::key::emphasise_conditions})
            set(on, Value::boolean(true));
        set(kolde_sub::key::print_start_hour, Value(QStringLiteral("08")));
        opton* d = fresh();
        d->show();
        QTest::keyClick(d->cmb[5], Qt::Key_Down);
        d->SSTab->setCurrentIndex(box == 9 ? 0 : 1);
        const bool was = d->CheckBox[box]->isChecked();
        click_box(d->CheckBox[box]);
        ASSERT_NE(d->CheckBox[box]->isChecked(), was);
        EXPECT_EQ(d->cmb[5]->currentText(), QStringLiteral("09"));
        QTest::mouseClick(d->cmd[0], Qt::LeftButton);
        EXPECT_EQ(get(kolde_sub::key::print_start_hour).to_text(), QStringLiteral("09"));
    }
}

// Escape closes the dialog as the close button does: the print window and
// the line speed are kept, or the refusal is told and the dialog stays.
TEST_F(Options, EscapeClosesLikeTheCloseButton)
{
    for (const bool window_ok : {true, false}) {
        SCOPED_TRACE(window_ok);
        set(kolde_sub::key::print_on_update, Value::boolean(true));
        set(kolde_sub::key::print_timed, Value::boolean(true));
        for (kolde_sub::SettingKey f : {kolde_sub::key::print_start_hour, kolde_sub::key::print_start_minute, kolde_sub::key::print_end_minute})
            set(f, Value(QStringLiteral("08")));
        set(kolde_sub::key::print_end_hour, Value(QString::fromLatin1(window_ok ? "17" : "09")));
        set(kolde_sub::key::buffer, Value(10));
        opton* d = fresh();
        d->show();
        QTest::keyClick(d->cmb[5], Qt::Key_Down);
        QTest::keyClick(d->Slider, Qt::Key_Left);
        messages.clear();
        QTest::keyClick(d->Slider, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(kolde_sub::opton_loaded());
        EXPECT_EQ(d->isVisible(), !window_ok);
        EXPECT_EQ(messages.size(), window_ok ? 0 : 1);
        EXPECT_EQ(kolde_sub::update_interval(), 2);
        EXPECT_EQ(get(kolde_sub::key::buffer).to_int(), 9);
        EXPECT_EQ(get(kolde_sub::key::print_start_hour).to_text(), window_ok ? QStringLiteral("09") : QStringLiteral("08"));
    }
}

// 時差 acts at once (the program reads it at every use): changing it and
// LOCAL使用 asks for no restart.
TEST_F(Options, ChangingTheTimeDifferenceAsksForNoRestart)
{
    opton* d = fresh();
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
    d->cmb[4]->showPopup();
    d->cmb[4]->hidePopup();
    QTest::mouseClick(d->CheckBox[kolde_sub::opton_index::check_local_time], Qt::LeftButton);
    QTest::mouseClick(d->cmd[0], Qt::LeftButton);
    EXPECT_EQ(messages, QStringList());
}

// Any close but the close button unloads the dialog.
TEST_F(Options, TheCloseBoxUnloadsTheDialog)
{
    opton* d = fresh();
    d->show();
    d->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(kolde_sub::opton_loaded());
}

// The defaults: No changes nothing; Yes writes every default, leaves the
// fields without one, shows the defaults and checks the printer again.
TEST_F(Options, RestoreTheDefaults)
{
    // Every field away from its default.
    for (const kolde_sub::SettingKey key : kolde_sub::all_setting_keys()) {
        const kolde_sub::SettingField& f = key.field();
        const QString name = QString::fromUtf8(f.name);
        Value other;
        switch (f.type) {
        case kolde_sub::SettingType::Boolean: other = Value::boolean(f.number == 0); break;
        case kolde_sub::SettingType::Integer:
        case kolde_sub::SettingType::Colour: other = Value(f.number + 3); break;
        case kolde_sub::SettingType::Version: other = Value(QStringLiteral("1.5")); break;
        default: other = Value(QStringLiteral("07")); break;
        }
        if (name == QStringLiteral("プリンター"))
            other = Value(QStringLiteral("PDF"));
        ASSERT_TRUE(kolde_sub::set_setting(key, other)) << f.name;
    }
    opton* d = fresh();
    ASSERT_EQ(d->lbl[47]->text(), QStringLiteral("PDF"));
    const std::vector<Value> before = snapshot();
    // Recolouring the console empties its typed-line label.
    QTextEdit console;
    QLabel typed(QStringLiteral("RJ"));
    kolde_sub::set_report_console(&console, [&typed] { typed.clear(); });

    answer = platform::MsgAnswer::No;
    d->cmd_Click(1);
    EXPECT_EQ(messages, QStringList{QStringLiteral(" 確認|標準設定に変更しますか？　　")});
    EXPECT_TRUE(snapshot() == before);
    EXPECT_EQ(typed.text(), QStringLiteral("RJ"));

    answer = platform::MsgAnswer::Yes;
    d->cmd_Click(1);
    const std::vector<Value> after = snapshot();
    for (size_t i = 0; i < after.size(); ++i) {
        const kolde_sub::SettingField& f = kolde_sub::settings_fields()[i];
        SCOPED_TRACE(f.name);
        const QString name = QString::fromUtf8(f.name);
        if (f.default_kind == kolde_sub::SettingField::Default::None)
            EXPECT_TRUE(after[i] == before[i]);
        else
            EXPECT_EQ(after[i].to_text(), kolde_sub::settings_default(f).to_text());
    }
    EXPECT_EQ(d->lbl[47]->text(), QStringLiteral("出力先プリンターを設定してください"));
    EXPECT_FALSE(d->cmd[5]->isEnabled());
    EXPECT_FALSE(d->CheckBox[25]->isEnabled());
    EXPECT_TRUE(d->CheckBox[2]->isChecked());
    EXPECT_EQ(d->TextBox[0]->text(), QStringLiteral("1000"));
    EXPECT_EQ(d->Slider->value(), 10);
    EXPECT_TRUE(typed.text().isEmpty());
    kolde_sub::set_report_console(nullptr, nullptr);
}

// 標準設定 on a full disk says that nothing was stored.
TEST_F(Options, DefaultsThatCannotBeStoredAreTold)
{
    set(kolde_sub::key::buffer, Value(3));
    opton* d = fresh();
    answer = platform::MsgAnswer::Yes;
    {
        kolde_test::FileSizeLimit full(1024);
        d->cmd_Click(1);
    }
    EXPECT_EQ(messages, (QStringList{QStringLiteral(" 確認|標準設定に変更しますか？　　"),
                                     QStringLiteral(" エラー|動作設定 を保存できませんでした。変更は保存されていません　　")}));
    EXPECT_EQ(get(kolde_sub::key::buffer).to_int(), 3);
    EXPECT_EQ(d->Slider->value(), 3);
}

// Opening the options changes no setting: with no printer chosen, with one
// that is no longer installed (named as missing, its switches shown off) and
// with one that is there, 印刷時ダイアログ and the printer stay as stored.
TEST_F(Options, OpeningChangesNoSetting)
{
    for (const char* printer : {"*", "GONE", "PDF"}) {
        SCOPED_TRACE(printer);
        set(kolde_sub::key::printer, Value(QString::fromLatin1(printer)));
        set(kolde_sub::key::print_dialog, Value::boolean(true));
        const std::vector<Value> before = snapshot();
        opton* d = fresh();
        d->show();
        d->close();
        EXPECT_TRUE(snapshot() == before);
        if (QByteArray(printer) == "GONE") {
            EXPECT_EQ(d->lbl[47]->text(), QStringLiteral("GONE が見つかりません"));
            EXPECT_FALSE(d->cmd[5]->isEnabled());
            EXPECT_FALSE(d->CheckBox[25]->isChecked());
        }
    }
}

// The printer set-up stores the choice and makes the print controls usable;
// cancelled, it changes nothing.
TEST_F(Options, PrinterSetUp)
{
    for (const bool accept : {false, true}) {
        set(kolde_sub::key::printer, Value(QStringLiteral("*")));
        opton* d = fresh();
        QTimer::singleShot(0, [accept] {
            if (auto* s = qobject_cast<kolde_sub::printerselect*>(QApplication::activeModalWidget()))
                s->cmd_Click(accept ? 1 : 0);
        });
        d->cmd_Click(4);
        EXPECT_EQ(log_count(QStringLiteral("PRINTER  SETUP  COMMAND")), accept ? 2 : 1);
        EXPECT_EQ(get(kolde_sub::key::printer).to_text(), accept ? QStringLiteral("PDF") : QStringLiteral("*"));
        EXPECT_EQ(d->lbl[47]->text(), accept ? QStringLiteral("PDF") : QStringLiteral("出力先プリンターを設定してください"));
        EXPECT_EQ(d->cmd[5]->isEnabled(), accept);
        EXPECT_EQ(d->CheckBox[15]->isEnabled(), accept);
    }
}

// The test page goes to the chosen printer: the heading, then the print
// sample.
TEST_F(Options, TestPageOnThePdfPrinter)
{
    set(kolde_sub::key::printer, Value(QStringLiteral("PDF")));
    set(kolde_sub::key::program_version, Value(QStringLiteral("4.31")));
    opton* d = fresh();
    d->cmd_Click(5);
    EXPECT_EQ(log_count(QStringLiteral("PRINT  TEST  COMMAND")), 1);
    const QString pdf = platform::last_pdf_path();
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(pdf.startsWith(kolde_sub::program_path(QStringLiteral("print"))));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("*** KOLDE PRINT TEST ***"))) << qPrintable(printed);
    EXPECT_TRUE(platform::last_printed_lines().value(0).startsWith(
            QStringLiteral("*** KOLDE PRINT TEST ***   Version 4.31   ")));
    const QString sample = d->viewSample[1]->toPlainText();
    EXPECT_EQ(platform::last_printed_lines().mid(2), sample.isEmpty() ? QStringList() : sample.split(u'\n'));

    // A test page that cannot be written is told.
    const QString print_folder = kolde_sub::program_path(QStringLiteral("print"));
    ASSERT_TRUE(QDir(print_folder).removeRecursively());
    ASSERT_TRUE(kolde_test::write_file(print_folder, "x"));
    messages.clear();
    d->cmd_Click(5);
    EXPECT_EQ(messages, QStringList{QStringLiteral(" エラー|印刷できませんでした　　")});
}

// While a test plays, a second test and the close button are ignored; the
// wait ends with the sound, or when the dialog is hidden. A missing file
// does nothing.
TEST_F(Options, SoundTestGuard)
{
    QStringList played;
    std::function<void()> finish;
    kolde_sub::set_sound_test_player([&](const QString& path, std::function<void()> finished) {
        played << path;
        finish = std::move(finished);
    });
    opton* d = fresh();
    d->show();
    d->cmd_Click(3);  // no ring.wav
    EXPECT_EQ(log_count(QStringLiteral("ALARM  TEST  COMMAND")), 0);
    EXPECT_TRUE(played.isEmpty());

    ASSERT_TRUE(kolde_test::write_file(folder.file(QStringLiteral("sound/error.wav")), QByteArray("RIFF")));
    for (const bool by_hiding : {true, false}) {
        SCOPED_TRACE(by_hiding);
        d->show();
        played.clear();
        bool playing = false, still_shown = false;
        QTimer::singleShot(0, [&] {
            playing = d->sound_playing();
            d->cmd_Click(2);
            d->cmd_Click(0);
            still_shown = d->isVisible();
            if (by_hiding)
                d->hide();
            else
                finish();
        });
        d->cmd_Click(2);
        EXPECT_EQ(played, QStringList{folder.file(QStringLiteral("sound/error.wav"))});
        EXPECT_TRUE(playing);
        EXPECT_TRUE(still_shown);
        EXPECT_EQ(d->isVisible(), !by_hiding);
        EXPECT_FALSE(d->sound_playing());
    }
    EXPECT_EQ(log_count(QStringLiteral("ALARM  TEST  COMMAND")), 2);
}

// The text buttons of the dialog (beside the tabs and on the print tab) and
// of the printer selection turn grey under the pointer and plain again over
// the background. The second move within a button is one the button hands
// on to its window; it must not undo the grey.
TEST_F(Options, TextButtonsTurnGreyUnderThePointer)
{
    using namespace kolde_sub::opton_index;
    opton* d = fresh();
    d->SSTab->setCurrentIndex(tab_print);
    kolde_sub::printerselect select(kolde_sub::PrinterChoice::print);
    QPushButton* defaults = d->cmd[button_defaults];
    const QPoint beside_buttons(defaults->x() - 8, defaults->y() + defaults->height() / 2);
    QWidget* print_tab = d->SSTab->widget(tab_print);
    const std::tuple<QWidget*, QPoint, QPushButton*> cases[] = {
        {d, beside_buttons, d->cmd[button_close]},          {d, beside_buttons, defaults},
        {print_tab, {2, 2}, d->cmd[button_printer_setup]}, {print_tab, {2, 2}, d->cmd[button_print_test]},
        {&select, {2, 2}, select.cmd[0]},                   {&select, {2, 2}, select.cmd[1]},
    };
    for (const auto& [window, background, button] : cases) {
        SCOPED_TRACE(button->text().toStdString());
        d->setVisible(window->window() == d);  // one window at a time
        window->window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->window()));
        ASSERT_EQ(window->childAt(background), nullptr);
        // The face away from the caption shows the colour the button is painted in.
        const auto face = [b = button] { return b->grab().toImage().pixelColor(b->width() / 10, b->height() / 2); };
        QTest::mouseMove(window, background);
        const QColor plain = face();
        ASSERT_GT(plain.value(), 0xD0) << plain.name().toStdString();
        for (const QPoint& p : {button->rect().center(), button->rect().center() + QPoint(3, 1)}) {
            QTest::mouseMove(button, p);
            EXPECT_LT(face().value(), 0xB0) << face().name().toStdString();
        }
        QTest::mouseMove(window, background);
        EXPECT_EQ(face(), plain);
        // Left grey, a button turns plain when the pointer leaves the window
        // and when the window is hidden and shown again.
        QTest::mouseMove(button, button->rect().center());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(window->window(), &leave);
        EXPECT_GT(face().value(), 0xD0) << face().name().toStdString();
        QTest::mouseMove(button, button->rect().center());
        window->window()->hide();
        window->window()->show();
        EXPECT_GT(face().value(), 0xD0) << face().name().toStdString();
    }
}

}  // namespace
