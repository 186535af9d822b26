#include "model/Choices.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/Log.h"
#include "model/HtmlSettings.h"
#include "platform/core/HtmlMarkup.h"
#include "platform/core/Profile.h"
#include "platform/ui/DC.h"
#include "render/FontMgr.h"
#include "render/RtfDraw.h"
#include "render/RtfDraw3.h"
#include "render/RtfSyntax.h"
#include "render/RtfText.h"
#include "res/ids/Choices.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <cstring>

const char* const CChoices::kDefaultRtfHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0  Arial;}}\\viewkind4\\uc1\\pard\\tx370\\lang1033"
    "\\f0\\fs20 ";

namespace {

// The longest choices text parsed.
constexpr int kMaxChoicesText = 32000;

std::atomic<int> s_nNumChoiceSepSpaces{2};
std::atomic<int> s_nChoicesIndentLevel{5};

// The header of choices parsed from plain text, and of every label piece.
CString PlainTextHeader()
{
    return CString::Formatted("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq%d\\fcharset0 Arial;}}"
                              "\\viewkind4\\uc1\\pard\\tx%d\\lang1033\\f0\\fs20 ",
                              3, 370);
}

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\f' || ch == '\v';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

bool IsLetter(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z');
}

// A label: a letter, or a number of one or more digits (numbered labels go on past 9).
struct Label {
    bool digits = false;
    int value = 0;  // the letter's code or the number

    // The label that follows; FALSE past 'z' or 'Z'.
    bool Next()
    {
        if (!digits && (value == 'z' || value == 'Z'))
            return false;
        ++value;
        return true;
    }
    // Length of this label at p (0 when p does not hold it).
    int MatchAt(const char* p) const
    {
        if (!digits)
            return *p == static_cast<char>(value) ? 1 : 0;
        int n = 0;
        long v = 0;
        while (IsDigit(p[n]) && n < 9)
            v = v * 10 + (p[n++] - '0');
        return n > 0 && !IsDigit(p[n]) && v == value ? n : 0;
    }
};

// The first label at p given the label character ('*' for any); FALSE when p holds none.
bool FirstLabelAt(const char* p, char cLabel, Label& label, int& length)
{
    if (cLabel == '*')
        cLabel = *p;
    if (*p != cLabel || !(IsDigit(cLabel) || IsLetter(cLabel)))
        return false;
    label.digits = IsDigit(cLabel);
    if (!label.digits) {
        label.value = static_cast<unsigned char>(cLabel);
        length = 1;
        return true;
    }
    length = 0;
    label.value = 0;
    while (IsDigit(p[length]) && length < 9)
        label.value = label.value * 10 + (p[length++] - '0');
    return !IsDigit(p[length]);
}

const char* SkipBlanks(const char* p)
{
    while (*p && IsBlank(*p))
        ++p;
    return p;
}

// A plain text as RTF body text, every character kept.
CString EscapeRtf(const CString& text)
{
    CString out;
    for (int i = 0; i < text.GetLength(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        if (ch == '{' || ch == '}' || ch == '\\')
            out += CString('\\') + static_cast<char>(ch);
        else if (ch == '\n')
            out += "\\par ";
        else if (ch == '\r')
            continue;
        else if (ch == '\t')
            out += "\\tab ";
        else if (ch > 127)
            out.AppendFormat("\\'%02x", ch);
        else
            out += static_cast<char>(ch);
    }
    return out;
}

// A plain text as RTF body text; an RTF fragment (it holds a backslash) stays as it is.
CString RtfBody(const CString& text)
{
    return text.Find('\\') >= 0 ? text : EscapeRtf(text);
}

// Whether p holds what a parse would take for a label: a letter or a run of digits, then (after
// blanks) '.' or ')'.
bool LooksLikeLabel(const char* p)
{
    const char* q = p;
    if (IsLetter(*q))
        ++q;
    else
        while (IsDigit(*q))
            ++q;
    if (q == p)
        return false;
    q = SkipBlanks(q);
    return *q == '.' || *q == ')';
}

// RTF body text of a choice in which nothing after white space reads as a label: such a first
// character is written as a hex escape, which reads back as the same character but splits no
// choice and puts none out of sequence.
CString ChoiceBody(const CString& text)
{
    const CString body = RtfBody(text);
    CString out;
    for (int i = 0; i < body.GetLength(); ++i) {
        const char* p = body.GetString() + i;
        if ((i == 0 || IsBlank(p[-1])) && LooksLikeLabel(p))
            out.AppendFormat("\\'%02x", static_cast<unsigned char>(*p));
        else
            out += *p;
    }
    return out;
}

// Every blank of RTF text that is not the end of a control word becomes a non-breaking space.
CString NonBreaking(const CString& rtf)
{
    CString out;
    const int n = rtf.GetLength();
    for (int i = 0; i < n; ++i) {
        const char ch = rtf[i];
        if (ch == '\\' && i + 1 < n) {
            out += ch;
            if (!IsLetter(rtf[i + 1])) {
                out += rtf[++i];
                continue;
            }
            while (i + 1 < n && IsLetter(rtf[i + 1]))
                out += rtf[++i];
            if (i + 1 < n && (rtf[i + 1] == '-' || IsDigit(rtf[i + 1])))
                while (i + 1 < n && (rtf[i + 1] == '-' || IsDigit(rtf[i + 1])))
                    out += rtf[++i];
            if (i + 1 < n && rtf[i + 1] == ' ')
                out += rtf[++i];  // the control word's own delimiter
            continue;
        }
        out += ch == ' ' ? CString("\\~") : CString(ch);
    }
    return out;
}

// Label and text trimmed; an empty one is logged as the function's and refused.
bool TrimChoice(LPCSTR label, LPCSTR text, const char* function, CString& csLabel, CString& csText)
{
    csLabel = label ? label : "";
    csText = text ? text : "";
    csLabel.Trim();
    csText.Trim();
    if (csLabel.IsEmpty() || csText.IsEmpty()) {
        LogOutput(CString::Formatted("CChoices::%s() - empty %s string", function, csLabel.IsEmpty() ? "id" : "choice"),
                  LOG_ERROR, LOG_HERE);
        return false;
    }
    return true;
}

bool LabelMatchesCorrect(const CString& label, LPCSTR pszCorrect)
{
    if (!pszCorrect)
        return false;
    CString correct = pszCorrect;
    correct.TrimLeft();
    if (correct.IsEmpty() || label.IsEmpty())
        return false;
    return std::tolower(static_cast<unsigned char>(correct[0])) == std::tolower(static_cast<unsigned char>(label[0]));
}

} // namespace

// ---- construction and the arrays

CChoices::CChoices(LPCSTR text) : m_csRtfHeader(kDefaultRtfHeader)
{
    if (text)
        SetChoices(text, '*', '*');
}

CChoices::CChoices(const CChoices& other) : m_csRtfHeader(kDefaultRtfHeader)
{
    *this = other;
}

CChoices& CChoices::operator=(const CChoices& other)
{
    if (this == &other)
        return *this;
    OnChange(TRUE);
    RemoveAll();
    for (int i = 0; i < other.GetCount(); ++i)
        Add(other.m_saLabels[i], other.m_saTexts[i]);
    m_bError = other.m_bError;
    m_csRtfHeader = other.m_csRtfHeader;
    m_csSource = other.m_csSource;
    m_cFirstLabel = other.m_cFirstLabel;
    // A copy stands as the original stands: untidied, as read.
    m_bTidyPending = other.m_bTidyPending;
    m_bStored = other.m_bStored;
    m_csStored = other.m_csStored;
    OnChange(FALSE);
    return *this;
}

void CChoices::RemoveAll()
{
    m_saLabels.RemoveAll();
    m_saTexts.RemoveAll();
    m_dwaLabelStart.RemoveAll();
    m_dwaLabelEnd.RemoveAll();
    m_dwaTextStart.RemoveAll();
    m_dwaTextEnd.RemoveAll();
    m_bError = FALSE;
    m_csRtfHeader = kDefaultRtfHeader;
    m_bTidyPending = FALSE;
    Changed();
}

void CChoices::Changed()
{
    m_bStored = FALSE;
    m_csStored.Empty();
}

BOOL CChoices::GetStoredText(CString& out) const
{
    if (!m_bStored)
        return FALSE;
    out = m_csStored;
    return TRUE;
}

const CStringArray& CChoices::GetTexts() const
{
    EnsureTidy();
    return m_saTexts;
}

const CString& CChoices::GetRtfHeader() const
{
    EnsureTidy();
    return m_csRtfHeader;
}

void CChoices::EnsureTidy() const
{
    if (m_bTidyPending)
        const_cast<CChoices*>(this)->TidyRtfChoices();
}

BOOL CChoices::Add(LPCSTR label, LPCSTR text, LPCSTR pBase, LPCSTR pLabelStart, LPCSTR pLabelEnd, LPCSTR pTextStart,
                   LPCSTR pTextEnd)
{
    CString csLabel;
    CString csText;
    if (!TrimChoice(label, text, "Add", csLabel, csText))
        return FALSE;
    OnChange(TRUE);
    EnsureTidy();
    Changed();
    m_saLabels.Add(csLabel);
    m_saTexts.Add(csText);
    if (pBase) {
        m_dwaLabelStart.Add(static_cast<DWORD>(pLabelStart - pBase));
        m_dwaLabelEnd.Add(static_cast<DWORD>(pLabelEnd - pBase));
        m_dwaTextStart.Add(static_cast<DWORD>(pTextStart - pBase));
        m_dwaTextEnd.Add(static_cast<DWORD>(pTextEnd - pBase));
    }
    OnChange(FALSE);
    return TRUE;
}

BOOL CChoices::SetChoice(int i, LPCSTR label, LPCSTR text)
{
    CString csLabel;
    CString csText;
    if (!TrimChoice(label, text, "SetChoice", csLabel, csText))
        return FALSE;
    if (i < 0 || i >= GetCount())
        return FALSE;
    OnChange(TRUE);
    EnsureTidy();
    Changed();
    m_saLabels[i] = csLabel;
    m_saTexts[i] = csText;
    OnChange(FALSE);
    return TRUE;
}

CString CChoices::GetChoiceId(int i) const
{
    return i >= 0 && i < GetCount() ? m_saLabels[i] : CString();
}

CString CChoices::GetChoiceText(int i, BOOL bPlain) const
{
    if (i < 0 || i >= m_saTexts.GetSize())
        return CString();
    EnsureTidy();
    CString text = m_saTexts[i];
    if (bPlain && text.Find('\\') >= 0) {
        text = RtfToText(m_csRtfHeader + text + "}");
        text.Trim();
    }
    return text;
}

int CChoices::FindLabel(LPCSTR answer) const
{
    CString cs = answer ? answer : "";
    cs.TrimLeft();
    if (cs.IsEmpty())
        return -1;
    if (IsDigit(cs[0])) {
        const long number = std::strtol(cs, nullptr, 10);
        for (int i = 0; i < GetCount(); ++i)
            if (!m_saLabels[i].IsEmpty() && IsDigit(m_saLabels[i][0]) && std::strtol(m_saLabels[i], nullptr, 10) == number)
                return i;
        return -1;
    }
    const int first = std::tolower(static_cast<unsigned char>(cs[0]));
    for (int i = 0; i < GetCount(); ++i) {
        CString label = m_saLabels[i];
        label.TrimLeft();
        if (!label.IsEmpty() && std::tolower(static_cast<unsigned char>(label[0])) == first)
            return i;
    }
    return -1;
}

BOOL CChoices::Relabel(char c)
{
    if (c != 'a' && c != 'A')
        c = 'a';
    // Past 'z' a label would be a character no parse takes for one: the choices after it would
    // run into the text before them when read again.
    if (GetCount() > 26) {
        LogOutput(CString::Formatted("CChoices::Relabel() - %d choices are too many for letter labels", GetCount()),
                  LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    OnChange(TRUE);
    Changed();
    for (int i = 0; i < GetCount(); ++i)
        m_saLabels[i] = CString(static_cast<char>(c + i)) + ".";
    m_cFirstLabel = c;
    OnChange(FALSE);
    return TRUE;
}

// ---- parsing

BOOL CChoices::RecogniseLabelStyle(LPCSTR text, char& cLabel, char& cSeparator)
{
    if ((IsDigit(cLabel) || IsLetter(cLabel)) && (cSeparator == '.' || cSeparator == ')'))
        return TRUE;
    CString cs = text ? text : "";
    cs.TrimLeft();
    if (IsRtfText(cs)) {
        cs = RtfToText(cs);
        cs.TrimLeft();
    }
    if (cs.GetLength() < 2)
        return FALSE;
    int at = 1;
    if (IsDigit(cs[0]))
        while (at < cs.GetLength() && IsDigit(cs[at]))
            ++at;
    else if (!IsLetter(cs[0]))
        return FALSE;
    if (at >= cs.GetLength() || (cs[at] != '.' && cs[at] != ')'))
        return FALSE;
    cLabel = cs[0];
    cSeparator = cs[at];
    return TRUE;
}

BOOL CChoices::ParseNumberedPairs(LPCSTR text)
{
    if (!text)
        return FALSE;
    const char* p = text;
    for (;;) {
        p = SkipBlanks(p);
        if (!*p)
            return TRUE;
        const char* labelStart = p;
        while (IsDigit(*p))
            ++p;
        if (p == labelStart || *p != '.')
            break;
        const char* labelEnd = ++p;
        if (!IsBlank(*p))
            break;
        p = SkipBlanks(p);
        const char* textStart = p;
        while (IsDigit(*p))
            ++p;
        if (p == textStart || (*p && !IsBlank(*p)))
            break;
        const CString label(labelStart, static_cast<int>(labelEnd - labelStart));
        const CString number(textStart, static_cast<int>(p - textStart));
        Add(label, number, text, labelStart, labelEnd, textStart, p);
    }
    RemoveAll();
    return FALSE;
}

BOOL CChoices::ParsePlain(LPCSTR text, char cLabel, char cSeparator, DWORD dwFlags)
{
    m_bError = FALSE;
    auto fail = [this]() {
        m_bError = TRUE;
        return FALSE;
    };
    if (!text) {
        LogOutput("CChoices::SetChoices() - bad choices string", LOG_ERROR, LOG_HERE);
        return fail();
    }
    if (!*text || !RecogniseLabelStyle(text, cLabel, cSeparator))
        return fail();
    if (std::strlen(text) > static_cast<size_t>(kMaxChoicesText)) {
        LogOutput("CChoices::SetChoices() - choices string too long", LOG_ERROR, LOG_HERE);
        return fail();
    }
    if ((dwFlags & CHP_NUMBERED_PAIRS) && ParseNumberedPairs(text))
        return TRUE;

    const char* p = SkipBlanks(text);
    Label label;
    int length = 0;
    if (!FirstLabelAt(p, cLabel, label, length))
        return fail();
    const char* labelStart = p;
    const char* sep = SkipBlanks(p + length);
    if (*sep != cSeparator)
        return fail();
    const char* labelEnd = sep + 1;
    const char* textStart = SkipBlanks(labelEnd);

    auto addChoice = [&](const char* textEnd) {
        const char* end = textEnd;
        while (end > textStart && IsBlank(end[-1]))
            --end;
        Add(CString(labelStart, static_cast<int>(labelEnd - labelStart)),
            CString(textStart, static_cast<int>(std::max<std::ptrdiff_t>(end - textStart, 0))), text, labelStart,
            labelEnd, textStart, std::max(end, textStart));
    };

    Label next = label;
    bool hasNext = next.Next();
    for (const char* q = textStart; *q; ++q) {
        if (!hasNext || q == text || !IsBlank(q[-1]))
            continue;
        const int n = next.MatchAt(q);
        if (n == 0 || q[n] != cSeparator)
            continue;
        addChoice(q);
        labelStart = q;
        labelEnd = q + n + 1;
        textStart = SkipBlanks(labelEnd);
        hasNext = next.Next();
        q = textStart - 1;
    }
    addChoice(textStart + std::strlen(textStart));
    return !m_bError;
}

int CChoices::FindChoicesInRtf(LPCSTR text, int* pnStart, CChoicesError* pError, char cLabel, char cSeparator,
                               int* pnCount)
{
    if (pnStart)
        *pnStart = -1;
    if (pnCount)
        *pnCount = 0;
    if (!text || !*text || !(IsDigit(cLabel) || IsLetter(cLabel)))
        return 0;
    const int length = static_cast<int>(std::strlen(text));
    Label expected;
    int labelLength = 0;
    const char first[2] = {cLabel, 0};
    FirstLabelAt(first, cLabel, expected, labelLength);
    int count = 0;
    int start = -1;
    // Whether a label of n characters at i is followed (after blanks) by the separator.
    auto separatorAfter = [&](int i, int n) {
        const char* p = SkipBlanks(text + i + n);
        return *p == cSeparator;
    };

    // Length of the expected label at i (0 when none stands there), the label in found. The
    // first number is any that begins with the given digit: it may run past 9.
    auto labelAt = [&](int i, Label& found) {
        found = expected;
        if (count > 0 || !expected.digits)
            return expected.MatchAt(text + i);
        int n = 0;
        return FirstLabelAt(text + i, cLabel, found, n) ? n : 0;
    };

    const int begin = static_cast<int>(SkipBlanks(text) - text);
    Label found;
    int n = labelAt(begin, found);
    bool more = true;
    if (n > 0 && separatorAfter(begin, n)) {
        start = begin;
        count = 1;
        expected = found;
        more = expected.Next();
    }
    for (int i = begin + 1; more && i < length; ++i) {
        if (!IsBlank(text[i - 1]) || IsBlank(text[i]))
            continue;
        n = labelAt(i, found);
        if (n > 0 && separatorAfter(i, n)) {
            if (start < 0)
                start = i;
            ++count;
            expected = found;
            if (!expected.Next())
                break;
            continue;
        }
        // A letter label of the same case that comes before the expected one is out of sequence.
        const char ch = text[i];
        const bool sameCase = !expected.digits && ((std::islower(expected.value) && ch >= 'a' && ch <= 'z') ||
                                                   (std::isupper(expected.value) && ch >= 'A' && ch <= 'Z'));
        if (sameCase && ch < expected.value && i + 1 < length && text[i + 1] == cSeparator) {
            if (pError) {
                pError->SetIds(IDS_CHOICES_OUT_OF_SEQUENCE, IDS_CHOICES_OUT_OF_ORDER);
                const int from = std::max((start >= 0 ? start : i) - 1, 0);
                pError->SetRange(from, std::min(i + 1 + 2, length));
            }
            if (pnCount)
                *pnCount = count;
            return 2;
        }
    }
    if (pnCount)
        *pnCount = count;
    if (count < 2)
        return 0;
    if (pnStart)
        *pnStart = start;
    return 1;
}

void CChoices::TidyRtfChoices()
{
    m_bTidyPending = FALSE;
    CString header = m_csRtfHeader;
    header.TrimRight();
    if (header.Right(4) == "\\tab")
        header = header.Left(header.GetLength() - 4);
    if (header.Right(4) == "\\par")
        header = header.Left(header.GetLength() - 4);
    header.Replace("\\par ", "");
    header.Replace("\\par\\", "\\");
    header.TrimRight();
    header += " ";
    m_csRtfHeader = header;
    for (int i = 0; i < m_saTexts.GetSize(); ++i) {
        CString text = m_saTexts[i];
        SpliceRtf(text, header, header.GetLength(), nullptr, nullptr, nullptr);
        text.Trim();
        if (!text.IsEmpty())
            m_saTexts[i] = text;
    }
}

BOOL CChoices::SetChoices(LPCSTR text, char cFirstLabel, char cSeparator, CChoicesError* pError, DWORD dwFlags)
{
    // Taken before anything is emptied: the text may be one this object holds.
    const CString stored = (dwFlags & CHP_STORED) && text ? CString(text) : CString();
    OnChange(TRUE);
    RemoveAll();
    auto keepStored = [&]() {
        if (dwFlags & CHP_STORED) {
            m_bStored = TRUE;
            m_csStored = stored;
        }
    };
    auto failed = [&](BOOL bError) {
        const CString source = m_csSource;
        RemoveAll();
        m_bError = bError;
        m_csSource = source;
        OnChange(FALSE);
        return FALSE;
    };
    auto succeeded = [&]() {
        m_csSource.Empty();
        keepStored();
        OnChange(FALSE);
        return TRUE;
    };
    if ((dwFlags & CHP_NUMBERED_PAIRS) && ParseNumberedPairs(text))
        return succeeded();

    char cLabel = cFirstLabel;
    char cSep = cSeparator;
    if (!RecogniseLabelStyle(text, cLabel, cSep)) {
        if (pError)
            pError->SetIds(IDS_CHOICES_NOT_FOUND);
        return failed(FALSE);
    }
    m_cFirstLabel = cLabel;
    CString work = text;
    work.Trim();
    m_csSource = work;

    if (!IsRtfText(work)) {
        m_csRtfHeader = PlainTextHeader();
        if (ParsePlain(work, cLabel, cSep, 0)) {
            m_csRtfHeader = PlainTextHeader();
            return succeeded();
        }
        if (pError && !pError->IsSet())
            pError->SetIds(IDS_CHOICES_BAD_FORMAT, IDS_CHOICES_FORMAT_RULES, IDS_CHOICES_FORMAT_EXAMPLE);
        return failed(m_bError);
    }

    int start = -1;
    const int found = FindChoicesInRtf(work, &start, pError, cLabel, cSep);
    if (found == 2) {
        LogOutput(CString::Formatted("CChoices::SetChoices(%c, %c) - failed to find choies...", cLabel, cSep), LOG_ERROR,
                  LOG_HERE);
        LogOutput(work, LOG_ERROR, LOG_HERE);
        return failed(FALSE);
    }
    if (found == 0) {
        if (dwFlags & CHP_RTF_AS_PLAIN) {
            CString plain = RtfToText(work);
            plain.TrimLeft();
            OnChange(FALSE);
            if (!SetChoices(plain, cLabel, cSep, pError, 0))
                return FALSE;
            // What was read is written back, not the plain text it was parsed as.
            keepStored();
            return TRUE;
        }
        if (pError)
            pError->SetIds(IDS_CHOICES_BAD_FORMAT, IDS_CHOICES_FORMAT_RULES, IDS_CHOICES_FORMAT_EXAMPLE);
        return failed(FALSE);
    }
    const CString header = work.Left(start);
    // The text less its closing brace.
    const CString body = work.Mid(start, work.GetLength() - start - 1);
    if (!ParsePlain(body, cLabel, cSep, 0)) {
        if (pError && !pError->IsSet())
            pError->SetIds(IDS_CHOICES_BAD_FORMAT, IDS_CHOICES_FORMAT_RULES, IDS_CHOICES_FORMAT_EXAMPLE);
        return failed(m_bError);
    }
    m_csRtfHeader = header;
    if (dwFlags & CHP_STORED)
        m_bTidyPending = TRUE;
    else
        TidyRtfChoices();
    return succeeded();
}

BOOL CChoices::ValidateChoices(LPCSTR text, CChoicesError* pError)
{
    const CString original = text ? text : "";
    CString cs = original;
    cs.TrimLeft();
    // Ranges count in the text as typed.
    const int lead = original.GetLength() - cs.GetLength();
    cs.TrimRight();
    if (cs.IsEmpty())
        return TRUE;
    char cLabel = '*';
    char cSep = '*';
    if (cs.GetLength() < 2 || !RecogniseLabelStyle(cs, cLabel, cSep)) {
        if (pError)
            pError->SetIds(IDS_CHOICES_BAD_FORMAT, IDS_CHOICES_FORMAT_RULES, IDS_CHOICES_FORMAT_EXAMPLE);
        return FALSE;
    }
    int start = -1;
    int count = 0;
    const int found = FindChoicesInRtf(cs, &start, pError, cLabel, cSep, &count);
    if (found == 2) {
        if (pError)
            pError->SetRange(pError->m_nStart + lead, pError->m_nEnd + lead);
        return FALSE;
    }
    if (found == 0) {
        if (pError) {
            if (count == 1)
                pError->SetIds(IDS_CHOICES_TOO_FEW);
            else
                pError->SetIds(IDS_CHOICES_BAD_FORMAT, IDS_CHOICES_FORMAT_RULES, IDS_CHOICES_FORMAT_EXAMPLE);
        }
        return FALSE;
    }
    CChoices check;
    if (!check.SetChoices(cs, '*', '*')) {
        if (pError)
            pError->m_csMessage = "Choices are incorrect.";
        return FALSE;
    }
    return TRUE;
}

// ---- text output

void CChoices::GetText(CString& out, int nWidth, DWORD dwFlags, LPCSTR pszCorrect,
                       const CChoicesHtmlStyle* pHtml) const
{
    out.Empty();
    if ((dwFlags & CHO_RTF) && (dwFlags & CHO_HTML))
        GetHtmlText(out, dwFlags, pszCorrect, pHtml);
    else if (dwFlags & CHO_RTF)
        GetRtfText(out);
    else
        GetPlainText(out, nWidth);
}

void CChoices::GetPlainText(CString& out, int nWidth) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (i > 0)
            out += "\r\n";
        const CString label = m_saLabels[i];
        out += label + "  ";
        int column = label.GetLength() + 4;
        bool wordOnLine = false;
        const CString text = GetChoiceText(i, TRUE);
        int at = 0;
        while (at < text.GetLength()) {
            while (at < text.GetLength() && IsBlank(text[at]))
                ++at;
            int end = at;
            while (end < text.GetLength() && !IsBlank(text[end]))
                ++end;
            if (end == at)
                break;
            const CString word = text.Mid(at, end - at);
            // A word too long for any line stays whole rather than leaving empty lines behind.
            if (nWidth > 0 && wordOnLine && column + word.GetLength() > nWidth) {
                out += "\r\n     ";
                column = 5;
            }
            out += " " + word;
            column += word.GetLength() + 1;
            wordOnLine = true;
            at = end;
        }
    }
    out.Trim();
}

void CChoices::GetRtfText(CString& out) const
{
    EnsureTidy();
    if (IsEmpty())
        return;
    // One paragraph per choice, each label after white space where the parser looks for it.
    CString header = m_csRtfHeader;
    header.TrimRight();
    out = header + " ";
    for (int i = 0; i < GetCount(); ++i)
        out += RtfBody(m_saLabels[i]) + " " + ChoiceBody(m_saTexts[i]) + "\\par ";
    out += "}";
}

CChoicesHtmlStyle ChoicesHtmlStyleOf(CHtmlSettings& settings)
{
    CChoicesHtmlStyle style;
    style.bBorders = settings.m_bBdrChoices;
    style.nChoiceTagType = settings.m_nChoiceTagType;
    style.pSettings = &settings;
    return style;
}

void CChoices::GetHtmlText(CString& out, DWORD dwFlags, LPCSTR pszCorrect, const CChoicesHtmlStyle* pHtml) const
{
    // The tables are marked as markup and the labels and texts are text, which the page writer
    // escapes: a choice that reads "<b>" shows as typed.
    EnsureTidy();
    const int border = pHtml && pHtml->bBorders ? 1 : 0;
    const int tagType = pHtml ? pHtml->nChoiceTagType : 0;
    const CHtmlSettings* settings = pHtml ? pHtml->pSettings : nullptr;
    const CString labelClass = CFontMgr::GetSlotClassName((dwFlags & CHO_LABEL_TEXT_FONT) ? FM_CHOICES : FM_CHOICEID);
    const CString textClass = CFontMgr::GetSlotClassName(FM_CHOICES);
    const int indent = std::max(GetChoicesIndentLevel(), 0);
    const int sep = std::max(GetNumChoiceSepSpaces(), 0);
    const bool onePerLine = (dwFlags & CHO_ONE_PER_LINE) != 0;

    auto choiceCells = [&](int i) {
        const CString label = HtmlPlainText(RtfBody(m_saLabels[i]));
        const CString shown = (LabelMatchesCorrect(m_saLabels[i], pszCorrect) ? "*" : "") + label;
        CString element;
        if (tagType == 1)
            element = settings ? settings->MakeHtmlCheckbox(label, FALSE) : CString("<input type=checkbox>");
        else if (tagType == 2)
            element = settings ? settings->MakeHtmlRadio(label, FALSE) : CString("<input type=radio name=choices>");
        else if (tagType == 3)
            element = settings ? settings->MakeHtmlLink(label, shown)
                               : "<a href=\"#" + HtmlEscape(label, TRUE) + "\">" + HtmlEscape(shown) + "</a>";
        CString cells;
        if (tagType >= 1 && tagType <= 3)
            cells += HtmlMarkup("<td width=1%>" + element + "</td>");
        cells += HtmlMarkup("<td class=" + labelClass + " width=1%>") + shown + HtmlMarkup("</td>");
        // Every character of the choice stays, also those Windows-1252 lacks.
        CString text = m_saTexts[i].Find('\\') >= 0 ? RtfToTextUtf8(m_csRtfHeader + m_saTexts[i] + "}")
                                                      : RtfToTextUtf8(m_saTexts[i]);
        text.Trim();
        cells += HtmlMarkup("<td class=" + textClass + ">") + HtmlTextFromUtf8(text) + HtmlMarkup("</td>");
        return cells;
    };

    CString table;
    if (onePerLine) {
        table = HtmlMarkup(CString::Formatted("<table border=%d width=100%%>", border));
        for (int i = 0; i < GetCount(); ++i) {
            CString row = "<tr width=100%>";
            for (int k = 0; k < indent; ++k)
                row += "<td width=1%>&nbsp;</td>";
            table += HtmlMarkup(row) + choiceCells(i) + HtmlMarkup("</tr>\n");
        }
        table += HtmlMarkup("</table>");
    } else {
        CString row = CString::Formatted("<table border=%d width=100%%><tr>", border);
        for (int k = 0; k < indent; ++k)
            row += "<td>&nbsp;</td>";
        table = HtmlMarkup(row);
        for (int i = 0; i < GetCount(); ++i) {
            if (i > 0) {
                CString gap = "<td>";
                for (int k = 0; k < sep; ++k)
                    gap += "&nbsp;";
                table += HtmlMarkup(gap + "</td>");
            }
            table += choiceCells(i);
        }
        table += HtmlMarkup("</tr></table>");
    }
    out = table;
}

// ---- the rich-edit control

CString CChoices::LabelPiece(int i, DWORD dwFlags, LPCSTR pszCorrect, LPCSTR prefix) const
{
    const CString label = m_saLabels[i];
    return PlainTextHeader() + prefix + (LabelMatchesCorrect(label, pszCorrect) ? "*" : "") + RtfBody(label) + "}";
}

void CChoices::OutputToRichEdit(CHVRichEditCtrl& ctrl, const CDrawContext& ctx, DWORD dwFlags, LPCSTR pszCorrect,
                                const CChoicesHtmlStyle* pHtml)
{
    EnsureTidy();
    auto append = [&ctrl](LPCSTR text, UINT nFormat, int nSlot, DWORD dwExtra) {
        const long end = ctrl.GetTextLength();
        ctrl.SetSel(end, end);
        ctrl.SetText(text, nFormat | SFF_SELECTION, nSlot, dwExtra);
    };
    // The cache holds the choices alone, so that it goes in after whatever the control holds
    // already (a question's number and text).
    if (ctx.cachedChoices && !m_csCache.IsEmpty() && !(dwFlags & CHO_HTML)) {
        const long end = ctrl.GetTextLength();
        ctrl.SetSel(end, end);
        ctrl.StreamInText(m_csCache, SF_RTF | SFF_SELECTION);
        return;
    }
    const long start = ctrl.GetTextLength();
    if (dwFlags & CHO_HTML) {
        CString html;
        GetHtmlText(html, dwFlags, pszCorrect, pHtml);
        append(html, SF_TEXT | SFF_HTML_MARKUP, -1, 0);
        return;
    }

    const bool rtf = (dwFlags & CHO_RTF) != 0;
    const int indentLevel = IndentLevelFor(ctx);
    const int sepSpaces = GetNumChoiceSepSpaces();
    CString indent;
    if (!(dwFlags & CHO_NO_INDENT) && indentLevel >= 1)
        indent = rtf && (dwFlags & CHO_TAB_INDENT) ? CString("\\tab ") : CString(' ', indentLevel + 1);
    const int labelSlot = (dwFlags & CHO_LABEL_TEXT_FONT) ? FM_CHOICES : FM_CHOICEID;
    const bool onePerLine = rtf && (dwFlags & CHO_ONE_PER_LINE);

    for (int i = 0; i < GetCount(); ++i) {
        CString labelPrefix;
        CString textPrefix;
        if (onePerLine) {
            if (i > 0)
                append("\n", SF_TEXT, -1, 0);
            labelPrefix = indent;
            if (dwFlags & CHO_TAB_SEPARATOR)
                textPrefix = "\\tab ";
            else if (sepSpaces > 0)
                textPrefix = CString(' ', sepSpaces + 1);
        } else {
            labelPrefix = i == 0 ? indent : CString(' ', std::max(sepSpaces, 0) + 1);
            textPrefix = "  ";
        }
        CString body = textPrefix + RtfBody(m_saTexts[i]);
        if (!onePerLine && rtf && (dwFlags & CHO_NONBREAKING) && (dwFlags & CHO_PRINT_LAYOUT))
            body = NonBreaking(body);
        append(LabelPiece(i, dwFlags, pszCorrect, labelPrefix), SF_RTF, labelSlot, 0);
        append(m_csRtfHeader + body + "}", SF_RTF, FM_CHOICES, dwFlags);
    }
    append("\n", SF_TEXT, -1, 0);
    ctrl.SetSel(start, ctrl.GetTextLength());
    m_csCache = ctrl.StreamOut(SF_RTF | SFF_SELECTION);
    const long end = ctrl.GetTextLength();
    ctrl.SetSel(end, end);
}

void CChoices::SetIndents(CHVRichEditCtrl& ctrl, int nFirstIndent, int nHangingIndent, long nStart, long nEnd)
{
    long selStart = 0;
    long selEnd = 0;
    ctrl.GetSel(selStart, selEnd);
    int offset = nFirstIndent;
    if (nHangingIndent >= 0) {
        CString line = ctrl.GetLineOfChar(nStart);
        if (line.Left(1) == "\t")
            line = line.Mid(1);
        // The label area: the label and the blanks or tab after it.
        int end = 0;
        while (end < line.GetLength() && !IsBlank(line[end]))
            ++end;
        while (end < line.GetLength() && IsBlank(line[end]))
            ++end;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CFont* old = CFontMgr::SelectSlotFont(&dc, FM_CHOICEID);
        const int pixels = dc.GetTextExtent(line.Left(end)).cx;
        const int dpi = std::max(dc.GetDeviceCaps(LOGPIXELSX), 1);
        CFontMgr::RestoreSlotFont(&dc, old, FM_CHOICEID);
        const int labelWidth = pixels * 1440 / dpi;
        offset = std::max(nHangingIndent + labelWidth + nFirstIndent, labelWidth + 75);
    }
    PARAFORMAT pf;
    pf.dwMask = PFM_OFFSET | PFM_TABSTOPS;
    pf.dxOffset = offset;
    if (nFirstIndent < 1) {
        pf.cTabCount = 1;
        pf.rgxTabs[0] = offset;
    } else {
        pf.cTabCount = 2;
        pf.rgxTabs[0] = nFirstIndent;
        pf.rgxTabs[1] = offset;
    }
    ctrl.SetSel(nStart, nEnd);
    ctrl.SetParaFormat(pf);
    ctrl.SetSel(selStart, selEnd);
}

void CChoices::FixLineStarts(CHVRichEditCtrl& ctrl)
{
    // Each pass moves one label to a line of its own; a text of n choices needs at most n.
    for (int pass = 0; pass <= kMaxChoicesText; ++pass) {
        const CString text = ctrl.GetText();
        char cLabel = '*';
        char cSep = '*';
        CChoices parsed;
        if (!RecogniseLabelStyle(text, cLabel, cSep) || !parsed.ParsePlain(text, cLabel, cSep, 0))
            return;
        const int count = std::min(parsed.m_dwaLabelStart.GetSize(), parsed.m_dwaTextEnd.GetSize());
        if (pass > count)
            return;
        bool moved = false;
        for (int i = 0; i < count && !moved; ++i) {
            const long label = static_cast<long>(parsed.m_dwaLabelStart[i]);
            if (label == 0 || text[static_cast<int>(label) - 1] == '\n')
                continue;
            const long textEnd = static_cast<long>(parsed.m_dwaTextEnd[i]);
            if (ctrl.LineFromChar(std::max(textEnd - 1, label)) > ctrl.LineFromChar(label)) {
                ctrl.SetSel(label, label);
                ctrl.ReplaceSel("\n");
                moved = true;
            }
        }
        if (!moved)
            return;
    }
}

void CChoices::ReformatRichEdit(CHVRichEditCtrl& ctrl, const CDrawContext& ctx, DWORD dwFlags)
{
    CString text;
    ctrl.StreamOutText(text, SF_RTF);
    ctrl.SetText("", SF_TEXT);
    SetChoices(text, '*', '.');
    OutputToRichEdit(ctrl, ctx, dwFlags);
}

// ---- device contexts

int CChoices::Measure(const CDrawContext& ctx, CRect& rect, DWORD dwFlags, BOOL bDraw, LPCSTR pszCorrect,
                      BOOL bFixLines)
{
    CDC* pDC = ctx.pDC;
    if (!pDC)
        return 0;
    CString rtf;
    if (ctx.cachedChoices && !m_csCache.IsEmpty()) {
        rtf = m_csCache;
    } else {
        CHVRichEditCtrl ctrl;
        ctrl.resize(std::max(rect.Width(), 100), 400);
        OutputToRichEdit(ctrl, ctx, dwFlags, pszCorrect);
        if (bFixLines)
            FixLineStarts(ctrl);
        ctrl.StreamOutText(rtf, SF_RTF);
    }
    CRtfDraw3 draw;
    CRect rc = rect;
    const int height = draw.DrawRtf(pDC, rtf, &rc, DT_WORDBREAK | DT_CALCRECT);
    rect.bottom = rc.bottom;
    if (bDraw) {
        rc = rect;
        draw.DrawRtf(pDC, rtf, &rc, DT_WORDBREAK);
    }
    return height;
}

int CChoices::Draw(const CDrawContext& ctx, int nLeft, int nTop, int nWidth, BOOL bDraw, LPCSTR pszCorrect)
{
    EnsureTidy();
    CDC* pDC = ctx.pDC;
    if (!pDC)
        return 0;
    TEXTMETRIC tm;
    {
        CSlotFontScope font(pDC, FM_CHOICES);
        pDC->GetTextMetrics(&tm);
    }
    const int average = static_cast<int>(tm.tmAveCharWidth);
    const int indent = IndentLevelFor(ctx) * average;
    const int separator = GetNumChoiceSepSpaces() * average;
    const int down = pDC->GetMapMode() == MM_TEXT ? 1 : -1;
    const int labelLeft = nLeft + indent;
    const int textRight = nLeft + nWidth - indent;

    int y = nTop;
    for (int i = 0; i < GetCount(); ++i) {
        const CString label = m_saLabels[i];
        CSize labelSize;
        {
            CSlotFontScope font(pDC, FM_CHOICEID);
            labelSize = pDC->GetTextExtent(label);
            if (bDraw) {
                if (LabelMatchesCorrect(label, pszCorrect))
                    pDC->TextOut(labelLeft - pDC->GetTextExtent("*").cx, y, "*" + label);
                else
                    pDC->TextOut(labelLeft, y, label);
            }
        }
        const int labelHeight = std::abs(labelSize.cy);

        const CString rtf = m_csRtfHeader + RtfBody(m_saTexts[i]) + "}";
        CRect rc(labelLeft + labelSize.cx + separator, y, std::max(textRight, labelLeft + labelSize.cx + separator + 1),
                 y);
        const int textHeight =
            std::abs(CFontMgr::DrawTextInSlotFont(pDC, rtf, -1, &rc, DT_CALCRECT | DT_WORDBREAK, FM_CHOICES));
        if (bDraw) {
            CRect drawRc(rc.left, y, rc.right, y + down * textHeight);
            CFontMgr::DrawTextInSlotFont(pDC, rtf, -1, &drawRc, DT_WORDBREAK, FM_CHOICES);
        }
        y += down * std::max(labelHeight, textHeight);
    }
    return std::abs(y - nTop);
}

// ---- settings

namespace {

// A profile value becomes that many blanks or cells: a wild one must not make a wild text.
int ClampSetting(int n)
{
    return std::clamp(n, 0, 80);
}

} // namespace

void CChoices::LoadPrintValues(LPCSTR section)
{
    SetNumChoiceSepSpaces(AppProfile().GetInt(section, "NumChoiceSepSpaces", GetNumChoiceSepSpaces()));
    SetChoicesIndentLevel(AppProfile().GetInt(section, "ChoicesIndentLevel", GetChoicesIndentLevel()));
}

int CChoices::GetNumChoiceSepSpaces()
{
    return s_nNumChoiceSepSpaces;
}

void CChoices::SetNumChoiceSepSpaces(int n)
{
    s_nNumChoiceSepSpaces = ClampSetting(n);
}

int CChoices::GetChoicesIndentLevel()
{
    return s_nChoicesIndentLevel;
}

void CChoices::SetChoicesIndentLevel(int n)
{
    s_nChoicesIndentLevel = ClampSetting(n);
}

int CChoices::IndentLevelFor(const CDrawContext& ctx)
{
    return ctx.choicesIndent >= 0 ? ClampSetting(ctx.choicesIndent) : GetChoicesIndentLevel();
}

char CChoices::GetProfileCase()
{
    return AppProfile().GetInt("Choices", "Case", 0) == 1 ? 'A' : 'a';
}

void CChoices::SetProfileCase(char c)
{
    AppProfile().WriteInt("Choices", "Case", c == 'A' ? 1 : 0);
}

// ---- free functions

CString WrapText(LPCSTR text, int nWidth, LPCSTR lineEnd)
{
    const CString all = text ? text : "";
    const CString end = lineEnd ? lineEnd : "";
    CString out;
    if (all.IsEmpty())
        return end;
    // Line breaks of the text stand; each of its lines is wrapped on its own.
    int lineStart = 0;
    while (lineStart <= all.GetLength()) {
        int lineStop = all.Find('\n', lineStart);
        if (lineStop < 0)
            lineStop = all.GetLength();
        const CString line = all.Mid(lineStart, lineStop - lineStart);
        CString current;
        int at = 0;
        while (at < line.GetLength()) {
            while (at < line.GetLength() && IsBlank(line[at]))
                ++at;
            int stop = at;
            while (stop < line.GetLength() && !IsBlank(line[stop]))
                ++stop;
            if (stop == at)
                break;
            const CString word = line.Mid(at, stop - at);
            if (!current.IsEmpty() && nWidth > 0 && current.GetLength() + 1 + word.GetLength() > nWidth) {
                out += current + end;
                current.Empty();
            }
            current += (current.IsEmpty() ? "" : " ") + word;
            at = stop;
        }
        out += current + end;
        if (lineStop >= all.GetLength())
            break;
        lineStart = lineStop + 1;
    }
    return out;
}
