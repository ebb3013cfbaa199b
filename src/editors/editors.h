// The list and dictionary editors. Each is shown modal; until their grids
// are built they are plain windows with their names and captions that save
// nothing.
#pragma once

#include "core/placeholder.h"
#include "editors/company.h"
#include "editors/weather.h"

namespace kolde_sub {

// The airport list (飛行場情報).
class airport : public placeholder_window {
    Q_OBJECT
public:
    explicit airport(QWidget* parent = nullptr);
};

// The automatic-decode list (自動デコード).
class decodelist : public placeholder_window {
    Q_OBJECT
public:
    explicit decodelist(QWidget* parent = nullptr);
};

}  // namespace kolde_sub
