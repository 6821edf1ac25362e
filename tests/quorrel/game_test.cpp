// Whole games as a player plays them: walking, shooting, losing, winning and
// the best score.

#include "tests/quorrel/support.h"

namespace quorrel::testing {
namespace {

const char* const kEscaped = "Prehral(a) si mimozemšťan utiekol ufom!";
const char* const kEscapedLate =
    "Prehral(a) si mimozemšťan utiekol ufom! Škoda už ho stačilo len zostreliť.";
const char* const kWon =
    "Zničil si ufo teraz už mimozemšťan nemá čím utiecť. Blahoželám vyhral si. Zachránil si Zem "
    "od invázie mimozemšťanov.";

class GameTest : public QuorrelTest {
  protected:
    void SetUp() override { openGameWindow(); }

    // Lets the current walker escape: its step decides how long that takes.
    void waitForEscape() {
        const size_t before = messages().size();
        for (int tick = 0; tick < 1000 && messages().size() == before; ++tick) advance(10);
        ASSERT_GT(messages().size(), before) << "the walker never escaped";
    }

    void expectLost(const std::string& escape, const std::string& verdict) {
        ASSERT_EQ(messages().size(), 2u);
        EXPECT_EQ(messages()[0].prompt, escape);
        EXPECT_EQ(messages()[0].style, rt::vbExclamation);
        EXPECT_EQ(messages()[0].title, "Quorrel");
        EXPECT_EQ(messages()[1].prompt, verdict);
        EXPECT_EQ(messages()[1].style, rt::vbInformation);
        EXPECT_EQ(messages()[1].title, "Quorrel");
        expectOptionsScreen();
    }
};

TEST_F(GameTest, SlowestWalkerMakes792MovesAndEscapesOnTick793) {
    startGame(hra.Option1, kRndMin);
    advance(792 * 10);
    EXPECT_EQ(hra.Image1.Left(), 0);
    EXPECT_TRUE(messages().empty());
    advance(10);
    expectLost(kEscaped, "Úbohosť nad úbohosť, získal(a) si len 0 bodov!");
}

TEST_F(GameTest, FastestEasyWalkerStandsPastTheEdgeForOneTickThenEscapes) {
    startGame(hra.Option1, kRndMax);
    advance(39 * 10);
    EXPECT_EQ(hra.Image1.Left(), -96);
    EXPECT_TRUE(messages().empty());
    advance(10);
    EXPECT_EQ(messages().size(), 2u);
}

TEST_F(GameTest, AWalkerKilledJustBeforeTheEdgeNeverEscapes) {
    startGame(hra.Option1, kRndMin);
    advance(791 * 10);
    EXPECT_EQ(hra.Image1.Left(), 5);
    killWalker(kRndMin);
    EXPECT_EQ(hra.Image1.Left(), kWalkerHomeLeft);
    EXPECT_EQ(hra.Image1.Top(), kWalkerHomeTop);
    advance(792 * 10);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(hra.Label1.Caption(), "Tvoje skóre je: 1");
}

TEST_F(GameTest, HitsCountDownTheWalkersLivesAndAKillRespawnsIt) {
    startGame(hra.Option3, 0.5f);
    advance(100);
    fakes.random->push(kRndMin);
    for (const char* lives : {"Quorrelov život: 3", "Quorrelov život: 2", "Quorrelov život: 1"}) {
        Click(hra.Image1);
        EXPECT_EQ(hra.Label10.Caption(), lives);
        EXPECT_EQ(hra.Label1.Caption(), "Tvoje skóre je: 0");
    }
    Click(hra.Image1);
    EXPECT_EQ(hra.Label10.Caption(), "Quorrelov život: 4");
    EXPECT_EQ(hra.Label1.Caption(), "Tvoje skóre je: 1");
    EXPECT_EQ(hra.Image1.Left(), kWalkerHomeLeft);
    EXPECT_EQ(hra.WalkerStep, 20);  // drawn afresh for the new walker
    advance(10);
    EXPECT_EQ(hra.Image1.Left(), kWalkerHomeLeft - 20);  // the walk goes on
}

// The screen follows the walker once per display frame: a click hits the
// walker where the player saw it, not where its next frame will put it.
TEST_F(GameTest, AClickHitsTheWalkerWhereTheScreenShowsIt) {
    startGame(hra.Option3, kRndMax);  // 519 twips, about 35 pixels, a step
    advance(10);
    rt::FlushDrawing();
    const QRect shown = hra.Image1.shownPixels();
    advance(10);  // a step on, not drawn yet: the next frame is due after 16.7 ms
    ASSERT_EQ(hra.Image1.shownPixels(), shown);
    rt::testing::ClickAsShown(hra, shown.center());
    EXPECT_EQ(hra.Label10.Caption(), "Quorrelov život: 3");

    advance(20);  // three steps on, drawn
    EXPECT_FALSE(hra.Image1.shownPixels().contains(shown.center()));
    rt::testing::ClickAsShown(hra, shown.center());
    EXPECT_EQ(hra.Label10.Caption(), "Quorrelov život: 3");  // nothing there any more
}

struct LostCase {
    const char* name;
    rt::OptionButton Hra::*option;
    int kills;
    const char* verdict;
    const char* record;
};

class LostGameTest : public GameTest, public ::testing::WithParamInterface<LostCase> {};

TEST_P(LostGameTest, EscapeThenVerdictThenTheRecord) {
    const LostCase& c = GetParam();
    startGame(hra.*c.option, kRndMin);
    for (int i = 0; i < c.kills; ++i) killWalker(i + 1 == c.kills ? kRndMax : kRndMin);
    waitForEscape();
    expectLost(kEscaped, c.verdict);
    EXPECT_EQ(hra.Label7.Caption(), "Najvyššie skóre: " + std::to_string(c.kills));
    EXPECT_EQ(hra.Label8.Caption(), c.record);
    EXPECT_EQ(hra.Label7.ForeColor(), rt::rgb(0x80FFFF));
    EXPECT_EQ(hra.Label8.ForeColor(), rt::rgb(0x80FFFF));
}

INSTANTIATE_TEST_SUITE_P(
    Difficulties, LostGameTest,
    ::testing::Values(
        LostCase{"Easy_1Kill", &Hra::Option1, 1, "Úbohosť nad úbohosť, získal(a) si len 1 bod!",
                 "Na obtiažnosť: ľahkú"},
        LostCase{"Medium_0Kills", &Hra::Option2, 0, "Úbohosť, získal(a) si len 0 bodov!",
                 "Na obtiažnosť: strednú"},
        LostCase{"Medium_3Kills", &Hra::Option2, 3,
                 "Získal(a) si dosť málo skóre. Tvoje skóre je: 3 body. Čo si o tom myslíš?",
                 "Na obtiažnosť: strednú"},
        LostCase{"Hard_7Kills", &Hra::Option3, 7,
                 "7 bodov. Toto je dobré skóre! Aj keď je malé, ale na akú obtiažnosť!",
                 "Na obtiažnosť: ťažkú"},
        LostCase{"Hard_26Kills", &Hra::Option3, 26,
                 "Ty si super majster! Takéto vysoké skóre a na takúto obtiažnosť sa nevidí každú "
                 "chvíľu! Perfektné! Máš presne: 26 bodov.",
                 "Na obtiažnosť: ťažkú"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameTest, AnEqualScoreIsANewRecordAndALowerOneOnlyTurnsTheBoardGreen) {
    startGame(hra.Option2, kRndMax);
    killWalker(kRndMax);
    waitForEscape();
    EXPECT_EQ(hra.BestScore, 1);

    // A second start resets the game but not the record.
    startGame(hra.Option3, kRndMax);
    EXPECT_EQ(hra.Score, 0);
    EXPECT_EQ(hra.Label1.Caption(), "Tvoje skóre je: 0");
    EXPECT_EQ(hra.WalkerStep, 519);
    EXPECT_EQ(hra.Label7.Caption(), "Najvyššie skóre: 1");
    EXPECT_EQ(hra.Label8.Caption(), "Na obtiažnosť: strednú");
    killWalker(kRndMax);
    waitForEscape();
    EXPECT_EQ(hra.Label8.Caption(), "Na obtiažnosť: ťažkú");
    EXPECT_EQ(hra.Label7.ForeColor(), rt::rgb(0x80FFFF));

    startGame(hra.Option1, kRndMax);
    waitForEscape();
    // The word follows this game's score, not the last one's "1 bod".
    EXPECT_EQ(messages().back().prompt, "Úbohosť nad úbohosť, získal(a) si len 0 bodov!");
    EXPECT_EQ(hra.BestScore, 1);
    EXPECT_EQ(hra.Label7.Caption(), "Najvyššie skóre: 1");
    EXPECT_EQ(hra.Label8.Caption(), "Na obtiažnosť: ťažkú");
    EXPECT_EQ(hra.Label7.ForeColor(), rt::rgb(0x80FF80));
    EXPECT_EQ(hra.Label8.ForeColor(), rt::rgb(0x80FF80));
    EXPECT_TRUE(hra.Label2.Visible());
}

TEST_F(GameTest, ThreeHundredKillsThenTenUfoHitsWin) {
    startGame(hra.Option1, kRndMin);
    for (int i = 0; i < 299; ++i) killWalker(kRndMin);
    Click(hra.Image2);  // 299 points: the UFO cannot be hit yet
    EXPECT_FALSE(hra.Label11.Visible());
    EXPECT_EQ(hra.UfoHits, 0);
    killWalker(kRndMin);
    EXPECT_EQ(hra.Label1.Caption(), "Tvoje skóre je: 300");
    EXPECT_FALSE(hra.Label11.Visible());  // the kill that makes 300 does not show it
    Click(hra.Image1);
    EXPECT_TRUE(hra.Label11.Visible());
    EXPECT_EQ(hra.Label11.Caption(), "Život ufa: 10");

    for (int hit = 1; hit < 10; ++hit) {
        Click(hra.Image2);
        EXPECT_EQ(hra.Label11.Caption(), "Život ufa: " + std::to_string(10 - hit));
    }
    EXPECT_TRUE(messages().empty());
    std::string captionWhileOpen;
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) {
        captionWhileOpen = hra.Label11.Caption();
        EXPECT_FALSE(hra.Image2.Visible());
    };
    Click(hra.Image2);
    EXPECT_EQ(captionWhileOpen, "Život ufa: 0");
    ASSERT_EQ(messages().size(), 1u);  // no verdict for a won game
    EXPECT_EQ(messages()[0].prompt, kWon);
    EXPECT_EQ(messages()[0].style, rt::vbInformation);
    EXPECT_EQ(messages()[0].title, "Vyhral si");
    expectOptionsScreen();
    EXPECT_EQ(hra.Label7.Caption(), "Najvyššie skóre: 300");
    EXPECT_EQ(hra.Label8.Caption(), "Na obtiažnosť: ľahkú");
    EXPECT_EQ(hra.Label7.ForeColor(), rt::rgb(0x80FFFF));
}

TEST_F(GameTest, EscapingInTheUfoPhaseSaysTheUfoWasNearlyDown) {
    startGame(hra.Option2, kRndMin);
    hra.Score = 300;
    Click(hra.Image1);
    EXPECT_EQ(hra.Label11.Caption(), "Život ufa: 10");
    waitForEscape();
    expectLost(kEscapedLate, "Si veľmi dobrý tvoje skóre je: 300 bodov.");
    EXPECT_FALSE(hra.Label11.Visible());
}

TEST_F(GameTest, TicksWhileTheEscapeOrWinBoxIsOpenChangeNothing) {
    startGame(hra.Option1, kRndMax);
    rt::Twips leftWhileOpen = 0;
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) {
        leftWhileOpen = hra.Image1.Left();
        advance(3000);  // the player takes their time
        EXPECT_EQ(hra.Image1.Left(), leftWhileOpen);
    };
    waitForEscape();
    EXPECT_EQ(messages().size(), 2u);  // one escape, one verdict: ended once

    fakes.dialogs->whileOpen = {};
    startGame(hra.Option1, kRndMin);
    hra.Score = 300;
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) {
        advance(60'000);  // long enough for any walker to reach the edge
        Click(hra.Image1);
    };
    for (int hit = 0; hit < 10; ++hit) Click(hra.Image2);
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[2].prompt, kWon);
    EXPECT_EQ(hra.Score, 300);
    expectOptionsScreen();
}

TEST_F(GameTest, TheScoreCountsOnPast32767) {
    startGame(hra.Option1, kRndMin);
    hra.Score = 32767;
    killWalker(kRndMax);
    EXPECT_FALSE(app.ended());
    EXPECT_EQ(hra.Label1.Caption(), "Tvoje skóre je: 32768");
    waitForEscape();
    EXPECT_EQ(messages()[1].prompt,
              "Perfekné získal(a) si 32768 bodov. Ale mysli na to že to je najľahšia obtiažnosť.");
    EXPECT_EQ(hra.Label7.Caption(), "Najvyššie skóre: 32768");
    EXPECT_FALSE(app.ended());
}

TEST(Verdicts, BandsAndWordsAtTheirEdges) {
    struct Case {
        int score;
        const char* word;
        const char* easyStart;
    };
    const Case cases[] = {
        {0, "bodov", "Úbohosť nad úbohosť"}, {1, "bod", "Úbohosť nad úbohosť"},
        {2, "body", "Nie si nijaký"},        {4, "body", "Nie si nijaký"},
        {5, "bodov", "Nie si nijaký"},       {10, "bodov", "Nie si nijaký"},
        {11, "bodov", "Si dobrý(á)"},        {21, "bodov", "Si dobrý(á)"},
        {25, "bodov", "Si dobrý(á)"},        {26, "bodov", "Perfekné"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointsWordFor(c.score), c.word) << c.score;
        EXPECT_EQ(VerdictText(kEasy, c.score).rfind(c.easyStart, 0), 0u) << c.score;
    }
    EXPECT_EQ(VerdictText(kMedium, 11), "Dobré skóre na túto obtiažnosť! 11 bodov.");
    EXPECT_EQ(VerdictText(kHard, 25),
              "25 bodov. Toto je úplne skvelé skóre na takúto ťažkú obtiažnosť!");
    EXPECT_EQ(VerdictText(kHard, 1),
              "Toto je teda najťažšia obtiažnosť aspoň sa ti podarilo získať 1 bod!");
    EXPECT_EQ(VerdictText(kEasy, 12),
              "Si dobrý(á) ale na najľahšiu obitažnosť ja by som to dokázal aj so zatvorenými "
              "očami! Tvoje skóre je: 12 bodov.");
}

}  // namespace
}  // namespace quorrel::testing
