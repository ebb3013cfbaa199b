// A field value as the recordsets hand it out: null, whole number, real,
// text or bytes. Conversions never throw; an impossible conversion gives
// the empty value of the wanted type.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

class Value {
public:
    enum class Kind { Null, Integer, Real, Text, Blob };

    Value() = default;
    Value(int v) : kind_(Kind::Integer), int_(v) {}
    Value(long long v) : kind_(Kind::Integer), int_(v) {}
    Value(double v) : kind_(Kind::Real), real_(v) {}
    Value(const QString& v) : kind_(Kind::Text), text_(v) {}
    Value(const char* utf8) : kind_(Kind::Text), text_(QString::fromUtf8(utf8)) {}
    static Value blob(const QByteArray& bytes);
    // Booleans are stored the way the database always kept them: True = -1.
    static Value boolean(bool b) { return Value(b ? -1 : 0); }

    Kind kind() const { return kind_; }
    bool is_null() const { return kind_ == Kind::Null; }

    long long to_int() const;
    double to_real() const;
    QString to_text() const;
    QByteArray to_blob() const;
    // Any non-zero number is True, as the database's Yes/No columns read,
    // so a stored 1 and a stored -1 are both True; null is False, and so is
    // a text that does not begin with a non-zero number.
    bool to_bool() const { return to_real() != 0.0; }

    bool operator==(const Value& o) const;
    bool operator!=(const Value& o) const { return !(*this == o); }

private:
    Kind kind_ = Kind::Null;
    long long int_ = 0;
    double real_ = 0.0;
    QString text_;
    QByteArray blob_;
};

// The leading number of a text, the way the program has always read numbers
// out of replies and fields: blanks skipped, an optional sign, digits with at
// most one decimal point and an optional exponent; 0 when there is none.
double leading_number(const QString& text);

}  // namespace platform
