#pragma once
// Forms. A form owns its controls and timers as members, declared in stored
// order; Load builds the window from their design properties afresh, Unload
// destroys the widgets but keeps the form object and its variables.
//
// The form layer is these files: form (forms and what they are made of),
// control (the base of every control), surface (the widgets behind them, an
// internal header), accessibility, destroy_filter; controls and timer build
// the kinds of control on it. The widgets reach forms and controls only
// through FormHooks and ControlHooks.

#include <QRect>
#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/base/app.h"
#include "runtime/base/values.h"

class QWidget;

namespace rt {

class Form;
class Control;
class FormWindow;

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

enum class BorderStyle { None = 0, FixedSingle = 1, FixedToolWindow = 4 };

struct FormDesign {
    std::string caption;
    std::string accessibleName{};  // what screen readers call the window, if not its caption
    Twips width = 0;               // client area
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

// What a form's window and the screen-reader bridge ask of its form; as with
// ControlHooks, only code that holds the form as FormHooks calls them.
class FormHooks {
  public:
    virtual const FormDesign& properties() const = 0;  // the design as changed since Load
    virtual void closeRequested() = 0;                 // the close box, Alt+F4, a destroyed window
    virtual void obscured() = 0;                       // minimised or hidden
    virtual void Form_MouseMove(int button, int shift, Twips x, Twips y) = 0;

  protected:
    ~FormHooks() = default;
};

class Form : public LoadedForm, public FormHooks {
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
    // A game runs on this form from now on, or no longer: it waits while the
    // player looks away (see App).
    void SetPlaying(bool playing);

    // For tests and the runtime: the live window, or nullptr when unloaded.
    QWidget* window() const;
    // Every member in stored order, and the controls among them.
    const std::vector<Component*>& components() const { return components_; }
    const std::vector<Control*>& controls() const { return controls_; }
    // The control that a click at this pixel of the window reaches, as the
    // screen shows it now; nullptr for the form itself.
    Control* controlAt(QPoint pixel) const;

  protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    void Form_MouseMove(int /*button*/, int /*shift*/, Twips /*x*/, Twips /*y*/) override {}

  private:
    friend class Component;
    friend class Control;
    const FormDesign& properties() const override { return current_; }
    void closeRequested() override;
    void obscured() override;
    void closeAtEnd() override;
    QWidget* shownWindow() const override;
    void showPaused(bool paused) override;
    void warmPictures(qreal ratio);
    static void warmUpPictures();
    void applyCursor();
    void place();
    std::vector<Control*> focusOrder() const;  // the focusable controls in tab order
    // The focus leaves a control that has hidden or been disabled.
    void keepFocus();

    FormDesign design_;
    FormDesign current_;
    FormWindow* window_ = nullptr;
    bool loading_ = false;
    std::vector<Component*> components_;
    std::vector<Control*> controls_;
};

// On Wayland the compositor places, raises and activates windows, and
// nobody but it destroys them.
bool OnWayland();

// Changes to controls reach the screen at most once per display frame,
// with the ticks that come a frame after the last drawing; this puts what is
// pending on screen now (before a message box, a hide, a grab).
void FlushDrawing();

// The window system destroyed the window with this id: its form unloads.
void WindowDestroyed(std::uintptr_t nativeId);

// Twips to whole pixels, as the window shows them.
int ToPixels(Twips twips);

}  // namespace rt
