#include "frmANZEIGEN.h"

#include "frmMAIN.h"
#include "platform/runtime/Language.h"
#include "platform/window/FormFont.h"
#include "platform/window/Twips.h"

#include <QFrame>
#include <QGuiApplication>
#include <QIntValidator>
#include <QScreen>
#include <QTimer>

using platform::fitCaption;
using platform::Language;
using platform::placeTwips;
using platform::twipsToPixels;


frmANZEIGEN::frmANZEIGEN(frmMAIN* owner) : QDialog(owner), main_(owner) {
    setObjectName(QStringLiteral("frmANZEIGEN"));
    setWindowTitle(QStringLiteral("Anzeigen"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    const QFont f = platform::arialFont(11.25);
    setFont(f);
    setFixedSize(twipsToPixels(3300), twipsToPixels(1875));

    lblSEITEN[0] = new QLabel(QStringLiteral("Vorhandene Seiten:"), this);
    lblSEITEN[1] = new QLabel(this);
    QFont bold = f;
    bold.setBold(true);
    lblSEITEN[1]->setFont(bold);
    lblSEITE = new QLabel(QStringLiteral("Anzeigen: "), this);
    txtSEITE = new QLineEdit(this);
    txtSEITE->setObjectName(QStringLiteral("txtSEITE"));
    txtSEITE->setMaxLength(1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setGeometry(twipsToPixels(240), twipsToPixels(1200), twipsToPixels(3060 - 240), 2);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setDefault(true);
    cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    placeTwips(lblSEITEN[0], 240, 300, 1905, 255);
    placeTwips(lblSEITEN[1], 2820, 300, 270, 255);
    placeTwips(lblSEITE, 240, 660, 1020, 255);
    placeTwips(txtSEITE, 2670, 600, 405, 375);
    placeTwips(cmdOK, 210, 1320, 1400, 400);
    placeTwips(cmdABBRECHEN, 1710, 1320, 1400, 400);

    connect(cmdOK, &QPushButton::clicked, this, &frmANZEIGEN::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &frmANZEIGEN::cmdABBRECHEN_Click);
    connect(txtSEITE, &QLineEdit::editingFinished, this, [this] { checkPageNumber(); });
}

void frmANZEIGEN::Form_Load() {
    if (Language::english()) {
        setWindowTitle(QStringLiteral("Show"));
        lblSEITEN[0]->setText(QStringLiteral("Available Pages:"));
        lblSEITE->setText(QStringLiteral("Show Page Nr.: "));
        cmdABBRECHEN->setText(QStringLiteral("Cancel"));
    }
    fitCaption(lblSEITEN[0]);
    fitCaption(lblSEITE);
    pages_.clear();
    for (QWidget* page : main_->PageList()) pages_ << page;
    txtSEITE->clear();
    QWidget* active = main_->ActiveForm();
    for (int i = 0; i < pages_.size(); ++i)
        if (active && pages_[i] && pages_[i]->objectName() == active->objectName())
            txtSEITE->setText(QString::number(i + 1));
    lblSEITEN[1]->setText(QString::number(pages_.size()));
}

void frmANZEIGEN::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmANZEIGEN::Form_Activate() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(int(s.width() - 1.5 * width()), s.height() - 2 * height());
    }
    txtSEITE->setFocus();
    txtSEITE->setSelection(0, 1);
}

int frmANZEIGEN::checkPageNumber() {
    bool ok = false;
    int number = txtSEITE->text().trimmed().toInt(&ok);
    if (!ok) number = 1;
    const int n = int(pages_.size());
    if (number >= n) number = n;
    if (number < 1) number = 1;
    txtSEITE->setText(QString::number(number));
    return number;
}

void frmANZEIGEN::cmdOK_Click() {
    const int chosen = checkPageNumber();
    for (int i = 0; i < pages_.size(); ++i) {
        if (!pages_[i]) continue;
        if (i + 1 == chosen) main_->showChild(pages_[i]);
        else main_->hideChild(pages_[i]);
    }
    close();
}

void frmANZEIGEN::cmdABBRECHEN_Click() { close(); }
