#pragma once

#include <string>
#include <string_view>

namespace velmor {

// How an INI file's bytes are written. The profile functions read UTF-16
// files that start with a byte-order mark; a rewrite keeps the encoding.
enum class FileEncoding { Bytes, Utf16LittleEndian, Utf16BigEndian };

FileEncoding DetectEncoding(std::string_view bytes);
// UTF-16 text becomes UTF-8 without its mark; bytes stay as they are.
std::string DecodeText(std::string_view bytes, FileEncoding encoding);
// Back to the file's encoding, with its mark for UTF-16.
std::string EncodeText(std::string_view utf8, FileEncoding encoding);

}  // namespace velmor
