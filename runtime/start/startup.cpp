#include "runtime/start/startup.h"

#include <QApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QTranslator>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "runtime/base/app.h"
#include "runtime/base/memory.h"
#include "runtime/drawing/drawing.h"
#include "runtime/forms/form.h"
#include "runtime/platform/real_platform.h"
#include "runtime/start/command_line.h"
#include "runtime/view/widgets.h"

namespace rt {

namespace {

// Off unless asked for (QT_LOGGING_RULES="rt.timing.info=true"): says which
// timing a command line chose, for the tests of the real programs.
Q_LOGGING_CATEGORY(lcTiming, "rt.timing", QtWarningMsg)
// The same for the language of the texts ("rt.language.info=true").
Q_LOGGING_CATEGORY(lcLanguage, "rt.language", QtWarningMsg)

// Output that could not be written is an error, as for any command-line tool.
int flushed(const ProgramInfo& info) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    const int error = errno;
    std::fprintf(stderr, "%s: write error: %s\n", info.command.c_str(), std::strerror(error));
    return 1;
}

// The toolkit ends the process with an abort and advice to reinstall when it
// cannot start its platform: what it says meanwhile is held back, and one
// line names what failed instead. Once it has started, what it said is passed
// on as usual.
struct Held {
    QtMsgType type;
    std::string category, file, function, message;
    int line;
};
const ProgramInfo* running = nullptr;
const CommandLine* startLine = nullptr;
QtMessageHandler toolkitHandler = nullptr;
bool guiStarting = false;
std::vector<Held> held;

[[noreturn]] void failToStart(const std::string& fatal) {
    if (AddressSpaceShort()) OutOfMemory("the windowing system");
    std::vector<std::string> said;
    said.reserve(held.size() + 1);
    for (const Held& h : held) said.push_back(h.message);
    said.push_back(fatal);
    std::fprintf(stderr, "%s: %s\n", running->command.c_str(),
                 StartFailure(*startLine, said).c_str());
    std::_Exit(1);
}

void passOn(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (toolkitHandler)
        toolkitHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // A thread of the toolkit's own could not get its stack; work handed to
    // it would never be done.
    if (message.startsWith(QLatin1String("QThread::start: Thread creation error")))
        OutOfMemory("a thread");
    if (!guiStarting) {
        passOn(type, context, message);
        return;
    }
    if (type == QtFatalMsg) failToStart(message.toStdString());
    held.push_back({type, context.category ? context.category : "",
                    context.file ? context.file : "", context.function ? context.function : "",
                    message.toStdString(), context.line});
}

void releaseHeld() {
    guiStarting = false;
    for (const Held& h : held) {
        const QMessageLogContext context(h.file.c_str(), h.line, h.function.c_str(),
                                         h.category.c_str());
        passOn(h.type, context, QString::fromStdString(h.message));
    }
    held.clear();
}

// A platform without a screen (a framebuffer that is not there) would abort
// at the first window; one that shows Vulkan surfaces only (a Vulkan
// display) would run on with nothing on screen.
bool MakesWindows() {
    return !QGuiApplication::screens().isEmpty() &&
           QGuiApplication::platformName() != QLatin1String("vkkhrdisplay");
}

}  // namespace

std::vector<std::unique_ptr<QTranslator>> EnglishCatalogues() {
    std::vector<std::unique_ptr<QTranslator>> loaded;
    const QDir catalogues(QStringLiteral(":/i18n"), QStringLiteral("*_en.qm"));
    for (const QString& name : catalogues.entryList()) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(catalogues.filePath(name))) loaded.push_back(std::move(translator));
    }
    return loaded;
}

int UseLanguage(Language language) {
    static std::vector<std::unique_ptr<QTranslator>> installed;
    for (const auto& translator : installed) QCoreApplication::removeTranslator(translator.get());
    installed.clear();
    if (language == Language::Slovak) return 0;
    for (auto& translator : EnglishCatalogues())
        if (QCoreApplication::installTranslator(translator.get()))
            installed.push_back(std::move(translator));
    return static_cast<int>(installed.size());
}

void ChooseEventLoop() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

void ChoosePixelTransfer() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
}

int RunProgram(int argc, char** argv, const ProgramInfo& info,
               const std::function<std::unique_ptr<Program>()>& makeForms) {
    const CommandLine line = ParseCommandLine(std::vector<std::string>(argv, argv + argc));
    switch (line.action) {
        case CommandLine::Action::Help:
            std::fputs(HelpText(info.command, info.summary).c_str(), stdout);
            return flushed(info);
        case CommandLine::Action::Version:
            std::printf("%s %s\n", info.command.c_str(), info.Version().c_str());
            return flushed(info);
        case CommandLine::Action::Error:
            std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", info.command.c_str(),
                         line.error.c_str(), info.command.c_str());
            return 2;
        case CommandLine::Action::Run: break;
    }
    if (!line.warning.empty())
        std::fprintf(stderr, "%s: %s\n", info.command.c_str(), line.warning.c_str());
    for (const UnusableSetting& unusable : UnusableScaling()) {
        std::fprintf(stderr, "%s: %s\n", info.command.c_str(), unusable.warning.c_str());
        for (const char* variable : unusable.variables) qunsetenv(variable);
    }

    ShareOneArena();
    EndOnOutOfMemory();

    running = &info;
    startLine = &line;
    toolkitHandler = qInstallMessageHandler(messageHandler);
    guiStarting = true;
    ChooseEventLoop();
    ChoosePixelTransfer();
    // Qt keeps the arguments for the application's life.
    std::vector<std::string> toolkitArgs = line.toolkitArgs;
    std::vector<char*> toolkitArgv;
    toolkitArgv.reserve(toolkitArgs.size() + 1);
    for (std::string& arg : toolkitArgs) toolkitArgv.push_back(arg.data());
    toolkitArgv.push_back(nullptr);
    int toolkitArgc = static_cast<int>(toolkitArgs.size());
    QApplication qapp(toolkitArgc, toolkitArgv.data());
    if (!MakesWindows()) failToStart("no window can be shown");
    releaseHeld();
    QApplication::setApplicationName(QString::fromStdString(info.command));
    QApplication::setApplicationVersion(QString::fromStdString(info.Version()));
    if (!info.appId.empty())
        QGuiApplication::setDesktopFileName(QString::fromStdString(info.appId));
    RegisterFonts();
    const int catalogues = UseLanguage(line.language);
    if (line.language == Language::English)
        qCInfo(lcLanguage, "texts in English (%d catalogues)", catalogues);
    else
        qCInfo(lcLanguage, "texts in Slovak");

    App app(info.title, RealPlatform(info.title), line.timing);
    UseWidgets();
    qCInfo(lcTiming, "%s",
           line.timing == Timing::Classic ? "timers on the 18.2 Hz system tick"
                                          : "timers at exactly their intervals");
    app.onEnd = [](int status) { QApplication::exit(status); };
    int status = 0;
    {
        std::unique_ptr<Program> forms;
        try {
            forms = makeForms();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", info.command.c_str(), e.what());
            return 1;
        }
        Start(forms->StartupForm());
        status = app.ended() ? app.exitStatus() : QApplication::exec();
        app.End(status);
        forms.reset();
    }
    UseLanguage(Language::Slovak);  // the catalogues go before the application

    return app.exitStatus();
}

}  // namespace rt
