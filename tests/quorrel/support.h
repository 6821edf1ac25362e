#pragma once
// A quorrel run on the test platform, with the steps a player takes.

#include <QWidget>

#include "quorrel/program.h"
#include "runtime/view/widgets.h"
#include "tests/program_test.h"

namespace quorrel::testing {

using rt::testing::Click;

using rt::testing::kRndMax;
using rt::testing::kRndMin;

class QuorrelTest : public rt::testing::ProgramTest<Program, kInfo> {
  protected:
    Hra& hra = program.hra;

    // Straight to the game window, as the splash screen hands over to it.
    void openGameWindow() { rt::Start(hra); }

    void choose(rt::OptionButton& option) { Click(option); }

    // Picks a difficulty and presses "Štart"; the walker's step comes from `r`.
    void startGame(rt::OptionButton& option, float r) {
        choose(option);
        fakes.random->push(r);
        Click(hra.Command1);
    }

    // Clicks the walker until it dies; the next walker's step comes from `r`.
    void killWalker(float r = kRndMin) {
        fakes.random->push(r);
        const int lives = hra.SelectedLevel().lives;
        for (int i = 0; i < lives; ++i) Click(hra.Image1);
    }

    void expectOptionsScreen() {
        for (rt::Control* c : std::initializer_list<rt::Control*>{
                 &hra.Frame1, &hra.Option1, &hra.Option2, &hra.Option3, &hra.Command1,
                 &hra.Command2, &hra.Command3, &hra.Label5, &hra.Label6, &hra.Label1, &hra.Label7,
                 &hra.Label8, &hra.Image1})
            EXPECT_TRUE(c->Visible()) << c->Name();
        for (rt::Control* c : std::initializer_list<rt::Control*>{&hra.Label9, &hra.Label10,
                                                                  &hra.Label11, &hra.Image2})
            EXPECT_FALSE(c->Visible()) << c->Name();
        const Level& level = hra.SelectedLevel();
        EXPECT_EQ(hra.Label2.Visible(), level.description == 0);
        EXPECT_EQ(hra.Label3.Visible(), level.description == 1);
        EXPECT_EQ(hra.Label4.Visible(), level.description == 2);
        EXPECT_FALSE(hra.Image1.Enabled());
        EXPECT_EQ(hra.Image1.Left(), kWalkerHomeLeft);
        EXPECT_EQ(hra.Image1.Top(), kWalkerHomeTop);
        EXPECT_FALSE(hra.Timer1.Enabled());
        EXPECT_EQ(hra.MousePointer(), rt::kDefaultPointer);
        EXPECT_NE(rt::WindowOf(hra)->cursor().shape(), Qt::BitmapCursor);
    }
};

}  // namespace quorrel::testing
