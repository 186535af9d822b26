#pragma once
// The exams the printing and export benchmarks run on: N questions (80% multiple choice, 10%
// true/false, 10% essay) in texts like the sample's, and four forms scrambled.

#include "bench/BenchBank.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "res/ids/QuestionTypes.h"

constexpr int kBenchExamForms = 4;

// An exam that stands alone: no views to tell, never deleted with its last view.
class CBenchExam : public CExamDoc {
public:
    CBenchExam() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

inline void FillBenchExam(CExamDoc& exam, int nQuestions)
{
    exam.m_csTitle1 = "Biology 101";
    exam.m_csTitle2 = "Midterm";
    CPtrListEx members;
    for (int i = 0; i < nQuestions; ++i) {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        const int kind = i % 10;
        q->m_cszQuestionText = BenchQuestionRtf(i, 18 + i % 11);
        q->m_dAnswerSize = 0.1;
        if (kind < 8) {
            q->m_nType = static_cast<int>(IDS_QTYPE_MC);
            q->SetChoices("a. The nucleus\nb. The cell wall\nc. The ribosome\nd. The vacuole");
            q->m_cszAnswer = CString(static_cast<char>('a' + i % 4));
        } else if (kind == 8) {
            q->m_nType = static_cast<int>(IDS_QTYPE_TF);
            q->SetChoices("a. True\nb. False");
            q->m_cszAnswer = "a";
        } else {
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        }
        members.AddTail(q);
    }
    for (int f = 0; f < kBenchExamForms; ++f)
        exam.GetOrCreateCollection(CString::Formatted("Form %c", 'a' + f), &members);
    exam.ScrambleForms(TRUE);
    exam.SetModifiedFlag(FALSE);
}
