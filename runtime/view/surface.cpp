#include "runtime/view/surface.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <utility>

#include "runtime/base/app.h"
#include "runtime/base/memory.h"
#include "runtime/base/texts.h"
#include "runtime/drawing/drawing.h"
#include "runtime/view/painting.h"

namespace rt {

namespace {
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

// Its windowless view, when it sits on `container` (nullptr: the window).
const WindowlessView* on(const Control* c, const Control* container) {
    const WindowlessView* view = c ? WindowlessOf(*c) : nullptr;
    return view && view->surface() && c->container() == container ? view : nullptr;
}

// The tool tip of the control under the pointer; false if there is none.
bool ShowToolTip(const Form& form, const Control* container, QWidget& surface, QHelpEvent* event) {
    Control* c = WindowlessAt(form, container, event->pos());
    if (!c) return false;
    const std::string text = c->toolTip();
    if (text.empty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(event->globalPos(), QString::fromStdString(text), &surface,
                           WindowlessOf(*c)->shown());
    }
    return true;
}

// What a MouseMove event reports, with `at` the pointer in its receiver's pixels.
struct MouseArgs {
    int button;
    int shift;
    Twips x;
    Twips y;
};

MouseArgs ArgsOf(const QMouseEvent* event, QPointF at) {
    return {ButtonMask(event->buttons()), ShiftMask(event->modifiers()), toTwips(at.x()),
            toTwips(at.y())};
}

void FormMouseMoved(Form& form, QMouseEvent* event) {
    const MouseArgs a = ArgsOf(event, event->position());
    Dispatch(form, [&] { form.Form_MouseMove(a.button, a.shift, a.x, a.y); });
}

// The control's MouseMove, with `own` the pointer in the control's pixels.
void MouseMoved(Control& c, QMouseEvent* event, QPointF own) {
    if (!c.MouseMove) return;
    const MouseArgs a = ArgsOf(event, own);
    Dispatch(c.Parent(), [&] {
        if (c.MouseMove) c.MouseMove(a.button, a.shift, a.x, a.y);
    });
}

bool ArrowKey(Control& control, int step) {
    bool moved = false;
    Dispatch(control.Parent(), [&] { moved = control.arrowKey(step); });
    return moved;
}

// Escape: the form's cancel button, if any.
bool PressCancel(const Form& form) {
    for (Control* c : form.controls())
        if (c->cancels() && c->takesMouseNow()) {
            c->Press();
            return true;
        }
    return false;
}

// The keys every desktop game answers, from any of the program's windows;
// true when the key was one of them.
bool GameKey(Form& form, const QKeyEvent* event) {
    if (!App::exists()) return false;
    App& app = App::instance();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::ControlModifier && key == Qt::Key_Q) {
        Dispatch(form, [&] { app.End(0); });
        return true;
    }
    if (modifiers == Qt::ControlModifier && key == Qt::Key_N) {
        if (app.keys.newGame) Dispatch(form, app.keys.newGame);
        return true;
    }
    if (modifiers != Qt::NoModifier) return false;
    switch (key) {
        case Qt::Key_F1:
            app.pause();
            if (app.keys.help) Dispatch(form, app.keys.help);
            return true;
        case Qt::Key_P:
        case Qt::Key_Pause:
            if (!app.playing()) return false;
            if (event->isAutoRepeat()) return true;  // a held key toggles once
            if (app.paused())
                app.resume();
            else
                app.pause();
            return true;
        case Qt::Key_Escape:
            if (PressCancel(form)) return true;
            if (!app.playing()) return false;
            app.pause();
            return true;
        default: return false;
    }
}
}  // namespace

// ---- what a surface does for its windowless controls

void PaintWindowless(const Form& form, const Control* container, QPainter& painter,
                     const QRegion& region) {
    const auto& controls = form.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const WindowlessView* view = on(*it, container);
        const QRect shown = view ? view->shown() : QRect();
        if (shown.isEmpty() || !region.intersects(shown)) continue;
        const QRect own(QPoint(0, 0), shown.size());
        painter.save();
        painter.translate(shown.topLeft());
        painter.setClipRect(own, Qt::IntersectClip);
        PaintControl(**it, painter, own);
        painter.restore();
    }
}

Control* WindowlessAt(const Form& form, const Control* container, QPoint local) {
    for (Control* c : form.controls())
        if (const WindowlessView* view = on(c, container);
            view && view->shown().contains(local) && !c->passesMouse())
            return c;
    return nullptr;
}

std::vector<Control*> NamedWindowless(const Form& form, const Control* container) {
    std::vector<Control*> list;
    for (Control* c : form.controls())
        if (on(c, container) && !c->accessibleText().empty()) list.push_back(c);
    return list;
}

void Invalidate(QWidget& surface, const QRect& pixels) {
    if (pixels.isEmpty()) return;
    auto* window = dynamic_cast<FormWindow*>(surface.window());
    if (!window) {
        surface.update(pixels);
        return;
    }
    window->invalidate(pixels.translated(surface.mapTo(window, QPoint(0, 0))));
}

bool SurfaceMouse::press(const Form& form, const Control* container, QMouseEvent* event) {
    if (!held) grab = WindowlessAt(form, container, event->position().toPoint());
    held = true;
    if (!grab) return false;
    event->accept();
    if (event->button() == Qt::LeftButton) leftDown = true;
    return true;
}

bool SurfaceMouse::release(QMouseEvent* event) {
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
    const WindowlessView* view = WindowlessOf(*c);
    if (!view || !view->surface()) return true;  // its form unloaded meanwhile
    c->leftReleased(view->shown().contains(event->position().toPoint()));
    return true;
}

bool SurfaceMouse::move(const Form& form, const Control* container, QMouseEvent* event) {
    const QPoint local = event->position().toPoint();
    Control* c = held ? grab : WindowlessAt(form, container, local);
    if (!c) return false;
    event->accept();  // a control takes its own movement
    MouseMoved(*c, event, event->position() - QPointF(WindowlessOf(*c)->shown().topLeft()));
    return true;
}

// ---- the widgets

FormWindow::FormWindow(Form* owner) : owner_(owner) {
    static const bool installed = [] {
        WatchDestroyedWindows();
        InstallAccessibility();
        return true;
    }();
    (void)installed;
    const FormDesign& d = owner->properties();
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
            if (d.minButton) flags |= Qt::WindowMinimizeButtonHint;
            break;
    }
    if (!d.showInTaskbar && d.border == BorderStyle::None) flags |= Qt::Tool;
    setWindowFlags(flags);
    setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent fills every pixel
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

FormWindow::~FormWindow() {
    if (App::exists()) App::instance().frames().forget(this);
}

// A frame's changes are painted and sent at once, on the wake-up that made
// them, and only where they are: a posted update would cost the event loop
// another turn.
void FormWindow::invalidate(const QRect& pixels) {
    if (!App::exists() || !App::instance().frames().drawing()) {
        update(pixels);
        return;
    }
    if (dirty_.isEmpty()) App::instance().frames().present(this);
    dirty_ += pixels;
}

void FormWindow::drawFrame() { repaint(std::exchange(dirty_, QRegion())); }

void FormWindow::paintEvent(QPaintEvent* event) {
    if (!owner_) return;
    QPainter painter(this);
    const qreal ratio = PixelRatioOf(painter);
    const QSize pixels(static_cast<int>(std::ceil(width() * ratio)),
                       static_cast<int>(std::ceil(height() * ratio)));
    // The toolkit's buffer for the window could not be had.
    if (!painter.isActive()) OutOfMemory("a window", pixels);
    // One opaque copy per frame instead of a fill and a blended picture.
    if (backgroundRatio_ != ratio || backgroundSize_ != size()) {
        backgroundRatio_ = ratio;
        backgroundSize_ = size();
        const FormDesign& d = owner_->properties();
        background_ = QPixmap(pixels);
        if (background_.isNull()) OutOfMemory("a window", pixels);
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
    PaintWindowless(*owner_, nullptr, painter, event->region());
}

bool FormWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && owner_ &&
        ShowToolTip(*owner_, nullptr, *this, static_cast<QHelpEvent*>(event)))
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
    if (owner_) FormMouseMoved(*owner_, event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // Unload hides and deletes the window itself
    if (owner_) owner_->closeRequested();
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (owner_ && GameKey(*owner_, event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMinimized() && owner_) owner_->obscured();
    QWidget::changeEvent(event);
}

void FormWindow::hideEvent(QHideEvent* event) {
    if (owner_) owner_->obscured();
    QWidget::hideEvent(event);
}

void FormWindow::showPaused(bool paused) {
    if (!paused && !cover_) return;
    if (!cover_) cover_ = new PauseCover(this);
    cover_->showPaused(paused);
}

// ---- the pause

const char* const PauseCover::kPaused = QT_TRANSLATE_NOOP("rt::PauseCover", "Pauza");
const char* const PauseCover::kHowToGoOn =
    QT_TRANSLATE_NOOP("rt::PauseCover", "Pokračuj klávesom P alebo kliknutím");
const char* const PauseCover::kGoesOn = QT_TRANSLATE_NOOP("rt::PauseCover", "Hra pokračuje");

namespace {
QString Shown(const char* text) {
    return QString::fromStdString(translate("rt::PauseCover", text));
}
}  // namespace

PauseCover::PauseCover(QWidget* window) : QWidget(window) {
    setFocusPolicy(Qt::NoFocus);
    setAccessibleDescription(Shown(kHowToGoOn));
    hide();
}

// Screen readers hear an alert that shows; on resume its name says so
// before it goes.
void PauseCover::showPaused(bool paused) {
    if (paused) {
        setAccessibleName(Shown(kPaused));
        setGeometry(parentWidget()->rect());
        raise();
        show();
    } else {
        setAccessibleName(Shown(kGoesOn));
    }
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    if (!paused) hide();
}

// A box just around the text in the middle of the field, the rest of it
// left as it stands.
void PauseCover::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Font title{.size = 12.0f, .bold = true};
    const Font hint{};
    const QString paused = Shown(kPaused);
    const QString howToGoOn = Shown(kHowToGoOn);
    const QFontMetrics titleMetrics(toQFont(title));
    const QFontMetrics hintMetrics(toQFont(hint));
    const int pad = hintMetrics.height() / 2;
    const int textWidth = std::min(
        width() - 2 * pad,
        std::max(titleMetrics.horizontalAdvance(paused), hintMetrics.horizontalAdvance(howToGoOn)));
    QRect box(0, 0, textWidth + 2 * pad, titleMetrics.height() + hintMetrics.height() + 3 * pad);
    box.moveCenter(rect().center());
    painter.fillRect(box, QColor(0, 0, 0, 180));
    painter.setPen(Qt::white);
    const QRect text = box.adjusted(pad, pad, -pad, -pad);
    DrawText(painter, QRect(text.topLeft(), QSize(text.width(), titleMetrics.height())),
             Qt::AlignCenter, paused, title);
    DrawText(painter,
             QRect(text.left(), text.bottom() + 1 - hintMetrics.height(), text.width(),
                   hintMetrics.height()),
             Qt::AlignCenter, howToGoOn, hint);
}

void PauseCover::mousePressEvent(QMouseEvent* event) { event->accept(); }

void PauseCover::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->buttons() == Qt::NoButton && App::exists()) App::instance().resume();
}

ControlWidget::ControlWidget(Control* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setMouseTracking(true);
}

void ControlWidget::paintEvent(QPaintEvent* event) {
    if (!owner_) return;
    QPainter painter(this);
    if (!painter.isActive()) OutOfMemory("a window");
    painter.save();
    PaintControl(*owner_, painter, rect(), {this, pressed_, hasFocus()});
    painter.restore();
    PaintWindowless(owner_->Parent(), owner_, painter, event->region());
}

bool ControlWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && owner_ &&
        ShowToolTip(owner_->Parent(), owner_, *this, static_cast<QHelpEvent*>(event)))
        return true;
    return QWidget::event(event);
}

void ControlWidget::mouseMoveEvent(QMouseEvent* event) {
    event->accept();  // a control takes its own movement: the form's MouseMove does not fire
    if (owner_ && mouse_.move(owner_->Parent(), owner_, event)) return;
    if (owner_) MouseMoved(*owner_, event, event->position());
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
    if (step && owner_ && ArrowKey(*owner_, step)) {
        event->accept();
        return;
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
    owner_->Press();
}

void ControlWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || !pressed_ || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    pressed_ = false;
    update();
    if (!owner_) return;
    owner_->Press();
}

}  // namespace rt
