#include "model/QuestionImages.h"

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"
#include "model/Update.h"

BOOL StoreQuestionImages(CCorraDoc& doc, CCorraQuestion* question, const CPtrList& images)
{
    if (!question || !doc.HoldsQuestion(question))
        return FALSE;
    question->SetImages(images);
    doc.SetModifiedFlag(TRUE);
    // Images change the question's height: its row and every tile below it move.
    CPtrListEx changed;
    changed.AddTail(question);
    CUpdate update;
    update.m_nRelayout = 1;
    update.m_nErase = 1;
    update.m_nReload = 0;
    update.m_nRepaint = 1;
    update.SetQuestions(&changed);
    doc.UpdateAllViews(nullptr, HINT_REFRESH, &update);
    DocumentDialogs().QuestionImagesChanged(doc, *question);
    return TRUE;
}
