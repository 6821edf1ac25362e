// Runs the tests inside a QApplication on Qt's offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "runtime/drawing/drawing.h"

namespace {
QtMessageHandler qtDefault = nullptr;

// The offscreen platform has no window stacking; it says so on every Show.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support raise()"))) return;
    qtDefault(type, context, message);
}
}  // namespace

int main(int argc, char** argv) {
    qtDefault = qInstallMessageHandler(quietHandler);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC");  // the test clock's texts read the same everywhere
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    rt::RegisterFonts();
    // Time and date texts depend on the locale: pin one.
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    return RUN_ALL_TESTS();
}
