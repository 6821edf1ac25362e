#include "runtime/testing/fakes.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "runtime/view/widgets.h"

namespace rt::testing {

class VirtualClock::VirtualAlarm final : public Alarm {
  public:
    explicit VirtualAlarm(VirtualClock& clock) : clock_(&clock) {}
    VirtualAlarm(const VirtualAlarm&) = delete;
    VirtualAlarm& operator=(const VirtualAlarm&) = delete;
    ~VirtualAlarm() override {
        if (clock_) std::erase(clock_->alarms_, this);
    }
    void ringAt(Micros when) override { when_ = when; }
    bool pending() const override { return when_ != kNever; }

    Micros when_ = kNever;
    VirtualClock* clock_;  // null once the clock is gone
};

VirtualClock::~VirtualClock() {
    for (VirtualAlarm* a : alarms_) a->clock_ = nullptr;
}

std::unique_ptr<Clock::Alarm> VirtualClock::alarm() {
    auto alarm = std::make_unique<VirtualAlarm>(*this);
    alarms_.push_back(alarm.get());
    return alarm;
}

void VirtualClock::advanceTo(Micros target) {
    for (;;) {
        // The scheduler's wake-up before an alarm due at the same instant.
        VirtualAlarm* alarm = nullptr;
        Micros next = wake_;
        for (VirtualAlarm* a : alarms_)
            if (a->when_ < next) {
                next = a->when_;
                alarm = a;
            }
        if (next > target) break;
        now_ = std::max(now_, next);
        if (alarm) {
            alarm->when_ = kNever;
            if (alarm->ring) alarm->ring();
        } else {
            wake_ = kNever;
            ++wakeUps;
            wake();
        }
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

namespace {
// Drops user input to every window while installed, as an application-modal
// box does for the windows it blocks.
class InputBlocker final : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease: return true;
            default: return false;
        }
    }
};
}  // namespace

void RecordedDialogs::MsgBox(const std::string& prompt, int style, const std::string& title,
                             QObject* owner) {
    shown.push_back({prompt, style, title, owner});
    const Message message = shown.back();
    InputBlocker blocker;
    if (auto* app = QCoreApplication::instance()) app->installEventFilter(&blocker);
    if (whileOpen) whileOpen(message);
    if (auto* app = QCoreApplication::instance()) app->removeEventFilter(&blocker);
}

std::optional<Registry::Key> ScriptedRegistry::OpenKey(std::uint32_t root,
                                                       const std::string& path) {
    opened.push_back(path);
    if (root != kLocalMachine || !keys_.contains(path)) return std::nullopt;
    const Key key = next_++;
    handles_[key] = path;
    open.insert(key);
    return key;
}

bool ScriptedRegistry::QueryValue(Key key, const std::string& name, std::uint32_t& type,
                                  char* buffer, std::uint32_t& size) {
    const std::string& path = handles_.at(key);
    queried.push_back(path + ":" + name);
    lastBufferSize = size;
    const auto& values = keys_.at(path);
    auto it = values.find(name);
    if (it == values.end() || it->second.bytes.size() > size) return false;
    type = it->second.type;
    // Raw bytes, as a registry hands them over: a string value carries its own NUL or none.
    std::copy_n(it->second.bytes.data(), it->second.bytes.size(), buffer);
    size = static_cast<std::uint32_t>(it->second.bytes.size());
    return true;
}

void ScriptedRegistry::CloseKey(Key key) { open.erase(key); }

long EnvCount(const char* name, long fallback) {
    const char* value = std::getenv(name);
    if (!value || !*value) return fallback;
    char* end = nullptr;
    const long count = std::strtol(value, &end, 10);
    return *end == '\0' && count > 0 ? count : fallback;
}

Platform MakeTestPlatform(Fakes& fakes, std::int64_t wallStartMsecs) {
    UseWidgets();  // the tests click through real widgets
    auto clock = std::make_unique<VirtualClock>(wallStartMsecs);
    auto random = std::make_unique<ScriptedRandom>();
    auto dialogs = std::make_unique<RecordedDialogs>();
    auto sound = std::make_unique<CountedSound>();
    auto registry = std::make_unique<ScriptedRegistry>();
    auto files = std::make_unique<ScriptedFiles>();
    auto launcher = std::make_unique<ScriptedLauncher>();
    auto desktop = std::make_unique<ScriptedDesktop>();
    fakes = {clock.get(),    random.get(), dialogs.get(),  sound.get(),
             registry.get(), files.get(),  launcher.get(), desktop.get()};
    return Platform{std::move(clock),    std::move(random),   std::move(dialogs),
                    std::move(sound),    std::move(registry), std::move(files),
                    std::move(launcher), std::move(desktop)};
}

}  // namespace rt::testing
