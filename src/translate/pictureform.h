// The picture window: shows the picture left in data/figure.dat, sized to
// it, on top and modeless.
#pragma once

#include <QWidget>

class QLabel;

namespace kolde_sub {

class pictureform : public QWidget {
    Q_OBJECT
public:
    QLabel* pic = nullptr;

    ~pictureform() override;

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    friend pictureform* load_pictureform();
    pictureform();
    // Reads and deletes data/figure.dat; false when there is no picture.
    bool Form_Load();
};

// Loads the picture window (not shown). Without data/figure.dat, or with a
// file that holds no picture, the window unloads itself and the result is
// null; the file is deleted either way.
pictureform* load_pictureform();
// Unloads the picture window when one is loaded.
void unload_pictureform();

}  // namespace kolde_sub
