#pragma once
// Real Qt mouse and key events for tests: they enter through the window, so
// Qt finds the control under the pointer, or with the focus, exactly as it
// does for a player. Each puts
// pending drawing on screen first, as the next frame would.

#include <QImage>
#include <QPoint>
#include <Qt>
#include <string>
#include <vector>

namespace rt {
class Form;
class Control;
}  // namespace rt

namespace rt::testing {

QPoint CentreOf(Control& control);  // in the window's coordinates; where a hidden one would be
void ClickAt(Form& form, QPoint pixel);
// A click on what the screen shows now, between two frames: nothing pending
// is drawn first.
void ClickAsShown(Form& form, QPoint pixel);
void Click(Control& control);
void MoveTo(Form& form, QPoint pixel);
void MoveOver(Control& control);
// A key pressed and released in the form's window.
void PressKey(Form& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The window's pixels, with pending drawing on screen.
QImage Grab(Form& form);
// The captions of the form's visible controls that the player cannot read
// whole, each with why: elided or cut (not fitting its control even narrowed),
// or covered by a control drawn above it. With
// `fallbackFonts`, as where the bundled fonts are missing.
std::vector<std::string> UnreadableCaptions(Form& form, bool fallbackFonts = false);
// Every text of the form a player can read or hear: the captions of all its
// controls, shown or not, and every name and description that its window
// gives screen readers (tool tips among them).
std::vector<std::string> TextsOf(Form& form);
// Deletes the widgets of unloaded forms, as the event loop would.
void FlushDeletes();

}  // namespace rt::testing
