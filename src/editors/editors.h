// The list and dictionary editors. Each is shown modal; until their grids
// are built they are plain windows with their names and captions that save
// nothing.
#pragma once

#include "core/placeholder.h"
#include "editors/airport.h"
#include "editors/airportedit.h"
#include "editors/decodelist.h"

namespace kolde_sub {

// The company groups (カンパニー).
class company : public placeholder_window {
    Q_OBJECT
public:
    explicit company(QWidget* parent = nullptr);
};

// The dictionaries and the picture registry, chosen by weather_mode when
// the window is created; closing it sets weather_mode back to 0.
class weather : public placeholder_window {
    Q_OBJECT
public:
    explicit weather(QWidget* parent = nullptr);
    ~weather() override;
};

// The caption of the dictionary editor in a mode (0, 1 or 2).
QString weather_caption(int mode);

}  // namespace kolde_sub
