#include "console_text.h"

#include <algorithm>

namespace kolde_sub {

QString to_edit_text(const QString& console)
{
    QString out;
    out.reserve(console.size());
    for (qsizetype i = 0; i < console.size(); ++i) {
        const QChar c = console.at(i);
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < console.size() && console.at(i + 1) == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString from_edit_text(const QString& edit)
{
    QString out;
    out.reserve(edit.size() + edit.count(u'\n'));
    for (const QChar c : edit) {
        if (c == u'\n')
            out += QLatin1String("\r\n");
        else
            out += c;
    }
    return out;
}

int console_text_width(const QRect& text_area, const QRect& cover, bool cover_shown)
{
    if (!cover_shown || !cover.intersects(text_area))
        return text_area.width();
    return std::clamp(cover.left() - text_area.left(), 0, text_area.width());
}

bool types_into_line(QChar c)
{
    if (c.isSurrogate())
        return true;
    switch (c.category()) {
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return c.isPrint();
    }
}

QString pasted_line_text(const QString& pasted, qsizetype room)
{
    QString out;
    if (room <= 0)
        return out;
    for (const QChar c : pasted) {
        if (!types_into_line(c))
            continue;
        if (out.size() == room) {
            if (out.back().isHighSurrogate() && c.isLowSurrogate())
                out.chop(1);
            break;
        }
        out += c;
    }
    return out;
}

}  // namespace kolde_sub
