// The options dialog's command buttons: close, restore the defaults, the two
// sound tests, the printer set-up and the printer test page.
#include "options/opton.h"
#include "reports/colouring.h"

#include "core/clock.h"
#include "core/log.h"
#include "core/logging.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "options/failure_notices.h"
#include "options/printerselect.h"
#include "platform/msg_box.h"
#include "platform/printers.h"
#include "platform/sound.h"
#include "platform/wait.h"

#include <QAudioOutput>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QMediaPlayer>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTextEdit>
#include <QUrl>

#include <algorithm>
#include <array>
#include <memory>

namespace kolde_sub {

using namespace opton_index;

namespace {

SoundTestPlayer sound_test_player;

}  // namespace


namespace {

void show_notice(QWidget* parent, const QString& text)
{
    platform::msg_box(parent, platform::MsgIcon::Information, QStringLiteral(" 確認"), text);
}

}  // namespace

void set_sound_test_player(SoundTestPlayer player) { sound_test_player = std::move(player); }

void opton::cmd_Click(int index)
{
    // While a sound test plays, every button waits for it to end.
    if (sound_playing())
        return;
    QPointer<opton> self(this);
    switch (index) {
    case button_close: close_dialog(); return;
    case button_defaults: restore_defaults(); break;
    case button_alarm_test: test_sound(QStringLiteral("sound/error.wav")); break;
    case button_sound_test: test_sound(QStringLiteral("sound/ring.wav")); break;
    case button_printer_setup: set_up_printer(); break;
    case button_print_test: print_test(); break;
    default: return;
    }
    if (self)
        unsetCursor();
}

void opton::close_dialog()
{
    // The line speed as the slider shows it, also when the slider still has
    // the focus (Escape).
    if (setting_int(key::buffer) != Slider->value() && !write(key::buffer, platform::Value(Slider->value())))
        not_stored();
    set_update_interval(11 - Slider->value());
    if (setting_bool(key::print_on_update) && setting_bool(key::print_timed)) {
        const int start = print_time_minutes(cmb[combo_start_hour]->currentText(), cmb[combo_start_minute]->currentText());
        const int end = print_time_minutes(cmb[combo_end_hour]->currentText(), cmb[combo_end_minute]->currentText());
        if (start >= end) {
            show_notice(this, QStringLiteral("印刷終了時刻は印刷開始時刻より後に設定してください　　"));
            SSTab->setCurrentIndex(tab_print);
            return;
        }
    }
    const SettingKey window_fields[] = {key::print_start_hour, key::print_start_minute, key::print_end_hour, key::print_end_minute};
    for (int i = 0; i < 4; ++i) {
        if (!write(window_fields[i], platform::Value(cmb[combo_start_hour + i]->currentText())))
            not_stored();
    }
    // Hidden, the dialog stays loaded for the next opening.
    done(QDialog::Accepted);
}

void opton::restore_defaults()
{
    if (platform::msg_box(this, platform::MsgIcon::Question, QStringLiteral(" 確認"),
                          QStringLiteral("標準設定に変更しますか？　　"), platform::MsgButtons::YesNo)
        != platform::MsgAnswer::Yes)
        return;
    const bool reset = reset_settings();
    // The printer is "*" again: the print controls show what printing will
    // actually use.
    load_settings();
    color_report_text();
    if (!reset)
        tell_settings_not_stored(this);
}

void opton::test_sound(const QString& relative)
{
    const QString path = program_path(relative);
    if (!file_exists(path))
        return;
    write_log(QStringLiteral("ALARM  TEST  COMMAND"));

    int length = platform::wave_length_ms(path);
    if (length < 0 || length > 60000)
        length = 10000;
    // The wait ends with the sound, at the latest its length and a margin
    // later, or as soon as the dialog is hidden or unloaded.
    bool ended = false;
    QObject scope;
    std::unique_ptr<QMediaPlayer> player;
    std::unique_ptr<QAudioOutput> output;
    bool started = true;
    if (sound_test_player) {
        sound_test_player(path, [&ended] { ended = true; });
    } else {
        player = std::make_unique<QMediaPlayer>();
        output = std::make_unique<QAudioOutput>();
        player->setAudioOutput(output.get());
        connect(player.get(), &QMediaPlayer::mediaStatusChanged, &scope, [&ended](QMediaPlayer::MediaStatus s) {
            if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia)
                ended = true;
        });
        connect(player.get(), &QMediaPlayer::errorOccurred, &scope, [&ended] { ended = true; });
        player->setSource(QUrl::fromLocalFile(path));
        player->play();
        started = player->error() == QMediaPlayer::NoError;
    }
    QPointer<opton> self(this);
    bool stop = false;
    sound_wait_ = &stop;
    if (started && isVisible())
        platform::wait_until([&] { return ended || stop; }, [&] { return !self.isNull(); }, length + 1500);
    if (self)
        sound_wait_ = nullptr;
    if (player)
        player->stop();
}

void opton::set_up_printer()
{
    write_log(QStringLiteral("PRINTER  SETUP  COMMAND"));
    QPointer<opton> self(this);
    const bool chosen = show_printer_selection(this, PrinterChoice::setup);
    if (!self || !chosen)
        return;
    lbl[label_printer]->setStyleSheet(QStringLiteral("color: black;"));
    lbl[label_printer]->setText(setting_text(key::printer));
    for (QWidget* w : std::initializer_list<QWidget*>{cmd[button_print_test], CheckBox[check_print_bold], CheckBox[check_print_on_update], CheckBox[check_printer_dialog]})
        w->setEnabled(true);
}

void opton::print_test()
{
    write_log(QStringLiteral("PRINT  TEST  COMMAND"));
    setCursor(Qt::WaitCursor);
    const QString stored = setting_text(key::printer);
    if (platform::printer_names().contains(stored))
        platform::set_current_printer(stored);

    platform::PrintFont font;
    font.name = setting_text(key::print_font);
    const double size = static_cast<float>(setting(key::print_size).to_real());
    if (size > 0)
        font.size = size;
    font.bold = setting_bool(key::print_bold);

    const platform::Value version = setting(key::program_version);
    const QString version_text =
            version.is_null() ? QString() : QString::number(static_cast<double>(version_number(version)));
    const QDateTime now = now_local();
    if (!platform::print_text(print_test_header(version_text, now), viewSample[sample_print]->toPlainText(), font,
                              {program_path(QStringLiteral("print")), now})) {
        qCWarning(lc_options) << "printer test page failed on" << platform::current_printer();
        tell_print_failed(this);
    }
}

}  // namespace kolde_sub
