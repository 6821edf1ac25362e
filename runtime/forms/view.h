#pragma once
// What shows a form and its controls, as the forms see it. The layer above
// makes the views (windows and widgets) and follows the forms' changes at each
// display frame; the forms call nothing else of it. With no view maker set a
// form loads, runs its handlers and timers and unloads with nothing on screen.

#include <QPoint>
#include <QRect>
#include <memory>

class QObject;

namespace rt {

class Control;
class Form;

// A control on screen: a widget of its own, or pixels of the surface it sits on.
class ControlView {
  public:
    virtual ~ControlView() = default;
    // At a frame: its place and visibility follow the control; `repainted`:
    // its picture and texts too.
    virtual void sync(bool repainted) = 0;
    // At once: everything, enabled state, tool tip and pointer included.
    virtual void refresh() = 0;
    // What decides whether it takes the focus changed.
    virtual void refreshFocus() = 0;
    virtual void focus() = 0;
    virtual bool pressed() const = 0;  // held down by the mouse or the space bar
    virtual bool hasFocus() const = 0;
    // Where the screen shows it now, in its window's pixels; empty when not on screen.
    virtual QRect shownPixels() const = 0;
    // Tells a listening screen reader what changed.
    virtual void announceChecked() = 0;
    virtual void announceDescription() = 0;
};

// A loaded form's window; destroying the view destroys the window.
class FormView {
  public:
    virtual ~FormView() = default;
    // The form unloads: the window hides, and goes once the event it may be
    // handling has run.
    virtual void unload() = 0;
    // A control's view, made as the form builds its controls in stored order.
    virtual std::unique_ptr<ControlView> viewOf(Control& control) = 0;
    // Every control is built: stacking, tab order and the first focus.
    virtual void built() = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool visible() const = 0;
    // The caption or the pointer changed.
    virtual void refresh() = 0;
    // The focus leaves a control that has hidden or been disabled.
    virtual void keepFocus() = 0;
    virtual void showPaused(bool paused) = 0;
    // The control a click at this pixel of the window reaches, as the screen
    // shows it now; nullptr for the form itself.
    virtual Control* controlAt(QPoint pixel) const = 0;
    // The window, for message boxes over it.
    virtual QObject* window() const = 0;
};

using ViewMaker = std::unique_ptr<FormView> (*)(Form& form);
// Forms loaded from now on get their views from `maker` (nullptr: none).
void UseViews(ViewMaker maker);

}  // namespace rt
