#include "foundation/UserFormat.h"

#include "foundation/Numbering.h"

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

} // namespace

CString FormatUserPattern(LPCSTR pattern, int nNumber, LPCSTR text)
{
    return Fill(pattern, {{'d', CString::Formatted("%d", nNumber)}, {'s', text ? text : ""}});
}

CString FormatTextPattern(LPCSTR pattern, LPCSTR text)
{
    return Fill(pattern, {{'s', text ? text : ""}});
}

CString FormatPageNumberPattern(LPCSTR pattern, int nPage)
{
    // One kind of place only, the first found of "%a", "%A", "%d": a second kind stays as typed.
    if (UserPatternHas(pattern, "%a"))
        return Fill(pattern, {{'a', CNumbering(CNumbering::NUM_LOWER_LETTER, nPage).GetText()}});
    if (UserPatternHas(pattern, "%A"))
        return Fill(pattern, {{'A', CNumbering(CNumbering::NUM_UPPER_LETTER, nPage).GetText()}});
    return Fill(pattern, {{'d', CString::Formatted("%d", nPage)}});
}

BOOL UserPatternHas(LPCSTR pattern, LPCSTR place)
{
    return pattern && place && std::strstr(pattern, place) != nullptr;
}
