// The page itself: its controls, its load, the header and footer, the settings request and the events.
#include "mdiSEITE1.h"

#include "clsBERECHNEN.h"
#include "clsGRAFIK.h"
#include "clsKOPFFUSS.h"
#include "clsTABELLE.h"
#include "frmKONTEXT11.h"
#include "Seite1Layout.h"
#include "Tabellenzeiger.h"

#include "platform/run/ProgressBar.h"
#include "platform/run/RunState.h"
#include "platform/run/VersionInfo.h"
#include "platform/run/WorkingCopyCommand.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/EventLoop.h"
#include "platform/surface/PictureBox.h"

using platform::RunState;

mdiSEITE1::mdiSEITE1(QWidget* parent)
    : mdiAUSGABESEITE(seite1layout::art(), parent), picBILD11(bilder_[0]), picBILD12(bilder_[1]),
      picBILD13(bilder_[2]), vscBILD12(balken_) {}

mdiSEITE1::~mdiSEITE1() = default;

// --- Load ---

void mdiSEITE1::Form_Load() {
    if (!ladenBeginnen()) return;
    platform::ProgressBar& bar = RunState::current().pgbBERECHNEN();
    bar.setValue(0);
    // The record is read and the diagram's settings are written in one transaction: a showing commits once.
    platform::WorkingCopyCommand command;

    e1_ = tabellenzeiger("E1");
    e2_ = tabellenzeiger("E2");
    e3_ = tabellenzeiger("E3");
    a1_ = tabellenzeiger("A1");
    a2_ = tabellenzeiger("A2");
    g0_ = tabellenzeiger("G0");

    e1_->DTVL(QStringLiteral("ID"), ID_);
    e1_->DTVT(QStringLiteral("KEN"), KEN_);
    e1_->DTVT(QStringLiteral("KOM"), KOM_);
    e1_->DTVI(QStringLiteral("SPR"), SPR_);
    a1_->DTVB(QStringLiteral("BONEU"), BONEU_);
    e2_->DTVI(QStringLiteral("KENV"), KENV_);
    e2_->DTVB(QStringLiteral("KEND"), KEND_);
    e2_->DTVB(QStringLiteral("KENP"), KENP_);
    e2_->DTVB(QStringLiteral("KENW"), KENW_);
    const std::pair<const char*, float*> e2[] = {
        {"DC", &DC_},   {"HC", &HC_},       {"MC", &MC_},         {"RHSU", &RHSU_}, {"DMAX", &DMAX_},
        {"UE", &UE_},   {"RHSUE", &RHSUE_}, {"DUEMAX", &DUEMAX_}, {"DPR", &DPR_},   {"H2S", &H2S_},
        {"MSG", &MSG_}, {"MZ", &MZ_},       {"WUE", &WUE_}};
    for (const auto& [column, value] : e2)
        e2_->DTVS(QString::fromLatin1(column), *value);
    const std::pair<const char*, float*> a1[] = {
        {"RHPR", &RHPR_},   {"WPR", &WPR_},     {"RHPRSP", &RHPRSP_},   {"WPRSP", &WPRSP_},
        {"RHPRU", &RHPRU_}, {"WPRU", &WPRU_},   {"RHPRUSP", &RHPRUSP_}, {"WPRUSP", &WPRUSP_},
        {"WUDPR", &WUDPR_}, {"WODPR", &WODPR_}, {"WUDPRSP", &WUDPRSP_}, {"WODPRSP", &WODPRSP_},
        {"RHS", &RHS_}};
    for (const auto& [column, value] : a1)
        a1_->DTVS(QString::fromLatin1(column), *value);

    // The evaluated points, by reading number; a number without a row stays 0.
    std::int16_t MINI = 0, AN = 0;
    a2_->INDEX(MINI, nPunkte_, AN, QStringLiteral("I1"));
    n_ = nPunkte_;
    const std::size_t size = std::size_t(std::max(nPunkte_ + 1, 0));
    WU_.assign(size, 0.0f);
    RHDU_.assign(size, 0.0f);
    W_.assign(size, 0.0f);
    RHD_.assign(size, 0.0f);
    for (std::size_t i = 0; i < size; ++i) {
        const platform::Variant I1{std::int16_t(i)};
        a2_->DTVS(QStringLiteral("WU"), WU_[i], QStringLiteral("I1"), I1);
        a2_->DTVS(QStringLiteral("RHDU"), RHDU_[i], QStringLiteral("I1"), I1);
        a2_->DTVS(QStringLiteral("W"), W_[i], QStringLiteral("I1"), I1);
        a2_->DTVS(QStringLiteral("RHD"), RHD_[i], QStringLiteral("I1"), I1);
    }
    // The curves exactly where the evaluation fitted them: through three or more points whose water
    // contents rise. Where it refused (and told the user why) the page fits nothing either.
    kurven_ = clsBERECHNEN::curvesFit(W_, WU_);
    for (std::size_t i = 0; i < size; ++i) {
        WU_[i] *= 100.0f;
        W_[i] *= 100.0f;
    }

    // A cancelled fit leaves its curve as far as it got.
    XK_.fill(0);
    YK_.fill(0);
    XU_.fill(0);
    YU_.fill(0);
    if (kurven_) {
        APPCRV(W_, RHD_, XK_, YK_);
        APPCRV(WU_, RHDU_, XU_, YU_);
    }

    KOPFFUSS(0);
    platform::DoEvents();
    bar.setValue(20);
    BILD11(0);
    platform::DoEvents();
    bar.setValue(50);
    BILD12(0);
    platform::DoEvents();
    bar.setValue(70);
    BILD13(0);
    platform::DoEvents();
    bar.setValue(95);
    // From now on the diagram draws from its stored settings (the main window stores the same in A1).
    BONEU_ = false;
    command.End();
}

// --- Curve fit ---

bool mdiSEITE1::APPCRV(std::span<const float> X, std::span<const float> Y, clsSPLINE::Curve& XSP,
                       clsSPLINE::Curve& YSP) {
    return spline_.APPCRV(X, Y, XSP, YSP);
}

std::uint8_t mdiSEITE1::SPLVAL(float X0, int N, std::span<const float> X, std::span<const float> A,
                               std::span<const float> B, std::span<const float> C, std::span<const float> D) {
    return spline_.SPLVAL(X0, N, X, A, B, C, D);
}

// --- Header and footer ---

void mdiSEITE1::kennzeichnen(clsKOPFFUSS& kf) const {
    kf.setKENNZEICHNUNG(KEN_);
}

mdiSEITE1::Schritte mdiSEITE1::kopfFussAngaben(clsKOPFFUSS& kf, int OBJ) {
    return {
        [&kf, OBJ] {
            kf.setRANDABSTAND(15);
            if (OBJ == 0) {
                kf.setRANDABSTAND(7.5f, QStringLiteral("oben"));
                kf.setRANDABSTAND(7.5f, QStringLiteral("unten"));
            }
        },
        [&kf] {
            kf.setSEITE(1);
            kf.setSEITENANZAHL(1);
        },
        [this, &kf] {
            if (SPR_ == 1)
                kf.setUEBERSCHRIFT(QStringLiteral("TAMBRIN Test"));
            else if (SPR_ == 3)
                kf.setUEBERSCHRIFT(platform::VersionInfo::current().ProductName);
        },
        [this, &kf] {
            const platform::VersionInfo version = platform::VersionInfo::current();
            const RunState& run = RunState::current();
            kf.setLIZENZGEBER(version.LegalCopyright);
            kf.setPROGRAMMIERER(version.LegalTrademarks);
            kf.setPROJEKT(run.PROJEKT);
            kf.setSPRACHE(SPR_);
            kf.setUHRZEIT(platform::Clock::Time());
        },
    };
}

// --- The pictures ---

void mdiSEITE1::bild(int nummer, int OBJ, float XDL, float YDO) {
    // A switch, not a table indexed by the number: a number beyond the pictures draws nothing.
    switch (nummer) {
    case 0:
        return BILD11(OBJ, XDL, YDO);
    case 1:
        return BILD12(OBJ, XDL, YDO);
    case 2:
        return BILD13(OBJ, XDL, YDO);
    default:
        return;
    }
}

// --- Events ---

void mdiSEITE1::picBILD11_MouseDown(Qt::MouseButton Button) {
    diagrammMaustaste(Button);
}

void mdiSEITE1::diagrammEinstellen() {
    frmKONTEXT11 dialog(RunState::current().window(), this);
    dialog.Form_Load();
    RunState::current().dialogs().ShowForm(dialog);
}

void mdiSEITE1::vscBILD12_Change() {
    tabelleGescrollt();
}
