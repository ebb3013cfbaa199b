// The two live samples of the options dialog: the console as the main
// window will draw it, and the printed text.
#pragma once

#include "reports/colouring.h"

#include <QString>

#include <vector>

class QTextEdit;

namespace kolde_sub {

// The local-time stamps of the special report and of the forecast in the
// samples: two-digit hour, two-digit minute, zone letter.
struct SampleStamps {
    QString speci;
    QString taf;
};

// With local time off, or a time difference of 0: "0825Z" and "0842Z". With
// local time on and a difference of h whole hours (-12..+12): the hour
// 8 + h within the day and the zone letter of h ("+9" gives "1725I" and
// "1742I"). Any other difference gives two empty stamps.
SampleStamps sample_stamps(bool local, const QString& time_difference);

// The display sample: a special report, a forecast, an empty line, the
// ready prompt and a last line of one blank (CR LF breaks, none at the end).
QString display_sample_text(const SampleStamps& stamps);
// The print sample: the report and forecast lines of the display sample.
QString print_sample_text(const SampleStamps& stamps);

// The colours the console's rules give the display sample (positions in
// text with CR LF breaks) under the settings' switches for special reports
// and weather words. The sample shows one weight throughout and none of the
// colour conditions, so neither appears in the spans.
std::vector<Span> display_sample_spans(const QString& text, ColourSettings settings);

// Rebuilds both samples from the settings record, then places the display
// sample's caret (scroll_sample). Either control may be null.
void render_samples(QTextEdit* display_sample, QTextEdit* print_sample);

// Puts the display sample's caret after its first character when 先頭行 is
// set (its top in view), else at the end of its text, and gives it the
// focus while it is shown.
void scroll_sample(QTextEdit* display_sample);

}  // namespace kolde_sub
