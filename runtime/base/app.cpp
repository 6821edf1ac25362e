#include "runtime/base/app.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>
#include <vector>

#include "runtime/base/memory.h"
#include "runtime/base/texts.h"

namespace rt {

namespace {
App* current = nullptr;
}  // namespace

App::App(std::string title, Platform platform, Timing timing)
    : title_(std::move(title)),
      platform_(std::move(platform)),
      scheduler_(*platform_.clock),
      frames_(*platform_.clock, scheduler_) {
    scheduler_.setTiming(timing);
    scheduler_.afterTicks = [this] { frames_.afterTicks(); };
    if (platform_.desktop) platform_.desktop->deactivated = [this] { pause(); };
    current = this;
}

App::~App() {
    if (platform_.desktop) platform_.desktop->deactivated = {};
    scheduler_.stopAll();
    if (current == this) current = nullptr;
}

App& App::instance() {
    if (!current) throw std::logic_error("no program is running");
    return *current;
}

bool App::exists() { return current != nullptr; }

void App::Start(const std::function<void()>& showStartup) {
    started_ = true;
    dispatch(showStartup);
}

void App::End(int status) {
    if (ended_) return;
    ended_ = true;
    status_ = status;
    scheduler_.stopAll();
    // Stop at once: close the windows without running any Unload handler.
    for (LoadedForm* form : std::vector(loaded_)) form->closeAtEnd();
    if (onEnd) onEnd(status);
}

void App::dispatch(const std::function<void()>& handler, LoadedForm* form) {
    if (ended_) return;
    ++depth_;
    running_.push_back(form);
    try {
        handler();
    } catch (const std::bad_alloc&) {
        OutOfMemory();  // no message box can be had either
    } catch (const std::exception& e) {
        fail(e.what());
    } catch (...) {
        fail(translate("rt", "Unexpected error"));
    }
    running_.pop_back();
    --depth_;
    if (depth_ != 0) return;
    endIfNoForms();
}

void App::fail(const std::string& message) {
    if (ended_) return;
    scheduler_.stopAll();
    frames_.flush();
    try {
        dialogs().MsgBox(message, vbCritical, title_, boxOwner());
    } catch (...) {
        std::fprintf(stderr, "%s: %s\n", title_.c_str(), message.c_str());
    }
    End(1);
}

QObject* App::boxOwner() const {
    for (auto it = running_.rbegin(); it != running_.rend(); ++it)
        if (*it) return (*it)->shownWindow();
    return nullptr;
}

void App::formLoaded(LoadedForm* form) {
    if (std::find(loaded_.begin(), loaded_.end(), form) == loaded_.end()) loaded_.push_back(form);
}

void App::formUnloaded(LoadedForm* form) {
    setPlaying(form, false);
    std::erase(loaded_, form);
    if (depth_ == 0) endIfNoForms();
}

void App::setPlaying(LoadedForm* form, bool playing) {
    if (playing) {
        if (playing_ != form) setPlaying(playing_, false);
        playing_ = form;
        return;
    }
    if (!form || playing_ != form) return;
    resume();
    playing_ = nullptr;
}

void App::pause() {
    if (!playing_ || paused_ || ended_) return;
    paused_ = true;
    scheduler_.hold();
    frames_.flush();  // the field as the pause found it
    playing_->showPaused(true);
}

void App::resume() {
    if (!paused_) return;
    paused_ = false;
    playing_->showPaused(false);
    scheduler_.resume();
}

void App::formObscured(LoadedForm* form) {
    if (form && form == playing_) pause();
}

void App::endIfNoForms() {
    if (started_ && !ended_ && loaded_.empty()) End(0);
}

void Dispatch(LoadedForm& form, const std::function<void()>& handler) {
    if (App::exists()) App::instance().dispatch(handler, &form);
}

void MsgBox(const std::string& prompt, int style, const std::string& title) {
    App& app = App::instance();
    app.frames().flush();
    app.scheduler().beforeWait();
    app.dialogs().MsgBox(prompt, style, title.empty() ? app.title() : title, app.boxOwner());
}

void Beep() { App::instance().sound().Beep(); }
void Randomize() { App::instance().random().Randomize(); }
float Rnd() { return App::instance().random().Rnd(); }
DateTime Now() { return DateTime{App::instance().clock().wallMsecs()}; }

void End() { App::instance().End(0); }

}  // namespace rt
