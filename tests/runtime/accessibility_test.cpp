// What screen readers see and do through Qt's accessibility interfaces, and
// where the keyboard's focus goes.

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <functional>

#include "runtime/view/widgets.h"
#include "support.h"

namespace rttest {
namespace {

class Options final : public rt::Form {
  public:
    Options() : rt::Form(rt::FormDesign{.caption = "Options", .width = 6000, .height = 4000}) {
        Go.Click = [this] { clicks += "Go "; };
        Hard.Click = [this] { clicks += "Hard "; };
        Easy.Click = [this] { clicks += "Easy "; };
        Close.Click = [this] { clicks += "Close "; };
        Hard.SetDescribedBy(HardText);
    }
    // clang-format off
    rt::CommandButton Go{*this, "Go", {120, 120, 1500, 400}, {.caption = "- Štart -", .tabIndex = 0}};
    rt::Frame Level{*this, "Level", {2000, 120, 2000, 1600}, {.caption = "Obtiažnosť: ", .tabIndex = 1}};
    rt::OptionButton Hard{Level, "Hard", {120, 900, 1500, 300}, {.caption = "Ťažká", .tabIndex = 3}};
    rt::OptionButton Easy{Level, "Easy", {120, 300, 1500, 300}, {.caption = "Ľahká", .value = true, .tabIndex = 2}};
    rt::CommandButton Close{*this, "Close", {120, 720, 1500, 400}, {.caption = "Koniec", .tabIndex = 4, .cancel = true}};
    rt::CommandButton Off{*this, "Off", {120, 1320, 1500, 400}, {.caption = "Off", .enabled = false, .tabIndex = 5}};
    rt::PictureBox Cannon{*this, "Cannon", {120, 2000, 600, 600}, {.border = false, .tabIndex = 6}};
    rt::Image Walker{*this, "Walker", {2000, 2000, 600, 600}, {.enabled = false, .accessibleName = "mimozemšťan"}};
    rt::Image Sky{*this, "Sky", {3000, 2000, 600, 600}, {}};
    rt::Label Clock{*this, "Clock", {4000, 2000, 1500, 300}, {.caption = "12:00:00", .toolTip = "Čas: 12:00:00"}};
    rt::Label Shadow{*this, "Shadow", {4020, 2020, 1500, 300}, {.caption = "12:00:00", .decorative = true}};
    rt::Label HardText{*this, "HardText", {120, 3000, 3000, 300}, {.caption = "Rýchly mimozemšťan."}};
    // clang-format on
    std::string clicks;
};

class Box final : public rt::Form {
  public:
    Box()
        : rt::Form(rt::FormDesign{.caption = "About",
                                  .width = 3000,
                                  .height = 2000,
                                  .border = rt::BorderStyle::FixedToolWindow}) {}
};

class Splash final : public rt::Form {
  public:
    Splash()
        : rt::Form(rt::FormDesign{.caption = "Form1",
                                  .accessibleName = "Hra",
                                  .width = 3000,
                                  .height = 2000,
                                  .border = rt::BorderStyle::None}) {}
};

QAccessibleInterface* Of(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

QAccessibleInterface* Of(rt::Form& form) {
    rt::FlushDrawing();
    return Of(rt::WindowOf(form));
}

// Every node below `node`, depth first.
void Walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* c = node->child(i);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->parent(), node);
        EXPECT_EQ(node->indexOfChild(c), i);
        visit(c);
        Walk(c, visit);
    }
}

QAccessibleInterface* Find(QAccessibleInterface* root, const QString& name) {
    QAccessibleInterface* found = nullptr;
    Walk(root, [&](QAccessibleInterface* c) {
        if (!found && c->text(QAccessible::Name) == name) found = c;
    });
    return found;
}

void Press(QAccessibleInterface* node) {
    ASSERT_NE(node->actionInterface(), nullptr);
    node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
}

using AccessibilityTest = RuntimeTest;

TEST_F(AccessibilityTest, ControlsHaveTheirRolesNamesAndStates) {
    Options f;
    Box box;
    Splash splash;
    rt::Start(f);
    box.Show();
    splash.Show();
    QAccessibleInterface* window = Of(f);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Options");
    EXPECT_EQ(Of(box)->role(), QAccessible::Dialog);
    EXPECT_EQ(Of(splash)->text(QAccessible::Name), "Hra");
    EXPECT_EQ(splash.Caption(), "Form1");

    QStringList tree;
    Walk(window, [&](QAccessibleInterface* c) {
        EXPECT_FALSE(c->text(QAccessible::Name).isEmpty())
            << "a nameless node of role " << c->role();
        tree << c->text(QAccessible::Name);
    });
    EXPECT_FALSE(tree.contains("Cannon"));  // nameless pictures are left out
    EXPECT_EQ(tree.count("12:00:00"), 1);   // and so is the shadow
    EXPECT_EQ(tree.size(), 9) << tree.join(", ").toStdString();

    QAccessibleInterface* go = Find(window, "Štart");  // without the highlight's dashes
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->role(), QAccessible::Button);
    EXPECT_TRUE(go->state().focusable);
    EXPECT_FALSE(go->state().disabled);
    EXPECT_EQ(go->actionInterface()->actionNames().first(),
              QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(Find(window, "Off")->state().disabled);
    EXPECT_EQ(Find(window, "Koniec")
                  ->actionInterface()
                  ->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{"Escape"});

    QAccessibleInterface* level = Find(window, "Obtiažnosť");  // without ": "
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->role(), QAccessible::Grouping);
    EXPECT_EQ(level->childCount(), 2);
    QAccessibleInterface* hard = Find(level, "Ťažká");
    EXPECT_EQ(hard->role(), QAccessible::RadioButton);
    EXPECT_TRUE(hard->state().checkable);
    EXPECT_FALSE(hard->state().checked);
    EXPECT_TRUE(Find(level, "Ľahká")->state().checked);

    QAccessibleInterface* walker = Find(window, "mimozemšťan");
    EXPECT_EQ(walker->role(), QAccessible::Graphic);
    EXPECT_TRUE(walker->state().disabled);  // takes no clicks now
    f.Walker.SetEnabled(true);
    EXPECT_FALSE(walker->state().disabled);
}

TEST_F(AccessibilityTest, DescriptionsAreToolTipsOrTheDescribingText) {
    Options f;
    rt::Start(f);
    QAccessibleInterface* window = Of(f);
    QAccessibleInterface* clock = Find(window, "12:00:00");
    EXPECT_EQ(clock->text(QAccessible::Description), "Čas: 12:00:00");
    f.Clock.SetToolTipText("Čas: 12:00:01");
    EXPECT_EQ(clock->text(QAccessible::Description), "Čas: 12:00:01");
    EXPECT_EQ(Find(window, "Ťažká")->text(QAccessible::Description), "Rýchly mimozemšťan.");
    f.HardText.SetCaption("Pomalý mimozemšťan.");
    EXPECT_EQ(Find(window, "Ťažká")->text(QAccessible::Description), "Pomalý mimozemšťan.");
    EXPECT_EQ(Find(window, "Ľahká")->text(QAccessible::Description), "");
}

// Qt passes state changes on only to a listening screen reader, which the
// offscreen platform has none of: tests/desktop/test_atspi.py hears the announcement.
TEST_F(AccessibilityTest, CheckedStateFollowsValue) {
    Options f;
    rt::Start(f);
    QAccessibleInterface* window = Of(f);
    f.Hard.SetValue(true);
    EXPECT_TRUE(Find(window, "Ťažká")->state().checked);
    EXPECT_FALSE(Find(window, "Ľahká")->state().checked);
}

TEST_F(AccessibilityTest, PressRunsTheClickOnceAndNotWhileAMessageBoxIsOpen) {
    Options f;
    rt::Start(f);
    QAccessibleInterface* window = Of(f);
    Press(Find(window, "Štart"));
    Press(Find(window, "Ťažká"));
    EXPECT_EQ(f.clicks, "Go Hard ");
    EXPECT_TRUE(f.Hard.Value());
    EXPECT_FALSE(f.Easy.Value());

    // What a message box does to the program's windows: Qt's application-modal window.
    QWidget box;
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &box);
    Press(Find(window, "Štart"));
    Press(Find(window, "Ľahká"));
    EXPECT_EQ(f.clicks, "Go Hard ");
    EXPECT_TRUE(f.Hard.Value());

    // A press asked for just before a box opens is dropped when it comes.
    box.hide();
    Find(window, "Štart")->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    box.show();
    QCoreApplication::processEvents();
    box.hide();
    EXPECT_EQ(f.clicks, "Go Hard ");

    // Neither a hidden nor a disabled button is pressed.
    f.Go.SetVisible(false);
    Press(Find(Of(f), "Štart"));
    Press(Find(Of(f), "Off"));
    EXPECT_EQ(f.clicks, "Go Hard ");
}

TEST_F(AccessibilityTest, TabStopsOncePerOptionGroupOnItsSelectedOption) {
    Options f;
    rt::Start(f);
    EXPECT_EQ(rt::WidgetOf(f.Go)->nextInFocusChain(), rt::WidgetOf(f.Easy));
    EXPECT_EQ(rt::WidgetOf(f.Easy)->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(rt::WidgetOf(f.Hard)->focusPolicy(), Qt::ClickFocus);  // Tab passes it by
    QTest::keyClick(rt::WidgetOf(f.Easy), Qt::Key_Down);
    EXPECT_TRUE(f.Hard.Value());
    EXPECT_EQ(rt::WindowOf(f)->focusWidget(), rt::WidgetOf(f.Hard));
    EXPECT_EQ(rt::WidgetOf(f.Hard)->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(rt::WidgetOf(f.Easy)->focusPolicy(), Qt::ClickFocus);
}

TEST_F(AccessibilityTest, FocusLeavesAHiddenOrDisabledControlForTheNextOrTheForm) {
    Options f;
    rt::Start(f);
    QWidget* window = rt::WindowOf(f);
    ASSERT_EQ(window->focusWidget(), rt::WidgetOf(f.Go));
    f.Go.SetVisible(false);
    f.Level.SetVisible(false);  // hidden in the same handler: the focus skips it
    rt::FlushDrawing();
    EXPECT_EQ(window->focusWidget(), rt::WidgetOf(f.Close));

    f.Level.SetVisible(true);
    rt::FlushDrawing();
    f.Close.SetEnabled(false);
    EXPECT_EQ(window->focusWidget(), rt::WidgetOf(f.Easy));

    f.Level.SetVisible(false);
    rt::FlushDrawing();
    EXPECT_EQ(window->focusWidget(), window);  // nothing else can take it
    QTest::keyClick(window, Qt::Key_Space);
    QTest::keyClick(window, Qt::Key_Return);
    EXPECT_EQ(f.clicks, "");
}

}  // namespace
}  // namespace rttest
