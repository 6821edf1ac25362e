// quorrel's about box as a player sees it: what it shows, how it opens and
// closes again, and that it lives apart from the game window.

#include <QApplication>

#include "quorrel/program.h"
#include "runtime/view/widgets.h"
#include "tests/about/support.h"

namespace about::testing {
namespace {

class QuorrelAboutTest : public ::testing::Test {
  protected:
    void TearDown() override { rt::testing::FlushDeletes(); }
    const std::vector<rt::testing::Message>& messages() { return fakes.dialogs->shown; }
    // Straight to the game window, as the splash screen hands over to it.
    void openGameWindow() { rt::Start(hra); }
    void closeGameWindow() {
        app.dispatch([&] { hra.Unload(); });
    }

    rt::testing::Fakes fakes;
    rt::App app{quorrel::kInfo.title, rt::testing::MakeTestPlatform(fakes)};
    quorrel::Program program;
    quorrel::Hra& hra = program.hra;
    QuorrelAbout& about = program.about;
};

TEST_F(QuorrelAboutTest, TheGameWindowsAboutOpensTheVioletBoxWithItsVersion) {
    openGameWindow();
    Click(hra.Command3);
    ASSERT_TRUE(about.Visible());
    EXPECT_EQ(rt::WindowOf(about)->windowTitle(), "About");
    EXPECT_EQ(rt::WindowOf(about)->size(), QSize(284, 205));
    EXPECT_STREQ(about.Label8.Caption().c_str(), maker::kQuorrel.version);
    EXPECT_EQ(about.lblVersion.Caption(), maker::kWeb);
    EXPECT_EQ(about.lblDescription.Caption(), maker::kEmail);
    EXPECT_NE(about.lblTitle.Caption().find(maker::NameOr("Quorrel")), std::string::npos);
    const rt::Font tahoma{"Tahoma", 8.25f};
    for (auto [label, font] : {std::pair{&about.lblTitle, rt::Font{"Tahoma", 8.25f, true}},
                               {&about.Label3, tahoma},
                               {&about.Label8, tahoma},
                               {&about.lblVersion, tahoma},
                               {&about.lblDescription, tahoma}})
        ExpectOneLine(*label, font);
}

TEST_F(QuorrelAboutTest, AboutTwiceGivesOneBoxAndAfterOkItLoadsAfresh) {
    openGameWindow();
    Click(hra.Command3);
    QWidget* window = rt::WindowOf(about);
    about.Label8.SetCaption("");
    Click(hra.Command3);  // only brought to the front: not loaded again
    EXPECT_EQ(rt::WindowOf(about), window);
    EXPECT_EQ(about.Label8.Caption(), "");
    int boxes = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        boxes += w->isVisible() && w->windowTitle() == "About";
    EXPECT_EQ(boxes, 1);

    Click(about.cmdOK);
    EXPECT_FALSE(about.Loaded());
    EXPECT_FALSE(app.ended());
    Click(hra.Command3);
    EXPECT_STREQ(about.Label8.Caption().c_str(), maker::kQuorrel.version);
}

TEST_F(QuorrelAboutTest, TheProgramEndsOnlyWhenTheGameWindowAndTheBoxAreBothClosed) {
    openGameWindow();
    Click(hra.Command3);
    closeGameWindow();
    EXPECT_FALSE(app.ended());
    EXPECT_TRUE(about.Visible());
    Click(about.cmdSysInfo);  // still usable on its own
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt, kQuorrelUnavailable);
    EXPECT_EQ(messages()[0].style, rt::vbOKOnly);
    EXPECT_EQ(messages()[0].title, "Quorrel");
    Click(about.cmdOK);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 0);
}

TEST_F(QuorrelAboutTest, AGameEndsOnceWhileTheBoxSaysTheToolIsMissing) {
    openGameWindow();
    Click(hra.Command3);
    Click(hra.Option1);
    fakes.random->push(0.0f);  // the slowest walker: 793 ticks to the edge
    Click(hra.Command1);
    fakes.dialogs->whileOpen = [&](const rt::testing::Message& m) {
        if (m.prompt == kQuorrelUnavailable) fakes.clock->advance(60'000);
    };
    Click(about.cmdSysInfo);
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[0].prompt, kQuorrelUnavailable);
    EXPECT_EQ(messages()[1].prompt, "Prehral(a) si mimozemšťan utiekol ufom!");
    EXPECT_EQ(messages()[2].style, rt::vbInformation);  // the verdict
    EXPECT_FALSE(hra.Timer1.Enabled());
    EXPECT_TRUE(hra.Command1.Visible());
    EXPECT_TRUE(about.Visible());
    EXPECT_FALSE(app.ended());
}

}  // namespace
}  // namespace about::testing
