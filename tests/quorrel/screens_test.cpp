// The splash screen, the options screen and the start of a game.

#include <QTest>

#include "runtime/testing/catalogue.h"
#include "runtime/view/widgets.h"
#include "tests/quorrel/support.h"

namespace quorrel::testing {
namespace {

using SplashTest = QuorrelTest;

TEST_F(SplashTest, PictureSlidesUpIn54TicksThenHandsOverTwoSecondsLater) {
    Úvod& splash = program.úvod;
    rt::Start(splash);
    EXPECT_EQ(rt::WindowOf(splash)->size(), QSize(293, 126));
    EXPECT_FALSE(splash.Label1.Visible());

    advance(53 * 10);
    EXPECT_EQ(splash.Image1.Top(), 1920 - 53 * 30);
    EXPECT_FALSE(splash.Label1.Visible());
    advance(10);
    EXPECT_EQ(splash.Image1.Top(), 300);  // exactly, after 54 ticks
    EXPECT_EQ(splash.Image1.Left(), 240);
    EXPECT_FALSE(splash.Label1.Visible());  // the 55th tick finds it at rest
    advance(10);
    EXPECT_TRUE(splash.Label1.Visible());
    EXPECT_EQ(splash.Label1.Caption(), "Uvádza hru:");

    // 2000 ms after the picture came to rest, not after each later tick.
    advance(1999);
    EXPECT_TRUE(splash.Loaded());
    EXPECT_FALSE(hra.Loaded());
    advance(1);
    EXPECT_FALSE(splash.Loaded());
    EXPECT_TRUE(hra.Visible());
    EXPECT_FALSE(app.ended());

    advance(10'000);  // the splash never comes back
    EXPECT_FALSE(splash.Loaded());
    EXPECT_TRUE(hra.Visible());
}

using OptionsTest = QuorrelTest;

// Real key events, as the window hands them to its focused widget.
TEST_F(OptionsTest, TheKeyboardStartsAGameAndThenPressesNoHiddenButton) {
    openGameWindow();
    rt::FlushDrawing();
    QWindow* window = rt::WindowOf(hra)->windowHandle();
    QTest::keyClick(window, Qt::Key_Tab);  // one stop for the options: the selected one
    EXPECT_EQ(rt::WindowOf(hra)->focusWidget(), rt::WidgetOf(hra.Option2));
    QTest::keyClick(window, Qt::Key_Tab);
    EXPECT_EQ(rt::WindowOf(hra)->focusWidget(), rt::WidgetOf(hra.Command2));
    QTest::keyClick(window, Qt::Key_Backtab);
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_TRUE(hra.Option3.Value());
    QTest::keyClick(window, Qt::Key_Backtab);
    ASSERT_EQ(rt::WindowOf(hra)->focusWidget(), rt::WidgetOf(hra.Command1));

    fakes.random->push(kRndMin);
    QTest::keyClick(window, Qt::Key_Space);  // "Štart"
    ASSERT_TRUE(hra.Timer1.Enabled());
    EXPECT_EQ(hra.Label9.Caption(), "Obtiažnosť: ťažká");
    rt::FlushDrawing();
    EXPECT_EQ(rt::WindowOf(hra)->focusWidget(), rt::WindowOf(hra));
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Escape})
        QTest::keyClick(window, key);
    EXPECT_FALSE(program.about.Loaded());
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(hra.Timer1.Enabled());
    EXPECT_TRUE(app.paused());  // Escape paused the game; only P goes on
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(app.paused());
    QTest::keyClick(window, Qt::Key_P);
    EXPECT_FALSE(app.paused());
}

// The keys every desktop game answers: Ctrl+N as "Štart" where it shows, F1
// as "Pravidlá" with the game paused first, Ctrl+Q as the end.
TEST_F(OptionsTest, CtrlNStartsF1ShowsTheRulesInAPausedGameAndCtrlQEnds) {
    using rt::testing::PressKey;
    openGameWindow();
    fakes.random->push(kRndMin);
    PressKey(hra, Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(hra.Timer1.Enabled());
    EXPECT_FALSE(app.paused());
    const rt::Twips left = hra.Image1.Left();
    PressKey(hra, Qt::Key_N, Qt::ControlModifier);  // its button is hidden now
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) { advance(5000); };
    PressKey(hra, Qt::Key_F1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, "Quorrel - pravidlá");
    EXPECT_TRUE(app.paused());
    EXPECT_EQ(hra.Image1.Left(), left);
    EXPECT_EQ(fakes.random->drawn, 1);
    PressKey(hra, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 0);
}

TEST_F(OptionsTest, AfterLoadingMediumIsSelectedWithTheClockAndNoRecord) {
    openGameWindow();
    EXPECT_EQ(rt::WindowOf(hra)->size(), QSize(345, 271));
    EXPECT_EQ(rt::WindowOf(hra)->windowTitle(), "Quorrel");
    EXPECT_TRUE(hra.Option2.Value());
    EXPECT_FALSE(hra.Option1.Value());
    EXPECT_FALSE(hra.Option3.Value());
    expectOptionsScreen();
    EXPECT_EQ(hra.Label7.Caption(), "Najvyššie skóre: 0");
    EXPECT_EQ(hra.Label8.Caption(), "Na obtiažnosť: ");
    EXPECT_EQ(hra.Label1.Caption(), "Tvoje skóre je: 0");
    EXPECT_EQ(hra.Label5.Caption(), "14:30:05");  // the test clock's start
    EXPECT_EQ(hra.Label6.Caption(), "7. 12. 2026");
    EXPECT_EQ(fakes.random->randomized, 1);
    EXPECT_EQ(hra.Label3.Caption(),
              "Mimozemštan ide stredne rýchlo. Musíš na neho kliknúť tri krát.");
}

TEST_F(OptionsTest, EachDifficultyShowsItsOwnDescription) {
    openGameWindow();
    choose(hra.Option1);
    EXPECT_TRUE(hra.Option1.Value());
    EXPECT_FALSE(hra.Option2.Value());
    expectOptionsScreen();
    EXPECT_EQ(hra.Label2.Caption(), "Mimozemšťan ide najpomalšie. Musíš na neho kliknúť dvakrát.");
    choose(hra.Option3);
    expectOptionsScreen();
    EXPECT_EQ(hra.Label4.Caption(),
              "Mimozemšťan iba prefrčí cez obrazovku. Musíš na neho kliknúť štyri krát.");
    choose(hra.Option2);
    expectOptionsScreen();
}

TEST_F(OptionsTest, TheClockTicksEveryHalfSecondAlsoDuringAGame) {
    openGameWindow();
    advance(999);
    EXPECT_EQ(hra.Label5.Caption(), "14:30:05");
    advance(1);
    EXPECT_EQ(hra.Label5.Caption(), "14:30:06");
    startGame(hra.Option2, 0.5f);
    advance(1500);
    EXPECT_EQ(hra.Label5.Caption(), "14:30:07");
}

TEST_F(OptionsTest, RulesAreOneInformationBoxWithALoneCarriageReturn) {
    openGameWindow();
    Click(hra.Command2);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].style, rt::vbInformation);
    EXPECT_EQ(messages()[0].title, "Quorrel - pravidlá");
    EXPECT_EQ(messages()[0].prompt,
              "Vítaj v mojej malej hre.\rCieľom hry je zabiť mimozemšťana klikaním na neho skôr "
              "než sa dostane k ľavému okraju okna a potom ujde ufom. Zabiť sa ho snaž čo najviac, "
              "lebo za to získavaš skóre a čím vyššie skóre máš tým to je lepšie, lebo keď nahráš "
              "300 bodov môžeš zostreliť ufo a potom vyhráš. Hra má celkovo tri otiažnosti. Držím "
              "ti palce!");
}

TEST_F(OptionsTest, TheUnderlineFollowsThePointerAcrossTheButtons) {
    openGameWindow();
    EXPECT_EQ(rt::WidgetOf(hra.Command1)->cursor().hotSpot(), QPoint(5, 0));  // the pointing hand
    rt::testing::MoveOver(hra.Command1);
    EXPECT_TRUE(hra.Command1.FontUnderline());
    rt::testing::MoveOver(hra.Command2);  // straight across, not over the form
    EXPECT_TRUE(hra.Command2.FontUnderline());
    EXPECT_FALSE(hra.Command1.FontUnderline());
    rt::testing::MoveOver(hra.Command3);
    EXPECT_TRUE(hra.Command3.FontUnderline());
    EXPECT_FALSE(hra.Command2.FontUnderline());
    rt::testing::MoveOver(hra.Label2);  // hidden: the form's client area is under it
    rt::testing::MoveTo(hra, QPoint(150, 260));
    EXPECT_FALSE(hra.Command1.FontUnderline() || hra.Command2.FontUnderline() ||
                 hra.Command3.FontUnderline());
}

// Every caption can be read whole, with the bundled fonts and where they are
// missing; CTest runs this again at device pixel ratios 1.5 and 2.
class CaptionTest : public QuorrelTest, public ::testing::WithParamInterface<bool> {
  protected:
    std::vector<std::string> unreadable(rt::Form& form) {
        return rt::testing::UnreadableCaptions(form, GetParam());
    }
};

TEST_P(CaptionTest, EveryCaptionIsReadableOnEveryScreen) {
    const std::vector<std::string> none;
    rt::Start(program.úvod);
    advance(55 * 10);
    EXPECT_EQ(unreadable(program.úvod), none);
    advance(2000);
    for (rt::OptionButton* o : {&hra.Option1, &hra.Option2, &hra.Option3}) {
        Click(*o);
        EXPECT_EQ(unreadable(hra), none);
    }
    Click(hra.Command3);
    EXPECT_EQ(unreadable(program.about), none);
    program.about.Unload();
    startGame(hra.Option3, kRndMin);
    hra.Label11.SetVisible(true);
    EXPECT_EQ(unreadable(hra), none);
}

// A player who asked for English reads every screen, box and verdict in it,
// each caption whole with either fonts (at every scale: see tests/CMakeLists.txt).
using EnglishTest = rt::testing::InEnglish<QuorrelTest>;

TEST_F(EnglishTest, EveryCaptionIsReadableOnEveryScreenInEnglish) {
    rt::Start(program.úvod);
    advance(55 * 10);
    expectEnglish(program.úvod);
    advance(2000);
    for (rt::OptionButton* o : {&hra.Option1, &hra.Option2, &hra.Option3}) {
        Click(*o);
        expectEnglish(hra);
    }
    EXPECT_EQ(hra.Label4.Caption(), "The alien just zips across the screen. Click it four times.");
    Click(hra.Command2);
    Click(hra.Command3);
    Click(program.about.cmdSysInfo);
    expectEnglish(program.about);
    program.about.Unload();
    startGame(hra.Option3, kRndMin);
    hra.Score = 300;
    Click(hra.Image1);  // the UFO's life shows
    expectEnglish(hra);
    rt::testing::PressKey(hra, Qt::Key_P);  // what the pause says too
    expectEnglish(hra);
    rt::testing::PressKey(hra, Qt::Key_P);
    for (int hit = 0; hit < 10; ++hit) Click(hra.Image2);
    EXPECT_EQ(messages().back().prompt,
              "You destroyed the UFO, so now the alien has no way to escape. Congratulations, you "
              "won! You saved Earth from the alien invasion.");
    expectEnglish(hra);  // the best score and its difficulty
    EXPECT_EQ(hra.Label8.Caption(), "On difficulty: hard");
    startGame(hra.Option1, kRndMax);
    advance(10'000);  // the walker escapes: its escape and the verdict
    EXPECT_EQ(messages().back().prompt, "Pathetic beyond pathetic, you only got 0 points!");
    for (const Level* level : {&kEasy, &kMedium, &kHard})
        for (Counter score : {1, 10, 25, 26})
            EXPECT_FALSE(rt::testing::HasSlovakLetters(VerdictText(*level, score))) << score;
    EXPECT_EQ(VerdictText(kHard, 10),
              "10 points. That is a good score! Small, maybe, but on what a difficulty!");
    EXPECT_EQ(VerdictText(kEasy, 1), "Pathetic beyond pathetic, you only got 1 point!");
    for (const rt::testing::Message& m : messages())
        EXPECT_FALSE(rt::testing::HasSlovakLetters(m.prompt + m.title)) << m.prompt;
    EXPECT_EQ(untranslated(), std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(Fonts, CaptionTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Fallback" : "Bundled");
                         });

struct StartCase {
    const char* name;
    rt::OptionButton Hra::*option;
    float r;
    const char* difficulty;
    const char* lives;
    float step;
};

class StartTest : public QuorrelTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartTest, StartSwitchesToThePlayingScreen) {
    const StartCase& c = GetParam();
    openGameWindow();
    startGame(hra.*c.option, c.r);
    EXPECT_EQ(hra.Label9.Caption(), c.difficulty);
    EXPECT_EQ(hra.Label10.Caption(), c.lives);
    EXPECT_EQ(hra.WalkerStep, c.step);
    EXPECT_EQ(hra.Label1.Caption(), "Tvoje skóre je: 0");
    EXPECT_EQ(hra.MousePointer(), rt::kCustomPointer);
    EXPECT_EQ(rt::WindowOf(hra)->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(rt::WindowOf(hra)->cursor().hotSpot(), QPoint(16, 16));
    for (rt::Control* shown :
         std::initializer_list<rt::Control*>{&hra.Label9, &hra.Label10, &hra.Image2, &hra.Image1,
                                             &hra.Label1, &hra.Label7, &hra.Label8})
        EXPECT_TRUE(shown->Visible()) << shown->Name();
    for (rt::Control* hidden : std::initializer_list<rt::Control*>{
             &hra.Frame1, &hra.Option1, &hra.Option2, &hra.Option3, &hra.Command1, &hra.Command2,
             &hra.Command3, &hra.Label2, &hra.Label3, &hra.Label4, &hra.Label5, &hra.Label6,
             &hra.Label11})
        EXPECT_FALSE(hidden->Visible()) << hidden->Name();
    EXPECT_TRUE(hra.Image1.Enabled());
    EXPECT_TRUE(hra.Timer1.Enabled());
    EXPECT_EQ(hra.Image1.Left(), kWalkerHomeLeft);  // the start does not move it
    advance(10);
    EXPECT_EQ(hra.Image1.Left(), kWalkerHomeLeft - c.step);
}

INSTANTIATE_TEST_SUITE_P(
    Difficulties, StartTest,
    ::testing::Values(StartCase{"Easy_SlowestWalker", &Hra::Option1, kRndMin, "Obtiažnosť: ľahká",
                                "Quorrelov život: 2", 5},
                      StartCase{"Easy_FastestWalker", &Hra::Option1, kRndMax, "Obtiažnosť: ľahká",
                                "Quorrelov život: 2", 104},
                      StartCase{"Medium_SlowestWalker", &Hra::Option2, kRndMin,
                                "Obtiažnosť: stredná", "Quorrelov život: 3", 10},
                      StartCase{"Medium_FastestWalker", &Hra::Option2, kRndMax,
                                "Obtiažnosť: stredná", "Quorrelov život: 3", 209},
                      StartCase{"Hard_SlowestWalker", &Hra::Option3, kRndMin, "Obtiažnosť: ťažká",
                                "Quorrelov život: 4", 20},
                      StartCase{"Hard_FastestWalker", &Hra::Option3, kRndMax, "Obtiažnosť: ťažká",
                                "Quorrelov život: 4", 519}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorrel::testing
