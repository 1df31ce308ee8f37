#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <memory>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <sys/stat.h>

namespace {

QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Two demo starts at the same moment (./run twice) each find the installation whole: the program file is
// the built one, ready to start, and the user has one hand-over row.
TEST(Demo, InstallersStartedAtOnceTakeTurns) {
    const QString bin = QCoreApplication::applicationDirPath();
    const QString program = bin + QStringLiteral("/TAMBRIN"), templ = bin + QStringLiteral("/TAMBRIN.mdb");
    ASSERT_TRUE(QFile::exists(program));
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        testsupport::TempDir dir;
        const QString root = dir.file(QStringLiteral("demo"));
        std::vector<std::unique_ptr<QProcess>> installers;
        for (int i = 0; i < 3; ++i) {
            auto p = std::make_unique<QProcess>();
            p->start(bin + QStringLiteral("/makedemo"), {root, program, templ});
            installers.push_back(std::move(p));
        }
        for (auto& p : installers) {
            ASSERT_TRUE(p->waitForFinished(120000));
            EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        }
        const QString installed = root + QStringLiteral("/TAMBRIN/TAMBRIN");
        EXPECT_EQ(bytesOf(installed), bytesOf(program));
        EXPECT_TRUE(QFileInfo(installed).isExecutable());
        EXPECT_FALSE(QFile::exists(installed + QStringLiteral(".tmp")));
        platform::Connection archive;
        archive.Open(root + QStringLiteral("/DATENBANK/ARCHIV.mdb"));
        platform::Recordset rows;
        rows.Open(QStringLiteral("SELECT COUNT(*) FROM ADMIN"), archive);
        EXPECT_EQ(rows.Value(0).asLong(), 1);
        platform::Connection project;
        EXPECT_NO_THROW(project.Open(root + QStringLiteral("/PROJEKTE/DEMO.01/TAMBRIN.mdb")));

        // The same build again leaves the program file in place: a run started from it a moment ago keeps
        // its file (and so its own path).
        struct stat before {
        }, after{};
        ASSERT_EQ(::stat(installed.toLocal8Bit().constData(), &before), 0);
        QProcess again;
        again.start(bin + QStringLiteral("/makedemo"), {root, program, templ});
        ASSERT_TRUE(again.waitForFinished(120000));
        EXPECT_EQ(again.exitCode(), 0);
        ASSERT_EQ(::stat(installed.toLocal8Bit().constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
}

} // namespace
