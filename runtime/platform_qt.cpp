// The real platform: Qt's monotonic clock and precise timers, message boxes,
// the alert sound and a Mersenne Twister seeded from the clock.

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <random>

#include "platform.h"

namespace rt {

namespace {

class QtClock final : public Clock {
  public:
    QtClock() {
        elapsed_.start();
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { wake(); });
    }
    Micros now() const override { return elapsed_.nsecsElapsed() / 1000; }
    void wakeAt(Micros when) override {
        if (when == kNever) {
            timer_.stop();
            return;
        }
        // Sleep until the next due tick; round up so it never fires early.
        const Micros wait = std::max<Micros>(0, when - now());
        timer_.start(static_cast<int>((wait + 999) / 1000));
    }
    std::int64_t wallMsecs() const override { return QDateTime::currentMSecsSinceEpoch(); }

  private:
    QElapsedTimer elapsed_;
    QTimer timer_;
};

class MersenneRandom final : public Random {
  public:
    void Randomize() override {
        engine_.seed(static_cast<std::uint32_t>(
            std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    }
    float Rnd() override { return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f); }

  private:
    std::mt19937 engine_{20061};
};

class QtDialogs final : public Dialogs {
  public:
    void MsgBox(const std::string& prompt, int style, const std::string& title) override {
        QString text = QString::fromStdString(prompt);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QMessageBox box(iconFor(style), QString::fromStdString(title), text, QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }

  private:
    static QMessageBox::Icon iconFor(int style) {
        switch (style & 0x70) {
            case vbCritical: return QMessageBox::Critical;
            case vbExclamation: return QMessageBox::Warning;
            case vbInformation: return QMessageBox::Information;
            default: return QMessageBox::NoIcon;
        }
    }
};

class QtSound final : public Sound {
  public:
    void Beep() override { QApplication::beep(); }
};

}  // namespace

Platform RealPlatform() {
    return Platform{std::make_unique<QtClock>(), std::make_unique<MersenneRandom>(),
                    std::make_unique<QtDialogs>(), std::make_unique<QtSound>()};
}

}  // namespace rt
