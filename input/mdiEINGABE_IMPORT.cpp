// The input form's way to the grid editor's import of measuring-electronics files and its row filter: the
// context menu of the two mass grids. The columns carry the names of the readings they hold as import
// keys, which the configurations of the presets database name as their target columns.

#include "mdiEINGABE.h"

#include "clsFLX.h"
#include "Elektronikvorgabe.h"

#include "platform/run/RunState.h"
#include "platform/runtime/Language.h"
#include "platform/system/FileSystem.h"
#include "platform/ui/FlexGrid.h"

#include <QFileInfo>
#include <QMenu>
#include <QTabWidget>

using platform::Language;
using platform::RunState;

void mdiEINGABE::importEinrichten() {
    using Liste = clsFLX::Liste;
    flx(0).setELSELEK(Liste{"I1", "M1", "M1W", "M2W", "MCW"});
    flx(1).setELSELEK(Liste{"I1", "M1", "M1R", "M1+M1R"});
    flx(2).setELSELEK(Liste{"I1", "HS"});
    for (int i = 0; i < 2; ++i) {
        msgFLX[i]->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(msgFLX[i], &QWidget::customContextMenuRequested, this, [this, i](const QPoint& p) {
            std::unique_ptr<QMenu> menue(importMenue(i));
            menue->exec(msgFLX[i]->mapToGlobal(p));
        });
    }
}

QMenu* mdiEINGABE::importMenue(int Index) {
    auto* menue = new QMenu(this);
    QMenu* import = menue->addMenu(Language::text(QStringLiteral("Import"), QStringLiteral("Importieren")));
    const std::vector<QString> namen = Elektronikvorgabe::namen();
    for (const QString& name : namen)
        connect(import->addAction(name), &QAction::triggered, this,
                [this, Index, name] { IMPORTIEREN(Index, name); });
    if (namen.empty())
        import
            ->addAction(Language::text(QStringLiteral("(no electronics presets)"),
                                       QStringLiteral("(keine Elektronikvorgaben)")))
            ->setEnabled(false);
    connect(menue->addAction(
                Language::text(QStringLiteral("Row filter ..."), QStringLiteral("Zeilenfilter ..."))),
            &QAction::triggered, this, [this, Index] { ZEILENFILTER(Index); });
    return menue;
}

bool mdiEINGABE::IMPORTIEREN(int Index, const QString& AKVK) {
    if (!flx(Index).EINFUEGEN(0)) return false;
    RunState& run = RunState::current();
    const QString start = importOrdner_.isEmpty() ? run.DATENBANKPFAD() : importOrdner_;
    const std::optional<QString> datei = run.dialogs().OpenFileName(
        Language::text(QStringLiteral("Electronics file for "), QStringLiteral("Elektronikdatei für ")) +
            AKVK,
        start,
        Language::text(QStringLiteral("Text files (*.txt *.dat *.csv *.asc);;All files (*)"),
                       QStringLiteral("Textdateien (*.txt *.dat *.csv *.asc);;Alle Dateien (*)")));
    if (!datei || datei->isEmpty()) return false;
    importOrdner_ = QFileInfo(*datei).absolutePath();
    const bool gelesen = flx(Index).IMPORTIEREN(AKVK, *datei);
    // The h' grid gets a row for every new reading (with its empty value filled), the added-water grid its
    // sums.
    REITERFORMATIEREN(SSTab->currentIndex());
    REITERAKTUALISIEREN(SSTab->currentIndex());
    return gelesen;
}

void mdiEINGABE::ZEILENFILTER(int Index) {
    if (!flx(Index).EINFUEGEN(0)) return;
    flx(Index).ZEILENFILTER();
    REITERFORMATIEREN(SSTab->currentIndex());
}
