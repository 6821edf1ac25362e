#pragma once
// The program-wide variables: what outlives the menu and the game screen.
// All start at 0 or empty; nothing is stored.

#include <cstdint>
#include <string>

#include "nebulor/rules.h"
#include "runtime/base/values.h"

namespace nebulor {

// Booleans are Integers: -1 for true, 0 for false.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

struct Modul1 {
    std::int16_t EasyLevel = kFalse;
    std::int16_t MediumLevel = kFalse;
    std::int16_t HardLevel = kFalse;
    Counter BestScore = 0;
    std::string BestScoreLevel;  // "ľahkú", "strednú" or "ťažkú"; empty before a first best
    std::int16_t BestScoreSet = kFalse;
    std::int16_t Ufo1Lives = 0;
    std::int16_t Ufo2Lives = 0;
    rt::DateTime StartTime{};  // the time of day the program started

    // Sets the flag of `level` and clears the other two, in the order Easy,
    // Medium, Hard.
    void SetLevel(Level level) {
        EasyLevel = level == Level::Easy ? kTrue : kFalse;
        MediumLevel = level == Level::Medium ? kTrue : kFalse;
        HardLevel = level == Level::Hard ? kTrue : kFalse;
    }
};

}  // namespace nebulor
