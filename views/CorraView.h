#pragma once
// The view of a Question Corra document. A Question Corra frame holds two of them: the question
// pane above (the document's own view) shows every question that is not a collection, the
// collection pane below shows the collections. Each pane knows the other; the active one has
// the active colour. A pane shows its questions as a list of tiles (large or small icons) or,
// in the question pane, as the whole questions formatted into a read-only text pane (Expanded).
//
// Documents tell the views of changes with UpdateAllViews and the hints of model/Update.h.

#include "foundation/PtrListEx.h"
#include "foundation/SerialMap.h"
#include "model/PageMargins.h"
#include "platform/core/String.h"
#include "platform/ui/View.h"
#include "res/ids/CorraView.h"

#include <QPointer>

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class CCorraDoc;
class CCorraQuestion;
class CListCtrl;
class COleDataObject;
class COleDataSource;
class CHVRichEditCtrl;
class CODListCtrl;
class CPrintInfo;
class CUpdate;
class QMenu;
struct CExportContext;
class CExportEngine;

// Draw modes of a pane.
constexpr int CVDRAW_EXPANDED = 0;
constexpr int CVDRAW_LARGE_ICON = 1;
constexpr int CVDRAW_SMALL_ICON = 2;

// Where a press on the view itself (not on its list) picks the current element instead.
constexpr int CORRAVIEW_MARGIN = 10;

// The questions a pane shows, in view order, each with the rectangle it was last drawn in.
class CCorraViewElementList {
public:
    struct Element {
        CCorraQuestion* pQuestion = nullptr;
        CRect rcDrawn;
    };
    int GetCount() const { return static_cast<int>(m_items.size()); }
    BOOL IsEmpty() const { return m_items.empty(); }
    Element& operator[](int i) { return m_items[static_cast<size_t>(i)]; }
    const Element& operator[](int i) const { return m_items[static_cast<size_t>(i)]; }
    CCorraQuestion* GetQuestion(int i) const;
    // The place of a question; -1 when it is not shown.
    int Find(const CCorraQuestion* q) const;
    // Before nIndex (-1 or past the end: at the end).
    void Insert(int nIndex, CCorraQuestion* q);
    BOOL Remove(const CCorraQuestion* q);
    void RemoveAll() { m_items.clear(); }
    void GetQuestions(CPtrListEx& out) const;
    // The element current (highlighted) for the view's own Up and Down; -1 none.
    int m_nCurrent = -1;

private:
    std::vector<Element> m_items;
};

// What one print job (on paper, to a PDF file or in a preview) of a view lays out: a copy of the
// view's questions in print order with the groups' header questions, their printed numbers and
// where each page starts. The document itself is never reordered for printing.
struct CCorraPrintJob {
    std::vector<CCorraQuestion*> elements;
    // Index into elements of each page's first question; its size is the page count.
    std::vector<int> pageStarts;
    std::unordered_map<const CCorraQuestion*, int> numbers;
    BOOL bPaginationPending = TRUE;
    // The range of pages printed: the print dialog's, else 1 to 0xFFFF (open).
    UINT nFromPage = 1;
    UINT nToPage = 0xFFFF;
    // The page that carries the instructions: the first page of the range printed.
    int nTitlePage = 1;
    int nPrintMode = 0;
    // The number the first question takes: the document's on paper and in exports.
    int nFirstNumber = 1;
    // The job's page n is the print's page n + nPageOffset: an exam's forms each count from 1.
    int nPageOffset = 0;
    // The page whose frame is being laid out or drawn.
    int nFramePage = 1;
    // An exam's form printed (its place among the forms chosen; -1 the exam itself) and name.
    int nForm = -1;
    CString csFormName;
    // Questions the job made for itself (a form's scrambled copies), which elements may name.
    std::vector<std::shared_ptr<CCorraQuestion>> copies;
    // The page of the job the print is at.
    int PageOf(UINT nCurPage) const { return static_cast<int>(nCurPage) - nPageOffset; }
    // The number a question prints with; 0 for none.
    int NumberOf(const CCorraQuestion* q) const
    {
        auto it = numbers.find(q);
        return it == numbers.end() ? 0 : it->second;
    }
};

class CCorraView : public CView {
public:
    CCorraView();
    ~CCorraView() override;

    // ---- the frame's links
    // 0 the question pane, 1 the collection pane.
    int m_nPaneIndex = 0;
    CCorraView* m_pSibling = nullptr;
    // Set to 2 on the lower pane by the frame.
    int m_nDisplayMode = 0;
    BOOL IsCollectionPane() const { return m_nPaneIndex == 1; }
    // Whether a question belongs in this pane.
    BOOL Fits(const CCorraQuestion* q) const;

    CCorraDoc* GetCorraDoc() const;

    // ---- framework
    int OnCreate(CCreateContext* pContext) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnChildNotify(UINT nID, UINT nCode, void* pExtra) override;

    // ---- elements and list
    // The pane's list (id 312): a CODListCtrl above, a CCollListCtrl below; NULL before the first
    // update made it.
    CODListCtrl* GetListCtrl() const { return m_pList; }
    // The question inserted at nIndex (-1 at the end) when it fits the pane.
    void AddQuestion(CCorraQuestion* q, int nIndex = -1);
    // Appends those that fit and are not shown yet, in their order.
    void AddQuestions(const CPtrListEx& questions);
    // Selects the non-collection questions of group nGroup, deselects the others.
    void SelectGroupMembers(int nGroup);
    // SELQ_ flags of model/ViewServices.h: others deselected first (SELQ_DESELECT_FIRST; with a
    // NULL question only that), scrolled into view (SELQ_VISIBLE), shown in the question dialog
    // (SELQ_UPDATE_DIALOG). FALSE when the pane does not show it.
    BOOL SelectQuestion(CCorraQuestion* q, UINT flags);
    void GetSelectedIndices(std::vector<int>& out) const;
    int GetSelectedQuestions(CPtrListEx& out) const;
    CCorraQuestion* GetElementQuestion(int n) const;
    int GetElementCount() const { return m_elements.GetCount(); }
    void GetOrder(CPtrListEx& out) const { m_elements.GetQuestions(out); }
    // Shows the questions in this order (only those that fit the pane).
    void SetOrder(const CPtrListEx& order);
    // Empties the list and inserts every element's question again, keeping the selection.
    virtual void RefillList();
    virtual void SetElements(const CPtrListEx& questions);
    // Element list from the document: its questions that fit the pane, in document order.
    void ReloadFromDocument();
    // Whether the elements are the document's questions of this pane, in its order.
    BOOL ShowsDocumentOrder() const;
    // Element list from the list's rows, in their order.
    void ReloadFromList();
    // After removals; collection views re-read their collection.
    virtual BOOL AfterRemove() { return FALSE; }

    // ---- question tools
    // "Set Question Attributes" over the selected questions.
    void OnSetQuestionAttributes();
    // "Statistics" over the document and the selection (the collection pane: the members of
    // the selected collections, with their names).
    void OnQuestionStatistics();
    // "Set All Fonts", "Format Choices" (the label case of every question's choices) and
    // "Invalid Questions" (the check; "Edit" selects the invalid questions, the first in the
    // question dialog; "Show report" opens the report).
    void OnSetAllFonts();
    void OnFormatChoices();
    void OnInvalidQuestions();

    // ---- the view's commands (CorraViewCommands.cpp): one table of handlers and update
    // handlers. Select All and Unselect All first clear the question dialog through its save
    // prompt; FALSE when the user kept editing.
    BOOL OnSelectAll();
    BOOL OnUnselectAll();
    // Images of the one selected question; says why not otherwise.
    void OnQuestionImages();
    void OnRenameCollection();
    void OnQuestionSearch();
    // The Font Manager on one of the printed fonts' slots.
    void OnFontSlot(int nSlot);
    // The question selected alone; NULL with none or several.
    CCorraQuestion* GetSingleSelected() const;

    // ---- modes and colours
    int GetDrawMode() const { return m_nDrawMode; }
    void OnLargeIcon() { SetIconMode(CVDRAW_LARGE_ICON); }
    void OnSmallIcon() { SetIconMode(CVDRAW_SMALL_ICON); }
    void OnExpanded();
    void OnContracted();
    void SetActiveColour(BOOL bActive);
    COLORREF GetCurrentColour() const { return m_crCurrent; }

    // Formats every question into the target (the text pane when NULL); FALSE in the collection
    // pane, without a target, or when the user stopped it.
    virtual BOOL FormatExpanded(CHVRichEditCtrl* pTarget = nullptr);
    CHVRichEditCtrl* GetTextPane() const { return m_pText; }
    // How many times the Expanded text was built (tests: a cache hit builds nothing).
    int GetFormatCount() const { return m_nFormatCount; }

    // ---- sizes
    virtual void SetScrollSizes(int cx, int cy);
    CSize GetScrollSizes() const { return m_szScroll; }

    // ---- transfers: copy, cut, paste and drops. Handlers answer DROP_DONE or DROP_REFUSED; a
    // refusal changes nothing.
    static constexpr int DROP_DONE = 1;
    static constexpr int DROP_REFUSED = 2;
    // Whether the clipboard offers a list this view reads.
    virtual BOOL CanPaste() const;
    // The selection, in list order, under the pane's format: source path (title when unsaved),
    // source CORRAID, then the questions or the collections with their members. FALSE when
    // nothing is selected.
    virtual BOOL CopyToDataSource(COleDataSource& source) const;
    // The kind of the questions the view copies (QKIND_CORRA, QKIND_EXAM): their byte form and
    // their clipboard format.
    virtual int TransferKind() const;
    // Reads the first list the data offers (questions, collections, exam questions) and drops it
    // on this view. Bad bytes refuse the whole paste, said once and logged.
    virtual int PasteFrom(COleDataObject& data);
    // The paste forwarders: fill the target (this view's document and list, the first selected
    // row) and call the handler of the view's kind.
    virtual int PasteQuestions(CUpdate& request);
    // pMembers: the collections' member questions, which a question list takes instead.
    virtual int PasteCollections(CUpdate& request, const CPtrListEx* pMembers);
    // Questions from a question list. From another document the clash dialog settles what is
    // added; the request's result questions and IDs say what the target now holds.
    virtual int DropQuestOnCorraView(CUpdate& request);
    // DropQuestOnCorraView's work; pIdMap gets each copied ID's ID in the target.
    int BringQuestions(CUpdate& request, CSerialMap<int, int>* pIdMap);
    // A copy of the request without its insert index and target list through
    // DropQuestOnCorraView; the results come back into the request.
    int BringIntoDocument(CUpdate& request);
    // Questions onto the collection at the request's insert index of a collection pane.
    virtual int DropOnCollectionPane(CUpdate& request);
    // Collections onto a question list of another document: their questions.
    virtual int CopyDropOnQuestionView(CUpdate& request) { return DropQuestOnCorraView(request); }
    // Questions (or collections' questions) onto a collection window: the document takes what
    // it lacks, the window inserts them at the request's insert index. Only a collection
    // window takes them.
    virtual int DropOnCollView(CUpdate& request) { return DROP_REFUSED; }
    virtual int CopyDropOnCollView(CUpdate& request) { return DropOnCollView(request); }
    // Whether the view is a collection window (its drops and pastes go to DropOnCollView).
    virtual BOOL IsCollView() const { return FALSE; }
    // Collections into a collection pane: names settled by the collection clash dialog, their
    // members by the question clash dialog. Pasted collections bring their members along;
    // dragged ones find them in their own document.
    virtual int CopyDropOnCollectionPane(CUpdate& request);
    // The rows dragged within this view's own list go before the row nTarget (-1: at the end).
    virtual int DropReorder(int nDragged, int nTarget);
    // Before a reorder: the undo entry ("move %d question"); after it, the document's order
    // follows the view's.
    virtual void AfterDropReorder(CListCtrl* pList, int nCount);
    virtual void AfterReorder();
    // Copy, Cut (Copy, then Delete once the clipboard holds the data) and Paste.
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    // Deletes the selected questions with undo.
    void OnEditDelete();
    // While set, drops and pastes onto this view are refused.
    BOOL m_bBusy = FALSE;
    // Whether drops may land on this view now.
    virtual BOOL CanDrop() const { return !m_bBusy; }
    // Drags of other programs are never taken: no drop effect.
    virtual int GetDropEffect() const { return 0; }
    // Drags from other programs over the view or its list: answered by GetDropEffect, and a
    // drop is refused.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // ---- dragging rows: from the list's LVN_BEGINDRAG the view holds the mouse until the
    // left button goes up over a list of the program (points are the screen's).
    BOOL BeginListDrag(int nItem);
    void DragMoveTo(QPoint global);
    // The handler's answer; 0 when the drag ended over no list.
    int DropAt(QPoint global);
    void EndListDrag();
    BOOL IsDragging() const { return m_bDragging; }
    // The row marked as the drop target, in the list it belongs to; -1 none.
    int GetDropTargetItem() const { return m_nDropTarget; }
    // The list a drag scrolls while the cursor is above or below it.
    static CListCtrl* GetAutoScrollList();
    // Rows dropped on nItem of a list: by the kinds of the two lists, the reorder, the drop
    // handlers or the group list.
    virtual int DispatchDrop(CListCtrl* pTarget, int nItem, int nDragged);
    // Questions of the question pane dropped on a group of the groups window join it.
    virtual int DropOnGroupList(CListCtrl* pList, int nItem);

    // ---- slots of later work
    virtual BOOL CanPrint() const { return FALSE; }

    // ---- export (CorraViewExport.cpp)
    virtual BOOL CanExport() const { return TRUE; }
    // "&Export Files...": the export dialog, then the pages into the file; FALSE when cancelled
    // or failed. The collection pane hands it to the question pane.
    virtual BOOL ExportDocument();
    // What an export of the view is called: the document's title here.
    virtual CString GetExportName() const;
    // "P&rinting Properties...": the document's printing-properties page.
    void OnPrintingProperties();
    // Runs the export the record describes (type, output path, range, paper, margins); FALSE
    // when cancelled or failed, and then the old file is as it was and no page file is left.
    BOOL RunExport(CExportContext& ctx);
    // The engine of the view's kind: a bank's bands here.
    virtual std::unique_ptr<CExportEngine> MakeExportEngine();
    // The pages the last export made.
    int GetLastExportPageCount() const { return m_nLastExportPages; }

    // ---- printing (CorraViewPrint.cpp)
    // The margins every print starts from, in inches (the program's, shared by all views).
    static CPageMargins GetMargins() { return GetPageMargins(); }
    static void SetMargins(const CPageMargins& margins) { SetPageMargins(margins); }
    // Writes them to the document's profile section with two decimals.
    void SaveMargins();
    // Reads them from the document's profile section (the current ones where a key is missing).
    void LoadMargins();
    // "Print Margins...": the margins dialog under the view's caption for it.
    void OnPrintMargins();
    virtual CString GetMarginsCaption() const { return "Corra Printing Margins"; }
    // The print commands: the collection pane hands them to the question pane.
    void OnCorraFilePrint(BOOL bDirect);
    void OnCorraPrintPreview();
    // Before a print or a preview: the printing properties (unless bSilent or bSkip) give the
    // print mode; FALSE when the user cancelled.
    BOOL PreparePrintDocument(BOOL bSilent = FALSE, BOOL bSkip = FALSE);
    // The print, or the preview with its toolbar in the preview view pfnCreate makes; a preview
    // that cannot start says so (unless the view refused the print and said why).
    void PrintOrPreview(BOOL bPreview, BOOL bDirect, PreviewFactory pfnCreate);
    // The document's printing properties opened with nPrintMode (-1 none chosen); TRUE with the
    // mode to print in, FALSE when cancelled. A bank prints in its stored PrintMode.
    virtual BOOL RunPrintingProperties(int& nPrintMode);
    // The number the first printed question takes.
    virtual int GetFirstPrintNumber() const;

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // The job of a print that is under way; NULL when there is none.
    CCorraPrintJob* GetPrintJob(const CPrintInfo* pInfo) const;
    // The questions a job prints before the groups order them: the view's, or a form's.
    virtual void CollectPrintQuestions(CCorraPrintJob& job);
    // The job's questions (collected, with the groups' header questions, in group order) and
    // their numbers; pagination is pending again.
    void LayOutPrintJob(CCorraPrintJob& job, BOOL bWarnGroups);
    // Every question of the job gets its printed number: groups count by their numbering styles.
    virtual void NumberQuestions(CCorraPrintJob& job);
    // Where each page starts, measured with the page frame that prints; FALSE ends the page.
    virtual BOOL PaginateDocument(CDC* pDC, CPrintInfo* pInfo);
    // Prints (or with bDraw FALSE measures) one question from y down within pInfo->m_rectDraw;
    // y moves past it. 0 stops the page.
    virtual int PrintQuestion(CDC* pDC, CPrintInfo* pInfo, CCorraQuestion* q, int& y, BOOL bDraw);
    // The page's frame on pInfo->m_rectDraw: header, footer, the instructions on the job's title
    // page and the rule below them. m_rectDraw becomes the body the questions go in.
    virtual void LayoutPageFrame(CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw);
    virtual void ApplyMargins(CDC* pDC, CPrintInfo* pInfo);
    virtual CRect GetHeaderRect(CDC* pDC, CPrintInfo* pInfo);
    virtual CRect GetFooterRect(CDC* pDC, CPrintInfo* pInfo);
    // Each moves the draw rectangle's edge past what it drew (or measured, bDraw FALSE).
    virtual void DrawHeader(CDC* pDC, CPrintInfo* pInfo, BOOL bDraw = TRUE);
    virtual void DrawFooter(CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw = TRUE);
    // The instructions across pRect (the draw rectangle when NULL); the y below them.
    virtual int DrawTitleBlock(CDC* pDC, CPrintInfo* pInfo, CRect* pRect, BOOL bDraw);
    virtual int DrawSeparator(CDC* pDC, int x, int y, int width, int nPenWidth, BOOL bDraw, CPrintInfo* pInfo);
    // The pages the last pagination made (tests and the preview).
    int GetLastPageCount() const { return m_nLastPageCount; }

    // An exam view steps through its forms in the preview: whether there is a current form and
    // one nDelta (+1, -1) away, and the step itself (which lays that form out).
    virtual BOOL HasPreviewForm(int nDelta) const { return FALSE; }
    virtual BOOL StepPreviewForm(int nDelta, CPrintInfo* pInfo) { return FALSE; }

    // -1 while nothing prints.
    int m_nPrintMode = -1;
    BOOL m_bApplyMargins = TRUE;
    BOOL m_bSilentPrepare = FALSE;
    BOOL m_bCloseAfterPrinting = FALSE;
    // Set by the preview's Print: the print that follows asks no printing properties again.
    BOOL m_bPrintFromPreview = FALSE;

    // The process-wide start-up counter step: copies the counter into the start-up value and
    // advances it.
    static void StartupCounterStep();
    // What a view does on WM_CORRA_RESAVE: marks its document modified and posts the save.
    static void SaveAgain(CView* pView);
    static int StartupCounter();

    // Selection from the user: a click or right click on row nItem (-1: none under it), at pt
    // of the list.
    void OnListClick(int nItem, BOOL bRight, CPoint pt);
    void OnListDoubleClick(int nItem);
    // Up (-1) or Down (+1) from the selection: shows that question in the question dialog.
    void OnListKey(int nDelta);
    // The view's own Up and Down: moves the highlight.
    void MoveCurrent(int nDelta);
    int GetCurrentElement() const { return m_elements.m_nCurrent; }
    // A left press on the view itself at pt (client coordinates).
    void OnLeftPress(CPoint pt);
    // The pane's context menu at pt (screen coordinates); the menu shown.
    virtual QMenu* ShowContextMenu(CPoint pt);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

    void SetIconMode(int nMode);
    // This view's own refresh after a mode switch (relayout, erase; redisplay for the icons).
    void RefreshForMode(BOOL bRedisplay);
    virtual void CreateListControl();
    // The pane's list, owned by the view's window.
    virtual CODListCtrl* MakeListControl();
    // The list sorted itself by the column of that heading into another order: the undo entry,
    // then the view and the document follow.
    virtual void OnListSorted(const CString& label);
    void ApplyDrawMode();
    void CreateTextPane();
    void ShowList(BOOL bShow);
    // Gives the list and the text pane the whole client area.
    void LayoutChildren();
    // Shows the question in the document's question dialog, which first asks to save what was
    // typed there; FALSE when the user went on editing.
    BOOL ShowInDialog(CCorraQuestion* q);
    void AskFrameToRecalc();
    void InvalidateFormatCache() { m_bCacheValid = FALSE; }
    int ProfileIconMode(LPCSTR key) const;
    void SyncDocumentOrder();
    // Inserts what a hint names that fits the pane and the list lacks; removes what it names.
    // The number of rows changed.
    int InsertFromHint(const CUpdate& hint);
    int RemoveFromHint(const CUpdate& hint);
    // Selects the rows of these questions (others keep their state).
    void SelectRows(const CPtrListEx& questions);
    // Every row's texts again (counts of collections).
    void RefreshRows();
    // Makes element n current (its question marked, the old mark cleared, the views told).
    void SetCurrentElement(int n);
    // The rows' rectangles, in the view's coordinates, into the elements.
    void NoteDrawnRects();

    CCorraViewElementList m_elements;
    CODListCtrl* m_pList = nullptr;
    int m_nDrawMode = CVDRAW_SMALL_ICON;
    COLORREF m_crActive = 0xFFFFFF;
    COLORREF m_crInactive = 0xC0C0C0;
    COLORREF m_crCurrent = 0xC0C0C0;
    CHVRichEditCtrl* m_pText = nullptr;
    CSize m_szScroll{0, 0};
    CString m_csFontsKey;

    // The Expanded text's cache: the document's change count, the fonts' change stamp and the
    // print settings it was made with.
    BOOL m_bCacheValid = FALSE;
    int m_nCacheChange = 0;
    DWORD m_dwCacheFonts = 0;
    CString m_csCachePrint;
    int m_nFormatCount = 0;
    BOOL m_bFormatting = FALSE;
    // Cleared when the view goes away while it formats.
    std::shared_ptr<BOOL> m_pAlive;

    // The jobs under way: a print may start while a preview of the same view is open.
    std::map<const CPrintInfo*, std::unique_ptr<CCorraPrintJob>> m_printJobs;
    int m_nLastPageCount = 0;
    void BindPrintingCommands();
    void BindCommands();
    // The question dialog shows nothing; FALSE when the user chose to go on editing there.
    BOOL ClearQuestionDialogFirst();
    // OnPreparePrinting refused with a message of its own.
    BOOL m_bPrintRefused = FALSE;
    int m_nLastExportPages = 0;

    // The row drag: the row it started on, the row marked under the cursor (in m_pDropList)
    // with the state it had, the picture and the window last under the cursor.
    QWidget* WidgetUnder(QPoint global) const;
    void ForgetDropTarget();
    BOOL m_bDragging = FALSE;
    int m_nDragItem = -1;
    int m_nDropTarget = -1;
    UINT m_uDropSavedState = 0;
    QPointer<CListCtrl> m_pDropList;
    QPointer<QWidget> m_pUnder;
    std::unique_ptr<QWidget> m_pDragImage;
    // While a paste of collections runs: the members that came with them.
    const CPtrListEx* m_pPastedMembers = nullptr;
};
