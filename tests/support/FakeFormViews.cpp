#include "tests/support/FakeFormViews.h"

#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "platform/ui/View.h"
#include "res/ids/QuestionTypes.h"

CFakeFormViews::CFakeFormViews(CExamDoc& exam) : m_exam(exam) {}

CFakeFormViews::~CFakeFormViews() = default;

CView* CFakeFormViews::NewView()
{
    m_views.push_back(std::make_unique<CView>());
    auto form = std::make_unique<CCorraQuestion>();
    form->m_nType = static_cast<int>(IDS_QTYPE_CO);
    form->m_cszQuestionText = m_exam.TakeNewFormName();
    CView* view = m_views.back().get();
    m_forms[view] = std::move(form);
    return view;
}

CCorraQuestion* CFakeFormViews::FormOf(CView* view) const
{
    auto it = m_forms.find(view);
    return it == m_forms.end() ? nullptr : it->second.get();
}

void CFakeFormViews::SaveForm(CView* view)
{
    CCorraQuestion* form = FormOf(view);
    if (!form)
        return;
    CDWordArray ids;
    form->GetQuestIds(ids);
    CPtrListEx members;
    for (int i = 0; i < ids.GetSize(); ++i)
        members.AddTail(m_exam.FindQuestionById(static_cast<int>(ids[i])));
    CCorraQuestion* saved = m_exam.GetOrCreateCollection(form->m_cszQuestionText, &members);
    saved->m_Scramble = form->m_Scramble;
}

CPtrListEx CFakeFormViews::Views() const
{
    CPtrListEx views;
    for (const auto& view : m_views)
        views.AddTail(view.get());
    return views;
}
