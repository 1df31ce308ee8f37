#include "FlexGrid.h"

#include "ControlErrors.h"
#include "platform/runtime/Color.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include <algorithm>

namespace platform {

namespace {

constexpr double kTwipsPerPixel = 15.0;
int toPixels(int twips) {
    return int(twips / kTwipsPerPixel + (twips >= 0 ? 0.5 : -0.5));
}
int toTwips(int pixels) {
    return int(pixels * kTwipsPerPixel);
}

// The alignment codes of the grid: 0-2 left, 3-5 centred, 6-8 right, each top, centre, bottom; 9 general
// (text left, numbers right, vertically centred).
Qt::Alignment alignmentOf(int code, const QString& text) {
    if (code < 0 || code > 8) {
        bool number = false;
        text.trimmed().toDouble(&number);
        if (!number) {
            QString t = text.trimmed();
            t.replace(QLatin1Char(','), QLatin1Char('.'));
            t.toDouble(&number);
        }
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    static const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}

// Paints a cell as the grid's numbers say: the fixed colour for fixed cells, the highlight for the selected
// block, the column's alignment, the grid's text colour, and a focus frame around the current cell.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.row() == grid_->Row() && index.column() == grid_->Col() && grid_->hasFocus() &&
            !grid_->isFixedCell(index.row(), index.column())) {
            painter->save();
            QPen pen(option.palette.color(QPalette::Text));
            pen.setStyle(Qt::DotLine);
            painter->setPen(pen);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
            painter->restore();
        }
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const int row = index.row(), col = index.column();
        const bool fixed = grid_->isFixedCell(row, col);
        option->state &= ~QStyle::State_HasFocus;
        option->state &= ~QStyle::State_Selected;
        if (fixed) option->backgroundBrush = ColorFromNumber(grid_->BackColorFixed());
        option->palette.setColor(QPalette::Text, ColorFromNumber(grid_->ForeColor()));
        if (!fixed && grid_->isSelectedCell(row, col) && !(row == grid_->Row() && col == grid_->Col())) {
            option->backgroundBrush = option->palette.brush(QPalette::Highlight);
            option->palette.setColor(QPalette::Text, option->palette.color(QPalette::HighlightedText));
        }
        option->displayAlignment = alignmentOf(fixed && row < grid_->FixedRows() ? grid_->FixedAlignment(col)
                                                                                 : grid_->ColAlignment(col),
                                               option->text);
    }

private:
    FlexGrid* grid_;
};

} // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QTableWidget(2, 2, parent), backColor_(SystemColor::WindowBackground),
      backColorFixed_(SystemColor::ButtonFace), foreColor_(SystemColor::WindowText) {
    // The fixed rows and columns are cells of the grid itself, not the view's headers.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    setAutoScroll(false);
    setWordWrap(false);
    setFocusPolicy(Qt::StrongFocus);
    setItemDelegate(new GridDelegate(this));
    viewport()->setMouseTracking(true);
    // The grid scrolls by hiding the rows and columns scrolled away, so that the fixed ones stay in place;
    // the view's own scroll bars are never used.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vbar_ = new QScrollBar(Qt::Vertical, this);
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    vbar_->hide();
    hbar_->hide();
    connect(vbar_, &QScrollBar::valueChanged, this, [this](int v) { scrollTo(fixedRows_ + v, leftCol_); });
    connect(hbar_, &QScrollBar::valueChanged, this, [this](int v) { scrollTo(topRow_, fixedCols_ + v); });
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    for (int c = 0; c < columnCount(); ++c) {
        colTwips_.push_back(toTwips(columnWidth(c)));
        colAlignment_.push_back(9);
        fixedAlignment_.push_back(9);
    }
    setBackColor(backColor_);
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::setRows(int rows) {
    if (rows < fixedRows_) throw ControlErrors::invalidPropertyValue();
    setRowCount(rows);
    const int last = std::max(0, rows - 1);
    row_ = std::min(row_, last);
    rowSel_ = std::min(rowSel_, last);
    layoutScrolling();
}

void FlexGrid::setCols(int cols) {
    if (cols < fixedCols_) throw ControlErrors::invalidPropertyValue();
    const int before = columnCount();
    setColumnCount(cols);
    colTwips_.resize(size_t(cols), toTwips(horizontalHeader()->defaultSectionSize()));
    colAlignment_.resize(size_t(cols), 9);
    fixedAlignment_.resize(size_t(cols), 9);
    for (int c = before; c < cols; ++c)
        applyColumnWidth(c);
    const int last = std::max(0, cols - 1);
    col_ = std::min(col_, last);
    colSel_ = std::min(colSel_, last);
    layoutScrolling();
}

void FlexGrid::setFixedRows(int rows) {
    if (rows < 0 || rows > rowCount()) throw ControlErrors::invalidPropertyValue();
    // The scrolled-away rows stay scrolled away: the first row shown moves with the fixed ones.
    topRow_ = rows + std::max(0, topRow_ - fixedRows_);
    fixedRows_ = rows;
    if (row_ < rows && rows < rowCount()) row_ = rowSel_ = rows;
    layoutScrolling();
    viewport()->update();
}

void FlexGrid::setFixedCols(int cols) {
    if (cols < 0 || cols > columnCount()) throw ControlErrors::invalidPropertyValue();
    leftCol_ = cols + std::max(0, leftCol_ - fixedCols_);
    fixedCols_ = cols;
    if (col_ < cols && cols < columnCount()) col_ = colSel_ = cols;
    layoutScrolling();
    viewport()->update();
}

void FlexGrid::checkCell(int row, int col) const {
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        throw ControlErrors::invalidPropertyArrayIndex();
}

void FlexGrid::checkRow(int row) const {
    if (row < 0 || row >= rowCount()) throw ControlErrors::invalidPropertyArrayIndex();
}

void FlexGrid::checkCol(int col) const {
    if (col < 0 || col >= columnCount()) throw ControlErrors::invalidPropertyArrayIndex();
}

QString FlexGrid::TextMatrix(int row, int col) const {
    checkCell(row, col);
    const QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    checkCell(row, col);
    if (QTableWidgetItem* cell = item(row, col)) {
        if (cell->text() != text) cell->setText(text);
        return;
    }
    if (!text.isEmpty()) setItem(row, col, new QTableWidgetItem(text));
}

QString FlexGrid::Text() const {
    return TextMatrix(row_, col_);
}
void FlexGrid::setText(const QString& text) {
    setTextMatrix(row_, col_, text);
}

void FlexGrid::setRow(int row) {
    checkRow(row);
    row_ = rowSel_ = row;
    viewport()->update();
}

void FlexGrid::setCol(int col) {
    checkCol(col);
    col_ = colSel_ = col;
    viewport()->update();
}

void FlexGrid::setRowSel(int row) {
    checkRow(row);
    rowSel_ = row;
    viewport()->update();
}

void FlexGrid::setColSel(int col) {
    checkCol(col);
    colSel_ = col;
    viewport()->update();
}

bool FlexGrid::isSelectedCell(int row, int col) const {
    return row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_) &&
           col >= std::min(col_, colSel_) && col <= std::max(col_, colSel_);
}

void FlexGrid::setTopRow(int row) {
    checkRow(row);
    scrollTo(row, leftCol_);
}

void FlexGrid::setLeftCol(int col) {
    checkCol(col);
    scrollTo(topRow_, col);
}

QString FlexGrid::Clip() const {
    QString text;
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    for (int r = r0; r <= r1; ++r) {
        if (r > r0) text += QLatin1Char('\r');
        for (int c = c0; c <= c1; ++c) {
            if (c > c0) text += QLatin1Char('\t');
            text += TextMatrix(r, c);
        }
    }
    return text;
}

void FlexGrid::setClip(const QString& text) {
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    const QStringList lines = text.split(QLatin1Char('\r'));
    for (int i = 0; i < lines.size() && r0 + i <= r1; ++i) {
        const QStringList cells = lines[i].split(QLatin1Char('\t'));
        for (int j = 0; j < cells.size() && c0 + j <= c1; ++j)
            setTextMatrix(r0 + i, c0 + j, cells[j]);
    }
}

int FlexGrid::ColWidth(int col) const {
    checkCol(col);
    return colTwips_[size_t(col)];
}

void FlexGrid::setColWidth(int col, int twips) {
    checkCol(col);
    if (twips < 0) throw ControlErrors::invalidPropertyValue();
    colTwips_[size_t(col)] = twips;
    applyColumnWidth(col);
    layoutScrolling();
}

void FlexGrid::applyColumnWidth(int col) {
    setColumnWidth(col, toPixels(colTwips_[size_t(col)]));
}

int FlexGrid::RowHeight(int row) const {
    checkRow(row);
    return toTwips(rowPx(row));
}

void FlexGrid::setRowHeight(int row, int twips) {
    checkRow(row);
    if (twips < 0) throw ControlErrors::invalidPropertyValue();
    QTableWidget::setRowHeight(row, toPixels(twips));
    layoutScrolling();
}

int FlexGrid::ColAlignment(int col) const {
    checkCol(col);
    return colAlignment_[size_t(col)];
}

void FlexGrid::setColAlignment(int col, int code) {
    checkCol(col);
    if (code < 0 || code > 9) throw ControlErrors::invalidPropertyValue();
    colAlignment_[size_t(col)] = code;
    viewport()->update();
}

int FlexGrid::FixedAlignment(int col) const {
    checkCol(col);
    return fixedAlignment_[size_t(col)];
}

void FlexGrid::setFixedAlignment(int col, int code) {
    checkCol(col);
    if (code < 0 || code > 9) throw ControlErrors::invalidPropertyValue();
    fixedAlignment_[size_t(col)] = code;
    viewport()->update();
}

bool FlexGrid::ColIsVisible(int col) const {
    checkCol(col);
    if (isColumnHidden(col)) return false;
    const int x = columnViewportPosition(col);
    return x < viewport()->width() && x + columnWidth(col) > 0;
}

bool FlexGrid::RowIsVisible(int row) const {
    checkRow(row);
    if (isRowHidden(row)) return false;
    const int y = rowViewportPosition(row);
    return y < viewport()->height() && y + rowHeight(row) > 0;
}

QPoint FlexGrid::viewportOrigin() const {
    return viewport()->mapTo(this, QPoint(0, 0));
}

int FlexGrid::CellLeft() const {
    return toTwips(viewportOrigin().x() + columnViewportPosition(col_));
}
int FlexGrid::CellTop() const {
    return toTwips(viewportOrigin().y() + rowViewportPosition(row_));
}
int FlexGrid::CellWidth() const {
    return toTwips(colPx(col_));
}
int FlexGrid::CellHeight() const {
    return toTwips(rowPx(row_));
}
int FlexGrid::Left() const {
    return toTwips(x());
}
int FlexGrid::Top() const {
    return toTwips(y());
}
int FlexGrid::Width() const {
    return toTwips(width());
}
int FlexGrid::Height() const {
    return toTwips(height());
}

void FlexGrid::setMousePointer(int pointer) {
    mousePointer_ = pointer;
    if (pointer == 2)
        viewport()->setCursor(Qt::CrossCursor);
    else
        viewport()->unsetCursor();
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

void FlexGrid::setForeColor(std::int64_t color) {
    foreColor_ = color;
    viewport()->update();
}

void FlexGrid::AddItem(const QString& text, std::optional<int> index) {
    const int at = index.value_or(rowCount());
    if (at < 0 || at > rowCount()) throw ControlErrors::invalidPropertyValue();
    insertRow(at);
    const QStringList cells = text.split(QLatin1Char('\t'));
    for (int c = 0; c < cells.size() && c < columnCount(); ++c)
        if (!cells[c].isEmpty()) setTextMatrix(at, c, cells[c]);
    layoutScrolling();
}

void FlexGrid::RemoveItem(int index) {
    checkRow(index);
    if (index < fixedRows_ || rowCount() - fixedRows_ <= 1) throw ControlErrors::invalidPropertyValue();
    removeRow(index);
    const int last = rowCount() - 1;
    row_ = std::min(row_, last);
    rowSel_ = std::min(rowSel_, last);
    layoutScrolling();
}

// --- Scrolling ---

// A row scrolled away is hidden and measures 0: it counts with the height it has when shown (the rows that
// scroll all have the grid's row height), a column with the width it was given.
int FlexGrid::rowPx(int row) const {
    return isRowHidden(row) ? verticalHeader()->defaultSectionSize() : rowHeight(row);
}
int FlexGrid::colPx(int col) const {
    return toPixels(colTwips_[size_t(col)]);
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

// --- Mouse and keys ---

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
    emit MouseDown(buttonOf(event->button()), shiftOf(event->modifiers()), float(toTwips(at.x())),
                   float(toTwips(at.y())));
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
    emit MouseMove(button, shiftOf(event->modifiers()), float(toTwips(at.x())), float(toTwips(at.y())));
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    const QPoint at = event->position().toPoint() + viewportOrigin();
    emit MouseUp(buttonOf(event->button()), shiftOf(event->modifiers()), float(toTwips(at.x())),
                 float(toTwips(at.y())));
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
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    emit KeyDown(event->key(), shiftOf(event->modifiers()));
    int row = shift ? rowSel_ : row_, col = shift ? colSel_ : col_;
    const int firstRow = std::min(fixedRows_, rowCount() - 1),
              firstCol = std::min(fixedCols_, columnCount() - 1);
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
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit KeyPress(13);
    } else if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !event->text().isEmpty()) {
        emit KeyPress(event->text().at(0).unicode());
    }
    // Nothing else: no copy on Ctrl+C, no editing, no navigation on Enter.
    event->accept();
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
