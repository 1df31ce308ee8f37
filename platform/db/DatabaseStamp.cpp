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
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.seek(24)) {
        const QByteArray counter = file.read(4);
        if (counter.size() == 4)
            for (const char byte : counter)
                stamp.changeCounter = (stamp.changeCounter << 8) | std::uint8_t(byte);
    }
    return stamp;
}

QString DatabaseStamp::text() const {
    return QStringLiteral("%1 %2 %3").arg(size).arg(modified).arg(changeCounter);
}

std::optional<DatabaseStamp> DatabaseStamp::fromText(const QString& text) {
    const QStringList parts = text.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 3) return std::nullopt;
    bool ok[3] = {};
    DatabaseStamp stamp;
    stamp.size = parts[0].toLongLong(&ok[0]);
    stamp.modified = parts[1].toLongLong(&ok[1]);
    stamp.changeCounter = parts[2].toUInt(&ok[2]);
    if (!ok[0] || !ok[1] || !ok[2]) return std::nullopt;
    return stamp;
}

} // namespace platform
