// The grid's mouse and keys: the current cell and the selected block, and the events in their order.
#include "FlexGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace platform {

int FlexGrid::buttonOf(Qt::MouseButton button) const {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int FlexGrid::shiftOf(Qt::KeyboardModifiers modifiers) const {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

void FlexGrid::cellAt(const QPoint& pos, int& row, int& col) const {
    row = rowAt(pos.y());
    col = columnAt(pos.x());
}

void FlexGrid::moveCurrent(int row, int col, bool extend) {
    if (extend) {
        rowSel_ = row;
        colSel_ = col;
        viewport()->update();
        return;
    }
    if (row == row_ && col == col_) {
        rowSel_ = row;
        colSel_ = col;
        viewport()->update();
        return;
    }
    emit LeaveCell();
    row_ = rowSel_ = row;
    col_ = colSel_ = col;
    viewport()->update();
    emit EnterCell();
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    int row = -1, col = -1;
    cellAt(pos, row, col);
    if (event->button() == Qt::LeftButton && row >= fixedRows_ && col >= fixedCols_) {
        moveCurrent(row, col, event->modifiers() & Qt::ShiftModifier);
        dragging_ = true;
    }
    const QPoint at = pos + viewportOrigin();
    emit MouseDown(buttonOf(event->button()), shiftOf(event->modifiers()), float(twOf(at.x())),
                   float(twOf(at.y())));
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        int row = -1, col = -1;
        cellAt(pos, row, col);
        if (row < 0) row = pos.y() < 0 ? topRow_ : rowCount() - 1;
        if (col < 0) col = pos.x() < 0 ? leftCol_ : columnCount() - 1;
        moveCurrent(std::max(row, fixedRows_), std::max(col, fixedCols_), true);
    }
    int button = 0;
    if (event->buttons() & Qt::LeftButton) button |= 1;
    if (event->buttons() & Qt::RightButton) button |= 2;
    if (event->buttons() & Qt::MiddleButton) button |= 4;
    const QPoint at = pos + viewportOrigin();
    emit MouseMove(button, shiftOf(event->modifiers()), float(twOf(at.x())), float(twOf(at.y())));
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    const QPoint at = event->position().toPoint() + viewportOrigin();
    emit MouseUp(buttonOf(event->button()), shiftOf(event->modifiers()), float(twOf(at.x())),
                 float(twOf(at.y())));
    if (event->button() == Qt::LeftButton) {
        if (afterDoubleClick_)
            afterDoubleClick_ = false;
        else
            emit Click();
    }
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        afterDoubleClick_ = true;
        emit DblClick();
    }
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    // Tab and Shift+Tab move the current cell; they extend no block.
    const bool shift = (event->modifiers() & Qt::ShiftModifier) && !tab;
    emit KeyDown(event->key(), shiftOf(event->modifiers()));
    int row = shift ? rowSel_ : row_, col = shift ? colSel_ : col_;
    const int firstRow = firstKeyRow(), firstCol = firstKeyCol();
    const int page = std::max(1, rowCount() - maxTopRow());
    bool move = true;
    switch (event->key()) {
    case Qt::Key_Up:
        row = std::max(firstRow, row - 1);
        break;
    case Qt::Key_Down:
        row = std::min(rowCount() - 1, row + 1);
        break;
    case Qt::Key_Left:
        col = std::max(firstCol, col - 1);
        break;
    case Qt::Key_Right:
        col = std::min(columnCount() - 1, col + 1);
        break;
    case Qt::Key_PageUp:
        row = std::max(firstRow, row - page);
        break;
    case Qt::Key_PageDown:
        row = std::min(rowCount() - 1, row + page);
        break;
    case Qt::Key_Home:
        col = firstCol;
        break;
    case Qt::Key_End:
        col = columnCount() - 1;
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        // The next (previous) cell that is a tab stop; where none is left before the grid's end the cell
        // stays (a grid editor that appends rows takes Tab in the last cell before the grid does).
        int r = row, c = col;
        while (tabStep(r, c, event->key() == Qt::Key_Backtab)) {
            if (!tabStop_ || tabStop_(c)) {
                row = r;
                col = c;
                break;
            }
        }
        break;
    }
    default:
        move = false;
    }
    if (move) {
        if (row >= 0 && col >= 0) {
            moveCurrent(row, col, shift);
            int top = topRow_, left = leftCol_;
            if (row >= fixedRows_ && row < topRow_) top = row;
            if (col >= fixedCols_ && col < leftCol_) left = col;
            while (row > top && row >= fixedRows_ && !fullyShownRow(row, top))
                ++top;
            while (col > left && col >= fixedCols_ && !fullyShownCol(col, left))
                ++left;
            scrollTo(top, left);
        }
        // Tab is a character too: those who follow the keys see it as one (it opens no editor).
        if (tab) emit KeyPress(9);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit KeyPress(13);
    } else if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !event->text().isEmpty()) {
        emit KeyPress(typedCharacter(event->text().at(0)).unicode());
    }
    // Nothing else: no copy on Ctrl+C, no editing, no navigation on Enter.
    event->accept();
}

QChar FlexGrid::typedCharacter(QChar c) {
    // A full-width form (an East Asian keyboard's digits, signs and letters) is its ASCII character.
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) return QChar(char16_t(u - 0xFF01 + 0x21));
    if (u == 0x3000) return QChar(u' ');
    return c;
}

bool FlexGrid::tabStep(int& row, int& col, bool backwards) const {
    const int firstRow = firstKeyRow(), firstCol = firstKeyCol();
    if (!backwards && col < columnCount() - 1) {
        col = std::max(firstCol, col + 1);
    } else if (!backwards && row < rowCount() - 1) {
        col = firstCol;
        row = std::max(firstRow, row + 1);
    } else if (backwards && col > firstCol) {
        col = col - 1;
    } else if (backwards && row > firstRow) {
        col = columnCount() - 1;
        row = row - 1;
    } else {
        return false;
    }
    return true;
}

bool FlexGrid::fullyShownRow(int row, int top) const {
    int y = 0;
    for (int r = 0; r < fixedRows_; ++r)
        y += rowPx(r);
    for (int r = top; r <= row; ++r)
        y += rowPx(r);
    return y <= viewport()->height();
}

bool FlexGrid::fullyShownCol(int col, int left) const {
    int x = 0;
    for (int c = 0; c < fixedCols_; ++c)
        x += colPx(c);
    for (int c = left; c <= col; ++c)
        x += colPx(c);
    return x <= viewport()->width();
}

} // namespace platform
