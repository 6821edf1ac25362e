// Screen readers find windowless controls as children of the widget they
// sit on, named as the player sees them.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QWindow>
#include <algorithm>

#include "runtime/view/surface.h"

namespace rt {

namespace {

class WindowlessAccessible final : public QAccessibleInterface {
  public:
    explicit WindowlessAccessible(const WindowlessView* view)
        : view_(view), control_(&view->control()) {}
    bool isValid() const override { return view_->surface() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        QWidget* on = view_->surface();
        return on ? on->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_->surface());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QString::fromStdString(control_->accessibleText());
        if (t == QAccessible::Description)
            return QString::fromStdString(control_->accessibleDescription());
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        QWidget* on = view_->surface();
        if (!on || view_->shown().isEmpty()) return {};
        return QRect(on->mapToGlobal(view_->shown().topLeft()), view_->shown().size());
    }
    QAccessible::Role role() const override {
        return control_->accessibleRole() == AccessibleRole::Text ? QAccessible::StaticText
                                                                  : QAccessible::Graphic;
    }
    // A picture that takes no clicks now (a walker between games) is not sensitive.
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = view_->shown().isEmpty();
        state.disabled = !control_->takesMouseNow();
        return state;
    }

  private:
    const WindowlessView* view_;  // deletes this with itself
    const Control* control_;
};

}  // namespace

QAccessibleInterface* WindowlessView::accessible() {
    if (!accessibleId_)
        accessibleId_ = QAccessible::registerAccessibleInterface(new WindowlessAccessible(this));
    return QAccessible::accessibleInterface(accessibleId_);
}

namespace {

QAccessible::Role RoleOf(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::Text: return QAccessible::StaticText;
        case AccessibleRole::PushButton: return QAccessible::Button;
        case AccessibleRole::RadioButton: return QAccessible::RadioButton;
        case AccessibleRole::Grouping: return QAccessible::Grouping;
        default: return QAccessible::Graphic;
    }
}

bool Pressable(AccessibleRole role) {
    return role == AccessibleRole::PushButton || role == AccessibleRole::RadioButton;
}

// Qt blocks the mouse and the keys of every other window while a message box
// is open; a screen reader's press is dropped the same way.
bool MessageBoxOpen() { return QApplication::activeModalWidget() != nullptr; }

// A form's window or a container's widget, with its windowless controls
// after its widget children; the controls without a name (decorative
// pictures) are left out.
class SurfaceAccessible final : public QAccessibleWidget {
  public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const std::vector<QAccessibleInterface*> list = children();
        return index >= 0 && static_cast<size_t>(index) < list.size()
                   ? list[static_cast<size_t>(index)]
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const std::vector<QAccessibleInterface*> list = children();
        const auto at = std::find(list.begin(), list.end(), child);
        return at == list.end() ? -1 : static_cast<int>(at - list.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (QAccessibleInterface* c : children())
            if (!c->state().invisible && c->rect().contains(x, y)) return c;
        return nullptr;
    }

    QAccessible::Role role() const override {
        if (const Form* form = ownForm())
            return form->properties().border == BorderStyle::FixedToolWindow ? QAccessible::Dialog
                                                                             : QAccessible::Window;
        if (const Control* c = control()) return RoleOf(c->accessibleRole());
        return QAccessibleWidget::role();
    }
    QString text(QAccessible::Text t) const override {
        if (const Control* c = control(); c && t == QAccessible::Description)
            return QString::fromStdString(c->accessibleDescription());
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        if (const Form* form = ownForm()) {
            const FormDesign& d = form->properties();
            return QString::fromStdString(d.accessibleName.empty() ? d.caption : d.accessibleName);
        }
        if (const Control* c = control()) return QString::fromStdString(c->accessibleText());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        if (const Control* c = control(); c && c->accessibleRole() == AccessibleRole::RadioButton) {
            state.checkable = true;
            state.checked = c->checked();
        }
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (const Control* c = control(); c && Pressable(c->accessibleRole()))
            names.prepend(pressAction());
        return names;
    }
    // Later, as a click comes: the screen reader's call returns before a
    // handler that opens a message box waits for it.
    void doAction(const QString& name) override {
        Control* c = control();
        if (name != pressAction() || !c || !Pressable(c->accessibleRole())) {
            QAccessibleWidget::doAction(name);
            return;
        }
        if (MessageBoxOpen()) return;
        auto* w = static_cast<ControlWidget*>(widget());
        QMetaObject::invokeMethod(
            w,
            [w] {
                if (w->owner() && !MessageBoxOpen()) w->owner()->Press();
            },
            Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (const Control* c = control(); c && name == pressAction() && c->cancels())
            return {QStringLiteral("Escape")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

  private:
    const Form* ownForm() const {
        auto* window = dynamic_cast<FormWindow*>(widget());
        return window ? window->owner() : nullptr;
    }
    Control* control() const {
        auto* w = dynamic_cast<ControlWidget*>(widget());
        return w ? w->owner() : nullptr;
    }
    std::vector<Control*> named() const {
        if (const Form* form = ownForm()) return NamedWindowless(*form, nullptr);
        if (Control* c = control()) return NamedWindowless(c->Parent(), c);
        return {};
    }
    std::vector<QAccessibleInterface*> children() const {
        std::vector<QAccessibleInterface*> list;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* c = QAccessibleWidget::child(i);
            auto* w = c ? dynamic_cast<ControlWidget*>(c->object()) : nullptr;
            if (c && (!w || (w->owner() && !w->owner()->accessibleText().empty())))
                list.push_back(c);
        }
        for (Control* c : named()) list.push_back(WindowlessOf(*c)->accessible());
        return list;
    }
};

QAccessibleInterface* SurfaceFactory(const QString&, QObject* object) {
    if (auto* cover = dynamic_cast<PauseCover*>(object))
        return new QAccessibleWidget(cover, QAccessible::AlertMessage);
    if (dynamic_cast<FormWindow*>(object) || dynamic_cast<ControlWidget*>(object))
        return new SurfaceAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(SurfaceFactory); }

}  // namespace rt
