// Recordsets: client-side snapshots of one table (see store.h).
#include "store.h"
#include "store_statement.h"

#include <algorithm>

namespace platform {

using namespace store_detail;

namespace {

int compare_values(const Value& a, const Value& b)
{
    auto rank = [](const Value& v) {
        switch (v.kind()) {
        case Value::Kind::Null:
            return 0;
        case Value::Kind::Integer:
        case Value::Kind::Real:
            return 1;
        case Value::Kind::Text:
            return 2;
        case Value::Kind::Blob:
            return 3;
        }
        return 4;
    };
    const int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 1) {
        const double x = a.to_real(), y = b.to_real();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ra == 2)
        return QString::compare(a.to_text(), b.to_text());
    if (ra == 3)
        return a.to_blob() < b.to_blob() ? -1 : (b.to_blob() < a.to_blob() ? 1 : 0);
    return 0;
}

}  // namespace

// ----------------------------------------------------------------- Recordset

bool Recordset::open(Connection& conn, const QString& table)
{
    close();
    if (!conn.is_open()) {
        error_ = QStringLiteral("connection is closed");
        return false;
    }
    conn_ = &conn;
    table_ = table;
    if (!load()) {
        conn_ = nullptr;
        rows_.clear();
        order_.clear();
        columns_.clear();
        return false;
    }
    return true;
}

bool Recordset::load()
{
    rows_.clear();
    order_.clear();
    columns_.clear();
    pending_.clear();
    adding_ = false;
    Statement st(conn_->handle(),
                 QStringLiteral("SELECT rowid, * FROM ") + Connection::quote(table_));
    if (!st.ok()) {
        error_ = QString::fromUtf8(sqlite3_errmsg(conn_->handle()));
        return false;
    }
    const int n = sqlite3_column_count(st.get());
    for (int i = 1; i < n; ++i)
        columns_ << QString::fromUtf8(sqlite3_column_name(st.get(), i));
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        Row row;
        row.rowid = sqlite3_column_int64(st.get(), 0);
        row.values.reserve(n - 1);
        for (int i = 1; i < n; ++i)
            row.values.push_back(st.column(i));
        rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        error_ = QString::fromUtf8(sqlite3_errmsg(conn_->handle()));
        warn_failure(QStringLiteral("reading ") + table_, error_);
        return false;
    }
    apply_sort();
    return true;
}

bool Recordset::requery()
{
    if (conn_ == nullptr || !conn_->is_open())
        return false;
    Connection* c = conn_;
    const QString t = table_, s = sort_;
    if (!open(*c, t))
        return false;
    set_sort(s);
    return true;
}

void Recordset::close()
{
    conn_ = nullptr;
    rows_.clear();
    order_.clear();
    columns_.clear();
    pending_.clear();
    adding_ = false;
    pos_ = 0;
}

void Recordset::apply_sort()
{
    order_.resize(rows_.size());
    for (int i = 0; i < rows_.size(); ++i)
        order_[i] = i;
    const int col = sort_.isEmpty() ? -1 : static_cast<int>(columns_.indexOf(sort_));
    if (col >= 0) {
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
            return compare_values(rows_[a].values[col], rows_[b].values[col]) < 0;
        });
    }
    pos_ = 0;
}

void Recordset::set_sort(const QString& column)
{
    if (!is_open())
        return;
    commit_pending_before_move();
    sort_ = column;
    apply_sort();
}

const Recordset::Row* Recordset::current() const
{
    if (!is_open() || pos_ < 0 || pos_ >= order_.size())
        return nullptr;
    return &rows_[order_[pos_]];
}

void Recordset::commit_pending_before_move()
{
    if (editing())
        update();
}

void Recordset::move_first()
{
    commit_pending_before_move();
    pos_ = 0;
}

void Recordset::move_last()
{
    commit_pending_before_move();
    pos_ = static_cast<int>(order_.size()) - 1;
    if (pos_ < 0)
        pos_ = 0;
}

void Recordset::move_next()
{
    commit_pending_before_move();
    if (pos_ < order_.size())
        ++pos_;
}

void Recordset::move_previous()
{
    commit_pending_before_move();
    if (pos_ >= 0)
        --pos_;
}

Value Recordset::field(const QString& name) const
{
    if (!is_open())
        return Value();
    const int col = static_cast<int>(columns_.indexOf(name));
    if (col < 0)
        return Value();
    const auto it = pending_.constFind(col);
    if (it != pending_.constEnd())
        return it.value();
    if (adding_)
        return Value();
    const Row* row = current();
    return row != nullptr ? row->values[col] : Value();
}

bool Recordset::set_field(const QString& name, const Value& v)
{
    if (!is_open())
        return false;
    const int col = static_cast<int>(columns_.indexOf(name));
    if (col < 0 || (!adding_ && current() == nullptr))
        return false;
    pending_[col] = v;
    return true;
}

bool Recordset::add_new()
{
    if (!is_open())
        return false;
    commit_pending_before_move();
    adding_ = true;
    pending_.clear();
    return true;
}

void Recordset::cancel_update()
{
    adding_ = false;
    pending_.clear();
}

bool Recordset::read_row(qint64 rowid, Row& out)
{
    Statement st(conn_->handle(),
                 QStringLiteral("SELECT rowid, * FROM ") + Connection::quote(table_) +
                     QStringLiteral(" WHERE rowid = ?"));
    if (!st.ok() || sqlite3_bind_int64(st.get(), 1, rowid) != SQLITE_OK ||
        sqlite3_step(st.get()) != SQLITE_ROW)
        return false;
    out.rowid = sqlite3_column_int64(st.get(), 0);
    out.values.clear();
    for (int i = 1; i <= columns_.size(); ++i)
        out.values.push_back(st.column(i));
    return true;
}

bool Recordset::update()
{
    if (!is_open() || !conn_->is_open()) {
        cancel_update();
        return false;
    }
    if (!adding_ && pending_.isEmpty())
        return true;
    QList<int> cols = pending_.keys();
    std::sort(cols.begin(), cols.end());
    sqlite3* db = conn_->handle();
    bool ok = false;
    if (adding_) {
        QString sql = QStringLiteral("INSERT INTO ") + Connection::quote(table_);
        if (cols.isEmpty()) {
            sql += QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList names, marks;
            for (int c : cols) {
                names << Connection::quote(columns_[c]);
                marks << QStringLiteral("?");
            }
            sql += QStringLiteral(" (") + names.join(u',') + QStringLiteral(") VALUES (") +
                   marks.join(u',') + u')';
        }
        Statement st(db, sql);
        ok = st.ok();
        for (int i = 0; ok && i < cols.size(); ++i)
            ok = st.bind(i + 1, pending_[cols[i]]);
        ok = ok && sqlite3_step(st.get()) == SQLITE_DONE;
        if (ok) {
            Row row;
            if (!read_row(sqlite3_last_insert_rowid(db), row)) {
                row.rowid = sqlite3_last_insert_rowid(db);
                row.values.fill(Value(), columns_.size());
                for (int c : cols)
                    row.values[c] = pending_[c];
            }
            rows_.push_back(row);
            order_.push_back(static_cast<int>(rows_.size()) - 1);
            pos_ = static_cast<int>(order_.size()) - 1;
        }
    } else {
        Row* row = const_cast<Row*>(current());
        if (row == nullptr) {
            cancel_update();
            return false;
        }
        QStringList sets;
        for (int c : cols)
            sets << Connection::quote(columns_[c]) + QStringLiteral(" = ?");
        Statement st(db, QStringLiteral("UPDATE ") + Connection::quote(table_) + QStringLiteral(" SET ") +
                             sets.join(u',') + QStringLiteral(" WHERE rowid = ?"));
        ok = st.ok();
        for (int i = 0; ok && i < cols.size(); ++i)
            ok = st.bind(i + 1, pending_[cols[i]]);
        ok = ok && sqlite3_bind_int64(st.get(), static_cast<int>(cols.size()) + 1, row->rowid) == SQLITE_OK;
        ok = ok && sqlite3_step(st.get()) == SQLITE_DONE;
        if (ok) {
            Row fresh;
            if (read_row(row->rowid, fresh)) {
                *row = fresh;
            } else {
                for (int c : cols)
                    row->values[c] = pending_[c];
            }
        }
    }
    if (!ok) {
        error_ = QString::fromUtf8(sqlite3_errmsg(db));
        warn_failure((adding_ ? QStringLiteral("adding a row to ") : QStringLiteral("updating a row of ")) + table_,
                     error_);
    }
    cancel_update();
    return ok;
}

bool Recordset::remove()
{
    if (!is_open() || adding_)
        return false;
    const Row* row = current();
    if (row == nullptr)
        return false;
    pending_.clear();
    Statement st(conn_->handle(),
                 QStringLiteral("DELETE FROM ") + Connection::quote(table_) + QStringLiteral(" WHERE rowid = ?"));
    if (!st.ok() || sqlite3_bind_int64(st.get(), 1, row->rowid) != SQLITE_OK ||
        sqlite3_step(st.get()) != SQLITE_DONE) {
        error_ = QString::fromUtf8(sqlite3_errmsg(conn_->handle()));
        warn_failure(QStringLiteral("deleting a row of ") + table_, error_);
        return false;
    }
    const int index = order_[pos_];
    rows_.removeAt(index);
    order_.removeAt(pos_);
    for (int& o : order_)
        if (o > index)
            --o;
    return true;
}

qint64 Recordset::actual_size(const QString& name) const
{
    const Value v = field(name);
    return v.is_null() ? 0 : v.to_blob().size();
}

QByteArray Recordset::get_chunk(const QString& name, qint64 n) const
{
    if (n <= 0)
        return QByteArray();
    return field(name).to_blob().left(n);
}

bool Recordset::append_chunk(const QString& name, const QByteArray& bytes)
{
    const Value v = field(name);
    QByteArray data = v.kind() == Value::Kind::Blob ? v.to_blob() : QByteArray();
    data.append(bytes);
    return set_field(name, Value::blob(data));
}

}  // namespace platform
