// What a running game costs on the real clock: nebulor's, then quorrel's, each
// played nonstop by a scripted player (a new game after every ending). Per
// timer: ticks delivered against how many of its intervals fit while it ran;
// CPU time as a share of wall time; peak memory. Each game runs in a process
// of its own so that neither's CPU or memory counts for the other.
//
//   nebulor_cpu_bench [seconds=30]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/support.h"
#include "nebulor/program.h"
#include "quorrel/program.h"
#include "runtime/base/app.h"
#include "runtime/drawing/drawing.h"

namespace {

using bench::ClosingDialogs;
using bench::Usage;
using bench::usage;

// One timer's ticks against its nominal count: how many of its intervals fit
// while it ran. A tick that sets a new interval restarts the countdown, so
// the stretch before it is closed there and a new one begins. Stretches start
// a little before the timer does (just before the event that starts it), so
// the nominal count errs on the high side.
struct Probe {
    std::string name;
    std::string interval;  // as printed
    long ticks = 0;
    long nominal = 0;
    bool running = false;
    rt::Micros since = 0;
    int ms = 0;
    rt::Micros last = 0;      // the last tick in this stretch, or its start
    rt::Micros worstGap = 0;  // between ticks of a fixed interval: lateness shows here

    void start(rt::Micros now, int intervalMs) {
        running = true;
        since = last = now;
        ms = intervalMs;
    }
    void ticked(rt::Micros now) {
        ++ticks;
        if (running && interval.find("drawn") == std::string::npos)
            worstGap = std::max(worstGap, now - last);
        last = now;
    }
    void restart(rt::Micros now, int intervalMs) {
        stop(now);
        start(now, intervalMs);
    }
    void stop(rt::Micros now) {
        if (!running || ms <= 0) return;
        nominal += (now - since) / (rt::Micros{ms} * 1000);
        running = false;
    }
};

// Counts the ticks of `timer` into `probe`; `after` runs once the tick has.
void Wrap(rt::Timer& timer, Probe& probe, std::function<void()> after = {}) {
    timer.Tick = [&probe, tick = timer.Tick, after = std::move(after)] {
        probe.ticked(rt::App::instance().clock().now());
        tick();
        if (after) after();
    };
}

void PrintProbes(const std::vector<Probe*>& probes) {
    std::printf("  %-9s %-17s %7s %8s %10s %13s\n", "timer", "interval", "ticks", "nominal",
                "delivered", "longest gap");
    for (const Probe* p : probes) {
        const double share = p->nominal ? 100.0 * double(p->ticks) / double(p->nominal) : 100.0;
        std::printf("  %-9s %-17s %7ld %8ld %9.2f%%", p->name.c_str(), p->interval.c_str(),
                    p->ticks, p->nominal, share);
        if (p->worstGap > 0)
            std::printf(" %10.1f ms\n", double(p->worstGap) / 1000.0);
        else
            std::printf(" %13s\n", "-");
    }
}

// Runs the event loop for `seconds`; returns the wall time it took.
double RunFor(int seconds) {
    const auto t0 = std::chrono::steady_clock::now();
    // Not quit(): that would close the windows first.
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [] { QApplication::exit(0); });
    QApplication::exec();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// A game played for `seconds` by the player's hand, from its first game on.
struct Played {
    Usage u0, u1;
    double wall = 0;
    rt::Micros end = 0;  // on the program's clock
};

Played Play(int seconds, rt::Clock& clock, QTimer& hand, const std::function<void()>& newGame) {
    QApplication::processEvents();
    Played p;
    p.u0 = usage();
    newGame();
    hand.start();
    p.wall = RunFor(seconds);
    hand.stop();
    p.u1 = usage();
    p.end = clock.now();
    return p;
}

void PrintCost(const Played& p) {
    const Usage& u0 = p.u0;
    const Usage& u1 = p.u1;
    const double wall = p.wall;
    std::printf("  cpu %.3f s (user+sys) in %.1f s, %.2f%% of wall\n", u1.cpu - u0.cpu, wall,
                100.0 * (u1.cpu - u0.cpu) / wall);
    std::printf("  peak RSS %ld KiB\n", u1.maxRssKb);
}

struct Player {
    std::mt19937 hand{1};  // the player's choices repeat run to run; the game's dice do not
    bool chance(double p) { return std::bernoulli_distribution(p)(hand); }
};

// ---- nebulor

int PlayNebulor(int seconds) {
    bench::RealRun run(nebulor::kInfo.title, "nebulor");
    ClosingDialogs& boxes = *run.boxes;
    rt::Clock& clock = run.app.clock();

    nebulor::Program program;
    nebulor::Hra& hra = program.hra;
    nebulor::Menu& menu = program.menu;

    Probe ufo{"Ufo", "15 ms"}, ufo2{"Ufo2", "15 ms"}, pad{"Pad", "20 ms"}, pad2{"Pad2", "20 ms"},
        pad3{"Pad3", "20 ms"}, quorrel{"Quorrel", "drawn 1..4000 ms"},
        quorrel2{"Quorrel2", "drawn 1..4000 ms"}, quorrel3{"Quorrel3", "drawn 1..1600 ms"},
        obraz{"Obraz", "250 ms"};
    const std::vector<Probe*> all{&ufo,     &ufo2,     &pad,      &pad2, &pad3,
                                  &quorrel, &quorrel2, &quorrel3, &obraz};
    Wrap(hra.Ufo, ufo);
    Wrap(hra.Ufo2, ufo2);
    Wrap(hra.Pad, pad);
    Wrap(hra.Pad2, pad2);
    Wrap(hra.Pad3, pad3);
    // A tick that finds its invader in play (and its UFO up) draws a new interval.
    auto wrapSpawn = [&](rt::Timer& timer, Probe& probe, rt::Image& ufoImage, rt::Image& invader,
                         const std::int16_t& interval) {
        timer.Tick = [&, tick = timer.Tick] {
            const rt::Micros now = clock.now();
            const bool redraws = ufoImage.Visible() && invader.Visible();
            probe.ticked(now);
            tick();
            if (redraws) probe.restart(now, interval);
        };
    };
    wrapSpawn(hra.Quorrel, quorrel, hra.Image1, hra.Image3, hra.SpawnInterval1);
    wrapSpawn(hra.Quorrel2, quorrel2, hra.Image2, hra.Image4, hra.SpawnInterval2);
    wrapSpawn(hra.Quorrel3, quorrel3, hra.Image2, hra.Image5, hra.SpawnInterval3);
    Wrap(hra.Obraz, obraz, [&] {
        if (hra.Loaded() && !hra.Obraz.Enabled()) obraz.stop(clock.now());
    });

    long games = 0, won = 0, lost = 0, clicks = 0, kills = 0, maxScore = 0;
    double loadMs = 0;
    bool playing = false;
    rt::OptionButton* const levels[] = {&menu.Option3, &menu.Option2, &menu.Option1};
    auto newGame = [&] {
        if (playing || !menu.Visible()) return;
        rt::OptionButton* level = levels[games % 3];
        run.app.dispatch([&] { level->SetValue(true); });  // raises its Click
        const rt::Micros t0 = clock.now();
        run.app.dispatch([&] { menu.Command1.Click(); });  // "Nová hra", as a click fires it
        loadMs += double(clock.now() - t0) / 1000.0;
        ++games;
        playing = true;
        for (Probe* p : {&ufo, &ufo2, &pad, &pad2, &pad3})
            p->start(t0, p == &ufo || p == &ufo2 ? 15 : 20);
        quorrel.start(t0, hra.SpawnInterval1);
        quorrel2.start(t0, hra.SpawnInterval2);
    };
    boxes.onBox = [&](int style, const std::string& title) {
        if (style != rt::vbInformation || !playing) return;
        const rt::Micros now = clock.now();
        for (Probe* p : all) p->stop(now);  // Obraz stops at the unload that follows
        playing = false;
        ++(title == "Vyhral si" ? won : lost);
        kills += hra.Score;
        maxScore = std::max<long>(maxScore, hra.Score);
        QTimer::singleShot(0, [&] { newGame(); });  // outside the handler that ended it
    };

    // Every 50 ms: a hit on each invader in play with even odds and on each
    // shootable UFO; now and then the player looks away for two seconds.
    Player player;
    rt::Micros awayUntil = 0;
    auto shoot = [&](rt::Image& image, double odds) {
        if (!playing || !hra.Loaded() || !image.Visible() || !image.Enabled() ||
            !player.chance(odds))
            return;
        const rt::Micros before = clock.now();
        ++clicks;
        run.app.dispatch([&] { image.Click(); });
        if (!playing || !hra.Loaded()) return;
        if (!obraz.running && hra.Obraz.Enabled()) obraz.start(before, 250);
        if (!quorrel3.running && hra.Quorrel3.Enabled()) quorrel3.start(before, hra.SpawnInterval3);
    };
    QTimer hand;
    hand.setInterval(50);
    QObject::connect(&hand, &QTimer::timeout, [&] {
        newGame();
        const rt::Micros now = clock.now();
        if (now < awayUntil) return;
        if (player.chance(0.001)) {
            awayUntil = now + 2'000'000;
            return;
        }
        for (rt::Image* invader : {&hra.Image3, &hra.Image4, &hra.Image5}) shoot(*invader, 0.5);
        for (rt::Image* ufo : {&hra.Image1, &hra.Image2}) shoot(*ufo, 1.0);
    });

    run.app.Start([&] { menu.Show(); });
    const Played played = Play(seconds, clock, hand, newGame);
    const rt::Micros end = played.end;
    for (Probe* p : all) p->stop(end);
    if (playing) {
        kills += hra.Score;
        maxScore = std::max<long>(maxScore, hra.Score);
    }

    std::printf("nebulor, playing %d s\n", seconds);
    std::printf(
        "  games %ld (won %ld, lost %ld, running at the end %d), clicks %ld, kills %ld, "
        "best game %ld, message boxes %d\n",
        games, won, lost, playing ? 1 : 0, clicks, kills, maxScore, boxes.shown);
    std::printf("  a game's start (menu to game screen) took %.1f ms on average\n",
                games ? loadMs / double(games) : 0.0);
    PrintProbes(all);
    PrintCost(played);
    return run.finish();
}

// ---- quorrel

int PlayQuorrel(int seconds) {
    bench::RealRun run(quorrel::kInfo.title, "quorrel");
    ClosingDialogs& boxes = *run.boxes;
    rt::Clock& clock = run.app.clock();
    Probe walk{"Timer1", "10 ms"}, time{"Timer2", "500 ms"};

    quorrel::Program program;
    quorrel::Hra& hra = program.hra;
    long games = 0, clicks = 0, total = 0;
    auto newGame = [&] {
        if (hra.Timer1.Enabled()) return;
        const rt::Micros t0 = clock.now();
        ++games;
        run.app.dispatch([&] { hra.Command1.Click(); });  // "Štart", as a click fires it
        walk.start(t0, 10);
    };
    // Restart right after a loss, outside the tick that ended the game.
    Wrap(hra.Timer1, walk, [&] {
        if (hra.Timer1.Enabled()) return;
        walk.stop(clock.now());
        total += hra.Score;
        QTimer::singleShot(0, [&] { newGame(); });
    });
    Wrap(hra.Timer2, time);

    // Every 100 ms, 0..3 hits: enough for slow walkers, too few for fast ones.
    QTimer hand;
    hand.setInterval(100);
    std::mt19937 player{1};
    QObject::connect(&hand, &QTimer::timeout, [&] {
        newGame();
        for (int i = 0, n = int(player() % 4); i < n; ++i, ++clicks)
            run.app.dispatch([&] { hra.Image1.Click(); });
    });

    const rt::Micros shown = clock.now();
    run.app.dispatch([&] { hra.Show(); });
    time.start(shown, 500);
    const Played played = Play(seconds, clock, hand, newGame);
    const rt::Micros end = played.end;
    walk.stop(end);
    time.stop(end);

    std::printf("quorrel, playing %d s\n", seconds);
    std::printf("  games %ld, clicks %ld, message boxes %d, walkers killed %ld, best score %d\n",
                games, clicks, boxes.shown, total + hra.Score, static_cast<int>(hra.BestScore));
    PrintProbes({&walk, &time});
    PrintCost(played);
    return run.finish();
}

// The offscreen platform has no window stacking; it says so on every Show.
QtMessageHandler qtDefault = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support raise()"))) return;
    qtDefault(type, context, message);
}

// Runs `play` in a child process with an application of its own.
int InChild(int argc, char** argv, int (*play)(int), int seconds) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        int status = 0;
        {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            qtDefault = qInstallMessageHandler(QuietHandler);
            QApplication qapp(argc, argv);
            rt::RegisterFonts();
            status = play(seconds);
        }
        std::fflush(stdout);
        _exit(status);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const int a = InChild(argc, argv, PlayNebulor, seconds);
    const int b = InChild(argc, argv, PlayQuorrel, seconds);
    return a != 0 ? a : b;
}
