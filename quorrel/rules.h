#pragma once
// quorrel's rules that need no window: the difficulty levels and the verdict
// on a lost game.

#include <array>
#include <cstdint>
#include <string>

namespace quorrel {

inline constexpr std::int32_t kUfoScore = 300;  // from here on the UFO can be shot
inline constexpr int kUfoLives = 10;

// One band of the verdict table: the score, then the word for points, between.
struct Verdict {
    const char* prefix;
    const char* suffix;
};

struct Level {
    int lives;     // clicks that kill a walker
    int stepSpan;  // WalkerStep = Int(Rnd * stepSpan + stepBase)
    int stepBase;
    const char* name;        // "ľahká"
    const char* recordName;  // "ľahkú", as in "Na obtiažnosť: ľahkú"
    int description;         // which of the options screen's descriptions it shows: 0, 1, 2
    // Bands: at most 1, at most 10, at most 25, 26 and above.
    std::array<Verdict, 4> verdicts;
};

extern const Level kEasy;
extern const Level kMedium;
extern const Level kHard;

// "bod", "body" or "bodov" after a number.
std::string PointsWordFor(std::int32_t score);
// The verdict on a lost game.
std::string VerdictText(const Level& level, std::int32_t score);

}  // namespace quorrel
