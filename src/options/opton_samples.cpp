#include "options/opton_samples.h"

namespace kolde_sub {

// TODO(options): the samples are being written.
void render_samples(QTextEdit*, QTextEdit*) {}

}  // namespace kolde_sub
