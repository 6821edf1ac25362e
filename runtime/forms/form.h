#pragma once
// Forms. A form owns its controls and timers as members, declared in stored
// order; Load builds the form from their design properties afresh, Unload
// ends its window and keeps the form object and its variables.
//
// The forms layer is the model: forms, controls and timers, with no widget.
// What shows them (runtime/view) is made through view.h at Load, follows
// their changes at the display frames, and calls in through the public
// members below (a click, a key, a move, a close).

#include <QRect>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/base/app.h"
#include "runtime/base/values.h"
#include "runtime/forms/view.h"

namespace rt {

class Form;
class Control;

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

class Form : public LoadedForm {
  public:
    explicit Form(FormDesign design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void Load();
    void Show();
    void Hide();
    void Unload();

    bool Loaded() const { return loaded_; }
    bool Visible() const;
    const std::string& Caption() const { return current_.caption; }
    void SetCaption(const std::string& caption);
    int MousePointer();
    void SetMousePointer(int pointer);  // kDefaultPointer or kCustomPointer
    // A game runs on this form from now on, or no longer: it waits while the
    // player looks away (see App).
    void SetPlaying(bool playing);

    // Its view while loaded (nullptr with none made).
    FormView* view() const { return view_.get(); }
    // Every member in stored order, and the controls among them.
    const std::vector<Component*>& components() const { return components_; }
    const std::vector<Control*>& controls() const { return controls_; }
    // The control that a click at this pixel of the window reaches, as the
    // screen shows it now; nullptr for the form itself.
    Control* controlAt(QPoint pixel) const;
    // The focusable controls in tab order.
    std::vector<Control*> focusOrder() const;

    // What its view tells it.
    const FormDesign& properties() const { return current_; }  // the design as changed since Load
    void closeRequested();  // the close box, Alt+F4, a destroyed window
    void obscured();        // minimised or hidden
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, Twips /*x*/, Twips /*y*/) {}
    // A control hid or was disabled: the focus leaves it.
    void keepFocus();

  protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

  private:
    friend class Component;  // members enrol in their form
    friend class Control;
    void closeAtEnd() override;
    QObject* shownWindow() const override;
    void showPaused(bool paused) override;
    void warmPictures(qreal ratio);
    static void warmUpPictures();

    FormDesign design_;
    FormDesign current_;
    std::unique_ptr<FormView> view_;
    bool loaded_ = false;
    bool loading_ = false;
    std::vector<Component*> components_;
    std::vector<Control*> controls_;
};

// Changes to controls reach the screen at most once per display frame,
// with the ticks that come a frame after the last drawing; this puts what is
// pending on screen now (before a message box, a hide, a grab).
void FlushDrawing();

}  // namespace rt
