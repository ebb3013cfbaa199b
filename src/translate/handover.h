// What the console's mouse handlers, the word search and the tip and picture
// windows hand each other: the explanation, where the tip goes, whether it
// shows, and the picture on its way.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace kolde_sub {

struct TipHandover {
    // The explanation shown in the tip window.
    QString text;
    // Screen position of the tip's top-left corner, in twips.
    std::int32_t x = 0;
    std::int32_t y = 0;
    // The tip is showing.
    bool shown = false;
    // The tip window takes up the text as a new explanation when it shows.
    bool fresh = false;
    // A picture is on its way through data/figure.dat; the picture window
    // clears it when it is shown.
    bool picture_pending = false;
};

// Shared state, one object, written only through the operations below: the
// console's mouse handlers place the tip and begin an explanation, the tip
// window takes it up and dismisses it, the picture window and the word
// search mark the picture on its way.
const TipHandover& tip_handover();
// A button release on the console: the tip goes at x, y and shows.
void place_tip(std::int32_t x, std::int32_t y);
// A new explanation begins; text is what it found.
void begin_explanation();
void set_tip_text(const QString& text);
// The tip window takes up a new explanation: false when there is none.
bool take_new_tip();
// The tip goes: not showing, and the next one is a new explanation.
void dismiss_tip();
void set_picture_pending(bool pending);
// Changes the hand-over as a test sets it up.
void change_tip_handover(const std::function<void(TipHandover&)>& change);

}  // namespace kolde_sub
