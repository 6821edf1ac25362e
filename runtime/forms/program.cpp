#include "runtime/forms/program.h"

#include "runtime/base/app.h"
#include "runtime/forms/form.h"

namespace rt {

std::string ProgramInfo::Version() const {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

Program::Program() {
    if (App::exists()) App::instance().keys = {[this] { NewGame(); }, [this] { Help(); }};
}

Program::~Program() {
    if (App::exists()) App::instance().keys = {};
}

void Start(Form& startup) {
    App::instance().Start([&] { startup.Show(); });
}

}  // namespace rt
