#pragma once
// A program as its forms see it: its name and version, and what its
// new-game and help keys do.

#include <string>

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

}  // namespace rt
