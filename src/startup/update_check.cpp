#include "startup/update_check.h"

#include "startup/startup_sequence.h"
#include "platform/msg_box.h"
#include "platform/transfer.h"
#include "core/database.h"
#include "core/log.h"
#include "core/logging.h"
#include "core/settings.h"
#include "core/shared.h"

namespace kolde_sub {

namespace {

const SettingKey installed_field = key::program_version;

// The installed version as the user is told it: a stored text as it
// stands, a stored number as its shortest decimal text.
QString installed_version_text(const platform::Value& v)
{
    if (v.kind() == platform::Value::Kind::Text)
        return v.to_text();
    return version_text_of(version_number(v));
}

bool settings_readable()
{
    platform::Recordset& rs = rs_settings();
    return rs.is_open() && rs.record_count() > 0 && rs.has_field(QString::fromUtf8(installed_field.name()));
}

UpdateCheckOutcome fail(QWidget* parent)
{
    write_log(QStringLiteral("CANCEL DOWNLOAD DUE TO NETWORK UNRELIABLE"));
    platform::msg_box(parent, platform::MsgIcon::Information, QStringLiteral(" 確認"), update_failed_text());
    return UpdateCheckOutcome::Failed;
}

}  // namespace

QString version_reply_head(const QString& reply)
{
    QString head = reply.left(4);
    if (head.size() == 4 && head.back().isHighSurrogate())
        head.chop(1);
    return head;
}

UpdateOffer read_update_offer(const QString& head, float installed)
{
    if (head.startsWith(u'<') || head.trimmed().isEmpty())
        return UpdateOffer::NoVersionFile;
    return versions_equal(version_number(head), installed) ? UpdateOffer::SameVersion : UpdateOffer::OtherVersion;
}

QString latest_installed_text() { return QStringLiteral("最新版の KOLDE がインストールされています　　"); }

QString latest_installed_text(const QString& installed_version)
{
    return latest_installed_text() + QStringLiteral("\r\r                Version ") + installed_version;
}

QString update_offer_text(const QString& version)
{
    return QStringLiteral("KOLDE は Version ") + version + QStringLiteral(" にアップデートされています　　") +
           QStringLiteral("\r\r最新版はシステムのパッケージマネージャーからインストールしてください　　");
}

QString update_failed_text()
{
    return QStringLiteral("ネットワーク回線が不安定なため、ダウンロードすることができませんでした　　");
}

UpdateCheckOutcome run_update_check(platform::Transfer& transfer, const QString& base_url, QWidget* parent,
                                    const std::function<bool()>& abandoned)
{
    const platform::TransferResult result = transfer.get(base_url + QStringLiteral("/data/version.dat"));
    transfer.cancel();
    if (abandoned && abandoned())
        return UpdateCheckOutcome::Abandoned;
    // The site's error page, whatever its status, says that it has no
    // version file; only no reply at all (or any other unsuccessful one) is
    // a failure.
    const QString reply = platform::decode_text(result.body);
    const bool answered = result.ok || (result.status != 0 && reply.startsWith(u'<'));
    if (!answered || !settings_readable())
        return fail(parent);

    const QString head = version_reply_head(reply);
    const platform::Value installed = setting(installed_field);
    switch (read_update_offer(head, version_number(installed))) {
    case UpdateOffer::NoVersionFile:
        write_log(QStringLiteral("NOT FOUND FILES ON FTP SERVER"));
        platform::msg_box(parent, platform::MsgIcon::Information, QStringLiteral(" 情報"), latest_installed_text());
        return UpdateCheckOutcome::Told;
    case UpdateOffer::SameVersion:
        write_log(QStringLiteral("ALREADY INSTALLED LATEST VERSION"));
        platform::msg_box(parent, platform::MsgIcon::Information, QStringLiteral(" 情報"),
                          latest_installed_text(installed_version_text(installed)));
        return UpdateCheckOutcome::Told;
    case UpdateOffer::OtherVersion:
        break;
    }
    write_log(QStringLiteral("FOUND LATEST VERSION ON FTP SERVER"));
    platform::msg_box(parent, platform::MsgIcon::Information, QStringLiteral(" 確認"), update_offer_text(head));
    return UpdateCheckOutcome::Told;
}

}  // namespace kolde_sub
