// Stand-ins for the outside sites that the chart and camera windows and
// the PDF reader's notice open: every image, PDF or page under their
// folders is made here on request, with the requested address written on it.
// Images are drawn with a small built-in dot font, so no font or window
// system is needed in the server's threads.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kolde_site {

namespace {

// The outside sites' folders on the local site.
constexpr std::array<const char*, 11> outside_folders = {
    "/weather/", "/emagram/", "/river/", "/radar-amedas/", "/jma/",     "/satellite/",
    "/aviation/", "/fax/",    "/airinfo/", "/camera/",      "/products/",
};

bool starts_with(const std::string& s, const std::string& head) { return s.compare(0, head.size(), head) == 0; }

bool ends_with(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// ---------------------------------------------------------------- images

struct Glyph {
    char c;
    std::array<std::uint8_t, 7> rows;  // five columns, the leftmost in bit 4
};

constexpr Glyph glyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'A', {0x0E, 0x11, 0x11, 0x11, 0x1F, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}}, {'/', {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x00}},
    {'_', {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x1F}}, {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}}, {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}},
    {'=', {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00}}, {'&', {0x0C, 0x12, 0x14, 0x08, 0x15, 0x12, 0x0D}},
    {' ', {0, 0, 0, 0, 0, 0, 0}},
};

const Glyph& glyph_for(char c)
{
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    for (const Glyph& g : glyphs)
        if (g.c == c)
            return g;
    for (const Glyph& g : glyphs)
        if (g.c == '?')
            return g;
    return glyphs[0];
}

constexpr int image_width = 640;
constexpr int image_height = 480;
constexpr int dot = 3;                 // pixels per dot of the font
constexpr int advance = 6 * dot;       // a glyph and its gap
constexpr int line_height = 10 * dot;

// Writes text from (x, y), breaking lines at the image's edge; what does
// not fit below is left out.
void draw_text(QImage& image, const std::string& text, int x0, int y0, QRgb colour)
{
    const int per_line = (image.width() - 2 * x0) / advance;
    int x = x0;
    int y = y0;
    int column = 0;
    for (const char c : text) {
        if (column == per_line) {
            column = 0;
            x = x0;
            y += line_height;
        }
        if (y + 7 * dot > image.height())
            return;
        const Glyph& g = glyph_for(c);
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (g.rows[row] & (0x10 >> col))
                    for (int dy = 0; dy < dot; ++dy)
                        for (int dx = 0; dx < dot; ++dx)
                            image.setPixel(x + col * dot + dx, y + row * dot + dy, colour);
        x += advance;
        ++column;
    }
}

std::string image_bytes(const std::string& path, const char* format)
{
    // A background of its own for every address, darker towards the foot.
    std::uint32_t hash = 2166136261u;
    for (const char c : path)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    const QColor base = QColor::fromHsv(static_cast<int>(hash % 360), 120, 200);
    QImage image(image_width, image_height, QImage::Format_RGB32);
    for (int y = 0; y < image_height; ++y) {
        const QRgb row = base.darker(100 + y * 60 / image_height).rgb();
        for (int x = 0; x < image_width; ++x)
            image.setPixel(x, y, row);
    }
    draw_text(image, "KOLDE-SITE STAND-IN", 24, 24, qRgb(255, 255, 255));
    draw_text(image, path, 24, 24 + 2 * line_height, qRgb(255, 255, 160));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) {
        bytes.clear();
        buffer.seek(0);
        image.save(&buffer, "PNG");
    }
    return bytes.toStdString();
}

// ---------------------------------------------------------------- PDF

// Printable ASCII only, with the string delimiters escaped.
std::string pdf_text(const std::string& s)
{
    std::string out;
    for (const char c : s) {
        if (c == '(' || c == ')' || c == '\\')
            out += '\\';
        out += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return out;
}

// A one-page A4 landscape PDF with the address on it.
std::string pdf_bytes(const std::string& path)
{
    const std::string content = "BT /F1 28 Tf 60 500 Td (KOLDE-SITE STAND-IN CHART) Tj /F1 14 Tf 0 -40 Td ("
                                + pdf_text(path) + ") Tj ET\n0.2 0.4 0.8 RG 4 w 40 40 762 515 re S\n";
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 842 595] /Resources << /Font << /F1 5 0 R >> >> "
        "/Contents 4 0 R >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        std::string number = std::to_string(offset);
        pdf += std::string(10 - number.size(), '0') + number + " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
           + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

// ---------------------------------------------------------------- pages

std::string html_text(const std::string& s)
{
    std::string out;
    for (const char c : s) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string page_bytes(const std::string& path)
{
    return "<!DOCTYPE html>\n<html lang=\"ja\">\n<head><meta charset=\"utf-8\"><title>KOLDE-SITE</title></head>\n"
           "<body>\n<h1>ローカルサイトの代わりのページ</h1>\n<p>"
           + html_text(path) + "</p>\n</body>\n</html>\n";
}

}  // namespace

// The stand-in for a path under one of the outside sites' folders: its
// body and content type by the path's ending (images, PDFs, the cameras'
// one-shot picture; anything else a page). Other paths give nothing.
std::optional<std::pair<std::string, std::string>> outside_standin(const std::string& path)
{
    bool outside = false;
    for (const char* folder : outside_folders)
        outside = outside || starts_with(path, folder);
    if (!outside)
        return std::nullopt;
    if (ends_with(path, ".pdf"))
        return std::make_pair(pdf_bytes(path), std::string("application/pdf"));
    if (ends_with(path, ".jpg") || ends_with(path, "/GetOneShot"))
        return std::make_pair(image_bytes(path, "JPG"), std::string("image/jpeg"));
    // GIF cannot be written here; browsers tell a picture by its bytes.
    if (ends_with(path, ".gif"))
        return std::make_pair(image_bytes(path, "PNG"), std::string("image/gif"));
    if (ends_with(path, ".png"))
        return std::make_pair(image_bytes(path, "PNG"), std::string("image/png"));
    return std::make_pair(page_bytes(path), std::string("text/html; charset=utf-8"));
}

}  // namespace kolde_site
