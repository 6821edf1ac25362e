#include "rules.h"

namespace nebulor {

const Difficulty kEasy{3000, 4000, "Otiažnosť: ľahká", 34, 42, 4000, 3000, 1600, "ľahkú"};
const Difficulty kMedium{2000, 3000, "Otiažnosť: stredná", 44, 52, 2000, 2000, 1400, "strednú"};
// Hard redraws invader 1's interval from 3000, more than Medium's 2000: as designed.
const Difficulty kHard{1500, 2000, "Otiažnosť: ťažká", 54, 62, 3000, 1500, 1200, "ťažkú"};

const Difficulty* DifficultyOf(const Modul1& m) {
    if (m.EasyLevel == kTrue) return &kEasy;
    if (m.MediumLevel == kTrue) return &kMedium;
    if (m.HardLevel == kTrue) return &kHard;
    return nullptr;
}

std::string EndText(Outcome outcome, std::int32_t score, bool beatBest) {
    if (outcome == Outcome::Victory)
        return "Gratulujem! Zničil si obidve mimozemšťanské ufá a zachránil si Zem od skazy teda "
               "invázie mimozemšťanov... Získal si skóre: " +
               rt::Str(score) + ".";
    return "Prehral si mimozemšťan pristál na Zemi.\rZískal si skóre: " + rt::Str(score) +
           (beatBest ? " a tým si prekonal najlepšie skóre."
                     : " bohužiaľ neprekonal si najlepšie skóre.");
}

std::string EndTitle(Outcome outcome) {
    return outcome == Outcome::Victory ? "Vyhral si" : "Prehral si";
}

}  // namespace nebulor
