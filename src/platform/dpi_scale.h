#pragma once
// Sizes are given in pixels at 96 dots per inch (fonts in points) and scaled for the monitor.
// Every conversion rounds to nearest, halves away from zero, exactly as the system's MulDiv.
namespace tw {

// value * numerator / denominator, rounded; the value itself for a zero denominator.
constexpr int ScaleRounded(int value, int numerator, int denominator) {
    if (denominator == 0) {
        return value;
    }
    long long product = static_cast<long long>(value) * numerator;
    long long divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

constexpr int ScaleForDpi(int pixels96, int dpi) {
    return ScaleRounded(pixels96, dpi, 96);
}
// Back from the monitor's pixels to pixels at 96 dpi.
constexpr int UnscaleForDpi(int pixels, int dpi) {
    return ScaleRounded(pixels, 96, dpi);
}
// A font's height in pixels for a size in points.
constexpr int PointsToPixels(int points, int dpi) {
    return ScaleRounded(points, dpi, 72);
}

} // namespace tw
