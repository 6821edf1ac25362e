#pragma once
// The view: forms and controls shown as Qt widgets. A program (and a test
// that clicks through real widgets) calls UseWidgets before its first form loads.

#include <QWidget>
#include <cstdint>

#include "runtime/forms/control.h"
#include "runtime/forms/form.h"

namespace rt {

// Forms loaded from now on show as windows.
void UseWidgets();

// A loaded form's window; nullptr when unloaded or shown by no widget.
QWidget* WindowOf(const Form& form);
// A windowed control's widget; nullptr for windowless controls and unloaded forms.
QWidget* WidgetOf(const Control& control);

// On Wayland the compositor places, raises and activates windows, and
// nobody but it destroys them.
bool OnWayland();

// The window system destroyed the window with this id: its form unloads.
void WindowDestroyed(std::uintptr_t nativeId);

}  // namespace rt
