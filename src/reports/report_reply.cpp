#include "reports/report_reply.h"

#include "reports/station_file.h"

#include <QUrl>

namespace kolde_sub {

QString printable_text(const QByteArray& body)
{
    QString text = platform::decode_text(body);
    // Besides the control characters (but the line breaks), the line and
    // paragraph separators, which would make lines the console does not
    // count, and the format characters, which turn the text around (the
    // direction embeddings, overrides and isolates) or hide in it.
    text.removeIf([](QChar c) {
        switch (c.category()) {
        case QChar::Other_Control:
            return c != u'\r' && c != u'\n';
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            return false;
        }
    });
    return text;
}

ReportReply report_reply(const platform::TransferResult& result)
{
    ReportReply reply;
    reply.no_connection = result.no_connection;
    reply.cut_off = result.cut_off && platform::is_success_status(result.status);
    if (result.ok || reply.cut_off)
        reply.text = printable_text(result.body);
    reply.missing = reply.text.isEmpty() || is_error_page(reply.text);
    return reply;
}

std::optional<QString> cycle_copy_text(const ReportReply& reply)
{
    if (reply.missing)
        return std::nullopt;
    if (!reply.cut_off)
        return reply.text;
    // A report cut in two is no report.
    const QString whole_lines = reply.text.left(reply.text.lastIndexOf(u'\n') + 1);
    if (whole_lines.isEmpty())
        return std::nullopt;
    return whole_lines;
}

QString cut_off_log_text(const QString& url, qint64 limit)
{
    return QStringLiteral("DATA OVER %1 BYTES CUT ").arg(limit) + QUrl(url).path();
}

}  // namespace kolde_sub
