#pragma once

#include "app.h"
#include "hra.h"
#include "uvod.h"

namespace quorrel {

inline const rt::ProgramInfo kInfo{
    .command = "quorrel",
    .title = "Quorrel",
    .major = 1,
    .minor = 3,
    .revision = 1,
    .summary = "Shoot the alien walker before it escapes by UFO (a game in Slovak).",
};

struct Program final : rt::Program {
    Hra hra;
    Úvod úvod{hra};
    rt::Form& StartupForm() override { return úvod; }
};

}  // namespace quorrel
