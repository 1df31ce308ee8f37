#include "LockHolder.h"

#include "../runtime/Clock.h"
#include "../runtime/Language.h"
#include "../runtime/SystemLocale.h"

#include <QList>
#include <QSysInfo>

namespace platform {

LockHolder LockHolder::parse(const QByteArray& content) {
    LockHolder h;
    h.content = content;
    const QList<QByteArray> lines = content.split('\n');
    bool number = false;
    h.pid = lines.value(0).trimmed().toLongLong(&number);
    if (!number || h.pid <= 0) {
        h.pid = 0;
        return h;
    }
    h.program = QString::fromUtf8(lines.value(1).trimmed());
    h.computer = QString::fromUtf8(lines.value(2).trimmed());
    h.machine = lines.value(3).trimmed();
    h.boot = lines.value(4).trimmed();
    h.user = QString::fromUtf8(lines.value(5).trimmed());
    const QDateTime since =
        QDateTime::fromString(QString::fromLatin1(lines.value(6).trimmed()), Qt::ISODateWithMs);
    if (since.isValid()) h.since = since.toLocalTime();
    // Computers cloned from one image, or left at the installer's name, share a name: the machine id tells
    // them apart where the file has one.
    const QByteArray thisMachine = QSysInfo::machineUniqueId();
    h.thisComputer = (h.computer.isEmpty() || h.computer == QSysInfo::machineHostName()) &&
                     (h.machine.isEmpty() || thisMachine.isEmpty() || h.machine == thisMachine);
    const QByteArray thisBoot = QSysInfo::bootUniqueId();
    h.thisBoot = h.thisComputer && (h.boot.isEmpty() || thisBoot.isEmpty() || h.boot == thisBoot);
    return h;
}

QString LockHolder::timeText(const QDateTime& time) {
    const QDateTime local = time.toLocalTime();
    return SystemLocale::shortDate(Clock::dateValue(local.date())) + QLatin1Char(' ') +
           SystemLocale::shortTime(Clock::timeValue(local.time()));
}

QString LockHolder::computerName() const {
    if (!computer.isEmpty()) return computer;
    return pid != 0 ? QSysInfo::machineHostName() : QString();
}

QString LockHolder::describe() const {
    const QString host = computerName();
    const QString who =
        user.isEmpty()
            ? Language::text(QStringLiteral("an unknown user"), QStringLiteral("einem unbekannten Benutzer"))
            : Language::text(QStringLiteral("user %1"), QStringLiteral("Benutzer %1")).arg(user);
    const QString where =
        host.isEmpty()
            ? Language::text(QStringLiteral("on an unknown computer"),
                             QStringLiteral("an einem unbekannten Computer"))
            : Language::text(QStringLiteral("on computer %1"), QStringLiteral("am Computer %1")).arg(host);
    return Language::text(QStringLiteral("%1 %2, since %3"), QStringLiteral("%1 %2, seit %3"))
        .arg(who, where, timeText(since));
}

bool LockHolder::sameLock(const LockHolder& other) const {
    return device == other.device && inode == other.inode && content == other.content &&
           touched == other.touched && readable == other.readable;
}

} // namespace platform
