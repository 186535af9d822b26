#pragma once
// The list of questions that goes between documents, views and dialogs: search results,
// selections, the questions of the clipboard and of drag and drop ("Corra Question List"). It
// either points at questions someone else owns or owns its own (a paste, a load), and carries
// them in their byte form. With it, the string-list routines of the search and attribute
// dialogs.

#include "foundation/PtrListEx.h"
#include "platform/core/Collections.h"
#include "platform/core/String.h"

class CArchive;
class CCorraQuestion;
class CMRUPathComboBox;

class CQuestionList : public CPtrListEx {
public:
    CQuestionList() = default;
    // Deletes the questions when it owns them.
    ~CQuestionList() override;
    CQuestionList(const CQuestionList&) = delete;
    CQuestionList& operator=(const CQuestionList&) = delete;

    // The Question Corra questions' list form (StoreQuestions, LoadQuestions). Loading empties
    // the list first, reads new questions, and owns them. A load that fails deletes what it
    // read, leaves the list empty and throws the CArchiveException on.
    virtual void Serialize(CArchive& ar);
    // Removes and deletes every question.
    virtual void DeleteAll();
    // The IDs in list order.
    virtual int GetIds(CDWordArray& ids) const;
    // The first question with that ID; NULL when none.
    CCorraQuestion* FindById(int id) const;
    // Empties the list, deleting the questions when it owns them.
    void Empty();

    BOOL m_bOwnsQuestions = FALSE;

    // A 32-bit count of questions, checked against the bytes left before anything is made for
    // it (a question's form takes its four numbers at the least).
    static DWORD ReadQuestionCount(CArchive& ar);
};

// The byte forms of a list of questions of one kind (QKIND_CORRA or QKIND_EXAM): a 32-bit
// count, then each question in the form of that kind, so that what is written reads back as
// that kind whatever class each object is (one of another class goes through a copy).
void StoreQuestions(const CPtrList& questions, CArchive& ar, int nKind);
// Reads such a list: new questions of the kind appended to out, which then owns them. A load
// that fails deletes what it made, leaves out as it was and throws the CArchiveException on.
void LoadQuestions(CPtrList& out, CArchive& ar, int nKind);
// The exam question list of the clipboard and drag and drop ("Exam Question List"): exam
// questions in their byte form, stored or, when the archive loads, appended to the list.
void SerializeExamQuestions(CPtrList& questions, CArchive& ar);

// The entries joined with "," (no blank).
void JoinStrings(const CStringArray& strings, CString& out);
// "book;chapter" pairs joined with "," (a missing chapter is "0").
CString BooksText(const CStringArray& books, const CStringArray& chapters);
// The pieces of the text between tabs and commas; empty pieces are dropped.
void SplitStrings(LPCSTR text, CStringArray& out);
// The combo keeps its entries in "Recent " + name + " List" ("String%d", 15) and loads them;
// the array is emptied.
void SetupRecentCombo(CMRUPathComboBox& combo, CStringArray& strings, LPCSTR name);
