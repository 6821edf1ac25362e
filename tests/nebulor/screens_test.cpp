// The splash screen and the main menu.

#include <QGuiApplication>
#include <QScreen>

#include "runtime/testing/catalogue.h"
#include "runtime/view/widgets.h"
#include "tests/nebulor/support.h"

namespace nebulor::testing {
namespace {

using rt::testing::MoveOver;
using rt::testing::MoveTo;

using SplashTest = NebulorTest;

TEST_F(SplashTest, PictureSlidesUpIn56TicksRestsAt180AndHandsOver2500MsLater) {
    rt::Start(logo);
    EXPECT_TRUE(logo.Visible());
    EXPECT_EQ(rt::WindowOf(logo)->size(), QSize(312, 122));
    EXPECT_EQ(modul1.StartTime, rt::DateTime{fakes.clock->wallMsecs()});  // before any tick
    EXPECT_TRUE(menu.Loaded());
    EXPECT_FALSE(menu.Visible());
    EXPECT_EQ(modul1.MediumLevel, kTrue);  // the menu's load has run

    advance(55 * 10);
    EXPECT_EQ(logo.Picture1.Top(), 1800 - 55 * 30);
    EXPECT_FALSE(logo.Label1.Visible());
    advance(10);  // reaches 120: put back at 180
    EXPECT_EQ(logo.Picture1.Top(), 180);
    EXPECT_EQ(logo.Picture1.Left(), 360);
    EXPECT_TRUE(logo.Label1.Visible());
    EXPECT_EQ(logo.Label1.Caption(), "Opäť uvádza hru: ");
    advance(100);
    EXPECT_EQ(logo.Picture1.Top(), 180);  // the slide has stopped

    advance(2399);
    EXPECT_TRUE(logo.Loaded());
    EXPECT_FALSE(menu.Visible());
    advance(1);
    EXPECT_FALSE(logo.Loaded());
    EXPECT_TRUE(menu.Visible());
    // The menu's clock has run behind the splash screen: 3 s after the start.
    EXPECT_EQ(menu.Label8.Caption(), "14:30:08");
    EXPECT_EQ(modul1.StartTime, rt::DateTime{fakes.clock->wallMsecs() - 3060});

    advance(60'000);
    EXPECT_FALSE(logo.Loaded());
    EXPECT_FALSE(app.ended());
}

// The splash has loaded the menu hidden: closing it (Alt+F4, the window
// manager's close) while it slides or rests ends the program, as quorrel's
// does, rather than leaving the hidden menu running with no window.
class SplashCloseTest : public NebulorTest, public ::testing::WithParamInterface<int> {};

TEST_P(SplashCloseTest, ClosingTheSplashEndsTheProgram) {
    rt::Start(logo);
    advance(GetParam());
    ASSERT_TRUE(menu.Loaded());
    rt::WindowOf(logo)->close();
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 0);
    advance(5000);
    EXPECT_FALSE(menu.Visible());  // no hand-over after the end
}

INSTANTIATE_TEST_SUITE_P(SlidingOrResting, SplashCloseTest, ::testing::Values(100, 56 * 10 + 1000),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param < 560 ? "WhileSliding" : "AtRest");
                         });

class MenuTest : public NebulorTest {
  protected:
    void expectColouring(rt::Color back, rt::Color text) {
        for (rt::Label* l : {&menu.Label1, &menu.Label2}) {
            EXPECT_EQ(l->BackColor(), back) << l->Name();
            EXPECT_EQ(l->ForeColor(), text) << l->Name();
        }
    }
    void expectMediumChosen() {
        EXPECT_TRUE(menu.Option2.Value());
        EXPECT_EQ(modul1.EasyLevel, kFalse);
        EXPECT_EQ(modul1.MediumLevel, kTrue);
        EXPECT_EQ(modul1.HardLevel, kFalse);
        EXPECT_EQ(modul1.BestScoreSet, kFalse);
    }
    // A game on `option` that kills invader 1 `kills` times, then loses.
    void playAndLose(rt::OptionButton& option, int kills) {
        startGame(&option, {RndFor(10, 1500, 1), kRndMax});
        for (int k = 0; k < kills; ++k) {
            advance(10);
            while (!hra.Image3.Visible()) advance(10);
            Click(hra.Image3);
            Click(hra.Image3);
        }
        while (hra.Loaded()) advance(20);
    }
};

TEST_F(MenuTest, FirstLoadShowsNoBestScoreTheClockAndMedium) {
    openMenu();
    EXPECT_EQ(rt::WindowOf(menu)->size(), QSize(428, 358));
    EXPECT_EQ(rt::WindowOf(menu)->windowTitle(), "Nebulor");
    EXPECT_EQ(menu.Label1.Caption(), "Najlepšie skóre: 0");
    EXPECT_EQ(menu.Label2.Caption(), "Na obtiažnosť: žiadnu");
    EXPECT_EQ(menu.Label8.Caption(), "14:30:05");
    EXPECT_EQ(menu.Label9.Caption(), "7. 12. 2026");
    EXPECT_EQ(menu.Label8.ToolTipText(), "Prestný čas: 14:30:05");
    EXPECT_EQ(menu.Label9.ToolTipText(), "Dnes je: 7. 12. 2026");
    expectColouring(rt::rgb(0xFFE0C0), rt::rgb(0xC00000));
    expectMediumChosen();
    EXPECT_EQ(menu.Label3.Caption().rfind("Zlý, nechutný, odporný, smradľavý", 0), 0u);

    advance(1000);
    EXPECT_EQ(menu.Label8.Caption(), "14:30:06");
    EXPECT_EQ(menu.Label8.ToolTipText(), "Prestný čas: 14:30:06");
}

TEST_F(MenuTest, OptionsSetTheFlagsAndAGameBringsMediumBack) {
    openMenu();
    Click(menu.Option3);
    EXPECT_EQ(modul1.HardLevel, kTrue);
    EXPECT_EQ(modul1.MediumLevel, kFalse);
    Click(menu.Option1);
    EXPECT_EQ(modul1.EasyLevel, kTrue);
    EXPECT_EQ(modul1.HardLevel, kFalse);
    modul1.EasyLevel = kFalse;  // the selected option clicked again sets its flags again
    Click(menu.Option1);
    EXPECT_EQ(modul1.EasyLevel, kTrue);

    playAndLose(menu.Option3, 0);
    ASSERT_TRUE(menu.Visible());
    expectMediumChosen();
}

TEST_F(MenuTest, ANewBestIsPurpleOnYellowOnceThenTheDesignColoursReturn) {
    openMenu();
    playAndLose(menu.Option3, 1);
    ASSERT_TRUE(menu.Visible());
    EXPECT_EQ(menu.Label1.Caption(), "Najlepšie skóre: 1");
    EXPECT_EQ(menu.Label2.Caption(), "Na obtiažnosť: ťažkú");
    expectColouring(rt::rgb(0xFFFFC0), rt::rgb(0xC000C0));
    expectMediumChosen();

    playAndLose(menu.Option1, 1);  // equal: not a new best
    EXPECT_EQ(menu.Label1.Caption(), "Najlepšie skóre: 1");
    EXPECT_EQ(menu.Label2.Caption(), "Na obtiažnosť: ťažkú");
    expectColouring(rt::rgb(0xFFE0C0), rt::rgb(0xC00000));
}

TEST_F(MenuTest, HoveringLightsTheMarkersForAMomentAndKeepsTheDashes) {
    openMenu();
    advance(200);  // the first tick gives the markers their normal look
    EXPECT_EQ(menu.Shape3.BorderColor(), rt::rgb(0x0000C0));
    EXPECT_FALSE(menu.Timer2.Enabled());

    MoveOver(menu.Command4);
    EXPECT_EQ(menu.Command4.Caption(), "- About -");
    EXPECT_EQ(menu.Command1.Caption(), "Nová hra");
    for (rt::Shape* lit : {&menu.Shape5, &menu.Shape6}) {
        EXPECT_EQ(lit->BorderColor(), rt::rgb(0x008080));
        EXPECT_EQ(lit->FillColor(), rt::rgb(0x80FFFF));
    }
    EXPECT_EQ(menu.Shape3.FillColor(), rt::rgb(0x8080FF));
    EXPECT_TRUE(menu.Timer2.Enabled());

    advance(100);
    MoveTo(menu, rt::testing::CentreOf(menu.Command4) + QPoint(3, 1));  // within: no change
    advance(100);
    EXPECT_EQ(menu.Shape5.FillColor(), rt::rgb(0x8080FF));  // 200 ms after entering
    EXPECT_EQ(menu.Command4.Caption(), "- About -");
    EXPECT_FALSE(menu.Timer2.Enabled());

    MoveOver(menu.Command3);  // straight to another button
    EXPECT_EQ(menu.Command3.Caption(), "- Koniec -");
    EXPECT_EQ(menu.Command4.Caption(), "About");
    EXPECT_EQ(menu.Shape7.FillColor(), rt::rgb(0x80FFFF));
    EXPECT_EQ(menu.Shape5.FillColor(), rt::rgb(0x8080FF));

    MoveOver(menu.Label3);  // a label is not the bare form
    EXPECT_EQ(menu.Command3.Caption(), "- Koniec -");
    MoveTo(menu, QPoint(400, 150));  // the bare form
    EXPECT_EQ(menu.Command3.Caption(), "Koniec");
    EXPECT_EQ(menu.Shape7.FillColor(), rt::rgb(0x80FFFF));  // markers untouched
}

TEST_F(MenuTest, BestScoreLabelsOpenTheirBoxesAndSetTheirTooltips) {
    openMenu();
    Click(menu.Label1);
    Click(menu.Label2);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].prompt, "Najlepšie skóre je: 0.");
    EXPECT_EQ(messages()[0].title, "Najlepšie skóre");
    EXPECT_EQ(messages()[0].style, rt::vbInformation);
    EXPECT_EQ(messages()[1].prompt,
              "Vyššie uvedené najlepšie skóre si nahral na obtiažnosť: žiadnu.");
    EXPECT_EQ(messages()[1].title, "Na obtiažnosť");

    modul1.BestScore = 25;
    modul1.BestScoreLevel = "ťažkú";
    MoveOver(menu.Label1);
    EXPECT_EQ(menu.Label1.ToolTipText(), "Najlepšie skóre je: 25.");
    MoveOver(menu.Label2);
    EXPECT_EQ(menu.Label2.ToolTipText(),
              "Vyššie uvedené najlepšie skóre si nahral na obtiažnosť: ťažkú.");

    Click(menu.Label5);
    Click(menu.Label6);
    ASSERT_EQ(messages().size(), 4u);
    EXPECT_EQ(messages()[3].title, menu.Label6.Caption());  // the web address
    EXPECT_EQ(menu.Label6.ToolTipText(), menu.Label6.Caption());
}

TEST_F(MenuTest, EachWindowOpensWhereThePlayerLooks) {
    rt::Start(logo);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint splash = rt::WindowOf(logo)->geometry().center();
    EXPECT_LE((splash - screen.center()).manhattanLength(), 1);
    advance(56 * 10 + 2500);
    const QPoint centre = rt::WindowOf(menu)->geometry().center();
    EXPECT_LE((centre - splash).manhattanLength(), 1);
    startGame();
    EXPECT_LE((rt::WindowOf(hra)->geometry().center() - centre).manhattanLength(), 1);
    EXPECT_EQ(rt::WindowOf(hra)->size(), QSize(566, 373));  // the layout's client size
}

// Every caption can be read whole, with the bundled fonts and where they are
// missing; CTest runs this again at device pixel ratios 1.5 and 2.
class CaptionTest : public MenuTest, public ::testing::WithParamInterface<bool> {
  protected:
    std::vector<std::string> unreadable(rt::Form& form) {
        return rt::testing::UnreadableCaptions(form, GetParam());
    }
};

TEST_P(CaptionTest, EveryCaptionIsReadableOnEveryScreen) {
    const std::vector<std::string> none;
    rt::Start(logo);
    advance(56 * 10);
    EXPECT_EQ(unreadable(logo), none);
    advance(2500);
    EXPECT_EQ(unreadable(menu), none);
    Click(menu.Command4);
    EXPECT_EQ(unreadable(program.about), none);
    program.about.Unload();
    startGame(&menu.Option3);
    for (rt::Label* l : {&hra.Label3, &hra.Label6, &hra.Label7}) l->SetVisible(true);
    hra.Label4.SetCaption("Skóre: 32768");
    hra.Label5.SetCaption("Naj skóre: 32768");
    EXPECT_EQ(unreadable(hra), none);
}

INSTANTIATE_TEST_SUITE_P(Fonts, CaptionTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Fallback" : "Bundled");
                         });

// A player who asked for English reads every form, box and verdict in it,
// each caption whole (at every scale: see tests/CMakeLists.txt).
using EnglishTest = rt::testing::InEnglish<NebulorTest>;

TEST_F(EnglishTest, EveryCaptionIsReadableOnEveryScreenInEnglish) {
    rt::Start(logo);
    advance(56 * 10);
    expectEnglish(logo);
    advance(2500);
    MoveOver(menu.Command1);
    EXPECT_EQ(menu.Command1.Caption(), "- New game -");
    for (rt::Label* l : {&menu.Label1, &menu.Label2, &menu.Label5, &menu.Label6}) {
        MoveOver(*l);
        Click(*l);
    }
    expectEnglish(menu);
    EXPECT_EQ(menu.Label3.Caption().substr(0, 20), "The evil, disgusting");
    Click(menu.Command4);
    Click(program.about.cmdSysInfo);
    expectEnglish(program.about);
    program.about.Unload();
    startGameWithIntervals(&menu.Option3, 10, 2000);
    for (rt::Label* l : {&hra.Label3, &hra.Label6, &hra.Label7}) l->SetVisible(true);
    hra.Label4.SetCaption("Score: 32768");
    hra.Label5.SetCaption("Top score: 32768");
    expectEnglish(hra);
    advance(5000);  // invader 1 lands
    ASSERT_TRUE(menu.Visible());
    EXPECT_EQ(messages().back().title, "You lost");
    EXPECT_EQ(messages().back().prompt,
              "You lost: an alien landed on Earth.\rYour score: 0. Sadly, you did not beat the "
              "best score.");
    EXPECT_EQ(EndText(Outcome::Victory, 61, true),
              "Congratulations! You destroyed both alien UFOs and saved Earth from ruin, that is, "
              "from the alien invasion... Your score: 61.");
    EXPECT_EQ(EndText(Outcome::Defeat, 7, true).substr(48),
              "7, and with it you beat the best score.");
    EXPECT_EQ(EndTitle(Outcome::Victory), "You won");
    for (const rt::testing::Message& m : messages())
        EXPECT_FALSE(rt::testing::HasSlovakLetters(m.prompt + m.title)) << m.prompt;
    EXPECT_EQ(untranslated(), std::vector<std::string>());
}

TEST_F(MenuTest, KoniecEndsTheProgram) {
    openMenu();
    Click(menu.Command3);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 0);
}

// Ctrl+N as "Nová hra"; F1 shows the menu's rules, over a paused game too;
// Ctrl+Q ends the program from the game's window.
TEST_F(MenuTest, CtrlNStartsAGameF1ShowsTheRulesAndCtrlQEnds) {
    using rt::testing::PressKey;
    openMenu();
    PressKey(menu, Qt::Key_F1);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt, Menu::kRules);
    EXPECT_EQ(messages()[0].title, "Nebulor");
    EXPECT_EQ(messages()[0].style, rt::vbInformation);
    PressKey(menu, Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(hra.Visible());
    EXPECT_FALSE(menu.Loaded());
    PressKey(hra, Qt::Key_F1);
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_TRUE(app.paused());
    PressKey(hra, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 0);
}

TEST_F(MenuTest, ClosingTheMenuWindowEndsTheProgram) {
    openMenu();
    rt::WindowOf(menu)->close();
    EXPECT_TRUE(app.ended());
}

}  // namespace
}  // namespace nebulor::testing
