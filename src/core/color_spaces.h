#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// An 8-bit sRGB colour in the spaces of CSS Color 4 and a few more. Hues are
// degrees in [0, 360); achromatic colours (red = green = blue) have no hue.
struct Srgb8 {
    int red = 0, green = 0, blue = 0;
    bool Achromatic() const { return red == green && red == blue; }
};

struct Triple {
    double x = 0, y = 0, z = 0;
};

// Each space's components in its usual units: HSL, HWB and HSV as hue degrees
// and percentages; Lab and LCH (D50, as CSS lab() and lch()) with L 0 to 100;
// OKLab and OKLCH (Ottosson's, from linear sRGB) with L 0 to 1.
Triple ToHsl(Srgb8 c);
Triple ToHwb(Srgb8 c);
Triple ToHsv(Srgb8 c);
Triple ToLab(Srgb8 c);
Triple ToLch(Srgb8 c);
Triple ToOklab(Srgb8 c);
Triple ToOklch(Srgb8 c);
// Back to sRGB: channels 0 to 1, encoded, beyond that range where the colour
// lies outside sRGB. Components in the units the To functions give.
Triple FromHsl(Triple hsl);
Triple FromHwb(Triple hwb);
Triple FromLab(Triple lab);
Triple FromLch(Triple lch);
Triple FromOklab(Triple oklab);
Triple FromOklch(Triple oklch);

// The sRGB transfer function and its inverse, channels 0 to 1 (odd beyond).
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);
// Linear sRGB to OKLab and back (beyond 0 to 1 outside sRGB).
Triple LinearToOklab(Triple linear);
Triple OklabToLinear(Triple oklab);
// Lab-like (L, a, b) to (L, chroma, hue in degrees [0, 360)).
Triple ToPolar(Triple lab);
// Linear sRGB to CIE XYZ, D65 white.
Triple LinearToXyz(Triple linear);
// CIE XYZ to CIE Lab against a white.
Triple XyzToLab(Triple xyz, Triple white);
struct Color;
Triple ToLinear(const Color& c);
// Clipped to the sRGB cube, as a screen shows it.
Color FromLinear(Triple linear);
// The mean of colours in linear light (decoded, averaged, encoded): the
// colour the eye sees when the pixels blend, unlike a mean of the codes.
Color MeanInLinearLight(const std::vector<Color>& colors);

// Naive CMYK without a profile, percentages.
std::array<double, 4> ToCmyk(Srgb8 c);

// WCAG 2.x relative luminance and contrast ratio.
double RelativeLuminance(Srgb8 c);
double ContrastRatio(Srgb8 a, Srgb8 b);
// The same at the colours' full precision.
double ContrastRatio(const Color& a, const Color& b);

// "#RRGGBB" (with or without "#", any case) to components.
std::optional<Srgb8> ParseHexColor(std::string_view text);

}  // namespace velmor
