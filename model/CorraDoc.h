#pragma once
// The Question Corra document: titles, instructions, unique id, groups and questions (with
// collections), read from and written to the keyword text file through the cipher stream.
//
// The reading loop hands the text to the record readers (question, group, title) in turn; what
// a reader does not know ends the loop. After a complete, clean read the document is repaired
// (missing id, collections holding collections) and, when anything was repaired or the file
// was plain, the first view is asked to save it again at once. A damaged, partly read or
// cancelled read never asks for that: the user is warned and the file stays as it was.

#include "foundation/PtrListEx.h"
#include "platform/core/String.h"
#include "platform/ui/Document.h"

#include <functional>

class CCorraHeader;
class CCorraQuestion;
class CEncryptedArchive;
class CGroup;
class COldProgressDlg;

// The private message that asks a view to mark its document modified and save it.
constexpr UINT WM_CORRA_RESAVE = 0x8051;
// The framework's close-file command.
constexpr UINT CORRA_ID_FILE_CLOSE = 57602;

class CCorraDoc : public CDocument {
public:
    // How a read ended.
    enum ReadOutcome {
        readComplete,    // every record read up to the end of the text
        readUnknownText, // text that no reader knows; what came before it was read
        readCancelled,   // the user cancelled; what came before was read
        readFailed,      // a malformed record; the document is to be closed
        readUnreadable,  // the file could not be read at all (missing, or neither text nor block)
    };
    // How a write ended.
    enum WriteOutcome { writeDone, writeCancelled, writeFailed };

    CCorraDoc();
    ~CCorraDoc() override;
    CCorraDoc(const CCorraDoc&) = delete;
    CCorraDoc& operator=(const CCorraDoc&) = delete;

    // ---- file
    // Reads the file at path into the (empty) document.
    ReadOutcome ReadCorraDoc(LPCSTR path);
    // Writes the document to path; a cancelled or failed write leaves the old file as it was.
    WriteOutcome WriteCorraDoc(LPCSTR path);
    // The header, titles, instructions, groups and questions; with a progress box it is
    // stepped per question and writing stops once it is cancelled.
    void WriteBody(CEncryptedArchive& out, COldProgressDlg* progress);
    void FillHeader(CCorraHeader& header);

    // Record readers: 1 read, 0 not this record (cursor unchanged), 3 malformed or refused,
    // 6 end of the text.
    virtual int ReadQuestionRecord(LPCSTR* ppText, UINT* pnRemaining);
    virtual int ReadGroupRecord(LPCSTR* ppText, UINT* pnRemaining);
    virtual int ReadTitleRecord(LPCSTR* ppText, UINT* pnRemaining);
    virtual void OnBeforeRead() {}
    virtual void OnBeforeWrite() {}
    virtual void AfterReadCheck();
    virtual CString GetKindName() const { return "Corra"; }
    virtual BOOL FilterGroup(CGroup* group) { return TRUE; }
    // Writes one question's record (the list holds the document's questions).
    virtual void WriteQuestionRecord(CEncryptedArchive& out, void* question) {}
    // Removes collections held by collections; TRUE when any collection changed.
    virtual BOOL CleanCollections() { return FALSE; }
    // Highest question ID and INDEX over the questions.
    virtual void UpdateHighestIds() {}
    // The collections' names and member counts, and the questions' image files.
    virtual void FillHeaderFromQuestions(CCorraHeader& header) {}

    // ---- groups
    virtual CGroup* AddNewGroup(const CGroup& group);
    void AddGroups(const CPtrListEx& groups);
    CGroup* FindGroupById(int id) const;
    CGroup* FindGroupByHeader(const CCorraQuestion* question) const;
    void ResetGroupCounters();

    // The list algorithms under the question-based group operations, over items told apart by
    // the callers' functions (the items are the document's questions).
    //
    // Puts items in group order: the members of each group (its header question first) in the
    // order of the group list, then every other item in its own order. groupIdOf gives an
    // item's group ID, or 0 for an item that belongs to no group (a collection).
    void OrderItemsByGroups(CPtrListEx& items, const std::function<int(void*)>& groupIdOf);
    // Gives each item (keyOf FALSE skips it) the group of its key, made when missing: named by
    // nameOf, with the key as its ID when that is 1 or more, else a new ID (so a level of 0
    // makes one group too, "Level 0"). setGroupId stores the group's ID in the item. Returns
    // the number of groups and marks the document modified.
    int GroupItemsByKey(const CPtrListEx& items, const std::function<BOOL(void*, int&)>& keyOf,
                        const std::function<CString(int)>& nameOf, const std::function<void(void*, int)>& setGroupId);

    // ---- the framework's side
    void SetModifiedFlag(BOOL modified = TRUE) override;
    // A message to the window of the document's first view; FALSE when there is none.
    virtual BOOL PostViewMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return PostToFirstView(message, wParam, lParam);
    }
    // Empties titles, instructions, id, groups and the invalid-question text.
    void DeleteContents() override;
    // Nothing may save or close the document while it is read or written.
    BOOL SaveModified() override;
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;
    BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE) override;
    BOOL DoFileSave() override;
    void OnCloseDocument() override;
    // The reader and writer have said what went wrong already.
    void ReportSaveLoadException(LPCSTR lpszPathName, BOOL bSaving) override {}

    // Reading or writing is under way: the progress box lets events run, and none of them may
    // close or save the document meanwhile.
    BOOL IsBusy() const { return m_bBusy; }
    int GetQuestionCount() const { return m_plQuestions.GetCount(); }

    // Set by the main frame while it opens a document as part of a larger task: no repairs
    // and no automatic save after reading.
    static BOOL IsAutoSaveSuppressed();
    static void SuppressAutoSave(BOOL suppress);

    CString m_csInstructions;
    CString m_csTitle1;
    CString m_csTitle2;
    CPtrListEx m_plQuestions;  // CCorraQuestion*, owned
    CString m_csCorraId;
    BOOL m_bNeedsSave = FALSE;
    CPtrListEx m_plGroups;     // CGroup*, owned
    CString m_csInvalidQuestions;
    DWORD m_dwModifiedTick = 0;

protected:
    // Error texts of the question and group readers, shown or logged by the loop.
    CString m_csQuestionError;
    int m_nErrorQuestionId = 0;

protected:
    BOOL ReadFromFile(LPCSTR lpszPathName) override;
    BOOL WriteToFile(LPCSTR lpszPathName) override;

private:
    // "Error occured while reading file <path>" with the pending error text in front, the ID
    // and the tokenizer's last token after it.
    CString ReadErrorText(const CString& pending, int id, const CString& lastToken) const;
    void ShowReadError(const CString& text);
    void DeleteGroups();

    BOOL m_bBusy = FALSE;
};
