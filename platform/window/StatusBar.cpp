#include "StatusBar.h"

#include "../runtime/VbError.h"
#include "Twips.h"

#include <QFontMetrics>
#include <QMouseEvent>

namespace platform {

StatusPanel::StatusPanel(int index, QWidget* parent) : QLabel(parent), index_(index) {
    setMargin(2);
    setTextFormat(Qt::PlainText);
}

void StatusPanel::setText_(const QString& text) {
    setText(text);
    fit();
}

void StatusPanel::setBevel(int bevel) {
    bevel_ = bevel;
    switch (bevel) {
    case Inset: setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case Raised: setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    default: setFrameStyle(QFrame::StyledPanel | QFrame::Sunken); break;
    }
    setLineWidth(bevel == NoBevel ? 1 : 2);
    if (bevel != NoBevel) setAlignment(Qt::AlignCenter);
}

void StatusPanel::setWidths(double widthTwips, double minWidthTwips, int autoSize) {
    widthPx_ = twipsToPixels(widthTwips);
    minWidthPx_ = twipsToPixels(minWidthTwips);
    autoSize_ = autoSize;
    fit();
}

void StatusPanel::fit() {
    if (autoSize_ == Contents) {
        const int needed = fontMetrics().horizontalAdvance(text()) + 2 * margin() + 2 * frameWidth() + 8;
        setFixedWidth(std::max(minWidthPx_, needed));
    } else if (autoSize_ == Spring) {
        setMinimumWidth(minWidthPx_);
        setMaximumWidth(QWIDGETSIZE_MAX);
    } else {
        setFixedWidth(std::max(minWidthPx_, widthPx_));
    }
}

void StatusPanel::mousePressEvent(QMouseEvent* event) {
    emit pressed(index_);
    QLabel::mousePressEvent(event);
}

void StatusPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) emit clicked(index_);
    QLabel::mouseReleaseEvent(event);
}

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) { setSizeGripEnabled(false); }

StatusPanel* StatusBar::addPanel(const QString& text, double widthTwips, double minWidthTwips, int autoSize,
                                 int bevel, bool visible) {
    auto* panel = new StatusPanel(int(panels_.size()) + 1, this);
    panel->setBevel(bevel);
    panel->setText_(text);
    panel->setWidths(widthTwips, minWidthTwips, autoSize);
    addPermanentWidget(panel, autoSize == StatusPanel::Spring ? 1 : 0);
    panel->setVisible(visible);
    panels_.push_back(panel);
    connect(panel, &StatusPanel::pressed, this, [this, panel](int index) { emit panelMouseDown(index, panel->x()); });
    connect(panel, &StatusPanel::clicked, this, &StatusBar::PanelClick);
    return panel;
}

StatusPanel* StatusBar::Panels(int index) const {
    if (index < 1 || index > int(panels_.size())) throw VbError::subscriptOutOfRange();
    return panels_[index - 1];
}

} // namespace platform
