#include "core/color_spaces.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/color.h"
#include "core/matrix3.h"
#include "core/text.h"

namespace velmor {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Linear(int channel) {
    return SrgbToLinear(channel / 255.0);
}

Triple LinearRgb(Srgb8 c) {
    return {Linear(c.red), Linear(c.green), Linear(c.blue)};
}

// Linear sRGB to XYZ (D65), then Bradford to D50, as CSS Color 4 has them.
constexpr Matrix3 kToXyz = {{{0.41239079926595934, 0.357584339383878, 0.1804807884018343},
                             {0.21263900587151027, 0.715168678767756, 0.07219231536073371},
                             {0.01933081871559182, 0.11919477979462598, 0.9505321522496607}}};
constexpr Matrix3 kD65ToD50 = {{{1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
                                {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
                                {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371}}};
constexpr double kWhite[3] = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
constexpr double kEpsilon = 216.0 / 24389.0;
constexpr double kKappa = 24389.0 / 27.0;
// Ottosson's OKLab, from linear sRGB.
// Ottosson's matrices at full double precision, as CSS Color 4 and culori use
// them; the inverses are his published ones, so that a round trip matches theirs.
constexpr Matrix3 kToLms = {{{0.412221469470763, 0.5363325372617348, 0.0514459932675022},
                             {0.2119034958178252, 0.6806995506452344, 0.1073969535369406},
                             {0.0883024591900564, 0.2817188391361215, 0.6299787016738222}}};
constexpr Matrix3 kToLab = {{{0.210454268309314, 0.7936177747023054, -0.0040720430116193},
                             {1.9779985324311684, -2.4285922420485799, 0.450593709617411},
                             {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
constexpr Matrix3 kLabToLms = {{{1.0, 0.3963377773761749, 0.2158037573099136},
                                {1.0, -0.1055613458156586, -0.0638541728258133},
                                {1.0, -0.0894841775298119, -1.2914855480194092}}};
constexpr Matrix3 kLmsToRgb = {{{4.0767416360759574, -3.3077115392580616, 0.2309699031821044},
                                {-1.2684379732850317, 2.6097573492876887, -0.3413193760026573},
                                {-0.0041960761386756, -0.7034186179359362, 1.7076146940746117}}};

Triple EncodedRgb(Triple linear) {
    return {LinearToSrgb(linear.x), LinearToSrgb(linear.y), LinearToSrgb(linear.z)};
}

Triple Cartesian(Triple polar) {
    const double h = polar.z * kPi / 180.0;
    return {polar.x, polar.y * std::cos(h), polar.y * std::sin(h)};
}

double Hue(double y, double x) {
    double h = std::atan2(y, x) * 180.0 / kPi;
    if (h < 0) h += 360.0;
    return h >= 360.0 ? h - 360.0 : h;
}

// Hue, the largest and smallest channel (0 to 1) of an 8-bit colour.
struct HueParts {
    double hue = 0, max = 0, min = 0;
};

HueParts HueOf(Srgb8 c) {
    const double r = c.red / 255.0, g = c.green / 255.0, b = c.blue / 255.0;
    HueParts p;
    p.max = std::max({r, g, b});
    p.min = std::min({r, g, b});
    const double d = p.max - p.min;
    if (d <= 0) return p;
    if (p.max == r) {
        p.hue = 60.0 * std::fmod((g - b) / d + 6.0, 6.0);
    } else if (p.max == g) {
        p.hue = 60.0 * ((b - r) / d + 2.0);
    } else {
        p.hue = 60.0 * ((r - g) / d + 4.0);
    }
    return p;
}

Triple Polar(Triple lab) {
    return {lab.x, std::hypot(lab.y, lab.z), Hue(lab.z, lab.y)};
}

}  // namespace

double SrgbToLinear(double c) {
    const double a = std::abs(c);
    return std::copysign(a <= 0.04045 ? a / 12.92 : std::pow((a + 0.055) / 1.055, 2.4), c);
}

double LinearToSrgb(double linear) {
    const double a = std::abs(linear);
    return std::copysign(a <= 0.0031308 ? a * 12.92 : 1.055 * std::pow(a, 1 / 2.4) - 0.055, linear);
}

Triple LinearToXyz(Triple linear) {
    return Times(kToXyz, linear);
}

Triple ToLinear(const Color& c) {
    return {SrgbToLinear(c.red / 65535.0), SrgbToLinear(c.green / 65535.0),
            SrgbToLinear(c.blue / 65535.0)};
}

Color FromLinear(Triple linear) {
    return Color::FromUnit(LinearToSrgb(linear.x), LinearToSrgb(linear.y), LinearToSrgb(linear.z));
}

Color MeanInLinearLight(const std::vector<Color>& colors) {
    if (colors.empty()) return {};
    Triple sum;
    for (const Color& c : colors) {
        const Triple l = ToLinear(c);
        sum.x += l.x;
        sum.y += l.y;
        sum.z += l.z;
    }
    const double n = static_cast<double>(colors.size());
    return FromLinear({sum.x / n, sum.y / n, sum.z / n});
}

Triple ToHsl(Srgb8 c) {
    const HueParts p = HueOf(c);
    const double l = (p.max + p.min) / 2.0;
    const double d = p.max - p.min;
    const double s = d == 0 ? 0 : d / (1.0 - std::abs(2.0 * l - 1.0));
    return {p.hue, s * 100.0, l * 100.0};
}

Triple ToHwb(Srgb8 c) {
    const HueParts p = HueOf(c);
    return {p.hue, p.min * 100.0, (1.0 - p.max) * 100.0};
}

Triple ToHsv(Srgb8 c) {
    const HueParts p = HueOf(c);
    return {p.hue, p.max == 0 ? 0 : (p.max - p.min) / p.max * 100.0, p.max * 100.0};
}

Triple XyzToLab(Triple xyz, Triple white) {
    auto f = [](double t) { return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0) / 116.0; };
    const double fx = f(xyz.x / white.x);
    const double fy = f(xyz.y / white.y);
    const double fz = f(xyz.z / white.z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

Triple ToLab(Srgb8 c) {
    return XyzToLab(Times(kD65ToD50, Times(kToXyz, LinearRgb(c))),
                    {kWhite[0], kWhite[1], kWhite[2]});
}

Triple ToLch(Srgb8 c) {
    return Polar(ToLab(c));
}

Triple LinearToOklab(Triple linear) {
    Triple lms = Times(kToLms, linear);
    lms = {std::cbrt(lms.x), std::cbrt(lms.y), std::cbrt(lms.z)};
    return Times(kToLab, lms);
}

Triple OklabToLinear(Triple lab) {
    Triple lms = Times(kLabToLms, lab);
    lms = {std::pow(lms.x, 3.0), std::pow(lms.y, 3.0), std::pow(lms.z, 3.0)};
    return Times(kLmsToRgb, lms);
}

Triple ToPolar(Triple lab) {
    return Polar(lab);
}

Triple ToOklab(Srgb8 c) {
    return LinearToOklab(LinearRgb(c));
}

Triple ToOklch(Srgb8 c) {
    return Polar(ToOklab(c));
}

Triple FromHsl(Triple hsl) {
    const double h = std::fmod(std::fmod(hsl.x, 360.0) + 360.0, 360.0);
    const double s = std::clamp(hsl.y / 100.0, 0.0, 1.0);
    const double l = hsl.z / 100.0;
    const auto f = [&](double n) {
        const double k = std::fmod(n + h / 30.0, 12.0);
        const double a = s * std::min(l, 1.0 - l);
        return l - a * std::max(-1.0, std::min({k - 3.0, 9.0 - k, 1.0}));
    };
    return {f(0), f(8), f(4)};
}

Triple FromHwb(Triple hwb) {
    double w = hwb.y / 100.0, b = hwb.z / 100.0;
    if (w + b >= 1) {
        const double grey = w / (w + b);
        return {grey, grey, grey};
    }
    const Triple pure = FromHsl({hwb.x, 100.0, 50.0});
    const double k = 1.0 - w - b;
    return {pure.x * k + w, pure.y * k + w, pure.z * k + w};
}

Triple FromLab(Triple lab) {
    const double fy = (lab.x + 16.0) / 116.0;
    const double fx = fy + lab.y / 500.0;
    const double fz = fy - lab.z / 200.0;
    const auto f = [](double t) {
        return t * t * t > kEpsilon ? t * t * t : (116.0 * t - 16.0) / kKappa;
    };
    const double y = lab.x > kKappa * kEpsilon ? fy * fy * fy : lab.x / kKappa;
    const Triple xyz{f(fx) * kWhite[0], y * kWhite[1], f(fz) * kWhite[2]};
    static const Matrix3 toD65 = Inverse(kD65ToD50);
    static const Matrix3 toRgb = Inverse(kToXyz);
    return EncodedRgb(Times(toRgb, Times(toD65, xyz)));
}

Triple FromLch(Triple lch) {
    return FromLab(Cartesian(lch));
}

Triple FromOklab(Triple lab) {
    return EncodedRgb(OklabToLinear(lab));
}

Triple FromOklch(Triple lch) {
    return FromOklab(Cartesian(lch));
}

std::array<double, 4> ToCmyk(Srgb8 c) {
    const double r = c.red / 255.0, g = c.green / 255.0, b = c.blue / 255.0;
    const double k = 1.0 - std::max({r, g, b});
    if (k >= 1.0) return {0, 0, 0, 100};
    return {(1.0 - r - k) / (1.0 - k) * 100.0, (1.0 - g - k) / (1.0 - k) * 100.0,
            (1.0 - b - k) / (1.0 - k) * 100.0, k * 100.0};
}

double RelativeLuminance(Srgb8 c) {
    return 0.2126 * Linear(c.red) + 0.7152 * Linear(c.green) + 0.0722 * Linear(c.blue);
}

namespace {

double RatioOfLuminances(double la, double lb) {
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double Luminance(const Color& c) {
    const Triple l = ToLinear(c);
    return 0.2126 * l.x + 0.7152 * l.y + 0.0722 * l.z;
}

}  // namespace

double ContrastRatio(Srgb8 a, Srgb8 b) {
    return RatioOfLuminances(RelativeLuminance(a), RelativeLuminance(b));
}

double ContrastRatio(const Color& a, const Color& b) {
    return RatioOfLuminances(Luminance(a), Luminance(b));
}

std::optional<Srgb8> ParseHexColor(std::string_view text) {
    text = TrimSpaces(text);
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() != 6) return std::nullopt;
    int v[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const char* first = text.data() + 2 * i;
        const auto [end, ec] = std::from_chars(first, first + 2, v[i], 16);
        if (ec != std::errc{} || end != first + 2 || v[i] < 0) return std::nullopt;
    }
    return Srgb8{v[0], v[1], v[2]};
}

}  // namespace velmor
