// Printing of the sun-time window: one A4 landscape page on the current
// printer, either text placed at positions in twips or an image scaled to
// the page. The built-in "PDF" printer writes a new file into the folder
// given, named as the program's other printouts are.
#pragma once

#include "platform/printers.h"
#include "sidewin/sun_table.h"

#include <QList>
#include <QString>

class QImage;

namespace kolde_sub {

// Each item in the family given at its size and weight, its top at its
// position; an item too wide for the rest of its line is made smaller. False when the printer cannot be opened or the job fails.
[[nodiscard]] bool print_placed_text(const QList<PrintItem>& items, const QString& family,
                                     const platform::PdfPlace& pdf);
// The image as large as the page allows, its proportions kept.
[[nodiscard]] bool print_page_image(const QImage& image, const platform::PdfPlace& pdf);

}  // namespace kolde_sub
