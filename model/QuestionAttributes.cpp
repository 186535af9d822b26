#include "model/QuestionAttributes.h"

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Update.h"
#include "res/ids/QuestionTypes.h"

BOOL ApplyQuestionAttributes(CQuestion& q, const CQuestionAttributes& a)
{
    // A collection's members stand in its choices: a new type would lose them.
    if (q.m_nType == static_cast<int>(IDS_QTYPE_CO))
        return FALSE;
    if (a.setType && a.type != 0 && a.type != static_cast<int>(IDS_QTYPE_CO))
        q.m_nType = a.type;
    if (a.setLevel)
        q.m_nLevel = a.level;
    if (a.setIndex)
        q.m_nIndex = a.index;
    if (a.setSubjects) {
        switch (a.subjectsMode) {
        case ATTR_ADD:
            for (int i = 0; i < a.subjects.GetSize(); ++i)
                q.AddSubject(a.subjects[i]);
            break;
        case ATTR_REMOVE:
            for (int i = 0; i < a.subjects.GetSize(); ++i)
                q.RemoveSubject(a.subjects[i]);
            break;
        default:
            q.m_saSubjects.RemoveAll();
            q.m_saSubjects.Append(a.subjects);
            break;
        }
    }
    if (a.setBooks) {
        const int n = static_cast<int>(std::min(a.books.GetSize(), a.chapters.GetSize()));
        switch (a.booksMode) {
        case ATTR_ADD:
            for (int i = 0; i < n; ++i)
                q.AddTextbook(a.books[i], a.chapters[i]);
            break;
        case ATTR_REMOVE:
            for (int i = 0; i < n; ++i)
                q.RemoveTextbook(a.books[i], a.chapters[i]);
            break;
        default:
            q.m_saBooks.RemoveAll();
            q.m_saChapters.RemoveAll();
            for (int i = 0; i < n; ++i) {
                q.m_saBooks.Add(a.books[i]);
                q.m_saChapters.Add(a.chapters[i]);
            }
            break;
        }
    }
    return TRUE;
}

int SetQuestionAttributes(CCorraDoc& doc, const CPtrList& questions, const CQuestionAttributes& attributes)
{
    CPtrListEx changed;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (q && ApplyQuestionAttributes(*q, attributes))
            changed.AddTail(q);
    }
    doc.SetModifiedFlag(TRUE);
    doc.UpdateHighestIds();
    // The rows are rewritten, not only repainted: they show type, level, index and subjects.
    CUpdate update;
    update.m_nRelayout = 0;
    update.m_nErase = 0;
    update.m_nReload = 0;
    update.m_nRepaint = 1;
    update.SetQuestions(&changed);
    doc.UpdateAllViews(nullptr, HINT_REFRESH, &update);
    return changed.GetCount();
}
