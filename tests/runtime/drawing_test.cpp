// What the controls draw: colours, pictures and containers, read back from
// the window's pixels.

#include "runtime/drawing/drawing.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>

#include "runtime/view/widgets.h"
#include "tests/runtime/support.h"

namespace rttest {
namespace {

std::string WriteSvg(const QTemporaryDir& dir, const QString& name, const QByteArray& svg) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(svg);
    return path.toStdString();
}

// A 20 x 10 picture: red on its left half, blue on its right.
std::string WriteTestPicture(const QTemporaryDir& dir) {
    return WriteSvg(
        dir, "halves.svg",
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10" viewBox="0 0 20 10">
<rect x="0" y="0" width="10" height="10" fill="#ff0000"/>
<rect x="10" y="0" width="10" height="10" fill="#0000ff"/></svg>)");
}

class Canvas final : public rt::Form {
  public:
    explicit Canvas(const rt::Picture& picture)
        : rt::Form(
              {.caption = "Canvas", .width = 3000, .height = 3000, .backColor = rt::rgb(0x00FF00)}),
          picture_(picture) {}

    rt::Picture picture_;
    // clang-format off
    rt::PictureBox Box1{*this, "Box1", {0, 0, 600, 300}, {.picture = picture_, .border = false}};
    rt::PictureBox Box2{*this, "Box2", {0, 600, 1500, 1500}, {.autoSize = true, .border = false, .backColor = rt::rgb(0xFFFFFF)}};
    rt::Shape Solid{*this, "Solid", {1500, 0, 600, 300}, {.borderColor = rt::rgb(0x000080), .fillColor = rt::rgb(0xFFFF00), .fillStyle = rt::FillStyle::Solid}};
    rt::Line Line1{*this, "Line1", {.x1 = 1500, .y1 = 600, .x2 = 2400, .y2 = 600, .borderColor = rt::rgb(0xFF00FF), .borderWidth = 3}};
    rt::Frame Frame1{*this, "Frame1", {1500, 1200, 1200, 1200}, {.caption = "F", .backColor = rt::rgb(0x808080)}};
    rt::Label Inside{Frame1, "Inside", {300, 450, 600, 300}, {.backColor = rt::rgb(0x00FFFF)}};
    // clang-format on
};

QRgb PixelAt(rt::Form& form, int x, int y) {
    return rt::testing::Grab(form).pixel(x, y) & 0xFFFFFF;
}

TEST_F(RuntimeTest, ControlsDrawTheirColoursAndPictures) {
    QTemporaryDir dir;
    const rt::Picture halves{WriteTestPicture(dir), 20, 10};
    Canvas f(halves);
    rt::Start(f);

    // The picture unscaled from the top left; the rest of the box is its back colour.
    EXPECT_EQ(PixelAt(f, 5, 5), 0xFF0000u);
    EXPECT_EQ(PixelAt(f, 15, 5), 0x0000FFu);
    EXPECT_EQ(PixelAt(f, 30, 5), 0xF0F0F0u);

    // Giving one box's picture to another shows it in both; auto size fits it.
    f.Box2.SetPicture(f.Box1.GetPicture());
    EXPECT_EQ(f.Box2.Width(), 20 * 15);
    EXPECT_EQ(f.Box2.Height(), 10 * 15);
    EXPECT_EQ(PixelAt(f, 5, 45), 0xFF0000u);
    EXPECT_EQ(PixelAt(f, 5, 5), 0xFF0000u);

    EXPECT_EQ(PixelAt(f, 120, 10), 0xFFFF00u);  // solid fill
    EXPECT_EQ(PixelAt(f, 100, 0), 0x000080u);   // its border
    EXPECT_EQ(PixelAt(f, 130, 40), 0xFF00FFu);  // a line three pixels wide
    EXPECT_EQ(PixelAt(f, 130, 42), 0x00FF00u);
    f.Solid.SetFillColor(rt::rgb(0x0000FF));
    EXPECT_EQ(PixelAt(f, 120, 10), 0x0000FFu);

    // A hidden frame hides what it holds, which keeps its own Visible.
    EXPECT_EQ(PixelAt(f, 130, 115), 0x00FFFFu);
    f.Frame1.SetVisible(false);
    EXPECT_EQ(PixelAt(f, 130, 115), 0x00FF00u);
    EXPECT_TRUE(f.Inside.Visible());
    f.Frame1.SetVisible(true);
    EXPECT_EQ(PixelAt(f, 130, 115), 0x00FFFFu);
}

// A dense screen gets pictures rendered at its resolution, not blown up: an
// edge stays as sharp as at ratio 1, at most a one-pixel ramp.
TEST_F(RuntimeTest, PicturesAreAsSharpAtRatio2AsAtRatio1) {
    QTemporaryDir dir;
    const QString path = dir.filePath("edge.svg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10" viewBox="0 0 20 10">
<rect x="0" y="0" width="10.5" height="10" fill="#ff0000"/>
<rect x="10.5" y="0" width="9.5" height="10" fill="#0000ff"/></svg>)");
    file.close();
    Canvas f(rt::Picture{path.toStdString(), 20, 10});
    rt::Start(f);
    rt::FlushDrawing();
    auto rampAt = [&](qreal ratio) {
        QImage image(rt::WindowOf(f)->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        rt::WindowOf(f)->render(&image);
        int ramp = 0;
        for (int x = 0; x < static_cast<int>(20 * ratio); ++x) {
            const QRgb c = image.pixel(x, static_cast<int>(5 * ratio)) & 0xFFFFFF;
            if (c != 0xFF0000 && c != 0x0000FF) ++ramp;
        }
        return ramp;
    };
    EXPECT_LE(rampAt(1.0), 1);
    EXPECT_LE(rampAt(2.0), 1);
}

// A 200 x 200 picture of 10-pixel squares, each its own colour, so that a
// piece copied from the wrong place shows.
std::string WriteSquares(const QTemporaryDir& dir) {
    QString svg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="200">)";
    for (int row = 0; row < 20; ++row)
        for (int col = 0; col < 20; ++col)
            svg += QString(R"(<rect x="%1" y="%2" width="10" height="10" fill="#%3"/>)")
                       .arg(col * 10)
                       .arg(row * 10)
                       .arg((col * 12) << 16 | (row * 12) << 8 | 0x80, 6, 16, QLatin1Char('0'));
    svg += "</svg>";
    return WriteSvg(dir, "squares.svg", svg.toUtf8());
}

// A frame repaints only what changed: tall and wide pieces of the background
// come out exactly as the picture has them, and nothing outside is touched.
TEST_F(RuntimeTest, APartialRepaintCopiesTheBackgroundExactly) {
    QTemporaryDir dir;
    class Backdrop final : public rt::Form {
      public:
        explicit Backdrop(rt::Picture picture)
            : rt::Form({.caption = "Backdrop",
                        .width = 3000,
                        .height = 3000,
                        .backColor = rt::rgb(0x00FF00),
                        .picture = std::move(picture)}) {}
    };
    const rt::Picture squares{WriteSquares(dir), 200, 200};
    Backdrop f(squares);
    rt::Start(f);
    const QRegion changed = QRegion(10, 3, 31, 170) + QRegion(55, 120, 140, 21);
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        QImage part(rt::WindowOf(f)->size() * ratio, QImage::Format_RGB32);
        part.setDevicePixelRatio(ratio);
        part.fill(0xFF00FF);
        rt::WindowOf(f)->render(&part, changed.boundingRect().topLeft(), changed);
        const QImage picture = rt::RenderPicture(squares, ratio).toImage();
        int wrong = 0, touched = 0;
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x) {
                // A device pixel wholly inside the region must be the picture's.
                const QPoint at(static_cast<int>(x / ratio), static_cast<int>(y / ratio));
                if (changed.contains(at) &&
                    changed.contains(QPoint(static_cast<int>((x + 1) / ratio - 1e-9),
                                            static_cast<int>((y + 1) / ratio - 1e-9))))
                    wrong += (part.pixel(x, y) & 0xFFFFFF) != (picture.pixel(x, y) & 0xFFFFFF);
                else if (!changed.contains(at))
                    touched += (part.pixel(x, y) & 0xFFFFFF) != 0xFF00FF;
            }
        EXPECT_EQ(wrong, 0) << ratio;
        EXPECT_EQ(touched, 0) << ratio;
    }
}

TEST(PointerTest, HotSpotScalesWithThePictureOnDenseScreens) {
    QTemporaryDir dir;
    const rt::Cursor ring{{WriteTestPicture(dir), 32, 32}, 16, 16};
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        const QCursor cursor = rt::MakeCursor(ring, ratio);
        EXPECT_EQ(cursor.pixmap().width(), qRound(32 * ratio)) << ratio;
        EXPECT_EQ(cursor.hotSpot(), QPoint(qRound(16 * ratio), qRound(16 * ratio))) << ratio;
    }
}

}  // namespace
}  // namespace rttest
