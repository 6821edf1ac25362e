#include "form.h"

#include <QAbstractNativeEventFilter>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app.h"
#include "drawing.h"
#include "x11_notice.h"

namespace rt {

namespace {
void run(const std::function<void()>& handler) {
    if (App::exists()) App::instance().dispatch(handler);
}

Twips toTwips(qreal pixels) { return static_cast<Twips>(pixels * kTwipsPerPixel); }

// Mouse button and shift-key masks as the MouseMove events report them.
int ButtonMask(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftMask(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

// The control's MouseMove, with `own` the pointer in the control's pixels.
void SendMouseMove(Control* c, const QMouseEvent* event, QPointF own) {
    if (!c->MouseMove) return;
    const int button = ButtonMask(event->buttons());
    const int shift = ShiftMask(event->modifiers());
    const Twips x = toTwips(own.x());
    const Twips y = toTwips(own.y());
    run([&] {
        if (c->MouseMove) c->MouseMove(button, shift, x, y);
    });
}
}  // namespace

// ---- Windowless controls: the widget they sit on (a form's window or a
// container's widget) draws them, finds them under the mouse and passes them
// its events, as the toolkit does for child widgets.
class Windowless {
  public:
    // Bottom first, so that the first in stored order ends on top.
    static void paint(const Form& form, const Control* container, QPainter& painter,
                      const QRegion& region) {
        for (auto it = form.components_.rbegin(); it != form.components_.rend(); ++it) {
            auto* c = dynamic_cast<Control*>(*it);
            if (!on(c, container) || c->shown_.isEmpty() || !region.intersects(c->shown_)) continue;
            const QRect own(QPoint(0, 0), c->shown_.size());
            painter.save();
            painter.translate(c->shown_.topLeft());
            painter.setClipRect(own, Qt::IntersectClip);
            c->paint(painter, own);
            painter.restore();
        }
    }

    // The topmost that takes the mouse at `local`, a pixel of the surface.
    static Control* at(const Form& form, const Control* container, QPoint local) {
        for (Component* component : form.components_)
            if (auto* c = dynamic_cast<Control*>(component);
                on(c, container) && c->shown_.contains(local) && !c->passesMouse())
                return c;
        return nullptr;
    }

    static bool on(const Control* c, const Control* container) {
        return c && c->built_ && c->container_ == container;
    }

    // A surface's mouse: the control under a press keeps the mouse until every
    // button is up, and a left press and release on it clicks it.
    struct Mouse {
        bool held = false;        // a button is down on the surface
        Control* grab = nullptr;  // the windowless control it went down on
        bool leftDown = false;

        // Each returns false when the surface itself takes the event.
        bool press(const Form& form, const Control* container, QMouseEvent* event) {
            if (!held) grab = at(form, container, event->position().toPoint());
            held = true;
            if (!grab) return false;
            event->accept();
            if (event->button() == Qt::LeftButton) leftDown = true;
            return true;
        }

        bool release(QMouseEvent* event) {
            Control* c = grab;
            const bool left = event->button() == Qt::LeftButton;
            if (event->buttons() == Qt::NoButton) {
                held = false;
                grab = nullptr;
            }
            if (!c) return false;
            event->accept();
            if (!left || !leftDown) return true;
            leftDown = false;
            if (!c->built_) return true;  // its form unloaded meanwhile
            c->leftReleased(c->shown_.contains(event->position().toPoint()));
            return true;
        }

        bool move(const Form& form, const Control* container, QMouseEvent* event) {
            const QPoint local = event->position().toPoint();
            Control* c = held ? grab : at(form, container, local);
            if (!c) return false;
            event->accept();  // a control takes its own movement
            SendMouseMove(c, event, event->position() - QPointF(c->shown_.topLeft()));
            return true;
        }
    };

    // The tool tip of the control under the pointer; false if there is none.
    static bool toolTip(const Form& form, const Control* container, QWidget& surface,
                        QHelpEvent* event) {
        Control* c = at(form, container, event->pos());
        if (!c) return false;
        const std::string text = c->toolTip();
        if (text.empty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(event->globalPos(), QString::fromStdString(text), &surface,
                               c->shown_);
        }
        return true;
    }

    static QAccessibleInterface* accessible(Control& c);
    static void dropAccessible(Control& c) {
        if (c.accessibleId_) QAccessible::deleteAccessibleInterface(c.accessibleId_);
        c.accessibleId_ = 0;
    }
    // The ones a screen reader has a name for, in stored order.
    static std::vector<Control*> named(const Form& form, const Control* container) {
        std::vector<Control*> list;
        for (Component* component : form.components_)
            if (auto* c = dynamic_cast<Control*>(component);
                on(c, container) && !c->accessibleText().empty())
                list.push_back(c);
        return list;
    }
};

// The Qt widgets behind forms and controls; nothing outside this file sees them.
class FormWindow final : public QWidget {
  public:
    explicit FormWindow(Form* owner);
    void detach() { owner_ = nullptr; }
    Form* owner() const { return owner_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Form* owner_;
    Windowless::Mouse mouse_;
    QPixmap background_;    // the back colour with the picture on it, opaque
    QSize backgroundSize_;  // what it was made for
    qreal backgroundRatio_ = 0;
};

class ControlWidget final : public QWidget {
  public:
    ControlWidget(Control* owner, QWidget* parent);
    void detach() { owner_ = nullptr; }
    Control* owner() const { return owner_; }
    bool pressed() const { return pressed_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

  private:
    Control* owner_;
    bool pressed_ = false;
    Windowless::Mouse mouse_;  // for the windowless controls inside a container
};

int ToPixels(Twips twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

// ---- Frames: changes to controls reach the screen once per display frame

// A frame is drawn on the wake-up of a tick whenever one comes soon enough
// after the frame is due, so that timers and drawing share their wake-ups;
// a timer draws it when no tick is near (or none runs).
class Frames final : public QObject {
  public:
    explicit Frames(QObject* parent) : QObject(parent), interval_(frameInterval()) {
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, [this] { flush(); });
        SetBeforeModal(&FlushDrawing);
        SetAfterTicks([] {
            if (current) current->afterTicks();
        });
    }
    ~Frames() override {
        current = nullptr;
        SetBeforeModal(nullptr);
        SetAfterTicks(nullptr);
    }

    static Frames* get() {
        if (!current && QCoreApplication::instance()) current = new Frames(qApp);
        return current;
    }
    static Frames* existing() { return current; }

    void mark(Control* c) {
        pending_.push_back(c);
        if (!timer_.isActive()) plan(false);
    }
    void forget(Control* c) { std::erase(pending_, c); }
    void flush() {
        timer_.stop();
        if (App::exists()) lastFrame_ = App::instance().clock().now();
        std::vector<Control*> due;
        due.swap(pending_);
        for (Control* c : due) c->sync();
    }

  private:
    static Micros frameInterval() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal rate = screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60.0;
        return std::max<Micros>(1000, static_cast<Micros>(1e6 / rate));
    }

    void afterTicks() {
        if (!pending_.empty()) plan(true);
    }

    // `atTicks`: every tick of this wake-up has run, so its changes are all
    // made and a due frame can be drawn at once.
    void plan(bool atTicks) {
        if (!App::exists()) {
            armTimer(interval_);
            return;
        }
        App& app = App::instance();
        const Micros now = app.clock().now();
        if (lastFrame_ > now) lastFrame_ = now - interval_;  // another clock: a new program
        const Micros due = lastFrame_ + interval_;
        if (atTicks && now + kEarly >= due) {
            flush();
            return;
        }
        const Micros tick = app.scheduler().nextDue();
        if (tick != kNever && tick <= due + interval_ / 2)
            armTimer(std::max(tick, due) + kBackstop - now);  // only if that tick is stopped
        else
            armTimer(std::max<Micros>(0, due - now));
    }

    void armTimer(Micros delay) {
        const int ms = static_cast<int>((std::max<Micros>(0, delay) + 999) / 1000);
        if (timer_.isActive() && timer_.remainingTime() == ms) return;
        timer_.start(ms);
    }

    static constexpr Micros kEarly = 1000;     // a tick this close to the frame draws it
    static constexpr Micros kBackstop = 2000;  // after the tick, should it not come
    static inline Frames* current = nullptr;
    const Micros interval_;
    Micros lastFrame_ = 0;
    std::vector<Control*> pending_;
    QTimer timer_;
};

void FlushDrawing() {
    if (Frames* frames = Frames::existing()) frames->flush();
}

// ---- Component

Component::Component(Form& form, std::string name) : form_(form), name_(std::move(name)) {
    form_.components_.push_back(this);
}

void Component::touch() {
    if (!form_.Loaded() && !form_.loading_) form_.Load();
}

// ---- Form

namespace {

std::vector<Form*>& allForms() {
    static std::vector<Form*> forms;
    return forms;
}

}  // namespace

// Once a first window shows, every form's pictures are rendered while the
// program idles (the splash's wait), one form an event, rather than inside
// the tick that opens the form.
class PictureWarmer final : public QObject {
  public:
    explicit PictureWarmer(QObject* parent) : QObject(parent), queue_(allForms()) {
        connect(&timer_, &QTimer::timeout, this, [this] { step(); });
        timer_.start(0);
    }

  private:
    void step() {
        if (queue_.empty()) {
            timer_.stop();
            return;
        }
        Form* form = queue_.back();
        queue_.pop_back();
        if (std::find(allForms().begin(), allForms().end(), form) != allForms().end())
            form->warmPictures(qApp->devicePixelRatio());
    }

    std::vector<Form*> queue_;
    QTimer timer_;
};

namespace {
void WarmUpPictures() {
    static QPointer<PictureWarmer> warmer;
    if (!warmer && QCoreApplication::instance()) warmer = new PictureWarmer(qApp);
}
}  // namespace

Form::Form(FormDesign design) : design_(std::move(design)), current_(design_) {
    allForms().push_back(this);
}

void Form::warmPictures(qreal ratio) {
    if (!design_.picture.empty()) RenderPicture(design_.picture, ratio);
    for (Component* c : components_) c->warmPictures(ratio);
}

Form::~Form() {
    std::erase(allForms(), this);
    // The controls, members of the derived form, are gone already.
    if (window_) {
        window_->detach();
        delete window_;
        window_ = nullptr;
        if (App::exists()) App::instance().formUnloaded(this);
    }
}

QWidget* Form::window() const { return window_; }

Control* Form::controlAt(QPoint pixel) const {
    if (!window_) return nullptr;
    QWidget* child = window_->childAt(pixel);
    auto* widget = dynamic_cast<ControlWidget*>(child);
    Control* container = widget ? widget->owner() : nullptr;
    const QPoint local = child ? child->mapFrom(window_, pixel) : pixel;
    if (Control* c = Windowless::at(*this, container, local)) return c;
    return container;
}

void Form::Load() {
    if (window_ || loading_) return;
    loading_ = true;
    current_ = design_;
    window_ = new FormWindow(this);
    window_->setWindowTitle(QString::fromStdString(current_.caption));
    window_->setFixedSize(ToPixels(current_.width), ToPixels(current_.height));
    if (!current_.icon.empty()) {
        QIcon icon;
        for (int size : {16, 24, 32, 48, 64, 128})
            icon.addPixmap(RenderPicture(current_.icon, size, size, 1.0));
        window_->setWindowIcon(icon);
    }
    place();
    for (Component* c : components_) c->loadDesign();
    for (Component* c : components_) c->build();

    // First in stored order is on top; windowed controls above the windowless.
    for (bool windowed : {false, true})
        for (auto it = components_.rbegin(); it != components_.rend(); ++it)
            if (auto* control = dynamic_cast<Control*>(*it);
                control && control->windowed() == windowed)
                if (QWidget* w = control->widget()) w->raise();
    std::vector<Control*> focusOrder;
    for (Component* c : components_)
        if (auto* control = dynamic_cast<Control*>(c); control && control->focusable())
            focusOrder.push_back(control);
    std::stable_sort(focusOrder.begin(), focusOrder.end(),
                     [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    for (size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1]->widget(), focusOrder[i]->widget());
    if (!focusOrder.empty()) focusOrder.front()->widget()->setFocus();

    applyCursor();
    loading_ = false;
    App::instance().formLoaded(this);
    for (Component* c : components_) c->started();
    Form_Load();
}

namespace {
QPointer<QWidget> lastShown;  // the window the player looked at last
}  // namespace

// A window opens over the one the player was looking at (a game takes the
// menu's place), else centred on the screen that holds the pointer.
void Form::place() {
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

void Form::Show() {
    Load();
    if (!window_) return;  // the load handler unloaded it again
    lastShown = window_;
    window_->show();
    WarmUpPictures();
    window_->raise();
    window_->activateWindow();
}

void Form::Hide() {
    Load();
    FlushDrawing();
    if (window_) window_->hide();
}

void Form::Unload() {
    if (!window_) return;
    FlushDrawing();  // the player sees the state the form ends in
    Form_Unload();
    if (!window_) return;
    for (Component* c : components_) c->teardown();
    // The widget may be inside one of its own event handlers: delete it later.
    FormWindow* window = window_;
    window_ = nullptr;
    window->detach();
    window->hide();
    window->deleteLater();
    App::instance().formUnloaded(this);
}

bool Form::Visible() const { return window_ && window_->isVisible(); }

void Form::SetCaption(const std::string& caption) {
    Load();
    current_.caption = caption;
    if (window_) window_->setWindowTitle(QString::fromStdString(caption));
}

int Form::MousePointer() {
    Load();
    return current_.mousePointer;
}

void Form::SetMousePointer(int pointer) {
    Load();
    current_.mousePointer = pointer;
    applyCursor();
}

void Form::applyCursor() {
    if (!window_) return;
    const Cursor& icon = current_.mouseIcon;
    if (current_.mousePointer == kCustomPointer && !icon.picture.empty()) {
        window_->setCursor(MakeCursor(icon, window_->devicePixelRatioF()));
    } else {
        window_->unsetCursor();
    }
}

void Form::mouseMoved(int button, int shift, Twips x, Twips y) {
    run([&] { Form_MouseMove(button, shift, x, y); });
}

void Form::closeRequested() {
    run([&] { Unload(); });
    // Forms loaded hidden (the menu behind a splash) would keep the program
    // running with nothing on screen to show or close: a close that leaves no
    // window ends it.
    if (!App::exists() || App::instance().ended()) return;
    const auto& forms = allForms();
    if (std::none_of(forms.begin(), forms.end(), [](const Form* f) { return f->Visible(); }))
        App::instance().End(0);
}

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
      tabIndex_(tabIndex) {}

Control::Control(Control& container, std::string name, Geometry design, bool visible, bool enabled,
                 int tabIndex)
    : Control(container.Parent(), std::move(name), design, visible, enabled, tabIndex) {
    container_ = &container;
}

Control::~Control() {
    if (drawPending_)
        if (Frames* frames = Frames::existing()) frames->forget(this);
    if (widget_) widget_->detach();
    Windowless::dropAccessible(*this);
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
    if (drawPending_) {
        if (Frames* frames = Frames::existing()) frames->forget(this);
        drawPending_ = repaintPending_ = false;
    }
    built_ = false;
    shown_ = QRect();
    Windowless::dropAccessible(*this);
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
    if (drawPending_ || (!widget_ && !built_)) return;
    if (Frames* frames = Frames::get()) {
        drawPending_ = true;
        frames->mark(this);
    }
}

void Control::sync() {
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
    run([this] { clicked(); });
}

int Control::coveredRows() const {
    if (windowed()) return 0;
    const QRect own = pixels();
    int rows = 0;
    for (Component* component : Parent().components_)
        if (auto* c = dynamic_cast<Control*>(component);
            c && c->windowed() && c->container_ == container_ && c->visible_) {
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
        on->update(shown_);
        on->update(now);
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
    widget_->setFocusPolicy(focusable() && enabled_ ? Qt::StrongFocus : Qt::NoFocus);
    widget_->setEnabled(enabled_);  // a disabled control takes no clicks or keys
    widget_->setToolTip(QString::fromStdString(toolTip()));
    widget_->setAccessibleName(QString::fromStdString(accessibleText()));
    if (const Cursor* icon = mouseIcon(); icon && !icon->picture.empty())
        widget_->setCursor(MakeCursor(*icon, widget_->devicePixelRatioF()));
    widget_->setVisible(visible_);
    widget_->update();
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

// ---- widgets

namespace {

// A window destroyed behind the toolkit's back (by another client) is gone
// for the player: it unloads its form, as the close box would. The toolkit
// only passes the X server's notice on as a native event.
class DestroyWatcher final : public QAbstractNativeEventFilter {
  public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (const auto window = DestroyedWindow(type, message)) WindowDestroyed(*window);
        return false;
    }
};

}  // namespace

void WindowDestroyed(std::uintptr_t nativeId) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<FormWindow*>(w);
        if (!window || !window->owner() || !window->internalWinId() ||
            window->internalWinId() != nativeId)
            continue;
        window->owner()->closeRequested();
        return;
    }
}

// ---- accessibility: screen readers find windowless controls as children
// of the widget they sit on

class WindowlessAccessible final : public QAccessibleInterface {
  public:
    explicit WindowlessAccessible(Control* control) : control_(control) {}
    bool isValid() const override { return control_->built_ && control_->surface(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        QWidget* on = control_->surface();
        return on ? on->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(control_->surface());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? QString::fromStdString(control_->accessibleText())
                                      : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        QWidget* on = control_->surface();
        if (!on || control_->shown_.isEmpty()) return {};
        return QRect(on->mapToGlobal(control_->shown_.topLeft()), control_->shown_.size());
    }
    QAccessible::Role role() const override {
        return control_->showsText() ? QAccessible::StaticText : QAccessible::Graphic;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = control_->shown_.isEmpty();
        state.disabled = !control_->enabled_;
        return state;
    }

  private:
    Control* control_;
};

QAccessibleInterface* Windowless::accessible(Control& c) {
    if (!c.accessibleId_)
        c.accessibleId_ = QAccessible::registerAccessibleInterface(new WindowlessAccessible(&c));
    return QAccessible::accessibleInterface(c.accessibleId_);
}

namespace {

// A form's window or a container's widget, with its windowless controls
// after its widget children.
class SurfaceAccessible final : public QAccessibleWidget {
  public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override {
        return QAccessibleWidget::childCount() + static_cast<int>(named().size());
    }
    QAccessibleInterface* child(int index) const override {
        const int own = QAccessibleWidget::childCount();
        if (index < own) return QAccessibleWidget::child(index);
        const std::vector<Control*> list = named();
        const auto i = static_cast<size_t>(index - own);
        return i < list.size() ? Windowless::accessible(*list[i]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const std::vector<Control*> list = named();
        for (size_t i = 0; i < list.size(); ++i)
            if (Windowless::accessible(*list[i]) == child)
                return QAccessibleWidget::childCount() + static_cast<int>(i);
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* own = QAccessibleWidget::childAt(x, y)) return own;
        for (Control* c : named())
            if (Windowless::accessible(*c)->rect().contains(x, y))
                return Windowless::accessible(*c);
        return nullptr;
    }

  private:
    std::vector<Control*> named() const {
        if (auto* window = dynamic_cast<FormWindow*>(widget()); window && window->owner())
            return Windowless::named(*window->owner(), nullptr);
        if (auto* w = dynamic_cast<ControlWidget*>(widget()); w && w->owner())
            return Windowless::named(w->owner()->Parent(), w->owner());
        return {};
    }
};

QAccessibleInterface* SurfaceFactory(const QString&, QObject* object) {
    if (dynamic_cast<FormWindow*>(object) || dynamic_cast<ControlWidget*>(object))
        return new SurfaceAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

FormWindow::FormWindow(Form* owner) : owner_(owner) {
    static DestroyWatcher watcher;
    static const bool watching = [] {
        QCoreApplication::instance()->installNativeEventFilter(&watcher);
        QAccessible::installFactory(SurfaceFactory);
        return true;
    }();
    (void)watching;
    const FormDesign& d = owner->current_;
    Qt::WindowFlags flags = Qt::Window;
    switch (d.border) {
        case BorderStyle::None: flags |= Qt::FramelessWindowHint; break;
        case BorderStyle::FixedToolWindow:
            flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                    Qt::WindowCloseButtonHint;
            break;
        default:
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowCloseButtonHint;
            if (d.border == BorderStyle::Sizable) flags |= Qt::WindowMinMaxButtonsHint;
            if (d.minButton) flags |= Qt::WindowMinimizeButtonHint;
            break;
    }
    if (!d.showInTaskbar && d.border == BorderStyle::None) flags |= Qt::Tool;
    setWindowFlags(flags);
    setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent fills every pixel
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWindow::paintEvent(QPaintEvent* event) {
    if (!owner_) return;
    QPainter painter(this);
    const qreal ratio = PixelRatioOf(painter);
    // One opaque copy per frame instead of a fill and a blended picture.
    if (backgroundRatio_ != ratio || backgroundSize_ != size()) {
        backgroundRatio_ = ratio;
        backgroundSize_ = size();
        const FormDesign& d = owner_->current_;
        background_ = QPixmap(static_cast<int>(std::ceil(width() * ratio)),
                              static_cast<int>(std::ceil(height() * ratio)));
        background_.setDevicePixelRatio(ratio);
        background_.fill(toQColor(d.backColor));
        if (!d.picture.empty()) {
            QPainter onto(&background_);
            onto.drawPixmap(0, 0, RenderPicture(d.picture, ratio));
        }
    }
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (ratio != std::floor(ratio)) {
        painter.drawPixmap(0, 0, background_);
    } else {
        // Rectangle by rectangle, in bands of a few rows: the toolkit shares out
        // bigger copies to a thread pool, whose hand-offs cost more than the copy.
        const int rows = std::max(1, static_cast<int>(64 / ratio));
        for (const QRect& r : event->region())
            for (int top = r.top(); top <= r.bottom(); top += rows) {
                const QRect band(r.left(), top, r.width(), std::min(rows, r.bottom() + 1 - top));
                painter.drawPixmap(band.topLeft(), background_,
                                   QRect(band.topLeft() * ratio, band.size() * ratio));
            }
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Windowless::paint(*owner_, nullptr, painter, event->region());
}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && owner_ &&
        Windowless::toolTip(*owner_, nullptr, *this, static_cast<QHelpEvent*>(event)))
        return true;
    return QWidget::event(event);
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    if (!owner_ || !mouse_.press(*owner_, nullptr, event)) QWidget::mousePressEvent(event);
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (!owner_ || !mouse_.release(event)) QWidget::mouseReleaseEvent(event);
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (owner_ && mouse_.move(*owner_, nullptr, event)) return;
    if (owner_)
        owner_->mouseMoved(ButtonMask(event->buttons()), ShiftMask(event->modifiers()),
                           toTwips(event->position().x()), toTwips(event->position().y()));
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // Unload hides and deletes the window itself
    if (owner_) owner_->closeRequested();
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || !owner_) {
        QWidget::keyPressEvent(event);
        return;
    }
    for (Component* c : owner_->components())
        if (auto* control = dynamic_cast<Control*>(c);
            control && control->cancels() && control->takesMouseNow()) {
            event->accept();
            run([control] { control->clicked(); });
            return;
        }
    QWidget::keyPressEvent(event);
}

ControlWidget::ControlWidget(Control* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setMouseTracking(true);
}

void ControlWidget::paintEvent(QPaintEvent* event) {
    if (!owner_) return;
    QPainter painter(this);
    painter.save();
    owner_->paint(painter, rect());
    painter.restore();
    Windowless::paint(owner_->Parent(), owner_, painter, event->region());
}

bool ControlWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && owner_ &&
        Windowless::toolTip(owner_->Parent(), owner_, *this, static_cast<QHelpEvent*>(event)))
        return true;
    return QWidget::event(event);
}

void ControlWidget::mouseMoveEvent(QMouseEvent* event) {
    event->accept();  // a control takes its own movement: the form's MouseMove does not fire
    if (owner_ && mouse_.move(owner_->Parent(), owner_, event)) return;
    if (owner_) SendMouseMove(owner_, event, event->position());
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (owner_ && mouse_.press(owner_->Parent(), owner_, event)) return;
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        update();
    }
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (owner_ && mouse_.release(event)) return;
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    update();
    if (owner_) owner_->leftReleased(rect().contains(event->position().toPoint()));
}

void ControlWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1
                     : key == Qt::Key_Up || key == Qt::Key_Left  ? -1
                                                                 : 0;
    if (step && owner_) {
        Control* owner = owner_;
        bool moved = false;
        run([&] { moved = owner->arrowKey(step); });
        if (moved) {
            event->accept();
            return;
        }
    }
    const bool activates = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                           event->key() == Qt::Key_Enter;
    if (!owner_ || !owner_->focusable() || !activates) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->key() == Qt::Key_Space) {
        pressed_ = true;
        update();
        return;
    }
    Control* owner = owner_;
    run([owner] { owner->clicked(); });
}

void ControlWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || !pressed_ || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    pressed_ = false;
    update();
    if (!owner_) return;
    Control* owner = owner_;
    run([owner] { owner->clicked(); });
}

}  // namespace rt
