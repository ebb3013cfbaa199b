// The program's one connection to kolde.mdb and its seven shared
// recordsets. Each object is created on first use and created afresh after
// release_store(), so nobody keeps a stale object across a database swap:
// callers reach them through these functions every time and never store
// the reference.
#pragma once

#include "platform/store.h"

#include <QString>

namespace kolde_sub {

inline constexpr char database_password[] = "pelix";

platform::Connection& db_conn();
platform::Recordset& rs_airport();     // 飛行場情報
platform::Recordset& rs_autodecode();  // 自動デコード
platform::Recordset& rs_company();     // カンパニー
platform::Recordset& rs_abbrev();      // 気象略語
platform::Recordset& rs_translation(); // 日本語解析
platform::Recordset& rs_data();        // データ
platform::Recordset& rs_settings();    // 設定

// Opens a recordset over a table the way every shared recordset is opened.
bool open_table(platform::Recordset& rs, platform::Connection& conn, const QString& table);

// Opens db_conn on kolde.mdb of the program folder, then the recordsets in
// their fixed order; the first failure ends it there and the rest stay
// closed. The lists are sorted by 順位, the settings stand on their row.
// Returns whether everything opened.
bool open_database();

// Closes the recordsets (airports first, settings last), then the connection.
void close_database();

// Closes and destroys all eight objects.
void release_store();

// Saves a list table the way the editors do: the rows replace the table in
// one transaction with 順位 = row number, then the recordset is reopened.
bool save_shared_list(platform::Recordset& rs, const QStringList& other_columns,
                      const QList<QList<platform::Value>>& rows);

// The same for lists whose 順位 may have gaps: each row's first value is its
// 順位. On failure the table keeps its old rows and the recordset is left as
// it was.
bool save_ranked_list(platform::Recordset& rs, const QStringList& other_columns,
                      const QList<QList<platform::Value>>& ranked_rows);

// The bytes of the picture registered for name in the picture table
// (データ); empty when none is.
[[nodiscard]] QByteArray registered_picture(platform::Recordset& pictures, const QString& name);

}  // namespace kolde_sub
