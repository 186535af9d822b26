#include "import/SourceView.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/WordConvert.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/Util.h"
#include "import/FileBuf.h"
#include "import/SourceDoc.h"
#include "import/SourcePropDlg.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/MDIFrameWnd.h"
#include "render/RtfSyntax.h"
#include "res/ids/App.h"
#include "res/ids/Menus.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QTextDocument>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

namespace {

const CDocViewKind s_sourceKind(typeid(CSourceDoc), DVK_SOURCEDOC);

constexpr int kButtonHeight = 26;
constexpr int kButtonWidth = 96;
constexpr int kGap = 6;
constexpr int kFormWidth = 640;
constexpr int kFormHeight = 440;

void NoLongerSupported()
{
    AfxMessageBox("This function no longer supported.");
}

} // namespace

CSourceView::CSourceView()
{
    m_pEdit = new CHVRichEditCtrl(viewport());
    m_pEdit->SetDlgCtrlID(static_cast<int>(IDC_SOURCE_EDIT));
    // The control's right button opens the view's menu, not the control's own.
    m_pEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(m_pEdit, &QWidget::customContextMenuRequested, m_pEdit,
                     [this](const QPoint& pos) { ShowContextMenu(m_pEdit->viewport()->mapToGlobal(pos)); });
    // An edit of the shown text is a change the teacher is asked about on closing.
    QObject::connect(m_pEdit->document(), &QTextDocument::contentsChanged, m_pEdit, [this] {
        if (CSourceDoc* pDoc = GetSourceDoc(); pDoc && !m_bShowing)
            pDoc->SetModifiedFlag(TRUE);
    });
    const struct {
        UINT nID;
        const char* text;
    } buttons[] = {{IDC_SOURCE_QUESTION, "Question"}, {IDC_SOURCE_CHOICES, "Choices"}, {ID_FILE_CLOSE, "Close File"}};
    for (int i = 0; i < 3; ++i) {
        m_pButtons[i] = new QPushButton(QString::fromLatin1(buttons[i].text), viewport());
        const UINT nID = buttons[i].nID;
        QObject::connect(m_pButtons[i], &QPushButton::clicked, m_pButtons[i], [this, nID] { PostCommand(nID); });
    }

    auto hasSelection = [this](CCmdUI* pCmdUI) { pCmdUI->Enable(HasSelection()); };
    BindCommand(ID_SOURCE_MAKE_TITLE, [this] { MakeField(TRUE); });
    BindUpdate(ID_SOURCE_MAKE_TITLE, hasSelection);
    BindCommand(ID_SOURCE_MAKE_DESCRIPTION, [this] { MakeField(FALSE); });
    BindUpdate(ID_SOURCE_MAKE_DESCRIPTION, hasSelection);
    BindCommand(ID_SOURCE_PROPERTIES, [this] { OnProperties(); });
    BindUpdate(ID_SOURCE_PROPERTIES, [](CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); });
    BindCommand(menus::kEditDelete, [this] { m_pEdit->Clear(); });
    BindUpdate(menus::kEditDelete, hasSelection);
    BindCommand(menus::kEditCut, [this] { m_pEdit->Cut(); });
    BindUpdate(menus::kEditCut, hasSelection);
    BindCommand(menus::kEditCopy, [this] { m_pEdit->Copy(); });
    BindUpdate(menus::kEditCopy, hasSelection);
    BindCommand(menus::kEditPaste, [this] { m_pEdit->Paste(); });
    BindUpdate(menus::kEditPaste, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(m_pEdit->CanPaste()); });
    BindCommand(menus::kEditUndo, [this] { m_pEdit->Undo(); });
    BindUpdate(menus::kEditUndo, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(m_pEdit->CanUndo()); });
    for (UINT nID : {IDC_SOURCE_CHOICES, IDC_SOURCE_QUESTION, ID_SOURCE_OLD_1, ID_SOURCE_OLD_2}) {
        BindCommand(nID, NoLongerSupported);
        BindUpdate(nID, [](CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); });
    }
}

CSourceDoc* CSourceView::GetSourceDoc() const
{
    return dynamic_cast<CSourceDoc*>(m_pDocument);
}

void CSourceView::resizeEvent(QResizeEvent* event)
{
    CView::resizeEvent(event);
    Layout();
}

void CSourceView::Layout()
{
    const QRect area = viewport()->rect();
    const int buttonsTop = std::max(0, area.height() - kButtonHeight - kGap);
    m_pEdit->setGeometry(0, 0, area.width(), std::max(0, buttonsTop - kGap));
    int x = kGap;
    for (QPushButton* pButton : m_pButtons) {
        pButton->setGeometry(x, buttonsTop, kButtonWidth, kButtonHeight);
        x += kButtonWidth + kGap;
    }
}

QSize CSourceView::sizeHint() const
{
    return {kFormWidth, kFormHeight};
}

void CSourceView::FitParentFrame()
{
    auto* pFrame = dynamic_cast<QMdiSubWindow*>(GetParentFrame());
    if (!pFrame || pFrame->isMaximized() || pFrame->isMinimized())
        return;
    QSize size = pFrame->sizeHint();
    if (QMdiArea* pArea = pFrame->mdiArea())
        size = size.boundedTo(pArea->viewport()->size());
    pFrame->resize(size);
}

void CSourceView::OnInitialUpdate()
{
    FitParentFrame();
    Layout();
    CSourceDoc* pDoc = GetSourceDoc();
    if (!pDoc)
        return;
    const QScopedValueRollback<BOOL> showing(m_bShowing, TRUE);
    pDoc->m_csTitle = pDoc->GetTitle();
    pDoc->m_csDescription = "Exam Source File";
    const CString& text = pDoc->m_csText;
    const BOOL bRtf = IsRtfText(text);
    // The limit always admits the whole text: RTF shows fewer characters than its source holds.
    const long nLength = text.GetLength();
    m_pEdit->LimitText(std::max<long>(bRtf ? nLength : 2 * nLength, 1));
    m_pEdit->StreamInText(text, bRtf ? SF_RTF : SF_TEXT);
    m_pEdit->SetParagraphIndents();
    // Undo starts after the indents: taking them back is no edit of the teacher's.
    m_pEdit->EmptyUndoBuffer();
    m_pEdit->SetReadOnly(FALSE);
}

int CSourceView::GetEditText(CString& out, int& nLength) const
{
    nLength = 0;
    if (!m_pEdit) {
        LogOutput("CSourceView::GetEditText() - REC does not have window", LOG_ERROR, LOG_HERE);
        return 0;
    }
    m_pEdit->StreamOutText(out, SF_RTF);
    nLength = out.GetLength() + 1;
    return out.GetLength();
}

BOOL CSourceView::HasSelection() const
{
    long nStart = 0;
    long nEnd = 0;
    m_pEdit->GetSel(nStart, nEnd);
    return nStart != nEnd;
}

void CSourceView::MakeField(BOOL bTitle)
{
    CSourceDoc* pDoc = GetSourceDoc();
    long nStart = 0;
    long nEnd = 0;
    m_pEdit->GetSel(nStart, nEnd);
    if (nStart == nEnd) {
        AfxMessageBox("Nothing selected.");
        return;
    }
    if (nStart > nEnd) {
        AfxMessageBox("Bad selection.");
        return;
    }
    CString text = m_pEdit->GetSelText();
    text.Trim();
    if (text.IsEmpty() || !pDoc)
        return;
    const CString question = CString("Add '") + text + (bTitle ? "' to the title?" : "' to the description?");
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CString& field = bTitle ? pDoc->m_csTitle : pDoc->m_csDescription;
    // Words picked one after the other stay apart.
    if (!field.IsEmpty() && !std::isspace(static_cast<unsigned char>(field[field.GetLength() - 1])))
        field += " ";
    field += text;
    m_pEdit->Clear();
}

void CSourceView::OnProperties()
{
    CSourceDoc* pDoc = GetSourceDoc();
    if (!pDoc)
        return;
    CSourcePropDlg dlg(this);
    dlg.m_csLocation = pDoc->GetPathName();
    dlg.m_csTitle = pDoc->m_csTitle;
    dlg.m_csDescription = pDoc->m_csDescription;
    dlg.m_nParagraphs = CountSourceParagraphs(m_pEdit->StreamOut(SF_TEXT));
    if (dlg.DoModal() != IDOK)
        return;
    pDoc->m_csTitle = dlg.m_csTitle;
    pDoc->m_csDescription = dlg.m_csDescription;
}

QMenu* CSourceView::ShowContextMenu(const QPoint& screen)
{
    CWnd* pOwner = GetParentFrame();
    QMenu* menu = CreateContextMenu(IDR_SOURCE_POPUP, pOwner ? pOwner : static_cast<CWnd*>(this));
    if (!menu)
        return nullptr;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(screen);
    return menu;
}

// --- the document: its file and its view (beside the view, so that the conversion engine
// stays below the file buffers) ---------------------------------------------------------------------------

CSourceDoc::~CSourceDoc()
{
    if (!m_csTempRtf.IsEmpty() && fsys::Exists(m_csTempRtf))
        fsys::DeleteFile(m_csTempRtf);
}

CSourceView* CSourceDoc::GetSourceView() const
{
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        if (auto* pView = dynamic_cast<CSourceView*>(GetNextView(pos)))
            return pView;
    }
    return nullptr;
}

BOOL CSourceDoc::GetEditText(CString& out) const
{
    if (CSourceView* pView = GetSourceView()) {
        int nLength = 0;
        return pView->GetEditText(out, nLength) > 0;
    }
    out = m_csText;
    return !m_csText.IsEmpty();
}

int CSourceDoc::GetLineCount() const
{
    CString text;
    if (CSourceView* pView = GetSourceView())
        text = pView->GetEditCtrl()->StreamOut(SF_TEXT);
    else
        text = m_csText;
    if (text.IsEmpty())
        return 0;
    const std::string& s = text.GetString();
    const int breaks = static_cast<int>(std::count(s.begin(), s.end(), '\n'));
    return breaks + (s.back() != '\n' ? 1 : 0);
}

BOOL CSourceDoc::ReadFromFile(LPCSTR lpszPathName)
{
    m_bConversionFailed = FALSE;
    CString path = lpszPathName;
    const int nType = CFileTypes::GetDocType(lpszPathName);
    if (nType == FT_WORD || nType == FT_WORDPERFECT) {
        if (!MakeTempFileName(m_csTempRtf, "rtf")) {
            LogOutput("CSourceDoc::GetFile() - failed to make a temporary file name", LOG_ERROR, LOG_HERE);
            m_csTempRtf.Empty();
            return FALSE;
        }
        CString error;
        const BOOL bConverted =
            nType == FT_WORD
                ? WordConvert(lpszPathName, 0, m_csTempRtf, WORD_FORMAT_RTF, "Title", &error)
                : WordPerfectConvertDoc(lpszPathName, m_csTempRtf, WP_OPEN_FORMAT, WP_SAVE_FORMAT_RTF,
                                        "Convert from WordPerfect", &error);
        if (!bConverted) {
            // The Word conversion has shown its reason; WordPerfect's is shown here.
            if (nType == FT_WORDPERFECT)
                AfxMessageBox(error.IsEmpty() ? CString("Failed to read WordPerfect document") : error,
                              MB_ICONEXCLAMATION);
            fsys::DeleteFile(m_csTempRtf);
            m_csTempRtf.Empty();
            m_bConversionFailed = TRUE;
            return FALSE;
        }
        path = m_csTempRtf;
    }
    int nLength = 0;
    if (!GetSourceFileText(path, m_csText, nLength)) {
        if (!m_csTempRtf.IsEmpty()) {
            fsys::DeleteFile(m_csTempRtf);
            m_csTempRtf.Empty();
        }
        return FALSE;
    }
    return TRUE;
}

void CSourceDoc::ReportSaveLoadException(LPCSTR lpszPathName, BOOL bSaving)
{
    // A failed conversion has said why already.
    if (!bSaving && m_bConversionFailed)
        return;
    CDocument::ReportSaveLoadException(lpszPathName, bSaving);
}

CSourceDoc::CSourceDoc()
{
    BindCommand(ID_AUTO_CONVERT, [this] { OnAutoConvert(); });
    BindUpdate(ID_AUTO_CONVERT, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(GetLineCount() >= 1); });
    BindUpdate(ID_FILE_SAVE, [](CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); });
    BindCommand(ID_FILE_SAVE_AS, [this] { DoSave(nullptr, FALSE); });
}

void CSourceDoc::OnAutoConvert()
{
    // The main window's task names the document by address and serial, so that it can tell
    // whether the document is still there when it comes to the task.
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->PostMessage(kSourceAutoConvertTask, static_cast<WPARAM>(GetSerial()), reinterpret_cast<LPARAM>(this));
}

BOOL CSourceDoc::DoSave(LPCSTR lpszPathName, BOOL)
{
    CString newName(lpszPathName ? lpszPathName : "");
    if (newName.IsEmpty()) {
        newName = GetTitle();
        for (char c : std::string(" #%;/\\"))
            newName.Remove(c);
        const int nDot = newName.ReverseFind('.');
        newName = (nDot > 0 ? newName.Left(nDot) : newName) + ".rtf";
        if (!DoPromptFileName(newName, "Save As"))
            return FALSE;
    }
    std::error_code ec;
    const CString& source = GetPathName();
    if (!source.IsEmpty() && (newName == source || std::filesystem::equivalent(newName.GetString(), source.GetString(), ec))) {
        AfxMessageBox("The source file is not written over: choose another name.", MB_ICONEXCLAMATION);
        return FALSE;
    }
    return OnSaveDocument(newName);
}

BOOL CSourceDoc::WriteToFile(LPCSTR lpszPathName)
{
    CString rtf;
    if (!GetSourceView()) {
        // Without a view the text goes through a control of its own to become RTF.
        CHVRichEditCtrl ctrl;
        ctrl.StreamInText(m_csText, IsRtfText(m_csText) ? SF_RTF : SF_TEXT);
        ctrl.StreamOutText(rtf, SF_RTF);
    } else {
        GetEditText(rtf);
    }
    // A write that fails half-way leaves no half file, nor a damaged one where the name was taken.
    return fsys::WriteFileAtomic(lpszPathName, rtf.GetString(), static_cast<size_t>(rtf.GetLength()));
}
