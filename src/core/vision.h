#pragma once

#include <array>
#include <string_view>

#include "core/color.h"

namespace velmor {

// Colour vision without one kind of cone, or without colour at all.
enum class Vision { Protanopia, Deuteranopia, Tritanopia, Achromatopsia };
inline constexpr std::array<Vision, 4> kVisions = {Vision::Protanopia, Vision::Deuteranopia,
                                                   Vision::Tritanopia, Vision::Achromatopsia};

// A simulation of how the colour looks with that vision, in linear light:
// Machado, Oliveira and Fernandes (2009) at full severity for the red-green
// types, Brettel, Viénot and Mollon (1997) for tritanopia, luminance alone
// for achromatopsia. Linear sRGB in and out, not clipped.
Triple SeenWith(Vision vision, Triple linear);
// The same for a colour, clipped to what a screen can show.
Color SeenWith(Vision vision, const Color& color);

}  // namespace velmor
