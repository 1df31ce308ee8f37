// The controls of the forms: the members the program uses and the behaviour it relies on.
#include "platform/runtime/Color.h"
#include "platform/runtime/VbError.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/TextBox.h"

#include <gtest/gtest.h>
#include <QWidget>

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

TEST(CheckBox, AChangeFromTheProgramRunsTheClickHandlersAsAClickDoes) {
    QWidget form;
    CheckBox box(QStringLiteral("Gitter"), &form);
    std::vector<int> seen;
    QObject::connect(&box, &CheckBox::Click, [&] { seen.push_back(box.Value()); });
    box.setValue(1);
    box.setValue(1); // no change, no click
    box.setValue(2);
    box.click(); // greyed goes to ticked
    box.click();
    box.setValue(0);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 0}));
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(errorNumber([&] { box.setValue(3); }), 380);
    EXPECT_EQ(box.Caption(), QStringLiteral("Gitter"));
}

TEST(OptionButton, OneTickedClearsTheOthersAndTheProgramMayClearThemAll) {
    QWidget frame;
    OptionButton dry(QStringLiteral("trocken"), &frame);
    OptionButton wet(QStringLiteral("nass"), &frame);
    int clicks = 0;
    QObject::connect(&dry, &OptionButton::Click, [&] { ++clicks; });
    EXPECT_FALSE(dry.Value() || wet.Value());
    dry.setValue(true);
    EXPECT_EQ(clicks, 1);
    wet.setValue(true);
    EXPECT_FALSE(dry.Value());
    EXPECT_TRUE(wet.Value());
    wet.setValue(false);
    EXPECT_FALSE(dry.Value() || wet.Value());
    dry.click();
    EXPECT_TRUE(dry.Value());
    EXPECT_EQ(clicks, 2);
    // Still exclusive after being cleared.
    wet.click();
    EXPECT_FALSE(dry.Value());
}

TEST(TextBox, KeepsAnyTextWhole) {
    TextBox box;
    const QString text = QString(40000, QLatin1Char('a')) + QStringLiteral("'ß");
    box.setText(text);
    EXPECT_EQ(box.Text(), text);
}

TEST(Label, ShowsItsCaptionAsPlainText) {
    Label label(QStringLiteral("<b>fett</b>"));
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.Caption(), QStringLiteral("<b>fett</b>"));
    EXPECT_EQ(errorNumber([&] { label.Index(); }), 343);
    label.setIndex(2);
    EXPECT_EQ(label.Index(), 2);
}

TEST(ListBox, PositionsAndItems) {
    ListBox list;
    list.AddItem(QStringLiteral("b"));
    list.AddItem(QStringLiteral("a"), 0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.Text(), QString());
    EXPECT_EQ(list.List(-1), QString());
    EXPECT_EQ(list.List(5), QString());
    list.setListIndex(1);
    EXPECT_EQ(list.Text(), QStringLiteral("b"));
    list.setListIndex(-1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(errorNumber([&] { list.setListIndex(2); }), 380);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListCount(), 1);
}

TEST(ComboBox, AddingItemsSelectsNoneAndATypedTextIsNoItem) {
    for (bool editable : {true, false}) {
        SCOPED_TRACE(editable);
        ComboBox combo;
        combo.setEditable(editable);
        if (editable) combo.setText(QStringLiteral("vorher"));
        combo.AddItem(QStringLiteral("Proctor"));
        combo.AddItem(QStringLiteral("modifiziert"));
        EXPECT_EQ(combo.ListIndex(), -1);
        EXPECT_EQ(combo.Text(), editable ? QStringLiteral("vorher") : QString());
        combo.setText(QStringLiteral("modifiziert"));
        EXPECT_EQ(combo.ListIndex(), 1);
        combo.setListIndex(0);
        EXPECT_EQ(combo.Text(), QStringLiteral("Proctor"));
        EXPECT_EQ(errorNumber([&] { combo.setListIndex(2); }), 380);
        if (editable) {
            combo.setText(QStringLiteral("frei"));
            EXPECT_EQ(combo.ListIndex(), -1);
            EXPECT_EQ(combo.Text(), QStringLiteral("frei"));
        } else {
            EXPECT_EQ(errorNumber([&] { combo.setText(QStringLiteral("frei")); }), 383);
            EXPECT_EQ(combo.ListIndex(), 0);
        }
        combo.setListIndex(-1);
        EXPECT_EQ(combo.Text(), QString());
    }
}

TEST(FlexGrid, CellsRowsAndColours) {
    FlexGrid grid;
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.BackColor(), SystemColor::WindowBackground);
    EXPECT_EQ(grid.BackColorFixed(), SystemColor::ButtonFace);

    grid.setCols(3);
    grid.setRows(4);
    grid.setTextMatrix(0, 2, QStringLiteral("M1"));
    grid.setTextMatrix(3, 2, QStringLiteral("7,5"));
    EXPECT_EQ(grid.TextMatrix(3, 2), QStringLiteral("7,5"));
    EXPECT_EQ(grid.TextMatrix(2, 2), QString());
    EXPECT_TRUE(grid.isFixedCell(0, 2));
    EXPECT_TRUE(grid.isFixedCell(3, 0));
    EXPECT_FALSE(grid.isFixedCell(3, 2));

    struct Case {
        const char* name;
        std::function<void()> call;
        long error;
    };
    const std::vector<Case> cases{
        {"a row below the grid", [&] { grid.TextMatrix(4, 0); }, 381},
        {"a negative column", [&] { grid.setTextMatrix(0, -1, QString()); }, 381},
        {"fewer rows than fixed rows", [&] { grid.setRows(0); }, 380},
        {"more fixed rows than rows", [&] { grid.setFixedRows(5); }, 380},
        {"a grid outside a control array has no index", [&] { grid.Index(); }, 343},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorNumber(c.call), c.error);
    }

    // Rows come and go at the end; the cells above stay.
    grid.setRows(10);
    grid.setRows(4);
    EXPECT_EQ(grid.TextMatrix(3, 2), QStringLiteral("7,5"));
    grid.setRows(1);
    EXPECT_EQ(grid.Rows(), grid.FixedRows());

    grid.setBackColor(RGB(255, 255, 0));
    EXPECT_EQ(grid.palette().color(QPalette::Base), QColor(255, 255, 0));
    EXPECT_EQ(grid.BackColor(), RGB(255, 255, 0));
}

} // namespace
