// The command line: the programs' own options, Qt's standard ones let
// through to Qt, and start-up failures that name what failed.

#include "runtime/start/command_line.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace rttest {
namespace {

using rt::CommandLine;
using Action = CommandLine::Action;
using rt::Timing;

CommandLine Parse(std::vector<std::string> args) {
    args.insert(args.begin(), "quorrel");
    return rt::ParseCommandLine(args);
}

// Sets (or with nullptr unsets) an environment variable for one test.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value)
        : name_(name), was_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv() {
        if (was_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    bool was_;
    QByteArray old_;
};

TEST(CommandLineTest, HelpAndVersionInShortAndLongForm) {
    EXPECT_EQ(Parse({"-h"}).action, Action::Help);
    EXPECT_EQ(Parse({"--help"}).action, Action::Help);
    EXPECT_EQ(Parse({"-v"}).action, Action::Version);
    EXPECT_EQ(Parse({"--version"}).action, Action::Version);
    EXPECT_EQ(Parse({"-style=fusion", "--version"}).action, Action::Version);
    EXPECT_EQ(Parse({}).action, Action::Run);
    EXPECT_EQ(Parse({"--"}).action, Action::Run);
}

// The original speed unless asked otherwise; the last choice counts.
TEST(CommandLineTest, TheOriginalSpeedIsTheDefaultAndExactTimersAreAskedFor) {
    EXPECT_EQ(Parse({}).timing, Timing::Classic);
    const CommandLine line = Parse({"--classic-speed", "-session", "x"});
    EXPECT_EQ(line.action, Action::Run);
    EXPECT_EQ(line.timing, Timing::Classic);
    EXPECT_EQ(Parse({"-classic-speed"}).timing, Timing::Classic);
    EXPECT_EQ(Parse({"--exact-timers"}).timing, Timing::Exact);
    EXPECT_EQ(Parse({"--classic-speed", "--exact-timers"}).timing, Timing::Exact);
    EXPECT_EQ(Parse({"--exact-timers", "-style", "fusion", "--classic-speed"}).timing,
              Timing::Classic);
}

// A session manager restarts a program with -session; these are Qt's to read.
// Slovak in every locale; English when the option or the LANGUAGE list asks.
TEST(CommandLineTest, EnglishOnlyWhenAskedForByOptionOrLanguageList) {
    using rt::Language;
    const ScopedEnv lang("LANG", "en_US.UTF-8");
    {
        const ScopedEnv unset("LANGUAGE", nullptr);
        EXPECT_EQ(Parse({}).language, Language::Slovak);
        EXPECT_EQ(Parse({"--language", "en"}).language, Language::English);
        EXPECT_EQ(Parse({"-language=en_GB"}).language, Language::English);
        EXPECT_EQ(Parse({"--language", "en", "--language", "sk"}).language, Language::Slovak);
        EXPECT_EQ(Parse({"--language"}).action, Action::Error);
    }
    for (const char* list : {"en", "en_GB:en", "de_AT:en_US.UTF-8:sk"}) {
        const ScopedEnv language("LANGUAGE", list);
        EXPECT_EQ(Parse({}).language, Language::English) << list;
        EXPECT_EQ(Parse({"--language", "sk"}).language, Language::Slovak) << list;
    }
    for (const char* list : {"sk:en", "de", ""}) {
        const ScopedEnv language("LANGUAGE", list);
        EXPECT_EQ(Parse({}).language, Language::Slovak) << list;
    }
    const ScopedEnv language("LANGUAGE", "en");
    const CommandLine unknown = Parse({"--language", "xx"});
    EXPECT_EQ(unknown.action, Action::Run);
    EXPECT_EQ(unknown.language, Language::Slovak);
    EXPECT_EQ(unknown.warning, "unknown language 'xx': playing in Slovak");
    EXPECT_EQ(Parse({"--language", "en"}).warning, "");
}

TEST(CommandLineTest, QtsStandardOptionsAreLetThrough) {
    const CommandLine line =
        Parse({"-session", "1234abcd", "-style", "fusion", "-reverse", "-qwindowgeometry",
               "320x200+10+10", "--platform", "offscreen", "-display", ":3", "-stylesheet=a.qss",
               "-platform", "xcb:nomitshm"});
    EXPECT_EQ(line.action, Action::Run) << line.error;
    EXPECT_EQ(line.platform, "xcb:nomitshm");  // the last one counts, as for Qt
    EXPECT_EQ(line.display, ":3");
}

// Qt reads an option's value only as the next argument: "-style=fusion"
// reaches it as "-style fusion", a value that looks like an option stays one.
TEST(CommandLineTest, OptionsWithEqualsReachQtInTwoWords) {
    const CommandLine line =
        Parse({"-platform=wayland", "--style=fusion", "-display=:999", "-title", "-name=x",
               "-reverse", "-qmljsdebugger=port:1234", "--classic-speed"});
    EXPECT_EQ(line.action, Action::Run) << line.error;
    EXPECT_EQ(line.platform, "wayland");
    EXPECT_EQ(line.display, ":999");
    EXPECT_EQ(line.toolkitArgs,
              (std::vector<std::string>{"quorrel", "-platform", "wayland", "-style", "fusion",
                                        "-display", ":999", "-title", "-name=x", "-reverse",
                                        "-qmljsdebugger=port:1234", "--classic-speed"}));
}

TEST(CommandLineTest, UnknownOptionsMissingValuesAndArgumentsAreRefusedByName) {
    const CommandLine unknown = Parse({"-session", "x", "--bogus=1"});
    EXPECT_EQ(unknown.action, Action::Error);
    EXPECT_EQ(unknown.error, "unknown option '--bogus'");
    EXPECT_EQ(Parse({"-x"}).error, "unknown option '-x'");

    const CommandLine missing = Parse({"-platform"});
    EXPECT_EQ(missing.action, Action::Error);
    EXPECT_EQ(missing.error, "missing value after '-platform'");

    for (const auto& args : {std::vector<std::string>{"game.sav"}, {"--", "-h"}, {"-"}}) {
        const CommandLine extra = Parse(args);
        EXPECT_EQ(extra.action, Action::Error) << args.back();
        EXPECT_NE(extra.error.find("unexpected argument '" + args.back() + "'"), std::string::npos);
    }
}

// Scale factors and DPIs that would crash the toolkit, hide the windows or
// ask for gigabytes are dropped with a warning each.
TEST(CommandLineTest, OnlyUsableScaleFactorsAndDpisAreKept) {
    const auto warnings = [] {
        std::vector<std::string> texts;
        for (const rt::UnusableSetting& unusable : rt::UnusableScaling())
            texts.push_back(unusable.warning);
        return texts;
    };
    const ScopedEnv noScreens("QT_SCREEN_SCALE_FACTORS", nullptr), noDpi("QT_FONT_DPI", nullptr);
    for (const char* bad : {"-1", "0", "1e9", "abc", "", "nan", "inf", "0.05", "17"}) {
        const ScopedEnv factor("QT_SCALE_FACTOR", bad);
        if (!*bad) {
            EXPECT_TRUE(warnings().empty());  // set empty: as if unset
            continue;
        }
        EXPECT_EQ(warnings(),
                  std::vector<std::string>{std::string("ignoring QT_SCALE_FACTOR=") + bad +
                                           ": not a scale factor from 0.1 to 16"});
    }
    const ScopedEnv factor("QT_SCALE_FACTOR", nullptr);
    for (const char* bad : {"inf", "1e9", "0.0001", "2;x", "DP-1=2;HDMI-1=0"}) {
        const ScopedEnv factors("QT_SCREEN_SCALE_FACTORS", bad);
        EXPECT_EQ(warnings(),
                  std::vector<std::string>{std::string("ignoring QT_SCREEN_SCALE_FACTORS=") + bad +
                                           ": not scale factors from 0.1 to 16"});
    }
    for (const char* bad : {"2147483647", "100000", "1537", "9", "-96", "96.5", "x"}) {
        const ScopedEnv dpi("QT_FONT_DPI", bad);
        EXPECT_EQ(warnings(), std::vector<std::string>{std::string("ignoring QT_FONT_DPI=") + bad +
                                                       ": not a DPI from 10 to 1536"});
    }
    for (const char* good : {"1", "1.5", "2", "0.1", "16"})
        for (const char* variable : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
            const ScopedEnv factor(variable, good);
            EXPECT_TRUE(warnings().empty()) << variable << "=" << good;
        }
    const ScopedEnv named("QT_SCREEN_SCALE_FACTORS", "DP-1=2;HDMI-1=1.25;");
    for (const char* good : {"96", "144", "10", "1536"}) {
        const ScopedEnv dpi("QT_FONT_DPI", good);
        EXPECT_TRUE(warnings().empty()) << good;
    }
}

// Each usable alone, the factors multiply: out of bounds together, they are
// dropped together with one warning. A listed screen's factor stands in for
// the DPI's, which still holds for the screens the list does not name.
TEST(CommandLineTest, ScaleFactorsAndDpisOutOfBoundsTogetherAreDroppedTogether) {
    const auto dropped = [] {
        std::vector<std::pair<std::vector<std::string>, std::string>> all;
        for (const rt::UnusableSetting& unusable : rt::UnusableScaling())
            all.emplace_back(
                std::vector<std::string>(unusable.variables.begin(), unusable.variables.end()),
                unusable.warning);
        return all;
    };
    using Dropped = decltype(dropped());
    const ScopedEnv noScreens("QT_SCREEN_SCALE_FACTORS", nullptr);
    {
        const ScopedEnv factor("QT_SCALE_FACTOR", "4"), dpi("QT_FONT_DPI", "999");
        EXPECT_EQ(dropped(), (Dropped{{{"QT_SCALE_FACTOR", "QT_FONT_DPI"},
                                       "ignoring QT_SCALE_FACTOR=4 and QT_FONT_DPI=999: together "
                                       "they scale by 41.63, not from 0.1 to 16"}}));
    }
    {
        const ScopedEnv factor("QT_SCALE_FACTOR", "0.1"), dpi("QT_FONT_DPI", "10");
        EXPECT_EQ(dropped(), (Dropped{{{"QT_SCALE_FACTOR", "QT_FONT_DPI"},
                                       "ignoring QT_SCALE_FACTOR=0.1 and QT_FONT_DPI=10: together "
                                       "they scale by 0.01042, not from 0.1 to 16"}}));
    }
    for (const auto& [factor, dpi] : {std::pair{"4", "384"}, {"0.5", "192"}, {"16", "96"}}) {
        const ScopedEnv f("QT_SCALE_FACTOR", factor), d("QT_FONT_DPI", dpi);
        EXPECT_TRUE(dropped().empty()) << factor << " " << dpi;
    }
    {
        const ScopedEnv factor("QT_SCALE_FACTOR", "8"), dpi("QT_FONT_DPI", "384");
        {
            const ScopedEnv screens("QT_SCREEN_SCALE_FACTORS", "2");
            EXPECT_EQ(dropped().size(), 1u);  // the DPI's 4 for a screen the list misses
            EXPECT_EQ(dropped().front().first,
                      (std::vector<std::string>{"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                                "QT_FONT_DPI"}));
        }
        const ScopedEnv noDpi("QT_FONT_DPI", nullptr);
        const ScopedEnv screens("QT_SCREEN_SCALE_FACTORS", "DP-1=2;HDMI-1=1");
        EXPECT_TRUE(dropped().empty());
    }
    // One unusable alone is dropped alone; the others count without it.
    const ScopedEnv factor("QT_SCALE_FACTOR", "16"), dpi("QT_FONT_DPI", "x");
    EXPECT_EQ(dropped(),
              (Dropped{{{"QT_FONT_DPI"}, "ignoring QT_FONT_DPI=x: not a DPI from 10 to 1536"}}));
}

// What the toolkit says when its platform cannot start, as it says it.
const std::string kNotFound = R"(Could not find the Qt platform plugin "bogus" in "")";
const std::string kFatal =
    "This application failed to start because no Qt platform plugin could be initialized. "
    "Reinstalling the application may fix this problem.\n\n"
    "Available platform plugins are: offscreen, xcb.\n";
const std::string kXcbNotLoaded =
    R"(Could not load the Qt platform plugin "xcb" in "" even though it was found.)";

TEST(StartFailureTest, NamesAMissingPluginAndWhatChoseIt) {
    const ScopedEnv platform("QT_QPA_PLATFORM", "bogus");
    EXPECT_EQ(
        rt::StartFailure(Parse({}), {kNotFound, kFatal}),
        R"(no platform plugin "bogus" is installed (QT_QPA_PLATFORM); there are: offscreen, xcb)");
    EXPECT_EQ(rt::StartFailure(Parse({"-platform", "bogus"}), {kNotFound, kFatal}),
              R"(no platform plugin "bogus" is installed (-platform); there are: offscreen, xcb)");
    // No name at all: the loader tries none and says only its last words.
    EXPECT_EQ(rt::StartFailure(Parse({"-platform", ""}), {kFatal}),
              "the platform name is empty (-platform); there are: offscreen, xcb");
    const ScopedEnv unset("QT_QPA_PLATFORM", nullptr);
    EXPECT_EQ(rt::StartFailure(Parse({}), {kFatal}),
              "cannot start the windowing system: This application failed to start because no "
              "Qt platform plugin could be initialized. Reinstalling the application may fix "
              "this problem.");
}

TEST(StartFailureTest, NamesTheDisplayThatCouldNotBeOpenedAndWhatChoseIt) {
    const ScopedEnv platform("QT_QPA_PLATFORM", nullptr);
    const std::vector<std::string> said{"could not connect to display :999", kXcbNotLoaded, kFatal};
    {
        const ScopedEnv display("DISPLAY", ":5");
        EXPECT_EQ(rt::StartFailure(Parse({"-display", ":999"}), said),
                  R"(cannot open the X display ":999" (-display))");
        EXPECT_EQ(rt::StartFailure(Parse({}), said), R"(cannot open the X display ":5" (DISPLAY))");
        // The loader's words filtered out: the X platform's own still tell.
        EXPECT_EQ(rt::StartFailure(Parse({}), {said.front(), kFatal}),
                  R"(cannot open the X display ":5" (DISPLAY))");
    }
    const ScopedEnv display("DISPLAY", nullptr);
    EXPECT_EQ(rt::StartFailure(Parse({}), said), "cannot open an X display: DISPLAY is not set");
}

TEST(StartFailureTest, NamesTheWaylandSocketAndAnyOtherPlugin) {
    const std::string notLoaded =
        R"(Could not load the Qt platform plugin "wayland" in "" even though it was found.)";
    {
        const ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/1000");
        const ScopedEnv socket("WAYLAND_DISPLAY", "wl-x");
        EXPECT_EQ(rt::StartFailure(Parse({"-platform", "wayland"}), {notLoaded, kFatal}),
                  R"(cannot connect to the Wayland display "wl-x" (WAYLAND_DISPLAY))");
    }
    const std::string eglfs =
        R"(Could not load the Qt platform plugin "eglfs" in "" even though it was found.)";
    EXPECT_EQ(rt::StartFailure(Parse({"-platform", "eglfs"}), {eglfs, kFatal}),
              R"(cannot start the platform plugin "eglfs" (-platform))");
}

// A Wayland session whose socket is broken: the toolkit tries Wayland, falls
// back to X, and the line names the platform the session could have used.
TEST(StartFailureTest, NamesTheSessionsPlatformWhenTheFallbackFailsToo) {
    const ScopedEnv platform("QT_QPA_PLATFORM", nullptr);
    const ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/1000");
    const std::vector<std::string> said{
        "Failed to create wl_display (No such file or directory)",
        R"(Could not load the Qt platform plugin "wayland" in "" even though it was found.)",
        "could not connect to display ", kXcbNotLoaded, kFatal};
    {
        const ScopedEnv socket("WAYLAND_DISPLAY", "wl-x");
        const ScopedEnv display("DISPLAY", nullptr);
        EXPECT_EQ(rt::StartFailure(Parse({}), said),
                  R"(cannot connect to the Wayland display "wl-x" (WAYLAND_DISPLAY))");
    }
    const ScopedEnv socket("WAYLAND_DISPLAY", nullptr);
    {
        const ScopedEnv display("DISPLAY", ":5");
        EXPECT_EQ(rt::StartFailure(Parse({}), said), R"(cannot open the X display ":5" (DISPLAY))");
    }
    const ScopedEnv display("DISPLAY", nullptr);
    EXPECT_EQ(rt::StartFailure(Parse({}), said),
              R"(cannot connect to the Wayland display "wayland-0" (WAYLAND_DISPLAY is not set))");
}

// A socket named relative to the runtime folder needs that folder.
TEST(StartFailureTest, NamesAMissingRuntimeFolderForARelativeSocket) {
    const std::vector<std::string> said{
        "Failed to create wl_display (No such file or directory)",
        R"(Could not load the Qt platform plugin "wayland" in "" even though it was found.)",
        kFatal};
    const ScopedEnv runtime("XDG_RUNTIME_DIR", nullptr);
    {
        const ScopedEnv socket("WAYLAND_DISPLAY", "wl-x");
        EXPECT_EQ(rt::StartFailure(Parse({"-platform", "wayland"}), said),
                  R"(cannot connect to the Wayland display "wl-x": XDG_RUNTIME_DIR is not set)");
    }
    const ScopedEnv socket("WAYLAND_DISPLAY", "/run/wl-x");
    EXPECT_EQ(rt::StartFailure(Parse({"-platform", "wayland"}), said),
              R"(cannot connect to the Wayland display "/run/wl-x" (WAYLAND_DISPLAY))");
}

}  // namespace
}  // namespace rttest
