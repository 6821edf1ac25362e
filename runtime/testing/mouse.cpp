#include "runtime/testing/mouse.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>

#include "runtime/drawing/drawing.h"
#include "runtime/forms/controls.h"
#include "runtime/forms/form.h"
#include "runtime/view/widgets.h"

namespace rt::testing {

namespace {
QWindow* handleOf(Form& form) {
    QWidget* window = rt::WindowOf(form);
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

void ClickAsShown(Form& form, QPoint pixel) {
    QTest::mouseClick(handleOf(form), Qt::LeftButton, Qt::NoModifier, pixel);
}

void Click(Control& control) { ClickAt(control.Parent(), CentreOf(control)); }

void MoveTo(Form& form, QPoint pixel) {
    FlushDrawing();
    QTest::mouseMove(handleOf(form), pixel);
}

QImage Grab(Form& form) {
    FlushDrawing();
    QWidget* window = rt::WindowOf(form);
    if (!window) throw std::logic_error("the form is not loaded");
    return window->grab().toImage();
}

void PressKey(Form& form, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    FlushDrawing();
    handleOf(form);
    QWidget* focused = rt::WindowOf(form)->focusWidget();
    QTest::keyClick(focused ? focused : rt::WindowOf(form), key, modifiers);
}

void MoveOver(Control& control) { MoveTo(control.Parent(), CentreOf(control)); }

namespace {

// How a control stacks: from the form down through its containers, windowed
// controls above windowless ones, the first in stored order on top. A key
// that starts with another's belongs to a control inside that one.
std::vector<std::pair<bool, int>> stacking(const Form& form, const Control* c) {
    std::vector<std::pair<bool, int>> key;
    for (; c; c = c->container()) {
        const auto& all = form.components();
        const auto index = std::find(all.begin(), all.end(), c) - all.begin();
        key.insert(key.begin(), {rt::WidgetOf(*c) != nullptr, -static_cast<int>(index)});
    }
    return key;
}

bool inside(const std::vector<std::pair<bool, int>>& key,
            const std::vector<std::pair<bool, int>>& container) {
    return key.size() > container.size() &&
           std::equal(container.begin(), container.end(), key.begin());
}

std::optional<std::string> captionOf(Control& c) {
    if (auto* l = dynamic_cast<Label*>(&c)) return l->Caption();
    if (auto* b = dynamic_cast<CommandButton*>(&c)) return b->Caption();
    if (auto* o = dynamic_cast<OptionButton*>(&c)) return o->Caption();
    if (auto* f = dynamic_cast<Frame*>(&c)) return f->Caption();
    return std::nullopt;
}

}  // namespace

std::vector<std::string> UnreadableCaptions(Form& form, bool fallbackFonts) {
    FlushDrawing();
    QWidget* window = rt::WindowOf(form);
    if (!window) throw std::logic_error("the form is not loaded");
    TakeDrawnTexts();
    RecordDrawnTexts(true);
    UseFallbackFonts(fallbackFonts);
    window->grab();
    UseFallbackFonts(false);
    RecordDrawnTexts(false);

    std::vector<Control*> shown;
    for (Component* component : form.components())
        if (auto* c = dynamic_cast<Control*>(component); c && !c->shownPixels().isEmpty())
            shown.push_back(c);
    std::vector<std::string> unreadable;
    for (const DrawnText& drawn : TakeDrawnTexts()) {
        const std::string text = drawn.text.toStdString();
        if (drawn.overflows) {
            unreadable.push_back(text + ": does not fit");
            continue;
        }
        // Whole pixels that the lines take, as the screen shows them.
        const QRect box = drawn.box.toAlignedRect().adjusted(0, 0, -1, -1);
        Control* owner = nullptr;
        for (Control* c : shown)
            if (captionOf(*c) == text && c->shownPixels().contains(box.center())) owner = c;
        if (!owner || text.empty()) continue;
        // What hides a text: windowed controls and pictures over it (a clear
        // label or a shape's outline over another's box leaves it readable).
        const auto own = stacking(form, owner);
        for (Control* c : shown) {
            if (!rt::WidgetOf(*c) && !dynamic_cast<Image*>(c)) continue;
            const auto other = stacking(form, c);
            if (c == owner || inside(own, other) || other < own) continue;
            if (c->shownPixels().intersects(box))
                unreadable.push_back(text + ": covered by " + c->Name());
        }
    }
    return unreadable;
}

std::vector<std::string> TextsOf(Form& form) {
    FlushDrawing();
    std::vector<std::string> texts;
    for (Component* component : form.components())
        if (auto* c = dynamic_cast<Control*>(component))
            if (const std::optional<std::string> caption = captionOf(*c)) texts.push_back(*caption);
    const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (!node) return;
        for (QAccessible::Text kind : {QAccessible::Name, QAccessible::Description})
            texts.push_back(node->text(kind).toStdString());
        for (int i = 0; i < node->childCount(); ++i) walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(rt::WindowOf(form)));
    return texts;
}

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace rt::testing
