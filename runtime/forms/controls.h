#pragma once
// Every control kind the forms use. Each takes its design properties in one
// place, as the form's layout table gives them:
//
//   rt::Label Label5{*this, "Label5", {3960, 120, 975, 270}, {.caption = "", ...}};

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/forms/control.h"
#include "runtime/forms/timer.h"

namespace rt {

enum class Alignment { Left = 0, Right = 1, Center = 2 };
enum class BackStyle { Transparent = 0, Opaque = 1 };
inline constexpr Color kButtonFaceColor = rgb(0xF0F0F0);
inline constexpr Color kWindowText = rgb(0x000000);

// A control whose properties are a design struct: `design_` as laid out,
// `cur_` as they are now, reset from the design at every Load. The design's
// visible and enabled go to Control, which alone keeps them from then on.
template <class Design>
class Designed : public Control {
  public:
    Designed(Form& form, std::string name, Geometry g, Design d)
        : Control(form, std::move(name), g, visibleOf(d), enabledOf(d), tabIndexOf(d)),
          design_(d),
          cur_(d) {}
    Designed(Control& container, std::string name, Geometry g, Design d)
        : Control(container, std::move(name), g, visibleOf(d), enabledOf(d), tabIndexOf(d)),
          design_(d),
          cur_(d) {}
    // With the form's handlers after the design: Click, then MouseMove.
    template <class F>
    Designed(Form& form, std::string name, Geometry g, Design d, void (F::*click)(),
             void (F::*mouseMove)() = nullptr)
        : Designed(form, std::move(name), g, d) {
        wire(click, mouseMove);
    }
    template <class F>
    Designed(Control& container, std::string name, Geometry g, Design d, void (F::*click)(),
             void (F::*mouseMove)() = nullptr)
        : Designed(container, std::move(name), g, d) {
        wire(click, mouseMove);
    }

    // The properties now, for what draws it: reading them loads nothing.
    const Design& now() const { return cur_; }

  protected:
    void loadDesign() override {
        Control::loadDesign();
        cur_ = design_;
    }
    template <class T>
    const T& get(T Design::*member) {
        touch();
        return cur_.*member;
    }
    // Sets a property that only changes the picture.
    template <class T>
    void set(T Design::*member, const T& value) {
        touch();
        if (cur_.*member == value) return;
        cur_.*member = value;
        repaint();
    }

    Design design_;
    Design cur_;

  private:
    static bool visibleOf(const Design& d) { return d.visible; }
    static bool enabledOf(const Design& d) {
        if constexpr (requires { d.enabled; }) return d.enabled;
        return true;
    }
    static int tabIndexOf(const Design& d) {
        if constexpr (requires { d.tabIndex; }) return d.tabIndex;
        return 0;
    }
};

struct LabelDesign {
    std::string caption{};
    bool visible = true;
    bool enabled = true;
    Alignment alignment = Alignment::Left;
    BackStyle backStyle = BackStyle::Opaque;
    bool border = false;  // fixed single
    Color backColor = kButtonFaceColor;
    Color foreColor = kWindowText;
    Font font{};
    std::string toolTip{};
    int tabIndex = 0;
    bool decorative = false;  // a copy of another's text (a shadow): screen readers skip it
};

class Label final : public Designed<LabelDesign> {
  public:
    using Designed::Designed;

    const std::string& Caption();
    void SetCaption(const std::string& caption);
    Color ForeColor();
    void SetForeColor(Color color);
    Color BackColor();
    void SetBackColor(Color color);
    const std::string& ToolTipText();
    void SetToolTipText(const std::string& text);
    // Whether `caption` would show whole, narrowed if need be, neither elided nor cut.
    bool Fits(const std::string& caption);

  protected:
    std::string toolTip() const override { return cur_.toolTip; }
    std::string accessibleText() const override {
        return cur_.decorative ? std::string() : cur_.caption;
    }
    AccessibleRole accessibleRole() const override { return AccessibleRole::Text; }
};

// The time between `before` and `after` in the first of TimeText's forms
// that `label` shows whole all day; the date in the first of DateText's.
// How a label sets its text: from the top, wrapped, aligned as designed.
int LabelTextFlags(Alignment alignment);

std::string TimeCaption(Label& label, DateTime when, const std::string& before = {},
                        const std::string& after = {});
std::string DateCaption(Label& label, DateTime when);

enum class ButtonStyle { Standard = 0, Graphical = 1 };

struct ButtonDesign {
    std::string caption{};
    bool visible = true;
    bool enabled = true;
    ButtonStyle style = ButtonStyle::Standard;
    Picture picture{};  // shown under the caption when graphical
    Color backColor = kButtonFaceColor;
    Font font{};
    int tabIndex = 0;
    Cursor mouseIcon{};   // the pointer over the button
    bool cancel = false;  // Escape in the form presses it
};

class CommandButton final : public Designed<ButtonDesign> {
  public:
    using Designed::Designed;

    const std::string& Caption();
    void SetCaption(const std::string& caption);
    bool FontUnderline();
    void SetFontUnderline(bool underline);

  protected:
    const Cursor* mouseIcon() const override { return &cur_.mouseIcon; }
    std::string accessibleText() const override;
    AccessibleRole accessibleRole() const override { return AccessibleRole::PushButton; }
    bool cancels() const override { return cur_.cancel; }
    void warmPictures(qreal ratio) override;
    bool windowed() const override { return true; }
    bool focusable() const override { return true; }
    bool passesMouse() const override { return false; }
};

struct OptionDesign {
    std::string caption{};
    bool visible = true;
    bool enabled = true;
    bool value = false;
    Color backColor = kButtonFaceColor;
    Color foreColor = kWindowText;
    Font font{};
    int tabIndex = 0;
};

// Options in one container exclude each other; Click fires whenever one
// becomes selected, by the mouse or by code.
class OptionButton final : public Designed<OptionDesign> {
  public:
    using Designed::Designed;

    bool Value();
    void SetValue(bool value);
    const std::string& Caption();

  protected:
    bool windowed() const override { return true; }
    bool focusable() const override { return true; }
    bool passesMouse() const override { return false; }
    std::string accessibleText() const override { return cur_.caption; }
    AccessibleRole accessibleRole() const override { return AccessibleRole::RadioButton; }
    bool checked() const override { return cur_.value; }
    // The selected option, or the group's first while none is.
    bool tabStop() const override;
    void clicked() override;
    bool arrowKey(int step) override;  // selects the next option of its group

  private:
    std::vector<OptionButton*> group() const;  // its container's options, in tab order
    void changed();
};

struct FrameDesign {
    std::string caption{};
    bool visible = true;
    bool enabled = true;
    Color backColor = kButtonFaceColor;
    Color foreColor = kWindowText;
    Font font{};
    int tabIndex = 0;
};

// A container: hiding it hides its controls, which keep their own Visible.
class Frame final : public Designed<FrameDesign> {
  public:
    using Designed::Designed;
    const std::string& Caption();

  protected:
    bool windowed() const override { return true; }
    bool passesMouse() const override { return false; }
    std::string accessibleText() const override;
    AccessibleRole accessibleRole() const override { return AccessibleRole::Grouping; }
};

struct ImageDesign {
    Picture picture{};
    bool visible = true;
    bool enabled = true;
    bool stretch = false;          // scale the picture to the control; else its own size
    std::string accessibleName{};  // what a screen reader calls the picture
};

class Image final : public Designed<ImageDesign> {
  public:
    using Designed::Designed;

    const Picture& GetPicture();
    void SetPicture(const Picture& picture);

  protected:
    std::string accessibleText() const override { return cur_.accessibleName; }
    void warmPictures(qreal ratio) override;
    // The press hit the picture: a walker that moves on before release still counts.
    bool clickNeedsReleaseInside() const override { return false; }
};

struct PictureBoxDesign {
    Picture picture{};
    bool visible = true;
    bool enabled = true;
    bool autoSize = false;  // the box takes the picture's size (plus its border)
    bool border = true;
    Color backColor = kButtonFaceColor;
    int tabIndex = 0;
};

// Shows its picture unscaled from the top left; a container like a frame.
class PictureBox final : public Designed<PictureBoxDesign> {
  public:
    using Designed::Designed;

    const Picture& GetPicture();
    void SetPicture(const Picture& picture);

  protected:
    void build() override;
    bool windowed() const override { return true; }
    bool passesMouse() const override { return false; }
    void warmPictures(qreal ratio) override;

  private:
    void fitPicture();
};

// The kinds and fills the layouts use, numbered as the layouts number them.
enum class ShapeKind { Rectangle = 0, Oval = 2, RoundedRectangle = 4 };
enum class FillStyle { Solid = 0, Transparent = 1, Cross = 6 };

struct ShapeDesign {
    ShapeKind shape = ShapeKind::Rectangle;
    bool visible = true;
    Color borderColor = kWindowText;
    int borderWidth = 1;
    bool borderVisible = true;
    Color fillColor = rgb(0x000000);
    FillStyle fillStyle = FillStyle::Transparent;
    BackStyle backStyle = BackStyle::Transparent;
    Color backColor = rgb(0xFFFFFF);
};

// Drawn on its container; the mouse passes through to what lies below.
class Shape final : public Designed<ShapeDesign> {
  public:
    using Designed::Designed;

    Color BorderColor();
    void SetBorderColor(Color color);
    Color FillColor();
    void SetFillColor(Color color);

  protected:
    bool passesMouse() const override { return true; }
};

struct LineDesign {
    Twips x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool visible = true;
    Color borderColor = kWindowText;
    int borderWidth = 1;
};

// Placed by its end points; its widget is the box around them.
class Line final : public Designed<LineDesign> {
  public:
    Line(Form& form, std::string name, LineDesign d) : Designed(form, std::move(name), {}, d) {}
    Line(Control& container, std::string name, LineDesign d)
        : Designed(container, std::move(name), {}, d) {}

    Twips X1();
    Twips X2();
    Twips Y1();
    Twips Y2();

  protected:
    void loadDesign() override;
    bool passesMouse() const override { return true; }

  private:
    void place();
};

}  // namespace rt
