#include "sidewin/sun_print.h"

#include "platform/printers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <functional>

namespace kolde_sub {

namespace {

QString last_pdf;

using PagePainter = std::function<void(QPainter&, QPagedPaintDevice&)>;

bool paint_page(QPagedPaintDevice& device, const PagePainter& paint)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paint(painter, device);
    return painter.end();
}

// A new file named by the time; an existing file is never reused.
bool open_new_pdf(const QString& folder, QFile& file)
{
    if (!QDir().mkpath(folder))
        return false;
    const QString stem = folder + QStringLiteral("/KOLDE-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    for (int n = 1; n < 1000; ++n) {
        file.setFileName(n == 1 ? stem + QStringLiteral(".pdf") : stem + QStringLiteral("-%1.pdf").arg(n));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        if (!file.exists())
            return false;
    }
    return false;
}

bool print_page(const PagePainter& paint, const QString& pdf_folder)
{
    const QString name = platform::current_printer();
    if (name == platform::pdf_printer_name) {
        QFile file;
        if (!open_new_pdf(pdf_folder, file))
            return false;
        bool ok;
        {
            QPdfWriter writer(&file);
            writer.setCreator(QStringLiteral("KOLDE"));
            writer.setTitle(QStringLiteral("KOLDE"));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            ok = paint_page(writer, paint);
        }
        file.close();
        ok = ok && file.error() == QFileDevice::NoError && file.size() > 0;
        if (!ok) {
            file.remove();
            return false;
        }
        last_pdf = file.fileName();
        return true;
    }
    if (QPrinterInfo::printerInfo(name).isNull())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
    // An unusable queue makes QPrinter fall back to writing a file.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != name || !printer.isValid())
        return false;
    printer.setDocName(QStringLiteral("KOLDE"));
    return paint_page(printer, paint);
}

}  // namespace

bool print_placed_text(const QList<PrintItem>& items, const QString& family, const QString& pdf_folder)
{
    return print_page(
        [&](QPainter& painter, QPagedPaintDevice& device) {
            const double dots_per_twip = device.logicalDpiX() / 1440.0;
            const double dots_per_twip_y = device.logicalDpiY() / 1440.0;
            painter.setPen(Qt::black);
            for (const PrintItem& item : items) {
                QFont font(family);
                font.setPointSizeF(item.size);
                font.setBold(item.bold);
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
        pdf_folder);
}

bool print_page_image(const QImage& image, const QString& pdf_folder)
{
    return print_page(
        [&](QPainter& painter, QPagedPaintDevice& device) {
            if (image.isNull())
                return;
            const QSize fitted = image.size().scaled(device.width(), device.height(), Qt::KeepAspectRatio);
            painter.drawImage(QRect(QPoint(0, 0), fitted), image);
        },
        pdf_folder);
}

QString last_sun_pdf_path() { return last_pdf; }

}  // namespace kolde_sub
