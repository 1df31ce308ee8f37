#include "Installation.h"

#include "Schema.h"
#include "frmMAIN.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/DialogService.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

using platform::Connection;
using platform::Variant;

namespace testsupport {

Installation::Installation(const QString& language, const QString& decimalSign) {
    if (!language.isEmpty()) locale_.emplace(language, decimalSign);
    programFolder_ = dir_.mkdir(QStringLiteral("TAMBRIN"));
    schema::create(schema::Database::Project, programFolder_ + QStringLiteral("/TAMBRIN.mdb"));
    dir_.mkdir(QStringLiteral("DATENBANK"));
    schema::create(schema::Database::Archive, databaseFolder() + QStringLiteral("/ARCHIV.mdb"));
    schema::create(schema::Database::Presets, databaseFolder() + QStringLiteral("/VORGABE.mdb"));
    schema::create(schema::Database::Information, databaseFolder() + QStringLiteral("/DALMIR.mdb"));
    addProject(QStringLiteral("P1"));
    handOver(QStringLiteral("P1"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.mkdir(QStringLiteral("config")));
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("HELVANO"), QStringLiteral("HELVANO"));
    s.setValue(QStringLiteral("Extras/Datenbankpfad"), databaseFolder());
    s.sync();
}

Installation::~Installation() {
    window_.reset();
}

QString Installation::projectDatabase(const QString& project) const {
    return projectsFolder() + QLatin1Char('/') + project + QStringLiteral("/TAMBRIN.mdb");
}

QString Installation::workingCopy() const {
    QDir parent(programFolder_);
    parent.cdUp();
    return parent.filePath(QStringLiteral("BENUTZER/") + user() + QStringLiteral("/TAMBRIN.mdb"));
}

QString Installation::userFolder() const {
    QDir parent(programFolder_);
    parent.cdUp();
    return parent.filePath(QStringLiteral("BENUTZER/") + user());
}

QStringList Installation::files() const {
    QStringList out;
    QDirIterator it(root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        out << QStringLiteral("%1 %2 %3")
                   .arg(f.filePath())
                   .arg(f.size())
                   .arg(f.lastModified().toMSecsSinceEpoch());
    }
    out.sort();
    return out;
}

QString Installation::frameProgram() const {
    QDir parent(programFolder_);
    parent.cdUp();
    return parent.filePath(QStringLiteral("HELVANO"));
}

QStringList Installation::names(const QString& database) {
    Connection c;
    c.Open(database);
    platform::Recordset rs;
    rs.Open(QStringLiteral("SELECT [KEN] FROM [E1] ORDER BY [ID]"), c);
    QStringList out;
    for (; !rs.eof(); rs.MoveNext()) out << rs.Value(0).asString();
    return out;
}

void Installation::addRecord(const QString& database, int id, const QString& name) {
    Connection c;
    c.Open(database);
    c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, AKT) VALUES (?, ?, 0)"),
              {Variant(std::int32_t(id)), Variant(name)});
}

void Installation::addProject(const QString& project) {
    dir_.mkdir(QStringLiteral("PROJEKTE/") + project);
    schema::create(schema::Database::Project, projectDatabase(project));
    Connection c;
    c.Open(projectDatabase(project));
    c.Execute(QStringLiteral("INSERT INTO E1 (ID, KEN, KOM, AKT, SPR) VALUES (1, 'Probe', ?, 1, 3)"),
              {Variant(QStringLiteral("Projekt ") + project)});
}

void Installation::handOver(const QString& project) {
    Connection c;
    c.Open(databaseFolder() + QStringLiteral("/ARCHIV.mdb"));
    c.Execute(QStringLiteral("DELETE FROM ADMIN"));
    if (project.isEmpty()) return;
    c.Execute(QStringLiteral("INSERT INTO ADMIN (BENUTZER, PROG, PROJEKTSPFAD, PROJEKT, BEARBEITER) "
                             "VALUES (?, 'HELVANO', ?, ?, 'Frau Prüfer')"),
              {Variant(user()), Variant(projectsFolder()), Variant(project)});
}

void Installation::handOverTo(const QString& otherUser) const {
    Connection archive;
    archive.Open(databaseFolder() + QStringLiteral("/ARCHIV.mdb"));
    archive.Execute(QStringLiteral("INSERT INTO ADMIN (BENUTZER, PROG, PROJEKTSPFAD, PROJEKT, BEARBEITER) "
                                   "VALUES (?, 'HELVANO', ?, 'P1', ?)"),
                    {Variant(otherUser), Variant(projectsFolder()), Variant(otherUser)});
}

QString Installation::printShownPageToPdf() {
    const QString folder = root() + QStringLiteral("/druck");
    QDir().mkpath(folder);
    platform::PrintAnswer print;
    print.range = platform::PrintAnswer::Range::All;
    print.pdfFile = folder + QStringLiteral("/seite.pdf");
    dialogs_.clear();
    dialogs_.answerPrint(print);
    window_->stbMAIN_PanelClick(11);
    return print.pdfFile;
}

QString Installation::handOverProg() const {
    Connection c;
    c.Open(databaseFolder() + QStringLiteral("/ARCHIV.mdb"));
    platform::Recordset rs;
    rs.Open(QStringLiteral("SELECT [PROG] FROM [ADMIN]"), c);
    return rs.eof() ? QString() : rs.Value(0).asString();
}

void Installation::makeDevelopmentMode() {
    // <root>/Source/TAMBRIN with the project "TE0000.00" in <root>/Source.
    const QString source = dir_.mkdir(QStringLiteral("Source"));
    QDir().rename(programFolder_, source + QStringLiteral("/TAMBRIN"));
    programFolder_ = source + QStringLiteral("/TAMBRIN");
    QDir().mkpath(source + QStringLiteral("/TE0000.00"));
    schema::create(schema::Database::Project, source + QStringLiteral("/TE0000.00/TAMBRIN.mdb"));
}

frmMAIN& Installation::start() {
    window_ = std::make_unique<frmMAIN>();
    window_->setProgramFolder(programFolder_);
    window_->setUserName(user());
    window_->setDialogs(&dialogs_);
    window_->setDesktop(&desktop_);
    result_ = int(window_->MDIForm_Load());
    return *window_;
}

void Installation::stop() {
    if (window_) window_->close();
}

} // namespace testsupport
