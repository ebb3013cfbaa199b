// Carrying the user's data into a newly served database before it replaces
// kolde.mdb: the whole settings record and the four lists the user keeps
// (airports, automatic-decode list, company groups, weather abbreviations).
// The translation phrases and pictures stay as the new file brings them.
#pragma once

#include <QString>

namespace kolde_sub {

// Copies from the open shared store into the database file new_file.
// Returns false when nothing may be swapped in: the new file does not open
// with the password, has no settings row, the old settings cannot be read,
// or a list could not be written. The shared store stays open either way.
[[nodiscard]] bool migrate_user_data(const QString& new_file);

}  // namespace kolde_sub
