// Load, Unload and the end of the program; positions in twips.

#include <QAbstractEventDispatcher>
#include <QWidget>
#include <cstdint>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "runtime/view/widgets.h"
#include "tests/runtime/support.h"

namespace rttest {
namespace {

class Board final : public rt::Form {
  public:
    Board() : rt::Form(rt::FormDesign{.caption = "Board", .width = 4500, .height = 3000}) {}

    // clang-format off
    rt::Label Label1{*this, "Label1", {1200, 600, 495, 735}, {.caption = "Design", .visible = false}};
    rt::CommandButton Command1{*this, "Command1", {300, 1500, 1200, 450}, {.caption = "Go"}};
    rt::OptionButton Option1{*this, "Option1", {300, 2100, 1200, 300}, {.caption = "One", .value = true}};
    rt::OptionButton Option2{*this, "Option2", {300, 2500, 1200, 300}, {.caption = "Two"}};
    rt::Image Walker{*this, "Walker", {3960, 1920, 480, 480}, {}};
    rt::Timer Timer1{*this, "Timer1", {.interval = 10}};
    // clang-format on

    int loads = 0, unloads = 0, counter = 0;
    std::string note;

  private:
    void Form_Load() override {
        ++loads;
        Command1.SetCaption("Ready");
    }
    void Form_Unload() override { ++unloads; }
};

using FormTest = RuntimeTest;

// The model alone: with no view, a form loads, ticks, takes a press and
// unloads, and the program ends, as with windows.
TEST_F(FormTest, WithNoViewAFormRunsItsHandlersAndTimersAlone) {
    rt::UseViews(nullptr);
    Board f;
    int ticks = 0;
    f.Timer1.Tick = [&] { ++ticks; };
    f.Command1.Click = [&] { f.Label1.SetCaption("Pressed"); };
    rt::Start(f);
    advance(35);
    f.Command1.Press();
    EXPECT_TRUE(f.Loaded());
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.view(), nullptr);
    EXPECT_EQ(std::tuple(f.Command1.Caption(), f.Label1.Caption(), ticks),
              std::tuple("Ready", "Pressed", 3));
    EXPECT_TRUE(f.Command1.shownPixels().isEmpty());
    f.Unload();
    EXPECT_TRUE(app.ended());
}

TEST_F(FormTest, LoadAppliesTheDesignAfreshButKeepsFormVariables) {
    Blank main;
    Board f;
    int ticks = 0;
    f.Timer1.Tick = [&] { ++ticks; };
    rt::Start(main);
    f.Show();
    f.SetCaption("Other");
    f.Label1.SetCaption("Changed");
    f.Label1.Move(-150, 45);
    f.Label1.SetVisible(true);
    f.Command1.SetEnabled(false);
    f.Option2.SetValue(true);
    f.Timer1.SetEnabled(false);
    f.counter = 7;
    f.note = "kept";
    f.Unload();
    rt::testing::FlushDeletes();
    EXPECT_FALSE(f.Loaded());

    f.Show();
    EXPECT_EQ(f.loads, 2);
    EXPECT_EQ(f.unloads, 1);
    EXPECT_EQ(std::pair(f.counter, f.note), std::pair(7, std::string("kept")));
    EXPECT_EQ(f.Caption(), "Board");
    EXPECT_EQ(rt::WindowOf(f)->windowTitle(), "Board");
    EXPECT_EQ(f.Label1.Caption(), "Design");
    EXPECT_EQ(std::pair(f.Label1.Left(), f.Label1.Top()), std::pair(1200.0f, 600.0f));
    EXPECT_FALSE(f.Label1.Visible());
    rt::FlushDrawing();
    EXPECT_TRUE(f.Label1.shownPixels().isEmpty());
    f.Label1.SetVisible(true);
    rt::FlushDrawing();
    EXPECT_EQ(f.Label1.shownPixels(), QRect(80, 40, 33, 49));
    f.Label1.SetVisible(false);
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_TRUE(f.Option1.Value());
    EXPECT_FALSE(f.Option2.Value());
    EXPECT_TRUE(f.Timer1.Enabled());
    advance(10);
    EXPECT_EQ(ticks, 1);

    // A button takes Enabled at once; its move still waits for the frame.
    rt::FlushDrawing();
    const QRect before = rt::WidgetOf(f.Command1)->geometry();
    f.Command1.Move(600);
    f.Command1.SetEnabled(false);
    EXPECT_FALSE(rt::WidgetOf(f.Command1)->isEnabled());
    EXPECT_EQ(rt::WidgetOf(f.Command1)->geometry(), before);
    rt::FlushDrawing();
    EXPECT_EQ(rt::WidgetOf(f.Command1)->geometry(), before.translated(20, 0));
}

TEST_F(FormTest, TouchingAControlOfAnUnloadedFormLoadsIt) {
    Blank main;
    Board f;
    rt::Start(main);
    EXPECT_EQ(f.Command1.Caption(), "Ready");  // Form_Load ran before the read
    EXPECT_EQ(f.loads, 1);
    EXPECT_TRUE(f.Loaded());
    EXPECT_FALSE(f.Visible());
    f.Unload();
    EXPECT_EQ(f.Timer1.Interval(), 10);
    EXPECT_EQ(f.loads, 2);
    EXPECT_FALSE(app.ended());
}

TEST_F(FormTest, HandlerMayUnloadItsFormAndShowTheNextOne) {
    Board first, second;
    first.Command1.Click = [&] {
        first.Unload();
        first.counter += 1;  // the form object outlives its window
        first.note = "after unload " + first.note;
        second.Show();
        first.note += first.Command1.Name();
    };
    second.Command1.Click = [&] {
        second.Unload();
        second.counter = 5;
        EXPECT_FALSE(app.ended());  // only once the handler returns
    };
    rt::Start(first);
    first.note = "1";
    rt::testing::Click(first.Command1);
    EXPECT_FALSE(first.Loaded());
    EXPECT_EQ(first.unloads, 1);
    EXPECT_EQ(first.counter, 1);
    EXPECT_EQ(first.note, "after unload 1Command1");
    EXPECT_TRUE(second.Visible());
    EXPECT_FALSE(app.ended());

    rt::testing::Click(second.Command1);
    EXPECT_EQ(second.counter, 5);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 0);
}

// A box belongs to the window of the form whose handler opens it, whichever
// window was shown last; a hidden form's box has no window of its own.
TEST_F(FormTest, MessageBoxesBelongToTheFormWhoseHandlerOpensThem) {
    Board first, second, hidden;
    first.Command1.Click = [&] { rt::MsgBox("from the click"); };
    second.Timer1.Tick = [&] {
        second.Timer1.SetEnabled(false);
        rt::MsgBox("from the tick");
    };
    hidden.Timer1.Tick = [&] {
        hidden.Timer1.SetEnabled(false);
        rt::MsgBox("from a hidden form");
    };
    first.Timer1.SetEnabled(false);
    rt::Start(first);
    second.Show();
    hidden.Load();
    fakes.dialogs->whileOpen = [&](const rt::testing::Message& m) {
        // A box that opens inside another's wait belongs to its own form.
        if (m.prompt == "from the click") advance(10);
    };
    rt::testing::Click(first.Command1);
    ASSERT_EQ(fakes.dialogs->shown.size(), 3u);
    EXPECT_EQ(fakes.dialogs->shown[0].owner, rt::WindowOf(first));
    for (size_t i = 1; i < 3; ++i) {
        const rt::testing::Message& m = fakes.dialogs->shown[i];
        EXPECT_EQ(m.owner, m.prompt == "from the tick" ? rt::WindowOf(second) : nullptr)
            << m.prompt;
    }
}

// An error escaping a handler is told over the window of that handler's form.
TEST_F(FormTest, AnErrorBoxBelongsToTheFailingHandlersForm) {
    Board first, second;
    second.Command1.Click = [] { throw std::overflow_error("Overflow"); };
    rt::Start(first);
    second.Show();
    first.Show();
    rt::testing::Click(second.Command1);
    ASSERT_EQ(fakes.dialogs->shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs->shown[0].prompt, "Overflow");
    EXPECT_EQ(fakes.dialogs->shown[0].owner, rt::WindowOf(second));
    EXPECT_EQ(app.exitStatus(), 1);
}

TEST_F(FormTest, AWindowDestroyedByTheWindowSystemUnloadsItsForm) {
    Board first, second;
    rt::Start(first);
    second.Show();
    SendDestroyNotify(*rt::WindowOf(first));
    EXPECT_FALSE(first.Loaded());
    EXPECT_FALSE(app.ended());
    SendDestroyNotify(*rt::WindowOf(second));
    EXPECT_TRUE(app.ended());  // the last window gone: the program ends
}

// A splash that loaded the next form hidden: closing it must not leave a
// program with no window running, whether the player closes it or another
// client destroys it; a close whose handler shows another form goes on.
TEST_F(FormTest, AClosedWindowThatLeavesOnlyHiddenFormsEndsTheProgram) {
    Board splash, menu;
    rt::Start(splash);
    menu.Load();
    ASSERT_TRUE(menu.Loaded());
    rt::WindowOf(splash)->close();
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 0);
    EXPECT_EQ(menu.unloads, 0);  // ended at once, as the end statement does
}

TEST_F(FormTest, ACloseWhoseUnloadShowsAnotherFormGoesOn) {
    class Game final : public rt::Form {
      public:
        explicit Game(rt::Form& next)
            : rt::Form(rt::FormDesign{.caption = "Game", .width = 1500, .height = 1500}),
              next_(next) {}

      private:
        void Form_Unload() override { next_.Show(); }
        rt::Form& next_;
    };
    Board menu;
    Game game(menu);
    rt::Start(game);
    menu.Load();
    rt::WindowOf(game)->close();
    EXPECT_FALSE(app.ended());
    EXPECT_TRUE(menu.Visible());
}

// A 10 ms walk is drawn on every second tick's wake-up, the first one at
// least a display frame (16.7 ms) after the last drawing, with no wake-up of
// its own; the positions read back at once whatever the screen shows. With
// no tick to come, the frame is drawn when due, on the virtual clock too.
TEST_F(FormTest, FramesAreDrawnOnTheTicksThatFollowAFrameInterval) {
    Board f;
    f.Timer1.Tick = [&] { f.Walker.SetLeft(f.Walker.Left() - 150); };
    rt::Start(f);
    rt::FlushDrawing();
    std::vector<int> shown;
    for (int tick = 1; tick <= 6; ++tick) {
        advance(10);
        EXPECT_EQ(f.Walker.Left(), 3960 - 150 * tick);
        shown.push_back(f.Walker.shownPixels().x());
    }
    EXPECT_EQ(shown, (std::vector<int>{264, 244, 244, 224, 224, 204}));

    f.Timer1.SetEnabled(false);
    f.Walker.SetLeft(f.Walker.Left() - 150);
    advance(16);
    EXPECT_EQ(f.Walker.shownPixels().x(), 204);
    advance(1);  // 16.7 ms after the last frame
    EXPECT_EQ(f.Walker.shownPixels().x(), 194);

    // Clicks in one turn of the event loop share one frame, drawn once the
    // turn ends if a frame is due then, and else with the frame's alarm.
    f.Command1.Click = [&] { f.Walker.SetLeft(f.Walker.Left() - 150); };
    const QPoint go = f.Command1.shownPixels().center();
    advance(20);
    rt::testing::ClickAsShown(f, go);
    rt::testing::ClickAsShown(f, go);
    EXPECT_EQ(f.Walker.shownPixels().x(), 194);
    advance(0);
    EXPECT_EQ(f.Walker.shownPixels().x(), 174);
    advance(5);
    rt::testing::ClickAsShown(f, go);
    advance(0);
    EXPECT_EQ(f.Walker.shownPixels().x(), 174);
    advance(12);
    EXPECT_EQ(f.Walker.shownPixels().x(), 164);

    // A click due to show half a frame or less before a tick shows with it.
    advance(30);
    f.Timer1.SetEnabled(true);
    advance(6);
    rt::testing::ClickAsShown(f, go);
    advance(0);
    EXPECT_EQ(f.Walker.shownPixels().x(), 164);
    advance(4);
    EXPECT_EQ(f.Walker.shownPixels().x(), 144);
}

TEST_F(FormTest, TwipsReadBackExactlyAndWidgetsSitAtTwipsOver15) {
    Board f;
    int moves = 0;
    f.Timer1.Tick = [&] {
        if (f.Walker.Top() > 300) {
            f.Walker.SetTop(f.Walker.Top() - 30);
            ++moves;
        }
    };
    rt::Start(f);
    advance(1000);
    EXPECT_EQ(moves, 54);
    EXPECT_EQ(f.Walker.Top(), 300.0f);
    rt::FlushDrawing();
    EXPECT_EQ(f.Walker.shownPixels(), QRect(264, 20, 32, 32));

    for (int i = 0; i < 122; ++i) f.Walker.SetLeft(f.Walker.Left() - 30);
    EXPECT_EQ(f.Walker.Left(), 300.0f);
    auto twips = [&] {
        return std::tuple(f.Walker.Left(), f.Walker.Top(), f.Walker.Width(), f.Walker.Height());
    };
    f.Walker.Move(-150, -45);
    EXPECT_EQ(twips(), std::tuple(-150.0f, -45.0f, 480.0f, 480.0f));
    rt::FlushDrawing();
    EXPECT_EQ(f.Walker.shownPixels().topLeft(), QPoint(-10, -3));
    f.Walker.Move(1000, 7, 100, 50);  // not whole pixels: still read back as set
    EXPECT_EQ(twips(), std::tuple(1000.0f, 7.0f, 100.0f, 50.0f));
    rt::FlushDrawing();
    EXPECT_EQ(f.Walker.shownPixels(), QRect(67, 0, 7, 3));
}

}  // namespace
}  // namespace rttest
