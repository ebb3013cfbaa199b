#include "pictureform.h"

#include "handover.h"

#include "core/shared.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPointer>

namespace kolde_sub {

// Stand-in until the translation and explanation are built: the window
// shows the picture it is handed; nothing hands it one yet.
pictureform::pictureform()
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("pictureform"));
    setAttribute(Qt::WA_DeleteOnClose);
    pic = new QLabel(this);
    pic->setObjectName(QStringLiteral("pic"));
}

bool pictureform::Form_Load()
{
    const QString path = program_path(QStringLiteral("data/figure.dat"));
    if (!file_exists(path))
        return false;
    QByteArray bytes;
    {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            bytes = f.readAll();
    }
    QFile::remove(path);
    QPixmap picture;
    if (!picture.loadFromData(bytes))
        return false;
    pic->setPixmap(picture);
    pic->resize(picture.size());
    setFixedSize(picture.size());
    return true;
}

namespace {

QPointer<pictureform> the_pictureform;

}  // namespace

pictureform* load_pictureform()
{
    unload_pictureform();
    auto* w = new pictureform;
    if (!w->Form_Load()) {
        delete w;
        return nullptr;
    }
    the_pictureform = w;
    return w;
}

void unload_pictureform() { delete the_pictureform.data(); }

// However the window goes, nobody waits for it any longer.
pictureform::~pictureform() { picture_pending = false; }

void pictureform::showEvent(QShowEvent* e)
{
    // The word search waits for this.
    picture_pending = false;
    QWidget::showEvent(e);
}

void pictureform::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        picture_pending = false;
    QWidget::changeEvent(e);
}

}  // namespace kolde_sub
