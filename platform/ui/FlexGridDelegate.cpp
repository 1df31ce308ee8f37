#include "FlexGridDelegate.h"

#include "FlexGrid.h"
#include "platform/runtime/Color.h"

#include <QPainter>

namespace platform {

namespace {

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

} // namespace

FlexGridDelegate::FlexGridDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void FlexGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
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

void FlexGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
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
    option->displayAlignment =
        alignmentOf(fixed && row < grid_->FixedRows() ? grid_->FixedAlignment(col) : grid_->ColAlignment(col),
                    option->text);
}

} // namespace platform
