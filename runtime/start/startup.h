#pragma once
// What a program needs to start: its name and version, its forms, and the
// command line every Linux program answers (--help, --version).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/start/command_line.h"

class QTranslator;

namespace rt {

class Form;

struct ProgramInfo {
    std::string command;  // "quorrel"
    std::string title;    // "Quorrel": the default message box title
    int major = 1;
    int minor = 0;
    int revision = 0;
    std::string summary;  // one line for --help
    std::string appId;    // names its desktop entry, so the desktop matches its windows

    std::string Version() const;  // "1.3.1"
};

// A program's forms, built once the application exists. While it lives,
// Ctrl+N and F1 in any of its windows run NewGame and Help.
class Program {
  public:
    Program();
    virtual ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    virtual Form& StartupForm() = 0;
    // What its new-game button does, where that button shows and is enabled.
    virtual void NewGame() {}
    // Shows the rules.
    virtual void Help() {}
};

// Loads and shows the start-up form as the program's first event.
void Start(Form& startup);

// Installs the catalogues the program carries for `language` (every
// ":/i18n/*_en.qm" for English; none for Slovak, the texts' own language),
// in place of any installed before. Forms made afterwards show its texts.
// Returns how many it installed.
int UseLanguage(Language language);
// The compiled-in English catalogues, loaded but not installed.
std::vector<std::unique_ptr<QTranslator>> EnglishCatalogues();

// Before the application exists: Qt's own event loop rather than GLib's,
// which does more bookkeeping on each of a game's hundred wake-ups a second
// and which nothing here needs. QT_NO_GLIB, if set at all, is left as it is.
void ChooseEventLoop();

// Before the application exists: on X11 a frame's pixels go to the server in
// the request itself rather than through shared memory, which the toolkit
// guards with a round trip to the server before every frame it paints; a
// game's frames are a few small rectangles. QT_XCB_NO_MITSHM, if set at all,
// is left as it is.
void ChoosePixelTransfer();

// Parses --help and --version, creates the application and the forms, shows
// the start-up form and runs until the program ends; returns the exit status.
int RunProgram(int argc, char** argv, const ProgramInfo& info,
               const std::function<std::unique_ptr<Program>()>& makeForms);

}  // namespace rt
