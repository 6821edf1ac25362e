#include "runtime/forms/controls.h"

#include <QLocale>
#include <algorithm>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "runtime/base/time_text.h"
#include "runtime/drawing/drawing.h"

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

int LabelTextFlags(Alignment alignment) {
    return static_cast<int>(toQt(alignment) | Qt::AlignTop | Qt::TextWordWrap);
}

bool Label::Fits(const std::string& caption) {
    touch();
    const int border = cur_.border ? 2 : 0;
    const QSize size(ToPixels(geometry().width) - 2 * border,
                     ToPixels(geometry().height) - 2 * border);
    return TextFits(size, LabelTextFlags(cur_.alignment), qs(caption), cur_.font);
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
    next->focus();
    return true;
}

// ---- Frame

const std::string& Frame::Caption() { return get(&FrameDesign::caption); }

// A group's name stands alone: "Obtiažnosť: " reads as "Obtiažnosť".
std::string Frame::accessibleText() const {
    const size_t end = cur_.caption.find_last_not_of(": ");
    return end == std::string::npos ? std::string() : cur_.caption.substr(0, end + 1);
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

// ---- Shape

Color Shape::BorderColor() { return get(&ShapeDesign::borderColor); }

void Shape::SetBorderColor(Color color) { set(&ShapeDesign::borderColor, color); }

Color Shape::FillColor() { return get(&ShapeDesign::fillColor); }

void Shape::SetFillColor(Color color) { set(&ShapeDesign::fillColor, color); }

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

}  // namespace rt
