// The input form: a new form's captions and defaults, saving a typed record and opening it again.

#include "EingabeLauf.h"
#include "Tasten.h"

#include "platform/db/Connection.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/OptionButton.h"

#include <functional>
#include <gtest/gtest.h>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>

namespace {

struct Sprachfall {
    const char* sprache;
    const char* tab0;
    const char* tab1;
    const char* ken;
    const char* kom;
    const char* einfuegen;
    const char* spr;
    const char* deutsch;
    const char* dichte;
};

class NeueForm : public ::testing::TestWithParam<Sprachfall> {};

TEST_P(NeueForm, CaptionsAndDefaults) {
    const Sprachfall& f = GetParam();
    EingabeLauf lauf(QString::fromLatin1(f.sprache));
    mdiEINGABE& form = lauf.neu();

    EXPECT_EQ(form.objectName(), "mdiEINGABE");
    EXPECT_EQ(form.SSTab->tabText(0), QString::fromUtf8(f.tab0));
    EXPECT_EQ(form.SSTab->tabText(1), QString::fromUtf8(f.tab1));
    EXPECT_EQ(form.lblKEN->Caption(), QString::fromUtf8(f.ken));
    EXPECT_EQ(form.lblKOM->Caption(), QString::fromUtf8(f.kom));
    EXPECT_EQ(form.cmdH[0]->text(), QString::fromUtf8(f.einfuegen));
    EXPECT_EQ(form.cmdH[1]->text(), QString::fromUtf8(f.einfuegen));
    EXPECT_EQ(form.lblSPR->Caption(), QString::fromUtf8(f.spr));
    // Frame titles, options, tooltips and the test types stay German in both languages.
    EXPECT_EQ(form.fraREITER0[2]->title(), "TAMBRINzylinder");
    EXPECT_EQ(form.optKENW[1]->Caption(), "Wiegen d. Wasserzugabe");
    EXPECT_EQ(form.txtDC->toolTip(), "Innendurchmesser des Versuchszylinders");
    EXPECT_EQ(form.cboKENV->List(1), "modifizierter TAMBRINversuch");

    // The standard cylinder of 10 cm by 12 cm, the grain density with the run's decimal sign.
    EXPECT_EQ(form.txtDC->Text(), "10");
    EXPECT_EQ(form.txtHC->Text(), "12");
    EXPECT_EQ(form.txtRHSU->Text(), QString::fromLatin1(f.dichte));
    EXPECT_EQ(form.txtRHSUE->Text(), QString::fromLatin1(f.dichte));
    for (platform::TextBox* box : {form.txtMC, form.txtH2S, form.txtDMAX, form.txtMSG, form.txtMZ, form.txtUE,
                                   form.txtDUEMAX, form.txtWUE})
        EXPECT_EQ(box->Text(), "0") << box->objectName().toStdString();
    EXPECT_EQ(form.cboDPR->Text(), "97");
    EXPECT_EQ(form.cboSPR->ListIndex(), 1);
    EXPECT_EQ(form.cboSPR->Text(), QString::fromUtf8(f.deutsch));
    EXPECT_FALSE(form.cboSPR->isEnabled());

    EXPECT_EQ(form.cboKENV->ListIndex(), 0);
    EXPECT_TRUE(form.optKEND[1]->Value());
    EXPECT_TRUE(form.optKENP[1]->Value());
    EXPECT_TRUE(form.optKENW[0]->Value());
    EXPECT_FALSE(form.optKENW[1]->Value());
    EXPECT_TRUE(form.fraREITER0[4]->isHidden());
    EXPECT_TRUE(form.msgFLX[0]->Enabled());
    EXPECT_FALSE(form.msgFLX[1]->Enabled());
    EXPECT_TRUE(form.msgFLX[2]->Enabled());
    EXPECT_FALSE(form.cmdH[1]->isEnabled());
    EXPECT_EQ(form.SSTab->currentIndex(), 0);
    // Each grid holds one data row without readings.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form.msgFLX[i]->Rows(), 2) << i;
    EXPECT_EQ(lauf.dialogs().asked().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Sprachen, NeueForm,
                         ::testing::Values(Sprachfall{"de", "Allgemeine Daten", "Messwerte", "Datensatz",
                                                      "Kommentar", "Zeile einfügen", "Sprache", "Deutsch",
                                                      "2,65"},
                                           Sprachfall{"en", "general data", "readings", "File", "comment",
                                                      "Insert row", "language", "German", "2.65"}),
                         [](const auto& info) { return std::string(info.param.sprache); });

// --- Saving and opening ---

struct Satzfall {
    const char* name;
    bool wasserzugabe;
    bool ueberkorn;
    const char* sprache;
};

class SpeichernOeffnen : public ::testing::TestWithParam<Satzfall> {};

examples::Record satz(const Satzfall& f) {
    examples::Record r = f.wasserzugabe ? examples::addedWaterSet() : examples::dryingSet();
    if (f.ueberkorn) r = examples::withOversize(r, 12.5f, 2.68f, 1.5f);
    r.KEN = QStringLiteral("Probe B");
    r.KOM = QStringLiteral("Kies, schwach sandig");
    r.KENV = 1;
    r.KENP = true;
    return r;
}

TEST_P(SpeichernOeffnen, ReopenedFormShowsWhatWasTyped) {
    const Satzfall& f = GetParam();
    EingabeLauf lauf(QString::fromLatin1(f.sprache));
    const examples::Record r = satz(f);
    mdiEINGABE& getippt = lauf.neu();
    lauf.eintragen(getippt, r);
    ASSERT_TRUE(getippt.EINGABEPRUEFEN()) << lauf.dialogs().messages().join(" | ").toStdString();
    ASSERT_TRUE(getippt.OK(4)) << lauf.dialogs().messages().join(" | ").toStdString();
    EXPECT_EQ(lauf.dialogs().asked().size(), 0u) << lauf.dialogs().messages().join(" | ").toStdString();

    // The tables hold the record as the tests' own writer would have stored it.
    const QString d = lauf.d();
    EXPECT_EQ(lauf.wert("SELECT KEN FROM E1 WHERE ID = 4"), "Probe B");
    EXPECT_EQ(lauf.wert("SELECT CAST(AKT AS INTEGER) FROM E1 WHERE ID = 4"), "1");
    EXPECT_EQ(lauf.wert("SELECT SPR FROM E1 WHERE ID = 4"), "3");
    EXPECT_EQ(lauf.wert("SELECT KENV FROM E2 WHERE ID = 4"), "1");
    EXPECT_EQ(lauf.wert("SELECT DC FROM E2 WHERE ID = 4"), "10");
    EXPECT_EQ(lauf.wert("SELECT RHSU FROM E2 WHERE ID = 4"), platform::SingleText(r.RHSU, d));
    EXPECT_EQ(lauf.wert("SELECT UE FROM E2 WHERE ID = 4"), platform::SingleText(r.UE, d));
    EXPECT_EQ(lauf.wert("SELECT CAST(KENW AS INTEGER) FROM E2 WHERE ID = 4"), f.wasserzugabe ? "0" : "1");
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E3 WHERE ID = 4"), int(r.readings.size()));
    // A reading is stored as the grid shows it, with two decimals.
    auto gezeigt = [&d](float x) {
        const QString zelle = platform::Format(platform::Variant(x), QStringLiteral("#0.00"), d);
        return platform::SingleText(float(*platform::ReadTypedNumber(zelle, d)), d);
    };
    for (std::size_t k = 0; k < r.readings.size(); ++k) {
        const QString wo = QStringLiteral(" FROM E3 WHERE ID = 4 AND I1 = %1").arg(k);
        EXPECT_EQ(lauf.wert("SELECT M1" + wo), gezeigt(r.readings[k].M1)) << k;
        EXPECT_EQ(lauf.wert("SELECT HS" + wo), gezeigt(r.readings[k].HS)) << k;
        if (f.wasserzugabe)
            EXPECT_EQ(lauf.wert("SELECT M1R" + wo), gezeigt(r.readings[k].M1R)) << k;
        else
            EXPECT_EQ(lauf.wert("SELECT M1W" + wo), gezeigt(r.readings[k].M1W)) << k;
    }

    mdiEINGABE& geoeffnet = lauf.neu();
    geoeffnet.OEFFNEN(4);
    EXPECT_EQ(lauf.dialogs().asked().size(), 0u) << lauf.dialogs().messages().join(" | ").toStdString();
    // Column 1 of the added-water grid comes back when tab 1 is shown, as it does for the user.
    for (mdiEINGABE* form : {&getippt, &geoeffnet}) {
        form->SSTab->setCurrentIndex(1);
        form->SSTab->setCurrentIndex(0);
    }
    EXPECT_EQ(ansicht(geoeffnet), ansicht(getippt));
    EXPECT_EQ(geoeffnet.optKENW[0]->Value(), !f.wasserzugabe);
    EXPECT_EQ(geoeffnet.fraREITER0[4]->isVisible(), f.wasserzugabe);
}

INSTANTIATE_TEST_SUITE_P(Saetze, SpeichernOeffnen,
                         ::testing::Values(Satzfall{"Trocknen", false, false, "de"},
                                           Satzfall{"TrocknenUeberkorn", false, true, "de"},
                                           Satzfall{"Wasserzugabe", true, false, "de"},
                                           Satzfall{"WasserzugabeUeberkorn", true, true, "en"},
                                           Satzfall{"TrocknenEnglisch", false, false, "en"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SpeichernOeffnen, FailingSaveLeavesNothingOfTheRecord) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    lauf.eintragen(form, examples::dryingSet());
    // A degree that is no number fails to store at the last value of E2, after E1 was written.
    form.cboDPR->setText(QStringLiteral("hoch"));
    EXPECT_FALSE(form.OK(2));
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E1"), 0);
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E2"), 0);
    EXPECT_EQ(lauf.dialogs().count(QStringLiteral("MsgBox")), 1)
        << lauf.dialogs().messages().join(" | ").toStdString();
}

TEST(SpeichernOeffnen, OverwriteInsideTheCallersTransactionRollsBackWhole) {
    EingabeLauf lauf;
    examples::store(lauf.db(), examples::dryingSet(), 3);
    mdiEINGABE& form = lauf.neu();
    lauf.eintragen(form, examples::addedWaterSet());
    form.cboDPR->setText(QStringLiteral("hoch"));
    {
        // The main window's overwrite: delete the old record, then save under its ID, all or nothing.
        platform::Connection::Transaction t(lauf.db());
        lauf.db().Execute(QStringLiteral("DELETE FROM E1 WHERE ID = 3"));
        ASSERT_FALSE(form.OK(3));
    }
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E3 WHERE ID = 3"), 6);
    EXPECT_EQ(lauf.wert("SELECT CAST(KENW AS INTEGER) FROM E2 WHERE ID = 3"), "1");
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM A1 WHERE ID = 3"), 1);
}

TEST(SpeichernOeffnen, NameWithApostropheAndFewerReadings) {
    EingabeLauf lauf;
    examples::store(lauf.db(), examples::dryingSet(), 1);
    mdiEINGABE& form = lauf.neu();
    form.OEFFNEN(1);
    form.txtKEN->setText(QStringLiteral("O'Brien"));
    form.SSTab->setCurrentIndex(1);
    form.msgFLX[0]->setRow(3);
    form.cmdW_Click(0);
    form.cmdW_Click(0);
    ASSERT_TRUE(form.OK(1));
    EXPECT_EQ(lauf.wert("SELECT KEN FROM E1 WHERE ID = 1"), "O'Brien");
    EXPECT_EQ(lauf.anzahl("SELECT COUNT(*) FROM E3 WHERE ID = 1"), 4);
    EXPECT_EQ(lauf.wert("SELECT MAX(I1) FROM E3 WHERE ID = 1"), "3");
    // The readings after the removed ones moved up.
    EXPECT_EQ(lauf.wert("SELECT M1 FROM E3 WHERE ID = 1 AND I1 = 2"), "3250");
}

TEST(SpeichernOeffnen, RecordWithoutReadingsOpensWithEmptyGrids) {
    EingabeLauf lauf;
    examples::Record r = examples::dryingSet();
    r.readings.clear();
    examples::store(lauf.db(), r, 1);
    mdiEINGABE& form = lauf.neu();
    form.OEFFNEN(1);
    EXPECT_TRUE(form.msgFLX[0]->Enabled());
    EXPECT_TRUE(form.msgFLX[2]->Enabled());
    EXPECT_EQ(form.msgFLX[0]->Rows(), 2);
    EXPECT_EQ(form.msgFLX[0]->TextMatrix(1, 1), "");
    EXPECT_EQ(form.msgFLX[2]->Rows(), 2);
    EXPECT_EQ(lauf.dialogs().asked().size(), 0u);
}

} // namespace

namespace {

struct Sprachwert {
    const char* gespeichert; // SQL value of E1.SPR
    int eintrag;
    const char* zurueck;
};

class BerichtSprache : public ::testing::TestWithParam<Sprachwert> {};

TEST_P(BerichtSprache, OpensAndIsSavedBack) {
    EingabeLauf lauf;
    examples::store(lauf.db(), examples::dryingSet(), 1);
    lauf.db().Execute(QStringLiteral("UPDATE E1 SET SPR = %1 WHERE ID = 1").arg(GetParam().gespeichert));
    mdiEINGABE& form = lauf.neu();
    form.OEFFNEN(1);
    EXPECT_EQ(form.cboSPR->ListIndex(), GetParam().eintrag);
    ASSERT_TRUE(form.OK(1));
    EXPECT_EQ(lauf.wert("SELECT SPR FROM E1 WHERE ID = 1"), QString::fromLatin1(GetParam().zurueck));
}

INSTANTIATE_TEST_SUITE_P(Werte, BerichtSprache,
                         ::testing::Values(Sprachwert{"1", 0, "1"}, Sprachwert{"3", 1, "3"},
                                           Sprachwert{"7", 1, "3"}, Sprachwert{"NULL", 1, "3"}));

TEST(Oeffnen, MissingMethodOpensWithTheAddedWaterGrid) {
    EingabeLauf lauf;
    examples::store(lauf.db(), examples::addedWaterSet(), 1);
    // The stored rows read with no method: only the added-water columns come in.
    lauf.db().Execute(QStringLiteral("UPDATE E2 SET KENW = 0, DPR = NULL WHERE ID = 1"));
    mdiEINGABE& form = lauf.neu();
    form.OEFFNEN(1);
    EXPECT_TRUE(form.optKENW[1]->Value());
    EXPECT_EQ(form.msgFLX[1]->Rows(), 6);
    EXPECT_EQ(form.msgFLX[2]->Rows(), 6);
    EXPECT_EQ(form.msgFLX[0]->Rows(), 2);
    EXPECT_EQ(form.cboDPR->Text(), "97");
    form.SSTab->setCurrentIndex(1);
    EXPECT_EQ(form.msgFLX[1]->TextMatrix(1, 1), "6010,00");
}

} // namespace

namespace {

struct Kleinwert {
    const char* sprache;
    const char* getippt;
};

class KleinerWert : public ::testing::TestWithParam<Kleinwert> {};

// A value small enough that its shortest text has an exponent comes back in its box as it was typed, and a
// second save stores it again instead of the default.
TEST_P(KleinerWert, ComesBackWithoutAnExponent) {
    EingabeLauf lauf(QString::fromLatin1(GetParam().sprache));
    const QString getippt = QString::fromLatin1(GetParam().getippt);
    examples::store(lauf.db(), examples::dryingSet(), 1);
    lauf.db().Execute(QStringLiteral("UPDATE E2 SET WUE = 0.00001, DPR = 0.00002 WHERE ID = 1"));
    mdiEINGABE& form = lauf.neu();
    form.OEFFNEN(1);
    EXPECT_EQ(form.txtWUE->Text(), getippt);
    EXPECT_EQ(form.cboDPR->Text(), QString(getippt).replace(QStringLiteral("1"), QStringLiteral("2")));
    form.SSTab->setCurrentIndex(1);
    form.SSTab->setCurrentIndex(0);
    EXPECT_EQ(form.txtWUE->Text(), getippt);
    ASSERT_TRUE(form.EINGABEPRUEFEN()) << lauf.dialogs().messages().join(" | ").toStdString();
    ASSERT_TRUE(form.OK(1));
    EXPECT_EQ(lauf.wert("SELECT WUE FROM E2 WHERE ID = 1"), QStringLiteral("1E-05"));
    EXPECT_EQ(lauf.wert("SELECT DPR FROM E2 WHERE ID = 1"), QStringLiteral("2E-05"));
}

INSTANTIATE_TEST_SUITE_P(Sprachen, KleinerWert,
                         ::testing::Values(Kleinwert{"de", "0,00001"}, Kleinwert{"en", "0.00001"}));

} // namespace

namespace {

struct Aenderung {
    const char* name;
    bool geoeffnet; // a stored record, else a new form
    std::function<void(EingabeLauf&, mdiEINGABE&)> tun;
    bool geaendert;
};

class Aenderungen : public ::testing::TestWithParam<Aenderung> {};

// Typed text is a change, wherever it is typed; what the form fills in by itself is none.
TEST_P(Aenderungen, TypedInputIsAChangeAndTheFormsOwnFillingIsNone) {
    const Aenderung& f = GetParam();
    EingabeLauf lauf;
    examples::store(lauf.db(), examples::addedWaterSet(), 1);
    examples::store(lauf.db(), examples::dryingSet(), 2);
    mdiEINGABE& form = lauf.neu();
    if (f.geoeffnet) form.OEFFNEN(1);
    EXPECT_FALSE(form.geaendert());
    // Both tabs shown: defaults, h' zeros and the added-water sums are the form's own.
    form.SSTab->setCurrentIndex(1);
    form.SSTab->setCurrentIndex(0);
    form.SSTab->setCurrentIndex(1);
    EXPECT_FALSE(form.geaendert());
    f.tun(lauf, form);
    EXPECT_EQ(form.geaendert(), f.geaendert);
}

const auto kTippen = [](EingabeLauf&, mdiEINGABE& form) { form.txtKOM->setText(QStringLiteral("Sand")); };

INSTANTIATE_TEST_SUITE_P(
    Faelle, Aenderungen,
    ::testing::Values(
        Aenderung{"NichtsNeu", false, [](EingabeLauf&, mdiEINGABE&) {}, false},
        Aenderung{"NichtsGeoeffnet", true, [](EingabeLauf&, mdiEINGABE&) {}, false},
        Aenderung{"KommentarNeu", false, kTippen, true},
        Aenderung{"ZahlGeoeffnet", true,
                  [](EingabeLauf&, mdiEINGABE& form) { form.txtDC->setText(QStringLiteral("15")); }, true},
        Aenderung{"MethodeHinUndZurueck", true,
                  [](EingabeLauf&, mdiEINGABE& form) {
                      form.optKENW[0]->setValue(true);
                      form.optKENW_Click(0);
                      form.optKENW[1]->setValue(true);
                      form.optKENW_Click(1);
                  },
                  false},
        Aenderung{"ZelleGetippt", true,
                  [](EingabeLauf& lauf, mdiEINGABE& form) {
                      lauf.zelleTippen(form, 1, 2, 2, QStringLiteral("99"));
                  },
                  true},
        Aenderung{"ZelleImEditor", false,
                  [](EingabeLauf&, mdiEINGABE& form) {
                      platform::FlexGrid& g = *form.msgFLX[0];
                      g.setRow(1);
                      g.setCol(1);
                      form.msgFLX_KeyPress(0, '2');
                      form.txtFLX[0]->insert(QStringLiteral("783"));
                  },
                  true},
        Aenderung{"LeereZeileAngehaengt", true,
                  [](EingabeLauf&, mdiEINGABE& form) {
                      // As Enter after the last reading appends it; tab 1 gives it an h' of 0.
                      platform::FlexGrid& g = *form.msgFLX[1];
                      g.setRows(g.Rows() + 1);
                      form.SSTab->setCurrentIndex(0);
                      form.SSTab->setCurrentIndex(1);
                  },
                  false},
        Aenderung{"LeereZeileMitEnterImEditor", true,
                  [](EingabeLauf&, mdiEINGABE& form) {
                      // The last cell's value taken again with one Enter, which appends the next reading.
                      platform::FlexGrid& g = *form.msgFLX[1];
                      g.setRow(g.Rows() - 1);
                      g.setCol(2);
                      form.msgFLX_DblClick(1);
                      const int zeilen = g.Rows();
                      testsupport::taste(form.txtFLX[1], Qt::Key_Return, Qt::NoModifier,
                                         QStringLiteral("\r"));
                      ASSERT_EQ(g.Rows(), zeilen + 1);
                      ASSERT_EQ(form.msgFLX[2]->Rows(), zeilen + 1);
                  },
                  false},
        Aenderung{"LeereZeileMitTab", true,
                  [](EingabeLauf&, mdiEINGABE& form) {
                      platform::FlexGrid& g = *form.msgFLX[1];
                      g.setRow(g.Rows() - 1);
                      g.setCol(g.Cols() - 1);
                      const int zeilen = g.Rows();
                      testsupport::taste(&g, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
                      ASSERT_EQ(g.Rows(), zeilen + 1);
                  },
                  false},
        Aenderung{"Gespeichert", false,
                  [](EingabeLauf&, mdiEINGABE& form) {
                      form.txtKEN->setText(QStringLiteral("B1"));
                      ASSERT_TRUE(form.OK(5));
                  },
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
