// The console's text control: it shows the reports and the typed line and
// changes nothing of its text by itself. The mouse and the keys place the
// caret, select, scroll and copy. What would write into it (a paste from the
// keyboard or with the middle button, a drop, an input method's text) is
// handed to on_paste as plain text instead; the command line types that into
// the typed line at the end of the console.
#pragma once

#include <QTextEdit>

#include <functional>

namespace kolde_sub {

class ConsoleEdit : public QTextEdit {
public:
    explicit ConsoleEdit(QWidget* parent = nullptr);

    std::function<void(const QString&)> on_paste;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    // A left click on a line only partly in view scrolls it whole into
    // view, as in an editable text.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    // Tab types nothing, and the focus stays on the console.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void hand_over(const QString& text);
};

}  // namespace kolde_sub
