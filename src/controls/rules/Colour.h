// How well one colour reads on another. Colours are as Windows stores them: 0x00BBGGRR.
#pragma once

namespace controls {

// The contrast ratio of two colours by their relative luminance, from 1 (the same) to 21
// (black on white); text reads well from 4.5 on.
double ContrastRatio(unsigned a, unsigned b);

} // namespace controls
