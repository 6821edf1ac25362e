#pragma once
// Real Qt mouse events for tests: they enter through the window, so Qt finds
// the control under the pointer exactly as it does for a player.

#include <QPoint>

namespace rt {
class Form;
class Control;
}  // namespace rt

namespace rt::testing {

QPoint CentreOf(Control& control);  // in the window's coordinates
void ClickAt(Form& form, QPoint pixel);
void Click(Control& control);
void MoveTo(Form& form, QPoint pixel);
void MoveOver(Control& control);
// Deletes the widgets of unloaded forms, as the event loop would.
void FlushDeletes();

}  // namespace rt::testing
