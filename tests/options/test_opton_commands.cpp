// The options dialog's buttons: close with its checks, the defaults, the
// sound tests, the printer set-up and the printer test page.
#include "options/opton.h"

#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "options/printerselect.h"
#include "platform/msg_box.h"
#include "platform/printers.h"
#include "platform/value.h"
#include "reports/colouring.h"
#include "support/fixtures.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using kolde_sub::opton;
using platform::Value;

class OptionButtons : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        platform::set_printer_queues_for_tests({}, {});
        kolde_sub::printer_ready = false;
        kolde_sub::printer_setup_mode = false;
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

    static void set(const char* field, const Value& v)
    {
        ASSERT_TRUE(kolde_sub::set_setting(QString::fromUtf8(field), v)) << field;
    }
    static Value get(const char* field) { return kolde_sub::setting(QString::fromUtf8(field)); }
    static opton* fresh()
    {
        kolde_sub::unload_opton();
        return kolde_sub::opton_window();
    }
    static int log_count(const QString& text)
    {
        const QTableWidget* grid = kolde_sub::log_window()->grid;
        int n = 0;
        for (int r = 0; r < grid->rowCount(); ++r)
            n += grid->item(r, 2) && grid->item(r, 2)->text() == text;
        return n;
    }

    QStringList messages;
    platform::MsgAnswer answer = platform::MsgAnswer::Ok;
};

// Closing checks the print window, writes it, tells about a touched time
// difference once, and derives the update interval from the slider.
TEST_F(OptionButtons, CloseChecksThePrintWindowAndTheTimeDifference)
{
    const QString refused = QStringLiteral(" 確認|印刷終了時刻は印刷開始時刻より後に設定してください　　");
    const QString restart = QStringLiteral(" 確認|時差の変更を有効にするため、KOLDE を再起動してください　　");
    struct Case {
        bool on_update, timed;
        const char *from_h, *from_m, *to_h, *to_m;
        bool touched;
        int slider;
        bool accepted;
        QStringList messages;
    };
    const std::vector<Case> cases = {
            {true, true, "08", "00", "08", "00", false, 10, false, {refused}},
            {true, true, "17", "30", "08", "00", true, 5, false, {refused}},
            {true, true, "08", "00", "17", "30", false, 10, true, {}},
            {false, true, "23", "00", "01", "00", false, 1, true, {}},
            {true, false, "23", "00", "01", "00", true, 3, true, {restart}},
    };
    set("プリンター", Value(QStringLiteral("PDF")));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from_h << c.from_m << "-" << c.to_h << c.to_m << c.on_update << c.timed);
        set("印刷更新時印刷", Value::boolean(c.on_update));
        set("印刷時刻指定", Value::boolean(c.timed));
        for (const char* f : {"印刷開始時", "印刷開始分", "印刷終了時", "印刷終了分"})
            set(f, Value(QStringLiteral("12")));
        opton* d = fresh();
        d->show();
        d->cmb[5]->setCurrentText(QString::fromUtf8(c.from_h));
        d->cmb[6]->setCurrentText(QString::fromUtf8(c.from_m));
        d->cmb[7]->setCurrentText(QString::fromUtf8(c.to_h));
        d->cmb[8]->setCurrentText(QString::fromUtf8(c.to_m));
        d->Slider->setValue(c.slider);
        d->timezone_touched = c.touched;
        messages.clear();
        d->cmd_Click(0);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(kolde_sub::update_interval, 11 - c.slider);
        EXPECT_EQ(d->isVisible(), !c.accepted);
        EXPECT_EQ(get("印刷開始時").to_text(), c.accepted ? QString::fromUtf8(c.from_h) : QStringLiteral("12"));
        EXPECT_EQ(get("印刷終了分").to_text(), c.accepted ? QString::fromUtf8(c.to_m) : QStringLiteral("12"));
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

// Opening the time-difference list counts as touching it.
TEST_F(OptionButtons, OpeningTheTimeDifferenceListAsksForARestart)
{
    opton* d = fresh();
    d->show();
    d->cmb[4]->showPopup();
    d->cmb[4]->hidePopup();
    d->cmd_Click(0);
    EXPECT_EQ(messages, QStringList{QStringLiteral(" 確認|時差の変更を有効にするため、KOLDE を再起動してください　　")});
}

// Any close but the close button unloads the dialog.
TEST_F(OptionButtons, TheCloseBoxUnloadsTheDialog)
{
    opton* d = fresh();
    d->show();
    d->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(kolde_sub::opton_loaded());
}

// The defaults: No changes nothing; Yes writes every default, leaves the
// fields without one, shows the defaults and checks the printer again.
TEST_F(OptionButtons, RestoreTheDefaults)
{
    // Every field away from its default.
    for (const kolde_sub::SettingField& f : kolde_sub::settings_fields()) {
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
        ASSERT_TRUE(kolde_sub::set_setting(name, other)) << f.name;
    }
    auto snapshot = [] {
        std::vector<Value> values;
        for (const kolde_sub::SettingField& f : kolde_sub::settings_fields())
            values.push_back(kolde_sub::setting(QString::fromUtf8(f.name)));
        return values;
    };
    opton* d = fresh();
    ASSERT_EQ(d->lbl[47]->text(), QStringLiteral("PDF"));
    const std::vector<Value> before = snapshot();
    // Recolouring the console empties its typed-line label.
    kolde_sub::recolour_report_console = kolde_sub::color_report_text;
    QTextEdit console;
    QLabel typed(QStringLiteral("RJ"));
    kolde_sub::set_report_console(&console, &typed);

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
        else if (name == QStringLiteral("印刷時ダイアログ"))  // no printer chosen: off
            EXPECT_EQ(after[i].to_int(), 0);
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
    kolde_sub::recolour_report_console = nullptr;
}

// A printer that is no longer installed is named as missing and forgotten.
TEST_F(OptionButtons, AVanishedPrinterIsForgotten)
{
    set("プリンター", Value(QStringLiteral("GONE")));
    set("印刷時ダイアログ", Value::boolean(true));
    opton* d = fresh();
    EXPECT_EQ(d->lbl[47]->text(), QStringLiteral("GONE が見つかりません"));
    EXPECT_FALSE(d->cmd[5]->isEnabled());
    EXPECT_TRUE(d->cmd[4]->isEnabled());
    EXPECT_FALSE(kolde_sub::printer_ready);
    EXPECT_EQ(get("プリンター").to_text(), QStringLiteral("*"));
    EXPECT_EQ(get("印刷時ダイアログ").to_int(), 0);
    EXPECT_EQ(fresh()->lbl[47]->text(), QStringLiteral("出力先プリンターを設定してください"));
}

// The printer set-up stores the choice and makes the print controls usable;
// cancelled, it changes nothing.
TEST_F(OptionButtons, PrinterSetUp)
{
    for (const bool accept : {false, true}) {
        set("プリンター", Value(QStringLiteral("*")));
        opton* d = fresh();
        QTimer::singleShot(0, [accept] {
            if (auto* s = qobject_cast<kolde_sub::printerselect*>(QApplication::activeModalWidget()))
                s->cmd_Click(accept ? 1 : 0);
        });
        d->cmd_Click(4);
        EXPECT_EQ(log_count(QStringLiteral("PRINTER  SETUP  COMMAND")), accept ? 2 : 1);
        EXPECT_FALSE(kolde_sub::printer_setup_mode);
        EXPECT_EQ(get("プリンター").to_text(), accept ? QStringLiteral("PDF") : QStringLiteral("*"));
        EXPECT_EQ(d->lbl[47]->text(), accept ? QStringLiteral("PDF") : QStringLiteral("出力先プリンターを設定してください"));
        EXPECT_EQ(d->cmd[5]->isEnabled(), accept);
        EXPECT_EQ(d->CheckBox[15]->isEnabled(), accept);
    }
}

// The test page goes to the chosen printer: the heading, then the print
// sample.
TEST_F(OptionButtons, TestPageOnThePdfPrinter)
{
    set("プリンター", Value(QStringLiteral("PDF")));
    set("KOLDEバージョン", Value(QStringLiteral("4.31")));
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
}

// A wave of silence of the given length.
QByteArray silent_wave(int ms)
{
    const quint32 rate = 8000, bytes = rate * ms / 1000;
    QByteArray w;
    auto u32 = [&w](quint32 v) { for (int i = 0; i < 4; ++i) w.append(char((v >> (8 * i)) & 0xFF)); };
    auto u16 = [&w](quint16 v) { w.append(char(v & 0xFF)); w.append(char(v >> 8)); };
    w.append("RIFF");
    u32(36 + bytes);
    w.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate);
    u16(1);
    u16(8);
    w.append("data");
    u32(bytes);
    w.append(QByteArray(int(bytes), char(0x80)));
    return w;
}

// While a test plays, a second test and the close button are ignored; the
// wait ends with the sound, or when the dialog is hidden. A missing file
// does nothing.
TEST_F(OptionButtons, SoundTestGuard)
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

    ASSERT_TRUE(kolde_test::write_file(folder.file(QStringLiteral("sound/error.wav")), silent_wave(30000)));
    for (const bool by_hiding : {true, false}) {
        SCOPED_TRACE(by_hiding);
        d->show();
        played.clear();
        bool playing = false, still_shown = false;
        QTimer::singleShot(0, [&] {
            playing = d->sound_playing() && !kolde_sub::sound_done;
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
        EXPECT_TRUE(kolde_sub::sound_done);
    }
    EXPECT_EQ(log_count(QStringLiteral("ALARM  TEST  COMMAND")), 2);
}

}  // namespace
