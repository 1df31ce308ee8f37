#pragma once

#include <functional>
#include <QApplication>
#include <QTimer>
#include <QWidget>

// Works the next modal box once it is open, from the event loop that box runs: a test that calls the real
// dialog service is not left waiting for a user. Gives up when no box comes.
class NextModalBox {
public:
    explicit NextModalBox(std::function<void(QWidget& box)> work) : work_(std::move(work)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box && ++ticks_ < 500) return;
            timer_.stop();
            if (box) work_(*box);
        });
        timer_.start();
    }

private:
    std::function<void(QWidget&)> work_;
    QTimer timer_;
    int ticks_ = 0;
};
