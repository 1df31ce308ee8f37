#pragma once

#include "PictureBox.h"

namespace platform {

// The page window's own drawing surface: a picture that fills its page and lies behind the page's other
// children (its picture boxes), so that a page draws on itself, its header and footer, as on any picture.
// It follows the page's size; a new size clears the drawing, and the page redraws on resized(). A click
// on it is a click on the page's free area (mousePressed).
class PageSurface : public PictureBox {
    Q_OBJECT
public:
    explicit PageSurface(QWidget* page);

signals:
    void resized();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitPage();
};

} // namespace platform
