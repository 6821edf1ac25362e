#pragma once
// What a program is told when it starts: its own options (--help,
// --version), Qt's standard ones (-platform, -display, -session, -style...),
// which reach Qt untouched, and the environment the toolkit reads. Also what
// to say when the toolkit cannot start, naming what failed and what chose it.

#include <optional>
#include <string>
#include <vector>

#include "runtime/base/scheduler.h"

namespace rt {

// The games speak Slovak, their own language, unless English is asked for.
enum class Language { Slovak, English };

struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string error;  // for Error: one line, without the program's name
    // The games were balanced on the 18.2 Hz system tick, so that is the
    // default; --exact-timers asks for every interval as written.
    Timing timing = Timing::Classic;
    // --language, else the first of English and Slovak in the LANGUAGE list;
    // never the locale (LANG, LC_ALL), so that a Slovak game stays Slovak.
    Language language = Language::Slovak;
    std::string warning;                  // one line to print before the game starts, if any
    std::optional<std::string> platform;  // -platform's value, as Qt will read it
    std::optional<std::string> display;   // -display's value
    // The arguments, own name first, as Qt reads them: it takes its options'
    // values only as the next argument, so "-style=fusion" comes in two.
    std::vector<std::string> toolkitArgs;
};

// `args` as the program got them, its own name first.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText(const std::string& command, const std::string& summary);

// The scale and DPI variables (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS,
// QT_FONT_DPI) set to what would crash the toolkit, put the windows out of
// sight or ask for more memory than any screen: each with the warning to
// print before it is dropped; none when all are usable or unset. Usable ones
// whose product is out of the same bounds are dropped together, with one.
struct UnusableSetting {
    std::vector<const char*> variables;
    std::string warning;
};
std::vector<UnusableSetting> UnusableScaling();
// At 16 times the largest window, nebulor's game of 566 x 373 pixels, takes
// 9,056 x 5,968 device pixels and a buffer of 216 MB: within the 16,384
// pixels across that graphics drivers make screens and surfaces of (X
// itself stops at 32,767). The same bound holds for the factors' product.
inline constexpr double kSmallestScale = 0.1;
inline constexpr double kLargestScale = 16;
// A DPI scales the windows by DPI / 96, in the same bounds.
inline constexpr int kSmallestDpi = 10;
inline constexpr int kLargestDpi = 1536;

// The one line to print when the toolkit's platform could not start, from
// what the toolkit said meanwhile (`messages`, the fatal one last).
std::string StartFailure(const CommandLine& line, const std::vector<std::string>& messages);

}  // namespace rt
