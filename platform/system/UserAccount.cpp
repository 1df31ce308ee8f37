#include "UserAccount.h"

#include <pwd.h>
#include <unistd.h>

namespace platform {

QString LoginName() {
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return QString::fromLocal8Bit(pw->pw_name);
    return QString();
}

} // namespace platform
