#include "ProjectLock.h"

#include "../runtime/EventLoop.h"
#include "../system/FileSystem.h"

namespace platform {

ProjectLock::ProjectLock(const QString& projectDatabase) : lock_(file(projectDatabase)) {}

QString ProjectLock::file(const QString& projectDatabase) {
    return FileSystem::LinkTarget(projectDatabase) + QStringLiteral(".lock");
}

bool ProjectLock::take(std::chrono::milliseconds wait) {
    using namespace std::chrono;
    // Waited for in slices, the windows repainted between them. The count bounds the loop should the clock
    // jump.
    constexpr milliseconds slice{100};
    const auto deadline = steady_clock::now() + wait;
    const long long slices = wait / slice + 1;
    for (long long i = 0; i < slices; ++i) {
        if (lock_.take(slice)) return true;
        if (steady_clock::now() >= deadline) break;
        DoEventsWithoutInput();
    }
    return false;
}

} // namespace platform
