#pragma once

namespace platform {

// A scroll bar of a picture as its drawing code sees it: a value between Min and Max, the steps of a page
// and of an arrow click, visibility, and the place inside the picture in millimetres.
class ScrollBar {
public:
    virtual ~ScrollBar() = default;

    virtual int Value() const = 0;
    virtual void setValue(int value) = 0;
    virtual int Min() const = 0;
    virtual void setMin(int value) = 0;
    virtual int Max() const = 0;
    virtual void setMax(int value) = 0;
    // 1 to 32767; any other value raises "invalid property value" (380).
    virtual int LargeChange() const = 0;
    virtual void setLargeChange(int value) = 0;
    virtual int SmallChange() const = 0;
    virtual void setSmallChange(int value) = 0;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void setLeft(float mm) = 0;
    virtual void setTop(float mm) = 0;
    virtual void setWidth(float mm) = 0;
    virtual void setHeight(float mm) = 0;

protected:
    // Raises "invalid property value" unless 1 <= value <= 32767.
    static void checkChange(int value);
};

// A scroll bar that only keeps its values: for drawing without a window and for tests.
class StoredScrollBar : public ScrollBar {
public:
    int Value() const override { return value_; }
    void setValue(int value) override { value_ = value; }
    int Min() const override { return min_; }
    void setMin(int value) override { min_ = value; }
    int Max() const override { return max_; }
    void setMax(int value) override { max_ = value; }
    int LargeChange() const override { return large_; }
    void setLargeChange(int value) override {
        checkChange(value);
        large_ = value;
    }
    int SmallChange() const override { return small_; }
    void setSmallChange(int value) override {
        checkChange(value);
        small_ = value;
    }
    bool Visible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    float Left() const override { return left_; }
    float Top() const override { return top_; }
    float Width() const override { return width_; }
    float Height() const override { return height_; }
    void setLeft(float mm) override { left_ = mm; }
    void setTop(float mm) override { top_ = mm; }
    void setWidth(float mm) override { width_ = mm; }
    void setHeight(float mm) override { height_ = mm; }

private:
    int value_ = 0, min_ = 0, max_ = 32767, large_ = 1, small_ = 1;
    bool visible_ = true;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

} // namespace platform
