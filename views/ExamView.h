#pragma once
// The view of an exam document: the exam's questions (or, in the lower pane, its forms) as a
// Question Corra view, with the exam's own list, colours and commands: unlinking questions from
// their banks, a question's identity and fixed position, the instructions, scrambling the
// forms' choices, the export of the forms, the printed exam's fonts. Exam questions travel
// through the clipboard as "Exam Question List" (forms as "Exam Collection List"); a question
// with a fixed position keeps its place in the list.

#include "views/CorraView.h"

class CExamDoc;

class CExamView : public CCorraView {
public:
    CExamView();

    CExamDoc* GetExamDoc() const;

    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // ---- commands
    // Asks, then unlinks the selected questions from their banks.
    void OnUnlink();
    // The identity and fixed position of the one selected question.
    void OnQuestionIdentity();
    void OnInstructions();
    // Asks, then scrambles (or puts back) the choices of every form and says how many.
    void OnScrambleForms(BOOL bScramble);
    void OnExportForms();
    // The Font Manager on a font slot of the printed exam.
    void OnPrintFont(int nSlot);

    // ---- fixed positions
    // Moves the list's fixed-position questions to their places (moved: those that moved); the
    // view and the document take the list's order. TRUE when one moved.
    BOOL ApplyFixedPositions(CPtrListEx* pMoved = nullptr);
    // The same over a plain list of the exam's questions.
    static BOOL ApplyFixedPositions(const CExamDoc& exam, CPtrListEx& questions, CPtrListEx* pMoved = nullptr);

    // ---- transfers
    // The question pane copies exam questions, the forms pane its forms with their members.
    int TransferKind() const override;
    // Pastes go into the question pane only; fixed-position questions keep their places.
    int PasteQuestions(CUpdate& request) override;
    int PasteCollections(CUpdate& request, const CPtrListEx* pMembers) override;
    int DropQuestOnCorraView(CUpdate& request) override;
    // The forms pane takes no drops: forms are made by New Form(s).
    int DropOnCollectionPane(CUpdate& request) override;
    int CopyDropOnCollectionPane(CUpdate& request) override;
    int DropReorder(int nDragged, int nTarget) override;

    QMenu* ShowContextMenu(CPoint pt) override;

protected:
    CODListCtrl* MakeListControl() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void BindExamViewCommands();
    int Ask(const CString& text, UINT style) const;
};
