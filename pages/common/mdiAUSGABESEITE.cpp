#include "mdiAUSGABESEITE.h"

#include "Bildmeldungen.h"
#include "clsGRAFIK.h"
#include "clsKOPFFUSS.h"
#include "clsTABELLE.h"
#include "Diagrammstift.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/run/VersionInfo.h"
#include "platform/run/WorkingCopyCommand.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/EventLoop.h"
#include "platform/surface/PageSurface.h"
#include "platform/surface/PictureBox.h"
#include "platform/surface/PrinterSurface.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QScrollBar>

using platform::RunState;

mdiAUSGABESEITE::mdiAUSGABESEITE(const Art& art, QWidget* parent)
    : QWidget(parent), fehlerPraefix_(art.fehlerPraefix) {
    setObjectName(QString::fromLatin1(art.name));
    setWindowTitle(art.caption);
    setFocusPolicy(Qt::StrongFocus);
    seite_ = ausgabeseite::blattAnlegen(this);
    for (std::size_t k = 0; k < bilder_.size(); ++k)
        bilder_[k] = ausgabeseite::bildfeld(this, art.bilder[k], art.lagen[k]);
    balken_ = bilder_[1]->verticalScrollBarWidget();
    balken_->setObjectName(QString::fromLatin1(art.balken));
    // The page's keys come first, whichever of its controls has the focus.
    for (QWidget* child :
         {static_cast<QWidget*>(seite_), static_cast<QWidget*>(bilder_[0]), static_cast<QWidget*>(bilder_[1]),
          static_cast<QWidget*>(bilder_[2]), static_cast<QWidget*>(balken_)})
        child->installEventFilter(this);

    connect(seite_, &platform::PictureBox::mousePressed, this, [this](Qt::MouseButton button, float, float) {
        if (button == Qt::LeftButton) Form_Click();
    });
    connect(bilder_[0], &platform::PictureBox::mousePressed, this,
            [this](Qt::MouseButton button, float, float) { diagrammMaustaste(button); });
    connect(balken_, &QScrollBar::valueChanged, this, [this] {
        if (!tabelleZeichnen_) tabelleGescrollt();
    });
    // A new size of the page clears its surface: the header and footer are drawn again.
    connect(seite_, &platform::PageSurface::resized, this, [this] {
        if (loaded_ && HBOKF_) KOPFFUSS(0);
    });
}

mdiAUSGABESEITE::~mdiAUSGABESEITE() = default;

long mdiAUSGABESEITE::pageColor() const {
    return seite_->surface().BackColor();
}

long mdiAUSGABESEITE::pictureColor() const {
    return bilder_[0]->surface().BackColor();
}

mdiAUSGABESEITE::Bildlauf::Bildlauf(const mdiAUSGABESEITE& seite, int nummer, const QString& titel, int OBJ)
    : trap(titel, seite.fehlerPraefix_),
      zeigen_(OBJ == 0 && seite.loaded_ ? seite.bilder_[std::size_t(nummer)] : nullptr) {
    if (!seite.loaded_) return; // nothing to draw yet
    bereit_ = OBJ != 0 || trap.step([&] { seite.bilder_[std::size_t(nummer)]->surface().Cls(); });
}

bool mdiAUSGABESEITE::ladenBeginnen() {
    if (loaded_) return false;
    loaded_ = true;
    HBOKF_ = HBOKFS_ = true;
    return true;
}

// --- Header and footer ---

void mdiAUSGABESEITE::KOPFFUSS(int OBJ) {
    // A routine that fails for every sample, segment or record shows its box once in this picture.
    const drawing::Bildmeldungen meldungen;
    platform::ErrorTrap trap(QStringLiteral("Kopffusszeile"), fehlerPraefix_);
    if (OBJ == 0 && !trap.step([&] { seite_->surface().Cls(); })) return;
    if (OBJ == 0 || OBJ == 1) kopfFuss_ = std::make_unique<clsKOPFFUSS>();
    if (!kopfFuss_) return;
    clsKOPFFUSS& kf = *kopfFuss_;
    const RunState& run = RunState::current();
    const QString copyright = platform::VersionInfo::current().LegalCopyright;
    Schritte schritte = {
        [&] {
            if (OBJ != 0 && OBJ != 1) return;
            platform::Surface& s = OBJ == 0 ? seite_->surface() : drucker();
            kf.setAUSGABEOBJEKT(clsKOPFFUSS::rahmenVon(s), &s);
        },
        [&] { kf.setBEARBEITER(run.BEARBEITER); },
        [&] { kf.setCOPYRIGHT(copyright); },
        [&] { kf.setEBOKFS(HBOKFS_); },
        [&] { kennzeichnen(kf); },
        [&] { kf.setDATUM(platform::Clock::Date()); },
        [&] { kf.setKOMMENTAR(kommentar()); },
    };
    for (auto& schritt : kopfFussAngaben(kf, OBJ))
        schritte.push_back(std::move(schritt));
    schritte.push_back([&] { kf.KOPFFUSSZEILE(); });
    for (const auto& schritt : schritte)
        if (!trap.step(schritt)) break;
    if (OBJ == 0) seite_->update();
}

// --- Page settings and redrawing ---

void mdiAUSGABESEITE::KONTEXT(bool HBOKF, bool HBOKFS, long FARBEMDI, long FARBEPIC) {
    ausgabeseite::farbenSetzen(this, seite_, FARBEMDI, FARBEPIC);
    HBOKF_ = HBOKF;
    HBOKFS_ = HBOKFS;
    neuZeichnen();
}

void mdiAUSGABESEITE::neuZeichnen() {
    // A redrawing stores the diagram's scale anew: one commit for the page.
    platform::WorkingCopyCommand command;
    seite_->surface().Cls();
    seite_->update();
    if (HBOKF_) KOPFFUSS(0);
    for (int k = 0; k < 3; ++k) {
        bild(k, 0, 0, 0);
        platform::DoEvents();
    }
}

// --- Printing ---

platform::PrintTarget mdiAUSGABESEITE::druckziel() const {
    return ausgabeseite::druckziel(dokumentname(), PDFNAME());
}

platform::Surface& mdiAUSGABESEITE::drucker() {
    if (druckerErsatz_) return *druckerErsatz_;
    if (!druckauftrag_ || druckauftrag_->finished())
        druckauftrag_ = std::make_unique<platform::PrinterSurface>(druckziel());
    return *druckauftrag_;
}

mdiAUSGABESEITE::Ziel mdiAUSGABESEITE::ziel(int OBJ, platform::PictureBox* box, float XDL, float YDO) {
    return ausgabeseite::ziel(OBJ, box, XDL, YDO, [this]() -> platform::Surface& { return drucker(); });
}

void mdiAUSGABESEITE::textblockZiel(clsGRAFIK& g, int OBJ, platform::PictureBox* box, float XDL, float YDO) {
    const Ziel z = ziel(OBJ, box, XDL, YDO);
    g.setEOBJEKT(z.surface);
    g.setEXDL(z.EXDL);
    g.setEYDO(z.EYDO);
    if (OBJ == 1) {
        g.setELX(box->surface().ScaleWidth());
        g.setELY(box->surface().ScaleHeight());
    }
}

clsGRAFIK* mdiAUSGABESEITE::diagrammBeginnen(int OBJ, float XDL, float YDO, platform::ErrorTrap& trap) {
    clsGRAFIK* const g = zeichenobjekt(diagramm_, OBJ, trap);
    if (!g) return nullptr;
    diagrammVorgaben(trap);
    if (trap.cancelled()) return nullptr;
    diagrammModell(*g, OBJ, XDL, YDO, trap);
    if (trap.cancelled()) return nullptr;
    if (!trap.step([&] {
            g->SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
            diagrammstift::stift(*g, 0, 0, diagrammstift::kSchwarz);
        }))
        return nullptr;
    return g;
}

clsTABELLE* mdiAUSGABESEITE::tabelleBeginnen(int OBJ, float XDL, float YDO, platform::ScrollBar* balken,
                                             platform::ErrorTrap& trap) {
    if (OBJ == 0 || OBJ == 1) {
        tabelle_ = std::make_unique<clsTABELLE>();
        if (!trap.step(
                [&] { ausgabeseite::tabellenziel(*tabelle_, ziel(OBJ, bilder_[1], XDL, YDO), balken); }))
            return nullptr;
    }
    return tabelle_.get();
}

bool mdiAUSGABESEITE::druckauftrag(const QString& titel,
                                   const std::function<bool(const Weiter&, platform::ErrorTrap&)>& blaetter,
                                   const std::function<void()>& verwerfen) {
    // The printed and the redrawn pictures store their scales in one commit.
    platform::WorkingCopyCommand command;
    platform::ErrorTrap trap(titel, fehlerPraefix_);
    // Cancel in a box discards the job: nothing of it is printed.
    auto abbrechen = [&] {
        if (druckauftrag_) druckauftrag_->KillDoc();
        druckauftrag_.reset();
        if (verwerfen) verwerfen();
        return false;
    };
    {
        // One box per failing routine for the whole job; Cancel in any box of the job discards it.
        const drawing::Bildmeldungen meldungen;
        // A new job, A4 landscape in millimetres. A printer or a PDF file that can't be opened ends the job
        // after its one message, whatever the answer: there is nothing to draw on.
        druckauftrag_.reset();
        trap.step([&] { drucker(); });
        if (trap.failed()) return abbrechen();
        const Weiter weiter = [&] {
            platform::DoEvents();
            return !meldungen.abgebrochen();
        };
        if (!blaetter(weiter, trap)) return abbrechen();
        // A job that can't be sent (a PDF that can't be written) is discarded after its one message,
        // whatever the answer: nothing was printed.
        bool gesendet = false;
        trap.step([&] {
            if (druckauftrag_) druckauftrag_->EndDoc();
            gesendet = true;
        });
        if (!gesendet) return abbrechen();
        druckauftrag_.reset();
        // The screen's redraw belongs to the same command: a box the job showed does not come again.
        neuZeichnen();
    }
    return true;
}

// --- Events ---

void mdiAUSGABESEITE::Form_Activate() {
    ausgabeseite::Form_Activate();
}

bool mdiAUSGABESEITE::Form_KeyDown(int KeyCode, int Shift) {
    return ausgabeseite::Form_KeyDown(KeyCode, Shift);
}

void mdiAUSGABESEITE::Form_Click() {
    ausgabeseite::Form_Click(this, HBOKF_, HBOKFS_, pageColor(), pictureColor());
}

void mdiAUSGABESEITE::diagrammMaustaste(Qt::MouseButton Button) {
    if (Button == Qt::RightButton) diagrammEinstellen();
}

void mdiAUSGABESEITE::tabelleGescrollt() {
    platform::Hourglass hourglass;
    bild(1, 0, 0, 0);
}

bool mdiAUSGABESEITE::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (ausgabeseite::Form_KeyDown(static_cast<QKeyEvent&>(*event))) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void mdiAUSGABESEITE::keyPressEvent(QKeyEvent* event) {
    if (!ausgabeseite::Form_KeyDown(*event)) QWidget::keyPressEvent(event);
}

void mdiAUSGABESEITE::closeEvent(QCloseEvent* event) {
    // Only a page in a window of the main window's area has a close box; elsewhere (a page on its own)
    // closing is closing.
    if (!qobject_cast<QMdiSubWindow*>(parentWidget())) return QWidget::closeEvent(event);
    event->ignore();
    // Queued: the command deletes this page and its window, which are still inside the close event here.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [] {
            if (RunState* run = RunState::installed()) run->stbMAIN_PanelClick(15);
        },
        Qt::QueuedConnection);
}
