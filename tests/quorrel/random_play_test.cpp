// Seeded games of random clicks, pointer moves and waits (some of them long,
// as when the machine stalls, some while a message box is open): the program
// keeps running, every game ends at most once, and every ending leads back to
// the options screen exactly. RANDOM_PLAY_EVENTS sets how many events to play
// (CI plays many more than an everyday run).

#include <cstdio>
#include <random>

#include "tests/quorrel/support.h"

namespace quorrel::testing {
namespace {

class RandomPlay : public QuorrelTest {
  protected:
    std::mt19937 rng{20261207};

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }

    std::int64_t randomWait() {
        if (chance(0.02)) return 1000 + below(9000);  // a stall
        return below(250);
    }

    QPoint randomPoint() { return QPoint(below(345), below(271)); }

    // Somewhere on the picture as the screen shows it, if it is in the window at all.
    std::optional<QPoint> pointOn(rt::Image& image) {
        if (!image.Visible()) return std::nullopt;
        rt::FlushDrawing();
        const QRect r = image.shownPixels().intersected(QRect(0, 0, 345, 271));
        if (r.isEmpty()) return std::nullopt;
        return QPoint(r.left() + below(r.width()), r.top() + below(r.height()));
    }
};

TEST_F(RandomPlay, GamesEndOnceAndAlwaysReturnToTheOptionsScreen) {
    fakes.random->seed(7);
    openGameWindow();

    int endings = 0;  // escape or win boxes in the current game
    int gamesEnded = 0;
    bool playing = false;
    fakes.dialogs->whileOpen = [&](const rt::testing::Message& m) {
        const bool escape = m.style == rt::vbExclamation;
        const bool won = m.title == "Vyhral si";
        if (escape || won) {
            ++endings;
            EXPECT_EQ(endings, 1) << "a game ended twice";
        }
        if (chance(0.3)) advance(randomWait());
    };

    const long events = rt::testing::EnvCount("RANDOM_PLAY_EVENTS", 20'000);
    for (long event = 0; event < events; ++event) {
        if (!playing && hra.Command1.Visible() && chance(0.3)) {
            if (chance(0.3))
                choose(*std::array{&hra.Option1, &hra.Option2, &hra.Option3}[below(3)]);
            Click(hra.Command1);
            ASSERT_TRUE(hra.Timer1.Enabled());
            if (chance(0.1)) hra.Score = 295 + below(10);  // a long game, near the UFO phase
            playing = true;
            endings = 0;
            continue;
        }
        switch (below(6)) {
            case 0: rt::testing::ClickAt(hra, randomPoint()); break;
            case 1: rt::testing::MoveTo(hra, randomPoint()); break;
            case 2:
            case 3:
                if (auto p = pointOn(hra.Image1)) rt::testing::ClickAt(hra, *p);
                break;
            case 4:
                if (auto p = pointOn(hra.Image2)) rt::testing::ClickAt(hra, *p);
                break;
            default: advance(randomWait()); break;
        }
        ASSERT_FALSE(app.ended());
        ASSERT_TRUE(hra.Visible());
        if (!playing && hra.Timer1.Enabled()) {  // a random click hit "Štart"
            playing = true;
            endings = 0;
        }
        if (playing && !hra.Timer1.Enabled()) {
            playing = false;
            ++gamesEnded;
            ASSERT_EQ(endings, 1);
            expectOptionsScreen();
            if (HasFailure()) return;
        }
        ASSERT_LE(endings, 1);
    }
    EXPECT_GT(gamesEnded, events / 1000);
    std::printf("%ld events, %d games\n", events, gamesEnded);
}

}  // namespace
}  // namespace quorrel::testing
