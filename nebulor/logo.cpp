#include "nebulor/logo.h"

#include "runtime/base/app.h"

namespace nebulor {

Logo::Logo(Modul1& modul1, rt::Form& menu)
    : rt::Form({.caption = "Form1",
                .accessibleName = "Nebulor",
                .width = 4680,
                .height = 1830,
                .border = rt::BorderStyle::None,
                .showInTaskbar = false,
                .backColor = rt::rgb(0xC0FFC0)}),
      modul1_(modul1),
      menu_(menu) {}

// The menu is loaded before the splash unloads itself, so the program never
// runs out of loaded forms during the hand-over.
void Logo::Form_Load() {
    menu_.Load();
    modul1_.StartTime = rt::Now();
}

void Logo::Timer1_Timer() {
    Picture1.Move(Picture1.Left(), Picture1.Top() - kSlideStep);
    if (Picture1.Top() > kStopAt) return;
    Picture1.SetTop(kRestTop);
    Label1.SetVisible(true);
    Timer2.SetEnabled(true);
    Timer1.SetEnabled(false);
}

void Logo::Timer2_Timer() {
    Unload();
    menu_.Show();
}

}  // namespace nebulor
