// Positions in the console text. The program's rules count every line break
// of the console as two characters, CR LF; the rich-text control keeps one
// character per break (its plain text shows '\n', its document may hold
// paragraph or line separators). ConsolePositions maps between the two for
// one text: it is built once per text and answers each conversion with a
// binary search over the line breaks (or, given a hint, a short search from
// where the last one ended).
#pragma once

#include <QString>

#include <vector>

class QTextDocument;

namespace kolde_sub {

// A run of document characters: [start, start + length).
struct DocumentSpan {
    qsizetype start = 0;
    qsizetype length = 0;
};

class ConsolePositions {
public:
    ConsolePositions() = default;
    // From a control's plain text: '\n', U+2029 and U+2028 are line breaks.
    explicit ConsolePositions(QString document_text);
    static ConsolePositions from_document(const QTextDocument& document);

    // The console text with CR LF breaks.
    const QString& rule_text() const { return rule_text_; }
    qsizetype rule_length() const { return rule_text_.size(); }
    qsizetype document_length() const { return document_length_; }

    // 0-based offsets. A rule offset at the CR of a break, or between its CR
    // and LF, is the document offset of the break. Offsets outside the text
    // are clamped to it.
    qsizetype to_document(qsizetype rule_pos) const;
    qsizetype to_rule(qsizetype document_pos) const;

    // to_document for offsets that mostly come in text order. hint keeps
    // where the last search ended (start it at 0); an offset a little after
    // the last one is then found at next to no cost, any other as fast as
    // by to_document.
    qsizetype to_document(qsizetype rule_pos, std::size_t& hint) const;

    // The document characters covered by the rule characters
    // [rule_start, rule_start + rule_length): a span that covers either
    // half of a CR LF pair covers the break. Clamped to the text.
    DocumentSpan to_document_span(qsizetype rule_start, qsizetype rule_length) const;

private:
    QString rule_text_;
    qsizetype document_length_ = 0;
    // For break j (in text order): the rule offset of its LF, that is the
    // document offset of the break plus j plus one. Sorted.
    std::vector<qsizetype> lf_positions_;
    // The document offsets of the breaks. Sorted.
    std::vector<qsizetype> breaks_;
};

// The console text of a document as the rules see it (CR LF breaks).
QString console_rule_text(const QTextDocument& document);

}  // namespace kolde_sub
