#pragma once
// "Choose Attributes for Auto Convert": the type, level, index, subjects and textbooks every
// converted question gets, in the controls of the question editor.

#include "dialogs/QuestionDlg.h"
#include "platform/core/ServiceSlot.h"

class CACAttrDlg : public CQuestionDlg {
public:
    explicit CACAttrDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The question has no text, choices or answer here: nothing of them is shown.
    void ShowControlsForType(int nOldType, int nNewType) override {}
};

// The offer of the maker's help with a source that will not convert ("Having trouble?"); the
// application puts its own in. Declines until then.
class IConversionSupport {
public:
    virtual ~IConversionSupport() = default;
    virtual BOOL Offer(LPCSTR fileName) = 0;
};
CServiceSlot<IConversionSupport>& ConversionSupportSlot();
