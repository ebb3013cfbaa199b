#include "button_rules.h"

#include <QString>

#include <algorithm>
#include <limits>

// The faces are a resource of this static library; it is registered once,
// before the first face is read. (The registration function has to be named
// outside any namespace.)
static void register_button_faces()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace kolde_sub {

bool button_acts(int index, bool pane_visible)
{
    if (index < 0 || index >= button_count)
        return false;
    return !(pane_visible && index >= 1 && index <= 11);
}

bool button_needs_network(int index)
{
    switch (index) {
    case 4:
    case 5:
    case 10:
    case 12:
    case 13:
    case 14:
    case 16:
    case 17:
        return true;
    default:
        return false;
    }
}

bool button_takes_pressed_look(int index, bool grey_style, bool pane_visible)
{
    if (grey_style)
        return index >= 0 && index <= 16;
    if (pane_visible)
        return index == 0 || (index >= 12 && index <= 17);
    return index >= 0 && index <= 13;
}

TipPosition tip_position(const QPoint& cursor_pixels)
{
    const auto twips = [](long long pixels, long long offset) {
        const long long v = pixels * 15 + offset;
        return static_cast<std::int32_t>(std::clamp<long long>(v, std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
    };
    return {twips(cursor_pixels.x(), 100), twips(cursor_pixels.y(), -100)};
}

QImage button_face_image(int index, bool grey)
{
    if (index < 0 || index >= button_count)
        return {};
    register_button_faces();
    return QImage(QStringLiteral(":/buttons/button_%1%2.png")
                          .arg(index, 2, 10, QLatin1Char('0'))
                          .arg(grey ? QStringLiteral("_grey") : QString()));
}

}  // namespace kolde_sub
