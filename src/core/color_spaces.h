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

// The notations of the "Copy as" menu, --format names and the Ctrl+C list.
// A new notation is one row here and one case in WriteNotation.
enum class Notation { Hex, Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch, Srgb, Hsv, Cmyk, Nearest };
struct NotationRow {
    Notation notation;
    std::string_view name;      // as --format and settings.ini take it
    std::string_view menuText;  // as menus and lists show it
};
inline constexpr std::array<NotationRow, 12> kNotationTable = {{
    {Notation::Hex, "hex", "CSS hex"},
    {Notation::Rgb, "rgb", "CSS rgb()"},
    {Notation::Hsl, "hsl", "hsl()"},
    {Notation::Hwb, "hwb", "hwb()"},
    {Notation::Lab, "lab", "lab()"},
    {Notation::Lch, "lch", "lch()"},
    {Notation::Oklab, "oklab", "oklab()"},
    {Notation::Oklch, "oklch", "oklch()"},
    {Notation::Srgb, "srgb", "color(srgb)"},
    {Notation::Hsv, "hsv", "HSV"},
    {Notation::Cmyk, "cmyk", "CMYK (no profile)"},
    {Notation::Nearest, "nearest", "Nearest color name"},
}};
std::string_view NotationName(Notation n);
std::optional<Notation> NotationNamed(std::string_view name);
// "hex, rgb, ..., cmyk", for help and messages.
std::string NotationNameList();
// As CSS Color 4 serialises: "rgb(255 140 0)", "oklch(0.7505 0.1791 58.28)",
// "hsl(none 0% 50%)" for a grey.
std::string WriteNotation(Notation n, Srgb8 c);
// The same from a colour of more than 8 bits a channel: color(srgb ...) keeps
// its precision to four decimals, the others write the 8-bit value.
std::string WriteNotation(Notation n, const Color& c);
// CSS color() in a named space, "color(display-p3 0.784 0.1 1)": channels to
// four decimals from the colour's full precision.
std::string WriteColorFunction(std::string_view space, const Color& c);

// A user's template: text with placeholders such as {hex}, {r}, {hsl.h} or
// {oklch.l}. Nothing when a placeholder is unknown or a brace is unmatched;
// `error` then says which.
std::optional<std::string> ExpandTemplate(std::string_view pattern, Srgb8 c,
                                          std::string* error = nullptr);

// What a name writes: a notation of the table, else the template of that
// name in `templates` (compared without case). Nothing for an unknown name or
// a template that cannot be read; `error` then says which.
using Templates = std::vector<std::pair<std::string, std::string>>;
std::optional<std::string> WriteNamed(std::string_view name, const Color& c,
                                      const Templates& templates, std::string* error = nullptr);

// "#RRGGBB" (with or without "#", any case) to components.
std::optional<Srgb8> ParseHexColor(std::string_view text);

}  // namespace velmor
