#pragma once

#include <string>
#include <string_view>

#include "core/color.h"

namespace velmor {

// CIE Lab with the D65 white of sRGB, as colour differences are usually taken.
Triple ToLab65(const Color& c);

// CIEDE2000 (kL = kC = kH = 1) between two Lab colours.
double Ciede2000(Triple lab1, Triple lab2);

struct NearestName {
    std::string_view name;
    Color color;
    double distance = 0;  // CIEDE2000; 0 for the exact name
};
// The named colour nearest by CIEDE2000; the first of the tables on a tie.
NearestName NearestNamedColor(const Color& c);

// A plain word for the family a colour belongs to: "red", "orange", "brown",
// "yellow", "green", "cyan", "blue", "purple", "pink", or for colours of
// (almost) no hue "black", "gray", "white". From OKLCH, whose hues follow
// what people call a colour better than HSL's.
std::string_view HueFamily(const Color& c);

// "DarkOrange, orange" for a named colour, "about DarkOrange, orange, dE 1.2"
// for any other: its nearest name, its own family and the distance.
std::string DescribeByName(const Color& c);

}  // namespace velmor
