// The explanation tip window: modeless, on top, loaded hidden by the main
// window's first activation.
#pragma once

#include <QWidget>

class QLabel;

namespace kolde_sub {

class tooltips;
// The tip window, created hidden on first access.
tooltips* tooltips_window();
// True when the tip window exists.
bool tooltips_loaded();
// Unloads the tip window; the next access creates it anew.
void unload_tooltips();

class tooltips : public QWidget {
    Q_OBJECT
public:
    tooltips();
    ~tooltips() override;
    QLabel* lbl = nullptr;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};

}  // namespace kolde_sub
