#include "SmallDisk.h"

#include <cerrno>
#include <cstring>
#include <QDir>
#include <QFile>
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

bool SmallDisk::makeReadOnly() {
    return mounted_ &&
           ::mount("tmpfs", folder_.toLocal8Bit().constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

bool SmallDisk::fill() {
    QFile filler(folder_ + QStringLiteral("/.fill"));
    if (!mounted_ || !filler.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    const QByteArray block(4096, '\0');
    // Bounded by the disk's size: at most that many blocks fit.
    for (int i = 0; i < (1 << 20); ++i)
        if (filler.write(block) != block.size() || !filler.flush()) return true;
    return false;
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(folder_.toLocal8Bit().constData(), MNT_DETACH);
}

} // namespace testsupport
