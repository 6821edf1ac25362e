#include "mouse.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <stdexcept>

#include "../drawing.h"
#include "../form.h"

namespace rt::testing {

namespace {
QWindow* handleOf(Form& form) {
    QWidget* window = form.window();
    if (!window || !window->isVisible()) throw std::logic_error("the form is not shown");
    return window->windowHandle();
}
}  // namespace

QPoint CentreOf(Control& control) {
    FlushDrawing();  // where the player sees it
    QWidget* widget = control.widget();
    if (!widget) throw std::logic_error(control.Name() + " has no widget");
    return widget->mapTo(widget->window(), widget->rect().center());
}

void ClickAt(Form& form, QPoint pixel) {
    FlushDrawing();
    QTest::mouseClick(handleOf(form), Qt::LeftButton, Qt::NoModifier, pixel);
}

void Click(Control& control) { ClickAt(control.Parent(), CentreOf(control)); }

void MoveTo(Form& form, QPoint pixel) {
    FlushDrawing();
    QTest::mouseMove(handleOf(form), pixel);
}

QImage Grab(Form& form) {
    FlushDrawing();
    QWidget* window = form.window();
    if (!window) throw std::logic_error("the form is not loaded");
    return window->grab().toImage();
}

void MoveOver(Control& control) { MoveTo(control.Parent(), CentreOf(control)); }

std::vector<std::string> CaptionsThatDoNotFitWithFallbackFonts(Form& form) {
    FlushDrawing();
    QWidget* window = form.window();
    if (!window) throw std::logic_error("the form is not loaded");
    TakeOverflowedTexts();
    UseFallbackFonts(true);
    QImage image(window->size(), QImage::Format_RGB32);
    window->render(&image);
    UseFallbackFonts(false);
    std::vector<std::string> texts;
    for (const QString& text : TakeOverflowedTexts()) texts.push_back(text.toStdString());
    return texts;
}

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace rt::testing
