#include "app.h"

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QFontDatabase>
#include <QLocale>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>

#include "form.h"

namespace rt {

namespace {
App* current = nullptr;
}

App::App(ProgramInfo info, Platform platform)
    : info_(std::move(info)), platform_(std::move(platform)), scheduler_(*platform_.clock) {
    current = this;
}

App::~App() {
    scheduler_.stopAll();
    if (current == this) current = nullptr;
}

App& App::instance() {
    if (!current) throw std::logic_error("no program is running");
    return *current;
}

bool App::exists() { return current != nullptr; }

void App::Start(Form& startup) {
    started_ = true;
    dispatch([&] { startup.Show(); });
}

void App::End(int status) {
    if (ended_) return;
    ended_ = true;
    status_ = status;
    scheduler_.stopAll();
    // Stop at once: close the windows without running any Unload handler.
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    if (onEnd) onEnd(status);
}

void App::dispatch(const std::function<void()>& handler) {
    if (ended_) return;
    ++depth_;
    try {
        handler();
    } catch (const std::exception& e) {
        fail(e.what());
    } catch (...) {
        fail("Unexpected error");
    }
    --depth_;
    if (depth_ == 0) endIfNoForms();
}

void App::fail(const std::string& message) {
    if (ended_) return;
    scheduler_.stopAll();
    try {
        dialogs().MsgBox(message, vbCritical, info_.title);
    } catch (...) {
        std::fprintf(stderr, "%s: %s\n", info_.command.c_str(), message.c_str());
    }
    End(1);
}

void App::formLoaded(Form* form) {
    if (std::find(loaded_.begin(), loaded_.end(), form) == loaded_.end()) loaded_.push_back(form);
}

void App::formUnloaded(Form* form) {
    std::erase(loaded_, form);
    if (depth_ == 0) endIfNoForms();
}

void App::endIfNoForms() {
    if (started_ && !ended_ && loaded_.empty()) End(0);
}

void MsgBox(const std::string& prompt, int style, const std::string& title) {
    App& app = App::instance();
    app.dialogs().MsgBox(prompt, style, title.empty() ? app.info().title : title);
}

void Beep() { App::instance().sound().Beep(); }
void Randomize() { App::instance().random().Randomize(); }
float Rnd() { return App::instance().random().Rnd(); }

namespace {
QDateTime wallTime() { return QDateTime::fromMSecsSinceEpoch(App::instance().clock().wallMsecs()); }
}  // namespace

std::string TimeText() {
    // The locale's long time format, without its time zone.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale().toString(wallTime().time(), format.trimmed()).toStdString();
}

std::string DateText() {
    return QLocale().toString(wallTime().date(), QLocale::ShortFormat).toStdString();
}

void End() { App::instance().End(0); }

void RegisterFonts() {
    static const char* const files[] = {
        "/usr/share/wine/fonts/tahoma.ttf",
        "/usr/share/wine/fonts/tahomabd.ttf",
        "/usr/share/wine/fonts/ms_sans_serif.ttf",
    };
    for (const char* file : files) QFontDatabase::addApplicationFont(QString::fromUtf8(file));
    const QStringList narrow{"DejaVu Sans Condensed", "Liberation Sans Narrow", "DejaVu Sans",
                             "Sans Serif"};
    QFont::insertSubstitutions("Tahoma", narrow);
    QFont::insertSubstitutions("MS Sans Serif", narrow);
}

namespace {
void printHelp(const ProgramInfo& info) {
    std::printf(
        "Usage: %s [OPTION]\n%s\n\n"
        "  --help     show this help and exit\n"
        "  --version  show the version and exit\n",
        info.command.c_str(), info.summary.c_str());
}
}  // namespace

int RunProgram(int argc, char** argv, const ProgramInfo& info,
               const std::function<std::unique_ptr<Program>()>& makeForms) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printHelp(info);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %d.%d.%d\n", info.command.c_str(), info.major, info.minor,
                        info.revision);
            return 0;
        }
        if (argv[i][0] == '-' && std::strncmp(argv[i], "-platform", 9) != 0 &&
            std::strncmp(argv[i], "-display", 8) != 0) {
            std::fprintf(stderr, "%s: unknown option '%s'\nTry '%s --help'.\n",
                         info.command.c_str(), argv[i], info.command.c_str());
            return 2;
        }
    }

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(info.command));
    QApplication::setApplicationVersion(
        QString("%1.%2.%3").arg(info.major).arg(info.minor).arg(info.revision));
    RegisterFonts();

    App app(info, RealPlatform());
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
        app.Start(forms->StartupForm());
        status = app.ended() ? app.exitStatus() : QApplication::exec();
        app.End(status);
        forms.reset();
    }
    return app.exitStatus();
}

}  // namespace rt
