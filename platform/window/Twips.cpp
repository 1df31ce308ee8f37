#include "Twips.h"

#include <QLabel>
#include <QWidget>

namespace platform {

void placeTwips(QWidget* control, double left, double top, double width, double height) {
    control->move(twipsToPixels(left), twipsToPixels(top));
    if (width > 0 && height > 0) control->setFixedSize(twipsToPixels(width), twipsToPixels(height));
}

void fitCaption(QLabel* label) {
    const int needed = label->sizeHint().width();
    if (needed > label->width()) label->setFixedWidth(needed);
}

} // namespace platform
