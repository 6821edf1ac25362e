#pragma once
// The about box: one form in both programs, each with its own layout
// (nebulor_about.h, quorrel_about.h, written side by side). It shows the
// version and credits and starts the system's information tool, which it
// finds through the registry.

#include <cstdint>
#include <string>

#include "about/maker.h"
#include "runtime/base/texts.h"
#include "runtime/forms/controls.h"
#include "runtime/forms/program.h"

namespace about {

// The picture in the upper left corner, the same in both programs.
inline const rt::Picture kProgramPicture{":/about/program.svg", 32, 32};

// The texts the two boxes share.
inline std::string Ownership(const char* game) {
    return std::string("© ") + maker::kYear + " " + maker::NameOr(game);
}
inline constexpr const char* kBuiltWith =
    QT_TRANSLATE_NOOP("about::About", "Vytvorené v C++ a Qt 6");

// Where the system-information tool is registered, in the order it is looked up.
inline constexpr const char* kInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kInfoValue = "PATH";
inline constexpr const char* kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kLocationValue = "MSINFO";
inline constexpr const char* kToolFile = "MSINFO32.EXE";
// Registry values are read into a buffer of this many bytes; longer ones fail.
inline constexpr std::uint32_t kValueBufferSize = 1024;

class About : public rt::Form {
  public:
    // Starts the system-information tool, or says it cannot. No failure
    // leaves this: each one ends in the program's message.
    void StartSysInfo();

    // Reads value `subKeyRef` of key `keyName` under `keyRoot` into `keyVal`:
    // a string as it is, a 32-bit number as decimal text. False, with
    // `keyVal` empty, when the key or value is missing, does not fit, or is
    // of another type. A value of no bytes at all is an error (rt::RuntimeError).
    // The key is closed on every path.
    static bool GetKeyValue(std::uint32_t keyRoot, const std::string& keyName,
                            const std::string& subKeyRef, std::string& keyVal);

  protected:
    // `unavailable` is the program's own message for a missing tool, marked
    // for translation in the context "about::About".
    About(rt::FormDesign design, const rt::ProgramInfo& info, const char* unavailable);

    // Each layout's OK and System Info buttons name these: they do the same in both.
    void cmdOK_Click();
    void cmdSysInfo_Click();

    const rt::ProgramInfo& info_;

  private:
    const char* unavailable_;
};

}  // namespace about
