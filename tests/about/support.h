#pragma once
// The about boxes on the test platform, each kept company by a window that
// stands for the one that opened it, so that closing the box ends nothing.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QWidget>

#include "about/nebulor_about.h"
#include "about/quorrel_about.h"
#include "runtime/base/app.h"
#include "runtime/drawing/drawing.h"
#include "runtime/testing/fakes.h"
#include "runtime/testing/mouse.h"

namespace about::testing {

using rt::testing::Click;

inline const rt::ProgramInfo kNebulor{.command = "nebulor",
                                      .title = "Nebulor",
                                      .major = maker::kNebulor.major,
                                      .minor = maker::kNebulor.minor,
                                      .revision = maker::kNebulor.revision,
                                      .summary = "",
                                      .appId = ""};
inline constexpr const char* kNebulorUnavailable = "Systémové inforácie nie sú teraz prístupné";
inline constexpr const char* kQuorrelUnavailable = "Informácie o systéme nie sú teraz prístupné";

// 09:15:30 on the test clock's day, hours before the clock's 14:30:05.
inline constexpr rt::DateTime kMorning{1796653805000 - (5 * 3600 + 14 * 60 + 35) * 1000};

// A caption drawn in `font` stays on one line within its label.
inline void ExpectOneLine(rt::Label& label, const rt::Font& font) {
    const QFontMetrics metrics(rt::toQFont(font));
    EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(label.Caption())),
              rt::ToPixels(label.Width()))
        << label.Name() << ": " << label.Caption();
}

class Opener final : public rt::Form {
  public:
    Opener() : rt::Form({.caption = "Menu", .width = 1500, .height = 1500}) {}
};

class NebulorAboutTest : public ::testing::Test {
  protected:
    void SetUp() override { rt::Start(opener); }
    void TearDown() override { rt::testing::FlushDeletes(); }

    const std::vector<rt::testing::Message>& messages() { return fakes.dialogs->shown; }
    void sysInfo() {
        about.Show();
        Click(about.cmdSysInfo);
    }

    rt::testing::Fakes fakes;
    rt::App app{kNebulor.title, rt::testing::MakeTestPlatform(fakes)};
    rt::DateTime startTime = kMorning;  // as nebulor's splash records it
    Opener opener;
    NebulorAbout about{kNebulor, startTime};
};

}  // namespace about::testing
