#pragma once
// Internal to the form layer: the Qt widgets behind forms and controls, and
// what the widget a windowless control sits on (a form's window or a
// container's widget) does for it: draws it, finds it under the mouse, passes
// it its events and shows its tool tip, as the toolkit does for child widgets.
//
// Surface is the one door from the widgets, the accessibility bridge and the
// window-system filters into the private state of forms and controls.

#include <QPixmap>
#include <QWidget>
#include <vector>

#include "runtime/forms/control.h"
#include "runtime/forms/form.h"

class QHelpEvent;
class QMouseEvent;
class QAccessibleInterface;

namespace rt {

struct Surface {
    // Bottom first, so that the first in stored order ends on top.
    static void paint(const Form& form, const Control* container, QPainter& painter,
                      const QRegion& region);
    // The topmost windowless control that takes the mouse at `local`, a pixel
    // of the surface.
    static Control* at(const Form& form, const Control* container, QPoint local);
    // The tool tip of the control under the pointer; false if there is none.
    static bool toolTip(const Form& form, const Control* container, QWidget& surface,
                        QHelpEvent* event);
    // The windowless ones a screen reader has a name for, in stored order.
    static std::vector<Control*> named(const Form& form, const Control* container);

    // A surface's mouse: the control under a press keeps the mouse until every
    // button is up, and a left press and release on it clicks it. Each
    // returns false when the surface itself takes the event.
    struct Mouse {
        bool held = false;        // a button is down on the surface
        Control* grab = nullptr;  // the windowless control it went down on
        bool leftDown = false;

        bool press(const Form& form, const Control* container, QMouseEvent* event);
        bool release(QMouseEvent* event);
        bool move(const Form& form, const Control* container, QMouseEvent* event);
    };

    // What the widgets ask of their form or control.
    static const FormDesign& design(const Form& form) { return form.current_; }
    static void closeRequested(Form& form) { form.closeRequested(); }
    static void formMouseMoved(Form& form, QMouseEvent* event);
    static void mouseMoved(Control& control, QMouseEvent* event, QPointF own);
    static void paintControl(Control& control, QPainter& painter, const QRect& area);
    static void leftReleased(Control& control, bool onIt) { control.leftReleased(onIt); }
    static bool focusable(const Control& control) { return control.focusable(); }
    static bool arrowKey(Control& control, int step);
    static void press(Control& control);  // the keyboard's and screen readers' click
    static bool pressCancel(Form& form);  // Escape: the form's cancel button, if any

    // For the accessibility bridge.
    static QAccessibleInterface* accessible(Control& control);
    static void dropAccessible(Control& control);
    static bool onSurface(const Control& c) { return c.built_ && c.surface(); }
    static QWidget* surfaceOf(const Control& c) { return c.surface(); }
    static QRect shown(const Control& c) { return c.shown_; }
    static bool takesClicks(const Control& c) { return c.takesMouseNow(); }
    static std::string accessibleText(const Control& c) { return c.accessibleText(); }
    static std::string description(const Control& c) { return c.accessibleDescription(); }
    static AccessibleRole role(const Control& c) { return c.accessibleRole(); }
    static bool checked(const Control& c) { return c.checked(); }
    static bool cancels(const Control& c) { return c.cancels(); }
};

// Installed with the first window: screen readers find windowless controls
// as children of the widget they sit on.
void InstallAccessibility();
// Installed with the first window: a window another client destroys unloads
// its form, as the close box would.
void WatchDestroyedWindows();

class FormWindow final : public QWidget {
  public:
    explicit FormWindow(Form* owner);
    void detach() { owner_ = nullptr; }
    Form* owner() const { return owner_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Form* owner_;
    Surface::Mouse mouse_;
    QPixmap background_;    // the back colour with the picture on it, opaque
    QSize backgroundSize_;  // what it was made for
    qreal backgroundRatio_ = 0;
};

class ControlWidget final : public QWidget {
  public:
    ControlWidget(Control* owner, QWidget* parent);
    void detach() { owner_ = nullptr; }
    Control* owner() const { return owner_; }
    bool pressed() const { return pressed_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

  private:
    Control* owner_;
    bool pressed_ = false;
    Surface::Mouse mouse_;  // for the windowless controls inside a container
};

}  // namespace rt
