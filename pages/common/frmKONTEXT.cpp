#include "frmKONTEXT.h"

#include "platform/run/RunState.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/Language.h"
#include "platform/ui/CheckBox.h"
#include "platform/window/FormFont.h"
#include "platform/window/Twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>

using platform::placeTwips;
using platform::twipsToPixels;

frmKONTEXT& frmKONTEXT::oeffnen() {
    if (frmKONTEXT* dialog = offen()) return *dialog;
    auto* dialog = new frmKONTEXT();
    dialog->Form_Load();
    return *dialog;
}

frmKONTEXT* frmKONTEXT::offen() {
    // A dialog that was closed is on its way out and is not used again.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<frmKONTEXT*>(w); dialog && !dialog->geschlossen_) return dialog;
    return nullptr;
}

frmKONTEXT::frmKONTEXT() : QDialog(nullptr) {
    setObjectName(QStringLiteral("frmKONTEXT"));
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    const QFont schrift = platform::arialFont(8.25);
    setFont(schrift);
    setWindowTitle(QStringLiteral("Kontextmenü Seite"));
    setFixedSize(twipsToPixels(3885), twipsToPixels(3780));

    fraSKALEN = new QGroupBox(QStringLiteral("Seitenlayout"), this);
    placeTwips(fraSKALEN, 120, 75, 3675, 2955);
    const char* farben[] = {"Seitenfarbe", "Pictureboxfarben"};
    for (int i = 0; i < 2; ++i) {
        cmdFARBEN[std::size_t(i)] = new QPushButton(QString::fromUtf8(farben[i]), fraSKALEN);
        cmdFARBEN[std::size_t(i)]->setObjectName(QStringLiteral("cmdFARBEN%1").arg(i));
        placeTwips(cmdFARBEN[std::size_t(i)], 360, 480 + 600 * i, 2295, 375);
        cdlFARBEN_Titel[std::size_t(i)] = QString::fromUtf8(farben[i]);
        connect(cmdFARBEN[std::size_t(i)], &QPushButton::clicked, this, [this, i] { cmdFARBEN_Click(i); });
    }
    chkBOKF = new platform::CheckBox(QStringLiteral("Kopf / Fußzeile darstellen"), fraSKALEN);
    chkBOKF->setObjectName(QStringLiteral("chkBOKF"));
    placeTwips(chkBOKF, 240, 1680, 2415, 375);
    chkBOKFS = new platform::CheckBox(QStringLiteral("Seitennummerierung darstellen"), fraSKALEN);
    chkBOKFS->setObjectName(QStringLiteral("chkBOKFS"));
    placeTwips(chkBOKFS, 240, 2280, 3135, 375);
    chkBOKF->setValue(1);
    chkBOKFS->setValue(1);
    connect(chkBOKF, &platform::CheckBox::Click, this, &frmKONTEXT::chkBOKF_Click);

    auto* fraSCHALTFLAECHEN = new QGroupBox(this);
    placeTwips(fraSCHALTFLAECHEN, 120, 3150, 3645, 495);
    cmdOK = new QPushButton(QStringLiteral("OK"), fraSCHALTFLAECHEN);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    placeTwips(cmdOK, 90, 30, 1600, 400);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), fraSCHALTFLAECHEN);
    cmdABBRECHEN->setObjectName(QStringLiteral("cmdABBRECHEN"));
    placeTwips(cmdABBRECHEN, 1920, 30, 1600, 400);
    connect(cmdOK, &QPushButton::clicked, this, &frmKONTEXT::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmKONTEXT::cmdABBRECHEN_Click);
}

void frmKONTEXT::Form_Load() {
    if (!platform::Language::english()) return;
    setWindowTitle(QStringLiteral("context menue of page"));
    fraSKALEN->setTitle(QStringLiteral("page layout"));
    cmdFARBEN[0]->setText(QStringLiteral("color of page"));
    cmdFARBEN[1]->setText(QStringLiteral("color of pictureboxes"));
    chkBOKF->setCaption(QStringLiteral("draw head and foot line "));
    chkBOKFS->setCaption(QStringLiteral("draw page numbering "));
    cdlFARBEN_Titel = {QStringLiteral("color of page"), QStringLiteral("color of pictureboxes")};
    cmdABBRECHEN->setText(QStringLiteral("Cancel"));
}

void frmKONTEXT::voreinstellen(QWidget* seite, bool HBOKF, bool HBOKFS, long seitenfarbe, long bildfarbe) {
    seite_ = seite;
    chkBOKF_Tag = HBOKF ? QStringLiteral("1") : QStringLiteral("0");
    chkBOKFS_Tag = HBOKFS ? QStringLiteral("1") : QStringLiteral("0");
    cdlFARBEN_Color = {seitenfarbe, bildfarbe};
    show();
    raise();
    activateWindow();
    // The dialog may be active already, and then no activation follows.
    Form_Activate();
}

void frmKONTEXT::Form_Activate() {
    chkBOKF->setValue(std::int16_t(chkBOKF_Tag.toInt()));
    chkBOKFS->setValue(std::int16_t(chkBOKFS_Tag.toInt()));
}

void frmKONTEXT::chkBOKF_Click() {
    const bool an = chkBOKF->Value() == 1;
    chkBOKFS->setEnabled(an);
    chkBOKFS->setValue(an ? 1 : 0);
}

void frmKONTEXT::cmdFARBEN_Click(int Index) {
    const std::size_t i = std::size_t(Index);
    if (const auto farbe =
            platform::RunState::current().dialogs().ShowColor(cdlFARBEN_Color[i], cdlFARBEN_Titel[i]))
        cdlFARBEN_Color[i] = *farbe;
}

void frmKONTEXT::cmdOK_Click() {
    {
        platform::Hourglass hourglass;
        if (seite_)
            QMetaObject::invokeMethod(seite_, "KONTEXT", Qt::DirectConnection,
                                      Q_ARG(bool, chkBOKF->Value() == 1), Q_ARG(bool, chkBOKFS->Value() == 1),
                                      Q_ARG(long, cdlFARBEN_Color[0]), Q_ARG(long, cdlFARBEN_Color[1]));
    }
    entladen();
}

void frmKONTEXT::cmdABBRECHEN_Click() {
    entladen();
}

// Esc and the close box.
void frmKONTEXT::reject() {
    cmdABBRECHEN_Click();
}

void frmKONTEXT::entladen() {
    geschlossen_ = true;
    hide();
    deleteLater();
}

bool frmKONTEXT::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QDialog::event(e);
}

void frmKONTEXT::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    platzieren();
}

// 20 mm from the left and 35 mm from the top of the screen, whenever the dialog is shown or sized.
void frmKONTEXT::platzieren() {
    if (!isMinimized()) move(twipsToPixels(1134), twipsToPixels(1984.5));
}
