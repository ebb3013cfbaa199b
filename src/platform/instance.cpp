#include "instance.h"

#include <QDir>
#include <QLockFile>

#include <memory>

namespace platform {

namespace {
std::unique_ptr<QLockFile> lock;
}

bool acquire_instance_lock(const QString& folder)
{
    if (lock)
        return true;
    QDir().mkpath(folder);
    auto candidate = std::make_unique<QLockFile>(folder + QStringLiteral("/kolde.lock"));
    candidate->setStaleLockTime(0);  // only a dead owner makes a lock stale
    if (!candidate->tryLock(0))
        return false;
    lock = std::move(candidate);
    return true;
}

void release_instance_lock() { lock.reset(); }

}  // namespace platform
