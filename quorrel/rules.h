#pragma once
// quorrel's rules that need no window: the difficulty levels and the verdict
// on a lost game.

#include <array>
#include <cstdint>
#include <string>

#include "runtime/base/texts.h"
#include "runtime/base/values.h"

namespace quorrel {

// The score and the best score grow with the length of a game and are
// widened to 32 bits, so that a long game plays on past 32767; they are the
// only Counters. The hits and lives of the walker and the UFO stay small.
using Counter = std::int32_t;

inline constexpr Counter kUfoScore = 300;  // from here on the UFO can be shot
inline constexpr int kUfoLives = 10;
inline constexpr rt::Twips kWalkerHomeLeft = 3960;  // where every walker starts
inline constexpr rt::Twips kWalkerHomeTop = 2370;
inline constexpr rt::Twips kEscapeLeft = 0;  // a walker whose Left is at or below it escapes

// One band of the verdict table: the score, then the word for points, between.
struct Verdict {
    const char* prefix;
    const char* suffix;
};

// A step drawn as Int(Rnd * span + base): base .. base + span - 1 twips.
struct StepRange {
    int span;
    int base;
};

struct Level {
    int lives;               // clicks that kill a walker
    StepRange step;          // WalkerStep, twips per tick
    const char* name;        // "ľahká"
    const char* recordName;  // "ľahkú", as in "Na obtiažnosť: ľahkú"
    int description;         // which of the options screen's descriptions it shows: 0, 1, 2
    // Bands: at most 1, at most 10, at most 25, 26 and above.
    std::array<Verdict, 4> verdicts;
};

extern const Level kEasy;
extern const Level kMedium;
extern const Level kHard;

// A text of the rules (a level's name, a verdict's part), marked where it is
// declared, in the chosen language.
std::string RulesText(const char* marked);
// "bod", "body" or "bodov" after a number.
std::string PointsWordFor(Counter score);
// The verdict on a lost game.
std::string VerdictText(const Level& level, Counter score);

}  // namespace quorrel
