// Shooting as the player does it, with real clicks: invaders' lives and kills,
// the release of invader 3, the UFOs from 60 points on, the cannon's flash,
// what a click reaches where pictures overlap, and whole games from the menu.

#include <sstream>

#include "runtime/view/widgets.h"
#include "tests/nebulor/support.h"

namespace nebulor::testing {
namespace {

const Difficulty& DifficultyFor(Menu& menu, rt::OptionButton* option) {
    return option == &menu.Option1 ? kEasy : option == &menu.Option3 ? kHard : kMedium;
}

class ShootingTest : public NebulorTest {
  protected:
    void SetUp() override { openMenu(); }

    bool firing() { return hra.Picture1.GetPicture() == kCannonFiring; }

    // Kills invader 2 `times` times, each as soon as it comes.
    void killInvader2(int times) {
        for (int i = 0; i < times && !HasFatalFailure(); ++i) {
            waitUntilShown(hra.Image4);
            kill(hra.Image4);
        }
    }

    // Everything a click could change, as text.
    std::string snapshot() {
        std::ostringstream s;
        s << hra.Score << ' ' << hra.FallStep1 << ' ' << hra.FallStep2 << ' ' << hra.Invader1Lives
          << hra.Invader2Lives << hra.Invader3Lives << ' ' << modul1.Ufo1Lives << ' '
          << modul1.Ufo2Lives << ' ' << hra.Picture1.GetPicture().resource << hra.Obraz.Enabled()
          << hra.Quorrel3.Enabled() << ' ' << fakes.sound->beeps << ' ' << messages().size() << ' '
          << fakes.random->drawn << '\n';
        for (rt::Label* l : {&hra.Label1, &hra.Label2, &hra.Label3, &hra.Label4, &hra.Label5,
                             &hra.Label6, &hra.Label7, &hra.Label8})
            s << l->Name() << l->Visible() << l->Caption() << '\n';
        for (rt::Image* i : {&hra.Image1, &hra.Image2, &hra.Image3, &hra.Image4, &hra.Image5})
            s << i->Name() << i->Visible() << i->Enabled() << ' ' << i->Left() << ' ' << i->Top()
              << '\n';
        return s.str();
    }

    void expectMenuWithBest(int best, const std::string& level, bool newBest) {
        ASSERT_TRUE(menu.Visible());
        EXPECT_FALSE(hra.Loaded());
        EXPECT_EQ(menu.Label1.Caption(), "Najlepšie skóre: " + std::to_string(best));
        EXPECT_EQ(menu.Label2.Caption(), "Na obtiažnosť: " + level);
        EXPECT_EQ(menu.Label1.BackColor(), newBest ? Menu::kBestBack : Menu::kScoreBack);
        EXPECT_EQ(menu.Label1.ForeColor(), newBest ? Menu::kBestText : Menu::kScoreText);
        EXPECT_EQ(menu.Label2.BackColor(), newBest ? Menu::kBestBack : Menu::kScoreBack);
        EXPECT_EQ(modul1.BestScore, best);
    }
};

// ---- Invaders

struct InvaderCase {
    const char* name;
    rt::OptionButton Menu::*option;
    int invader;  // 1 or 2
    std::int32_t fallStep;
};

class InvaderHitTest : public ShootingTest, public ::testing::WithParamInterface<InvaderCase> {};

TEST_P(InvaderHitTest, TwoHitsKillScoreOneAndTheNextOneFallsATwipFaster) {
    const InvaderCase& c = GetParam();
    rt::OptionButton* option = &(menu.*c.option);
    const Difficulty& d = DifficultyFor(menu, option);
    const bool one = c.invader == 1;
    startGameWithIntervals(option, one ? 1 : d.startSpan1, one ? d.startSpan2 : 1);
    rt::Image& image = one ? hra.Image3 : hra.Image4;
    rt::Label& label = one ? hra.Label1 : hra.Label2;
    const std::string prefix = one ? "Quorrel1 život: " : "Quorrel2 život: ";
    const std::int32_t& step = one ? hra.FallStep1 : hra.FallStep2;
    const std::int32_t& otherStep = one ? hra.FallStep2 : hra.FallStep1;
    const std::int32_t otherBefore = otherStep;

    waitUntilShown(image);
    EXPECT_EQ(label.Caption(), prefix + "2");
    shootWhereSeen(image);
    EXPECT_TRUE(image.Visible());
    EXPECT_EQ(label.Caption(), prefix + "1");
    EXPECT_EQ(hra.Label4.Caption(), "Skóre: 0");
    EXPECT_TRUE(firing());
    EXPECT_EQ(step, c.fallStep);

    shootWhereSeen(image);
    EXPECT_FALSE(image.Visible());
    EXPECT_EQ(label.Caption(), prefix + "0");
    EXPECT_EQ(hra.Label4.Caption(), "Skóre: 1");
    EXPECT_EQ(step, c.fallStep + 1);
    EXPECT_EQ(otherStep, otherBefore);

    waitUntilShown(image);  // it comes back with full lives
    EXPECT_EQ(label.Caption(), prefix + "2");
    const rt::Twips left = image.Left();
    const rt::Twips top = image.Top();
    advance(20);
    EXPECT_EQ(image.Top(), top + c.fallStep + 1);
    EXPECT_EQ(image.Left(), left);
}

INSTANTIATE_TEST_SUITE_P(Invaders, InvaderHitTest,
                         ::testing::Values(InvaderCase{"Invader1OnEasy", &Menu::Option1, 1, 34},
                                           InvaderCase{"Invader2OnEasy", &Menu::Option1, 2, 42},
                                           InvaderCase{"Invader1OnHard", &Menu::Option3, 1, 54},
                                           InvaderCase{"Invader2OnHard", &Menu::Option3, 2, 62}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShootingTest, Invader3TakesThreeHitsAndItsKillLeavesBothFallStepsAlone) {
    startGameWithIntervals(&menu.Option3, 1500, 1);
    killInvader2(12);
    fakes.random->push(RndFor(100, 1200, 1));
    killInvader2(1);  // the 13th on Hard releases it
    ASSERT_TRUE(hra.Label3.Visible());
    waitUntilShown(hra.Image5, 200);
    EXPECT_EQ(hra.Label3.Caption(), "Quorrel3 život: 3");
    const std::int32_t step1 = hra.FallStep1, step2 = hra.FallStep2, score = hra.Score;

    for (int lives : {2, 1}) {
        shootWhereSeen(hra.Image5);
        EXPECT_EQ(hra.Label3.Caption(), "Quorrel3 život: " + std::to_string(lives));
        EXPECT_TRUE(hra.Image5.Visible());
        EXPECT_EQ(hra.Score, score);
        EXPECT_TRUE(firing());
    }
    shootWhereSeen(hra.Image5);
    EXPECT_FALSE(hra.Image5.Visible());
    EXPECT_EQ(hra.Label3.Caption(), "Quorrel3 život: 0");
    EXPECT_EQ(hra.Label4.Caption(), "Skóre: " + std::to_string(score + 1));
    EXPECT_EQ(hra.FallStep1, step1);
    EXPECT_EQ(hra.FallStep2, step2);
}

struct ReleaseCase {
    const char* name;
    rt::OptionButton Menu::*option;
    int kills;
};

class ReleaseTest : public ShootingTest, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(ReleaseTest, TheKillThatBringsInvader2sStepTo75ReleasesInvader3OnceOnly) {
    const ReleaseCase& c = GetParam();
    rt::OptionButton* option = &(menu.*c.option);
    const Difficulty& d = DifficultyFor(menu, option);
    startGameWithIntervals(option, d.startSpan1, 1);
    killInvader2(c.kills - 1);
    EXPECT_EQ(hra.FallStep2, 74);
    EXPECT_FALSE(hra.Label3.Visible());
    EXPECT_FALSE(hra.Quorrel3.Enabled());

    fakes.random->push(RndFor(700, d.spawnSpan3, 1));
    killInvader2(1);
    ASSERT_TRUE(hra.Label3.Visible());
    EXPECT_EQ(hra.Label3.Caption(), "Quorrel3 život: 3");
    EXPECT_EQ(hra.Label4.Caption(), "Skóre: " + std::to_string(c.kills));
    EXPECT_TRUE(hra.Quorrel3.Enabled());
    EXPECT_EQ(hra.Quorrel3.Interval(), 700);
    const std::int64_t released = fakes.clock->nowMs();

    // The next kill neither draws again nor restarts invader 3's countdown.
    waitUntilShown(hra.Image4);
    const int drawn = fakes.random->drawn;
    kill(hra.Image4);
    EXPECT_EQ(fakes.random->drawn, drawn);
    EXPECT_EQ(hra.Quorrel3.Interval(), 700);
    advance(released + 699 - fakes.clock->nowMs());
    EXPECT_FALSE(hra.Image5.Visible());
    advance(1);
    EXPECT_TRUE(hra.Image5.Visible());
    EXPECT_EQ(hra.Image5.Top(), 1260);
}

INSTANTIATE_TEST_SUITE_P(Difficulties, ReleaseTest,
                         ::testing::Values(ReleaseCase{"Easy_33rdKill", &Menu::Option1, 33},
                                           ReleaseCase{"Medium_23rdKill", &Menu::Option2, 23},
                                           ReleaseCase{"Hard_13thKill", &Menu::Option3, 13}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShootingTest, WithUfo2DestroyedInvader3sLabelShowsButItNeverComes) {
    startGameWithIntervals(&menu.Option3, 1500, 1);
    killInvader2(11);
    hra.Score = 59;
    killInvader2(1);  // the 60th kill: the UFOs can be shot
    ASSERT_TRUE(hra.Image2.Enabled());
    EXPECT_EQ(hra.FallStep2, 74);
    waitUntilShown(hra.Image4);
    destroy(hra.Image2);
    ASSERT_FALSE(hra.Image2.Visible());

    kill(hra.Image4);  // the 13th kill of invader 2
    EXPECT_TRUE(hra.Label3.Visible());
    EXPECT_TRUE(hra.Quorrel3.Enabled());
    for (int ms = 0; ms < 1300; ms += 10) {
        advance(10);
        ASSERT_FALSE(hra.Image5.Visible()) << ms;
        ASSERT_FALSE(hra.Image4.Visible()) << ms;
    }
    EXPECT_TRUE(messages().empty());
}

// ---- UFOs

TEST_F(ShootingTest, UfoClicksBelowSixtyPointsChangeNothing) {
    startGameWithIntervals(nullptr, 1, 1);
    advance(1);
    for (int score : {0, 59}) {
        hra.Score = score;
        const std::string before = snapshot();
        for (rt::Image* ufo : {&hra.Image1, &hra.Image2}) {
            const QRect r = pixelsOf(*ufo);  // its right end: the invader covers its left
            rt::testing::ClickAt(hra, QPoint(r.right() - 5, r.center().y()));
        }
        EXPECT_EQ(snapshot(), before) << "at " << score;
        EXPECT_FALSE(hra.Label6.Visible());
        EXPECT_FALSE(firing());
    }
}

TEST_F(ShootingTest, TheSixtiethKillBeepsOnceAndShowsBothUfoLives) {
    startGameWithIntervals(nullptr, 1, 1);
    hra.Score = 59;
    waitUntilShown(hra.Image3);
    shootWhereSeen(hra.Image3);  // a hit, not a kill
    EXPECT_EQ(fakes.sound->beeps, 0);
    EXPECT_FALSE(hra.Image1.Enabled());

    shootWhereSeen(hra.Image3);
    EXPECT_EQ(hra.Label4.Caption(), "Skóre: 60");
    EXPECT_EQ(fakes.sound->beeps, 1);
    EXPECT_TRUE(hra.Image1.Enabled());
    EXPECT_TRUE(hra.Image2.Enabled());
    EXPECT_TRUE(hra.Label6.Visible());
    EXPECT_TRUE(hra.Label7.Visible());
    EXPECT_EQ(hra.Label6.Caption(), "Ufo1 život: 15");
    EXPECT_EQ(hra.Label7.Caption(), "Ufo2 život: 15");
    EXPECT_EQ(modul1.Ufo1Lives, 15);
    EXPECT_EQ(modul1.Ufo2Lives, 15);

    kill(hra.Image4);
    EXPECT_EQ(hra.Label4.Caption(), "Skóre: 61");
    EXPECT_EQ(fakes.sound->beeps, 1);
    EXPECT_EQ(modul1.Ufo1Lives, 15);
}

class UfoOrderTest : public ShootingTest, public ::testing::WithParamInterface<int> {};

TEST_P(UfoOrderTest, TheFirstDestroyedUfoBeepsAndTheGameGoesOnTheSecondWins) {
    const bool ufo1First = GetParam() == 1;
    rt::Image& first = ufo1First ? hra.Image1 : hra.Image2;
    rt::Image& second = ufo1First ? hra.Image2 : hra.Image1;
    rt::Label& firstLabel = ufo1First ? hra.Label6 : hra.Label7;
    rt::Label& secondLabel = ufo1First ? hra.Label7 : hra.Label6;
    const std::string firstPrefix = ufo1First ? "Ufo1 život: " : "Ufo2 život: ";
    const std::string secondPrefix = ufo1First ? "Ufo2 život: " : "Ufo1 život: ";
    startGameWithIntervals(nullptr, 1, 3000);
    armUfos();
    ASSERT_EQ(fakes.sound->beeps, 1);
    advance(500);  // the cannon rests again

    shootWhereSeen(first);
    EXPECT_EQ(firstLabel.Caption(), firstPrefix + "14");
    EXPECT_TRUE(firing());
    for (int hit = 2; hit < 15; ++hit) shootWhereSeen(first);
    EXPECT_EQ(firstLabel.Caption(), firstPrefix + "1");
    EXPECT_TRUE(first.Visible());
    EXPECT_EQ(fakes.sound->beeps, 1);

    shootWhereSeen(first);
    EXPECT_FALSE(first.Visible());
    EXPECT_EQ(firstLabel.Caption(), firstPrefix + "0");
    EXPECT_EQ(fakes.sound->beeps, 2);
    EXPECT_TRUE(messages().empty());
    const rt::Twips flying = second.Left();
    advance(150);
    EXPECT_TRUE(hra.Visible());
    EXPECT_NE(second.Left(), flying);
    EXPECT_EQ(secondLabel.Caption(), secondPrefix + "15");

    int beepsAtBox = 0;
    std::string labelAtBox;
    bool menuAtBox = true, ufoShownAtBox = true;
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) {
        beepsAtBox = fakes.sound->beeps;
        labelAtBox = secondLabel.Caption();
        menuAtBox = menu.Loaded();
        ufoShownAtBox = !second.shownPixels().isEmpty();  // the screen behind the box
    };
    const std::int32_t score = hra.Score;
    destroy(second);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt, VictoryText(score));
    EXPECT_EQ(messages()[0].style, rt::vbInformation);
    EXPECT_EQ(messages()[0].title, "Vyhral si");
    EXPECT_EQ(beepsAtBox, 3);
    EXPECT_FALSE(ufoShownAtBox);
    EXPECT_EQ(labelAtBox, secondPrefix + "0");
    EXPECT_FALSE(menuAtBox);
    expectMenuWithBest(score, "strednú", true);
}

INSTANTIATE_TEST_SUITE_P(EitherFirst, UfoOrderTest, ::testing::Values(1, 2), [](const auto& info) {
    return std::string(info.param == 1 ? "Ufo1First" : "Ufo2First");
});

TEST_F(ShootingTest, TheBestScoreRisesAfterAVictoryAsAfterADefeat) {
    // A defeat with one kill.
    startGameWithIntervals(&menu.Option2, 1, 3000);
    waitUntilShown(hra.Image3);
    kill(hra.Image3);
    for (int ms = 0; ms < 10'000 && hra.Loaded(); ms += 10) advance(10);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, "Prehral si");
    expectMenuWithBest(1, "strednú", true);

    // A victory with more.
    startGameWithIntervals(&menu.Option3, 1, 2000);
    armUfos();
    destroy(hra.Image1);
    destroy(hra.Image2);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].prompt, VictoryText(60));
    expectMenuWithBest(60, "ťažkú", true);

    // A victory that only equals it.
    startGameWithIntervals(&menu.Option1, 1, 4000);
    EXPECT_EQ(hra.Label5.Caption(), "Naj skóre: 60");
    armUfos();
    destroy(hra.Image2);
    destroy(hra.Image1);
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[2].prompt, VictoryText(60));
    expectMenuWithBest(60, "ťažkú", false);
}

// ---- Where a click lands

struct OverlapCase {
    const char* name;
    int invader;  // 1 or 2, over UFO 1 or 2
    bool armed;
};

class OverlapTest : public ShootingTest, public ::testing::WithParamInterface<OverlapCase> {};

TEST_P(OverlapTest, WhereAnInvaderCoversItsUfoTheInvaderTakesTheClick) {
    const OverlapCase& c = GetParam();
    rt::Image& invader = c.invader == 1 ? hra.Image3 : hra.Image4;
    rt::Image& ufo = c.invader == 1 ? hra.Image1 : hra.Image2;
    const std::int16_t& invaderLives = c.invader == 1 ? hra.Invader1Lives : hra.Invader2Lives;
    const std::int16_t& ufoLives = c.invader == 1 ? modul1.Ufo1Lives : modul1.Ufo2Lives;
    startGameWithIntervals(nullptr, 1, 1);
    if (c.armed) armUfos();
    waitUntilShown(invader);
    kill(invader);
    waitUntilShown(invader);  // a fresh one, just out of its UFO

    const QRect both = pixelsOf(invader).intersected(pixelsOf(ufo));
    ASSERT_FALSE(both.isEmpty());
    const std::int16_t ufoLivesBefore = ufoLives;
    rt::testing::ClickAt(hra, both.center());
    EXPECT_EQ(invaderLives, 1);
    EXPECT_EQ(ufoLives, ufoLivesBefore);
    if (!c.armed) return;

    shootWhereSeen(ufo);  // beside the invader the UFO takes it
    EXPECT_EQ(ufoLives, 14);
    EXPECT_EQ(invaderLives, 1);
}

INSTANTIATE_TEST_SUITE_P(Stacking, OverlapTest,
                         ::testing::Values(OverlapCase{"Invader1BeforeArming", 1, false},
                                           OverlapCase{"Invader2BeforeArming", 2, false},
                                           OverlapCase{"Invader1Armed", 1, true},
                                           OverlapCase{"Invader2Armed", 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShootingTest, ClicksOnTheBareFormTheLabelsOrTheCannonCostNothing) {
    startGameWithIntervals(nullptr, 1, 1);
    for (bool armed : {false, true}) {
        if (armed) armUfos();
        waitUntilShown(hra.Image3);
        shootWhereSeen(hra.Image3);  // mid-life, the cannon firing
        const std::string before = snapshot();
        for (rt::Label* l : {&hra.Label1, &hra.Label2, &hra.Label4, &hra.Label5, &hra.Label6,
                             &hra.Label7, &hra.Label8})
            if (l->Visible()) Click(*l);
        Click(hra.Picture1);
        for (QPoint bare : {QPoint(2, 2), QPoint(100, 360), QPoint(10, 200), QPoint(560, 250)}) {
            ASSERT_EQ(rt::WindowOf(hra)->childAt(bare), nullptr) << bare.x() << "," << bare.y();
            rt::testing::ClickAt(hra, bare);
        }
        EXPECT_EQ(snapshot(), before) << (armed ? "armed" : "not armed");
    }
}

// ---- The cannon

struct FlashCase {
    const char* name;
    std::vector<int> hits;  // ms after the first
    int restsAt;            // the second Obraz tick after the last hit
};

class CannonTest : public ShootingTest, public ::testing::WithParamInterface<FlashCase> {};

TEST_P(CannonTest, TheFiringPictureStaysUntilTheSecondTickAfterTheLastHit) {
    const FlashCase& c = GetParam();
    startGameWithIntervals(nullptr, 1, 3000);
    armUfos();
    advance(500);
    ASSERT_FALSE(firing());
    ASSERT_FALSE(hra.Obraz.Enabled());

    const std::int64_t start = fakes.clock->nowMs();
    for (int at : c.hits) {
        advance(start + at - fakes.clock->nowMs());
        shootWhereSeen(hra.Image1);
        EXPECT_TRUE(firing()) << at;
    }
    advance(start + c.restsAt - 1 - fakes.clock->nowMs());
    EXPECT_TRUE(firing());
    EXPECT_EQ(hra.Picture1.GetPicture(), kCannonFiring);
    advance(1);
    EXPECT_EQ(hra.Picture1.GetPicture(), kCannon);
    EXPECT_FALSE(hra.Obraz.Enabled());
    EXPECT_EQ(modul1.Ufo1Lives, 15 - static_cast<int>(c.hits.size()));
}

INSTANTIATE_TEST_SUITE_P(Hits, CannonTest,
                         ::testing::Values(FlashCase{"OneHitFor500ms", {0}, 500},
                                           FlashCase{"ThreeWithinOneInterval", {0, 50, 100}, 500},
                                           FlashCase{"ThreeAcrossATick", {0, 100, 300}, 750},
                                           FlashCase{"LastJustBeforeATick", {0, 100, 249}, 500},
                                           FlashCase{"LastJustAfterATick", {0, 200, 260}, 750}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Long games

TEST_F(ShootingTest, ScoreAndFallStepsCountOnPast32767) {
    startGameWithIntervals(nullptr, 1, 1);
    hra.Score = 32766;
    hra.FallStep1 = 32767;
    hra.FallStep2 = 32767;
    advance(1);
    kill(hra.Image4);
    EXPECT_EQ(hra.FallStep2, 32768);
    kill(hra.Image3);  // a kill at 32767 points
    EXPECT_FALSE(app.ended());
    EXPECT_EQ(hra.Label4.Caption(), "Skóre: 32768");
    EXPECT_EQ(hra.FallStep1, 32768);

    // The next invader falls 32768 twips at once and lands at its next tick.
    for (int ms = 0; ms < 1000 && hra.Loaded(); ++ms) advance(1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt, DefeatText(32768, true));
    EXPECT_FALSE(app.ended());
    expectMenuWithBest(32768, "strednú", true);
    startGame();
    EXPECT_EQ(hra.Label5.Caption(), "Naj skóre: 32768");
}

class WholeGameTest : public ShootingTest {
  protected:
    void SetUp() override {}  // each starts where a player would
};

TEST_F(WholeGameTest, ALostGameFromTheSplashScreenBackToTheMenu) {
    startProgram();
    startGameWithIntervals(&menu.Option1, 1000, 4000);
    EXPECT_EQ(hra.Label8.Caption(), "Otiažnosť: ľahká");
    for (int kills = 0; kills < 2; ++kills) {
        waitUntilShown(hra.Image3, 1100);
        kill(hra.Image3);
    }
    bool landedAtBox = false, menuAtBox = true;
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) {
        for (rt::Image* i : {&hra.Image3, &hra.Image4})
            landedAtBox |= i->Visible() && i->Top() >= 4200;
        menuAtBox = menu.Loaded();
    };
    for (int ms = 0; ms < 10'000 && hra.Loaded(); ms += 10) advance(10);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt, DefeatText(2, true));
    EXPECT_EQ(messages()[0].title, "Prehral si");
    EXPECT_EQ(messages()[0].style, rt::vbInformation);
    EXPECT_TRUE(landedAtBox);
    EXPECT_FALSE(menuAtBox);
    expectMenuWithBest(2, "ľahkú", true);
    EXPECT_TRUE(menu.Option2.Value());
    EXPECT_EQ(modul1.MediumLevel, kTrue);
}

TEST_F(WholeGameTest, AWonGameSixtyKillsThenBothUfos) {
    openMenu();
    startGameWithIntervals(&menu.Option3, 1, 1);
    fakes.random->push(RndFor(5, 1200, 1));  // invader 3 every 5 ms once released
    int kills[3] = {};
    for (int ms = 0; ms < 2000 && hra.Score < 60 && !HasFatalFailure(); ++ms) {
        advance(1);
        for (int i = 0; i < 3; ++i)
            if (rt::Image* invader = std::array{&hra.Image3, &hra.Image4, &hra.Image5}[i];
                invader->Visible()) {
                kill(*invader);
                ++kills[i];
            }
    }
    ASSERT_GE(hra.Score, 60);
    EXPECT_GT(kills[2], 0);  // invader 3 came and was shot
    EXPECT_EQ(fakes.sound->beeps, 1);
    EXPECT_TRUE(hra.Label6.Visible());
    EXPECT_TRUE(hra.Label7.Visible());

    const std::int32_t score = hra.Score;
    destroy(hra.Image1);
    EXPECT_TRUE(messages().empty());
    destroy(hra.Image2);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt, VictoryText(score));
    EXPECT_EQ(fakes.sound->beeps, 3);
    expectMenuWithBest(score, "ťažkú", true);
}

}  // namespace
}  // namespace nebulor::testing
