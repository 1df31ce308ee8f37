#include "FlexGrid.h"

#include "ControlErrors.h"
#include "FlexGridDelegate.h"
#include "platform/runtime/Color.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>

namespace platform {

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
    // Tab moves between the cells rather than to the next control.
    setTabKeyNavigation(true);
    setAutoScroll(false);
    setWordWrap(false);
    setFocusPolicy(Qt::StrongFocus);
    setItemDelegate(new FlexGridDelegate(this));
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
        colTwips_.push_back(twOf(columnWidth(c)));
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
    colTwips_.resize(size_t(cols), twOf(horizontalHeader()->defaultSectionSize()));
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
    setColumnWidth(col, pxOf(colTwips_[size_t(col)]));
}

int FlexGrid::RowHeight(int row) const {
    checkRow(row);
    return twOf(rowPx(row));
}

void FlexGrid::setRowHeight(int row, int twips) {
    checkRow(row);
    if (twips < 0) throw ControlErrors::invalidPropertyValue();
    QTableWidget::setRowHeight(row, pxOf(twips));
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
    return twOf(viewportOrigin().x() + columnViewportPosition(col_));
}
int FlexGrid::CellTop() const {
    return twOf(viewportOrigin().y() + rowViewportPosition(row_));
}
int FlexGrid::CellWidth() const {
    return twOf(colPx(col_));
}
int FlexGrid::CellHeight() const {
    return twOf(rowPx(row_));
}
int FlexGrid::Left() const {
    return twOf(x());
}
int FlexGrid::Top() const {
    return twOf(y());
}
int FlexGrid::Width() const {
    return twOf(width());
}
int FlexGrid::Height() const {
    return twOf(height());
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

} // namespace platform
