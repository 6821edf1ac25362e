#include "startup.h"

#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "app.h"
#include "drawing.h"
#include "form.h"

namespace rt {

std::string ProgramInfo::Version() const {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

void Start(Form& startup) {
    App::instance().Start([&] { startup.Show(); });
}

namespace {

// Output that could not be written is an error, as for any command-line tool.
int flushed(const ProgramInfo& info) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    const int error = errno;
    std::fprintf(stderr, "%s: write error: %s\n", info.command.c_str(), std::strerror(error));
    return 1;
}

void printHelp(const ProgramInfo& info) {
    std::printf(
        "Usage: %s [OPTION]\n%s\n\n"
        "  --help     show this help and exit\n"
        "  --version  show the version and exit\n",
        info.command.c_str(), info.summary.c_str());
}

// The toolkit ends the process with an abort and advice to reinstall when it
// cannot reach a display: say plainly what happened instead.
const ProgramInfo* running = nullptr;
QtMessageHandler toolkitHandler = nullptr;
bool guiStarting = false;

void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg && guiStarting && running) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "%s: cannot open a display%s%s%s\n", running->command.c_str(),
                     display ? " (DISPLAY=" : " (DISPLAY is not set", display ? display : "",
                     ")");
        std::_Exit(1);
    }
    if (toolkitHandler) toolkitHandler(type, context, message);
}

}  // namespace

void ChooseEventLoop() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
}

int RunProgram(int argc, char** argv, const ProgramInfo& info,
               const std::function<std::unique_ptr<Program>()>& makeForms) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printHelp(info);
            return flushed(info);
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", info.command.c_str(), info.Version().c_str());
            return flushed(info);
        }
        if (argv[i][0] == '-' && std::strncmp(argv[i], "-platform", 9) != 0 &&
            std::strncmp(argv[i], "-display", 8) != 0) {
            std::fprintf(stderr, "%s: unknown option '%s'\nTry '%s --help'.\n",
                         info.command.c_str(), argv[i], info.command.c_str());
            return 2;
        }
    }

    running = &info;
    toolkitHandler = qInstallMessageHandler(messageHandler);
    guiStarting = true;
    ChooseEventLoop();
    QApplication qapp(argc, argv);
    guiStarting = false;
    QApplication::setApplicationName(QString::fromStdString(info.command));
    QApplication::setApplicationVersion(QString::fromStdString(info.Version()));
    if (!info.appId.empty()) QGuiApplication::setDesktopFileName(QString::fromStdString(info.appId));
    RegisterFonts();

    App app(info.title, RealPlatform(info.title));
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
    return app.exitStatus();
}

}  // namespace rt
