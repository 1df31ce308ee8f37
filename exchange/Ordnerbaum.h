#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>

// The folder tree of the export/import dialog, which only the user moves once it stands: the folder at the
// top of the rows in view stays there whatever else happens, so that a click lands on the folder the user
// aimed at. Its model reading a folder late or again, inserting or removing rows above those in view, or
// sorting them anew, and the view itself bringing its current row into view, move nothing; the wheel, the
// keys, the mouse and the scroll bar do.
//
//   Ordnerbaum baum;
//   baum.setModel(&modell);
//   baum.scrollTo(ordner);  // where it opens
//   baum.festhalten();      // from now on only the user moves it
class Ordnerbaum : public QTreeView {
public:
    explicit Ordnerbaum(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // From now on only the user moves the rows in view.
    void festhalten();
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
    // The folder at the top of the rows in view, noted before the model changes its rows and whenever the
    // user moves the tree, and put back at the top after anything else moved it.
    void obenMerken();
    void obenHalten();

    int nutzerAm_ = 0;
    bool leiste_ = false; // the user works the scroll bar
    bool steht_ = false;  // festhalten() was called
    QPersistentModelIndex oben_;
};
