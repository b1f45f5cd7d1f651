#pragma once
// Where the program learns today's date. The main window is given one clock and every part
// that needs today asks it, never the system date directly, so a test can choose the day.
#include <QDate>

namespace wk::store {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

// The computer's own date, read at each call.
class SystemClock final : public Clock {
public:
    QDate today() const override;
};

// A day chosen by its owner (a test or a benchmark), kept until it is set again.
class FixedClock final : public Clock {
public:
    explicit FixedClock(const QDate& day) : day_(day) {}
    void setToday(const QDate& day) { day_ = day; }
    QDate today() const override { return day_; }

private:
    QDate day_;
};

} // namespace wk::store
