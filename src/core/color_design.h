#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/color.h"

namespace velmor {

// An OKLCH colour (L 0 to 1, chroma, hue degrees) brought into sRGB as CSS
// Color 4 maps gamuts: chroma is lowered until clipping the colour changes it
// by less than a just-noticeable difference (0.02 in OKLab), then clipped.
// Rounded to 8 bits.
Color GamutMapOklch(Triple oklch);
Triple OklchOf(const Color& c);

// Colour schemes: hue rotations in OKLCH keeping lightness and chroma, and
// steps in OKLab toward white (tints), black (shades) and #808080 (tones).
enum class Scheme {
    Complementary,
    Analogous,
    Triadic,
    Tetradic,
    SplitComplementary,
    Tints,
    Shades,
    Tones,
};
std::optional<Scheme> SchemeByName(std::string_view name);
std::string_view SchemeName(Scheme scheme);
// "complementary, analogous, ..." for messages and help.
std::string SchemeNameList();
bool SchemeHasSteps(Scheme scheme);
// The hue rotations in degrees, in order; none for the stepped schemes.
std::vector<double> SchemeTurns(Scheme scheme);
constexpr int kMinSchemeSteps = 1, kMaxSchemeSteps = 20, kDefaultSchemeSteps = 5;
// The scheme's colours, the base left out: the rotations in order, or the
// steps from the base outward (i / (steps + 1), i = 1 .. steps).
std::vector<Color> MakeScheme(Scheme scheme, const Color& base, int steps = kDefaultSchemeSteps);

// The colour nearest to the foreground by CIEDE2000 whose WCAG 2 contrast
// with the background reaches the ratio, varying only the foreground's OKLCH
// lightness (hue and chroma kept where sRGB allows). The foreground itself if
// it passes; nothing where no lightness reaches the ratio.
std::optional<Color> SuggestContrast(const Color& foreground, const Color& background,
                                     double ratio);

// CIEDE2000 between two colours, in CIELAB under D65.
double DeltaE(const Color& a, const Color& b);

// WCAG 2 ratios are shown with two decimals, rounded down, so that a ratio
// shown as passing passes.
double ContrastRatioShown(double ratio);
// That ratio as "4.47", for every place that shows one.
std::string ContrastRatioText(double ratio);
// "4.5" or "4.5:1", from 1 to 21.
std::optional<double> ParseRatio(std::string_view text);

// The command-line tools: --scheme NAME COLOR [--steps N], and --contrast FG
// BG [--suggest R]. The text to print, or the one-line reason to exit 2.
struct DesignAnswer {
    std::string out;
    std::string error;
};
// Steps, where given, only for tints, shades and tones.
DesignAnswer RunScheme(std::string_view name, std::string_view color, std::optional<int> steps);
// Without a ratio to suggest for (empty), the ratio alone.
DesignAnswer RunContrast(std::string_view foreground, std::string_view background,
                         std::string_view suggest);

}  // namespace velmor
