#include "frmEXPIMP.h"

#include "clsKOPIE.h"
#include "platform/db/Connection.h"
#include "platform/db/DatabaseFailure.h"
#include "platform/db/ProjectLock.h"
#include "platform/db/Recordset.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/LockRequest.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "platform/system/FileSystem.h"
#include "platform/window/FormFont.h"
#include "platform/window/Twips.h"
#include "RecordId.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>

using platform::Connection;
using platform::ErrorTrap;
using platform::placeTwips;
using platform::Recordset;
using platform::RunState;
using platform::Variant;
using platform::Msg::Exclamation;
using platform::Msg::OKCancel;
namespace fs = platform::FileSystem;

namespace {

QListWidget* recordList(QWidget* parent, const QString& name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setFont(platform::arialFont(9));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSortingEnabled(false);
    return list;
}

// The cause of a failed write as the database layer tells it, in the run's language; any other failure by
// its description.
QString ursache(const std::exception& fehler) {
    using platform::DatabaseFailure;
    const struct {
        DatabaseFailure art;
        const char* english;
        const char* german;
    } bekannte[] = {
        {DatabaseFailure::ReadOnly, "the file is read-only", "die Datei ist schreibgeschützt"},
        {DatabaseFailure::CannotOpen, "the file or its folder can't be written",
         "die Datei oder ihr Ordner kann nicht beschrieben werden"},
        {DatabaseFailure::DiskFull, "the disk is full", "der Datenträger ist voll"},
        {DatabaseFailure::Damaged, "the database is damaged", "die Datenbank ist beschädigt"},
        {DatabaseFailure::DeviceIO, "the disk can't be read or written",
         "der Datenträger kann nicht gelesen oder beschrieben werden"},
        {DatabaseFailure::Busy, "the file is locked by another user or program",
         "die Datei ist von einem anderen Benutzer oder Programm gesperrt"},
        {DatabaseFailure::NotADatabase, "the file is no database", "die Datei ist keine Datenbank"},
    };
    const DatabaseFailure art = platform::databaseFailure(fehler);
    for (const auto& b : bekannte)
        if (b.art == art) return platform::Language::text(b.english, b.german);
    return platform::asVbError(fehler).Description();
}

const QString& dialogTitle() {
    static const QString title = QStringLiteral("Export/Import");
    return title;
}

} // namespace

frmEXPIMP::frmEXPIMP(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::WindowMaximizeButtonHint) {
    setObjectName(QStringLiteral("frmEXPIMP"));
    setWindowTitle(dialogTitle());
    setFont(platform::arialFont(11.25));
    grundgroesse_ = QSize(platform::twipsToPixels(8535), platform::twipsToPixels(5205));
    resize(grundgroesse_);
    setMinimumSize(grundgroesse_);

    fraEXP = new QGroupBox(QStringLiteral("Externes Projekt"), this);
    fraEXP->setObjectName(QStringLiteral("fraEXP"));
    fraEXP->setFont(platform::arialFont(11.25, true));
    placeTwips(fraEXP, 120, 150, 3540, 4935);

    // The drives of the original platform are the mounted volumes here.
    drvEXP = new QComboBox(fraEXP);
    drvEXP->setObjectName(QStringLiteral("drvEXP"));
    drvEXP->setFont(platform::arialFont(9));
    placeTwips(drvEXP, 270, 480, 3015, 345);
    QStringList laufwerke;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir())
            laufwerke << volume.rootPath();
    laufwerke.removeDuplicates();
    laufwerke.sort();
    drvEXP->addItems(laufwerke);

    // One tree in place of the folder list: the folders of the volume, and the project databases in them.
    modell_ = new QFileSystemModel(this);
    modell_->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    modell_->setNameFilters({RunState::TITLE() + QStringLiteral(".mdb")});
    modell_->setNameFilterDisables(false);
    dirEXP = new Ordnerbaum(fraEXP);
    dirEXP->setObjectName(QStringLiteral("dirEXP"));
    dirEXP->setFont(platform::arialFont(9));
    dirEXP->setModel(modell_);
    dirEXP->setHeaderHidden(true);
    for (int column = 1; column < modell_->columnCount(); ++column)
        dirEXP->hideColumn(column);
    dirEXP->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    dirEXP->setSelectionMode(QAbstractItemView::SingleSelection);
    placeTwips(dirEXP, 270, 870, 3015, 1620);

    lstEXP = recordList(fraEXP, QStringLiteral("lstEXP"));
    placeTwips(lstEXP, 270, 2670, 3015, 1860);

    fraIMP = new QGroupBox(QStringLiteral("Aktuelles Projekt #"), this);
    fraIMP->setObjectName(QStringLiteral("fraIMP"));
    fraIMP->setFont(platform::arialFont(11.25, true));
    placeTwips(fraIMP, 3900, 150, 4500, 4365);
    lstIMP = recordList(fraIMP, QStringLiteral("lstIMP"));
    placeTwips(lstIMP, 240, 450, 4035, 3660);

    // Arrows towards the side the records go to: Export to the other project on the left, Import here.
    cmdEXP = new QPushButton(QStringLiteral("\u2190"), this);
    cmdEXP->setObjectName(QStringLiteral("cmdEXP"));
    cmdEXP->setFont(platform::arialFont(14.25, true));
    cmdEXP->setToolTip(QStringLiteral("Export"));
    cmdEXP->setAutoDefault(false);
    placeTwips(cmdEXP, 3960, 4680, 675, 400);
    cmdIMP = new QPushButton(QStringLiteral("\u2192"), this);
    cmdIMP->setObjectName(QStringLiteral("cmdIMP"));
    cmdIMP->setFont(platform::arialFont(14.25, true));
    cmdIMP->setToolTip(QStringLiteral("Import"));
    cmdIMP->setAutoDefault(false);
    placeTwips(cmdIMP, 4710, 4680, 675, 400);
    cmdSCHLIESSEN = new QPushButton(QStringLiteral("Schließen"), this);
    cmdSCHLIESSEN->setObjectName(QStringLiteral("cmdSCHLIESSEN"));
    cmdSCHLIESSEN->setDefault(true);
    placeTwips(cmdSCHLIESSEN, 6810, 4650, 1600, 400);

    setTabOrder(drvEXP, dirEXP);
    setTabOrder(dirEXP, lstEXP);
    setTabOrder(lstEXP, lstIMP);
    setTabOrder(lstIMP, cmdEXP);
    setTabOrder(cmdEXP, cmdIMP);
    setTabOrder(cmdIMP, cmdSCHLIESSEN);

    // The left frame and the right frame share the added width; the tree and the other project's list share
    // the added height on the left, the current project's list takes it on the right.
    anker_ = {{fraEXP, {}, 0, 0.5, 0, 1},     {drvEXP, {}, 0, 0.5, 0, 0},   {dirEXP, {}, 0, 0.5, 0, 0.5},
              {lstEXP, {}, 0, 0.5, 0.5, 0.5}, {fraIMP, {}, 0.5, 0.5, 0, 1}, {lstIMP, {}, 0, 0.5, 0, 1},
              {cmdEXP, {}, 0.5, 0, 1, 0},     {cmdIMP, {}, 0.5, 0, 1, 0},   {cmdSCHLIESSEN, {}, 1, 0, 1, 0}};
    for (Anker& a : anker_) {
        a.lage = a.control->geometry();
        // Placed at a fixed size; from here on the dialog's size decides.
        a.control->setMinimumSize(0, 0);
        a.control->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    connect(drvEXP, &QComboBox::textActivated, this, &frmEXPIMP::drvEXP_Change);
    // Only the user's choice counts: the model moves the current entry by itself while it reads folders.
    const auto gewaehlt = [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        // A project database chosen in the tree stands for its folder.
        const QString pfad = modell_->filePath(index);
        const QString ordner = modell_->isDir(index) ? pfad : fs::GetParentFolderName(pfad);
        // Taken once the tree has handled the click or the key: opening the project lets other events run,
        // and what they move in the tree was not moved by the user.
        QMetaObject::invokeMethod(
            this,
            [this, ordner] {
                if (ordner != ordner_) dirEXP_Change(ordner);
            },
            Qt::QueuedConnection);
    };
    // The tree does not follow the model's reading of folders (late, or again when a folder beside one
    // changed): it stays where the user put it, so that a click lands on the folder the user aimed at.
    connect(dirEXP, &QTreeView::clicked, this, gewaehlt);
    connect(dirEXP, &QTreeView::activated, this, gewaehlt);
    connect(cmdEXP, &QPushButton::clicked, this, &frmEXPIMP::cmdEXP_Click);
    connect(cmdIMP, &QPushButton::clicked, this, &frmEXPIMP::cmdIMP_Click);
    connect(cmdSCHLIESSEN, &QPushButton::clicked, this, &frmEXPIMP::cmdSCHLIESSEN_Click);
    knoepfeSetzen();
}

frmEXPIMP::~frmEXPIMP() {
    Form_Unload();
}

void frmEXPIMP::Form_Load() {
    platform::Hourglass sanduhr;
    const RunState& run = RunState::current();
    ErrorTrap trap(RunState::TITLE());
    cnnEXP_ = std::make_unique<Connection>();
    // The volume of the current project, and the folder that holds the project folders.
    if (!trap.step([&] {
            const QString projekt = fs::BuildPath(run.PROJEKTSPFAD, run.PROJEKT);
            const QString laufwerk =
                QStorageInfo(QFileInfo::exists(projekt) ? projekt : run.PROJEKTSPFAD).rootPath();
            if (!laufwerk.isEmpty()) {
                if (drvEXP->findText(laufwerk) < 0) drvEXP->addItem(laufwerk);
                drvEXP->setCurrentText(laufwerk);
                modell_->setRootPath(laufwerk);
                dirEXP->setRootIndex(modell_->index(laufwerk));
            }
            dirEXP_Change(fs::GetParentFolderName(projekt));
            ordnerAbwarten();
        }))
        return;
    if (!trap.step([&] {
            if (platform::Language::english()) {
                fraIMP->setTitle(QStringLiteral("Selected Projekt: ") + run.PROJEKT);
                fraEXP->setTitle(QStringLiteral("External Project"));
                cmdSCHLIESSEN->setText(QStringLiteral("Quit"));
            } else {
                fraIMP->setTitle(QStringLiteral("Aktuelles Projekt: ") + run.PROJEKT);
            }
        }))
        return;
    trap.step([&] { LISTEFUELLEN(*run.cnnX, *lstIMP); });
}

bool frmEXPIMP::Form_Unload() {
    if (!entladen_) {
        entladen_ = true;
        if (cnnEXP_) cnnEXP_->Close();
    }
    return geoeffnet_;
}

QString frmEXPIMP::kandidat(const QString& ordner) {
    return fs::BuildPath(ordner, RunState::TITLE() + QStringLiteral(".mdb"));
}

bool frmEXPIMP::zulaessig(const QString& datei) const {
    if (!fs::FileExists(datei)) return false;
    const RunState& run = RunState::current();
    const QString eigenes = fs::BuildPath(fs::BuildPath(run.PROJEKTSPFAD, run.PROJEKT),
                                          RunState::TITLE() + QStringLiteral(".mdb"));
    // Nor is the empty template beside the program: it is no project, and every new one starts from it.
    const QString vorlage = fs::BuildPath(run.programFolder(), RunState::TITLE() + QStringLiteral(".mdb"));
    // By the file itself, not its path: a second link to the current project is the current project.
    for (const QString& andere : {run.XMDBPFAD(), eigenes, vorlage, run.cnnX ? run.cnnX->path() : QString()})
        if (!andere.isEmpty() && fs::SameFile(datei, andere)) return false;
    return true;
}

QString frmEXPIMP::anderesProjekt() const {
    return cnnEXP_ && cnnEXP_->isOpen() ? cnnEXP_->path() : QString();
}

void frmEXPIMP::knoepfeSetzen() {
    const bool offen = cnnEXP_ && cnnEXP_->isOpen();
    cmdEXP->setEnabled(offen);
    cmdIMP->setEnabled(offen);
}

bool frmEXPIMP::zielPruefen(const QString& datei) {
    // A damaged project is not opened: records copied into it could be lost, those read from it be wrong.
    try {
        Connection::CheckDatabase(datei, clsKOPIE::TABELLEN());
    } catch (const std::exception& e) {
        cnnEXP_->Close();
        platform::ScreenPointer::set(platform::ScreenPointer::Default);
        RunState::current().dialogs().MsgBox(
            platform::Language::text(
                QStringLiteral("The project database %1 can't be opened:\n%2"),
                QStringLiteral("Die Projektdatenbank %1 kann nicht geöffnet werden:\n%2"))
                .arg(datei, platform::asVbError(e).Description()),
            platform::Msg::OKOnly | Exclamation, dialogTitle());
        return false;
    }
    // A read-only project still gives its records; it takes none (Export says so, once).
    schreibbar_ = !fs::ReadOnly(datei) && QFileInfo(fs::GetParentFolderName(datei)).isWritable();
    return true;
}

void frmEXPIMP::zielMelden(const QString& ziel, const QString& grund) {
    platform::ScreenPointer::set(platform::ScreenPointer::Default);
    RunState::current().dialogs().MsgBox(
        platform::Language::text(QStringLiteral("The records can't be copied into %1:\n%2"),
                                 QStringLiteral("Die Datensätze können nicht nach %1 kopiert werden:\n%2"))
            .arg(ziel, grund),
        platform::Msg::OKOnly | Exclamation, dialogTitle());
}

void frmEXPIMP::ordnerZeigen(const QString& ordner) {
    const QModelIndex index = modell_->index(ordner);
    if (!index.isValid()) return;
    dirEXP->setCurrentIndex(index);
    dirEXP->expand(index);
    dirEXP->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void frmEXPIMP::ordnerAbwarten() {
    if (ordner_.isEmpty()) return;
    // Opened in the tree, the folder is read, and so are the folders on the way to it.
    ordnerZeigen(ordner_);
    // The folders from the volume's top down to the chosen one, each read once it was asked for.
    QStringList offen;
    for (QString pfad = QDir::cleanPath(ordner_);;) {
        offen << pfad;
        const QString oben = QFileInfo(pfad).path();
        if (oben == pfad || pfad.size() <= QDir::cleanPath(modell_->rootPath()).size()) break;
        pfad = oben;
    }
    QEventLoop warten;
    QTimer frist;
    frist.setSingleShot(true);
    connect(&frist, &QTimer::timeout, &warten, &QEventLoop::quit);
    const auto verbindung = connect(modell_, &QFileSystemModel::directoryLoaded, &warten,
                                    [&offen, &warten](const QString& gelesen) {
                                        offen.removeAll(QDir::cleanPath(gelesen));
                                        if (offen.isEmpty()) warten.quit();
                                    });
    frist.start(3000);
    warten.exec(QEventLoop::ExcludeUserInputEvents);
    disconnect(verbindung);
    // The model sorts what it read a moment later by itself; sorted now, the folder is shown where it stays.
    modell_->sort(0);
    ordnerZeigen(ordner_);
    dirEXP->festhalten();
}

void frmEXPIMP::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int dx = std::max(0, width() - grundgroesse_.width());
    const int dy = std::max(0, height() - grundgroesse_.height());
    for (const Anker& a : anker_)
        a.control->setGeometry(a.lage.x() + int(a.links * dx), a.lage.y() + int(a.oben * dy),
                               a.lage.width() + int(a.breite * dx), a.lage.height() + int(a.hoehe * dy));
}

void frmEXPIMP::drvEXP_Change(const QString& laufwerk) {
    modell_->setRootPath(laufwerk);
    dirEXP->setRootIndex(modell_->index(laufwerk));
    dirEXP_Change(laufwerk);
}

void frmEXPIMP::dirEXP_Change(const QString& ordner) {
    if (!cnnEXP_) cnnEXP_ = std::make_unique<Connection>();
    ordner_ = ordner;
    platform::Hourglass sanduhr;
    lstEXP->clear();
    ErrorTrap trap(RunState::TITLE());
    const QString datei = kandidat(ordner);
    bool offen = false;
    if (!trap.step([&] { offen = zulaessig(datei); }) || !offen) {
        // Nothing to open here: the project opened last stays open and named. A folder without a project
        // database says so, so that the empty list is not taken for an empty project.
        if (!fs::FileExists(datei)) {
            auto* hinweis =
                new QListWidgetItem(platform::Language::text(QStringLiteral("No project in this folder"),
                                                             QStringLiteral("Kein Projekt in diesem Ordner")),
                                    lstEXP);
            hinweis->setData(Qt::UserRole, std::int32_t(0));
            hinweis->setFlags(Qt::ItemIsEnabled);
        }
        knoepfeSetzen();
        return;
    }
    cnnEXP_->Close();
    bool geoeffnet = trap.step([&] { cnnEXP_->Open(datei); });
    if (geoeffnet && cnnEXP_->isOpen()) geoeffnet = zielPruefen(datei);
    knoepfeSetzen();
    if (!geoeffnet || !cnnEXP_->isOpen()) {
        fraEXP->setTitle(
            platform::Language::text(QStringLiteral("External Project"), QStringLiteral("Externes Projekt")));
        return;
    }
    geoeffnet_ = true;
    if (!trap.step([&] { LISTEFUELLEN(*cnnEXP_, *lstEXP); })) return;
    fraEXP->setTitle(platform::Language::text(QStringLiteral("Project "), QStringLiteral("Projekt ")) +
                     QFileInfo(ordner).fileName());
}

void frmEXPIMP::LISTEFUELLEN(Connection& verbindung, QListWidget& liste) {
    liste.clear();
    Recordset rs;
    // Row 0 and the name "M" belong to the multiple evaluation.
    rs.OpenForReading(
        QStringLiteral("SELECT [ID],[KEN],[KOM] FROM [E1] WHERE [KEN]<>'M' AND [ID]<>0 ORDER BY [KEN]"),
        verbindung);
    if (rs.eof()) {
        auto* leer = new QListWidgetItem(QStringLiteral("<leer>"), &liste);
        leer->setData(Qt::UserRole, std::int32_t(0));
        leer->setFlags(Qt::ItemIsEnabled);
        return;
    }
    for (; !rs.eof(); rs.MoveNext()) {
        // A record without a comment shows its name alone, not with empty brackets.
        const Variant kom = rs.Value(2);
        const QString kommentar = kom.isNull() ? QString() : platform::CStr(kom);
        auto* item = new QListWidgetItem(
            platform::CStr(rs.Value(1)) +
                (kommentar.isEmpty() ? QString() : QStringLiteral(" (") + kommentar + QLatin1Char(')')),
            &liste);
        // An ID beyond a Long (another tool's) is listed as any other: it can be copied from, under a new ID.
        item->setData(Qt::UserRole, qlonglong(store::recordId(rs.Value(0))));
    }
}

void frmEXPIMP::DATENSAETZEKOPIEREN(Connection& quelle, QListWidget& quellliste, Connection& ziel,
                                    platform::ProjectLock* sperre) {
    platform::Hourglass sanduhr;
    clsKOPIE kopie(quelle, ziel);
    auto& dialoge = RunState::current().dialogs();
    for (int i = 0; i < quellliste.count(); ++i) {
        const QListWidgetItem* item = quellliste.item(i);
        if (!item->isSelected()) continue;
        const std::int64_t id = item->data(Qt::UserRole).toLongLong();
        if (id == 0) continue; // "<leer>" and the multiple evaluation are no records
        try {
            if (sperre && !sperre->held() && !sperreNehmen(*sperre, ziel)) return;
            const std::optional<QString> name = kopie.KEN(id);
            if (!name) continue;
            if (kopie.VORHANDEN(*name)) {
                // Nobody's Save of the target waits while the question does.
                if (sperre) sperre->release();
                const int antwort = dialoge.MsgBox(QStringLiteral("Datensatz ") + *name +
                                                       QStringLiteral(" ist bereits vorhanden!"),
                                                   OKCancel | Exclamation, RunState::TITLE());
                if (antwort != platform::Msg::OK) return;
                continue;
            }
            // A run whose computer froze may have had its lock taken over meanwhile: it writes nothing more.
            if (sperre && !sperre->stillHeld()) {
                platform::LockRequest(*sperre, platform::LockRequest::Purpose::Export, ziel.path(),
                                      dialogTitle())
                    .sayLost();
                sperre->release();
                return;
            }
            kopie.KOPIEREN(id, kopie.NEUEID());
        } catch (const std::exception& e) {
            // The record's transaction is rolled back: the target holds nothing of it. What stopped this
            // record (a full disk, a damaged or read-only file, no ID left) would stop every further one.
            // Told once the lock is let go, so that nobody's Save waits for the box.
            if (sperre) sperre->release();
            zielMelden(ziel.path(), ursache(e));
            return;
        }
    }
}

bool frmEXPIMP::sperreNehmen(platform::ProjectLock& sperre, Connection& ziel) {
    // A Save of the target by one of its users puts the user's working copy in place of the file: records
    // written between that Save's check of the file and its replace would be lost unasked. The export waits
    // for such a Save to end; the next Save finds the records by its check.
    if (!platform::LockRequest(sperre, platform::LockRequest::Purpose::Export, ziel.path(), dialogTitle())
             .take(sperrfrist_))
        return false;
    // A Save that ended meanwhile put a new file in place of the one opened: the records go there.
    ziel.Reopen();
    return true;
}

void frmEXPIMP::cmdEXP_Click() {
    if (!cnnEXP_ || !cnnEXP_->isOpen() || lstIMP->selectedItems().isEmpty()) return;
    if (!schreibbar_) {
        zielMelden(cnnEXP_->path(),
                   platform::Language::text(QStringLiteral("the file is read-only"),
                                            QStringLiteral("die Datei ist schreibgeschützt")));
        return;
    }
    {
        platform::ProjectLock sperre(cnnEXP_->path(), RunState::current().BENUTZER());
        DATENSAETZEKOPIEREN(*RunState::current().cnnX, *lstIMP, *cnnEXP_, &sperre);
    }
    knoepfeSetzen();
    ErrorTrap trap(dialogTitle());
    trap.step([&] {
        if (cnnEXP_->isOpen()) LISTEFUELLEN(*cnnEXP_, *lstEXP);
    });
}

void frmEXPIMP::cmdIMP_Click() {
    if (!cnnEXP_ || !cnnEXP_->isOpen() || lstEXP->selectedItems().isEmpty()) return;
    DATENSAETZEKOPIEREN(*cnnEXP_, *lstEXP, *RunState::current().cnnX);
    geoeffnet_ = true;
    ErrorTrap trap(dialogTitle());
    trap.step([&] { LISTEFUELLEN(*RunState::current().cnnX, *lstIMP); });
}

void frmEXPIMP::cmdSCHLIESSEN_Click() {
    close();
}

void frmEXPIMP::closeEvent(QCloseEvent* event) {
    // Closing ends the dialog whatever the window system's close box would answer.
    done(geoeffnet_ ? QDialog::Accepted : QDialog::Rejected);
    event->accept();
}
