#include "frmKONTEXT11.h"

#include "Diagrammlisten.h"
#include "SingleMath.h"
#include "Tabellenzeiger.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/TextBox.h"
#include "platform/window/Twips.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

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

frmKONTEXT11::frmKONTEXT11(QWidget* owner, QWidget* seite) : QDialog(owner), seite_(seite) {
    setObjectName(QStringLiteral("frmKONTEXT11"));
    setWindowTitle(QStringLiteral("Kontextmenü Diagramm"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPointSizeF(8.25);
    setFont(schrift);
    setModal(true);
    setFixedSize(platform::twipsToPixels(3705), platform::twipsToPixels(8940));
    auto* layout = new QVBoxLayout(this);

    auto rahmen = [&](const QString& titel, const char* name) {
        auto* box = new QGroupBox(titel, this);
        box->setObjectName(QString::fromLatin1(name));
        layout->addWidget(box);
        auto* grid = new QGridLayout(box);
        return grid;
    };
    auto liste = [&](const char* name) {
        auto* c = new platform::ComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(false);
        return c;
    };
    auto textbox = [&](const char* name, const char* design) {
        auto* t = new platform::TextBox(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setText(QString::fromLatin1(design));
        t->installEventFilter(this);
        return t;
    };
    auto check = [&](const QString& caption, const char* name) {
        auto* c = new platform::CheckBox(caption, this);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };
    auto label = [&](const QString& text) { return new QLabel(text, this); };

    QGridLayout* skalen = rahmen(QStringLiteral("Skalen"), "fraSKALEN");
    cboXMIN = liste("cboXMIN");
    cboXDIFF = liste("cboXDIFF");
    cboYMIN = liste("cboYMIN");
    cboYDIFF = liste("cboYDIFF");
    skalen->addWidget(label(QStringLiteral("x-Achse")), 0, 0, 1, 2);
    skalen->addWidget(label(QStringLiteral("Xmin")), 1, 0);
    skalen->addWidget(cboXMIN, 1, 1);
    skalen->addWidget(label(QStringLiteral("ΔX")), 2, 0);
    skalen->addWidget(cboXDIFF, 2, 1);
    skalen->addWidget(label(QStringLiteral("y-Achse")), 3, 0, 1, 2);
    skalen->addWidget(label(QStringLiteral("Ymin")), 4, 0);
    skalen->addWidget(cboYMIN, 4, 1);
    skalen->addWidget(label(QStringLiteral("ΔY")), 5, 0);
    skalen->addWidget(cboYDIFF, 5, 1);

    QGridLayout* werte = rahmen(QString(), "Frame1");
    txtMYMX = textbox("txtMYMX", "0.05");
    txtDESR = textbox("txtDESR", "0.1");
    txtDENA = textbox("txtDENA", "0.025");
    werte->addWidget(label(QStringLiteral("1 %  Δw =")), 0, 0);
    werte->addWidget(txtMYMX, 0, 1);
    werte->addWidget(label(QStringLiteral("g/cm³")), 0, 2);
    werte->addWidget(label(QStringLiteral("ΔSr =")), 1, 0);
    werte->addWidget(txtDESR, 1, 1);
    werte->addWidget(label(QStringLiteral("Δna =")), 2, 0);
    werte->addWidget(txtDENA, 2, 1);

    QGridLayout* linien = rahmen(QString(), "fraLI");
    chkSRLI = check(QStringLiteral("Sr - Linien"), "chkSRLI");
    chkNALI = check(QStringLiteral("na - Linien"), "chkNALI");
    linien->addWidget(chkSRLI, 0, 0);
    linien->addWidget(chkNALI, 1, 0);
    QGridLayout* gitter = rahmen(QString(), "fraGIT");
    chkGITRHD = check(QStringLiteral("Gitterlinien ρd"), "chkGITRHD");
    chkGITW = check(QStringLiteral("Gitterlinien w"), "chkGITW");
    gitter->addWidget(chkGITRHD, 0, 0);
    gitter->addWidget(chkGITW, 1, 0);
    QGridLayout* spline = rahmen(QString(), "fraPOSP");
    chkPOSP = check(QStringLiteral("Spline"), "chkPOSP");
    spline->addWidget(chkPOSP, 0, 0);

    QGridLayout* knoepfe = rahmen(QString(), "fraSCHALTFLAECHEN");
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    cmdABBRECHEN->setObjectName(QStringLiteral("cmdABBRECHEN"));
    knoepfe->addWidget(cmdOK, 0, 0);
    knoepfe->addWidget(cmdABBRECHEN, 0, 1);

    connect(chkSRLI, &platform::CheckBox::Click, this, &frmKONTEXT11::chkSRLI_Click);
    connect(chkNALI, &platform::CheckBox::Click, this, &frmKONTEXT11::chkNALI_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmKONTEXT11::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmKONTEXT11::cmdABBRECHEN_Click);
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
    for (const auto& [spalte, wert] :
         {std::pair{"XMIN", &XMIN}, std::pair{"XMAX", &XMAX}, std::pair{"YMIN", &YMIN},
          std::pair{"YMAX", &YMAX}, std::pair{"MX", &MX}, std::pair{"MY", &MY}})
        g0_->DTVS(QString::fromLatin1(spalte), *wert, kIDOBJEKT, kDiagramm11);
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

    a1_->DTFC(QStringLiteral("GITW"), *chkGITW);
    a1_->DTFC(QStringLiteral("GITRHD"), *chkGITRHD);
    a1_->DTFC(QStringLiteral("SRLI"), *chkSRLI);
    a1_->DTFC(QStringLiteral("NALI"), *chkNALI);
    a1_->DTFT(QStringLiteral("DESR"), *txtDESR);
    a1_->DTFT(QStringLiteral("DENA"), *txtDENA);
    if (spline) a1_->DTFC(QStringLiteral("POSP"), *chkPOSP);
}

void frmKONTEXT11::chkSRLI_Click() {
    if (chkSRLI->Value() == 1) chkNALI->setValue(0);
}

void frmKONTEXT11::chkNALI_Click() {
    if (chkNALI->Value() == 1) chkSRLI->setValue(0);
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
    const auto zahl = [](const platform::ComboBox* c) { return platform::CSng(Variant(c->Text())); };
    if (!trap.step([&] { XMIN = zahl(cboXMIN); })) return;
    if (!trap.step([&] { YMIN = zahl(cboYMIN); })) return;
    if (!trap.step([&] { XMAX = zahl(cboXDIFF) + XMIN; })) return;
    if (!trap.step([&] { YMAX = zahl(cboYDIFF) + YMIN; })) return;

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

    if (!trap.step([&] {
            g0_->DVTS(QStringLiteral("MYMX"), *a, kIDOBJEKT, kDiagramm11);
            g0_->DVTS(QStringLiteral("XMIN"), XMIN, kIDOBJEKT, kDiagramm11);
            g0_->DVTS(QStringLiteral("XMAX"), XMAX, kIDOBJEKT, kDiagramm11);
            g0_->DVTS(QStringLiteral("YMIN"), YMIN, kIDOBJEKT, kDiagramm11);
            g0_->DVTS(QStringLiteral("YMAX"), YMAX, kIDOBJEKT, kDiagramm11);
        }))
        return;
    if (!trap.step([&] {
            a1_->DFTC(QStringLiteral("GITW"), *chkGITW);
            a1_->DFTC(QStringLiteral("GITRHD"), *chkGITRHD);
            a1_->DFTC(QStringLiteral("SRLI"), *chkSRLI);
            a1_->DFTC(QStringLiteral("NALI"), *chkNALI);
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
    accept();
}

void frmKONTEXT11::cmdABBRECHEN_Click() {
    reject();
}

// The keypad's decimal key types the run's decimal sign, whatever the keyboard layout sends.
bool frmKONTEXT11::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* box = qobject_cast<platform::TextBox*>(watched);
        if (box && (key->modifiers() & Qt::KeypadModifier) &&
            (key->key() == Qt::Key_Comma || key->key() == Qt::Key_Period)) {
            box->insert(RunState::current().DEZIMALPUNKT);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmKONTEXT11::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    platzieren();
}

void frmKONTEXT11::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    platzieren();
}

// At 0.6 of the screen's width and 0.1 of its height.
void frmKONTEXT11::platzieren() {
    if (isMinimized()) return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(int(screen->geometry().width() * 0.6), int(screen->geometry().height() * 0.1));
}
