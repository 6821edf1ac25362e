#pragma once
// One fixture for a whole program on the test platform: its forms over a
// virtual clock, scripted random numbers and recorded message boxes, and
// clicks where the player sees a control.

#include <gtest/gtest.h>

#include <QWidget>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/base/app.h"
#include "runtime/start/startup.h"
#include "runtime/testing/catalogue.h"
#include "runtime/testing/fakes.h"
#include "runtime/testing/mouse.h"
#include "runtime/view/widgets.h"

namespace rt::testing {

// The smallest and the largest number Rnd can return.
inline constexpr float kRndMin = 0.0f;
inline const float kRndMax = std::nextafter(1.0f, 0.0f);

template <class Program, const ProgramInfo& Info>
class ProgramTest : public ::testing::Test {
  protected:
    Fakes fakes;
    App app{Info.title, MakeTestPlatform(fakes)};
    Program program;

    void TearDown() override { FlushDeletes(); }

    void advance(std::int64_t ms) { fakes.clock->advance(ms); }
    const std::vector<Message>& messages() { return fakes.dialogs->shown; }

    // The control's pixels (window coordinates) as the screen shows them.
    static QRect pixelsOf(Control& control) {
        FlushDrawing();
        const QWidget* window = rt::WindowOf(control.Parent());
        return window ? control.shownPixels().intersected(window->rect()) : QRect();
    }

    // True when a click at `pixel` reaches `control` and nothing stacked above it.
    static bool onTop(Control& control, QPoint pixel) {
        return control.Parent().controlAt(pixel) == &control;
    }

    // A pixel of `control` that no other control covers, nearest its centre.
    static std::optional<QPoint> uncoveredPixel(Control& control) {
        const QRect r = pixelsOf(control);
        std::optional<QPoint> best;
        auto distance = [&](QPoint p) { return (p - r.center()).manhattanLength(); };
        for (int y = r.top(); y <= r.bottom(); y += 2)
            for (int x = r.left(); x <= r.right(); x += 2)
                if (QPoint p(x, y); onTop(control, p) && (!best || distance(p) < distance(*best)))
                    best = p;
        return best;
    }

    // Clicks `control` where the player sees it.
    static void shootWhereSeen(Control& control) {
        const std::optional<QPoint> p = uncoveredPixel(control);
        ASSERT_TRUE(p) << control.Name() << " shows nowhere";
        ClickAt(control.Parent(), *p);
    }
};

// A program's fixture as a player who asked for English meets it: the
// catalogues are installed before the fixture's forms are made.
template <class ProgramFixture>
class InEnglish : private English, public ProgramFixture {
  protected:
    // Every caption of `form` whole with either fonts, and no Slovak letter in
    // any text it shows or names.
    void expectEnglish(Form& form) {
        for (bool fallbackFonts : {false, true})
            EXPECT_EQ(UnreadableCaptions(form, fallbackFonts), std::vector<std::string>());
        for (const std::string& text : TextsOf(form)) EXPECT_FALSE(HasSlovakLetters(text)) << text;
    }
    std::vector<std::string> untranslated() const { return English::untranslated(); }
};

}  // namespace rt::testing
