#include "value.h"

#include <cmath>

namespace platform {

Value Value::blob(const QByteArray& bytes)
{
    Value v;
    v.kind_ = Kind::Blob;
    v.blob_ = bytes;
    return v;
}

double leading_number(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n'))
        ++i;
    const int start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool digits = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    int end = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        const int exp_start = j;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128)
            ++j;
        if (j > exp_start)
            end = j;
    }
    bool ok = false;
    const double v = text.mid(start, end - start).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

long long Value::to_int() const
{
    switch (kind_) {
    case Kind::Integer:
        return int_;
    case Kind::Real:
        return std::isfinite(real_) ? static_cast<long long>(std::llround(real_)) : 0;
    case Kind::Text: {
        const double v = leading_number(text_);
        if (v > 9.2e18 || v < -9.2e18)
            return 0;
        return static_cast<long long>(std::llround(v));
    }
    default:
        return 0;
    }
}

double Value::to_real() const
{
    switch (kind_) {
    case Kind::Integer:
        return static_cast<double>(int_);
    case Kind::Real:
        return real_;
    case Kind::Text:
        return leading_number(text_);
    default:
        return 0.0;
    }
}

QString Value::to_text() const
{
    switch (kind_) {
    case Kind::Integer:
        return QString::number(int_);
    case Kind::Real:
        return QString::number(real_, 'g', 15);
    case Kind::Text:
        return text_;
    case Kind::Blob:
        return QString::fromUtf8(blob_);
    default:
        return QString();
    }
}

QByteArray Value::to_blob() const
{
    switch (kind_) {
    case Kind::Blob:
        return blob_;
    case Kind::Text:
        return text_.toUtf8();
    case Kind::Null:
        return QByteArray();
    default:
        return to_text().toUtf8();
    }
}

bool Value::operator==(const Value& o) const
{
    if (kind_ != o.kind_) {
        if ((kind_ == Kind::Integer || kind_ == Kind::Real) &&
            (o.kind_ == Kind::Integer || o.kind_ == Kind::Real))
            return to_real() == o.to_real();
        return false;
    }
    switch (kind_) {
    case Kind::Null:
        return true;
    case Kind::Integer:
        return int_ == o.int_;
    case Kind::Real:
        return real_ == o.real_;
    case Kind::Text:
        return text_ == o.text_;
    case Kind::Blob:
        return blob_ == o.blob_;
    }
    return false;
}

}  // namespace platform
