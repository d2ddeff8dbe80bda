#include "core/converter_steps.h"

#include <algorithm>

#include "core/color_parse.h"
#include "core/text.h"

namespace velmor {

namespace {

void ShowComponents(ConverterTexts& t, std::optional<std::int32_t> number) {
    if (!number) return;
    const Components c = SplitColor(*number);
    t.red = std::to_string(c.red);
    t.green = std::to_string(c.green);
    t.blue = std::to_string(c.blue);
}

void ShowHtmlFromComponents(ConverterTexts& t) {
    if (const auto html = ColorToHtml(t.red, t.green, t.blue)) t.html = *html;
}

// A number outside the colours leaves the preview as it was.
std::optional<ColorValue> Preview(std::optional<std::int32_t> number) {
    if (number && *number >= 0 && *number <= 0xFFFFFF) return *number;
    return std::nullopt;
}

}  // namespace

ConverterResult ConverterLeft(ConverterBox box, ConverterTexts t) {
    ConverterResult result;
    switch (box) {
        case ConverterBox::Html: {
            std::string text(TrimSpaces(t.html));
            if (!text.empty() && text.front() == '#') text.erase(0, 1);
            // Hex digits are the HTML value; another notation the program reads
            // (a name, rgb(), oklch()...) turns into the HTML value it stands for.
            const bool hexDigits =
                !text.empty() && text.size() <= 6 &&
                std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) >= 0; });
            if (!hexDigits) {
                if (const std::optional<ParsedColor> parsed = ParseColor(t.html)) {
                    const Srgb8 c = parsed->color.To8();
                    t.html = ColorToHtml(c.red, c.green, c.blue);
                    text = t.html.substr(1);
                }
            }
            const ColorValue color = HtmlToColor(text);
            t.longValue = std::to_string(color);
            result.preview = Preview(color);
            ShowComponents(t, color);
            break;
        }
        case ConverterBox::Long: {
            const auto number = ParseInt32(t.longValue);
            result.preview = Preview(number);
            ShowComponents(t, number);
            ShowHtmlFromComponents(t);
            break;
        }
        case ConverterBox::Component: {
            const auto r = ParseInt16(t.red);
            const auto g = ParseInt16(t.green);
            const auto b = ParseInt16(t.blue);
            if (r && g && b) {
                if (const auto color = MakeColor(*r, *g, *b)) t.longValue = std::to_string(*color);
            }
            result.preview = Preview(ParseInt32(t.longValue));
            ShowHtmlFromComponents(t);
            break;
        }
    }
    result.texts = std::move(t);
    return result;
}

}  // namespace velmor
