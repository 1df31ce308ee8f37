// Makes (once) and refreshes a demo installation of the program in the given folder, standing in for the
// product family's frame program: the database folder with the archive, presets and information-system
// databases, a project "DEMO.01" with two example records, the settings value "Datenbankpfad" and the
// hand-over row of the user who runs it.
//
//   makedemo DEMO-FOLDER [PROGRAM-FILE TEMPLATE]
#include "ExampleRecords.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/VbError.h"
#include "platform/system/FileLock.h"
#include "platform/system/FileSystem.h"
#include "platform/system/UserAccount.h"
#include "Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <cstdio>

using platform::Connection;
using platform::Variant;

namespace {

void ensure(const QString& path) {
    if (!QDir().mkpath(path)) throw platform::VbError::pathNotFound(path);
}

void makeIfMissing(schema::Database kind, const QString& path) {
    if (!QFile::exists(path)) schema::create(kind, path);
}

void makeProject(const QString& path) {
    if (QFile::exists(path)) return;
    schema::create(schema::Database::Project, path);
    Connection c;
    c.Open(path);
    Connection::Transaction t(c);
    examples::Record b = examples::dryingSet();
    b.KEN = QStringLiteral("Probe B");
    b.KOM = QStringLiteral("Schluffiger Sand, Standardversuch");
    b.DMAX = 16.0f;
    examples::store(c, b, 1, true);
    examples::Record cc = examples::withOversize(examples::addedWaterSet());
    cc.KEN = QStringLiteral("Probe C");
    cc.KOM = QStringLiteral("Kiesiger Lehm, mit Überkorn");
    cc.KENV = 1;
    cc.KEND = false;
    examples::store(c, cc, 2, false);
    t.commit();
}

void handOver(const QString& archive, const QString& projects) {
    Connection c;
    c.Open(archive);
    const QString user = platform::LoginName().toUpper();
    // The row stays where it is: a run started a moment ago may be reading and updating it.
    Connection::Transaction t(c);
    const int found = c.Execute(QStringLiteral("UPDATE ADMIN SET PROJEKTSPFAD=?, PROJEKT='DEMO.01', "
                                               "BEARBEITER='Labor Demo' WHERE BENUTZER=?"),
                                {Variant(projects), Variant(user)});
    if (found == 0)
        c.Execute(QStringLiteral("INSERT INTO ADMIN (BENUTZER, PROG, PROJEKTSPFAD, PROJEKT, BEARBEITER) "
                                 "VALUES (?, 'HELVANO', ?, 'DEMO.01', 'Labor Demo')"),
                  {Variant(user), Variant(projects)});
    t.commit();
}

bool sameContent(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    while (!fa.atEnd())
        if (fa.read(1 << 20) != fb.read(1 << 20)) return false;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: makedemo DEMO-FOLDER [PROGRAM-FILE TEMPLATE]\n");
        return 2;
    }
    const QString root = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    try {
        // Two demo starts at the same moment take turns: each finds the installation whole.
        ensure(root);
        platform::FileLock lock(root + QStringLiteral("/makedemo.lock"));
        if (!lock.take(std::chrono::minutes(2))) throw platform::VbError::permissionDenied(lock.file());
        const QString program = root + QStringLiteral("/TAMBRIN");
        const QString databases = root + QStringLiteral("/DATENBANK");
        const QString projects = root + QStringLiteral("/PROJEKTE");
        for (const QString& f : {program, databases, projects + QStringLiteral("/DEMO.01"), root + QStringLiteral("/config")})
            ensure(f);
        makeIfMissing(schema::Database::Archive, databases + QStringLiteral("/ARCHIV.mdb"));
        makeIfMissing(schema::Database::Presets, databases + QStringLiteral("/VORGABE.mdb"));
        makeIfMissing(schema::Database::Information, databases + QStringLiteral("/DALMIR.mdb"));
        makeProject(projects + QStringLiteral("/DEMO.01/TAMBRIN.mdb"));
        handOver(databases + QStringLiteral("/ARCHIV.mdb"), projects);

        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root + QStringLiteral("/config"));
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HELVANO"), QStringLiteral("HELVANO"));
        settings.setValue(QStringLiteral("Extras/Datenbankpfad"), databases);
        settings.sync();

        if (argc == 4) {
            // The program and its empty template, fresh from the build. Each takes the place of the old file
            // in one step: a program started from the installation a moment ago finds a whole file.
            for (int i = 2; i < 4; ++i) {
                const QString from = QString::fromLocal8Bit(argv[i]);
                const QString to = program + QLatin1Char('/') + QFileInfo(from).fileName();
                // The same build is left in place: a program started from it keeps a file of its own.
                if (!sameContent(from, to)) platform::FileSystem::CopyFile(from, to, true);
            }
        }
    } catch (const platform::VbError& e) {
        std::fprintf(stderr, "makedemo: %s\n", qPrintable(e.Description()));
        return 1;
    }
    std::printf("%s\n", qPrintable(root));
    return 0;
}
