// The grid editor's editing: the in-place editors, the value check, copy, paste, fill and Enter.
#include "clsFLX.h"

#include "clsFLX_Zustand.h"

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
        if (z.txt && z.txt->isHidden() && typ < 7) {
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
    if (BOE == 0 || BOE == 13) {
        const bool text = z.txt && !z.txt->isHidden();
        const bool combo = z.cbo && !z.cbo->isHidden();
        if (!text && !combo) return true;
        int typ = 0;
        QString titel;
        if (!trap.step([&] {
                typ = typVon(z.lstyp, z.snr);
                titel = platform::CStr(flx::eintrag(z.lst1, z.snr));
            }))
            return geschlossen();
        float minimum = 0, maximum = 0;
        QString wert;
        bool angenommen = true;
        if (text && typ < 7) {
            wert = z.txt->text();
            QString pruefling = wert;
            if (!pruefling.isEmpty()) {
                if (!trap.step([&] {
                        const Variant &a = flx::eintrag(z.lmin, z.snr), &b = flx::eintrag(z.lmax, z.snr);
                        if (!flx::fehlt(a) && !flx::fehlt(b)) {
                            minimum = platform::CSng(a);
                            maximum = platform::CSng(b);
                        }
                    }))
                    return geschlossen();
                if (typ >= 1 && typ <= 3) {
                    if (minimum < maximum)
                        angenommen = WERTPRUEFEN(pruefling, minimum, maximum, -1, 0,
                                                 QStringLiteral("Indexspalte ") + titel);
                } else if (typ == 4) {
                    angenommen = WERTPRUEFEN(pruefling, minimum, maximum, 0, -1,
                                             QStringLiteral("Datumsspalte ") + titel);
                } else if (typ == 5) {
                    angenommen = WERTPRUEFEN(pruefling, minimum, maximum, 0, -1,
                                             QStringLiteral("Uhrzeitspalte ") + titel);
                } else if (minimum < maximum) {
                    angenommen =
                        WERTPRUEFEN(pruefling, minimum, maximum, 0, 0, QStringLiteral("Spalte ") + titel);
                }
            }
        } else if (combo && typ == 7) {
            wert = z.cbo->Text();
            QString pruefling = wert;
            if (!pruefling.isEmpty()) {
                if (!trap.step([&] {
                        const auto a = flx::zahl(flx::eintrag(z.lmin, z.snr)),
                                   b = flx::zahl(flx::eintrag(z.lmax, z.snr));
                        if (a && b) {
                            minimum = float(*a);
                            maximum = float(*b);
                        }
                    }))
                    return geschlossen();
                if (minimum < maximum)
                    angenommen =
                        WERTPRUEFEN(pruefling, minimum, maximum, 0, 0, QStringLiteral("Spalte ") + titel);
            }
        } else {
            return geschlossen();
        }
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
            // A disabled grid holds no readings and saving skips it: pasted readings make it hold them, as an
            // insert does, here and in the coupled grid.
            for (clsFLX* f : {this, z.coupled}) {
                platform::FlexGrid* g = f ? f->EFLX() : nullptr;
                if (!g || g->Enabled()) continue;
                g->setBackColor(platform::SystemColor::WindowBackground);
                g->setEnabled(true);
                f->NUMMERIEREN();
            }
            grid.setClip(text);
            // Rows of the block that the grid has no room for below the selected row are not lost silently.
            const int zeilen = int(text.count(QLatin1Char('\r'))) + 1;
            const int platz = grid.Rows() - std::min(grid.Row(), grid.RowSel());
            if (zeilen > platz) {
                const int fehlen = zeilen - platz;
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
