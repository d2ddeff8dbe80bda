#include "core/screenshot_checks.h"

#include <cmath>

#include "core/text.h"

namespace velmor {

std::optional<std::string> LocalPathOfFileUri(std::string_view uri) {
    constexpr std::string_view kScheme = "file://";
    if (!uri.starts_with(kScheme)) return std::nullopt;
    uri.remove_prefix(kScheme.size());
    if (uri.starts_with("localhost/")) uri.remove_prefix(9);
    if (!uri.starts_with('/')) return std::nullopt;  // another host, or relative
    if (uri.find_first_of("?#") != std::string_view::npos) return std::nullopt;
    std::string path;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] != '%') {
            path += uri[i];
            continue;
        }
        if (i + 2 >= uri.size()) return std::nullopt;
        const int high = HexDigitValue(uri[i + 1]);
        const int low = HexDigitValue(uri[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (path.find('\0') != std::string::npos) return std::nullopt;
    // Every component is a real name: no "..", no ".", no empty one.
    std::string_view rest(path);
    rest.remove_prefix(1);
    while (true) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        if (part.empty() || part == "." || part == "..") return std::nullopt;
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    return path;
}

bool PictureFitsDesktop(std::int64_t pictureWidth, std::int64_t pictureHeight,
                        std::int64_t desktopWidth, std::int64_t desktopHeight,
                        double highestRatio) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || desktopWidth <= 0 || desktopHeight <= 0) {
        return false;
    }
    const double ratio = double(pictureWidth) / double(desktopWidth);
    if (ratio < 1 - 1e-9 || ratio > std::max(1.0, highestRatio) + 1e-9) return false;
    return std::abs(double(pictureHeight) - double(desktopHeight) * ratio) <= 1.0;
}

}  // namespace velmor
