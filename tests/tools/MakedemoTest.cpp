#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Convert.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QSettings>

using platform::Connection;
using platform::Recordset;
using platform::Variant;

namespace {

// makedemo on a folder, as ./run calls it before each start.
void makedemo(const QString& root) {
    QProcess p;
    p.start(QStringLiteral(MAKEDEMO), {root});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

QString value(const QString& database, const QString& sql) {
    Connection c;
    c.Open(database);
    Recordset rs;
    rs.Open(sql, c);
    return rs.eof() ? QString() : platform::CStr(rs.Value(0));
}

QString settingsValue(const QString& root) {
    const QSettings ini(root + QStringLiteral("/config/HELVANO/HELVANO.ini"), QSettings::IniFormat);
    return ini.value(QStringLiteral("Extras/Datenbankpfad")).toString();
}

// The demo installation is made once: a later run keeps what changed since (the operator and project of
// the hand-over row, the records, the settings value) and adds only what is missing.
TEST(Makedemo, ALaterRunKeepsWhatChangedAndAddsWhatIsMissing) {
    testsupport::TempDir dir;
    const QString root = dir.file(QStringLiteral("demo"));
    makedemo(root);
    const QString archive = root + QStringLiteral("/DATENBANK/ARCHIV.mdb");
    const QString project = root + QStringLiteral("/PROJEKTE/DEMO.01/TAMBRIN.mdb");
    const QString second = root + QStringLiteral("/PROJEKTE/DEMO.02/TAMBRIN.mdb");
    EXPECT_EQ(value(archive, QStringLiteral("SELECT [BEARBEITER] FROM [ADMIN]")),
              QStringLiteral("Labor Demo"));
    EXPECT_EQ(settingsValue(root), root + QStringLiteral("/DATENBANK"));
    // The second project, for Export-Import, starts as empty as the template.
    EXPECT_EQ(value(second, QStringLiteral("SELECT COUNT(*) FROM [E1]")), QStringLiteral("0"));

    // Between two runs: another operator and project, a record deleted, one exported into the second
    // project, a database lost.
    {
        Connection c;
        c.Open(archive);
        c.Execute(QStringLiteral("UPDATE [ADMIN] SET [BEARBEITER]='Frau Neumann', [PROJEKT]='DEMO.02'"));
        Connection p;
        p.Open(project);
        p.Execute(QStringLiteral("DELETE FROM [E1] WHERE [KEN]='Probe C'"));
        Connection s;
        s.Open(second);
        s.Execute(QStringLiteral("INSERT INTO [E1] ([ID], [KEN], [AKT]) VALUES (1, 'Probe C', 0)"));
    }
    ASSERT_TRUE(QFile::remove(root + QStringLiteral("/DATENBANK/VORGABE.mdb")));
    makedemo(root);

    EXPECT_EQ(value(archive, QStringLiteral("SELECT [BEARBEITER] FROM [ADMIN]")),
              QStringLiteral("Frau Neumann"));
    EXPECT_EQ(value(archive, QStringLiteral("SELECT [PROJEKT] FROM [ADMIN]")), QStringLiteral("DEMO.02"));
    EXPECT_EQ(value(archive, QStringLiteral("SELECT COUNT(*) FROM [ADMIN]")), QStringLiteral("1"));
    EXPECT_EQ(value(project, QStringLiteral("SELECT COUNT(*) FROM [E1]")), QStringLiteral("2"));
    EXPECT_EQ(value(second, QStringLiteral("SELECT [KEN] FROM [E1]")), QStringLiteral("Probe C"));
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("/DATENBANK/VORGABE.mdb")));
    EXPECT_EQ(settingsValue(root), root + QStringLiteral("/DATENBANK"));
}

// Without its row (the frame program removed it) or with a settings value that names no archive (the
// folder was moved), a run makes them again.
TEST(Makedemo, AMissingRowAndAStaleSettingsValueAreMadeAgain) {
    testsupport::TempDir dir;
    const QString root = dir.file(QStringLiteral("demo"));
    makedemo(root);
    const QString archive = root + QStringLiteral("/DATENBANK/ARCHIV.mdb");
    {
        Connection c;
        c.Open(archive);
        c.Execute(QStringLiteral("DELETE FROM [ADMIN]"));
        QSettings ini(root + QStringLiteral("/config/HELVANO/HELVANO.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Extras/Datenbankpfad"), dir.file(QStringLiteral("moved/DATENBANK")));
    }
    makedemo(root);
    EXPECT_EQ(value(archive, QStringLiteral("SELECT [BEARBEITER] FROM [ADMIN]")),
              QStringLiteral("Labor Demo"));
    EXPECT_EQ(value(archive, QStringLiteral("SELECT [PROJEKT] FROM [ADMIN]")), QStringLiteral("DEMO.01"));
    EXPECT_EQ(settingsValue(root), root + QStringLiteral("/DATENBANK"));
}

} // namespace
