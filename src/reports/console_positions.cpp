#include "console_positions.h"

#include <QTextDocument>

#include <algorithm>
#include <cstring>

namespace kolde_sub {

namespace {

bool is_break(QChar c)
{
    return c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

qsizetype clamp(qsizetype pos, qsizetype length) { return std::clamp<qsizetype>(pos, 0, length); }

}  // namespace

ConsolePositions::ConsolePositions(QString document_text)
    : document_length_(document_text.size())
{
    const qsizetype n = document_text.size();
    const QChar* const d = document_text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        if (is_break(d[i]))
            breaks_.push_back(i);
    }
    const qsizetype count = qsizetype(breaks_.size());
    lf_positions_.reserve(breaks_.size());
    for (qsizetype j = 0; j < count; ++j)
        lf_positions_.push_back(breaks_[std::size_t(j)] + j + 1);

    // Every break becomes CR LF. The text is widened in its own buffer,
    // from the end, so that a long console is not copied once more.
    rule_text_ = std::move(document_text);
    rule_text_.resize(n + count);
    QChar* const r = rule_text_.data();
    qsizetype to = n + count;
    qsizetype from = n;
    for (qsizetype j = count; j-- > 0;) {
        const qsizetype b = breaks_[std::size_t(j)];
        const qsizetype length = from - (b + 1);
        to -= length;
        std::memmove(r + to, r + b + 1, std::size_t(length) * sizeof(QChar));
        r[--to] = u'\n';
        r[--to] = u'\r';
        from = b;
    }
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

qsizetype ConsolePositions::to_document(qsizetype rule_pos, std::size_t& hint) const
{
    rule_pos = clamp(rule_pos, rule_length());
    const auto first = lf_positions_.begin();
    const std::size_t n = lf_positions_.size();
    std::size_t lo = std::min(hint, n);
    std::size_t hi = lo;
    if (lo > 0 && lf_positions_[lo - 1] > rule_pos) {
        // Behind the last offset: search what lies before it.
        lo = 0;
    } else {
        // Ahead: widen the step until a break lies past the offset.
        for (std::size_t step = 1; hi < n && lf_positions_[hi] <= rule_pos; step *= 2) {
            lo = hi + 1;
            hi = std::min(lo + step, n);
        }
    }
    hint = std::size_t(std::upper_bound(first + qsizetype(lo), first + qsizetype(hi), rule_pos) - first);
    return rule_pos - qsizetype(hint);
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
