#pragma once
// How each kind of control looks: drawn from its properties now.

#include <QPainter>
#include <QRect>

class QWidget;

namespace rt {

class Control;

// What the view adds to a control's properties.
struct Painted {
    QWidget* widget = nullptr;  // a windowed control's own widget
    bool pressed = false;       // held down by the mouse or the space bar
    bool focused = false;
};

// Draws the control into `area`, its own pixels, at the painter's origin.
void PaintControl(const Control& control, QPainter& painter, const QRect& area,
                  const Painted& how = {});

}  // namespace rt
