#pragma once
// The document of the document/view framework: what one open file holds, its path and title,
// the modified flag, the views that show it, and opening, saving and closing. A change reaches
// the views through UpdateAllViews with a hint.
//
// A derived document reads and writes its file in ReadFromFile and WriteToFile; the framework
// around them clears the contents, keeps the modified flag and reports failures.

#include "platform/core/Collections.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/DocTemplate.h"

#include <cstdint>

class CFrameWnd;
class CView;

class CDocument : public CCmdTarget, public CObject {
public:
    CDocument();
    ~CDocument() override;

    // Title and path. SetPathName makes the title the path's file name and, with bAddToMRU,
    // puts the path on the application's recent-file list.
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE);
    void ClearPathName() { m_strPathName.Empty(); }

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    void SetDocTemplate(CDocTemplate* pTemplate) { m_pDocTemplate = pTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views.
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& pos) const { return m_viewList.GetNext(pos); }
    int GetViewCount() const { return m_viewList.GetCount(); }
    CView* GetFirstView() const { return m_viewList.IsEmpty() ? nullptr : m_viewList.GetHead(); }
    void AddView(CView* pView);
    // Takes the view off the document; the document closes when its last view goes (and
    // m_bAutoDelete is set).
    void RemoveView(CView* pView);
    virtual void OnChangedViewList();
    // Every view but pSender gets OnUpdate(pSender, lHint, pHint).
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
    // Numbers the frames of the document (":1", ":2" in their titles when there are several)
    // and brings their titles up to date.
    virtual void UpdateFrameCounts();

    // Messages and commands to the document's first view (FALSE when it has none).
    BOOL PostToFirstView(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendToFirstView(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostCommandToFirstView(UINT nID);

    // Life of the document.
    virtual void DeleteContents() {}
    // Empties the document: contents cleared, not modified.
    virtual BOOL OnNewDocument();
    // Reads lpszPathName (ReadFromFile) into the emptied document; on failure the document is
    // emptied again, the failure reported and FALSE returned.
    virtual BOOL OnOpenDocument(LPCSTR lpszPathName);
    // Writes the document (WriteToFile); on success it is no longer modified; on failure it
    // stays modified and the failure is reported.
    virtual BOOL OnSaveDocument(LPCSTR lpszPathName);
    // Closes every frame of the document, empties it and, with m_bAutoDelete, deletes it.
    virtual void OnCloseDocument();
    // The message of a failed open or save.
    virtual void ReportSaveLoadException(LPCSTR lpszPathName, BOOL bSaving);

    // Saving. DoSave writes to lpszPathName, or (NULL or empty) to a name asked for through
    // the file dialog service; with bReplace the document takes the new path. FALSE when the
    // user cancelled or the save failed.
    virtual BOOL DoSave(LPCSTR lpszPathName, BOOL bReplace = TRUE);
    // Save: to its path, or asks for one when it has none or its file is read-only.
    virtual BOOL DoFileSave();
    // Asks for a file name to save as: proposal in and chosen name out; FALSE when cancelled.
    virtual BOOL DoPromptFileName(CString& fileName, LPCSTR lpszTitle);
    // A modified document asks "Save changes to ...?" (Yes saves, No drops the changes,
    // Cancel keeps the document open): FALSE for Cancel or a failed save.
    virtual BOOL SaveModified();
    // Whether pFrame may close: TRUE when another frame still shows the document, else
    // SaveModified.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // Called before pFrame closes.
    virtual void PreCloseFrame(CFrameWnd* pFrame) {}

    // The standard commands.
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(nullptr); }
    void OnFileClose();

    // When set (the default), the document deletes itself when its last view goes.
    BOOL m_bAutoDelete = TRUE;

    // Tells this document apart from every other made in the process, also one made later at
    // the same address.
    std::uint64_t GetSerial() const { return m_nSerial; }
    // Whether the document of that address and serial still exists (any thread).
    static BOOL IsAlive(const CDocument* pDoc, std::uint64_t nSerial);

protected:
    // Reads the file into the empty document; FALSE (or an exception) when it cannot. The
    // defaults read and write nothing and fail.
    virtual BOOL ReadFromFile(LPCSTR lpszPathName) { return FALSE; }
    virtual BOOL WriteToFile(LPCSTR lpszPathName) { return FALSE; }

    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    CTypedList<CView*> m_viewList;
    BOOL m_bModified = FALSE;

private:
    std::uint64_t m_nSerial = 0;
};

// A document kept beyond the call that handed it over: Get gives NULL once the document is gone,
// never a pointer to freed memory.
class CDocumentRef {
public:
    CDocumentRef() = default;
    CDocumentRef(CDocument* pDoc) { Reset(pDoc); }  // NOLINT: a reference is taken as a pointer
    void Reset(CDocument* pDoc = nullptr)
    {
        m_pDoc = pDoc;
        m_nSerial = pDoc ? pDoc->GetSerial() : 0;
    }
    CDocument* Get() const { return m_pDoc && CDocument::IsAlive(m_pDoc, m_nSerial) ? m_pDoc : nullptr; }
    // Whether a document was handed over (gone or not).
    BOOL IsSet() const { return m_pDoc != nullptr; }
    BOOL Is(const CDocument* pDoc) const { return pDoc && Get() == pDoc; }

private:
    CDocument* m_pDoc = nullptr;
    std::uint64_t m_nSerial = 0;
};
