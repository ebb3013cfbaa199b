// The airport entry dialog: one ICAO code and one airport name, taken for
// the airport list either as a new airport or as a change to the selected
// one. It is handed an AirportEntry and answers with one (entry()).
#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kolde_sub {

class HoverButtons;

// The hand-over between the airport list and the entry dialog. The list
// hands the mode (add_airport_mode or modify_airport_mode) and, to modify,
// the code and name; the dialog's answer keeps the mode to confirm (the
// trimmed entry then stands in the other two) or has cancel_mode.
struct AirportEntry {
    QString mode;
    QString code;
    QString name;
};

inline const QString add_airport_mode = QStringLiteral("飛行場情報の追加");
inline const QString modify_airport_mode = QStringLiteral("飛行場情報の修正");
inline const QString cancel_mode = QStringLiteral("CNL");

class airportedit : public QDialog {
    Q_OBJECT
public:
    explicit airportedit(AirportEntry entry, QWidget* parent = nullptr);

    // The answer (see AirportEntry).
    const AirportEntry& entry() const { return entry_; }

    // 0 the ICAO code (upper case, four characters at most), 1 the name.
    std::array<QLineEdit*, 2> TextBox{};
    std::array<QLabel*, 2> lbl{};
    // 0 confirms ("追  加" or "修  正"), 1 cancels.
    std::array<QPushButton*, 2> cmd{};
    HoverButtons* hover = nullptr;
    // A key went to the code box since its last registration test.
    bool code_edited = false;

    void cmd_Click(int index);
    void TextBox_GotFocus(int index);
    void TextBox_KeyDown(int index);
    void TextBox_LostFocus(int index);

    // Every way of closing ends here: anything but a confirmation (Cancel,
    // the close box, Escape) answers as cancel; Caps Lock goes off.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AirportEntry entry_;

    void Form_Load();
    // Looks code up in the saved catalogue; on a match shows the stored name,
    // puts the focus back into the code box and tells the user.
    bool refuse_registered(const QString& code);
};

}  // namespace kolde_sub
