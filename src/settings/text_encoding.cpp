#include "settings/text_encoding.h"

#include <cstdint>

namespace velmor {

namespace {

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUnit(std::string& out, std::uint16_t unit, bool little) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    out += little ? low : high;
    out += little ? high : low;
}

constexpr std::uint32_t kReplacement = 0xFFFD;

}  // namespace

FileEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        return FileEncoding::Utf16LittleEndian;
    }
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
        return FileEncoding::Utf16BigEndian;
    }
    return FileEncoding::Bytes;
}

std::string DecodeText(std::string_view bytes, FileEncoding encoding) {
    if (encoding == FileEncoding::Bytes) return std::string(bytes);
    const bool little = encoding == FileEncoding::Utf16LittleEndian;
    std::string out;
    out.reserve(bytes.size());
    auto unitAt = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<std::uint16_t>(little ? (a | b << 8) : (a << 8 | b));
    };
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const std::uint16_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint16_t next = unitAt(i + 2);
            if (next >= 0xDC00 && next < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
    }
    return out;
}

std::string EncodeText(std::string_view utf8, FileEncoding encoding) {
    if (encoding == FileEncoding::Bytes) return std::string(utf8);
    const bool little = encoding == FileEncoding::Utf16LittleEndian;
    std::string out;
    AppendUnit(out, 0xFEFF, little);
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        std::uint32_t c = kReplacement;
        if (length == 1) {
            c = lead;
        } else if (length > 1 && i + static_cast<std::size_t>(length) <= utf8.size()) {
            c = lead & (0x3F >> (length - 1));
            for (int k = 1; k < length; ++k) {
                const auto cont = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
                if ((cont & 0xC0) != 0x80) {
                    c = kReplacement;
                    length = k;
                    break;
                }
                c = (c << 6) | (cont & 0x3F);
            }
        } else {
            length = 1;
        }
        i += static_cast<std::size_t>(length);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            AppendUnit(out, static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)), little);
            AppendUnit(out, static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)), little);
        } else {
            AppendUnit(out, static_cast<std::uint16_t>(c > 0xFFFF ? kReplacement : c), little);
        }
    }
    return out;
}

}  // namespace velmor
