#include "ProgressBarWidget.h"

#include "../runtime/VbError.h"

#include <cmath>

namespace platform {

ProgressBarWidget::ProgressBarWidget(QWidget* parent) : QProgressBar(parent) {
    setRange(0, 100);
    QProgressBar::setValue(0);
    setTextVisible(false);
}

void ProgressBarWidget::setValue(float value) {
    if (value < 0.0f || value > 100.0f) throw VbError::invalidCall(QStringLiteral("Value"));
    value_ = value;
    QProgressBar::setValue(int(std::lround(value)));
    repaint();
}

void ProgressBarWidget::setVisible(bool visible) { QProgressBar::setVisible(visible); }

} // namespace platform
