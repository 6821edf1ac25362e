#include "runtime/base/frames.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "runtime/base/scheduler.h"

namespace rt {

namespace {
Micros FrameInterval() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal rate = screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60.0;
    return std::max<Micros>(1000, static_cast<Micros>(1e6 / rate));
}
}  // namespace

Frames::Frames(Clock& clock, const Scheduler& scheduler)
    : clock_(clock),
      scheduler_(scheduler),
      interval_(FrameInterval()),
      lastFrame_(clock.now() - interval_),
      alarm_(clock.alarm()) {
    alarm_->ring = [this] { flush(); };
}

void Frames::mark(Drawable* d) {
    pending_.push_back(d);
    if (!alarm_->pending()) plan(false);
}

void Frames::present(Drawable* d) {
    if (std::find(presenting_.begin(), presenting_.end(), d) == presenting_.end())
        presenting_.push_back(d);
}

void Frames::forget(Drawable* d) {
    std::erase(pending_, d);
    std::erase(presenting_, d);
}

void Frames::flush() {
    alarm_->ringAt(kNever);
    lastFrame_ = clock_.now();
    std::vector<Drawable*> due;
    due.swap(pending_);
    const bool outer = !drawing_;
    drawing_ = true;
    for (Drawable* d : due) d->drawFrame();
    if (!outer) return;
    drawing_ = false;
    std::vector<Drawable*> shown;
    shown.swap(presenting_);
    for (Drawable* d : shown) d->drawFrame();
}

void Frames::afterTicks() {
    if (!pending_.empty()) plan(true);
}

void Frames::plan(bool atTicks) {
    const Micros now = clock_.now();
    const Micros due = lastFrame_ + interval_;
    if (atTicks && now + kEarly >= due) {
        flush();
        return;
    }
    // A frame due now waits for a tick that is at most half a frame away: its
    // changes would otherwise wait a whole frame for the next one.
    const Micros at = std::max(now, due);
    const Micros tick = scheduler_.nextDue();
    if (tick != kNever && tick <= at + interval_ / 2)
        alarm_->ringAt(std::max(tick, at) + kBackstop);  // only if that tick is stopped
    else
        alarm_->ringAt(at);
}

}  // namespace rt
