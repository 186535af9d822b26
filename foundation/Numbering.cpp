#include "foundation/Numbering.h"

#include "foundation/Util.h"

#include <ctime>
#include <vector>

CString CNumbering::GetText() const
{
    if (m_nStyle == NUM_NONE || m_nNumber == 0)
        return CString();
    switch (m_nStyle) {
    case NUM_DECIMAL:
        return CString::Formatted("%d", m_nNumber);
    case NUM_LOWER_LETTER:
    case NUM_UPPER_LETTER: {
        if (m_nNumber < 0)
            return CString();
        // Past the last letter the letters double, then triple: z, aa, bb, ..., zz, aaa.
        char base = m_nStyle == NUM_LOWER_LETTER ? 'a' : 'A';
        int nRepeat = (m_nNumber - 1) / 26 + 1;
        return CString(static_cast<char>(base + (m_nNumber - 1) % 26), nRepeat);
    }
    case NUM_UPPER_ROMAN:
        return Roman(m_nNumber, FALSE);
    case NUM_LOWER_ROMAN:
        return Roman(m_nNumber, TRUE);
    default:
        return CString();
    }
}

CString CNumbering::Roman(int n, BOOL bLower)
{
    static const struct {
        int nValue;
        const char* psz;
    } kDigits[] = {{1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
                   {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},   {1, "I"}};
    CString cs;
    if (n <= 0 || n > 3999)
        return cs;
    for (const auto& d : kDigits) {
        while (n >= d.nValue) {
            cs += d.psz;
            n -= d.nValue;
        }
    }
    if (bLower)
        cs.MakeLower();
    return cs;
}

CString CNumbering::Format(LPCSTR pszFormat) const
{
    CString cs;
    if (!pszFormat)
        return cs;
    CString csLabel = GetText();
    bool bLabelDone = false;
    for (LPCSTR p = pszFormat; *p; ++p) {
        if (p[0] == '%' && p[1] == 's' && !bLabelDone) {
            cs += csLabel;
            bLabelDone = true;
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            cs += '%';
            ++p;
        } else {
            cs += *p;
        }
    }
    return cs;
}

CString CTimeEx::GetText() const
{
    return CString::Formatted("%d/%d/%d %d:%d:%d", GetMonth(), GetDay(), GetYear(), GetHour(), GetMinute(),
                              GetSecond());
}

namespace {

// A field of one to four digits.
bool ReadNumber(const CString& cs, int& nOut)
{
    if (cs.IsEmpty() || cs.GetLength() > 4)
        return false;
    int n = 0;
    for (int i = 0; i < cs.GetLength(); ++i) {
        if (!IsDigitByte(static_cast<unsigned char>(cs[i])))
            return false;
        n = n * 10 + (cs[i] - '0');
    }
    nOut = n;
    return true;
}

bool ReadThree(const CString& cs, const char* pszSeparators, int& a, int& b, int& c)
{
    std::vector<CString> fields = SplitFields(cs, pszSeparators);
    return fields.size() == 3 && ReadNumber(fields[0], a) && ReadNumber(fields[1], b) && ReadNumber(fields[2], c);
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    return nMonth == 2 && bLeap ? 29 : kDays[nMonth - 1];
}

} // namespace

BOOL CTimeEx::SetFromText(LPCSTR pszText)
{
    if (!pszText)
        return FALSE;
    std::vector<CString> parts = SplitFields(pszText, " ");
    if (parts.size() < 2)
        return FALSE;
    int nMonth, nDay, nYear, nHour, nMinute, nSecond;
    if (!ReadThree(parts[0], "-/", nMonth, nDay, nYear) || !ReadThree(parts[1], ":", nHour, nMinute, nSecond))
        return FALSE;
    // The time library would roll 13/40/2006 over into the next year: such a text is refused.
    if (nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > DaysInMonth(nYear, nMonth) || nHour > 23 ||
        nMinute > 59 || nSecond > 59)
        return FALSE;
    // Fields in range stand. An hour that the change to daylight saving time skips here (a text
    // written under another zone) is moved on by the system rather than refused: a refused link
    // time makes the whole exam file unreadable.
    std::time_t t = MakeLocalTime(nYear, nMonth, nDay, nHour, nMinute, nSecond);
    if (t == static_cast<std::time_t>(-1) || t <= 0)
        return FALSE;
    CTime::operator=(CTime(t));
    return TRUE;
}
