// The real platform: Qt's monotonic clock and precise timers, message boxes,
// the desktop's alert sound, a Mersenne Twister seeded from the clock, and on Linux a
// registry that knows one thing: where a system-information program is.

#include "runtime/platform/real_platform.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

#ifdef HAVE_CANBERRA
#include <canberra.h>
#endif

#include "runtime/base/memory.h"
#include "runtime/base/platform.h"
#include "runtime/platform/x11_notice.h"

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
        if (when == asked_ && timer_.isActive()) return;  // a handler restarting another timer
        asked_ = when;
        if (when == kNever) {
            timer_.stop();
            return;
        }
        // Sleep until the next due tick; round up so it never fires early.
        const Micros wait = std::max<Micros>(0, when - now());
        timer_.start(static_cast<int>((wait + 999) / 1000));
    }
    std::int64_t wallMsecs() const override { return QDateTime::currentMSecsSinceEpoch(); }
    std::unique_ptr<Alarm> alarm() override { return std::make_unique<QtAlarm>(*this); }

  private:
    // A precise single-shot timer in whole milliseconds, rounded up.
    class QtAlarm final : public Alarm {
      public:
        explicit QtAlarm(const Clock& clock) : clock_(clock) {
            timer_.setSingleShot(true);
            timer_.setTimerType(Qt::PreciseTimer);
            QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
                if (ring) ring();
            });
        }
        void ringAt(Micros when) override {
            if (when == kNever) {
                timer_.stop();
                return;
            }
            const Micros delay = std::max<Micros>(0, when - clock_.now());
            const int ms = static_cast<int>((delay + 999) / 1000);
            if (timer_.isActive() && timer_.remainingTime() == ms) return;
            timer_.start(ms);
        }
        bool pending() const override { return timer_.isActive(); }

      private:
        const Clock& clock_;
        QTimer timer_;
    };

    QElapsedTimer elapsed_;
    QTimer timer_;
    Micros asked_ = kNever;
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
    void MsgBox(const std::string& prompt, int style, const std::string& title,
                QObject* window) override {
        QString text = QString::fromStdString(prompt);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        auto* owner = qobject_cast<QWidget*>(window);
        if (!owner || !owner->isVisible()) owner = QApplication::activeWindow();
        // A parent makes the box transient for its window: the window system
        // keeps it over that window, and Qt centres it there where it may.
        // The window deletes it should it go while the box waits (another
        // client destroyed it), so the box is never on the stack.
        const QPointer<QMessageBox> box = new OwnedBox(
            iconFor(style), QString::fromStdString(title), text, QMessageBox::Ok, owner);
        box->setWindowModality(Qt::ApplicationModal);
        std::optional<DismissedWhenDestroyed> watch;
        if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            watch.emplace(box);
        box->exec();
        delete box.data();
    }

  private:
    class OwnedBox final : public QMessageBox {
      public:
        using QMessageBox::QMessageBox;

      protected:
        // Qt centres the box's frame with a guessed frame size where no
        // window manager has told one; the client areas' centres need none.
        void showEvent(QShowEvent* event) override {
            QMessageBox::showEvent(event);
            QWidget* owner = parentWidget();
            if (owner && !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
                move(pos() + owner->geometry().center() - geometry().center());
        }
    };

    // A box whose window another X client destroys is gone for the player:
    // that dismisses it as its OK would, else the modal wait never ends.
    class DismissedWhenDestroyed final : public QAbstractNativeEventFilter {
      public:
        explicit DismissedWhenDestroyed(QPointer<QMessageBox> box) : box_(std::move(box)) {
            QCoreApplication::instance()->installNativeEventFilter(this);
        }
        ~DismissedWhenDestroyed() override {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
        bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
            const auto window = DestroyedWindow(type, message);
            QMessageBox* box = box_.data();
            if (window && box && box->internalWinId() && *window == box->internalWinId())
                QMetaObject::invokeMethod(
                    box, [box] { box->done(QMessageBox::Ok); }, Qt::QueuedConnection);
            return false;
        }

      private:
        QPointer<QMessageBox> box_;  // gone with its window
    };

    static QMessageBox::Icon iconFor(int style) {
        switch (style & 0x70) {
            case vbCritical: return QMessageBox::Critical;
            case vbExclamation: return QMessageBox::Warning;
            case vbInformation: return QMessageBox::Information;
            default: return QMessageBox::NoIcon;
        }
    }
};

// The desktop's alert: the sound theme's bell through the event-sound
// library, on a thread of its own so that a slow or missing sound server
// never holds up the game; the toolkit's beep where that cannot play it.
class DesktopSound final : public Sound {
  public:
    // Who plays it, so that the desktop's mixer names the game rather than
    // the library: read here, on the program's thread.
    struct Player {
        std::string name;
        std::string id;
        std::string icon;
    };
    static Player ThisProgram(const std::string& title) {
        QString id = QGuiApplication::desktopFileName();
        if (id.isEmpty()) id = QCoreApplication::applicationName();
        const QString name = title.empty() ? QGuiApplication::applicationDisplayName()
                                           : QString::fromStdString(title);
        // The icons are installed under the desktop entry's name.
        return {name.toStdString(), id.toStdString(), id.toStdString()};
    }

    explicit DesktopSound(Player player) {
        try {
            std::thread([state = state_, player = std::move(player)] {
                Run(*state, player);
            }).detach();
        } catch (const std::system_error&) {
            OutOfMemory("a thread");  // its stack could not be had
        }
    }
    // The worker may be stuck in a sound server that never answers: it is
    // told to stop and left to the end of the process.
    ~DesktopSound() override {
        {
            std::lock_guard lock(state_->mutex);
            state_->stopping = true;
        }
        state_->wake.notify_one();
    }
    void Beep() override {
        {
            std::lock_guard lock(state_->mutex);
            ++state_->pending;
        }
        state_->wake.notify_one();
    }

  private:
    struct State {
        std::mutex mutex;
        std::condition_variable wake;
        int pending = 0;
        bool stopping = false;
    };

    static void Run(State& s, [[maybe_unused]] const Player& player) {
#ifdef HAVE_CANBERRA
        ca_context* context = nullptr;
        bool usable = ca_context_create(&context) == CA_SUCCESS;
        if (usable) {
            for (auto [key, value] : {std::pair{CA_PROP_APPLICATION_NAME, &player.name},
                                      {CA_PROP_APPLICATION_ID, &player.id},
                                      {CA_PROP_APPLICATION_ICON_NAME, &player.icon}})
                if (!value->empty()) ca_context_change_props(context, key, value->c_str(), nullptr);
        }
#endif
        std::unique_lock lock(s.mutex);
        for (;;) {
            s.wake.wait(lock, [&s] { return s.stopping || s.pending > 0; });
            if (s.stopping) break;
            --s.pending;
            lock.unlock();
            bool played = false;
#ifdef HAVE_CANBERRA
            if (usable) {
                const int result = ca_context_play(context, 0, CA_PROP_EVENT_ID, "bell",
                                                   CA_PROP_EVENT_DESCRIPTION, "Alert", nullptr);
                played = result == CA_SUCCESS;
                // No server, driver or theme: use the fallback from now on.
                if (result == CA_ERROR_NOTAVAILABLE || result == CA_ERROR_NOTFOUND ||
                    result == CA_ERROR_NODRIVER || result == CA_ERROR_DISCONNECTED)
                    usable = false;
            }
#endif
            if (!played)
                if (QCoreApplication* app = QCoreApplication::instance())
                    QMetaObject::invokeMethod(
                        app, [] { QApplication::beep(); }, Qt::QueuedConnection);
            lock.lock();
        }
#ifdef HAVE_CANBERRA
        if (context) ca_context_destroy(context);
#endif
    }

    std::shared_ptr<State> state_ = std::make_shared<State>();
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
        const QStringList folders = searchedFolders();
        if (folders.isEmpty()) return false;  // an empty list would mean the default path
        for (const char* const* tool = SystemInfoTools(); *tool; ++tool) {
            const QString found = QStandardPaths::findExecutable(QString::fromUtf8(*tool), folders);
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
    // Only the absolute folders of PATH: a relative one ("." or "bin") would
    // start whatever program lies in the current directory.
    static QStringList searchedFolders() {
        QStringList folders;
        const QString path = qEnvironmentVariable("PATH");
        for (const QString& folder : path.split(QLatin1Char(':'), Qt::SkipEmptyParts))
            if (QDir::isAbsolutePath(folder)) folders.append(folder);
        return folders;
    }

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

// Focus passing between two of the program's own windows (the menu closing
// as the game opens) can leave none active for a moment: only an absence
// that lasts counts.
class QtDesktop final : public Desktop {
  public:
    QtDesktop() {
        settle_.setSingleShot(true);
        settle_.setInterval(250);
        QObject::connect(&settle_, &QTimer::timeout, [this] {
            if (QGuiApplication::applicationState() != Qt::ApplicationActive && deactivated)
                deactivated();
        });
        QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &settle_,
                         [this](Qt::ApplicationState state) {
                             if (state == Qt::ApplicationActive) {
                                 wasActive_ = true;
                                 settle_.stop();
                             } else if (wasActive_) {
                                 settle_.start();
                             }
                         });
    }

  private:
    QTimer settle_;
    bool wasActive_ = false;
};

}  // namespace

const char* const* SystemInfoTools() {
    static const char* const tools[] = {"hardinfo2", "hardinfo", "kinfocenter", "lshw-gtk",
                                        nullptr};
    return tools;
}

Platform RealPlatform(const std::string& title) {
    return Platform{std::make_unique<QtClock>(),
                    std::make_unique<MersenneRandom>(),
                    std::make_unique<QtDialogs>(),
                    std::make_unique<DesktopSound>(DesktopSound::ThisProgram(title)),
                    std::make_unique<SystemInfoRegistry>(),
                    std::make_unique<RealFiles>(),
                    std::make_unique<DetachedLauncher>(),
                    std::make_unique<QtDesktop>()};
}

}  // namespace rt
