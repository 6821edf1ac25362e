// A game running nonstop on whatever platform Qt picks (xcb under DISPLAY),
// with a scripted player, for frame_bench.sh to compare with simple_animation.
//
//   frame_bench quorrel|nebulor [seconds=20] [tail seconds=1] [--exact-timers]
//
// Prints "ready" once a game runs, then after `seconds`: ticks per timer
// against the nominal count, how late the scheduler woke, and the process's
// own CPU and context switches. As in the programs, the game runs at classic
// timing, where the nominal counts are those of the system ticks, unless
// --exact-timers is given. It keeps playing for `tail` seconds
// more so that a watcher outside can take its last sample while it still runs.

#include <sys/resource.h>

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench/support.h"
#include "nebulor/program.h"
#include "quorrel/program.h"
#include "runtime/base/app.h"
#include "runtime/base/scheduler.h"
#include "runtime/drawing/drawing.h"
#include "runtime/start/startup.h"

namespace {

using bench::ClosingDialogs;
using bench::Usage;
using bench::usage;

// How late the scheduler's wake-ups come: any tick held up by drawing shows
// here, whichever timer it belongs to.
class LatenessClock final : public bench::WatchedClock {
  public:
    using WatchedClock::WatchedClock;

    bool measuring = false;
    long wakes = 0, over2ms = 0, over5ms = 0;
    rt::Micros sum = 0, worst = 0;
    struct Stall {
        rt::Micros due, late;
    };
    std::vector<Stall> stalls;  // wake-ups more than 50 ms late

  private:
    void woke(rt::Micros asked) override {
        if (!measuring || asked == rt::kNever) return;
        const rt::Micros late = now() - asked;
        ++wakes;
        sum += late;
        worst = std::max(worst, late);
        if (late > 2000) ++over2ms;
        if (late > 5000) ++over5ms;
        if (late > 50000) stalls.push_back({asked, late});
    }
};

// One game timer's ticks while measuring. A timer with a fixed interval runs
// for the whole of each game, so its nominal count is the measured game time
// over its interval, and its lateness is taken against its own cadence.
struct TimerCount {
    std::string name;
    int interval = 0;       // ms; 0 when the game draws it afresh
    bool wholeRun = false;  // runs through and between games
    long ticks = 0;
    std::optional<rt::Micros> due;  // the next tick on the cadence
    rt::Micros worstLate = 0;
};

// Counts the windows' repaints: each update request is one paint and one
// flush to the X server. It watches the windows themselves, looked up twice
// a second, rather than every event of the program that it measures.
class FrameCounter final : public QObject {
  public:
    FrameCounter() {
        connect(&lookup_, &QTimer::timeout, this, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) w->installEventFilter(this);
        });
        lookup_.start(500);
    }
    bool measuring = false;
    long frames = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (measuring && event->type() == QEvent::UpdateRequest && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            ++frames;
        return false;
    }

  private:
    QTimer lookup_;
};

class Bench {
  public:
    Bench(LatenessClock& clock, rt::Timing timing) : clock_(clock), timing_(timing) {}

    // Counts the ticks of `timer`; `after` runs once each tick has returned.
    void watch(rt::Timer& timer, int fixedInterval, bool wholeRun,
               std::function<void()> after = {}) {
        TimerCount& t = timers_.emplace_back();
        t.name = timer.Name();
        t.interval = fixedInterval;
        t.wholeRun = wholeRun;
        const std::size_t i = timers_.size() - 1;
        timer.Tick = [this, i, tick = timer.Tick, after = std::move(after)] {
            count(timers_[i]);
            tick();
            if (after) after();
        };
    }

    void gameStarted() {
        ++games_;
        playing_ = true;
        gameStart_ = clock_.now();
        events_.push_back({gameStart_, "a game started"});
        for (TimerCount& t : timers_)
            if (!t.wholeRun) t.due.reset();  // its countdown starts afresh
    }
    void gameEnded() {
        if (!playing_) return;
        playing_ = false;
        events_.push_back({clock_.now(), "a game ended"});
        addGameTime(events_.back().when);
    }

    void startMeasuring() {
        measureStart_ = clock_.now();
        gameTime_ = 0;
        games_ = 0;
        clicks = 0;
        for (TimerCount& t : timers_) t.ticks = 0, t.worstLate = 0;
        clock_.measuring = true;
        measuring_ = true;
    }
    void stopMeasuring() {
        measureEnd_ = clock_.now();
        if (playing_) addGameTime(measureEnd_);
        clock_.measuring = false;
        measuring_ = false;
    }

    // "least ticks" is the fixed timer with the fewest ticks against its
    // nominal count, in percent: the script reads it.
    void report(const Usage& u0, const Usage& u1) const {
        const double wall = double(measureEnd_ - measureStart_) / 1e6;
        double least = 100.0;
        std::printf("measured %.2f s, %ld game(s) started, %.2f s of play, %ld click(s)\n", wall,
                    games_, double(gameTime_) / 1e6, clicks);
        for (const TimerCount& t : timers_) {
            if (t.interval == 0) {
                std::printf("timer %-9s random ms: ticks %ld\n", t.name.c_str(), t.ticks);
                continue;
            }
            const rt::Micros span = t.wholeRun ? measureEnd_ - measureStart_ : gameTime_;
            const long nominal = long(double(span) / period(t.interval));
            const double pct = nominal > 0 ? 100.0 * double(t.ticks) / double(nominal) : 100.0;
            if (nominal > 0) least = std::min(least, pct);
            std::printf("timer %-9s %4d ms: ticks %ld nominal %ld (%.1f%%), worst %.1f ms late\n",
                        t.name.c_str(), t.interval, t.ticks, nominal, pct,
                        double(t.worstLate) / 1000.0);
        }
        std::printf("least ticks %.1f%%\n", least);
        std::printf("timing %s: %.1f wake-ups/s\n",
                    timing_ == rt::Timing::Classic ? "classic" : "exact",
                    double(clock_.wakes) / wall);
        std::printf(
            "scheduler wake-ups %ld: mean %.2f ms late, worst %.1f ms, %ld over 2 ms, %ld "
            "over 5 ms\n",
            clock_.wakes, clock_.wakes ? double(clock_.sum) / 1000.0 / clock_.wakes : 0.0,
            double(clock_.worst) / 1000.0, clock_.over2ms, clock_.over5ms);
        // What the program was doing when it stopped ticking.
        for (const LatenessClock::Stall& st : clock_.stalls) {
            const Event* last = nullptr;
            for (const Event& e : events_)
                if (e.when <= st.due) last = &e;
            std::printf("  stall at %.2f s: %.1f ms late", double(st.due - measureStart_) / 1e6,
                        double(st.late) / 1000.0);
            if (last)
                std::printf(", %.1f ms after %s", double(st.due - last->when) / 1000.0, last->what);
            std::printf("\n");
        }
        const double cpu = u1.cpu - u0.cpu;
        const long vol = u1.voluntary - u0.voluntary, invol = u1.involuntary - u0.involuntary;
        std::printf(
            "own cpu %.3f s (%.2f%% of wall), context switches %.1f/s (%.1f voluntary, "
            "%.1f involuntary)\n",
            cpu, 100.0 * cpu / wall, double(vol + invol) / wall, double(vol) / wall,
            double(invol) / wall);
    }

    long clicks = 0;

  private:
    void count(TimerCount& t) {
        const rt::Micros now = clock_.now();
        if (!measuring_) {
            t.due.reset();
            return;
        }
        ++t.ticks;
        if (t.interval == 0) return;
        const auto step = static_cast<rt::Micros>(std::llround(period(t.interval)));
        // The first tick of a countdown sets the cadence; the scheduler makes
        // no tick up, so a tick a whole interval late restarts it.
        if (t.due) t.worstLate = std::max(t.worstLate, now - *t.due);
        rt::Micros next = t.due ? *t.due + step : now + step;
        if (next <= now) next = now + step;
        t.due = next;
    }
    // The time between two ticks of a timer that keeps up: its interval, or
    // at classic timing the whole system ticks it spans.
    double period(int intervalMs) const {
        const rt::Micros interval = rt::Micros{intervalMs} * 1000;
        if (timing_ == rt::Timing::Exact) return double(interval);
        return double(rt::SystemTickAtOrAfter(interval)) * kSystemTickMicros;
    }
    static constexpr double kSystemTickMicros = 65536e6 / 1193182;

    void addGameTime(rt::Micros end) {
        if (!measuring_) return;
        gameTime_ += end - std::max(gameStart_, measureStart_);
    }

    LatenessClock& clock_;
    const rt::Timing timing_;
    std::vector<TimerCount> timers_;
    struct Event {
        rt::Micros when;
        const char* what;
    };
    std::vector<Event> events_;
    bool playing_ = false, measuring_ = false;
    long games_ = 0;
    rt::Micros gameStart_ = 0, gameTime_ = 0, measureStart_ = 0, measureEnd_ = 0;
};

// quorrel: one form; "Štart" begins a game, the walk (Timer1) stops at its end.
// The player clicks the walker 0-3 times every 100 ms, as quorrel_cpu_bench does.
struct QuorrelRun {
    QuorrelRun(rt::App& app, Bench& bench) : app(app), bench(bench) {
        bench.watch(hra.Timer1, 10, false, [this] { checkEnd(); });
        bench.watch(hra.Timer2, 500, true);
    }
    void start() {
        this->app.dispatch([this] { hra.Show(); });
        newGame();
    }
    void play(std::mt19937& hand) {
        newGame();
        for (int i = 0, n = int(hand() % 4); i < n; ++i, ++bench.clicks)
            app.dispatch([this] { hra.Image1.Click(); });
        checkEnd();
    }
    void newGame() {
        if (hra.Timer1.Enabled()) return;
        bench.gameStarted();
        app.dispatch([this] { hra.Command1.Click(); });
    }
    // A new game right after a loss, outside the tick that ended it.
    void checkEnd() {
        if (hra.Timer1.Enabled()) return;
        bench.gameEnded();
        QTimer::singleShot(0, [this] { newGame(); });
    }

    rt::App& app;
    Bench& bench;
    quorrel::Program program;
    quorrel::Hra& hra = program.hra;
};

// nebulor: "Nová hra" on the menu loads the game screen; a lost or won game
// shows a box, unloads the screen and shows the menu again.
struct NebulorRun {
    NebulorRun(rt::App& app, Bench& bench, ClosingDialogs& boxes) : app(app), bench(bench) {
        for (rt::Timer* t : {&hra.Ufo, &hra.Ufo2}) bench.watch(*t, 15, false);
        for (rt::Timer* t : {&hra.Pad, &hra.Pad2, &hra.Pad3}) bench.watch(*t, 20, false);
        for (rt::Timer* t : {&hra.Quorrel, &hra.Quorrel2, &hra.Quorrel3, &hra.Obraz})
            bench.watch(*t, 0, false);
        // Only the end of a game opens a box: its timers have just stopped.
        boxes.onBox = [this](int, const std::string&) {
            this->bench.gameEnded();
            QTimer::singleShot(0, [this] { newGame(); });
        };
    }
    void start() {
        app.dispatch([this] { program.menu.Show(); });
        newGame();
    }
    // Each target is first left alone for 0.1-1.2 s, then hit once every
    // 100 ms: most invaders die on the way down, some land and end the game.
    void play(std::mt19937& hand) {
        for (rt::Image* im : {&hra.Image3, &hra.Image4, &hra.Image5, &hra.Image1, &hra.Image2}) {
            if (!hra.Loaded()) return;  // reading a control would load the form
            const bool ufo = im == &hra.Image1 || im == &hra.Image2;
            if (!im->Visible() || (ufo && !im->Enabled())) {
                wait.erase(im);
                continue;
            }
            auto it = wait.try_emplace(im, 1 + int(hand() % 12)).first;
            if (--it->second > 0) continue;
            ++bench.clicks;
            app.dispatch([im] {
                if (im->Click) im->Click();
            });
        }
    }
    void newGame() {
        if (hra.Loaded() || !program.menu.Loaded()) return;
        wait.clear();
        bench.gameStarted();
        app.dispatch([this] { program.menu.Command1.Click(); });
    }

    rt::App& app;
    Bench& bench;
    nebulor::Program program;
    nebulor::Hra& hra = program.hra;
    std::map<rt::Image*, int> wait;  // polls left before the player starts hitting it
};

int usageError() {
    std::fprintf(stderr,
                 "usage: frame_bench quorrel|nebulor [seconds=20] [tail seconds=1] "
                 "[--exact-timers]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    rt::Timing timing = rt::Timing::Classic;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--exact-timers")
            timing = rt::Timing::Exact;
        else if (std::string(argv[i]) == "--classic-speed")
            timing = rt::Timing::Classic;
        else
            args.emplace_back(argv[i]);
    }
    if (args.empty()) return usageError();
    const std::string mode = args[0];
    if (mode != "quorrel" && mode != "nebulor") return usageError();
    const int seconds = args.size() > 1 ? std::max(1, std::atoi(args[1].c_str())) : 20;
    const int tail = args.size() > 2 ? std::max(0, std::atoi(args[2].c_str())) : 1;

    rt::ChooseEventLoop();  // as the programs do
    rt::ChoosePixelTransfer();
    QApplication qapp(argc, argv);
    rt::RegisterFonts();
    const QScreen* screen = QGuiApplication::primaryScreen();
    std::printf("platform %s, screen refresh %.1f Hz\n",
                qPrintable(QGuiApplication::platformName()), screen ? screen->refreshRate() : 0.0);

    ClosingDialogs* closing = nullptr;
    rt::Platform real = bench::PlatformWithClosingBoxes(closing);
    ClosingDialogs& boxes = *closing;
    LatenessClock& lateness = bench::Watch<LatenessClock>(real);
    rt::App app(mode == "quorrel" ? quorrel::kInfo.title : nebulor::kInfo.title, std::move(real),
                timing);
    bench::EndLeavesTheLoop(app, "program");

    Bench bench(lateness, timing);
    FrameCounter frames;
    std::unique_ptr<QuorrelRun> q;
    std::unique_ptr<NebulorRun> n;
    std::function<void(std::mt19937&)> play;
    if (mode == "quorrel") {
        q = std::make_unique<QuorrelRun>(app, bench);
        q->start();
        play = [&](std::mt19937& hand) { q->play(hand); };
    } else {
        n = std::make_unique<NebulorRun>(app, bench, boxes);
        n->start();
        play = [&](std::mt19937& hand) { n->play(hand); };
    }

    std::mt19937 hand{1};  // the player's clicks repeat run to run; the game's dice do not
    QTimer player;
    player.setInterval(100);
    QObject::connect(&player, &QTimer::timeout, [&] { play(hand); });
    player.start();

    // A second's play first, so that start-up drawing is not counted.
    Usage u0;
    QTimer::singleShot(1000, Qt::PreciseTimer, [&] {
        std::printf("ready\n");
        std::fflush(stdout);
        u0 = usage();
        bench.startMeasuring();
        frames.measuring = true;
        QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [&] {
            bench.stopMeasuring();
            frames.measuring = false;
            const Usage u1 = usage();
            bench.report(u0, u1);
            std::printf("frames drawn %ld (%.1f/s)\n", frames.frames,
                        double(frames.frames) / seconds);
            std::printf("message boxes %d\n", boxes.shown);
            std::fflush(stdout);
            QTimer::singleShot(tail * 1000, Qt::PreciseTimer, [] { QApplication::exit(0); });
        });
    });
    const int status = QApplication::exec();
    player.stop();
    return app.ended() ? app.exitStatus() : status;
}
