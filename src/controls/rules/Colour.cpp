#include "controls/rules/Colour.h"

#include <cmath>

namespace controls {

namespace {

// The share of a colour's light that the eye sees, from its gamma-encoded channels.
double Luminance(unsigned colour) {
    auto linear = [](unsigned channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour & 0xFF) + 0.7152 * linear((colour >> 8) & 0xFF) +
           0.0722 * linear((colour >> 16) & 0xFF);
}

} // namespace

double ContrastRatio(unsigned a, unsigned b) {
    const double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

} // namespace controls
