#include "Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Pictures {

namespace {
// A compaction mould with its collar on a base plate, the rammer standing in it.
void drawApparatus(QPainter& p, const QRectF& r) {
    const double w = r.width(), h = r.height();
    auto X = [&](double f) { return r.left() + f * w; };
    auto Y = [&](double f) { return r.top() + f * h; };
    QLinearGradient steel(X(0), 0, X(1), 0);
    steel.setColorAt(0.0, QColor(90, 96, 104));
    steel.setColorAt(0.45, QColor(205, 210, 216));
    steel.setColorAt(1.0, QColor(80, 86, 94));
    p.setPen(QPen(QColor(40, 40, 40), std::max(1.0, w / 120)));
    // Base plate.
    p.setBrush(steel);
    p.drawRect(QRectF(X(0.04), Y(0.93), w * 0.92, h * 0.035));
    // Mould and collar.
    p.drawRect(QRectF(X(0.16), Y(0.78), w * 0.68, h * 0.15));
    p.drawRect(QRectF(X(0.19), Y(0.70), w * 0.62, h * 0.08));
    // Compacted soil seen at the top of the collar.
    p.setBrush(QColor(140, 100, 60));
    p.drawRect(QRectF(X(0.22), Y(0.705), w * 0.56, h * 0.02));
    // Rammer: foot, guide sleeve, rod and handle.
    p.setBrush(steel);
    p.drawRect(QRectF(X(0.30), Y(0.64), w * 0.40, h * 0.06));
    p.drawRect(QRectF(X(0.40), Y(0.28), w * 0.20, h * 0.36));
    p.drawRect(QRectF(X(0.47), Y(0.08), w * 0.06, h * 0.20));
    p.setBrush(QColor(60, 60, 60));
    p.drawRoundedRect(QRectF(X(0.34), Y(0.04), w * 0.32, h * 0.045), w * 0.03, w * 0.03);
    // Drop weight inside the sleeve.
    p.setBrush(QColor(120, 125, 132));
    p.drawRect(QRectF(X(0.43), Y(0.40), w * 0.14, h * 0.10));
}
QImage apparatusImage(const QSize& size, const QColor& background, const QRectF& area) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(background);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawApparatus(p, area);
    return img;
}
} // namespace

QImage apparatus() { return apparatusImage(QSize(241, 568), QColor(236, 236, 232), QRectF(8, 8, 225, 552)); }

QImage universityLogo() {
    QImage img(100, 100, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 70, 140));
    p.drawRect(10, 10, 80, 80);
    p.setBrush(Qt::white);
    QPainterPath layers;
    for (int i = 0; i < 3; ++i) layers.addRect(20, 26 + i * 18, 60, 8);
    p.drawPath(layers);
    p.setBrush(QColor(200, 150, 50));
    p.drawEllipse(QPointF(50, 78), 6, 6);
    return img;
}

QIcon programIcon() {
    return QIcon(QPixmap::fromImage(apparatusImage(QSize(64, 64), Qt::transparent, QRectF(4, 2, 56, 60))));
}

} // namespace Pictures
