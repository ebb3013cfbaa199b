// A window whose real content is still to come: it carries its name and
// caption, says what it will hold and closes with its button. A window
// that postpones the heartbeat's next cycle when it loads does so already.
#pragma once

#include <QDialog>

namespace kolde_sub {

class placeholder_window : public QDialog {
    Q_OBJECT
public:
    placeholder_window(const QString& name, const QString& caption, const QString& purpose,
                       bool postpones_cycle, QWidget* parent = nullptr);
};

}  // namespace kolde_sub
