#include "runtime/forms/timer.h"

#include "runtime/base/app.h"

namespace rt {

namespace {
std::uint64_t nextTimerId = 1;  // creation order: ties tick in this order
}

Timer::Timer(Form& form, std::string name, TimerDesign d)
    : Component(form, std::move(name)), design_(d), cur_(d), id_(nextTimerId++) {}

Timer::~Timer() {
    if (live_ && App::exists()) App::instance().scheduler().stop(id_);
}

bool Timer::Enabled() {
    touch();
    return cur_.enabled;
}

void Timer::SetEnabled(bool enabled) {
    touch();
    if (cur_.enabled == enabled) return;  // enabling a running timer changes nothing
    cur_.enabled = enabled;
    restart();
}

int Timer::Interval() {
    touch();
    return cur_.interval;
}

void Timer::SetInterval(int interval) {
    touch();
    cur_.interval = interval;
    restart();  // a new interval starts a new countdown
}

void Timer::started() {
    live_ = true;
    restart();
}

void Timer::teardown() {
    live_ = false;
    App::instance().scheduler().stop(id_);
}

void Timer::restart() {
    if (!live_) return;
    Scheduler& scheduler = App::instance().scheduler();
    if (!cur_.enabled || cur_.interval <= 0) {
        scheduler.stop(id_);
        return;
    }
    scheduler.start(id_, cur_.interval, [this] {
        Dispatch(Parent(), [this] {
            if (live_ && cur_.enabled && Tick) Tick();
        });
    });
}

}  // namespace rt
