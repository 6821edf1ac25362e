// What quorrel's game window costs on the real clock: idle on the options
// screen, then playing nonstop with a scripted player.
//
//   quorrel_cpu_bench [seconds]

#include <sys/resource.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "bench/support.h"
#include "quorrel/program.h"
#include "runtime/base/app.h"
#include "runtime/drawing/drawing.h"

namespace {

using bench::ClosingDialogs;
using bench::Usage;
using bench::usage;

// Counts the scheduler's wake-ups of the real clock.
class CountingClock final : public bench::WatchedClock {
  public:
    using WatchedClock::WatchedClock;
    long wakes = 0;

  private:
    void woke(rt::Micros) override { ++wakes; }
};

// Runs the event loop for `seconds`; returns the wall time it took.
double runFor(int seconds) {
    const auto t0 = std::chrono::steady_clock::now();
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [] { QApplication::quit(); });
    QApplication::exec();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    rt::RegisterFonts();
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    ClosingDialogs* closing = nullptr;
    rt::Platform real = bench::PlatformWithClosingBoxes(closing);
    ClosingDialogs& boxes = *closing;
    CountingClock& wakes = bench::Watch<CountingClock>(real);
    rt::App app(quorrel::kInfo.title, std::move(real));
    bench::EndLeavesTheLoop(app, "program");

    quorrel::Program program;
    quorrel::Hra& hra = program.hra;
    long t1 = 0, t2 = 0;
    hra.Timer1.Tick = [&hra, &t1, tick = hra.Timer1.Tick] {
        ++t1;
        tick();
    };
    hra.Timer2.Tick = [&t2, tick = hra.Timer2.Tick] {
        ++t2;
        tick();
    };

    // Phase A: the options screen left alone.
    app.dispatch([&] { hra.Show(); });
    QApplication::processEvents();
    Usage u0 = usage();
    long w0 = wakes.wakes;
    double wall = runFor(seconds);
    Usage u1 = usage();
    std::printf("idle options screen, %d s\n", seconds);
    std::printf("  Timer2 ticks %ld (nominal %d), scheduler wake-ups %ld\n", t2,
                seconds * 1000 / 500, wakes.wakes - w0);
    std::printf("  cpu %.3f s (user+sys), %.2f%% of wall\n", u1.cpu - u0.cpu,
                100.0 * (u1.cpu - u0.cpu) / wall);

    // Phase B: nonstop play; a new game as soon as one is lost.
    long games = 0, total = 0, clicks = 0;
    t1 = 0;
    auto newGame = [&] {
        if (hra.Timer1.Enabled()) return;
        ++games;
        app.dispatch([&] { hra.Command1.Click(); });  // "Štart", as a click fires it
    };
    QTimer player;
    player.setInterval(100);
    std::mt19937 hand{1};  // the player's clicks repeat run to run; the game's dice do not
    QObject::connect(&player, &QTimer::timeout, [&] {
        newGame();
        // 0..3 hits: enough to kill slow walkers, too few for the fast ones.
        for (int i = 0, n = int(hand() % 4); i < n; ++i, ++clicks)
            app.dispatch([&] { hra.Image1.Click(); });
    });
    // Restart right after a loss, outside the tick that ended the game.
    hra.Timer1.Tick = [&, tick = hra.Timer1.Tick] {
        tick();
        if (hra.Timer1.Enabled()) return;
        total += hra.Score;
        QTimer::singleShot(0, [&] { newGame(); });
    };
    w0 = wakes.wakes;
    const int boxes0 = boxes.shown;
    u0 = usage();
    newGame();
    player.start();
    wall = runFor(seconds);
    player.stop();
    u1 = usage();
    std::printf("playing, %d s\n", seconds);
    std::printf("  Timer1 ticks %ld (nominal %d), scheduler wake-ups %ld\n", t1,
                seconds * 1000 / 10, wakes.wakes - w0);
    std::printf("  games %ld, clicks %ld, message boxes %d, walkers killed %ld, best score %d\n",
                games, clicks, boxes.shown - boxes0, total + hra.Score,
                static_cast<int>(hra.BestScore));
    std::printf("  cpu %.3f s (user+sys), %.2f%% of wall\n", u1.cpu - u0.cpu,
                100.0 * (u1.cpu - u0.cpu) / wall);
    std::printf("peak RSS %ld KiB\n", u1.maxRssKb);
    return app.ended() ? app.exitStatus() : 0;
}
