#include "startup_sequence.h"

#include "core/database.h"
#include "download.h"
#include "migrate.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"

#include "platform/msg_box.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>
#include <QUrl>

#include <filesystem>

namespace kolde_sub {

VersionFile parse_version_file(const QString& text)
{
    QStringList items = text.split(QRegularExpression(QStringLiteral(",|\r\n|\r|\n")));
    for (QString& s : items)
        s = s.trimmed();
    while (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    while (!items.isEmpty() && items.size() < 3)
        items << items.last();
    VersionFile v;
    if (items.size() >= 3) {
        v.program = items[0];
        v.update = items[1];
        v.database = items[2];
    }
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

bool replace_file(const QString& from, const QString& to)
{
    std::error_code ec;
    std::filesystem::rename(from.toStdString(), to.toStdString(), ec);
    return !ec;
}

}  // namespace

StartupSequence::StartupSequence(Hooks hooks) : hooks_(std::move(hooks))
{
    inet_.set_request_timeout(60);
}

QString StartupSequence::url(const char* path) const { return update_base_url + QString::fromLatin1(path); }

void StartupSequence::cancel() { inet_.cancel(); }

void StartupSequence::run()
{
    if (ran_)
        return;
    ran_ = true;

    // 3. The address stored by an earlier run.
    read_stored_base_url();

    // 4-5. The probe.
    const QString reply = inet_.open_text(url("/data/version.dat"));
    if (!is_answer(reply)) {
        online = false;
        outcome_ = Outcome::NoConnection;
        if (hooks_.close_splash)
            hooks_.close_splash();
        if (hooks_.show_no_connection)
            hooks_.show_no_connection();
        return;
    }

    // 6-7. Folders and missing files.
    online = true;
    QDir().mkpath(program_path(QStringLiteral("sound")));
    QDir().mkpath(program_path(QStringLiteral("data")));
    provide_missing_files();

    // 8. The store. When it does not open there is nothing to compare the
    // announced versions with, and the user's database must not be replaced.
    store_opened_ = open_database();

    if (store_opened_) {
        // 9.
        stamp_program_version();

        // 10. The probe's reply through data/version.dat.
        const QString copy = program_path(QStringLiteral("data/version.dat"));
        QString text = reply;
        {
            QFile f(copy);
            if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                f.write(reply.toUtf8());
                f.write("\r\n");
                f.close();
                if (f.open(QIODevice::ReadOnly))
                    text = QString::fromUtf8(f.readAll());
            }
        }
        QFile::remove(copy);
        const VersionFile announced = parse_version_file(text);

        // 11-12.
        update_auto_updater(version_number(announced.update));
        upgrade_database(version_number(announced.database));
    }

    // 13-14.
    take_server_address();

    // 15-16.
    outcome_ = Outcome::MainWindow;
    if (hooks_.show_main_window)
        hooks_.show_main_window();
    if (hooks_.close_splash)
        hooks_.close_splash();
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
    }
    release_store();
    // An empty or unusable address would make every probe fail.
    stored = trim_blanks_and_breaks(stored);
    if (is_site_url(stored) && stored != update_base_url)
        update_base_url = stored;
}

void StartupSequence::provide_missing_files()
{
    const QString db = program_path(QStringLiteral("kolde.mdb"));
    if (!file_exists(db)) {
        // The database is taken only when it opens with its password.
        const QString part = db + QStringLiteral(".part");
        if (download_to(inet_, url("/data/kolde.mdb"), part) && database_file_usable(part))
            replace_file(part, db);
        QFile::remove(part);
    }
    const QString updater = program_path(QStringLiteral("update.exe"));
    if (!file_exists(updater) && download_to(inet_, url("/data/update.exe"), updater))
        QFile::setPermissions(updater, QFile::permissions(updater) | QFile::ExeOwner);
    const QString error_wav = program_path(QStringLiteral("sound/error.wav"));
    if (!file_exists(error_wav))
        download_to(inet_, url("/data/error.wav"), error_wav);
    const QString ring_wav = program_path(QStringLiteral("sound/ring.wav"));
    if (!file_exists(ring_wav))
        download_to(inet_, url("/data/ring.wav"), ring_wav);
}

void StartupSequence::stamp_program_version()
{
    if (version_number(setting(QStringLiteral("KOLDEバージョン"))) != 0.0f)
        return;
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    rs.set_field(QStringLiteral("KOLDEバージョン"), platform::Value(version_text));
    rs.set_field(QStringLiteral("KOLDE更新日"), platform::Value(today_text()));
    rs.update();
}

void StartupSequence::update_auto_updater(float announced)
{
    if (versions_equal(version_number(setting(QStringLiteral("UPDATEバージョン"))), announced))
        return;
    // The old program stays, and so does its version, unless a good copy came.
    const QString fresh = program_path(QStringLiteral("update$.exe"));
    const QString updater = program_path(QStringLiteral("update.exe"));
    if (!download_to(inet_, url("/data/update.exe"), fresh)) {
        QFile::remove(fresh);
        return;
    }
    QFile::setPermissions(fresh, QFile::permissions(fresh) | QFile::ExeOwner);
    if (!replace_file(fresh, updater)) {
        QFile::remove(fresh);
        return;
    }
    const QString stored = version_text_of(announced);
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    rs.set_field(QStringLiteral("UPDATEバージョン"), platform::Value(stored));
    rs.set_field(QStringLiteral("UPDATE更新日"), platform::Value(today_text()));
    rs.update();
    if (setting_bool(QStringLiteral("更新確認メッセージ"))) {
        platform::msg_box(nullptr, platform::MsgIcon::Information, QStringLiteral(" 更新"),
                          QStringLiteral("自動アップデートモジュールを更新しました　　\r\rVersion ") +
                              setting_text(QStringLiteral("UPDATEバージョン")));
    }
}

void StartupSequence::upgrade_database(float announced)
{
    if (versions_equal(version_number(setting(QStringLiteral("DBバージョン"))), announced))
        return;
    const QString fresh = program_path(QStringLiteral("data/kolde$.mdb"));
    const QString db = program_path(QStringLiteral("kolde.mdb"));
    // A failed download, a file that does not open or a failed copy of the
    // user's data: nothing is swapped, nothing is written, the next start
    // tries again.
    const bool ready = download_to(inet_, url("/data/kolde.mdb"), fresh) && database_file_usable(fresh) &&
                       migrate_user_data(fresh);
    if (!ready) {
        QFile::remove(fresh);
        return;
    }
    release_store();
    if (!replace_file(fresh, db)) {
        QFile::remove(fresh);
        store_opened_ = open_database();
        return;
    }
    store_opened_ = open_database();
    QFile::remove(fresh);
    if (version_number(setting(QStringLiteral("DBバージョン"))) == 0.0f) {
        platform::msg_box(nullptr, platform::MsgIcon::Information, QStringLiteral(" 確認"),
                          QStringLiteral("データベースを初期化しました　　"));
    } else if (setting_bool(QStringLiteral("更新確認メッセージ"))) {
        platform::msg_box(nullptr, platform::MsgIcon::Information, QStringLiteral(" 更新"),
                          QStringLiteral("データベースを更新しました　　\r\rVersion ") + version_text_of(announced));
    }
    platform::Recordset& rs = rs_settings();
    rs.move_first();
    rs.set_field(QStringLiteral("DBバージョン"), platform::Value(version_text_of(announced)));
    rs.set_field(QStringLiteral("DB更新日"), platform::Value(today_text()));
    rs.update();
}

void StartupSequence::take_server_address()
{
    const QString reply = trim_blanks_and_breaks(inet_.open_text(url("/data/server.dat")));
    // Only an absolute address counts; a stray error text stored here would
    // make every later start fail its probe.
    if (!is_answer(reply) || !is_site_url(reply))
        return;
    update_base_url = reply;
    if (!store_opened_)
        return;
    if (setting_text(QStringLiteral("BASEurl")) != reply)
        set_setting(QStringLiteral("BASEurl"), platform::Value(reply));
}

}  // namespace kolde_sub
