#include "Diagrammkontext.h"

#include "clsDATEN.h"

#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Convert.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/TextBox.h"
#include "platform/window/FormFont.h"
#include "platform/window/Twips.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using platform::Variant;

Diagrammkontext::Diagrammkontext(QWidget* owner, QWidget* seite, const char* name, int hoeheTwips)
    : QDialog(owner), seite_(seite) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QStringLiteral("Kontextmenü Diagramm"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    const QFont schrift = platform::arialFont(8.25);
    setFont(schrift);
    setModal(true);
    setFixedSize(platform::twipsToPixels(3705), platform::twipsToPixels(hoeheTwips));
    layout_ = new QVBoxLayout(this);
}

Diagrammkontext::~Diagrammkontext() = default;

QGridLayout* Diagrammkontext::rahmen(const QString& titel, const char* name) {
    auto* box = new QGroupBox(titel, this);
    box->setObjectName(QString::fromLatin1(name));
    layout_->addWidget(box);
    return new QGridLayout(box);
}

platform::CheckBox* Diagrammkontext::check(const QString& caption, const char* name) {
    auto* c = new platform::CheckBox(caption, this);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

void Diagrammkontext::skalenBauen() {
    auto liste = [&](const char* name) {
        auto* c = new platform::ComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(false);
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
}

void Diagrammkontext::werteBauen(const QString& verhaeltnis) {
    auto textbox = [&](const char* name, const char* design) {
        auto* t = new platform::TextBox(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setText(QString::fromLatin1(design));
        t->installEventFilter(this);
        return t;
    };
    auto label = [&](const QString& text) { return new QLabel(text, this); };
    QGridLayout* werte = rahmen(QString(), "Frame1");
    txtMYMX = textbox("txtMYMX", "0.05");
    txtDESR = textbox("txtDESR", "0.1");
    txtDENA = textbox("txtDENA", "0.025");
    werte->addWidget(label(verhaeltnis), 0, 0);
    werte->addWidget(txtMYMX, 0, 1);
    werte->addWidget(label(QStringLiteral("g/cm³")), 0, 2);
    werte->addWidget(label(QStringLiteral("ΔSr =")), 1, 0);
    werte->addWidget(txtDESR, 1, 1);
    werte->addWidget(label(QStringLiteral("Δna =")), 2, 0);
    werte->addWidget(txtDENA, 2, 1);
}

void Diagrammkontext::linienBauen() {
    QGridLayout* linien = rahmen(QString(), "fraLI");
    chkSRLI = check(QStringLiteral("Sr - Linien"), "chkSRLI");
    chkNALI = check(QStringLiteral("na - Linien"), "chkNALI");
    linien->addWidget(chkSRLI, 0, 0);
    linien->addWidget(chkNALI, 1, 0);
    connect(chkSRLI, &platform::CheckBox::Click, this, &Diagrammkontext::chkSRLI_Click);
    connect(chkNALI, &platform::CheckBox::Click, this, &Diagrammkontext::chkNALI_Click);
}

void Diagrammkontext::knoepfeBauen() {
    QGridLayout* knoepfe = rahmen(QString(), "fraSCHALTFLAECHEN");
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    cmdABBRECHEN->setObjectName(QStringLiteral("cmdABBRECHEN"));
    knoepfe->addWidget(cmdOK, 0, 0);
    knoepfe->addWidget(cmdABBRECHEN, 0, 1);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &Diagrammkontext::cmdABBRECHEN_Click);
}

void Diagrammkontext::grenzenLaden(clsDATEN& g0, const Variant& diagramm) {
    for (const auto& [spalte, wert] :
         {std::pair{"XMIN", &XMIN}, std::pair{"XMAX", &XMAX}, std::pair{"YMIN", &YMIN},
          std::pair{"YMAX", &YMAX}, std::pair{"MX", &MX}, std::pair{"MY", &MY}})
        g0.DTVS(QString::fromLatin1(spalte), *wert, QStringLiteral("IDOBJEKT"), diagramm);
}

bool Diagrammkontext::grenzenLesen(platform::ErrorTrap& trap) {
    const auto zahl = [](const platform::ComboBox* c) { return platform::CSng(Variant(c->Text())); };
    if (!trap.step([&] { XMIN = zahl(cboXMIN); })) return false;
    if (!trap.step([&] { YMIN = zahl(cboYMIN); })) return false;
    if (!trap.step([&] { XMAX = zahl(cboXDIFF) + XMIN; })) return false;
    return trap.step([&] { YMAX = zahl(cboYDIFF) + YMIN; });
}

void Diagrammkontext::anzeigeLaden(clsDATEN& a1) {
    a1.DTFC(QStringLiteral("GITW"), *chkGITW);
    a1.DTFC(QStringLiteral("GITRHD"), *chkGITRHD);
    a1.DTFC(QStringLiteral("SRLI"), *chkSRLI);
    a1.DTFC(QStringLiteral("NALI"), *chkNALI);
    a1.DTFT(QStringLiteral("DESR"), *txtDESR);
    a1.DTFT(QStringLiteral("DENA"), *txtDENA);
}

void Diagrammkontext::grenzenSpeichern(clsDATEN& g0, const Variant& diagramm) {
    const QString id = QStringLiteral("IDOBJEKT");
    g0.DVTS(QStringLiteral("XMIN"), XMIN, id, diagramm);
    g0.DVTS(QStringLiteral("XMAX"), XMAX, id, diagramm);
    g0.DVTS(QStringLiteral("YMIN"), YMIN, id, diagramm);
    g0.DVTS(QStringLiteral("YMAX"), YMAX, id, diagramm);
}

void Diagrammkontext::schalterSpeichern(clsDATEN& a1) {
    a1.DFTC(QStringLiteral("GITW"), *chkGITW);
    a1.DFTC(QStringLiteral("GITRHD"), *chkGITRHD);
    a1.DFTC(QStringLiteral("SRLI"), *chkSRLI);
    a1.DFTC(QStringLiteral("NALI"), *chkNALI);
}

void Diagrammkontext::chkSRLI_Click() {
    if (chkSRLI->Value() == 1) chkNALI->setValue(0);
}

void Diagrammkontext::chkNALI_Click() {
    if (chkNALI->Value() == 1) chkSRLI->setValue(0);
}

void Diagrammkontext::cmdABBRECHEN_Click() {
    reject();
}

// The keypad's decimal key types the run's decimal sign, whatever the keyboard layout sends.
bool Diagrammkontext::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* box = qobject_cast<platform::TextBox*>(watched);
        if (box && (key->modifiers() & Qt::KeypadModifier) &&
            (key->key() == Qt::Key_Comma || key->key() == Qt::Key_Period)) {
            box->insert(platform::RunState::current().DEZIMALPUNKT);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Diagrammkontext::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    platzieren();
}

void Diagrammkontext::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    platzieren();
}

// At 0.6 of the screen's width and 0.1 of its height.
void Diagrammkontext::platzieren() {
    if (isMinimized()) return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(int(screen->geometry().width() * 0.6), int(screen->geometry().height() * 0.1));
}
