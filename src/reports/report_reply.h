// What a transfer of a report file brought, as the displays read it: the
// size limits of the report files, the text of a reply and whether it is
// the file at all, and the copy an hourly cycle file leaves.
#pragma once

#include "platform/transfer.h"

#include <QString>

#include <optional>

namespace kolde_sub {

// A station file holds one report, well under a kilobyte; what lies beyond
// this is no report.
inline constexpr qint64 station_file_limit = 16 * 1024;
// An hourly cycle file holds an hour's reports of every station.
inline constexpr qint64 cycle_file_limit = qint64(4) << 20;

// The text of a body (UTF-8 when valid, else Latin-1) without control
// characters other than the line breaks CR and LF: nothing of a binary body
// may steer the console.
QString printable_text(const QByteArray& body);

struct ReportReply {
    QString text;               // the file as text (see printable_text)
    bool missing = true;        // no file: a failure, an empty body or the error page
    bool no_connection = false; // no HTTP answer came at all
    bool cut_off = false;       // the file was longer than the limit: text is its first part
};
// A station file as a transfer brought it. A file cut off at the size limit
// still counts, with what came before the cut.
ReportReply report_reply(const platform::TransferResult& result);

// What an hourly cycle file leaves as the hour's local copy: the reply, up
// to its last line break when it was cut off at the size limit; nothing when
// no cycle file came (a failure, an empty body, the server's error page),
// so that the hour is fetched again.
std::optional<QString> cycle_copy_text(const ReportReply& reply);

// The communication log's row for a file cut off at limit bytes.
QString cut_off_log_text(const QString& url, qint64 limit);

}  // namespace kolde_sub
