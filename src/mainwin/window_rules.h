// The looks of the picture buttons (the image buttons and the address
// bar's go button): border style 1 is a single border, appearance 1 a
// raised (3-D) one; style 0 and appearance 0 are flat with no border.
#pragma once

class QFrame;

namespace kolde_sub {

void set_picture_border(QFrame* picture, bool border, bool three_d);
bool picture_has_border(const QFrame* picture);
bool picture_three_d(const QFrame* picture);

}  // namespace kolde_sub
