// Printers: the installed printers are the CUPS queues, in the order CUPS
// gives them, followed by the built-in printer "PDF", which writes each
// document as a new PDF file into a folder that the caller names (the
// program uses print/ under the program folder). A CUPS queue that is itself
// named "PDF" is not listed: the built-in printer owns that name. The program
// has one current printer for the whole run; it starts as the system's
// default CUPS printer, or "PDF" when there is none.
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QFile;
class QFontMetricsF;
class QPagedPaintDevice;
class QPainter;
class QSizeF;

namespace platform {

inline const QString pdf_printer_name = QStringLiteral("PDF");

// Where the built-in printer "PDF" writes its file, and the moment (local
// time) that names it.
struct PdfPlace {
    QString folder;
    QDateTime at;
};

struct PrintFont {
    QString name;       // family; empty takes the default family
    double size = 11;   // points
    bool bold = false;
};

// Device names of the installed printers; "PDF" is always the last.
QStringList printer_names();

QString current_printer();
// Makes an installed printer the current printer. An unknown name changes
// nothing and gives false.
bool set_current_printer(const QString& name);

// Prints one document on the current printer: A4 portrait in the given font,
// the header line, an empty line, then the lines of body_crlf. Lines wider
// than the page are wrapped, and a new page starts when a page is full.
// "PDF" writes KOLDE-yyyyMMdd-hhmmss.pdf (the moment pdf.at; then -2, -3 ...
// when that name is taken) into pdf.folder, creating the folder when needed.
// False when the printer cannot be opened or the job fails; "PDF" then leaves
// no file behind.
[[nodiscard]] bool print_text(const QString& header_line, const QString& body_crlf, const PrintFont& font,
                              const PdfPlace& pdf);

// Prints one A4 page that paint draws, without margins, on the current
// printer; "PDF" writes its file as print_text does.
using PagePainter = std::function<void(QPainter&, QPagedPaintDevice&)>;
[[nodiscard]] bool print_painted_page(const PagePainter& paint, bool landscape, const PdfPlace& pdf);

// Opens a new file in folder (created when needed) under the name print_text
// gives its files; an existing file is never reused. False when the folder
// cannot be written.
[[nodiscard]] bool open_new_pdf_file(const PdfPlace& pdf, QFile& file);

// The file that the last successful print on "PDF" wrote; empty before.
QString last_pdf_path();
// The lines (before wrapping) of the last successful print on any printer.
QStringList last_printed_lines();

// ---- layout, as print_text does it
// The printed lines: the header, an empty line, then the body's lines (CR LF,
// LF or CR breaks). An empty body adds no lines.
QStringList print_lines(const QString& header_line, const QString& body_crlf);
// Breaks a line into pieces no wider than width: at the last blank that fits
// when there is one, else between characters. Joined again, the pieces give
// the line back.
QStringList wrap_line(const QString& line, const QFontMetricsF& metrics, double width);
// The lines wrapped to area's width and gathered into pages of as many lines
// as area's height holds (at least one line a page).
QList<QStringList> lay_out_pages(const QStringList& lines, const QFontMetricsF& metrics, const QSizeF& area);

// ---- for tests
// Replaces the CUPS queues by a fixed list (default_queue: the system's
// default, may be empty) and forgets the current printer.
void set_printer_queues_for_tests(const QStringList& queues, const QString& default_queue);
// Back to the real CUPS queues; forgets the current printer.
void reset_printers();

}  // namespace platform
