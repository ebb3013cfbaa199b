// Dictionaries and settings for translating reports without the database.
#pragma once

#include "translate/translation.h"

#include <QString>
#include <QStringList>

#include <map>
#include <ostream>

// Test failures show texts as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace kolde_test {

// Rows of the shape of the seed dictionaries and airport catalogue.
inline const std::map<QString, QString>& test_airports()
{
    static const std::map<QString, QString> rows = {
        {QStringLiteral("RJTT"), QStringLiteral("東京 国際")},
        {QStringLiteral("RJAA"), QStringLiteral("成田　国際")},
        {QStringLiteral("RJTY"), QStringLiteral("横田")},
    };
    return rows;
}

inline const std::map<QString, QString>& test_translation_words()
{
    static const std::map<QString, QString> rows = {
        {QStringLiteral("-RA"), QStringLiteral("弱い雨")}, {QStringLiteral("BR"), QStringLiteral("もや")},
        {QStringLiteral("FG"), QStringLiteral("霧")},      {QStringLiteral("HZ"), QStringLiteral("煙霧")},
        {QStringLiteral("NSC"), QStringLiteral("顕著な雲なし")},
    };
    return rows;
}

inline const std::map<QString, QString>& test_abbreviations()
{
    static const std::map<QString, QString> rows = {
        {QStringLiteral("SH"), QStringLiteral("しゅう雨性")},
        {QStringLiteral("RA"), QStringLiteral("雨")},
        {QStringLiteral("TS"), QStringLiteral("雷電")},
        {QStringLiteral("SN"), QStringLiteral("雪")},
        {QStringLiteral("VC"), QStringLiteral("付近")},
        {QStringLiteral("DR"), QStringLiteral("低い地ふぶき（低く舞い上がる）")},
        {QStringLiteral("BL"), QStringLiteral("高い地ふぶき (高く舞い上がる)")},
    };
    return rows;
}

inline QString look_up_in(const std::map<QString, QString>& rows, QStringView key)
{
    const auto it = rows.find(key.toString());
    return it == rows.end() ? QString() : it->second;
}

// The sources above, UTC or local time, and no yield.
inline kolde_sub::TranslationSources test_sources(bool local = false, const QString& difference = QString())
{
    kolde_sub::TranslationSources s;
    s.airport_name = [](QStringView code) { return look_up_in(test_airports(), code); };
    s.translation_word = [](QStringView group) { return look_up_in(test_translation_words(), group); };
    s.weather_abbr = [](QStringView code) { return look_up_in(test_abbreviations(), code); };
    s.local_time = local;
    s.time_difference = difference;
    return s;
}

// The lines of a translation (its last CR LF gives no empty line).
inline QStringList translation_lines(const QString& text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back();
    return lines;
}

}  // namespace kolde_test
