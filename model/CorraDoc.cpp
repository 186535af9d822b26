#include "model/CorraDoc.h"

#include "controls/OldProgressDlg.h"
#include "foundation/EncryptedArchive.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/Parse.h"
#include "foundation/Util.h"
#include "model/CorraHeader.h"
#include "model/CorraIds.h"
#include "model/DocText.h"
#include "model/Group.h"
#include "platform/core/Services.h"
#include "platform/core/Time.h"

#include <atomic>
#include <memory>
#include "res/ids/Parse.h"

#include <exception>
#include <map>

namespace {

constexpr UINT kWmCommand = 0x0111;

// Marks the document busy for the length of a read or write.
class CBusyScope {
public:
    explicit CBusyScope(BOOL& flag) : m_flag(flag) { m_flag = TRUE; }
    ~CBusyScope() { m_flag = FALSE; }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    BOOL& m_flag;
};

// Moves a progress box as work goes on without repainting it for every record: the bar moves
// when its percentage changes, and events run every few records in between.
class CProgressPacer {
public:
    CProgressPacer(COldProgressDlg* dlg, long range) : m_pDlg(dlg), m_nRange(range > 0 ? range : 1) {}
    void Update(long pos)
    {
        if (!m_pDlg)
            return;
        int percent = static_cast<int>(static_cast<long long>(pos) * 100 / m_nRange);
        if (percent != m_nPercent) {
            m_nPercent = percent;
            m_pDlg->SetPos(static_cast<int>(pos));
        } else if (++m_nSincePump >= 32) {
            m_nSincePump = 0;
            COldProgressDlg::PumpMessages();
        }
    }
    BOOL IsCancelled() const { return m_pDlg && m_pDlg->IsCancelled(); }

private:
    COldProgressDlg* m_pDlg;
    long m_nRange;
    int m_nPercent = -1;
    int m_nSincePump = 0;
};

void LogError(LPCSTR text)
{
    LogOutput(text, LOG_ERROR, LOG_HERE);
}

// A message to the user; a read or write on another thread has no one to show it to and logs it.
void Say(const CString& text, LPCSTR caption, UINT style)
{
    if (IsMainThread())
        MessageBoxService().Show(text, caption, style);
    else
        LogError(text);
}

// The progress box of a read or write on the user-interface thread; none on another thread.
std::unique_ptr<COldProgressDlg> MakeProgress(LPCSTR title, LPCSTR text, int range)
{
    if (!IsMainThread())
        return nullptr;
    return std::make_unique<COldProgressDlg>(title, text, range);
}

std::atomic<BOOL> g_suppressAutoSave{FALSE};

} // namespace

CCorraDoc::CCorraDoc() : m_dwModifiedTick(GetTickCount()) {}

CCorraDoc::~CCorraDoc()
{
    DeleteGroups();
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
}

void CCorraDoc::DeleteContents()
{
    m_csInstructions.Empty();
    m_csTitle1.Empty();
    m_csTitle2.Empty();
    m_csCorraId.Empty();
    m_csInvalidQuestions.Empty();
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
    return m_bBusy ? FALSE : CDocument::SaveModified();
}

BOOL CCorraDoc::CanCloseFrame(CFrameWnd* pFrame)
{
    return m_bBusy ? FALSE : CDocument::CanCloseFrame(pFrame);
}

BOOL CCorraDoc::DoSave(LPCSTR lpszPathName, BOOL bReplace)
{
    return m_bBusy ? FALSE : CDocument::DoSave(lpszPathName, bReplace);
}

BOOL CCorraDoc::DoFileSave()
{
    return m_bBusy ? FALSE : CDocument::DoFileSave();
}

void CCorraDoc::OnCloseDocument()
{
    if (!m_bBusy)
        CDocument::OnCloseDocument();
}

// ---- reading

CString CCorraDoc::ReadErrorText(const CString& pending, int id, const CString& lastToken) const
{
    CString text = pending;
    if (!text.IsEmpty())
        text += "\n\n";
    text += "Error occured while reading file " + m_strPathName;
    if (id != 0)
        text.AppendFormat(" at or near question %d", id);
    if (!lastToken.IsEmpty())
        text += "\nThe last text read was: '" + lastToken + "'";
    return text;
}

void CCorraDoc::ShowReadError(const CString& text)
{
    Say(text, "Read Error", MB_OK | MB_ICONEXCLAMATION);
}

CCorraDoc::ReadOutcome CCorraDoc::ReadCorraDoc(LPCSTR path)
{
    CBusyScope busy(m_bBusy);
    if (m_strPathName.IsEmpty())
        m_strPathName = path ? path : "";
    CEncryptedArchive archive(path, FALSE, 4096);
    CEncryptedArchive::ReadKind kind = archive.GetReadKind();
    const char* text = archive.GetResult() == 0 ? archive.GetText(TRUE, TRUE, 5) : nullptr;
    if (!text) {
        // Missing, unreadable, or neither text nor an intact enciphered block: nothing is read.
        CString message = "Failed to read file.";
        if (kind == CEncryptedArchive::readUnrecognised)
            message += "\n\n" + CString(path) + "\n\nis neither a Corra file nor text; it may be damaged.";
        Say(message, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        LogError("CCorraDoc::ReadCorraDoc() - c-tor failed for CEncryptedArchive");
        return readUnreadable;
    }
    const BOOL damaged = kind == CEncryptedArchive::readCheckMismatch;
    const BOOL plain = kind == CEncryptedArchive::readPlain;
    LogOutput(archive.WasEncrypted() ? "File encrypted..." : "File NOT encrypted...", 3, LOG_HERE);

    // A text that ends right after its last record is at its end, not unknown.
    DocumentTokenizer().SetEndTokenAtEnd(TRUE);
    QuestionTokenizer().SetEndTokenAtEnd(TRUE);
    GroupTokenizer().SetEndTokenAtEnd(TRUE);
    OnBeforeRead();

    LPCSTR cursor = text;
    UINT remaining = static_cast<UINT>(archive.GetTextLength());
    CCorraHeader header;
    const BOOL headerOk = header.ReadCorraHeader(&cursor, &remaining) == READ_OK;
    header.m_pOwner = this;
    m_csCorraId = headerOk ? header.GetCorraId() : CString();

    const CString kindName = GetKindName();
    CString progressText;
    progressText.Format("Reading %d questions from ", header.m_nCount);
    auto progress = MakeProgress("Reading " + kindName, progressText + path, static_cast<int>(archive.GetTextLength()));
    if (progress && headerOk)
        progress->Create();
    // Events run only while the box is shown: it keeps every other window from input, and
    // without it there is nothing to cancel with.
    CProgressPacer pacer(progress && headerOk ? progress.get() : nullptr, archive.GetTextLength());

    int result = READ_NOT_THIS;
    BOOL cancelled = FALSE;
    m_csQuestionError.Empty();
    m_nErrorQuestionId = 0;
    try {
        do {
            LPCSTR before = cursor;
            result = ReadQuestionRecord(&cursor, &remaining);
            if (result == READ_NOT_THIS)
                result = ReadGroupRecord(&cursor, &remaining);
            if (result == READ_NOT_THIS)
                result = ReadTitleRecord(&cursor, &remaining);
            if (result == READ_OK && cursor == before)
                result = READ_MALFORMED;  // a reader that read nothing would loop for ever
            if (result == READ_OK)
                pacer.Update(static_cast<long>(cursor - text));
            cancelled = pacer.IsCancelled();
        } while (result == READ_OK && !cancelled);
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
        result = READ_MALFORMED;
    } catch (...) {
        LogUnknownException(LOG_HERE);
        result = READ_MALFORMED;
    }
    if (progress)
        progress->DestroyWindow();

    ReadOutcome outcome;
    if (result == READ_END)
        outcome = readComplete;
    else if (result == READ_OK && cancelled)
        outcome = readCancelled;
    else if (result == READ_NOT_THIS)
        outcome = readUnknownText;
    else
        outcome = readFailed;

    if (outcome == readFailed) {
        LogError("CCorraDoc::ReadCorraDoc() failed to read file...");
        LogError(path);
        Say("Failed to open file " + CString(path), CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
        PostViewMessage(kWmCommand, CORRA_ID_FILE_CLOSE);
    } else if (outcome == readUnknownText) {
        CString error = "Unknown text \n\nError occured while reading file " + m_strPathName;
        const CString& last = GroupTokenizer().GetTokenText();
        if (!last.IsEmpty())
            error += "\nThe last text read was: '" + last + "'";
        ShowReadError(error);
    } else if (outcome == readCancelled) {
        Say("Reading was cancelled: the document holds only the part of\n\n" + CString(path) +
                          "\n\nthat was read. The file is left as it is.",
            CORRA_PRODUCT_NAME, MB_OK | MB_ICONINFORMATION);
    }
    if (damaged)
        Say("The file\n\n" + CString(path) +
                          "\n\nis damaged. What could be read is shown; the file is left as it is.",
            CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
    else if (!headerOk && outcome == readComplete)
        Say("The file\n\n" + CString(path) +
                          "\n\nhas no valid header. It is shown as it was read and left as it is.",
            CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);

    UpdateHighestIds();
    AfterReadCheck();
    // Only a complete, clean read is written back by itself: anything else would overwrite the
    // user's file with less than it held.
    const BOOL clean = outcome == readComplete && headerOk && !damaged;
    if (clean && !IsAutoSaveSuppressed()) {
        BOOL cleaned = CleanCollections();
        if (cleaned || plain || m_bNeedsSave)
            PostViewMessage(WM_CORRA_RESAVE);
    }
    return outcome;
}

void CCorraDoc::AfterReadCheck()
{
    if (m_csCorraId.IsEmpty()) {
        m_csCorraId = MakeCorraId("CID_");
        m_bNeedsSave = TRUE;
    }
    if (!m_csInvalidQuestions.IsEmpty())
        LogError(m_csInvalidQuestions);
}

int CCorraDoc::ReadQuestionRecord(LPCSTR* /*ppText*/, UINT* /*pnRemaining*/)
{
    return READ_NOT_THIS;
}

int CCorraDoc::ReadGroupRecord(LPCSTR* ppText, UINT* pnRemaining)
{
    CGroup group;
    int result = group.Parse(ppText, pnRemaining);
    CString& error = CGroup::ErrorText();
    if (result == READ_OK && FilterGroup(&group) && !AddNewGroup(group)) {
        error = "Cannot AddNewGroup()";
        result = READ_MALFORMED;
    }
    if (result == READ_MALFORMED)
        ShowReadError(ReadErrorText(error, group.m_nId, GroupTokenizer().GetTokenText()));
    return result;
}

int CCorraDoc::ReadTitleRecord(LPCSTR* ppText, UINT* pnRemaining)
{
    CParse& parse = DocumentTokenizer();
    LPCSTR start = *ppText;
    UINT startRemaining = *pnRemaining;
    int keyword = parse.NextToken(ppText, pnRemaining);
    if ((keyword == static_cast<int>(IDS_KW_TITLE1) || keyword == static_cast<int>(IDS_KW_TITLE2) ||
         keyword == static_cast<int>(IDS_KW_INSTRUCTIONS)) &&
        parse.NextToken(ppText, pnRemaining) == static_cast<int>(IDS_KW_COLON) &&
        parse.NextToken(ppText, pnRemaining) == static_cast<int>(IDS_TOKEN_TEXT)) {
        CString inner;
        parse.GetTokenInner(inner);
        if (keyword == static_cast<int>(IDS_KW_INSTRUCTIONS))
            m_csInstructions = DecodeBraces(inner);
        else
            (keyword == static_cast<int>(IDS_KW_TITLE1) ? m_csTitle1 : m_csTitle2) = UnwrapTitle(inner);
        return READ_OK;
    }
    *ppText = start;
    *pnRemaining = startRemaining;
    return READ_NOT_THIS;
}

// ---- writing

void CCorraDoc::FillHeader(CCorraHeader& header)
{
    header.Clear();
    header.m_asImageFiles.clear();
    header.m_csFileName = m_strPathName;
    header.m_csTitle1 = m_csTitle1;
    header.m_csTitle2 = m_csTitle2;
    header.m_nCount = GetQuestionCount();
    header.m_csCorraId = m_csCorraId;
    header.m_pOwner = this;
    FillHeaderFromQuestions(header);
    header.m_nNumCollections = static_cast<int>(header.m_asCollections.size());
    header.m_bValid = TRUE;
}

void CCorraDoc::WriteBody(CEncryptedArchive& out, COldProgressDlg* progress)
{
    CCorraHeader header;
    FillHeader(header);
    header.Write(out);
    Put(out, "TITLE1: { \r\n" + WrapTitle(BlockSafeText(m_csTitle1, "CCorraDoc::WriteBody() - TITLE1")) + "}\r\n");
    Put(out, "TITLE2: { \r\n" + WrapTitle(BlockSafeText(m_csTitle2, "CCorraDoc::WriteBody() - TITLE2")) + "}\r\n");
    Put(out, "INSTRUCTIONS: { \r\n" + EncodeBraces(m_csInstructions) + "}\r\n");
    for (POSITION pos = m_plGroups.GetHeadPosition(); pos;)
        static_cast<CGroup*>(m_plGroups.GetNext(pos))->Write(out);
    CProgressPacer pacer(progress, GetQuestionCount());
    long written = 0;
    for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;) {
        WriteQuestionRecord(out, m_plQuestions.GetNext(pos));
        pacer.Update(++written);
        if (pacer.IsCancelled())
            break;
    }
}

CCorraDoc::WriteOutcome CCorraDoc::WriteCorraDoc(LPCSTR path)
{
    CBusyScope busy(m_bBusy);
    const CString kindName = GetKindName();
    OnBeforeWrite();
    auto progress = MakeProgress("Writing " + kindName, "Please wait...", 100);
    if (progress) {
        progress->Create();
        progress->SetText("Saving " + kindName);
        progress->SetRange(GetQuestionCount());
        progress->SetStep(1);
    }
    WriteOutcome outcome = writeDone;
    try {
        CEncryptedArchive out(path, TRUE, 4096);
        WriteBody(out, GetQuestionCount() > 5 ? progress.get() : nullptr);
        // A cancelled save is abandoned whole: the old file stays as it was.
        if (progress && progress->IsCancelled())
            outcome = writeCancelled;
        else if (!out.Commit())
            outcome = writeFailed;
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
        LogError("CCorraDoc::WriteCorraDoc() - c-tor failed for CEncryptedArchive");
        outcome = writeFailed;
    }
    if (progress)
        progress->DestroyWindow();
    if (outcome == writeFailed)
        Say("Failed to save file " + CString(path) + "\n\nThe file is left as it was.", CORRA_PRODUCT_NAME,
            MB_OK | MB_ICONEXCLAMATION);
    return outcome;
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
    while (!m_plGroups.IsEmpty())
        delete static_cast<CGroup*>(m_plGroups.RemoveHead());
}
