#include "console_positions.h"

#include <QTextDocument>

#include <algorithm>

namespace kolde_sub {

namespace {

bool is_break(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

qsizetype clamp(qsizetype pos, qsizetype length) { return std::clamp<qsizetype>(pos, 0, length); }

}  // namespace

ConsolePositions::ConsolePositions(const QString& document_text)
    : document_length_(document_text.size())
{
    const qsizetype n = document_text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (is_break(document_text[i]))
            breaks_.push_back(i);
    }
    lf_positions_.reserve(breaks_.size());
    rule_text_.reserve(n + qsizetype(breaks_.size()));
    qsizetype from = 0;
    for (std::size_t j = 0; j < breaks_.size(); ++j) {
        const qsizetype b = breaks_[j];
        rule_text_.append(QStringView(document_text).mid(from, b - from));
        rule_text_.append(u"\r\n");
        lf_positions_.push_back(b + qsizetype(j) + 1);
        from = b + 1;
    }
    rule_text_.append(QStringView(document_text).mid(from));
}

ConsolePositions ConsolePositions::from_document(const QTextDocument& document)
{
    return ConsolePositions(document.toPlainText());
}

qsizetype ConsolePositions::to_document(qsizetype rule_pos) const
{
    rule_pos = clamp(rule_pos, rule_length());
    // Every break whose LF lies at or before the offset has one character
    // fewer in the document.
    const auto passed = std::upper_bound(lf_positions_.begin(), lf_positions_.end(), rule_pos) - lf_positions_.begin();
    return rule_pos - passed;
}

qsizetype ConsolePositions::to_rule(qsizetype document_pos) const
{
    document_pos = clamp(document_pos, document_length_);
    const auto before = std::lower_bound(breaks_.begin(), breaks_.end(), document_pos) - breaks_.begin();
    return document_pos + before;
}

DocumentSpan ConsolePositions::to_document_span(qsizetype rule_start, qsizetype rule_length) const
{
    const qsizetype first = clamp(rule_start, this->rule_length());
    const qsizetype end = clamp(rule_length > 0 ? rule_start + rule_length : first, this->rule_length());
    if (end <= first)
        return {to_document(first), 0};
    const qsizetype start = to_document(first);
    // An end between CR and LF still takes the break: only the LFs that
    // lie before the end are dropped.
    const auto dropped = std::lower_bound(lf_positions_.begin(), lf_positions_.end(), end) - lf_positions_.begin();
    return {start, end - dropped - start};
}

QString console_rule_text(const QTextDocument& document)
{
    return ConsolePositions::from_document(document).rule_text();
}

}  // namespace kolde_sub
