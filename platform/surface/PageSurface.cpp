#include "PageSurface.h"

#include <QEvent>

namespace platform {

PageSurface::PageSurface(QWidget* page) : PictureBox(page) {
    fitPage();
    page->installEventFilter(this);
}

void PageSurface::fitPage() {
    const QWidget* page = parentWidget();
    const double k = surface().pixelsPerMmX();
    setGeometryMm(0, 0, float(page->width() / k), float(page->height() / k));
    lower();
}

bool PageSurface::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        fitPage();
        emit resized();
    }
    return PictureBox::eventFilter(watched, event);
}

} // namespace platform
