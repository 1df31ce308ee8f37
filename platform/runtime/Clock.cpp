#include "Clock.h"

#include <cmath>

namespace platform {

namespace {
// The override stands in for the system's clock; it is not run state of the program.
QDateTime fixedNow;
const QDate kDay0(1899, 12, 30);
} // namespace

QDateTime Clock::now() {
    return fixedNow.isValid() ? fixedNow : QDateTime::currentDateTime();
}

double Clock::Date() {
    return dateValue(now().date());
}

double Clock::Time() {
    return timeValue(now().time());
}

double Clock::dateValue(const QDate& date) {
    return double(kDay0.daysTo(date));
}

double Clock::timeValue(const QTime& time) {
    return time.msecsSinceStartOfDay() / 86400000.0;
}

QDateTime Clock::dateTime(double value) {
    return QDateTime(kDay0, QTime(0, 0)).addMSecs(qint64(std::llround(value * 86400000.0)));
}

Clock::Override::Override(const QDateTime& now) : previous_(fixedNow) {
    fixedNow = now;
}

Clock::Override::~Override() {
    fixedNow = previous_;
}

} // namespace platform
