#include "StatusBar.h"

#include "../runtime/VbError.h"
#include "PlainToolTip.h"
#include "Twips.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace platform {

StatusPanel::StatusPanel(int index, QWidget* parent) : QLabel(parent), index_(index) {
    setMargin(2);
    setTextFormat(Qt::PlainText);
}

void StatusPanel::setText_(const QString& text) {
    setText(text);
    fit();
}

void StatusPanel::setToolTipText(const QString& tip) {
    tip_ = tip;
    setToolTip(plainToolTip(tip));
}

void StatusPanel::setBevel(int bevel) {
    bevel_ = bevel;
    switch (bevel) {
    case Inset:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        break;
    case Raised:
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        break;
    default:
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        break;
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

int StatusPanel::contentWidth() const {
    return fontMetrics().horizontalAdvance(text()) + 2 * margin() + 2 * frameWidth() + 8;
}

void StatusPanel::fit() {
    // Each panel shrinks, down to its minimum, when the window is narrower than the panels' widths;
    // a command panel keeps its text readable.
    switch (autoSize_) {
    case Contents:
        setMinimumWidth(minWidthPx_);
        setMaximumWidth(std::max(minWidthPx_, contentWidth()));
        break;
    case Spring:
        setMinimumWidth(minWidthPx_);
        setMaximumWidth(QWIDGETSIZE_MAX);
        break;
    default: {
        const int full = std::max(minWidthPx_, widthPx_);
        setMinimumWidth(std::min(full, contentWidth()));
        setMaximumWidth(full);
        break;
    }
    }
    setSizePolicy(QSizePolicy::Preferred, sizePolicy().verticalPolicy());
    updateGeometry();
}

QSize StatusPanel::sizeHint() const {
    QSize size = QLabel::sizeHint();
    size.setWidth(maximumWidth() == QWIDGETSIZE_MAX ? minimumWidth() : maximumWidth());
    return size;
}

QSize StatusPanel::minimumSizeHint() const {
    QSize size = QLabel::minimumSizeHint();
    size.setWidth(minimumWidth());
    return size;
}

void StatusPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect box = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(box, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, box.width()));
}

void StatusPanel::mousePressEvent(QMouseEvent* event) {
    emit pressed(index_);
    QLabel::mousePressEvent(event);
}

void StatusPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (rect().contains(event->position().toPoint())) emit clicked(index_);
    QLabel::mouseReleaseEvent(event);
}

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
}

QSize StatusBar::minimumSizeHint() const {
    return QSize(0, QStatusBar::minimumSizeHint().height());
}

StatusPanel* StatusBar::addPanel(const QString& text, double widthTwips, double minWidthTwips, int autoSize,
                                 int bevel, bool visible) {
    auto* panel = new StatusPanel(int(panels_.size()) + 1, this);
    panel->setBevel(bevel);
    panel->setText_(text);
    panel->setWidths(widthTwips, minWidthTwips, autoSize);
    addPermanentWidget(panel, autoSize == StatusPanel::Spring ? 1 : 0);
    panel->setVisible(visible);
    panels_.push_back(panel);
    connect(panel, &StatusPanel::pressed, this,
            [this, panel](int index) { emit panelMouseDown(index, panel->x()); });
    connect(panel, &StatusPanel::clicked, this, &StatusBar::PanelClick);
    return panel;
}

StatusPanel* StatusBar::Panels(int index) const {
    if (index < 1 || index > int(panels_.size())) throw VbError::subscriptOutOfRange();
    return panels_[index - 1];
}

} // namespace platform
