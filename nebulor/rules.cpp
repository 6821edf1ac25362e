#include "nebulor/rules.h"

#include "nebulor/modul1.h"

namespace nebulor {

// clang-format off
const Difficulty kEasy{.startSpan1 = 3000, .startSpan2 = 4000, .caption = QT_TRANSLATE_NOOP("nebulor::Rules", "Otiažnosť: ľahká"), .fallStep1 = 34, .fallStep2 = 42, .spawnSpan1 = 4000, .spawnSpan2 = 3000, .spawnSpan3 = 1600, .bestScoreLevel = QT_TRANSLATE_NOOP("nebulor::Rules", "ľahkú")};
const Difficulty kMedium{.startSpan1 = 2000, .startSpan2 = 3000, .caption = QT_TRANSLATE_NOOP("nebulor::Rules", "Otiažnosť: stredná"), .fallStep1 = 44, .fallStep2 = 52, .spawnSpan1 = 2000, .spawnSpan2 = 2000, .spawnSpan3 = 1400, .bestScoreLevel = QT_TRANSLATE_NOOP("nebulor::Rules", "strednú")};
// Hard redraws invader 1's interval from 3000, more than Medium's 2000: as designed.
const Difficulty kHard{.startSpan1 = 1500, .startSpan2 = 2000, .caption = QT_TRANSLATE_NOOP("nebulor::Rules", "Otiažnosť: ťažká"), .fallStep1 = 54, .fallStep2 = 62, .spawnSpan1 = 3000, .spawnSpan2 = 1500, .spawnSpan3 = 1200, .bestScoreLevel = QT_TRANSLATE_NOOP("nebulor::Rules", "ťažkú")};
// clang-format on

const Difficulty* DifficultyOf(const Modul1& m) {
    if (m.EasyLevel == kTrue) return &kEasy;
    if (m.MediumLevel == kTrue) return &kMedium;
    if (m.HardLevel == kTrue) return &kHard;
    return nullptr;
}

std::string RulesText(const char* marked) { return rt::translate("nebulor::Rules", marked); }

std::string EndText(Outcome outcome, Counter score, bool beatBest) {
    if (outcome == Outcome::Victory)
        return rt::translate("nebulor::Rules",
                             "Gratulujem! Zničil si obidve mimozemšťanské ufá a zachránil si "
                             "Zem od skazy teda invázie mimozemšťanov... Získal si skóre: ") +
               rt::Str(score) + ".";
    return rt::translate("nebulor::Rules",
                         "Prehral si mimozemšťan pristál na Zemi.\rZískal si skóre: ") +
           rt::Str(score) +
           (beatBest ? rt::translate("nebulor::Rules", " a tým si prekonal najlepšie skóre.")
                     : rt::translate("nebulor::Rules", " bohužiaľ neprekonal si najlepšie skóre."));
}

std::string EndTitle(Outcome outcome) {
    return outcome == Outcome::Victory ? rt::translate("nebulor::Rules", "Vyhral si")
                                       : rt::translate("nebulor::Rules", "Prehral si");
}

}  // namespace nebulor
