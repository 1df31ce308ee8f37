// The import and the row filter as a user of the input form meets them: the mass grid's context menu, the
// demo installation's three configurations with their sample files read into the drying grid, saved and
// evaluated like the same readings typed in by hand.
#include "EingabeLauf.h"
#include "ElectronicsPresets.h"

#include "clsBERECHNEN.h"

#include "platform/db/Connection.h"
#include "platform/runtime/DialogService.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTabWidget>

namespace {

// The drying readings of the demo's sample files, with one depth-gauge reading for all.
examples::Record probe(bool mitLesungen) {
    examples::Record r = examples::dryingSet();
    r.KEN = QStringLiteral("Waage");
    for (auto& x : r.readings)
        x.HS = 0.47f;
    if (!mitLesungen) r.readings.clear();
    return r;
}

// Saves the form as record 1 and evaluates it: the maximum dry density and the optimum water content.
std::pair<QString, QString> speichernUndAuswerten(EingabeLauf& lauf) {
    lauf.haupt().stbMAIN_PanelClick(8);
    EXPECT_TRUE(lauf.haupt().gespeichert);
    lauf.db().Execute(QStringLiteral("INSERT INTO A1 (ID, BONEU) VALUES (1, 1)"));
    EXPECT_TRUE(clsBERECHNEN().BERECHNUNG());
    return {lauf.wert(QStringLiteral("SELECT RHPR FROM A1 WHERE ID = 1")),
            lauf.wert(QStringLiteral("SELECT WPR FROM A1 WHERE ID = 1"))};
}

} // namespace

TEST(EingabeImport, TheMassGridsContextMenuOffersTheConfigurationsAndTheFilter) {
    EingabeLauf lauf;
    lauf.haupt().cnnX_V = lauf.haupt().cnnX;
    int idk = 1;
    for (const auto& demo : examples::demoElectronics())
        examples::storePreset(lauf.db(), demo.preset, idk++);
    mdiEINGABE& form = lauf.neu();
    std::unique_ptr<QMenu> menue(form.importMenue(0));
    const QList<QAction*> punkte = menue->actions();
    ASSERT_EQ(punkte.size(), 2);
    EXPECT_EQ(punkte[0]->text(), "Importieren");
    EXPECT_EQ(punkte[1]->text(), "Zeilenfilter ...");
    QStringList namen;
    for (QAction* a : punkte[0]->menu()->actions())
        namen << a->text();
    EXPECT_EQ(namen, (QStringList{"Waage Zeilen (A)", "Waage Block (B)", "Waage Werte (C)"}));
    EXPECT_EQ(form.msgFLX[0]->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(form.msgFLX[1]->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST(EingabeImport, WithoutPresetsTheMenuSaysSo) {
    EingabeLauf lauf(QStringLiteral("en"));
    lauf.haupt().cnnX_V = lauf.haupt().cnnX;
    mdiEINGABE& form = lauf.neu();
    std::unique_ptr<QMenu> menue(form.importMenue(0));
    QMenu* import = menue->actions()[0]->menu();
    EXPECT_EQ(menue->actions()[0]->text(), "Import");
    ASSERT_EQ(import->actions().size(), 1);
    EXPECT_EQ(import->actions()[0]->text(), "(no electronics presets)");
    EXPECT_FALSE(import->actions()[0]->isEnabled());
}

TEST(EingabeImport, TheDemoSampleFilesReadSaveAndEvaluateLikeTypedReadings) {
    std::pair<QString, QString> getippt;
    {
        EingabeLauf lauf;
        mdiEINGABE& form = lauf.neu();
        lauf.eintragen(form, probe(true));
        getippt = speichernUndAuswerten(lauf);
    }
    ASSERT_FALSE(getippt.first.isEmpty());
    EXPECT_NE(getippt.first, "0");

    for (const auto& demo : examples::demoElectronics()) {
        SCOPED_TRACE(demo.preset.AKVK.toStdString());
        EingabeLauf lauf;
        lauf.haupt().cnnX_V = lauf.haupt().cnnX;
        examples::storePreset(lauf.db(), demo.preset, 7);
        const QString datei = lauf.haupt().programFolder() + QLatin1Char('/') + demo.sample.name;
        {
            QFile f(datei);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(demo.sample.bytes);
        }
        mdiEINGABE& form = lauf.neu();
        lauf.eintragen(form, probe(false));
        form.SSTab->setCurrentIndex(1);
        lauf.dialogs().answerText(datei);
        ASSERT_TRUE(form.IMPORTIEREN(0, demo.preset.AKVK));
        EXPECT_EQ(lauf.dialogs().messages(), QStringList());
        const QStringList massen = zellen(*form.msgFLX[0]);
        ASSERT_EQ(massen.size(), 6);
        EXPECT_EQ(massen[0], "0\t2783,00\t256,20\t240,00\t40,00");
        EXPECT_EQ(massen[5], "5\t3196,00\t276,40\t240,00\t40,00");
        // The h' grid has a row for every reading, each with its value.
        EXPECT_EQ(zellen(*form.msgFLX[2]),
                  (QStringList{"0\t0,00", "1\t0,00", "2\t0,00", "3\t0,00", "4\t0,00", "5\t0,00"}));
        for (int r = 1; r <= 6; ++r)
            lauf.zelleTippen(form, 2, r, 1, QStringLiteral("0,47"));
        form.txtKEN->setText(QStringLiteral("Waage"));
        EXPECT_EQ(speichernUndAuswerten(lauf), getippt);
        EXPECT_EQ(lauf.anzahl(QStringLiteral("SELECT COUNT(*) FROM E3 WHERE ID = 1")), 6);
    }
}

// The row filter of the form thins out the readings and their h' values together.
TEST(EingabeImport, TheRowFilterKeepsTheHeightsBesideTheirReadings) {
    EingabeLauf lauf;
    mdiEINGABE& form = lauf.neu();
    examples::Record r = probe(true);
    for (size_t i = 0; i < r.readings.size(); ++i)
        r.readings[i].HS = 0.4f + 0.01f * float(i);
    lauf.eintragen(form, r);
    form.SSTab->setCurrentIndex(1);
    lauf.dialogs()
        .answerText(QStringLiteral("0"))
        .answerText(QStringLiteral("5"))
        .answerText(QStringLiteral("2"));
    form.ZEILENFILTER(0);
    QStringList m1, hs;
    for (const QString& z : zellen(*form.msgFLX[0]))
        m1 << z.section(QLatin1Char('\t'), 1, 1);
    for (const QString& z : zellen(*form.msgFLX[2]))
        hs << z.section(QLatin1Char('\t'), 1, 1);
    EXPECT_EQ(m1, (QStringList{"2783,00", "3224,00", "3250,00"}));
    EXPECT_EQ(hs, (QStringList{"0,40", "0,42", "0,44"}));
}
