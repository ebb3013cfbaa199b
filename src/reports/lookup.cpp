#include "reports/lookup.h"

#include "platform/store.h"
#include "core/database.h"

namespace kolde_sub {

namespace {

// Only ordinary blanks are trimmed; other white space is part of the word.
QString trim_blanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

}  // namespace

QString lookup_abbr(platform::Recordset& rs, QString& word)
{
    word = trim_blanks(word).toUpper();
    for (rs.move_first(); !rs.eof(); rs.move_next()) {
        const platform::Value abbr = rs.field(QStringLiteral("略語"));
        if (!abbr.is_null() && abbr.to_text() == word)
            return rs.field(QStringLiteral("意味")).to_text();
    }
    return QString();
}

QString lookup_weather_abbr(QString& word)
{
    return lookup_abbr(rs_abbrev(), word);
}

QString lookup_translation_abbr(QString& word)
{
    return lookup_abbr(rs_translation(), word);
}

}  // namespace kolde_sub
