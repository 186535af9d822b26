#include "import/SourceDoc.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "foundation/ChoicesError.h"
#include "foundation/Log.h"
#include "import/AQFConvertSettings.h"
#include "model/Choices.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Update.h"
#include "platform/core/Profile.h"
#include "platform/core/Services.h"
#include "res/ids/AutoConvert.h"

#include <cstring>
#include <memory>

namespace {

CString Span(LPCSTR text, const TextRange& r)
{
    return CString(std::string(text + r.nFirst, static_cast<size_t>(r.nLast - r.nFirst + 1)));
}

// The progress window of a conversion, one step per question.
std::unique_ptr<COldProgressDlg> OpenProgress(int nRanges, int nQuestions)
{
    auto dlg = std::make_unique<COldProgressDlg>("AutoConvert",
                                                 CString::Formatted("Converting %d paragrahs", nRanges),
                                                 nQuestions > 0 ? nQuestions : 1);
    dlg->Create();
    return dlg;
}

// A question made from the template: each starts afresh, so a block that fails to parse never
// keeps the choices of the question before.
std::unique_ptr<CCorraQuestion> FromTemplate(const CAQFConvertSettings& settings)
{
    auto q = std::make_unique<CCorraQuestion>();
    *q = settings.m_TemplateQuestion;
    return q;
}

void AddToDocument(CCorraDoc& doc, const CCorraQuestion& q, const CAQFConvertSettings& settings)
{
    doc.AddNewQuestion(&q, settings.m_csCollection.IsEmpty() ? nullptr : settings.m_csCollection.GetString());
}

// After the questions are in: the views hear of them, the ids are counted again and the
// document comes forward. Adding questions is an edit the user must be asked to save.
void FinishConversion(CCorraDoc& doc)
{
    doc.SetModifiedFlag(TRUE);
    doc.UpdateAllViews(nullptr, HINT_REFRESH, nullptr);
    doc.UpdateHighestIds();
    doc.ActivateFirstFrame();
}

void ShowError(CHVRichEditCtrl* pCtrl, int start, const CChoicesError& error)
{
    if (pCtrl)
        // The error's range ends after its last character; the mark takes the last one.
        pCtrl->AutoConvert2(start + error.m_nStart, start + std::max(error.m_nEnd - 1, error.m_nStart), TRUE);
    CRichMessage message;
    message.title = "Error";
    const UINT ids[4] = {error.m_nId1, error.m_nId2, error.m_nId3, error.m_nId4};
    for (int i = 0; i < 4; ++i)
        message.paneId[i] = ids[i];
    if (!error.m_nId1)
        message.pane[0] = error.m_csMessage;
    message.error = TRUE;
    RichMessageBoxService().Show(message);
}

int RunSyntaxPass(LPCSTR text, CTextRangeVector& ranges, int& start, int& end, CChoicesError& error,
                  CAQFConvertSettings* pSettings, TextRange* pTrailing = nullptr)
{
    if (pSettings && !pSettings->m_bHaveChoices) {
        if (pTrailing)
            pTrailing->nFirst = pTrailing->nLast = -1;
        return CSourceDoc::_SyntaxPassNoChoices(text, ranges, start, end, error, pSettings);
    }
    return CSourceDoc::_SyntaxPass(text, ranges, start, end, error, pSettings, pTrailing);
}

// The checks of the dry run beyond the syntax: every choices block must parse as the conversion
// will parse it, and question text at the end with no choices after it would be lost.
BOOL CheckWhatConversionDoes(LPCSTR text, const CTextRangeVector& ranges, const TextRange& trailing,
                             CAQFConvertSettings* pSettings, int& start, CChoicesError& error)
{
    if (!pSettings || pSettings->m_bHaveChoices) {
        const char cLabel = pSettings ? pSettings->FirstLabel() : 'a';
        const char cTerm = pSettings ? pSettings->Terminator() : '.';
        for (size_t i = 1; i < ranges.size(); i += 2) {
            CChoices choices;
            error.Reset();
            if (!choices.SetChoices(Span(text, ranges[i]), cLabel, cTerm, &error)) {
                start = ranges[i].nFirst;
                if (error.m_nEnd <= error.m_nStart)
                    error.SetRange(0, ranges[i].nLast - ranges[i].nFirst + 1);
                if (!error.IsSet())
                    error.m_csMessage = "These choices cannot be read.";
                return FALSE;
            }
        }
    }
    if (trailing.nFirst >= 0) {
        start = trailing.nFirst;
        error.Reset();
        error.SetRange(0, trailing.nLast - trailing.nFirst + 1);
        error.m_csMessage = "Question text without choices.\n\nThe text at the end of the file has no choices after "
                            "it and would not be converted. Add its choices, or delete it.";
        return FALSE;
    }
    return TRUE;
}

// Adds a question per range (a pair with choices), each from a fresh copy of the template; the
// text of a range comes from textOf. 0 done or cancelled, 1 a choices block missing or refused.
template <typename TextOf>
int AddQuestions(const CTextRangeVector& ranges, CCorraDoc& doc, const CAQFConvertSettings& settings, TextOf&& textOf,
                 bool bLog)
{
    const BOOL bChoices = settings.m_bHaveChoices;
    // Each new question draws its ID from the profile: one write of the profile for them all.
    CProfileBatch batch(AppProfile());
    auto progress = OpenProgress(ranges.GetCount(), bChoices ? ranges.GetCount() / 2 : ranges.GetCount());
    auto log = [bLog](LPCSTR heading, const CString& text) {
        if (!bLog)
            return;
        LogOutput(heading, 3, LOG_HERE);
        LogOutput(text, 3, LOG_HERE);
        LogOutput("*********************************", 3, LOG_HERE);
    };
    int result = 0;
    for (size_t i = 0; i < ranges.size(); ++i) {
        auto q = FromTemplate(settings);
        q->m_cszQuestionText = textOf(ranges[i]);
        log("(((((((((( _AddParaQuestions csQ )))))))))))", q->m_cszQuestionText);
        if (bChoices) {
            if (++i >= ranges.size()) {
                LogOutput("CSourceDoc::_AutoConvert2() - failed to get choices", LOG_ERROR, LOG_HERE);
                result = 1;
                break;
            }
            const CString choices = textOf(ranges[i]);
            log("(((((((((( _AddParaQuestions csC )))))))))))", choices);
            if (!q->SetChoices(choices, settings.FirstLabel(), settings.Terminator())) {
                LogOutput(CString::Formatted("CSourceDoc::_AutoConvert2() - choices at %d refused", ranges[i].nFirst),
                          LOG_ERROR, LOG_HERE);
                result = 1;
                break;
            }
        }
        AddToDocument(doc, *q, settings);
        progress->StepIt();
        if (progress->IsCancelled())
            break;
    }
    progress->DestroyWindow();
    FinishConversion(doc);
    return result;
}

} // namespace

int CSourceDoc::_SyntaxPass(LPCSTR text, CTextRangeVector& ranges, int& start, int& end, CChoicesError& error,
                            CAQFConvertSettings* pSettings, TextRange* pTrailing)
{
    ranges.clear();
    if (pTrailing)
        pTrailing->nFirst = pTrailing->nLast = -1;
    if (!text || !*text)
        return AQF_SYNTAX_EMPTY;
    const char cLabel = pSettings ? pSettings->FirstLabel() : 'a';
    const char cTerm = pSettings ? pSettings->Terminator() : '.';
    const BOOL bLineMode = pSettings ? pSettings->LineMode() : FALSE;
    int pendingStart = -1;
    int pendingEnd = -1;
    int previousStart = 0;
    int status = AQF_SYNTAX_OK;
    LPCSTR first = nullptr;
    LPCSTR last = nullptr;
    for (LPCSTR pos = GetNextParagraph(text, &first, &last, bLineMode); first;
         pos = GetNextParagraph(pos, &first, &last, bLineMode)) {
        start = static_cast<int>(first - text);
        end = static_cast<int>(last - text);
        const CString para(std::string(first, static_cast<size_t>(end - start + 1)));
        int k = -1;
        error.Reset();
        const int found = CChoices::FindChoicesInRtf(para, &k, &error, cLabel, cTerm);
        if (found == 2) {
            status = AQF_SYNTAX_OUT_OF_SEQUENCE;
            break;
        }
        if (found == 0 || k < 0) {
            if (pendingStart < 0)
                pendingStart = start;
            pendingEnd = end;
        } else if (k == 0) {
            if (pendingStart < 0) {
                start = previousStart;
                error.Reset();
                error.SetIds(IDS_AQF_NO_QUESTION_TEXT, IDS_AQF_NO_QUESTION_EXPLAIN, IDS_AQF_NO_QUESTION_NOTE);
                error.SetRange(0, end - start + 1);
                status = AQF_SYNTAX_NO_QUESTION;
                break;
            }
            ranges.push_back({pendingStart, pendingEnd});
            ranges.push_back({start, end});
            pendingStart = pendingEnd = -1;
        } else {
            ranges.push_back({pendingStart >= 0 ? pendingStart : start, start + k - 1});
            ranges.push_back({start + k, end});
            pendingStart = pendingEnd = -1;
        }
        previousStart = start;
    }
    if (status == AQF_SYNTAX_OK && pTrailing && pendingStart >= 0)
        *pTrailing = {pendingStart, pendingEnd};
    if (pSettings)
        pSettings->m_nRangeCount = ranges.GetCount();
    return status;
}

int CSourceDoc::_SyntaxPassNoChoices(LPCSTR text, CTextRangeVector& ranges, int& start, int& end,
                                     CChoicesError& error, CAQFConvertSettings* pSettings)
{
    ranges.clear();
    error.Reset();
    if (!text || !*text)
        return AQF_SYNTAX_EMPTY;
    const BOOL bLineMode = pSettings ? pSettings->LineMode() : FALSE;
    const size_t length = std::strlen(text);
    size_t guard = 0;
    LPCSTR first = nullptr;
    LPCSTR last = nullptr;
    for (LPCSTR pos = GetNextParagraph(text, &first, &last, bLineMode); first;
         pos = GetNextParagraph(pos, &first, &last, bLineMode)) {
        if (++guard > length) {
            LogOutput("CSourceDoc::_SyntaxPassNoChoices() - too many loops - aborting", LOG_ERROR, LOG_HERE);
            break;
        }
        start = static_cast<int>(first - text);
        end = static_cast<int>(last - text);
        ranges.push_back({start, end});
    }
    if (pSettings)
        pSettings->m_nRangeCount = ranges.GetCount();
    return AQF_SYNTAX_OK;
}

int CSourceDoc::_AutoConvert2(LPCSTR text, CCorraDoc* pDoc, CAQFConvertSettings* pSettings)
{
    CAQFConvertSettings defaults;
    CAQFConvertSettings& settings = pSettings ? *pSettings : defaults;
    CTextRangeVector ranges;
    int start = 0;
    int end = 0;
    CChoicesError error;
    const int status = RunSyntaxPass(text, ranges, start, end, error, &settings);
    if (status == AQF_SYNTAX_NO_QUESTION)
        return 3;
    if (status != AQF_SYNTAX_OK && status != AQF_SYNTAX_EMPTY)
        return 1;
    if (ranges.empty())
        return AQF_CONVERT_NONE_FOUND;
    if (!pDoc)
        return 0;
    return AddQuestions(ranges, *pDoc, settings, [text](const TextRange& r) { return Span(text, r); }, false);
}

int CSourceDoc::AutoConvert2(CHVRichEditCtrl* pCtrl, CCorraDoc* pDoc, CAQFConvertSettings* pSettings)
{
    if (!pCtrl)
        return 1;
    CAQFConvertSettings defaults;
    CAQFConvertSettings& settings = pSettings ? *pSettings : defaults;
    CString text;
    pCtrl->StreamOutText(text, SF_TEXT);
    LogOutput(text, 3, LOG_HERE);
    FlushLogBuffer();
    text.TrimRight();
    if (text.IsEmpty()) {
        AfxMessageBox("Nothing to convert.");
        return 1;
    }
    CTextRangeVector ranges;
    int start = 0;
    int end = 0;
    CChoicesError error;
    TextRange trailing;
    const int status = RunSyntaxPass(text, ranges, start, end, error, &settings, &trailing);
    if (status == AQF_SYNTAX_OUT_OF_SEQUENCE || status == AQF_SYNTAX_NO_QUESTION) {
        ShowError(pCtrl, start, error);
        return 1;
    }
    if (ranges.empty())
        return AQF_CONVERT_NONE_FOUND;
    if (!pDoc) {
        if (!CheckWhatConversionDoes(text, ranges, trailing, &settings, start, error)) {
            ShowError(pCtrl, start, error);
            return 1;
        }
        return 0;
    }
    return _AddParaQuestions(pCtrl, ranges, pDoc, &settings);
}

int CSourceDoc::_AddParaQuestions(CHVRichEditCtrl* pCtrl, const CTextRangeVector& ranges, CCorraDoc* pDoc,
                                  CAQFConvertSettings* pSettings)
{
    if (!pCtrl || !pDoc)
        return 0;
    CAQFConvertSettings defaults;
    CAQFConvertSettings& settings = pSettings ? *pSettings : defaults;
    // The selection's RTF carries the fonts and formatting with the text.
    auto rtfOf = [pCtrl](const TextRange& r) {
        pCtrl->SetSel(r.nFirst, r.nLast + 1);
        CString rtf;
        pCtrl->StreamOutText(rtf, SF_RTF | SFF_SELECTION);
        return rtf;
    };
    return AddQuestions(ranges, *pDoc, settings, rtfOf, true);
}

BOOL AutoConvertText(CCorraDoc& target, const CString& text, CHVRichEditCtrl* pCtrl, CAQFConvertSettings& settings)
{
    if (pCtrl)
        return CSourceDoc::AutoConvert2(pCtrl, &target, &settings) == 0;
    return CSourceDoc::_AutoConvert2(text, &target, &settings) == 0;
}

