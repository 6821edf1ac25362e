#pragma once
// nebulor's rules that need no window: the difficulties, the invaders and
// UFOs, and the texts of a game's end.

#include <cstdint>
#include <string>

#include "runtime/base/texts.h"
#include "runtime/base/values.h"

namespace nebulor {

struct Modul1;

// Integers are 16 bits wide and checked (rt::CheckedInteger): leaving the
// range stops the program. Only the counters that grow with the length of a
// game are widened, so that a long game plays on past 32767: the score, the
// best score and the two fall steps are Counters; everything else is 16-bit.
using Counter = std::int32_t;

inline constexpr rt::Twips kGround = 4200;     // an invader whose Top reaches it has landed
inline constexpr rt::Twips kRightTurn = 4560;  // the UFOs turn at or past these
inline constexpr rt::Twips kLeftTurn = 0;
inline constexpr rt::Twips kInvader3Fall = 60;  // the others fall by their FallStep
inline constexpr Counter kUfoScore = 60;        // kills that make the UFOs shootable
inline constexpr std::int16_t kUfoLives = 15;
inline constexpr Counter kReleaseStep = 75;     // FallStep2 that releases invader 3
inline constexpr std::int16_t kFlashTicks = 2;  // Obraz ticks the firing cannon shows for

// The difficulty the menu chose: one of EasyLevel, MediumLevel, HardLevel.
enum class Level { Easy, Medium, Hard };

struct Difficulty {
    int startSpan1;  // SpawnInterval1 at the start: 1 .. startSpan1 ms
    int startSpan2;
    const char* caption;  // Label8 of the game screen
    Counter fallStep1;
    Counter fallStep2;
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

// One invader: what it comes back with and where, and its lives label.
struct InvaderRule {
    const char* livesPrefix;  // its lives label reads this and the lives
    std::int16_t fullLives;   // at every appearance
    rt::Twips offset;         // of its Left from its UFO's
    int Difficulty::*spawnSpan;
};

// clang-format off
inline constexpr InvaderRule kInvader1{.livesPrefix = QT_TRANSLATE_NOOP("nebulor::Rules", "Quorrel1 život: "), .fullLives = 2, .offset = 0, .spawnSpan = &Difficulty::spawnSpan1};
inline constexpr InvaderRule kInvader2{.livesPrefix = QT_TRANSLATE_NOOP("nebulor::Rules", "Quorrel2 život: "), .fullLives = 2, .offset = 0, .spawnSpan = &Difficulty::spawnSpan2};
inline constexpr InvaderRule kInvader3{.livesPrefix = QT_TRANSLATE_NOOP("nebulor::Rules", "Quorrel3 život: "), .fullLives = 3, .offset = 1500, .spawnSpan = &Difficulty::spawnSpan3};
// clang-format on

// A step drawn as Int(Rnd * span + base): base .. base + span - 1 twips.
struct StepRange {
    int span;
    int base;
};

// One UFO: its lives label and the steps it flies by.
struct UfoRule {
    const char* livesPrefix;
    StepRange startStep;  // drawn when a game starts
    StepRange turnStep;   // drawn at every turn
};

// clang-format off
inline constexpr UfoRule kUfo1{.livesPrefix = QT_TRANSLATE_NOOP("nebulor::Rules", "Ufo1 život: "), .startStep = {.span = 30, .base = 25}, .turnStep = {.span = 30, .base = 25}};
// UFO 2 starts with up to 44 but draws at most 34 after a turn: as designed.
inline constexpr UfoRule kUfo2{.livesPrefix = QT_TRANSLATE_NOOP("nebulor::Rules", "Ufo2 život: "), .startStep = {.span = 30, .base = 15}, .turnStep = {.span = 20, .base = 15}};
// clang-format on

// A text of the rules (a caption, a prefix, a word), marked where it is
// declared, in the chosen language.
std::string RulesText(const char* marked);

enum class Outcome { Defeat, Victory };

// The end-of-game message; `beatBest` says whether the score is a new best.
std::string EndText(Outcome outcome, Counter score, bool beatBest);
std::string EndTitle(Outcome outcome);

}  // namespace nebulor
