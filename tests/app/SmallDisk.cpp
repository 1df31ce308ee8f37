#include "SmallDisk.h"

#include <cerrno>
#include <cstring>
#include <QDir>
#include <sys/mount.h>

namespace testsupport {

SmallDisk::SmallDisk(const QString& folder, long long bytes) : folder_(folder) {
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, options.constData()) == 0)
        mounted_ = true;
    else
        why_ = QStringLiteral("no small disk can be mounted here (%1); it needs the right to mount")
                   .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(folder_.toLocal8Bit().constData(), MNT_DETACH);
}

} // namespace testsupport
