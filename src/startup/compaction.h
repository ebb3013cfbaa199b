// Compacting the store at exit. kolde.mdb is copied, compacted and under the
// same password, into kolde_temp.mdb beside it; once that copy opens with the
// password and holds its settings row, it takes the store's place in one
// rename. Until that rename the store is never touched, so a failure at any
// step leaves kolde.mdb as it was.
#pragma once

#include <QString>

namespace kolde_sub {

// The compacted copy, relative to the program folder.
inline constexpr char compaction_file_name[] = "kolde_temp.mdb";

// The exit counter 起動回数: each exit counts one up; the exit that finds
// it above 50 sets it back to 0 and compacts, so from 0 every 52nd exit
// compacts.
struct ExitCount {
    long long next = 0;
    bool compact_due = false;
};
[[nodiscard]] ExitCount count_exit(long long stored);

// Removes what a compaction cut short left in folder: kolde_temp.mdb (as
// large as the store) and its companions. Only while kolde.mdb is there, so
// a copy is never removed in place of the store.
void remove_compaction_leftovers(const QString& folder);

// Compacts folder/kolde.mdb. folder must be an absolute path; the shared
// connection must be closed (it is refused while db_conn() is open, since
// the open file would be replaced under it). A stale kolde_temp.mdb file
// from an earlier run is removed first with its companions; a folder of
// that name is left alone and the compaction is refused. Returns true when the store was replaced by
// its compacted copy. On false kolde.mdb is as it was and no temporary file
// of this run is left behind. Nothing is shown or logged for the user.
[[nodiscard]] bool compact_database(const QString& folder);

}  // namespace kolde_sub
