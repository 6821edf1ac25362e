#pragma once
// The splash screen: loads the menu hidden, records the start time, slides a
// picture up, then hands over to the menu.

#include "nebulor/modul1.h"
#include "nebulor/pictures.h"
#include "runtime/base/texts.h"
#include "runtime/forms/controls.h"

namespace nebulor {

class Logo final : public rt::Form {
  public:
    Logo(Modul1& modul1, rt::Form& menu);

    static constexpr rt::Twips kSlideStep = 30;
    static constexpr rt::Twips kStopAt = 120;  // the tick that reaches it puts the picture at rest
    static constexpr rt::Twips kRestTop = 180;

    // clang-format off
    rt::Timer Timer2{*this, "Timer2", {.interval = 2500, .enabled = false}, &Logo::Timer2_Timer};
    rt::Timer Timer1{*this, "Timer1", {.interval = 10, .enabled = true}, &Logo::Timer1_Timer};
    rt::PictureBox Picture1{*this, "Picture1", {360, 1800, 3855, 1335}, {.picture = kSplash, .border = false, .backColor = rt::rgb(0xC0FFC0), .tabIndex = 0}};
    rt::Label Label1{*this, "Label1", {0, 1455, 4695, 360}, {.caption = rt::translate("nebulor::Logo", "Opäť uvádza hru: "), .visible = false, .alignment = rt::Alignment::Center, .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0x00C000), .font = {"Tahoma", 11.25f, true}, .tabIndex = 1}};
    // clang-format on

  protected:
    void Form_Load() override;

  private:
    void Timer1_Timer();
    void Timer2_Timer();

    Modul1& modul1_;
    rt::Form& menu_;
};

}  // namespace nebulor
