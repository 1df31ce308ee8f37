#pragma once

#include <QDateTime>

namespace platform {

// The date and time of the run: today's date and the time of day as the program's date values (days since
// 30 December 1899, the time a fraction of a day). Tests fix the clock with an Override, so that a drawn
// page that shows the date can be compared with a stored picture.
class Clock {
public:
    static QDateTime now();
    // Today's date as a whole number of days.
    static double Date();
    // The time of day as a fraction of a day.
    static double Time();
    // The date value of a date and of a time of day.
    static double dateValue(const QDate& date);
    static double timeValue(const QTime& time);
    // The date and time of day of a date value.
    static QDateTime dateTime(double value);

    // Replaces the system's clock for as long as the object lives.
    class Override {
    public:
        explicit Override(const QDateTime& now);
        ~Override();
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        QDateTime previous_;
    };
};

} // namespace platform
