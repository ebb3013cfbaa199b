#include "start_text.h"

#include "core/shared.h"

#include <QFile>

#include <charconv>

namespace kolde_sub {

QStringList work_file_names()
{
    QStringList names{QStringLiteral("data/sequence.dat"), QStringLiteral("data/figure.dat")};
    for (int h = 0; h < 24; ++h)
        names << QStringLiteral("data/%1.dat").arg(h, 2, 10, QLatin1Char('0'));
    return names;
}

void delete_work_files()
{
    for (const QString& name : work_file_names()) {
        const QString path = program_path(name);
        if (file_exists(path))
            QFile::remove(path);
    }
}

QString banner_text(const QString& version)
{
    const QString rule = QStringLiteral("_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/_/");
    return rule + QStringLiteral("\r\r") + QStringLiteral("   KOLDE / AVIATION WEATHER AUTOMATIC DECODER   ") +
           QStringLiteral("\r\r") + QStringLiteral("       Weather reports for Japan    Version ") + version +
           QStringLiteral("\r\n\r") + rule;
}

QString version_display_text(float version)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, version);
    if (res.ec != std::errc())
        return QString::number(static_cast<double>(version));
    return QString::fromLatin1(buf, res.ptr - buf).toUpper();
}

VersionReply classify_version_reply(const QString& reply, float installed, float* site_version)
{
    if (site_version)
        *site_version = 0.0f;
    // An empty reply is no answer, just as the start-up's probe reads it.
    if (reply.trimmed().isEmpty() || reply.startsWith(u'<'))
        return VersionReply::NoAnswer;
    const float site = version_number(reply);
    if (site_version)
        *site_version = site;
    return versions_equal(site, installed) ? VersionReply::Same : VersionReply::Differs;
}

QString update_notice_text(const QString& version)
{
    return QStringLiteral("\r\nNow you can download a latest version ") + version +
           QStringLiteral("\r\nTo install it, use the package manager of the system.") +
           QStringLiteral("\r\n\r\nTo continue, hit ENTER key. \r\n");
}

}  // namespace kolde_sub
