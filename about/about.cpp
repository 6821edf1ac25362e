#include "about.h"

#include "app.h"

namespace about {

About::About(rt::FormDesign design, const rt::ProgramInfo& info, const char* unavailable)
    : rt::Form(std::move(design)), info_(info), unavailable_(unavailable) {}

void About::StartSysInfo() { rt::MsgBox(unavailable_, rt::vbOKOnly); }

bool About::GetKeyValue(std::uint32_t, const std::string&, const std::string&, std::string& keyVal) {
    keyVal.clear();
    return false;
}

}  // namespace about
