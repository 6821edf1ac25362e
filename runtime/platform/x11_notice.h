#pragma once
// What the X server tells about our windows that the toolkit does not act
// on itself: another client destroyed one of them. The toolkit only passes the
// server's notice on as a native event.

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace rt {

// The id of the window a native event says was destroyed; nothing for any
// other event or platform.
std::optional<std::uintptr_t> DestroyedWindow(const QByteArray& eventType, const void* message);

}  // namespace rt
