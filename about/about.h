#pragma once
// The about box: one form in both programs, each with its own layout
// (quorrel_about.h, nebulor_about.h). It shows the version and credits and
// starts the system's information tool.

#include <cstdint>
#include <string>

#include "controls.h"
#include "startup.h"

namespace about {

class About : public rt::Form {
  public:
    // Starts the system-information tool, or says it cannot.
    void StartSysInfo();

    // Reads value `subKeyRef` of key `keyName` under `keyRoot` into `keyVal`;
    // true when a value was read.
    static bool GetKeyValue(std::uint32_t keyRoot, const std::string& keyName,
                            const std::string& subKeyRef, std::string& keyVal);

  protected:
    // `unavailable` is the program's own message for a missing tool.
    About(rt::FormDesign design, const rt::ProgramInfo& info, const char* unavailable);

    const rt::ProgramInfo& info_;

  private:
    const char* unavailable_;
};

}  // namespace about
