#pragma once
// What a program needs to start: the application, its windows, its language,
// and the command line every Linux program answers (--help, --version).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/forms/program.h"
#include "runtime/start/command_line.h"

class QTranslator;

namespace rt {

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
