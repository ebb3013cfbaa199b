// Single instance: a lock file in the program folder, held for the whole
// run. A lock left by a process that no longer runs is taken over.
#pragma once

#include <QString>

namespace platform {

enum class InstanceLock {
    Taken,          // this process holds the lock now
    HeldByAnother,  // another running process holds it
    CannotCreate,   // the folder or the lock file cannot be made or written
};

// Takes the lock in folder, making the folder when it is missing.
[[nodiscard]] InstanceLock acquire_instance_lock(const QString& folder);
void release_instance_lock();

}  // namespace platform
