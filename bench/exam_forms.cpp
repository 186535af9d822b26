// Making ten scrambled forms of a 200-question exam, and drawing 100 questions by quotas from a
// bank of 10,000 (with and without the trace): milliseconds per run, best of several.

#include "bench/BenchApp.h"
#include "model/CorraQuestion.h"
#include "model/ExamDialogs.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "model/QuestSelect.h"
#include "platform/core/Random.h"
#include "platform/ui/View.h"
#include "res/ids/QuestionTypes.h"

#include <QApplication>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int kExamQuestions = 200;
constexpr int kForms = 10;
constexpr int kBank = 10000;
constexpr int kDrawn = 100;

// Form views that hold their forms and are never saved, so every run starts from the same exam.
class CBenchForms : public IExamDialogs {
public:
    int SaveForms(CExamDoc&, const CPtrListEx& views, CSaveFormsValues& values) override
    {
        lastScore = values.duplicateScore;
        lastRepeats = values.repeatCount;
        m_forms.clear();
        m_views.clear();
        return IDCANCEL;
    }
    CView* NewFormView(CExamDoc& exam) override
    {
        m_views.push_back(std::make_unique<CView>());
        auto form = std::make_unique<CCorraQuestion>();
        form->m_nType = static_cast<int>(IDS_QTYPE_CO);
        form->m_cszQuestionText = exam.TakeNewFormName();
        m_forms[m_views.back().get()] = std::move(form);
        return m_views.back().get();
    }
    CCorraQuestion* GetViewForm(CView* view) override
    {
        auto it = m_forms.find(view);
        return it == m_forms.end() ? nullptr : it->second.get();
    }
    int lastScore = 0;
    int lastRepeats = 0;

private:
    std::vector<std::unique_ptr<CView>> m_views;
    std::map<CView*, std::unique_ptr<CCorraQuestion>> m_forms;
};

class CBenchExam : public CExamDoc {
public:
    CBenchExam() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    if (!home.IsMade())
        return 1;
    CorraSrand(1);

    CBenchExam exam;
    for (int i = 0; i < kExamQuestions; ++i) {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_nType = static_cast<int>(i % 4 ? IDS_QTYPE_MC : IDS_QTYPE_ES);
        q->m_cszQuestionText = CString::Formatted("Question %d", i);
        if (i % 4) {
            q->SetChoices("a. first\nb. second\nc. third\nd. fourth\ne. none of these");
            q->m_cszAnswer = "c";
        }
        if (i % 50 == 0) {
            q->m_nAttributes |= EXAM_ATTR_FIXED;
            q->m_nFixedPosition = i + 1;
        }
    }
    CBenchForms forms;
    ExamDialogsSlot().Set(&forms);
    const double generate = BestSeconds([&] {
        if (exam.GenerateForms(kForms, "Form %a", TRUE) != IDCANCEL)
            std::fprintf(stderr, "generation failed\n");
    });
    ExamDialogsSlot().Set(nullptr);

    std::vector<std::unique_ptr<CQuestion>> bank;
    CPtrList candidates;
    const UINT types[] = {IDS_QTYPE_MC, IDS_QTYPE_TF, IDS_QTYPE_ES, IDS_QTYPE_SA, IDS_QTYPE_FI};
    const char* subjects[] = {"Cells", "Energy", "Genetics", "Ecology"};
    for (int i = 0; i < kBank; ++i) {
        auto q = std::make_unique<CQuestion>();
        q->m_nId = i + 1;
        q->m_nIndex = i / 3 + 1;  // three questions per INDEX
        q->m_nType = static_cast<int>(types[i % 5]);
        q->m_nLevel = i % 7;
        q->m_saSubjects.Add(subjects[i % 4]);
        candidates.AddTail(q.get());
        bank.push_back(std::move(q));
    }
    int drawn = 0;
    auto select = [&](FILE* trace) {
        CQuestSelect select;
        select.Init(candidates, kDrawn, TRUE);
        select.m_mTypeQuotas[static_cast<int>(IDS_QTYPE_MC)] = 40;
        select.m_mTypeQuotas[static_cast<int>(IDS_QTYPE_TF)] = 20;
        select.m_mTypeQuotas[QUOTA_ANY] = 40;
        select.m_mLevelQuotas[QUOTA_ANY] = kDrawn;
        select.m_mSubjectQuotas["Genetics"] = 10;
        select.m_mSubjectQuotas[QUOTA_WILD] = kDrawn;
        select.m_bByType = select.m_bByLevel = select.m_bBySubject = TRUE;
        select.m_pTrace = trace;
        select.Run(nullptr);
        drawn = select.m_plResult.GetCount();
    };
    const double quiet = BestSeconds([&] { select(nullptr); });
    FILE* trace = std::tmpfile();
    const double traced = BestSeconds([&] { select(trace); });
    std::fclose(trace);

    std::printf("%d forms of %d questions, scrambled   %8.2f ms  (repeats %d, duplicate score %d)\n", kForms,
                kExamQuestions, generate * 1000, forms.lastRepeats, forms.lastScore);
    std::printf("%d of a %d-question bank by quotas   %8.2f ms  (%d drawn)\n", kDrawn, kBank, quiet * 1000, drawn);
    std::printf("the same with the trace written       %8.2f ms\n", traced * 1000);
    return 0;
}
