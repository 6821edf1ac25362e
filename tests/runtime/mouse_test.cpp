// Real mouse events: Qt's own hit-testing must pick the control a player would hit.

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QWidget>

#include "runtime/view/widgets.h"
#include "tests/runtime/support.h"

namespace rttest {
namespace {

using rt::testing::Click;
using rt::testing::ClickAt;
using rt::testing::MoveOver;
using rt::testing::MoveTo;

std::string Where(const std::string& who, rt::Twips x, rt::Twips y) {
    return who + " " + std::to_string(static_cast<int>(x)) + "," +
           std::to_string(static_cast<int>(y));
}

// Pixels: Image1 40..139, Image2 80..179 (both axes); Label1 x 200..299, y 20..99
// over Command1 y 80..119; Shape1 x 40..139, y 200..239; Line1 at y 220, x 200..300.
class Pond final : public rt::Form {
  public:
    Pond() : rt::Form(rt::FormDesign{.caption = "Pond", .width = 5250, .height = 4500}) {
        Image1.Click = [this] { clicks += "1"; };
        Image2.Click = [this] { clicks += "2"; };
        Label1.Click = [this] { clicks += "L"; };
        Command1.Click = [this] { clicks += "C"; };
        Label1.MouseMove = [this](int, int, rt::Twips x, rt::Twips y) {
            moves.push_back(Where("Label1", x, y));
        };
        Command1.MouseMove = [this](int, int, rt::Twips x, rt::Twips y) {
            moves.push_back(Where("Command1", x, y));
        };
    }

    // clang-format off
    rt::Image Image1{*this, "Image1", {600, 600, 1500, 1500}, {}};
    rt::Image Image2{*this, "Image2", {1200, 1200, 1500, 1500}, {}};
    rt::Label Label1{*this, "Label1", {3000, 300, 1500, 1200}, {.caption = "Label"}};
    rt::CommandButton Command1{*this, "Command1", {3000, 1200, 1500, 600}, {.caption = "Go"}};
    rt::Shape Shape1{*this, "Shape1", {600, 3000, 1500, 600}, {}};
    rt::Line Line1{*this, "Line1", {.x1 = 3000, .y1 = 3300, .x2 = 4500, .y2 = 3300}};
    // clang-format on

    std::string clicks;
    Log moves;

  private:
    void Form_MouseMove(int, int, rt::Twips x, rt::Twips y) override {
        moves.push_back(Where("Form", x, y));
    }
};

using MouseTest = RuntimeTest;

TEST_F(MouseTest, ClicksReachTheTopmostEnabledVisibleControl) {
    Pond f;
    rt::Start(f);
    const QPoint overlap(110, 110), image1Only(60, 60);
    ClickAt(f, overlap);          // first in stored order is on top
    ClickAt(f, QPoint(250, 90));  // a button stays above a label stored before it
    EXPECT_EQ(f.clicks, "1C");

    f.Image1.SetEnabled(false);
    ClickAt(f, overlap);
    ClickAt(f, image1Only);
    EXPECT_EQ(f.clicks, "1C2");

    f.Image1.SetEnabled(true);
    f.Image1.SetVisible(false);
    ClickAt(f, image1Only);
    ClickAt(f, overlap);
    EXPECT_EQ(f.clicks, "1C22");

    f.Command1.SetEnabled(false);
    ClickAt(f, QPoint(250, 110));
    EXPECT_EQ(f.clicks, "1C22");
}

TEST_F(MouseTest, ShapesAndLinesPassMovesToTheFormControlsKeepTheirOwn) {
    Pond f;
    rt::Start(f);
    MoveTo(f, QPoint(60, 210));
    const QPoint onLine = rt::testing::CentreOf(f.Line1);
    MoveOver(f.Line1);
    MoveTo(f, QPoint(204, 22));   // 4,2 pixels into the label
    MoveTo(f, QPoint(210, 110));  // 10,30 pixels into the button
    EXPECT_EQ(f.moves, (Log{"Form 900,3150", Where("Form", onLine.x() * 15, onLine.y() * 15),
                            "Label1 60,30", "Command1 150,450"}));
}

class Choices final : public rt::Form {
  public:
    Choices() : rt::Form(rt::FormDesign{.caption = "Choices", .width = 6000, .height = 3000}) {
        for (rt::OptionButton* o : {&A1, &A2, &B1, &B2, &C1})
            o->Click = [this, o] { clicks += o->Name() + " "; };
    }

    // clang-format off
    rt::OptionButton A1{*this, "A1", {120, 120, 1500, 300}, {.caption = "A1", .value = true}};
    rt::OptionButton A2{*this, "A2", {120, 600, 1500, 300}, {.caption = "A2"}};
    rt::Frame Frame1{*this, "Frame1", {120, 1200, 2500, 1500}, {.caption = "F1"}};
    rt::OptionButton B1{Frame1, "B1", {120, 300, 1500, 300}, {.caption = "B1", .value = true}};
    rt::OptionButton B2{Frame1, "B2", {120, 800, 1500, 300}, {.caption = "B2"}};
    rt::Frame Frame2{*this, "Frame2", {3000, 1200, 2500, 1500}, {.caption = "F2"}};
    rt::OptionButton C1{Frame2, "C1", {120, 300, 1500, 300}, {.caption = "C1"}};
    // clang-format on

    std::string clicks;
};

TEST_F(MouseTest, OptionsExcludeEachOtherOnlyWithinTheirContainer) {
    Choices f;
    rt::Start(f);
    auto values = [&] {
        std::string v;
        for (rt::OptionButton* o : {&f.A1, &f.A2, &f.B1, &f.B2, &f.C1}) v += o->Value() ? '1' : '0';
        return v;
    };
    Click(f.A2);
    Click(f.A2);  // already selected: a left click still raises Click
    EXPECT_EQ(values(), "01100");
    f.B2.SetValue(true);
    EXPECT_EQ(values(), "01010");
    Click(f.C1);
    EXPECT_EQ(values(), "01011");
    f.A1.SetValue(true);
    EXPECT_EQ(values(), "10011");
    EXPECT_EQ(f.clicks, "A2 A2 B2 C1 A1 ");
}

// Pixels: Frame1 x 20..219, y 20..139; in it Back (window x 40..139, y 60..99)
// under OK (window x 120..179, y 90..109).
class Boxed final : public rt::Form {
  public:
    Boxed() : rt::Form(rt::FormDesign{.caption = "Boxed", .width = 4500, .height = 3000}) {
        Back.Click = [this] { clicks += "B"; };
        OK.Click = [this] { clicks += "O"; };
        Back.MouseMove = [this](int, int, rt::Twips x, rt::Twips y) {
            moves.push_back(Where("Back", x, y));
        };
    }

    // clang-format off
    rt::Frame Frame1{*this, "Frame1", {300, 300, 3000, 1800}, {.caption = "F"}};
    rt::CommandButton OK{Frame1, "OK", {1500, 1050, 900, 300}, {.caption = "OK"}};
    rt::Label Back{Frame1, "Back", {300, 600, 1500, 600}, {.backColor = rt::rgb(0xFFFF00), .toolTip = "Tip"}};
    // clang-format on

    std::string clicks;
    Log moves;
};

// A label has no widget: the frame it sits in draws it, finds it under the
// mouse below the frame's own buttons, and shows its tool tip.
TEST_F(MouseTest, ControlsWithoutWidgetsAreDrawnAndHitInTheirContainer) {
    Boxed f;
    rt::Start(f);
    const QPoint onBack(60, 70), underOK(130, 95);
    EXPECT_EQ(rt::testing::Grab(f).pixel(onBack) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_NE(rt::testing::Grab(f).pixel(underOK) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(f.controlAt(onBack), &f.Back);
    EXPECT_EQ(f.controlAt(underOK), &f.OK);
    EXPECT_EQ(f.controlAt(QPoint(30, 120)), &f.Frame1);
    EXPECT_EQ(f.controlAt(QPoint(5, 5)), nullptr);
    ClickAt(f, onBack);
    ClickAt(f, underOK);
    EXPECT_EQ(f.clicks, "BO");
    f.moves.clear();
    MoveTo(f, QPoint(44, 62));  // 4,2 pixels into the label
    EXPECT_EQ(f.moves, Log{"Back 60,30"});

    QWidget* frame = rt::WidgetOf(f.Frame1);
    QHelpEvent help(QEvent::ToolTip, frame->mapFrom(rt::WindowOf(f), onBack),
                    rt::WindowOf(f)->mapToGlobal(onBack));
    QApplication::sendEvent(frame, &help);
    EXPECT_EQ(QToolTip::text(), "Tip");
    QToolTip::hideText();

    // Moved: drawn and hit where it shows now, not where it was.
    f.Back.Move(1800, 300);  // window x 140..239 (cut at the frame's edge), y 40..79
    rt::FlushDrawing();
    EXPECT_EQ(f.Back.shownPixels(), QRect(140, 40, 100, 40));
    EXPECT_NE(rt::testing::Grab(f).pixel(onBack) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(rt::testing::Grab(f).pixel(QPoint(150, 50)) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_NE(rt::testing::Grab(f).pixel(QPoint(225, 50)) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(f.controlAt(onBack), &f.Frame1);
}

// As with a widget, the control under a press keeps the mouse until release:
// moves go to it even outside, and a label clicks only if released on it.
TEST_F(MouseTest, AControlWithoutAWidgetKeepsTheMouseItWasPressedOn) {
    Boxed f;
    rt::Start(f);
    QWindow* window = rt::WindowOf(f)->windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(60, 70));  // moves there first
    QTest::mouseMove(window, QPoint(200, 130));  // off the label, 160,70 pixels from its corner
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(200, 130));
    EXPECT_EQ(f.moves, (Log{"Back 300,150", "Back 2400,1050"}));
    EXPECT_EQ(f.clicks, "");

    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(60, 70));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(70, 75));
    QTest::mousePress(window, Qt::RightButton, {}, QPoint(60, 70));
    QTest::mouseRelease(window, Qt::RightButton, {}, QPoint(60, 70));
    EXPECT_EQ(f.clicks, "B");
}

// The keyboard and screen readers reach what the mouse reaches.
class Dialog final : public rt::Form {
  public:
    Dialog() : rt::Form(rt::FormDesign{.caption = "Dialog", .width = 4500, .height = 3000}) {
        OK.Click = [this] { clicks += "OK "; };
        Other.Click = [this] { clicks += "Other "; };
        A.Click = [this] { clicks += "A "; };
        B.Click = [this] { clicks += "B "; };
    }
    // clang-format off
    rt::CommandButton Other{*this, "Other", {120, 120, 1500, 400}, {.caption = "Other", .tabIndex = 1}};
    rt::CommandButton OK{*this, "OK", {120, 720, 1500, 400}, {.caption = "OK", .tabIndex = 0, .cancel = true}};
    rt::OptionButton B{*this, "B", {2000, 600, 1500, 300}, {.caption = "Bé", .tabIndex = 3}};
    rt::OptionButton A{*this, "A", {2000, 120, 1500, 300}, {.caption = "Á", .value = true, .tabIndex = 2}};
    rt::Image Picture{*this, "Picture", {2000, 1500, 600, 600}, {.accessibleName = "ufo"}};
    rt::Label Note{*this, "Note", {120, 1500, 1500, 300}, {.caption = "Pozor"}};
    // clang-format on
    std::string clicks;
};

using KeyboardTest = RuntimeTest;

TEST_F(KeyboardTest, TabOrderEnterSpaceEscapeAndArrowsDoWhatClicksDo) {
    Dialog f;
    rt::Start(f);
    QWidget* focused = rt::WindowOf(f)->focusWidget();
    EXPECT_EQ(focused, rt::WidgetOf(f.OK));  // first in tab order, though second in the layout
    QTest::keyClick(rt::WidgetOf(f.OK), Qt::Key_Return);
    QTest::keyClick(rt::WidgetOf(f.OK), Qt::Key_Space);
    EXPECT_EQ(f.clicks, "OK OK ");
    EXPECT_EQ(rt::WidgetOf(f.OK)->nextInFocusChain(), rt::WidgetOf(f.Other));

    QTest::keyClick(rt::WidgetOf(f.Other), Qt::Key_Escape);  // the form's cancel button
    EXPECT_EQ(f.clicks, "OK OK OK ");

    f.clicks.clear();
    QTest::keyClick(rt::WidgetOf(f.A), Qt::Key_Down);
    EXPECT_TRUE(f.B.Value());
    EXPECT_FALSE(f.A.Value());
    QTest::keyClick(rt::WidgetOf(f.B), Qt::Key_Down);  // round to the first again
    EXPECT_TRUE(f.A.Value());
    EXPECT_EQ(f.clicks, "B A ");
}

TEST_F(KeyboardTest, CaptionsAndPicturesHaveAccessibleNames) {
    Dialog f;
    rt::Start(f);
    EXPECT_EQ(rt::WidgetOf(f.OK)->accessibleName(), "OK");
    EXPECT_EQ(rt::WidgetOf(f.B)->accessibleName(), "Bé");

    // Pictures and labels have no widget: screen readers find them among the window's children.
    rt::FlushDrawing();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(rt::WindowOf(f));
    ASSERT_NE(window, nullptr);
    auto named = [&](const QString& name) -> QAccessibleInterface* {
        for (int i = 0; i < window->childCount(); ++i)
            if (QAccessibleInterface* c = window->child(i); c && c->text(QAccessible::Name) == name)
                return c;
        return nullptr;
    };
    QAccessibleInterface* picture = named("ufo");
    QAccessibleInterface* note = named("Pozor");
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(picture->role(), QAccessible::Graphic);
    EXPECT_EQ(note->role(), QAccessible::StaticText);
    EXPECT_EQ(picture->parent(), window);
    EXPECT_EQ(window->child(window->indexOfChild(picture)), picture);
    const QRect shown = f.Picture.shownPixels();
    EXPECT_EQ(picture->rect(), QRect(rt::WindowOf(f)->mapToGlobal(shown.topLeft()), shown.size()));
    EXPECT_EQ(window->childAt(picture->rect().center().x(), picture->rect().center().y()), picture);
    f.Note.SetVisible(false);
    rt::FlushDrawing();
    EXPECT_TRUE(note->state().invisible);

    f.Other.SetCaption("- Other -");  // the dashes of a highlighted caption are decoration
    rt::FlushDrawing();
    EXPECT_EQ(rt::WidgetOf(f.Other)->accessibleName(), "Other");
}

TEST_F(MouseTest, ScreenFollowsOncePerFrameAndBoxesOpenOverTheLatestState) {
    Pond f;
    rt::Start(f);
    rt::FlushDrawing();
    const QRect before = f.Image1.shownPixels();
    f.Image1.Move(1500, 600);
    EXPECT_EQ(f.Image1.shownPixels(), before);  // drawn with the next frame
    QRect whileOpen;
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) {
        whileOpen = f.Image1.shownPixels();
    };
    rt::MsgBox("Stop");
    EXPECT_EQ(whileOpen, QRect(100, 40, 100, 100));

    // Hidden by an earlier event of the same frame: still drawn, takes no click.
    f.Image2.SetVisible(false);
    QTest::mouseClick(rt::WindowOf(f)->windowHandle(), Qt::LeftButton, {}, QPoint(170, 170));
    EXPECT_EQ(f.clicks, "");
}

TEST_F(MouseTest, AnOpenMessageBoxDropsClicksOnTheWindows) {
    Pond f;
    rt::Start(f);
    fakes.dialogs->whileOpen = [&](const rt::testing::Message&) {
        Click(f.Command1);
        Click(f.Image1);
    };
    rt::MsgBox("Wait");
    EXPECT_EQ(f.clicks, "");
    Click(f.Command1);  // closed: clicks count again
    EXPECT_EQ(f.clicks, "C");
}

}  // namespace
}  // namespace rttest
