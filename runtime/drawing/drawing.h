#pragma once
// How the runtime's values look on screen: colours, fonts and text, pictures
// rendered from their SVG sources, pointers, and the bundled fonts.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <vector>

#include "runtime/base/values.h"

namespace rt {

QColor toQColor(Color c);

// Families used where a layout's font is missing, narrowest first, so that
// captions keep to their controls.
const QStringList& FallbackFamilies();

// Draws every text with the fallback families, as where the bundled fonts
// are missing (for tests of how captions fit).
void UseFallbackFonts(bool only);
// For tests of how captions fit: every text drawn since the last call, with
// the box its lines take in the coordinates of the window drawn on.
struct DrawnText {
    QString text;
    QRectF box;
    bool overflows = false;  // did not fit its control even narrowed: elided or cut
};
void RecordDrawnTexts(bool on);
std::vector<DrawnText> TakeDrawnTexts();

// Point sizes become pixel sizes at 96 dpi, so text fits the twips layout.
QFont toQFont(const Font& font);

// Text in the given font; a bold that the family lacks is struck twice, one
// pixel apart, as bitmap fonts are emboldened.
void DrawText(QPainter& painter, const QRect& rect, int flags, const QString& text,
              const Font& font);

// Whether `text` shows whole in a box of `size` as DrawText sets it there
// (narrowed, if need be), neither elided nor cut.
bool TextFits(const QSize& size, int flags, const QString& text, const Font& font);

// The sunken single border of labels and picture boxes; a button's raised
// one, sunken while it is held down.
void DrawSunkenBorder(QPainter& painter, const QRect& rect);
void DrawRaisedBorder(QPainter& painter, const QRect& rect, bool pressed);

// The pixel ratio of what the painter really draws on (the screen's backing
// store, or an image a widget is rendered into).
qreal PixelRatioOf(QPainter& painter);

// The picture rendered at its pixel size for a screen of this pixel ratio.
QPixmap RenderPicture(const Picture& picture, qreal devicePixelRatio);
QPixmap RenderPicture(const Picture& picture, int width, int height, qreal devicePixelRatio);

// The pointer drawn for this pixel ratio; its hot spot scales with the picture.
QCursor MakeCursor(const Cursor& cursor, qreal devicePixelRatio);

// Registers the bundled fonts; quietly falls back to a narrow sans when absent.
void RegisterFonts();

}  // namespace rt
