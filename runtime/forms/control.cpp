#include "runtime/forms/control.h"

#include <QAccessible>
#include <algorithm>

#include "runtime/forms/drawing.h"
#include "runtime/forms/surface.h"

namespace rt {

// ---- Control

Control::Control(Form& form, std::string name, Geometry design, bool visible, bool enabled,
                 int tabIndex)
    : Component(form, std::move(name)),
      design_(design),
      geom_(design),
      designVisible_(visible),
      visible_(visible),
      designEnabled_(enabled),
      enabled_(enabled),
      tabIndex_(tabIndex) {
    form.controls_.push_back(this);
}

Control::Control(Control& container, std::string name, Geometry design, bool visible, bool enabled,
                 int tabIndex)
    : Control(container.Parent(), std::move(name), design, visible, enabled, tabIndex) {
    container_ = &container;
}

Control::~Control() {
    std::erase(Parent().controls_, this);
    forgetFrame();
    if (widget_) widget_->detach();
    dropAccessible();
}

void Control::forgetFrame() {
    if (drawPending_ && App::exists()) App::instance().frames().forget(this);
    drawPending_ = repaintPending_ = false;
}

QWidget* Control::widget() const { return widget_; }

QWidget* Control::surface() const {
    return container_ ? static_cast<QWidget*>(container_->widget_) : Parent().window();
}

QRect Control::shownPixels() const {
    QWidget* on = widget_ ? widget_->parentWidget() : built_ ? surface() : nullptr;
    if (!on || !on->isVisible()) return {};
    const QRect own = widget_ ? (widget_->isVisible() ? widget_->geometry() : QRect()) : shown_;
    return own.isEmpty() ? QRect() : own.translated(on->mapTo(on->window(), QPoint(0, 0)));
}

void Control::loadDesign() {
    geom_ = design_;
    visible_ = designVisible_;
    enabled_ = designEnabled_;
}

void Control::build() {
    if (!windowed()) {
        built_ = true;
        shown_ = QRect();
        placeShown();
        return;
    }
    QWidget* parent = container_ && container_->widget_ ? static_cast<QWidget*>(container_->widget_)
                                                        : Parent().window();
    widget_ = new ControlWidget(this, parent);
    refreshWidget();
}

void Control::teardown() {
    forgetFrame();
    built_ = false;
    shown_ = QRect();
    dropAccessible();
    if (!widget_) return;
    widget_->detach();
    widget_ = nullptr;  // deleted with its window
}

bool Control::pressed() const { return widget_ && widget_->pressed(); }

bool Control::hasFocus() const { return widget_ && widget_->hasFocus(); }

void Control::repaint() {
    if (!widget_ && !built_) return;
    repaintPending_ = true;
    scheduleSync();
}

void Control::scheduleSync() {
    if (drawPending_ || (!widget_ && !built_) || !App::exists()) return;
    drawPending_ = true;
    App::instance().frames().mark(this);
}

void Control::drawFrame() {
    drawPending_ = false;
    if (built_) {
        placeShown();
        return;
    }
    if (!widget_) return;
    // The toolkit re-examines the siblings' overlap after any setGeometry,
    // even one to the same place.
    if (const QRect shown = pixels(); widget_->geometry() != shown) widget_->setGeometry(shown);
    widget_->setVisible(visible_);
    Parent().keepFocus();
    if (repaintPending_) {
        widget_->update();
        widget_->setAccessibleName(QString::fromStdString(accessibleText()));
    }
    repaintPending_ = false;
}

void Control::leftReleased(bool onIt) {
    if (clickNeedsReleaseInside() && !onIt) return;
    // Still on screen, but hidden or disabled by an earlier event of this frame.
    if (!takesMouseNow()) return;
    Dispatch(Parent(), [this] { clicked(); });
}

int Control::coveredRows() const {
    if (windowed()) return 0;
    const QRect own = pixels();
    int rows = 0;
    for (const Control* c : Parent().controls_)
        if (c->windowed() && c->container_ == container_ && c->visible_) {
            const QRect box = c->pixels();
            if (box.left() <= own.right() && box.right() >= own.left() && box.top() <= own.top() &&
                box.bottom() >= own.top())
                rows = std::max(rows, box.bottom() + 1 - own.top());
        }
    return rows;
}

bool Control::takesMouseNow() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

QRect Control::pixels() const {
    return {ToPixels(geom_.left), ToPixels(geom_.top), ToPixels(geom_.width),
            ToPixels(geom_.height)};
}

// The pixels it leaves and the pixels it takes are drawn again.
void Control::placeShown() {
    QWidget* on = surface();
    if (!built_ || !on) return;
    const QRect now = visible_ ? pixels() : QRect();
    if (now != shown_ || repaintPending_) {
        Invalidate(*on, shown_);
        Invalidate(*on, now);
        shown_ = now;
    }
    repaintPending_ = false;
}

void Control::refreshWidget() {
    if (built_) {
        repaint();  // with the next frame, as any change of its picture
        return;
    }
    if (!widget_) return;
    widget_->setGeometry(pixels());
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents, passesMouse());
    refreshFocus();
    widget_->setEnabled(enabled_);  // a disabled control takes no clicks or keys
    widget_->setToolTip(QString::fromStdString(toolTip()));
    widget_->setAccessibleName(QString::fromStdString(accessibleText()));
    if (const Cursor* icon = mouseIcon(); icon && !icon->picture.empty())
        widget_->setCursor(MakeCursor(*icon, widget_->devicePixelRatioF()));
    widget_->setVisible(visible_);
    widget_->update();
    Parent().keepFocus();
}

void Control::refreshFocus() {
    if (!widget_) return;
    widget_->setFocusPolicy(!focusable() || !enabled_ ? Qt::NoFocus
                            : tabStop()               ? Qt::StrongFocus
                                                      : Qt::ClickFocus);
}

void Control::announceChecked() {
    if (!widget_) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(widget_, changed);
    QAccessible::updateAccessibility(&event);
}

std::string Control::accessibleDescription() const {
    return describedBy_ ? describedBy_->accessibleText() : toolTip();
}

// Only to a listening screen reader that has met the control already.
void Control::announceDescription() {
    if (!QAccessible::isActive()) return;
    if (widget_) {
        QAccessibleEvent event(widget_, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    } else if (accessibleId_) {
        QAccessibleEvent event(QAccessible::accessibleInterface(accessibleId_),
                               QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

Twips Control::Left() {
    touch();
    return geom_.left;
}
Twips Control::Top() {
    touch();
    return geom_.top;
}
Twips Control::Width() {
    touch();
    return geom_.width;
}
Twips Control::Height() {
    touch();
    return geom_.height;
}

void Control::setGeometry(Geometry g) {
    touch();
    geom_ = g;
    scheduleSync();
}

void Control::SetLeft(Twips left) { Move(left); }
void Control::SetTop(Twips top) {
    touch();
    Move(geom_.left, top);
}
void Control::Move(Twips left) {
    touch();
    setGeometry({left, geom_.top, geom_.width, geom_.height});
}
void Control::Move(Twips left, Twips top) {
    touch();
    setGeometry({left, top, geom_.width, geom_.height});
}
void Control::Move(Twips left, Twips top, Twips width, Twips height) {
    setGeometry({left, top, width, height});
}

bool Control::Visible() {
    touch();
    return visible_;
}

void Control::SetVisible(bool visible) {
    touch();
    if (visible_ == visible) return;
    visible_ = visible;
    scheduleSync();
}

bool Control::Enabled() {
    touch();
    return enabled_;
}

void Control::SetEnabled(bool enabled) {
    touch();
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    refreshWidget();
}

void SetVisible(std::initializer_list<Control*> controls, bool visible) {
    for (Control* c : controls) c->SetVisible(visible);
}

void Control::clicked() {
    if (Click) Click();
}

}  // namespace rt
