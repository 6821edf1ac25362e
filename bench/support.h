#pragma once
// What the benchmarks share: the process's own CPU, memory and context
// switches, message boxes that close at once, and a program whose end
// leaves the event loop.

#include <sys/resource.h>

#include <QApplication>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "runtime/base/app.h"
#include "runtime/base/platform.h"
#include "runtime/platform/real_platform.h"
#include "runtime/view/widgets.h"

namespace bench {

struct Usage {
    double cpu = 0;  // user+sys seconds, all threads
    long maxRssKb = 0;
    long voluntary = 0;
    long involuntary = 0;
};

inline Usage usage() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    auto sec = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return {sec(ru.ru_utime) + sec(ru.ru_stime), ru.ru_maxrss, ru.ru_nvcsw, ru.ru_nivcsw};
}

// Boxes close at once; each one is reported, so that a game's end is seen.
class ClosingDialogs final : public rt::Dialogs {
  public:
    void MsgBox(const std::string&, int style, const std::string& title, QObject*) override {
        ++shown;
        if (onBox) onBox(style, title);
    }
    int shown = 0;
    std::function<void(int style, const std::string& title)> onBox;
};

// The real clock, watched: `woke` runs on each of the scheduler's wake-ups
// with the time it asked for, before the ticks.
class WatchedClock : public rt::Clock {
  public:
    explicit WatchedClock(std::unique_ptr<rt::Clock> inner) : inner_(std::move(inner)) {
        inner_->setWakeHandler([this] {
            woke(asked_);
            wake();
        });
    }
    rt::Micros now() const override { return inner_->now(); }
    void wakeAt(rt::Micros when) override {
        asked_ = when;
        inner_->wakeAt(when);
    }
    std::int64_t wallMsecs() const override { return inner_->wallMsecs(); }
    std::unique_ptr<Alarm> alarm() override { return inner_->alarm(); }

  protected:
    virtual void woke(rt::Micros asked) = 0;

  private:
    std::unique_ptr<rt::Clock> inner_;
    rt::Micros asked_ = rt::kNever;
};

// Puts a watched clock of kind C in front of the platform's own.
template <class C>
C& Watch(rt::Platform& platform) {
    auto clock = std::make_unique<C>(std::move(platform.clock));
    C& watched = *clock;
    platform.clock = std::move(clock);
    return watched;
}

// The real platform with boxes that close at once; `boxes` is set to them.
inline rt::Platform PlatformWithClosingBoxes(ClosingDialogs*& boxes) {
    rt::Platform real = rt::RealPlatform();
    rt::UseWidgets();
    auto dialogs = std::make_unique<ClosingDialogs>();
    boxes = dialogs.get();
    real.dialogs = std::move(dialogs);
    // The games run beside other windows that take the focus: they play on.
    real.desktop.reset();
    return real;
}

// The program's end (an error, the last window) leaves the event loop.
inline void EndLeavesTheLoop(rt::App& app, const char* what) {
    app.onEnd = [what](int status) {
        std::fprintf(stderr, "%s ended with status %d\n", what, status);
        QApplication::exit(status);
    };
}

// A program on the real platform whose boxes close at once.
struct RealRun {
    RealRun(const std::string& title, const char* what)
        : app(title, PlatformWithClosingBoxes(boxes)) {
        EndLeavesTheLoop(app, what);
    }
    // The status the program ended with (0 if it plays on); the forms'
    // teardown that follows is no ending.
    int finish() {
        const int status = app.ended() ? app.exitStatus() : 0;
        app.onEnd = {};
        return status;
    }

    ClosingDialogs* boxes = nullptr;  // set while `app` is made
    rt::App app;
};

}  // namespace bench
