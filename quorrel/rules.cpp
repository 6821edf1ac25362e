#include "quorrel/rules.h"

namespace quorrel {

namespace {

// Each in the order the bands are tested: at most 1, at most 10, at most 25,
// 26 and above.
constexpr std::array<Verdict, 4> kEasyVerdicts{{
    {.prefix = QT_TRANSLATE_NOOP("quorrel::Rules", "Úbohosť nad úbohosť, získal(a) si len "),
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules", "!")},
    {.prefix = QT_TRANSLATE_NOOP("quorrel::Rules",
                                 "Nie si nijaký(á) majster(ka), lebo si získal(a) len "),
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules", ".")},
    {.prefix = QT_TRANSLATE_NOOP(
         "quorrel::Rules",
         "Si dobrý(á) ale na najľahšiu obitažnosť ja by som to dokázal aj so zatvorenými "
         "očami! Tvoje skóre je: "),
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules", ".")},
    {.prefix = QT_TRANSLATE_NOOP("quorrel::Rules", "Perfekné získal(a) si "),
     .suffix =
         QT_TRANSLATE_NOOP("quorrel::Rules", ". Ale mysli na to že to je najľahšia obtiažnosť.")},
}};

constexpr std::array<Verdict, 4> kMediumVerdicts{{
    {.prefix = QT_TRANSLATE_NOOP("quorrel::Rules", "Úbohosť, získal(a) si len "),
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules", "!")},
    {.prefix =
         QT_TRANSLATE_NOOP("quorrel::Rules", "Získal(a) si dosť málo skóre. Tvoje skóre je: "),
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules", ". Čo si o tom myslíš?")},
    {.prefix = QT_TRANSLATE_NOOP("quorrel::Rules", "Dobré skóre na túto obtiažnosť! "),
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules", ".")},
    {.prefix = QT_TRANSLATE_NOOP("quorrel::Rules", "Si veľmi dobrý tvoje skóre je: "),
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules", ".")},
}};

constexpr std::array<Verdict, 4> kHardVerdicts{{
    {.prefix = QT_TRANSLATE_NOOP("quorrel::Rules",
                                 "Toto je teda najťažšia obtiažnosť aspoň sa ti podarilo získať "),
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules", "!")},
    {.prefix = "",
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules",
                                 ". Toto je dobré skóre! Aj keď je malé, ale na akú obtiažnosť!")},
    {.prefix = "",
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules",
                                 ". Toto je úplne skvelé skóre na takúto ťažkú obtiažnosť!")},
    {.prefix = QT_TRANSLATE_NOOP(
         "quorrel::Rules",
         "Ty si super majster! Takéto vysoké skóre a na takúto obtiažnosť sa nevidí "
         "každú chvíľu! Perfektné! Máš presne: "),
     .suffix = QT_TRANSLATE_NOOP("quorrel::Rules", ".")},
}};

}  // namespace

// clang-format off
const Level kEasy{.lives = 2, .step = {.span = 100, .base = 5}, .name = QT_TRANSLATE_NOOP("quorrel::Rules", "ľahká"), .recordName = QT_TRANSLATE_NOOP("quorrel::Rules", "ľahkú"), .description = 0, .verdicts = kEasyVerdicts};
const Level kMedium{.lives = 3, .step = {.span = 200, .base = 10}, .name = QT_TRANSLATE_NOOP("quorrel::Rules", "stredná"), .recordName = QT_TRANSLATE_NOOP("quorrel::Rules", "strednú"), .description = 1, .verdicts = kMediumVerdicts};
const Level kHard{.lives = 4, .step = {.span = 500, .base = 20}, .name = QT_TRANSLATE_NOOP("quorrel::Rules", "ťažká"), .recordName = QT_TRANSLATE_NOOP("quorrel::Rules", "ťažkú"), .description = 2, .verdicts = kHardVerdicts};
// clang-format on

namespace {
int BandOf(Counter score) {
    if (score <= 1) return 0;
    if (score <= 10) return 1;
    if (score <= 25) return 2;
    return 3;
}
}  // namespace

std::string RulesText(const char* marked) {
    return *marked ? rt::translate("quorrel::Rules", marked) : std::string();
}

std::string PointsWordFor(Counter score) {
    if (score == 1) return RulesText(QT_TRANSLATE_NOOP("quorrel::Rules", "bod"));
    if (score >= 2 && score <= 4) return RulesText(QT_TRANSLATE_NOOP("quorrel::Rules", "body"));
    return RulesText(QT_TRANSLATE_NOOP("quorrel::Rules", "bodov"));
}

std::string VerdictText(const Level& level, Counter score) {
    const Verdict& v = level.verdicts[BandOf(score)];
    return RulesText(v.prefix) + rt::Str(score) + " " + PointsWordFor(score) + RulesText(v.suffix);
}

}  // namespace quorrel
