#include "runtime/base/values.h"

#include <charconv>
#include <cmath>

#include "runtime/base/texts.h"

namespace rt {

int ToPixels(Twips twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

namespace {
constexpr int kOverflow = 6;
}

std::int16_t CheckedInteger(long long value) {
    if (value < INT16_MIN || value > INT16_MAX)
        throw RuntimeError(kOverflow,
                           translate("rt", "Run-time error 6: Overflow") + " (" + Str(value) + ")");
    return static_cast<std::int16_t>(value);
}

std::int16_t CInt(double value) {
    if (!std::isfinite(value))
        throw RuntimeError(kOverflow, translate("rt", "Run-time error 6: Overflow"));
    return CheckedInteger(
        static_cast<long long>(std::nearbyint(value)));  // FE_TONEAREST: half to even
}

long long Int(double value) { return static_cast<long long>(std::floor(value)); }

long long DrawInRange(float r, int n, int k) {
    const float x = r * static_cast<float>(n) + static_cast<float>(k);
    const long long v = Int(x);
    return v > k + n - 1 ? k + n - 1 : v;
}

std::string Str(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc{} ? std::string(buffer, end) : std::to_string(value);
}

}  // namespace rt
