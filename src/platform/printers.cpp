#include "printers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QSizeF>

#include <algorithm>
#include <functional>
#include <optional>

namespace platform {

namespace {

using DevicePainter = std::function<bool(QPagedPaintDevice&)>;

std::optional<QStringList> queues_override;
QString default_override;
QString current_name;  // empty until first asked for
QString last_pdf;
QStringList last_lines;

QStringList cups_queues()
{
    QStringList queues = queues_override ? *queues_override : QPrinterInfo::availablePrinterNames();
    queues.removeAll(pdf_printer_name);
    return queues;
}

QString default_queue() { return queues_override ? default_override : QPrinterInfo::defaultPrinterName(); }

QFont make_font(const PrintFont& pf)
{
    QFont font;
    if (!pf.name.isEmpty())
        font.setFamily(pf.name);
    font.setPointSizeF(std::max(1.0, pf.size));
    font.setBold(pf.bold);
    return font;
}

// Sets up A4 portrait and paints the lines, page by page.
bool paint_document(QPagedPaintDevice& device, const QStringList& lines, const PrintFont& pf)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);

    const QFont font = make_font(pf);
    const QFontMetricsF metrics(font, &device);
    const QList<QStringList> pages = lay_out_pages(lines, metrics, QSizeF(device.width(), device.height()));

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setFont(font);
    painter.setPen(Qt::black);
    bool first = true;
    for (const QStringList& page : pages) {
        if (!first && !device.newPage()) {
            painter.end();
            return false;
        }
        first = false;
        qreal y = metrics.ascent();
        for (const QString& text : page) {
            painter.drawText(QPointF(0, y), text);
            y += metrics.lineSpacing();
        }
    }
    return painter.end();
}


// Paints a document on the built-in "PDF" printer (a new file in folder) or
// on a CUPS queue. A "PDF" job that fails leaves no file behind.
bool print_to_pdf(const PdfPlace& pdf, const DevicePainter& paint)
{
    QFile file;
    if (!open_new_pdf_file(pdf, file))
        return false;
    bool ok;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("KOLDE"));
        writer.setTitle(QStringLiteral("KOLDE"));
        ok = paint(writer);
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

bool print_to_queue(const QString& name, const DevicePainter& paint)
{
    if (QPrinterInfo::printerInfo(name).isNull())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
    // An unusable queue makes QPrinter fall back to writing a file.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != name || !printer.isValid())
        return false;
    printer.setDocName(QStringLiteral("KOLDE"));
    return paint(printer);
}

bool print_on_current(const PdfPlace& pdf, const DevicePainter& paint)
{
    const QString name = current_printer();
    return name == pdf_printer_name ? print_to_pdf(pdf, paint) : print_to_queue(name, paint);
}

}  // namespace

QStringList printer_names()
{
    QStringList names = cups_queues();
    names.append(pdf_printer_name);
    return names;
}

QString current_printer()
{
    if (current_name.isEmpty()) {
        const QString fallback = default_queue();
        current_name = !fallback.isEmpty() && cups_queues().contains(fallback) ? fallback : pdf_printer_name;
    }
    return current_name;
}

bool set_current_printer(const QString& name)
{
    if (!printer_names().contains(name))
        return false;
    current_name = name;
    return true;
}

bool print_text(const QString& header_line, const QString& body_crlf, const PrintFont& font,
                const PdfPlace& pdf)
{
    const QStringList lines = print_lines(header_line, body_crlf);
    const bool ok = print_on_current(pdf, [&](QPagedPaintDevice& device) {
        return paint_document(device, lines, font);
    });
    if (ok)
        last_lines = lines;
    return ok;
}

bool print_painted_page(const PagePainter& paint, bool landscape, const PdfPlace& pdf)
{
    return print_on_current(pdf, [&](QPagedPaintDevice& device) {
        device.setPageSize(QPageSize(QPageSize::A4));
        device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        device.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&device))
            return false;
        paint(painter, device);
        return painter.end();
    });
}

bool open_new_pdf_file(const PdfPlace& pdf, QFile& file)
{
    // The folder and the files are their owner's alone.
    if (!QDir().mkpath(pdf.folder) ||
        !QFile::setPermissions(pdf.folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return false;
    const QString stem = pdf.folder + QStringLiteral("/KOLDE-") + pdf.at.toString(QStringLiteral("yyyyMMdd-hhmmss"));
    for (int n = 1; n < 1000; ++n) {
        file.setFileName(n == 1 ? stem + QStringLiteral(".pdf") : stem + QStringLiteral("-%1.pdf").arg(n));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
            return true;
        if (!file.exists())
            return false;  // not a name clash: the folder cannot be written
    }
    return false;
}

QString last_pdf_path() { return last_pdf; }

QStringList last_printed_lines() { return last_lines; }

QStringList print_lines(const QString& header_line, const QString& body_crlf)
{
    QStringList lines{header_line, QString()};
    if (!body_crlf.isEmpty()) {
        static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
        lines += body_crlf.split(breaks);
    }
    return lines;
}

QStringList wrap_line(const QString& line, const QFontMetricsF& metrics, double width)
{
    QStringList pieces;
    QString rest = line;
    while (rest.size() > 1 && metrics.horizontalAdvance(rest) > width) {
        // The longest beginning that fits, at least one character.
        qsizetype fit = 1;
        while (fit < rest.size() && metrics.horizontalAdvance(rest.left(fit + 1)) <= width)
            ++fit;
        qsizetype cut = fit;
        const qsizetype blank = rest.lastIndexOf(u' ', fit - 1);
        if (blank > 0)
            cut = blank + 1;  // the blank stays at the end of the piece
        if (cut < rest.size() && rest.at(cut).isLowSurrogate())
            cut = cut > 1 ? cut - 1 : cut + 1;  // never split a surrogate pair
        pieces.append(rest.left(cut));
        rest = rest.mid(cut);
    }
    pieces.append(rest);
    return pieces;
}

QList<QStringList> lay_out_pages(const QStringList& lines, const QFontMetricsF& metrics, const QSizeF& area)
{
    const int per_page = std::max(1, static_cast<int>(area.height() / metrics.lineSpacing()));
    QList<QStringList> pages;
    QStringList page;
    for (const QString& line : lines) {
        for (const QString& piece : wrap_line(line, metrics, area.width())) {
            if (page.size() == per_page) {
                pages.append(page);
                page.clear();
            }
            page.append(piece);
        }
    }
    if (!page.isEmpty())
        pages.append(page);
    return pages;
}

void set_printer_queues_for_tests(const QStringList& queues, const QString& default_queue)
{
    queues_override = queues;
    default_override = default_queue;
    current_name.clear();
}

void reset_printers()
{
    queues_override.reset();
    default_override.clear();
    current_name.clear();
}

}  // namespace platform
