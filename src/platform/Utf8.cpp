#include "Utf8.hpp"

std::u32string DecodeUtf8(const std::string& text) {
    std::u32string out;
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= text.size() + (extra == 0 ? 1 : 0)) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

std::string EncodeUtf8(char32_t ch) {
    std::string s;
    if (ch < 0x80) {
        s += static_cast<char>(ch);
    } else if (ch < 0x800) {
        s += static_cast<char>(0xC0 | (ch >> 6));
        s += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        s += static_cast<char>(0xE0 | (ch >> 12));
        s += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (ch >> 18));
        s += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (ch & 0x3F));
    }
    return s;
}
