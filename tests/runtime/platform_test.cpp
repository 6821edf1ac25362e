// The real platform's services where they meet the desktop.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "runtime/platform/real_platform.h"
#include "runtime/view/widgets.h"
#include "tests/runtime/support.h"

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

// Another client destroying a box's window dismisses it, as its OK would,
// instead of leaving the program waiting for a box nobody can see.
TEST(RealDialogsTest, ABoxWhoseWindowIsDestroyedFromOutsideIsDismissed) {
    rt::Platform platform = rt::RealPlatform();
    bool destroyed = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        SendDestroyNotify(*box);
        destroyed = true;
    });
    // Should the box stay, the test fails instead of hanging.
    QTimer::singleShot(5000, [] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "the box was not dismissed";
            box->close();
        }
    });
    platform.dialogs->MsgBox("Prehral si!", rt::vbExclamation, "Nebulor", nullptr);
    EXPECT_TRUE(destroyed);
}

// Another client destroying the window a box belongs to while the box is open
// closes that window's form, as the close box would: the box goes with its
// window, and the handler that opened it goes on.
TEST(RealDialogsTest, AWindowDestroyedUnderItsBoxClosesItsFormAndTheHandlerGoesOn) {
    class Game final : public rt::Form {
      public:
        Game(Log& log, rt::Form& menu)
            : rt::Form({.caption = "Game", .width = 1500, .height = 1500}),
              log_(log),
              menu_(menu) {}

      private:
        void Form_Unload() override {
            log_.push_back("unloaded");
            menu_.Show();
        }
        Log& log_;
        rt::Form& menu_;
    };
    rt::testing::Fakes fakes;
    rt::Platform platform = rt::testing::MakeTestPlatform(fakes);
    platform.dialogs = rt::RealPlatform().dialogs;
    rt::App app{"Nebulor", std::move(platform)};
    Log log;
    Blank menu;
    Game game(log, menu);
    rt::Start(game);
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parentWidget(), rt::WindowOf(game));
        SendDestroyNotify(*rt::WindowOf(game));
    });
    // Should the box's wait not end, the test fails instead of hanging.
    QTimer::singleShot(5000, [] {
        ADD_FAILURE() << "the box's wait did not end";
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
        else
            std::_Exit(1);
    });
    rt::Dispatch(game, [&] {
        rt::MsgBox("Prehral si!", rt::vbInformation);
        log.push_back("handler goes on");
        game.Unload();
        menu.Show();
    });
    rt::testing::FlushDeletes();
    EXPECT_EQ(log, (Log{"unloaded", "handler goes on"}));
    EXPECT_FALSE(game.Loaded());
    EXPECT_TRUE(menu.Visible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(app.ended());
}

// A box is a modal child of the window it belongs to and opens centred over
// it; with none given, over the active window.
TEST(RealDialogsTest, ABoxIsTransientForItsWindowAndCentredOverIt) {
    rt::Platform platform = rt::RealPlatform();
    QWidget main, other;
    main.setGeometry(100, 120, 600, 450);
    other.setGeometry(500, 400, 300, 200);
    main.show();
    other.show();
    QApplication::setActiveWindow(&other);
    QCoreApplication::processEvents();
    struct Seen {
        QWidget* parent = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
        QPoint centre;
    };
    std::vector<Seen> seen;
    auto look = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            seen.push_back({box->parentWidget(), box->windowModality(), box->geometry().center()});
            box->close();
        });
    };
    look();
    platform.dialogs->MsgBox("Prehral si!", rt::vbExclamation, "Nebulor", &main);
    main.hide();
    QApplication::setActiveWindow(&other);
    look();
    platform.dialogs->MsgBox("Gone", rt::vbOKOnly, "Nebulor", &main);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].parent, &main);
    EXPECT_EQ(seen[0].modality, Qt::ApplicationModal);
    EXPECT_LE((seen[0].centre - main.geometry().center()).manhattanLength(), 4);
    EXPECT_EQ(seen[1].parent, &other);
}

// Focus passing to the program's own box is not the player turning away.
// (Qt's offscreen platform never makes the program inactive: the desktop
// suite turns it away under a window manager.)
TEST(RealDesktopTest, TheProgramsOwnBoxTakingTheFocusDoesNotCount) {
    rt::Platform platform = rt::RealPlatform();
    int turnedAway = 0;
    platform.desktop->deactivated = [&] { ++turnedAway; };
    QWidget game;
    game.show();
    QApplication::setActiveWindow(&game);
    QTest::qWait(50);
    ASSERT_EQ(QGuiApplication::applicationState(), Qt::ApplicationActive);
    QTimer::singleShot(0, [] {
        QTest::qWait(400);
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    platform.dialogs->MsgBox("Prehral si!", rt::vbExclamation, "Nebulor", &game);
    QTest::qWait(400);
    EXPECT_EQ(turnedAway, 0);
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
