#include "foundation/UserFormat.h"

#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

struct Place {
    char letter;  // what follows the '%'
    CString text;
};

// The pattern with the first place of each kind filled; everything else as it stands.
CString Fill(LPCSTR pattern, std::initializer_list<Place> places)
{
    CString out;
    std::vector<bool> done(places.size(), false);
    for (const char* p = pattern ? pattern : ""; *p; ++p) {
        size_t k = 0;
        for (const Place& place : places) {
            if (p[0] == '%' && p[1] == place.letter && !done[k])
                break;
            ++k;
        }
        if (k == places.size()) {
            out += *p;
            continue;
        }
        out += (places.begin() + k)->text;
        done[k] = true;
        ++p;
    }
    return out;
}

CString Letters(int n, char first)
{
    CString out;
    for (; n > 0; n = (n - 1) / 26)
        out = CString(static_cast<char>(first + (n - 1) % 26)) + out;
    return out;
}

} // namespace

CString FormatUserPattern(LPCSTR pattern, int nNumber, LPCSTR text)
{
    return Fill(pattern, {{'d', CString::Formatted("%d", nNumber)}, {'s', text ? text : ""}});
}

CString FormatPageNumberPattern(LPCSTR pattern, int nPage)
{
    return Fill(pattern, {{'d', CString::Formatted("%d", nPage)}, {'a', Letters(nPage, 'a')}, {'A', Letters(nPage, 'A')}});
}

BOOL UserPatternHas(LPCSTR pattern, LPCSTR place)
{
    return pattern && place && std::strstr(pattern, place) != nullptr;
}
