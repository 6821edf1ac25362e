#include "runtime/start/command_line.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <utility>

namespace rt {

namespace {

// Qt's standard options, as QGuiApplication, QApplication and the X11
// platform read them; a session manager restarts a program with -session.
const char* const kQtOptionsWithValue[] = {"platform",
                                           "platformpluginpath",
                                           "platformtheme",
                                           "plugin",
                                           "qwindowgeometry",
                                           "geometry",
                                           "qwindowicon",
                                           "icon",
                                           "qwindowtitle",
                                           "title",
                                           "session",
                                           "display",
                                           "name",
                                           "visual",
                                           "style",
                                           "stylesheet",
                                           "qmljsdebugger"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "testability",
                                "nograb",  "dograb",      "sync"};

std::string quoted(const QString& s) { return "'" + s.toStdString() + "'"; }

// The argument as the user typed it that names the unknown option `name`.
QString typed(const QStringList& args, const QString& name) {
    for (const QString& arg : args.mid(1)) {
        QString bare = arg;
        while (bare.startsWith(QLatin1Char('-'))) bare.remove(0, 1);
        if (bare.section(QLatin1Char('='), 0, 0) == name)
            return arg.section(QLatin1Char('='), 0, 0);
    }
    return QLatin1Char('-') + name;
}

std::optional<std::string> env(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

// "en", "en_GB", "en_GB.UTF-8" or "sk@euro": English, Slovak or neither.
std::optional<Language> languageNamed(const QString& name) {
    static const QRegularExpression separator(QStringLiteral("[_.@-]"));
    const QString language = name.section(separator, 0, 0).toLower();
    if (language == QLatin1String("en")) return Language::English;
    if (language == QLatin1String("sk")) return Language::Slovak;
    return std::nullopt;
}

// The first entry of the LANGUAGE list (as gettext reads it) that names a
// language the games have.
Language languageFromEnvironment() {
    const QStringList entries =
        QString::fromLocal8Bit(qgetenv("LANGUAGE")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& entry : entries)
        if (const std::optional<Language> language = languageNamed(entry)) return *language;
    return Language::Slovak;
}

bool takesValue(const std::string& name) {
    return std::any_of(std::begin(kQtOptionsWithValue), std::end(kQtOptionsWithValue),
                       [&](const char* option) { return name == option; });
}

// Qt reads "-option value" only (but for the QML debugger's "=" form):
// "-option=value" and "--option=value" become the two words it reads. The
// bytes are the user's own.
std::vector<std::string> toolkitArgs(const std::vector<std::string>& argv) {
    std::vector<std::string> out;
    bool isValue = false;  // the value of the option before
    for (size_t i = 0; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        const size_t dashes = std::min({arg.find_first_not_of('-'), size_t{2}, arg.size()});
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(dashes, equals - std::min(equals, dashes));
        const bool option = i > 0 && !isValue && dashes > 0 && arg != "--";
        isValue = option && equals == std::string::npos && takesValue(name);
        if (option && equals != std::string::npos && takesValue(name) && name != "qmljsdebugger") {
            out.push_back("-" + name);
            out.push_back(arg.substr(equals + 1));
        } else {
            out.push_back(arg);
        }
    }
    return out;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& argv) {
    QStringList args;
    for (const std::string& arg : argv) args.append(QString::fromLocal8Bit(arg.c_str()));
    if (args.isEmpty()) args.append(QString());

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    const QCommandLineOption classic(QStringLiteral("classic-speed"));
    const QCommandLineOption exact(QStringLiteral("exact-timers"));
    const QCommandLineOption language(QStringLiteral("language"), QString(),
                                      QStringLiteral("name"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(classic);
    parser.addOption(exact);
    parser.addOption(language);
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setValueName(QStringLiteral("value"));
        parser.addOption(option);
    }
    for (const char* name : kQtFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    CommandLine line;
    if (!parser.parse(args)) {
        line.action = CommandLine::Action::Error;
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            QString text = parser.errorText();  // "Missing value after '-platform'."
            if (text.endsWith(QLatin1Char('.'))) text.chop(1);
            line.error = text.left(1).toLower().toStdString() + text.mid(1).toStdString();
        } else {
            line.error = "unknown option " + quoted(typed(args, unknown.front()));
        }
        return line;
    }
    if (parser.isSet(help)) {
        line.action = CommandLine::Action::Help;
        return line;
    }
    if (parser.isSet(version)) {
        line.action = CommandLine::Action::Version;
        return line;
    }
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        line.action = CommandLine::Action::Error;
        line.error = "unexpected argument " + quoted(extra.front()) + ": it takes no files";
        return line;
    }
    // The last of the two counts, so that a launcher's choice can be overridden.
    for (const QString& name : parser.optionNames()) {
        if (name == classic.names().front()) line.timing = Timing::Classic;
        if (name == exact.names().front()) line.timing = Timing::Exact;
    }
    line.language = languageFromEnvironment();
    if (parser.isSet(language)) {
        const QString name = parser.values(language).last();
        const std::optional<Language> named = languageNamed(name);
        line.language = named.value_or(Language::Slovak);
        if (!named) line.warning = "unknown language " + quoted(name) + ": playing in Slovak";
    }
    if (parser.isSet("platform")) line.platform = parser.values("platform").last().toStdString();
    if (parser.isSet("display")) line.display = parser.values("display").last().toStdString();
    line.toolkitArgs = toolkitArgs(argv);
    return line;
}

std::string HelpText(const std::string& command, const std::string& summary) {
    return "Usage: " + command + " [OPTION]\n" + summary +
           "\n\n"
           "  -h, --help       show this help and exit\n"
           "  -v, --version    show the version and exit\n"
           "  --exact-timers   run every timer at exactly its interval: the game plays\n"
           "                   several times faster than it was made to be played\n"
           "  --classic-speed  play at the original speed, as the games were made for\n"
           "                   (the default): timers tick 18.2 times a second\n"
           "  --language NAME  the language of the game's texts: sk (Slovak, the default)\n"
           "                   or en (English); without it, a LANGUAGE list that names\n"
           "                   English before Slovak (LANGUAGE=en_GB:en) chooses English\n"
           "\n"
           "Qt's standard options (-platform, -display, -session, -style, -reverse...)\n"
           "are passed on to Qt.\n"
           "\n"
           "Keys: P, Pause or Escape pauses a game (it also waits by itself while its\n"
           "window is minimised or another program has the focus); P, Pause or a click\n"
           "goes on. Ctrl+N starts a new game, F1 shows the rules, Ctrl+Q quits.\n";
}

namespace {

// The smallest and largest factor a setting scales the windows by, if usable.
using Factors = std::optional<std::pair<double, double>>;

Factors scaleOf(QStringView text) {
    bool ok = false;
    const double factor = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(factor) || factor < kSmallestScale || factor > kLargestScale)
        return std::nullopt;
    return std::pair{factor, factor};
}

// "1.5;2" or "HDMI-1=2;DP-1=1", as Qt reads them; empty entries are skipped.
Factors screenScalesOf(const QString& text) {
    std::pair<double, double> range{1, 1};
    bool first = true;
    for (const QString& entry : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const Factors factor =
            scaleOf(QStringView(entry).mid(entry.lastIndexOf(QLatin1Char('=')) + 1));
        if (!factor) return std::nullopt;
        range = first ? *factor
                      : std::pair{std::min(range.first, factor->first),
                                  std::max(range.second, factor->second)};
        first = false;
    }
    return range;
}

Factors dpiOf(const QString& text) {
    bool ok = false;
    const int dpi = text.trimmed().toInt(&ok, 0);  // as Qt reads it
    if (!ok || dpi < kSmallestDpi || dpi > kLargestDpi) return std::nullopt;
    return std::pair{dpi / 96.0, dpi / 96.0};
}

}  // namespace

std::vector<UnusableSetting> UnusableScaling() {
    struct Check {
        const char* variable;
        Factors (*factors)(const QString&);
        const char* what;
    };
    static const Check checks[] = {
        {"QT_SCALE_FACTOR", [](const QString& s) { return scaleOf(s); },
         "not a scale factor from 0.1 to 16"},
        {"QT_SCREEN_SCALE_FACTORS", screenScalesOf, "not scale factors from 0.1 to 16"},
        {"QT_FONT_DPI", dpiOf, "not a DPI from 10 to 1536"}};
    std::vector<UnusableSetting> unusable;
    std::vector<const char*> kept;
    std::string keptText;
    Factors found[std::size(checks)];
    for (size_t i = 0; i < std::size(checks); ++i) {
        const Check& check = checks[i];
        const std::optional<std::string> raw = env(check.variable);
        if (!raw) continue;
        found[i] = check.factors(QString::fromStdString(*raw));
        if (!found[i]) {
            unusable.push_back(
                {{check.variable},
                 std::string("ignoring ") + check.variable + "=" + *raw + ": " + check.what});
            continue;
        }
        keptText += (kept.empty() ? "" : " and ") + std::string(check.variable) + "=" + *raw;
        kept.push_back(check.variable);
    }
    // The toolkit multiplies the overall factor with each screen's, which is
    // the listed one or, for a screen the list does not name, the DPI's.
    // Together they are held to the bounds each has alone, or the largest
    // window outgrows what a screen can show.
    const Factors &overall = found[0], &screens = found[1], &dpi = found[2];
    std::pair<double, double> screen{1, 1};
    if (screens && dpi)
        screen = {std::min(screens->first, dpi->first), std::max(screens->second, dpi->second)};
    else if (screens || dpi)
        screen = screens ? *screens : *dpi;
    const double smallest = (overall ? overall->first : 1) * screen.first;
    const double largest = (overall ? overall->second : 1) * screen.second;
    if (largest > kLargestScale || smallest < kSmallestScale) {
        const double factor = largest > kLargestScale ? largest : smallest;
        unusable.push_back({kept, "ignoring " + keptText + ": together they scale by " +
                                      QString::number(factor, 'g', 4).toStdString() +
                                      ", not from 0.1 to 16"});
    }
    return unusable;
}

namespace {

// The variable that names where the platform `plugin` would connect, if set.
std::optional<std::string> displayOf(const QString& plugin, const CommandLine& line) {
    if (plugin == QLatin1String("xcb")) return line.display ? line.display : env("DISPLAY");
    if (plugin.startsWith(QLatin1String("wayland"))) return env("WAYLAND_DISPLAY");
    return std::nullopt;
}

}  // namespace

std::string StartFailure(const CommandLine& line, const std::vector<std::string>& messages) {
    static const QRegularExpression tried(
        QStringLiteral(R"(Could not (find|load) the Qt platform plugin \"([^\"]*)\")"));
    static const QRegularExpression available(
        QStringLiteral(R"(Available platform plugins are: ([^\n]*?)\.?\s*$)"),
        QRegularExpression::MultilineOption);
    // Every plugin tried in turn (a Wayland session falls back to X), and
    // whether it was missing.
    std::vector<std::pair<QString, bool>> plugins;
    QString others;
    for (const std::string& message : messages) {
        const QString text = QString::fromStdString(message);
        for (auto it = tried.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch match = it.next();
            plugins.emplace_back(match.captured(2), match.captured(1) == QLatin1String("find"));
        }
        if (const QRegularExpressionMatch match = available.match(text); match.hasMatch())
            others = match.captured(1);
        // The X platform's own word, should the loader's be filtered out.
        if (plugins.empty() && text.startsWith(QLatin1String("could not connect to display")))
            plugins.emplace_back(QStringLiteral("xcb"), false);
    }
    // Of several, the first that had somewhere to connect: the one the user
    // meant; else the first, the session's own choice.
    QString plugin;
    bool missing = false;
    for (const auto& [name, gone] : plugins)
        if (displayOf(name, line)) {
            plugin = name;
            missing = gone;
            break;
        }
    if (plugin.isEmpty() && !plugins.empty()) std::tie(plugin, missing) = plugins.front();
    const std::optional<std::string> chosen = env("QT_QPA_PLATFORM");
    const std::string chosenBy = line.platform ? " (-platform)"
                                 : chosen      ? " (QT_QPA_PLATFORM)"
                                               : "";
    if (plugin.isEmpty() && (line.platform || chosen))
        plugin = QString::fromStdString(line.platform ? *line.platform : *chosen)
                     .section(QLatin1Char(':'), 0, 0);
    const std::string name = plugin.toStdString();

    if (missing) {
        std::string text = "no platform plugin \"" + name + "\" is installed" + chosenBy;
        if (!others.isEmpty()) text += "; there are: " + others.toStdString();
        return text;
    }
    if (name == "xcb") {
        if (line.display) return "cannot open the X display \"" + *line.display + "\" (-display)";
        if (const auto display = env("DISPLAY"))
            return "cannot open the X display \"" + *display + "\" (DISPLAY)";
        return "cannot open an X display: DISPLAY is not set";
    }
    if (name.rfind("wayland", 0) == 0) {
        // The Wayland library looks for a relative name in the runtime folder.
        const std::string socket = env("WAYLAND_DISPLAY").value_or("wayland-0");
        const std::string what = "cannot connect to the Wayland display \"" + socket + "\"";
        if (socket.front() != '/' && !env("XDG_RUNTIME_DIR"))
            return what + ": XDG_RUNTIME_DIR is not set";
        return what +
               (env("WAYLAND_DISPLAY") ? " (WAYLAND_DISPLAY)" : " (WAYLAND_DISPLAY is not set)");
    }
    if (!name.empty()) return "cannot start the platform plugin \"" + name + "\"" + chosenBy;
    if (line.platform || chosen) {
        std::string text = "the platform name is empty" + chosenBy;
        if (!others.isEmpty()) text += "; there are: " + others.toStdString();
        return text;
    }
    // One line, whatever the toolkit said.
    return "cannot start the windowing system" +
           (messages.empty() ? std::string()
                             : ": " + messages.back().substr(0, messages.back().find('\n')));
}

}  // namespace rt
