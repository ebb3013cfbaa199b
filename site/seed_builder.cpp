// kolde-seed: assembles the update site's folder at build time.
//   kolde-seed --sql DIR --files DIR --out DIR [--base-url URL]
// Builds data/kolde.mdb (encrypted) from the SQL text in --sql, copies
// version.dat, update.exe and index2.htm from --files, registers the pictures
// of --files/pictures in the picture table, copies the pages under
// --files/web into the site's root by their paths and writes the two sounds
// as short generated tones.
#include "platform/store.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr char password[] = "pelix";

void fail(const QString& what)
{
    std::fprintf(stderr, "kolde-seed: %s\n", qPrintable(what));
    std::exit(1);
}

QByteArray read_file(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read ") + path);
    return f.readAll();
}

void write_file(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        fail(QStringLiteral("cannot write ") + path);
    if (executable)
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup |
                                        QFile::ExeOther);
}

// A mono 16-bit PCM wave of the given tones (frequency, milliseconds; a
// frequency of 0 is silence), with short fades against clicks.
QByteArray tone_wave(const std::vector<std::pair<double, int>>& tones)
{
    const int rate = 22050;
    QByteArray pcm;
    for (const auto& [freq, ms] : tones) {
        const int n = rate * ms / 1000;
        const int fade = std::min(n / 4, rate / 100);
        for (int i = 0; i < n; ++i) {
            double amp = 0.45;
            if (i < fade)
                amp *= double(i) / fade;
            else if (i > n - fade)
                amp *= double(n - i) / fade;
            const double s = freq > 0 ? amp * std::sin(2 * M_PI * freq * i / rate) : 0.0;
            const qint16 v = static_cast<qint16>(s * 32767);
            pcm.append(static_cast<char>(v & 0xff));
            pcm.append(static_cast<char>((v >> 8) & 0xff));
        }
    }
    auto le32 = [](quint32 v) {
        QByteArray b(4, 0);
        for (int i = 0; i < 4; ++i)
            b[i] = static_cast<char>((v >> (8 * i)) & 0xff);
        return b;
    };
    auto le16 = [](quint16 v) {
        QByteArray b(2, 0);
        b[0] = static_cast<char>(v & 0xff);
        b[1] = static_cast<char>(v >> 8);
        return b;
    };
    QByteArray w;
    w += "RIFF" + le32(36 + pcm.size()) + "WAVE";
    w += "fmt " + le32(16) + le16(1) + le16(1) + le32(rate) + le32(rate * 2) + le16(2) + le16(16);
    w += "data" + le32(pcm.size()) + pcm;
    return w;
}

QStringList version_items(const QByteArray& text)
{
    QStringList items = QString::fromUtf8(text).split(QRegularExpression(QStringLiteral("[,\r\n]+")),
                                                      Qt::SkipEmptyParts);
    for (QString& s : items)
        s = s.trimmed();
    while (items.size() < 3)
        items << (items.isEmpty() ? QStringLiteral("0") : items.last());
    return items;
}

QString sql_text(const QString& s)
{
    QString q = s;
    q.replace(u'\'', QStringLiteral("''"));
    return q;
}

// Registers every PNG file of folder in the picture table データ under its
// base name (CB.png as "CB"), in name order after the rows already there.
bool add_pictures(platform::Connection& conn, const QString& folder)
{
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    platform::Recordset rs;
    if (!rs.open(conn, QStringLiteral("データ"))) {
        std::fprintf(stderr, "kolde-seed: データ: %s\n", qPrintable(rs.last_error()));
        return false;
    }
    long long rank = 0;
    for (rs.move_first(); !rs.eof(); rs.move_next())
        rank = std::max(rank, rs.field(QStringLiteral("順位")).to_int());
    for (const QString& name : names) {
        const QByteArray bytes = read_file(folder + u'/' + name);
        const bool ok = rs.add_new() && rs.set_field(QStringLiteral("順位"), platform::Value(++rank)) &&
                        rs.set_field(QStringLiteral("名称"), QFileInfo(name).completeBaseName()) &&
                        rs.set_field(QStringLiteral("データ"), platform::Value::blob(bytes)) && rs.update();
        if (!ok) {
            std::fprintf(stderr, "kolde-seed: %s: %s\n", qPrintable(name), qPrintable(rs.last_error()));
            return false;
        }
    }
    return true;
}

// The database at db_path from the SQL scripts of sql_dir and the pictures
// of files_dir: built beside its target, then moved into place.
void build_database(const QString& db_path, const QString& sql_dir, const QString& files_dir,
                    const QStringList& items, const QString& base_url)
{
    const QString tmp_path = db_path + QStringLiteral(".new");
    QFile::remove(tmp_path);
    {
        platform::Connection conn;
        if (!conn.create(tmp_path, QString::fromLatin1(password)))
            fail(conn.last_error());
        QDir dir(sql_dir);
        const QStringList scripts = dir.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
        if (scripts.isEmpty())
            fail(QStringLiteral("no SQL files in ") + sql_dir);
        const bool ok = conn.transaction([&]() {
            for (const QString& name : scripts) {
                QString sql = QString::fromUtf8(read_file(dir.filePath(name)));
                sql.replace(QStringLiteral("@UPDATE_VERSION@"), sql_text(items[1]));
                sql.replace(QStringLiteral("@DB_VERSION@"), sql_text(items[2]));
                sql.replace(QStringLiteral("@BASE_URL@"), sql_text(base_url));
                if (!conn.execute(sql)) {
                    std::fprintf(stderr, "kolde-seed: %s: %s\n", qPrintable(name), qPrintable(conn.last_error()));
                    return false;
                }
            }
            return add_pictures(conn, files_dir + QStringLiteral("/pictures"));
        });
        if (!ok)
            fail(QStringLiteral("the database was not built"));
        conn.close();
    }
    QFile::remove(db_path);
    if (!QFile::rename(tmp_path, db_path))
        fail(QStringLiteral("cannot move the database into place"));
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString sql_dir, files_dir, out_dir;
    QString base_url = QStringLiteral("http://127.0.0.1:8737");
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--sql"))
            sql_dir = args[i + 1];
        else if (args[i] == QLatin1String("--files"))
            files_dir = args[i + 1];
        else if (args[i] == QLatin1String("--out"))
            out_dir = args[i + 1];
        else if (args[i] == QLatin1String("--base-url"))
            base_url = args[i + 1];
        else
            fail(QStringLiteral("unknown option ") + args[i]);
    }
    if (sql_dir.isEmpty() || files_dir.isEmpty() || out_dir.isEmpty())
        fail(QStringLiteral("usage: kolde-seed --sql DIR --files DIR --out DIR [--base-url URL]"));

    const QString data_dir = out_dir + QStringLiteral("/data");
    if (!QDir().mkpath(data_dir))
        fail(QStringLiteral("cannot create ") + data_dir);

    const QByteArray version = read_file(files_dir + QStringLiteral("/version.dat"));
    const QStringList items = version_items(version);

    build_database(data_dir + QStringLiteral("/kolde.mdb"), sql_dir, files_dir, items, base_url);

    write_file(data_dir + QStringLiteral("/version.dat"), version);
    write_file(data_dir + QStringLiteral("/update.exe"), read_file(files_dir + QStringLiteral("/update.exe")), true);
    write_file(out_dir + QStringLiteral("/index2.htm"), read_file(files_dir + QStringLiteral("/index2.htm")));
    // The stand-in outside pages (help, home page, AIS, airport weather)
    // keep their paths under the site's root.
    const QDir web_dir(files_dir + QStringLiteral("/web"));
    QDirIterator web(web_dir.path(), QDir::Files, QDirIterator::Subdirectories);
    while (web.hasNext()) {
        const QString from = web.next();
        const QString to = out_dir + u'/' + web_dir.relativeFilePath(from);
        if (!QDir().mkpath(QFileInfo(to).path()))
            fail(QStringLiteral("cannot create the folder of ") + to);
        write_file(to, read_file(from));
    }
    // The network-loss alarm: a low two-tone warble; the new-data ring: a rising chime.
    write_file(data_dir + QStringLiteral("/error.wav"),
               tone_wave({{880, 180}, {660, 180}, {880, 180}, {660, 180}}));
    write_file(data_dir + QStringLiteral("/ring.wav"), tone_wave({{1047, 150}, {1319, 150}, {1568, 300}}));
    return 0;
}
