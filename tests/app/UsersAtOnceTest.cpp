// Several users of one installation working at the same moment, each in a process of its own (user_run).
#include "Installation.h"

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/VbError.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <QProcess>
#include <QProcessEnvironment>
#include <thread>
#include <vector>

using platform::Connection;
using platform::Variant;
using testsupport::Installation;

namespace {

// One user's run as a process of its own, driven line by line.
class UserRun {
public:
    UserRun(const Installation& inst, const QString& user) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), inst.root() + QStringLiteral("/config"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(USER_RUN), {inst.programFolder(), user});
    }
    ~UserRun() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.closeWriteChannel();
        if (!process_.waitForFinished(60000)) process_.kill();
        process_.waitForFinished();
    }

    // The next line the run says; empty when it ended or said nothing for a minute.
    QString line() {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(60000)) return {};
        return QString::fromUtf8(process_.readLine()).trimmed();
    }
    void send(const QString& command) { process_.write((command + QLatin1Char('\n')).toUtf8()); }
    // The first line of an answer, then the message boxes the run asked meanwhile, one a line.
    std::string answer() {
        QStringList lines{line()};
        for (QString l = line(); !l.isEmpty() && l != QLatin1String("end"); l = line()) lines << l;
        return lines.join(QLatin1Char('\n')).toStdString();
    }

private:
    QProcess process_;
};

// Another user's program writing the shared databases the whole time, a short transaction after another, as
// the frame program hands rows over and other runs write the presets or export into the project.
class Writer {
public:
    explicit Writer(const QStringList& files) {
        thread_ = std::thread([this, files] {
            std::vector<std::unique_ptr<Connection>> open;
            for (const QString& file : files) {
                open.push_back(std::make_unique<Connection>());
                open.back()->Open(file);
            }
            for (int n = 1; !stop_; ++n)
                for (auto& c : open) {
                    try {
                        // A write of the file's header: a write lock and a commit, whatever tables it has.
                        c->Execute(QStringLiteral("PRAGMA user_version = %1").arg(n));
                        ++writes_;
                    } catch (const platform::VbError&) {
                        // Waited too long for a run's lock: the next one tries again.
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
        });
    }
    ~Writer() {
        stop_ = true;
        thread_.join();
    }
    int writes() const { return writes_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> writes_{0};
    std::thread thread_;
};

// Two laboratory users start the program at the same moment on one project: both get their main window,
// however their reads and writes of the shared databases (the hand-over archive, the presets, the project)
// fall together, and while another program writes those databases. The runs begin together: each is told to
// start once all are ready.
TEST(Startup, UsersStartingAtOnceAllReachTheirMainWindow) {
    const QStringList users{Installation::user(), QStringLiteral("MEIER"), QStringLiteral("SCHULZE"),
                            QStringLiteral("KRAUSE")};
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        Installation inst;
        {
            Connection archive;
            archive.Open(inst.databaseFolder() + QStringLiteral("/ARCHIV.mdb"));
            for (const QString& user : users.mid(1))
                archive.Execute(QStringLiteral("INSERT INTO ADMIN (BENUTZER, PROG, PROJEKTSPFAD, PROJEKT, BEARBEITER) "
                                               "VALUES (?, 'HELVANO', ?, 'P1', ?)"),
                                {Variant(user), Variant(inst.projectsFolder()), Variant(user)});
        }
        std::vector<std::unique_ptr<UserRun>> runs;
        for (const QString& user : users) runs.push_back(std::make_unique<UserRun>(inst, user));
        for (auto& run : runs) ASSERT_EQ(run->line(), QStringLiteral("ready"));
        {
            Writer other({inst.databaseFolder() + QStringLiteral("/ARCHIV.mdb"),
                          inst.databaseFolder() + QStringLiteral("/VORGABE.mdb"),
                          inst.databaseFolder() + QStringLiteral("/DALMIR.mdb"), inst.projectDatabase()});
            for (auto& run : runs) run->send(QStringLiteral("start"));
            for (int i = 0; i < int(runs.size()); ++i) {
                EXPECT_EQ(runs[i]->answer(), "started 0 1") << users[i].toStdString();
            }
            EXPECT_GT(other.writes(), 0);
        }
        // And they end at the same moment, each handing its row back.
        for (auto& run : runs) run->send(QStringLiteral("quit"));
        for (int i = 0; i < int(runs.size()); ++i)
            EXPECT_EQ(runs[i]->answer(), "ended") << users[i].toStdString();
        runs.clear();
        Connection archive;
        archive.Open(inst.databaseFolder() + QStringLiteral("/ARCHIV.mdb"));
        platform::Recordset rows;
        rows.Open(QStringLiteral("SELECT COUNT(*) FROM ADMIN WHERE PROG = 'TAMBRIN'"), archive);
        EXPECT_EQ(rows.Value(0).asLong(), 0);
    }
}

} // namespace
