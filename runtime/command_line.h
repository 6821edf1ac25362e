#pragma once
// What a program is told when it starts: its own options (--help,
// --version), Qt's standard ones (-platform, -display, -session, -style...),
// which reach Qt untouched, and the environment the toolkit reads. Also what
// to say when the toolkit cannot start, naming what failed and what chose it.

#include <optional>
#include <string>
#include <vector>

#include "scheduler.h"

namespace rt {

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string error;  // for Error: one line, without the program's name
    // The games were balanced on the 18.2 Hz system tick, so that is the
    // default; --exact-timers asks for every interval as written.
    Timing timing = Timing::Classic;
    std::optional<std::string> platform;  // -platform's value, as Qt will read it
    std::optional<std::string> display;   // -display's value
};

// `args` as the program got them, its own name first.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText(const std::string& command, const std::string& summary);

// A QT_SCALE_FACTOR that would crash the toolkit or put the windows out of
// sight: the warning to print before it is dropped; nothing when it is usable
// or unset.
std::optional<std::string> UnusableScaleFactor();
inline constexpr double kSmallestScale = 0.1;
inline constexpr double kLargestScale = 16;

// The one line to print when the toolkit's platform could not start, from
// what the toolkit said meanwhile (`messages`, the fatal one last).
std::string StartFailure(const CommandLine& line, const std::vector<std::string>& messages);

}  // namespace rt
