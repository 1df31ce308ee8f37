#include "frmKONTEXT110.h"

#include "Diagrammlisten.h"
#include "Tabellenzeiger.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
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

const Variant kDiagramm110(std::int16_t(110));
const QString kIDOBJEKT = QStringLiteral("IDOBJEKT");

} // namespace

frmKONTEXT110::frmKONTEXT110(QWidget* owner, QWidget* seite) : QDialog(owner), seite_(seite) {
    setObjectName(QStringLiteral("frmKONTEXT110"));
    setWindowTitle(QStringLiteral("Kontextmenü Diagramm"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPointSizeF(8.25);
    setFont(schrift);
    setModal(true);
    setFixedSize(platform::twipsToPixels(3705), platform::twipsToPixels(9500));
    auto* layout = new QVBoxLayout(this);

    auto rahmen = [&](const QString& titel, const char* name) {
        auto* box = new QGroupBox(titel, this);
        box->setObjectName(QString::fromLatin1(name));
        layout->addWidget(box);
        return new QGridLayout(box);
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
    werte->addWidget(label(QStringLiteral("1 %     Δw =")), 0, 0);
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

    QGridLayout* knoepfe = rahmen(QString(), "fraSCHALTFLAECHEN");
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    cmdABBRECHEN->setObjectName(QStringLiteral("cmdABBRECHEN"));
    knoepfe->addWidget(cmdOK, 0, 0);
    knoepfe->addWidget(cmdABBRECHEN, 0, 1);

    connect(chkSRLI, &platform::CheckBox::Click, this, &frmKONTEXT110::chkSRLI_Click);
    connect(chkNALI, &platform::CheckBox::Click, this, &frmKONTEXT110::chkNALI_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmKONTEXT110::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmKONTEXT110::cmdABBRECHEN_Click);
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
    for (const auto& [spalte, wert] :
         {std::pair{"XMIN", &XMIN}, std::pair{"XMAX", &XMAX}, std::pair{"YMIN", &YMIN},
          std::pair{"YMAX", &YMAX}, std::pair{"MX", &MX}, std::pair{"MY", &MY}})
        g0_->DTVS(QString::fromLatin1(spalte), *wert, kIDOBJEKT, kDiagramm110);
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
    a1_->DTFC(QStringLiteral("GITW"), *chkGITW);
    a1_->DTFC(QStringLiteral("GITRHD"), *chkGITRHD);
    a1_->DTFC(QStringLiteral("SRLI"), *chkSRLI);
    a1_->DTFC(QStringLiteral("NALI"), *chkNALI);
    a1_->DTFT(QStringLiteral("DESR"), *txtDESR);
    a1_->DTFT(QStringLiteral("DENA"), *txtDENA);
    a1_->DTFC(QStringLiteral("POSP"), *chkPOSP);
    a1_->DTFC(QStringLiteral("DKEN"), *chkDKEN);
}

void frmKONTEXT110::chkSRLI_Click() {
    if (chkSRLI->Value() == 1) chkNALI->setValue(0);
}

void frmKONTEXT110::chkNALI_Click() {
    if (chkNALI->Value() == 1) chkSRLI->setValue(0);
}

void frmKONTEXT110::cmdOK_Click() {
    ScreenPointer::set(ScreenPointer::Hourglass);
    struct Zeiger {
        ~Zeiger() { ScreenPointer::set(ScreenPointer::Default); }
    } zeiger;
    platform::ErrorTrap trap(QStringLiteral("Kontext 110"), QStringLiteral("VB-Error:"));
    const auto zahl = [](const platform::ComboBox* c) { return platform::CSng(Variant(c->Text())); };
    // A list without a choice keeps the bound as loaded (its empty text is no number).
    if (!trap.step([&] { XMIN = zahl(cboXMIN); })) return;
    if (!trap.step([&] { YMIN = zahl(cboYMIN); })) return;
    if (!trap.step([&] { XMAX = zahl(cboXDIFF) + XMIN; })) return;
    if (!trap.step([&] { YMAX = zahl(cboYDIFF) + YMIN; })) return;
    if (!trap.step([&] {
            g0_->ESPIDW = 0;
            // The ratio as typed: an empty box stores Null, a free ratio.
            g0_->DFTT(QStringLiteral("MYMX"), *txtMYMX, kIDOBJEKT, kDiagramm110);
            g0_->DVTS(QStringLiteral("XMIN"), XMIN, kIDOBJEKT, kDiagramm110);
            g0_->DVTS(QStringLiteral("XMAX"), XMAX, kIDOBJEKT, kDiagramm110);
            g0_->DVTS(QStringLiteral("YMIN"), YMIN, kIDOBJEKT, kDiagramm110);
            g0_->DVTS(QStringLiteral("YMAX"), YMAX, kIDOBJEKT, kDiagramm110);
        }))
        return;
    if (!trap.step([&] {
            a1_->ESPIDW = 0;
            a1_->DFTC(QStringLiteral("GITW"), *chkGITW);
            a1_->DFTC(QStringLiteral("GITRHD"), *chkGITRHD);
            a1_->DFTC(QStringLiteral("SRLI"), *chkSRLI);
            a1_->DFTC(QStringLiteral("NALI"), *chkNALI);
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
    accept();
}

void frmKONTEXT110::cmdABBRECHEN_Click() {
    reject();
}

// The keypad's decimal key types the run's decimal sign, whatever the keyboard layout sends.
bool frmKONTEXT110::eventFilter(QObject* watched, QEvent* event) {
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

void frmKONTEXT110::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    platzieren();
}

void frmKONTEXT110::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    platzieren();
}

// At 0.6 of the screen's width and 0.1 of its height.
void frmKONTEXT110::platzieren() {
    if (isMinimized()) return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(int(screen->geometry().width() * 0.6), int(screen->geometry().height() * 0.1));
}
