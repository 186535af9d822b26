#pragma once
// CNumbering: the label of a number in a numbering style (questions and group headers).
// CTimeEx: a time with the text form that exam files store for the time a question was linked.

#include "platform/core/String.h"
#include "platform/core/Time.h"

class CNumbering {
public:
    enum Style {
        NUM_NONE = 0,
        NUM_DECIMAL = 1,       // 1, 2, 3
        NUM_LOWER_LETTER = 2,  // a, b, c; after z: aa, bb, ...
        NUM_UPPER_LETTER = 3,  // A, B, C; after Z: AA, BB, ...
        NUM_UPPER_ROMAN = 4,   // I, II, III
        NUM_LOWER_ROMAN = 5,   // i, ii, iii
    };

    CNumbering(int nStyle, int nNumber) : m_nStyle(nStyle), m_nNumber(nNumber) {}
    virtual ~CNumbering() = default;

    // The label; empty when the style or the number is 0, or the style is unknown.
    CString GetText() const;
    // The roman numeral of 1 to 3999; empty for anything else.
    static CString Roman(int n, BOOL bLower);
    // The format with its "%s" replaced by the label ("%%" gives "%"); nothing else in it is
    // interpreted.
    CString Format(LPCSTR pszFormat) const;

    int m_nStyle;
    int m_nNumber;
};

class CTimeEx : public CTime {
public:
    CTimeEx() = default;
    explicit CTimeEx(std::time_t t) : CTime(t) {}
    CTimeEx(const CTime& t) : CTime(t) {}
    CTimeEx& operator=(const CTime& t)
    {
        CTime::operator=(t);
        return *this;
    }

    // Local time as "month/day/year hour:minute:second", without leading zeros.
    CString GetText() const;
    // Reads such a text (the date may use '-' as well); FALSE, with the time unchanged, when a
    // field is missing, not a number or out of range.
    BOOL SetFromText(LPCSTR pszText);
};
