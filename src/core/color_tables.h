#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/color.h"

namespace velmor {

// The three fixed colour tables in grid order: hex texts are six lower-case digits
// without "#"; the named tables carry a name at the same index.
class ColorTables {
  public:
    static const ColorTables& Instance();

    const std::vector<std::string>& BasicHex() const { return basicHex_; }
    const std::vector<std::string>& BasicNames() const { return basicNames_; }
    const std::vector<std::string>& AdditionalHex() const { return additionalHex_; }
    const std::vector<std::string>& AdditionalNames() const { return additionalNames_; }
    const std::vector<std::string>& SafetyHex() const { return safetyHex_; }
    // The same tables as colours, read once.
    const std::vector<Color>& BasicColors() const { return basicColors_; }
    const std::vector<Color>& AdditionalColors() const { return additionalColors_; }
    const std::vector<Color>& SafetyColors() const { return safetyColors_; }

    // Every named colour once, in table order (the basic table's name for a
    // colour both tables hold).
    const std::vector<std::pair<Color, std::string_view>>& NamedColors() const {
        return namedColors_;
    }
    // The name of the colour the text denotes, or the empty text.
    std::string_view ColorName(std::string_view text) const;

  private:
    ColorTables();

    std::vector<std::string> basicHex_;
    std::vector<std::string> additionalHex_;
    std::vector<std::string> safetyHex_;
    std::vector<std::string> basicNames_;
    std::vector<std::string> additionalNames_;
    std::vector<Color> basicColors_;
    std::vector<Color> additionalColors_;
    std::vector<Color> safetyColors_;
    std::vector<std::pair<Color, std::string_view>> namedColors_;
    // Sorted (colour, name) pairs; the basic table's name wins for a shared colour.
    std::vector<std::pair<std::int32_t, std::string_view>> byColor_;
};

inline std::string_view ColorName(std::string_view text) {
    return ColorTables::Instance().ColorName(text);
}
inline std::string_view ColorName(const Color& color) {
    return ColorName(color.Html());
}

}  // namespace velmor
