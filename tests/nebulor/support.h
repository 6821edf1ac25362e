#pragma once
// A nebulor run on the test platform, with the steps a player takes.

#include <gtest/gtest.h>

#include <QWidget>
#include <array>
#include <cmath>
#include <optional>

#include "app.h"
#include "fakes.h"
#include "mouse.h"
#include "nebulor/program.h"

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

    // ---- Flight, shooting and random play: where a control is on top, and
    // the steps of a game that goes past 60 points.

    // The control's pixels (window coordinates) as the screen shows them.
    static QRect pixelsOf(rt::Control& control) {
        rt::FlushDrawing();
        const QWidget* window = control.Parent().window();
        return window ? control.shownPixels().intersected(window->rect()) : QRect();
    }

    // True when a click at `pixel` reaches `control` and nothing stacked above it.
    static bool onTop(rt::Control& control, QPoint pixel) {
        return control.Parent().controlAt(pixel) == &control;
    }

    // A pixel of `control` that no other control covers, nearest its centre.
    std::optional<QPoint> uncoveredPixel(rt::Control& control) {
        const QRect r = pixelsOf(control);
        std::optional<QPoint> best;
        auto distance = [&](QPoint p) { return (p - r.center()).manhattanLength(); };
        for (int y = r.top(); y <= r.bottom(); y += 2)
            for (int x = r.left(); x <= r.right(); x += 2)
                if (QPoint p(x, y); onTop(control, p) && (!best || distance(p) < distance(*best)))
                    best = p;
        return best;
    }

    // Clicks `control` where the player sees it.
    void shootWhereSeen(rt::Control& control) {
        const std::optional<QPoint> p = uncoveredPixel(control);
        ASSERT_TRUE(p) << control.Name() << " shows nowhere";
        rt::testing::ClickAt(control.Parent(), *p);
    }

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
