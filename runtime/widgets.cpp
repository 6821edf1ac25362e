#include "widgets.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace rt {

QColor toQColor(Color c) {
    return QColor((c.rgb >> 16) & 0xFF, (c.rgb >> 8) & 0xFF, c.rgb & 0xFF);
}

QFont toQFont(const Font& font) {
    QFont f(QString::fromStdString(font.name));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 96.0 / 72.0))));
    f.setBold(font.bold);
    f.setUnderline(font.underline);
    f.setStyleHint(QFont::SansSerif);
    return f;
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
