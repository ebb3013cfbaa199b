// The two live samples of the options dialog: the console as the main
// window will draw it, and the printed text.
#pragma once

class QTextEdit;

namespace kolde_sub {

// Rebuilds both samples from the settings record.
void render_samples(QTextEdit* display_sample, QTextEdit* print_sample);

}  // namespace kolde_sub
