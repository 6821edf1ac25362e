#include "runtime/base/scheduler.h"

#include <stdexcept>

namespace rt {

namespace {
// A system tick lasts kTickNum / kTickDen µs. Splitting off whole multiples
// first keeps the products in 64 bits for any run length.
constexpr std::int64_t kTickNum = 65'536'000'000;
constexpr std::int64_t kTickDen = 1'193'182;

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return (a + b - 1) / b; }
}  // namespace

std::int64_t SystemTickAtOrAfter(Micros t) {
    return t / kTickNum * kTickDen + ceilDiv(t % kTickNum * kTickDen, kTickNum);
}

std::int64_t SystemTickAtOrBefore(Micros t) {
    return t / kTickNum * kTickDen + t % kTickNum * kTickDen / kTickNum;
}

Micros SystemTickTime(std::int64_t k) {
    return k / kTickDen * kTickNum + ceilDiv(k % kTickDen * kTickNum, kTickDen);
}

Scheduler::Scheduler(Clock& clock) : clock_(clock) {
    clock_.setWakeHandler([this] { runDue(); });
}

Scheduler::~Scheduler() {
    clock_.wakeAt(kNever);
    clock_.setWakeHandler({});
}

void Scheduler::setTiming(Timing timing) {
    if (!slots_.empty()) throw std::logic_error("the timing is chosen before any timer starts");
    timing_ = timing;
    origin_ = now();
}

void Scheduler::start(std::uint64_t id, int intervalMs, std::function<void()> tick) {
    Slot& slot = slots_[id];
    slot.interval = Micros{intervalMs} * 1000;
    if (timing_ == Timing::Classic)
        dueOn(slot, SystemTickAtOrAfter(now() - origin_ + slot.interval));
    else
        slot.due = now() + slot.interval;
    slot.tick = std::move(tick);
    rearm();
}

void Scheduler::stop(std::uint64_t id) {
    if (slots_.erase(id)) rearm();
}

void Scheduler::stopAll() {
    slots_.clear();
    rearm();
}

void Scheduler::hold() {
    if (held_) return;
    heldAt_ = clock_.now();
    held_ = true;
    rearm();
}

void Scheduler::resume() {
    if (!held_) return;
    const Micros waited = clock_.now() - heldAt_;
    held_ = false;
    origin_ += waited;
    for (auto& [id, s] : slots_)
        if (s.due != kNever) s.due += waited;
    rearm();
}

void Scheduler::runDue() {
    bool ticked = false;
    while (!held_) {  // a handler may hold the rest
        const Micros now = clock_.now();
        auto next = slots_.end();
        for (auto it = slots_.begin(); it != slots_.end(); ++it) {
            const Slot& s = it->second;
            if (s.due > now || ticking_.contains(it->first)) continue;
            if (next == slots_.end() || s.due < next->second.due) next = it;
        }
        if (next == slots_.end()) break;

        const std::uint64_t id = next->first;
        Slot& slot = next->second;
        if (timing_ == Timing::Classic) {
            // The next countdown starts on the system tick this one is taken
            // on, which is later than the one it was due on only when the
            // program fell a whole system tick behind: nothing is made up.
            const std::int64_t on = SystemTickAtOrBefore(now - origin_);
            dueOn(slot, on + SystemTickAtOrAfter(slot.interval));
        } else {
            // Keep the cadence when a little late; never make up a missed interval.
            slot.due += slot.interval;
            if (slot.due <= now) slot.due = now + slot.interval;
        }
        ticking_.insert(id);
        auto tick = slot.tick;  // the handler may stop or restart this timer
        tick();
        ticking_.erase(id);
        ticked = true;
    }
    rearm();
    if (ticked && afterTicks) afterTicks();
}

Micros Scheduler::nextDue() const {
    Micros earliest = kNever;
    if (held_) return earliest;
    for (const auto& [id, s] : slots_)
        if (s.due < earliest && !ticking_.contains(id)) earliest = s.due;
    return earliest;
}

void Scheduler::rearm() { clock_.wakeAt(nextDue()); }

}  // namespace rt
