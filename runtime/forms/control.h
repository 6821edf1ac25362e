#pragma once
// The base of every control: where it is, whether it shows and takes the
// mouse, and how its changes reach the screen (at the next display frame).

#include <QRect>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>

#include "runtime/base/frames.h"
#include "runtime/forms/form.h"

namespace rt {

// What a screen reader is told a control is.
enum class AccessibleRole { Picture, Text, PushButton, RadioButton, Grouping };

struct Geometry {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
};

// A control. Windowed ones (buttons, options, frames, picture boxes) have a
// widget of their own; windowless ones (labels, images, shapes, lines) have
// none: the widget they sit on draws them and finds them under the mouse, so
// moving one costs no more than redrawing the pixels it leaves and enters.
//
// Visible and Enabled live here alone; a kind's design gives only their
// values at Load.
class Control : public Component, private Drawable {
  public:
    // In a form's client area, or inside a container control (a frame or a picture box).
    Control(Form& form, std::string name, Geometry design, bool visible, bool enabled,
            int tabIndex);
    Control(Control& container, std::string name, Geometry design, bool visible, bool enabled,
            int tabIndex);
    ~Control() override;

    Twips Left();
    Twips Top();
    Twips Width();
    Twips Height();
    void SetLeft(Twips left);
    void SetTop(Twips top);
    void Move(Twips left);
    void Move(Twips left, Twips top);
    void Move(Twips left, Twips top, Twips width, Twips height);
    bool Visible();
    void SetVisible(bool visible);
    bool Enabled();
    void SetEnabled(bool enabled);

    // A screen reader reads `other`'s text as this control's description
    // (an option and the explanation shown for it), instead of its tool tip.
    void SetDescribedBy(const Control& other) { describedBy_ = &other; }

    // The keyboard's and screen readers' click, through the click's own
    // checks: it never presses a hidden or disabled control.
    void Press() { leftReleased(true); }

    std::function<void()> Click;
    std::function<void(int button, int shift, Twips x, Twips y)> MouseMove;

    // The form's handlers, as the control's layout line names them
    // (`&Hra::Image3_Click`). The form is reached when the event comes, once
    // it is whole; only the event's firing matters to MouseMove's handlers.
    template <class F>
    void wire(void (F::*click)(), void (F::*mouseMove)()) {
        static_assert(std::is_base_of_v<Form, F>, "a handler is a member of a form");
        Form& form = Parent();
        if (click) Click = [&form, click] { (static_cast<F&>(form).*click)(); };
        if (mouseMove)
            MouseMove = [&form, mouseMove](int, int, Twips, Twips) {
                (static_cast<F&>(form).*mouseMove)();
            };
    }

    Control* container() const { return container_; }
    // Its view while its form is loaded (nullptr with none).
    ControlView* view() const { return view_.get(); }
    // Where the screen shows the control now, in its window's pixels; empty
    // when it is not on screen.
    QRect shownPixels() const;

    // What its view asks of it.
    // Windowed controls (buttons, options, frames, picture boxes) have a
    // widget of their own and stack above the rest.
    virtual bool windowed() const { return false; }
    virtual bool focusable() const { return false; }
    // Disabled windowless controls, shapes and lines let the mouse through.
    virtual bool passesMouse() const { return !enabled_; }
    bool takesMouseNow() const;  // visible and enabled now, with its containers
    bool visibleNow() const { return visible_; }
    bool enabledNow() const { return enabled_; }  // reading them loads nothing
    Geometry geometry() const { return geom_; }
    QRect pixels() const;  // its geometry in whole pixels of its container
    int tabIndex() const { return tabIndex_; }
    // Whether Tab stops on it; an option group has one stop, its selected option.
    virtual bool tabStop() const { return true; }
    // How many of its top rows windowed controls of its container cover: a
    // windowless control lies under every windowed one.
    int coveredRows() const;
    virtual std::string toolTip() const { return {}; }
    // Escape in the form presses it (an about box's "OK").
    virtual bool cancels() const { return false; }
    // The control's own pointer picture; none shows the container's pointer.
    virtual const Cursor* mouseIcon() const { return nullptr; }
    // What a screen reader calls it: its caption, or a name for a picture.
    // Controls without one are left out of what screen readers see.
    virtual std::string accessibleText() const { return {}; }
    // What it reads after the name: the describing control's text, else its tool tip.
    std::string accessibleDescription() const;
    virtual AccessibleRole accessibleRole() const { return AccessibleRole::Picture; }
    virtual bool checked() const { return false; }

    // What its view tells it.
    // A left press on it came up, on its pixels or not: a click, if it still takes one.
    void leftReleased(bool onIt);
    // An arrow key moved the focus by `step` within its group; true if it did.
    virtual bool arrowKey(int /*step*/) { return false; }

  protected:
    friend class Form;

    virtual void clicked();  // left press and release on the control
    virtual bool clickNeedsReleaseInside() const { return true; }

    void loadDesign() override;
    void build() override;
    void teardown() override;

    bool pressed() const { return view_ && view_->pressed(); }
    bool hasFocus() const { return view_ && view_->hasFocus(); }
    void focus() {
        if (view_) view_->focus();
    }
    void repaint();          // after a property that changes the picture (drawn next frame)
    void refreshWidget();    // after enabled, mouse, pointer or tool tip changes
    void refreshFocus();     // after what decides whether it takes the focus
    void announceChecked();  // tells screen readers its checked state changed
    // Tells a listening screen reader that its description changed.
    void announceDescription();
    void setGeometry(Geometry g);

  private:
    void scheduleSync();  // the screen follows the state at the next frame
    void drawFrame() override;
    void forgetFrame();

    Control* container_ = nullptr;
    Geometry design_;
    Geometry geom_;
    bool designVisible_;
    bool visible_;
    bool designEnabled_;
    bool enabled_;
    int tabIndex_;
    std::unique_ptr<ControlView> view_;
    const Control* describedBy_ = nullptr;
    bool drawPending_ = false;
    bool repaintPending_ = false;
};

// Shows or hides several controls in the order given.
void SetVisible(std::initializer_list<Control*> controls, bool visible);

}  // namespace rt
