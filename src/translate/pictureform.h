// The picture window: shows the picture handed over in data/figure.dat,
// sized to it, frameless and on top; dragged by the picture, closed by a
// click on it.
#pragma once

#include "tooltips.h"

#include <QCursor>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include <array>

class QLabel;

namespace kolde_sub {

// Where the picture window goes, in screen pixels: with a tip on screen,
// 100 twips below the tip's bottom edge at the tip's left (tip_left and
// tip_top in twips, the tip's height as it is on screen, in pixels);
// otherwise centred in a rectangle of the main window's size (in pixels)
// placed at the screen's top-left corner.
[[nodiscard]] QPoint picture_position(bool tip_on_screen, long long tip_left, long long tip_top, int tip_height,
                                      QSize own, QSize main_window);
// True while a tip is on screen: the tip window shows and has taken up its
// text (the hand-over not fresh).
[[nodiscard]] bool tip_on_screen();

class pictureform : public QWidget {
    Q_OBJECT
public:
    QLabel* pic = nullptr;
    // The two mouse cursors: [1] the normal one, [0] while the left button
    // is held on the picture.
    std::array<QCursor, 2> Picture1;

    ~pictureform() override;

    // Places a newly handed-on picture (only while a picture is pending)
    // below the tip or centred, and clears the pending mark.
    void Form_Activate();
    void pict_Click();
    void pict_MouseDown(Qt::MouseButton button);
    void pict_MouseMove(Qt::MouseButtons buttons, QPoint global);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    friend pictureform* load_pictureform();
    pictureform();
    // Reads and deletes data/figure.dat; false when there is no picture.
    bool Form_Load();
    BodyDrag drag_;
};

// Loads the picture window afresh (not shown), unloading one that is
// loaded. Without data/figure.dat, or with a file that holds no picture Qt
// can read, the window gives up: the result is null, the file is deleted
// and the pending mark is cleared.
pictureform* load_pictureform();
// Shows the picture window, loading it first when none is loaded (a loaded
// one keeps its picture and the hand-off file stays), then runs its
// activation. Null when loading gave up.
pictureform* show_pictureform();
// Hands bytes to the picture window: writes them to data/figure.dat, sets
// the picture as pending and shows the window. Null, with nothing pending, when
// bytes is empty or the file cannot be written; null with the pending mark
// cleared when the window finds no picture it can show.
pictureform* hand_over_picture(const QByteArray& bytes);
// Unloads the picture window when one is loaded.
void unload_pictureform();

}  // namespace kolde_sub
