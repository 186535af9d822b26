#include "model/QuestionList.h"

#include "controls/MRUPathComboBox.h"
#include "model/CorraQuestion.h"
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
        ar << static_cast<DWORD>(GetCount());
        for (POSITION pos = GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(GetNext(pos));
            q->Refresh();
            q->Serialize(ar);
        }
        return;
    }
    Empty();
    m_bOwnsQuestions = TRUE;
    try {
        const DWORD n = ReadQuestionCount(ar);
        for (DWORD i = 0; i < n; ++i) {
            auto q = std::make_unique<CCorraQuestion>();
            q->Serialize(ar);
            q->Refresh();
            AddTail(q.release());
        }
    } catch (...) {
        DeleteAll();
        throw;
    }
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
