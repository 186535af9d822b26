#pragma once
// The question texts and answers the benchmarks make their banks of: rich text as the rich-edit
// control writes it (some bold, italic, a superscript, an escaped character, a second paragraph),
// and the choices and answer of each question type.

#include "model/CorraQuestion.h"
#include "render/RtfSyntax.h"
#include "res/ids/QuestionTypes.h"

// Text i of nWords words at nHalfPoints (\fs) size.
inline CString BenchQuestionRtf(int i, int nWords, int nHalfPoints = 20)
{
    static const char* const words[] = {"Which", "of", "the", "following", "statements", "about", "photosynthesis",
                                        "is", "correct", "when", "light", "intensity", "increases", "beyond",
                                        "saturation", "point", "and", "carbon", "dioxide", "remains", "constant"};
    const int nCount = sizeof(words) / sizeof(words[0]);
    CString body = CString::Formatted("\\pard\\f0\\fs%d ", nHalfPoints);
    for (int w = 0; w < nWords; ++w) {
        const char* word = words[(i * 7 + w * 3) % nCount];
        if (w % 11 == 5)
            body += CString("\\b ") + word + "\\b0 ";
        else if (w % 13 == 7)
            body += CString("\\i ") + word + "\\i0 ";
        else if (w % 17 == 9)
            body += CString("x\\super 2\\nosupersub  ");
        else if (w % 19 == 3)
            body += CString("caf\\'e9 ");
        else
            body += CString(word) + " ";
    }
    if (i % 3 == 0)
        body += "\\par\\tab second paragraph";
    return MakeDefaultRtfHeader() + body + "\\par}";
}

// Choices and an answer for the question's type.
inline void SetBenchAnswer(CCorraQuestion& q)
{
    if (q.m_nType == static_cast<int>(IDS_QTYPE_MC)) {
        q.SetChoices("a. The first choice\nb. The second choice\nc. The third choice\nd. None of these");
        q.m_cszAnswer = "b";
    } else if (q.m_nType == static_cast<int>(IDS_QTYPE_TF)) {
        q.SetChoices("a. True\nb. False");
        q.m_cszAnswer = "a";
    } else {
        q.m_cszAnswer = "A written answer";
    }
}
