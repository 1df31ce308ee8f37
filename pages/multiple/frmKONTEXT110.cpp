#include "frmKONTEXT110.h"

#include "Diagrammlisten.h"
#include "Tabellenzeiger.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/run/WorkingCopyCommand.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/TextBox.h"

#include <QGridLayout>
#include <QPushButton>

using platform::RunState;
using platform::ScreenPointer;
using platform::Variant;

namespace {

const Variant kDiagramm110(std::int16_t(110));
const QString kIDOBJEKT = QStringLiteral("IDOBJEKT");

} // namespace

frmKONTEXT110::frmKONTEXT110(QWidget* owner, QWidget* seite)
    : Diagrammkontext(owner, seite, "frmKONTEXT110", 9500) {
    skalenBauen();
    werteBauen(QStringLiteral("1 %     Δw ="));
    linienBauen();
    QGridLayout* gitter = rahmen(QString(), "fraGIT");
    chkGITW = check(QStringLiteral("Gitterlinien w"), "chkGITW");
    chkGITRHD = check(QStringLiteral("Gitterlinien ρd"), "chkGITRHD");
    gitter->addWidget(chkGITW, 0, 0);
    gitter->addWidget(chkGITRHD, 1, 0);
    QGridLayout* spline = rahmen(QString(), "fraPOSP");
    chkPOSP = check(QStringLiteral("Spline"), "chkPOSP");
    spline->addWidget(chkPOSP, 0, 0);
    QGridLayout* namen = rahmen(QString(), "Frame2");
    chkDKEN = check(QStringLiteral("Kurven kennzeichnen"), "chkDKEN");
    namen->addWidget(chkDKEN, 0, 0);
    knoepfeBauen();
    connect(cmdOK, &QPushButton::clicked, this, &frmKONTEXT110::cmdOK_Click);
}

frmKONTEXT110::~frmKONTEXT110() = default;

void frmKONTEXT110::Form_Load() {
    a1_ = tabellenzeiger("A1");
    g0_ = tabellenzeiger("G0");

    const auto fuellen = [](platform::ComboBox* c, const std::vector<double>& werte) {
        c->Clear();
        for (double w : werte)
            c->AddItem(platform::CStr(Variant(w)));
    };
    fuellen(cboXMIN, diagrammlisten::xMin());
    fuellen(cboXDIFF, diagrammlisten::xDiff());
    fuellen(cboYMIN, diagrammlisten::yMin());
    fuellen(cboYDIFF, diagrammlisten::yDiff());

    g0_->ESPIDW = 0;
    grenzenLaden(*g0_, kDiagramm110);
    // The ratio of the last drawing; without a drawn x scale there is none, and the box stays empty (a
    // free ratio when OK stores it).
    txtMYMX->setText(MX != 0 ? platform::Format(Variant(float(MY / MX)), QStringLiteral("#0.000##"))
                             : QString());

    // The first entry whose value, read back from its text, equals the stored one; none selects nothing.
    const auto waehlen = [](platform::ComboBox* c, float wert) {
        c->setListIndex(-1);
        for (int i = 0; i < c->ListCount(); ++i)
            if (platform::CSng(Variant(c->List(i))) == wert) {
                c->setListIndex(i);
                return;
            }
    };
    waehlen(cboXDIFF, XMAX - XMIN);
    waehlen(cboXMIN, XMIN);
    // The single-precision difference of the y bounds can miss its entry by a rounding: to the tenth.
    waehlen(cboYDIFF, float(platform::Round(double(YMAX - YMIN), 1)));
    waehlen(cboYMIN, YMIN);

    a1_->ESPIDW = 0;
    anzeigeLaden(*a1_);
    a1_->DTFC(QStringLiteral("POSP"), *chkPOSP);
    a1_->DTFC(QStringLiteral("DKEN"), *chkDKEN);
}

void frmKONTEXT110::cmdOK_Click() {
    ScreenPointer::set(ScreenPointer::Hourglass);
    struct Zeiger {
        ~Zeiger() { ScreenPointer::set(ScreenPointer::Default); }
    } zeiger;
    platform::ErrorTrap trap(QStringLiteral("Kontext 110"), QStringLiteral("VB-Error:"));
    // A list without a choice keeps the bound as loaded (its empty text is no number).
    if (!grenzenLesen(trap)) return;
    // The settings and the redrawing they start commit once.
    platform::WorkingCopyCommand command;
    if (!trap.step([&] {
            g0_->ESPIDW = 0;
            // The ratio as typed: an empty box stores Null, a free ratio.
            g0_->DFTT(QStringLiteral("MYMX"), *txtMYMX, kIDOBJEKT, kDiagramm110);
            grenzenSpeichern(*g0_, kDiagramm110);
        }))
        return;
    if (!trap.step([&] {
            a1_->ESPIDW = 0;
            schalterSpeichern(*a1_);
            a1_->DFTT(QStringLiteral("DESR"), *txtDESR);
            a1_->DFTT(QStringLiteral("DENA"), *txtDENA);
            a1_->DFTC(QStringLiteral("POSP"), *chkPOSP);
            a1_->DFTC(QStringLiteral("DKEN"), *chkDKEN);
        }))
        return;
    // The table and the box follow the spline switch as the diagram read it: the diagram first. The
    // request goes to the page that opened the dialog.
    for (const char* bild : {"BILD110", "BILD120", "BILD130"})
        if (!trap.step([&] {
                if (seite_) QMetaObject::invokeMethod(seite_, bild, Qt::DirectConnection);
            }))
            return;
    if (!trap.step([&] { command.End(); })) return;
    accept();
}
