#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace platform {

// Who holds a lock, as its file tells: one reading of the file, its bytes and its identity on the disk kept,
// so that a later reading tells whether it is still the same lock.
//
// The file's lines: process number, program file, computer name, machine id, boot id, user, the time the
// lock was taken (UTC), and a count its holder raises each time it renews the lock. The first three are a
// Qt lock file's lines; an older program's file has only some of them.
struct LockHolder {
    qint64 pid = 0;            // 0 when the file names no process (or can't be read)
    QString program;           // the holder's program file name
    QString computer;          // the holder's host name; empty when the file names none
    QByteArray machine;        // the holder's machine id; empty when the file has none
    QByteArray boot;           // the holder's boot id; empty when the file has none
    QString user;              // empty when the file does not say
    QDateTime since;           // when the lock was taken (the file's time when the file does not say)
    QDateTime touched;         // the file's time: the holder's last sign of life, set by the file's server
    bool readable = true;      // false when the file is there but its text can't be read
    bool thisComputer = false; // named by this computer's name and (where the file has one) machine id
    bool thisBoot = false;     // and written since this computer was last started

    // The file as read: its bytes and where it lies on its disk.
    QByteArray content;
    quint64 device = 0;
    quint64 inode = 0;

    // Parses a lock file's text.
    static LockHolder parse(const QByteArray& content);

    // The same lock file as `other` describes: the same file, not renewed, taken over or rewritten since.
    bool sameLock(const LockHolder& other) const;
    // The holder's computer: this computer's name for a file that names a process but no computer (an older
    // program's lock); empty when the file names nobody.
    QString computerName() const;
    // Who holds the lock, as every message names it, in the run's language: "Benutzer MEIER am Computer
    // labpc07, seit 11.12.26 09:12".
    QString describe() const;
    // A time as the messages write it: the locale's short date and time.
    static QString timeText(const QDateTime& time);
};

} // namespace platform
