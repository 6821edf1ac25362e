#pragma once
// quorrel's forms and how it starts.

#include "about/maker.h"
#include "about/quorrel_about.h"
#include "quorrel/hra.h"
#include "quorrel/uvod.h"
#include "runtime/forms/program.h"

namespace quorrel {

inline const rt::ProgramInfo kInfo{
    .command = "quorrel",
    .title = "Quorrel",
    .major = maker::kQuorrel.major,
    .minor = maker::kQuorrel.minor,
    .revision = maker::kQuorrel.revision,
    .summary = "Shoot the alien walker before it escapes by UFO (in Slovak or English).",
    .appId = maker::kQuorrel.appId,
};

// The forms, each given the ones it opens. Member order is construction
// order: of two timers due at the same instant, the earlier form's ticks first.
struct Program final : rt::Program {
    about::QuorrelAbout about{kInfo};
    Hra hra{about};
    Úvod úvod{hra};
    rt::Form& StartupForm() override { return úvod; }
    void NewGame() override {
        if (hra.Visible()) hra.Command1.Press();
    }
    void Help() override { hra.ShowRules(); }
};

}  // namespace quorrel
