// The diagram dialog of the multiple page: it shows the stored settings, OK stores every choice and has
// the page that opened it redraw, Abbrechen changes nothing.
#include "MSeite1Lauf.h"

#include "frmKONTEXT110.h"

#include "platform/runtime/NumberFormat.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/TextBox.h"

#include "platform/runtime/Convert.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QKeyEvent>

using namespace mseite1test;
using platform::Variant;

namespace {

Variant a1(MSeite1Lauf& lauf, const char* spalte) {
    return lauf.wert(QStringLiteral("SELECT [%1] FROM A1 WHERE ID = 0").arg(QLatin1String(spalte)));
}
float g0(MSeite1Lauf& lauf, const char* spalte) {
    return platform::CSng(lauf.wert(
        QStringLiteral("SELECT [%1] FROM G0 WHERE ID = 0 AND IDOBJEKT = 110").arg(QLatin1String(spalte))));
}

TEST(Kontext110, LoadingShowsTheStoredSettingsAndTheRatioOfTheLastDrawing) {
    MSeite1Lauf lauf;
    lauf.projekt(proben(2));
    lauf.setze(
        QStringLiteral("UPDATE A1 SET GITW = 1, GITRHD = 0, SRLI = 1, NALI = 1, DESR = 0.1, DENA = NULL, "
                       "POSP = 1, DKEN = 1 WHERE ID = 0"));
    mdiMSEITE1& seite = lauf.laden();
    lauf.setze(QStringLiteral("UPDATE G0 SET XMIN = 4, XMAX = 24, YMIN = 1.2, YMAX = 1.6 WHERE ID = 0"));
    frmKONTEXT110 dialog(nullptr, &seite);
    dialog.Form_Load();
    EXPECT_EQ(dialog.cboXMIN->ListCount(), 31);
    EXPECT_EQ(dialog.cboXDIFF->ListCount(), 30);
    EXPECT_EQ(dialog.cboYMIN->ListCount(), 21);
    EXPECT_EQ(dialog.cboYDIFF->ListCount(), 20);
    EXPECT_EQ(dialog.cboXMIN->Text(), QStringLiteral("4"));
    EXPECT_EQ(dialog.cboXDIFF->Text(), QStringLiteral("20"));
    EXPECT_EQ(dialog.cboYMIN->Text(), QStringLiteral("1,2"));
    EXPECT_EQ(dialog.cboYDIFF->Text(), QStringLiteral("0,4")); // 1.6 - 1.2 in single precision, to the tenth
    EXPECT_EQ(dialog.chkGITW->Value(), 1);
    EXPECT_EQ(dialog.chkGITRHD->Value(), 0);
    // Both families stored: loading NALI clears SRLI.
    EXPECT_EQ(dialog.chkSRLI->Value(), 0);
    EXPECT_EQ(dialog.chkNALI->Value(), 1);
    EXPECT_EQ(dialog.txtDESR->Text(), QStringLiteral("0,1"));
    EXPECT_EQ(dialog.txtDENA->Text(), QString());
    EXPECT_EQ(dialog.chkPOSP->Value(), 1);
    EXPECT_EQ(dialog.chkDKEN->Value(), 1);
    EXPECT_EQ(dialog.txtMYMX->Text(),
              platform::Format(Variant(float(g0(lauf, "MY") / g0(lauf, "MX"))), QStringLiteral("#0.000##")));
}

TEST(Kontext110, BoundsThatAreNoListEntriesLeaveTheirListEmptyAndNoScaleLeavesTheRatioEmpty) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(2);
    lauf.setze(QStringLiteral("UPDATE G0 SET XMIN = 55, XMAX = 75, MX = 0 WHERE ID = 0"));
    frmKONTEXT110 dialog(nullptr, &seite);
    dialog.Form_Load();
    EXPECT_EQ(dialog.cboXMIN->ListIndex(), -1);
    EXPECT_EQ(dialog.cboXDIFF->Text(), QStringLiteral("20"));
    EXPECT_NE(dialog.cboYMIN->ListIndex(), -1);
    EXPECT_EQ(dialog.txtMYMX->Text(), QString());
    EXPECT_TRUE(lauf.meldungen().isEmpty());
}

TEST(Kontext110, OkStoresEveryChoiceAndRedrawsThePageThatOpenedIt) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(3);
    const QImage vorher = seite.picBILD110->picture();
    const QImage tabelleVorher = seite.picBILD120->picture();
    frmKONTEXT110 dialog(nullptr, &seite);
    dialog.Form_Load();
    dialog.cboXMIN->setListIndex(dialog.cboXMIN->List(0) == QStringLiteral("0") ? 2 : 0); // 4
    dialog.cboXDIFF->setListIndex(9);                                                     // 20
    dialog.cboYMIN->setListIndex(8);                                                      // 1.6
    dialog.cboYDIFF->setListIndex(1);                                                     // 0.4
    dialog.txtMYMX->setText(QString());
    dialog.txtDESR->setText(QStringLiteral("0,05"));
    dialog.txtDENA->setText(QStringLiteral("0,05"));
    dialog.chkSRLI->setValue(1);
    dialog.chkNALI->setValue(1); // clears SRLI
    dialog.chkGITW->setValue(1);
    dialog.chkGITRHD->setValue(1);
    dialog.chkPOSP->setValue(1);
    dialog.chkDKEN->setValue(1);
    dialog.cmdOK_Click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();

    EXPECT_EQ(g0(lauf, "XMIN"), 4);
    EXPECT_EQ(g0(lauf, "XMAX"), 24);
    EXPECT_NEAR(g0(lauf, "YMIN"), 1.6, 1e-6);
    EXPECT_NEAR(g0(lauf, "YMAX"), 2.0, 1e-6);
    EXPECT_TRUE(lauf.wert(QStringLiteral("SELECT MYMX FROM G0 WHERE ID = 0 AND IDOBJEKT = 110")).isNull());
    EXPECT_EQ(a1(lauf, "SRLI"), Variant(std::int16_t(0)));
    EXPECT_EQ(a1(lauf, "NALI"), Variant(std::int16_t(1)));
    EXPECT_EQ(a1(lauf, "GITW"), Variant(std::int16_t(1)));
    EXPECT_EQ(a1(lauf, "GITRHD"), Variant(std::int16_t(1)));
    EXPECT_EQ(a1(lauf, "POSP"), Variant(std::int16_t(1)));
    EXPECT_EQ(a1(lauf, "DKEN"), Variant(std::int16_t(1)));
    EXPECT_NEAR(platform::CSng(a1(lauf, "DESR")), 0.05, 1e-6);
    EXPECT_NEAR(platform::CSng(a1(lauf, "DENA")), 0.05, 1e-6);
    // The page drew again with the stored bounds and the spline results.
    EXPECT_NE(seite.picBILD110->picture(), vorher);
    EXPECT_NE(seite.picBILD120->picture(), tabelleVorher);
    EXPECT_EQ(seite.POSP(), 1);
    EXPECT_NEAR(g0(lauf, "MX"), 20.0 / 111, 1e-4);
}

TEST(Kontext110, AbbrechenChangesNothing) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(2);
    const auto zeilen = [&] {
        return lauf.wert(QStringLiteral(
                             "SELECT GROUP_CONCAT(COALESCE(XMIN,'') || '/' || COALESCE(XMAX,'') || '/' || "
                             "COALESCE(MYMX,'') || '/' || COALESCE(MX,''), ';') FROM G0"))
                   .asString() +
               lauf.wert(QStringLiteral("SELECT GROUP_CONCAT(COALESCE(SRLI,'') || COALESCE(NALI,'') || "
                                        "COALESCE(POSP,'') || COALESCE(DESR,''), ';') FROM A1"))
                   .asString();
    };
    const QString vorher = zeilen();
    const QImage bild = seite.picBILD110->picture();
    frmKONTEXT110 dialog(nullptr, &seite);
    dialog.Form_Load();
    dialog.cboXMIN->setListIndex(5);
    dialog.txtMYMX->setText(QStringLiteral("0,2"));
    dialog.chkPOSP->setValue(1);
    dialog.chkSRLI->setValue(1);
    dialog.cmdABBRECHEN_Click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(zeilen(), vorher);
    EXPECT_EQ(seite.picBILD110->picture(), bild);
}

TEST(Kontext110, TheKeypadsDecimalKeyTypesTheRunsDecimalSign) {
    MSeite1Lauf lauf;
    mdiMSEITE1& seite = lauf.zeige(2);
    frmKONTEXT110 dialog(nullptr, &seite);
    dialog.Form_Load();
    dialog.txtDESR->setText(QStringLiteral("0"));
    dialog.txtDESR->setCursorPosition(1);
    QKeyEvent taste(QEvent::KeyPress, Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    QCoreApplication::sendEvent(dialog.txtDESR, &taste);
    EXPECT_EQ(dialog.txtDESR->Text(), QStringLiteral("0,"));
}

} // namespace
