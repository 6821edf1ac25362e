#pragma once
// The timer: ticks every Interval milliseconds while enabled and its form is
// loaded, through the program's scheduler and dispatch path.

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

#include "runtime/forms/form.h"

namespace rt {

struct TimerDesign {
    int interval = 0;  // milliseconds; 0 never ticks
    bool enabled = true;
};

class Timer final : public Component {
  public:
    Timer(Form& form, std::string name, TimerDesign d);
    // With the form's handler of the Timer event, as the layout line names it.
    template <class F>
    Timer(Form& form, std::string name, TimerDesign d, void (F::*tick)())
        : Timer(form, std::move(name), d) {
        static_assert(std::is_base_of_v<Form, F>, "a handler is a member of a form");
        Tick = [&form, tick] { (static_cast<F&>(form).*tick)(); };
    }
    ~Timer() override;

    bool Enabled();
    void SetEnabled(bool enabled);
    int Interval();
    void SetInterval(int interval);

    std::function<void()> Tick;  // the Timer event

  protected:
    void loadDesign() override { cur_ = design_; }
    void started() override;
    void teardown() override;

  private:
    void restart();
    TimerDesign design_, cur_;
    std::uint64_t id_;
    bool live_ = false;  // the form is loaded
};

}  // namespace rt
