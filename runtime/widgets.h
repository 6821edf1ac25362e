#pragma once
// Internal: the Qt widgets behind forms and controls. Forms never see these.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "basic.h"

namespace rt {

class Form;
class Control;

QColor toQColor(Color c);
// Point sizes become pixel sizes at 96 dpi, so text fits the twips layout.
QFont toQFont(const Font& font);
// Text in the given font; a bold that the family lacks is struck twice, one
// pixel apart, as bitmap fonts are emboldened.
void DrawText(QPainter& painter, const QRect& rect, int flags, const QString& text,
              const Font& font);

// The picture rendered at its pixel size for a screen of this pixel ratio.
QPixmap renderPicture(const Picture& picture, qreal devicePixelRatio);
QPixmap renderPicture(const Picture& picture, int width, int height, qreal devicePixelRatio);

class FormWindow final : public QWidget {
  public:
    explicit FormWindow(Form* owner);
    void detach() { owner_ = nullptr; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    Form* owner_;
};

class ControlWidget final : public QWidget {
  public:
    ControlWidget(Control* owner, QWidget* parent);
    void detach() { owner_ = nullptr; }
    bool pressed() const { return pressed_; }

  protected:
    void paintEvent(QPaintEvent*) override;
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
};

// Mouse button and shift-key masks as the MouseMove events report them.
int ButtonMask(Qt::MouseButtons buttons);
int ShiftMask(Qt::KeyboardModifiers modifiers);

}  // namespace rt
