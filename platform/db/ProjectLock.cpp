#include "ProjectLock.h"

#include "../system/FileSystem.h"

namespace platform {

ProjectLock::ProjectLock(const QString& projectDatabase, const QString& user)
    : FileLock(file(projectDatabase), user) {}

QString ProjectLock::file(const QString& projectDatabase) {
    return FileSystem::LinkTarget(projectDatabase) + QStringLiteral(".lock");
}

} // namespace platform
