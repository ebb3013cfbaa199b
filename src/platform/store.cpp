// The connection to an encrypted store file (see store.h), and save_list.
#include "store.h"
#include "store_statement.h"

#include "logging.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>

namespace platform {

namespace store_detail {

// Long statements are cut short in diagnostics.
QString sql_for_log(const QString& sql)
{
    constexpr qsizetype limit = 200;
    return sql.size() <= limit ? sql : sql.left(limit) + QStringLiteral("...");
}

// Leaves a trace of a failed store operation with the engine's message.
void warn_failure(const QString& what, const QString& message)
{
    qCWarning(lc_store).noquote() << what << "failed:" << message;
}

QString engine_message(sqlite3* db)
{
    return db != nullptr ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("no connection");
}

namespace {

// Switches an engine setting off; it holds only when the engine, asked
// back, reports it off.
template <int option>
bool switch_off(sqlite3* db)
{
    int now = -1;
    return sqlite3_db_config(db, option, 0, &now) == SQLITE_OK && now == 0;
}

// Refuses every access that a view or a trigger makes.
int refuse_schema_access(void*, int, const char*, const char*, const char*, const char* view_or_trigger)
{
    return view_or_trigger != nullptr ? SQLITE_DENY : SQLITE_OK;
}

bool refuse_views_and_triggers(sqlite3* db)
{
    return sqlite3_set_authorizer(db, refuse_schema_access, nullptr) == SQLITE_OK;
}

// This engine has no "trusted schema" or defensive switch of its own; the
// authorizer stands in for them.
constexpr SchemaGuard untrusted[] = {
    {"triggers", switch_off<SQLITE_DBCONFIG_ENABLE_TRIGGER>},
    {"extension loading", switch_off<SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION>},
    {"views and triggers", refuse_views_and_triggers},
};

}  // namespace

std::span<const SchemaGuard> untrusted_guards() { return untrusted; }

bool open_handle(const QString& path, const QString& password, int flags, std::span<const SchemaGuard> guards,
                 sqlite3** out, QString& error)
{
    *out = nullptr;
    sqlite3* db = nullptr;
    const QByteArray p = path.toUtf8();
    // Each failure below closes the handle after taking its message.
    auto fail = [&](const QString& what) {
        error = what;
        warn_failure(what, engine_message(db));
        sqlite3_close(db);
        return false;
    };
    if (sqlite3_open_v2(p.constData(), &db, flags, nullptr) != SQLITE_OK)
        return fail(QStringLiteral("cannot open ") + path);
    const QByteArray key = password.toUtf8();
    if (sqlite3_key(db, key.constData(), static_cast<int>(key.size())) != SQLITE_OK)
        return fail(QStringLiteral("cannot set the key"));
    // The key is only checked when the first page is read.
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail(QStringLiteral("not a database or wrong password: ") + path);
    // A file whose schema would run unguarded is not opened at all.
    for (const SchemaGuard& guard : guards) {
        if (!guard.apply(db))
            return fail(QStringLiteral("cannot shut out %1 of %2").arg(QString::fromUtf8(guard.what), path));
    }
    *out = db;
    return true;
}

}  // namespace store_detail

using namespace store_detail;

// ---------------------------------------------------------------- Connection

Connection::~Connection() { close(); }

QString Connection::quote(const QString& name)
{
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

void Connection::set_error(const QString& what)
{
    error_ = what;
    if (db_ != nullptr)
        error_ += QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db_));
}

bool Connection::open_with(const QString& path, const QString& password, int flags, Schema schema)
{
    close();
    error_.clear();
    const auto guards = schema == Schema::untrusted ? untrusted_guards() : std::span<const SchemaGuard>{};
    sqlite3* db = nullptr;
    if (!open_handle(path, password, flags, guards, &db, error_))
        return false;
    sqlite3_busy_timeout(db, 2000);
    db_ = db;
    path_ = path;
    depth_ = 0;
    return true;
}

bool Connection::open(const QString& path, const QString& password, Schema schema)
{
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile()) {
        close();
        error_ = QStringLiteral("no such file: ") + path;
        warn_failure(QStringLiteral("opening ") + path, QStringLiteral("no such file"));
        return false;
    }
    return open_with(path, password, SQLITE_OPEN_READWRITE, schema);
}

bool Connection::create(const QString& path, const QString& password)
{
    if (QFileInfo::exists(path)) {
        close();
        error_ = QStringLiteral("file exists: ") + path;
        warn_failure(QStringLiteral("creating ") + path, QStringLiteral("the file exists"));
        return false;
    }
    // The file is made first, readable and writable by its owner only; the
    // engine gives its journal the same mode.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner)) {
        close();
        error_ = QStringLiteral("cannot create ") + path;
        warn_failure(QStringLiteral("creating ") + path, file.errorString());
        return false;
    }
    file.close();
    if (!open_with(path, password, SQLITE_OPEN_READWRITE)) {
        QFile::remove(path);
        return false;
    }
    return true;
}

void Connection::close()
{
    if (db_ != nullptr) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    depth_ = 0;
}

bool Connection::execute(const QString& sql)
{
    if (db_ == nullptr) {
        error_ = QStringLiteral("connection is closed");
        return false;
    }
    char* msg = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_exec(db_, utf8.constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
        error_ = QString::fromUtf8(msg != nullptr ? msg : "error");
        sqlite3_free(msg);
        warn_failure(QStringLiteral("running \"%1\"").arg(sql_for_log(sql)), error_);
        return false;
    }
    return true;
}

bool Connection::transaction(const std::function<bool()>& body)
{
    if (db_ == nullptr)
        return false;
    const QString name = QStringLiteral("kolde_sp%1").arg(depth_);
    if (!execute(QStringLiteral("SAVEPOINT ") + name))
        return false;
    ++depth_;
    bool ok = false;
    try {
        ok = body();
    } catch (const std::exception& e) {
        warn_failure(QStringLiteral("a transaction"), QString::fromUtf8(e.what()));
        ok = false;
    } catch (...) {
        warn_failure(QStringLiteral("a transaction"), QStringLiteral("unknown exception"));
        ok = false;
    }
    --depth_;
    if (ok && execute(QStringLiteral("RELEASE ") + name))
        return true;
    // The rollback's own failures are warned about by execute(); the caller
    // sees the first failure.
    const QString saved = error_;
    static_cast<void>(execute(QStringLiteral("ROLLBACK TO ") + name));
    static_cast<void>(execute(QStringLiteral("RELEASE ") + name));
    error_ = saved;
    return false;
}

bool Connection::check_integrity()
{
    Statement st(db_, QStringLiteral("PRAGMA integrity_check(1)"));
    if (!st.ok()) {
        set_error(QStringLiteral("cannot check the file"));
        return false;
    }
    const int rc = sqlite3_step(st.get());
    const QString verdict = rc == SQLITE_ROW ? st.column(0).to_text() : QString();
    if (verdict == QLatin1String("ok"))
        return true;
    if (rc == SQLITE_ROW)
        error_ = QStringLiteral("damaged: ") + verdict;
    else
        set_error(QStringLiteral("the check failed"));
    warn_failure(QStringLiteral("checking ") + path_, error_);
    return false;
}

QStringList Connection::table_names() const
{
    QStringList out;
    Statement st(db_, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"));
    if (!st.ok())
        return out;
    while (sqlite3_step(st.get()) == SQLITE_ROW)
        out << st.column(0).to_text();
    return out;
}

std::optional<QList<Connection::SchemaEntry>> Connection::schema() const
{
    Statement st(db_, QStringLiteral("SELECT type, name, sql FROM sqlite_master"));
    if (!st.ok())
        return std::nullopt;
    QList<SchemaEntry> out;
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW)
        out << SchemaEntry{st.column(0).to_text(), st.column(1).to_text(), st.column(2).to_text()};
    if (rc != SQLITE_DONE) {
        warn_failure(QStringLiteral("reading the schema of ") + path_, engine_message(db_));
        return std::nullopt;
    }
    return out;
}

QStringList Connection::column_names(const QString& table) const
{
    QStringList out;
    Statement st(db_, QStringLiteral("SELECT * FROM ") + quote(table) + QStringLiteral(" LIMIT 0"));
    if (!st.ok())
        return out;
    const int n = sqlite3_column_count(st.get());
    for (int i = 0; i < n; ++i)
        out << QString::fromUtf8(sqlite3_column_name(st.get(), i));
    return out;
}

QStringList companion_files(const QString& path)
{
    return {path + QStringLiteral("-journal"), path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
}

// ---------------------------------------------------------------- save_list

bool save_list(Connection& conn, const QString& table, const QStringList& columns,
               const QList<QList<Value>>& rows, bool skip_failed_rows)
{
    if (!conn.is_open())
        return false;
    return conn.transaction([&]() {
        if (!conn.execute(QStringLiteral("DELETE FROM ") + Connection::quote(table)))
            return false;
        QStringList names, marks;
        for (const QString& c : columns) {
            names << Connection::quote(c);
            marks << QStringLiteral("?");
        }
        const QString sql = QStringLiteral("INSERT INTO ") + Connection::quote(table) + QStringLiteral(" (") +
                            names.join(u',') + QStringLiteral(") VALUES (") + marks.join(u',') + u')';
        Statement st(conn.handle(), sql);
        if (!st.ok()) {
            conn.set_error(QStringLiteral("cannot prepare the insert"));
            return false;
        }
        for (const QList<Value>& row : rows) {
            sqlite3_reset(st.get());
            sqlite3_clear_bindings(st.get());
            bool ok = true;
            for (int i = 0; ok && i < columns.size(); ++i)
                ok = st.bind(i + 1, i < row.size() ? row[i] : Value());
            ok = ok && sqlite3_step(st.get()) == SQLITE_DONE;
            if (!ok) {
                conn.set_error(QStringLiteral("cannot insert a row"));
                warn_failure(QStringLiteral("saving a row of ") + table, conn.last_error());
                if (!skip_failed_rows)
                    return false;
            }
        }
        return true;
    });
}

}  // namespace platform
