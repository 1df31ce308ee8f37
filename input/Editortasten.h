#pragma once

#include <QObject>

class clsFLX;

// The keys of a grid editor's in-place editors that a spreadsheet gives them: Tab and Shift+Tab close the
// editor through the value check, as Enter does, and go on to the next or the previous cell of the same
// grid; Esc closes it and leaves the cell as it was. A refused value keeps the editor open. On the grid,
// Tab in the cell that ends the last row appends the next row where Enter does.
class Editortasten : public QObject {
public:
    explicit Editortasten(clsFLX& editor) : editor_(editor) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    clsFLX& editor_;
};
