// Connection and recordsets over an encrypted SQLite (SQLCipher) file.
//
// A recordset is a client-side snapshot of one table: all rows are read into
// memory when it opens, it can be sorted on a column, walked with
// move_first/move_next and read and written field by field. Changes are
// written through to the file at once (add_new/update/remove). A closed or
// failed recordset never throws: reads give an empty value and writes do
// nothing and report false, so every caller keeps its own failure rule.
// Failures of the engine leave a warning in the kolde.store category.
#pragma once

#include "value.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

struct sqlite3;

namespace platform {

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // What a file's own schema may run: the triggers and views of the
    // program's store, or nothing at all in a file that came from the
    // network.
    enum class Schema { trusted, untrusted };
    // Opens an existing file with its password. A missing file, a file that
    // is not a database or a wrong password leave the connection closed.
    [[nodiscard]] bool open(const QString& path, const QString& password, Schema schema = Schema::trusted);
    // Creates a new, empty encrypted file (the file must not exist yet),
    // readable and writable by its owner only.
    [[nodiscard]] bool create(const QString& path, const QString& password);
    void close();
    bool is_open() const { return db_ != nullptr; }

    // Runs one or more statements; false (and last_error) on failure.
    [[nodiscard]] bool execute(const QString& sql);
    // Runs body inside one transaction: committed when body returns true,
    // rolled back otherwise (or when the commit fails).
    [[nodiscard]] bool transaction(const std::function<bool()>& body);
    bool in_transaction() const { return depth_ > 0; }

    // The engine's check of the whole file (PRAGMA integrity_check): true
    // when it finds nothing wrong; otherwise last_error() names the first
    // problem found.
    [[nodiscard]] bool check_integrity();

    QStringList table_names() const;
    QStringList column_names(const QString& table) const;

    // One entry of the file's schema as the file stores it: what the next
    // open of the file builds. None when the schema cannot be read whole.
    struct SchemaEntry {
        QString type, name, sql;
    };
    std::optional<QList<SchemaEntry>> schema() const;

    QString path() const { return path_; }
    QString last_error() const { return error_; }
    sqlite3* handle() const { return db_; }

    // Quotes a table or column name for SQL text.
    static QString quote(const QString& name);

    // Records a failure (with the engine's message) as last_error().
    void set_error(const QString& what);

private:
    friend class Recordset;
    bool open_with(const QString& path, const QString& password, int flags, Schema schema = Schema::trusted);

    sqlite3* db_ = nullptr;
    QString path_;
    QString error_;
    int depth_ = 0;
};

class Recordset {
public:
    Recordset() = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // "select * from <table>" as a snapshot. Fails softly (closed) when the
    // connection is closed or the table is missing.
    bool open(Connection& conn, const QString& table);
    void close();
    bool is_open() const { return conn_ != nullptr; }
    // Reads the table again, keeping the sort.
    bool requery();

    // Orders the snapshot by one column (numbers before texts, nulls first);
    // an empty name restores the table's own order. Moves to the first row.
    void set_sort(const QString& column);
    QString sort() const { return sort_; }

    int record_count() const { return is_open() ? static_cast<int>(order_.size()) : 0; }
    bool eof() const { return !is_open() || pos_ >= order_.size(); }
    bool bof() const { return !is_open() || pos_ < 0 || order_.isEmpty(); }
    int position() const { return pos_; }
    void move_first();
    void move_last();
    void move_next();
    void move_previous();

    QStringList field_names() const { return columns_; }
    bool has_field(const QString& name) const { return columns_.contains(name); }
    // The current row's value (or the pending edit); null when there is no
    // current row, no such column or the recordset is closed.
    Value field(const QString& name) const;
    bool set_field(const QString& name, const Value& v);

    // Starts a new row; set_field fills it and update() inserts it.
    bool add_new();
    // Writes the pending edit or the new row. A failed write discards the
    // pending edit and returns false.
    bool update();
    void cancel_update();
    bool editing() const { return adding_ || !pending_.isEmpty(); }
    // Deletes the current row from the table and the snapshot.
    bool remove();

    // Binary fields: size in bytes, the first n bytes, and appending bytes to
    // the pending value of the field.
    qint64 actual_size(const QString& name) const;
    QByteArray get_chunk(const QString& name, qint64 n) const;
    bool append_chunk(const QString& name, const QByteArray& bytes);

    QString table() const { return table_; }
    QString last_error() const { return error_; }

private:
    struct Row {
        qint64 rowid = 0;
        QVector<Value> values;
    };
    bool load();
    bool read_row(qint64 rowid, Row& out);
    void apply_sort();
    const Row* current() const;
    void commit_pending_before_move();

    Connection* conn_ = nullptr;
    QString table_;
    QString sort_;
    QStringList columns_;
    QVector<Row> rows_;
    QVector<int> order_;
    int pos_ = 0;
    bool adding_ = false;
    QHash<int, Value> pending_;
    QString error_;
};

// The files the engine may keep beside the database file path: its rollback
// journal, write-ahead log and shared-memory index. A journal left there by
// a process that died is rolled back into whatever file next opens as path.
[[nodiscard]] QStringList companion_files(const QString& path);

// Rewrites a whole list table in one transaction: deletes every row, then
// inserts the given rows (values in the order of columns). With
// skip_failed_rows a row that cannot be inserted is left out and the rest go
// in; otherwise any failure rolls back and the old rows stay.
[[nodiscard]] bool save_list(Connection& conn, const QString& table, const QStringList& columns,
                             const QList<QList<Value>>& rows, bool skip_failed_rows = false);

}  // namespace platform
