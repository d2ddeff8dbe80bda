// Arbitrary text through every codec and formatter entry: results stay in range
// and agree with one another.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/color.h"
#include "core/color_codec.h"
#include "core/color_tables.h"
#include "core/text.h"
#include "core/value_formatter.h"
#include "settings/favorites_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    using namespace velmor;

    const ColorValue c = HtmlToColor(text);
    if (c < 0 || c > 0xFFFFFF) std::abort();

    // What the formatter writes of the colour read, the codec reads back.
    const auto formatted = FormatColor(Color::FromValue(c), "", size % 2 == 0);
    if (formatted.texts[0] != formatted.texts[6]) std::abort();
    if (formatted.color != c) std::abort();
    if (formatted.texts[8] != "\"" + formatted.texts[0] + "\"") std::abort();
    if (HtmlToColor(std::string_view(formatted.texts[0]).substr(1)) != c) std::abort();

    (void)ColorName(text);

    (void)FavoritesList::ExtractEntry(text);

    if (const auto n = ParseInt16(text)) {
        if (ParseInt16(std::to_string(*n)) != n) std::abort();
    }
    const auto third = size / 3;
    if (const auto html =
            ColorToHtml(text.substr(0, third), text.substr(third, third), text.substr(2 * third))) {
        if (html->size() != 7 || (*html)[0] != '#') std::abort();
    }
    const Components parts = SplitColor(static_cast<ColorValue>(size * 2654435761u));
    (void)MakeColor(parts.red, parts.green, parts.blue);
    return 0;
}
