#pragma once
// The values forms work with (twips, colours, fonts, pictures, pointers, a
// moment in time) and the numeric rules: the random draw, Int, CInt and the
// checked 16-bit integer.

#include <concepts>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rt {

// Positions and sizes are twips held as single-precision values, so that a
// walker stepping by whole twips lands exactly on the value a test expects.
using Twips = float;
inline constexpr float kTwipsPerPixel = 15.0f;
// Twips to whole pixels, as the window shows them.
int ToPixels(Twips twips);

// 0xRRGGBB, written as the layouts write colours.
struct Color {
    std::uint32_t rgb = 0x000000;
    friend bool operator==(Color, Color) = default;
};
constexpr Color rgb(std::uint32_t value) { return Color{value}; }

struct Font {
    std::string_view name = "MS Sans Serif";  // always a literal
    float size = 8.25f;                       // points
    bool bold = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// A compiled-in picture: resource path of its SVG and the pixel size it is
// drawn at (sharper on screens with a higher device pixel ratio).
struct Picture {
    std::string resource;
    int width = 0;
    int height = 0;
    bool empty() const { return resource.empty(); }
    friend bool operator==(const Picture&, const Picture&) = default;
};

// A pointer picture; the hot spot is in the picture's own pixels.
struct Cursor {
    Picture picture;
    int hotX = 0;
    int hotY = 0;
};

// A form's MousePointer.
inline constexpr int kDefaultPointer = 0;  // the system's arrow
inline constexpr int kCustomPointer = 99;  // the form's own picture

// A moment as the clock gave it: local wall time in milliseconds since the epoch.
struct DateTime {
    std::int64_t msecs = 0;
    friend bool operator==(DateTime, DateTime) = default;
};

// Thrown by checked arithmetic; the runtime turns any error that leaves a
// handler into a message box and ends the program with a failing status.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(int number, const std::string& what) : std::runtime_error(what), number_(number) {}
    int number() const { return number_; }

  private:
    int number_;
};

// 16-bit signed arithmetic that fails loudly instead of wrapping.
std::int16_t CheckedInteger(long long value);

// Storing a non-integral value in an Integer rounds half to even.
std::int16_t CInt(double value);

// Int(x): the greatest integer not above x.
long long Int(double value);

// A draw Int(r * n + k) for r in [0, 1), computed in single precision; the
// largest r below 1 can round up to k + n there, and only that is clamped.
long long DrawInRange(float r, int n, int k);

// Numbers join text in their shortest decimal form.
std::string Str(double value);
template <std::integral Integer>
std::string Str(Integer value) {
    return std::to_string(value);
}

}  // namespace rt
