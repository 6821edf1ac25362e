#include "about/nebulor_about.h"

#include "runtime/base/app.h"

namespace about {

NebulorAbout::NebulorAbout(const rt::ProgramInfo& info, const rt::DateTime& startTime)
    : About({.caption = rt::translate("about::About", "About"),
             .width = 5565,
             .height = 4680,
             .border = rt::BorderStyle::FixedToolWindow,
             .showInTaskbar = false,
             .picture = kNebulorGradient},
            info, QT_TRANSLATE_NOOP("about::About", "Systémové inforácie nie sú teraz prístupné")),
      startTime_(startTime) {}

void NebulorAbout::Form_Load() {
    Label9.SetCaption(rt::TimeCaption(
        Label9, startTime_, rt::translate("about::NebulorAbout", "Hru si zapol o: "), "."));
    Label12.SetCaption(info_.Version());
}

}  // namespace about
