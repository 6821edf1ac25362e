#pragma once
// One scheduler per program delivers every timer tick.
//
// Rules: the first tick comes one interval after a timer starts; a timer that
// falls behind keeps at most one waiting tick and makes none up; a timer whose
// handler is still running (blocked in a message box) does not tick again until
// it returns. Ticks due at the same instant go in the order the timers were
// created: forms in construction order, a form's timers in stored order.

#include <cstdint>
#include <functional>
#include <map>
#include <set>

#include "platform.h"

namespace rt {

class Scheduler {
  public:
    explicit Scheduler(Clock& clock);
    ~Scheduler();
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    // Starts (or restarts) the countdown of timer `id`; `intervalMs` must be > 0.
    void start(std::uint64_t id, int intervalMs, std::function<void()> tick);
    void stop(std::uint64_t id);
    // Stops every timer; no tick is delivered afterwards.
    void stopAll();

    // Delivers every tick that is due by the clock's now, in time order.
    void runDue();
    // A handler is about to wait in a message box: the other timers keep
    // ticking meanwhile, so the clock must wake for them.
    void beforeWait() { rearm(); }
    // When the next tick is due (kNever if none), leaving out timers whose
    // handler is still running.
    Micros nextDue() const;

    // Called after every wake-up that delivered ticks, once they all ran, so
    // that drawing can ride on the wake-ups the timers cause anyway.
    std::function<void()> afterTicks;

  private:
    struct Slot {
        Micros interval = 0;
        Micros due = kNever;
        std::function<void()> tick;
    };
    void rearm();

    Clock& clock_;
    std::map<std::uint64_t, Slot> slots_;  // keyed by creation order
    std::set<std::uint64_t> ticking_;      // whose handler runs now: no tick until it returns
};

}  // namespace rt
