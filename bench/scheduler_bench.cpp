// How punctually the real scheduler on the real clock delivers the timer
// mixes the games use, and what that costs in CPU.
//
//   scheduler_bench [seconds] [quorrel|nebulor|both]

#include <sys/resource.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "runtime/base/platform.h"
#include "runtime/base/scheduler.h"
#include "runtime/platform/real_platform.h"

namespace {

double cpuSeconds() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    auto sec = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return sec(ru.ru_utime) + sec(ru.ru_stime);
}

struct Probe {
    int intervalMs = 0;      // 0: re-drawn after every tick
    std::vector<int> drawn;  // the intervals in force, in order
    rt::Micros due = 0;
    long ticks = 0;
    rt::Micros lateSum = 0;
    rt::Micros lateMax = 0;
    std::function<void()> handler;
};

void runScenario(const char* name, const std::vector<int>& intervals, int seconds,
                 rt::Clock& clock) {
    rt::Scheduler scheduler(clock);
    std::mt19937 rng{std::random_device{}()};
    std::uniform_int_distribution<int> draw(1, 3000);
    std::vector<std::unique_ptr<Probe>> probes;

    const double cpu0 = cpuSeconds();
    const rt::Micros t0 = clock.now();
    for (std::uint64_t id = 0; id < intervals.size(); ++id) {
        auto& p = *probes.emplace_back(std::make_unique<Probe>());
        p.intervalMs = intervals[id];
        p.drawn.push_back(p.intervalMs ? p.intervalMs : draw(rng));
        // Mirrors the scheduler's rules to know when the next tick is due.
        p.handler = [&, id, q = &p] {
            const rt::Micros now = clock.now();
            const rt::Micros late = std::max<rt::Micros>(0, now - q->due);
            ++q->ticks;
            q->lateSum += late;
            q->lateMax = std::max(q->lateMax, late);
            if (q->intervalMs) {
                q->due += rt::Micros{q->intervalMs} * 1000;
                if (q->due <= now) q->due = now + rt::Micros{q->intervalMs} * 1000;
                return;
            }
            // As a game does: a new interval restarts the countdown from now.
            const int next = q->drawn.emplace_back(draw(rng));
            q->due = clock.now() + rt::Micros{next} * 1000;
            scheduler.start(id, next, q->handler);
        };
        p.due = clock.now() + rt::Micros{p.drawn.front()} * 1000;
        scheduler.start(id, p.drawn.front(), p.handler);
    }

    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    scheduler.stopAll();
    const rt::Micros elapsed = clock.now() - t0;
    const double cpu = cpuSeconds() - cpu0;

    std::printf("\n%s: %.3f s\n", name, double(elapsed) / 1e6);
    std::printf("%-8s %10s %10s %14s %15s\n", "interval", "ticks", "nominal", "mean late ms",
                "worst late ms");
    for (const auto& p : probes) {
        long nominal = 0;
        if (p->intervalMs) {
            nominal = long(elapsed / (rt::Micros{p->intervalMs} * 1000));
        } else {
            rt::Micros sum = 0;
            for (int iv : p->drawn)
                if ((sum += rt::Micros{iv} * 1000) <= elapsed) ++nominal;
        }
        const std::string label = p->intervalMs ? std::to_string(p->intervalMs) : "random";
        std::printf("%-8s %10ld %10ld %14.3f %15.3f\n", label.c_str(), p->ticks, nominal,
                    p->ticks ? double(p->lateSum) / double(p->ticks) / 1000.0 : 0.0,
                    double(p->lateMax) / 1000.0);
    }
    std::printf("cpu %.3f s (user+sys), %.2f%% of wall\n", cpu,
                100.0 * cpu * 1e6 / double(elapsed));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const std::string mix = argc > 2 ? argv[2] : "both";
    if (mix != "quorrel" && mix != "nebulor" && mix != "both") {
        std::fprintf(stderr, "usage: scheduler_bench [seconds] [quorrel|nebulor|both]\n");
        return 2;
    }
    rt::Platform platform = rt::RealPlatform();
    if (mix != "nebulor") runScenario("quorrel", {10, 15, 20}, seconds, *platform.clock);
    if (mix != "quorrel")
        runScenario("nebulor", {15, 15, 20, 20, 20, 0, 0, 250}, seconds, *platform.clock);
    return 0;
}
