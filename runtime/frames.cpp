#include "frames.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "scheduler.h"

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
      lastFrame_(clock.now() - interval_) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { flush(); });
}

void Frames::mark(Drawable* d) {
    pending_.push_back(d);
    if (!timer_.isActive()) plan(false);
}

void Frames::forget(Drawable* d) { std::erase(pending_, d); }

void Frames::flush() {
    timer_.stop();
    lastFrame_ = clock_.now();
    std::vector<Drawable*> due;
    due.swap(pending_);
    for (Drawable* d : due) d->drawFrame();
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
    const Micros tick = scheduler_.nextDue();
    if (tick != kNever && tick <= due + interval_ / 2)
        armTimer(std::max(tick, due) + kBackstop - now);  // only if that tick is stopped
    else
        armTimer(std::max<Micros>(0, due - now));
}

void Frames::armTimer(Micros delay) {
    const int ms = static_cast<int>((std::max<Micros>(0, delay) + 999) / 1000);
    if (timer_.isActive() && timer_.remainingTime() == ms) return;
    timer_.start(ms);
}

}  // namespace rt
