// Screen readers find windowless controls as children of the widget they
// sit on, named as the player sees them.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWindow>

#include "surface.h"

namespace rt {

namespace {

class WindowlessAccessible final : public QAccessibleInterface {
  public:
    explicit WindowlessAccessible(Control* control) : control_(control) {}
    bool isValid() const override { return Surface::onSurface(*control_); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        QWidget* on = Surface::surfaceOf(*control_);
        return on ? on->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(Surface::surfaceOf(*control_));
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? QString::fromStdString(Surface::accessibleText(*control_))
                                      : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        QWidget* on = Surface::surfaceOf(*control_);
        if (!on || Surface::shown(*control_).isEmpty()) return {};
        return QRect(on->mapToGlobal(Surface::shown(*control_).topLeft()),
                     Surface::shown(*control_).size());
    }
    QAccessible::Role role() const override {
        return Surface::showsText(*control_) ? QAccessible::StaticText : QAccessible::Graphic;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = Surface::shown(*control_).isEmpty();
        state.disabled = !Surface::enabled(*control_);
        return state;
    }

  private:
    Control* control_;
};

}  // namespace

QAccessibleInterface* Surface::accessible(Control& c) {
    if (!c.accessibleId_)
        c.accessibleId_ = QAccessible::registerAccessibleInterface(new WindowlessAccessible(&c));
    return QAccessible::accessibleInterface(c.accessibleId_);
}

void Surface::dropAccessible(Control& c) {
    if (c.accessibleId_) QAccessible::deleteAccessibleInterface(c.accessibleId_);
    c.accessibleId_ = 0;
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
        return i < list.size() ? Surface::accessible(*list[i]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const std::vector<Control*> list = named();
        for (size_t i = 0; i < list.size(); ++i)
            if (Surface::accessible(*list[i]) == child)
                return QAccessibleWidget::childCount() + static_cast<int>(i);
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* own = QAccessibleWidget::childAt(x, y)) return own;
        for (Control* c : named())
            if (Surface::accessible(*c)->rect().contains(x, y)) return Surface::accessible(*c);
        return nullptr;
    }

  private:
    std::vector<Control*> named() const {
        if (auto* window = dynamic_cast<FormWindow*>(widget()); window && window->owner())
            return Surface::named(*window->owner(), nullptr);
        if (auto* w = dynamic_cast<ControlWidget*>(widget()); w && w->owner())
            return Surface::named(w->owner()->Parent(), w->owner());
        return {};
    }
};

QAccessibleInterface* SurfaceFactory(const QString&, QObject* object) {
    if (dynamic_cast<FormWindow*>(object) || dynamic_cast<ControlWidget*>(object))
        return new SurfaceAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

void InstallAccessibility() { QAccessible::installFactory(SurfaceFactory); }

}  // namespace rt
