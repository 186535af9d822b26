#pragma once
// One form of an exam in a window of its own: the collection view over the form's copy, named
// by the exam's form name format. A form is filled when it is made; by hand its questions are
// only reordered (dragged within the window), and its changes reach the exam through Save Form
// or the exam's Save Forms.

#include "views/CollView.h"

class CExamView;

class CExamVersionView : public CCollView {
public:
    CExamVersionView();

    CString GetKindName() const override { return "Form"; }
    BOOL IsReadOnly() const override { return TRUE; }
    // NULL: the exam's next free form name (the collection view's own with no name format).
    void SetName(LPCSTR name) override;
    // The form the view holds: its working copy, with the form's scramble list.
    CCorraQuestion* GetForm() { return &GetWorkingCopy(); }
    // Writes the form into the exam ("Save Form").
    void SaveForm();

    // ---- transfers: nothing comes in, and rows move only within the form
    int PasteFrom(COleDataObject& data) override;
    int DropQuestOnCorraView(CUpdate& request) override;
    int CopyDropOnQuestionView(CUpdate& request) override { return DropQuestOnCorraView(request); }
    int DispatchDrop(CListCtrl* pTarget, int nItem, int nDragged) override;
    int GetDropEffect() const override;
    // The exam's fixed positions again over the rows; whether any moved.
    BOOL AfterRemove() override;

    UINT ContextMenuId() const override;

    // ---- printing: the form as the exam prints it, under the exam's bands with the form's name
    // Print or preview the form, or its key (bKeys).
    void OnFormPrint(BOOL bPreview, BOOL bKeys, BOOL bDirect = FALSE);
    BOOL RunPrintingProperties(int& nPrintMode) override;
    void CollectPrintQuestions(CCorraPrintJob& job) override;
    CRect GetHeaderRect(CDC* pDC, CPrintInfo* pInfo) override;
    CRect GetFooterRect(CDC* pDC, CPrintInfo* pInfo) override;
    void DrawHeader(CDC* pDC, CPrintInfo* pInfo, BOOL bDraw = TRUE) override;
    void DrawFooter(CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw = TRUE) override;
    CString GetMarginsCaption() const override { return "Exam Printing Margins"; }
    // The exam's bands with the form's name; a key in print mode 3.
    std::unique_ptr<CExportEngine> MakeExportEngine() override;

protected:
    // The list without sorting headers: a form keeps the order it was given.
    CODListCtrl* MakeListControl() override;

private:
    void BindFormCommands();
    // The exam's own view (its question pane); NULL when it has none.
    CExamView* FindExamView() const;
};
