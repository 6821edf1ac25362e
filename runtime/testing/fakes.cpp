#include "fakes.h"

#include <algorithm>
#include <memory>

namespace rt::testing {

void VirtualClock::advance(std::int64_t ms) {
    const Micros target = now_ + ms * 1000;
    while (wake_ <= target) {
        now_ = std::max(now_, wake_);
        wake_ = kNever;
        wake();
    }
    now_ = std::max(now_, target);
}

float ScriptedRandom::Rnd() {
    ++drawn;
    if (!script_.empty()) {
        const float r = script_.front();
        script_.pop_front();
        return r;
    }
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

void RecordedDialogs::MsgBox(const std::string& prompt, int style, const std::string& title) {
    shown.push_back({prompt, style, title});
    const Message message = shown.back();
    ++open;
    if (whileOpen) whileOpen(message);
    --open;
}

Platform MakeTestPlatform(Fakes& fakes, std::int64_t wallStartMsecs) {
    auto clock = std::make_unique<VirtualClock>(wallStartMsecs);
    auto random = std::make_unique<ScriptedRandom>();
    auto dialogs = std::make_unique<RecordedDialogs>();
    auto sound = std::make_unique<CountedSound>();
    fakes = {clock.get(), random.get(), dialogs.get(), sound.get()};
    return Platform{std::move(clock), std::move(random), std::move(dialogs), std::move(sound)};
}

}  // namespace rt::testing
