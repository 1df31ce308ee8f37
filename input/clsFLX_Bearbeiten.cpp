// The grid editor's editing: the in-place editors, the value check, copy, paste, fill and Enter.
#include "clsFLX.h"

#include "clsFLX_Zustand.h"

#include "drawing/Markup.h"
#include "platform/run/ErrorBox.h"
#include "platform/run/RunState.h"
#include "platform/runtime/Color.h"
#include "platform/runtime/Convert.h"
#include "platform/runtime/DialogService.h"
#include "platform/runtime/NumberFormat.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/TextBox.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

using platform::Variant;
using platform::VbError;

namespace {

int typVon(const clsFLX::Liste& typen, int c) {
    const auto t = flx::zahl(flx::eintrag(typen, c));
    return t ? platform::CInt(Variant(*t)) : 0;
}

// Lays an editor exactly over the current cell of the grid; the height stays the editor's own unless given.
void ueberZelle(QWidget& editor, platform::FlexGrid& grid, bool mitHoehe) {
    const QPoint zelle(int(grid.CellLeft() / 15), int(grid.CellTop() / 15));
    QWidget* behaelter = editor.parentWidget();
    const QPoint p = behaelter ? behaelter->mapFromGlobal(grid.mapToGlobal(zelle)) : grid.mapToGlobal(zelle);
    editor.setGeometry(p.x(), p.y(), grid.CellWidth() / 15,
                       mitHoehe ? grid.CellHeight() / 15 : editor.height());
}

// The most rows a grid holds: row numbers are 16-bit.
constexpr int kMaxZeilen = 32767;

void meldung(const QString& text, const QString& titel) {
    platform::RunState::current().dialogs().MsgBox(text, platform::Msg::OKOnly | platform::Msg::Exclamation,
                                                   QStringLiteral("MSFlexGrid / ") + titel);
}

// Clipboard text as the grid takes it: rows ended by CR LF, LF or CR become rows joined by CR, and one line
// break at the end ends the last row rather than starting an empty one.
QString alsGridText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\r'))) text.chop(1);
    return text;
}

} // namespace

void clsFLX::BEARBEITEN(std::int16_t BOB, float X) {
    Zustand& z = *z_;
    platform::ErrorTrap trap(QStringLiteral("MSFlexGrid / Bearbeiten"));
    if (!z.grid) {
        trap.step([] { throw VbError::objectNotSet(); });
        return;
    }
    platform::FlexGrid& grid = *z.grid;

    if (BOB == 0 || BOB > 32) {
        int typ = 0;
        if (!trap.step([&] { typ = typVon(z.lstyp, grid.Col()); })) return;
        if (z.txt && z.txt->isHidden() && typ < 6) {
            platform::TextBox& txt = *z.txt;
            if (!trap.step([&] {
                    z.editTopRow = grid.TopRow();
                    z.editLeftCol = grid.LeftCol();
                    ueberZelle(txt, grid, true);
                }))
                return;
            if (!trap.step([&] {
                    txt.show();
                    txt.raise();
                    txt.setFocus();
                }))
                return;
            if (!trap.step([&] {
                    const bool zahl = platform::ReadNumber(grid.Text(), flx::dezimal()).has_value();
                    txt.setAlignment((zahl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
                }))
                return;
            if (!trap.step([&] {
                    if (BOB == 0) {
                        txt.setText(grid.Text());
                        txt.selectAll();
                    } else {
                        txt.setText(QString(QChar(char16_t(BOB))));
                        txt.setCursorPosition(int(txt.text().size()));
                    }
                }))
                return;
            trap.step([&] {
                z.znr = std::int16_t(grid.Row());
                z.snr = std::int16_t(grid.Col());
            });
        } else if (z.cbo && z.cbo->isHidden() && typ == 7) {
            platform::ComboBox& cbo = *z.cbo;
            if (!trap.step([&] {
                    cbo.Clear();
                    cbo.addItems(ELCBO(std::int16_t(grid.Col())));
                }))
                return;
            if (!trap.step([&] {
                    z.editTopRow = grid.TopRow();
                    z.editLeftCol = grid.LeftCol();
                    ueberZelle(cbo, grid, false);
                }))
                return;
            if (!trap.step([&] {
                    cbo.show();
                    cbo.raise();
                    cbo.setFocus();
                }))
                return;
            if (!trap.step([&] {
                    if (BOB == 0) {
                        cbo.setText(grid.Text());
                        if (cbo.lineEdit()) cbo.lineEdit()->selectAll();
                    } else {
                        cbo.setText(grid.Text() + QChar(char16_t(BOB)));
                        if (cbo.lineEdit()) cbo.lineEdit()->setCursorPosition(int(cbo.Text().size()));
                    }
                }))
                return;
            trap.step([&] {
                z.znr = std::int16_t(grid.Row());
                z.snr = std::int16_t(grid.Col());
            });
        }
        return;
    }

    switch (BOB) {
    case 13:
        // Enter in the last cell appends a row, here and in the coupled grid.
        if (z.boh && LETZTEZELLE(grid.Row(), grid.Col())) ZEILEANHAENGEN(trap);
        return;
    case -1:
        // The spreadsheet's way: cells joined by tabs, every row ended by CR LF.
        trap.step([&] {
            QClipboard* ablage = QGuiApplication::clipboard();
            ablage->clear();
            QString text = grid.Clip();
            text.replace(QLatin1Char('\r'), QStringLiteral("\r\n"));
            ablage->setText(text + QStringLiteral("\r\n"));
        });
        return;
    case -2:
        trap.step([&] {
            const float links = float(grid.CellLeft()), breite = float(grid.CellWidth());
            grid.setMousePointer(X > links + 0.85f * breite && X < links + breite ? 2 : 0);
        });
        return;
    default:
        return;
    }
}

bool clsFLX::EINFUEGEN(std::int16_t BOE) {
    Zustand& z = *z_;
    platform::ErrorTrap trap(QStringLiteral("MSFlexGrid / Einfügen"));
    if (BOE == 27) {
        EDITORVERWERFEN(trap);
    } else if (BOE == 0 || BOE == 13 || BOE == 9) {
        // Enter that takes the value of the row's last cell goes on to the next reading, as Enter on that
        // cell does: the next value typed goes into a new row instead of over this one.
        const bool offen = editorOffen();
        const int zeile = z.znr, spalte = z.snr;
        if (!EDITORSCHLIESSEN(trap)) return false;
        if (BOE == 13 && offen && z.boh && z.grid && LETZTEZELLE(zeile, spalte)) ZEILEANHAENGEN(trap);
    } else if (BOE == -1 && z.grid) {
        trap.step([&] { BLOCKEINFUEGEN(); });
        return true;
    } else if (BOE == -2 && z.grid) {
        trap.step([&] { FUELLEN(); });
        return true;
    }
    return !editorOffen();
}

bool clsFLX::editorOffen() const {
    const Zustand& z = *z_;
    return (z.txt && !z.txt->isHidden()) || (z.cbo && !z.cbo->isHidden());
}

bool clsFLX::TIPPBAR(int SPALTE) const {
    // Elapsed time (6) and a value the form works out (8): columns nobody types into.
    const int typ = typVon(z_->lstyp, SPALTE);
    return typ != 6 && typ != 8;
}

bool clsFLX::LETZTEZELLE(int ZEILE, int SPALTE) const {
    const Zustand& z = *z_;
    if (!z.grid || ZEILE != z.grid->Rows() - 1) return false;
    // A computed column at the end of the row takes nothing typed: the row ends with the column before it.
    int letzte = z.grid->Cols() - 1;
    while (letzte > z.grid->FixedCols() && !TIPPBAR(letzte))
        --letzte;
    return SPALTE >= letzte;
}

void clsFLX::EDITORVERWERFEN(platform::ErrorTrap& trap) {
    Zustand& z = *z_;
    // Esc: the editor closes and its cell keeps the text it had.
    trap.step([&] {
        if (z.txt && !z.txt->isHidden()) {
            z.txt->setText(QString());
            z.txt->hide();
        } else if (z.cbo && !z.cbo->isHidden()) {
            z.cbo->setEditText(QString());
            z.cbo->hide();
        } else {
            return;
        }
        if (z.grid) z.grid->setFocus();
    });
}

bool clsFLX::EDITORSCHLIESSEN(platform::ErrorTrap& trap) {
    Zustand& z = *z_;
    const bool text = z.txt && !z.txt->isHidden();
    const bool combo = z.cbo && !z.cbo->isHidden();
    if (!text && !combo) return true;
    int typ = 0;
    if (!trap.step([&] { typ = typVon(z.lstyp, z.snr); })) return !editorOffen();
    QString wert;
    if (text && typ != 7) {
        wert = z.txt->text();
    } else if (combo && typ == 7) {
        wert = z.cbo->Text();
    } else {
        return !editorOffen();
    }
    bool angenommen = true;
    if (!trap.step([&] { angenommen = SPALTENWERTPRUEFEN(z.snr, wert); })) return !editorOffen();
    if (!angenommen) {
        // The editor stays open with the text as typed; the cell keeps its old text.
        QWidget* editor = text ? static_cast<QWidget*>(z.txt) : static_cast<QWidget*>(z.cbo);
        editor->setFocus();
        return false;
    }
    if (!trap.step([&] { wert = ZELLTEXT(z.snr, wert); })) return !editorOffen();
    if (!trap.step([&] {
            if (!z.grid) throw VbError::objectNotSet();
            z.grid->setTextMatrix(z.znr, z.snr, wert);
        }))
        return !editorOffen();
    trap.step([&] {
        if (text) {
            z.txt->setText(QString());
            z.txt->hide();
        } else {
            z.cbo->setEditText(QString());
            z.cbo->hide();
        }
        z.grid->setFocus();
    });
    return !editorOffen();
}

QString clsFLX::ZELLTEXT(int SPALTE, const QString& WERT) const {
    const Variant& f = flx::eintrag(z_->lformat, SPALTE);
    if (flx::fehlt(f) || WERT.isEmpty()) return WERT;
    return platform::Format(Variant(WERT), platform::CStr(f), flx::dezimal());
}

void clsFLX::ZEILEANHAENGEN(platform::ErrorTrap& trap) {
    Zustand& z = *z_;
    platform::FlexGrid& grid = *z.grid;
    // The new last row becomes the current one, at its first value cell, here and in the coupled grid.
    if (!trap.step([&] {
            grid.setRows(grid.Rows() + 1);
            grid.setRow(grid.Rows() - 1);
            grid.setCol(grid.FixedCols());
            grid.setLeftCol(grid.FixedCols());
        }))
        return;
    if (z.coupled && z.coupled->EFLX()) {
        platform::FlexGrid& k = *z.coupled->EFLX();
        if (!trap.step([&] {
                k.setRows(k.Rows() + 1);
                k.setRow(k.Rows() - 1);
                k.setCol(k.FixedCols());
                z.coupled->NUMMERIEREN();
            }))
            return;
    }
    trap.step([&] { NUMMERIEREN(); });
}

namespace {

// A block of the clipboard: its rows, each a list of cells, and the most cells a row has.
struct Block {
    QString text; // as the grid's Clip takes it
    QList<QStringList> zeilen;
    int breite = 0;
};

std::optional<Block> ablageBlock() {
    const QMimeData* daten = QGuiApplication::clipboard()->mimeData();
    if (!daten || !daten->hasText()) return std::nullopt;
    Block b;
    b.text = alsGridText(daten->text());
    for (const QString& zeile : b.text.split(QLatin1Char('\r'))) {
        b.zeilen << zeile.split(QLatin1Char('\t'));
        b.breite = std::max(b.breite, int(b.zeilen.back().size()));
    }
    return b;
}

// "3 Zeilen", "1 Spalte": a count with its noun.
QString anzahl(qint64 n, const char* eins, const char* mehr) {
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(n == 1 ? eins : mehr);
}

} // namespace

// The cells a pasted block goes into, from the top-left cell of the selection to (r1, c1).
struct clsFLX::Blockziel {
    int r0 = 0, c0 = 0, r1 = 0, c1 = 0;
    bool eineZelle = false;
};

void clsFLX::BLOCKEINFUEGEN() {
    const std::optional<Block> block = ablageBlock();
    if (!block) return;
    const Blockziel ziel = BLOCKZIEL(int(block->zeilen.size()), block->breite);
    // Every value is checked as a typed one before any is written: a refused one pastes nothing.
    for (int i = 0; i < block->zeilen.size() && ziel.r0 + i <= ziel.r1; ++i) {
        const QStringList& zellen = block->zeilen[i];
        for (int j = 0; j < zellen.size() && ziel.c0 + j <= ziel.c1; ++j)
            if (!SPALTENWERTPRUEFEN(ziel.c0 + j, zellen[j], i + 1)) return;
    }
    BLOCKRAUMSCHAFFEN(ziel);
    // Each cell gets the text its column's format makes of it, as a typed value does.
    QStringList zeilen;
    for (const QStringList& zellen : block->zeilen) {
        QStringList texte;
        for (int j = 0; j < zellen.size(); ++j)
            texte << (ziel.c0 + j <= ziel.c1 ? ZELLTEXT(ziel.c0 + j, zellen[j]) : zellen[j]);
        zeilen << texte.join(QLatin1Char('\t'));
    }
    platform::FlexGrid& grid = *z_->grid;
    if (ziel.eineZelle) {
        grid.setRow(ziel.r0);
        grid.setCol(ziel.c0);
        grid.setRowSel(ziel.r1);
        grid.setColSel(ziel.c1);
    }
    grid.setClip(zeilen.join(QLatin1Char('\r')));
    NICHTEINGEFUEGTMELDEN(ziel, int(block->zeilen.size()), block->breite);
}

clsFLX::Blockziel clsFLX::BLOCKZIEL(int zeilen, int breite) const {
    const platform::FlexGrid& grid = *z_->grid;
    Blockziel ziel;
    ziel.r0 = std::min(grid.Row(), grid.RowSel());
    ziel.c0 = std::min(grid.Col(), grid.ColSel());
    ziel.eineZelle = grid.Row() == grid.RowSel() && grid.Col() == grid.ColSel();
    ziel.r1 = std::max(grid.Row(), grid.RowSel());
    ziel.c1 = std::max(grid.Col(), grid.ColSel());
    if (ziel.eineZelle) {
        // At one selected cell the block goes in whole, to the right and down from it; a grid that appends
        // rows on Enter gets the new rows it needs, another one keeps its rows.
        const qint64 grenze = z_->boh ? kMaxZeilen : grid.Rows();
        ziel.r1 = int(std::min<qint64>(qint64(ziel.r0) + zeilen, grenze) - 1);
        ziel.c1 = int(std::min<qint64>(qint64(ziel.c0) + breite, grid.Cols()) - 1);
    }
    return ziel;
}

void clsFLX::BLOCKRAUMSCHAFFEN(const Blockziel& ziel) {
    Zustand& z = *z_;
    platform::FlexGrid& grid = *z.grid;
    // A disabled grid holds no readings and saving skips it: pasted readings make it hold them, as an insert
    // does, here and in the coupled grid.
    clsFLX* k = z.coupled && z.coupled->EFLX() ? z.coupled : nullptr;
    for (clsFLX* f : {this, k}) {
        platform::FlexGrid* g = f ? f->EFLX() : nullptr;
        if (!g || g->Enabled()) continue;
        g->setBackColor(platform::SystemColor::WindowBackground);
        g->setEnabled(true);
        f->NUMMERIEREN();
    }
    const int neu = ziel.r1 + 1 - grid.Rows();
    if (!ziel.eineZelle || neu <= 0) return;
    grid.setRows(ziel.r1 + 1);
    NUMMERIEREN();
    // The coupled grid gets its rows for the new readings, as for readings appended by Enter.
    if (k) {
        k->EFLX()->setRows(std::min(k->EFLX()->Rows() + neu, kMaxZeilen));
        k->NUMMERIEREN();
    }
}

void clsFLX::NICHTEINGEFUEGTMELDEN(const Blockziel& ziel, int zeilen, int breite) const {
    const platform::FlexGrid& grid = *z_->grid;
    if (ziel.eineZelle) {
        const qint64 ohneZeilen = zeilen - (ziel.r1 - ziel.r0 + 1),
                     ohneSpalten = breite - (ziel.c1 - ziel.c0 + 1);
        // What lies beyond the last column or the most rows a grid holds is named in one message.
        if (ohneSpalten > 0 || (ohneZeilen > 0 && z_->boh)) {
            QString was;
            if (ohneZeilen > 0) was = anzahl(ohneZeilen, "Zeile", "Zeilen");
            if (ohneSpalten > 0)
                was += (was.isEmpty() ? QString() : QStringLiteral(" und ")) +
                       anzahl(ohneSpalten, "Spalte", "Spalten");
            meldung(
                QStringLiteral("Nicht eingefügt: ") + was +
                    QStringLiteral(" der Zwischenablage, jenseits der letzten Spalte oder der größten Zahl "
                                   "von Zeilen der Tabelle."),
                QStringLiteral("Einfügen"));
            return;
        }
    }
    // Rows of the block that the grid has no room for below the selected row are not lost silently.
    const int platz = grid.Rows() - ziel.r0;
    if (zeilen <= platz) return;
    const int fehlen = zeilen - platz;
    meldung(QString::number(fehlen) +
                (fehlen == 1 ? QStringLiteral(" Zeile der Zwischenablage wurde nicht eingefügt")
                             : QStringLiteral(" Zeilen der Zwischenablage wurden nicht eingefügt")) +
                QStringLiteral(": die Tabelle hat ab der gewählten Zeile nur ") + QString::number(platz) +
                (platz == 1 ? QStringLiteral(" Zeile.") : QStringLiteral(" Zeilen.")),
            QStringLiteral("Einfügen"));
}

void clsFLX::FUELLEN() {
    platform::FlexGrid& grid = *z_->grid;
    if (grid.MousePointer() != 2) return;
    const QString text = grid.Text();
    for (int r = grid.Row(); r <= grid.RowSel(); ++r)
        for (int c = grid.Col(); c <= grid.ColSel(); ++c)
            grid.setTextMatrix(r, c, text);
    grid.setMousePointer(0);
}

void clsFLX::BLAETTERN() {
    Zustand& z = *z_;
    if (z.scrollingBack) return;
    if (!EINFUEGEN(0) && z.grid) {
        // The value was rejected: the grid goes back under its editor.
        z.scrollingBack = true;
        z.grid->setTopRow(z.editTopRow);
        z.grid->setLeftCol(z.editLeftCol);
        z.scrollingBack = false;
    }
    // Called from the grid's event: a fault of the captions is shown here rather than thrown into the loop.
    platform::ErrorTrap trap(QStringLiteral("MSFlexGrid / Beschriften"));
    trap.step([&] { BESCHRIFTEN(); });
}

bool clsFLX::SPALTENWERTPRUEFEN(int SPALTE, const QString& TEXT, int ABLAGEZEILE) {
    const Zustand& z = *z_;
    QString pruefling = TEXT;
    if (pruefling.isEmpty()) return true;
    const int typ = typVon(z.lstyp, SPALTE);
    // The message names the column as its header shows it, without the tags of the markup.
    const QString titel = drawing::markupPlainText(platform::CStr(flx::eintrag(z.lst1, SPALTE)));
    // A pasted value is one of many: its message says which cell of the clipboard it is, and that nothing
    // was pasted. The grid's messages are German in either language, and so is this line of one.
    QString zusatz;
    if (ABLAGEZEILE > 0)
        zusatz = QStringLiteral("Nichts wurde eingefügt: Zeile %1 der Zwischenablage, Spalte %2: „%3“")
                     .arg(ABLAGEZEILE)
                     .arg(titel, TEXT);
    float minimum = 0, maximum = 0;
    if (typ == 7) {
        const auto a = flx::zahl(flx::eintrag(z.lmin, SPALTE)), b = flx::zahl(flx::eintrag(z.lmax, SPALTE));
        if (a && b) {
            minimum = float(*a);
            maximum = float(*b);
        }
    } else {
        const Variant &a = flx::eintrag(z.lmin, SPALTE), &b = flx::eintrag(z.lmax, SPALTE);
        if (!flx::fehlt(a) && !flx::fehlt(b)) {
            minimum = platform::CSng(a);
            maximum = platform::CSng(b);
        }
    }
    if (typ >= 1 && typ <= 3)
        return !(minimum < maximum) || WERTPRUEFEN(pruefling, minimum, maximum, -1, 0,
                                                   QStringLiteral("Indexspalte ") + titel, zusatz);
    if (typ == 4)
        return WERTPRUEFEN(pruefling, minimum, maximum, 0, -1, QStringLiteral("Datumsspalte ") + titel,
                           zusatz);
    if (typ == 5)
        return WERTPRUEFEN(pruefling, minimum, maximum, 0, -1, QStringLiteral("Uhrzeitspalte ") + titel,
                           zusatz);
    return !(minimum < maximum) ||
           WERTPRUEFEN(pruefling, minimum, maximum, 0, 0, QStringLiteral("Spalte ") + titel, zusatz);
}

bool clsFLX::WERTPRUEFEN(QString& TEXT, float MINIMUM, float MAXIMUM, std::int16_t GANZZAHL,
                         std::int16_t DATUM, const QString& TITEL, const QString& ZUSATZ) {
    auto meldung = [&](const QString& text, const QString& titel) {
        ::meldung(ZUSATZ.isEmpty() ? text : text + QStringLiteral("\n\n") + ZUSATZ, titel);
    };
    TEXT = TEXT.trimmed();
    if (TEXT.isEmpty()) return true;
    if (DATUM != 0) {
        if (flx::datumswert(TEXT)) return true;
        meldung(QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!"), TITEL);
        return false;
    }
    const QString dezimal = flx::dezimal();
    const auto zahl = platform::ReadTypedNumber(TEXT, dezimal);
    if (!zahl) {
        meldung(QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"), TITEL);
        return false;
    }
    const float wert = float(*zahl);
    if (wert < MINIMUM || wert > MAXIMUM) {
        meldung(QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: ") +
                    platform::SingleText(MINIMUM, dezimal) + QStringLiteral(", Maximum: ") +
                    platform::SingleText(MAXIMUM, dezimal),
                TITEL);
        return false;
    }
    if (GANZZAHL != 0 && wert != std::trunc(wert)) {
        meldung(QStringLiteral("Eingegeber Wert ist keine ganze Zahl!"), TITEL);
        return false;
    }
    return true;
}
