// Storing what the update site sends. A download replaces its target only
// when it is sound: the transfer completed, the body is not empty and is not
// an error page (text beginning with "<"). It is written to a temporary
// file beside the target and renamed over it, so a target is never left
// half written.
#pragma once

#include "platform/transfer.h"

#include <QString>

namespace kolde_sub {

// A text reply counts as an answer when it is not empty and does not begin
// with "<".
[[nodiscard]] bool is_answer(const QString& reply);
// A reply is an error page when it is text beginning with "<"; a binary
// file whose first byte happens to be "<" is not.
[[nodiscard]] bool is_error_page(const QByteArray& body);
[[nodiscard]] bool is_good_download(const platform::TransferResult& r);

// Fetches url as bytes and stores it in target when the download is good.
// False when nothing was stored; target is then as it was.
[[nodiscard]] bool download_to(platform::Transfer& transfer, const QString& url, const QString& target);

// True when path is a database that opens with the password, passes the
// engine's integrity check and holds its settings row.
[[nodiscard]] bool database_file_usable(const QString& path);

// Readies a downloaded database to become the store. The program's own
// schema is tables alone, so every trigger and view the file brings is
// dropped (on an untrusted connection: none of them runs meanwhile). False
// when the file must not become the store: one cannot be dropped, anything
// but plain tables and their indexes is left, or a table the store opens is
// missing (a view stood in its place).
[[nodiscard]] bool strip_schema_code(const QString& path);

// Removes the database file path together with its companions (journal,
// write-ahead log, shared-memory index), so that nothing of an earlier
// process can be rolled into a file written there later. True when none of
// them is left.
bool remove_database_file(const QString& path);

}  // namespace kolde_sub
