#include "instance.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

#include <memory>

namespace platform {

namespace {
std::unique_ptr<QLockFile> lock;
}

InstanceLock acquire_instance_lock(const QString& folder)
{
    if (lock)
        return InstanceLock::Taken;
    if (!QDir().mkpath(folder))
        return InstanceLock::CannotCreate;
    auto candidate = std::make_unique<QLockFile>(folder + QStringLiteral("/kolde.lock"));
    candidate->setStaleLockTime(0);  // only a dead owner makes a lock stale
    if (!candidate->tryLock(0)) {
        // Only a lock that a live process holds means another instance; a
        // lock file that cannot be written says nothing about one.
        return candidate->error() == QLockFile::LockFailedError ? InstanceLock::HeldByAnother
                                                                 : InstanceLock::CannotCreate;
    }
    // The lock file, like everything in the folder, is its owner's alone.
    QFile::setPermissions(folder + QStringLiteral("/kolde.lock"), QFile::ReadOwner | QFile::WriteOwner);
    lock = std::move(candidate);
    return InstanceLock::Taken;
}

void release_instance_lock() { lock.reset(); }

}  // namespace platform
