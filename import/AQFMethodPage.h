#pragma once
// "Choose Method": add the source's questions by hand beside the target, all at once, or a number
// of them at random. Shows what is copied from where and how many questions there are, and
// checks the random count before the criteria pages.

#include "foundation/SerialMap.h"
#include "import/AQFPage.h"

class QLineEdit;

class CAQFChooseMethodPage : public CAQFPage {
public:
    CAQFChooseMethodPage();
    ~CAQFChooseMethodPage() override;

    int GetMethod() const { return m_nMethod; }
    void SetMethod(int nMethod);
    BOOL IsUnique() const { return m_bUnique; }
    void SetUnique(BOOL bUnique);
    int GetRequested() const { return m_nRequested; }
    // What the count box holds.
    CString GetCountText() const { return m_csCount; }
    void TypeCount(const char* text);

    int GetAvailable() const { return m_nAvailable; }
    int GetUniqueIndices() const { return m_nUniqueIndices; }
    int GetZeroIndices() const { return m_nZeroIndices; }
    // The checks before Next and Finish; each failure says why.
    BOOL Validate();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;

private:
    void Count();
    void Refresh();

    int m_nMethod = AQF_METHOD_MANUAL;
    BOOL m_bUnique = FALSE;
    CString m_csCount = "0";
    int m_nRequested = 0;
    int m_nAvailable = 0;
    int m_nUniqueIndices = 0;
    int m_nZeroIndices = 0;
    int m_nLastTargetKind = -1;
    BOOL m_bSettingCount = FALSE;
    CStringIntMap m_checkedSources;
    QLineEdit* m_pCount = nullptr;
    CInfoRichEdit* m_pFrom = nullptr;
    CInfoRichEdit* m_pCollection = nullptr;
    CInfoRichEdit* m_pCounts = nullptr;
    CInfoRichEdit* m_pTo = nullptr;
};
