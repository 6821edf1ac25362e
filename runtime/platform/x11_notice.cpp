#include "runtime/platform/x11_notice.h"

namespace rt {

std::optional<std::uintptr_t> DestroyedWindow(const QByteArray& eventType, const void* message) {
    if (eventType != "xcb_generic_event_t" || !message) return std::nullopt;
    // The X protocol's DestroyNotify: code 17, then the event's and the
    // destroyed window's ids.
    struct DestroyNotify {
        std::uint8_t responseType;
        std::uint8_t pad;
        std::uint16_t sequence;
        std::uint32_t event;
        std::uint32_t window;
    };
    const auto* notice = static_cast<const DestroyNotify*>(message);
    if ((notice->responseType & 0x7F) != 17) return std::nullopt;
    return notice->window;
}

}  // namespace rt
