#pragma once
// One scheduler per program delivers every timer tick.
//
// Rules: the first tick comes one interval after a timer starts; a timer that
// falls behind keeps at most one waiting tick and makes none up; a timer whose
// handler is still running (blocked in a message box) does not tick again until
// it returns. Ticks due at the same instant go in the order the timers were
// created: forms in construction order, a form's timers in stored order.
//
// Classic timing puts every tick on a common system tick, 65536/1193182 s
// apart (18.2 a second), as on the machines the games were tuned on: a timer
// ticks on the first system tick at or after its countdown runs out, and its
// next countdown starts on that system tick. An interval of n ms thus ticks
// every ceil(n / 54.925 ms) system ticks, and timers due on one system tick
// tick together in one wake-up. The rules above hold on top of it.
//
// A hold (a paused game) stops every countdown where it is; on resume each
// goes on with what was left of its interval, and the system ticks shift
// with them, so the program plays the same ticks as without the hold, only
// later.

#include <cstdint>
#include <functional>
#include <map>
#include <set>

#include "runtime/base/platform.h"

namespace rt {

enum class Timing { Exact, Classic };

// The classic system ticks: tick k falls k * 65536/1193182 s after the origin.
// The first tick at or after `t` µs, the last one at or before it, and the
// first microsecond not before tick `k` (all exact, no rounding drift).
std::int64_t SystemTickAtOrAfter(Micros t);
std::int64_t SystemTickAtOrBefore(Micros t);
Micros SystemTickTime(std::int64_t k);

class Scheduler {
  public:
    explicit Scheduler(Clock& clock);
    ~Scheduler();
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    // Chosen before any timer starts; classic system ticks count from now.
    void setTiming(Timing timing);

    // Starts (or restarts) the countdown of timer `id`; `intervalMs` must be > 0.
    void start(std::uint64_t id, int intervalMs, std::function<void()> tick);
    void stop(std::uint64_t id);
    // Stops every timer; no tick is delivered afterwards.
    void stopAll();

    // Delivers every tick that is due by the clock's now, in time order.
    void runDue();
    // Holds every timer, and on resume lets each go on with what was left.
    void hold();
    void resume();
    bool held() const { return held_; }

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
    // The timers' own time: the clock's, standing still while held.
    Micros now() const { return held_ ? heldAt_ : clock_.now(); }
    // Classic timing: due on system tick `k`.
    void dueOn(Slot& slot, std::int64_t k) const { slot.due = origin_ + SystemTickTime(k); }

    Clock& clock_;
    Timing timing_ = Timing::Exact;
    Micros origin_ = 0;                    // system tick 0
    std::map<std::uint64_t, Slot> slots_;  // keyed by creation order
    std::set<std::uint64_t> ticking_;      // whose handler runs now: no tick until it returns
    bool held_ = false;
    Micros heldAt_ = 0;
};

}  // namespace rt
