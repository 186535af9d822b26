#include "model/CorraDoc.h"

#include "model/CorraDocParts.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "controls/PromptDlg.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/StringArrayEx.h"
#include "foundation/TextListFile.h"
#include "model/Choices.h"
#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"
#include "model/Statistics.h"
#include "model/DocumentFonts.h"
#include "model/PageMargins.h"
#include "model/QuestionContext.h"
#include "model/Update.h"
#include "platform/core/ClipboardFormats.h"
#include "platform/core/CountedNoun.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Random.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/View.h"
#include "platform/ui/Wnd.h"
#include "res/ids/CorraView.h"
#include "res/ids/QuestionTypes.h"
#include "foundation/EncryptedArchive.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/Parse.h"
#include "foundation/Util.h"
#include "model/CorraHeader.h"
#include "model/CorraIds.h"
#include "model/DocText.h"
#include "render/RtfText.h"
#include "model/Group.h"
#include "platform/core/Services.h"
#include "platform/core/Time.h"

#include <atomic>
#include <memory>
#include "res/ids/Parse.h"

#include <algorithm>
#include <ctime>
#include <exception>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <vector>

using namespace corra_doc;

namespace {

std::atomic<BOOL> g_suppressAutoSave{FALSE};

} // namespace

const CDocViewKind s_corraDocKind(typeid(CCorraDoc), DVK_CORRADOC);

CCorraDoc::CCorraDoc() : CCorraDoc(PROFILE_SECTION) {}

namespace {
std::atomic<UINT> g_cfQuestionList{0};
std::atomic<UINT> g_cfCollectionList{0};
} // namespace

void CCorraDoc::RegisterClipboardFormats()
{
    if (!g_cfQuestionList)
        g_cfQuestionList = RegisterClipboardFormat(CORRA_QUESTION_LIST_FORMAT);
    if (!g_cfCollectionList)
        g_cfCollectionList = RegisterClipboardFormat(CORRA_COLLECTION_LIST_FORMAT);
}

UINT CCorraDoc::QuestionListFormat()
{
    RegisterClipboardFormats();
    return g_cfQuestionList;
}

UINT CCorraDoc::CollectionListFormat()
{
    RegisterClipboardFormats();
    return g_cfCollectionList;
}

CCorraDoc::CCorraDoc(LPCSTR profileSection)
    : m_dwModifiedTick(GetTickCount()), m_csProfileSection(profileSection ? profileSection : PROFILE_SECTION)
{
    // The section is fixed here, by the class that makes the document, so that the destructor
    // writes where the document read.
    RegisterClipboardFormats();
    CCorraAppBase& app = CorraApp();
    m_nNumQuestSepLines = app.GetProfileInt(m_csProfileSection, "NumQuestSepLines", 2, TRUE);
    m_nNumQuestChoiceSepLines = app.GetProfileInt(m_csProfileSection, "NumQuestChoiceSepLines", 1, TRUE);
    m_nPrintMode = app.GetProfileInt(m_csProfileSection, "PrintMode", 0, TRUE);
    m_bTabbedChoices = app.GetProfileInt(m_csProfileSection, "TabbedChoices", 0, TRUE);
    BindCommands();
}

CCorraDoc::~CCorraDoc()
{
    SavePrintValues();
    // The stacks first: their records delete only questions the document no longer holds.
    m_undo.Clear();
    m_redo.Clear();
    DeleteGroups();
    DeleteQuestionsAll();
}

void CCorraDoc::BindCommands()
{
    BindCommand(ID_CORRA_AUTO_SUBJECTS, [] {
        MessageBoxService().Show("This feature has not yet been implemented.  Watch for it in the next version of Quorvale!",
                                 CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
    });
    BindCommand(ID_CORRA_NEW_COLLECTION, [this] { ShowCollection(nullptr); });
    // The main frame runs AutoConvert on the document it is given.
    BindCommand(ID_CORRA_AUTO_CONVERT, [this] {
        if (CWnd* main = AfxGetMainWnd())
            main->PostMessage(WM_CORRA_AUTOCONVERT, 0, reinterpret_cast<LPARAM>(this));
    });
    BindCommand(ID_CORRA_QUESTION_DIALOG, [this] { DocumentDialogs().ShowQuestionDialog(*this); });
    BindUpdate(ID_CORRA_QUESTION_DIALOG,
               [this](CCmdUI* ui) { ui->SetCheck(DocumentDialogs().IsQuestionDialogVisible(*this) ? 1 : 0); });
    // From the question dialog with what it holds; from anywhere else the dialog is asked to
    // store, which comes back here with its question.
    BindNotify<CDlgQuestionStore>(ID_CORRA_STORE_DLG_QUESTION, CN_COMMAND, [this](CDlgQuestionStore* store) {
        if (!store) {
            DocumentDialogs().StoreDialogQuestion(*this);
            return;
        }
        store->bStored = store->pQuestion && StoreDlgQuestion(store->nId, *store->pQuestion);
    });
    BindUpdate(ID_CORRA_STORE_DLG_QUESTION, [this](CCmdUI* ui) {
        IDocumentDialogs& dialogs = DocumentDialogs();
        ui->Enable(dialogs.IsQuestionDialogVisible(*this) && dialogs.QuestionDialogHasQuestion(*this));
    });
    BindCommand(ID_CORRA_PROPERTIES, [this] { ShowFileProperties(); });
    BindCommand(ID_CORRA_QUESTION_GROUPS, [this] { DocumentDialogs().ShowGroupsWindow(*this); });
    BindCommand(ID_CORRA_CHECK_IMAGE_LINKS, [this] { DocumentDialogs().CheckImageLinks(*this); });
    BindCommand(ID_EDIT_UNDO, [this] { Undo(); });
    BindCommand(ID_EDIT_REDO, [this] { Redo(); });
    BindUpdate(ID_EDIT_UNDO, [this](CCmdUI* ui) { m_undo.UpdateItem(ui, FALSE); });
    BindUpdate(ID_EDIT_REDO, [this](CCmdUI* ui) { m_redo.UpdateItem(ui, TRUE); });
}

void CCorraDoc::SavePrintValues()
{
    CCorraAppBase& app = CorraApp();
    app.WriteProfileInt(m_csProfileSection, "NumQuestSepLines", m_nNumQuestSepLines);
    app.WriteProfileInt(m_csProfileSection, "NumQuestChoiceSepLines", m_nNumQuestChoiceSepLines);
    app.WriteProfileInt(m_csProfileSection, "PrintMode", m_nPrintMode);
    app.WriteProfileInt(m_csProfileSection, "TabbedChoices", m_bTabbedChoices);
}

void CCorraDoc::LoadPrintValues()
{
    // The two values shared by every document live with the choices that use them.
    CChoices::LoadPrintValues(GetProfileSection());
    CCorraQuestion::LoadSubjCharLen();
}

CString CCorraDoc::GetPrintSettingsText() const
{
    CString text;
    text.Format("%s\n%s\nNumQuestSepLines=%d\nNumQuestChoiceSepLines=%d\nPrintMode=%d\nTabbedChoices=%d",
                static_cast<const char*>(m_csTitle1), static_cast<const char*>(m_csTitle2), m_nNumQuestSepLines,
                m_nNumQuestChoiceSepLines, m_nPrintMode, m_bTabbedChoices);
    // The margins are the program's, but a page laid out with other margins is another text.
    return text + "\n" + GetPageMargins().GetText();
}

BOOL CCorraDoc::IsAutoSaveSuppressed()
{
    return g_suppressAutoSave.load();
}

void CCorraDoc::SuppressAutoSave(BOOL suppress)
{
    g_suppressAutoSave.store(suppress);
}

void CCorraDoc::SetModifiedFlag(BOOL modified)
{
    CDocument::SetModifiedFlag(modified);
    m_dwModifiedTick = GetTickCount();
    ++m_nChangeCount;
}

void CCorraDoc::DeleteContents()
{
    // The history of what the document held goes with it (the records of deleted questions
    // free them).
    m_undo.Clear();
    m_redo.Clear();
    DeleteQuestionsAll();
    m_csInstructions.Empty();
    m_csTitle1.Empty();
    m_csTitle2.Empty();
    m_csCorraId.Empty();
    m_csInvalidQuestions.Empty();
    m_csReadLoss.Empty();
    m_bNeedsSave = FALSE;
    DeleteGroups();
}

BOOL CCorraDoc::ReadFromFile(LPCSTR lpszPathName)
{
    // A failed read has said so and asked the view to close; only a file that could not be
    // read at all fails the open.
    return ReadCorraDoc(lpszPathName) != readUnreadable;
}

BOOL CCorraDoc::WriteToFile(LPCSTR lpszPathName)
{
    return WriteCorraDoc(lpszPathName) == writeDone;
}

BOOL CCorraDoc::SaveModified()
{
    if (m_bBusy)
        return FALSE;
    // What was typed into the question dialog goes into the document before it is saved.
    if (DocumentDialogs().CheckSaveDlgChanges(*this, MB_YESNOCANCEL) == IDCANCEL)
        return FALSE;
    // The collection windows first: each may write its collection into the document.
    ICorraViewServices& views = CorraViewServices();
    std::vector<CView*> all;
    for (POSITION pos = GetFirstViewPosition(); pos;)
        all.push_back(GetNextView(pos));
    for (CView* view : all) {
        if (views.IsCollectionView(view) && !views.SaveCollectionView(view))
            return FALSE;
    }
    return CDocument::SaveModified();
}

BOOL CCorraDoc::CanCloseFrame(CFrameWnd* pFrame)
{
    return m_bBusy ? FALSE : CDocument::CanCloseFrame(pFrame);
}

BOOL CCorraDoc::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    if (m_bBusy)
        return FALSE;
    if (m_csCorraId.IsEmpty())
        m_csCorraId = MakeCorraId("CID_");
    CString path(lpszPathName ? lpszPathName : "");
    const int kind = GetDocKind();
    const CString ext = "." + CFileTypes::Type2Ext(kind, FALSE);
    if (path.IsEmpty()) {
        CFileDialogRequest request;
        request.kind = CFileDialogRequest::kindSave;
        request.title = "Save As";
        request.folder = m_strPathName.IsEmpty() ? CFileTypes::GetDefDir(kind) : fsys::Folder(m_strPathName);
        request.fileName = m_strPathName.IsEmpty() ? m_strTitle : fsys::FileName(m_strPathName);
        if (m_pDocTemplate)
            m_pDocTemplate->GetDocString(request.filter, CDocTemplate::filterName);
        request.defaultExt = ext;
        request.defaultExt.TrimLeft('.');
        if (!ChooseFilePath(request, path))
            return FALSE;
        if (!ext.IsEmpty() && FileNameExtension(path).CompareNoCase(ext) != 0)
            path += ext;
    }
    if (fsys::Exists(path)) {
        if (fsys::IsReadOnly(path)) {
            CString text;
            text.Format("The file\n\n%s\n\nhas read-only attributes and cannot be overwritten.",
                        static_cast<const char*>(path));
            MessageBoxService().Show(text, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
            return FALSE;
        }
        // A file that was not read whole holds more than the document: it is replaced with
        // what could be read only when the user says so, knowing what goes.
        const BOOL own = FullPathKey(path) == FullPathKey(m_strPathName);
        if (own && !m_csReadLoss.IsEmpty() &&
            MessageBoxService().Show("Replace the damaged file\n\n" + path + "\n\nwith what could be read?\n\n" +
                                         m_csReadLoss +
                                         "\n\nWhat was not read is lost for good when the file is replaced.",
                                     CORRA_PRODUCT_NAME, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return FALSE;
        // Saving to its own file asks nothing; another file is replaced only when the user agrees.
        if (!own &&
            MessageBoxService().Show("A file named\n\n" + path + "\n\nalready exists.\n\nReplace?",
                                     CORRA_PRODUCT_NAME, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return FALSE;
    }
    // The old file is never deleted first: the writer puts a temporary file beside it and
    // renames it over the old one only once it is complete.
    if (!CDocument::DoSave(path, bReplace))
        return FALSE;
    // The file now holds what the document holds.
    if (bReplace)
        m_csReadLoss.Empty();
    // Saved under a new name, the question dialog's title follows it.
    DocumentDialogs().SetQuestionDialogTitle(*this, GetQuestionDlgTitle());
    return TRUE;
}

int CCorraDoc::GetDocKind() const
{
    return DT_CORRA;
}

BOOL CCorraDoc::DoFileSave()
{
    if (m_bBusy)
        return FALSE;
    if (!m_csReadLoss.IsEmpty() && !m_strPathName.IsEmpty()) {
        MessageBoxService().Show(m_strTitle + " was damaged when it was read; save what could be read under another name.",
                                 CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
        return DoSave(nullptr);
    }
    return CDocument::DoFileSave();
}

void CCorraDoc::OnCloseDocument()
{
    if (m_bBusy)
        return;
    DocumentDialogs().CloseDocumentWindows(*this);
    CDocument::OnCloseDocument();
}

CString CCorraDoc::GetQuestionDlgTitle(LPCSTR collection) const
{
    CString title = "QuestDlg/" + m_strTitle;
    if (collection && *collection)
        title += CString("/") + collection;
    return title;
}

// ---- groups

CGroup* CCorraDoc::AddNewGroup(const CGroup& group)
{
    auto* copy = new CGroup(group);
    m_plGroups.AddTail(copy);
    return copy;
}

void CCorraDoc::AddGroups(const CPtrListEx& groups)
{
    for (POSITION pos = groups.GetHeadPosition(); pos;)
        AddNewGroup(*static_cast<const CGroup*>(groups.GetNext(pos)));
}

CGroup* CCorraDoc::FindGroupById(int id) const
{
    for (POSITION pos = m_plGroups.GetHeadPosition(); pos;) {
        auto* group = static_cast<CGroup*>(m_plGroups.GetNext(pos));
        if (group->m_nId == id)
            return group;
    }
    return nullptr;
}

CGroup* CCorraDoc::FindGroupByHeader(const CCorraQuestion* question) const
{
    if (!question)
        return nullptr;
    for (POSITION pos = m_plGroups.GetHeadPosition(); pos;) {
        auto* group = static_cast<CGroup*>(m_plGroups.GetNext(pos));
        if (group->m_pHeaderQuestion == question)
            return group;
    }
    return nullptr;
}

void CCorraDoc::ResetGroupCounters()
{
    for (POSITION pos = m_plGroups.GetHeadPosition(); pos;)
        static_cast<CGroup*>(m_plGroups.GetNext(pos))->m_nCounter = 1;
}

void CCorraDoc::OrderItemsByGroups(CPtrListEx& items, const std::function<int(void*)>& groupIdOf)
{
    for (POSITION pos = m_plGroups.GetHeadPosition(); pos;)
        static_cast<CGroup*>(m_plGroups.GetNext(pos))->m_plWork.RemoveAll();
    CPtrListEx rest;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        void* item = items.GetNext(pos);
        int id = groupIdOf(item);
        CGroup* group = id != 0 ? FindGroupById(id) : nullptr;
        if (!group)
            rest.AddTail(item);
        else if (static_cast<void*>(group->m_pHeaderQuestion) == item)
            group->m_plWork.AddHead(item);
        else
            group->m_plWork.AddTail(item);
    }
    items.RemoveAll();
    for (POSITION pos = m_plGroups.GetHeadPosition(); pos;) {
        auto* group = static_cast<CGroup*>(m_plGroups.GetNext(pos));
        items.AppendList(group->m_plWork);
        group->m_plWork.RemoveAll();
    }
    items.AppendList(rest);
}

int CCorraDoc::GroupItemsByKey(const CPtrListEx& items, const std::function<BOOL(void*, int&)>& keyOf,
                               const std::function<CString(int)>& nameOf,
                               const std::function<void(void*, int)>& setGroupId)
{
    // The groups by key: a key below 1 is no group ID, so its group is the one of its name.
    std::map<int, CGroup*> byKey;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        void* item = items.GetNext(pos);
        int key = 0;
        if (!keyOf(item, key))
            continue;
        CGroup*& group = byKey[key];
        if (!group && key >= 1)
            group = FindGroupById(key);
        CString name = group ? CString() : nameOf(key);
        for (POSITION at = m_plGroups.GetHeadPosition(); !group && key < 1 && at;) {
            auto* existing = static_cast<CGroup*>(m_plGroups.GetNext(at));
            if (existing->m_csName == name)
                group = existing;
        }
        if (!group) {
            group = CGroup::Create(name, key, 0);
            m_plGroups.AddTail(group);
        }
        setGroupId(item, group->m_nId);
        ++group->m_nMemberCount;
    }
    SetModifiedFlag(TRUE);
    return m_plGroups.GetCount();
}

void CCorraDoc::DeleteGroups()
{
    while (!m_plGroups.IsEmpty()) {
        auto* group = static_cast<CGroup*>(m_plGroups.RemoveHead());
        delete group->m_pHeaderQuestion;
        delete group;
    }
}

// ---- questions

BOOL IsCollection(const CCorraQuestion* question)
{
    return question && question->m_nType == static_cast<int>(IDS_QTYPE_CO);
}

namespace {

// Whether a list already holds a question of that INDEX (1 or more).
BOOL HasIndex(const CPtrListEx& list, int index)
{
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        if (AsQuestion(list.GetNext(pos))->m_nIndex == index)
            return TRUE;
    }
    return FALSE;
}

void AddUnique(CPtrListEx& out, CCorraQuestion* question, BOOL bUnique)
{
    if (bUnique && question->m_nIndex >= 1 && HasIndex(out, question->m_nIndex))
        return;
    out.AddTail(question);
}

CString Trimmed(LPCSTR text)
{
    CString t(text ? text : "");
    t.Trim();
    return t;
}

} // namespace

int GetDocQuestions(const CCorraDoc* doc, CPtrListEx& out, BOOL bUnique)
{
    out.RemoveAll();
    if (!doc)
        return 0;
    for (POSITION pos = doc->m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(doc->m_plQuestions.GetNext(pos));
        if (!IsCollection(question))
            AddUnique(out, question, bUnique);
    }
    return out.GetCount();
}

int GetCollectionQuestions(CCorraQuestion* collection, CPtrListEx& out, BOOL bUnique)
{
    out.RemoveAll();
    if (!collection)
        return 0;
    CPtrListEx members;
    collection->GetQuestions(members);
    for (POSITION pos = members.GetHeadPosition(); pos;)
        AddUnique(out, AsQuestion(members.GetNext(pos)), bUnique);
    return out.GetCount();
}

int GetQuestionIds(const CPtrListEx& questions, CDWordArray& ids, BOOL bExpand)
{
    std::vector<DWORD> all;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(questions.GetNext(pos));
        if (bExpand && IsCollection(question)) {
            CDWordArray members;
            question->GetQuestIds(members);
            all.insert(all.end(), members.begin(), members.end());
        } else {
            all.push_back(static_cast<DWORD>(question->m_nId));
        }
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    ids.vec() = all;
    return ids.GetSize();
}

void DeleteQuestionList(CPtrListEx& questions)
{
    while (!questions.IsEmpty())
        delete AsQuestion(questions.RemoveHead());
}

void CCorraDoc::DeleteQuestionsAll()
{
    while (!m_plQuestions.IsEmpty())
        delete AsQuestion(m_plQuestions.RemoveHead());
    m_mIds.Clear();
    m_held.clear();
    m_pInsertBefore = nullptr;
    m_nHighestId = 0;
    m_nHighestIndex = 0;
}

CCorraQuestion* CCorraDoc::CreateQuestion()
{
    return new CCorraQuestion;
}

CCorraQuestion* CCorraDoc::CreateQuestionFrom(const CCorraQuestion& question)
{
    CCorraQuestion* copy = CreateQuestion();
    if (copy)
        *copy = question;
    return copy;
}

CCorraQuestion* CCorraDoc::InsertQuestion(CCorraQuestion* question, LPCSTR collection)
{
    if (!question)
        return nullptr;
    // Already ours: a second entry would be deleted twice.
    if (HoldsQuestion(question))
        return question;
    if (question->m_nId == 0 || m_mIds.Contains(question->m_nId)) {
        // The counter is shared by every document of the installation, so an ID it gives may
        // still be one this document holds: draw until it is free.
        int id = NextQID();
        for (int tries = 0; m_mIds.Contains(id) && tries < 1000000; ++tries)
            id = NextQID();
        question->m_nId = id;
        m_bIdsReassigned = TRUE;
    }
    m_mIds[question->m_nId] = question;
    m_held.insert(question);
    question->SetAuxNumber(0);
    question->SetDoc(this);
    POSITION before = m_pInsertBefore ? m_plQuestions.Find(m_pInsertBefore) : nullptr;
    if (before)
        m_plQuestions.InsertBefore(before, question);
    else
        m_plQuestions.AddTail(question);
    m_nHighestId = std::max(m_nHighestId, question->m_nId);
    m_nHighestIndex = std::max(m_nHighestIndex, question->m_nIndex);
    SetModifiedFlag(TRUE);
    if (collection && *collection) {
        if (CCorraQuestion* target = FindCollection(collection); target && target != question)
            target->AddQuestion(question);
    }
    return question;
}

CCorraQuestion* CCorraDoc::InsertQuestionAt(CCorraQuestion* question, int index)
{
    CCorraQuestion* saved = m_pInsertBefore;
    m_pInsertBefore = index >= 0 ? AsQuestion(m_plQuestions.GetAt(index)) : nullptr;
    CCorraQuestion* inserted = InsertQuestion(question);
    m_pInsertBefore = saved;
    return inserted;
}

void CCorraDoc::SetInsertBefore(CCorraQuestion* question)
{
    m_pInsertBefore = HoldsQuestion(question) ? question : nullptr;
}

CCorraQuestion* CCorraDoc::AddNewQuestion(const CCorraQuestion* question, LPCSTR collection)
{
    if (!question)
        return nullptr;
    CCorraQuestion* copy = CreateQuestionFrom(*question);
    return copy ? InsertQuestion(copy, collection) : nullptr;
}

CCorraQuestion* CCorraDoc::AddDlgQuestion(const CCorraQuestion& question)
{
    CCorraQuestion* copy = CreateQuestionFrom(question);
    if (!copy) {
        LogOutput("CCorraDoc::AddDlgQuestion() - failed to AddNewQuestion()", LOG_ERROR, LOG_HERE);
        return nullptr;
    }
    // Add always makes a new question: collections and groups refer to the old one's ID.
    copy->m_nId = 0;
    // Refused where any other add is (an exam holds one question per INDEX); it says why.
    if (!FilterQuestion(copy, 1)) {
        delete copy;
        return nullptr;
    }
    CCorraQuestion* added = InsertQuestion(copy);
    SetModifiedFlag(TRUE);
    CPtrListEx list;
    list.AddTail(added);
    UpdateAllViews(nullptr, HINT_QUESTIONS_ADDED, &list);
    SelectInMainView(list);
    if (!DocumentDialogs().SelectDlgQuestion(*this, added))
        LogOutput("CCorraDoc::AddDlgQuestion() - failed to SelectQuestion()", LOG_ERROR, LOG_HERE);
    return added;
}

BOOL CCorraDoc::StoreDlgQuestion(int nId, const CCorraQuestion& question)
{
    CCorraQuestion* target = nId != 0 ? FindQuestionById(nId) : nullptr;
    if (!target)
        return FALSE;
    // The question's own marks, group and kind stay; the dialog holds the rest.
    CCorraQuestion stored(*target);
    stored.CQuestion::Copy(question);
    stored.m_dAnswerSize = question.m_dAnswerSize;
    stored.m_nId = nId;
    if (!ReplaceQuestion(stored))
        return FALSE;
    UpdateAllViews(nullptr, HINT_REFRESH);
    return TRUE;
}

BOOL CCorraDoc::SelectDlgQuestion(CCorraQuestion* question)
{
    return DocumentDialogs().SelectDlgQuestion(*this, question);
}

BOOL CCorraDoc::SelectLastInDlg(const CPtrListEx& questions)
{
    return SelectDlgQuestion(questions.IsEmpty() ? nullptr : AsQuestion(questions.GetTail()));
}

CCorraQuestion* CCorraDoc::AddQuestions(const CPtrListEx& questions, CPtrListEx* out, CCorraDoc*, LPCSTR, LPCSTR)
{
    CCorraQuestion* first = nullptr;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        CCorraQuestion* added = AddNewQuestion(AsQuestion(questions.GetNext(pos)));
        if (added && out)
            out->AddTail(added);
        if (!first)
            first = added;
    }
    return first;
}

CCorraQuestion* CCorraDoc::AddHintQuestions(const CUpdate& hint, CPtrListEx* out)
{
    CCorraQuestion* first = nullptr;
    for (POSITION pos = hint.m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* added = AddNewQuestion(AsQuestion(hint.m_plQuestions.GetNext(pos)), hint.m_csSrcTitle);
        if (added && out)
            out->AddTail(added);
        if (!first)
            first = added;
    }
    return first;
}

BOOL CCorraDoc::HoldsQuestion(const CCorraQuestion* question) const
{
    return question && m_held.count(question) != 0;
}

CCorraQuestion* CCorraDoc::FindQuestionBySerial(std::uint64_t serial) const
{
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (question->GetSerial() == serial)
            return question;
    }
    return nullptr;
}

CCorraQuestion* CCorraDoc::FindQuestionById(int id, int* pIndex) const
{
    CCorraQuestion* found = nullptr;
    m_mIds.Lookup(id, found);
    if (pIndex) {
        *pIndex = -1;
        int index = 0;
        for (POSITION pos = m_plQuestions.GetHeadPosition(); found && pos; ++index) {
            if (m_plQuestions.GetNext(pos) == found) {
                *pIndex = index;
                break;
            }
        }
    }
    return found;
}

int CCorraDoc::FindQuestionsByIndex(int index, CPtrListEx& out) const
{
    out.RemoveAll();
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (question->m_nIndex == index)
            out.AddTail(question);
    }
    return out.GetCount();
}

void CCorraDoc::RebuildIdIndex()
{
    m_mIds.Clear();
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        m_mIds.Insert(question->m_nId, question);
    }
}

BOOL CCorraDoc::DetachQuestions(const CPtrListEx& questions)
{
    BOOL ok = TRUE;
    std::unordered_set<void*> gone;
    std::unordered_map<int, const void*> goneIds;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(questions.GetNext(pos));
        // Known by address: a stranger may carry the ID of one of ours, which must stay.
        if (!HoldsQuestion(question) || gone.count(question)) {
            LogError("CCorraDoc::DetachQuestions() - question not found");
            ok = FALSE;
            break;
        }
        gone.insert(question);
        goneIds.emplace(question->m_nId, question);
        m_held.erase(question);
        if (question == m_pInsertBefore)
            m_pInsertBefore = nullptr;
    }
    if (gone.empty())
        return ok;
    // One pass over the collections for all of them: one walk per question made a large
    // removal quadratic.
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* collection = AsQuestion(m_plQuestions.GetNext(pos));
        if (!IsCollection(collection))
            continue;
        CDWordArray ids, kept;
        collection->GetQuestIds(ids);
        for (int i = 0; i < ids.GetSize(); ++i) {
            auto found = goneIds.find(static_cast<int>(ids[i]));
            if (found == goneIds.end() || found->second == collection)
                kept.Add(ids[i]);
        }
        if (kept.GetSize() != ids.GetSize())
            collection->SetQuestIds(kept);
    }
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        POSITION at = pos;
        if (gone.count(m_plQuestions.GetNext(pos)))
            m_plQuestions.RemoveAt(at);
    }
    RebuildIdIndex();
    SetModifiedFlag(TRUE);
    return ok;
}

BOOL CCorraDoc::DeleteQuestions(const CPtrListEx& questions)
{
    CPtrListEx held;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(questions.GetNext(pos));
        if (HoldsQuestion(question) && !held.Find(question))
            held.AddTail(question);
    }
    BOOL ok = DetachQuestions(held);
    // Questions freed outside the undo stack: an undone deletion on the redo stack may name
    // them, and redoing it would take a question made since at the same address for one of
    // them. A change that cannot be undone ends the redo history, as any new action does.
    if (!held.IsEmpty())
        m_redo.Clear();
    for (POSITION pos = held.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(held.GetNext(pos));
        if (!HoldsQuestion(question))
            delete question;
    }
    return ok && held.GetCount() == questions.GetCount();
}

BOOL CCorraDoc::ReplaceQuestion(const CCorraQuestion& question, CCorraQuestion** pReplaced)
{
    CCorraQuestion* mine = nullptr;
    if (!m_mIds.Lookup(question.m_nId, mine) || !mine)
        return FALSE;
    if (mine != &question) {
        *mine = question;
        mine->SetDoc(this);
    }
    SetModifiedFlag(TRUE);
    if (pReplaced)
        *pReplaced = mine;
    return TRUE;
}

BOOL CCorraDoc::ReplaceQuestions(const CPtrListEx& questions, CPtrListEx* out)
{
    BOOL all = TRUE;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        CCorraQuestion* replaced = nullptr;
        if (ReplaceQuestion(*AsQuestion(questions.GetNext(pos)), &replaced)) {
            if (out)
                out->AddTail(replaced);
        } else {
            all = FALSE;
        }
    }
    RebuildIdIndex();
    return all;
}

BOOL CCorraDoc::ReplaceOneQuestion(const CCorraQuestion& question, CCorraQuestion** pReplaced)
{
    CPtrListEx one;
    one.AddTail(const_cast<CCorraQuestion*>(&question));
    CPtrListEx out;
    BOOL ok = ReplaceQuestions(one, &out);
    if (pReplaced)
        *pReplaced = out.IsEmpty() ? nullptr : AsQuestion(out.GetHead());
    return ok;
}

int CCorraDoc::FindDuplicateQuestions(const CPtrListEx& questions, CPtrListEx& found, CPtrListEx& others) const
{
    CUIntIntMap none;
    return FindDuplicateQuestionsMapped(questions, none, found, others);
}

int CCorraDoc::FindDuplicateQuestionsMapped(const CPtrListEx& questions, const CUIntIntMap& idMap, CPtrListEx& found,
                                            CPtrListEx& others) const
{
    found.RemoveAll();
    others.RemoveAll();
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(questions.GetNext(pos));
        int id = question->m_nId;
        idMap.Lookup(static_cast<UINT>(id), id);
        (m_mIds.Contains(id) ? found : others).AddTail(question);
    }
    return found.GetCount();
}

int CCorraDoc::FindDuplicateCollections(const CPtrListEx& questions, CPtrListEx& found, CPtrListEx& others) const
{
    found.RemoveAll();
    others.RemoveAll();
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(questions.GetNext(pos));
        // Only a collection can be a duplicate collection: a question whose text happens to be
        // a collection's name is none.
        (IsCollection(question) && FindCollection(question->m_cszQuestionText) ? found : others).AddTail(question);
    }
    return found.GetCount();
}

void CCorraDoc::UpdateHighestIds()
{
    m_nHighestId = 0;
    m_nHighestIndex = 0;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        m_nHighestId = std::max(m_nHighestId, question->m_nId);
        m_nHighestIndex = std::max(m_nHighestIndex, question->m_nIndex);
    }
}

void CCorraDoc::PickRandomQuestions(CPtrListEx& out, int n)
{
    out.RemoveAll();
    std::vector<CCorraQuestion*> candidates;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (!IsCollection(question))
            candidates.push_back(question);
    }
    int count = std::min({n, GetQuestionCount(), static_cast<int>(candidates.size())});
    // The program's sequence is seeded once per run: seeding it with the time here would pick
    // the same questions again within the second.
    while (out.GetCount() < count) {
        size_t at = static_cast<size_t>(CorraRand()) % candidates.size();
        out.AddTail(candidates[at]);
        candidates.erase(candidates.begin() + static_cast<std::ptrdiff_t>(at));
    }
}

void CCorraDoc::SetChoiceLabelCase(char c)
{
    if (c != 'a' && c != 'A')
        c = 'a';
    // Collections are left alone: their labels number the members.
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (question->m_nType == static_cast<int>(IDS_QTYPE_MC) || question->m_nType == static_cast<int>(IDS_QTYPE_TF))
            question->SetChoiceCase(c);
    }
    SetModifiedFlag(TRUE);
    RefreshChoices();
}

BOOL CCorraDoc::RefreshChoices()
{
    BOOL any = FALSE;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (question->m_nType == static_cast<int>(IDS_QTYPE_MC) || question->m_nType == static_cast<int>(IDS_QTYPE_TF) ||
            IsCollection(question)) {
            question->ClearChoicesCache();
            any = TRUE;
        }
    }
    if (any) {
        SetModifiedFlag(TRUE);
        UpdateAllViews(nullptr, HINT_REFRESH);
    }
    return any;
}

void CCorraDoc::SortQuestions(const std::function<bool(const CCorraQuestion*, const CCorraQuestion*)>& less)
{
    std::vector<CCorraQuestion*> all;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;)
        all.push_back(AsQuestion(m_plQuestions.GetNext(pos)));
    std::stable_sort(all.begin(), all.end(), less);
    m_plQuestions.RemoveAll();
    for (CCorraQuestion* question : all)
        m_plQuestions.AddTail(question);
    SetModifiedFlag(TRUE);
}

// ---- collections

CCorraQuestion* CCorraDoc::FindCollection(LPCSTR name) const
{
    CString wanted = Trimmed(name);
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (IsCollection(question) && Trimmed(question->m_cszQuestionText).CompareNoCase(wanted) == 0)
            return question;
    }
    return nullptr;
}

int CCorraDoc::GetCollections(CPtrListEx& out) const
{
    out.RemoveAll();
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (IsCollection(question))
            out.AddTail(question);
    }
    return out.GetCount();
}

int CCorraDoc::GetCollectionCount() const
{
    CPtrListEx all;
    return GetCollections(all);
}

CCorraQuestion* CCorraDoc::GetOrCreateCollection(LPCSTR name, const CPtrListEx* members, BOOL bShow)
{
    CCorraQuestion* collection = FindCollection(name);
    if (!collection) {
        collection = CreateQuestion();
        collection->m_nType = static_cast<int>(IDS_QTYPE_CO);
        collection->m_cszQuestionText = Trimmed(name);
        collection->m_csKindText = GetCollectionKindWord();
        InsertQuestion(collection);
    }
    if (members) {
        CPtrListEx mine;
        for (POSITION pos = members->GetHeadPosition(); pos;) {
            CCorraQuestion* member = AsQuestion(members->GetNext(pos));
            // A collection holds no collection, and only questions of its document.
            if (HoldsQuestion(member) && !IsCollection(member))
                mine.AddTail(member);
        }
        collection->SetQuestions(mine);
        SetModifiedFlag(TRUE);
    }
    if (bShow)
        ShowCollection(collection);
    return collection;
}

CString CCorraDoc::NewCollectionName() const
{
    for (int n = 1;; ++n) {
        CString name = CString::Formatted("Collection%d", n);
        if (!FindCollection(name))
            return name;
    }
}

BOOL CCorraDoc::PromptCollectionName(CString& name, BOOL bSaveAs, const CCorraQuestion* self, const CView* window)
{
    const CString kind = GetCollectionKindWord();
    CString proposal = name;
    for (;;) {
        CPromptDlg dlg;
        dlg.m_csMessage.Format(bSaveAs ? "Save %s As..." : "Enter %s Name...", static_cast<const char*>(kind));
        dlg.m_csText = proposal;
        dlg.m_bRequireChange = FALSE;
        if (dlg.DoModal() != IDOK)
            return FALSE;
        CString entered = Trimmed(dlg.m_csText);
        proposal = entered;
        CString problem;
        const CCorraQuestion* other = FindCollection(entered);
        if (entered.IsEmpty())
            problem = "Collection name not specified.";
        else if (!IsBlockSafeText(entered, TRUE))
            problem = "A collection name cannot hold \"{\", \"}\" or \"||\".";
        else if (other && other != self)
            problem = entered + " already exists";
        else if (IsCollectionWindowOpen(entered, self, window))
            problem = "There is a collection window already open with this name:\n\n" + entered;
        if (problem.IsEmpty()) {
            name = entered;
            return TRUE;
        }
        MessageBoxService().Show(problem, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CCorraDoc::ShowFileProperties()
{
    CFileProperties props;
    props.title1 = m_csTitle1;
    props.title2 = m_csTitle2;
    const int collections = GetCollectionCount();
    props.questionCount = CString::Formatted("%d", std::max(0, GetQuestionCount() - collections));
    props.collectionCount = CString::Formatted("%d", collections);
    props.corraId = m_csCorraId;
    props.path = m_strPathName;
    if (!DocumentDialogs().FileProperties(*this, props))
        return;
    m_csTitle1 = props.title1;
    m_csTitle2 = props.title2;
    SetModifiedFlag(TRUE);
}

BOOL CCorraDoc::ShowPrintingProperties(int printMode)
{
    CCorraAppBase& app = CorraApp();
    const CString section = GetProfileSection();
    CPrintingValues values;
    values.title1 = m_csTitle1;
    values.title2 = m_csTitle2;
    values.numQuestSepLines = m_nNumQuestSepLines;
    values.numQuestChoiceSepLines = m_nNumQuestChoiceSepLines;
    values.printMode = printMode >= 0 ? printMode : m_nPrintMode;
    values.tabbedChoices = m_bTabbedChoices;
    values.startNumber = m_nFirstQuestionNumber;
    values.showAnswers = m_bShowAnswers;
    values.choicesIndentLevel = app.GetProfileInt(section, "ChoicesIndentLevel", CChoices::GetChoicesIndentLevel());
    values.numChoiceSepSpaces = app.GetProfileInt(section, "NumChoiceSepSpaces", CChoices::GetNumChoiceSepSpaces());
    const CPageMargins margins = GetPageMargins();
    values.leftMargin = app.GetProfileDouble(section, "LeftMargin", margins.left);
    values.rightMargin = app.GetProfileDouble(section, "RightMargin", margins.right);
    values.topMargin = app.GetProfileDouble(section, "TopMargin", margins.top);
    values.bottomMargin = app.GetProfileDouble(section, "BottomMargin", margins.bottom);
    if (!DocumentDialogs().PrintingProperties(*this, values))
        return FALSE;
    TakeAnswerValues(values);
    if (values.title1 != m_csTitle1 || values.title2 != m_csTitle2 ||
        values.numQuestSepLines != m_nNumQuestSepLines || values.numQuestChoiceSepLines != m_nNumQuestChoiceSepLines ||
        values.printMode != m_nPrintMode || values.tabbedChoices != m_bTabbedChoices) {
        m_csTitle1 = values.title1;
        m_csTitle2 = values.title2;
        m_nNumQuestSepLines = values.numQuestSepLines;
        m_nNumQuestChoiceSepLines = values.numQuestChoiceSepLines;
        m_nPrintMode = values.printMode;
        m_bTabbedChoices = values.tabbedChoices;
        SetModifiedFlag(TRUE);
    }
    app.WriteProfileInt(section, "PrintMode", values.printMode);
    app.WriteProfileInt(section, "TabbedChoices", values.tabbedChoices);
    app.WriteProfileInt(section, "ChoicesIndentLevel", values.choicesIndentLevel);
    app.WriteProfileInt(section, "NumChoiceSepSpaces", values.numChoiceSepSpaces);
    app.WriteProfileDouble(section, "LeftMargin", values.leftMargin, 2);
    app.WriteProfileDouble(section, "RightMargin", values.rightMargin, 2);
    app.WriteProfileDouble(section, "TopMargin", values.topMargin, 2);
    app.WriteProfileDouble(section, "BottomMargin", values.bottomMargin, 2);
    CPageMargins after;
    after.left = values.leftMargin;
    after.right = values.rightMargin;
    after.top = values.topMargin;
    after.bottom = values.bottomMargin;
    SetPageMargins(after);
    LoadPrintValues();
    return TRUE;
}

void CCorraDoc::TakeAnswerValues(const CPrintingValues& values)
{
    m_bShowAnswers = values.showAnswers;
    m_nFirstQuestionNumber = std::max(values.startNumber, 1);
}

BOOL CCorraDoc::RenameCollection(CCorraQuestion* collection)
{
    if (!IsCollection(collection) || !HoldsQuestion(collection))
        return FALSE;
    CString name = collection->m_cszQuestionText;
    if (!PromptCollectionName(name, FALSE, collection))
        return FALSE;
    collection->m_cszQuestionText = name;
    SetModifiedFlag(TRUE);
    CUpdate hint;
    hint.m_nRelayout = hint.m_nErase = hint.m_nReload = 1;
    hint.SetView(collection);
    UpdateAllViews(nullptr, HINT_COLLECTION_RENAMED, &hint);
    return TRUE;
}

int CCorraDoc::CollCollCount(CCorraQuestion* collection) const
{
    int count = 0;
    CDWordArray ids;
    collection->GetQuestIds(ids);
    for (DWORD id : ids) {
        CCorraQuestion* member = FindQuestionById(static_cast<int>(id));
        // A member naming no question is only logged; stopping there would leave a
        // collection that follows it nested for good.
        if (!member)
            LogError("CCorraDoc::CollCollCount() - ref to non-existant quest");
        else if (IsCollection(member))
            ++count;
    }
    return count;
}

BOOL CCorraDoc::CleanCollection(CCorraQuestion* collection)
{
    if (CollCollCount(collection) < 1)
        return FALSE;
    CDWordArray ids;
    collection->GetQuestIds(ids);
    CDWordArray kept;
    for (DWORD id : ids) {
        if (!IsCollection(FindQuestionById(static_cast<int>(id))))
            kept.Add(id);
    }
    collection->SetQuestIds(kept);
    LogError("CCorraDoc::CleanCollection() - collection cleaned...");
    LogError(collection->m_cszQuestionText);
    return TRUE;
}

BOOL CCorraDoc::CleanCollections()
{
    BOOL any = FALSE;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (IsCollection(question) && CleanCollection(question))
            any = TRUE;
    }
    return any;
}

CView* CCorraDoc::ShowCollection(CCorraQuestion* collection, BOOL)
{
    if (collection && (!HoldsQuestion(collection) || !IsCollection(collection)))
        return nullptr;
    if (collection && collection->m_pView) {
        collection->BringViewToTop();
        return collection->m_pView.data();
    }
    CView* view = CorraViewServices().OpenCollectionView(*this, collection);
    if (!view)
        return nullptr;
    if (collection) {
        CUpdate hint;
        hint.SetView(collection);
        UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &hint);
    }
    return view;
}

CView* CCorraDoc::ShowQuestionsInCollection(const CPtrListEx& questions, LPCSTR name, BOOL bModified)
{
    ICorraViewServices& views = CorraViewServices();
    CView* view = ShowCollection(nullptr, TRUE);
    if (!view)
        return nullptr;
    views.SetCollection(view, questions);
    views.SetCollectionViewName(view, name);
    views.RefreshCollection(view);
    if (bModified)
        views.SetCollectionViewModified(view);
    return view;
}

CView* CCorraDoc::ShowInvalidQuestions(const CPtrListEx& questions)
{
    try {
        return ShowQuestionsInCollection(questions, "Invalid questions...", FALSE);
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return nullptr;
}

BOOL CCorraDoc::IsCollectionWindowOpen(LPCSTR name, const CCorraQuestion* self, const CView* window) const
{
    ICorraViewServices& views = CorraViewServices();
    const CString wanted = Trimmed(name);
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (view == window || !views.IsCollectionView(view) ||
            Trimmed(views.GetCollectionViewName(view)).CompareNoCase(wanted) != 0)
            continue;
        if (!self || views.GetViewCollection(view) != self)
            return TRUE;
    }
    return FALSE;
}

BOOL CCorraDoc::ShowCollectionByName(LPCSTR name)
{
    CCorraQuestion* collection = FindCollection(name);
    return collection && ShowCollection(collection);
}

BOOL CCorraDoc::ReOrderAllCollections()
{
    BOOL any = FALSE;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (IsCollection(question) && ReOrderCollection(question))
            any = TRUE;
    }
    if (any)
        SetModifiedFlag(TRUE);
    return any;
}

namespace {

CStatistics StatisticsOf(const CCorraDoc& doc, LPCSTR name)
{
    CPtrListEx questions;
    if (name && *name)
        GetCollectionQuestions(doc.FindCollection(name), questions);
    else
        GetDocQuestions(&doc, questions);
    return CStatistics(questions);
}

} // namespace

int CCorraDoc::GetStatisticsTotal(LPCSTR collection) const
{
    return StatisticsOf(*this, collection).GetIndexValueCount();
}

int CCorraDoc::GetStatisticsLastTotal(LPCSTR collection) const
{
    return StatisticsOf(*this, collection).GetNoIndexCount();
}

int CCorraDoc::CollectSubjects(CStringArrayEx& out) const
{
    out.RemoveAll();
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        for (int i = 0; i < question->m_saSubjects.GetSize(); ++i) {
            CString subject = Trimmed(question->m_saSubjects[i]);
            if (!subject.IsEmpty() && out.FindExact(subject, FALSE) < 0)
                out.Add(subject);
        }
    }
    return out.GetSize();
}

// ---- invalid questions

BOOL CCorraDoc::ShowInvalidQuestionReport()
{
    if (ViewLogFile(InvalidReportPath()))
        return TRUE;
    Say("Unable to show invalid question report.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

CString CCorraDoc::InvalidReportPath()
{
    return fsys::Join(GetProgramHome(), "InvldQRept.txt");
}

BOOL CCorraDoc::FindInvalidQuestions(CPtrListEx& out, CString& summary)
{
    const CString path = InvalidReportPath();
    fsys::DeleteFile(path);
    out.RemoveAll();
    summary.Empty();
    std::vector<std::pair<CCorraQuestion*, CString>> found;
    try {
        for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
            CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
            CString reason;
            if (question->Validate(reason))
                continue;
            found.emplace_back(question, reason);
            out.AddTail(question);
            if (found.size() <= 5)
                summary += (summary.IsEmpty() ? "" : "\n") + reason;
            else if (found.size() == 6)
                summary += "\n...others";
        }
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    }
    if (found.empty())
        return TRUE;
    summary = CString::Formatted("Total %d invalid questions found...\n\n", static_cast<int>(found.size())) + summary;
    CString report = CString::Formatted("%-47s%10s%12s%19s\r\n", "Reason", "ID", "Type", "Question Text");
    report += CString('-', 120) + "\r\n";
    for (const auto& [question, reason] : found) {
        CString oneLine = reason;
        oneLine.Replace("\n", " ");
        CString text;
        question->GetQuestionText(text, 1);
        text.Replace("\r", " ");
        text.Replace("\n", " ");
        report.AppendFormat("%-40s%-10d%-10s%.30s\r\n", static_cast<const char*>(oneLine), question->m_nId,
                            static_cast<const char*>(question->GetTypeText()),
                            static_cast<const char*>(text));
    }
    if (!fsys::WriteFileAtomic(path, report.GetString(), static_cast<size_t>(report.GetLength())))
        Say("Failed to create report file.", CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

// ---- undo and redo

void CCorraDoc::AddUndoDelete(CView* pView, const CPtrListEx& questions, LPCSTR description)
{
    auto* context = new CUndoContext(this, pView, UCT_DEL, description);
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(questions.GetNext(pos));
        if (HoldsQuestion(question))
            context->RecordDeletion(question);
    }
    context->SetUndone(FALSE);
    m_undo.Push(context);
    m_redo.Clear();
}

void CCorraDoc::AddUndoReorder(CView* pView, LPCSTR description)
{
    auto* context = new CUndoContext(this, pView, UCT_ORDER, description);
    if (context->m_bCollView)
        context->m_nType = UCT_COLLORDER;
    context->RecordOrder();
    context->SetUndone(FALSE);
    m_undo.Push(context);
    m_redo.Clear();
}

void CCorraDoc::AddUndo(CUndoContext* context)
{
    if (!context)
        return;
    context->SetUndone(FALSE);
    m_undo.Push(context);
    m_redo.Clear();
}

BOOL CCorraDoc::DeleteQuestionsUndoable(CView* pView, const CPtrListEx& questions, LPCSTR description)
{
    CPtrListEx held;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(questions.GetNext(pos));
        if (HoldsQuestion(question) && !held.Find(question))
            held.AddTail(question);
    }
    if (held.IsEmpty())
        return FALSE;
    AddUndoDelete(pView, held, description);
    // Taken out of the document, the questions are the context's from here on.
    BOOL ok = DetachQuestions(held);
    m_undo.Top()->Keep(held);
    CUpdate hint;
    hint.SetQuestions(&held);
    UpdateAllViews(nullptr, HINT_QUESTIONS_DELETED, &hint);
    return ok;
}

BOOL CCorraDoc::Undo()
{
    return m_undo.MoveTop(m_redo, TRUE);
}

BOOL CCorraDoc::Redo()
{
    return m_redo.MoveTop(m_undo, FALSE);
}

CString CCorraDoc::GetUndoText() const
{
    CUndoContext* top = m_undo.Top();
    return top ? top->GetDescription() : CString();
}

CString CCorraDoc::GetRedoText() const
{
    CUndoContext* top = m_redo.Top();
    return top ? top->GetDescription() : CString();
}

void CCorraDoc::GetViewOrder(CView* pView, CPtrListEx& out)
{
    out.RemoveAll();
    if (!pView || !CorraViewServices().GetListOrder(pView, out))
        out = m_plQuestions;
}

void CCorraDoc::SetViewOrder(CView* pView, const CPtrListEx& order)
{
    ICorraViewServices& views = CorraViewServices();
    if (pView && views.IsCollectionView(pView)) {
        // A collection window keeps its order until it is saved into the document.
        views.SetItemOrder(pView, order);
        return;
    }
    if (pView) {
        views.SetItemOrder(pView, order);
        TakeOrderFromViews(TRUE);
    } else {
        TakeOrder(order, TRUE);
    }
    UpdateAllViews(pView, HINT_REFRESH);
}

CView* CCorraDoc::GetCorraView() const
{
    ICorraViewServices& views = CorraViewServices();
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CView* view = GetNextView(pos);
        if (views.GetPaneIndex(view) == 0)
            return view;
    }
    return nullptr;
}

CView* CCorraDoc::GetCollectionView() const
{
    CView* main = GetCorraView();
    return main ? CorraViewServices().GetPartner(main) : nullptr;
}

CFrameWnd* CCorraDoc::GetFirstFrame() const
{
    CView* first = GetFirstView();
    return first ? first->GetParentFrame() : nullptr;
}

BOOL CCorraDoc::ActivateFirstFrame()
{
    CFrameWnd* frame = GetFirstFrame();
    if (frame)
        frame->ActivateFrame();
    return frame != nullptr;
}

void CCorraDoc::ShowAllFrames(int nCmdShow)
{
    std::vector<CFrameWnd*> frames;
    for (POSITION pos = GetFirstViewPosition(); pos;) {
        CFrameWnd* frame = GetNextView(pos)->GetParentFrame();
        if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    // The question dialog would float alone over the other documents.
    if (nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINIMIZED)
        DocumentDialogs().HideQuestionDialog(*this);
    for (CFrameWnd* frame : frames)
        frame->ActivateFrame(nCmdShow);
}

void CCorraDoc::TakeOrderFromViews(BOOL bModified)
{
    ICorraViewServices& views = CorraViewServices();
    CView* main = GetCorraView();
    CPtrListEx order;
    if (main)
        views.GetListOrder(main, order);
    if (CView* partner = main ? views.GetPartner(main) : nullptr) {
        CPtrListEx collections;
        if (views.GetListOrder(partner, collections))
            order.AppendList(collections);
    }
    TakeOrder(order, bModified);
}

int CCorraDoc::GetSelectedQuestions(CPtrListEx& out) const
{
    out.RemoveAll();
    CView* main = GetCorraView();
    return main ? CorraViewServices().GetSelectedItems(main, out) : 0;
}

void CCorraDoc::SelectInMainView(const CPtrListEx& questions)
{
    CView* main = GetCorraView();
    if (!main)
        return;
    // Exactly these: what was selected before goes, even when the list is empty.
    if (questions.IsEmpty()) {
        CorraViewServices().SelectQuestion(main, nullptr, SELQ_DESELECT_FIRST);
        return;
    }
    UINT flags = SELQ_DESELECT_FIRST | SELQ_VISIBLE;
    for (POSITION pos = questions.GetHeadPosition(); pos; flags = 0)
        CorraViewServices().SelectQuestion(main, AsQuestion(questions.GetNext(pos)), flags);
}

void CCorraDoc::UnselectAll()
{
    CPtrListEx none;
    SelectInMainView(none);
    DocumentDialogs().ClearQuestionDialog(*this);
}

void CCorraDoc::TakeOrder(const CPtrListEx& order, BOOL bModified)
{
    CPtrListEx result;
    std::unordered_set<void*> taken;
    for (POSITION pos = order.GetHeadPosition(); pos;) {
        void* p = order.GetNext(pos);
        if (m_held.count(static_cast<CCorraQuestion*>(p)) && taken.insert(p).second)
            result.AddTail(p);
    }
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        void* p = m_plQuestions.GetNext(pos);
        if (taken.insert(p).second)
            result.AddTail(p);
    }
    m_plQuestions = result;
    if (bModified)
        SetModifiedFlag(TRUE);
}

// ---- question groups

int CCorraDoc::UngroupQuestions(int id)
{
    int cleared = 0;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (IsCollection(question) || question->m_nMemberId == 0)
            continue;
        if (id == -1 || question->m_nMemberId == id) {
            question->m_nMemberId = 0;
            ++cleared;
        }
    }
    if (cleared)
        SetModifiedFlag(TRUE);
    return cleared;
}

void CCorraDoc::DeleteAllGroups()
{
    while (!m_plGroups.IsEmpty()) {
        auto* group = static_cast<CGroup*>(m_plGroups.RemoveHead());
        delete group->m_pHeaderQuestion;
        delete group;
        SetModifiedFlag(TRUE);
    }
    UngroupQuestions(-1);
}

void CCorraDoc::MakeGroupHeaderQuestions(CPtrListEx& out)
{
    for (POSITION pos = m_plGroups.GetHeadPosition(); pos;) {
        auto* group = static_cast<CGroup*>(m_plGroups.GetNext(pos));
        if (!(group->m_dwFlags & GROUP_USES_HEADER))
            continue;
        CCorraQuestion* header = group->m_pHeaderQuestion ? group->m_pHeaderQuestion : CreateQuestion();
        header->m_nId = NextQID();
        header->m_nType = static_cast<int>(IDS_QTYPE_ES);
        header->m_cszQuestionText = group->m_csText;
        header->m_nMemberId = group->m_nId;
        header->m_dAnswerSize = 0;
        group->m_pHeaderQuestion = header;
        out.AddTail(header);
    }
}

int CCorraDoc::GroupQuestions(int mode, BOOL bDeleteFirst)
{
    if (bDeleteFirst)
        DeleteAllGroups();
    auto keyOf = [mode](void* p, int& key) {
        CCorraQuestion* question = AsQuestion(p);
        key = mode == 1 ? question->m_nType : question->m_nLevel;
        return IsCollection(question) ? FALSE : TRUE;
    };
    auto nameOf = [mode](int key) {
        return mode == 1 ? LoadStringId(static_cast<UINT>(key)) : CString::Formatted("Level %d", key);
    };
    auto setGroup = [](void* p, int id) { AsQuestion(p)->m_nMemberId = id; };
    return GroupItemsByKey(m_plQuestions, keyOf, nameOf, setGroup);
}

void CCorraDoc::ApplyGroupOrder(CPtrListEx* questions, BOOL bNotify, BOOL bCollections)
{
    auto groupIdOf = [](void* p) {
        CCorraQuestion* question = AsQuestion(p);
        return IsCollection(question) ? 0 : question->m_nMemberId;
    };
    OrderItemsByGroups(questions ? *questions : m_plQuestions, groupIdOf);
    SetModifiedFlag(TRUE);
    if (bCollections) {
        for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
            CCorraQuestion* collection = AsQuestion(m_plQuestions.GetNext(pos));
            if (!IsCollection(collection))
                continue;
            CPtrListEx members;
            collection->GetQuestions(members);
            OrderItemsByGroups(members, groupIdOf);
            // Members that name no question keep their place at the end: nothing is dropped.
            CDWordArray ids;
            for (POSITION at = members.GetHeadPosition(); at;)
                ids.Add(static_cast<DWORD>(AsQuestion(members.GetNext(at))->m_nId));
            CDWordArray all;
            collection->GetQuestIds(all);
            for (DWORD id : all) {
                if (!FindQuestionById(static_cast<int>(id)))
                    ids.Add(id);
            }
            collection->SetQuestIds(ids);
        }
        // The collection windows show their members in the new order.
        ICorraViewServices& views = CorraViewServices();
        std::vector<CView*> shown;
        for (POSITION pos = GetFirstViewPosition(); pos;)
            shown.push_back(GetNextView(pos));
        for (CView* view : shown) {
            if (views.IsCollectionView(view))
                views.RefreshCollection(view);
        }
    }
    if (bNotify) {
        CUpdate hint;
        hint.m_nReload = 1;
        UpdateAllViews(nullptr, HINT_REORDERED_BY_GROUPS, &hint);
    }
}

int CCorraDoc::SelectGroupMembers(int id)
{
    CPtrListEx members;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(m_plQuestions.GetNext(pos));
        if (!IsCollection(question) && question->m_nMemberId == id)
            members.AddTail(question);
    }
    SelectInMainView(members);
    return members.GetCount();
}

// ---- open, new, close

BOOL CCorraDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    OnOpenOrNew();
    return TRUE;
}

BOOL CCorraDoc::OnOpenDocument(LPCSTR lpszPathName)
{
    SetPathName(lpszPathName, FALSE);
    if (!CDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    OnOpenOrNew();
    return TRUE;
}

CString CCorraDoc::MasterSubjectListPath()
{
    CString name = CorraApp().GetProfileString("Settings", "SubjectFile", "Subjects.txt");
    return fsys::IsAbsolute(name) ? name : fsys::Join(CFileTypes::GetDefDir(DT_DATA), name);
}

void CCorraDoc::OnOpenOrNew()
{
    DocumentDialogs().SetQuestionDialogTitle(*this, GetQuestionDlgTitle());
    CTextListFile master(255);
    const CString path = MasterSubjectListPath();
    master.Read(path);
    CStringArrayEx all;
    CollectSubjects(all);
    CStringArrayEx fresh;
    for (int i = 0; i < all.GetSize(); ++i) {
        if (master.GetLines().FindExact(all[i], FALSE) < 0 && m_saKnownSubjects.FindExact(all[i], FALSE) < 0)
            fresh.Add(all[i]);
    }
    if (fresh.IsEmpty())
        return;
    if (DocumentDialogs().OfferNewSubjects(*this, fresh)) {
        for (int i = 0; i < fresh.GetSize(); ++i)
            m_saKnownSubjects.Add(fresh[i]);
        return;
    }
    CRichMessage message;
    message.title = "New Subjects...";
    message.style = RMB_YESNOCANCEL;
    message.pane[0] = "The document just opened contains subjects currently not in the Master Subject List.  Do you wish to add them?";
    message.pane[1] = fresh.Join();
    message.cancel = "More Info";
    int answer = RichMessageBoxService().Show(message);
    if (answer == IDYES) {
        // The first subjects of an installation start its master list.
        if (!fsys::IsFile(path) && fsys::WriteFile(path, "", 0))
            master.Read(path);
        for (int i = 0; i < fresh.GetSize(); ++i) {
            if (master.Find(fresh[i], FALSE) < 0)
                master.Add(fresh[i]);
        }
        master.Save();
    } else {
        master.SetKeepFile(TRUE);
    }
    // Asked once per document: the same subjects are not offered again.
    for (int i = 0; i < fresh.GetSize(); ++i)
        m_saKnownSubjects.Add(fresh[i]);
}

void CCorraDoc::CloseDocument()
{
    if (SaveModified())
        OnCloseDocument();
}

// ---- fonts

namespace {

// The text with the font given to all of it, as RTF. A text the control cannot give back keeps
// what it was (logged): an empty rewrite would lose the question's text.
BOOL WithFont(CHVRichEditCtrl& ctrl, CString& text, const LOGFONT& lf, DWORD mask, BOOL bDefault, int nId)
{
    ctrl.SetText(text, SF_RTF);
    ctrl.SelectAll();
    ctrl.SetSelectionLogFont(lf, mask);
    // Text in the program's question font is drawn at that font's size and styles unless marked
    // as set by hand: a chosen size or style is marked so, the default's unmarked.
    CHARFORMAT2 marks;
    marks.dwMask = ((mask & CFM_SIZE) ? CFM_EMBOSS : 0) |
                   ((mask & (CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE)) ? CFM_SHADOW : 0);
    marks.dwEffects = bDefault ? 0 : marks.dwMask;  // these effects' bits are their mask bits
    if (marks.dwMask)
        ctrl.SetSelectionCharFormat(marks);
    CString out;
    ctrl.StreamOutText(out, SF_RTF);
    if (out.IsEmpty() || (ctrl.GetTextLength() == 0 && !IsRtfEmpty(text))) {
        LogError(CString::Formatted("CCorraDoc::SetAllFonts() - could not rewrite the text of question %d, kept as it was",
                                    nId));
        return FALSE;
    }
    text = out;
    return TRUE;
}

} // namespace

BOOL CCorraDoc::SetAllFonts()
{
    // The dialog's question may be one of those about to change.
    if (DocumentDialogs().IsQuestionDialogBusy(*this))
        return FALSE;
    CDocumentFonts fonts;
    IDocumentFontsDialog* dialog = DocumentFontsDialogSlot().Installed();
    if (!dialog || DocumentDialogs().CheckSaveDlgChanges(*this, MB_YESNO) == IDCANCEL)
        return FALSE;
    if (!dialog->Run(*this, fonts) || (!fonts.textMask && !fonts.choicesMask && !fonts.answerMask))
        return FALSE;
    CPtrListEx chosen;
    if (fonts.bAll)
        GetDocQuestions(this, chosen);
    else
        GetSelectedQuestions(chosen);
    CHVRichEditCtrl ctrl;
    ctrl.resize(300, 200);
    ctrl.hide();
    BOOL any = FALSE;
    for (POSITION pos = chosen.GetHeadPosition(); pos;) {
        CCorraQuestion* question = AsQuestion(chosen.GetNext(pos));
        if (IsCollection(question) || !HoldsQuestion(question))
            continue;
        const int id = question->m_nId;
        if (fonts.textMask && !question->m_cszQuestionText.IsEmpty())
            any |= WithFont(ctrl, question->m_cszQuestionText, fonts.textFont, fonts.textMask, fonts.bTextDefault, id);
        if (fonts.answerMask && CCorraQuestion::HasAnswerSpace(question->m_nType) && !question->m_cszAnswer.IsEmpty())
            any |= WithFont(ctrl, question->m_cszAnswer, fonts.answerFont, fonts.answerMask, fonts.bAnswerDefault, id);
        if (!fonts.choicesMask)
            continue;
        if (question->m_nType == static_cast<int>(IDS_QTYPE_MC)) {
            // True and false keep their fixed choices.
            for (int i = 0; i < question->m_Choices.GetCount(); ++i) {
                CString text = question->m_Choices.GetChoiceText(i);
                if (!WithFont(ctrl, text, fonts.choicesFont, fonts.choicesMask, fonts.bChoicesDefault, id))
                    continue;
                if (!question->m_Choices.SetChoice(i, question->m_Choices.GetChoiceId(i), text))
                    LogError("CCorraDoc::SetAllFonts() - failed to SetChoicesText()...");
            }
            question->ClearChoicesCache();
            any = TRUE;
        } else if (!question->IsChoiceType() && !question->m_cszChoicesText.IsEmpty()) {
            any |= WithFont(ctrl, question->m_cszChoicesText, fonts.choicesFont, fonts.choicesMask, fonts.bChoicesDefault, id);
        }
    }
    if (any) {
        SetModifiedFlag(TRUE);
        UpdateAllViews(nullptr, HINT_REFRESH);
        DocumentDialogs().DocumentFontsChanged(*this);
    }
    return any;
}
