#include "frmKONTEXT11.h"

#include "Diagrammlisten.h"
#include "SingleMath.h"
#include "Tabellenzeiger.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/run/WorkingCopyCommand.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
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

const Variant kDiagramm11(std::int16_t(11));
const QString kIDOBJEKT = QStringLiteral("IDOBJEKT");
// The plot area of the diagram on screen: the picture less the default margins, in millimetres.
constexpr float kBreite = 135 - 12 - 12, kHoehe = 130 - 9 - 12;
// The shortest axis that still gives a picture worth looking at, in millimetres.
constexpr float kKuerzesteAchse = 20;

QString meldungstitel() {
    return QStringLiteral("OK");
}

} // namespace

frmKONTEXT11::frmKONTEXT11(QWidget* owner, QWidget* seite)
    : Diagrammkontext(owner, seite, "frmKONTEXT11", 8940) {
    skalenBauen();
    werteBauen(QStringLiteral("1 %  Δw ="));
    linienBauen();
    QGridLayout* gitter = rahmen(QString(), "fraGIT");
    chkGITRHD = check(QStringLiteral("Gitterlinien ρd"), "chkGITRHD");
    chkGITW = check(QStringLiteral("Gitterlinien w"), "chkGITW");
    gitter->addWidget(chkGITRHD, 0, 0);
    gitter->addWidget(chkGITW, 1, 0);
    QGridLayout* spline = rahmen(QString(), "fraPOSP");
    chkPOSP = check(QStringLiteral("Spline"), "chkPOSP");
    spline->addWidget(chkPOSP, 0, 0);
    knoepfeBauen();
    connect(cmdOK, &QPushButton::clicked, this, &frmKONTEXT11::cmdOK_Click);
}

frmKONTEXT11::~frmKONTEXT11() = default;

void frmKONTEXT11::Form_Load() {
    a1_ = tabellenzeiger("A1");
    e3_ = tabellenzeiger("E3");
    g0_ = tabellenzeiger("G0");

    // The admissible lists of the diagram, as texts; the bound and the span stored last are selected.
    const auto fuellen = [](platform::ComboBox* c, const std::vector<double>& werte, float wert) {
        c->Clear();
        for (double w : werte)
            c->AddItem(platform::CStr(Variant(w)));
        for (std::size_t i = 0; i < werte.size(); ++i)
            if (float(werte[i]) == wert) {
                c->setListIndex(int(i));
                break;
            }
    };
    grenzenLaden(*g0_, kDiagramm11);
    // The aspect of the diagram as it was drawn last; before any drawing the stored one.
    float aspekt = 0;
    if (MX != 0)
        aspekt = MY / MX;
    else
        g0_->DTVS(QStringLiteral("MYMX"), aspekt, kIDOBJEKT, kDiagramm11);
    txtMYMX->setText(platform::Format(Variant(aspekt), QStringLiteral("#0.000##")));
    fuellen(cboXMIN, diagrammlisten::xMin(), XMIN);
    fuellen(cboXDIFF, diagrammlisten::xDiff(), XMAX - XMIN);
    fuellen(cboYMIN, diagrammlisten::yMin(), YMIN);
    fuellen(cboYDIFF, diagrammlisten::yDiff(), float(platform::Round(double(YMAX - YMIN), 1)));

    // The spline needs three readings.
    std::int16_t MINI = 0, MAXI = 0, AN = 0;
    e3_->INDEX(MINI, MAXI, AN, QStringLiteral("I1"));
    const bool spline = AN >= 3;
    if (!spline) chkPOSP->setValue(0);
    chkPOSP->setEnabled(spline);

    anzeigeLaden(*a1_);
    if (spline) a1_->DTFC(QStringLiteral("POSP"), *chkPOSP);
}

std::optional<float> frmKONTEXT11::zahlImBereich(platform::TextBox* box, double min,
                                                 std::optional<double> max, const QString& meldung) {
    const auto zahl =
        platform::ReadTypedNumberInRange(box->Text(), RunState::current().DEZIMALPUNKT, min, max);
    if (zahl.value) return float(*zahl.value);
    ScreenPointer::set(ScreenPointer::Default);
    RunState::current().dialogs().MsgBox(meldung + QStringLiteral("\n\n") + zahl.problem,
                                         platform::Msg::Exclamation | platform::Msg::OKOnly, meldungstitel());
    box->setFocus();
    box->selectAll();
    return std::nullopt;
}

void frmKONTEXT11::cmdOK_Click() {
    ScreenPointer::set(ScreenPointer::Hourglass);
    struct Zeiger {
        ~Zeiger() { ScreenPointer::set(ScreenPointer::Default); }
    } zeiger;
    platform::ErrorTrap trap(QStringLiteral("Kontext 11"), QStringLiteral("VB-Error:"));
    if (!grenzenLesen(trap)) return;

    // Numbers in the ranges that give a diagram; a tiny spacing is no harm, as the lines are counted.
    const QString d = RunState::current().DEZIMALPUNKT;
    const auto a = zahlImBereich(
        txtMYMX, 0, std::nullopt,
        QStringLiteral("Die Angabe für 1% Delta w muss eine Zahl größer oder gleich 0 sein (0: freies "
                       "Seitenverhältnis) !"));
    if (!a) return;
    const auto DESR = zahlImBereich(txtDESR, 0, 0.5,
                                    QStringLiteral("Die Angabe für Delta Sr muss eine Zahl von 0 bis 0") + d +
                                        QStringLiteral("5 sein !"));
    if (!DESR) return;
    const auto DENA = zahlImBereich(txtDENA, 0, 0.25,
                                    QStringLiteral("Die Angabe für Delta na muss eine Zahl von 0 bis 0") + d +
                                        QStringLiteral("25 sein !"));
    if (!DENA) return;

    // The axes on the screen's plot area, with the aspect as the scale routine sets it (0 leaves it free).
    bool anschaulich = true;
    if (!trap.step([&] {
            float my = drawing::divide(double(YMAX - YMIN), kHoehe);
            float mx = drawing::divide(double(XMAX - XMIN), kBreite);
            if (*a != 0) {
                if (mx > my)
                    my = drawing::single(double(mx) * *a);
                else
                    mx = drawing::divide(my, *a);
            }
            const float ly = drawing::divide(double(YMAX - YMIN), my);
            const float lx = drawing::divide(double(XMAX - XMIN), mx);
            anschaulich = !(ly < kKuerzesteAchse || lx < kKuerzesteAchse);
        }))
        return;
    if (!anschaulich) {
        ScreenPointer::set(ScreenPointer::Default);
        RunState::current().dialogs().MsgBox(
            QStringLiteral(
                "Die Angaben für die Skalen und die Angabe für 1% Delta w ergeben keine anschauliche "
                "Darstellung !"),
            platform::Msg::Exclamation | platform::Msg::OKOnly, meldungstitel());
        return;
    }

    // The settings and the redrawing they start commit once.
    platform::WorkingCopyCommand command;
    if (!trap.step([&] {
            g0_->DVTS(QStringLiteral("MYMX"), *a, kIDOBJEKT, kDiagramm11);
            grenzenSpeichern(*g0_, kDiagramm11);
        }))
        return;
    if (!trap.step([&] {
            schalterSpeichern(*a1_);
            a1_->DVTS(QStringLiteral("DESR"), *DESR);
            a1_->DVTS(QStringLiteral("DENA"), *DENA);
            a1_->DFTC(QStringLiteral("POSP"), *chkPOSP);
        }))
        return;
    // The text block shows the results of the spline switch as the diagram read it: the diagram first.
    if (!trap.step([&] {
            if (seite_) QMetaObject::invokeMethod(seite_, "BILD11", Qt::DirectConnection);
        }))
        return;
    if (!trap.step([&] {
            if (seite_) QMetaObject::invokeMethod(seite_, "BILD13", Qt::DirectConnection);
        }))
        return;
    if (!trap.step([&] { command.End(); })) return;
    accept();
}
