// The options dialog " 動作設定": every setting the user may change, each in
// its own control on four tabs, written to the settings record the moment
// its control changes. There is no OK or Cancel; the close button hides the
// dialog (it stays loaded), restore-defaults rewrites the defaults, and the
// other buttons test the two sounds and the printer.
#pragma once

#include "options/opton_bindings.h"
#include "platform/value.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QTabWidget;
class QTextEdit;

namespace kolde_sub {

class opton : public QDialog {
    Q_OBJECT
public:
    explicit opton(QWidget* parent = nullptr);
    ~opton() override;

    // ---- controls (which field each shows: opton_bindings(); the names of
    // the indexes: opton_bindings.h)
    QTabWidget* SSTab = nullptr;
    std::array<QCheckBox*, opton_index::check_count> CheckBox{};
    std::array<QComboBox*, opton_index::combo_count> cmb{};
    std::array<QLineEdit*, opton_index::threshold_count> TextBox{};
    // Only the swatches, the printer label and some captions are kept.
    std::array<QLabel*, opton_index::label_count> lbl{};
    std::array<QRadioButton*, 2> Option1{};  // print_always, print_timed
    std::array<QRadioButton*, 2> Option2{};  // buttons_grey, buttons_colour
    QSlider* Slider = nullptr;
    std::array<QPushButton*, opton_index::button_count> cmd{};
    std::array<QTextEdit*, 2> viewSample{};  // sample_display, sample_print
    QScrollBar* VScroll = nullptr;

    // A sound test is playing.
    bool sound_playing() const { return sound_wait_ != nullptr; }

    // ---- loading
    // Every field of the binding table into its control, with the enabled
    // state of the dependent controls, then the samples. Stores nothing.
    // Runs again at every opening, so the dialog shows what the main window
    // may have stored while it was hidden.
    void load_settings();
    // Checks the stored printer against the installed ones and shows the
    // result in lbl[opton_index::label_printer]; resets the print switches when it is not usable.
    void check_printer();
    void render_samples();
    void scroll_sample();

    // ---- change handlers (the user's changes; programmatic changes of a
    // check box or an option button run them too)
    void CheckBox_Click(int index);
    void cmb_Click(int index);
    void TextBox_LostFocus(int index);
    void lbl_Click(int index);
    void Option1_Click();
    void Option2_Click();
    void Slider_LostFocus();

    // ---- command buttons
    void cmd_Click(int index);

    // Closing by the window's close box unloads the dialog; Escape closes it
    // as the close button does.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The controls, created and placed (opton_layout.cpp), then connected
    // to their handlers.
    void build_controls();
    void wire_controls();
    void build_connection_tab(QWidget* page);
    void build_conditions_tab(QWidget* page);
    void build_display_tab(QWidget* page);
    int build_display_switches(QWidget* page);
    void build_print_tab(QWidget* page);
    void Form_Load();

    // with_print_window false: the print window lists keep what the user
    // chose, since only the close button stores them.
    void load_controls(bool with_print_window);
    void load_binding(const Binding& b);
    void apply_enabling(const Binding& b);
    QWidget* control_of(const Binding& b) const;
    // Writes a field; true when the record holds the value afterwards (a
    // failed write of the value already held counts as stored).
    bool write(SettingKey field, const platform::Value& value);
    // After a change of the user's that could not be stored: once the event
    // at hand is handled (a check box must not be set back while it is
    // being clicked), the controls show again what the record holds and the
    // user is told, once for the changes that failed meanwhile.
    void not_stored();
    void tell_not_stored();
    // After a field changed: the controls that depend on it follow.
    void follow(SettingKey field);

    void close_dialog();
    void restore_defaults();
    void test_sound(const QString& relative);
    void set_up_printer();
    void print_test();

    // Guards the change handlers while the loader sets the controls.
    bool loading_ = false;
    // A message of not_stored is due or shown.
    bool tell_due_ = false;
    bool* sound_wait_ = nullptr;  // set to end a sound test's wait
};

// For tests: replaces the media player of the sound tests. It starts the
// sound of path and calls finished when the sound has ended.
using SoundTestPlayer = std::function<void(const QString& path, std::function<void()> finished)>;
void set_sound_test_player(SoundTestPlayer player);

// The dialog, loaded without being shown when it is not loaded yet. It stays
// loaded until unload_opton (the main window's shut-down) or until it is
// closed by anything but its close button.
opton* opton_window();
bool opton_loaded();
void unload_opton();

}  // namespace kolde_sub
