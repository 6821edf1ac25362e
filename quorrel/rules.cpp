#include "rules.h"

#include "values.h"

namespace quorrel {

const Level kEasy{
    2, 100, 5, "ľahká", "ľahkú", 0,
    {{
        {"Úbohosť nad úbohosť, získal(a) si len ", "!"},
        {"Nie si nijaký(á) majster(ka), lebo si získal(a) len ", "."},
        {"Si dobrý(á) ale na najľahšiu obitažnosť ja by som to dokázal aj so zatvorenými očami! "
         "Tvoje skóre je: ",
         "."},
        {"Perfekné získal(a) si ", ". Ale mysli na to že to je najľahšia obtiažnosť."},
    }}};

const Level kMedium{
    3, 200, 10, "stredná", "strednú", 1,
    {{
        {"Úbohosť, získal(a) si len ", "!"},
        {"Získal(a) si dosť málo skóre. Tvoje skóre je: ", ". Čo si o tom myslíš?"},
        {"Dobré skóre na túto obtiažnosť! ", "."},
        {"Si veľmi dobrý tvoje skóre je: ", "."},
    }}};

const Level kHard{
    4, 500, 20, "ťažká", "ťažkú", 2,
    {{
        {"Toto je teda najťažšia obtiažnosť aspoň sa ti podarilo získať ", "!"},
        {"", ". Toto je dobré skóre! Aj keď je malé, ale na akú obtiažnosť!"},
        {"", ". Toto je úplne skvelé skóre na takúto ťažkú obtiažnosť!"},
        {"Ty si super majster! Takéto vysoké skóre a na takúto obtiažnosť sa nevidí každú chvíľu! "
         "Perfektné! Máš presne: ",
         "."},
    }}};

namespace {
int BandOf(std::int32_t score) {
    if (score <= 1) return 0;
    if (score <= 10) return 1;
    if (score <= 25) return 2;
    return 3;
}
}  // namespace

std::string PointsWordFor(std::int32_t score) {
    if (score == 1) return "bod";
    if (score >= 2 && score <= 4) return "body";
    return "bodov";
}

std::string VerdictText(const Level& level, std::int32_t score) {
    const Verdict& v = level.verdicts[BandOf(score)];
    return std::string(v.prefix) + rt::Str(score) + " " + PointsWordFor(score) + v.suffix;
}

}  // namespace quorrel
