// The two settings dialogs of page 1, driven through the page as a user does: the diagram settings by a
// right click on the diagram, the page settings by a click on the free page.
#include "frmKONTEXT.h"
#include "frmKONTEXT11.h"
#include "Seite1Lauf.h"
#include "Tasten.h"

#include "platform/runtime/NumberFormat.h"
#include "platform/surface/PictureBox.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/TextBox.h"

#include <functional>
#include <gtest/gtest.h>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

using namespace seite1test;
using platform::Variant;

namespace {

const QString kG0 = QStringLiteral("IDOBJEKT = 11");

float zahl(const Variant& v) {
    return float(v.number());
}

// Opens the diagram dialog with a right click and hands it to `bedienen` while it is open; the dialog's
// result.
int diagrammDialog(Seite1Lauf& lauf, const std::function<void(frmKONTEXT11&)>& bedienen) {
    int ergebnis = -1;
    lauf.dialoge().onForm([&](QDialog& form) {
        auto& dialog = static_cast<frmKONTEXT11&>(form);
        bedienen(dialog);
        ergebnis = dialog.result();
        return ergebnis;
    });
    lauf.seite->picBILD11_MouseDown(Qt::RightButton);
    return ergebnis;
}

void waehle(platform::ComboBox* box, const QString& text) {
    const int i = box->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    box->setListIndex(i);
}

TEST(Diagrammdialog, OpensWithTheStoredSettings) {
    Seite1Lauf lauf;
    ASSERT_TRUE(lauf.auswerten(fixture::dryingSet()));
    lauf.setze(
        QStringLiteral("UPDATE A1 SET GITW = 1, SRLI = 1, NALI = 1, DESR = 0.2, POSP = 1 WHERE ID = 1"));
    lauf.laden();
    const float mx = zahl(lauf.wert("G0", "MX", kG0)), my = zahl(lauf.wert("G0", "MY", kG0));
    diagrammDialog(lauf, [&](frmKONTEXT11& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Kontextmenü Diagramm"));
        EXPECT_EQ(d.parentWidget(), nullptr); // the owner is the main window, which this run has not
        EXPECT_EQ(d.cboXMIN->ListCount(), 31);
        EXPECT_EQ(d.cboXDIFF->ListCount(), 30);
        EXPECT_EQ(d.cboYMIN->ListCount(), 21);
        EXPECT_EQ(d.cboYDIFF->ListCount(), 20);
        EXPECT_EQ(d.cboYMIN->List(7), QStringLiteral("1,4"));
        EXPECT_FALSE(d.cboXMIN->isEditable());
        // The diagram as it was drawn: x from 8 with span 12, y from 1.4 with span 0.6.
        EXPECT_EQ(d.cboXMIN->Text(), QStringLiteral("8"));
        EXPECT_EQ(d.cboXDIFF->Text(), QStringLiteral("12"));
        EXPECT_EQ(d.cboYMIN->Text(), QStringLiteral("1,4"));
        EXPECT_EQ(d.cboYDIFF->Text(), QStringLiteral("0,6"));
        EXPECT_EQ(d.txtMYMX->Text(), platform::Format(Variant(my / mx), QStringLiteral("#0.000##")));
        EXPECT_EQ(d.chkGITW->Value(), 1);
        EXPECT_EQ(d.chkGITRHD->Value(), 0);
        // Both families stored: only the air-void lines stay ticked.
        EXPECT_EQ(d.chkSRLI->Value(), 0);
        EXPECT_EQ(d.chkNALI->Value(), 1);
        EXPECT_EQ(d.txtDESR->Text(), QStringLiteral("0,2"));
        EXPECT_EQ(d.txtDENA->Text(), QStringLiteral("0,025"));
        EXPECT_TRUE(d.chkPOSP->isEnabled());
        EXPECT_EQ(d.chkPOSP->Value(), 1);
        d.cmdABBRECHEN_Click();
    });
}

TEST(Diagrammdialog, FewerThanThreeReadingsOfferNoSplineAndStoreNone) {
    Seite1Lauf lauf;
    fixture::Record r = fixture::dryingSet();
    r.readings.resize(2);
    ASSERT_TRUE(lauf.auswerten(r));
    lauf.setze(QStringLiteral("UPDATE A1 SET POSP = 1 WHERE ID = 1")); // an older row may hold it
    lauf.laden();
    diagrammDialog(lauf, [](frmKONTEXT11& d) {
        EXPECT_FALSE(d.chkPOSP->isEnabled());
        EXPECT_EQ(d.chkPOSP->Value(), 0);
        d.cmdOK_Click();
    });
    EXPECT_EQ(zahl(lauf.wert("A1", "POSP")), 0);
}

TEST(Diagrammdialog, OkStoresTheSettingsAndRedrawsDiagramAndTextBlockOnly) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    const QImage diagramm = seite.picBILD11->picture(), tabelle = seite.picBILD12->picture(),
                 text = seite.picBILD13->picture();
    const int ergebnis = diagrammDialog(lauf, [](frmKONTEXT11& d) {
        waehle(d.cboXMIN, QStringLiteral("4"));
        waehle(d.cboXDIFF, QStringLiteral("20"));
        waehle(d.cboYMIN, QStringLiteral("1,6"));
        waehle(d.cboYDIFF, QStringLiteral("0,4"));
        d.txtMYMX->setText(QStringLiteral("0,05"));
        d.txtDESR->setText(QStringLiteral("0,05"));
        d.txtDENA->setText(QStringLiteral("0,05"));
        d.chkNALI->setValue(1);
        d.chkGITW->setValue(1);
        d.chkGITRHD->setValue(1);
        d.chkPOSP->setValue(1);
        d.cmdOK_Click();
    });
    EXPECT_EQ(ergebnis, QDialog::Accepted);
    EXPECT_TRUE(lauf.meldungen().isEmpty()) << lauf.meldungen().join('\n').toStdString();
    const struct {
        const char* tabelle;
        const char* spalte;
        float wert;
    } gespeichert[] = {{"G0", "XMIN", 4},     {"G0", "XMAX", 24},    {"G0", "YMIN", 1.6f},
                       {"G0", "YMAX", 2.0f},  {"G0", "MYMX", 0.05f}, {"A1", "SRLI", 0},
                       {"A1", "NALI", 1},     {"A1", "GITW", 1},     {"A1", "GITRHD", 1},
                       {"A1", "DESR", 0.05f}, {"A1", "DENA", 0.05f}, {"A1", "POSP", 1}};
    for (const auto& g : gespeichert)
        EXPECT_NEAR(zahl(lauf.wert(g.tabelle, g.spalte, g.tabelle == std::string("G0") ? kG0 : QString())),
                    g.wert, 1e-6)
            << g.spalte;
    // The diagram was drawn with the new settings; the text block shows the spline results now.
    EXPECT_EQ(seite.POSP(), 1);
    EXPECT_NE(seite.picBILD11->picture(), diagramm);
    EXPECT_NE(seite.picBILD13->picture(), text);
    EXPECT_EQ(seite.picBILD12->picture(), tabelle);
}

TEST(Diagrammdialog, CancelChangesNothing) {
    Seite1Lauf lauf;
    mdiSEITE1& seite = lauf.zeige(fixture::dryingSet());
    const QImage diagramm = seite.picBILD11->picture();
    const float xmin = zahl(lauf.wert("G0", "XMIN", kG0)), desr = zahl(lauf.wert("A1", "DESR"));
    const int ergebnis = diagrammDialog(lauf, [](frmKONTEXT11& d) {
        waehle(d.cboXMIN, QStringLiteral("0"));
        d.txtDESR->setText(QStringLiteral("0,2"));
        d.chkPOSP->setValue(1);
        d.cmdABBRECHEN_Click();
    });
    EXPECT_EQ(ergebnis, QDialog::Rejected);
    EXPECT_EQ(zahl(lauf.wert("G0", "XMIN", kG0)), xmin);
    EXPECT_EQ(zahl(lauf.wert("A1", "DESR")), desr);
    EXPECT_EQ(zahl(lauf.wert("A1", "POSP")), 0);
    EXPECT_EQ(seite.picBILD11->picture(), diagramm);
}

TEST(Diagrammdialog, OnlyNumbersInSensibleRangesAreAccepted) {
    const struct {
        const char* feld; // the box typed into
        const char* text;
        const char* meldung; // "" when accepted
    } cases[] = {
        {"txtDESR", "0", ""},
        {"txtDESR", "0,5", ""},
        {"txtDESR", " 0,25 ", ""},
        {"txtDESR", "0,51", "Delta Sr muss eine Zahl von 0 bis 0,5 sein"},
        {"txtDESR", "-0,1", "Delta Sr"},
        {"txtDESR", "abc", "Delta Sr"},
        {"txtDESR", "", "Delta Sr"},
        {"txtDESR", "1E-3", "Delta Sr"},
        {"txtDENA", "0,25", ""},
        {"txtDENA", "0,0001", ""},
        {"txtDENA", "0,26", "Delta na muss eine Zahl von 0 bis 0,25 sein"},
        {"txtDENA", "0.1", "Delta na"},
        {"txtMYMX", "0", ""}, // a free aspect
        {"txtMYMX", "-0,05", "1% Delta w muss eine Zahl größer oder gleich 0 sein"},
        {"txtMYMX", "x", "1% Delta w"},
        // The message says what is wrong: the decimal sign to use, the exponent, the range.
        {"txtMYMX", "0.05", "Das Dezimalzeichen ist hier das Komma: 0,05 statt 0.05."},
        {"txtMYMX", "1e30", "ohne Exponenten"},
        {"txtDESR", "0,51", "Die Zahl 0,51 liegt nicht im Bereich von 0 bis 0,5."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.feld) + " = '" + c.text + "'");
        Seite1Lauf lauf;
        lauf.zeige(fixture::dryingSet());
        const float desr = zahl(lauf.wert("A1", "DESR"));
        const int ergebnis = diagrammDialog(lauf, [&](frmKONTEXT11& d) {
            d.findChild<platform::TextBox*>(QString::fromLatin1(c.feld))->setText(QString::fromUtf8(c.text));
            d.cmdOK_Click();
            if (d.result() != QDialog::Accepted) d.cmdABBRECHEN_Click();
        });
        const QStringList meldungen = lauf.meldungen();
        if (*c.meldung == 0) {
            EXPECT_EQ(ergebnis, QDialog::Accepted);
            EXPECT_TRUE(meldungen.isEmpty()) << meldungen.join('\n').toStdString();
        } else {
            EXPECT_EQ(ergebnis, QDialog::Rejected);
            ASSERT_EQ(meldungen.size(), 1);
            EXPECT_TRUE(meldungen[0].contains(QString::fromUtf8(c.meldung))) << meldungen[0].toStdString();
            EXPECT_EQ(zahl(lauf.wert("A1", "DESR")), desr); // nothing stored
        }
    }
}

// Two values beyond their ranges, stored by another program: the dialog checks its boxes at OK, not as they
// are left, so a click from one into the other asks nothing, and each OK costs one message about the first
// refused box, with the focus put there.
TEST(Diagrammdialog, TwoStoredRefusedValuesCostOneMessagePerAction) {
    Seite1Lauf lauf;
    ASSERT_TRUE(lauf.auswerten(fixture::dryingSet()));
    lauf.setze(QStringLiteral("UPDATE A1 SET DESR = 9, DENA = 9 WHERE ID = 1"));
    lauf.laden();
    const auto abarbeiten = [] {
        for (int runde = 0; runde < 50; ++runde)
            QApplication::processEvents();
    };
    diagrammDialog(lauf, [&](frmKONTEXT11& d) {
        d.show();
        QApplication::setActiveWindow(&d);
        d.txtDESR->setFocus();
        abarbeiten();
        ASSERT_TRUE(d.txtDESR->hasFocus());
        testsupport::klicken(d.txtDENA);
        abarbeiten();
        EXPECT_TRUE(d.txtDENA->hasFocus());
        EXPECT_TRUE(lauf.meldungen().isEmpty());

        d.cmdOK_Click();
        abarbeiten();
        ASSERT_EQ(lauf.meldungen().size(), 1);
        EXPECT_TRUE(lauf.meldungen()[0].contains(QStringLiteral("Delta Sr")));
        EXPECT_TRUE(d.txtDESR->hasFocus());
        EXPECT_NE(d.result(), QDialog::Accepted);

        d.txtDESR->setText(QStringLiteral("0,2"));
        d.cmdOK_Click();
        abarbeiten();
        ASSERT_EQ(lauf.meldungen().size(), 2);
        EXPECT_TRUE(lauf.meldungen()[1].contains(QStringLiteral("Delta na")));
        EXPECT_TRUE(d.txtDENA->hasFocus());
        EXPECT_NE(d.result(), QDialog::Accepted);
        d.cmdABBRECHEN_Click();
    });
    EXPECT_EQ(zahl(lauf.wert("A1", "DESR")), 9.0f);
}

TEST(Diagrammdialog, ScalesThatGiveNoUsablePictureAreRefused) {
    // x from 10 with span 20, y from 1.6 with span 0.4: the aspect 0.05 gives axes of 111 and 44 mm, the
    // aspect 0.2 a dry-density axis of 11 mm.
    const struct {
        const char* aspekt;
        bool angenommen;
    } cases[] = {{"0,05", true}, {"0,2", false}, {"0", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.aspekt);
        Seite1Lauf lauf;
        lauf.zeige(fixture::dryingSet());
        diagrammDialog(lauf, [&](frmKONTEXT11& d) {
            waehle(d.cboXMIN, QStringLiteral("10"));
            waehle(d.cboXDIFF, QStringLiteral("20"));
            waehle(d.cboYMIN, QStringLiteral("1,6"));
            waehle(d.cboYDIFF, QStringLiteral("0,4"));
            d.txtMYMX->setText(QString::fromLatin1(c.aspekt));
            d.cmdOK_Click();
            // A refused entry keeps the dialog open with the user's entries.
            if (!c.angenommen) {
                EXPECT_EQ(d.cboXMIN->Text(), QStringLiteral("10"));
            }
            if (d.result() != QDialog::Accepted) d.cmdABBRECHEN_Click();
        });
        EXPECT_EQ(zahl(lauf.wert("G0", "XMIN", kG0)), c.angenommen ? 10 : 8);
        if (c.angenommen) {
            EXPECT_TRUE(lauf.meldungen().isEmpty());
        } else {
            ASSERT_EQ(lauf.meldungen().size(), 1);
            EXPECT_EQ(lauf.meldungen()[0],
                      QStringLiteral("Die Angaben für die Skalen und die Angabe für 1% Delta w ergeben "
                                     "keine anschauliche Darstellung !"));
            EXPECT_EQ(lauf.dialoge().asked().front().kind, QStringLiteral("MsgBox"));
            EXPECT_EQ(lauf.dialoge().asked().front().title, QStringLiteral("OK"));
        }
    }
}

TEST(Diagrammdialog, ABoundThatMatchesNoEntryFailsWithTheErrorBoxAndKeepsTheStoredValue) {
    Seite1Lauf lauf;
    ASSERT_TRUE(lauf.auswerten(fixture::dryingSet()));
    lauf.laden();
    lauf.setze(QStringLiteral("UPDATE G0 SET XMIN = 7 WHERE ID = 1")); // no list entry is 7
    lauf.dialoge().answerAllMessages(platform::Msg::OK);
    const int ergebnis = diagrammDialog(lauf, [](frmKONTEXT11& d) {
        EXPECT_EQ(d.cboXMIN->ListIndex(), -1);
        waehle(d.cboXDIFF, QStringLiteral("14"));
        d.cmdOK_Click();
    });
    EXPECT_EQ(ergebnis, QDialog::Accepted);
    ASSERT_GE(lauf.dialoge().asked().size(), 1u);
    const auto& box = lauf.dialoge().asked().front();
    EXPECT_EQ(box.title, QStringLiteral("Kontext 11"));
    EXPECT_TRUE(box.prompt.startsWith(QStringLiteral("VB-Error:13"))) << box.prompt.toStdString();
    EXPECT_EQ(zahl(lauf.wert("G0", "XMIN", kG0)), 7);
    EXPECT_EQ(zahl(lauf.wert("G0", "XMAX", kG0)), 21);
}

TEST(Diagrammdialog, BeforeAnyDrawingTheAspectIsTheStoredOne) {
    Seite1Lauf lauf;
    lauf.zeige(fixture::dryingSet());
    lauf.setze(QStringLiteral("UPDATE G0 SET MX = 0, MYMX = 0.01 WHERE ID = 1"));
    diagrammDialog(lauf, [](frmKONTEXT11& d) {
        EXPECT_EQ(d.txtMYMX->Text(), QStringLiteral("0,010"));
        d.cmdABBRECHEN_Click();
    });
    EXPECT_TRUE(lauf.meldungen().isEmpty());
}

TEST(Diagrammdialog, TheKeypadsDecimalKeyTypesTheRunsDecimalSign) {
    for (const QString& zeichen : {QStringLiteral(","), QStringLiteral(".")}) {
        Seite1Lauf lauf(QStringLiteral("de"), zeichen);
        lauf.zeige(fixture::dryingSet());
        diagrammDialog(lauf, [&](frmKONTEXT11& d) {
            d.txtDESR->clear();
            for (auto [key, text] :
                 {std::pair{Qt::Key_0, "0"}, std::pair{Qt::Key_Period, "."}, std::pair{Qt::Key_2, "2"}}) {
                QKeyEvent e(QEvent::KeyPress, key,
                            key == Qt::Key_Period ? Qt::KeypadModifier : Qt::NoModifier,
                            QString::fromLatin1(text));
                QCoreApplication::sendEvent(d.txtDESR, &e);
            }
            EXPECT_EQ(d.txtDESR->Text(), QStringLiteral("0") + zeichen + QStringLiteral("2"));
            d.cmdABBRECHEN_Click();
        });
    }
}

// --- The page-settings dialog ---

struct Seitendialog {
    Seitendialog(const QString& sprache = QStringLiteral("de")) : lauf(sprache) {
        seite = &lauf.zeige(fixture::dryingSet());
        seite->Form_Click();
        dialog = frmKONTEXT::offen();
    }
    ~Seitendialog() {
        if (frmKONTEXT* d = frmKONTEXT::offen()) d->cmdABBRECHEN_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Seite1Lauf lauf;
    mdiSEITE1* seite = nullptr;
    frmKONTEXT* dialog = nullptr;
};

TEST(Seitendialog, OkWithoutChangesSendsThePagesOwnSettings) {
    Seitendialog s;
    ASSERT_NE(s.dialog, nullptr);
    EXPECT_EQ(s.dialog->windowTitle(), QStringLiteral("Kontextmenü Seite"));
    EXPECT_EQ(s.dialog->chkBOKF->Value(), 1);
    EXPECT_EQ(s.dialog->chkBOKFS->Value(), 1);
    EXPECT_TRUE(s.dialog->chkBOKFS->isEnabled());
    const QImage diagramm = s.seite->picBILD11->picture();
    s.dialog->cmdOK_Click();
    EXPECT_TRUE(s.seite->HBOKF());
    EXPECT_TRUE(s.seite->HBOKFS());
    EXPECT_EQ(s.seite->pageColor(), 0xFFFFFF);
    EXPECT_EQ(s.seite->picBILD11->picture(), diagramm);
    EXPECT_EQ(frmKONTEXT::offen(), nullptr); // closed for good
}

TEST(Seitendialog, SwitchesAndColoursReachThePage) {
    Seitendialog s;
    s.lauf.dialoge().answerColor(0x808080).answerColor(std::nullopt);
    s.dialog->cmdFARBEN[0]->click();
    s.dialog->cmdFARBEN[1]->click(); // cancelled: the colour stays
    ASSERT_EQ(s.lauf.dialoge().count(QStringLiteral("ShowColor")), 2);
    EXPECT_EQ(s.lauf.dialoge().asked()[0].title, QStringLiteral("Seitenfarbe"));
    EXPECT_EQ(s.lauf.dialoge().asked()[0].prompt,
              QStringLiteral("16777215")); // preset with the page's colour
    s.dialog->chkBOKF->click();
    EXPECT_EQ(s.dialog->chkBOKFS->Value(), 0);
    EXPECT_FALSE(s.dialog->chkBOKFS->isEnabled());
    s.dialog->cmdOK->click();
    EXPECT_FALSE(s.seite->HBOKF());
    EXPECT_FALSE(s.seite->HBOKFS());
    EXPECT_EQ(s.seite->pageColor(), 0x808080);
    EXPECT_EQ(s.seite->pictureColor(), 0xFFFFFF);
}

TEST(Seitendialog, TickingHeaderAndFooterAgainTicksAndEnablesThePageNumbering) {
    Seitendialog s;
    s.dialog->chkBOKF->click();
    s.dialog->chkBOKF->click();
    EXPECT_EQ(s.dialog->chkBOKFS->Value(), 1);
    EXPECT_TRUE(s.dialog->chkBOKFS->isEnabled());
}

TEST(Seitendialog, HeaderOffNumberingOnOpensWithTheNumberingDisabledYetTicked) {
    Seitendialog s;
    s.dialog->cmdABBRECHEN_Click();
    s.seite->KONTEXT(false, true, 0xFFFFFF, 0xFFFFFF);
    s.seite->Form_Click();
    frmKONTEXT* d = frmKONTEXT::offen();
    ASSERT_NE(d, nullptr);
    EXPECT_NE(d, s.dialog); // the closed one is not used again
    EXPECT_EQ(d->chkBOKF->Value(), 0);
    EXPECT_FALSE(d->chkBOKFS->isEnabled());
    EXPECT_EQ(d->chkBOKFS->Value(), 1);
    d->cmdOK_Click();
    EXPECT_FALSE(s.seite->HBOKF());
    EXPECT_TRUE(s.seite->HBOKFS());
}

TEST(Seitendialog, CancelOrEscLeavesThePageUnchanged) {
    Seitendialog s;
    s.lauf.dialoge().answerColor(0x000080);
    s.dialog->cmdFARBEN[0]->click();
    s.dialog->chkBOKF->click();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(s.dialog, &esc);
    EXPECT_EQ(frmKONTEXT::offen(), nullptr);
    EXPECT_TRUE(s.seite->HBOKF());
    EXPECT_EQ(s.seite->pageColor(), 0xFFFFFF);
}

TEST(Seitendialog, ItServesThePageThatOpenedItAndNothingWhenThatPageIsGone) {
    Seitendialog s;
    s.dialog->chkBOKF->click();
    s.lauf.seite.reset(); // the page is closed while the dialog is open
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(s.dialog->seite(), nullptr);
    s.dialog->cmdOK_Click(); // nothing to send to, and no failure
    EXPECT_EQ(frmKONTEXT::offen(), nullptr);
}

TEST(Seitendialog, EnglishCaptions) {
    Seitendialog s(QStringLiteral("en"));
    EXPECT_EQ(s.dialog->windowTitle(), QStringLiteral("context menue of page"));
    EXPECT_EQ(s.dialog->fraSKALEN->title(), QStringLiteral("page layout"));
    EXPECT_EQ(s.dialog->cmdFARBEN[0]->text(), QStringLiteral("color of page"));
    EXPECT_EQ(s.dialog->cmdFARBEN[1]->text(), QStringLiteral("color of pictureboxes"));
    EXPECT_EQ(s.dialog->chkBOKF->Caption(), QStringLiteral("draw head and foot line "));
    EXPECT_EQ(s.dialog->chkBOKFS->Caption(), QStringLiteral("draw page numbering "));
    EXPECT_EQ(s.dialog->cmdOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(s.dialog->cmdABBRECHEN->text(), QStringLiteral("Cancel"));
}

} // namespace
