#pragma once
// The choice order of each multiple-choice question of an exam form, one line per question:
// "ID:old answer index:sequence:new answer index", e.g. "1204:2:2 0 3 1:0" (the choice printed
// at position i is stored choice sequence[i]). A form keeps it in its SCRAMBLE element.

#include "platform/core/Collections.h"
#include "platform/core/String.h"

#include <map>

class CArchive;
class CEncryptedArchive;
class CQuestion;

class CScrambleList {
public:
    CScrambleList() = default;
    virtual ~CScrambleList() = default;
    CScrambleList(const CScrambleList& other) = default;
    CScrambleList& operator=(const CScrambleList& other) = default;

    void RemoveAll() { m_mLines.clear(); }
    BOOL IsEmpty() const { return m_mLines.empty(); }
    int GetCount() const { return static_cast<int>(m_mLines.size()); }
    // Replaces the line of a question.
    void SetLine(int questionId, const CString& line) { m_mLines[questionId] = line; }
    BOOL GetLine(int questionId, CString& line) const;

    // Every line, joined by CR LF, in ID order.
    CString GetText() const;
    // The byte form after a question's: the line count, then each ID and line. Loading
    // replaces the lines; it throws CArchiveException on a cut form (the lines then stay).
    void Serialize(CArchive& ar);
    // "SCRAMBLE: { " lines " }" and a line end.
    void Write(CEncryptedArchive& out) const;
    // Takes the lines of a SCRAMBLE element's text: 1, or 0 when the text holds no line at all
    // (nothing changes) or a line does not start with an ID (the list is emptied).
    int Parse(const CString& text);

    // The answer indexes and the sequence of a question; FALSE (logged) when it has no line or
    // its line is malformed.
    BOOL GetScrambleEntry(int questionId, int& oldAnswer, int& newAnswer, CWordArray& sequence) const;
    // The order of a question's choices in the form, when its line still fits the question: a
    // permutation of the choices it has now (choices added or removed after scrambling leave a
    // line that would mix them up). newAnswer: where the choice the answer names now prints,
    // -1 when the answer names none.
    BOOL GetEntryFor(const CQuestion& question, CWordArray& sequence, int& newAnswer) const;
    // A multiple-choice question's answer letter in the form's order, in the case of its stored
    // answer (the stored answer when its line does not fit it); FALSE for other questions or an
    // empty list.
    BOOL GetScrambledAnswer(const CQuestion& question, CString& answer) const;

    // scramble FALSE empties the list. Otherwise a new choice order is drawn for every
    // multiple-choice question of the form's members (CQuestion*, in order); a question whose
    // answer names no choice gets no line (logged). 0 when a member has fewer than two choices
    // (after its message; the lines made before it stay) or the drawing failed.
    int Scramble(const CPtrList& members, BOOL scramble);

    // A random order of 0 to n - 1 from the program's sequence.
    static void RandomPermutation(int n, CWordArray& out);
    // The choice an answer letter names ('a' and 'A' are 0), -1 for an empty answer or one past
    // the choices the question has.
    static int AnswerChoiceIndex(const CQuestion& question);
    // The answer letter of the choice printed at a position, in the case of the stored answer.
    static CString AnswerLetter(const CQuestion& question, int position);

private:
    std::map<int, CString> m_mLines;
};
