// nebulor's about box as a player sees it: what it shows, the start time
// however often it opens, and that it lives apart from the menu and the game.

#include <QFontMetrics>

#include "nebulor/program.h"
#include "tests/about/support.h"

namespace about::testing {
namespace {

TEST_F(NebulorAboutTest, ShowsVersionStartTimeAndTheMakerFromTheConfiguredPlace) {
    about.Show();
    EXPECT_EQ(about.window()->windowTitle(), "About");
    EXPECT_EQ(about.window()->size(), QSize(371, 312));
    EXPECT_TRUE(about.window()->windowFlags().testFlag(Qt::Tool));
    EXPECT_STREQ(about.Label12.Caption().c_str(), maker::kNebulor.version);
    EXPECT_EQ(about.Label9.Caption(), "Hru si zapol o: 9:15:30.");
    EXPECT_EQ(about.Label6.Caption(), maker::kWeb);
    EXPECT_EQ(about.Label8.Caption(), maker::kEmail);
    EXPECT_NE(about.lblVersion.Caption().find(maker::NameOr("Nebulor")), std::string::npos);
    EXPECT_NE(about.lblVersion.Caption().find(maker::kYear), std::string::npos);
    EXPECT_EQ(about.picIcon.widget()->size(), QSize(36, 36));  // the picture and its border
    EXPECT_EQ(about.window()->focusWidget(), about.cmdOK.widget());
}

TEST_F(NebulorAboutTest, ReopenedAfterOkItShowsTheSameStartTime) {
    about.Show();
    fakes.clock->advance(3'600'000);  // now 15:30:05
    Click(about.cmdOK);
    EXPECT_FALSE(about.Loaded());
    EXPECT_FALSE(app.ended());  // the menu is still open
    about.Show();
    EXPECT_EQ(about.Label9.Caption(), "Hru si zapol o: 9:15:30.");
    EXPECT_STREQ(about.Label12.Caption().c_str(), maker::kNebulor.version);

    Click(about.cmdOK);
    startTime = rt::DateTime{kMorning.msecs + 60'000};  // the program's own record is read
    about.Show();
    EXPECT_EQ(about.Label9.Caption(), "Hru si zapol o: 9:16:30.");
}

TEST_F(NebulorAboutTest, OurTextsFitTheirLabels) {
    about.Show();
    const rt::Font tahoma{"Tahoma", 8.25f}, bold{"Tahoma", 8.25f, true};
    for (auto [label, font] : {std::pair{&about.lblVersion, bold},
                               {&about.Label12, tahoma},
                               {&about.Label3, bold},
                               {&about.Label6, tahoma},
                               {&about.Label8, tahoma},
                               {&about.Label9, rt::Font{}}})
        ExpectOneLine(*label, font);
    // The notice shares its line with "Verzia:".
    const QFontMetrics metrics(rt::toQFont(bold));
    EXPECT_LE(about.lblVersion.Left() / rt::kTwipsPerPixel +
                  metrics.horizontalAdvance(QString::fromStdString(about.lblVersion.Caption())),
              about.Label11.Left() / rt::kTwipsPerPixel);
}

// The whole program: the box opened from the menu, the start time the splash recorded.
class NebulorProgramTest : public ::testing::Test {
  protected:
    void TearDown() override { rt::testing::FlushDeletes(); }

    rt::testing::Fakes fakes;
    rt::App app{nebulor::kInfo.title, rt::testing::MakeTestPlatform(fakes)};
    nebulor::Program program;
    nebulor::Menu& menu = program.menu;
    NebulorAbout& about = program.about;
};

TEST_F(NebulorProgramTest, TheBoxOutlivesTheMenuAndAGameAndKoniecEndsItAll) {
    rt::Start(program.logo);
    for (int ms = 0; ms < 10'000 && !menu.Visible(); ms += 10) fakes.clock->advance(10);
    ASSERT_TRUE(menu.Visible());
    Click(menu.Command4);
    ASSERT_TRUE(about.Visible());
    EXPECT_EQ(about.Label9.Caption(), "Hru si zapol o: 14:30:05.");  // the splash's record
    QWidget* window = about.window();

    Click(menu.Command1);  // a game: the menu unloads
    ASSERT_FALSE(menu.Loaded());
    EXPECT_TRUE(about.Visible());
    program.hra.window()->close();  // back to the menu
    ASSERT_TRUE(menu.Visible());
    Click(menu.Command4);  // only brought to the front
    EXPECT_EQ(about.window(), window);

    Click(menu.Command3);  // "Koniec"
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 0);
}

}  // namespace
}  // namespace about::testing
