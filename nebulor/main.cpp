#include "nebulor/program.h"
#include "runtime/start/startup.h"

int main(int argc, char** argv) {
    return rt::RunProgram(argc, argv, nebulor::kInfo,
                          [] { return std::make_unique<nebulor::Program>(); });
}
