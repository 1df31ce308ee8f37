#pragma once

#include "ImageSurface.h"
#include "ScrollBar.h"

#include <memory>
#include <QWidget>

class QScrollBar;

namespace platform {

// A picture box on a page: a window that shows the picture drawn on its surface. The drawing lives in
// the surface's image, so the window repaints from it and the page redraws only when asked.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // Places the box on its parent, in millimetres; the picture takes the new size and is cleared.
    void setGeometryMm(float left, float top, float width, float height);
    // The place on the parent in millimetres: exactly as given to setGeometryMm while the box stays there,
    // otherwise measured from its pixels.
    float leftMm() const;
    float topMm() const;

    ImageSurface& surface() { return surface_; }
    const ImageSurface& surface() const { return surface_; }
    const QImage& picture() const { return surface_.image(); }

    // The horizontal and vertical scroll bar that lies inside the picture (hidden until shown).
    ScrollBar& horizontalScrollBar();
    ScrollBar& verticalScrollBar();
    QScrollBar* horizontalScrollBarWidget();
    QScrollBar* verticalScrollBarWidget();

signals:
    void mousePressed(Qt::MouseButton button, float xMm, float yMm);
    // The pointer moved over the picture, with or without a button held.
    void mouseMoved(float xMm, float yMm);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    class Bar;
    ImageSurface surface_;
    QPoint placedAt_{-1, -1}; // the pixel position setGeometryMm gave the box
    float leftMm_ = 0, topMm_ = 0;
    std::unique_ptr<Bar> hbar_;
    std::unique_ptr<Bar> vbar_;
};

} // namespace platform
