#include "about/quorrel_about.h"

namespace about {

QuorrelAbout::QuorrelAbout(const rt::ProgramInfo& info)
    : About({.caption = rt::translate("about::About", "About"),
             .width = 4260,
             .height = 3075,
             .border = rt::BorderStyle::FixedToolWindow,
             .showInTaskbar = false,
             .backColor = kBack,
             .picture = kQuorrelBackground},
            info,
            QT_TRANSLATE_NOOP("about::About", "Informácie o systéme nie sú teraz prístupné")) {}

void QuorrelAbout::Form_Load() { Label8.SetCaption(info_.Version()); }

}  // namespace about
