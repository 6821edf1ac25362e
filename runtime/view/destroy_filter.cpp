// A window destroyed behind the toolkit's back (by another client) is gone
// for the player: it unloads its form, as the close box would.

#include <QAbstractNativeEventFilter>
#include <QApplication>

#include "runtime/platform/x11_notice.h"
#include "runtime/view/surface.h"

namespace rt {

namespace {
class DestroyWatcher final : public QAbstractNativeEventFilter {
  public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (const auto window = DestroyedWindow(type, message)) WindowDestroyed(*window);
        return false;
    }
};
}  // namespace

// Only X lets another client destroy our windows (elsewhere no X notice
// comes); a Wayland compositor's close is a close request, the close box's path.
void WatchDestroyedWindows() {
    if (OnWayland()) return;
    static DestroyWatcher watcher;
    QCoreApplication::instance()->installNativeEventFilter(&watcher);
}

void WindowDestroyed(std::uintptr_t nativeId) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<FormWindow*>(w);
        if (!window || !window->owner() || !window->internalWinId() ||
            window->internalWinId() != nativeId)
            continue;
        window->owner()->closeRequested();
        return;
    }
}

}  // namespace rt
