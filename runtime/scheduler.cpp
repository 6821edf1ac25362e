#include "scheduler.h"

namespace rt {

Scheduler::Scheduler(Clock& clock) : clock_(clock) {
    clock_.setWakeHandler([this] { runDue(); });
}

Scheduler::~Scheduler() {
    clock_.wakeAt(kNever);
    clock_.setWakeHandler({});
}

void Scheduler::start(std::uint64_t id, int intervalMs, std::function<void()> tick) {
    Slot& slot = slots_[id];
    slot.interval = Micros{intervalMs} * 1000;
    slot.due = clock_.now() + slot.interval;
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

void Scheduler::runDue() {
    bool ticked = false;
    for (;;) {
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
        // Keep the cadence when a little late; never make up a missed interval.
        slot.due += slot.interval;
        if (slot.due <= now) slot.due = now + slot.interval;
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
    for (const auto& [id, s] : slots_)
        if (s.due < earliest && !ticking_.contains(id)) earliest = s.due;
    return earliest;
}

void Scheduler::rearm() { clock_.wakeAt(nextDue()); }

}  // namespace rt
