#include "quorrel/program.h"
#include "runtime/start/startup.h"

int main(int argc, char** argv) {
    return rt::RunProgram(argc, argv, quorrel::kInfo,
                          [] { return std::make_unique<quorrel::Program>(); });
}
