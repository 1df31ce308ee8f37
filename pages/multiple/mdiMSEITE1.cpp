// The page itself: its controls, its load, the header and footer, the settings request and the events.
#include "mdiMSEITE1.h"

#include "clsGRAFIK.h"
#include "clsKOPFFUSS.h"
#include "clsTABELLE.h"
#include "frmKONTEXT110.h"
#include "MSeite1Layout.h"
#include "Tabellenzeiger.h"

#include "platform/run/ProgressBar.h"
#include "platform/run/RunState.h"
#include "platform/run/VersionInfo.h"
#include "platform/run/WorkingCopyCommand.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "platform/surface/PictureBox.h"

using platform::Language;
using platform::RunState;

mdiMSEITE1::mdiMSEITE1(QWidget* parent)
    : mdiAUSGABESEITE(mseite1layout::art(), parent), picBILD110(bilder_[0]), picBILD120(bilder_[1]),
      picBILD130(bilder_[2]), vscBILD120(balken_) {}

mdiMSEITE1::~mdiMSEITE1() = default;

// --- Load ---

void mdiMSEITE1::Form_Load() {
    if (!ladenBeginnen()) return;
    bar_ = &RunState::current().pgbBERECHNEN();
    bar_->setValue(0);
    // The records are read and the diagram's settings are written in one transaction: a showing commits
    // once.
    platform::WorkingCopyCommand command;

    e1_ = tabellenzeiger("E1");
    a1_ = tabellenzeiger("A1");
    a2_ = tabellenzeiger("A2");
    m1_ = tabellenzeiger("M1");
    g0_ = tabellenzeiger("G0");

    // The active records but the multiple evaluation itself, by ID. Both lists are taken together: a
    // list that fails (a record without a name) leaves the page without records.
    std::vector<std::int32_t> ids;
    std::vector<QString> namen;
    e1_->LID(ids, true);
    e1_->LKEN(namen, true);
    ids.resize(std::min(ids.size(), namen.size()));
    ID_ = ids;
    KEN_.clear();
    for (std::size_t i = 0; i < ID_.size(); ++i)
        KEN_ << namen[i];

    a1_->ESPIDW = 0;
    a1_->DTVB(QStringLiteral("BONEU"), BONEU_);
    m1_->ESPID = QStringLiteral("IDM");
    m1_->ESPIDW = 1;
    m1_->DTVT(QStringLiteral("KOM"), KOM_);

    const std::size_t n = ID_.size();
    SPRACHE_ = 3;
    for (auto* liste : {&RHS_, &RHPR_, &WPR_, &RHPRSP_, &WPRSP_})
        liste->assign(n, 0.0f);
    for (std::size_t i = 0; i < n; ++i) {
        a1_->ESPIDW = ID_[i];
        a1_->DTVS(QStringLiteral("RHS"), RHS_[i]);
        a1_->DTVS(QStringLiteral("RHPR"), RHPR_[i]);
        a1_->DTVS(QStringLiteral("WPR"), WPR_[i]);
        a1_->DTVS(QStringLiteral("RHPRSP"), RHPRSP_[i]);
        a1_->DTVS(QStringLiteral("WPRSP"), WPRSP_[i]);
    }
    a1_->ESPIDW = 0;
    // A figure without meaning (the deviation of one record, a mean of no records) stays empty, and so do
    // the figures of a result that a record lacks, as in the table. The lines of equal saturation need a
    // real grain density: a record without one is left out of its mean.
    std::vector<float> RHSpositiv;
    for (float rhs : RHS_)
        if (rhs > 0) RHSpositiv.push_back(rhs);
    statistik_ = {drawing::STATISTIK(RHSpositiv), drawing::STATISTIKVOLLSTAENDIG(RHPR_),
                  drawing::STATISTIKVOLLSTAENDIG(WPR_), drawing::STATISTIKVOLLSTAENDIG(RHPRSP_),
                  drawing::STATISTIKVOLLSTAENDIG(WPRSP_)};

    KOPFFUSS(0);
    platform::DoEvents();
    bar_->setValue(30);
    fortschritt_ = 30;
    BILD110(0, 0, 0);
    platform::DoEvents();
    bar_->setValue(60);
    BILD120(0, 0, 0);
    platform::DoEvents();
    BILD130(0, 0, 0);
    platform::DoEvents();
    ohneWerteMelden();
    bar_->setValue(90);
    // From now on the diagram draws from its stored settings (the main window stores the same in A1).
    BONEU_ = false;
    geladen_ = true;
    command.End();
}

// One message for the whole page: the records that are shown without results because they have none
// (never evaluated), and, when the page shows the spline, those without spline results. Each name stands on
// a line after the first, so that a name is never read as markup.
void mdiMSEITE1::ohneWerteMelden() {
    QStringList ohneErgebnisse, ohneSpline;
    for (std::size_t i = 0; i < ID_.size(); ++i) {
        if (RHPR_[i] == 0 || WPR_[i] == 0)
            ohneErgebnisse << KEN_[int(i)];
        else if (POSP_ != 0 && (RHPRSP_[i] == 0 || WPRSP_[i] == 0 || ohneKurve_.count(ID_[i]) != 0))
            ohneSpline << KEN_[int(i)];
    }
    if (ohneErgebnisse.isEmpty() && ohneSpline.isEmpty()) return;
    QStringList absaetze;
    if (!ohneErgebnisse.isEmpty())
        absaetze << Language::text(
                        QStringLiteral("Records without results (not calculated), shown on the page "
                                       "without these values:"),
                        QStringLiteral("Datensätze ohne Ergebnisse (nicht ausgewertet), auf der Seite "
                                       "ohne diese Werte dargestellt:")) +
                        QLatin1Char('\n') + ohneErgebnisse.join(QLatin1Char('\n'));
    if (!ohneSpline.isEmpty())
        absaetze << Language::text(
                        QStringLiteral("Records without spline results (fewer than three readings or "
                                       "water contents that do not rise), shown on the page without "
                                       "these values:"),
                        QStringLiteral("Datensätze ohne Spline-Ergebnisse (weniger als drei Messungen "
                                       "oder nicht steigende Wassergehalte), auf der Seite ohne diese "
                                       "Werte dargestellt:")) +
                        QLatin1Char('\n') + ohneSpline.join(QLatin1Char('\n'));
    RunState::current().dialogs().MsgBox(absaetze.join(QStringLiteral("\n\n")),
                                         platform::Msg::Exclamation | platform::Msg::OKOnly, windowTitle());
}

void mdiMSEITE1::fortschritt(float schritt) {
    if (!BONEU_ || !bar_) return;
    fortschritt_ += schritt;
    bar_->setValue(std::min(fortschritt_, 60.0f));
}

// --- Header and footer ---

void mdiMSEITE1::kennzeichnen(clsKOPFFUSS& kf) const {
    kf.setKENNZEICHNUNG(KEN_);
}

mdiMSEITE1::Schritte mdiMSEITE1::kopfFussAngaben(clsKOPFFUSS& kf, int OBJ) {
    return {
        [&kf] { kf.setRANDABSTAND(15); },
        [&kf, OBJ] {
            if (OBJ == 0) {
                kf.setRANDABSTAND(7.5f, QStringLiteral("oben"));
                kf.setRANDABSTAND(7.5f, QStringLiteral("unten"));
            }
        },
        [this, &kf, OBJ] {
            kf.setSEITE(std::int16_t(OBJ == 1 ? seiteNr_ : 1));
            kf.setSEITENANZAHL(std::int16_t(OBJ == 1 ? seitenanzahl_ : 1));
        },
        [&kf] { kf.setUEBERSCHRIFT(platform::VersionInfo::current().ProductName); },
        [&kf] { kf.setPROGRAMMIERER(platform::VersionInfo::current().LegalTrademarks); },
        [&kf] { kf.setPROJEKT(RunState::current().PROJEKT); },
        [this, &kf] { kf.setSPRACHE(SPRACHE_); },
        [&kf] { kf.setUHRZEIT(platform::Clock::Time()); },
    };
}

// --- The pictures ---

void mdiMSEITE1::bild(int nummer, int OBJ, float XDL, float YDO) {
    // A switch, not a table indexed by the number: a number beyond the pictures draws nothing.
    switch (nummer) {
    case 0:
        return BILD110(OBJ, XDL, YDO);
    case 1:
        return BILD120(OBJ, XDL, YDO);
    case 2:
        return BILD130(OBJ, XDL, YDO);
    default:
        return;
    }
}

// --- Events ---

void mdiMSEITE1::picBILD110_MouseDown(Qt::MouseButton Button) {
    diagrammMaustaste(Button);
}

void mdiMSEITE1::diagrammEinstellen() {
    frmKONTEXT110 dialog(RunState::current().window(), this);
    dialog.Form_Load();
    RunState::current().dialogs().ShowForm(dialog);
}

void mdiMSEITE1::vscBILD120_Change() {
    tabelleGescrollt();
}
