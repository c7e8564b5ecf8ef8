#pragma once

#include "state/Calendar.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace bc {

// Everything runs on one thread: a timer fires between events, never inside one.
// The window runs on the real clock; the headless driver and tests on a
// virtual clock that starts at 0 and moves only when told.
class RunLoop {
public:
    enum class ClockKind { Real, Virtual };
    explicit RunLoop(ClockKind kind);
    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // Seconds since the loop was made.
    double now() const;

    // The local calendar day. The virtual clock starts at 08:00 of its first
    // day (kFirstPlayDay unless told another), so that a day's play fits
    // before midnight and a long wait crosses it.
    Date today() const;
    void setFirstDay(Date day) { firstDay_ = day; }
    static constexpr double kVirtualDayStartSeconds = 8 * 3600;

    struct Timer {
        std::uint64_t id = 0;
        double due = 0;
        double interval = 0;
        bool repeats = false;
        bool valid = true;
        std::uint64_t order = 0;
        std::shared_ptr<const void> keepAlive; // whatever `fire` reaches, held until the timer is gone
        std::function<void()> fire;
    };

    std::uint64_t schedule(double interval, bool repeats, std::shared_ptr<const void> keepAlive,
                           std::function<void()> fire);
    void invalidate(std::uint64_t id);
    void cancelAll() { timers_.clear(); }

    // When the next timer is due, if any.
    std::optional<double> nextDue() const;
    // Fires every timer due by now (real clock), earliest first.
    void fireDue();
    // Virtual clock only: moves time forward, firing due timers in time order.
    void advance(double seconds);
    std::size_t pendingTimers() const;

    // Runs after each timer callback: the application clears away screens
    // that left the stack during it.
    std::function<void()> afterEachFire;

private:
    bool fireNext(double until);

    ClockKind kind_;
    std::chrono::steady_clock::time_point start_;
    double virtualNow_ = 0;
    Date firstDay_ = kFirstPlayDay;
    std::uint64_t nextId_ = 1;
    std::uint64_t nextOrder_ = 0;
    std::vector<std::unique_ptr<Timer>> timers_;
};

} // namespace bc
