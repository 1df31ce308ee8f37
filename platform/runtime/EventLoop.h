#pragma once

namespace platform {

// Lets the window system handle what is pending (DoEvents).
void DoEvents();
// The same, but without keyboard and mouse input: used while data is being written, so that a click can't
// start a second command half way through the first. Calls that follow each other within a few
// milliseconds yield once.
void DoEventsWithoutInput();
// Waits the given time without handling any event (the window does not repaint meanwhile).
void Sleep(int milliseconds);

// The screen pointer of the program: 0 the default, 1 the arrow, 11 the hourglass.
class ScreenPointer {
public:
    enum : int { Default = 0, Arrow = 1, Hourglass = 11 };
    static void set(int pointer);
    static int current();
};

// Shows the hourglass for as long as it lives and restores the pointer it found.
class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    int previous_;
};

} // namespace platform
