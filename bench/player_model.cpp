// A modelled person plays both games on the test platform, in virtual time,
// on every difficulty at both timings: how often can an adult win?
//
//   player_model [games a row=100] [quorrel|nebulor|both]

#include <QApplication>
#include <QLocale>
#include <QWidget>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "nebulor/program.h"
#include "quorrel/program.h"
#include "runtime/base/app.h"
#include "runtime/drawing/drawing.h"
#include "runtime/testing/fakes.h"
#include "runtime/testing/mouse.h"
#include "runtime/view/widgets.h"

namespace {

using rt::Micros;
constexpr Micros kMs = 1000;

struct Profile {
    const char* name;
    double reactionMs;  // median
    double reactionSigma;
    double reactionFloorMs;
    double lagMs;  // the screen as it was this long ago is what the hand goes by
    double fittsMs;
    double fittsMsPerBit;
    double gapMs;  // between clicks at least
    bool leads;    // aims where the seen velocity will take the target
};
constexpr Profile kAverage{"average", 250, 0.25, 150, 100, 100, 150, 140, false};
constexpr Profile kPractised{"practised", 200, 0.20, 150, 80, 50, 100, 110, true};

constexpr double kAimError = 0.10;     // sigma per axis, of the target's size
constexpr Micros kVelocityOver = 100;  // ms between the two sightings a lead is taken from
constexpr Micros kSampleMs = 5;        // how often the screen is looked at
constexpr Micros kCapMs = 600'000;     // no game runs longer
constexpr Micros kQuickMs = 10'000;    // "over within 10 s"
constexpr int kTargets = 5;

// The player's own draws: mt19937 is the same everywhere, the std
// distributions are not.
class Draws {
  public:
    explicit Draws(std::uint32_t seed) : rng_(seed) {}
    double uniform() { return (static_cast<double>(rng_()) + 0.5) / 4294967296.0; }
    double normal() {  // Box-Muller, the two draws in a fixed order
        const double r = std::sqrt(-2 * std::log(uniform()));
        return r * std::cos(2 * std::numbers::pi * uniform());
    }

  private:
    std::mt19937 rng_;
};

// What the screen showed at one instant: each target's pixels if it could be
// shot, and which of its lives it was.
struct Sample {
    Micros at = 0;
    std::array<QRect, kTargets> rect{};
    std::array<int, kTargets> life{};
};

struct Outcome {
    int score = 0;
    bool won = false;
    Micros length = 0;
    bool over = false;
    int inPlay = 0;     // threats on screen at the end, the landed one too
    int untouched = 0;  // 1 when the one that escaped or landed was never hit
    int clicks = 0;
    int hits = 0;  // clicks the runtime gave to a target
};

// One game on the test platform, as the player meets it.
class Board {
  public:
    virtual ~Board() = default;
    virtual rt::Form& window() = 0;
    virtual rt::Image& target(int i) = 0;
    virtual int targets() const = 0;
    virtual bool threat(int i) const = 0;
    virtual bool shootable(int i) = 0;
    virtual int score() = 0;
    // Which target to go for, from what was seen; -1: none.
    virtual int choose(const Sample& seen, QPoint pointer) = 0;

    // Whether the sighting of target `i` is of the life it has now.
    bool current(const Sample& s, int i) const {
        return !s.rect[i].isEmpty() && s.life[i] == deaths[i];
    }

    rt::testing::Fakes fakes;
    Outcome outcome;
    QPoint pointer;                      // where the start button was pressed
    Micros started = 0;                  // then
    std::array<int, kTargets> deaths{};  // the lives each target has lost
    std::array<int, kTargets> hitsThisLife{};

  protected:
    // Counts the hits the runtime delivers to target `i`, and its deaths: a
    // kill scores, a destroyed UFO hides.
    void track(int i) {
        rt::Image& image = target(i);
        image.Click = [this, i, &image, click = image.Click] {
            ++hitsThisLife[i];
            ++outcome.hits;
            const int before = score();
            click();
            if (!outcome.over && (score() != before || !image.Visible())) {
                ++deaths[i];
                hitsThisLife[i] = 0;
            }
        };
    }
    void end(bool won) {
        if (outcome.over) return;
        outcome.over = true;
        outcome.won = won;
        outcome.score = score();
        outcome.length = fakes.clock->now() - started;
    }
};

class Quorrel final : public Board {
  public:
    Quorrel(rt::Timing timing, int level, std::uint32_t seed)
        : app_(quorrel::kInfo.title, rt::testing::MakeTestPlatform(fakes), timing) {
        fakes.random->seed(seed);  // before "Štart" draws the first walker's speed
        quorrel::Hra& hra = program_.hra;
        track(0);
        track(1);
        fakes.dialogs->whileOpen = [this](const rt::testing::Message& m) {
            const bool escaped = m.style == rt::vbExclamation;
            if (!escaped && m.title != "Vyhral si") return;  // the verdict after an escape
            if (escaped) outcome.untouched = hitsThisLife[0] == 0;
            outcome.inPlay = 1;
            end(!escaped);
        };
        rt::Start(hra);
        rt::testing::Click(*std::array{&hra.Option1, &hra.Option2, &hra.Option3}[level]);
        pointer = rt::testing::CentreOf(hra.Command1);
        rt::testing::Click(hra.Command1);
        started = fakes.clock->now();
    }
    rt::Form& window() override { return program_.hra; }
    rt::Image& target(int i) override { return i == 0 ? program_.hra.Image1 : program_.hra.Image2; }
    int targets() const override { return 2; }
    bool threat(int i) const override { return i == 0; }
    bool shootable(int i) override {
        quorrel::Hra& hra = program_.hra;
        if (i == 0) return hra.Image1.Enabled();
        return hra.Score >= quorrel::kUfoScore && hra.Image2.Visible();
    }
    int score() override { return program_.hra.Score; }
    // The walker, unless the UFO can be shot and the walker is still in the
    // window's right half.
    int choose(const Sample& seen, QPoint) override {
        const bool walker = current(seen, 0);
        const bool ufo = current(seen, 1);
        const int middle = rt::WindowOf(program_.hra)->width() / 2;
        if (walker && (!ufo || seen.rect[0].center().x() < middle)) return 0;
        return ufo ? 1 : -1;
    }

  private:
    rt::App app_;
    quorrel::Program program_;
};

class Nebulor final : public Board {
  public:
    Nebulor(rt::Timing timing, int level, std::uint32_t seed)
        : app_(nebulor::kInfo.title, rt::testing::MakeTestPlatform(fakes), timing) {
        fakes.random->seed(seed);  // before "Nová hra" draws the first intervals and steps
        for (int i = 0; i < kTargets; ++i) track(i);
        fakes.dialogs->whileOpen = [this](const rt::testing::Message& m) {
            if (m.title != "Prehral si" && m.title != "Vyhral si") return;
            for (int i = 0; i < 3; ++i) {
                if (!target(i).Visible()) continue;
                ++outcome.inPlay;
                if (target(i).Top() >= nebulor::kGround) outcome.untouched = hitsThisLife[i] == 0;
            }
            end(m.title == "Vyhral si");
        };
        nebulor::Menu& menu = program_.menu;
        nebulor::Hra& hra = program_.hra;
        rt::Start(menu);
        rt::testing::Click(*std::array{&menu.Option1, &menu.Option2, &menu.Option3}[level]);
        const QPoint pressed =
            rt::WindowOf(menu)->mapToGlobal(rt::testing::CentreOf(menu.Command1));
        rt::testing::Click(menu.Command1);
        pointer = rt::WindowOf(hra)->mapFromGlobal(pressed);
        started = fakes.clock->now();
    }
    rt::Form& window() override { return program_.hra; }
    rt::Image& target(int i) override {
        nebulor::Hra& h = program_.hra;
        return *std::array{&h.Image3, &h.Image4, &h.Image5, &h.Image1, &h.Image2}[i];
    }
    int targets() const override { return kTargets; }
    bool threat(int i) const override { return i < 3; }
    bool shootable(int i) override { return target(i).Visible() && target(i).Enabled(); }
    int score() override { return program_.hra.Score; }
    // The invader nearest the ground; with none, the UFO nearest the pointer.
    int choose(const Sample& seen, QPoint pointer) override {
        int best = -1;
        for (int i = 0; i < 3; ++i)
            if (current(seen, i) && (best < 0 || seen.rect[i].bottom() > seen.rect[best].bottom()))
                best = i;
        if (best >= 0) return best;
        auto distance = [&](int i) { return (seen.rect[i].center() - pointer).manhattanLength(); };
        for (int i = 3; i < kTargets; ++i)
            if (current(seen, i) && (best < 0 || distance(i) < distance(best))) best = i;
        return best;
    }

  private:
    rt::App app_;
    nebulor::Program program_;
};

// Plays until the game ends or the cap: the player reacts to what the screen
// showed, moves, and clicks with real mouse events at the window, and the
// runtime decides what they hit.
Outcome Play(Board& board, const Profile& p, std::uint32_t seed) {
    Draws draws(seed);
    rt::testing::VirtualClock& clock = *board.fakes.clock;
    const Micros lag = static_cast<Micros>(p.lagMs * kMs);
    const QRect window = rt::WindowOf(board.window())->rect();
    QPoint& pointer = board.pointer;
    Micros lastClick = board.started - 1'000'000;
    Micros lastEvent = board.started;  // the stimulus a new choice reacts to

    std::array<Sample, 64> history{};  // a ring, long enough for the lag and a lead
    std::size_t samples = 0;
    auto seenAt = [&](Micros t) -> const Sample& {
        const std::size_t kept = std::min(samples, history.size());
        for (std::size_t k = 1; k < kept; ++k)
            if (const Sample& s = history[(samples - k) % history.size()]; s.at <= t) return s;
        return history[(samples - kept) % history.size()];
    };

    enum class Phase { None, Reacting, Moving } phase = Phase::None;
    int aim = -1;
    Micros due = rt::kNever;
    auto drop = [&] {
        phase = Phase::None;
        due = rt::kNever;
    };
    auto react = [&](int i, Micros stimulus) {
        const double ms =
            std::max(p.reactionFloorMs, p.reactionMs * std::exp(p.reactionSigma * draws.normal()));
        aim = i;
        phase = Phase::Reacting;
        due = std::max(clock.now(), stimulus + static_cast<Micros>(ms * kMs));
    };
    // Fitts's law from where the pointer is, never sooner than the gap allows.
    auto moveTo = [&](const QRect& r) {
        const QPoint d = r.center() - pointer;
        const double bits =
            std::log2(std::hypot(d.x(), d.y()) / std::min(r.width(), r.height()) + 1);
        const double ms = p.fittsMs + p.fittsMsPerBit * bits;
        phase = Phase::Moving;
        due = std::max(clock.now() + static_cast<Micros>(ms * kMs),
                       lastClick + static_cast<Micros>(p.gapMs * kMs));
    };

    Micros nextSample = board.started;
    while (!board.outcome.over) {
        const Micros now = std::min(nextSample, due);
        if (now - board.started >= kCapMs * kMs) break;
        clock.advanceTo(now);
        if (board.outcome.over) break;
        if (now == nextSample) {
            Sample& s = history[samples++ % history.size()];
            s.at = now;
            for (int i = 0; i < board.targets(); ++i) {
                s.rect[i] = board.shootable(i) ? board.target(i).shownPixels().intersected(window)
                                               : QRect();
                s.life[i] = board.deaths[i];
            }
            nextSample += kSampleMs * kMs;
        }
        const Sample& seen = seenAt(now - lag);
        const int choice = board.choose(seen, pointer);
        if (phase == Phase::None && choice >= 0) {
            react(choice, std::max(lastEvent, now - lag));
        } else if (phase != Phase::None && !board.threat(aim) && choice >= 0 &&
                   board.threat(choice)) {
            lastEvent = now - lag;  // a threat: the UFO waits
            react(choice, lastEvent);
        }
        if (phase == Phase::None || now < due) continue;
        if (!board.current(seen, aim)) {  // gone from sight: choose afresh
            drop();
            continue;
        }
        const QRect r = seen.rect[aim];
        if (phase == Phase::Reacting) {
            moveTo(r);
            continue;
        }
        // Where it was seen, led on to now by the velocity of two sightings.
        QPointF at = r.center();
        if (p.leads) {
            const Sample& before = seenAt(seen.at - kVelocityOver * kMs);
            if (board.current(before, aim) && before.at < seen.at)
                at +=
                    QPointF(r.center() - before.rect[aim].center()) *
                    (static_cast<double>(now - seen.at) / static_cast<double>(seen.at - before.at));
        }
        const double dx = draws.normal() * kAimError * r.width();
        at += QPointF(dx, draws.normal() * kAimError * r.height());
        pointer = at.toPoint();
        lastClick = now;
        ++board.outcome.clicks;
        const int lives = board.deaths[aim];
        if (window.contains(pointer)) rt::testing::ClickAsShown(board.window(), pointer);
        if (board.outcome.over) break;
        if (board.deaths[aim] != lives) {
            lastEvent = now;
            drop();
        } else {
            moveTo(r);  // keeps clicking it
        }
    }
    Outcome& o = board.outcome;
    if (!o.over) {
        o.score = board.score();
        o.length = clock.now() - board.started;
        for (int i = 0; i < board.targets(); ++i)
            if (board.threat(i) && board.shootable(i)) ++o.inPlay;
    }
    return o;
}

struct Row {
    std::vector<int> scores;
    std::vector<Micros> lengths;
    int won = 0, quick = 0;
    long targets = 0, killed = 0, untouched = 0, clicks = 0, hits = 0;
};

template <class T>
double Median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? double(v[n / 2]) : (double(v[n / 2 - 1]) + double(v[n / 2])) / 2;
}

int Percentile90(std::vector<int> v) {
    std::sort(v.begin(), v.end());
    return v[(v.size() * 9 + 9) / 10 - 1];  // nearest rank
}

template <class B>
Row PlayRow(rt::Timing timing, int level, const Profile& p, int games) {
    Row row;
    for (int g = 0; g < games; ++g) {
        Outcome o;
        {
            B board(timing, level, 1000 + g);
            o = Play(board, p, 2000 + g);
        }
        rt::testing::FlushDeletes();
        row.scores.push_back(o.score);
        row.lengths.push_back(o.length);
        row.won += o.won;
        row.quick += o.over && o.length <= kQuickMs * kMs;
        row.targets += o.score + o.inPlay;
        row.killed += o.score;
        row.untouched += o.untouched;
        row.clicks += o.clicks;
        row.hits += o.hits;
    }
    return row;
}

void PrintProfile(const Profile& p) {
    std::printf(
        "  %-9s reaction lognormal, median %.0f ms, sigma(log) %.2f, floor %.0f ms; sees %.0f ms "
        "late;\n            Fitts %.0f ms + %.0f ms/bit; clicks %.0f ms apart at least; %s\n",
        p.name, p.reactionMs, p.reactionSigma, p.reactionFloorMs, p.lagMs, p.fittsMs,
        p.fittsMsPerBit, p.gapMs,
        p.leads ? "leads the target by its seen velocity" : "aims where the target was seen");
}

QtMessageHandler qtDefault = nullptr;

// The offscreen platform has no window stacking; it says so on every Show.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("does not support raise()")))
        qtDefault(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    qtDefault = qInstallMessageHandler(QuietHandler);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC");
    QApplication qapp(argc, argv);
    rt::RegisterFonts();
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const std::string which = argc > 2 ? argv[2] : "both";
    if (which != "both" && which != "quorrel" && which != "nebulor") {
        std::fprintf(stderr, "usage: player_model [games a row=100] [quorrel|nebulor|both]\n");
        return 2;
    }

    std::printf("player_model: %d games a row, game k on seed %d+k (the player's draws %d+k)\n",
                games, 1000, 2000);
    std::printf(
        "virtual time on the test platform; the screen looked at every %lld ms; a game "
        "stops after %lld s\n",
        static_cast<long long>(kSampleMs), static_cast<long long>(kCapMs / 1000));
    std::printf(
        "aim error gaussian, sigma %.0f%% of the target's size per axis; a lead's "
        "sightings %lld ms apart\n",
        kAimError * 100, static_cast<long long>(kVelocityOver));
    for (const Profile* p : {&kAverage, &kPractised}) PrintProfile(*p);
    std::printf("\n%-8s %-7s %-8s %-10s %6s %5s %6s %8s %8s %8s %10s %6s\n", "game", "level",
                "timing", "profile", "median", "p90", "won%", "length s", "<10s %", "killed%",
                "untouched%", "hits%");

    const auto wall = std::chrono::steady_clock::now();
    const char* levels[] = {"easy", "medium", "hard"};
    for (const char* game : {"quorrel", "nebulor"}) {
        if (which != "both" && which != game) continue;
        for (int level = 0; level < 3; ++level)
            for (rt::Timing timing : {rt::Timing::Exact, rt::Timing::Classic})
                for (const Profile* p : {&kAverage, &kPractised}) {
                    const Row r = std::strcmp(game, "quorrel") == 0
                                      ? PlayRow<Quorrel>(timing, level, *p, games)
                                      : PlayRow<Nebulor>(timing, level, *p, games);
                    std::printf(
                        "%-8s %-7s %-8s %-10s %6.1f %5d %6.1f %8.1f %8.1f %8.1f %10.1f %6.1f\n",
                        game, levels[level], timing == rt::Timing::Exact ? "exact" : "classic",
                        p->name, Median(r.scores), Percentile90(r.scores), 100.0 * r.won / games,
                        Median(r.lengths) / 1e6, 100.0 * r.quick / games,
                        r.targets ? 100.0 * double(r.killed) / double(r.targets) : 0.0,
                        r.targets ? 100.0 * double(r.untouched) / double(r.targets) : 0.0,
                        r.clicks ? 100.0 * double(r.hits) / double(r.clicks) : 0.0);
                    std::fflush(stdout);
                }
    }
    std::fprintf(stderr, "%.1f s\n",
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count());
}
