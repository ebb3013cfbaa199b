#include "handover.h"

namespace kolde_sub {

namespace {

TipHandover& state()
{
    static TipHandover tip;
    return tip;
}

}  // namespace

const TipHandover& tip_handover() { return state(); }

void place_tip(std::int32_t x, std::int32_t y)
{
    state().x = x;
    state().y = y;
    state().shown = true;
}

void begin_explanation() { state().fresh = true; }
void set_tip_text(const QString& text) { state().text = text; }

bool take_new_tip()
{
    if (!state().fresh)
        return false;
    state().fresh = false;
    return true;
}

void dismiss_tip()
{
    state().shown = false;
    state().fresh = true;
}

void set_picture_pending(bool pending) { state().picture_pending = pending; }
void change_tip_handover(const std::function<void(TipHandover&)>& change) { change(state()); }

}  // namespace kolde_sub
