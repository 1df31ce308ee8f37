#include "mdiAUTOSTART.h"

#include "Pictures.h"
#include "clsADRESSE.h"
#include "platform/run/RunState.h"
#include "platform/window/FormFont.h"
#include "platform/window/Twips.h"

#include <QFontMetrics>
#include <cmath>

using platform::pixelsToTwips;
using platform::placeTwips;


namespace {
QLabel* label(QWidget* parent, const QString& name, const QFont& font, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setTextFormat(Qt::PlainText);
    return l;
}
} // namespace

mdiAUTOSTART::mdiAUTOSTART(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("mdiAUTOSTART"));
    setAutoFillBackground(true);

    fraKOPF = new QFrame(this);
    fraKOPF->setObjectName(QStringLiteral("fraKOPF"));
    fraKOPF->setFrameStyle(QFrame::Box | QFrame::Plain);
    placeTwips(fraKOPF, 150, 0, 11685, 1710);

    imgTALO = new QLabel(fraKOPF);
    imgTALO->setObjectName(QStringLiteral("imgTALO"));
    imgTALO->setScaledContents(true);
    imgTALO->setPixmap(QPixmap::fromImage(Pictures::universityLogo()));
    placeTwips(imgTALO, 10080, 120, 1500, 1500);

    lblKOPF[0] = label(fraKOPF, QStringLiteral("lblKOPF0"), platform::arialFont(12, true));
    lblKOPF[1] = label(fraKOPF, QStringLiteral("lblKOPF1"), platform::arialFont(9.75, true));
    lblKOPF[2] = label(fraKOPF, QStringLiteral("lblKOPF2"), platform::arialFont(9.75, true));
    lblKOPF[3] = label(fraKOPF, QStringLiteral("lblKOPF3"), platform::arialFont(8.25, false));
    placeTwips(lblKOPF[0], 120, 240, 0, 0);
    placeTwips(lblKOPF[1], 120, 600, 4425, 315);
    placeTwips(lblKOPF[2], 120, 930, 0, 0);
    placeTwips(lblKOPF[3], 120, 1380, 0, 0);

    lblTITEL = label(this, QStringLiteral("lblTITEL"), platform::arialFont(33, true), QStringLiteral("TAMBRINversuch"));
    lblUNTERTITEL = label(this, QStringLiteral("lblUNTERTITEL"), platform::arialFont(33, true));
    lblVERSION = label(this, QStringLiteral("lblVERSION"), platform::arialFont(18, false), QStringLiteral("Version August 2003"));

    imgDIA = new QLabel(this);
    imgDIA->setObjectName(QStringLiteral("imgDIA"));
    imgDIA->setScaledContents(true);
    imgDIA->setPixmap(QPixmap::fromImage(Pictures::apparatus()));
    placeTwips(imgDIA, 0, 0, 2760, 5220);

    pgbBERECHNEN = new platform::ProgressBarWidget(this);
    pgbBERECHNEN->setObjectName(QStringLiteral("pgbBERECHNEN"));
    placeTwips(pgbBERECHNEN, 0, 0, 2000, 345);
}

void mdiAUTOSTART::Form_Load(double SW, double SH) {
    lblVERSION->setText(QStringLiteral("Version "));
    {
        const clsADRESSE adresse;
        lblKOPF[0]->setText(adresse.FIRMA1());
        lblKOPF[1]->setText(adresse.PLZ() + QStringLiteral(", ") + adresse.STR());
        switch (platform::RunState::current().SPRACHE) {
        case 1:
            lblKOPF[2]->setText(QStringLiteral("Head of Found.: ") + adresse.VORSITZ());
            lblKOPF[3]->setText(QStringLiteral("Phone: ") + adresse.TEL() + QStringLiteral(", ") +
                                QStringLiteral("E-Mail: ") + adresse.EMAIL() + QStringLiteral(", ") +
                                QStringLiteral("Internet: ") + adresse.URL());
            lblTITEL->setText(QStringLiteral("TAMBRIN Test"));
            lblUNTERTITEL->setText(QString());
            lblVERSION->setText(lblVERSION->text() + QStringLiteral("August 2003"));
            break;
        case 3:
            lblKOPF[2]->setText(QStringLiteral("Vorsitzender: ") + adresse.VORSITZ());
            lblKOPF[3]->setText(QStringLiteral("Telefon: ") + adresse.TEL() + QStringLiteral(", ") +
                                QStringLiteral("E-Mail: ") + adresse.EMAIL() + QStringLiteral(", ") +
                                QStringLiteral("Internet: ") + adresse.URL());
            lblTITEL->setText(QStringLiteral("TAMBRINversuch"));
            lblUNTERTITEL->setText(QString());
            lblVERSION->setText(lblVERSION->text() + QStringLiteral("August 2003"));
            break;
        default: break;
        }
    }
    for (QLabel* l : {lblKOPF[0], lblKOPF[2], lblKOPF[3], lblTITEL, lblUNTERTITEL, lblVERSION}) l->adjustSize();
    // An empty label keeps the height of one line of its font.
    lblUNTERTITEL->setFixedHeight(QFontMetrics(lblUNTERTITEL->font()).height());
    lblUNTERTITEL->setFixedWidth(0);

    // The layout is computed in single precision and not clamped.
    const float fraWidth = float(SW * 0.98);
    const float fraHeight = 1710.0f;
    placeTwips(fraKOPF, (SW - fraWidth) / 2.0, 0, fraWidth, fraHeight);
    const float taloHeight = fraHeight * 0.85f;
    const float taloTop = fraHeight * 0.1f;
    const float taloLeft = fraWidth - 1500.0f - taloTop / 2.0f;
    placeTwips(imgTALO, taloLeft, taloTop, 1500, taloHeight);

    const double titleW = pixelsToTwips(lblTITEL->width()), titleH = pixelsToTwips(lblTITEL->height());
    const float titleLeft = float((SW - titleW) / 2.0);
    const float titleTop = float((SH - titleH) / 2.75);
    placeTwips(lblTITEL, titleLeft, titleTop, 0, 0);
    const double subW = pixelsToTwips(lblUNTERTITEL->width()), subH = pixelsToTwips(lblUNTERTITEL->height());
    placeTwips(lblUNTERTITEL, float((SW - subW) / 2.0), float(titleTop + 1.15 * subH), 0, 0);

    const double versionTextHeight = pixelsToTwips(QFontMetrics(font()).height());
    const float diaLeft = float(SW - 2760.0 - 1000.0);
    const float diaTop = float(SH - 5220.0 - 1000.0 + versionTextHeight);
    placeTwips(imgDIA, diaLeft, diaTop, 2760, 5220);

    const float versionTop = float(SH - 1000.0);
    placeTwips(lblVERSION, 200, versionTop, 0, 0);

    placeTwips(pgbBERECHNEN, 200, versionTop - 3.0f * 345.0f, float(SW / 4.0), 345);
    pgbBERECHNEN->setVisible(false);
}
