#include "Ordnerbaum.h"

#include <QScrollBar>
#include <QTimer>

Ordnerbaum::Ordnerbaum(QWidget* parent) : QTreeView(parent) {
    // The scroll bar announces each step the user makes with it (an arrow, the groove, the handle dragged)
    // right before it moves; a move the view makes itself comes without one.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] {
        if (leiste_) return;
        leiste_ = true;
        QTimer::singleShot(0, this, [this] { leiste_ = false; });
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (nutzerAm())
            obenMerken();
        else
            obenHalten();
    });
}

void Ordnerbaum::setModel(QAbstractItemModel* model) {
    if (QAbstractItemModel* vorher = this->model()) vorher->disconnect(this);
    // The folder at the top is noted before the view hears of a change (it forgets its rows first), and put
    // back after the view has taken the change.
    if (model) {
        for (const auto vorher :
             {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved})
            connect(model, vorher, this, &Ordnerbaum::obenMerken);
        connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, &Ordnerbaum::obenMerken);
    }
    QTreeView::setModel(model);
    if (model) {
        for (const auto nachher : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, nachher, this, &Ordnerbaum::obenHalten);
        connect(model, &QAbstractItemModel::layoutChanged, this, &Ordnerbaum::obenHalten);
    }
}

void Ordnerbaum::festhalten() {
    steht_ = true;
}

void Ordnerbaum::obenMerken() {
    if (steht_ && isVisible()) oben_ = QPersistentModelIndex(indexAt(QPoint(0, 0)));
}

void Ordnerbaum::obenHalten() {
    if (!steht_ || !isVisible() || !oben_.isValid() || indexAt(QPoint(0, 0)) == QModelIndex(oben_)) return;
    scrollTo(oben_, QAbstractItemView::PositionAtTop);
}

void Ordnerbaum::wheelEvent(QWheelEvent* event) {
    alsNutzer([&] { QTreeView::wheelEvent(event); });
}

void Ordnerbaum::keyPressEvent(QKeyEvent* event) {
    alsNutzer([&] { QTreeView::keyPressEvent(event); });
}

void Ordnerbaum::mousePressEvent(QMouseEvent* event) {
    alsNutzer([&] { QTreeView::mousePressEvent(event); });
}

void Ordnerbaum::mouseReleaseEvent(QMouseEvent* event) {
    alsNutzer([&] { QTreeView::mouseReleaseEvent(event); });
}

void Ordnerbaum::mouseDoubleClickEvent(QMouseEvent* event) {
    alsNutzer([&] { QTreeView::mouseDoubleClickEvent(event); });
}

void Ordnerbaum::mouseMoveEvent(QMouseEvent* event) {
    alsNutzer([&] { QTreeView::mouseMoveEvent(event); });
}
