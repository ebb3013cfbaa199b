// The wait notice shown while the options dialog is built.
#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QTimer;

namespace kolde_sub {

// The wait notice: hides start_frame (when given), then closes itself on a
// one-shot timer and shows the options dialog modal; returns when the
// dialog has closed.
class fontmsg : public QDialog {
    Q_OBJECT
public:
    explicit fontmsg(QWidget* start_frame, QWidget* parent = nullptr);
    std::array<QLabel*, 2> Label1{};
    QTimer* Timer = nullptr;

    void Timer_Timer();
};

}  // namespace kolde_sub
