// The rules of the image buttons that need no window: which buttons act on
// a click, which need the network, which take the pressed look, where the
// explanation tip goes after a click on the console, and the buttons' faces.
//
// The buttons are img 0 to 17; img 18 + k is the grey face lying over
// button k.
#pragma once

#include <QImage>
#include <QPoint>

#include <array>
#include <cstdint>

namespace kolde_sub {

constexpr int button_count = 18;
constexpr int face_count = 2 * button_count;

// The buttons by name; the value is the button's index.
enum class Button : int {
    exit,
    save,
    print,
    stop_auto_decode,
    start_auto_decode,
    reload,
    clear_screen,
    scroll_bar,
    bold,
    options,
    update,
    command_list,
    airport_weather,
    home_page,
    help,
    close_pane,
    back,
    forward,
};
// No button is under the mouse (the hover look is off everywhere).
constexpr int no_button = 99;
// The buttons that work on the console (save to the command list), idle
// while the browser pane is shown, and the buttons of the pane.
constexpr bool console_button(int index)
{
    return index >= static_cast<int>(Button::save) && index <= static_cast<int>(Button::command_list);
}
constexpr bool pane_button(int index) { return index >= static_cast<int>(Button::close_pane) && index < button_count; }
inline constexpr std::array<Button, 3> pane_buttons{Button::close_pane, Button::back, Button::forward};

// Whether a click on element index does anything: never on a grey face (or
// any index outside 0 to 17), and not on buttons 1 to 11 while the browser
// pane is shown.
[[nodiscard]] bool button_acts(int index, bool pane_visible);

// Whether the button's command first needs the network (the automatic
// decode start, the reload, the update check, the three web pages and the
// pane's back and forward).
[[nodiscard]] bool button_needs_network(int index);

// Whether pressing element index shows the pressed look: in grey style
// buttons 0 to 16; in colour style with the pane shown button 0 and 12 to
// 17, with the pane hidden buttons 0 to 13.
[[nodiscard]] bool button_takes_pressed_look(int index, bool grey_style, bool pane_visible);

// The explanation tip's top-left corner in twips on the screen, for the
// cursor at a screen pixel: 100 twips right of and 100 twips above it, at
// 15 twips a pixel.
struct TipPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
};
[[nodiscard]] TipPosition tip_position(const QPoint& cursor_pixels);

// The 16 x 16 face of button index (0 to 17), in colour or grey; a null
// image for any other index.
[[nodiscard]] QImage button_face_image(int index, bool grey);

}  // namespace kolde_sub
