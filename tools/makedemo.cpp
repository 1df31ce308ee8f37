// Makes a demo installation of the program in the given folder, standing in for the product family's frame
// program: the database folder with the archive, presets and information-system databases, a project
// "DEMO.01" with three evaluated example records ("Probe B" active), a second, empty project "DEMO.02" beside
// it, the settings value "Datenbankpfad" and the hand-over row of the user who runs it. A later run adds only
// what is missing, so that what changed since (the operator or project of the hand-over row, the records of
// either project) stays; the program files are replaced.
//
//   makedemo DEMO-FOLDER [PROGRAM-FILE TEMPLATE]
#include "clsBERECHNEN.h"
#include "mdiSEITE1.h"
#include "ElectronicsPresets.h"
#include "ExampleRecords.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/run/ProgressBar.h"
#include "platform/run/RunState.h"
#include "platform/runtime/ScriptedDialogs.h"
#include "platform/runtime/VbError.h"
#include "platform/system/FileLock.h"
#include "platform/system/FileSystem.h"
#include "platform/system/UserAccount.h"
#include "Schema.h"

#include <QApplication>
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

// Returns true when the project was made now.
bool makeProject(const QString& path) {
    if (QFile::exists(path)) return false;
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
    examples::Record d = examples::addedWaterSet();
    d.KEN = QStringLiteral("Probe D");
    d.KOM = QStringLiteral("Kiesiger Lehm, Standardversuch");
    examples::store(c, d, 3, false);
    t.commit();
    return true;
}

// Evaluates every record of the project as Calculate first does, so that the records can be compared in
// a multiple evaluation at once; "Probe B" stays the only active record.
void evaluateRecords(const QString& path) {
    platform::RunState run;
    run.cnnX = std::make_shared<Connection>();
    run.cnnX->Open(path);
    platform::ScriptedDialogs dialogs;
    platform::RecordingProgressBar bar;
    run.setDialogs(&dialogs);
    run.setProgressBar(&bar);
    run.install();
    for (int id : {1, 2, 3}) {
        run.cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = ?)"), {Variant(std::int32_t(id))});
        clsBERECHNEN evaluation;
        if (!evaluation.BERECHNUNG()) {
            std::fprintf(stderr, "makedemo: record %d could not be evaluated: %s\n", id,
                         qPrintable(dialogs.messages().join(QLatin1Char(' '))));
            continue;
        }
        // Built once as Calculate first builds it, page 1 stores the record's diagram settings; only then is
        // the evaluation valid, and the record can be chosen for a multiple evaluation.
        {
            mdiSEITE1 page;
            page.Form_Load();
        }
        run.cnnX->Execute(QStringLiteral("UPDATE A1 SET BONEU = 0 WHERE ID = ?"), {Variant(std::int32_t(id))});
    }
    run.cnnX->Execute(QStringLiteral("UPDATE E1 SET AKT = (ID = 1)"));
    run.uninstall();
    run.cnnX->Close();
}

// The hand-over row of the user who runs it, when there is none: a row that is there holds what the frame
// program (or the user) set since, such as another operator or project, and stays as it is.
void handOver(const QString& archive, const QString& projects) {
    Connection c;
    c.Open(archive);
    const QString user = platform::LoginName().toUpper();
    // One statement, so that two installers started at once can't both add the row; a run started a moment
    // ago may be reading it.
    c.Execute(QStringLiteral("INSERT INTO ADMIN (BENUTZER, PROG, PROJEKTSPFAD, PROJEKT, BEARBEITER) "
                             "SELECT ?, 'HELVANO', ?, 'DEMO.01', 'Labor Demo' "
                             "WHERE NOT EXISTS (SELECT 1 FROM ADMIN WHERE BENUTZER=?)"),
              {Variant(user), Variant(projects), Variant(user)});
}

bool sameContent(const QString& a, const QString& b) {
    QFile fa(a), fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    while (!fa.atEnd())
        if (fa.read(1 << 20) != fb.read(1 << 20)) return false;
    return true;
}

// The settings value that names the database folder, when it is missing or names a folder without the
// archive (a demo folder that was moved); a value that names an archive stays.
void pointSettingsAt(const QString& configFolder, const QString& databases) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configFolder);
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HELVANO"),
                       QStringLiteral("HELVANO"));
    const QString key = QStringLiteral("Extras/Datenbankpfad");
    const QString current = settings.value(key).toString();
    if (!current.isEmpty() && QFile::exists(current + QStringLiteral("/ARCHIV.mdb"))) return;
    settings.setValue(key, databases);
    settings.sync();
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
    // Page 1 is built without a screen to store the demo records' diagram settings.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: makedemo DEMO-FOLDER [PROGRAM-FILE TEMPLATE]\n");
        return 2;
    }
    const QString root = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    try {
        // Two demo starts at the same moment take turns: each finds the installation whole.
        ensure(root);
        platform::FileLock lock(root + QStringLiteral("/makedemo.lock"));
        if (lock.take(std::chrono::minutes(2)) != platform::FileLock::State::Taken)
            throw platform::VbError::permissionDenied(lock.file());
        const QString program = root + QStringLiteral("/TAMBRIN");
        const QString databases = root + QStringLiteral("/DATENBANK");
        const QString projects = root + QStringLiteral("/PROJEKTE");
        for (const QString& f : {program, databases, projects + QStringLiteral("/DEMO.01"),
                                 projects + QStringLiteral("/DEMO.02"), root + QStringLiteral("/config")})
            ensure(f);
        makeIfMissing(schema::Database::Archive, databases + QStringLiteral("/ARCHIV.mdb"));
        makeIfMissing(schema::Database::Presets, databases + QStringLiteral("/VORGABE.mdb"));
        addElectronics(databases + QStringLiteral("/VORGABE.mdb"), databases + QStringLiteral("/Elektronik"));
        makeIfMissing(schema::Database::Information, databases + QStringLiteral("/DALMIR.mdb"));
        const QString project = projects + QStringLiteral("/DEMO.01/TAMBRIN.mdb");
        if (makeProject(project)) evaluateRecords(project);
        // The program makes no project (the frame program does): a second one, empty as the template is, is
        // where Export-Import can copy records to and from the current one.
        makeIfMissing(schema::Database::Project, projects + QStringLiteral("/DEMO.02/TAMBRIN.mdb"));
        handOver(databases + QStringLiteral("/ARCHIV.mdb"), projects);

        pointSettingsAt(root + QStringLiteral("/config"), databases);

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
