// The real platform: Qt's monotonic clock and precise timers, message boxes,
// the alert sound, a Mersenne Twister seeded from the clock, and on Linux a
// registry that knows one thing: where a system-information program is.

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>
#include <cstring>
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

// Answers value "PATH" of the system-information key with the first listed
// program found on the search path; every other key is absent.
class SystemInfoRegistry final : public Registry {
  public:
    std::optional<Key> OpenKey(std::uint32_t root, const std::string& path) override {
        if (root != kLocalMachine || path != "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO")
            return std::nullopt;
        return kInfoKey;
    }
    bool QueryValue(Key key, const std::string& name, std::uint32_t& type, char* buffer,
                    std::uint32_t& size) override {
        if (key != kInfoKey || name != "PATH") return false;
        for (const char* const* tool = SystemInfoTools(); *tool; ++tool) {
            const QString found = QStandardPaths::findExecutable(QString::fromUtf8(*tool));
            if (found.isEmpty()) continue;
            const QByteArray path = found.toLocal8Bit();
            if (std::uint32_t(path.size()) + 1 > size) return false;
            std::memcpy(buffer, path.constData(), size_t(path.size()) + 1);
            size = std::uint32_t(path.size()) + 1;  // with its terminating NUL
            type = kString;
            return true;
        }
        return false;
    }
    void CloseKey(Key) override {}

  private:
    static constexpr Key kInfoKey = 1;
};

class RealFiles final : public Files {
  public:
    bool Exists(const std::string& path) override {
        const QFileInfo info(QString::fromLocal8Bit(path.c_str()));
        return !path.empty() && info.exists() && !info.isDir();
    }
};

class DetachedLauncher final : public Launcher {
  public:
    bool Launch(const std::string& path) override {
        if (path.empty()) return false;
        // Exec'd directly: spaces, quotes and $(...) in the path stay part of it.
        return QProcess::startDetached(QString::fromLocal8Bit(path.c_str()), {});
    }
};

}  // namespace

const char* const* SystemInfoTools() {
    static const char* const tools[] = {"hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk",
                                        nullptr};
    return tools;
}

Platform RealPlatform() {
    return Platform{std::make_unique<QtClock>(),           std::make_unique<MersenneRandom>(),
                    std::make_unique<QtDialogs>(),         std::make_unique<QtSound>(),
                    std::make_unique<SystemInfoRegistry>(), std::make_unique<RealFiles>(),
                    std::make_unique<DetachedLauncher>()};
}

}  // namespace rt
