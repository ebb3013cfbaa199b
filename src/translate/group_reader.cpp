#include "translate/group_reader.h"

#include <algorithm>

namespace kolde_sub::jp {

namespace {

bool passed_over(QStringView group) { return group == u"LAST" || group == u"FIRST"; }

}  // namespace

bool GroupReader::group_follows(qsizetype from) const
{
    const qsizetype n = text_.size();
    while (from < n) {
        if (text_[from] == u' ') {
            ++from;
            continue;
        }
        qsizetype end = from;
        while (end < n && text_[end] != u' ')
            ++end;
        if (!passed_over(text_.sliced(from, end - from)))
            return true;
        from = end;
    }
    return false;
}

QStringView GroupReader::next()
{
    const qsizetype n = text_.size();
    while (pos_ < n) {
        if (text_[pos_] == u' ') {
            ++pos_;
            continue;
        }
        const qsizetype start = pos_;
        while (pos_ < n && text_[pos_] != u' ')
            ++pos_;
        const QStringView group = text_.sliced(start, pos_ - start);
        if (passed_over(group))
            continue;
        current_start_ = start;
        current_read_ = true;
        last_ = !group_follows(pos_);
        return group;
    }
    current_read_ = false;
    last_ = true;
    return {};
}

void GroupReader::push_back()
{
    if (!current_read_)
        return;
    pos_ = current_start_;
    current_read_ = false;
    last_ = false;
}

void GroupReader::split_current(qsizetype length)
{
    if (!current_read_ || length <= 0 || current_start_ + length >= pos_)
        return;
    pos_ = current_start_ + length;
    current_read_ = false;
    last_ = false;
}

void GroupReader::skip(qsizetype offset)
{
    pos_ = std::min(pos_ + std::max<qsizetype>(offset, 0), text_.size());
    current_read_ = false;
    last_ = !group_follows(pos_);
}

}  // namespace kolde_sub::jp
