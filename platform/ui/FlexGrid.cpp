#include "FlexGrid.h"

#include "ControlErrors.h"
#include "platform/runtime/Color.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace platform {

namespace {
// Paints the fixed cells in the grid's fixed colour, so that the colour follows the grid's numbers without
// being stored in every cell.
class FixedCellDelegate : public QStyledItemDelegate {
public:
    explicit FixedCellDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (grid_->isFixedCell(index.row(), index.column()))
            option->backgroundBrush = ColorFromNumber(grid_->BackColorFixed());
    }

private:
    FlexGrid* grid_;
};
} // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QTableWidget(2, 2, parent), backColor_(SystemColor::WindowBackground),
      backColorFixed_(SystemColor::ButtonFace) {
    // The fixed rows and columns are cells of the grid itself, not the view's headers.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new FixedCellDelegate(this));
    setBackColor(backColor_);
}

void FlexGrid::setRows(int rows) {
    if (rows < fixedRows_) throw ControlErrors::invalidPropertyValue();
    setRowCount(rows);
}

void FlexGrid::setCols(int cols) {
    if (cols < fixedCols_) throw ControlErrors::invalidPropertyValue();
    setColumnCount(cols);
}

void FlexGrid::setFixedRows(int rows) {
    if (rows < 0 || rows > rowCount()) throw ControlErrors::invalidPropertyValue();
    fixedRows_ = rows;
    viewport()->update();
}

void FlexGrid::setFixedCols(int cols) {
    if (cols < 0 || cols > columnCount()) throw ControlErrors::invalidPropertyValue();
    fixedCols_ = cols;
    viewport()->update();
}

void FlexGrid::checkCell(int row, int col) const {
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        throw ControlErrors::invalidPropertyArrayIndex();
}

QString FlexGrid::TextMatrix(int row, int col) const {
    checkCell(row, col);
    const QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    checkCell(row, col);
    if (QTableWidgetItem* cell = item(row, col)) {
        cell->setText(text);
        return;
    }
    setItem(row, col, new QTableWidgetItem(text));
}

void FlexGrid::setBackColor(std::int64_t color) {
    backColor_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, ColorFromNumber(color));
    setPalette(p);
}

void FlexGrid::setBackColorFixed(std::int64_t color) {
    backColorFixed_ = color;
    viewport()->update();
}

} // namespace platform
