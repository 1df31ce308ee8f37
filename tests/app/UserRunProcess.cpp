#include "UserRunProcess.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <unistd.h>

namespace testsupport {

UserRun::UserRun(const Installation& inst, const QString& user, const Place& place) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), inst.root() + QStringLiteral("/config"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QString& entry : place.environment)
        env.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (place.computer.isEmpty()) {
        process_.start(QStringLiteral(USER_RUN), {inst.programFolder(), user});
    } else {
        // A host name of its own: to the lock files, another computer that shares the folders.
        process_.start(QStringLiteral("unshare"),
                       {QStringLiteral("--uts"), QStringLiteral("sh"), QStringLiteral("-c"),
                        QStringLiteral("hostname \"$0\" && exec \"$@\""), place.computer,
                        QStringLiteral(USER_RUN), inst.programFolder(), user});
    }
}

UserRun::~UserRun() {
    if (process_.state() == QProcess::NotRunning) return;
    thaw();
    process_.closeWriteChannel();
    if (!process_.waitForFinished(60000)) process_.kill();
    process_.waitForFinished();
}

std::vector<std::unique_ptr<UserRun>> UserRun::startedWithAChange(const Installation& inst,
                                                                  const QStringList& users) {
    std::vector<std::unique_ptr<UserRun>> runs;
    for (int i = 0; i < users.size(); ++i) {
        runs.push_back(std::make_unique<UserRun>(inst, users[i]));
        EXPECT_EQ(runs.back()->line(), QStringLiteral("ready"));
        runs.back()->send(QStringLiteral("start"));
        EXPECT_EQ(runs.back()->answer(), "started 0 1");
        runs.back()->send(QStringLiteral("comment %1 von %2").arg(i + 1).arg(users[i]));
        EXPECT_EQ(runs.back()->line(), QStringLiteral("ok"));
    }
    return runs;
}

bool UserRun::canPlayAnotherComputer() {
    if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty()) return false;
    QProcess probe;
    probe.start(QStringLiteral("unshare"),
                {QStringLiteral("--uts"), QStringLiteral("hostname"), QStringLiteral("labpc-probe")});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

QString UserRun::line() {
    while (!process_.canReadLine())
        if (!process_.waitForReadyRead(60000)) return {};
    return QString::fromUtf8(process_.readLine()).trimmed();
}

void UserRun::send(const QString& command) {
    process_.write((command + QLatin1Char('\n')).toUtf8());
    process_.waitForBytesWritten(60000);
}

std::string UserRun::answer() {
    QStringList lines{line()};
    for (QString l = line(); !l.isEmpty() && l != QLatin1String("end"); l = line())
        lines << l;
    return lines.join(QLatin1Char('\n')).toStdString();
}

void UserRun::freeze() {
    if (pid() > 0) ::kill(pid(), SIGSTOP);
}

void UserRun::thaw() {
    if (pid() > 0) ::kill(pid(), SIGCONT);
}

bool UserRun::frozen() const {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid()));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    const int end = line.lastIndexOf(')');
    return end > 0 && line.size() > end + 2 && line[end + 2] == 'T';
}

} // namespace testsupport
