#pragma once
// The program: its platform services, the timer scheduler, the loaded forms,
// and the one path by which events reach handlers.
//
// Every event (load, click, mouse move, tick, close) runs through dispatch():
// handlers run one at a time to their end; an error that leaves a handler
// shows a message box naming it and ends the program with status 1; and the
// program ends when no form is loaded once the outermost handler returns, so a
// form may unload itself and show the next one in the same handler.
//
// Message boxes are modal: in a real run timers keep ticking while one is open
// and clicks on the program's windows are blocked until it is closed.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "basic.h"
#include "platform.h"
#include "scheduler.h"

namespace rt {

class Form;

struct ProgramInfo {
    std::string command;  // "quorrel"
    std::string title;    // "Quorrel": the default message box title
    int major = 1;
    int minor = 0;
    int revision = 0;
    std::string summary;  // one line for --help
};

class App {
  public:
    App(ProgramInfo info, Platform platform);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    static App& instance();
    static bool exists();

    const ProgramInfo& info() const { return info_; }
    Clock& clock() { return *platform_.clock; }
    Random& random() { return *platform_.random; }
    Dialogs& dialogs() { return *platform_.dialogs; }
    Sound& sound() { return *platform_.sound; }
    Scheduler& scheduler() { return scheduler_; }

    // Loads and shows the start-up form.
    void Start(Form& startup);
    // The end operation: stops at once, without Unload handlers.
    void End(int status = 0);
    bool ended() const { return ended_; }
    int exitStatus() const { return status_; }
    // Called once when the program ends (a real run leaves the event loop).
    std::function<void(int status)> onEnd;

    void dispatch(const std::function<void()>& handler);

    void formLoaded(Form* form);
    void formUnloaded(Form* form);
    const std::vector<Form*>& loadedForms() const { return loaded_; }

  private:
    void fail(const std::string& message);
    void endIfNoForms();

    ProgramInfo info_;
    Platform platform_;
    Scheduler scheduler_;
    std::vector<Form*> loaded_;
    int depth_ = 0;
    bool started_ = false;
    bool ended_ = false;
    int status_ = 0;
};

// The statements forms use.
void MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = {});
void Beep();
void Randomize();
float Rnd();
std::string TimeText();  // the locale's hours, minutes and seconds
std::string DateText();  // the locale's short date
void End();

// Registers the bundled fonts; quietly falls back to a narrow sans when absent.
void RegisterFonts();

// A program's forms, built once the application exists.
class Program {
  public:
    virtual ~Program() = default;
    virtual Form& StartupForm() = 0;
};

// Parses --help and --version, creates the application and the forms, shows
// the start-up form and runs until the program ends; returns the exit status.
int RunProgram(int argc, char** argv, const ProgramInfo& info,
               const std::function<std::unique_ptr<Program>()>& makeForms);

}  // namespace rt
