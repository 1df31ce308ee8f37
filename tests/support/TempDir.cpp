#include "TempDir.h"

#include <QDir>

namespace testsupport {

QString TempDir::mkdir(const QString& relative) const {
    const QString p = file(relative);
    QDir().mkpath(p);
    return p;
}

} // namespace testsupport
