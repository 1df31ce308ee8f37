#pragma once

#include "ControlArray.h"

#include <cstdint>
#include <QTableWidget>

namespace platform {

// A grid of text cells with the members the program uses, addressed as the program addresses it: rows and
// columns from 0, the fixed (header) rows and columns being the first ones of each, drawn in BackColorFixed.
// Colours are numbers (platform/runtime/Color.h). A new grid has 2 rows and 2 columns, one of each fixed,
// the window background as BackColor and the button face as BackColorFixed.
//
// The cells are the model's; the grid editor of the input form builds its editing, sizes, alignments and
// fonts on top of these members.
class FlexGrid : public QTableWidget, public ControlArrayMember {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

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

    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    std::int64_t BackColor() const { return backColor_; }
    void setBackColor(std::int64_t color);
    std::int64_t BackColorFixed() const { return backColorFixed_; }
    void setBackColorFixed(std::int64_t color);

    bool isFixedCell(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }

private:
    void checkCell(int row, int col) const;

    int fixedRows_ = 1;
    int fixedCols_ = 1;
    std::int64_t backColor_;
    std::int64_t backColorFixed_;
};

} // namespace platform
