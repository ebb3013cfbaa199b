// The wait notice shown while the options dialog is built.
#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QTimer;

namespace kolde_sub {

// The wait notice: a borderless box in the console's colours, centred on
// the screen. It hides start_frame (when given); once it is on the screen
// its one-shot timer closes it and shows the options dialog modal, so a
// caller waiting in exec returns only when the dialog has closed.
class fontmsg : public QDialog {
    Q_OBJECT
public:
    explicit fontmsg(QWidget* start_frame, QWidget* parent = nullptr);
    // The frame around the two lines, drawn in the text colour.
    QFrame* spe = nullptr;
    std::array<QLabel*, 2> Label1{};
    QTimer* Timer = nullptr;

    void Timer_Timer();

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace kolde_sub
