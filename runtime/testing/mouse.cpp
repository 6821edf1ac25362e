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
    if (const QRect shown = control.shownPixels(); !shown.isEmpty()) return shown.center();
    // Hidden: where it would show, over whatever is under it.
    QPoint origin;
    if (Control* box = control.container()) origin = box->shownPixels().topLeft();
    return QRect(origin + QPoint(ToPixels(control.Left()), ToPixels(control.Top())),
                 QSize(ToPixels(control.Width()), ToPixels(control.Height())))
        .center();
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
