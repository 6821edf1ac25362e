#pragma once
// The running program: its platform services, the timer scheduler, which
// forms are loaded, and the one path by which events reach handlers.
//
// Every event (load, click, mouse move, tick, close) runs through dispatch():
// handlers run one at a time to their end; an error that leaves a handler
// shows a message box naming it and ends the program with status 1; and the
// program ends when no form is loaded once the outermost handler returns, so a
// form may unload itself and show the next one in the same handler.
//
// Message boxes are modal: in a real run timers keep ticking while one is open
// and clicks on the program's windows are dropped until it is closed. What is
// pending drawing goes on screen before one opens, so it shows over the state
// the handler has made.
//
// A game runs on one form at a time (Form::SetPlaying). It pauses when the
// player cannot see it or turns to another program, and by the keys; every
// timer then holds until the player goes on (Scheduler::hold), and the form
// shows that it waits. Restoring or re-activating the window alone does not
// go on: the player may not be ready yet.

#include <functional>
#include <string>
#include <vector>

#include "runtime/base/frames.h"
#include "runtime/base/platform.h"
#include "runtime/base/scheduler.h"
#include "runtime/base/time_text.h"
#include "runtime/base/values.h"

class QObject;

namespace rt {

// A loaded form as the program sees it.
class LoadedForm {
  public:
    // The end statement: the window goes without the form's Unload handler.
    virtual void closeAtEnd() = 0;
    // Where its handlers' message boxes go: its window while shown, else nullptr.
    virtual QObject* shownWindow() const = 0;
    // Its game waits for the player, or goes on.
    virtual void showPaused(bool paused) = 0;

  protected:
    ~LoadedForm() = default;
};

// What the keys every desktop game answers do in this program, from any of
// its windows; either may be empty.
struct GameKeys {
    std::function<void()> newGame;  // Ctrl+N
    std::function<void()> help;     // F1
};

class App {
  public:
    // `title` is the default title of message boxes ("Quorrel"); `timing`
    // holds for the whole run.
    App(std::string title, Platform platform, Timing timing = Timing::Exact);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    static App& instance();
    static bool exists();

    const std::string& title() const { return title_; }
    Clock& clock() { return *platform_.clock; }
    Random& random() { return *platform_.random; }
    Dialogs& dialogs() { return *platform_.dialogs; }
    Sound& sound() { return *platform_.sound; }
    Registry& registry() { return *platform_.registry; }
    Files& files() { return *platform_.files; }
    Launcher& launcher() { return *platform_.launcher; }
    Desktop* desktop() { return platform_.desktop.get(); }
    Scheduler& scheduler() { return scheduler_; }
    Frames& frames() { return frames_; }

    // Runs `showStartup` as the first event; from then on the program ends
    // when its last form is unloaded.
    void Start(const std::function<void()>& showStartup);
    // The end operation: stops at once, without Unload handlers.
    void End(int status = 0);
    bool ended() const { return ended_; }
    int exitStatus() const { return status_; }
    // Called once when the program ends (a real run leaves the event loop).
    std::function<void(int status)> onEnd;

    // `form` is the form whose handler this is, if any: its message boxes
    // belong to its window.
    void dispatch(const std::function<void()>& handler, LoadedForm* form = nullptr);
    // The window of the form whose handler runs innermost, if it is shown.
    QObject* boxOwner() const;

    void formLoaded(LoadedForm* form);
    void formUnloaded(LoadedForm* form);

    // A game runs on `form` now, or no longer; one that ends waits no more.
    void setPlaying(LoadedForm* form, bool playing);
    bool playing() const { return playing_ != nullptr; }
    bool paused() const { return paused_; }
    // Both change nothing unless a game runs.
    void pause();
    void resume();
    // The form's window was minimised or hidden.
    void formObscured(LoadedForm* form);

    GameKeys keys;

  private:
    void fail(const std::string& message);
    void endIfNoForms();

    std::string title_;
    Platform platform_;
    Scheduler scheduler_;
    Frames frames_;
    std::vector<LoadedForm*> loaded_;
    std::vector<LoadedForm*> running_;  // the forms of the handlers running, innermost last
    LoadedForm* playing_ = nullptr;     // whose game runs
    bool paused_ = false;
    int depth_ = 0;
    bool started_ = false;
    bool ended_ = false;
    int status_ = 0;
};

// Runs a handler of `form` through the program's dispatch path, if a program
// runs: its message boxes belong to the form's window.
void Dispatch(LoadedForm& form, const std::function<void()>& handler);

// The statements forms use.
void MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = {});
void Beep();
void Randomize();
float Rnd();
DateTime Now();
inline std::string TimeText() { return TimeText(Now()); }
inline std::string DateText() { return DateText(Now()); }
void End();

}  // namespace rt
