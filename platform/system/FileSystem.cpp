#include "FileSystem.h"

#include "../runtime/Language.h"
#include "../runtime/VbError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform::FileSystem {

namespace {
QString native(const QString& path) { return QDir::cleanPath(QDir::fromNativeSeparators(path)); }

// A rename lives in the folder: sync it too, so that it survives a crash.
void syncFolderOf(const QString& file) {
    const QByteArray folder = GetParentFolderName(file).toLocal8Bit();
    const int fd = ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
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
        throw VbError(58, Language::text(QStringLiteral("File already exists: "),
                                         QStringLiteral("Datei existiert bereits: ")) +
                              p);
    }
    if (!FolderExists(GetParentFolderName(p))) throw VbError::pathNotFound(p);
    if (!QDir().mkdir(p)) throw VbError::permissionDenied(p);
}

void CopyFile(const QString& source, const QString& target, bool overwrite) {
    const QString s = native(source), t = native(target);
    if (!FileExists(s)) throw VbError::fileNotFound(s);
    if (FileExists(t)) {
        if (!overwrite) {
            throw VbError(58, Language::text(QStringLiteral("File already exists: "),
                                             QStringLiteral("Datei existiert bereits: ")) +
                                  t);
        }
        if (ReadOnly(t)) throw VbError::permissionDenied(t);
    }
    if (!FolderExists(GetParentFolderName(t))) throw VbError::pathNotFound(t);

    const QByteArray from = s.toLocal8Bit();
    const QByteArray temp = (t + QStringLiteral(".tmp")).toLocal8Bit();
    // A copy that was stopped half way left this file; it never took the target's place.
    ::unlink(temp.constData());
    const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) throw errno == EACCES ? VbError::permissionDenied(s) : VbError::fileNotFound(s);
    struct stat info {};
    ::fstat(in, &info);
    const int out = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const int e = errno;
        ::close(in);
        throw WriteError(t, e);
    }
    const auto fail = [&](int e) {
        ::close(in);
        ::close(out);
        ::unlink(temp.constData());
        return WriteError(t, e);
    };
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int e = errno;
            ::close(in);
            ::close(out);
            ::unlink(temp.constData());
            throw VbError(
                57, Language::text(
                        QStringLiteral("Device I/O error: the file '%1' could not be read (%2)."),
                        QStringLiteral("E/A-Gerätefehler: Die Datei '%1' konnte nicht gelesen werden (%2)."))
                        .arg(s, QString::fromLocal8Bit(std::strerror(e))));
        }
        if (got == 0) break;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, buffer.data() + done, size_t(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put < 0) throw fail(errno);
            done += put;
        }
    }
    // A copy keeps the source's permissions; a working copy must stay writable.
    ::fchmod(out, (info.st_mode & 07777) | S_IRUSR | S_IWUSR);
    if (::fsync(out) != 0) throw fail(errno);
    ::close(in);
    if (::close(out) != 0) {
        const int e = errno;
        ::unlink(temp.constData());
        throw WriteError(t, e);
    }
    if (::rename(temp.constData(), t.toLocal8Bit().constData()) != 0) {
        const int e = errno;
        ::unlink(temp.constData());
        throw WriteError(t, e);
    }
    syncFolderOf(t);
}

bool SameFile(const QString& a, const QString& b) {
    struct stat first = {};
    struct stat second = {};
    if (::stat(native(a).toLocal8Bit().constData(), &first) != 0 ||
        ::stat(native(b).toLocal8Bit().constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool ReadOnly(const QString& path) {
    const QString p = native(path);
    if (!FileExists(p)) return false;
    return !(QFile::permissions(p) & QFileDevice::WriteOwner) || !QFileInfo(p).isWritable();
}

void DeleteFile(const QString& path, bool force) {
    const QString p = native(path);
    if (!FileExists(p)) throw VbError::fileNotFound(p);
    if (!force && ReadOnly(p)) throw VbError::permissionDenied(p);
    if (!QFile::remove(p)) throw VbError::permissionDenied(p);
}

void MoveFile(const QString& source, const QString& target) {
    const QString s = native(source), t = native(target);
    if (!FileExists(s)) throw VbError::fileNotFound(s);
    if (QFileInfo::exists(t)) {
        throw VbError(58, Language::text(QStringLiteral("File already exists: "),
                                         QStringLiteral("Datei existiert bereits: ")) +
                              t);
    }
    if (!QFile::rename(s, t)) throw VbError::permissionDenied(t);
}

void SyncFile(const QString& path) {
    const QByteArray p = native(path).toLocal8Bit();
    const int fd = ::open(p.constData(), O_RDONLY);
    if (fd < 0) throw VbError::fileNotFound(native(path));
    const int rc = ::fsync(fd);
    const int e = errno;
    ::close(fd);
    if (rc != 0) throw WriteError(native(path), e);
}

void ReplaceFile(const QString& source, const QString& target) {
    const QString s = native(source), t = native(target);
    if (!FileExists(s)) throw VbError::fileNotFound(s);
    if (ReadOnly(t)) throw VbError::permissionDenied(t);
    SyncFile(s);
    if (::rename(s.toLocal8Bit().constData(), t.toLocal8Bit().constData()) != 0) throw WriteError(t, errno);
    syncFolderOf(t);
}

std::int64_t FileSize(const QString& path) {
    const QString p = native(path);
    if (!FileExists(p)) throw VbError::fileNotFound(p);
    return QFileInfo(p).size();
}

QString LinkTarget(const QString& path) {
    QString p = native(path);
    // A chain of links is followed as the system follows it, at most 40 deep (a loop ends there too).
    for (int depth = 0; depth < 40; ++depth) {
        const QFileInfo info(p);
        if (!info.isSymLink()) break;
        p = info.symLinkTarget();
    }
    return p;
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

VbError WriteError(const QString& path, int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
        return VbError(61, Language::text(QStringLiteral("Disk full: the file '%1' could not be written."),
                                          QStringLiteral("Datenträger voll: Die Datei '%1' konnte nicht "
                                                         "geschrieben werden."))
                               .arg(path));
    case EACCES:
    case EPERM:
    case EROFS:
        return VbError::permissionDenied(path);
    case ENOENT:
    case ENOTDIR:
        return VbError::pathNotFound(path);
    default:
        break;
    }
    const QString reason =
        errorNumber == 0 ? QString()
                         : QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
    return VbError(57,
                   Language::text(QStringLiteral("Device I/O error: the file '%1' could not be written%2."),
                                  QStringLiteral("E/A-Gerätefehler: Die Datei '%1' konnte nicht geschrieben "
                                                 "werden%2."))
                       .arg(path, reason));
}

} // namespace platform::FileSystem
