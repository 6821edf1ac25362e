#include "quorrel_about.h"

namespace about {

QuorrelAbout::QuorrelAbout(const rt::ProgramInfo& info)
    : About({.caption = "About",
             .width = 4260,
             .height = 3075,
             .border = rt::BorderStyle::FixedToolWindow,
             .showInTaskbar = false,
             .backColor = rt::rgb(0xC0C0FF)},
            info, "Informácie o systéme nie sú teraz prístupné") {
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void QuorrelAbout::cmdOK_Click() { Unload(); }

}  // namespace about
