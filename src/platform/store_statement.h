// The store's shared internals, private to store.cpp and store_recordset.cpp
// (and the store's tests): failure warnings, opening a handle and one
// prepared statement.
#pragma once

#include "store.h"

#include <span>

#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

namespace platform::store_detail {

// Long statements are cut short in diagnostics.
QString sql_for_log(const QString& sql);

// Leaves a trace of a failed store operation with the engine's message.
void warn_failure(const QString& what, const QString& message);

QString engine_message(sqlite3* db);

// One switch that keeps a file's schema from running anything on a
// connection: what it shuts out (for the error) and how it is set; apply
// reports whether the engine took it.
struct SchemaGuard {
    const char* what;
    bool (*apply)(sqlite3* db);
};

// The guards of a connection to a file from the network: no trigger fires,
// no extension loads, nothing is reached through a view or a trigger.
std::span<const SchemaGuard> untrusted_guards();

// Opens path with its key and checks the key, then applies each guard in
// turn. On any failure the handle is closed again, *out is null and error
// says what failed (a guard by its name); no connection comes of it.
[[nodiscard]] bool open_handle(const QString& path, const QString& password, int flags,
                               std::span<const SchemaGuard> guards, sqlite3** out, QString& error);

// One prepared statement, finalised on scope exit. A statement that cannot
// be prepared on an open connection leaves a warning.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql)
    {
        if (db == nullptr)
            return;
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &stmt_, nullptr) != SQLITE_OK) {
            warn_failure(QStringLiteral("preparing \"%1\"").arg(sql_for_log(sql)), engine_message(db));
            stmt_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }

    bool bind(int index, const Value& v)
    {
        switch (v.kind()) {
        case Value::Kind::Null:
            return sqlite3_bind_null(stmt_, index) == SQLITE_OK;
        case Value::Kind::Integer:
            return sqlite3_bind_int64(stmt_, index, v.to_int()) == SQLITE_OK;
        case Value::Kind::Real:
            return sqlite3_bind_double(stmt_, index, v.to_real()) == SQLITE_OK;
        case Value::Kind::Text: {
            const QByteArray t = v.to_text().toUtf8();
            return sqlite3_bind_text(stmt_, index, t.constData(), static_cast<int>(t.size()),
                                     SQLITE_TRANSIENT) == SQLITE_OK;
        }
        case Value::Kind::Blob: {
            const QByteArray b = v.to_blob();
            return sqlite3_bind_blob64(stmt_, index, b.constData(), static_cast<sqlite3_uint64>(b.size()),
                                       SQLITE_TRANSIENT) == SQLITE_OK;
        }
        }
        return false;
    }

    Value column(int i) const
    {
        switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_INTEGER:
            return Value(static_cast<long long>(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(stmt_, i));
        case SQLITE_TEXT:
            return Value(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                                           sqlite3_column_bytes(stmt_, i)));
        case SQLITE_BLOB: {
            const void* data = sqlite3_column_blob(stmt_, i);
            return Value::blob(QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(stmt_, i)));
        }
        default:
            return Value();
        }
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace platform::store_detail
