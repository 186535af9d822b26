#pragma once
// What AutoConvert is told by the wizard's settings pages: the question every converted one is
// made from, how choices are labelled, and how the text is cut into questions.

#include "controls/HVRichEditCtrl.h"
#include "model/Question.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "res/ids/QuestionTypes.h"

class CAQFConvertSettings {
public:
    CAQFConvertSettings()
    {
        m_TemplateQuestion.Reset(TRUE);
        m_TemplateQuestion.m_nType = static_cast<int>(IDS_QTYPE_MC);
    }

    char FirstLabel() const { return m_szFirstLabel[0] ? m_szFirstLabel[0] : 'a'; }
    char Terminator() const { return m_szTerminator[0] ? m_szTerminator[0] : '.'; }
    BOOL LineMode() const { return !m_bBlankLinesSeparate; }
    // What the rich-edit control's number removal needs to know of the choices.
    CChoiceLabelRule LabelRule() const { return {m_bHaveChoices, FirstLabel(), Terminator()}; }

    // Type, level, INDEX, subjects and textbooks of every converted question; its text is replaced.
    CQuestion m_TemplateQuestion;
    char m_szFirstLabel[2] = {'a', 0};   // 'a', 'A' or '1'
    char m_szTerminator[2] = {'.', 0};   // '.' or ')'
    CString m_csCollection;              // added to this collection; empty: none
    BOOL m_bHaveChoices = TRUE;          // FALSE: every paragraph is a whole question
    BOOL m_bBlankLinesSeparate = TRUE;   // FALSE: every line is a paragraph
    int m_nRangeCount = 0;               // ranges the last syntax pass found
    // Kept for the wizard's sheet.
    CString m_csSheet1;
    CString m_csSheet2;
    int m_nSheet = 0;
};
