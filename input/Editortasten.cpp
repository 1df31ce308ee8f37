#include "Editortasten.h"

#include "clsFLX.h"

#include "platform/ui/FlexGrid.h"

#include <QCoreApplication>
#include <QKeyEvent>

bool Editortasten::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto& taste = static_cast<const QKeyEvent&>(*event);
    if (taste.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    platform::FlexGrid* grid = editor_.EFLX();
    if (grid && watched == grid) {
        // Tab where a row of readings ends is Enter there: the next reading gets its row, as a spreadsheet
        // goes on to the next line, instead of the next value being typed over the last cell.
        if (taste.key() != Qt::Key_Tab || !editor_.EBOH() || !editor_.LETZTEZELLE(grid->Row(), grid->Col()))
            return false;
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(grid, &enter);
        return true;
    }
    switch (taste.key()) {
    case Qt::Key_Escape:
        editor_.EINFUEGEN(27);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // The grid takes the key once the value is in its cell, and moves on as it does for its own Tab.
        if (editor_.EINFUEGEN(9) && editor_.EFLX()) {
            QKeyEvent weiter(QEvent::KeyPress, taste.key(), taste.modifiers(), taste.text());
            QCoreApplication::sendEvent(editor_.EFLX(), &weiter);
        }
        return true;
    default:
        return false;
    }
}
