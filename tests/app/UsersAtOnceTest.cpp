// Several users of one installation working at the same moment, each in a process of its own (user_run).
#include "Installation.h"
#include "UserRunProcess.h"

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
using testsupport::UserRun;

namespace {

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
        for (const QString& user : users.mid(1))
            inst.handOverTo(user);
        std::vector<std::unique_ptr<UserRun>> runs;
        for (const QString& user : users)
            runs.push_back(std::make_unique<UserRun>(inst, user));
        for (auto& run : runs)
            ASSERT_EQ(run->line(), QStringLiteral("ready"));
        {
            Writer other({inst.databaseFolder() + QStringLiteral("/ARCHIV.mdb"),
                          inst.databaseFolder() + QStringLiteral("/VORGABE.mdb"),
                          inst.databaseFolder() + QStringLiteral("/DALMIR.mdb"), inst.projectDatabase()});
            // The other program is under way before the runs start (on a busy machine its thread may come
            // late).
            for (int wait = 0; wait < 1000 && other.writes() == 0; ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            for (auto& run : runs)
                run->send(QStringLiteral("start"));
            for (int i = 0; i < int(runs.size()); ++i) {
                EXPECT_EQ(runs[i]->answer(), "started 0 1") << users[i].toStdString();
            }
            EXPECT_GT(other.writes(), 0);
        }
        // And they end at the same moment, each handing its row back.
        for (auto& run : runs)
            run->send(QStringLiteral("quit"));
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

// Two users of one project, each with another record changed, press Save at the same moment: one Save
// replaces the project database, the other waits for it and then asks before it would replace that Save's
// work (here the answer is No: the change stays in that user's working copy, to be saved later).
TEST(Save, UsersSavingAtOnceLoseNoChangeUnasked) {
    const QStringList users{Installation::user(), QStringLiteral("MEIER")};
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        Installation inst;
        Installation::addRecord(inst.projectDatabase(), 2, QStringLiteral("Zweite"));
        {
            // Some megabytes (below the size that asks to compact): a Save takes its time.
            Connection project;
            project.Open(inst.projectDatabase());
            project.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT) VALUES (3, 'Gross', ?, 0)"),
                            {Variant(QString(8000000, QLatin1Char('x')))});
        }
        inst.handOverTo(users[1]);
        std::vector<std::unique_ptr<UserRun>> runs;
        for (const QString& user : users)
            runs.push_back(std::make_unique<UserRun>(inst, user));
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(runs[i]->line(), QStringLiteral("ready"));
            runs[i]->send(QStringLiteral("start"));
            ASSERT_EQ(runs[i]->answer(), "started 0 1");
            runs[i]->send(QStringLiteral("comment %1 von %2").arg(i + 1).arg(users[i]));
            ASSERT_EQ(runs[i]->line(), QStringLiteral("ok"));
            runs[i]->send(QStringLiteral("answer 7"));
            ASSERT_EQ(runs[i]->line(), QStringLiteral("ok"));
        }
        for (auto& run : runs)
            run->send(QStringLiteral("save"));
        std::string saved[2];
        for (int i = 0; i < 2; ++i)
            saved[i] = runs[i]->answer();
        Connection project;
        project.Open(inst.projectDatabase());
        platform::Recordset rows;
        rows.Open(QStringLiteral("SELECT [KOM] FROM [E1] WHERE [ID] IN (1, 2) ORDER BY [ID]"), project);
        for (int i = 0; i < 2; ++i, rows.MoveNext()) {
            const Variant comment = rows.Value(0);
            const bool kept =
                !comment.isNull() && comment.asString() == QStringLiteral("von %1").arg(users[i]);
            if (kept) {
                EXPECT_EQ(saved[i], "saved 1 dirty 0") << users[i].toStdString();
            } else {
                EXPECT_TRUE(saved[i].starts_with("saved 0 dirty 1\nbox: Die Projektdatenbank ") &&
                            saved[i].find("wurde geändert") != std::string::npos)
                    << users[i].toStdString() << ": " << saved[i];
            }
        }
        // Exactly one of the two replaced the project database.
        EXPECT_NE(saved[0].starts_with("saved 1"), saved[1].starts_with("saved 1"))
            << saved[0] << " / " << saved[1];
        for (auto& run : runs) {
            run->send(QStringLiteral("answer 7")); // leaving without saving again
            run->line();
            run->send(QStringLiteral("quit"));
        }
    }
}

// A user leaves Save's question about a change since the copy open (gone for lunch): that Save holds no lock
// meanwhile, so another user's Save of the project goes through at once. When the first user answers Yes,
// that Save finds the project changed again under the lock and asks again; No keeps the first user's change
// in the working copy.
TEST(Save, AQuestionLeftOpenHoldsUpNoOtherUsersSave) {
    const QStringList users{Installation::user(), QStringLiteral("MEIER")};
    Installation inst;
    Installation::addRecord(inst.projectDatabase(), 2, QStringLiteral("Zweite"));
    inst.handOverTo(users[1]);
    std::vector<std::unique_ptr<UserRun>> runs = UserRun::startedWithAChange(inst, users);
    if (HasFailure()) return;
    // Records exported into the project meanwhile: both Saves ask before they replace it.
    Installation::addRecord(inst.projectDatabase(), 3, QStringLiteral("Export"));

    UserRun& first = *runs[0];
    first.send(QStringLiteral("answer 7")); // to the question asked again
    ASSERT_EQ(first.line(), QStringLiteral("ok"));
    first.send(QStringLiteral("hold"));
    ASSERT_EQ(first.line(), QStringLiteral("ok"));
    first.send(QStringLiteral("save"));
    const QString open = first.line();
    EXPECT_TRUE(open.startsWith(QStringLiteral("open: Die Projektdatenbank ")) &&
                open.contains(QStringLiteral("wurde geändert")))
        << open.toStdString();

    UserRun& second = *runs[1];
    second.send(QStringLiteral("answer 6"));
    ASSERT_EQ(second.line(), QStringLiteral("ok"));
    second.send(QStringLiteral("save"));
    const std::string saved = second.answer();
    EXPECT_TRUE(saved.starts_with("saved 1 dirty 0\nbox: Die Projektdatenbank ")) << saved;

    first.send(QStringLiteral("6"));
    const std::string asked = first.answer();
    EXPECT_TRUE(asked.starts_with("saved 0 dirty 1\nbox: Die Projektdatenbank ") &&
                asked.find("wurde geändert") != std::string::npos)
        << asked;
    Connection project;
    project.Open(inst.projectDatabase());
    platform::Recordset rows;
    rows.Open(QStringLiteral("SELECT [KOM] FROM [E1] WHERE [ID] IN (1, 2) ORDER BY [ID]"), project);
    EXPECT_TRUE(rows.Value(0).isNull() || rows.Value(0).asString() != QStringLiteral("von PRUEFER"));
    rows.MoveNext();
    EXPECT_EQ(rows.Value(0).asString(), QStringLiteral("von MEIER"));
    for (auto& run : runs) {
        run->send(QStringLiteral("answer 7"));
        run->line();
        run->send(QStringLiteral("quit"));
    }
}

} // namespace
