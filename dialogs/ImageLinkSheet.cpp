#include "dialogs/ImageLinkSheet.h"

#include "dialogs/LinkSheetParts.h"
#include "dialogs/QuestionDialogs.h"

#include "foundation/CorraAppBase.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ImageData.h"
#include "model/Update.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/ListCtrl.h"
#include "res/ids/LinkSheets.h"
#include "shell/ShellUtil.h"

using namespace linksheet;

namespace {

CCorraQuestion* AsQuestion(void* p)
{
    return static_cast<CCorraQuestion*>(p);
}

// Calls f with every image record of the question.
template <typename F>
void ForEachImage(const CCorraQuestion* question, F&& f)
{
    for (POSITION pos = question->m_plImages.GetHeadPosition(); pos;)
        f(*static_cast<CImageData*>(question->m_plImages.GetNext(pos)));
}

} // namespace

BOOL FindMissingImageQuestions(CCorraDoc& doc, CPtrListEx* out)
{
    BOOL none = TRUE;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(doc.m_plQuestions.GetNext(pos));
        if (!question || question->IsCollection())
            continue;
        BOOL missing = FALSE;
        ForEachImage(question, [&](const CImageData& image) { missing = missing || !fsys::Exists(image.m_csFile); });
        if (!missing)
            continue;
        none = FALSE;
        if (out)
            out->AddTail(question);
    }
    return none;
}

// ---- the page

CILSNoFindPage::CILSNoFindPage()
{
    m_nDocKind = DT_IMAGE;
    m_csTitle = "Search For Missing Images";
    SetCaption("Cannot Find Images");
}

BOOL CILSNoFindPage::OnInitDialog()
{
    const BOOL result = CELSNoFindPage::OnInitDialog();
    ShowDlgItem(IDC_ELS_ID_SEARCH, SW_HIDE);
    return result;
}

BOOL CILSNoFindPage::OnWizardFinish()
{
    AskSaveChanges();
    return CPropertyPage::OnWizardFinish();
}

void CILSNoFindPage::BuildList()
{
    std::map<CString, CRecord*> byPath;
    for (POSITION pos = m_lQuestions.GetHeadPosition(); pos;) {
        const CCorraQuestion* question = AsQuestion(m_lQuestions.GetNext(pos));
        if (!question)
            continue;
        ForEachImage(question, [&](const CImageData& image) {
            if (!fsys::Exists(image.m_csFile))
                AddRecord(image.m_csFile, byPath);
        });
    }
    std::sort(m_records.begin(), m_records.end(),
              [](const std::unique_ptr<CRecord>& a, const std::unique_ptr<CRecord>& b) { return a->path < b->path; });
}

void CILSNoFindPage::InitColumns()
{
    while (m_pList->GetColumnCount() > 0)
        m_pList->DeleteColumn(0);
    m_pList->InsertColumn(0, "Filename", LVCFMT_LEFT, 180);
    m_pList->InsertColumn(1, "Last Known Location", LVCFMT_LEFT, 170);
    m_pList->InsertColumn(2, "Links", LVCFMT_LEFT, 50);
    m_pList->InsertColumn(3, "Image Type", LVCFMT_CENTER, 100);
}

void CILSNoFindPage::FillList()
{
    m_pList->DeleteAllItems();
    for (const auto& record : m_records)
        AddRow(*m_pList, record.get(),
               {record->name, ShownFolderText(record->folder), CString::Formatted("%d", record->links),
                CFileTypes::Ext2TypeDescr(record->name, FALSE)});
    SelectFirstRow(*m_pList);
}

BOOL CILSNoFindPage::Relink(const CString& name, const CString& folder, const CString& newPath)
{
    if (!CheckPickedFile(newPath))
        return FALSE;
    CString shown;
    GetServerRelativePath(shown, newPath);
    if (Say("Are you sure you want to link to Image?\n\n" + (shown.IsEmpty() ? newPath : shown),
            MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    CELSSheet* sheet = Sheet();
    CCorraDoc* doc = sheet->GetDoc();
    CString oldPath;
    BOOL relinked = FALSE;
    for (POSITION pos = m_lQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_lQuestions.GetNext(pos));
        if (!question)
            continue;
        // Only the lost file itself: a present image of the same name elsewhere stays.
        BOOL changed = FALSE;
        ForEachImage(question, [&](CImageData& image) {
            if (IsLostFile(image.m_csFile, name, folder) && !fsys::Exists(image.m_csFile)) {
                oldPath = image.m_csFile;
                image.m_csFile = newPath;
                changed = TRUE;
            }
        });
        if (!changed || !doc)
            continue;
        relinked = TRUE;
        doc->SetModifiedFlag(TRUE);
        CUpdate hint;
        hint.SetView(question);
        doc->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
    }
    // The document keeps its modified mark; the sheet does not ask to save images.
    if (relinked)
        m_relinked.emplace_back(oldPath, newPath);
    sheet->CheckLinks(nullptr);
    Rebuild();
    return relinked;
}

// ---- the sheet

CILSSheet::CILSSheet(const char* caption, CWnd* pParent) : CELSSheet(caption, pParent)
{
    m_pDoc = nullptr;
    while (GetPageCount() > 0)
        RemovePage(GetPage(0));
    CILSSheet::AddPages();
    SetWizardMode();
}

CILSSheet::~CILSSheet()
{
    DetachPages();
}

void CILSSheet::AddPages()
{
    AddPage(&m_startPage);
    AddPage(&m_imagePage);
}

void CILSSheet::CheckLinks(CCorraDoc* doc)
{
    try {
        if (doc)
            m_pDoc = doc;
        m_imagePage.m_lQuestions.RemoveAll();
        m_startPage.m_bHasOutOfDate = m_startPage.m_bFixOutOfDate = 0;
        m_startPage.m_bHasMissing = m_pDoc && !FindMissingImageQuestions(*m_pDoc, &m_imagePage.m_lQuestions);
        m_startPage.m_bFixMissing = m_startPage.m_bHasMissing;
        m_startPage.m_csMessage = "Press next to search for missing images...";
    } catch (...) {
        m_bFailed = 1;
        LogUnknownException(LOG_HERE);
        EndWithCancel();
    }
}

BOOL RunImageLinkSheet(CCorraDoc& doc, BOOL showMessages, CImageRelinks* relinked, CWnd* pParent)
{
    CILSSheet sheet("Image Link Status...", pParent);
    sheet.CheckLinks(&doc);
    if (!sheet.m_startPage.m_bHasMissing && !sheet.m_bFailed) {
        if (showMessages)
            Say("No image link errors found.", MB_OK | MB_ICONINFORMATION);
        return TRUE;
    }
    const BOOL finished = sheet.DoModal() == ID_WIZFINISH;
    if (relinked)
        *relinked = sheet.m_imagePage.m_relinked;
    if (showMessages)
        Say(finished ? "All questions successfully updated." : "Questions were not properly updated.",
            MB_OK | MB_ICONINFORMATION);
    return finished;
}

BOOL CQuestionDialogs::CheckImageLinks(CCorraDoc& doc, BOOL showMessages, CImageRelinks* relinked)
{
    return RunImageLinkSheet(doc, showMessages, relinked, m_pParent);
}
