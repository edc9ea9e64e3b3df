#include "calendar/widgets/prev_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

namespace calendar {
namespace {

struct InstanceLock {
    std::unique_ptr<QLockFile> file;
    bool held = false;
};

InstanceLock& instanceLock() {
    static InstanceLock lock;
    return lock;
}

}  // namespace

QString instanceLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + QStringLiteral("/veyra.lock");
}

bool registerInstance() {
    InstanceLock& lock = instanceLock();
    if (lock.held) return true;
    lock.file = std::make_unique<QLockFile>(instanceLockPath());
    lock.file->setStaleLockTime(0);  // only a lock of a live process counts, however old
    lock.held = lock.file->tryLock(0);
    // Released with the application, while the runtime folder still exists.
    if (lock.held && QCoreApplication::instance()) qAddPostRoutine([] { instanceLock() = {}; });
    return lock.held;
}

bool prevInstance() { return !registerInstance(); }

}  // namespace calendar
