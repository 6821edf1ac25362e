#pragma once
// The test platform: a virtual clock, scripted random numbers, recorded
// message boxes, counted beeps, and a scripted registry, file system and
// launcher, so a whole game replays the same way in milliseconds.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "runtime/base/platform.h"

namespace rt::testing {

// Alarms (the frames') ring in virtual time too, so that what the screen
// shows at an instant never depends on the machine's speed.
class VirtualClock final : public Clock {
  public:
    explicit VirtualClock(std::int64_t wallStartMsecs) : wallStart_(wallStartMsecs) {}
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;
    ~VirtualClock() override;
    Micros now() const override { return now_; }
    void wakeAt(Micros when) override { wake_ = when; }
    std::int64_t wallMsecs() const override { return wallStart_ + now_ / 1000; }
    std::unique_ptr<Alarm> alarm() override;

    // Moves time on by `ms`, delivering every tick due on the way in time
    // order. May be called from inside a handler (a message box held open).
    void advance(std::int64_t ms) { advanceTo(now_ + ms * 1000); }
    // The same, up to the microsecond `when` (never backwards).
    void advanceTo(Micros when);
    std::int64_t nowMs() const { return now_ / 1000; }

    int wakeUps = 0;  // how often the scheduler was woken

  private:
    class VirtualAlarm;

    Micros now_ = 0;
    Micros wake_ = kNever;
    std::int64_t wallStart_;
    std::vector<VirtualAlarm*> alarms_;  // in the order they were made
};

class ScriptedRandom final : public Random {
  public:
    void Randomize() override { ++randomized; }
    // The next numbers Rnd returns; after them, a fixed-seed sequence.
    void push(float r) { script_.push_back(r); }
    void seed(std::uint32_t s) { engine_.seed(s); }
    float Rnd() override;

    int randomized = 0;
    int drawn = 0;

  private:
    std::deque<float> script_;
    std::mt19937 engine_{1};
};

struct Message {
    std::string prompt;
    int style = 0;
    std::string title;
    QObject* owner = nullptr;  // the window it belongs to
};

// Like a real modal box, an open one drops the mouse and keys aimed at the
// program's windows.
class RecordedDialogs final : public Dialogs {
  public:
    void MsgBox(const std::string& prompt, int style, const std::string& title,
                QObject* owner) override;

    std::vector<Message> shown;
    // Runs while the box is open: a test may advance time or click here.
    std::function<void(const Message&)> whileOpen;
};

class CountedSound final : public Sound {
  public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

class ScriptedRegistry final : public Registry {
  public:
    struct Value {
        std::uint32_t type = kString;
        std::string bytes;  // as stored, with any terminating NUL
    };
    // A string value as the system stores it: the text and a NUL.
    static Value Text(const std::string& text) { return {kString, text + '\0'}; }

    void set(const std::string& path, const std::string& name, Value value) {
        keys_[path][name] = std::move(value);
    }
    void addKey(const std::string& path) { keys_[path]; }

    std::optional<Key> OpenKey(std::uint32_t root, const std::string& path) override;
    bool QueryValue(Key key, const std::string& name, std::uint32_t& type, char* buffer,
                    std::uint32_t& size) override;
    void CloseKey(Key key) override;

    std::vector<std::string> opened;   // paths, in order
    std::vector<std::string> queried;  // "path:name", in order
    std::set<Key> open;                // handles not closed yet
    std::uint32_t lastBufferSize = 0;  // the size the last query offered

  private:
    std::map<std::string, std::map<std::string, Value>> keys_;
    std::map<Key, std::string> handles_;
    Key next_ = 1;
};

class ScriptedFiles final : public Files {
  public:
    bool Exists(const std::string& path) override {
        probed.push_back(path);
        return existing.contains(path);
    }
    std::set<std::string> existing;
    std::vector<std::string> probed;
};

class ScriptedLauncher final : public Launcher {
  public:
    bool Launch(const std::string& path) override {
        launched.push_back(path);
        return launchable.contains(path);
    }
    std::set<std::string> launchable;
    std::vector<std::string> launched;
};

// Starts active: a test turns the player to another program.
class ScriptedDesktop final : public Desktop {
  public:
    void deactivate() {
        if (deactivated) deactivated();
    }
};

// A count from the environment variable `name`, or `fallback` when unset.
long EnvCount(const char* name, long fallback);

// A platform of fakes; the raw pointers stay valid while the App owns them.
struct Fakes {
    VirtualClock* clock = nullptr;
    ScriptedRandom* random = nullptr;
    RecordedDialogs* dialogs = nullptr;
    CountedSound* sound = nullptr;
    ScriptedRegistry* registry = nullptr;
    ScriptedFiles* files = nullptr;
    ScriptedLauncher* launcher = nullptr;
    ScriptedDesktop* desktop = nullptr;
};
// 14:30:05 on 7 December 2026 (UTC) unless told otherwise.
Platform MakeTestPlatform(Fakes& fakes, std::int64_t wallStartMsecs = 1796653805000);

}  // namespace rt::testing
