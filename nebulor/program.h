#pragma once
// nebulor's forms and how it starts.

#include "about/maker.h"
#include "about/nebulor_about.h"
#include "nebulor/hra.h"
#include "nebulor/logo.h"
#include "nebulor/menu.h"
#include "nebulor/modul1.h"
#include "runtime/forms/program.h"

namespace nebulor {

inline const rt::ProgramInfo kInfo{
    .command = "nebulor",
    .title = "Nebulor",
    .major = maker::kNebulor.major,
    .minor = maker::kNebulor.minor,
    .revision = maker::kNebulor.revision,
    .summary = "Shoot the invaders falling from two UFOs, then the UFOs (in Slovak or English).",
    .appId = maker::kNebulor.appId,
};

// The program-wide variables and the forms, each given the ones it opens.
// Member order is construction order: of two timers due at the same instant,
// the earlier form's ticks first (the menu's clock before the splash's slide).
// The game screen and the menu open each other: a reference to the later
// member is only stored until it exists.
struct Program final : rt::Program {
    Modul1 modul1;
    about::NebulorAbout about{kInfo, modul1.StartTime};
    Hra hra{modul1, menu};
    Menu menu{modul1, hra, about};
    Logo logo{modul1, menu};
    rt::Form& StartupForm() override { return logo; }
    void NewGame() override {
        if (menu.Visible()) menu.Command1.Press();
    }
    void Help() override {
        rt::MsgBox(rt::translate("nebulor::Menu", Menu::kRules), rt::vbInformation, kInfo.title);
    }
};

}  // namespace nebulor
