#include "views/ExamView.h"

#include "controls/FloatEditTB.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/Util.h"
#include "model/ExamDialogs.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/Update.h"
#include "model/ViewServices.h"
#include "platform/core/Services.h"
#include "platform/ui/Document.h"
#include "platform/ui/MDIFrameWnd.h"
#include "res/ids/ExamView.h"
#include "res/ids/Menus.h"
#include "views/ExamListCtrl.h"

#include <QMenu>

#include <map>
#include <unordered_set>

namespace {

const CDocViewKind s_kind(typeid(CExamView), DVK_EXAMVIEW);

// The printed exam's fonts: course name (title), exam title (description), form name, student
// ID and student name.
constexpr struct {
    UINT id;
    int slot;
} kPrintFonts[] = {{ID_EXAM_TITLE_FONT, 5},
                   {ID_EXAM_DESCRIPTION_FONT, 6},
                   {ID_EXAM_FORM_NAME_FONT, 9},
                   {ID_EXAM_STUDENT_ID_FONT, 11},
                   {ID_EXAM_STUDENT_NAME_FONT, 10}};

} // namespace

CExamView::CExamView()
{
    CCorraAppBase& app = CorraApp();
    m_nDrawMode = CVDRAW_LARGE_ICON;
    m_crActive = app.GetProfileColor("Misc", "ExamActiveColor", 0xFFFFB3, TRUE);
    m_crInactive = app.GetProfileColor("Misc", "ExamInactiveColor", 0xCACA00, TRUE);
    m_crCurrent = m_crInactive;
    BindExamViewCommands();
    BindExamPrintCommands();
}

CExamDoc* CExamView::GetExamDoc() const
{
    return dynamic_cast<CExamDoc*>(m_pDocument);
}

CODListCtrl* CExamView::MakeListControl()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (IsCollectionPane())
        return new CExamFormListCtrl(pDoc, this, m_crCurrent, nullptr, this);
    return new CExamListCtrl(pDoc, this, m_crCurrent, nullptr, this);
}

void CExamView::BindExamViewCommands()
{
    auto selected = [this] { return m_pList ? m_pList->GetSelectedCount() : 0; };
    auto forms = [this] {
        CExamDoc* pDoc = GetExamDoc();
        return pDoc ? pDoc->GetCollectionCount() : 0;
    };
    auto scrambled = [this] {
        CExamDoc* pDoc = GetExamDoc();
        return pDoc && pDoc->HasScrambledForms();
    };
    BindCommand(ID_EXAM_UNLINK, [this] { OnUnlink(); });
    BindUpdate(ID_EXAM_UNLINK, [this, selected](CCmdUI* ui) { ui->Enable(selected() > 0 && !IsCollectionPane()); });
    BindCommand(ID_EXAM_QUESTION_IDENTITY, [this] { OnQuestionIdentity(); });
    BindUpdate(ID_EXAM_QUESTION_IDENTITY,
               [this, selected](CCmdUI* ui) { ui->Enable(selected() == 1 && !IsCollectionPane()); });
    BindCommand(ID_EXAM_INSTRUCTIONS, [this] { OnInstructions(); });
    BindUpdate(ID_EXAM_INSTRUCTIONS, [](CCmdUI* ui) { ui->Enable(ExamDialogs().HasInstructionsDialog()); });
    for (const BOOL footer : {FALSE, TRUE}) {
        const UINT id = footer ? ID_EXAM_FOOTERS : ID_EXAM_HEADERS;
        BindCommand(id, [this, footer] { OnPrintBands(footer); });
        BindUpdate(id, [](CCmdUI* ui) { ui->Enable(ExamDialogs().HasPrintBandPages()); });
    }
    BindCommand(ID_EXAM_SCRAMBLE, [this] { OnScrambleForms(TRUE); });
    BindUpdate(ID_EXAM_SCRAMBLE, [forms, scrambled](CCmdUI* ui) {
        ui->Enable(forms() > 0);
        ui->SetText(scrambled() ? "Re-Scram&ble Forms" : "Scram&ble Forms");
    });
    BindCommand(ID_EXAM_UNSCRAMBLE, [this] { OnScrambleForms(FALSE); });
    BindUpdate(ID_EXAM_UNSCRAMBLE, [scrambled](CCmdUI* ui) { ui->Enable(scrambled()); });
    BindCommand(ID_EXAM_EXPORT_FORMS, [this] { OnExportForms(); });
    BindUpdate(ID_EXAM_EXPORT_FORMS, [forms](CCmdUI* ui) { ui->Enable(forms() > 0); });
    for (const auto& font : kPrintFonts) {
        const int slot = font.slot;
        BindCommand(font.id, [this, slot] { OnPrintFont(slot); });
        BindUpdate(font.id, [](CCmdUI* ui) { ui->Enable(FontManagerDialogSlot().Get().IsAvailable()); });
    }
}

int CExamView::Ask(const CString& text, UINT style) const
{
    return MessageBoxService().Show(text, CORRA_PRODUCT_NAME, style);
}

// ---- commands --------------------------------------------------------------------------------

void CExamView::OnUnlink()
{
    CExamDoc* pDoc = GetExamDoc();
    CPtrListEx selected;
    if (!pDoc || IsCollectionPane() || GetSelectedQuestions(selected) == 0)
        return;
    CString text;
    text.Format("Are you sure you want to unlink the %d selected questions?", selected.GetCount());
    if (Ask(text, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    CPtrListEx changed;
    for (POSITION pos = selected.GetHeadPosition(); pos;) {
        auto* q = dynamic_cast<CExamQuestion*>(static_cast<CCorraQuestion*>(selected.GetNext(pos)));
        if (q && q->Unlink())
            changed.AddTail(q);
    }
    if (changed.IsEmpty())
        return;
    // The rows of the unlinked questions take their empty links.
    CUpdate hint;
    hint.m_nRepaint = 1;
    hint.SetQuestions(&changed);
    pDoc->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
    pDoc->SetModifiedFlag(TRUE);
}

void CExamView::OnQuestionIdentity()
{
    CExamDoc* pDoc = GetExamDoc();
    if (!pDoc || IsCollectionPane() || !m_pList || m_pList->GetSelectedCount() != 1)
        return;
    CCorraQuestion* q = m_pList->GetSelectedQuestion();
    auto* exam = dynamic_cast<CExamQuestion*>(q);
    if (!exam)
        return;
    pDoc->ShowQuestProps(exam);
    // The pin shows or goes.
    if (m_pList)
        m_pList->UpdateQuestion(q);
}

void CExamView::OnInstructions()
{
    CExamDoc* pDoc = GetExamDoc();
    if (!pDoc)
        return;
    CString text = pDoc->m_csInstructions;
    if (!ExamDialogs().Instructions(*pDoc, text))
        return;
    pDoc->m_csInstructions = text;
    pDoc->SetModifiedFlag(TRUE);
}

void CExamView::OnPrintBands(BOOL bFooter)
{
    // The pages edit a copy: a cancelled page leaves every printed exam as it was. The header
    // page shows this exam's titles, and a title changed there is the exam's.
    CExamPrintSettings settings = CExamDoc::PrintSettings();
    CExamDoc* pDoc = GetExamDoc();
    CString title1 = pDoc ? pDoc->m_csTitle1 : CString();
    CString title2 = pDoc ? pDoc->m_csTitle2 : CString();
    if (!ExamDialogs().PrintBandPage(bFooter, settings, title1, title2))
        return;
    CExamDoc::PrintSettings() = settings;
    if (pDoc && (title1 != pDoc->m_csTitle1 || title2 != pDoc->m_csTitle2)) {
        pDoc->m_csTitle1 = title1;
        pDoc->m_csTitle2 = title2;
        pDoc->SetModifiedFlag(TRUE);
    }
}

void CExamView::OnScrambleForms(BOOL bScramble)
{
    CExamDoc* pDoc = GetExamDoc();
    if (!pDoc)
        return;
    if (Ask(LoadStringId(IDS_EXAM_SCRAMBLE_ASK), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const int done = pDoc->ScrambleForms(bScramble);
    // None done: the exam said why (invalid choices, a form that failed).
    if (done <= 0)
        return;
    CString text;
    text.Format(bScramble ? "Scrambled choices in %d forms." : "Unscrambled choices in %d forms.", done);
    Ask(text, MB_OK | MB_ICONINFORMATION);
}

void CExamView::OnExportForms()
{
    if (CExamDoc* pDoc = GetExamDoc())
        pDoc->ExportCollections();
}

void CExamView::OnPrintFont(int nSlot)
{
    IFontManagerDialog& dialog = FontManagerDialogSlot().Get();
    if (dialog.IsAvailable())
        dialog.Run(nSlot, this);
}

// ---- hints and messages ----------------------------------------------------------------------

void CExamView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CCorraView::OnUpdate(pSender, lHint, pHint);
    // A question's fixed position changed.
    if (lHint == HINT_REREAD && !IsCollectionPane()) {
        try {
            ApplyFixedPositions();
        } catch (...) {
            LogUnknownException(LOG_HERE);
        }
    }
}

LRESULT CExamView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CORRA_LINKCHECK:
        try {
            if (CExamDoc* pDoc = GetExamDoc())
                pDoc->CheckCorraLinks(FALSE, nullptr, FALSE);
        } catch (...) {
            LogUnknownException(LOG_HERE);
        }
        return 1;
    case WM_EXAM_LIST_PAINTED:
        // The list painted: nothing to do, and above all no repaint of the list.
        return 1;
    default: return CCorraView::WindowProc(message, wParam, lParam);
    }
}

QMenu* CExamView::ShowContextMenu(CPoint pt)
{
    QMenu* menu =
        CreateContextMenu(IsCollectionPane() ? IDR_EXAM_FORM_PANE_MENU : IDR_EXAM_QUESTION_PANE_MENU, this);
    if (!menu)
        return nullptr;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QPoint(pt.x, pt.y));
    return menu;
}

// ---- fixed positions -------------------------------------------------------------------------

BOOL CExamView::ApplyFixedPositions(const CExamDoc& exam, CPtrListEx& questions, CPtrListEx* pMoved)
{
    CDWordArray ids;
    std::map<DWORD, CCorraQuestion*> byId;
    std::vector<CCorraQuestion*> before;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (!q)
            continue;
        // Two rows of one ID cannot be told apart by it: the order stays.
        if (!byId.emplace(static_cast<DWORD>(q->m_nId), q).second)
            return FALSE;
        ids.Add(static_cast<DWORD>(q->m_nId));
        before.push_back(q);
    }
    if (!exam.ApplyFixedPositions(ids))
        return FALSE;
    questions.RemoveAll();
    for (int i = 0; i < ids.GetSize(); ++i) {
        CCorraQuestion* q = byId[ids[i]];
        questions.AddTail(q);
        if (pMoved && before[static_cast<size_t>(i)] != q)
            pMoved->AddTail(q);
    }
    return TRUE;
}

BOOL CExamView::ApplyFixedPositions(CPtrListEx* pMoved)
{
    CExamDoc* pDoc = GetExamDoc();
    if (!pDoc || !m_pList || IsCollectionPane())
        return FALSE;
    CPtrListEx order;
    m_pList->GetAllItems(order);
    if (!ApplyFixedPositions(*pDoc, order, pMoved))
        return FALSE;
    SetOrder(order);
    SyncDocumentOrder();
    pDoc->SetModifiedFlag(TRUE);
    return TRUE;
}

// ---- transfers -------------------------------------------------------------------------------

int CExamView::TransferKind() const
{
    return QKIND_EXAM;
}

int CExamView::PasteQuestions(CUpdate& request)
{
    if (IsCollectionPane())
        return DROP_REFUSED;
    return CCorraView::PasteQuestions(request);
}

int CExamView::PasteCollections(CUpdate& request, const CPtrListEx* pMembers)
{
    if (IsCollectionPane())
        return DROP_REFUSED;
    return CCorraView::PasteCollections(request, pMembers);
}

int CExamView::DropQuestOnCorraView(CUpdate& request)
{
    const int result = CCorraView::DropQuestOnCorraView(request);
    if (result == DROP_DONE)
        ApplyFixedPositions();
    return result;
}

int CExamView::DropOnCollectionPane(CUpdate&)
{
    return DROP_REFUSED;
}

int CExamView::CopyDropOnCollectionPane(CUpdate&)
{
    return DROP_REFUSED;
}

int CExamView::DropReorder(int nDragged, int nTarget)
{
    const int result = CCorraView::DropReorder(nDragged, nTarget);
    if (result == DROP_DONE)
        ApplyFixedPositions();
    return result;
}
