#pragma once

#include <QTreeView>

// The folder tree of the export/import dialog: a tree view that knows whether what moves its rows right now is
// the user's doing (the wheel, the keys, the mouse, its scroll bar) or anything else's (its model reading a
// folder, the view bringing its current row into view).
//
//   connect(baum->verticalScrollBar(), &QScrollBar::valueChanged, [&] {
//       if (!baum->nutzerAm()) ... // moved by something else: put it back
//   });
class Ordnerbaum : public QTreeView {
public:
    explicit Ordnerbaum(QWidget* parent = nullptr);

    // True while the tree handles an event of the user's.
    bool nutzerAm() const { return nutzerAm_ > 0 || leiste_; }

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    template <typename Handler> void alsNutzer(Handler handler) {
        ++nutzerAm_;
        handler();
        --nutzerAm_;
    }

    int nutzerAm_ = 0;
    bool leiste_ = false; // the user works the scroll bar
};
