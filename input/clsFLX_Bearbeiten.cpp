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

#include <cmath>
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
    case 13: {
        // Enter in the last cell appends a row, here and in the coupled grid.
        if (grid.Row() != grid.Rows() - 1 || grid.Col() != grid.Cols() - 1 || !z.boh) return;
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
        return;
    }
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
    // The result: no editor is open any more (a rejected value, or Cancel in an error box, keeps it open).
    auto geschlossen = [&z] { return !(z.txt && !z.txt->isHidden()) && !(z.cbo && !z.cbo->isHidden()); };
    if (BOE == 27) {
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
        return geschlossen();
    }
    if (BOE == 0 || BOE == 13 || BOE == 9) {
        const bool text = z.txt && !z.txt->isHidden();
        const bool combo = z.cbo && !z.cbo->isHidden();
        if (!text && !combo) return true;
        int typ = 0;
        if (!trap.step([&] { typ = typVon(z.lstyp, z.snr); })) return geschlossen();
        QString wert;
        bool angenommen = true;
        if (text && typ != 7) {
            wert = z.txt->text();
        } else if (combo && typ == 7) {
            wert = z.cbo->Text();
        } else {
            return geschlossen();
        }
        if (!trap.step([&] { angenommen = SPALTENWERTPRUEFEN(z.snr, wert); })) return geschlossen();
        if (!angenommen) {
            // The editor stays open with the text as typed; the cell keeps its old text.
            QWidget* editor = text ? static_cast<QWidget*>(z.txt) : static_cast<QWidget*>(z.cbo);
            editor->setFocus();
            return false;
        }
        if (!trap.step([&] {
                const Variant& f = flx::eintrag(z.lformat, z.snr);
                if (!flx::fehlt(f) && !wert.isEmpty())
                    wert = platform::Format(Variant(wert), platform::CStr(f), flx::dezimal());
            }))
            return geschlossen();
        if (!trap.step([&] {
                if (!z.grid) throw VbError::objectNotSet();
                z.grid->setTextMatrix(z.znr, z.snr, wert);
            }))
            return geschlossen();
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
        return geschlossen();
    }

    if (!z.grid) return true;
    platform::FlexGrid& grid = *z.grid;
    if (BOE == -1) {
        trap.step([&] {
            const QMimeData* daten = QGuiApplication::clipboard()->mimeData();
            if (!daten || !daten->hasText()) return;
            const QString text = alsGridText(daten->text());
            const QStringList zeilen = text.split(QLatin1Char('\r'));
            qsizetype breite = 0;
            for (const QString& zeile : zeilen)
                breite = std::max(breite, zeile.count(QLatin1Char('\t')) + 1);
            const int r0 = std::min(grid.Row(), grid.RowSel()), c0 = std::min(grid.Col(), grid.ColSel());
            // At one selected cell the block goes in whole, to the right and down from it, with new rows as
            // it needs them; a selected range takes what falls into it.
            const bool eineZelle = grid.Row() == grid.RowSel() && grid.Col() == grid.ColSel();
            int r1 = std::max(grid.Row(), grid.RowSel()), c1 = std::max(grid.Col(), grid.ColSel());
            if (eineZelle) {
                r1 = int(std::min<qint64>(qint64(r0) + zeilen.size(), kMaxZeilen) - 1);
                c1 = int(std::min<qint64>(qint64(c0) + breite, grid.Cols()) - 1);
            }
            // Every value is checked as a typed one before any is written: a refused one pastes nothing.
            for (int i = 0; i < zeilen.size() && r0 + i <= r1; ++i) {
                const QStringList zellen = zeilen[i].split(QLatin1Char('\t'));
                for (int j = 0; j < zellen.size() && c0 + j <= c1; ++j)
                    if (!SPALTENWERTPRUEFEN(c0 + j, zellen[j])) return;
            }
            // A disabled grid holds no readings and saving skips it: pasted readings make it hold them, as an
            // insert does, here and in the coupled grid.
            clsFLX* k = z.coupled && z.coupled->EFLX() ? z.coupled : nullptr;
            for (clsFLX* f : {this, k}) {
                platform::FlexGrid* g = f ? f->EFLX() : nullptr;
                if (!g || g->Enabled()) continue;
                g->setBackColor(platform::SystemColor::WindowBackground);
                g->setEnabled(true);
                f->NUMMERIEREN();
            }
            if (eineZelle) {
                const int neu = r1 + 1 - grid.Rows();
                if (neu > 0) {
                    grid.setRows(r1 + 1);
                    NUMMERIEREN();
                    // The coupled grid gets its rows for the new readings, as for readings appended by Enter.
                    if (k) {
                        k->EFLX()->setRows(std::min(k->EFLX()->Rows() + neu, kMaxZeilen));
                        k->NUMMERIEREN();
                    }
                }
                grid.setRow(r0);
                grid.setCol(c0);
                grid.setRowSel(r1);
                grid.setColSel(c1);
                grid.setClip(text);
                // What lies beyond the last column or the most rows a grid holds is named in one message.
                const qint64 ohneZeilen = zeilen.size() - (r1 - r0 + 1), ohneSpalten = breite - (c1 - c0 + 1);
                if (ohneZeilen > 0 || ohneSpalten > 0) {
                    auto anzahl = [](qint64 n, const char* eins, const char* mehr) {
                        return QString::number(n) + QLatin1Char(' ') +
                               QString::fromUtf8(n == 1 ? eins : mehr);
                    };
                    QString was;
                    if (ohneZeilen > 0) was = anzahl(ohneZeilen, "Zeile", "Zeilen");
                    if (ohneSpalten > 0)
                        was += (was.isEmpty() ? QString() : QStringLiteral(" und ")) +
                               anzahl(ohneSpalten, "Spalte", "Spalten");
                    meldung(QStringLiteral("Nicht eingefügt: ") + was +
                                QStringLiteral(" der Zwischenablage, jenseits der letzten Spalte oder der "
                                               "größten Zahl von Zeilen der Tabelle."),
                            QStringLiteral("Einfügen"));
                }
                return;
            }
            grid.setClip(text);
            // Rows of the block that the grid has no room for below the selected row are not lost silently.
            const int platz = grid.Rows() - r0;
            if (zeilen.size() > platz) {
                const int fehlen = int(zeilen.size()) - platz;
                meldung(QString::number(fehlen) +
                            (fehlen == 1
                                 ? QStringLiteral(" Zeile der Zwischenablage wurde nicht eingefügt")
                                 : QStringLiteral(" Zeilen der Zwischenablage wurden nicht eingefügt")) +
                            QStringLiteral(": die Tabelle hat ab der gewählten Zeile nur ") +
                            QString::number(platz) +
                            (platz == 1 ? QStringLiteral(" Zeile.") : QStringLiteral(" Zeilen.")),
                        QStringLiteral("Einfügen"));
            }
        });
    } else if (BOE == -2) {
        trap.step([&] {
            if (grid.MousePointer() != 2) return;
            const QString text = grid.Text();
            for (int r = grid.Row(); r <= grid.RowSel(); ++r)
                for (int c = grid.Col(); c <= grid.ColSel(); ++c)
                    grid.setTextMatrix(r, c, text);
            grid.setMousePointer(0);
        });
    }
    return true;
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

bool clsFLX::SPALTENWERTPRUEFEN(int SPALTE, const QString& TEXT) {
    const Zustand& z = *z_;
    QString pruefling = TEXT;
    if (pruefling.isEmpty()) return true;
    const int typ = typVon(z.lstyp, SPALTE);
    // The message names the column as its header shows it, without the tags of the markup.
    const QString titel = drawing::markupPlainText(platform::CStr(flx::eintrag(z.lst1, SPALTE)));
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
        return !(minimum < maximum) ||
               WERTPRUEFEN(pruefling, minimum, maximum, -1, 0, QStringLiteral("Indexspalte ") + titel);
    if (typ == 4)
        return WERTPRUEFEN(pruefling, minimum, maximum, 0, -1, QStringLiteral("Datumsspalte ") + titel);
    if (typ == 5)
        return WERTPRUEFEN(pruefling, minimum, maximum, 0, -1, QStringLiteral("Uhrzeitspalte ") + titel);
    return !(minimum < maximum) ||
           WERTPRUEFEN(pruefling, minimum, maximum, 0, 0, QStringLiteral("Spalte ") + titel);
}

bool clsFLX::WERTPRUEFEN(QString& TEXT, float MINIMUM, float MAXIMUM, std::int16_t GANZZAHL,
                         std::int16_t DATUM, const QString& TITEL) {
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
