#include "runtime/forms/controls.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "runtime/base/time_text.h"
#include "runtime/forms/drawing.h"

namespace rt {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

Qt::Alignment toQt(Alignment a) {
    switch (a) {
        case Alignment::Right: return Qt::AlignRight;
        case Alignment::Center: return Qt::AlignHCenter;
        default: return Qt::AlignLeft;
    }
}

}  // namespace

// ---- Label

const std::string& Label::Caption() { return get(&LabelDesign::caption); }

void Label::SetCaption(const std::string& caption) { set(&LabelDesign::caption, caption); }

Color Label::ForeColor() { return get(&LabelDesign::foreColor); }

void Label::SetForeColor(Color color) { set(&LabelDesign::foreColor, color); }

Color Label::BackColor() { return get(&LabelDesign::backColor); }

void Label::SetBackColor(Color color) { set(&LabelDesign::backColor, color); }

const std::string& Label::ToolTipText() { return get(&LabelDesign::toolTip); }

void Label::SetToolTipText(const std::string& text) {
    touch();
    if (cur_.toolTip == text) return;
    cur_.toolTip = text;
    refreshWidget();
    announceDescription();
}

namespace {
constexpr int kLabelFlags = Qt::AlignTop | Qt::TextWordWrap;
}  // namespace

bool Label::Fits(const std::string& caption) {
    touch();
    const int border = cur_.border ? 2 : 0;
    const QSize size(ToPixels(geometry().width) - 2 * border,
                     ToPixels(geometry().height) - 2 * border);
    return TextFits(size, static_cast<int>(toQt(cur_.alignment) | kLabelFlags), qs(caption),
                    cur_.font);
}

namespace {

// The first form whose texts at every moment the label shows whole; worked
// out once for a label, locale and surrounding text, as a clock asks every second.
int FittingForm(Label& label, int forms, const std::vector<DateTime>& moments,
                const std::string& shape, const std::function<std::string(int, DateTime)>& text) {
    using Key = std::tuple<const Label*, std::string, Twips, Twips, int, int, int, std::string>;
    static std::map<Key, int> chosen;
    const QLocale locale;
    const Key key{
        &label,          label.Name(),       label.Width(), label.Height(), locale.language(),
        locale.script(), locale.territory(), shape};
    if (const auto it = chosen.find(key); it != chosen.end()) return it->second;
    int form = 0;
    while (form + 1 < forms && !std::all_of(moments.begin(), moments.end(), [&](DateTime moment) {
               return label.Fits(text(form, moment));
           }))
        ++form;
    if (chosen.size() >= 256) chosen.clear();
    return chosen[key] = form;
}

}  // namespace

std::string TimeCaption(Label& label, DateTime when, const std::string& before,
                        const std::string& after) {
    const int form =
        FittingForm(label, kTimeForms, WidestMoments(when), "time:" + before + after,
                    [&](int f, DateTime moment) { return before + TimeText(moment, f) + after; });
    return before + TimeText(when, form) + after;
}

std::string DateCaption(Label& label, DateTime when) {
    const int form = FittingForm(label, kDateForms, {when}, "date",
                                 [](int f, DateTime moment) { return DateText(moment, f); });
    return DateText(when, form);
}

void Label::paint(QPainter& p, const QRect& area) {
    QRect r = area;
    if (cur_.backStyle == BackStyle::Opaque) p.fillRect(r, toQColor(cur_.backColor));
    if (cur_.border) {
        DrawSunkenBorder(p, r);
        r.adjust(2, 2, -2, -2);
    }
    p.setPen(enabledNow() ? toQColor(cur_.foreColor) : QColor(0x80, 0x80, 0x80));
    // Text starts at the top of the box, below any top rows that a windowed
    // control covers, where a line still fits under them.
    if (const int covered = coveredRows();
        covered > 0 && r.height() - covered >= QFontMetrics(toQFont(cur_.font)).height())
        r.setTop(r.top() + covered);
    DrawText(p, r, static_cast<int>(toQt(cur_.alignment) | kLabelFlags), qs(cur_.caption),
             cur_.font);
}

// ---- CommandButton

const std::string& CommandButton::Caption() { return get(&ButtonDesign::caption); }

void CommandButton::SetCaption(const std::string& caption) { set(&ButtonDesign::caption, caption); }

bool CommandButton::FontUnderline() {
    touch();
    return cur_.font.underline;
}

void CommandButton::SetFontUnderline(bool underline) {
    touch();
    if (cur_.font.underline == underline) return;
    cur_.font.underline = underline;
    repaint();
}

// The dashes a highlighted caption wears ("- Koniec -") are decoration.
std::string CommandButton::accessibleText() const {
    const std::string& caption = cur_.caption;
    const size_t first = caption.find_first_not_of("- ");
    if (first == std::string::npos) return caption;
    return caption.substr(first, caption.find_last_not_of("- ") + 1 - first);
}

void CommandButton::warmPictures(qreal ratio) {
    if (design_.style == ButtonStyle::Graphical && !design_.picture.empty())
        RenderPicture(design_.picture, ratio);
}

void CommandButton::paint(QPainter& p, const QRect& r) {
    const bool down = pressed();
    p.fillRect(r, toQColor(cur_.backColor));
    const int shift = down ? 1 : 0;
    if (cur_.style == ButtonStyle::Graphical && !cur_.picture.empty()) {
        const QPixmap pixmap = RenderPicture(cur_.picture, PixelRatioOf(p));
        const QSize size = pixmap.deviceIndependentSize().toSize();
        p.save();
        p.setClipRect(r.adjusted(2, 2, -2, -2));
        p.drawPixmap((r.width() - size.width()) / 2 + shift,
                     (r.height() - size.height()) / 2 + shift, pixmap);
        p.restore();
    }
    DrawRaisedBorder(p, r, down);
    p.setPen(enabledNow() ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    DrawText(p, r.translated(shift, shift), Qt::AlignCenter | Qt::TextWordWrap, qs(cur_.caption),
             cur_.font);
    if (hasFocus()) {
        QPen dots(Qt::black, 1, Qt::DotLine);
        p.setPen(dots);
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

// ---- OptionButton

bool OptionButton::Value() { return get(&OptionDesign::value); }

const std::string& OptionButton::Caption() { return get(&OptionDesign::caption); }

void OptionButton::SetValue(bool value) {
    touch();
    if (cur_.value == value) return;
    cur_.value = value;
    changed();
    if (!value) return;
    for (OptionButton* other : group())
        if (other != this && other->cur_.value) {
            other->cur_.value = false;
            other->changed();
        }
    if (Click) Click();
}

void OptionButton::changed() {
    repaint();
    announceChecked();
    for (OptionButton* o : group()) o->refreshFocus();
}

std::vector<OptionButton*> OptionButton::group() const {
    std::vector<OptionButton*> options;
    for (Component* c : Parent().components())
        if (auto* o = dynamic_cast<OptionButton*>(c); o && o->container() == container())
            options.push_back(o);
    std::stable_sort(options.begin(), options.end(), [](OptionButton* a, OptionButton* b) {
        return a->tabIndex() < b->tabIndex();
    });
    return options;
}

bool OptionButton::tabStop() const {
    if (cur_.value) return true;
    const std::vector<OptionButton*> options = group();
    return std::none_of(options.begin(), options.end(),
                        [](OptionButton* o) { return o->cur_.value; }) &&
           options.front() == this;
}

// Clicking the selected option raises Click again.
void OptionButton::clicked() {
    if (!Value())
        SetValue(true);
    else if (Click)
        Click();
}

bool OptionButton::arrowKey(int step) {
    std::vector<OptionButton*> usable = group();
    std::erase_if(usable, [](OptionButton* o) { return !o->Visible() || !o->Enabled(); });
    if (usable.size() < 2) return false;
    const auto at = std::find(usable.begin(), usable.end(), this);
    if (at == usable.end()) return false;
    const long n = static_cast<long>(usable.size());
    OptionButton* next = usable[static_cast<size_t>(((at - usable.begin()) + step + n) % n)];
    next->SetValue(true);
    if (QWidget* w = next->widget()) w->setFocus();
    return true;
}

void OptionButton::paint(QPainter& p, const QRect& r) {
    p.fillRect(r, toQColor(cur_.backColor));
    QStyleOptionButton indicator;
    QWidget& w = *widget();  // windowed: painted only while it has its widget
    indicator.initFrom(&w);
    const int side = 13;
    indicator.rect = QRect(0, (r.height() - side) / 2, side, side);
    indicator.state |= cur_.value ? QStyle::State_On : QStyle::State_Off;
    if (pressed()) indicator.state |= QStyle::State_Sunken;
    w.style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &indicator, &p, &w);
    p.setPen(enabledNow() ? toQColor(cur_.foreColor) : QColor(0x80, 0x80, 0x80));
    const QRect text = r.adjusted(side + 4, 0, 0, 0);
    DrawText(p, text, Qt::AlignLeft | Qt::AlignVCenter, qs(cur_.caption), cur_.font);
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        QRect bound = p.boundingRect(text, Qt::AlignLeft | Qt::AlignVCenter, qs(cur_.caption));
        p.drawRect(bound.adjusted(-1, 0, 1, -1));
    }
}

// ---- Frame

const std::string& Frame::Caption() { return get(&FrameDesign::caption); }

// A group's name stands alone: "Obtiažnosť: " reads as "Obtiažnosť".
std::string Frame::accessibleText() const {
    const size_t end = cur_.caption.find_last_not_of(": ");
    return end == std::string::npos ? std::string() : cur_.caption.substr(0, end + 1);
}

void Frame::paint(QPainter& p, const QRect& r) {
    p.fillRect(r, toQColor(cur_.backColor));
    const QFont font = toQFont(cur_.font);
    p.setFont(font);
    const int half = QFontMetrics(font).height() / 2;
    const QRect box = r.adjusted(0, half, -1, -1);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(Qt::white);
    p.drawRect(box.adjusted(1, 1, 0, 0));
    if (cur_.caption.empty()) return;
    const QString caption = qs(cur_.caption);
    const QRect text(8, 0, QFontMetrics(font).horizontalAdvance(caption) + 2,
                     QFontMetrics(font).height());
    p.fillRect(text, toQColor(cur_.backColor));
    p.setPen(toQColor(cur_.foreColor));
    DrawText(p, text, Qt::AlignLeft | Qt::AlignTop, caption, cur_.font);
}

// ---- Image

const Picture& Image::GetPicture() { return get(&ImageDesign::picture); }

void Image::SetPicture(const Picture& picture) { set(&ImageDesign::picture, picture); }

void Image::warmPictures(qreal ratio) {
    if (design_.picture.empty()) return;
    const Geometry g = geometry();
    if (design_.stretch)
        RenderPicture(design_.picture, ToPixels(g.width), ToPixels(g.height), ratio);
    else
        RenderPicture(design_.picture, ratio);
}

void Image::paint(QPainter& p, const QRect& area) {
    if (cur_.picture.empty()) return;
    const qreal ratio = PixelRatioOf(p);
    if (cur_.stretch)
        p.drawPixmap(area, RenderPicture(cur_.picture, area.width(), area.height(), ratio));
    else
        p.drawPixmap(0, 0, RenderPicture(cur_.picture, ratio));
}

// ---- PictureBox

void PictureBox::build() {
    Control::build();
    fitPicture();
}

const Picture& PictureBox::GetPicture() { return get(&PictureBoxDesign::picture); }

void PictureBox::SetPicture(const Picture& picture) {
    touch();
    cur_.picture = picture;
    fitPicture();
    repaint();
}

void PictureBox::fitPicture() {
    if (!cur_.autoSize || cur_.picture.empty()) return;
    const Twips edge = cur_.border ? 4 * kTwipsPerPixel : 0;
    const Geometry g = geometry();
    setGeometry({g.left, g.top, cur_.picture.width * kTwipsPerPixel + edge,
                 cur_.picture.height * kTwipsPerPixel + edge});
}

void PictureBox::warmPictures(qreal ratio) {
    if (!design_.picture.empty()) RenderPicture(design_.picture, ratio);
}

void PictureBox::paint(QPainter& p, const QRect& r) {
    p.fillRect(r, toQColor(cur_.backColor));
    const int inset = cur_.border ? 2 : 0;
    if (!cur_.picture.empty())
        p.drawPixmap(inset, inset, RenderPicture(cur_.picture, PixelRatioOf(p)));
    if (cur_.border) DrawSunkenBorder(p, r);
}

// ---- Shape

Color Shape::BorderColor() { return get(&ShapeDesign::borderColor); }

void Shape::SetBorderColor(Color color) { set(&ShapeDesign::borderColor, color); }

Color Shape::FillColor() { return get(&ShapeDesign::fillColor); }

void Shape::SetFillColor(Color color) { set(&ShapeDesign::fillColor, color); }

void Shape::paint(QPainter& p, const QRect& area) {
    const int bw = std::max(1, cur_.borderWidth);
    QRectF r = QRectF(area).adjusted(bw / 2.0, bw / 2.0, -bw / 2.0, -bw / 2.0);
    QPainterPath path;
    switch (cur_.shape) {
        case ShapeKind::Oval: path.addEllipse(r); break;
        case ShapeKind::RoundedRectangle: {
            const qreal radius = std::min(r.width(), r.height()) / 6;
            path.addRoundedRect(r, radius, radius);
            break;
        }
        default: path.addRect(r); break;
    }
    p.setRenderHint(QPainter::Antialiasing, cur_.shape != ShapeKind::Rectangle);
    if (cur_.backStyle == BackStyle::Opaque) p.fillPath(path, toQColor(cur_.backColor));
    const Qt::BrushStyle brush = cur_.fillStyle == FillStyle::Solid   ? Qt::SolidPattern
                                 : cur_.fillStyle == FillStyle::Cross ? Qt::CrossPattern
                                                                      : Qt::NoBrush;
    if (brush != Qt::NoBrush) p.fillPath(path, QBrush(toQColor(cur_.fillColor), brush));
    if (cur_.borderVisible) {
        p.setPen(QPen(toQColor(cur_.borderColor), bw));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
}

// ---- Line

void Line::loadDesign() {
    Designed::loadDesign();
    place();
}

// The widget is the line's bounding box, widened by its width.
void Line::place() {
    const Twips pad = (cur_.borderWidth + 1) * kTwipsPerPixel;
    const Twips left = std::min(cur_.x1, cur_.x2) - pad;
    const Twips top = std::min(cur_.y1, cur_.y2) - pad;
    const Twips width = std::abs(cur_.x2 - cur_.x1) + 2 * pad;
    const Twips height = std::abs(cur_.y2 - cur_.y1) + 2 * pad;
    setGeometry({left, top, width, height});
}

Twips Line::X1() { return get(&LineDesign::x1); }
Twips Line::X2() { return get(&LineDesign::x2); }
Twips Line::Y1() { return get(&LineDesign::y1); }
Twips Line::Y2() { return get(&LineDesign::y2); }

void Line::paint(QPainter& p, const QRect& area) {
    const Geometry g = geometry();
    auto at = [&](Twips x, Twips y) {
        return QPointF((x - g.left) / kTwipsPerPixel, (y - g.top) / kTwipsPerPixel);
    };
    p.setPen(QPen(toQColor(cur_.borderColor), std::max(1, cur_.borderWidth), Qt::SolidLine,
                  Qt::FlatCap));
    p.drawLine(at(cur_.x1, cur_.y1), at(cur_.x2, cur_.y2));
    (void)area;
}

}  // namespace rt
