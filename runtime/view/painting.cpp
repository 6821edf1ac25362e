#include "runtime/view/painting.h"

#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <typeinfo>

#include "runtime/drawing/drawing.h"
#include "runtime/forms/controls.h"

namespace rt {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

void Paint(const Label& c, QPainter& p, const QRect& area, const Painted& /*how*/) {
    const auto& cur = c.now();
    QRect r = area;
    if (cur.backStyle == BackStyle::Opaque) p.fillRect(r, toQColor(cur.backColor));
    if (cur.border) {
        DrawSunkenBorder(p, r);
        r.adjust(2, 2, -2, -2);
    }
    p.setPen(c.enabledNow() ? toQColor(cur.foreColor) : QColor(0x80, 0x80, 0x80));
    // Text starts at the top of the box, below any top rows that a windowed
    // control covers, where a line still fits under them.
    if (const int covered = c.coveredRows();
        covered > 0 && r.height() - covered >= QFontMetrics(toQFont(cur.font)).height())
        r.setTop(r.top() + covered);
    DrawText(p, r, LabelTextFlags(cur.alignment), qs(cur.caption), cur.font);
}

void Paint(const CommandButton& c, QPainter& p, const QRect& r, const Painted& how) {
    const auto& cur = c.now();
    const bool down = how.pressed;
    p.fillRect(r, toQColor(cur.backColor));
    const int shift = down ? 1 : 0;
    if (cur.style == ButtonStyle::Graphical && !cur.picture.empty()) {
        const QPixmap pixmap = RenderPicture(cur.picture, PixelRatioOf(p));
        const QSize size = pixmap.deviceIndependentSize().toSize();
        p.save();
        p.setClipRect(r.adjusted(2, 2, -2, -2));
        p.drawPixmap((r.width() - size.width()) / 2 + shift,
                     (r.height() - size.height()) / 2 + shift, pixmap);
        p.restore();
    }
    DrawRaisedBorder(p, r, down);
    p.setPen(c.enabledNow() ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    DrawText(p, r.translated(shift, shift), Qt::AlignCenter | Qt::TextWordWrap, qs(cur.caption),
             cur.font);
    if (how.focused) {
        QPen dots(Qt::black, 1, Qt::DotLine);
        p.setPen(dots);
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

void Paint(const OptionButton& c, QPainter& p, const QRect& r, const Painted& how) {
    const auto& cur = c.now();
    p.fillRect(r, toQColor(cur.backColor));
    QStyleOptionButton indicator;
    QWidget& w = *how.widget;  // windowed: painted only while it has its widget
    indicator.initFrom(&w);
    const int side = 13;
    indicator.rect = QRect(0, (r.height() - side) / 2, side, side);
    indicator.state |= cur.value ? QStyle::State_On : QStyle::State_Off;
    if (how.pressed) indicator.state |= QStyle::State_Sunken;
    w.style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &indicator, &p, &w);
    p.setPen(c.enabledNow() ? toQColor(cur.foreColor) : QColor(0x80, 0x80, 0x80));
    const QRect text = r.adjusted(side + 4, 0, 0, 0);
    DrawText(p, text, Qt::AlignLeft | Qt::AlignVCenter, qs(cur.caption), cur.font);
    if (how.focused) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        QRect bound = p.boundingRect(text, Qt::AlignLeft | Qt::AlignVCenter, qs(cur.caption));
        p.drawRect(bound.adjusted(-1, 0, 1, -1));
    }
}

void Paint(const Frame& c, QPainter& p, const QRect& r, const Painted& /*how*/) {
    const auto& cur = c.now();
    p.fillRect(r, toQColor(cur.backColor));
    const QFont font = toQFont(cur.font);
    p.setFont(font);
    const int half = QFontMetrics(font).height() / 2;
    const QRect box = r.adjusted(0, half, -1, -1);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    p.drawRect(box.adjusted(1, 1, 0, 0));
    if (cur.caption.empty()) return;
    const QString caption = qs(cur.caption);
    const QRect text(8, 0, QFontMetrics(font).horizontalAdvance(caption) + 2,
                     QFontMetrics(font).height());
    p.fillRect(text, toQColor(cur.backColor));
    p.setPen(toQColor(cur.foreColor));
    DrawText(p, text, Qt::AlignLeft | Qt::AlignTop, caption, cur.font);
}

void Paint(const Image& c, QPainter& p, const QRect& area, const Painted& /*how*/) {
    const auto& cur = c.now();
    if (cur.picture.empty()) return;
    const qreal ratio = PixelRatioOf(p);
    if (cur.stretch)
        p.drawPixmap(area, RenderPicture(cur.picture, area.width(), area.height(), ratio));
    else
        p.drawPixmap(0, 0, RenderPicture(cur.picture, ratio));
}

void Paint(const PictureBox& c, QPainter& p, const QRect& r, const Painted& /*how*/) {
    const auto& cur = c.now();
    p.fillRect(r, toQColor(cur.backColor));
    const int inset = cur.border ? 2 : 0;
    if (!cur.picture.empty())
        p.drawPixmap(inset, inset, RenderPicture(cur.picture, PixelRatioOf(p)));
    if (cur.border) DrawSunkenBorder(p, r);
}

void Paint(const Shape& c, QPainter& p, const QRect& area, const Painted& /*how*/) {
    const auto& cur = c.now();
    const int bw = std::max(1, cur.borderWidth);
    QRectF r = QRectF(area).adjusted(bw / 2.0, bw / 2.0, -bw / 2.0, -bw / 2.0);
    QPainterPath path;
    switch (cur.shape) {
        case ShapeKind::Oval: path.addEllipse(r); break;
        case ShapeKind::RoundedRectangle: {
            const qreal radius = std::min(r.width(), r.height()) / 6;
            path.addRoundedRect(r, radius, radius);
            break;
        }
        default: path.addRect(r); break;
    }
    p.setRenderHint(QPainter::Antialiasing, cur.shape != ShapeKind::Rectangle);
    if (cur.backStyle == BackStyle::Opaque) p.fillPath(path, toQColor(cur.backColor));
    const Qt::BrushStyle brush = cur.fillStyle == FillStyle::Solid   ? Qt::SolidPattern
                                 : cur.fillStyle == FillStyle::Cross ? Qt::CrossPattern
                                                                     : Qt::NoBrush;
    if (brush != Qt::NoBrush) p.fillPath(path, QBrush(toQColor(cur.fillColor), brush));
    if (cur.borderVisible) {
        p.setPen(QPen(toQColor(cur.borderColor), bw));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
}

void Paint(const Line& c, QPainter& p, const QRect& /*area*/, const Painted& /*how*/) {
    const auto& cur = c.now();
    const Geometry g = c.geometry();
    auto at = [&](Twips x, Twips y) {
        return QPointF((x - g.left) / kTwipsPerPixel, (y - g.top) / kTwipsPerPixel);
    };
    p.setPen(
        QPen(toQColor(cur.borderColor), std::max(1, cur.borderWidth), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(at(cur.x1, cur.y1), at(cur.x2, cur.y2));
}

// Every kind is final: its exact type tells, cheaper than a cast a kind.
template <class Kind>
bool PaintAs(const std::type_info& kind, const Control& control, QPainter& painter,
             const QRect& area, const Painted& how) {
    if (kind != typeid(Kind)) return false;
    Paint(static_cast<const Kind&>(control), painter, area, how);
    return true;
}

}  // namespace

void PaintControl(const Control& control, QPainter& painter, const QRect& area,
                  const Painted& how) {
    const std::type_info& kind = typeid(control);
    // The games' moving pictures first.
    (void)(PaintAs<Image>(kind, control, painter, area, how) ||
           PaintAs<Label>(kind, control, painter, area, how) ||
           PaintAs<CommandButton>(kind, control, painter, area, how) ||
           PaintAs<OptionButton>(kind, control, painter, area, how) ||
           PaintAs<Frame>(kind, control, painter, area, how) ||
           PaintAs<PictureBox>(kind, control, painter, area, how) ||
           PaintAs<Shape>(kind, control, painter, area, how) ||
           PaintAs<Line>(kind, control, painter, area, how));
}

}  // namespace rt
