#pragma once
// A nebulor run on the test platform, with the steps a player takes.

#include <array>

#include "nebulor/program.h"
#include "tests/program_test.h"

namespace nebulor::testing {

using rt::testing::Click;

using rt::testing::kRndMax;
using rt::testing::kRndMin;

// The r for which Int(r * n + k) gives `value`.
inline float RndFor(int value, int n, int k) {
    return (static_cast<float>(value - k) + 0.5f) / static_cast<float>(n);
}

// What a game's load draws, in its order.
struct StartDraws {
    float spawn1 = 0.5f;
    float spawn2 = 0.5f;
    float ufo1Step = kRndMin;
    float ufo2Step = kRndMin;
};

class NebulorTest : public rt::testing::ProgramTest<Program, kInfo> {
  protected:
    Modul1& modul1 = program.modul1;
    Logo& logo = program.logo;
    Menu& menu = program.menu;
    Hra& hra = program.hra;

    // The whole program from its splash screen, up to the menu.
    void startProgram() {
        rt::Start(logo);
        advance(56 * 10 + 2500);
        ASSERT_TRUE(menu.Visible());
    }

    // Straight to the menu, as the splash screen hands over to it.
    void openMenu() { rt::Start(menu); }

    // In the menu: picks a difficulty (or leaves it) and presses "Nová hra".
    void startGame(rt::OptionButton* option = nullptr, StartDraws d = {}) {
        ASSERT_TRUE(menu.Visible());
        if (option) Click(*option);
        for (float r : {d.spawn1, d.spawn2, d.ufo1Step, d.ufo2Step}) fakes.random->push(r);
        Click(menu.Command1);
        ASSERT_TRUE(hra.Visible());
        ASSERT_FALSE(menu.Loaded());
    }

    // A game from the menu with invader 1's first appearance after `ms1` and
    // invader 2's after `ms2` (at most the difficulty's start spans).
    void startGameWithIntervals(rt::OptionButton* option, int ms1, int ms2) {
        const Difficulty& d = option == &menu.Option1   ? kEasy
                              : option == &menu.Option3 ? kHard
                                                        : kMedium;
        startGame(option, {RndFor(ms1, d.startSpan1, 1), RndFor(ms2, d.startSpan2, 1)});
    }

    // Clicks an image where the player sees it.
    void shoot(rt::Image& image) { Click(image); }

    // ---- Flight, shooting and random play: the steps of a game that goes
    // past 60 points.

    // Lets time run a millisecond at a time until `image` shows.
    void waitUntilShown(rt::Image& image, int limitMs = 5000) {
        for (int ms = 0; ms < limitMs && hra.Loaded() && !image.Visible(); ++ms) advance(1);
        ASSERT_TRUE(hra.Loaded() && image.Visible()) << image.Name() << " never came";
    }

    // Shoots an invader in play until it dies.
    void kill(rt::Image& invader) {
        for (int hit = 0; hit < 3 && invader.Visible(); ++hit) shootWhereSeen(invader);
        ASSERT_FALSE(invader.Visible()) << invader.Name() << " survived three hits";
    }

    // The next kill is the 60th: invader 1's, as soon as it comes.
    void armUfos() {
        hra.Score = 59;
        waitUntilShown(hra.Image3);
        kill(hra.Image3);
        ASSERT_TRUE(hra.Image1.Enabled());
    }

    // The end-of-game boxes' texts.
    static std::string VictoryText(std::int32_t score) {
        return "Gratulujem! Zničil si obidve mimozemšťanské ufá a zachránil si Zem od skazy teda "
               "invázie mimozemšťanov... Získal si skóre: " +
               std::to_string(score) + ".";
    }
    static std::string DefeatText(std::int32_t score, bool newBest) {
        return "Prehral si mimozemšťan pristál na Zemi.\rZískal si skóre: " +
               std::to_string(score) +
               (newBest ? " a tým si prekonal najlepšie skóre."
                        : " bohužiaľ neprekonal si najlepšie skóre.");
    }

    // The fifteen hits that destroy a UFO.
    void destroy(rt::Image& ufo) {
        for (int hit = 0; hit < 15 && hra.Loaded() && ufo.Visible(); ++hit) shootWhereSeen(ufo);
    }
};

}  // namespace nebulor::testing
