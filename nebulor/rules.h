#pragma once
// nebulor's rules that need no window: the difficulties and the texts of a
// game's end.

#include <cstdint>
#include <string>

#include "modul1.h"
#include "values.h"

namespace nebulor {

inline constexpr rt::Twips kGround = 4200;     // an invader whose Top reaches it has landed
inline constexpr rt::Twips kRightTurn = 4560;  // the UFOs turn at or past these
inline constexpr rt::Twips kLeftTurn = 0;
inline constexpr rt::Twips kInvader3Offset = 1500;  // invader 3 comes this far right of UFO 2
inline constexpr rt::Twips kInvader3Fall = 60;
inline constexpr std::int32_t kUfoScore = 60;  // kills that make the UFOs shootable
inline constexpr std::int16_t kUfoLives = 15;
inline constexpr std::int32_t kReleaseStep = 75;  // FallStep2 that releases invader 3

struct Difficulty {
    int startSpan1;  // SpawnInterval1 at the start: 1 .. startSpan1 ms
    int startSpan2;
    const char* caption;  // Label8 of the game screen
    std::int32_t fallStep1;
    std::int32_t fallStep2;
    int spawnSpan1;  // the interval redrawn while each invader is in play
    int spawnSpan2;
    int spawnSpan3;
    const char* bestScoreLevel;  // "ľahkú": the word the menu shows with a best score
};

extern const Difficulty kEasy;
extern const Difficulty kMedium;
extern const Difficulty kHard;

// The first of EasyLevel, MediumLevel, HardLevel that is set; none when
// the menu has not chosen one.
const Difficulty* DifficultyOf(const Modul1& m);

enum class Outcome { Defeat, Victory };

// The end-of-game message; `beatBest` says whether the score is a new best.
std::string EndText(Outcome outcome, std::int32_t score, bool beatBest);
std::string EndTitle(Outcome outcome);

}  // namespace nebulor
