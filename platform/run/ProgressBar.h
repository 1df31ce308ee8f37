#pragma once

#include <vector>

namespace platform {

// A progress bar from 0 to 100 as its users see it: setting the value never changes the visibility and
// setting the visibility never changes the value.
class ProgressBar {
public:
    virtual ~ProgressBar() = default;
    virtual void setValue(float value) = 0;
    virtual float value() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
};

// A progress bar without a window that remembers every value and visibility it was given.
class RecordingProgressBar : public ProgressBar {
public:
    void setValue(float value) override {
        value_ = value;
        values_.push_back(value);
    }
    float value() const override { return value_; }
    void setVisible(bool visible) override {
        visible_ = visible;
        visibility_.push_back(visible);
    }
    bool isVisible() const override { return visible_; }

    const std::vector<float>& values() const { return values_; }
    const std::vector<bool>& visibility() const { return visibility_; }
    void clear() {
        values_.clear();
        visibility_.clear();
    }

private:
    float value_ = 0.0f;
    bool visible_ = false;
    std::vector<float> values_;
    std::vector<bool> visibility_;
};

} // namespace platform
