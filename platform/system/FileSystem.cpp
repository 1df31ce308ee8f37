#include "FileSystem.h"

#include "../runtime/SystemLocale.h"
#include "../runtime/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform::FileSystem {

namespace {
QString native(const QString& path) { return QDir::cleanPath(QDir::fromNativeSeparators(path)); }
} // namespace

bool FileExists(const QString& path) {
    const QFileInfo info(native(path));
    return info.exists() && info.isFile();
}

bool FolderExists(const QString& path) {
    const QFileInfo info(native(path));
    return info.exists() && info.isDir();
}

void CreateFolder(const QString& path) {
    const QString p = native(path);
    if (FolderExists(p)) {
        throw VbError(58, SystemLocale::pick(QStringLiteral("File already exists: "),
                                             QStringLiteral("Datei existiert bereits: ")) + p);
    }
    if (!FolderExists(GetParentFolderName(p))) throw VbError::pathNotFound(p);
    if (!QDir().mkdir(p)) throw VbError::permissionDenied(p);
}

void CopyFile(const QString& source, const QString& target, bool overwrite) {
    const QString s = native(source), t = native(target);
    if (!FileExists(s)) throw VbError::fileNotFound(s);
    if (FileExists(t)) {
        if (!overwrite) {
            throw VbError(58, SystemLocale::pick(QStringLiteral("File already exists: "),
                                                 QStringLiteral("Datei existiert bereits: ")) + t);
        }
        if (!QFile::remove(t)) throw VbError::permissionDenied(t);
    }
    if (!QFile::copy(s, t)) throw VbError::permissionDenied(t);
    // A copy keeps the source's permissions; a working copy must stay writable.
    QFile::setPermissions(t, QFile::permissions(t) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
}

void DeleteFile(const QString& path, bool force) {
    const QString p = native(path);
    if (!FileExists(p)) throw VbError::fileNotFound(p);
    // Read-only by its permission bits, whoever runs the program.
    if (!force && !(QFile::permissions(p) & QFileDevice::WriteOwner))
        throw VbError::permissionDenied(p);
    if (!QFile::remove(p)) throw VbError::permissionDenied(p);
}

void MoveFile(const QString& source, const QString& target) {
    const QString s = native(source), t = native(target);
    if (!FileExists(s)) throw VbError::fileNotFound(s);
    if (QFileInfo::exists(t)) {
        throw VbError(58, SystemLocale::pick(QStringLiteral("File already exists: "),
                                             QStringLiteral("Datei existiert bereits: ")) + t);
    }
    if (!QFile::rename(s, t)) throw VbError::permissionDenied(t);
}

void SyncFile(const QString& path) {
    const QByteArray p = native(path).toLocal8Bit();
    const int fd = ::open(p.constData(), O_RDONLY);
    if (fd < 0) throw VbError::fileNotFound(native(path));
    const int rc = ::fsync(fd);
    ::close(fd);
    if (rc != 0) throw VbError::permissionDenied(native(path));
}

void ReplaceFile(const QString& source, const QString& target) {
    const QString s = native(source), t = native(target);
    if (!FileExists(s)) throw VbError::fileNotFound(s);
    SyncFile(s);
    if (::rename(s.toLocal8Bit().constData(), t.toLocal8Bit().constData()) != 0) throw VbError::permissionDenied(t);
    // The rename itself lives in the folder: sync it too, so that it survives a crash.
    const QByteArray folder = GetParentFolderName(t).toLocal8Bit();
    const int fd = ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::int64_t FileSize(const QString& path) {
    const QString p = native(path);
    if (!FileExists(p)) throw VbError::fileNotFound(p);
    return QFileInfo(p).size();
}

QString GetParentFolderName(const QString& path) {
    QString p = native(path);
    while (p.size() > 1 && p.endsWith('/')) p.chop(1);
    const int slash = p.lastIndexOf('/');
    if (slash < 0) return QString();
    if (slash == 0) return QStringLiteral("/");
    return p.left(slash);
}

QString GetFileName(const QString& path) {
    QString p = native(path);
    while (p.size() > 1 && p.endsWith('/')) p.chop(1);
    return p.mid(p.lastIndexOf('/') + 1);
}

QString BuildPath(const QString& folder, const QString& name) {
    QString f = QDir::fromNativeSeparators(folder);
    QString n = QDir::fromNativeSeparators(name);
    while (f.endsWith('/') && f.size() > 1) f.chop(1);
    while (n.startsWith('/')) n.remove(0, 1);
    if (f.isEmpty()) return n;
    if (f == QLatin1String("/")) return f + n;
    return f + QLatin1Char('/') + n;
}

QString FileNameOf(const QString& text) {
    QString name = text;
    for (QChar& c : name)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
            c == '|' || c.unicode() < 32)
            c = '_';
    return name;
}

} // namespace platform::FileSystem
