#include "core/color_design.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/color_names.h"
#include "core/color_parse.h"
#include "core/text.h"

namespace velmor {

namespace {

constexpr double kPi = 3.14159265358979323846;
// CSS Color 4's just-noticeable difference in OKLab, and the chroma step at
// which its search stops (a four-thousandth of OKLCH's usual chroma range).
constexpr double kJnd = 0.02;
constexpr double kChromaEpsilon = 0.4 / 4000;

bool InUnitCube(Triple rgb) {
    return rgb.x >= 0 && rgb.x <= 1 && rgb.y >= 0 && rgb.y <= 1 && rgb.z >= 0 && rgb.z <= 1;
}

Triple Clipped(Triple rgb) {
    return {std::clamp(rgb.x, 0.0, 1.0), std::clamp(rgb.y, 0.0, 1.0), std::clamp(rgb.z, 0.0, 1.0)};
}

// Rounded to 8 bits as "#RRGGBB" writes it.
Color Rounded8(Triple rgb) {
    const auto channel = [](double v) {
        return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    };
    return Color::From8(channel(rgb.x), channel(rgb.y), channel(rgb.z));
}

Triple OklchOfEncoded(Triple rgb) {
    return ToPolar(LinearToOklab({SrgbToLinear(rgb.x), SrgbToLinear(rgb.y), SrgbToLinear(rgb.z)}));
}

// OKLab distance taken in OKLCH, as the gamut mapping of CSS Color 4 takes it.
double DeltaOk(Triple lch1, Triple lch2) {
    const double dl = lch1.x - lch2.x;
    const double dc = lch1.y - lch2.y;
    double dh = 0;
    if (lch1.y != 0 && lch2.y != 0) {
        dh = 2 * std::sqrt(lch1.y * lch2.y) * std::sin((lch2.z - lch1.z + 360) / 2 * kPi / 180);
    }
    return std::sqrt(dl * dl + dc * dc + dh * dh);
}

Triple GamutMapped(Triple lch) {
    if (lch.x >= 1) return {1, 1, 1};
    if (lch.x <= 0) return {0, 0, 0};
    Triple rgb = FromOklch(lch);
    if (InUnitCube(rgb)) return rgb;
    Triple clipped = Clipped(rgb);
    double start = 0, end = lch.y;
    while (end - start > kChromaEpsilon) {
        lch.y = (start + end) / 2;
        rgb = FromOklch(lch);
        clipped = Clipped(rgb);
        if (InUnitCube(rgb) || DeltaOk(lch, OklchOfEncoded(clipped)) <= kJnd) {
            start = lch.y;
        } else {
            end = lch.y;
        }
    }
    // The last chroma tried, as it is if it fits, else clipped.
    return InUnitCube(rgb) ? rgb : clipped;
}

Triple OklabOf(const Color& c) {
    return LinearToOklab(ToLinear(c));
}

struct SchemeRow {
    Scheme scheme;
    std::string_view name;
    std::array<double, 3> turns;  // hue rotations, 0 past the last
    const char* toward;           // the colour steps go toward, or none
};

constexpr SchemeRow kSchemes[] = {
    {Scheme::Complementary, "complementary", {180, 0, 0}, nullptr},
    {Scheme::Analogous, "analogous", {-30, 30, 0}, nullptr},
    {Scheme::Triadic, "triadic", {120, 240, 0}, nullptr},
    {Scheme::Tetradic, "tetradic", {90, 180, 270}, nullptr},
    {Scheme::SplitComplementary, "split-complementary", {150, 210, 0}, nullptr},
    {Scheme::Tints, "tints", {}, "#FFFFFF"},
    {Scheme::Shades, "shades", {}, "#000000"},
    {Scheme::Tones, "tones", {}, "#808080"},
};

const SchemeRow& RowOf(Scheme scheme) {
    return *std::find_if(std::begin(kSchemes), std::end(kSchemes),
                         [scheme](const SchemeRow& row) { return row.scheme == scheme; });
}

}  // namespace

double ContrastRatioShown(double ratio) {
    return std::floor(ratio * 100.0) / 100.0;
}

std::string ContrastRatioText(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", ContrastRatioShown(ratio));
    return text;
}

Triple OklchOf(const Color& c) {
    return ToPolar(OklabOf(c));
}

Color GamutMapOklch(Triple oklch) {
    return Rounded8(GamutMapped(oklch));
}

std::optional<Scheme> SchemeByName(std::string_view name) {
    for (const SchemeRow& row : kSchemes) {
        if (EqualsIgnoreCaseAscii(row.name, TrimSpaces(name))) return row.scheme;
    }
    return std::nullopt;
}

std::string_view SchemeName(Scheme scheme) {
    return RowOf(scheme).name;
}

std::string SchemeNameList() {
    return JoinedNames(kSchemes);
}

bool SchemeHasSteps(Scheme scheme) {
    return RowOf(scheme).toward != nullptr;
}

std::vector<double> SchemeTurns(Scheme scheme) {
    std::vector<double> turns;
    for (double turn : RowOf(scheme).turns) {
        if (turn == 0) break;
        turns.push_back(turn);
    }
    return turns;
}

std::vector<Color> MakeScheme(Scheme scheme, const Color& base, int steps) {
    const SchemeRow& row = RowOf(scheme);
    std::vector<Color> colors;
    if (row.toward) {
        const Triple from = OklabOf(base);
        const Triple to = OklabOf(Color::From8(*ParseHexColor(row.toward)));
        steps = std::clamp(steps, kMinSchemeSteps, kMaxSchemeSteps);
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / (steps + 1);
            const Triple lab = {from.x + t * (to.x - from.x), from.y + t * (to.y - from.y),
                                from.z + t * (to.z - from.z)};
            colors.push_back(Rounded8(FromOklab(lab)));
        }
        return colors;
    }
    const Triple lch = OklchOf(base);
    for (double turn : SchemeTurns(scheme)) {
        const double hue = std::fmod(std::fmod(lch.z + turn, 360.0) + 360.0, 360.0);
        colors.push_back(GamutMapOklch({lch.x, lch.y, hue}));
    }
    return colors;
}

std::optional<Color> SuggestContrast(const Color& foreground, const Color& background,
                                     double ratio) {
    const auto passes = [&](const Color& c) { return ContrastRatio(c, background) >= ratio; };
    if (passes(foreground)) return foreground;
    const Triple lch = OklchOf(foreground);
    const auto at = [&](double lightness) { return GamutMapOklch({lightness, lch.y, lch.z}); };
    std::optional<Color> best;
    double bestDistance = 0;
    const auto consider = [&](const Color& c) {
        const double d = DeltaE(c, foreground);
        if (!best || d < bestDistance) {
            best = c;
            bestDistance = d;
        }
    };
    // Toward white and toward black: the lightness where the ratio is first
    // reached, found by halving (contrast grows with the distance in
    // lightness from the background's); the nearest by CIEDE2000 of both sides.
    for (const double end : {1.0, 0.0}) {
        if (!passes(at(end))) continue;
        double fails = std::clamp(lch.x, 0.0, 1.0), reaches = end;
        for (int i = 0; i < 40 && std::abs(reaches - fails) > 1e-7; ++i) {
            const double middle = (fails + reaches) / 2;
            (passes(at(middle)) ? reaches : fails) = middle;
        }
        // Past that point the gamut may cost less chroma, and so less
        // difference: a short look further on.
        const double step = end > fails ? 0.0005 : -0.0005;
        for (int i = 0; i <= 64; ++i) {
            const Color c = at(std::clamp(reaches + i * step, 0.0, 1.0));
            if (passes(c)) consider(c);
        }
    }
    return best;
}

DesignAnswer RunScheme(std::string_view name, std::string_view color, std::optional<int> steps) {
    const std::optional<Scheme> scheme = SchemeByName(name);
    if (!scheme) {
        return {{}, "unknown scheme \"" + std::string(name) + "\"; one of " + SchemeNameList()};
    }
    if (steps && !SchemeHasSteps(*scheme)) return {{}, "--steps goes with tints, shades or tones"};
    const std::optional<ParsedColor> base = ParseColor(color);
    if (!base) return {{}, "\"" + std::string(color) + "\" is not a color"};
    DesignAnswer answer;
    for (const Color& c : MakeScheme(*scheme, base->color, steps.value_or(kDefaultSchemeSteps)))
        answer.out += c.Html() + "\n";
    return answer;
}

DesignAnswer RunContrast(std::string_view foreground, std::string_view background,
                         std::string_view suggest) {
    const std::optional<ParsedColor> fg = ParseColor(foreground);
    if (!fg) return {{}, "\"" + std::string(foreground) + "\" is not a color"};
    const std::optional<ParsedColor> bg = ParseColor(background);
    if (!bg) return {{}, "\"" + std::string(background) + "\" is not a color"};
    DesignAnswer answer;
    answer.out = ContrastRatioText(ContrastRatio(fg->color, bg->color)) + "\n";
    if (suggest.empty()) return answer;
    const std::optional<double> target = ParseRatio(suggest);
    if (!target) {
        return {{}, "--suggest needs a ratio from 1 to 21, not \"" + std::string(suggest) + "\""};
    }
    const std::optional<Color> found = SuggestContrast(fg->color, bg->color, *target);
    if (!found) {
        return {{},
                "no lightness of " + fg->color.Html() + " reaches " +
                    std::string(TrimSpaces(suggest)) + ":1 against " + bg->color.Html()};
    }
    answer.out += found->Html() + "\n";
    return answer;
}

double DeltaE(const Color& a, const Color& b) {
    return Ciede2000(ToLab65(a), ToLab65(b));
}

std::optional<double> ParseRatio(std::string_view text) {
    text = TrimSpaces(text);
    if (text.ends_with(":1")) text.remove_suffix(2);
    if (text.empty() || text.size() > 16) return std::nullopt;
    double value = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (problem != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!(value >= 1 && value <= 21)) return std::nullopt;
    return value;
}

}  // namespace velmor
