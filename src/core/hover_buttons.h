// The hover painting of a window's buttons: the button under the mouse is
// painted grey, the others in the button face.
#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;
class QPoint;
class QWidget;

namespace kolde_sub {

// The buttons of one window: the button under the mouse is painted grey,
// the others in the button face; hover() is 99 while the mouse is over
// none of them. Mouse moves over the buttons and over the given background
// widgets (the window itself, a grid) drive it.
class HoverButtons : public QObject {
    Q_OBJECT
public:
    static constexpr int none = 99;

    HoverButtons(QList<QAbstractButton*> buttons, QList<QWidget*> background);

    int hover() const { return hover_; }
    // The mouse moved over button i / over the background.
    void over_button(int i);
    void over_background();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paint_all_plain();
    // The index of the button at pos of a background widget, or -1.
    int button_at(QWidget* background, const QPoint& pos) const;

    QList<QAbstractButton*> buttons_;
    QList<QWidget*> background_;
    int hover_ = none;
};

}  // namespace kolde_sub
