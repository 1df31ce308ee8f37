#pragma once

#include <functional>
#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <vector>

namespace platform {

// One panel of a status bar: a text with a tool tip, a width, and a bevel that shows it raised (a button at
// rest), inset (pressed) or flat (an information panel).
class StatusPanel : public QLabel {
    Q_OBJECT
public:
    enum Bevel { NoBevel = 0, Inset = 1, Raised = 2 };
    enum AutoSize { NoAutoSize = 0, Spring = 1, Contents = 2 };

    StatusPanel(int index, QWidget* parent);
    int Index() const { return index_; }
    QString Text() const { return text(); }
    void setText_(const QString& text);
    // The tool tip as it was given; it shows as plain text (names, folders and comments come from data).
    QString ToolTipText() const { return tip_; }
    void setToolTipText(const QString& tip);
    bool Visible() const { return !isHidden(); }
    void setVisible_(bool visible) { setVisible(visible); }
    int Bevel() const { return bevel_; }
    void setBevel(int bevel);
    // Width and minimum width in twips; the panel grows to its content when auto-sized.
    void setWidths(double widthTwips, double minWidthTwips, int autoSize);
    // Left edge and width in the status bar's pixels.
    int Left() const { return x(); }
    int Width() const { return width(); }
    // A panel asks for its width (a panel sized to its content: its text's width) and makes do with its
    // minimum, so that a long text never widens the status bar and with it the window.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void pressed(int index);
    void clicked(int index);

protected:
    // Draws the text cut to the panel's width, with an ellipsis where it was cut.
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fit();
    int contentWidth() const;
    int index_;
    QString tip_;
    int bevel_ = NoBevel;
    int autoSize_ = NoAutoSize;
    int minWidthPx_ = 0;
    int widthPx_ = 0;
};

// A status bar with numbered panels (1..n), addressed by their number as Panels(i).
class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);
    // Adds the next panel (its number is the count so far + 1).
    StatusPanel* addPanel(const QString& text, double widthTwips, double minWidthTwips, int autoSize,
                          int bevel = StatusPanel::NoBevel, bool visible = true);
    StatusPanel* Panels(int index) const;
    int PanelCount() const { return int(panels_.size()); }
    // The panels take what room there is; those that do not fit are cut at the right edge instead of
    // widening the window.
    QSize minimumSizeHint() const override;

signals:
    // The mouse went down over a panel (before the click).
    void panelMouseDown(int index, int x);
    // A panel was clicked.
    void PanelClick(int index);

private:
    std::vector<StatusPanel*> panels_;
};

} // namespace platform
