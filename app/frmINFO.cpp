#include "frmINFO.h"

#include "platform/run/VersionInfo.h"
#include "platform/window/FormFont.h"

#include "clsADRESSE.h"
#include "mdiAUTOSTART.h"
#include "Pictures.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/Language.h"
#include "platform/window/Twips.h"

#include <QGuiApplication>
#include <QScreen>

using platform::Language;
using platform::placeTwips;
using platform::RunState;

namespace {
QLabel* label(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}
} // namespace

frmINFO::frmINFO(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmINFO"));
    setWindowIcon(Pictures::programIcon());
    setFont(platform::arialFont(8.25));
    setFixedSize(platform::twipsToPixels(8955), platform::twipsToPixels(7290));

    imgORV = label(this, QStringLiteral("imgORV"));
    imgORV->setPixmap(Pictures::programIcon().pixmap(32, 32));
    placeTwips(imgORV, 510, 540, 480, 480);
    imgTALO = label(this, QStringLiteral("imgTALO"));
    imgTALO->setScaledContents(true);
    imgTALO->setPixmap(QPixmap::fromImage(Pictures::universityLogo()));
    placeTwips(imgTALO, 7050, 0, 1950, 1890);

    struct Design {
        double top, width, height; // a label without a size sizes itself to its text
        bool bold;
    };
    const Design orv[] = {{90, 0, 0, true},         {330, 0, 0, true},        {560, 0, 0, true},
                          {810, 0, 0, true},        {1140, 2685, 195, false}, {1320, 3255, 195, false},
                          {1500, 3255, 195, false}, {1680, 3975, 195, false}};
    for (int i = 0; i < 8; ++i) {
        lblORV[i] = label(this, QStringLiteral("lblORV%1").arg(i));
        if (orv[i].bold) lblORV[i]->setFont(platform::arialFont(9.75, true));
        placeTwips(lblORV[i], 1800, orv[i].top, orv[i].width, orv[i].height);
    }

    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameStyle(QFrame::HLine | QFrame::Plain);
    Line1->setGeometry(platform::twipsToPixels(90), platform::twipsToPixels(1920),
                       platform::twipsToPixels(9030 - 90), 1);

    const double infoTop[] = {2610, 2850, 3180, 3570, 3840, 4110, 4380, 4710};
    for (int i = 0; i < 8; ++i) {
        lblINFO[i] = label(this, QStringLiteral("lblINFO%1").arg(i));
        if (i == 1 || i == 2) lblINFO[i]->setFont(platform::arialFont(12, true));
        placeTwips(lblINFO[i], 1800, infoTop[i]);
    }

    cmdSCHLIESSEN = new QPushButton(QStringLiteral("Schließen"), this);
    cmdSCHLIESSEN->setObjectName(QStringLiteral("cmdSCHLIESSEN"));
    cmdSCHLIESSEN->setFont(platform::arialFont(11.25));
    placeTwips(cmdSCHLIESSEN, 6330, 6420, 1600, 400);
    connect(cmdSCHLIESSEN, &QPushButton::clicked, this, &frmINFO::cmdSCHLIESSEN_Click);
}

QString frmINFO::LegalTrademarks() { return platform::VersionInfo::current().LegalTrademarks; }

QString frmINFO::developers(const QString& trademarks) {
    if (trademarks.size() <= 50) return trademarks;
    const int comma = trademarks.indexOf(QLatin1Char(','), 49); // position 50, counted from 1
    if (comma < 0) return trademarks;
    return trademarks.left(comma + 1) + QStringLiteral(" ...");
}

void frmINFO::Form_Load(const mdiAUTOSTART* startScreen) {
    const RunState& run = RunState::current();
    const QString title = RunState::TITLE();
    const auto fit = [](QLabel* l, const QString& text) {
        l->setText(text);
        if (l->minimumWidth() != l->maximumWidth()) l->adjustSize();
    };
    try {
        const clsADRESSE adresse;
        const QString D = developers(LegalTrademarks());
        fit(lblORV[0], adresse.FIRMA1());
        fit(lblORV[1], adresse.FIRMA2());
        fit(lblORV[2], adresse.PLZ() + QStringLiteral(", ") + adresse.STR());
        fit(lblORV[5], QStringLiteral("Fax: ") + adresse.FAX());
        fit(lblORV[6], QStringLiteral("E-Mail: ") + adresse.EMAIL());
        fit(lblORV[7], QStringLiteral("Internet: ") + adresse.URL());
        if (run.SPRACHE != 1 && run.SPRACHE != 3) return;
        setWindowTitle(Language::text(QStringLiteral("Info of "), QStringLiteral("Info zu ")) + title);
        fit(lblORV[3], Language::text(QStringLiteral("Head of Found.: "), QStringLiteral("Vorsitzender: ")) +
                           adresse.VORSITZ());
        fit(lblORV[4],
            Language::text(QStringLiteral("Phone: "), QStringLiteral("Telefon: ")) + adresse.TEL());
        fit(lblINFO[0], RunState::FAMILY());
        if (!startScreen) throw platform::VbError::objectNotSet();
        fit(lblINFO[1], startScreen->lblTITEL->text());
        fit(lblINFO[2], startScreen->lblUNTERTITEL->text());
        // The program file has no extension here.
        fit(lblINFO[3], QStringLiteral("(") + title + QStringLiteral(")"));
        fit(lblINFO[4], startScreen->lblVERSION->text());
        fit(lblINFO[5], QStringLiteral("© 2003 ") + adresse.FIRMA1() +
                            Language::text(QStringLiteral(". All rights reserved."),
                                           QStringLiteral(". Alle Rechte vorbehalten.")));
        fit(lblINFO[6], Language::text(QStringLiteral("Program developed by: "),
                                       QStringLiteral("Programmentwicklung: ")) +
                            D);
        fit(lblINFO[7], QString());
        if (Language::english()) cmdSCHLIESSEN->setText(QStringLiteral("Done"));
    } catch (const std::exception& e) {
        run.dialogs().MsgBox(platform::ErrorBoxText(platform::asVbError(e)),
                             platform::Msg::OKOnly | platform::Msg::Exclamation, title);
    }
}

void frmINFO::cmdSCHLIESSEN_Click() {
    close();
}

void frmINFO::showEvent(QShowEvent* event) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
