// The real platform's services where they meet the desktop.

#include <QCoreApplication>

#include "support.h"

namespace rttest {
namespace {

// With no sound server here, the alert falls back to the toolkit's beep; the
// game's thread never waits for it (the suite's time limit catches a hang).
TEST(RealSoundTest, BeepsReturnAtOnceWithOrWithoutASoundServer) {
    rt::Platform platform = rt::RealPlatform();
    for (int i = 0; i < 3; ++i) platform.sound->Beep();
    QCoreApplication::processEvents();
    platform.sound.reset();
    SUCCEED();
}

}  // namespace
}  // namespace rttest
