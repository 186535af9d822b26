#include "model/ScrambleList.h"

#include "platform/core/Archive.h"

#include "foundation/EncryptedArchive.h"
#include "foundation/Log.h"
#include "foundation/Util.h"
#include "model/DocText.h"
#include "model/Question.h"
#include "platform/core/Random.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "res/ids/Parse.h"
#include "res/ids/QuestionTypes.h"

#include <cstdlib>
#include <vector>

namespace {

// A field of a line: digits, and few enough that the number fits (a longer run is as wrong).
BOOL NumberOrLog(const CString& token, int& value)
{
    if (!IsAllDigits(token) || token.IsEmpty() || token.GetLength() > 9) {
        LogOutput("Assertion failure: csTok.IsDigits()", LOG_ASSERT, LOG_HERE);
        return FALSE;
    }
    value = std::atoi(token);
    return TRUE;
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
    int id = 0;
    int oldIndex = 0;
    if (!NumberOrLog(fields[0], id) || id != questionId || !NumberOrLog(fields[1], oldIndex))
        return FALSE;
    CWordArray seq;
    for (const CString& item : SplitFields(fields[2], " ")) {
        int value = 0;
        if (!NumberOrLog(item, value))
            return FALSE;
        // No question has this many choices; a WORD would wrap it onto a real one.
        if (value > 0xFFFF) {
            LogOutput("Assertion failure: csTok.IsDigits()", LOG_ASSERT, LOG_HERE);
            return FALSE;
        }
        seq.Add(static_cast<WORD>(value));
    }
    int newIndex = 0;
    if (!NumberOrLog(fields[3], newIndex))
        return FALSE;
    if (newIndex >= seq.GetSize()) {
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

int CScrambleList::AnswerChoiceIndex(const CQuestion& question)
{
    CString answer = question.m_cszAnswer;
    answer.TrimLeft();
    if (answer.IsEmpty())
        return -1;
    const char c = answer.GetAt(0);
    const int index = c >= 'A' && c <= 'Z' ? c - 'A' : c - 'a';
    return index >= 0 && index < question.m_Choices.GetCount() ? index : -1;
}

BOOL CScrambleList::GetEntryFor(const CQuestion& question, CWordArray& sequence, int& newAnswer) const
{
    int oldIndex = 0;
    int newIndex = 0;
    CWordArray seq;
    if (!GetScrambleEntry(question.m_nId, oldIndex, newIndex, seq))
        return FALSE;
    const int count = question.m_Choices.GetCount();
    std::vector<bool> seen(static_cast<size_t>(count), false);
    BOOL fits = seq.GetSize() == count;
    for (int i = 0; fits && i < seq.GetSize(); ++i) {
        fits = seq[i] < count && !seen[seq[i]];
        if (fits)
            seen[seq[i]] = true;
    }
    if (!fits) {
        LogOutput(CString::Formatted("CScrambleList::GetEntryFor() - line of question ID %d does not fit its %d choices",
                                     question.m_nId, count),
                  LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    // The answer may have been edited since the line was drawn: the key follows the answer.
    const int answer = AnswerChoiceIndex(question);
    newAnswer = -1;
    for (int i = 0; i < count && answer >= 0; ++i)
        if (seq[i] == answer)
            newAnswer = i;
    sequence.Copy(seq);
    return TRUE;
}

BOOL CScrambleList::GetScrambledAnswer(const CQuestion& question, CString& answer) const
{
    if (question.m_nType != static_cast<int>(IDS_QTYPE_MC) || m_mLines.empty())
        return FALSE;
    answer = question.m_cszAnswer;
    CWordArray sequence;
    int newIndex = -1;
    if (GetEntryFor(question, sequence, newIndex) && newIndex >= 0)
        answer = AnswerLetter(question, newIndex);
    return TRUE;
}

CString CScrambleList::AnswerLetter(const CQuestion& question, int position)
{
    CString stored = question.m_cszAnswer;
    stored.TrimLeft();
    const BOOL upper = !stored.IsEmpty() && stored.GetAt(0) >= 'A' && stored.GetAt(0) <= 'Z';
    return CString(static_cast<char>((upper ? 'A' : 'a') + position));
}

void CScrambleList::RandomPermutation(int n, CWordArray& out)
{
    out.RemoveAll();
    std::vector<WORD> left;
    for (int i = 0; i < n; ++i)
        left.push_back(static_cast<WORD>(i));
    while (!left.empty()) {
        const size_t at = static_cast<size_t>(CorraRand()) % left.size();
        out.Add(left[at]);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(at));
    }
}

int CScrambleList::Scramble(const CPtrList& members, BOOL scramble)
{
    try {
        m_mLines.clear();
        if (!scramble)
            return 1;
        for (POSITION pos = members.GetHeadPosition(); pos;) {
            const auto* question = static_cast<const CQuestion*>(members.GetNext(pos));
            if (!question || question->m_nType != static_cast<int>(IDS_QTYPE_MC))
                continue;
            const int count = question->m_Choices.GetCount();
            if (count < 2) {
                MessageBoxService().Show(
                    CString::Formatted("Question (ID %d) has an invalid choice count", question->m_nId),
                    CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
                return 0;
            }
            CWordArray sequence;
            RandomPermutation(count, sequence);
            const int oldIndex = AnswerChoiceIndex(*question);
            if (oldIndex < 0) {
                // Printed in stored order; a line would give the key a letter no choice has.
                // An unanswered question is no error.
                CString answer = question->m_cszAnswer;
                answer.TrimLeft();
                if (!answer.IsEmpty())
                    LogOutput(CString::Formatted("CScrambleList::Scramble() - answer of question ID %d names no choice",
                                                 question->m_nId),
                              LOG_ERROR, LOG_HERE);
                continue;
            }
            CString line = CString::Formatted("%d:%d:", question->m_nId, oldIndex);
            int newIndex = 0;
            for (int k = 0; k < sequence.GetSize(); ++k) {
                if (k > 0)
                    line += " ";
                line += CString::Formatted("%d", sequence[k]);
                if (sequence[k] == oldIndex)
                    newIndex = k;
            }
            line += CString::Formatted(":%d", newIndex);
            m_mLines[question->m_nId] = line;
        }
        return 1;
    } catch (...) {
        LogOutput("CScrambleList::Scramble() - exception", LOG_ERROR, LOG_HERE);
        return 0;
    }
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
