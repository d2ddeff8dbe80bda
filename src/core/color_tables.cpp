#include "core/color_tables.h"

#include <algorithm>

#include "core/text.h"

namespace velmor {

namespace {

constexpr std::string_view kBasicHex =
    "000000;ffffff;808080;c0c0c0;ff0000;008000;0000ff;ffff00;800080;808000;000080;00ffff;"
    "00ff00;800000;008080;ff00ff";

constexpr std::string_view kBasicNames =
    "Black;White;Gray;Silver;Red;Green;Blue;Yellow;Purple;Olive;Navy;Aqua;Lime;Maroon;Teal;"
    "Fuchsia";

// DarkSeaGreen is the web's 8fbc8f.
constexpr std::string_view kAdditionalHex =
    "006400;191970;696969;708090;778899;00008b;0000cd;008b8b;00bfff;00ced1;00fa9a;00ff7f;"
    "00ffff;1e90ff;20b2aa;228b22;2e8b57;2f4f4f;32cd32;3cb371;40e0d0;4169e1;4682b4;483d8b;"
    "48d1cc;4b0082;556b2f;5f9ea0;6495ed;66cdaa;6a5acd;6b8e23;7b68ee;7cfc00;7fff00;7fffd4;"
    "87ceeb;87cefa;8a2be2;8b0000;8b008b;8b4513;8fbc8f;90ee90;9370db;9400d3;98fb98;9932cc;"
    "9acd32;a0522d;a52a2a;a9a9a9;add8e6;adff2f;afeeee;b0c4de;b0e0e6;b22222;b8860b;ba55d3;"
    "bc8f8f;bdb76b;c71585;cd5c5c;cd853f;d2691e;d2b48c;d3d3d3;d8bfd8;da70d6;daa520;db7093;"
    "dc143c;dcdcdc;dda0dd;deb887;e0ffff;e6e6fa;e9967a;ee82ee;eee8aa;f08080;f0e68c;f0f8ff;"
    "f0fff0;f0ffff;f4a460;f5deb3;f5f5dc;f5f5f5;f5fffa;f8f8ff;fa8072;faebd7;faf0e6;fafad2;"
    "fdf5e6;ff00ff;ff1493;ff4500;ff6347;ff69b4;ff7f50;ff8c00;ffa07a;ffa500;ffb6c1;ffc0cb;"
    "ffd700;ffdab9;ffdead;ffe4b5;ffe4c4;ffe4e1;ffebcd;ffefd5;fff0f5;fff5ee;fff8dc;fffacd;"
    "fffaf0;fffafa;ffffe0;fffff0";

constexpr std::string_view kAdditionalNames =
    "DarkGreen;MidnightBlue;DimGray;SlateGray;LightSlateGray;DarkBlue;MediumBlue;DarkCyan;"
    "DeepSkyBlue;DarkTurquoise;MediumSpringGreen;SpringGreen;Aqua;DodgerBlue;LightSeaGreen;"
    "ForestGreen;SeaGreen;DarkSlateGray;LimeGreen;MediumSeaGreen;Turquoise;RoyalBlue;"
    "SteelBlue;DarkSlateBlue;MediumTurquoise;Indigo;DarkOliveGreen;CadetBlue;CornflowerBlue;"
    "MediumAquamarine;SlateBlue;OliveDrab;MediumSlateBlue;LawnGreen;Chartreuse;Aquamarine;"
    "SkyBlue;LightSkyBlue;BlueViolet;DarkRed;DarkMagenta;SaddleBrown;DarkSeaGreen;LightGreen;"
    "MediumPurple;DarkViolet;PaleGreen;DarkOrchid;YellowGreen;Sienna;Brown;DarkGray;"
    "LightBlue;GreenYellow;PaleTurquoise;LightSteelBlue;PowderBlue;Firebrick;DarkGoldenrod;"
    "MediumOrchid;RosyBrown;DarkKhaki;MediumVioletRed;IndianRed;Peru;Chocolate;Tan;"
    "LightGrey;Thistle;Orchid;Goldenrod;PaleVioletRed;Crimson;Gainsboro;Plum;Burlywood;"
    "LightCyan;Lavender;DarkSalmon;Violet;PaleGoldenrod;LightCoral;Khaki;AliceBlue;Honeydew;"
    "Azure;SandyBrown;Wheat;Beige;WhiteSmoke;MintCream;GhostWhite;Salmon;AntiqueWhite;Linen;"
    "LightGoldenrodYellow;Oldlace;Fuchsia;DeepPink;OrangeRed;Tomato;HotPink;Coral;DarkOrange;"
    "LightSalmon;Orange;LightPink;Pink;Gold;Peachpuff;NavajoWhite;Moccasin;Bisque;MistyRose;"
    "BlanchedAlmond;PapayaWhip;LavenderBlush;Seashell;Cornsilk;LemonChiffon;FloralWhite;Snow;"
    "LightYellow;Ivory";

constexpr std::string_view kSafetyHex =
    "330099;6633ff;3300cc;3300ff;9999ff;6633cc;ffccff;9966cc;663399;330066;9933cc;cc99ff;"
    "cc66ff;ff99ff;9966ff;6600cc;6600ff;9933ff;9900ff;cc33ff;cc00ff;ff66ff;ff33ff;ff00ff;"
    "9900cc;660099;cc66cc;cc33cc;ff99cc;ff66cc;ff33cc;993399;cc00cc;ff00cc;cc0099;990099;"
    "cc99cc;996699;663366;990066;cc3399;660066;ff0099;ff3399;cc6699;330033;993366;cc3366;"
    "cc0066;ff6699;660033;ff0066;ff3366;ffcccc;ff9999;cc9999;cc6666;ff6666;996666;663333;"
    "993333;990033;cc0033;ff0033;ff3333;cc3333;ff6600;ff3300;ff6633;cc6633;660000;330000;"
    "ff0000;990000;cc3300;cc0000;996633;cc6600;ffcc99;ff9966;663300;cc9966;996600;cc9933;"
    "cc9900;ffcc66;ff9933;993300;ff9900;ffcc33;ffcc00;ffff99;ffff66;ffff33;ffff00;cccc00;"
    "999900;999966;cccc99;ffffcc;cccc33;cccc66;999933;666633;666600;333300;ccff00;ccff33;"
    "99cc33;99cc00;ccff66;ccff99;99ff00;669933;336600;336633;669966;66cc66;99ff99;66ff66;"
    "339933;99cc99;99ff66;99ff33;66cc33;66cc00;99cc66;669900;339900;66ff33;66ff00;ccffcc;"
    "99ffcc;66ff99;33ff99;33ff00;33ff33;33cc00;33cc33;33ff66;00ff00;33cc66;006600;003300;"
    "009900;00ff33;00ff66;00ff99;00cc66;00cc00;00cc33;009933;66cc99;339966;33cc99;006633;"
    "009966;00cc99;66ffcc;33ffcc;00ffcc;009999;00cccc;33cccc;003333;006666;339999;66cccc;"
    "336666;669999;99cccc;ccffff;99ffff;66ffff;33ffff;00ffff;00ccff;66ccff;33ccff;3399cc;"
    "006699;0099cc;0099ff;0066cc;003399;3366cc;003366;6699ff;3366ff;3399ff;0066ff;0033cc;"
    "336699;000033;333366;666699;9999cc;333399;6666cc;ccccff;3333ff;3333cc;6666ff;000066;"
    "000099;0000cc;0000ff;0033ff;6699cc;99ccff;ffffff;cccccc;999999;666666;333333;000000";

// Six hex digits exactly, read as RRGGBB; anything else has no colour.
std::int32_t SixDigitKey(std::string_view text) {
    if (text.size() != 6) return -1;
    std::int32_t value = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9') {
            d = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            d = c - 'a' + 10;
        } else {
            return -1;
        }
        value = value * 16 + d;
    }
    return value;
}

// A table's colour from its key: the tables hold six lower-case digits each.
constexpr Color TableColor(std::int32_t key) {
    return Color::From8((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF);
}

}  // namespace

const ColorTables& ColorTables::Instance() {
    static const ColorTables tables;
    return tables;
}

ColorTables::ColorTables()
    : basicHex_(Split(kBasicHex, ';')),
      additionalHex_(Split(kAdditionalHex, ';')),
      safetyHex_(Split(kSafetyHex, ';')),
      basicNames_(Split(kBasicNames, ';')),
      additionalNames_(Split(kAdditionalNames, ';')) {
    auto addTable = [this](const std::vector<std::string>& hex,
                           const std::vector<std::string>& names) {
        for (std::size_t i = 0; i < hex.size(); ++i) {
            const auto key = SixDigitKey(hex[i]);
            const bool known = std::any_of(byColor_.begin(), byColor_.end(),
                                           [key](const auto& e) { return e.first == key; });
            if (known) continue;
            byColor_.emplace_back(key, names[i]);
            namedColors_.emplace_back(TableColor(key), names[i]);
        }
    };
    addTable(basicHex_, basicNames_);
    addTable(additionalHex_, additionalNames_);
    auto colors = [](const std::vector<std::string>& hex) {
        std::vector<Color> out;
        out.reserve(hex.size());
        for (const std::string& h : hex) out.push_back(TableColor(SixDigitKey(h)));
        return out;
    };
    basicColors_ = colors(basicHex_);
    additionalColors_ = colors(additionalHex_);
    safetyColors_ = colors(safetyHex_);
    std::sort(byColor_.begin(), byColor_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
}

std::string_view ColorTables::ColorName(std::string_view text) const {
    const std::string cleaned =
        ToLowerAscii(TrimSpaces(RemoveAll(TrimSpaces(RemoveAll(text, '#')), ' ')));
    const auto key = SixDigitKey(cleaned);
    if (key < 0) return {};
    const auto it = std::lower_bound(byColor_.begin(), byColor_.end(), key,
                                     [](const auto& e, std::int32_t k) { return e.first < k; });
    if (it == byColor_.end() || it->first != key) return {};
    return it->second;
}

}  // namespace velmor
