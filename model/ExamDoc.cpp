#include "model/ExamDoc.h"

#include "foundation/CorraAppBase.h"
#include "foundation/EncryptedArchive.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/Numbering.h"
#include "foundation/Util.h"
#include "model/Choices.h"
#include "model/DocumentDialogs.h"
#include "model/ExamDialogs.h"
#include "model/DocText.h"
#include "model/ExamQuestion.h"
#include "model/Update.h"
#include "platform/core/ClipboardFormats.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/Wnd.h"
#include "res/ids/Exam.h"
#include "res/ids/QuestionTypes.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

CExamPrintSettings g_printSettings;
UINT g_cfExamQuestionList = 0;
UINT g_cfExamCollectionList = 0;

CExamQuestion* AsExam(void* p)
{
    return dynamic_cast<CExamQuestion*>(static_cast<CCorraQuestion*>(p));
}

int Say(const CString& text, UINT style = MB_OK | MB_ICONEXCLAMATION)
{
    return MessageBoxService().Show(text, CORRA_PRODUCT_NAME, style);
}

void LogError(LPCSTR text)
{
    LogOutput(text, LOG_ERROR, LOG_HERE);
}

// The key under which two paths naming one file meet.
CString PathKey(LPCSTR path)
{
    return FullPathKey(path);
}

// The bank document open under path, when the application has one.
CCorraDoc* FindOpenCorraDoc(LPCSTR path)
{
    CWinApp* app = AfxGetApp();
    if (!app || !path || !*path)
        return nullptr;
    const CString key = PathKey(path);
    for (POSITION pos = app->GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(pos);
        for (POSITION at = docTemplate->GetFirstDocPosition(); at;) {
            auto* doc = dynamic_cast<CCorraDoc*>(docTemplate->GetNextDoc(at));
            if (doc && !doc->GetPathName().IsEmpty() && PathKey(doc->GetPathName()) == key)
                return doc;
        }
    }
    return nullptr;
}

// The bank document of a file: the open one, or one read for the caller (owned by holder).
CCorraDoc* GetCorraDoc(LPCSTR path, std::unique_ptr<CCorraDoc>& holder)
{
    if (CCorraDoc* open = FindOpenCorraDoc(path))
        return open;
    if (!path || !*path || !fsys::IsFile(path))
        return nullptr;
    // Read without a window: nothing is shown, and nothing is saved back.
    const BOOL suppressed = CCorraDoc::IsAutoSaveSuppressed();
    CCorraDoc::SuppressAutoSave(TRUE);
    auto doc = std::make_unique<CCorraDoc>();
    const CCorraDoc::ReadOutcome outcome = doc->ReadCorraDoc(path);
    CCorraDoc::SuppressAutoSave(suppressed);
    if (outcome != CCorraDoc::readComplete)
        return nullptr;
    holder = std::move(doc);
    return holder.get();
}

// The question changed in place: its rows are redrawn (code HINT_REFRESH with every switch off),
// or, after a fixed position changed, the lists check their order again (HINT_REREAD).
void TellViews(CExamDoc& exam, CCorraQuestion* question, LPARAM code = HINT_REFRESH)
{
    CUpdate hint;
    hint.SetView(question);
    exam.UpdateAllViews(nullptr, code, &hint);
}

} // namespace

const CDocViewKind s_examDocKind(typeid(CExamDoc), DVK_EXAMDOC);

// ---- construction and settings

CExamDoc::CExamDoc() : CCorraDoc(PROFILE_SECTION)
{
    BindExamCommands();
    BindFormCommands();
}

CExamDoc::~CExamDoc()
{
    CorraApp().WriteProfileString("ExamForm", "FormNameFmt", g_printSettings.formNameFmt);
}

CExamPrintSettings& CExamDoc::PrintSettings()
{
    return g_printSettings;
}

void CExamDoc::LoadDefaults()
{
    CCorraAppBase& app = CorraApp();
    CExamPrintSettings s;
    auto flag = [&](LPCSTR section, LPCSTR key, BOOL def) { return app.GetProfileInt(section, key, def) != 0; };
    auto number = [&](LPCSTR section, LPCSTR key, int def) { return app.GetProfileInt(section, key, def); };
    auto text = [&](LPCSTR section, LPCSTR key, LPCSTR def) { return app.GetProfileString(section, key, def); };
    s.printHdr = flag("ExamHdr", "PrintHdr", TRUE);
    s.everyPage = flag("ExamHdr", "EveryPage", TRUE);
    s.firstPageOnly = flag("ExamHdr", "FirstPageOnly", FALSE);
    s.useCourseName = flag("ExamHdr", "PrintUseCourseName", TRUE);
    s.useExamTitle = flag("ExamHdr", "PrintUseExamTitle", TRUE);
    s.useStudentId = flag("ExamHdr", "PrintUseStudentId", TRUE);
    s.useStudentName = flag("ExamHdr", "PrintUseStudentName", TRUE);
    s.studentNamePrompt = text("ExamHdr", "StudentNamePrompt", "Name__________");
    s.studentIdPrompt = text("ExamHdr", "StudentIdPrompt", "SS# __ __ __ __");
    s.courseNamePosIndex = number("ExamHdr", "CourseNamePosIndex", 0);
    s.examTitlePosIndex = number("ExamHdr", "ExamTitlePosIndex", 3);
    s.studentNamePosIndex = number("ExamHdr", "StudentNamePosIndex", 2);
    s.studentIdPosIndex = number("ExamHdr", "StudentIdPosIndex", 5);
    s.useImage = flag("ExamHdr", "PrintUseImage", FALSE);
    s.imagePosIndex = number("ExamHdr", "ImagePosIndex", 0);
    app.GetProfilePath(s.imageFile, "ExamHdr", "ImageFile", "");
    s.imageSize = number("ExamHdr", "ImageSize", 0);
    s.imageBrightness = number("ExamHdr", "ImageBrightness", 0);
    s.printFtr = flag("ExamFtr", "PrintFtr", TRUE);
    s.fileName = flag("ExamFtr", "FileName", TRUE);
    s.formName = flag("ExamFtr", "FormName", TRUE);
    s.pageNum = flag("ExamFtr", "PageNum", TRUE);
    s.filenamePosIndex = number("ExamFtr", "FilenamePosIndex", 0);
    s.pageNumPosIndex = number("ExamFtr", "PageNumPosIndex", 1);
    s.formNamePosIndex = number("ExamFtr", "FormNamePosIndex", 2);
    s.formNameOutputFmt = text("ExamFtr", "FormNameOutputFmt", "");
    s.pageNumFmt = text("ExamFtr", "PageNumFmt", "Page %d");
    s.fileLabelFmt = text("ExamFtr", "FileLabelFmt", "File: %s");
    s.formNameFmt = text("ExamForm", "FormNameFmt", "Form %a");
    g_printSettings = s;
    if (!g_cfExamQuestionList)
        g_cfExamQuestionList = RegisterClipboardFormat(EXAM_QUESTION_LIST_FORMAT);
    if (!g_cfExamCollectionList)
        g_cfExamCollectionList = RegisterClipboardFormat(EXAM_COLLECTION_LIST_FORMAT);
}

UINT CExamDoc::QuestionListFormat()
{
    return g_cfExamQuestionList;
}

UINT CExamDoc::CollectionListFormat()
{
    return g_cfExamCollectionList;
}

BOOL IsValidFormNameFormat(LPCSTR format)
{
    const CString text(format ? format : "");
    return text.Find("%a") >= 0 || text.Find("%A") >= 0 || text.Find("%d") >= 0;
}

CString CExamDoc::FormatFormName(LPCSTR format, int n)
{
    CString name(format ? format : "");
    // Letters past "z" go on as numbered lists do: "aa", "bb", never the characters after "z".
    if (name.Find("%a") >= 0)
        name.Replace("%a", CNumbering(CNumbering::NUM_LOWER_LETTER, n + 1).GetText());
    else if (name.Find("%A") >= 0)
        name.Replace("%A", CNumbering(CNumbering::NUM_UPPER_LETTER, n + 1).GetText());
    else {
        if (name.Find("%d") < 0)
            name += "%d";
        name.Replace("%d", CString::Formatted("%d", n));
    }
    // A form's name is stored in a brace block: braces and the counts' separator become what
    // the writer would make of them, so the name found after a save is the name made here.
    if (!IsBlockSafeText(name, TRUE)) {
        name.Replace('{', '(');
        name.Replace('}', ')');
        while (name.Replace("||", "|") > 0) {
        }
    }
    return name;
}

void CExamDoc::BindExamCommands()
{
    BindCommand(ID_EXAM_PROPERTIES, [this] { ShowFileProperties(); });
    BindCommand(ID_EXAM_CHECK_LINKS, [this] { CheckCorraLinks(TRUE, nullptr, FALSE); });
    BindCommand(ID_EXAM_ADD_RANDOM, [this] {
        if (CWnd* main = AfxGetMainWnd())
            main->PostMessage(WM_CORRA_ADD_RANDOM, 0, reinterpret_cast<LPARAM>(this));
        ActivateFirstFrame();
    });
}

int CExamDoc::GetDocKind() const
{
    return DT_EXAM;
}

CCorraQuestion* CExamDoc::CreateQuestion()
{
    return new CExamQuestion;
}

template <typename F>
void CExamDoc::ForEachExamQuestion(F&& f) const
{
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        CExamQuestion* question = AsExam(m_plQuestions.GetNext(pos));
        if (question && !IsCollection(question))
            f(question);
    }
}

// ---- reading and adding

BOOL CExamDoc::FilterQuestion(CCorraQuestion* question, int mode)
{
    if (!question || question->m_nIndex == 0)
        return TRUE;
    CPtrListEx same;
    if (FindQuestionsByIndex(question->m_nIndex, same) == 0)
        return TRUE;
    if (mode == 1) {
        Say(CString::Formatted("Attempted to add question with duplicate index: %d", question->m_nIndex));
        return FALSE;
    }
    if (mode == 2)
        Say(CString::Formatted("Warning:  this exam contains a duplicated index: %d", question->m_nIndex), MB_OK);
    return TRUE;
}

void CExamDoc::AfterReadCheck()
{
    CCorraDoc::AfterReadCheck();
    if (!IsAutoSaveSuppressed())
        PostViewMessage(WM_CORRA_LINKCHECK);
}

void CExamDoc::OnOpenOrNew()
{
    CCorraDoc::OnOpenOrNew();
    DocumentDialogs().SetGroupsWindowTitle(*this, m_strTitle + " - Groups");
}

CView* CExamDoc::ShowCollection(CCorraQuestion* form, BOOL bPlain)
{
    if (bPlain)
        return CCorraDoc::ShowCollection(form, TRUE);
    if (form && (!HoldsQuestion(form) || !IsCollection(form)))
        return nullptr;
    if (form && form->m_pView) {
        form->BringViewToTop();
        return form->m_pView.data();
    }
    CView* view = ExamDialogs().NewFormView(*this);
    CCorraQuestion* shown = view ? ExamDialogs().GetViewForm(view) : nullptr;
    if (!shown) {
        if (view)
            CorraViewServices().CloseCollectionView(view, TRUE);
        return nullptr;
    }
    // The view works on a copy of its own (members, scramble list) until it is saved.
    CPtrListEx members;
    if (form) {
        *shown = *form;
        form->GetQuestions(members);
        // Shown again, the form brings this window forward instead of opening another.
        form->m_pView = view;
        ExamDialogs().AttachFormView(view, form);
    }
    CorraViewServices().SetCollection(view, members);
    CorraViewServices().RefreshCollection(view);
    CUpdate hint;
    hint.SetView(form);
    UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &hint);
    return view;
}

CExamQuestion* CExamDoc::CreateLinkedQuestion(const CCorraQuestion& source, LPCSTR corraFile, LPCSTR identityName)
{
    auto* added = dynamic_cast<CExamQuestion*>(AddNewQuestion(&source));
    if (added && corraFile && *corraFile && fsys::IsFile(corraFile)) {
        added->SetLink(corraFile, identityName);
        added->m_nLinkId = source.m_nId;
        added->m_tLinked = CTime::GetCurrentTime();
        added->m_bOutOfDate = FALSE;
    }
    return added;
}

void CExamDoc::ShowUnlinkedWarning(UINT paneId)
{
    if (m_bUnlinkedWarned)
        return;
    m_bUnlinkedWarned = TRUE;
    CRichMessage message;
    message.title = "Unlinked Question Warning...";
    message.style = RMB_OK;
    message.pane[0] = LoadStringId(IDS_EXAM_UNLINKED);
    message.pane[1] = LoadStringId(paneId);
    message.helpId = 136;
    RichMessageBoxService().Show(message);
}

CCorraQuestion* CExamDoc::AddQuestions(const CPtrListEx& questions, CPtrListEx* out, CCorraDoc* source,
                                       LPCSTR sourcePath, LPCSTR identityName)
{
    if (source == this)
        return nullptr;
    CString path(sourcePath ? sourcePath : "");
    CString identity(identityName ? identityName : "");
    CCorraQuestion* first = nullptr;
    auto take = [&](CExamQuestion* added) {
        if (!added)
            return;
        added->SetAuxNumber(0);
        if (out)
            out->AddTail(added);
        if (!first)
            first = added;
    };
    const BOOL fromExam = dynamic_cast<CExamDoc*>(source) != nullptr ||
                          (!source && !path.IsEmpty() && CFileTypes::Ext2Type(path) == DT_EXAM);
    if (fromExam) {
        for (POSITION pos = questions.GetHeadPosition(); pos;) {
            auto* question = static_cast<CCorraQuestion*>(questions.GetNext(pos));
            const CExamQuestion* linked = dynamic_cast<const CExamQuestion*>(question);
            CExamQuestion* added = dynamic_cast<CExamQuestion*>(AddNewQuestion(question));
            // The copy keeps the link the question has (none when it has none).
            if (added && !(linked && linked->m_bLinked))
                added->Unlink();
            take(added);
        }
        return first;
    }
    if (!fsys::IsFile(path)) {
        if (source)
            path = source->GetPathName();
        else if (!path.IsEmpty())
            if (CCorraDoc* open = FindOpenCorraDoc(path)) {
                source = open;
                path = open->GetPathName();
            }
    }
    if (!fsys::IsFile(path)) {
        if (!source) {
            ShowUnlinkedWarning(IDS_EXAM_UNLINKED_GONE);
        } else {
            ShowUnlinkedWarning(IDS_EXAM_UNLINKED_UNSAVED);
            identity = source->m_csCorraId;
        }
    } else if (identity.IsEmpty() && source) {
        identity = source->m_csCorraId;
    }
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* question = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (!FilterQuestion(question, 1))
            continue;
        take(CreateLinkedQuestion(*question, path, identity));
    }
    return first;
}

BOOL CExamDoc::ReplaceQuestion(const CCorraQuestion& question, CCorraQuestion** pReplaced)
{
    if (CCorraDoc::ReplaceQuestion(question, pReplaced))
        return TRUE;
    CPtrListEx same;
    if (question.m_nIndex == 0 || FindQuestionsByIndex(question.m_nIndex, same) == 0)
        return FALSE;
    auto* mine = static_cast<CCorraQuestion*>(same.GetHead());
    // Forms and scramble lines name the exam question by its ID: it stays.
    const int id = mine->m_nId;
    mine->CQuestion::Copy(question);
    mine->m_nId = id;
    SetModifiedFlag(TRUE);
    if (pReplaced)
        *pReplaced = mine;
    return TRUE;
}

// ---- links

BOOL CExamDoc::CheckLinkTimes(CPtrListEx* out)
{
    // One time per file, by its full path: two banks of the same name in different folders
    // are different files.
    std::map<CString, std::time_t> times;
    BOOL current = TRUE;
    std::vector<CExamQuestion*> stale;
    ForEachExamQuestion([&](CExamQuestion* question) {
        if (!question->m_bLinked)
            return;
        const CString key = PathKey(question->m_csCorraFile);
        auto it = times.find(key);
        if (it == times.end())
            it = times.emplace(key, fsys::IsFile(question->m_csCorraFile) ? fsys::GetModTime(question->m_csCorraFile)
                                                                           : std::time_t(0))
                     .first;
        question->m_bOutOfDate = it->second > question->m_tLinked.GetTime();
        if (question->m_bOutOfDate) {
            current = FALSE;
            stale.push_back(question);
        }
    });
    for (CExamQuestion* question : stale) {
        TellViews(*this, question);
        if (out)
            out->AddTail(question);
    }
    return current;
}

BOOL CExamDoc::GetMissingLinks(CPtrListEx* out)
{
    BOOL none = TRUE;
    ForEachExamQuestion([&](CExamQuestion* question) {
        if (!question->m_bLinked || fsys::Exists(question->m_csCorraFile))
            return;
        none = FALSE;
        if (out)
            out->AddTail(question);
    });
    return none;
}

BOOL CExamDoc::UpdateOutOfDateQuestions(const CPtrListEx* questions)
{
    std::vector<CExamQuestion*> chosen;
    const CPtrListEx& from = questions ? *questions : m_plQuestions;
    for (POSITION pos = from.GetHeadPosition(); pos;) {
        CExamQuestion* question = AsExam(from.GetNext(pos));
        if (question && HoldsQuestion(question) && !IsCollection(question) && question->m_bLinked &&
            question->m_bOutOfDate)
            chosen.push_back(question);
    }
    std::map<CString, std::vector<CExamQuestion*>> byFile;
    std::vector<CString> order;
    for (CExamQuestion* question : chosen) {
        const CString key = PathKey(question->m_csCorraFile);
        if (!byFile.count(key))
            order.push_back(key);
        byFile[key].push_back(question);
    }
    for (const CString& key : order) {
        std::vector<CExamQuestion*>& list = byFile[key];
        std::unique_ptr<CCorraDoc> holder;
        CCorraDoc* source = GetCorraDoc(list.front()->m_csCorraFile, holder);
        for (CExamQuestion* question : list) {
            if (!source) {
                Say("Cannot open corrafile: " + question->m_csCorraFile);
                continue;
            }
            if (!UpdateQuestion(question, source))
                return FALSE;
        }
    }
    return TRUE;
}

BOOL CExamDoc::UpdateQuestion(CExamQuestion* question, CCorraDoc* source)
{
    if (!question)
        return TRUE;
    std::unique_ptr<CCorraDoc> holder;
    if (!source)
        source = GetCorraDoc(question->m_csCorraFile, holder);
    if (!source) {
        Say("Cannot open corrafile: " + question->m_csCorraFile);
        return TRUE;
    }
    CCorraQuestion* original = source->FindQuestionById(question->m_nLinkId);
    if (original && IsCollection(original)) {
        Say("CExamDoc::UpdateQuestion() - Question linked to collection");
        return TRUE;
    }
    if (original) {
        // The content only: the exam question keeps its ID, group, link and owner.
        const int id = question->m_nId;
        question->CQuestion::Copy(*original);
        question->m_nId = id;
        question->m_dAnswerSize = original->m_dAnswerSize;
        question->ClearChoicesCache();
        question->m_bOutOfDate = FALSE;
        question->m_tLinked = CTime::GetCurrentTime();
        SetModifiedFlag(TRUE);
        TellViews(*this, question);
        return TRUE;
    }
    CString text;
    text.Format(LoadStringId(IDS_EXAM_LINK_NOT_FOUND), question->m_nId, question->m_csCorraFile.GetString(), question->m_nLinkId);
    const int answer = Say(text, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return FALSE;
    if (answer == IDYES) {
        question->Unlink();
        SetModifiedFlag(TRUE);
        TellViews(*this, question);
    }
    return TRUE;
}

BOOL CExamDoc::CheckCorraLinks(BOOL showMessages, BOOL* pUpdated, BOOL checkOnly)
{
    if (pUpdated)
        *pUpdated = FALSE;
    CPtrListEx missing;
    CPtrListEx stale;
    GetMissingLinks(&missing);
    CheckLinkTimes(&stale);
    const BOOL clean = missing.IsEmpty() && stale.IsEmpty();
    if (checkOnly)
        return clean;
    if (clean) {
        if (showMessages)
            Say("No Question Corra link errors found.", MB_OK | MB_ICONINFORMATION);
        return TRUE;
    }
    const BOOL updated = ExamDialogs().LinkSheet(*this);
    if (pUpdated)
        *pUpdated = updated;
    if (showMessages)
        Say(updated ? "All questions successfully updated." : "Questions were not properly updated.",
            MB_OK | MB_ICONINFORMATION);
    return updated;
}

BOOL CExamDoc::GetLinkedFilesList(CStringArrayEx& files)
{
    std::map<CString, CString> distinct;  // trimmed, upper-cased path -> path
    ForEachExamQuestion([&](CExamQuestion* question) {
        if (!question->m_bLinked)
            return;
        CString key = question->m_csCorraFile;
        key.Trim();
        key.MakeUpper();
        distinct.emplace(key, question->m_csCorraFile);
    });
    CString missing;
    for (const auto& [key, path] : distinct) {
        if (fsys::Exists(path)) {
            files.Add(path);
        } else {
            CString name;
            GetFileNameOfPath(name, path);
            missing += (missing.IsEmpty() ? "" : "\n") + name;
        }
    }
    if (missing.IsEmpty())
        return TRUE;
    CString text;
    text.Format(LoadStringId(IDS_EXAM_LINKED_FILES_MISSING), missing.GetString());
    Say(text);
    return FALSE;
}

BOOL UpdateOutOfDateLinks(CExamDoc* exam)
{
    if (!exam)
        return TRUE;
    for (BOOL first = TRUE;; first = FALSE) {
        if (exam->CheckCorraLinks(FALSE, nullptr, TRUE))
            return TRUE;
        const CString question = LoadStringId(first ? IDS_EXAM_OUT_OF_DATE : IDS_EXAM_STILL_OUT_OF_DATE);
        const int answer = Say(question, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return FALSE;
        if (answer != IDYES)
            return TRUE;
        exam->CheckCorraLinks(FALSE, nullptr, FALSE);
    }
}

// ---- fixed positions and the identity question

BOOL CExamDoc::CheckFixedPositions() const
{
    std::set<int> used;
    BOOL ok = TRUE;
    ForEachExamQuestion([&](CExamQuestion* question) {
        if (!ok || !question->IsFixed())
            return;
        if (!used.insert(question->m_nFixedPosition).second) {
            LogError("CExamDoc::CheckFixedPositions() - two questions with same fixed position...");
            LogError(m_strTitle);
            ok = FALSE;
        }
    });
    return ok;
}

CExamQuestion* CExamDoc::FindFixedQuestion(int position) const
{
    CExamQuestion* found = nullptr;
    ForEachExamQuestion([&](CExamQuestion* question) {
        if (!found && question->IsFixed() && question->m_nFixedPosition == position)
            found = question;
    });
    return found;
}

CExamQuestion* CExamDoc::FindIdentityQuestion() const
{
    CExamQuestion* found = nullptr;
    ForEachExamQuestion([&](CExamQuestion* question) {
        if (!found && question->IsIdentity())
            found = question;
    });
    return found;
}

int CExamDoc::GetLastAvailableUnfixedPos() const
{
    const int entries = GetQuestionCount();
    int position = entries - GetCollectionCount() + 1;
    for (int steps = 0; FindFixedQuestion(position); ++steps) {
        if (steps > entries) {
            LogError("CExamDoc::GetLastAvailableUnfixedPos() - looped beyond sanity count");
            break;
        }
        ++position;
    }
    return position;
}

BOOL CExamDoc::ValidateFixedPosition(int position)
{
    if (position < 1) {
        Say("Fixed position must be 1 or greater.");
        return FALSE;
    }
    CExamQuestion* other = FindFixedQuestion(position);
    if (!other)
        return TRUE;
    CString text;
    text.Format(LoadStringId(IDS_EXAM_FIXED_TAKEN), other->m_nId, position);
    if (Say(text, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    other->m_nAttributes &= ~EXAM_ATTR_FIXED;
    other->m_nFixedPosition = 0;
    SetModifiedFlag(TRUE);
    return TRUE;
}

BOOL CExamDoc::ConfirmSingleIdentity()
{
    CExamQuestion* identity = FindIdentityQuestion();
    if (!identity)
        return TRUE;
    CString text;
    text.Format(LoadStringId(IDS_EXAM_ONE_IDENTITY), identity->m_nId);
    if (Say(text, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    identity->m_nAttributes &= ~EXAM_ATTR_IDENTITY;
    SetModifiedFlag(TRUE);
    return TRUE;
}

void CExamDoc::ShowQuestProps(CExamQuestion* question)
{
    if (!question || !HoldsQuestion(question))
        return;
    if (!CheckFixedPositions()) {
        LogError("CExamDoc::ShowQuestProps() - failed to CheckFixedPositions()");
        Say("DGB: CExamDoc::ShowQuestProps() - failed to CheckFixedPositions()");
    }
    BOOL fixed = question->IsFixed();
    BOOL identity = question->IsIdentity();
    int position = question->m_nFixedPosition;
    if (!ExamDialogs().QuestionIdentify(*this, fixed, identity, position))
        return;
    if (identity != question->IsIdentity()) {
        if (identity)
            question->m_nAttributes |= EXAM_ATTR_IDENTITY;
        else
            question->m_nAttributes &= ~EXAM_ATTR_IDENTITY;
        SetModifiedFlag(TRUE);
    }
    if (fixed != question->IsFixed() || (fixed && position != question->m_nFixedPosition)) {
        if (fixed) {
            question->m_nAttributes |= EXAM_ATTR_FIXED;
            question->m_nFixedPosition = std::max(position, 0);
            TellViews(*this, question, HINT_REREAD);
            ReOrderAllCollections();
        } else {
            question->m_nAttributes &= ~EXAM_ATTR_FIXED;
            question->m_nFixedPosition = 0;
        }
        SetModifiedFlag(TRUE);
    }
}

BOOL CExamDoc::ReOrderCollection(CCorraQuestion* form)
{
    if (!IsCollection(form))
        return FALSE;
    CDWordArray ids;
    form->GetQuestIds(ids);
    if (!ApplyFixedPositions(ids))
        return FALSE;
    form->SetQuestIds(ids);
    return TRUE;
}

BOOL CExamDoc::ApplyFixedPositions(CDWordArray& ids) const
{
    const int count = ids.GetSize();
    int moves = 0;
    for (;;) {
        BOOL moved = FALSE;
        for (int i = 1; i <= ids.GetSize() && !moved; ++i) {
            CExamQuestion* member = AsExam(FindQuestionById(static_cast<int>(ids[i - 1])));
            if (!member || !member->IsFixed())
                continue;
            const int fp = member->m_nFixedPosition;
            const BOOL inPlace = fp == i || (fp < 1 && i == 1) || (fp > ids.GetSize() && i == ids.GetSize());
            if (inPlace)
                continue;
            const DWORD id = ids[i - 1];
            ids.RemoveAt(i - 1);
            const int at = std::max(fp - 1, 0);
            if (at >= ids.GetSize())
                ids.Add(id);
            else
                ids.InsertAt(at, id);
            moved = TRUE;
        }
        if (!moved)
            break;
        if (++moves > count) {
            LogError("CExamDoc::ReOrderCollection() - reordering exceeds allowed repetition...");
            LogError(m_strTitle);
            return FALSE;
        }
    }
    return moves > 0;
}

int CExamDoc::GroupByTypeWithoutIdentity()
{
    const int groups = GroupQuestions(1, TRUE);
    ForEachExamQuestion([](CExamQuestion* question) {
        if (question->IsIdentity())
            question->m_nMemberId = 0;
    });
    return groups;
}

// ---- dialogs

void CExamDoc::ShowFileProperties()
{
    CExamFileProperties props;
    props.title1 = m_csTitle1;
    props.title2 = m_csTitle2;
    props.questionCount = CString::Formatted("%d", GetQuestionCount());
    props.collectionCount = CString::Formatted("%d", GetCollectionCount());
    props.corraId = m_csCorraId;
    props.path = m_strPathName;
    GetLinkedFilesList(props.linkedFiles);
    if (!ExamDialogs().FileProperties(*this, props))
        return;
    m_csTitle1 = props.title1;
    m_csTitle2 = props.title2;
    SetModifiedFlag(TRUE);
}

BOOL CExamDoc::ShowPrintingProperties(int printMode, int* pChosenMode)
{
    CCorraAppBase& app = CorraApp();
    CExamPrintingValues values;
    values.title1 = m_csTitle1;
    values.title2 = m_csTitle2;
    values.numQuestSepLines = m_nNumQuestSepLines;
    values.numQuestChoiceSepLines = m_nNumQuestChoiceSepLines;
    const BOOL given = m_nPrintModeOverride >= 0 || printMode >= 0;
    values.printMode = m_nPrintModeOverride >= 0 ? m_nPrintModeOverride : printMode >= 0 ? printMode : m_nPrintMode;
    values.tabbedChoices = m_bTabbedChoices;
    values.startNumber = m_nFirstQuestionNumber;
    values.showAnswers = m_bShowAnswers;
    // Unset keys show the values the choices print with, so OK alone changes nothing.
    values.choicesIndentLevel = app.GetProfileInt(PROFILE_SECTION, "ChoicesIndentLevel", CChoices::GetChoicesIndentLevel());
    values.numChoiceSepSpaces = app.GetProfileInt(PROFILE_SECTION, "NumChoiceSepSpaces", CChoices::GetNumChoiceSepSpaces());
    values.leftMargin = app.GetProfileDouble(PROFILE_SECTION, "LeftMargin", 1.0);
    values.rightMargin = app.GetProfileDouble(PROFILE_SECTION, "RightMargin", 1.0);
    values.topMargin = app.GetProfileDouble(PROFILE_SECTION, "TopMargin", 1.0);
    values.bottomMargin = app.GetProfileDouble(PROFILE_SECTION, "BottomMargin", 1.0);
    const BOOL bOk = ExamDialogs().PrintingProperties(*this, values);
    if (bOk) {
        if (pChosenMode)
            *pChosenMode = values.printMode;
        if (values.title1 != m_csTitle1 || values.title2 != m_csTitle2) {
            m_csTitle1 = values.title1;
            m_csTitle2 = values.title2;
            SetModifiedFlag(TRUE);
        }
        m_nNumQuestSepLines = values.numQuestSepLines;
        m_nNumQuestChoiceSepLines = values.numQuestChoiceSepLines;
        m_bTabbedChoices = values.tabbedChoices;
        TakeAnswerValues(values);
        if (!given) {
            m_nPrintMode = values.printMode;
            app.WriteProfileInt(PROFILE_SECTION, "PrintMode", values.printMode);
        }
        app.WriteProfileInt(PROFILE_SECTION, "TabbedChoices", values.tabbedChoices);
        app.WriteProfileInt(PROFILE_SECTION, "ChoicesIndentLevel", values.choicesIndentLevel);
        app.WriteProfileInt(PROFILE_SECTION, "NumChoiceSepSpaces", values.numChoiceSepSpaces);
        app.WriteProfileDouble(PROFILE_SECTION, "LeftMargin", values.leftMargin);
        app.WriteProfileDouble(PROFILE_SECTION, "RightMargin", values.rightMargin);
        app.WriteProfileDouble(PROFILE_SECTION, "TopMargin", values.topMargin);
        app.WriteProfileDouble(PROFILE_SECTION, "BottomMargin", values.bottomMargin);
    }
    m_nPrintModeOverride = -1;
    return bOk;
}

// ---- export

CString CExamDoc::FormExportPath(LPCSTR folder, LPCSTR formName)
{
    // The form's name is the user's: it becomes one file name in folder, never a path.
    CString name(formName ? formName : "");
    for (const char* bad = "\\/:*?\"<>|"; *bad; ++bad)
        name.Replace(*bad, '_');
    name.Trim();
    name.Trim(".");
    if (name.IsEmpty())
        name = "Form";
    return fsys::Join(folder ? folder : "", name + ".TXT");
}

BOOL CExamDoc::ExportCollectionText(CCorraQuestion* form, LPCSTR folder)
{
    if (!IsCollection(form))
        return FALSE;
    const CString path = FormExportPath(folder, form->m_cszQuestionText);
    CEncryptedArchive out("", TRUE);
    Put(out, m_strTitle + " - " + form->m_cszQuestionText + "\r\n\r\n");
    CDWordArray ids;
    form->GetQuestIds(ids);
    for (int i = 0; i < ids.GetSize(); ++i) {
        CCorraQuestion* member = FindQuestionById(static_cast<int>(ids[i]));
        // A member the exam no longer holds is skipped; its number stays taken.
        if (!member || IsCollection(member))
            continue;
        member->WritePlainText(out, CString::Formatted("%d) ", i + 1));
        Put(out, "\r\n---- \r\n\r\n");
    }
    const char* text = out.GetWrittenText();
    if (!fsys::WriteFile(path, text, static_cast<size_t>(out.GetWrittenLength()))) {
        Say("Cannot open file " + path + " for output");
        return FALSE;
    }
    return TRUE;
}

void CExamDoc::ExportCollections()
{
    CString folder = GetProgramHome();
    if (!ExamDialogs().ChooseFolder(folder))
        return;
    CPtrListEx forms;
    GetCollections(forms);
    for (POSITION pos = forms.GetHeadPosition(); pos;)
        ExportCollectionText(static_cast<CCorraQuestion*>(forms.GetNext(pos)), folder);
}
