#pragma once

#include "ExampleRecords.h"
#include "Hauptfenster.h"
#include "mdiEINGABE.h"
#include "TestRun.h"

#include "platform/db/Connection.h"

#include <functional>
#include <memory>
#include <QString>
#include <QStringList>
#include <vector>

// The main window as the input form sees it: its save (status panel 8, which checks the form and writes it
// under one record number) and its Quit, counted.
class Hauptfenster : public testsupport::Hauptfenster {
public:
    void stbMAIN_PanelClick(int panel) override;

    mdiEINGABE* form = nullptr;
    std::int32_t speicherID = 1;
    int panel8 = 0;
    bool gespeichert = false;
};

// A run of the input form: a German or English test run, the main window above it and the forms made in
// it, shown on the offscreen screen.
class EingabeLauf {
public:
    explicit EingabeLauf(const QString& sprache = QStringLiteral("de"));
    ~EingabeLauf();

    // A new form (its load), shown; the main window saves it.
    mdiEINGABE& neu();
    platform::ScriptedDialogs& dialogs() { return run_.dialogs(); }
    platform::Connection& db() { return *run_.state().cnnX; }
    Hauptfenster& haupt() { return haupt_; }
    QString d() const { return haupt_.DEZIMALPUNKT; }

    // A value of the database (the first row of the query), as a text in the run's notation; "" for Null.
    QString wert(const QString& sql);
    int anzahl(const QString& sql);

    // Types a record into the form as a user does: the boxes and options, then the readings of the
    // method's grid cell by cell through the grid editor (Enter in the last cell appends a row; the row
    // appended after the last reading is removed again).
    void eintragen(mdiEINGABE& form, const examples::Record& record);
    // Types the published drying set (eintragen) and gives its six readings the depth-gauge readings
    // 0,41 .. 0,46; the h' grid.
    platform::FlexGrid& mitTiefenlehre(mdiEINGABE& form);
    // One cell through the grid editor: a key on the grid opens it, the rest is typed, Enter closes it.
    void zelleTippen(mdiEINGABE& form, int grid, int zeile, int spalte, const QString& text);

private:
    testsupport::TestRun run_;
    Hauptfenster haupt_;
    std::vector<std::unique_ptr<mdiEINGABE>> formen_;
};

// What a form shows: every box, option, list and the cells of all three grids, one line each.
QStringList ansicht(const mdiEINGABE& form);
// The data cells of a grid, one tab-separated line per row.
QStringList zellen(const platform::FlexGrid& grid);
// The data cells of one column of a grid.
QStringList spalte(const platform::FlexGrid& grid, int c);
