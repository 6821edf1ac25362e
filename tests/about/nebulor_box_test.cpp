// nebulor's about box as a player sees it: what it shows, the start time
// however often it opens, and that it lives apart from the menu and the game;
// and both programs' clocks in every locale.

#include <QFontMetrics>
#include <QLocale>
#include <QRegularExpression>
#include <set>

#include "nebulor/program.h"
#include "quorrel/program.h"
#include "runtime/base/time_text.h"
#include "runtime/view/widgets.h"
#include "tests/about/support.h"

namespace about::testing {
namespace {

TEST_F(NebulorAboutTest, ShowsVersionStartTimeAndTheMakerFromTheConfiguredPlace) {
    about.Show();
    EXPECT_EQ(rt::WindowOf(about)->windowTitle(), "About");
    EXPECT_EQ(rt::WindowOf(about)->size(), QSize(371, 312));
    EXPECT_TRUE(rt::WindowOf(about)->windowFlags().testFlag(Qt::Tool));
    EXPECT_STREQ(about.Label12.Caption().c_str(), maker::kNebulor.version);
    EXPECT_EQ(about.Label9.Caption(), "Hru si zapol o: 9:15:30.");
    EXPECT_EQ(about.Label6.Caption(), maker::kWeb);
    EXPECT_EQ(about.Label8.Caption(), maker::kEmail);
    EXPECT_NE(about.lblVersion.Caption().find(maker::NameOr("Nebulor")), std::string::npos);
    EXPECT_NE(about.lblVersion.Caption().find(maker::kYear), std::string::npos);
    EXPECT_EQ(rt::WidgetOf(about.picIcon)->size(), QSize(36, 36));  // the picture and its border
    EXPECT_EQ(rt::WindowOf(about)->focusWidget(), rt::WidgetOf(about.cmdOK));
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
    QWidget* window = rt::WindowOf(about);

    Click(menu.Command1);  // a game: the menu unloads
    ASSERT_FALSE(menu.Loaded());
    EXPECT_TRUE(about.Visible());
    rt::WindowOf(program.hra)->close();  // back to the menu
    ASSERT_TRUE(menu.Visible());
    Click(menu.Command4);  // only brought to the front
    EXPECT_EQ(rt::WindowOf(about), window);

    Click(menu.Command3);  // "Koniec"
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 0);
}

// Late in the evening, in every locale Qt knows: the time without its zone
// or the brackets and comma that set it apart, and each clock caption whole,
// neither cut nor elided, so that evening never reads as morning.
TEST(ClockTest, EveryLocaleShowsTheWholeTimeLateInTheEvening) {
    const rt::DateTime late{1796653805000 + (8 * 3600 + 29 * 60 - 2) * 1000};  // 22:59:03
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    const QLocale before;
    std::vector<std::string> wrong;
    const auto check = [&](const QLocale& locale, rt::Form& form) {
        for (const std::string& text : rt::testing::UnreadableCaptions(form))
            wrong.push_back(locale.name().toStdString() + ": " + text);
    };
    // Locales that write every text alike are drawn once.
    std::set<std::string> drawn;
    const auto seen = [&](const QLocale& locale) {
        std::string texts = locale.name().left(2).toStdString() + rt::DateText(late);
        for (int form = 0; form < rt::kTimeForms; ++form)
            for (rt::DateTime moment : rt::WidestMoments(late))
                texts += "|" + rt::TimeText(moment, form) + rt::TimeText(rt::DateTime{0}, form);
        return !drawn.insert(texts).second;
    };
    {
        rt::testing::Fakes fakes;
        rt::App app{nebulor::kInfo.title, rt::testing::MakeTestPlatform(fakes, late.msecs)};
        nebulor::Program program;
        rt::Start(program.menu);
        for (const QLocale& locale : locales) {
            QLocale::setDefault(locale);
            // The AM/PM word may hold a comma of its own (sd_PK).
            const QString time = QString::fromStdString(rt::TimeText(late))
                                     .remove(locale.amText())
                                     .remove(locale.pmText());
            if (time.contains(
                    QRegularExpression(QStringLiteral(R"([][(){},，、（）［］【】،]|UTC)"))))
                wrong.push_back(locale.name().toStdString() + ": " + time.toStdString());
            if (seen(locale)) continue;
            rt::Dispatch(program.menu, program.menu.Timer1.Tick);
            program.about.Show();
            check(locale, program.menu);
            check(locale, program.about);
            rt::Dispatch(program.about, [&] { program.about.Unload(); });
        }
        QLocale::setDefault(before);
        rt::testing::FlushDeletes();
    }
    drawn.clear();
    rt::testing::Fakes fakes;
    rt::App app{quorrel::kInfo.title, rt::testing::MakeTestPlatform(fakes, late.msecs)};
    quorrel::Program program;
    rt::Start(program.hra);
    for (const QLocale& locale : locales) {
        QLocale::setDefault(locale);
        if (seen(locale)) continue;
        rt::Dispatch(program.hra, program.hra.Timer2.Tick);
        check(locale, program.hra);
    }
    QLocale::setDefault(before);
    rt::testing::FlushDeletes();
    EXPECT_GT(locales.size(), 300);
    for (const std::string& w : wrong) ADD_FAILURE() << w;
}

}  // namespace
}  // namespace about::testing
