#pragma once

#include "../run/ProgressBar.h"

#include <QProgressBar>

namespace platform {

// A progress bar on screen, Min 0 and Max 100, with a Single value.
class ProgressBarWidget : public QProgressBar, public ProgressBar {
    Q_OBJECT
public:
    explicit ProgressBarWidget(QWidget* parent = nullptr);
    void setValue(float value) override;
    float value() const override { return value_; }
    void setVisible(bool visible) override;
    bool isVisible() const override { return !isHidden(); }

private:
    float value_ = 0.0f;
};

} // namespace platform
