#pragma once
// A collection of a Question Corra document in a window of its own: its member questions in the
// collection's order, in the question list of the Question Corra view. The view works on a
// copy of the collection (reordered, members deleted, cut, dropped or pasted in) and writes it
// into the document only when saved, as the collection it came from, a new or a replaced one,
// or as a new Question Corra file. It has an undo and redo history of its own.
//
// The view keeps its collection by ID: a collection deleted while its window is open leaves the
// window unsaved and modified (a save makes the collection again).

#include "model/CorraQuestion.h"
#include "model/ScrambleList.h"
#include "model/Undo.h"
#include "views/CorraView.h"

class CCollView : public CCorraView {
public:
    CCollView();
    ~CCollView() override;

    // ---- what form views change
    // Looks every ID up in the document and inserts the questions found; their number.
    virtual int InsertQuestionsById(const CDWordArray& ids, int nPos, BOOL bSelect, int nExtra = 0);
    // Inserts the questions that are not members yet (by ID) at nPos (-1: at the end), copies
    // them to pOut when given, and rebuilds the working copy; their number.
    virtual int InsertNewQuestions(const CPtrListEx& questions, CPtrListEx* pOut, int nPos, BOOL bSelect);
    // The name given, or for NULL the kind name and the next number of the run; the frame's
    // caption follows.
    virtual void SetName(LPCSTR name);
    virtual void OnCollectionUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual CString GetKindName() const { return "Collection"; }
    // The menu of the list's right click.
    virtual UINT ContextMenuId() const;
    // Form views: neither Save, Save As nor New, and never asked to save.
    virtual BOOL IsReadOnly() const { return FALSE; }

    // ---- the collection
    void SetDocument(CCorraDoc* pDoc);
    // The collection shown (NULL: a new one, named by SetName(NULL), made by the first save).
    void SetCollectionQuestion(CCorraQuestion* pCollection);
    // The collection of the document the view saves into; NULL while it has none.
    CCorraQuestion* GetCollection() const;
    // The working copy's members become these questions.
    void SetCollection(const CPtrListEx& questions);
    // Adds the questions that are not members yet (by ID); their number.
    int AddQuestions(const CPtrListEx& questions, CPtrListEx* pOut = nullptr);
    BOOL IsMember(int id) const { return m_work.HasQuestId(id); }
    // The document's collection of that name (trimmed, case ignored); NULL when none.
    CCorraQuestion* FindDocCollection(LPCSTR name) const;
    const CCorraQuestion& GetWorkingCopy() const { return m_work; }
    CCorraQuestion& GetWorkingCopy() { return m_work; }
    CString GetName() const { return m_work.m_cszQuestionText; }
    BOOL IsModified() const { return m_bModified; }
    void SetModified(BOOL bModified) { m_bModified = bModified; }

    // ---- showing it
    // The rows again from the working copy.
    void Refresh();
    // The shown questions from the working copy's members (missing ones and collections skipped
    // with a log line).
    void ReloadQuestions();
    // The working copy's members from the list's rows.
    void RebuildFromList();
    // Posts the frame's close command; bClearModified drops the changes first.
    void CloseView(BOOL bClearModified);
    void SizeFrameToHalf();

    // ---- saving: 0 saved as a new Question Corra (the window closes), 1 saved as a collection,
    // 2 cancelled or failed
    int Save();
    int SaveAs();
    int SaveAsCollection(LPCSTR name);
    // The working copy into the document's collection (made when there is none).
    void ApplyToCollection();
    // Asked when the window closes; FALSE keeps it open.
    BOOL SaveModified();

    // ---- undo and redo of the view's own changes
    void PushUndo(LPCSTR description);
    BOOL Undo();
    BOOL Redo();
    CUndo& GetUndoStack() { return m_undo; }
    CUndo& GetRedoStack() { return m_redo; }

    // ---- commands
    void OnDelete();
    void OnCut();
    void OnRename();
    void OnNew();

    // ---- CCorraView
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    QMenu* ShowContextMenu(CPoint pt) override;
    void AfterDropReorder(CListCtrl* pList, int nCount) override;
    // The document takes the questions it lacks (at its end); the window inserts them all at
    // the request's insert index.
    int DropOnCollView(CUpdate& request) override;
    BOOL IsCollView() const override { return TRUE; }
    // A collection window exports its members under its own name.
    CString GetExportName() const override { return GetName(); }

protected:
    void AfterReorder() override;
    void OnListSorted(const CString& label) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // Whether a hint names the view's collection (its single object or one of its questions).
    BOOL NamesCollection(const CUpdate* pHint) const;
    // Undo (TRUE) or Redo: the newest record of one stack restored and put on the other.
    BOOL StepHistory(BOOL bUndo);
    // Deletes the selected rows with an undo entry; FALSE when nothing was deleted.
    BOOL DeleteSelection();
    void UpdateCaption();
    void BindCommands();

    CCorraQuestion m_work;
    CString m_csKindBuffer;
    int m_nCollectionId = 0;
    BOOL m_bModified = FALSE;
    CUndo m_undo;
    CUndo m_redo;
};
