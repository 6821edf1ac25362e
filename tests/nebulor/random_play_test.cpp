// Seeded games of random clicks anywhere, pointer moves and waits (some of
// them stalls of seconds, some while a message box is open), the close box
// and the menu's buttons between games: the program keeps running, every game
// ends at most once, the game screen never stays loaded behind the menu, and
// the menu after an ending shows what the game left. RANDOM_PLAY_EVENTS sets
// how many events to play (CI plays many more than an everyday run).

#include <algorithm>
#include <cstdio>
#include <random>

#include "runtime/view/widgets.h"
#include "tests/nebulor/support.h"

namespace nebulor::testing {
namespace {

class RandomPlay : public NebulorTest {
  protected:
    std::mt19937 rng{20261207};

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }

    std::int64_t randomWait() {
        if (chance(0.02)) return 1000 + below(4000);  // a stall
        if (chance(0.4)) return below(20);            // within one fall tick
        return below(250);
    }

    QPoint randomPoint(rt::Form& form) {
        const QWidget* w = rt::WindowOf(form);
        return QPoint(below(w->width()), below(w->height()));
    }

    // Somewhere the control is on top, if it shows at all.
    std::optional<QPoint> pointOn(rt::Control& control) {
        const QRect r = pixelsOf(control);
        for (int tries = 0; tries < 8 && !r.isEmpty(); ++tries)
            if (QPoint p(r.left() + below(r.width()), r.top() + below(r.height()));
                onTop(control, p))
                return p;
        return std::nullopt;
    }

    void clickSomewhereOn(rt::Control& control) {
        if (auto p = pointOn(control)) rt::testing::ClickAt(control.Parent(), *p);
    }

    std::vector<rt::Image*> invadersInPlay() {
        std::vector<rt::Image*> shown;
        for (rt::Image* i : {&hra.Image3, &hra.Image4, &hra.Image5})
            if (i->Visible()) shown.push_back(i);
        return shown;
    }

    // One thing the player does in a game.
    void playGame() {
        switch (below(10)) {
            case 0: rt::testing::ClickAt(hra, randomPoint(hra)); break;
            case 1: rt::testing::MoveTo(hra, randomPoint(hra)); break;
            case 2:
            case 3:
            case 4:
                if (auto shown = invadersInPlay(); !shown.empty())
                    clickSomewhereOn(*shown[below(static_cast<int>(shown.size()))]);
                break;
            case 5: {
                rt::Image& ufo = chance(0.5) ? hra.Image1 : hra.Image2;
                if (ufo.Enabled())
                    clickSomewhereOn(ufo);
                else if (const QRect r = pixelsOf(ufo); !r.isEmpty())
                    rt::testing::ClickAt(hra, r.center());  // not shootable yet
                break;
            }
            case 6: {
                rt::Control* others[] = {&hra.Label1, &hra.Label2, &hra.Label3,
                                         &hra.Label4, &hra.Label5, &hra.Label6,
                                         &hra.Label7, &hra.Label8, &hra.Picture1};
                clickSomewhereOn(*others[below(9)]);
                break;
            }
            case 7:
                if (chance(0.03)) {  // the close box
                    if (chance(0.5))
                        rt::WindowOf(hra)->close();
                    else
                        app.dispatch([&] { hra.Unload(); });
                    break;
                }
                [[fallthrough]];
            default: advance(randomWait()); break;
        }
    }

    // One thing the player does in the menu; never "Koniec" or "About".
    void useMenu() {
        switch (below(6)) {
            case 0:
                Click(*std::array{&menu.Option1, &menu.Option2, &menu.Option3}[below(3)]);
                break;
            case 1: Click(menu.Command1); break;
            case 2: {
                const QPoint p = randomPoint(menu);
                if (!pixelsOf(menu.Command3).contains(p) && !pixelsOf(menu.Command4).contains(p))
                    rt::testing::ClickAt(menu, p);
                break;
            }
            case 3: rt::testing::MoveTo(menu, randomPoint(menu)); break;
            default: advance(randomWait()); break;
        }
    }

    // Where the UFOs can be shot: waits until an invader has landed, then the
    // last UFO hits win before its fall tick comes.
    bool winOverLandedInvader() {
        if (!hra.Image1.Enabled() || invadersInPlay().empty()) return false;
        auto landed = [&] {
            for (rt::Image* i : invadersInPlay())
                if (i->Top() >= kGround) return true;
            return false;
        };
        for (int ms = 0; ms < 3000 && hra.Loaded() && !landed(); ++ms) advance(1);
        if (!hra.Loaded() || !landed()) return false;
        for (rt::Image* ufo : {&hra.Image1, &hra.Image2}) {
            if (!hra.Loaded() || !ufo->Visible()) continue;
            (ufo == &hra.Image1 ? modul1.Ufo1Lives : modul1.Ufo2Lives) = 1;
            if (auto p = uncoveredPixel(*ufo)) rt::testing::ClickAt(hra, *p);
        }
        return true;
    }
};

TEST_F(RandomPlay, GamesEndOnceAndTheMenuAlwaysShowsWhatTheyLeft) {
    fakes.random->seed(7);
    openMenu();

    struct Game {
        bool on = false;
        int endings = 0;
        std::int32_t bestBefore = 0;
        std::string level;
        std::int32_t score = 0;
    } game;
    int defeats = 0, victories = 0, closed = 0, landedWins = 0;

    fakes.dialogs->whileOpen = [&](const rt::testing::Message& m) {
        EXPECT_NE(m.style, rt::vbCritical) << m.prompt;
        if (m.title == "Prehral si" || m.title == "Vyhral si") {
            ++game.endings;
            EXPECT_TRUE(game.on);
            EXPECT_EQ(game.endings, 1) << "a game ended twice";
            EXPECT_FALSE(menu.Loaded());
            game.score = hra.Score;
            const std::string text = m.title == "Vyhral si"
                                         ? VictoryText(game.score)
                                         : DefeatText(game.score, game.score > game.bestBefore);
            EXPECT_EQ(m.prompt, text);
            EXPECT_EQ(m.style, rt::vbInformation);
            ++(m.title == "Vyhral si" ? victories : defeats);
        }
        if (chance(0.3)) advance(randomWait());  // the player takes their time
        if (chance(0.3) && hra.Visible()) {
            const std::int32_t score = hra.Score;
            rt::testing::ClickAt(hra, randomPoint(hra));  // the box keeps it from the game
            EXPECT_EQ(hra.Score, score);
        }
    };

    const long events = rt::testing::EnvCount("RANDOM_PLAY_EVENTS", 20'000);
    for (long event = 0; event < events; ++event) {
        if (game.on) {
            const int before = victories;
            if (chance(0.03) && winOverLandedInvader())
                landedWins += victories - before;
            else
                playGame();
        } else {
            useMenu();
        }
        ASSERT_FALSE(app.ended());
        ASSERT_FALSE(menu.Loaded() && hra.Loaded()) << "the game screen behind the menu";
        ASSERT_TRUE(menu.Visible() || hra.Visible());
        ASSERT_LE(game.endings, 1);

        if (!game.on && hra.Loaded()) {  // "Nová hra"
            game = {.on = true,
                    .bestBefore = modul1.BestScore,
                    .level = DifficultyOf(modul1)->bestScoreLevel};
            if (chance(0.4)) hra.Score = 55 + below(5);  // a long game, near the UFOs
        } else if (game.on && hra.Loaded() && hra.Image1.Enabled() && chance(0.02)) {
            // Fewer hits to go: the UFO phase ends before an invader lands.
            modul1.Ufo1Lives = std::min<std::int16_t>(modul1.Ufo1Lives, 1 + below(3));
            modul1.Ufo2Lives = std::min<std::int16_t>(modul1.Ufo2Lives, 1 + below(3));
        }

        if (game.on && !hra.Loaded()) {
            game.on = false;
            ASSERT_TRUE(menu.Visible());
            const bool ended = game.endings == 1;
            closed += !ended;
            const bool beat = ended && game.score > game.bestBefore;
            ASSERT_EQ(modul1.BestScore, beat ? game.score : game.bestBefore);
            EXPECT_EQ(menu.Label1.Caption(),
                      "Najlepšie skóre: " + std::to_string(modul1.BestScore));
            EXPECT_EQ(menu.Label2.Caption(),
                      "Na obtiažnosť: " +
                          (modul1.BestScoreLevel.empty() ? "žiadnu" : modul1.BestScoreLevel));
            if (beat) {
                EXPECT_EQ(modul1.BestScoreLevel, game.level);
            }
            EXPECT_EQ(menu.Label1.BackColor(), beat ? Menu::kBestBack : Menu::kScoreBack);
            EXPECT_EQ(menu.Label1.ForeColor(), beat ? Menu::kBestText : Menu::kScoreText);
            EXPECT_EQ(menu.Label2.BackColor(), beat ? Menu::kBestBack : Menu::kScoreBack);
            EXPECT_TRUE(menu.Option2.Value());
            EXPECT_EQ(modul1.MediumLevel, kTrue);
            EXPECT_EQ(modul1.EasyLevel, kFalse);
            EXPECT_EQ(modul1.HardLevel, kFalse);
            if (HasFailure()) return;
            if (ended && chance(0.1)) {  // the game stays over
                advance(60'000);
                ASSERT_FALSE(hra.Loaded());
                ASSERT_TRUE(menu.Visible());
            }
        }
    }
    std::printf("%ld events: %d defeats, %d victories (%d over a landed invader), %d closed\n",
                events, defeats, victories, landedWins, closed);
    EXPECT_GT(defeats, events / 1000);
    EXPECT_GT(victories, 0);
    EXPECT_GT(landedWins, 0);
    EXPECT_GT(closed, 0);

    if (hra.Loaded()) app.dispatch([&] { hra.Unload(); });
    Click(menu.Command3);  // "Koniec" ends the program
    EXPECT_TRUE(app.ended());
}

}  // namespace
}  // namespace nebulor::testing
