#include "render/RtfText.h"

#include "render/RtfDraw3.h"

#include <cstring>
#include <string>

namespace {

// Whether the backslash at i starts a control word rather than being escaped by the one before.
bool IsControlBackslash(const CString& text, int i)
{
    int n = 0;
    while (i - 1 - n >= 0 && text[i - 1 - n] == '\\')
        ++n;
    return n % 2 == 0;
}

// Removes every control word "\<word>" that stands whole (no letter follows). One pass that
// copies what stays: deleting in place would move the rest of a long text for every word. A
// removed word is a control word, so the backslashes before it are even in number, and a word
// that its removal brings next to them keeps the parity it had.
void RemoveControlWord(CString& text, const char* word)
{
    const CString pattern = CString("\\") + word;
    int at = text.Find(pattern);
    if (at < 0)
        return;
    std::string out;
    out.reserve(static_cast<size_t>(text.GetLength()));
    int copied = 0;
    for (; at >= 0; at = text.Find(pattern, at)) {
        const int end = at + pattern.GetLength();
        if (!IsAsciiLetterByte(static_cast<unsigned char>(text[end])) && IsControlBackslash(text, at)) {
            out.append(text.GetString() + copied, static_cast<size_t>(at - copied));
            copied = end;
        }
        at = end;
    }
    out.append(text.GetString() + copied, static_cast<size_t>(text.GetLength() - copied));
    text = CString(std::move(out));
}

// Whether the text ends with a control word, which a following letter or digit would run into.
bool EndsWithControlWord(const CString& text)
{
    auto byteAt = [&text](int k) { return static_cast<unsigned char>(text[k]); };
    int i = text.GetLength();
    while (i > 0 && (IsAsciiLetterByte(byteAt(i - 1)) || IsDigitByte(byteAt(i - 1)) || text[i - 1] == '-'))
        --i;
    return i < text.GetLength() && i > 0 && text[i - 1] == '\\' && IsAsciiLetterByte(byteAt(i)) &&
           IsControlBackslash(text, i - 1);
}

// Where text goes into an RTF text that shows nothing: before its final brace, so that the
// result stays RTF; at the end of a fragment that has none.
int InsertPositionWithoutText(const CString& rtf)
{
    if (IsRtfText(rtf)) {
        const int brace = rtf.ReverseFind('}');
        if (brace >= 0)
            return brace;
    }
    return rtf.GetLength();
}

// The first (or last) visible offset of rtf, read with the header pszPrefixRtf in front of it;
// -1 when the text is not RTF.
int SpliceOffset(const CString& rtf, LPCSTR pszPrefixRtf, int nPrefixLen, bool bLast)
{
    const CString work = pszPrefixRtf ? CString(pszPrefixRtf) + rtf : rtf;
    if (!IsRtfText(work))
        return -1;
    int first = -1;
    int last = -1;
    RtfToPlainText(work, &first, &last);
    int offset = bLast ? last : first;
    if (offset >= 0 && pszPrefixRtf)
        offset -= nPrefixLen;
    if (offset < 0 || offset > rtf.GetLength())
        offset = InsertPositionWithoutText(rtf);
    return offset;
}

} // namespace


CString RtfToPlainText(LPCSTR pszText, int* pFirst, int* pLast)
{
    if (!IsRtfText(pszText))
        return CString(pszText);
    CRtfDraw3 draw;
    CString plain = draw.GetPlainText(pszText);
    if (pFirst)
        *pFirst = draw.GetFirstVisible();
    if (pLast)
        *pLast = draw.GetLastVisible();
    return plain;
}

BOOL IsRtfEmpty(LPCSTR pszText)
{
    CString plain = RtfToPlainText(pszText);
    plain.TrimLeft();
    return plain.IsEmpty();
}


BOOL RepairRtfFontPitch(CString& rtf)
{
    if (!IsRtfText(rtf))
        return FALSE;
    int count = 0;
    for (int at = rtf.Find("fprq3"); at >= 0; at = rtf.Find("fprq3", at + 5))
        ++count;
    if (count < 2)
        return TRUE;
    int at = rtf.Find("\\fprq3");
    if (at < 0)
        return TRUE;
    while ((at = rtf.Find("\\fprq3", at + 6)) >= 0)
        rtf.SetAt(at + 5, '2');
    return TRUE;
}

void StripRtfParagraphMarks(CString& rtf)
{
    RemoveControlWord(rtf, "pard");
    RemoveControlWord(rtf, "par");
    RemoveControlWord(rtf, "tab");
}

BOOL HasRtfParOrTab(LPCSTR pszText)
{
    return pszText && (std::strstr(pszText, "\\par") || std::strstr(pszText, "\\tab"));
}

namespace {

// The visible ends of a text, both from one reading: the reading is the dear part.
struct CVisibleEnds {
    int first = -1;
    int last = -1;
};

// Both visible ends of rtf read with the header in front, as SpliceOffset gives each (a place
// that shows nothing where there is no such character); FALSE when the text is not RTF. real*
// say which ends are the text's own rather than that fallback.
bool VisibleEnds(const CString& rtf, LPCSTR pszPrefixRtf, int nPrefixLen, CVisibleEnds& ends, bool& realFirst,
                 bool& realLast)
{
    const CString work = pszPrefixRtf ? CString(pszPrefixRtf) + rtf : rtf;
    if (!IsRtfText(work))
        return false;
    RtfToPlainText(work, &ends.first, &ends.last);
    auto settle = [&](int& offset) {
        if (offset >= 0 && pszPrefixRtf)
            offset -= nPrefixLen;
        const bool real = offset >= 0 && offset <= rtf.GetLength();
        if (!real)
            offset = InsertPositionWithoutText(rtf);
        return real;
    };
    realFirst = settle(ends.first);
    realLast = settle(ends.last);
    return true;
}

void SpliceHeadAt(CString& rtf, int offset, LPCSTR pszInsert, CString* pSeparator)
{
    CString head = rtf.Left(offset);
    const CString tail = rtf.Mid(offset);
    StripRtfParagraphMarks(head);
    if (pSeparator) {
        head.Remove(' ');
        if (!pSeparator->IsEmpty())
            head += ' ';
    }
    if (pszInsert && *pszInsert) {
        if (EndsWithControlWord(head))
            head += ' ';
        head += pszInsert;
    }
    if (head.Right(1) != " " && tail.Left(1) != "\\")
        head += ' ';
    rtf = head + tail;
}

void SpliceTailAt(CString& rtf, int offset, LPCSTR pszAppend, CString* pTrim)
{
    CString head = rtf.Left(offset);
    CString tail = rtf.Mid(offset);
    StripRtfParagraphMarks(tail);
    if (pszAppend)
        tail = CString(pszAppend) + tail;
    if (pTrim)
        tail.TrimLeft();
    if (pszAppend && *pszAppend && EndsWithControlWord(head))
        head += ' ';
    rtf = head + tail;
}

} // namespace

void SpliceRtfText(CString& rtf, LPCSTR pszPrefixRtf, int nPrefixLen, LPCSTR pszInsert, CString* pSeparator)
{
    if (!pSeparator && !HasRtfParOrTab(rtf))
        return;
    const int offset = SpliceOffset(rtf, pszPrefixRtf, nPrefixLen, false);
    if (offset < 0)
        return;
    SpliceHeadAt(rtf, offset, pszInsert, pSeparator);
}

void SpliceRtfTail(CString& rtf, LPCSTR pszPrefixRtf, int nPrefixLen, LPCSTR pszAppend, CString* pTrim)
{
    if (!pTrim && !HasRtfParOrTab(rtf))
        return;
    const int offset = SpliceOffset(rtf, pszPrefixRtf, nPrefixLen, true);
    if (offset < 0)
        return;
    SpliceTailAt(rtf, offset, pszAppend, pTrim);
}

void SpliceRtf(CString& rtf, LPCSTR pszPrefixRtf, int nPrefixLen, LPCSTR pszInsert, LPCSTR pszAppend,
               CString* pExtra)
{
    // SpliceRtfText, then SpliceRtfTail, with one reading of the text for both: the splice
    // before the first visible character moves the last one by what it added or took away.
    if (!pExtra && !HasRtfParOrTab(rtf))
        return;
    CVisibleEnds ends;
    bool realFirst = false;
    bool realLast = false;
    if (!VisibleEnds(rtf, pszPrefixRtf, nPrefixLen, ends, realFirst, realLast))
        return;
    const int before = rtf.GetLength();
    SpliceHeadAt(rtf, ends.first, pszInsert, pExtra);
    if (!pExtra && !HasRtfParOrTab(rtf))
        return;
    if (realFirst && realLast && ends.last >= ends.first)
        SpliceTailAt(rtf, ends.last + rtf.GetLength() - before, pszAppend, pExtra);
    else
        SpliceRtfTail(rtf, pszPrefixRtf, nPrefixLen, pszAppend, pExtra);
}

void InsertRtfLeadText(CString& rtf, LPCSTR pszText)
{
    const int offset = SpliceOffset(rtf, nullptr, 0, false);
    if (offset < 0)
        return;
    CString head = rtf.Left(offset);
    CString tail = rtf.Mid(offset);
    CString insert(pszText);
    insert.Trim();
    head.TrimRight();
    tail.TrimLeft();
    if (EndsWithControlWord(head))
        head += ' ';
    rtf = head + insert + " " + tail;
}
