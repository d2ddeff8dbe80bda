#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmor {

// The local path a portal's "file://" URI names, percent-decoded once. Nothing
// for another scheme or host, a relative path, a ".." or "." component, or a
// NUL: such a name is not a screenshot the portal just saved.
std::optional<std::string> LocalPathOfFileUri(std::string_view uri);

// Whether a picture of the whole desktop has its size: the desktop's logical
// size times one ratio, at least 1 and at most the highest ratio of its
// monitors, the same across and down (within a pixel of rounding).
bool PictureFitsDesktop(std::int64_t pictureWidth, std::int64_t pictureHeight,
                        std::int64_t desktopWidth, std::int64_t desktopHeight, double highestRatio);

}  // namespace velmor
