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
