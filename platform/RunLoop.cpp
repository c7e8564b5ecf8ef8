#include "platform/RunLoop.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace bc {

RunLoop::RunLoop(ClockKind kind) : kind_(kind), start_(std::chrono::steady_clock::now()) {}

RunLoop::~RunLoop() = default;

double RunLoop::now() const
{
    if (kind_ == ClockKind::Virtual) {
        return virtualNow_;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

Date RunLoop::today() const
{
    if (kind_ == ClockKind::Virtual) {
        constexpr double kDaySeconds = 86400;
        const auto days = static_cast<long>(std::floor((kVirtualDayStartSeconds + virtualNow_) / kDaySeconds));
        return dateOfDay(dayNumber(firstDay_) + days);
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return firstDay_;
    }
    return Date{local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1), static_cast<unsigned>(local.tm_mday)};
}

std::uint64_t RunLoop::schedule(double interval, bool repeats, std::shared_ptr<const void> keepAlive,
                                std::function<void()> fire)
{
    auto timer = std::make_unique<Timer>();
    timer->id = nextId_++;
    timer->interval = std::max(interval, 0.0);
    timer->due = now() + timer->interval;
    timer->repeats = repeats && timer->interval > 0;
    timer->order = nextOrder_++;
    timer->keepAlive = std::move(keepAlive);
    timer->fire = std::move(fire);
    const auto id = timer->id;
    timers_.push_back(std::move(timer));
    return id;
}

void RunLoop::invalidate(std::uint64_t id)
{
    for (auto& t : timers_) {
        if (t->id == id) {
            t->valid = false;
        }
    }
    std::erase_if(timers_, [](const auto& t) { return !t->valid; });
}

std::optional<double> RunLoop::nextDue() const
{
    std::optional<double> best;
    for (const auto& t : timers_) {
        if (t->valid && (!best || t->due < *best)) {
            best = t->due;
        }
    }
    return best;
}

std::size_t RunLoop::pendingTimers() const { return timers_.size(); }

bool RunLoop::fireNext(double until)
{
    Timer* next = nullptr;
    for (auto& t : timers_) {
        if (t->valid && t->due <= until &&
            (next == nullptr || t->due < next->due || (t->due == next->due && t->order < next->order))) {
            next = t.get();
        }
    }
    if (next == nullptr) {
        return false;
    }
    if (kind_ == ClockKind::Virtual) {
        virtualNow_ = std::max(virtualNow_, next->due);
    }
    // Copy out: the callback may schedule timers and so move the vector.
    auto fire = next->fire;
    if (next->repeats) {
        next->due += next->interval;
        next->order = nextOrder_++;
    } else {
        next->valid = false;
    }
    // The callback may invalidate its own timer: its target lives until it returns.
    const auto keepAlive = next->keepAlive;
    fire();
    std::erase_if(timers_, [](const auto& t) { return !t->valid; });
    if (afterEachFire) {
        afterEachFire();
    }
    return true;
}

void RunLoop::fireDue()
{
    const double until = now();
    // A repeating timer far behind fires once per call rather than catching up forever.
    std::size_t budget = timers_.size() + 16;
    while (budget-- > 0 && fireNext(until)) {
    }
}

void RunLoop::advance(double seconds)
{
    const double until = virtualNow_ + std::max(seconds, 0.0);
    while (fireNext(until)) {
    }
    virtualNow_ = until;
}

} // namespace bc
