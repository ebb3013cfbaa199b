#include "sidewin/open_windows.h"

#include <array>

namespace kolde_sub {

namespace {

std::array<bool, 4>& open_windows()
{
    static std::array<bool, 4> open{};
    return open;
}

}  // namespace

bool side_window_open(SideWindowId window) { return open_windows()[static_cast<std::size_t>(window)]; }
void mark_side_window(SideWindowId window, bool open) { open_windows()[static_cast<std::size_t>(window)] = open; }
void forget_side_windows() { open_windows().fill(false); }

}  // namespace kolde_sub
