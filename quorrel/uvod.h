#pragma once
// The splash screen: a picture slides up into a white borderless window, then
// the game window takes over.

#include "quorrel/hra.h"
#include "runtime/base/texts.h"
#include "runtime/forms/controls.h"

namespace quorrel {

class Úvod final : public rt::Form {
  public:
    explicit Úvod(Hra& hra);

    static constexpr rt::Twips kRestTop = 300;
    static constexpr rt::Twips kSlideStep = 30;

    // clang-format off
    rt::Timer Timer2{*this, "Timer2", {.interval = 2000, .enabled = false}, &Úvod::Timer2_Timer};
    rt::Timer Timer1{*this, "Timer1", {.interval = 10, .enabled = true}, &Úvod::Timer1_Timer};
    rt::Label Label1{*this, "Label1", {0, 1560, 4335, 255}, {.caption = rt::translate("quorrel::Úvod", "Uvádza hru:"), .visible = false, .alignment = rt::Alignment::Center, .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0x0000C0), .font = {"Tahoma", 11.25f, true}, .tabIndex = 0}};
    rt::Image Image1{*this, "Image1", {240, 1920, 3930, 1380}, {.picture = kSplash}};
    // clang-format on

    void Timer1_Timer();
    void Timer2_Timer();

  private:
    Hra& hra_;
};

}  // namespace quorrel
