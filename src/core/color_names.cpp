#include "core/color_names.h"

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "core/color_tables.h"

namespace velmor {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Radians(double degrees) {
    return degrees * kPi / 180.0;
}

double Degrees(double radians) {
    const double d = radians * 180.0 / kPi;
    return d < 0 ? d + 360.0 : d;
}

struct NamedLab {
    std::string_view name;
    Color color;
    Triple lab;
};

// Every named colour once, with its Lab worked out once.
const std::vector<NamedLab>& NamedLabs() {
    static const std::vector<NamedLab> labs = [] {
        std::vector<NamedLab> out;
        for (const auto& [color, name] : ColorTables::Instance().NamedColors()) {
            out.push_back({name, color, ToLab65(color)});
        }
        return out;
    }();
    return labs;
}

}  // namespace

Triple ToLab65(const Color& c) {
    // The white of the sRGB matrix itself, so that white is exactly L 100.
    static const Triple white = LinearToXyz({1, 1, 1});
    return XyzToLab(LinearToXyz(ToLinear(c)), white);
}

double Ciede2000(Triple lab1, Triple lab2) {
    const double c1 = std::hypot(lab1.y, lab1.z);
    const double c2 = std::hypot(lab2.y, lab2.z);
    const double cMean7 = std::pow((c1 + c2) / 2.0, 7.0);
    const double pow25 = std::pow(25.0, 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(cMean7 / (cMean7 + pow25)));
    const double a1 = (1.0 + g) * lab1.y;
    const double a2 = (1.0 + g) * lab2.y;
    const double c1p = std::hypot(a1, lab1.z);
    const double c2p = std::hypot(a2, lab2.z);
    const double h1 = (a1 == 0 && lab1.z == 0) ? 0 : Degrees(std::atan2(lab1.z, a1));
    const double h2 = (a2 == 0 && lab2.z == 0) ? 0 : Degrees(std::atan2(lab2.z, a2));

    const double dL = lab2.x - lab1.x;
    const double dC = c2p - c1p;
    double dh = 0;
    if (c1p * c2p != 0) {
        dh = h2 - h1;
        if (dh > 180) dh -= 360;
        if (dh < -180) dh += 360;
    }
    const double dH = 2.0 * std::sqrt(c1p * c2p) * std::sin(Radians(dh / 2.0));

    const double lMean = (lab1.x + lab2.x) / 2.0;
    const double cMeanP = (c1p + c2p) / 2.0;
    double hMean = h1 + h2;
    if (c1p * c2p != 0) {
        if (std::abs(h1 - h2) <= 180) {
            hMean = (h1 + h2) / 2.0;
        } else {
            hMean = (h1 + h2 < 360 ? h1 + h2 + 360 : h1 + h2 - 360) / 2.0;
        }
    }
    const double t = 1.0 - 0.17 * std::cos(Radians(hMean - 30)) +
                     0.24 * std::cos(Radians(2 * hMean)) + 0.32 * std::cos(Radians(3 * hMean + 6)) -
                     0.20 * std::cos(Radians(4 * hMean - 63));
    const double dTheta = 30.0 * std::exp(-std::pow((hMean - 275.0) / 25.0, 2.0));
    const double cMeanP7 = std::pow(cMeanP, 7.0);
    const double rc = 2.0 * std::sqrt(cMeanP7 / (cMeanP7 + pow25));
    const double l50 = (lMean - 50.0) * (lMean - 50.0);
    const double sl = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double sc = 1.0 + 0.045 * cMeanP;
    const double sh = 1.0 + 0.015 * cMeanP * t;
    const double rt = -std::sin(Radians(2.0 * dTheta)) * rc;
    const double l = dL / sl, c = dC / sc, h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

NearestName NearestNamedColor(const Color& c) {
    // The names go by the 8-bit value, as everywhere else; a named colour is
    // its own nearest, with no distance to work out.
    for (const auto& [color, name] : ColorTables::Instance().NamedColors()) {
        if (color.Value() == c.Value()) return {name, color, 0.0};
    }
    const Triple lab = ToLab65(c);
    NearestName best;
    bool first = true;
    for (const NamedLab& n : NamedLabs()) {
        const double d = Ciede2000(lab, n.lab);
        if (first || d < best.distance) best = {n.name, n.color, d};
        first = false;
    }
    return best;
}

std::string_view HueFamily(const Color& c) {
    const Triple lch = ToOklch(c.To8());
    const double l = lch.x, chroma = lch.y, h = lch.z;
    if (chroma < 0.03) {
        if (l < 0.25) return "black";
        if (l > 0.96) return "white";
        return "gray";
    }
    if (h >= 350 || h < 45) {
        if (l > 0.78 && chroma < 0.12) return "pink";
        return (l < 0.55 && h >= 35) ? "brown" : "red";
    }
    if (h < 80) return l < 0.6 ? "brown" : "orange";
    if (h < 120) return "yellow";
    if (h < 180) return "green";
    if (h < 235) return "cyan";
    if (h < 285) return "blue";
    if (h < 335) return "purple";
    return "pink";
}

std::string DescribeByName(const Color& c) {
    const NearestName n = NearestNamedColor(c);
    const std::string family(HueFamily(c));
    if (n.distance == 0) return std::string(n.name) + ", " + family;
    char distance[32];
    std::snprintf(distance, sizeof distance, "%.1f", n.distance);
    return "about " + std::string(n.name) + ", " + family + ", dE " + distance;
}

}  // namespace velmor
