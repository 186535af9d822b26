#include "import/SourceMgr.h"

#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsBreak(char c) { return c == '\r' || c == '\n'; }
bool IsSpace(char c) { return IsBlank(c) || IsBreak(c) || c == '\f' || c == '\v'; }

// Past one line break at p (CR LF counts once).
LPCSTR SkipBreak(LPCSTR p)
{
    if (*p == '\r')
        return p[1] == '\n' ? p + 2 : p + 1;
    return *p == '\n' ? p + 1 : p;
}

bool InSet(LPCSTR set, char c) { return c != 0 && set && std::strchr(set, c) != nullptr; }

// A choice label at p that matches the expected one: letters compare as they are, a numbered
// label reads its whole number so that "10." follows "9.". Returns past the terminator, or NULL.
LPCSTR MatchChoiceLabel(LPCSTR p, char cFirst, int nExpected, char chTerm)
{
    if (cFirst >= '0' && cFirst <= '9') {
        if (*p < '0' || *p > '9')
            return nullptr;
        long n = 0;
        while (*p >= '0' && *p <= '9') {
            if (n < 100000)
                n = n * 10 + (*p - '0');
            ++p;
        }
        if (n != nExpected)
            return nullptr;
    } else {
        if (*p != static_cast<char>(cFirst + nExpected))
            return nullptr;
        ++p;
    }
    while (IsBlank(*p))
        ++p;
    return *p == chTerm ? p + 1 : nullptr;
}

} // namespace

LPCSTR GetNextParagraph(LPCSTR pos, LPCSTR* ppFirst, LPCSTR* ppLast, BOOL bLineMode)
{
    *ppFirst = nullptr;
    *ppLast = nullptr;
    if (!pos)
        return pos;
    while (IsSpace(*pos))
        ++pos;
    if (!*pos)
        return pos;
    *ppFirst = pos;
    LPCSTR p = pos;
    for (;;) {
        while (*p && !IsBreak(*p))
            *ppLast = p++;
        if (!*p)
            return p;
        p = SkipBreak(p);
        if (bLineMode)
            return p;
        LPCSTR q = p;
        while (IsBlank(*q))
            ++q;
        if (!*q || IsBreak(*q))
            return q;
        p = q;
    }
}

int RemoveQuestionIds(char* text, LPCSTR terms, LPCSTR numChars, CRangeVector* pRanges,
                      const CChoiceLabelRule* pLabels)
{
    if (!text)
        return 0;
    const bool bChoices = pLabels && pLabels->bChoices;
    const char cFirst = pLabels && pLabels->chFirstLabel ? pLabels->chFirstLabel : 'a';
    const char chTerm = pLabels && pLabels->chTerminator ? pLabels->chTerminator : '.';
    // The next label a choice line must carry, counted from the first label.
    int nExpected = (cFirst >= '0' && cFirst <= '9') ? cFirst - '0' : 0;
    const int nFirstExpected = nExpected;
    int nFound = 0;
    char* line = text;
    bool bFirstLine = true;
    while (*line) {
        char* p = line;
        while (IsBlank(*p))
            ++p;
        if (bChoices && !bFirstLine && MatchChoiceLabel(p, cFirst, nExpected, chTerm)) {
            ++nExpected;
        } else if (InSet(numChars, *p)) {
            nExpected = nFirstExpected;
            char* run = p;
            while (InSet(numChars, *p))
                ++p;
            char* end = nullptr;
            if (InSet(terms, *p))
                end = p + 1;
            else if (IsBreak(*p))
                end = p;
            if (end) {
                for (char* c = run; c < end; ++c)
                    *c = ' ';
                if (pRanges)
                    pRanges->emplace_back(static_cast<int>(run - text), static_cast<int>(end - text));
                ++nFound;
            }
        }
        // On to the next line.
        while (*p && !IsBreak(*p))
            ++p;
        if (!*p)
            break;
        line = const_cast<char*>(SkipBreak(p));
        bFirstLine = false;
    }
    return nFound;
}

int RemoveLineEndTerms(char* text, char chTerm, CRangeVector* pRanges)
{
    if (!text || !chTerm || IsSpace(chTerm))
        return 0;
    int nFound = 0;
    char* line = text;
    for (;;) {
        char* end = line;
        while (*end && !IsBreak(*end))
            ++end;
        // The tail of the line made only of blanks and terminators, from its first terminator.
        char* tail = end;
        while (tail > line && (IsBlank(tail[-1]) || tail[-1] == chTerm))
            --tail;
        while (tail < end && *tail != chTerm)
            ++tail;
        char* last = end;
        while (last > tail && last[-1] != chTerm)
            --last;
        int nTerms = 0;
        for (char* c = tail; c < last; ++c)
            nTerms += *c == chTerm;
        if (nTerms >= 2) {
            for (char* c = tail; c < last && *c == chTerm; ++c)
                *c = ' ';
            if (pRanges)
                pRanges->emplace_back(static_cast<int>(tail - text), static_cast<int>(last - text));
            ++nFound;
        }
        if (!*end)
            break;
        line = const_cast<char*>(SkipBreak(end));
    }
    return nFound;
}

void CSourceMgrParser::FindLineEndTerms(CString& text, char chTerm, CRangeVector& ranges)
{
    std::string s = text.str();
    RemoveLineEndTerms(s.data(), chTerm, &ranges);
    text = CString(std::move(s));
}

void CSourceMgrParser::FindQuestionIds(CString& text, LPCSTR terms, LPCSTR numChars, CRangeVector& ranges,
                                       const CChoiceLabelRule* pLabels)
{
    std::string s = text.str();
    RemoveQuestionIds(s.data(), terms, numChars, &ranges, pLabels);
    text = CString(std::move(s));
}

void InstallSourceMgr()
{
    static CSourceMgrParser parser;
    IdentifierParserSlot().Set(&parser);
}
