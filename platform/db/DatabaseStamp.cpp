#include "DatabaseStamp.h"

#include <QFile>
#include <QStringList>
#include <sys/stat.h>

namespace platform {

DatabaseStamp DatabaseStamp::of(const QString& path) {
    DatabaseStamp stamp;
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)) return stamp;
    stamp.size = std::int64_t(info.st_size);
    stamp.modified = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + std::int64_t(info.st_mtim.tv_nsec);
    stamp.device = std::uint64_t(info.st_dev);
    stamp.inode = std::uint64_t(info.st_ino);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.seek(24)) {
        const QByteArray counter = file.read(4);
        if (counter.size() == 4)
            for (const char byte : counter)
                stamp.changeCounter = (stamp.changeCounter << 8) | std::uint8_t(byte);
    }
    return stamp;
}

bool DatabaseStamp::operator==(const DatabaseStamp& other) const {
    if (size != other.size || modified != other.modified || changeCounter != other.changeCounter)
        return false;
    const bool known = (device != 0 || inode != 0) && (other.device != 0 || other.inode != 0);
    return !known || (device == other.device && inode == other.inode);
}

QString DatabaseStamp::text() const {
    return QStringLiteral("%1 %2 %3 %4 %5").arg(size).arg(modified).arg(changeCounter).arg(device).arg(inode);
}

std::optional<DatabaseStamp> DatabaseStamp::fromText(const QString& text) {
    // Three numbers as an earlier version noted them, or five with the file's identity.
    const QStringList parts = text.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 3 && parts.size() != 5) return std::nullopt;
    bool ok[5] = {true, true, true, true, true};
    DatabaseStamp stamp;
    stamp.size = parts[0].toLongLong(&ok[0]);
    stamp.modified = parts[1].toLongLong(&ok[1]);
    stamp.changeCounter = parts[2].toUInt(&ok[2]);
    if (parts.size() == 5) {
        stamp.device = parts[3].toULongLong(&ok[3]);
        stamp.inode = parts[4].toULongLong(&ok[4]);
    }
    for (const bool good : ok)
        if (!good) return std::nullopt;
    return stamp;
}

} // namespace platform
