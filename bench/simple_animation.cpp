// The yardstick for frame_bench.sh: the smallest Qt Widgets animation, one
// label moved every 10 ms. It draws on every tick, as plain Qt code does.
//
//   simple_animation [seconds=20] [tail seconds=1]
//
// Prints "ready" once the window is up, then after `seconds` the ticks it got;
// it keeps moving for `tail` seconds more so that a watcher outside can take
// its last sample while it still runs.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int tail = argc > 2 ? std::max(0, std::atoi(argv[2])) : 1;

    QWidget window;
    window.setWindowTitle(QStringLiteral("simple_animation"));
    window.resize(560, 370);
    QLabel label(QStringLiteral("Label"), &window);
    label.setGeometry(0, 150, 80, 30);

    long ticks = 0;
    int x = 0, dx = 3;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        x += dx;
        if (x <= 0 || x >= window.width() - label.width()) dx = -dx;
        label.move(x, label.y());
    });

    window.show();
    QApplication::processEvents();
    timer.start(10);
    QElapsedTimer wall;
    wall.start();
    std::printf("ready\n");
    std::fflush(stdout);

    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [&] {
        const double s = double(wall.nsecsElapsed()) / 1e9;
        std::printf("timer 10 ms: ticks %ld nominal %ld (%.1f%%)\n", ticks, long(s * 100),
                    100.0 * double(ticks) / (s * 100));
        std::fflush(stdout);
        QTimer::singleShot(tail * 1000, Qt::PreciseTimer, [] { QApplication::exit(0); });
    });
    return QApplication::exec();
}
