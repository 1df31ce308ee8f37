// Makes (once) and refreshes a demo installation of the program in the given folder, standing in for the
// product family's frame program: the database folder with the archive, presets and information-system
// databases, a project "DEMO.01" with two example records, the settings value "Datenbankpfad" and the
// hand-over row of the user who runs it.
//
//   makedemo DEMO-FOLDER [PROGRAM-FILE TEMPLATE]
#include "ElectronicsPresets.h"
#include "ExampleRecords.h"
#include "Schema.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/VbError.h"
#include "platform/system/UserAccount.h"

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
    c.Execute(QStringLiteral("DELETE FROM ADMIN WHERE BENUTZER=?"), {Variant(user)});
    c.Execute(QStringLiteral("INSERT INTO ADMIN (BENUTZER, PROG, PROJEKTSPFAD, PROJEKT, BEARBEITER) "
                             "VALUES (?, 'HELVANO', ?, 'DEMO.01', 'Labor Demo')"),
              {Variant(user), Variant(projects)});
}

// The import configurations of the demo in the presets database and a sample file of each in the folder
// "Elektronik" beside it, so that an import can be tried at once; a configuration or file of the same name
// that is there already stays as it is.
void addElectronics(const QString& presets, const QString& folder) {
    ensure(folder);
    Connection c;
    c.Open(presets);
    Connection::Transaction t(c);
    for (const examples::DemoElectronics& demo : examples::demoElectronics()) {
        if (!examples::hasPreset(c, demo.preset.AKVK)) {
            platform::Recordset last;
            last.OpenForReading(QStringLiteral("SELECT MAX([IDK]) FROM [TAMBRIN_VE1]"), c);
            const Variant top = last.eof() ? Variant() : last.Value(0);
            examples::storePreset(c, demo.preset, top.isNumeric() ? int(top.number()) + 1 : 1);
        }
        QFile file(folder + QLatin1Char('/') + demo.sample.name);
        if (file.exists()) continue;
        if (!file.open(QIODevice::WriteOnly) || file.write(demo.sample.bytes) != demo.sample.bytes.size())
            throw platform::VbError::permissionDenied(file.fileName());
    }
    t.commit();
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
        const QString program = root + QStringLiteral("/TAMBRIN");
        const QString databases = root + QStringLiteral("/DATENBANK");
        const QString projects = root + QStringLiteral("/PROJEKTE");
        for (const QString& f : {program, databases, projects + QStringLiteral("/DEMO.01"), root + QStringLiteral("/config")})
            ensure(f);
        makeIfMissing(schema::Database::Archive, databases + QStringLiteral("/ARCHIV.mdb"));
        makeIfMissing(schema::Database::Presets, databases + QStringLiteral("/VORGABE.mdb"));
        addElectronics(databases + QStringLiteral("/VORGABE.mdb"), databases + QStringLiteral("/Elektronik"));
        makeIfMissing(schema::Database::Information, databases + QStringLiteral("/DALMIR.mdb"));
        makeProject(projects + QStringLiteral("/DEMO.01/TAMBRIN.mdb"));
        handOver(databases + QStringLiteral("/ARCHIV.mdb"), projects);

        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root + QStringLiteral("/config"));
        QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HELVANO"), QStringLiteral("HELVANO"));
        settings.setValue(QStringLiteral("Extras/Datenbankpfad"), databases);
        settings.sync();

        if (argc == 4) {
            // The program and its empty template, fresh from the build.
            for (int i = 2; i < 4; ++i) {
                const QString from = QString::fromLocal8Bit(argv[i]);
                const QString to = program + QLatin1Char('/') + QFileInfo(from).fileName();
                QFile::remove(to);
                if (!QFile::copy(from, to)) throw platform::VbError::permissionDenied(to);
            }
        }
    } catch (const platform::VbError& e) {
        std::fprintf(stderr, "makedemo: %s\n", qPrintable(e.Description()));
        return 1;
    }
    std::printf("%s\n", qPrintable(root));
    return 0;
}
