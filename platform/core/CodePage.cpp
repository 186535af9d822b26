#include "platform/core/CodePage.h"

namespace cp1252 {

namespace {

// 0x80..0x9F; the rest of the code page is Latin-1.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

char32_t ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHigh[byte - 0x80];
    return byte;
}

int FromUnicode(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

std::string ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes)
        AppendUtf8(out, ToUnicode(c));
    return out;
}

std::string FromUtf8(std::string_view utf8, char replacement)
{
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        char32_t cp;
        size_t len;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            len = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            len = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            len = 4;
        } else {
            out += replacement;
            ++i;
            continue;
        }
        bool ok = i + len <= utf8.size();
        for (size_t k = 1; ok && k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(utf8[i + k]);
            if ((cc & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are malformed too: an overlong NUL
        // would otherwise cut the text short.
        static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            ok = false;
        if (!ok) {
            out += replacement;
            ++i;
            continue;
        }
        i += len;
        int b = FromUnicode(cp);
        out += b < 0 ? replacement : static_cast<char>(b);
    }
    return out;
}

bool IsUpper(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return true;
    if (c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F)
        return true;
    return c >= 0xC0 && c <= 0xDE && c != 0xD7;
}

bool IsLower(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return true;
    if (c == 0x9A || c == 0x9C || c == 0x9E || c == 0x83)
        return true;
    return c >= 0xDF && c != 0xF7;
}

bool IsAlpha(unsigned char c)
{
    return IsUpper(c) || IsLower(c) || c == 0xAA || c == 0xBA;
}

unsigned char ToUpper(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: break;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 32);
    return c;
}

unsigned char ToLower(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: break;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<unsigned char>(c + 32);
    return c;
}

} // namespace cp1252
