#include "model/QuestionList.h"

#include "controls/MRUPathComboBox.h"
#include "model/CorraQuestion.h"
#include "model/ExamQuestion.h"
#include "platform/core/Archive.h"

#include <memory>

CQuestionList::~CQuestionList()
{
    Empty();
}

void CQuestionList::Empty()
{
    if (m_bOwnsQuestions)
        DeleteAll();
    else
        RemoveAll();
}

void CQuestionList::DeleteAll()
{
    while (!IsEmpty())
        delete static_cast<CCorraQuestion*>(RemoveHead());
}

int CQuestionList::GetIds(CDWordArray& ids) const
{
    ids.RemoveAll();
    for (POSITION pos = GetHeadPosition(); pos;)
        ids.Add(static_cast<DWORD>(static_cast<const CCorraQuestion*>(GetNext(pos))->m_nId));
    return ids.GetSize();
}

CCorraQuestion* CQuestionList::FindById(int id) const
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(GetNext(pos));
        if (q && q->m_nId == id)
            return q;
    }
    return nullptr;
}

DWORD CQuestionList::ReadQuestionCount(CArchive& ar)
{
    constexpr size_t kMinQuestionBytes = 16;
    DWORD n = 0;
    ar >> n;
    if (n > ar.GetBytesLeft() / kMinQuestionBytes)
        throw CArchiveException(CArchiveException::endOfFile, "question count past the end of the archive");
    return n;
}

void CQuestionList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        StoreQuestions(*this, ar, QKIND_CORRA);
        return;
    }
    Empty();
    m_bOwnsQuestions = TRUE;
    LoadQuestions(*this, ar, QKIND_CORRA);
}

void StoreQuestions(const CPtrList& questions, CArchive& ar, int nKind)
{
    ar << static_cast<DWORD>(questions.GetCount());
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        q->Refresh();
        const BOOL isExam = dynamic_cast<CExamQuestion*>(q) != nullptr;
        if (nKind == QKIND_EXAM && !isExam)
            CExamQuestion(*q).Serialize(ar);
        else if (nKind != QKIND_EXAM && isExam)
            CCorraQuestion(*q).Serialize(ar);
        else
            q->Serialize(ar);
    }
}

void LoadQuestions(CPtrList& out, CArchive& ar, int nKind)
{
    CPtrList loaded;
    try {
        const DWORD n = CQuestionList::ReadQuestionCount(ar);
        for (DWORD i = 0; i < n; ++i) {
            std::unique_ptr<CCorraQuestion> q(nKind == QKIND_EXAM ? new CExamQuestion : new CCorraQuestion);
            q->Serialize(ar);
            q->Refresh();
            loaded.AddTail(q.release());
        }
    } catch (...) {
        while (!loaded.IsEmpty())
            delete static_cast<CCorraQuestion*>(loaded.RemoveHead());
        throw;
    }
    while (!loaded.IsEmpty())
        out.AddTail(loaded.RemoveHead());
}

void SerializeExamQuestions(CPtrList& questions, CArchive& ar)
{
    if (ar.IsStoring())
        StoreQuestions(questions, ar, QKIND_EXAM);
    else
        LoadQuestions(questions, ar, QKIND_EXAM);
}

void JoinStrings(const CStringArray& strings, CString& out)
{
    out.Empty();
    for (int i = 0; i < strings.GetSize(); ++i) {
        if (i)
            out += ",";
        out += strings[i];
    }
}

CString BooksText(const CStringArray& books, const CStringArray& chapters)
{
    CStringArray pairs;
    for (int i = 0; i < books.GetSize(); ++i)
        pairs.Add(books[i] + ";" + (i < chapters.GetSize() ? chapters[i] : CString("0")));
    CString text;
    JoinStrings(pairs, text);
    return text;
}

void SplitStrings(LPCSTR text, CStringArray& out)
{
    out.RemoveAll();
    CString piece;
    for (LPCSTR p = text ? text : ""; ; ++p) {
        if (*p == '\t' || *p == ',' || *p == '\0') {
            if (!piece.IsEmpty())
                out.Add(piece);
            piece.Empty();
            if (*p == '\0')
                break;
        } else {
            piece += *p;
        }
    }
}

void SetupRecentCombo(CMRUPathComboBox& combo, CStringArray& strings, LPCSTR name)
{
    combo.Init(name);
    strings.RemoveAll();
}
