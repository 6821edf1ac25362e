#pragma once
// The test platform: a virtual clock, scripted random numbers, recorded
// message boxes and counted beeps, so a whole game replays the same way in
// milliseconds.

#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "../platform.h"

namespace rt::testing {

class VirtualClock final : public Clock {
  public:
    explicit VirtualClock(std::int64_t wallStartMsecs) : wallStart_(wallStartMsecs) {}
    Micros now() const override { return now_; }
    void wakeAt(Micros when) override { wake_ = when; }
    std::int64_t wallMsecs() const override { return wallStart_ + now_ / 1000; }

    // Moves time on by `ms`, delivering every tick due on the way in time
    // order. May be called from inside a handler (a message box held open).
    void advance(std::int64_t ms);
    std::int64_t nowMs() const { return now_ / 1000; }

  private:
    Micros now_ = 0;
    Micros wake_ = kNever;
    std::int64_t wallStart_;
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
};

class RecordedDialogs final : public Dialogs {
  public:
    void MsgBox(const std::string& prompt, int style, const std::string& title) override;

    std::vector<Message> shown;
    int open = 0;  // boxes open right now
    // Runs while the box is open: a test may advance time or click here.
    std::function<void(const Message&)> whileOpen;
};

class CountedSound final : public Sound {
  public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

// A platform of fakes; the raw pointers stay valid while the App owns them.
struct Fakes {
    VirtualClock* clock = nullptr;
    ScriptedRandom* random = nullptr;
    RecordedDialogs* dialogs = nullptr;
    CountedSound* sound = nullptr;
};
Platform MakeTestPlatform(Fakes& fakes, std::int64_t wallStartMsecs = 1796653805000);

}  // namespace rt::testing
