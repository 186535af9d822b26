#include "model/Question.h"

#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/QuestionTypes.h"
#include "model/DocText.h"
#include "platform/core/Archive.h"
#include "platform/core/FileSys.h"
#include "render/RtfSyntax.h"
#include "render/RtfText.h"
#include "res/ids/QuestionTypes.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <exception>

namespace {

const char* const kTrueFalseChoices = "a. True\nb. False";

void LogTypeNotMC(LPCSTR function)
{
    LogOutput(CString::Formatted("CQuestion::%s() - type not MC", function), LOG_ERROR, LOG_HERE);
}

CString Trimmed(LPCSTR text)
{
    CString cs = text ? text : "";
    cs.Trim();
    return cs;
}

// The question text or choices text as plain text, line ends as "\n".
CString PlainOf(const CString& text)
{
    CString plain = IsRtfText(text) ? RtfToPlainText(text) : text;
    plain.Remove('\r');
    return plain;
}

} // namespace

CQuestion::CQuestion()
{
    CQuestion::Reset(TRUE);
    m_nKind = QKIND_QUESTION;
}

CQuestion::CQuestion(const CQuestion& other)
{
    CQuestion::Reset(TRUE);
    m_nKind = QKIND_QUESTION;
    Copy(other);
}

CQuestion& CQuestion::operator=(const CQuestion& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

CQuestion::~CQuestion()
{
    ClearImages();
}

void CQuestion::Copy(const CQuestion& other)
{
    if (this == &other)
        return;
    m_nId = other.m_nId;
    m_nIndex = other.m_nIndex;
    m_nType = other.m_nType;
    m_nLevel = other.m_nLevel;
    m_cszQuestionText = other.m_cszQuestionText;
    m_cszChoicesText = other.m_cszChoicesText;
    m_Choices = other.m_Choices;
    m_cszAnswer = other.m_cszAnswer;
    m_saSubjects.Copy(other.m_saSubjects);
    m_saChapters.Copy(other.m_saChapters);
    m_saBooks.Copy(other.m_saBooks);
    SetImages(other.m_plImages);
}

void CQuestion::Reset(BOOL bResetId)
{
    if (bResetId)
        m_nId = 0;
    m_nIndex = 0;
    m_nType = 0;
    m_nLevel = 0;
    m_cszQuestionText.Empty();
    m_cszChoicesText.Empty();
    m_cszAnswer.Empty();
    m_Choices.RemoveAll();
    m_Choices.ClearCache();
    m_saSubjects.RemoveAll();
    m_saChapters.RemoveAll();
    m_saBooks.RemoveAll();
    ClearImages();
}

void CQuestion::GetAnswerText(CString& out) const
{
    if (m_nType != static_cast<int>(IDS_QTYPE_TF)) {
        out = m_cszAnswer;
        return;
    }
    const CString answer = Trimmed(m_cszAnswer);
    if (answer.CompareNoCase("a") == 0)
        out = "True";
    else if (answer.CompareNoCase("b") == 0)
        out = "False";
    else
        out.Empty();
}

BOOL CQuestion::Validate(CString& message) const
{
    message.Empty();
    if (m_nType != static_cast<int>(IDS_QTYPE_MC) && m_nType != static_cast<int>(IDS_QTYPE_TF))
        return TRUE;
    BOOL valid = TRUE;
    auto report = [&](const CString& text) {
        if (!message.IsEmpty())
            message += "\n";
        message += text;
        valid = FALSE;
    };
    try {
        if (m_Choices.GetCount() < 2)
            report(CString::Formatted("Question (ID %d) has an invalid choice count.", m_nId));
        CString answer = m_cszAnswer;
        answer.TrimLeft();
        if (answer.IsEmpty()) {
            report(CString::Formatted("Question (ID %d) missing answer.", m_nId));
        } else if (m_nType == static_cast<int>(IDS_QTYPE_TF)) {
            // Either case names the choice; anything else is reported, never thrown away.
            const char first = static_cast<char>(std::tolower(static_cast<unsigned char>(answer[0])));
            if (first != 'a' && first != 'b')
                report(CString::Formatted("Question (ID %d) has an invalid answer.", m_nId));
        }
    } catch (...) {
        if (!message.IsEmpty())
            message += "\n";
        message += "Serious internal error.";
        return FALSE;
    }
    return valid;
}

void CQuestion::DumpToLog(int nLevel) const
{
    LogOutput("CQuestion::DumpToLog()...", nLevel, LOG_HERE);
    const int level = nLevel + 1;
    LogOutput(CString::Formatted("m_nId = %d", m_nId), level, LOG_HERE);
    LogOutput(CString::Formatted("m_nIndex = %d", m_nIndex), level, LOG_HERE);
    LogOutput(CString::Formatted("m_nType = %s", GetTypeText().GetString()), level, LOG_HERE);
    LogOutput(CString::Formatted("m_nLevel = %d", m_nLevel), level, LOG_HERE);
    LogOutput("m_cszQuestionText = " + m_cszQuestionText, level, LOG_HERE);
    LogOutput("m_cszChoicesText = " + m_cszChoicesText, level, LOG_HERE);
    LogOutput("m_cszAnswer = " + m_cszAnswer, level, LOG_HERE);
    LogOutput(CString::Formatted("m_plImages: count = %d", m_plImages.GetCount()), level, LOG_HERE);
    m_Choices.DumpToLog(level);
}

BOOL CQuestion::IsChoiceType(int nType)
{
    return nType == static_cast<int>(IDS_QTYPE_MC) || nType == static_cast<int>(IDS_QTYPE_CO) ||
           nType == static_cast<int>(IDS_QTYPE_TF);
}

CString CQuestion::GetTypeText() const
{
    for (int i = 0; i < GetQuestionTypeCount(); ++i)
        if (static_cast<int>(GetQuestionTypeId(i)) == m_nType)
            return LoadStringId(GetQuestionTypeId(i));
    return CString();
}

// ---- choices

int CQuestion::GetChoicesCount() const
{
    if (!IsChoiceType())
        LogTypeNotMC("GetChoicesCount");
    return m_Choices.GetCount();
}

CString CQuestion::GetChoice(int i, BOOL bPlain) const
{
    if (!IsChoiceType())
        LogTypeNotMC("GetChoice");
    return m_Choices.GetChoiceText(i, bPlain);
}

CString CQuestion::GetChoiceId(int i) const
{
    if (!IsChoiceType())
        LogTypeNotMC("GetChoiceId");
    return m_Choices.GetChoiceId(i);
}

BOOL CQuestion::SetChoices(LPCSTR text, char cFirstLabel, char cSeparator, CChoicesError* pError, DWORD dwFlags)
{
    if (!IsChoiceType()) {
        m_cszChoicesText = text ? text : "";
        return TRUE;
    }
    const CChoices previous = m_Choices;
    if (m_Choices.SetChoices(text, cFirstLabel, cSeparator, pError, dwFlags))
        return TRUE;
    m_Choices = previous;
    return FALSE;
}

void CQuestion::GetChoicesText(CString& out, int nWidth, DWORD dwFlags, LPCSTR pszCorrect,
                               const CChoicesHtmlStyle* pHtml) const
{
    if (m_nType == static_cast<int>(IDS_QTYPE_MC) || m_nType == static_cast<int>(IDS_QTYPE_CO))
        m_Choices.GetText(out, nWidth, dwFlags, pszCorrect, pHtml);
    else if (m_nType == static_cast<int>(IDS_QTYPE_TF))
        out = kTrueFalseChoices;
    else
        out = m_cszChoicesText;
}

void CQuestion::GetQuestionText(CString& out, int nMode) const
{
    out = m_cszQuestionText;
    if (nMode == QTEXT_PLAIN && IsRtfText(out))
        out = RtfToPlainText(out);
}

BOOL CQuestion::GetCorrectChoice(CString& out) const
{
    out.Empty();
    const int i = m_Choices.FindLabel(m_cszAnswer);
    if (i < 0) {
        LogOutput("CQuestion::GetCorrectChoice() - bad answer " + m_cszAnswer, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    out = m_Choices.GetChoiceText(i, TRUE);
    out.Trim();
    if (out.IsEmpty()) {
        LogOutput("CQuestion::GetCorrectChoice() - choice is empty.", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return TRUE;
}

void CQuestion::SetChoiceCase(char c)
{
    if (c != 'a' && c != 'A')
        c = 'a';
    try {
        // A collection's labels number its members; they have no letter case.
        if (m_nType == static_cast<int>(IDS_QTYPE_CO))
            return;
        if (IsChoiceType() && !m_Choices.IsEmpty()) {
            // An answer that names a numbered label by its number would name nothing once the
            // labels are letters: name its choice by letter.
            const CString answer = Trimmed(m_cszAnswer);
            const int i = !answer.IsEmpty() && std::isdigit(static_cast<unsigned char>(answer[0]))
                              ? m_Choices.FindLabel(answer)
                              : -1;
            if (!m_Choices.Relabel(c))
                return;
            if (i >= 0)
                m_cszAnswer = CString(static_cast<char>('a' + i));
        }
        MakeChoices(c);
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
}

void CQuestion::MakeChoices(char c)
{
    if (c == 0) {
        const CString first = m_Choices.GetChoiceId(0);
        c = !first.IsEmpty() && std::isupper(static_cast<unsigned char>(first[0])) ? 'A' : 'a';
    }
    if (c != 'a' && c != 'A')
        c = 'a';
    if (!IsChoiceType() || m_nType == static_cast<int>(IDS_QTYPE_CO) || m_Choices.IsEmpty())
        return;
    CString answer = m_cszAnswer;
    answer.TrimLeft();
    if (answer.IsEmpty())
        return;
    const unsigned char ch = static_cast<unsigned char>(answer[0]);
    int offset = 0;
    if (std::isdigit(ch)) {
        const CString first = m_Choices.GetChoiceId(0);
        // A number names a numbered label and has no case; with letter labels it names nothing.
        if (!first.IsEmpty() && std::isdigit(static_cast<unsigned char>(first[0])))
            return;
        LogOutput("CCorraDoc::MakeChoices() - unexpected choice answer id...", LOG_ERROR, LOG_HERE);
        LogOutput(answer, LOG_ERROR, LOG_HERE);
        return;
    } else if (ch >= 'A' && ch <= 'Z') {
        offset = ch - 'A';
    } else if (ch >= 'a' && ch <= 'z') {
        offset = ch - 'a';
    } else {
        LogOutput("CCorraDoc::MakeChoices() - unexpected choice answer id...", LOG_ERROR, LOG_HERE);
        LogOutput(answer, LOG_ERROR, LOG_HERE);
        return;
    }
    m_cszAnswer = CString(static_cast<char>(c + offset));
}

void CQuestion::CheckTrueFalse()
{
    if (!IsChoiceType() || m_Choices.GetCount() != 2)
        return;
    int trueChoice = -1;
    int falseChoice = -1;
    for (int i = 0; i < 2; ++i) {
        const CString text = Trimmed(m_Choices.GetChoiceText(i, TRUE));
        if (text.CompareNoCase("true") == 0)
            trueChoice = i;
        else if (text.CompareNoCase("false") == 0)
            falseChoice = i;
    }
    if (trueChoice < 0 || falseChoice < 0)
        return;
    // The choices become "a. True", "b. False" whatever their order was: the answer follows
    // its choice rather than its place.
    const int answered = m_Choices.FindLabel(m_cszAnswer);
    m_nType = static_cast<int>(IDS_QTYPE_TF);
    m_Choices.SetChoices(kTrueFalseChoices, '*', '.');
    if (answered >= 0)
        m_cszAnswer = answered == trueChoice ? "a" : "b";
}

// ---- images

BOOL CQuestion::AddImage(LPCSTR path, int nPos, int nBrightness, double dSize, double dMargin)
{
    auto* image = new CImageData;
    image->m_csFile = Trimmed(path);
    image->m_nPos = nPos;
    image->m_nBrightness = nBrightness;
    image->m_dSize = dSize;
    image->m_dMargin = dMargin;
    if (!fsys::Exists(image->m_csFile)) {
        LogOutput("CQuestion::AddImage() - file does not exist...", LOG_ERROR, LOG_HERE);
        LogOutput(image->m_csFile, LOG_ERROR, LOG_HERE);
    }
    m_plImages.AddTail(image);
    return TRUE;
}

void CQuestion::ClearImages()
{
    for (POSITION pos = m_plImages.GetHeadPosition(); pos;)
        delete static_cast<CImageData*>(m_plImages.GetNext(pos));
    m_plImages.RemoveAll();
}

void CQuestion::SetImages(const CPtrList& images)
{
    // Copies first: the given list may be this question's own.
    CPtrList copies;
    for (POSITION pos = images.GetHeadPosition(); pos;) {
        const auto* image = static_cast<const CImageData*>(images.GetNext(pos));
        if (image)
            copies.AddTail(new CImageData(*image));
    }
    ClearImages();
    for (POSITION pos = copies.GetHeadPosition(); pos;) {
        auto* image = static_cast<CImageData*>(copies.GetNext(pos));
        AddImage(image->m_csFile, image->m_nPos, image->m_nBrightness, image->m_dSize, image->m_dMargin);
        delete image;
    }
}

int CQuestion::GetImages(CPtrList& out) const
{
    out.RemoveAll();
    for (POSITION pos = m_plImages.GetHeadPosition(); pos;)
        out.AddTail(m_plImages.GetNext(pos));
    return out.GetCount();
}

int CQuestion::GetImageFiles(CStringArrayEx& files) const
{
    for (POSITION pos = m_plImages.GetHeadPosition(); pos;) {
        const auto* image = static_cast<const CImageData*>(m_plImages.GetNext(pos));
        // Whole paths: one file's path may well be part of another's ("a.png" in "aa.png").
        if (files.FindExact(image->m_csFile, TRUE) < 0)
            files.Add(image->m_csFile);
    }
    return m_plImages.GetCount();
}

BOOL CQuestion::ReplaceImageFiles(LPCSTR name, LPCSTR newPath)
{
    BOOL changed = FALSE;
    for (POSITION pos = m_plImages.GetHeadPosition(); pos;) {
        auto* image = static_cast<CImageData*>(m_plImages.GetNext(pos));
        if (fsys::FileName(image->m_csFile).CompareNoCase(name ? name : "") == 0) {
            image->m_csFile = newPath ? newPath : "";
            changed = TRUE;
        }
    }
    return changed;
}

BOOL CQuestion::ReplaceImageFile(LPCSTR path, LPCSTR newPath)
{
    const CString name = fsys::FileName(path ? path : "");
    for (POSITION pos = m_plImages.GetHeadPosition(); pos;) {
        auto* image = static_cast<CImageData*>(m_plImages.GetNext(pos));
        if (fsys::FileName(image->m_csFile).CompareNoCase(name) == 0) {
            image->m_csFile = newPath ? newPath : "";
            return TRUE;
        }
    }
    return FALSE;
}

// ---- textbooks and subjects

void CQuestion::GetTextbooks(CString& out, LPCSTR separator) const
{
    out.Empty();
    const int n = std::min(m_saBooks.GetSize(), m_saChapters.GetSize());
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            out += separator ? separator : "";
        out += m_saBooks[i] + "@" + m_saChapters[i];
    }
}

void CQuestion::SetTextbooks(LPCSTR text, LPCSTR separator)
{
    m_saBooks.RemoveAll();
    m_saChapters.RemoveAll();
    const CString all = text ? text : "";
    const CString sep = separator ? separator : "";
    int start = 0;
    while (start <= all.GetLength()) {
        int end = sep.IsEmpty() ? -1 : all.Find(sep, start);
        if (end < 0)
            end = all.GetLength();
        CString piece = all.Mid(start, end - start);
        piece.Trim();
        if (!piece.IsEmpty()) {
            const int at = piece.Find('@');
            CString book = at < 0 ? piece : piece.Left(at);
            CString chapter = at < 0 ? CString() : piece.Mid(at + 1);
            book.Trim();
            chapter.Trim();
            m_saBooks.Add(book);
            m_saChapters.Add(chapter);
        }
        start = end + (sep.IsEmpty() ? 1 : sep.GetLength());
    }
}

BOOL CQuestion::AddTextbook(LPCSTR book, LPCSTR chapter)
{
    const CString b = book ? book : "";
    const CString c = chapter ? chapter : "";
    // The record keeps books and chapters in a brace block as they are.
    if (!IsBlockSafeText(b) || !IsBlockSafeText(c))
        return FALSE;
    const int n = std::min(m_saBooks.GetSize(), m_saChapters.GetSize());
    for (int i = 0; i < n; ++i)
        if (m_saBooks[i].CompareNoCase(b) == 0 && m_saChapters[i] == c)
            return FALSE;
    m_saBooks.Add(b);
    m_saChapters.Add(c);
    return TRUE;
}

BOOL CQuestion::RemoveTextbook(LPCSTR book, LPCSTR chapter)
{
    const CString b = book ? book : "";
    CString c = chapter ? chapter : "";
    if (c.IsEmpty())
        c = "0";
    const int n = std::min(m_saBooks.GetSize(), m_saChapters.GetSize());
    for (int i = 0; i < n; ++i) {
        if (m_saBooks[i].CompareNoCase(b) == 0 && (c == "0" || m_saChapters[i] == c)) {
            m_saBooks.RemoveAt(i);
            m_saChapters.RemoveAt(i);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CQuestion::AddSubject(LPCSTR subject)
{
    const CString s = Trimmed(subject);
    // The record keeps subjects in a brace block as they are.
    if (!IsBlockSafeText(s))
        return FALSE;
    // Whole entries: "Algebra" is a subject of its own beside "Linear algebra".
    if (s.IsEmpty() || m_saSubjects.FindExact(s, FALSE) >= 0)
        return FALSE;
    m_saSubjects.Add(s);
    return TRUE;
}

BOOL CQuestion::RemoveSubject(LPCSTR subject)
{
    const int i = m_saSubjects.FindExact(Trimmed(subject), FALSE);
    if (i < 0)
        return FALSE;
    m_saSubjects.RemoveAt(i);
    return TRUE;
}

// ---- plain text

const CString& CQuestion::GetSearchText(int nPart) const
{
    if (nPart < SEARCH_QUESTION || nPart > SEARCH_ANSWER)
        nPart = SEARCH_QUESTION;
    CSearchCache& cache = m_searchCache[nPart];
    // The stored text is cheap to read and compare; making plain text of RTF is not.
    CString choicesSource;
    if (nPart == SEARCH_CHOICES) {
        choicesSource = CString::Formatted("%d\x01", m_nType);
        if (m_nType == static_cast<int>(IDS_QTYPE_MC) || m_nType == static_cast<int>(IDS_QTYPE_CO)) {
            const CStringArray& texts = m_Choices.GetTexts();
            for (int i = 0; i < m_Choices.GetCount(); ++i)
                choicesSource += m_Choices.m_saLabels[i] + "\x02" + (i < texts.GetSize() ? texts[i] : CString()) + "\x03";
        } else if (m_nType != static_cast<int>(IDS_QTYPE_TF)) {
            choicesSource += m_cszChoicesText;
        }
    }
    const CString& source = nPart == SEARCH_QUESTION ? m_cszQuestionText
                            : nPart == SEARCH_ANSWER ? m_cszAnswer
                                                     : choicesSource;
    if (cache.made && cache.source == source)
        return cache.text;
    if (nPart == SEARCH_CHOICES) {
        CString choices;
        GetChoicesText(choices, 80, 0);
        cache.text = PlainOf(choices);
    } else {
        cache.text = PlainOf(source);
    }
    cache.text.MakeUpper();
    cache.source = source;
    cache.made = TRUE;
    return cache.text;
}

void CQuestion::WritePlainText(CEncryptedArchive& writer, LPCSTR pszHeading) const
{
    CString text = pszHeading ? pszHeading : "";
    text += WrapText(PlainOf(m_cszQuestionText), 60, "\r\n");
    text += "\r\n";
    CString choices;
    GetChoicesText(choices, 60, 0);
    choices = PlainOf(choices);
    if (!IsChoiceType() || m_nType == static_cast<int>(IDS_QTYPE_TF)) {
        choices.Trim();
        if (!choices.IsEmpty())
            choices = WrapText(choices, 60, "\r\n");
    } else if (!choices.IsEmpty()) {
        choices.Replace("\n", "\r\n");
        choices += "\r\n";
    }
    text += choices;
    Put(writer, text);
}

// ---- archive form

namespace {

// What one image takes at the least: an empty file name, position, brightness, size and margin.
constexpr size_t kMinImageBytes = 1 + 4 + 4 + 8 + 8;

void StoreStrings(CArchive& ar, const CStringArray& strings)
{
    ar.WriteCount(static_cast<DWORD>(strings.GetSize()));
    for (int i = 0; i < strings.GetSize(); ++i)
        ar << strings[i];
}

void LoadStrings(CArchive& ar, CStringArray& strings)
{
    const DWORD n = ar.ReadCount();
    // Each string takes a byte at the least: a count beyond what is left is a broken form.
    if (n > ar.GetBytesLeft())
        throw CArchiveException(CArchiveException::endOfFile, "string count past the end of the archive");
    CStringArray loaded;
    for (DWORD i = 0; i < n; ++i) {
        CString s;
        ar >> s;
        loaded.Add(s);
    }
    strings.RemoveAll();
    for (int i = 0; i < loaded.GetSize(); ++i)
        strings.Add(loaded[i]);
}

} // namespace

void CQuestion::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
        Load(ar);
    else
        Store(ar);
}

void CQuestion::Store(CArchive& ar) const
{
    ar << m_nId << m_nIndex << m_nType << m_nLevel;
    ar << m_cszQuestionText << m_cszChoicesText;
    StoreStrings(ar, m_Choices.m_saLabels);
    StoreStrings(ar, m_Choices.GetTexts());
    ar << m_Choices.GetRtfHeader() << m_cszAnswer;
    StoreStrings(ar, m_saSubjects);
    StoreStrings(ar, m_saChapters);
    StoreStrings(ar, m_saBooks);
    ar << static_cast<DWORD>(m_plImages.GetCount());
    for (POSITION pos = m_plImages.GetHeadPosition(); pos;) {
        const auto* image = static_cast<const CImageData*>(m_plImages.GetNext(pos));
        ar << image->m_csFile << image->m_nPos << image->m_nBrightness << image->m_dSize << image->m_dMargin;
    }
}

void CQuestion::Load(CArchive& ar)
{
    ar >> m_nId >> m_nIndex >> m_nType >> m_nLevel;
    ar >> m_cszQuestionText >> m_cszChoicesText;
    m_Choices.RemoveAll();
    LoadStrings(ar, m_Choices.m_saLabels);
    LoadStrings(ar, m_Choices.m_saTexts);
    // The choices pair each label with a text by position.
    if (m_Choices.m_saLabels.GetSize() != m_Choices.m_saTexts.GetSize())
        throw CArchiveException(CArchiveException::badSchema, "choice labels and texts differ in number");
    ar >> m_Choices.m_csRtfHeader >> m_cszAnswer;
    m_Choices.ClearCache();
    LoadStrings(ar, m_saSubjects);
    LoadStrings(ar, m_saChapters);
    LoadStrings(ar, m_saBooks);
    DWORD nImages = 0;
    ar >> nImages;
    if (nImages > ar.GetBytesLeft() / kMinImageBytes)
        throw CArchiveException(CArchiveException::endOfFile, "image count past the end of the archive");
    for (DWORD i = 0; i < nImages; ++i) {
        CString file;
        int nPos = 0;
        int nBrightness = 0;
        ar >> file >> nPos >> nBrightness;
        const double dSize = ar.ReadFiniteDouble();
        const double dMargin = ar.ReadFiniteDouble();
        AddImage(file, nPos, nBrightness, dSize, dMargin);
    }
}
