// The grid: current cell and selection, fixed rows and columns that stay while the rest scrolls, the block
// as text, rows added and removed, and its events in the order the grid editor relies on.
#include "platform/ui/FlexGrid.h"
#include "platform/runtime/VbError.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>

using namespace platform;

namespace {

long errorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const VbError& e) {
        return e.Number();
    }
    return 0;
}

// A shown grid of 30 rows and 10 columns, one of each fixed, that records its events.
struct Gitter {
    QWidget form;
    FlexGrid* grid = new FlexGrid(&form);
    QStringList ereignisse;
    Gitter() {
        form.resize(500, 300);
        grid->setGeometry(0, 0, 400, 200);
        grid->setRows(30);
        grid->setCols(10);
        for (int c = 0; c < 10; ++c)
            grid->setColWidth(c, 1200); // 80 pixels
        form.show();
        QObject::connect(grid, &FlexGrid::MouseDown, [this](int b, int, float, float) {
            ereignisse << QStringLiteral("MouseDown%1").arg(b);
        });
        QObject::connect(grid, &FlexGrid::MouseUp, [this](int b, int, float, float) {
            ereignisse << QStringLiteral("MouseUp%1").arg(b);
        });
        QObject::connect(grid, &FlexGrid::Click, [this] { ereignisse << "Click"; });
        QObject::connect(grid, &FlexGrid::DblClick, [this] { ereignisse << "DblClick"; });
        QObject::connect(grid, &FlexGrid::EnterCell, [this] {
            ereignisse << QStringLiteral("EnterCell%1,%2").arg(grid->Row()).arg(grid->Col());
        });
        QObject::connect(grid, &FlexGrid::LeaveCell, [this] {
            ereignisse << QStringLiteral("LeaveCell%1,%2").arg(grid->Row()).arg(grid->Col());
        });
        QObject::connect(grid, &FlexGrid::KeyDown,
                         [this](int k, int) { ereignisse << QStringLiteral("KeyDown%1").arg(k); });
        QObject::connect(grid, &FlexGrid::KeyPress,
                         [this](int k) { ereignisse << QStringLiteral("KeyPress%1").arg(k); });
        QObject::connect(grid, &FlexGrid::Scroll, [this] {
            ereignisse << QStringLiteral("Scroll%1,%2").arg(grid->TopRow()).arg(grid->LeftCol());
        });
    }
    QPoint mitte(int r, int c) const {
        return QPoint(grid->columnViewportPosition(c) + grid->columnWidth(c) / 2,
                      grid->rowViewportPosition(r) + grid->rowHeight(r) / 2);
    }
    void maus(QEvent::Type typ, int r, int c, Qt::MouseButtons gedrueckt) {
        const QPoint p = mitte(r, c);
        QMouseEvent e(typ, QPointF(p), grid->viewport()->mapToGlobal(QPointF(p)), Qt::LeftButton, gedrueckt,
                      Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &e);
    }
    void taste(int key, Qt::KeyboardModifiers mod = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent e(QEvent::KeyPress, key, mod, text);
        QApplication::sendEvent(grid, &e);
    }
};

TEST(FlexGridAuswahl, AClickAndADragAndTheirEventsInOrder) {
    Gitter g;
    g.maus(QEvent::MouseButtonPress, 2, 3, Qt::LeftButton);
    g.maus(QEvent::MouseMove, 4, 5, Qt::LeftButton);
    g.maus(QEvent::MouseButtonRelease, 4, 5, Qt::NoButton);
    EXPECT_EQ(g.ereignisse, (QStringList{"LeaveCell1,1", "EnterCell2,3", "MouseDown1", "MouseUp1", "Click"}));
    EXPECT_EQ(g.grid->Row(), 2);
    EXPECT_EQ(g.grid->Col(), 3);
    EXPECT_EQ(g.grid->RowSel(), 4);
    EXPECT_EQ(g.grid->ColSel(), 5);
    EXPECT_TRUE(g.grid->isSelectedCell(3, 4));
    EXPECT_FALSE(g.grid->isSelectedCell(5, 4));

    g.ereignisse.clear();
    g.maus(QEvent::MouseButtonPress, 2, 3, Qt::LeftButton);
    g.maus(QEvent::MouseButtonRelease, 2, 3, Qt::NoButton);
    g.maus(QEvent::MouseButtonDblClick, 2, 3, Qt::LeftButton);
    g.maus(QEvent::MouseButtonRelease, 2, 3, Qt::NoButton);
    EXPECT_EQ(g.ereignisse, (QStringList{"MouseDown1", "MouseUp1", "Click", "DblClick", "MouseUp1"}));
    EXPECT_EQ(g.grid->RowSel(), 2);

    // A press on a fixed cell moves nothing.
    g.maus(QEvent::MouseButtonPress, 0, 4, Qt::LeftButton);
    EXPECT_EQ(g.grid->Row(), 2);
}

TEST(FlexGridAuswahl, KeysMoveTheCurrentCellEnterAndCharactersAreKeyPresses) {
    Gitter g;
    g.taste(Qt::Key_Down);
    g.taste(Qt::Key_Right);
    EXPECT_EQ(g.grid->Row(), 2);
    EXPECT_EQ(g.grid->Col(), 2);
    g.taste(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(g.grid->Row(), 2);
    EXPECT_EQ(g.grid->RowSel(), 3);
    g.taste(Qt::Key_Up);
    g.taste(Qt::Key_Up);
    g.taste(Qt::Key_Up); // not into the fixed row
    EXPECT_EQ(g.grid->Row(), 1);
    g.ereignisse.clear();
    g.taste(Qt::Key_Return, Qt::NoModifier, "\r");
    g.taste(Qt::Key_5, Qt::NoModifier, "5");
    g.taste(Qt::Key_C, Qt::ControlModifier, "\x03");
    EXPECT_EQ(g.ereignisse,
              (QStringList{"KeyDown16777220", "KeyPress13", "KeyDown53", "KeyPress53", "KeyDown67"}));
    EXPECT_EQ(g.grid->Row(), 1); // Enter moves nothing
}

// Tab and Shift+Tab stop at the columns the owner names, as a spreadsheet passes over its locked cells: one
// move with one pair of cell events. The arrow keys still reach every column.
TEST(FlexGridAuswahl, TabPassesOverTheColumnsThatAreNoTabStop) {
    Gitter g;
    g.grid->setTabStop([](int c) { return c != 2 && c < 8; });
    g.taste(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(g.ereignisse, (QStringList{"KeyDown16777217", "LeaveCell1,1", "EnterCell1,3", "KeyPress9"}));
    g.grid->setCol(7);
    g.taste(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(g.grid->Row(), 2);
    EXPECT_EQ(g.grid->Col(), 1);
    g.taste(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(g.grid->Row(), 1);
    EXPECT_EQ(g.grid->Col(), 7);
    g.taste(Qt::Key_Right);
    EXPECT_EQ(g.grid->Col(), 8);
    // With no stop left ahead the cell stays; without a test every column is one again.
    g.grid->setRow(29);
    g.grid->setCol(7);
    g.ereignisse.clear();
    g.taste(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_TRUE(g.ereignisse.filter("Cell").isEmpty());
    EXPECT_EQ(g.ereignisse.last(), "KeyPress9");
    EXPECT_EQ(g.grid->Row(), 29);
    EXPECT_EQ(g.grid->Col(), 7);
    g.grid->setTabStop({});
    g.taste(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(g.grid->Col(), 8);
}

TEST(FlexGridRollen, FixedRowsAndColumnsStayWhileTheRestScrolls) {
    Gitter g;
    EXPECT_EQ(g.grid->TopRow(), 1);
    EXPECT_TRUE(g.grid->RowIsVisible(1));
    EXPECT_FALSE(g.grid->RowIsVisible(29));
    g.grid->setTopRow(10);
    EXPECT_EQ(g.ereignisse, QStringList{"Scroll10,1"});
    EXPECT_TRUE(g.grid->RowIsVisible(0));
    EXPECT_FALSE(g.grid->RowIsVisible(9));
    EXPECT_TRUE(g.grid->RowIsVisible(10));
    EXPECT_EQ(g.grid->rowViewportPosition(10), g.grid->rowHeight(0));
    g.grid->setLeftCol(4);
    EXPECT_TRUE(g.grid->ColIsVisible(0));
    EXPECT_FALSE(g.grid->ColIsVisible(3));
    EXPECT_EQ(g.grid->columnViewportPosition(4), g.grid->columnWidth(0));
    // Not beyond the last page.
    g.grid->setTopRow(29);
    EXPECT_LT(g.grid->TopRow(), 29);
    EXPECT_TRUE(g.grid->RowIsVisible(29));
    // Scrolled to the end, the grid stays there when it is laid out again; fewer rows scroll it back.
    g.grid->setTopRow(g.grid->Rows() - 1);
    const int ende = g.grid->TopRow();
    g.grid->resize(400, 201);
    EXPECT_EQ(g.grid->TopRow(), ende);
    g.ereignisse.clear();
    g.grid->setRows(12);
    EXPECT_LT(g.grid->TopRow(), ende);
    EXPECT_TRUE(g.grid->RowIsVisible(11));
    EXPECT_EQ(g.ereignisse, QStringList{QStringLiteral("Scroll%1,4").arg(g.grid->TopRow())});
    EXPECT_FALSE(g.grid->RowIsVisible(2));
    EXPECT_EQ(g.grid->RowHeight(2), g.grid->RowHeight(11)); // also while scrolled away
    g.grid->setRows(30);
    // The keys scroll the current cell into view.
    g.grid->setTopRow(1);
    g.grid->setRow(1);
    for (int i = 0; i < 20; ++i)
        g.taste(Qt::Key_Down);
    EXPECT_EQ(g.grid->Row(), 21);
    EXPECT_TRUE(g.grid->RowIsVisible(21));
    EXPECT_GT(g.grid->TopRow(), 1);
    // The current cell's place follows the scrolling, in twips.
    EXPECT_EQ(g.grid->CellTop(),
              15 * (g.grid->viewport()->mapTo(g.grid, QPoint(0, g.grid->rowViewportPosition(21))).y()));
    EXPECT_EQ(g.grid->CellWidth(), 1200);
}

TEST(FlexGridText, TheBlockAsTextAndRowsAddedAndRemoved) {
    Gitter g;
    g.grid->setCols(4);
    g.grid->setRows(5);
    for (int r = 1; r < 5; ++r)
        for (int c = 1; c < 4; ++c)
            g.grid->setTextMatrix(r, c, QStringLiteral("%1%2").arg(r).arg(c));
    g.grid->setRow(1);
    g.grid->setCol(1);
    g.grid->setRowSel(2);
    g.grid->setColSel(3);
    EXPECT_EQ(g.grid->Clip(), QStringLiteral("11\t12\t13\r21\t22\t23"));
    // Into a block of 2 x 2 from (3, 2): what lies outside the block is dropped, what the text misses stays.
    g.grid->setRow(3);
    g.grid->setCol(2);
    g.grid->setRowSel(4);
    g.grid->setColSel(3);
    g.grid->setClip(QStringLiteral("a\tb\tc\rd"));
    EXPECT_EQ(g.grid->TextMatrix(3, 2), "a");
    EXPECT_EQ(g.grid->TextMatrix(3, 3), "b");
    EXPECT_EQ(g.grid->TextMatrix(4, 2), "d");
    EXPECT_EQ(g.grid->TextMatrix(4, 3), "43");
    EXPECT_EQ(g.grid->Text(), "a");

    g.grid->AddItem(QStringLiteral("x\ty"), 2);
    EXPECT_EQ(g.grid->Rows(), 6);
    EXPECT_EQ(g.grid->TextMatrix(2, 0), "x");
    EXPECT_EQ(g.grid->TextMatrix(2, 1), "y");
    EXPECT_EQ(g.grid->TextMatrix(3, 1), "21");
    g.grid->RemoveItem(2);
    EXPECT_EQ(g.grid->TextMatrix(2, 1), "21");
    g.grid->setRow(4);
    g.grid->RemoveItem(4);
    EXPECT_EQ(g.grid->Row(), 3);
    EXPECT_EQ(errorNumber([&] { g.grid->RemoveItem(0); }), 380);
    g.grid->setRows(2);
    EXPECT_EQ(errorNumber([&] { g.grid->RemoveItem(1); }), 380);
    EXPECT_EQ(errorNumber([&] { g.grid->setRow(2); }), 381);
    EXPECT_EQ(errorNumber([&] { g.grid->setColWidth(9, 100); }), 381);
}

TEST(FlexGridText, AlignmentsWidthsAndThePointer) {
    Gitter g;
    g.grid->setColWidth(2, 964);
    EXPECT_EQ(g.grid->ColWidth(2), 964);
    EXPECT_EQ(g.grid->columnWidth(2), 64);
    g.grid->setColAlignment(2, 7);
    g.grid->setFixedAlignment(2, 4);
    EXPECT_EQ(g.grid->ColAlignment(2), 7);
    EXPECT_EQ(g.grid->FixedAlignment(2), 4);
    EXPECT_EQ(errorNumber([&] { g.grid->setColAlignment(2, 10); }), 380);
    g.grid->setMousePointer(2);
    EXPECT_EQ(g.grid->viewport()->cursor().shape(), Qt::CrossCursor);
    g.grid->setMousePointer(0);
    EXPECT_EQ(g.grid->MousePointer(), 0);
}

} // namespace
