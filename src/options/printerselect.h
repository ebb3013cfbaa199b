// The printer selection " プリンター選択": a modal choice among the installed
// printers. In print mode its print button makes the choice the current
// printer for the rest of the run; in settings mode (asked for by the options
// dialog) its button stores the choice in プリンター.
#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QPushButton;

namespace kolde_sub {

enum class PrinterChoice {
    print,  // the choice becomes the current printer
    setup,  // the choice is stored (the options dialog)
};

class printerselect : public QDialog {
    Q_OBJECT
public:
    explicit printerselect(PrinterChoice mode, QWidget* parent = nullptr);

    QComboBox* cmb = nullptr;
    // 0 cancel ("キャンセル", or "閉じる" when no printer is installed),
    // 1 print ("印 刷") or, in settings mode, set ("設 定").
    std::array<QPushButton*, 2> cmd{};

    void cmd_Click(int index);

    // Every way of closing ends here. A close by the window's own close
    // button or Escape answers as cancel does.
    void done(int result) override;

private:
    PrinterChoice mode_;

    void Form_Load();
};

// Shows the selection modally over parent (centred on it); true when a
// usable printer has been chosen (made current, or stored in settings mode).
bool show_printer_selection(QWidget* parent, PrinterChoice mode = PrinterChoice::print);

}  // namespace kolde_sub
