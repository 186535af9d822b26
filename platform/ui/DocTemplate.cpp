#include "platform/ui/DocTemplate.h"

#include "platform/core/StringTable.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/QtString.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

#include <QDir>
#include <QFileInfo>

CString FileNameExtension(LPCSTR path)
{
    CString p(path ? path : "");
    int slash = p.ReverseFind('/');
    CString name = slash >= 0 ? p.Mid(slash + 1) : p;
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Mid(dot) : CString();
}

BOOL ExtensionInList(LPCSTR path, LPCSTR extensionList)
{
    CString ext = FileNameExtension(path);
    if (ext.IsEmpty())
        return FALSE;
    CString list(extensionList ? extensionList : "");
    int start = 0;
    while (start <= list.GetLength()) {
        int end = list.Find(';', start);
        if (end < 0)
            end = list.GetLength();
        CString entry = list.Mid(start, end - start);
        entry.Trim();
        if (!entry.IsEmpty() && entry[0] == '*')
            entry = entry.Mid(1);
        if (!entry.IsEmpty() && entry.CompareNoCase(ext) == 0)
            return TRUE;
        start = end + 1;
    }
    return FALSE;
}

CString FullPathKey(LPCSTR path)
{
    if (!path || !*path)
        return CString();
    return FromQString(QDir::cleanPath(QFileInfo(ToQString(path)).absoluteFilePath()));
}

// --- CDocTemplate -----------------------------------------------------------------------------

CDocTemplate::CDocTemplate(UINT nIDResource, CCreatable<CDocument> docClass, CCreatable<CFrameWnd> frameClass,
                           CCreatable<CView> viewClass)
    : m_nIDResource(nIDResource),
      m_docClass(std::move(docClass)),
      m_frameClass(std::move(frameClass)),
      m_viewClass(std::move(viewClass)),
      m_strDocStrings(LoadStringId(nIDResource))
{
}

CDocTemplate::~CDocTemplate()
{
    // Documents outliving their template must not reach back into it.
    POSITION pos = m_docList.GetHeadPosition();
    while (pos)
        m_docList.GetNext(pos)->SetDocTemplate(nullptr);
}

BOOL DocStringField(const CString& docStrings, int nIndex, CString& out)
{
    out.Empty();
    int start = 0;
    for (int i = 0; i < nIndex; ++i) {
        int nl = docStrings.Find('\n', start);
        if (nl < 0)
            return FALSE;
        start = nl + 1;
    }
    int end = docStrings.Find('\n', start);
    out = docStrings.Mid(start, (end < 0 ? docStrings.GetLength() : end) - start);
    return !out.IsEmpty();
}

BOOL CDocTemplate::GetDocString(CString& out, DocStringIndex index) const
{
    return DocStringField(m_strDocStrings, index, out);
}

CString CDocTemplate::GetDefaultExtension() const
{
    CString exts;
    if (!GetDocString(exts, filterExt))
        return exts;
    int semi = exts.Find(';');
    CString first = semi >= 0 ? exts.Left(semi) : exts;
    first.Trim();
    first.TrimLeft('*');
    return first;
}

CDocument* CDocTemplate::FindDocumentByPath(LPCSTR lpszPathName) const
{
    CString key = FullPathKey(lpszPathName);
    if (key.IsEmpty())
        return nullptr;
    POSITION pos = m_docList.GetHeadPosition();
    while (pos) {
        CDocument* pDoc = m_docList.GetNext(pos);
        if (!pDoc->GetPathName().IsEmpty() && FullPathKey(pDoc->GetPathName()) == key)
            return pDoc;
    }
    return nullptr;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = FindDocumentByPath(lpszPathName);
    if (rpDocMatch)
        return yesAlreadyOpen;
    CString exts;
    if (GetDocString(exts, filterExt) && ExtensionInList(lpszPathName, exts))
        return yesAttemptNative;
    return yesAttemptForeign;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    m_docList.AddTail(pDoc);
    pDoc->SetDocTemplate(this);
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    POSITION pos = m_docList.Find(pDoc);
    if (pos)
        m_docList.RemoveAt(pos);
    if (pDoc->GetDocTemplate() == this)
        pDoc->SetDocTemplate(nullptr);
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CDocument* pDoc = m_docClass.Create();
    if (pDoc)
        AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_viewClass;
    context.m_pNewDocTemplate = this;
    CFrameWnd* pFrame = m_frameClass.Create();
    if (!pFrame)
        return nullptr;
    if (!pFrame->LoadFrame(m_nIDResource, AfxGetMainWnd(), &context)) {
        pFrame->DestroyFrame();
        return nullptr;
    }
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    // A copy: saving may close documents.
    std::vector<CDocument*> docs;
    for (POSITION pos = m_docList.GetHeadPosition(); pos;)
        docs.push_back(m_docList.GetNext(pos));
    for (CDocument* pDoc : docs) {
        if (m_docList.Find(pDoc) && pDoc->IsModified() && !pDoc->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    while (!m_docList.IsEmpty())
        m_docList.GetHead()->OnCloseDocument();
}

// --- CMultiDocTemplate ------------------------------------------------------------------------

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDoc = CreateNewDocument();
    if (!pDoc)
        return nullptr;
    // The frame's views are made on the document; a failure on the way must not close it.
    BOOL bAutoDelete = pDoc->m_bAutoDelete;
    pDoc->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDoc, nullptr);
    pDoc->m_bAutoDelete = bAutoDelete;
    if (!pFrame) {
        delete pDoc;
        return nullptr;
    }
    BOOL ok;
    if (!lpszPathName || !*lpszPathName) {
        SetDefaultTitle(pDoc);
        ok = pDoc->OnNewDocument();
        if (ok)
            ++m_nUntitledCount;
    } else {
        ok = pDoc->OnOpenDocument(lpszPathName);
        if (ok)
            pDoc->SetPathName(lpszPathName);
    }
    if (!ok) {
        // Destroying the frame takes its views off the document, which then closes.
        pFrame->DestroyFrame();
        return nullptr;
    }
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    return pDoc;
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString name;
    if (!GetDocString(name, docName))
        name = "Untitled";
    CString title;
    title.Format("%s%u", static_cast<const char*>(name), m_nUntitledCount + 1);
    pDocument->SetTitle(title);
}
