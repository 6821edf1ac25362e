#pragma once
// What the platform gives the forms: time, randomness, message boxes and sound.
// Each has one real implementation (platform_qt.cpp) and one for tests
// (runtime/testing), so a whole game can replay in virtual time.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace rt {

using Micros = std::int64_t;
inline constexpr Micros kNever = INT64_MAX;

class Clock {
  public:
    virtual ~Clock() = default;
    // Monotonic time that timers are scheduled against.
    virtual Micros now() const = 0;
    // Asks for one call of the wake handler at or after `when`, replacing any
    // earlier request; kNever cancels.
    virtual void wakeAt(Micros when) = 0;
    // Local wall-clock time, milliseconds since the epoch, for Time and Date.
    virtual std::int64_t wallMsecs() const = 0;

    void setWakeHandler(std::function<void()> handler) { wake_ = std::move(handler); }

  protected:
    void wake() {
        if (wake_) wake_();
    }

  private:
    std::function<void()> wake_;
};

class Random {
  public:
    virtual ~Random() = default;
    virtual void Randomize() = 0;  // seed from the clock
    virtual float Rnd() = 0;       // uniform in [0, 1)
};

enum MsgBoxStyle { vbOKOnly = 0, vbCritical = 16, vbExclamation = 48, vbInformation = 64 };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Modal, OK only; returns when the player has closed it.
    virtual void MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
};

class Sound {
  public:
    virtual ~Sound() = default;
    virtual void Beep() = 0;
};

struct Platform {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Random> random;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Sound> sound;
};

// The implementations a real run uses.
Platform RealPlatform();

}  // namespace rt
