#pragma once
// What the platform gives the forms: time, randomness, message boxes, sound,
// a read-only registry, a file test, program launches and word of the player
// turning to another program. Each has one real
// implementation (platform_qt.cpp) and one for tests (runtime/testing), so a
// whole game can replay in virtual time.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QObject;

namespace rt {

using Micros = std::int64_t;
inline constexpr Micros kNever = INT64_MAX;

class Clock {
  public:
    // A wake-up of its own on the same clock, for whoever is not the
    // scheduler (the frames), so that a virtual clock drives it too.
    class Alarm {
      public:
        virtual ~Alarm() = default;
        // One call of `ring` at or after `when`, replacing any earlier
        // request; kNever cancels.
        virtual void ringAt(Micros when) = 0;
        virtual bool pending() const = 0;
        std::function<void()> ring;
    };

    virtual ~Clock() = default;
    // Monotonic time that timers are scheduled against.
    virtual Micros now() const = 0;
    // Asks for one call of the wake handler at or after `when`, replacing any
    // earlier request; kNever cancels.
    virtual void wakeAt(Micros when) = 0;
    // Local wall-clock time, milliseconds since the epoch, for Time and Date.
    virtual std::int64_t wallMsecs() const = 0;
    virtual std::unique_ptr<Alarm> alarm() = 0;

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
    // Modal, OK only; returns when the player has closed it. While it is open
    // the program's windows take no clicks. It belongs to `owner`, the window
    // of the form that opened it, and shows over it; with none (the form is
    // hidden or gone), over the program's active window.
    virtual void MsgBox(const std::string& prompt, int style, const std::string& title,
                        QObject* owner) = 0;
};

class Sound {
  public:
    virtual ~Sound() = default;
    virtual void Beep() = 0;
};

// A read-only registry of typed values under root keys.
class Registry {
  public:
    static constexpr std::uint32_t kLocalMachine = 0x80000002;
    static constexpr std::uint32_t kString = 1;
    static constexpr std::uint32_t kExpandString = 2;
    static constexpr std::uint32_t kNumber = 4;  // 32 bits, little-endian

    using Key = std::uint64_t;
    virtual ~Registry() = default;
    // Opens `path` under `root` for reading.
    virtual std::optional<Key> OpenKey(std::uint32_t root, const std::string& path) = 0;
    // Reads value `name` into `buffer` of `size` bytes; on success `size`
    // becomes the value's length. Fails when the value is missing or does
    // not fit.
    virtual bool QueryValue(Key key, const std::string& name, std::uint32_t& type, char* buffer,
                            std::uint32_t& size) = 0;
    virtual void CloseKey(Key key) = 0;
};

class Files {
  public:
    virtual ~Files() = default;
    // True when a file exists at exactly this path (no patterns).
    virtual bool Exists(const std::string& path) = 0;
};

class Launcher {
  public:
    virtual ~Launcher() = default;
    // Starts the program at `path` with no arguments, detached and never
    // through a shell; false when it could not be started.
    virtual bool Launch(const std::string& path) = 0;
};

// The desktop tells when another program's window takes the focus from all
// of this program's windows. A program that was never active (no window
// manager gave it the focus) hears nothing.
class Desktop {
  public:
    virtual ~Desktop() = default;
    std::function<void()> deactivated;
};

struct Platform {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Random> random;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Sound> sound;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<Files> files;
    std::unique_ptr<Launcher> launcher;
    std::unique_ptr<Desktop> desktop;
};

}  // namespace rt
