#include "model/ScrambleList.h"

#include "platform/core/Archive.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/Log.h"
#include "foundation/Util.h"
#include "model/DocText.h"
#include "model/Question.h"
#include "platform/core/StringTable.h"
#include "res/ids/Parse.h"
#include "res/ids/QuestionTypes.h"

#include <cstdlib>
#include <vector>

namespace {

BOOL DigitsOrLog(const CString& token)
{
    if (IsAllDigits(token))
        return TRUE;
    LogOutput("Assertion failure: csTok.IsDigits()", LOG_ASSERT, LOG_HERE);
    return FALSE;
}

} // namespace

BOOL CScrambleList::GetLine(int questionId, CString& line) const
{
    auto it = m_mLines.find(questionId);
    if (it == m_mLines.end())
        return FALSE;
    line = it->second;
    return TRUE;
}

CString CScrambleList::GetText() const
{
    CString text;
    for (const auto& [id, line] : m_mLines) {
        if (!text.IsEmpty())
            text += "\r\n";
        text += line;
    }
    return text;
}

void CScrambleList::Write(CEncryptedArchive& out) const
{
    CString keyword;
    if (!keyword.LoadString(IDS_KW_SCRAMBLE))
        keyword = "SCRAMBLE";
    Put(out, keyword + ": { " + GetText() + " }\r\n");
}

int CScrambleList::Parse(const CString& text)
{
    if (text.Find(':') < 0)
        return 0;
    m_mLines.clear();
    int start = 0;
    while (start <= text.GetLength()) {
        int end = text.Find("\r\n", start);
        CString line = end < 0 ? text.Mid(start) : text.Mid(start, end - start);
        start = end < 0 ? text.GetLength() + 1 : end + 2;
        CString id = line.Left(line.Find(':') < 0 ? line.GetLength() : line.Find(':'));
        if (!id.IsEmpty() && !IsAllDigits(id)) {
            LogOutput("Assertion failure: csQID.IsDigits()", LOG_ASSERT, LOG_HERE);
            m_mLines.clear();
            return 0;
        }
        m_mLines[std::atoi(id)] = line;
    }
    return 1;
}

BOOL CScrambleList::GetScrambleEntry(int questionId, int& oldAnswer, int& newAnswer, CWordArray& sequence) const
{
    CString line;
    if (!GetLine(questionId, line))
        return FALSE;
    std::vector<CString> fields = SplitItem(line, ':');
    if (fields.size() < 4) {
        LogOutput("Assertion failure: csTok.IsDigits()", LOG_ASSERT, LOG_HERE);
        return FALSE;
    }
    if (!DigitsOrLog(fields[0]) || std::atoi(fields[0]) != questionId || !DigitsOrLog(fields[1]))
        return FALSE;
    int oldIndex = std::atoi(fields[1]);
    if (oldIndex < 0) {
        LogOutput("Assertion failure: nOldAns >= 0", LOG_ASSERT, LOG_HERE);
        return FALSE;
    }
    CWordArray seq;
    for (const CString& item : SplitFields(fields[2], " ")) {
        if (!DigitsOrLog(item))
            return FALSE;
        seq.Add(static_cast<WORD>(std::atoi(item)));
    }
    if (!DigitsOrLog(fields[3]))
        return FALSE;
    int newIndex = std::atoi(fields[3]);
    if (newIndex < 0 || newIndex >= seq.GetSize()) {
        LogOutput("Assertion failure: nNewAns >= 0 && nNewAns < waSeq.GetSize()", LOG_ASSERT, LOG_HERE);
        return FALSE;
    }
    if (oldIndex >= seq.GetSize()) {
        LogOutput("Assertion failure: nOldAns >= 0 && nOldAns < waSeq.GetSize()", LOG_ASSERT, LOG_HERE);
        return FALSE;
    }
    oldAnswer = oldIndex;
    newAnswer = newIndex;
    sequence.Copy(seq);
    return TRUE;
}

BOOL CScrambleList::GetScrambledAnswer(const CQuestion& question, CString& answer) const
{
    if (question.m_nType != static_cast<int>(IDS_QTYPE_MC) || m_mLines.empty())
        return FALSE;
    answer = question.m_cszAnswer;
    int oldIndex = 0;
    int newIndex = 0;
    CWordArray sequence;
    if (GetScrambleEntry(question.m_nId, oldIndex, newIndex, sequence)) {
        CString stored = question.m_cszAnswer;
        stored.TrimLeft();
        BOOL upper = stored.GetAt(0) >= 'A' && stored.GetAt(0) <= 'Z';
        answer = CString(static_cast<char>((upper ? 'A' : 'a') + newIndex));
    }
    return TRUE;
}

void CScrambleList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_mLines.size()));
        for (const auto& [id, line] : m_mLines)
            ar << id << line;
        return;
    }
    const DWORD n = ar.ReadCount();
    // An entry takes an ID and a length byte at the least.
    if (n > ar.GetBytesLeft() / 5)
        throw CArchiveException(CArchiveException::endOfFile, "scramble count past the end of the archive");
    std::map<int, CString> lines;
    for (DWORD i = 0; i < n; ++i) {
        int id = 0;
        CString line;
        ar >> id >> line;
        lines[id] = line;
    }
    m_mLines = std::move(lines);
}
