#pragma once
// Frame pacing: changes to controls reach the screen at most once per display
// frame. A frame is drawn on the wake-up of a tick whenever one comes soon
// enough after the frame is due, so that timers and drawing share their
// wake-ups; an alarm of its own on the clock draws it when no tick is near (or
// none runs). Input waits for that alarm too, even when a frame is due: it
// rings once the event loop has run what is ready, so that every click and key
// of one turn shares a frame instead of the first drawing one at once and the
// rest another a frame later.
//
// The running program owns one; the scheduler tells it when a wake-up's ticks
// have all run, and message boxes put what is pending on screen first.

#include <memory>
#include <vector>

#include "runtime/base/platform.h"

namespace rt {

class Scheduler;

// What waits for the next frame: a control whose widget or pixels must
// follow its state.
class Drawable {
  public:
    virtual void drawFrame() = 0;

  protected:
    ~Drawable() = default;
};

class Frames {
  public:
    Frames(Clock& clock, const Scheduler& scheduler);
    Frames(const Frames&) = delete;
    Frames& operator=(const Frames&) = delete;

    void mark(Drawable* d);
    // While a frame is drawn: `d` puts what it drew on screen once all of it
    // is placed, still in this frame (a window, once for all its controls).
    void present(Drawable* d);
    bool drawing() const { return drawing_; }
    void forget(Drawable* d);
    // Puts everything pending on screen now (before a box, a hide, a grab).
    void flush();
    // Every tick of this wake-up has run, so its changes are all made and a
    // frame that is due can be drawn at once.
    void afterTicks();

  private:
    void plan(bool atTicks);

    static constexpr Micros kEarly = 1000;     // a tick this close to the frame draws it
    static constexpr Micros kBackstop = 2000;  // after the tick, should it not come
    Clock& clock_;
    const Scheduler& scheduler_;
    const Micros interval_;
    Micros lastFrame_;
    std::vector<Drawable*> pending_;
    std::vector<Drawable*> presenting_;
    bool drawing_ = false;
    std::unique_ptr<Clock::Alarm> alarm_;
};

}  // namespace rt
