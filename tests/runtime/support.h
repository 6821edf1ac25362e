#pragma once
// Shared by the runtime tests: a program on the fake platform and small forms.

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/base/app.h"
#include "runtime/forms/controls.h"
#include "runtime/start/startup.h"
#include "runtime/testing/fakes.h"
#include "runtime/testing/mouse.h"

namespace rttest {

using Log = std::vector<std::string>;

// Tells the program, as the toolkit passes on an X server's DestroyNotify,
// that another client destroyed `window`.
inline void SendDestroyNotify(QWidget& window) {
    struct {
        std::uint8_t responseType = 17;
        std::uint8_t pad = 0;
        std::uint16_t sequence = 1;
        std::uint32_t event;
        std::uint32_t window;
    } notice;
    notice.event = notice.window = static_cast<std::uint32_t>(window.winId());
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &notice,
                                                            &result);
}

// Each test gets its own program; forms declared in the test go first.
class RuntimeTest : public ::testing::Test {
  protected:
    void TearDown() override { rt::testing::FlushDeletes(); }
    void advance(std::int64_t ms) { fakes.clock->advance(ms); }

    rt::testing::Fakes fakes;
    rt::App app{"Test Title", rt::testing::MakeTestPlatform(fakes)};
};

// "A@100": what happened at which virtual millisecond.
inline std::string At(const std::string& what) {
    return what + "@" + std::to_string(rt::App::instance().clock().now() / 1000);
}

// A form that only keeps the program alive.
class Blank final : public rt::Form {
  public:
    Blank() : rt::Form(rt::FormDesign{.caption = "Blank", .width = 1500, .height = 1500}) {}
};

// Timers that log their ticks into a log shared between forms.
class Clocks final : public rt::Form {
  public:
    Clocks(Log& log, std::string tag)
        : rt::Form(rt::FormDesign{.caption = "Clocks", .width = 1500, .height = 1500}) {
        for (rt::Timer* t : {&A, &B, &C, &Z})
            t->Tick = [&log, t, tag] { log.push_back(At(tag + t->Name())); };
    }

    rt::Timer A{*this, "A", {.interval = 100}};
    rt::Timer B{*this, "B", {.interval = 100}};
    rt::Timer C{*this, "C", {.interval = 30, .enabled = false}};
    rt::Timer Z{*this, "Z", {.interval = 0}};
};

}  // namespace rttest
