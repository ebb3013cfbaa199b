#include "sidewin/sun_print.h"

#include "platform/printers.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace kolde_sub {

bool print_placed_text(const QList<PrintItem>& items, const QString& family, const platform::PdfPlace& pdf)
{
    return platform::print_painted_page(
        [&](QPainter& painter, QPagedPaintDevice& device) {
            const double dots_per_twip = device.logicalDpiX() / 1440.0;
            const double dots_per_twip_y = device.logicalDpiY() / 1440.0;
            painter.setPen(Qt::black);
            for (const PrintItem& item : items) {
                QFont font(family);
                font.setPointSizeF(item.size);
                font.setBold(item.bold);
                // Glyphs straight from the font's character map: the PDF's
                // text layer can name only those, so shaped variants would
                // leave numbers out of a copied or searched printout.
                font.setStyleStrategy(QFont::PreferNoShaping);
                const double x = item.x * dots_per_twip;
                // A line that would run off the page is printed smaller
                // rather than cut at the edge.
                const double room = device.width() - x;
                const double width = QFontMetricsF(font, &device).horizontalAdvance(item.text);
                if (width > room && room > 0)
                    font.setPointSizeF(std::max(1.0, item.size * room / width * 0.98));
                painter.setFont(font);
                const QFontMetricsF metrics(font, &device);
                painter.drawText(QPointF(x, item.y * dots_per_twip_y + metrics.ascent()), item.text);
            }
        },
        true, pdf);
}

bool print_page_image(const QImage& image, const platform::PdfPlace& pdf)
{
    return platform::print_painted_page(
        [&](QPainter& painter, QPagedPaintDevice& device) {
            if (image.isNull())
                return;
            const QSize fitted = image.size().scaled(device.width(), device.height(), Qt::KeepAspectRatio);
            painter.drawImage(QRect(QPoint(0, 0), fitted), image);
        },
        true, pdf);
}

}  // namespace kolde_sub
