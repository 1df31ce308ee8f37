#pragma once

#include <QStyledItemDelegate>

namespace platform {

class FlexGrid;

// Paints a cell of a grid as the grid's numbers say: the fixed colour for fixed cells, the highlight for
// the selected block, the column's alignment, the grid's text colour, and a dotted frame around the
// current cell while the grid has the focus.
class FlexGridDelegate : public QStyledItemDelegate {
public:
    explicit FlexGridDelegate(FlexGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    FlexGrid* grid_;
};

} // namespace platform
