#include "runtime/forms/form.h"

#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <memory>

#include "runtime/forms/drawing.h"
#include "runtime/forms/surface.h"

namespace rt {

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

Form::Form(FormDesign design) : design_(std::move(design)), current_(design_) {
    allForms().push_back(this);
}

// Once a first window shows, every form's pictures are rendered while the
// program idles (the splash's wait), one form an event, rather than inside
// the tick that opens the form.
void Form::warmUpPictures() {
    static QPointer<QTimer> warmer;
    if (warmer || !QCoreApplication::instance()) return;
    warmer = new QTimer(qApp);
    auto queue = std::make_shared<std::vector<Form*>>(allForms());
    QObject::connect(warmer, &QTimer::timeout, warmer, [queue] {
        if (queue->empty()) {
            warmer->stop();
            return;
        }
        Form* form = queue->back();
        queue->pop_back();
        if (std::find(allForms().begin(), allForms().end(), form) != allForms().end())
            form->warmPictures(qApp->devicePixelRatio());
    });
    warmer->start(0);
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
    if (Control* c = WindowlessAt(*this, container, local)) return c;
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
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
            if ((*it)->windowed() == windowed)
                if (QWidget* w = (*it)->widget()) w->raise();
    const std::vector<Control*> order = focusOrder();
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1]->widget(), order[i]->widget());
    const auto first = std::find_if(order.begin(), order.end(),
                                    [](Control* c) { return c->tabStop() && c->takesMouseNow(); });
    if (first != order.end()) (*first)->widget()->setFocus();

    applyCursor();
    loading_ = false;
    App::instance().formLoaded(this);
    for (Component* c : components_) c->started();
    Form_Load();
}

namespace {
QPointer<QWidget> lastShown;  // the window the player looked at last
}  // namespace

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// A window opens over the one the player was looking at (a game takes the
// menu's place), else centred on the screen that holds the pointer. Where the
// compositor places windows, asking would only bring warnings.
void Form::place() {
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

void Form::Show() {
    Load();
    if (!window_) return;  // the load handler unloaded it again
    lastShown = window_;
    window_->show();
    warmUpPictures();
    if (OnWayland()) return;  // the compositor raises and activates new windows
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

void Form::closeRequested() {
    Dispatch(*this, [&] { Unload(); });
    // Forms loaded hidden (the menu behind a splash) would keep the program
    // running with nothing on screen to show or close: a close that leaves no
    // window ends it.
    if (!App::exists() || App::instance().ended()) return;
    const auto& forms = allForms();
    if (std::none_of(forms.begin(), forms.end(), [](const Form* f) { return f->Visible(); }))
        App::instance().End(0);
}

std::vector<Control*> Form::focusOrder() const {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c->focusable() && c->widget()) order.push_back(c);
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    return order;
}

// Qt moves the focus on from a widget it hides, but onto the next widget
// even when that one is about to hide too, and nowhere once none is left:
// this follows the controls' own state, and leaves the focus with the form
// when no control can take it, so that no key presses a hidden button.
void Form::keepFocus() {
    if (!window_ || loading_) return;
    auto* focused = dynamic_cast<ControlWidget*>(window_->focusWidget());
    Control* from = focused ? focused->owner() : nullptr;
    if (!from || from->takesMouseNow()) return;
    const std::vector<Control*> order = focusOrder();
    const auto at = std::find(order.begin(), order.end(), from);
    const size_t start = at == order.end() ? 0 : static_cast<size_t>(at - order.begin()) + 1;
    for (size_t i = 0; i < order.size(); ++i) {
        Control* c = order[(start + i) % order.size()];
        if (c != from && c->tabStop() && c->takesMouseNow()) {
            c->widget()->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    window_->setFocus(Qt::OtherFocusReason);
}

void Form::SetPlaying(bool playing) {
    if (App::exists()) App::instance().setPlaying(this, playing && window_);
}

void Form::obscured() {
    if (App::exists()) App::instance().formObscured(this);
}

void Form::showPaused(bool paused) {
    if (window_) window_->showPaused(paused);
}

void Form::closeAtEnd() {
    if (window_) window_->hide();
}

QWidget* Form::shownWindow() const { return Visible() ? window_ : nullptr; }

void FlushDrawing() {
    if (App::exists()) App::instance().frames().flush();
}

int ToPixels(Twips twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

}  // namespace rt
