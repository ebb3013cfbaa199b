// Colouring of the report console: weather words, special-report words,
// CB/TCU, clouds, vertical visibility, visibility and runway visual range
// below the configured minima, LOADING notices, then plain words returned to
// the display colour. The rules are computed as spans over the console text
// (CR LF breaks) by colour_spans; apply_spans puts them on a text control.
#pragma once

#include "console_positions.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QTextEdit;

namespace kolde_sub {

// One colour condition of the settings record. An empty (null) field makes
// its test false: a switch counts as off, a threshold colours nothing, a
// colour leaves the characters' colour alone.
struct ColourCondition {
    bool enabled = false;                      // 条件n有効
    std::optional<long long> cloud_height;     // 雲高n, feet
    bool vertical_visibility = false;          // 鉛直視程n有効
    std::optional<long long> visibility;       // 視程n, metres
    std::optional<quint32> cloud_colour;       // 雲高nの色, 0x00BBGGRR
    std::optional<quint32> visibility_colour;  // 視程nの色
};

struct ColourSettings {
    bool weather_words = false;             // 天気略語着色
    std::optional<quint32> weather_colour;  // 天気略語の色
    bool special_words = false;             // SPECI着色
    std::optional<quint32> special_colour;  // SPECIの色
    bool emphasise_conditions = false;      // 計器気象状態を強調
    bool emphasise_cb_tcu = false;          // CBTCUを強調
    std::array<ColourCondition, 3> conditions;
    std::optional<quint32> display_colour;  // 表示文字の色
    bool display_bold = false;              // 表示文字のボールド
};

// Reads the fields above from the settings record.
ColourSettings read_colour_settings();

// A run of console-text characters (0-based, CR LF counted as two) that gets
// a colour and possibly a bold change.
struct Span {
    // A colour of keep_colour leaves the characters' colour as it is.
    static constexpr quint32 keep_colour = 0xFFFFFFFFu;
    enum BoldChange { Keep, Bold, NotBold };

    qsizetype start = 0;
    qsizetype length = 0;
    quint32 colour = keep_colour;  // 0x00BBGGRR
    BoldChange bold = Keep;

    bool operator==(const Span&) const = default;
};

constexpr quint32 colour_red = 0x0000FF;
constexpr quint32 colour_yellow = 0x00FFFF;

// The spans of the whole console text, in the order they are applied: a later
// span overrides an earlier one on the characters they share. Spans are
// clipped to the text.
std::vector<Span> colour_spans(const QString& rule_text, const ColourSettings& settings,
                               const QString& current_group, const QString& code_history);

// Applies spans (rule positions) to the control's text: every character
// ends with the colour and the weight of the last span over it that sets
// one, and characters that no span touches keep their format. Only what
// changes how a character looks is set: where a character already shows the
// span's weight (by its format, or by the control's font when its format
// holds no weight), its weight is left as it is. Spans reaching outside the
// text are clipped to it.
void apply_spans(QTextEdit* console, const std::vector<Span>& spans);
// The same with the mapping of the control's current text already built.
void apply_spans(QTextEdit* console, const std::vector<Span>& spans, const ConsolePositions& positions);

// The report console that color_report_text works on, and what empties the
// typed line once it is coloured. Either may be null.
void set_report_console(QTextEdit* console, std::function<void()> clear_typed_line);

// Colours the whole report console as apply_spans applies colour_spans under
// the settings record, the request's group and code_history, puts the caret at its
// end and empties the typed line. Does nothing while no console is set.
void color_report_text();

}  // namespace kolde_sub
