#pragma once

#include "clsFLX.h"

#include "platform/surface/PictureBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

// A shown form with one grid, its text-box and combo-box editors and its header picture, bound to a grid
// editor and wired as the input form wires them: the grid's and the editors' events go to the editor.
struct Gitterform {
    explicit Gitterform(int spalten = 5, int zeilen = 10, QWidget* form = nullptr);

    // The cells of a column, from the first data row down.
    QStringList spalte(int c) const;
    // Fills the data rows from the first one with rows of tab-separated texts, growing the grid as needed.
    void fuellen(const QStringList& zeilen, int abSpalte = 0);

    // User actions on the real widgets.
    void tippe(const QString& text);         // keys on the grid
    void tippeImEditor(const QString& text); // keys into the open text box
    void enterImEditor();
    void doppelklick(int zeile, int spalte);
    void klick(int zeile, int spalte);
    // A press in the cell at a fraction of its width, a drag to another cell and the release there.
    void ziehe(int zeile, int spalte, double anteil, int bisZeile, int bisSpalte);
    QPoint mitte(int zeile, int spalte, double anteil = 0.5) const;

    QWidget* fenster;
    platform::FlexGrid* grid;
    platform::TextBox* txt;
    platform::ComboBox* cbo;
    platform::PictureBox* pic;
    clsFLX flx;
    int scrollEvents = 0;

private:
    QWidget eigenes_;
};

// The typical readings grid of the form: a running number and five mass columns with limits and formats.
void alsMassenGitter(Gitterform& f, int datenzeilen);
