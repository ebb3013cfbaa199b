// What the translation of a report reads in the running program: the
// airport catalogue, the two dictionaries and the time settings.
#pragma once

#include "translate/translation.h"

class QObject;

namespace kolde_sub {

// Look-ups over the shared recordsets rs_airport(), rs_translation() and
// rs_abbrev() (each asked for at the moment of the look-up, so a list saved
// meanwhile is the one read), LOCAL使用 and 時差 as they stand now, and a
// yield that lets the window system handle its pending events. The yield
// ends the translation once caller (when given: the window the translation
// is for) has been destroyed.
TranslationSources stored_translation_sources(const QObject* caller = nullptr);

}  // namespace kolde_sub
