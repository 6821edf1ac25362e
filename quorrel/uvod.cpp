#include "quorrel/uvod.h"

namespace quorrel {

Úvod::Úvod(Hra& hra)
    : rt::Form({.caption = "Form2",
                .accessibleName = "Quorrel",
                .width = 4395,
                .height = 1890,
                .border = rt::BorderStyle::None,
                .showInTaskbar = false,
                .backColor = rt::rgb(0xFFFFFF)}),
      hra_(hra) {}

// Later ticks find the picture at rest and change nothing: enabling the running
// Timer2 leaves its countdown alone.
void Úvod::Timer1_Timer() {
    if (Image1.Top() == kRestTop) {
        Label1.SetVisible(true);
        Timer2.SetEnabled(true);
        return;
    }
    Image1.Move(Image1.Left() - 0, Image1.Top() - kSlideStep);
}

void Úvod::Timer2_Timer() {
    Unload();
    hra_.Show();
}

}  // namespace quorrel
