// The explanation tip window: one line of Japanese beside the pointer,
// frameless, on top, dragged by its body and closed by a click. When the
// line's first word has a picture in the picture registry (データ), the tip
// hands it to the picture window through data/figure.dat.
#pragma once

#include <functional>

#include <QByteArray>
#include <QCursor>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;

namespace platform {
class Recordset;
}

namespace kolde_sub {

// The tip window's height and its label's place, in twips.
inline constexpr int tip_height_twips = 315;
inline constexpr int tip_label_left_twips = 135;
inline constexpr int tip_label_top_twips = 75;
// The hover hint of the tip and of the picture.
inline constexpr char click_to_close_hint[] = " クリックすると閉じます ";

// Twips on the screen to pixels, for any 32-bit value.
[[nodiscard]] int screen_pixels(long long twips);

// The word whose picture a tip line shows: the line up to its first blank;
// nothing (an empty text) for a line without a blank.
[[nodiscard]] QString tip_picture_word(const QString& line);


// Moving a frameless window with the mouse held on its body. A press and a
// release with no move beyond the drag distance between them is a click.
class BodyDrag {
public:
    void press(QWidget* window, QPoint global);
    // A move with the left button held; true once it drags the window.
    bool move(QWidget* window, QPoint global);
    // The left button goes up; true when the press was a click.
    bool release();

    // What a window's body does with the mouse: its own press, move and
    // left-button release handlers.
    struct Handlers {
        std::function<void(Qt::MouseButton)> down;
        std::function<void(Qt::MouseButtons, QPoint)> move;
        std::function<void()> left_up;
    };
    // Routes a mouse event of the body of window to the handlers, a left
    // press first starting the drag; false for other events.
    bool route(QWidget* window, QEvent* e, const Handlers& h);

private:
    bool pressed_ = false;
    bool dragging_ = false;
    bool system_move_ = false;  // the window system moves the window itself
    QPoint pressed_at_;
    QPoint offset_;  // from the window's top-left corner to the pointer
};

class tooltips;
// The tip window, created hidden on first access.
tooltips* tooltips_window();
// True when the tip window exists.
bool tooltips_loaded();
// Unloads the tip window; the next access creates it anew.
void unload_tooltips();

// Puts the hand-over's text into the tip window, sizes it to the text,
// places it at the hand-over's x, y and shows it without taking the focus, then runs its
// activation.
void show_tooltip();

class tooltips : public QWidget {
    Q_OBJECT
public:
    tooltips();
    ~tooltips() override;
    QLabel* lbl = nullptr;
    // The two mouse cursors: [1] the normal one, [0] while the left button
    // is held on the label.
    std::array<QCursor, 2> Picture1;

    // Takes up a new tip text (only while the hand-over is fresh): an empty text
    // hides the tip; otherwise the picture of the text's first word, when
    // the registry has one, goes to the picture window.
    void Form_Activate();
    // A click on the window or its label: the tip goes, the picture stays.
    void Form_Click();
    void lbl_MouseDown(Qt::MouseButton button);
    // The left button goes up on the window or its label: the normal cursor
    // again, and a click when nothing was dragged.
    void lbl_MouseUp();
    // A move with buttons held drags the window, then the normal cursor
    // comes back.
    void Form_MouseMove(Qt::MouseButtons buttons, QPoint global);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    BodyDrag drag_;
};

}  // namespace kolde_sub
