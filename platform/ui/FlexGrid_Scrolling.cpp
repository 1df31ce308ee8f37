// The grid's scrolling: the rows and columns scrolled away are hidden, so that the fixed ones stay in place.
#include "FlexGrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace platform {

// A row scrolled away is hidden and measures 0: it counts with the height it has when shown (the rows that
// scroll all have the grid's row height), a column with the width it was given.
int FlexGrid::rowPx(int row) const {
    return isRowHidden(row) ? verticalHeader()->defaultSectionSize() : rowHeight(row);
}
int FlexGrid::colPx(int col) const {
    return pxOf(colTwips_[size_t(col)]);
}

int FlexGrid::maxTopRow() const {
    int available = viewport()->height();
    for (int r = 0; r < fixedRows_ && r < rowCount(); ++r)
        available -= rowPx(r);
    int top = rowCount() - 1;
    int used = 0;
    while (top >= fixedRows_) {
        used += rowPx(top);
        if (used > available) break;
        --top;
    }
    return std::max(fixedRows_, std::min(rowCount() - 1, top + 1));
}

int FlexGrid::maxLeftCol() const {
    int available = viewport()->width();
    for (int c = 0; c < fixedCols_ && c < columnCount(); ++c)
        available -= colPx(c);
    int left = columnCount() - 1;
    int used = 0;
    while (left >= fixedCols_) {
        used += colPx(left);
        if (used > available) break;
        --left;
    }
    return std::max(fixedCols_, std::min(columnCount() - 1, left + 1));
}

void FlexGrid::scrollTo(int topRow, int leftCol) {
    if (layingOut_) return;
    topRow = std::clamp(topRow, fixedRows_, std::max(fixedRows_, maxTopRow()));
    leftCol = std::clamp(leftCol, fixedCols_, std::max(fixedCols_, maxLeftCol()));
    if (topRow == topRow_ && leftCol == leftCol_) return;
    topRow_ = topRow;
    leftCol_ = leftCol;
    layoutScrolling();
    emit Scroll();
}

void FlexGrid::layoutScrolling() {
    if (layingOut_) return;
    layingOut_ = true;
    const int topBefore = topRow_, leftBefore = leftCol_;
    const int frame = frameWidth();
    const int outerW = width() - 2 * frame, outerH = height() - 2 * frame;
    int totalH = 0, totalW = 0;
    for (int r = 0; r < rowCount(); ++r)
        totalH += rowPx(r);
    for (int c = 0; c < columnCount(); ++c)
        totalW += colPx(c);
    const int barW = vbar_->sizeHint().width(), barH = hbar_->sizeHint().height();
    bool needV = totalH > outerH, needH = totalW > outerW;
    if (needV && !needH) needH = totalW > outerW - barW;
    if (needH && !needV) needV = totalH > outerH - barH;
    setViewportMargins(0, 0, needV ? barW : 0, needH ? barH : 0);

    const int maxTop = maxTopRow(), maxLeft = maxLeftCol();
    topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, needV ? maxTop : fixedRows_));
    leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, needH ? maxLeft : fixedCols_));
    for (int r = fixedRows_; r < rowCount(); ++r) {
        const bool hide = r < topRow_;
        if (isRowHidden(r) != hide) setRowHidden(r, hide);
    }
    for (int r = 0; r < fixedRows_ && r < rowCount(); ++r)
        if (isRowHidden(r)) setRowHidden(r, false);
    for (int c = fixedCols_; c < columnCount(); ++c) {
        const bool hide = c < leftCol_;
        if (isColumnHidden(c) != hide) setColumnHidden(c, hide);
    }
    for (int c = 0; c < fixedCols_ && c < columnCount(); ++c)
        if (isColumnHidden(c)) setColumnHidden(c, false);

    const QSignalBlocker bv(vbar_), bh(hbar_);
    vbar_->setVisible(needV);
    hbar_->setVisible(needH);
    vbar_->setRange(0, std::max(0, maxTop - fixedRows_));
    vbar_->setValue(topRow_ - fixedRows_);
    vbar_->setPageStep(std::max(1, rowCount() - maxTop));
    hbar_->setRange(0, std::max(0, maxLeft - fixedCols_));
    hbar_->setValue(leftCol_ - fixedCols_);
    hbar_->setPageStep(std::max(1, columnCount() - maxLeft));
    vbar_->setGeometry(width() - frame - barW, frame, barW, outerH - (needH ? barH : 0));
    hbar_->setGeometry(frame, height() - frame - barH, outerW - (needV ? barW : 0), barH);
    // The view's own offsets stay at the origin: the hidden rows and columns do the scrolling.
    QTableWidget::verticalScrollBar()->setValue(0);
    QTableWidget::horizontalScrollBar()->setValue(0);
    layingOut_ = false;
    // Fewer rows or a larger view can move the first row shown as well.
    if (topRow_ != topBefore || leftCol_ != leftBefore) emit Scroll();
}

void FlexGrid::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    layoutScrolling();
}

void FlexGrid::showEvent(QShowEvent* event) {
    QTableWidget::showEvent(event);
    layoutScrolling();
}

void FlexGrid::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    // Rows are one line of the new font high; a row height set later stays as set.
    const int height = fontMetrics().height() + 4;
    verticalHeader()->setDefaultSectionSize(height);
    for (int r = 0; r < rowCount(); ++r)
        QTableWidget::setRowHeight(r, height);
    layoutScrolling();
}

void FlexGrid::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) scrollTo(topRow_ - 3 * steps, leftCol_);
    event->accept();
}

} // namespace platform
