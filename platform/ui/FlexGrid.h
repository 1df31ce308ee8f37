#pragma once

#include "ControlArray.h"
#include "platform/window/Twips.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <QTableWidget>
#include <vector>

class QScrollBar;

namespace platform {

// A grid of text cells with the members the program uses, addressed as the program addresses it: rows and
// columns from 0, the fixed (header) rows and columns being the first ones of each, drawn in BackColorFixed.
// Colours are numbers (platform/runtime/Color.h). A new grid has 2 rows and 2 columns, one of each fixed,
// the window background as BackColor and the button face as BackColorFixed.
//
// The fixed rows and columns stay in place while the others scroll: TopRow and LeftCol are the first
// scrolling row and column shown. The grid keeps its own current cell (Row, Col) and the opposite corner of
// the selected block (RowSel, ColSel); a mouse press makes the pressed cell current and a drag extends the
// block. Sizes and positions are twips (15 to the screen pixel). The grid edits nothing itself: no
// in-place editing, no navigation on Enter and no copy on Ctrl+C; the grid editor of the input form does
// these through the events below.
//
// Events, in the order they come: a press on a cell gives LeaveCell, EnterCell (when the current cell
// changes), then MouseDown; a drag gives MouseMove; the release gives MouseUp, then Click. A double click
// gives DblClick before its MouseUp. A key gives KeyDown, then KeyPress for a character or Enter (13); the
// arrow keys, Page Up/Down, Home and End move the current cell (with Shift they extend the block); Tab and
// Shift+Tab move to the next and the previous cell, row by row, passing over the columns that are no tab
// stop (as a spreadsheet passes over its locked cells), and then give KeyPress(9). A full-width
// character is given to KeyPress as its ASCII form. Scroll follows every change of TopRow or LeftCol.
class FlexGrid : public QTableWidget, public ControlArrayMember {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    int Rows() const { return rowCount(); }
    // Rows are added empty or taken away from the end; fewer rows than FixedRows raise 380.
    void setRows(int rows);
    int Cols() const { return columnCount(); }
    void setCols(int cols);
    int FixedRows() const { return fixedRows_; }
    // More fixed rows than rows raise 380.
    void setFixedRows(int rows);
    int FixedCols() const { return fixedCols_; }
    void setFixedCols(int cols);

    // The text of a cell; a row or column outside the grid raises "subscript out of range" (381).
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // The text of the current cell.
    QString Text() const;
    void setText(const QString& text);

    // The current cell and the opposite corner of the selected block. Setting Row or Col makes the block
    // that one cell; a row or column outside the grid raises 381.
    int Row() const { return row_; }
    void setRow(int row);
    int Col() const { return col_; }
    void setCol(int col);
    int RowSel() const { return rowSel_; }
    void setRowSel(int row);
    int ColSel() const { return colSel_; }
    void setColSel(int col);
    // The first scrolling row and column shown (FixedRows .. Rows - 1, FixedCols .. Cols - 1).
    int TopRow() const { return topRow_; }
    void setTopRow(int row);
    int LeftCol() const { return leftCol_; }
    void setLeftCol(int col);

    // The selected block as text: cells joined by tabs, rows by carriage returns. Setting it writes the
    // text from the block's top-left cell into the block; what lies outside the block is dropped.
    QString Clip() const;
    void setClip(const QString& text);

    // Column widths and row heights in twips.
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    int RowHeight(int row) const;
    void setRowHeight(int row, int twips);
    // Alignment codes of a column's scrolling and fixed cells: 0-2 left, 3-5 centred, 6-8 right (top,
    // centre, bottom); 1, 4 and 7 are vertically centred.
    int ColAlignment(int col) const;
    void setColAlignment(int col, int code);
    int FixedAlignment(int col) const;
    void setFixedAlignment(int col, int code);
    // True while some of the column or row is in view.
    bool ColIsVisible(int col) const;
    bool RowIsVisible(int row) const;
    // The current cell's place in the grid and its size, in twips.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;
    // The grid's own place in its container and its size, in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    // 0 the default pointer, 2 the crosshair.
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);

    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    std::int64_t BackColor() const { return backColor_; }
    void setBackColor(std::int64_t color);
    std::int64_t BackColorFixed() const { return backColorFixed_; }
    void setBackColorFixed(std::int64_t color);
    std::int64_t ForeColor() const { return foreColor_; }
    void setForeColor(std::int64_t color);
    QString ToolTipText() const { return toolTip(); }
    void setToolTipText(const QString& text) { setToolTip(text); }

    // A new row before the row at index (at the end without one), its cells from the tab-separated text.
    void AddItem(const QString& item, std::optional<int> index = std::nullopt);
    // Removes a scrolling row; a fixed row or the last scrolling row can't be removed (380).
    void RemoveItem(int index);

    // The character a typed key gives to KeyPress: a full-width form becomes its ASCII character.
    static QChar typedCharacter(QChar c);

    bool isFixedCell(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }
    bool isSelectedCell(int row, int col) const;

    // The columns Tab and Shift+Tab stop at: those for which the test is true; without a test, every column.
    // The arrow keys and the mouse still reach every cell.
    void setTabStop(std::function<bool(int col)> test) { tabStop_ = std::move(test); }

signals:
    // Button: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt; X, Y in twips in the grid.
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void Click();
    void DblClick();
    // The key's code (Qt key codes for letters and digits are their upper-case character codes).
    void KeyDown(int KeyCode, int Shift);
    // A character typed, or 13 for Enter.
    void KeyPress(int KeyAscii);
    void Scroll();
    void EnterCell();
    void LeaveCell();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Twips of a count of screen pixels, and the pixels nearest to a count of twips.
    static int twOf(int pixels) { return int(pixelsToTwips(pixels)); }
    static int pxOf(int twips) { return twipsToPixels(twips); }
    void checkCell(int row, int col) const;
    void checkRow(int row) const;
    void checkCol(int col) const;
    // Moves the current cell, with the events of leaving and entering it.
    void moveCurrent(int row, int col, bool extend);
    // Hides the scrolled-away rows and columns and sizes the scroll bars.
    void layoutScrolling();
    void scrollTo(int topRow, int leftCol);
    int maxTopRow() const;
    int maxLeftCol() const;
    void applyColumnWidth(int col);
    void cellAt(const QPoint& viewportPos, int& row, int& col) const;
    int buttonOf(Qt::MouseButton button) const;
    int shiftOf(Qt::KeyboardModifiers modifiers) const;
    QPoint viewportOrigin() const;
    // The height of a row and the width of a column in pixels, also while scrolled away.
    int rowPx(int row) const;
    int colPx(int col) const;
    // True when the rows from top down to row fit in the view (the columns from left to col).
    bool fullyShownRow(int row, int top) const;
    bool fullyShownCol(int col, int left) const;
    // The first row and column the keys move the current cell to: the first scrolling one, or the last one
    // of a grid that has none.
    int firstKeyRow() const { return std::min(fixedRows_, rowCount() - 1); }
    int firstKeyCol() const { return std::min(fixedCols_, columnCount() - 1); }
    // The cell after (before, backwards) row, col in Tab's order, row by row; false at the grid's end.
    bool tabStep(int& row, int& col, bool backwards) const;

    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;
    int topRow_ = 1, leftCol_ = 1;
    int mousePointer_ = 0;
    bool dragging_ = false;
    bool afterDoubleClick_ = false;
    bool layingOut_ = false;
    std::vector<int> colTwips_;
    std::vector<int> colAlignment_;
    std::vector<int> fixedAlignment_;
    std::int64_t backColor_;
    std::int64_t backColorFixed_;
    std::int64_t foreColor_;
    QScrollBar* vbar_ = nullptr;
    QScrollBar* hbar_ = nullptr;
    std::function<bool(int col)> tabStop_;
};

} // namespace platform
