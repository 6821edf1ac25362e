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
// Programs run on Qt's own event loop; a user who set QT_NO_GLIB, even to
// nothing (GLib's loop), keeps that choice.
TEST(EventLoopTest, QtsOwnUnlessTheUserChose) {
    const bool wasSet = qEnvironmentVariableIsSet("QT_NO_GLIB");
    const QByteArray was = qgetenv("QT_NO_GLIB");
    qunsetenv("QT_NO_GLIB");
    rt::ChooseEventLoop();
    EXPECT_EQ(qgetenv("QT_NO_GLIB"), "1");
    qputenv("QT_NO_GLIB", "");
    rt::ChooseEventLoop();
    EXPECT_TRUE(qEnvironmentVariableIsSet("QT_NO_GLIB"));
    EXPECT_TRUE(qEnvironmentVariableIsEmpty("QT_NO_GLIB"));
    if (wasSet)
        qputenv("QT_NO_GLIB", was);
    else
        qunsetenv("QT_NO_GLIB");
}

}  // namespace rttest
