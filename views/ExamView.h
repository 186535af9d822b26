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
    // The exam header (or footer) page over the program's band settings; kept on OK.
    void OnPrintBands(BOOL bFooter);
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

    // ---- printing (ExamViewPrint.cpp)
    // The print and preview commands, of the exam or of its keys (print mode 3). The forms pane
    // hands its selected forms to the question pane, which prints them.
    void OnExamPrint(BOOL bPreview, BOOL bKeys, BOOL bDirect = FALSE);
    // Every form has as many questions as the first; FALSE (after saying why) otherwise, or
    // without forms.
    BOOL ValidateForms();
    // Which forms print: 1 go on (the forms chosen, none for the exam itself), 2 cancel.
    int PromptForForms();
    // The page number as the footer prints it.
    static CString GetPageNumberText(int nPage);
    // The forms the next print takes (CCorraQuestion*); those chosen last stay chosen.
    const CPtrListEx& GetPrintForms() const { return m_lPrintForms; }

    CString GetMarginsCaption() const override { return "Exam Printing Margins"; }
    BOOL RunPrintingProperties(int& nPrintMode) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void CollectPrintQuestions(CCorraPrintJob& job) override;
    CRect GetHeaderRect(CDC* pDC, CPrintInfo* pInfo) override;
    CRect GetFooterRect(CDC* pDC, CPrintInfo* pInfo) override;
    void DrawHeader(CDC* pDC, CPrintInfo* pInfo, BOOL bDraw = TRUE) override;
    void DrawFooter(CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw = TRUE) override;
    // The exam's bands in exports (an answer key's in print mode 3).
    std::unique_ptr<CExportEngine> MakeExportEngine() override;
    BOOL HasPreviewForm(int nDelta) const override;
    BOOL StepPreviewForm(int nDelta, CPrintInfo* pInfo) override;

    // ---- what a form's own window borrows
    // The print mode of the exam's printing properties (keys: the mode the key commands set).
    static BOOL ChooseExamPrintMode(CExamDoc* pDoc, int& nPrintMode);
    // The exam's bands on a page of view's print job, the form the job names on them.
    static CRect ExamHeaderRect(CCorraView& view, CDC* pDC, CPrintInfo* pInfo);
    static CRect ExamFooterRect(CCorraView& view, CDC* pDC, CPrintInfo* pInfo);
    static void DrawExamHeader(CCorraView& view, CDC* pDC, CPrintInfo* pInfo, BOOL bDraw);
    static void DrawExamFooter(CCorraView& view, CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw);
    // The job prints the form: named by it, each of its questions that the form changes
    // (scrambled choices, an identity text naming the form) as a copy the job holds.
    static void PrintAsForm(CCorraPrintJob& job, CCorraQuestion& form, CCorraDoc* pDoc);

protected:
    CODListCtrl* MakeListControl() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void BindExamViewCommands();
    void BindExamPrintCommands();
    // The form of a job; NULL for the exam itself or a form that is gone.
    CCorraQuestion* GetJobForm(const CCorraPrintJob& job) const;

    // The forms chosen for printing, in the order they print.
    CPtrListEx m_lPrintForms;
    // Set when the forms pane chose the forms: no Select Forms.
    BOOL m_bFormsGiven = FALSE;
    int Ask(const CString& text, UINT style) const;
};
