#pragma once
// Where the program learns today's date. The main window is given one clock and every part
// that needs today asks it, never the system date directly, so a test can choose the day.
#include <QDate>
#include <QDateTime>

namespace wk::store {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    // The moment, for names of files made now (backups).
    virtual QDateTime now() const = 0;
};

// The computer's own date, read at each call.
class SystemClock final : public Clock {
public:
    QDate today() const override;
    QDateTime now() const override;
};

// A day chosen by its owner (a test or a benchmark), kept until it is set again.
class FixedClock final : public Clock {
public:
    explicit FixedClock(const QDate& day) : day_(day) {}
    void setToday(const QDate& day) { day_ = day; }
    QDate today() const override { return day_; }
    // The chosen day at the computer's time of day.
    QDateTime now() const override { return QDateTime(day_, QTime::currentTime()); }

private:
    QDate day_;
};

} // namespace wk::store
