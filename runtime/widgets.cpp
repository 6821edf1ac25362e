#include "widgets.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

namespace rt {

QColor toQColor(Color c) { return QColor((c.rgb >> 16) & 0xFF, (c.rgb >> 8) & 0xFF, c.rgb & 0xFF); }

namespace {
QString familyOf(const Font& font) {
    return QString::fromUtf8(font.name.data(), static_cast<qsizetype>(font.name.size()));
}
}  // namespace

QFont toQFont(const Font& font) {
    const QString family = familyOf(font);
    QFont f(family);
    // Bitmap strikes do not scale: on a high-density screen take the fallback.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0 &&
        !QFontDatabase::isSmoothlyScalable(family)) {
        f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
        f.setStretch(QFont::Condensed);
    }
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0))));
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

void DrawText(QPainter& painter, const QRect& rect, int flags, const QString& text,
              const Font& font) {
    static QHash<QString, bool> hasBold;
    const QString family = familyOf(font);
    auto it = hasBold.find(family);
    if (it == hasBold.end()) {
        const QStringList styles = QFontDatabase::styles(family);
        const bool bold =
            styles.isEmpty() || std::any_of(styles.begin(), styles.end(), [](const QString& s) {
                return s.contains(QLatin1String("Bold"), Qt::CaseInsensitive);
            });
        it = hasBold.insert(family, bold);
    }
    QFont qfont = toQFont(font);
    const bool strike = font.bold && !*it;
    if (strike) qfont.setBold(false);
    painter.setFont(qfont);
    painter.drawText(rect, flags, text);
    if (strike) painter.drawText(rect.translated(1, 0), flags, text);
}

QPixmap renderPicture(const Picture& picture, qreal ratio) {
    return renderPicture(picture, picture.width, picture.height, ratio);
}

QPixmap renderPicture(const Picture& picture, int width, int height, qreal ratio) {
    // Pictures are redrawn on every paint: keep each rendering once.
    static QHash<QString, QPixmap> cache;
    static const bool cleared = [] {
        qAddPostRoutine([] { cache.clear(); });  // no pixmap may outlive the application
        return true;
    }();
    (void)cleared;
    const QString key = QString("%1@%2x%3@%4")
                            .arg(QString::fromStdString(picture.resource))
                            .arg(width)
                            .arg(height)
                            .arg(ratio);
    if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;

    QImage image(std::max(1, static_cast<int>(std::ceil(width * ratio))),
                 std::max(1, static_cast<int>(std::ceil(height * ratio))),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QString::fromStdString(picture.resource));
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    image.setDevicePixelRatio(ratio);
    QPixmap pixmap = QPixmap::fromImage(image);
    cache.insert(key, pixmap);
    return pixmap;
}

}  // namespace rt
