#pragma once
// Real Qt mouse events for tests: they enter through the window, so Qt finds
// the control under the pointer exactly as it does for a player. Each puts
// pending drawing on screen first, as the next frame would.

#include <QImage>
#include <QPoint>
#include <string>
#include <vector>

namespace rt {
class Form;
class Control;
}  // namespace rt

namespace rt::testing {

QPoint CentreOf(Control& control);  // in the window's coordinates; where a hidden one would be
void ClickAt(Form& form, QPoint pixel);
void Click(Control& control);
void MoveTo(Form& form, QPoint pixel);
void MoveOver(Control& control);
// The window's pixels, with pending drawing on screen.
QImage Grab(Form& form);
// The captions of the form's visible controls that do not fit them when only
// the fallback fonts are there (the bundled ones missing).
std::vector<std::string> CaptionsThatDoNotFitWithFallbackFonts(Form& form);
// Deletes the widgets of unloaded forms, as the event loop would.
void FlushDeletes();

}  // namespace rt::testing
