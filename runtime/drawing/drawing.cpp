#include "runtime/drawing/drawing.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QStaticText>
#include <QSvgRenderer>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <tuple>

#include "runtime/base/memory.h"

namespace rt {

QColor toQColor(Color c) { return QColor((c.rgb >> 16) & 0xFF, (c.rgb >> 8) & 0xFF, c.rgb & 0xFF); }

const QStringList& FallbackFamilies() {
    static const QStringList families{"Liberation Sans Narrow", "DejaVu Sans Condensed",
                                      "DejaVu Sans", "Sans Serif"};
    return families;
}

namespace {
QString familyOf(const Font& font) {
    return QString::fromUtf8(font.name.data(), static_cast<qsizetype>(font.name.size()));
}
}  // namespace

namespace {
bool onlyFallbacks = false;
bool recording = false;
std::vector<DrawnText> drawn;
}  // namespace

void RecordDrawnTexts(bool on) { recording = on; }

void UseFallbackFonts(bool only) { onlyFallbacks = only; }

std::vector<DrawnText> TakeDrawnTexts() {
    std::vector<DrawnText> texts;
    texts.swap(drawn);
    return texts;
}

QFont toQFont(const Font& font) {
    const QString family = familyOf(font);
    QFont f(family);
    // Bitmap strikes do not scale: on a high-density screen take the fallback.
    if (onlyFallbacks || (qGuiApp && qGuiApp->devicePixelRatio() > 1.0 &&
                          !QFontDatabase::isSmoothlyScalable(family))) {
        f.setFamilies(FallbackFamilies());
    }
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0))));
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

namespace {

// A cache emptied before the application goes: no pixmap or font may outlive it.
template <class Cache>
Cache& UntilApplicationEnds() {
    static Cache cache;
    static const bool cleared = [] {
        qAddPostRoutine([] { cache.clear(); });
        return true;
    }();
    (void)cleared;
    return cache;
}

// How a caption is set in its rectangle: worked out once, since labels the
// pictures move over are drawn again on every frame.
struct TextLayout {
    QFont font;
    QString shown;
    int flags = 0;
    bool strike = false;     // bold drawn twice, one pixel apart
    bool overflows = false;  // does not fit even narrowed
    QStaticText text;        // shaped and broken into lines once, unless underlined
};

TextLayout layOut(const QSize& size, int flags, const QString& text, const Font& font) {
    static QHash<QString, bool> hasBold;
    const QString family = onlyFallbacks ? FallbackFamilies().front() : familyOf(font);
    auto it = hasBold.find(family);
    if (it == hasBold.end()) {
        const QStringList styles = QFontDatabase::styles(family);
        const bool bold =
            styles.isEmpty() || std::any_of(styles.begin(), styles.end(), [](const QString& s) {
                return s.contains(QLatin1String("Bold"), Qt::CaseInsensitive);
            });
        it = hasBold.insert(family, bold);
    }
    TextLayout out;
    out.font = toQFont(font);
    out.shown = text;
    out.flags = flags;
    QFont& qfont = out.font;
    out.strike = font.bold && !*it;
    if (out.strike) qfont.setBold(false);
    const QRect rect(QPoint(0, 0), size);
    // Room for one line only: narrow the face a little rather than wrap the
    // end of a caption (often its number) out of sight; past that, elide.
    const int room = rect.width() - (out.strike ? 1 : 0);
    // Blanks at the end take no room: "Verzia: " fits where "Verzia:" does.
    QString visible = text;
    while (visible.endsWith(QLatin1Char(' '))) visible.chop(1);
    const auto width = [&] { return QFontMetrics(qfont).horizontalAdvance(visible); };
    if (rect.height() < 2 * QFontMetrics(qfont).lineSpacing() &&
        !text.contains(QLatin1Char('\n')) && width() > room) {
        out.flags &= ~Qt::TextWordWrap;
        for (int stretch = 100; stretch >= 70; stretch -= 2) {
            qfont.setStretch(stretch);
            if (width() <= room) break;
        }
        out.shown = QFontMetrics(qfont).elidedText(visible, Qt::ElideRight, room);
        out.overflows = out.shown != visible;
    } else if (!text.isEmpty() && rect.height() >= 2 * QFontMetrics(qfont).lineSpacing()) {
        // Wrapped past the bottom: narrow it the same way.
        auto fits = [&] {
            return QFontMetrics(qfont).boundingRect(rect, flags, text).height() <=
                   rect.height() + 1;
        };
        for (int stretch = 98; !fits() && stretch >= 70; stretch -= 2) qfont.setStretch(stretch);
        out.overflows = !fits();
    }
    if (font.underline) return out;  // a static line underlines its alignment's offset too
    out.text.setText(out.shown);
    out.text.setTextFormat(Qt::PlainText);
    if (out.flags & Qt::TextWordWrap) {
        QTextOption option(static_cast<Qt::Alignment>(out.flags) & Qt::AlignHorizontal_Mask);
        option.setWrapMode(QTextOption::WordWrap);
        out.text.setTextOption(option);
        out.text.setTextWidth(rect.width());
    }
    out.text.prepare(QTransform(), qfont);
    return out;
}

// Where the lines go in `rect`, as the alignment flags place them.
QPointF placed(const TextLayout& layout, const QRect& rect) {
    const QSizeF size = layout.text.size();
    qreal x = rect.left();
    if (!(layout.flags & Qt::TextWordWrap)) {
        if (layout.flags & Qt::AlignHCenter)
            x += (rect.width() - size.width()) / 2;
        else if (layout.flags & Qt::AlignRight)
            x += rect.width() - size.width();
    }
    qreal y = rect.top();
    if (layout.flags & Qt::AlignVCenter)
        y += (rect.height() - size.height()) / 2;
    else if (layout.flags & Qt::AlignBottom)
        y += rect.height() - size.height();
    return {std::round(x), std::round(y)};
}

}  // namespace

bool TextFits(const QSize& size, int flags, const QString& text, const Font& font) {
    return !layOut(size, flags, text, font).overflows;
}

void DrawText(QPainter& painter, const QRect& rect, int flags, const QString& text,
              const Font& font) {
    using Key = std::tuple<QString, std::string_view, float, bool, bool, int, int, int, bool, bool>;
    auto& layouts = UntilApplicationEnds<std::map<Key, TextLayout>>();
    const bool dense = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
    Key key{text,         font.name,     font.size, font.bold,     font.underline,
            rect.width(), rect.height(), flags,     onlyFallbacks, dense};
    auto it = layouts.find(key);
    if (it == layouts.end()) {
        if (layouts.size() >= 1024) layouts.clear();  // captions such as scores never repeat
        it = layouts.emplace(std::move(key), layOut(rect.size(), flags, text, font)).first;
    }
    const TextLayout& layout = it->second;
    painter.setFont(layout.font);
    const auto record = [&](const QRectF& box) {
        const qreal ratio = PixelRatioOf(painter);
        const QTransform toWindow =
            painter.deviceTransform() * QTransform::fromScale(1 / ratio, 1 / ratio);
        drawn.push_back({text, toWindow.mapRect(box), layout.overflows});
    };
    if (recording)
        record(QFontMetricsF(layout.font).boundingRect(rect, layout.flags, layout.shown));
    if (layout.font.underline()) {
        painter.drawText(rect, layout.flags, layout.shown);
        if (layout.strike) painter.drawText(rect.translated(1, 0), layout.flags, layout.shown);
        return;
    }
    const QPointF at = placed(layout, rect);
    painter.drawStaticText(at, layout.text);
    if (layout.strike) painter.drawStaticText(at + QPointF(1, 0), layout.text);
}

void DrawSunkenBorder(QPainter& p, const QRect& r) {
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Qt::white);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    const QRect inner = r.adjusted(1, 1, -1, -1);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawLine(inner.topLeft(), inner.topRight());
    p.drawLine(inner.topLeft(), inner.bottomLeft());
    p.setPen(QColor(0xD4, 0xD0, 0xC8));
    p.drawLine(inner.bottomLeft(), inner.bottomRight());
    p.drawLine(inner.topRight(), inner.bottomRight());
}

void DrawRaisedBorder(QPainter& p, const QRect& r, bool pressed) {
    const QColor light = pressed ? QColor(0x40, 0x40, 0x40) : QColor(Qt::white);
    const QColor dark = pressed ? QColor(Qt::white) : QColor(0x40, 0x40, 0x40);
    p.setPen(light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(QColor(0x80, 0x80, 0x80));
    const QRect inner = r.adjusted(1, 1, -1, -1);
    if (pressed) {
        p.drawLine(inner.topLeft(), inner.topRight());
        p.drawLine(inner.topLeft(), inner.bottomLeft());
    } else {
        p.drawLine(inner.bottomLeft(), inner.bottomRight());
        p.drawLine(inner.topRight(), inner.bottomRight());
    }
}

qreal PixelRatioOf(QPainter& painter) {
    if (QPaintEngine* engine = painter.paintEngine())
        if (QPaintDevice* device = engine->paintDevice()) return device->devicePixelRatioF();
    return painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
}

QPixmap RenderPicture(const Picture& picture, qreal ratio) {
    return RenderPicture(picture, picture.width, picture.height, ratio);
}

namespace {
// Pictures are looked up without copying the name: both sides compared as views.
using PictureKey = std::tuple<std::string, int, int, qreal>;
using PictureWanted = std::tuple<std::string_view, int, int, qreal>;
struct PictureLess {
    using is_transparent = void;
    static PictureWanted view(const PictureKey& k) {
        return {std::get<0>(k), std::get<1>(k), std::get<2>(k), std::get<3>(k)};
    }
    static const PictureWanted& view(const PictureWanted& w) { return w; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
        return view(a) < view(b);
    }
};
}  // namespace

QPixmap RenderPicture(const Picture& picture, int width, int height, qreal ratio) {
    // Pictures are redrawn on every paint: keep each rendering once.
    using Key = PictureKey;
    using Wanted = PictureWanted;
    auto& cache = UntilApplicationEnds<std::map<Key, QPixmap, PictureLess>>();
    const Wanted wanted{picture.resource, width, height, ratio};
    if (auto it = cache.find(wanted); it != cache.end()) return it->second;

    const QSize pixels(std::max(1, static_cast<int>(std::ceil(width * ratio))),
                       std::max(1, static_cast<int>(std::ceil(height * ratio))));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) OutOfMemory("a picture", pixels);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromStdString(picture.resource));
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    image.setDevicePixelRatio(ratio);
    QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.isNull()) OutOfMemory("a picture", pixels);
    cache.emplace(Key{picture.resource, width, height, ratio}, pixmap);
    return pixmap;
}

QCursor MakeCursor(const Cursor& cursor, qreal ratio) {
    // X reads the hot spot in the pixmap's device pixels; Wayland in the
    // cursor surface's own, which the pixmap's ratio scales already.
    const qreal hotScale =
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ? 1.0 : ratio;
    return QCursor(RenderPicture(cursor.picture, ratio),
                   static_cast<int>(std::lround(cursor.hotX * hotScale)),
                   static_cast<int>(std::lround(cursor.hotY * hotScale)));
}

void RegisterFonts() {
    static const char* const files[] = {
        "/usr/share/wine/fonts/tahoma.ttf",
        "/usr/share/wine/fonts/tahomabd.ttf",
        "/usr/share/wine/fonts/ms_sans_serif.ttf",
    };
    for (const char* file : files) QFontDatabase::addApplicationFont(QString::fromUtf8(file));
    QFont::insertSubstitutions("Tahoma", FallbackFamilies());
    QFont::insertSubstitutions("MS Sans Serif", FallbackFamilies());
}

}  // namespace rt
