#pragma once
// Internal to the view: the Qt widgets behind forms and controls, and what the
// widget a windowless control sits on (a form's window or a container's
// widget) does for it: draws it, finds it under the mouse, passes it its
// events and shows its tool tip, as the toolkit does for child widgets.
//
// The widgets reach forms and controls through their public members only.

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "runtime/base/frames.h"
#include "runtime/forms/control.h"
#include "runtime/forms/form.h"
#include "runtime/view/widgets.h"

class QAccessibleInterface;
class QHelpEvent;
class QMouseEvent;

namespace rt {

class FormWindow;
class ControlWidget;

// A windowless control: its pixels on the widget it sits on.
class WindowlessView final : public ControlView {
  public:
    // On the widget of its container, or on the window: both are built
    // before it (a container comes first in stored order) and outlive it.
    WindowlessView(Control& control, QWidget* surface) : control_(control), surface_(surface) {}
    ~WindowlessView() override;
    void sync(bool repainted) override;
    void refresh() override { sync(true); }
    void refreshFocus() override {}
    void focus() override {}
    bool pressed() const override { return false; }
    bool hasFocus() const override { return false; }
    QRect shownPixels() const override;
    void announceChecked() override {}
    void announceDescription() override;

    Control& control() const { return control_; }
    QWidget* surface() const { return surface_; }  // the widget it sits on
    QRect shown() const { return shown_; }         // its pixels there now (empty: none)
    // Its entry for screen readers, made on first use.
    QAccessibleInterface* accessible();

  private:
    Control& control_;
    QWidget* surface_;
    QRect shown_;
    unsigned accessibleId_ = 0;
};

// A windowed control's own widget.
class WidgetView final : public ControlView {
  public:
    WidgetView(Control& control, QWidget* parent);
    ~WidgetView() override;  // the widget goes with its window
    void sync(bool repainted) override;
    void refresh() override;
    void refreshFocus() override;
    void focus() override;
    bool pressed() const override;
    bool hasFocus() const override;
    QRect shownPixels() const override;
    void announceChecked() override;
    void announceDescription() override;

    ControlWidget* widget() const { return widget_; }

  private:
    Control& control_;
    ControlWidget* widget_;
};

// A windowless control's view, or nullptr for a windowed one or none.
WindowlessView* WindowlessOf(const Control& control);

// Bottom first, so that the first in stored order ends on top.
void PaintWindowless(const Form& form, const Control* container, QPainter& painter,
                     const QRegion& region);
// The topmost windowless control that takes the mouse at `local`, a pixel of
// the surface.
Control* WindowlessAt(const Form& form, const Control* container, QPoint local);
// The windowless ones a screen reader has a name for, in stored order.
std::vector<Control*> NamedWindowless(const Form& form, const Control* container);
// Pixels of a surface that a windowless control left or took: painted again
// and sent to the display with the rest of the frame.
void Invalidate(QWidget& surface, const QRect& pixels);

// A surface's mouse: the control under a press keeps the mouse until every
// button is up, and a left press and release on it clicks it. Each returns
// false when the surface itself takes the event.
struct SurfaceMouse {
    bool held = false;        // a button is down on the surface
    Control* grab = nullptr;  // the windowless control it went down on
    bool leftDown = false;

    bool press(const Form& form, const Control* container, QMouseEvent* event);
    bool release(QMouseEvent* event);
    bool move(const Form& form, const Control* container, QMouseEvent* event);
};

// Installed with the first window: screen readers find windowless controls
// as children of the widget they sit on.
void InstallAccessibility();
// Installed with the first window: a window another client destroys unloads
// its form, as the close box would.
void WatchDestroyedWindows();

// A loaded form's window.
class WindowView final : public FormView {
  public:
    explicit WindowView(Form& form);
    ~WindowView() override;
    void unload() override;
    std::unique_ptr<ControlView> viewOf(Control& control) override;
    void built() override;
    void show() override;
    void hide() override;
    bool visible() const override;
    void refresh() override;
    void keepFocus() override;
    void showPaused(bool paused) override;
    Control* controlAt(QPoint pixel) const override;
    QObject* window() const override;

    FormWindow* formWindow() const { return window_; }

  private:
    void place();
    void applyCursor();

    Form& form_;
    FormWindow* window_;
};

// Over a paused game's field: that it waits and how to go on. It takes the
// click that goes on, so that the click reaches nothing below.
class PauseCover final : public QWidget {
  public:
    explicit PauseCover(QWidget* window);
    void showPaused(bool paused);

    static const char* const kPaused;
    static const char* const kHowToGoOn;
    static const char* const kGoesOn;  // what a screen reader hears on resume

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class FormWindow final : public QWidget, private Drawable {
  public:
    explicit FormWindow(Form* owner);
    ~FormWindow() override;
    void detach() { owner_ = nullptr; }
    void invalidate(const QRect& pixels);
    Form* owner() const { return owner_; }
    void showPaused(bool paused);

  protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void drawFrame() override;

    Form* owner_;
    SurfaceMouse mouse_;
    QRegion dirty_;                // what this frame changed, in the window's pixels
    PauseCover* cover_ = nullptr;  // made at the first pause
    QPixmap background_;           // the back colour with the picture on it, opaque
    QSize backgroundSize_;         // what it was made for
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
    SurfaceMouse mouse_;  // for the windowless controls inside a container
};

}  // namespace rt
