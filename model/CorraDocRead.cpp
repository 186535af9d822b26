// The reader of CCorraDoc: a Question Corra file into the document.

#include "model/CorraDoc.h"
#include "model/CorraDocParts.h"

#include "foundation/CorraAppBase.h"
#include "foundation/EncryptedArchive.h"
#include "foundation/LogException.h"
#include "foundation/Parse.h"
#include "foundation/Util.h"
#include "model/CorraHeader.h"
#include "model/CorraIds.h"
#include "model/CorraQuestion.h"
#include "model/DocText.h"
#include "model/DocumentDialogs.h"
#include "model/Group.h"
#include "platform/core/CountedNoun.h"
#include "platform/ui/FrameworkIds.h"
#include "res/ids/Parse.h"
#include "res/ids/QuestionTypes.h"

#include <exception>
#include <memory>

using namespace corra_doc;

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

namespace {

// Reads under way on the user-interface thread (a read may open another document).
int g_uiReads = 0;

class CUiReadScope {
public:
    CUiReadScope() : m_bCounted(IsMainThread()) { g_uiReads += m_bCounted ? 1 : 0; }
    ~CUiReadScope() { g_uiReads -= m_bCounted ? 1 : 0; }
    CUiReadScope(const CUiReadScope&) = delete;
    CUiReadScope& operator=(const CUiReadScope&) = delete;

private:
    BOOL m_bCounted;
};

} // namespace

BOOL CCorraDoc::IsReadingOnUiThread()
{
    return IsMainThread() && g_uiReads > 0;
}

CCorraDoc::ReadOutcome CCorraDoc::ReadCorraDoc(LPCSTR path)
{
    CBusyScope busy(m_bBusy);
    CUiReadScope reading;
    CPrimaryFolderScope folders;
    // Putting what is read into the document is no change of it.
    struct CKeepModified {
        CCorraDoc& doc;
        BOOL was;
        ~CKeepModified() { doc.SetModifiedFlag(was); }
    } keepModified{*this, IsModified()};
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
        if (IsMainThread())
            DocumentDialogs().OfferRecoverySupport(*this, path);
        PostViewMessage(WM_COMMAND, ID_FILE_CLOSE);
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
    if (!clean) {
        const char* why = damaged                         ? "its enciphered text failed its check"
                          : outcome == readUnknownText    ? "it holds text that could not be read"
                          : outcome == readCancelled      ? "reading it was cancelled"
                          : outcome == readFailed         ? "a record in it could not be read"
                                                          : "it has no valid header";
        NoteReadLoss(why, headerOk ? header.m_nCount : -1, static_cast<long>(remaining),
                     static_cast<long>(archive.GetTextLength()));
    }
    if (clean && !IsAutoSaveSuppressed()) {
        BOOL cleaned = CleanCollections();
        if (cleaned || plain || m_bNeedsSave)
            PostViewMessage(WM_CORRA_RESAVE);
    }
    return outcome;
}

void CCorraDoc::NoteReadLoss(LPCSTR why, int headerCount, long unread, long total)
{
    m_csReadLoss.Format("It was not read whole: %s.", why);
    const int read = GetQuestionCount();
    const char* verb = read == 1 ? "was" : "were";
    if (headerCount > read)
        m_csReadLoss += " Of the " + CountedNoun(headerCount, "question", "questions") + " its header names, " +
                        CString::Formatted("%d %s read.", read, verb);
    else
        m_csReadLoss += " " + CountedNoun(read, "question", "questions") + " " + verb + " read.";
    if (unread > 0)
        m_csReadLoss += " The last " + CountedNoun(unread, "character", "characters") +
                        CString::Formatted(" of its %ld %s not read.", total, unread == 1 ? "was" : "were");
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

int CCorraDoc::ReadQuestionRecord(LPCSTR* ppText, UINT* pnRemaining)
{
    // Read into the kind of question the document holds, so that its own elements are known.
    std::unique_ptr<CCorraQuestion> question(CreateQuestion());
    int result = question->ReadRecord(ppText, pnRemaining, this);
    if (result == READ_OK && FilterQuestion(question.get(), 2)) {
        if (IsCollection(question.get()))
            question->m_csKindText = GetCollectionKindWord();
        CCorraQuestion* added = AddNewQuestion(question.get());
        if (!added) {
            LogError(ReadErrorText("Cannot AddNewQuestion()", question->m_nId, QuestionTokenizer().GetTokenText()));
            return READ_MALFORMED;
        }
        // Named by the ID it has in the document: a taken ID was replaced on the way in.
        CString missing;
        if (question->GetMissingFields(missing)) {
            if (!m_csInvalidQuestions.IsEmpty())
                m_csInvalidQuestions += "\n";
            m_csInvalidQuestions.AppendFormat("Question ID %d: %s", added->m_nId, static_cast<const char*>(missing));
        }
    } else if (result == READ_MALFORMED) {
        LogError(ReadErrorText(CCorraQuestion::ErrorText(), question->m_nId, QuestionTokenizer().GetTokenText()));
    }
    return result;
}
