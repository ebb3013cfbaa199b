// The image buttons above the console: the button bar with its 18 buttons
// and their 18 grey faces, what a click on each does, the pressed look and
// the hover look.
//
// The elements are img 0 to 17, the buttons, then img 18 + k, the grey face
// lying over button k (button_rules.h). The handlers receive the element's
// index.
#pragma once

#include <array>

struct ConsoleSession;
class QFrame;
class QLabel;
class QObject;
class QWidget;
class view;
namespace kolde_test { class ViewDriver; }

namespace kolde_sub {

enum class Button : int;
enum class WebPage;

class ImageButtons {
public:
    // Creates the button bar on parent, the client area of window v.
    ImageButtons(view& v, ConsoleSession& session, QWidget* parent);

    QFrame* bar() const { return Frame; }
    QLabel* image(int index) const { return img[static_cast<std::size_t>(index)]; }
    QLabel* button(Button b) const;
    QLabel* grey_face(Button b) const;
    // The element index of o, or -1 when o is none of the elements.
    int index_of(const QObject* o) const;

    // What the display settings make of the bar: the grey faces of the
    // command buttons shown or not, and the browser buttons with their
    // divider shown, widening the bar, or not.
    void show_grey_faces(bool shown);
    void show_browser_buttons(bool shown);

    // A click (press and release of the left button on the same element):
    // the button's command. Grey faces, and buttons 1 to 11 while the
    // browser pane is shown, do nothing; the network buttons refuse while
    // offline with the no-connection box.
    void img_Click(int index);
    // Pressing and releasing the mouse on an element: the pressed look on
    // and off, for the buttons that take it in the current style.
    void img_MouseDown(int index);
    void img_MouseUp(int index);
    // The mouse over element index: its hover look.
    void img_MouseMove(int index);
    // The mouse elsewhere: the hover look comes off the buttons.
    void remove_button_hover();
    // After the display settings were applied, which puts every grey face
    // back: the hover look of the element the mouse was last on, again, so
    // that the button under the mouse still takes the next click.
    void renew_button_hover();

private:
    friend class kolde_test::ViewDriver;

    // The buttons' commands, in the order of the buttons.
    void exit();
    void save();
    void print();
    void stop_auto_decode();
    void start_auto_decode();
    void reload();
    void clear_screen();
    void toggle_scroll_bar();
    void toggle_bold();
    void options();
    void update();
    void command_list();
    void airport_weather();
    void home_page();
    void help();
    void close_pane();
    void back();
    void forward();
    void open_web_page(WebPage page);

    view& v_;
    ConsoleSession& session_;
    QFrame* Frame = nullptr;        // the button bar
    std::array<QLabel*, 36> img{};  // the 18 buttons, then their 18 grey faces
    QFrame* Shape1 = nullptr;       // shown with the browser buttons
    int hovered_button = 0;
};

}  // namespace kolde_sub
