#include "runtime/forms/control.h"

#include <algorithm>
#include <utility>

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
    view_.reset();
}

void Control::forgetFrame() {
    if (drawPending_ && App::exists()) App::instance().frames().forget(this);
    drawPending_ = repaintPending_ = false;
}

QRect Control::shownPixels() const { return view_ ? view_->shownPixels() : QRect(); }

void Control::loadDesign() {
    geom_ = design_;
    visible_ = designVisible_;
    enabled_ = designEnabled_;
}

void Control::build() {
    if (FormView* form = Parent().view()) view_ = form->viewOf(*this);
}

void Control::teardown() {
    forgetFrame();
    view_.reset();
}

void Control::repaint() {
    if (!view_) return;
    repaintPending_ = true;
    scheduleSync();
}

void Control::scheduleSync() {
    if (drawPending_ || !view_ || !App::exists()) return;
    drawPending_ = true;
    App::instance().frames().mark(this);
}

void Control::drawFrame() {
    drawPending_ = false;
    if (view_) view_->sync(std::exchange(repaintPending_, false));
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

// A windowless control's picture changes with the next frame, as any other;
// a widget takes the new state at once, but a move still waits for its frame.
void Control::refreshWidget() {
    if (!view_) return;
    if (windowed())
        view_->refresh();
    else
        repaint();
}

void Control::refreshFocus() {
    if (view_) view_->refreshFocus();
}

void Control::announceChecked() {
    if (view_) view_->announceChecked();
}

std::string Control::accessibleDescription() const {
    return describedBy_ ? describedBy_->accessibleText() : toolTip();
}

void Control::announceDescription() {
    if (view_) view_->announceDescription();
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
