#pragma once
// A nebulor run on the test platform, with the steps a player takes.

#include <gtest/gtest.h>

#include <QWidget>
#include <array>
#include <cmath>

#include "app.h"
#include "fakes.h"
#include "mouse.h"
#include "program.h"

namespace nebulor::testing {

using rt::testing::Click;

// The smallest and the largest number Rnd can return.
inline constexpr float kRndMin = 0.0f;
inline const float kRndMax = std::nextafter(1.0f, 0.0f);

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

class NebulorTest : public ::testing::Test {
  protected:
    rt::testing::Fakes fakes;
    rt::App app{kInfo.title, rt::testing::MakeTestPlatform(fakes)};
    Program program;
    Modul1& modul1 = program.modul1;
    Logo& logo = program.logo;
    Menu& menu = program.menu;
    Hra& hra = program.hra;

    void TearDown() override { rt::testing::FlushDeletes(); }

    void advance(std::int64_t ms) { fakes.clock->advance(ms); }
    const std::vector<rt::testing::Message>& messages() { return fakes.dialogs->shown; }

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
};

}  // namespace nebulor::testing
