// The translator of one observation, shared by the report_translation*.cpp
// files: its state, its small writing helpers and the group tests they share.
#pragma once

#include "translate/translation.h"

#include "translate/group_reader.h"
#include "translate/group_text.h"
#include "translate/translation_texts.h"

#include <algorithm>
#include <functional>

namespace kolde_sub::jp {

namespace t = jp_text;

inline constexpr QStringView crlf = u"\r\n";

// Thrown by a yield after which the translation's caller is gone.
struct Abandoned {};

inline QString look_up(const std::function<QString(QStringView)>& f, QStringView key) { return f ? f(key) : QString(); }

inline bool all_digits(QStringView g)
{
    return std::all_of(g.begin(), g.end(), [](QChar c) { return is_ascii_digit(c); });
}

// A direction group in words: NE gives 北東, SW-NW gives 南西から北西; a
// group that is no direction gives nothing.
QString direction_words(QStringView g);

class ReportTranslator {
public:
    ReportTranslator(const TranslationSources& sources, const QString& body);

    Translation run(const QString& code, const QString& time);

private:
    void next() { cur_ = reader_.next(); }
    void push_back() { reader_.push_back(); }
    void yield() const
    {
        if (src_.yield && !src_.yield())
            throw Abandoned{};
    }

    // The label of a section's first line, or the continuation indent once
    // the section has begun.
    QStringView indentation(QStringView label, QStringView word) const
    {
        return result_.contains(word) ? t::indent : label;
    }

    template <typename... Pieces>
    void line(QStringView indentation, const Pieces&... pieces)
    {
        result_ += crlf;
        result_ += indentation;
        (result_ += ... += pieces);
    }

    template <typename... Pieces>
    void remark(const Pieces&... pieces)
    {
        line(indentation(t::remark_label, t::remark_word), pieces...);
    }

    QString local_hour(QStringView hour_text, QString& zone) const;

    // hh "時" mm "分(" zone
    void append_time(QString& out, QStringView hour, QStringView minute, QStringView zone) const
    {
        out += hour;
        out += t::hour;
        out += minute;
        out += t::minute_open;
        out += zone;
    }

    // ------------------------------------------------------------- header
    // (report_translation.cpp)

    void header(const QString& code, const QString& time, bool& routine);
    void end_before_another_report(const QString& code);

    // ------------------------------------------------- observation groups
    // and the landing forecast (report_translation_body.cpp)

    void observation();
    void wind();
    bool visibility_follows() const;
    void visibility();
    bool weather_and_cloud();
    void weather_code();
    void add_weather(const QString& text, bool same_line);
    QString weather_parts(QStringView codes) const;
    void cloud(QStringView layer);
    void temperature();
    void temperature_line(QStringView label, QStringView g);
    void pressure();
    void trend_and_remarks();
    bool to_trend();
    void trend(QStringView change);
    void trend_weather();
    void trend_time_piece(QStringView hhmm, bool until);

    // ------------------------------------------------------------- remarks
    // (report_translation_remarks.cpp)

    void remarks();
    QString remark_direction(bool& distant);
    void remark_cloud();
    void cloud_remark(const QString& height, QStringView amount, QStringView type);
    void weather_event_remarks();
    void visibility_remark();
    void precipitation_amounts();
    QString tenths(QStringView g, qsizetype p) const;
    void remark_temperatures();
    void body_remarks();

    // The hour and zone letter of the header's time.
    QStringView report_hour() const { return mid_or_throw(header_time_, 1, 2); }
    QStringView report_zone() const { return header_zone_; }
    // The report's hour in UTC.
    int utc_hour() const;

    const TranslationSources& src_;
    QString body_;        // the whole body, line breaks as blanks
    GroupReader reader_;
    QStringView cur_;     // the current group
    QString result_;
    QString header_time_; // hh "時" mm "分(" zone ") 発表"
    QString header_zone_;
    qsizetype weather_end_ = -1;  // where the last weather line ends; -1: none yet
    qsizetype observation_start_ = 0;  // where the lines after the header begin
};

}  // namespace kolde_sub::jp
