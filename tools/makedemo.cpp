// Makes (once) and refreshes a demo installation of the program in the given folder, standing in for the
// product family's frame program: the database folder with the archive, presets and information-system
// databases, a project "DEMO.01" with two example records, the settings value "Datenbankpfad" and the
// hand-over row of the user who runs it.
//
//   makedemo DEMO-FOLDER [PROGRAM-FILE TEMPLATE]
//
// The example records are two published compaction tests (mould of 1000 cm3, grain density 2.70 g/cm3):
// set B by drying sub-samples, set C by weighing the added water, with an oversize fraction.
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

const double pi = 3.1415925; // as the evaluation takes it

void ensure(const QString& path) {
    if (!QDir().mkpath(path)) throw platform::VbError::pathNotFound(path);
}

void makeIfMissing(schema::Database kind, const QString& path) {
    if (!QFile::exists(path)) schema::create(kind, path);
}

struct Reading {
    double w;    // water content as a fraction
    double mass; // set B: mould + wet soil; set C: wet soil in the mould
};

void addRecordB(Connection& c) {
    const double dc = 10.0, mc = 1130.0, h2s = 2.0;
    const double hc = 1000.0 / (dc * dc * pi / 4.0);
    c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT, SPR) VALUES (1, ?, ?, 1, 3)"),
              {Variant(QStringLiteral("Probe B")), Variant(QStringLiteral("Schluffiger Sand, Standardversuch"))});
    c.Execute(QStringLiteral("INSERT INTO E2 (ID, KENV, KEND, KENP, KENW, DC, HC, MC, H2S, RHSU, DMAX, UE, DPR) "
                             "VALUES (1, 0, 1, 0, 1, ?, ?, ?, ?, 2.7, 16, 0, 97)"),
              {Variant(float(dc)), Variant(float(hc)), Variant(float(mc)), Variant(float(h2s))});
    const Reading readings[] = {{0.081, 2783}, {0.099, 3057}, {0.120, 3224},
                                {0.143, 3281}, {0.161, 3250}, {0.182, 3196}};
    short i = 0;
    for (const auto& r : readings) {
        // Sub-samples of 200 g dry soil in a tray of 50 g give the published water content.
        const double tray = 50.0, dry = 200.0;
        c.Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1, M1W, M2W, MCW, HS) VALUES (1, ?, ?, ?, ?, ?, ?)"),
                  {Variant(std::int16_t(i++)), Variant(float(r.mass)), Variant(float(tray + dry * (1.0 + r.w))),
                   Variant(float(tray + dry)), Variant(float(tray)), Variant(float(h2s))});
    }
}

void addRecordC(Connection& c) {
    const double dc = 10.0, mc = 4000.0, h2s = 2.0, msg = 2500.0, mz = 300.0;
    const double hc = 1000.0 / (dc * dc * pi / 4.0);
    c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT, SPR) VALUES (2, ?, ?, 0, 3)"),
              {Variant(QStringLiteral("Probe C")), Variant(QStringLiteral("Kiesiger Lehm, mit Überkorn"))});
    c.Execute(QStringLiteral("INSERT INTO E2 (ID, KENV, KEND, KENP, KENW, DC, HC, MC, H2S, RHSU, DMAX, UE, RHSUE, "
                             "WUE, DUEMAX, MSG, MZ, DPR) VALUES (2, 1, 0, 0, 0, ?, ?, ?, ?, 2.7, 31.5, 10, 2.65, 1, "
                             "63, ?, ?, 97)"),
              {Variant(float(dc)), Variant(float(hc)), Variant(float(mc)), Variant(float(h2s)), Variant(float(msg)),
               Variant(float(mz))});
    const Reading readings[] = {{0.128, 2010}, {0.145, 2092}, {0.156, 2114}, {0.168, 2100}, {0.192, 2055}};
    short i = 0;
    for (const auto& r : readings) {
        // The rest of the moist soil stays in the bowl (mass mz): m1,r = rest + mz, m1 = mc + soil + m1,r.
        const double rest = msg * (1.0 + r.w) - r.mass;
        const double m1r = rest + mz;
        c.Execute(QStringLiteral("INSERT INTO E3 (ID, I1, M1, M1R, HS) VALUES (2, ?, ?, ?, ?)"),
                  {Variant(std::int16_t(i++)), Variant(float(mc + r.mass + m1r)), Variant(float(m1r)),
                   Variant(float(h2s))});
    }
}

void makeProject(const QString& path) {
    if (QFile::exists(path)) return;
    schema::create(schema::Database::Project, path);
    Connection c;
    c.Open(path);
    Connection::Transaction t(c);
    addRecordB(c);
    addRecordC(c);
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
