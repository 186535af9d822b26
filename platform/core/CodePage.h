#pragma once
// Windows-1252, the code page of every text the system stores, and its mapping to Unicode.

#include <cstdint>
#include <string>
#include <string_view>

namespace cp1252 {

// Unicode code point of a byte. Bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control of the same value, so every byte survives a round trip.
char32_t ToUnicode(unsigned char byte);

// Byte for a code point, or -1 when the code page has none.
int FromUnicode(char32_t cp);

// Whole-text conversions; code points outside the code page become `replacement`.
std::string ToUtf8(std::string_view bytes);
std::string FromUtf8(std::string_view utf8, char replacement = '?');

// Case and class of a byte, taking the code page's letters above 127 into account.
bool IsAlpha(unsigned char c);
bool IsUpper(unsigned char c);
bool IsLower(unsigned char c);
unsigned char ToUpper(unsigned char c);
unsigned char ToLower(unsigned char c);

} // namespace cp1252
