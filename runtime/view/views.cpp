// The views the forms are given: a window for each loaded form, a widget for
// each windowed control, and pixels of a surface for each windowless one.

#include <QAccessible>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <algorithm>

#include "runtime/drawing/drawing.h"
#include "runtime/view/surface.h"

namespace rt {

namespace {
QPointer<QWidget> lastShown;  // the window the player looked at last

std::unique_ptr<FormView> MakeWindow(Form& form) { return std::make_unique<WindowView>(form); }
}  // namespace

void UseWidgets() { UseViews(MakeWindow); }

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

QWidget* WindowOf(const Form& form) {
    auto* view = dynamic_cast<WindowView*>(form.view());
    return view ? view->formWindow() : nullptr;
}

QWidget* WidgetOf(const Control& control) {
    auto* view = dynamic_cast<WidgetView*>(control.view());
    return view ? view->widget() : nullptr;
}

// Every windowless control's view is made here (viewOf), so its kind tells.
WindowlessView* WindowlessOf(const Control& control) {
    return control.windowed() ? nullptr : static_cast<WindowlessView*>(control.view());
}

// ---- a windowless control

WindowlessView::~WindowlessView() {
    if (accessibleId_) QAccessible::deleteAccessibleInterface(accessibleId_);
}

// The pixels it leaves and the pixels it takes are drawn again.
void WindowlessView::sync(bool repainted) {
    QWidget* on = surface_;
    if (!on) return;
    const QRect now = control_.visibleNow() ? control_.pixels() : QRect();
    if (now != shown_ || repainted) {
        Invalidate(*on, shown_);
        Invalidate(*on, now);
        shown_ = now;
    }
}

QRect WindowlessView::shownPixels() const {
    QWidget* on = surface();
    if (!on || !on->isVisible() || shown_.isEmpty()) return {};
    return shown_.translated(on->mapTo(on->window(), QPoint(0, 0)));
}

// Only to a listening screen reader that has met the control already.
void WindowlessView::announceDescription() {
    if (!QAccessible::isActive() || !accessibleId_) return;
    QAccessibleEvent event(QAccessible::accessibleInterface(accessibleId_),
                           QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

// ---- a windowed control

WidgetView::WidgetView(Control& control, QWidget* parent)
    : control_(control), widget_(new ControlWidget(&control, parent)) {
    widget_->setGeometry(control_.pixels());
    refresh();
    widget_->setVisible(control_.visibleNow());
}

WidgetView::~WidgetView() { widget_->detach(); }

void WidgetView::sync(bool repainted) {
    // The toolkit re-examines the siblings' overlap after any setGeometry,
    // even one to the same place.
    if (const QRect shown = control_.pixels(); widget_->geometry() != shown)
        widget_->setGeometry(shown);
    widget_->setVisible(control_.visibleNow());
    control_.Parent().keepFocus();
    if (repainted) {
        widget_->update();
        widget_->setAccessibleName(QString::fromStdString(control_.accessibleText()));
    }
}

// Everything but its place and visibility, which follow at the next frame.
void WidgetView::refresh() {
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents, control_.passesMouse());
    refreshFocus();
    widget_->setEnabled(control_.enabledNow());  // a disabled control takes no clicks or keys
    widget_->setToolTip(QString::fromStdString(control_.toolTip()));
    widget_->setAccessibleName(QString::fromStdString(control_.accessibleText()));
    if (const Cursor* icon = control_.mouseIcon(); icon && !icon->picture.empty())
        widget_->setCursor(MakeCursor(*icon, widget_->devicePixelRatioF()));
    widget_->update();
    control_.Parent().keepFocus();
}

void WidgetView::refreshFocus() {
    widget_->setFocusPolicy(!control_.focusable() || !control_.enabledNow() ? Qt::NoFocus
                            : control_.tabStop()                            ? Qt::StrongFocus
                                                                            : Qt::ClickFocus);
}

void WidgetView::focus() { widget_->setFocus(); }

bool WidgetView::pressed() const { return widget_->pressed(); }

bool WidgetView::hasFocus() const { return widget_->hasFocus(); }

QRect WidgetView::shownPixels() const {
    QWidget* on = widget_->parentWidget();
    if (!on || !on->isVisible() || !widget_->isVisible()) return {};
    return widget_->geometry().translated(on->mapTo(on->window(), QPoint(0, 0)));
}

void WidgetView::announceChecked() {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(widget_, changed);
    QAccessible::updateAccessibility(&event);
}

void WidgetView::announceDescription() {
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(widget_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

// ---- a form's window

WindowView::WindowView(Form& form) : form_(form), window_(new FormWindow(&form)) {
    const FormDesign& d = form.properties();
    window_->setWindowTitle(QString::fromStdString(d.caption));
    window_->setFixedSize(ToPixels(d.width), ToPixels(d.height));
    if (!d.icon.empty()) {
        QIcon icon;
        for (int size : {16, 24, 32, 48, 64, 128})
            icon.addPixmap(RenderPicture(d.icon, size, size, 1.0));
        window_->setWindowIcon(icon);
    }
    place();
}

WindowView::~WindowView() {
    if (!window_) return;
    window_->detach();
    delete window_;
}

// The widget may be inside one of its own event handlers: it goes later.
void WindowView::unload() {
    FormWindow* window = std::exchange(window_, nullptr);
    window->detach();
    window->hide();
    window->deleteLater();
}

std::unique_ptr<ControlView> WindowView::viewOf(Control& control) {
    if (!control.windowed()) {
        const Control* container = control.container();
        QWidget* on = container ? WidgetOf(*container) : window_;
        auto view = std::make_unique<WindowlessView>(control, on);
        view->sync(false);  // on its surface from the start
        return view;
    }
    const Control* container = control.container();
    QWidget* inside = container ? WidgetOf(*container) : nullptr;
    return std::make_unique<WidgetView>(control, inside ? inside : window_);
}

void WindowView::built() {
    const std::vector<Control*>& controls = form_.controls();
    // First in stored order is on top; windowed controls above the windowless.
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if (QWidget* w = WidgetOf(**it)) w->raise();
    const std::vector<Control*> order = form_.focusOrder();
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(WidgetOf(*order[i - 1]), WidgetOf(*order[i]));
    const auto first = std::find_if(order.begin(), order.end(),
                                    [](Control* c) { return c->tabStop() && c->takesMouseNow(); });
    if (first != order.end()) WidgetOf(**first)->setFocus();
    applyCursor();
}

// A window opens over the one the player was looking at (a game takes the
// menu's place), else centred on the screen that holds the pointer. Where the
// compositor places windows, asking would only bring warnings.
void WindowView::place() {
    if (OnWayland()) return;
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QPoint centre =
        lastShown && lastShown->isVisible() ? lastShown->geometry().center() : area.center();
    QRect frame(QPoint(0, 0), window_->size());
    frame.moveCenter(centre);
    frame.moveLeft(
        std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
    frame.moveTop(
        std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
    window_->setGeometry(frame);  // the client area, whatever frame the window system adds
}

void WindowView::show() {
    lastShown = window_;
    window_->show();
    if (OnWayland()) return;  // the compositor raises and activates new windows
    window_->raise();
    window_->activateWindow();
}

void WindowView::hide() { window_->hide(); }

bool WindowView::visible() const { return window_ && window_->isVisible(); }

void WindowView::refresh() {
    window_->setWindowTitle(QString::fromStdString(form_.properties().caption));
    applyCursor();
}

void WindowView::applyCursor() {
    const FormDesign& d = form_.properties();
    if (d.mousePointer == kCustomPointer && !d.mouseIcon.picture.empty())
        window_->setCursor(MakeCursor(d.mouseIcon, window_->devicePixelRatioF()));
    else
        window_->unsetCursor();
}

// Qt moves the focus on from a widget it hides, but onto the next widget
// even when that one is about to hide too, and nowhere once none is left:
// this follows the controls' own state, and leaves the focus with the form
// when no control can take it, so that no key presses a hidden button.
void WindowView::keepFocus() {
    auto* focused = dynamic_cast<ControlWidget*>(window_->focusWidget());
    Control* from = focused ? focused->owner() : nullptr;
    if (!from || from->takesMouseNow()) return;
    const std::vector<Control*> order = form_.focusOrder();
    const auto at = std::find(order.begin(), order.end(), from);
    const size_t start = at == order.end() ? 0 : static_cast<size_t>(at - order.begin()) + 1;
    for (size_t i = 0; i < order.size(); ++i) {
        Control* c = order[(start + i) % order.size()];
        if (c != from && c->tabStop() && c->takesMouseNow()) {
            WidgetOf(*c)->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    window_->setFocus(Qt::OtherFocusReason);
}

void WindowView::showPaused(bool paused) { window_->showPaused(paused); }

Control* WindowView::controlAt(QPoint pixel) const {
    QWidget* child = window_->childAt(pixel);
    auto* widget = dynamic_cast<ControlWidget*>(child);
    Control* container = widget ? widget->owner() : nullptr;
    const QPoint local = child ? child->mapFrom(window_, pixel) : pixel;
    if (Control* c = WindowlessAt(form_, container, local)) return c;
    return container;
}

QObject* WindowView::window() const { return window_; }

}  // namespace rt
