#pragma once
// The base of every control: where it is, whether it shows and takes the
// mouse, and how its changes reach the screen (at the next display frame).

#include <QRect>
#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>

#include "runtime/base/frames.h"
#include "runtime/forms/form.h"

class QAccessibleInterface;
class QPainter;

namespace rt {

class ControlWidget;

// What a screen reader is told a control is.
enum class AccessibleRole { Picture, Text, PushButton, RadioButton, Grouping };

struct Geometry {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
};

// What the widgets and the screen-reader bridge ask of a control, and the
// one way they reach its state. The members are not public in Control, so
// only code that holds a control as ControlHooks (the form layer's widgets)
// calls them.
class ControlHooks {
  public:
    // Windowless: whether it is on its surface, that widget, and its pixels
    // there now (empty: none).
    virtual bool onSurface() const = 0;
    virtual QWidget* surface() const = 0;
    virtual QRect shown() const = 0;
    // Disabled windowless controls, shapes and lines let the mouse through.
    virtual bool passesMouse() const = 0;
    virtual bool takesMouseNow() const = 0;  // visible and enabled now, with its containers
    virtual bool focusable() const = 0;
    // Draws the control into `area`, its own pixels, at the painter's origin.
    virtual void paint(QPainter& painter, const QRect& area) = 0;
    virtual std::string toolTip() const = 0;
    // A left press on it came up, on its pixels or not: a click, if it still takes one.
    virtual void leftReleased(bool onIt) = 0;
    // An arrow key moved the focus by `step` within its group; true if it did.
    virtual bool arrowKey(int step) = 0;
    // Escape in the form presses it (an about box's "OK").
    virtual bool cancels() const = 0;

    // What a screen reader calls it: its caption, or a name for a picture.
    // Controls without one are left out of what screen readers see.
    virtual std::string accessibleText() const = 0;
    // What it reads after the name: the describing control's text, else its tool tip.
    virtual std::string accessibleDescription() const = 0;
    virtual AccessibleRole accessibleRole() const = 0;
    virtual bool checked() const = 0;
    // A windowless control's entry for screen readers, made on first use.
    virtual QAccessibleInterface* accessible() = 0;

  protected:
    ~ControlHooks() = default;
};

// A control. Windowed ones (buttons, options, frames, picture boxes) have a
// widget of their own; windowless ones (labels, images, shapes, lines) have
// none: the widget they sit on draws them and finds them under the mouse, so
// moving one costs no more than redrawing the pixels it leaves and enters.
//
// Visible and Enabled live here alone; a kind's design gives only their
// values at Load.
class Control : public Component, public ControlHooks, private Drawable {
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

    // The keyboard's click: clicks it if it shows and is enabled now.
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

    // For tests and the runtime: the live widget of a windowed control;
    // nullptr when unloaded and for windowless controls.
    QWidget* widget() const;
    Control* container() const { return container_; }
    // Where the screen shows the control now, in its window's pixels; empty
    // when it is not on screen.
    QRect shownPixels() const;

  protected:
    friend class Form;

    // Windowed controls (buttons, options, frames, picture boxes) stack above the rest.
    virtual bool windowed() const { return false; }
    bool focusable() const override { return false; }
    bool passesMouse() const override { return !enabled_; }
    void paint(QPainter& painter, const QRect& area) override = 0;
    virtual void clicked();  // left press and release on the control
    virtual bool clickNeedsReleaseInside() const { return true; }
    std::string toolTip() const override { return {}; }
    std::string accessibleText() const override { return {}; }
    AccessibleRole accessibleRole() const override { return AccessibleRole::Picture; }
    std::string accessibleDescription() const final;
    bool checked() const override { return false; }
    // Whether Tab stops on it; an option group has one stop, its selected option.
    virtual bool tabStop() const { return true; }
    bool cancels() const override { return false; }
    bool arrowKey(int /*step*/) override { return false; }
    // The control's own pointer picture; none shows the container's pointer.
    virtual const Cursor* mouseIcon() const { return nullptr; }

    void loadDesign() override;
    void build() override;
    void teardown() override;

    bool enabledNow() const { return enabled_; }  // for painters: reading it loads nothing
    bool pressed() const;                         // held down by the mouse or the space bar
    bool hasFocus() const;
    void repaint();          // after a property that changes the picture (drawn next frame)
    void refreshWidget();    // after geometry, visibility, mouse or tool tip changes
    void refreshFocus();     // after what decides whether it takes the focus
    void announceChecked();  // tells screen readers its checked state changed
    // Tells a listening screen reader that its description changed.
    void announceDescription();
    // How many of its top rows windowed controls of its container cover: a
    // windowless control lies under every windowed one.
    int coveredRows() const;
    Geometry geometry() const { return geom_; }
    int tabIndex() const { return tabIndex_; }
    void setGeometry(Geometry g);

  private:
    void scheduleSync();  // the screen follows the state at the next frame
    void drawFrame() override;
    bool onSurface() const final { return built_ && surface(); }
    QWidget* surface() const final;
    QRect shown() const final { return shown_; }
    bool takesMouseNow() const final;
    void leftReleased(bool onIt) final;
    QAccessibleInterface* accessible() final;
    void dropAccessible();
    QRect pixels() const;  // its geometry in whole pixels of its container
    void placeShown();     // a windowless control's pixels follow its state
    void forgetFrame();

    Control* container_ = nullptr;
    Geometry design_;
    Geometry geom_;
    bool designVisible_;
    bool visible_;
    bool designEnabled_;
    bool enabled_;
    int tabIndex_;
    ControlWidget* widget_ = nullptr;
    bool built_ = false;  // windowless: on its surface until teardown
    QRect shown_;         // windowless: its pixels on the surface now (empty: none)
    unsigned accessibleId_ = 0;
    const Control* describedBy_ = nullptr;
    bool drawPending_ = false;
    bool repaintPending_ = false;
};

// Shows or hides several controls in the order given.
void SetVisible(std::initializer_list<Control*> controls, bool visible);

}  // namespace rt
