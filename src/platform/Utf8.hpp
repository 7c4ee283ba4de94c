// UTF-8 decoding of typed text into code points.
#pragma once

#include <string>

// Decodes UTF-8; malformed bytes become U+FFFD.
std::u32string DecodeUtf8(const std::string& text);
// Encodes one code point as UTF-8.
std::string EncodeUtf8(char32_t ch);
