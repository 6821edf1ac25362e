#include "quorrel/rules.h"

namespace quorrel {

namespace {

// Each in the order the bands are tested: at most 1, at most 10, at most 25,
// 26 and above.
constexpr std::array<Verdict, 4> kEasyVerdicts{{
    {.prefix = "Úbohosť nad úbohosť, získal(a) si len ", .suffix = "!"},
    {.prefix = "Nie si nijaký(á) majster(ka), lebo si získal(a) len ", .suffix = "."},
    {.prefix = "Si dobrý(á) ale na najľahšiu obitažnosť ja by som to dokázal aj so zatvorenými "
               "očami! Tvoje skóre je: ",
     .suffix = "."},
    {.prefix = "Perfekné získal(a) si ",
     .suffix = ". Ale mysli na to že to je najľahšia obtiažnosť."},
}};

constexpr std::array<Verdict, 4> kMediumVerdicts{{
    {.prefix = "Úbohosť, získal(a) si len ", .suffix = "!"},
    {.prefix = "Získal(a) si dosť málo skóre. Tvoje skóre je: ", .suffix = ". Čo si o tom myslíš?"},
    {.prefix = "Dobré skóre na túto obtiažnosť! ", .suffix = "."},
    {.prefix = "Si veľmi dobrý tvoje skóre je: ", .suffix = "."},
}};

constexpr std::array<Verdict, 4> kHardVerdicts{{
    {.prefix = "Toto je teda najťažšia obtiažnosť aspoň sa ti podarilo získať ", .suffix = "!"},
    {.prefix = "", .suffix = ". Toto je dobré skóre! Aj keď je malé, ale na akú obtiažnosť!"},
    {.prefix = "", .suffix = ". Toto je úplne skvelé skóre na takúto ťažkú obtiažnosť!"},
    {.prefix = "Ty si super majster! Takéto vysoké skóre a na takúto obtiažnosť sa nevidí "
               "každú chvíľu! Perfektné! Máš presne: ",
     .suffix = "."},
}};

}  // namespace

// clang-format off
const Level kEasy{.lives = 2, .step = {.span = 100, .base = 5}, .name = "ľahká", .recordName = "ľahkú", .description = 0, .verdicts = kEasyVerdicts};
const Level kMedium{.lives = 3, .step = {.span = 200, .base = 10}, .name = "stredná", .recordName = "strednú", .description = 1, .verdicts = kMediumVerdicts};
const Level kHard{.lives = 4, .step = {.span = 500, .base = 20}, .name = "ťažká", .recordName = "ťažkú", .description = 2, .verdicts = kHardVerdicts};
// clang-format on

namespace {
int BandOf(Counter score) {
    if (score <= 1) return 0;
    if (score <= 10) return 1;
    if (score <= 25) return 2;
    return 3;
}
}  // namespace

std::string PointsWordFor(Counter score) {
    if (score == 1) return "bod";
    if (score >= 2 && score <= 4) return "body";
    return "bodov";
}

std::string VerdictText(const Level& level, Counter score) {
    const Verdict& v = level.verdicts[BandOf(score)];
    return std::string(v.prefix) + rt::Str(score) + " " + PointsWordFor(score) + v.suffix;
}

}  // namespace quorrel
