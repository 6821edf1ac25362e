#include "runtime/forms/form.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "runtime/drawing/drawing.h"
#include "runtime/forms/control.h"

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

ViewMaker viewMaker = nullptr;

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
    warmer = new QTimer(QCoreApplication::instance());
    auto queue = std::make_shared<std::vector<Form*>>(allForms());
    QObject::connect(warmer, &QTimer::timeout, warmer, [queue] {
        if (queue->empty()) {
            warmer->stop();
            return;
        }
        Form* form = queue->back();
        queue->pop_back();
        if (std::find(allForms().begin(), allForms().end(), form) != allForms().end())
            form->warmPictures(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
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
    if (!loaded_) return;
    view_.reset();
    loaded_ = false;
    if (App::exists()) App::instance().formUnloaded(this);
}

void UseViews(ViewMaker maker) { viewMaker = maker; }

Control* Form::controlAt(QPoint pixel) const { return view_ ? view_->controlAt(pixel) : nullptr; }

void Form::Load() {
    if (loaded_ || loading_) return;
    loading_ = true;
    current_ = design_;
    loaded_ = true;
    if (viewMaker) view_ = viewMaker(*this);
    for (Component* c : components_) c->loadDesign();
    for (Component* c : components_) c->build();
    if (view_) view_->built();
    loading_ = false;
    App::instance().formLoaded(this);
    for (Component* c : components_) c->started();
    Form_Load();
}

void Form::Show() {
    Load();
    if (!view_) return;  // none, or the load handler unloaded it again
    view_->show();
    warmUpPictures();
}

void Form::Hide() {
    Load();
    FlushDrawing();
    if (view_) view_->hide();
}

void Form::Unload() {
    if (!loaded_) return;
    FlushDrawing();  // the player sees the state the form ends in
    Form_Unload();
    if (!loaded_) return;
    for (Component* c : components_) c->teardown();
    loaded_ = false;
    if (view_) view_->unload();
    view_.reset();
    App::instance().formUnloaded(this);
}

bool Form::Visible() const { return view_ && view_->visible(); }

void Form::SetCaption(const std::string& caption) {
    Load();
    current_.caption = caption;
    if (view_) view_->refresh();
}

int Form::MousePointer() {
    Load();
    return current_.mousePointer;
}

void Form::SetMousePointer(int pointer) {
    Load();
    current_.mousePointer = pointer;
    if (view_) view_->refresh();
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
        if (c->focusable() && c->view()) order.push_back(c);
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
    return order;
}

void Form::keepFocus() {
    if (view_ && !loading_) view_->keepFocus();
}

void Form::SetPlaying(bool playing) {
    if (App::exists()) App::instance().setPlaying(this, playing && loaded_);
}

void Form::obscured() {
    if (App::exists()) App::instance().formObscured(this);
}

void Form::showPaused(bool paused) {
    if (view_) view_->showPaused(paused);
}

void Form::closeAtEnd() {
    if (view_) view_->hide();
}

QObject* Form::shownWindow() const { return Visible() ? view_->window() : nullptr; }

void FlushDrawing() {
    if (App::exists()) App::instance().frames().flush();
}

}  // namespace rt
