#include "window_rules.h"

#include <QFrame>

namespace kolde_sub {

void set_picture_border(QFrame* picture, bool border, bool three_d)
{
    picture->setFrameShape(border ? QFrame::Panel : QFrame::NoFrame);
    picture->setFrameShadow(three_d ? QFrame::Raised : QFrame::Plain);
}

bool picture_has_border(const QFrame* picture) { return picture->frameShape() != QFrame::NoFrame; }

bool picture_three_d(const QFrame* picture) { return picture->frameShadow() == QFrame::Raised; }

}  // namespace kolde_sub
