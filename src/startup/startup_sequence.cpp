#include "startup_sequence.h"

#include "core/database.h"
#include "core/files.h"
#include "core/logging.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "compaction.h"
#include "download.h"
#include "migrate.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include <filesystem>

namespace kolde_sub {

void keep_program_folder_private()
{
    make_private_folder(program_folder());
    const QString db = program_path(QStringLiteral("kolde.mdb"));
    for (const QString& file : QStringList{db} + platform::companion_files(db))
        make_private_file(file);
}

VersionFile parse_version_file(const QString& text)
{
    // Line breaks and blanks at the very end close the last item; they do
    // not open another one. A comma always opens one, even an empty one.
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].isSpace())
        --end;
    VersionFile v;
    if (end == 0)
        return v;
    QStringList items = text.left(end).split(QRegularExpression(QStringLiteral(",|\r\n|\r|\n")));
    for (QString& s : items)
        s = s.trimmed();
    while (items.size() < 3)
        items << items.last();
    v.program = items[0];
    v.update = items[1];
    v.database = items[2];
    return v;
}

bool is_site_url(const QString& text)
{
    if (text.isEmpty() || text != text.trimmed())
        return false;
    const QUrl u(text, QUrl::StrictMode);
    const QString scheme = u.scheme().toLower();
    return u.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !u.host().isEmpty();
}

QString version_text_of(float v) { return QString::number(static_cast<double>(v), 'g', 7); }

namespace {

QString trim_blanks_and_breaks(const QString& s)
{
    // Blanks, tabs and line breaks around the address; a trailing "/" is not
    // part of a base address either.
    QString t = s.trimmed();
    while (t.endsWith(u'/'))
        t.chop(1);
    return t;
}

// Puts from in the place of to in one rename: to is either the old file or
// the new one, never half of either.
[[nodiscard]] bool replace_file(const QString& from, const QString& to)
{
    std::error_code ec;
    std::filesystem::rename(from.toStdString(), to.toStdString(), ec);
    if (ec)
        qCWarning(lc_startup) << "cannot put" << from << "in place of" << to << ":" << QString::fromStdString(ec.message());
    return !ec;
}

void remove_if_present(const QString& path)
{
    if (QFileInfo::exists(path) && !QFile::remove(path))
        qCWarning(lc_startup) << "cannot delete" << path;
}

}  // namespace

StartupSequence::StartupSequence(Hooks hooks) : hooks_(std::move(hooks))
{
    inet_.set_request_timeout(60);
}

void StartupSequence::set_splash_hooks(std::function<void()> close_splash, std::function<void()> splash_activated)
{
    hooks_.close_splash = std::move(close_splash);
    splash_activated_ = std::move(splash_activated);
}

QString StartupSequence::url(const char* path) const { return addresses().update + QString::fromLatin1(path); }

void StartupSequence::cancel() { inet_.cancel(); }

void StartupSequence::close_splash()
{
    if (hooks_.close_splash)
        hooks_.close_splash();
}

void StartupSequence::tell(const QString& title, const QString& text)
{
    platform::msg_box(nullptr, platform::MsgIcon::Information, title, text);
    // The splash is the active window again once the box has gone.
    if (splash_activated_)
        splash_activated_();
}

void StartupSequence::run()
{
    if (ran_)
        return;
    ran_ = true;

    const QString reply = probe();
    if (!is_answer(reply)) {
        qCWarning(lc_startup) << "the update site" << addresses().update << "does not answer; the program ends";
        set_online(false);
        outcome_ = Outcome::NoConnection;
        close_splash();
        if (hooks_.show_no_connection)
            hooks_.show_no_connection();
        return;
    }

    // Folders and missing files.
    set_online(true);
    for (const char* folder : {"sound", "data"})
        make_private_folder(program_path(QString::fromLatin1(folder)));
    // A compaction cut short leaves a copy as large as the store.
    remove_compaction_leftovers(program_folder());
    provide_missing_files();

    // The store. When it does not open there is nothing to compare the
    // announced versions with, and the user's database is never replaced:
    // neither by a fresh copy nor by an announced newer one, which would have
    // nothing to carry over.
    store_opened_ = open_store();
    if (store_opened_) {
        stamp_program_version();
        // A blank version file announces no version: it counts as none, not
        // as version 0, which would replace the user's database.
        if (!reply.trimmed().isEmpty())
            upgrade_database(version_number(announced_versions(reply).database));
    }

    take_server_address();

    outcome_ = Outcome::MainWindow;
    if (!store_opened_) {
        // Tell the user which file could not be opened once the splash is
        // gone; the main window opens all the same.
        close_splash();
        platform::msg_box(nullptr, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                          QStringLiteral("データベースファイル ") +
                              QDir::toNativeSeparators(program_path(QStringLiteral("kolde.mdb"))) +
                              QStringLiteral(" を開けませんでした　　"));
        if (hooks_.show_main_window)
            hooks_.show_main_window();
        return;
    }
    if (hooks_.show_main_window)
        hooks_.show_main_window();
    close_splash();
}

bool StartupSequence::open_store()
{
    const QString db = program_path(QStringLiteral("kolde.mdb"));
    if (!open_database()) {
        qCWarning(lc_startup) << "the store did not open:" << db << db_conn().last_error();
        close_database();
        return false;
    }
    if (rs_settings().record_count() > 0)
        return true;
    // A store that lost its settings row gets one made of the defaults; its
    // lists stay as they are.
    if (!provide_settings_row()) {
        qCWarning(lc_startup) << "the store has no settings row and none could be added:" << db_conn().last_error();
        close_database();
        return false;
    }
    tell(QStringLiteral(" 確認"), QStringLiteral("データベースファイル ") + QDir::toNativeSeparators(db) +
                                     QStringLiteral(" に設定がなかったため、初期設定で作り直しました　　"));
    return true;
}

QString StartupSequence::probe()
{
    // The address stored by an earlier run, unless the update site's
    // address was set explicitly for this run.
    const QString builtin = addresses().update;
    if (update_url_overridden())
        qCDebug(lc_startup) << "the update site's address is set explicitly; the stored one is not used";
    else
        read_stored_base_url();

    QString reply = inet_.open_text(url("/data/version.dat"));
    if (!is_answer(reply) && addresses().update != builtin) {
        // A stored address that has gone dead must not lock the program out:
        // the built-in site gets one chance before the program gives up.
        qCWarning(lc_startup) << "the stored update site" << addresses().update << "does not answer; trying" << builtin;
        set_update_address(builtin);
        reply = inet_.open_text(url("/data/version.dat"));
    }
    return reply;
}

void StartupSequence::read_stored_base_url()
{
    const QString db = program_path(QStringLiteral("kolde.mdb"));
    if (!file_exists(db))
        return;
    QString stored;
    {
        platform::Connection& conn = db_conn();
        platform::Recordset& settings = rs_settings();
        if (conn.open(db, QString::fromLatin1(database_password)) &&
            open_table(settings, conn, QStringLiteral("設定")))
            stored = settings.field(QStringLiteral("BASEurl")).to_text();
        else
            qCWarning(lc_startup) << "cannot read the stored update site address from" << db << conn.last_error();
    }
    release_store();
    // An empty or unusable address would make every probe fail.
    stored = trim_blanks_and_breaks(stored);
    if (!stored.isEmpty() && !is_site_url(stored))
        qCWarning(lc_startup) << "the stored update site address is unusable:" << stored;
    if (is_site_url(stored) && stored != addresses().update)
        set_update_address(stored);
}

void StartupSequence::provide_missing_files()
{
    const QString db = program_path(QStringLiteral("kolde.mdb"));
    if (!file_exists(db)) {
        // The database is taken only when it opens with its password, is
        // sound and keeps no trigger or view; nothing an earlier run left
        // beside it is rolled into it.
        const QString part = db + QStringLiteral(".part");
        if (!remove_database_file(part))
            qCWarning(lc_startup) << "the remains of an earlier download stay; no database is fetched";
        else if (!download_to(inet_, url("/data/kolde.mdb"), part))
            qCWarning(lc_startup) << "no database could be fetched for" << db;
        else if (!database_file_usable(part))
            qCWarning(lc_startup) << "the fetched database is not usable; it is not used";
        else if (!strip_schema_code(part))
            qCWarning(lc_startup) << "the fetched database keeps a schema of its own; it is not used";
        else if (!replace_file(part, db))
            qCWarning(lc_startup) << "the fetched database could not be put in place";
        remove_database_file(part);
    }
    // Nothing the site sends is ever run: its auto-update program is not
    // fetched.
    for (const char* sound : {"error.wav", "ring.wav"}) {
        const QString name = QString::fromLatin1(sound);
        const QString target = program_path(QStringLiteral("sound/") + name);
        if (!file_exists(target) && !download_to(inet_, addresses().update + QStringLiteral("/data/") + name, target))
            qCWarning(lc_startup) << "the sound" << name << "could not be fetched";
    }
}

void StartupSequence::stamp_program_version()
{
    if (version_number(setting(key::program_version)) != 0.0f)
        return;
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    rs.set_field(QStringLiteral("KOLDEバージョン"), platform::Value(version_text()));
    rs.set_field(QStringLiteral("KOLDE更新日"), platform::Value(today_text()));
    if (!rs.update())
        qCWarning(lc_startup) << "the program version could not be stamped";
}

VersionFile StartupSequence::announced_versions(const QString& reply)
{
    // The probe's reply goes through data/version.dat, which is written
    // whole or not at all and deleted after reading. When it cannot be
    // written or does not read back as written (a full disk can cut a write
    // short unreported), the reply as received is read instead.
    const QString copy = program_path(QStringLiteral("data/version.dat"));
    const QByteArray line = (reply + QStringLiteral("\r\n")).toUtf8();
    QString text = reply;
    if (write_file_atomically(copy, line)) {
        QFile f(copy);
        const QByteArray back = f.open(QIODevice::ReadOnly) ? f.read(line.size() + 1) : QByteArray();
        if (back == line)
            text = QString::fromUtf8(back);
        else
            qCWarning(lc_startup) << "cannot read back" << copy << "as written; the reply is read as received";
    } else {
        qCWarning(lc_startup) << "cannot write" << copy << "; the reply is read as received";
    }
    remove_if_present(copy);
    return parse_version_file(text);
}

void StartupSequence::upgrade_database(float announced)
{
    if (versions_equal(version_number(setting(key::database_version)), announced))
        return;
    const QString fresh = program_path(QStringLiteral("data/kolde$.mdb"));
    const QString db = program_path(QStringLiteral("kolde.mdb"));
    // A failed download, a file that does not open or is damaged, a failed
    // copy of the user's data, triggers or views that cannot be dropped, or
    // a copy that the check finds damaged:
    // nothing is swapped, nothing is written, the next start tries again.
    // What an interrupted upgrade left (its journal above all) goes first,
    // or it would be rolled into the fresh download.
    bool ready = false;
    if (!remove_database_file(fresh))
        qCWarning(lc_startup) << "the remains of an earlier upgrade stay; the old database stays";
    else if (!download_to(inet_, url("/data/kolde.mdb"), fresh))
        qCWarning(lc_startup) << "the new database could not be fetched; the old one stays";
    else if (!database_file_usable(fresh))
        qCWarning(lc_startup) << "the fetched database is not usable; the old one stays";
    else if (!migrate_user_data(fresh))
        qCWarning(lc_startup) << "the user's data could not be carried into the new database; the old one stays";
    else if (!strip_schema_code(fresh))
        qCWarning(lc_startup) << "the new database keeps a schema of its own; the old one stays";
    else if (!database_file_usable(fresh))
        qCWarning(lc_startup) << "the new database is damaged after the user's data went in; the old one stays";
    else
        ready = true;
    if (!ready) {
        remove_database_file(fresh);
        return;
    }
    release_store();
    if (!replace_file(fresh, db)) {
        remove_database_file(fresh);
        store_opened_ = open_database();
        return;
    }
    store_opened_ = open_database();
    if (!store_opened_)
        qCWarning(lc_startup) << "the new database did not open:" << db_conn().last_error();
    remove_database_file(fresh);
    if (version_number(setting(key::database_version)) == 0.0f) {
        tell(QStringLiteral(" 確認"), QStringLiteral("データベースを初期化しました　　"));
    } else if (setting_bool(key::update_confirm_message)) {
        tell(QStringLiteral(" 更新"),
             QStringLiteral("データベースを更新しました　　\r\rVersion ") + version_text_of(announced));
    }
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    rs.set_field(QStringLiteral("DBバージョン"), platform::Value(version_text_of(announced)));
    rs.set_field(QStringLiteral("DB更新日"), platform::Value(today_text()));
    if (!rs.update())
        qCWarning(lc_startup) << "the database version could not be stored";
}

void StartupSequence::take_server_address()
{
    const QString reply = trim_blanks_and_breaks(inet_.open_text(url("/data/server.dat")));
    // Only an absolute address counts; a stray error text stored here would
    // make every later start fail its probe.
    if (!is_answer(reply) || !is_site_url(reply)) {
        qCWarning(lc_startup) << "the server file gave no usable address:" << reply.left(80);
        return;
    }
    // Another site is taken only when it answers the probe itself: a dead
    // address would leave every later request of this run without network.
    if (reply != addresses().update && !is_answer(inet_.open_text(reply + QStringLiteral("/data/version.dat")))) {
        qCWarning(lc_startup) << "the server file names a site that does not answer; it is not used:" << reply;
        return;
    }
    if (update_url_overridden())
        qCDebug(lc_startup) << "the update site's address is set explicitly; it stays for this run";
    else
        set_update_address(reply);
    if (!store_opened_)
        return;
    if (setting_text(key::base_url) != reply && !set_setting(key::base_url, platform::Value(reply)))
        qCWarning(lc_startup) << "the update site address could not be stored";
}

}  // namespace kolde_sub
