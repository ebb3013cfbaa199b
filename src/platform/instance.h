// Single instance: a lock file in the program folder, held for the whole
// run. A lock left by a process that no longer runs is taken over.
#pragma once

#include <QString>

namespace platform {

// Takes the lock in folder; false when another running process holds it.
bool acquire_instance_lock(const QString& folder);
void release_instance_lock();

}  // namespace platform
