#include "PictureBox.h"

#include <cmath>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace platform {

// A scroll bar of the picture as a Qt scroll bar, placed in the picture's millimetres.
class PictureBox::Bar : public ScrollBar {
public:
    Bar(Qt::Orientation orientation, PictureBox* box) : box_(box), bar_(new QScrollBar(orientation, box)) {
        bar_->hide();
    }
    int Value() const override { return bar_->value(); }
    void setValue(int value) override { bar_->setValue(value); }
    int Min() const override { return bar_->minimum(); }
    void setMin(int value) override { bar_->setMinimum(value); }
    int Max() const override { return bar_->maximum(); }
    void setMax(int value) override { bar_->setMaximum(value); }
    int LargeChange() const override { return bar_->pageStep(); }
    void setLargeChange(int value) override {
        checkChange(value);
        bar_->setPageStep(value);
    }
    int SmallChange() const override { return bar_->singleStep(); }
    void setSmallChange(int value) override {
        checkChange(value);
        bar_->setSingleStep(value);
    }
    bool Visible() const override { return !bar_->isHidden(); }
    void setVisible(bool visible) override { bar_->setVisible(visible); }
    float Left() const override { return left_; }
    float Top() const override { return top_; }
    float Width() const override { return width_; }
    float Height() const override { return height_; }
    void setLeft(float mm) override { place(left_ = mm); }
    void setTop(float mm) override { place(top_ = mm); }
    void setWidth(float mm) override { place(width_ = mm); }
    void setHeight(float mm) override { place(height_ = mm); }
    QScrollBar* widget() const { return bar_; }

private:
    void place(float) {
        const double k = box_->surface().pixelsPerMmX();
        bar_->setGeometry(int(std::lround(left_ * k)), int(std::lround(top_ * k)),
                          int(std::lround(width_ * k)), int(std::lround(height_ * k)));
    }
    PictureBox* box_;
    QScrollBar* bar_; // owned by the box
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), surface_(1, 1) {
    hbar_ = std::make_unique<Bar>(Qt::Horizontal, this);
    vbar_ = std::make_unique<Bar>(Qt::Vertical, this);
}

PictureBox::~PictureBox() = default;

void PictureBox::setGeometryMm(float left, float top, float width, float height) {
    const double k = surface_.pixelsPerMmX();
    surface_.resize(width, height);
    setGeometry(int(std::lround(left * k)), int(std::lround(top * k)), surface_.image().width(),
                surface_.image().height());
    placedAt_ = pos();
    leftMm_ = left;
    topMm_ = top;
    update();
}

float PictureBox::leftMm() const {
    return pos() == placedAt_ ? leftMm_ : float(x() / surface_.pixelsPerMmX());
}
float PictureBox::topMm() const {
    return pos() == placedAt_ ? topMm_ : float(y() / surface_.pixelsPerMmY());
}

ScrollBar& PictureBox::horizontalScrollBar() {
    return *hbar_;
}
ScrollBar& PictureBox::verticalScrollBar() {
    return *vbar_;
}
QScrollBar* PictureBox::horizontalScrollBarWidget() {
    return hbar_->widget();
}
QScrollBar* PictureBox::verticalScrollBarWidget() {
    return vbar_->widget();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, surface_.image());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit mousePressed(event->button(), float(p.x() / surface_.pixelsPerMmX()),
                      float(p.y() / surface_.pixelsPerMmY()));
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    emit mouseMoved(float(p.x() / surface_.pixelsPerMmX()), float(p.y() / surface_.pixelsPerMmY()));
    QWidget::mouseMoveEvent(event);
}

} // namespace platform
