#pragma once
// Forms and the base of their controls. A form owns its controls as members,
// declared in stored order; Load builds the window from their design
// properties afresh, Unload destroys the widgets but keeps the form object and
// its variables.

#include <QRect>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "values.h"

class QPainter;
class QWidget;
using qreal = double;

namespace rt {

class Form;
class Control;
class FormWindow;
class ControlWidget;
class Windowless;
class WindowlessAccessible;

// Something a form builds at Load and tears down at Unload.
class Component {
  public:
    Component(Form& form, std::string name);
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    Form& Parent() const { return form_; }

  protected:
    friend class Form;
    virtual void loadDesign() = 0;  // reset the current properties to the design
    virtual void build() {}         // create widgets (the form's window exists)
    virtual void started() {}       // the form is loaded: timers may run
    virtual void teardown() {}      // the form unloads
    // Renders the pictures the design names into the cache ahead of need.
    virtual void warmPictures(qreal /*ratio*/) {}

    void touch();  // touching an unloaded form's member loads the form

  private:
    Form& form_;
    std::string name_;
};

enum class BorderStyle {
    None = 0,
    FixedSingle = 1,
    Sizable = 2,
    FixedDialog = 3,
    FixedToolWindow = 4
};

struct FormDesign {
    std::string caption;
    Twips width = 0;  // client area
    Twips height = 0;
    // The layout's position, kept for the record: windows open where the
    // player is looking (Form::place).
    std::optional<Twips> left{};
    std::optional<Twips> top{};
    BorderStyle border = BorderStyle::FixedSingle;
    bool minButton = false;  // a fixed border's minimise button
    bool showInTaskbar = true;
    Color backColor = rgb(0xF0F0F0);
    Picture picture{};  // drawn unscaled from the top left
    Picture icon{};
    Cursor mouseIcon{};
    int mousePointer = kDefaultPointer;
};

class Form {
  public:
    explicit Form(FormDesign design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void Load();
    void Show();
    void Hide();
    void Unload();

    bool Loaded() const { return window_ != nullptr; }
    bool Visible() const;
    const std::string& Caption() const { return current_.caption; }
    void SetCaption(const std::string& caption);
    int MousePointer();
    void SetMousePointer(int pointer);  // kDefaultPointer or kCustomPointer
    Twips ScaleWidth() const { return design_.width; }
    Twips ScaleHeight() const { return design_.height; }

    // For tests and the runtime: the live window, or nullptr when unloaded.
    QWidget* window() const;
    const std::vector<Component*>& components() const { return components_; }
    // The control that a click at this pixel of the window reaches, as the
    // screen shows it now; nullptr for the form itself.
    Control* controlAt(QPoint pixel) const;

  protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, Twips /*x*/, Twips /*y*/) {}

  private:
    friend class Component;
    friend class Control;
    friend class FormWindow;
    friend class Windowless;
    friend class PictureWarmer;
    void warmPictures(qreal ratio);
    friend void WindowDestroyed(std::uintptr_t);
    void applyCursor();
    void place();
    void mouseMoved(int button, int shift, Twips x, Twips y);
    void closeRequested();

    FormDesign design_;
    FormDesign current_;
    FormWindow* window_ = nullptr;
    bool loading_ = false;
    std::vector<Component*> components_;
};

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
class Control : public Component {
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

    std::function<void()> Click;
    std::function<void(int button, int shift, Twips x, Twips y)> MouseMove;

    // For tests and the runtime: the live widget of a windowed control;
    // nullptr when unloaded and for windowless controls.
    QWidget* widget() const;
    Control* container() const { return container_; }
    // Where the screen shows the control now, in its window's pixels; empty
    // when it is not on screen.
    QRect shownPixels() const;

  protected:
    friend class ControlWidget;
    friend class Form;
    friend class Windowless;
    friend class WindowlessAccessible;

    // Windowed controls (buttons, options, frames, picture boxes) stack above the rest.
    virtual bool windowed() const { return false; }
    virtual bool focusable() const { return false; }
    // Disabled windowless controls, shapes and lines let the mouse through.
    virtual bool passesMouse() const { return !enabled_; }
    // Draws the control into `area`, its own pixels, at the painter's origin.
    virtual void paint(QPainter& painter, const QRect& area) = 0;
    virtual void clicked();  // left press and release on the control
    virtual bool clickNeedsReleaseInside() const { return true; }
    virtual std::string toolTip() const { return {}; }
    // What a screen reader calls it: its caption, or a name for a picture.
    virtual std::string accessibleText() const { return {}; }
    virtual bool showsText() const { return false; }  // a screen reader's text, not a graphic
    // Escape in the form presses it (an about box's "OK").
    virtual bool cancels() const { return false; }
    // An arrow key moved the focus by `step` within its group; true if it did.
    virtual bool arrowKey(int /*step*/) { return false; }
    // The control's own pointer picture; none shows the container's pointer.
    virtual const Cursor* mouseIcon() const { return nullptr; }

    void loadDesign() override;
    void build() override;
    void teardown() override;

    bool pressed() const;  // held down by the mouse or the space bar
    bool hasFocus() const;
    void repaint();        // after a property that changes the picture (drawn next frame)
    void refreshWidget();  // after geometry, visibility, mouse or tool tip changes
    // How many of its top rows windowed controls of its container cover: a
    // windowless control lies under every windowed one.
    int coveredRows() const;
    Geometry geometry() const { return geom_; }
    int tabIndex() const { return tabIndex_; }
    void setGeometry(Geometry g);

  private:
    friend class Frames;
    friend class FormWindow;
    void scheduleSync();  // the screen follows the state at the next frame
    void sync();
    bool takesMouseNow() const;  // visible and enabled now, with its containers
    // A left press on it came up, on its pixels or not: a click, if it still takes one.
    void leftReleased(bool onIt);
    QRect pixels() const;      // its geometry in whole pixels of its container
    QWidget* surface() const;  // what a windowless control is drawn on
    void placeShown();         // a windowless control's pixels follow its state

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
    bool drawPending_ = false;
    bool repaintPending_ = false;
};

// Shows or hides several controls in the order given.
void SetVisible(std::initializer_list<Control*> controls, bool visible);

// Changes to controls reach the screen at most once per display frame,
// with the ticks that come a frame after the last drawing; this puts what is
// pending on screen now (before a message box, a hide, a grab).
void FlushDrawing();

// The window system destroyed the window with this id: its form unloads.
void WindowDestroyed(std::uintptr_t nativeId);

// Twips to whole pixels, as the window shows them.
int ToPixels(Twips twips);

}  // namespace rt
