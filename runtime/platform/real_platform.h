#pragma once
// The platform services of a real run, on the toolkit and the desktop.

#include <string>

#include "runtime/base/platform.h"

namespace rt {

// The implementations a real run uses. `title` names the program where the
// desktop shows its sounds; empty: the application's name.
Platform RealPlatform(const std::string& title = {});

// The system-information programs the real registry looks for, in order.
const char* const* SystemInfoTools();

}  // namespace rt
