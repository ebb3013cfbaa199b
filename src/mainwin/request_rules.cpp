#include "mainwin/request_rules.h"

namespace kolde_sub {

bool is_station_code_list(const QString& line)
{
    const qsizetype length = line.size();
    if (length < 4 || (length - 4) % 5 != 0)
        return false;
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = line[i].unicode();
        if ((i + 1) % 5 == 0) {
            if (c != u' ')
                return false;
        } else if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) {
            return false;
        }
    }
    return true;
}

std::optional<TypedRequest> typed_request(const QString& line)
{
    TypedRequest request;
    QString rest = line;
    if (rest.startsWith(QStringLiteral("SQ "))) {
        rest = rest.mid(3);
        request.sequence = true;
    }
    if (rest.startsWith(QStringLiteral("JP "))) {
        rest = rest.mid(3);
        request.japanese = true;
    }
    if (!is_station_code_list(rest))
        return std::nullopt;
    request.list = rest;
    return request;
}

QString airport_item_caption(const QString& code, const QString& name)
{
    return code + QStringLiteral("  ") + name;
}

QString airport_item_code(const QString& caption)
{
    return caption.left(caption.indexOf(QStringLiteral("  "))).trimmed();
}

}  // namespace kolde_sub
