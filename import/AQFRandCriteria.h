#pragma once
// The random criteria pages: for each question type, level, subject and textbook among the
// candidates, how many of the requested random questions must have it. The type page is the
// base; the level page takes its levels, the subject and textbook pages key their items by text.
// Each page fills one criteria map (item to required count, the rest under the "any" key) that
// the results page hands to the random selection.

#include "foundation/PtrListEx.h"
#include "foundation/SerialMap.h"
#include "import/AQFPage.h"
#include "model/Statistics.h"
#include "platform/ui/Document.h"

#include <vector>

class CListCtrl;
class CSpinButtonCtrl;
class QLineEdit;
struct NMUPDOWN;

// What tells the four pages apart.
struct CAQFCriteriaKind {
    int nDim;                 // 0 types, 1 levels, 2 subjects, 3 textbooks
    const char* title;        // the title pane
    const char* column;       // the first column's title
    UINT headingIds[4];       // plain, unique, select, one-only
    const char* radioKey;     // the radio's profile key in "AQF_RandCrit"
    const char* anyLabel;     // the "any" radio
    const char* anyLine;      // the green line of the remainder
};

class CAQFRandCriteriaPage : public CAQFPage {
public:
    // One row of either list.
    struct CRow {
        int nKey = 0;        // type id or level
        CString csKey;       // subject or textbook text
        CString name;
        CString count;
        CString percent;
    };

    CAQFRandCriteriaPage();
    ~CAQFRandCriteriaPage() override;

    // The slots the other pages fill in.
    virtual BOOL CheckAvailable(int nCount, const CRow& row);
    virtual int GetAvailableByName(const CString& key) const;
    virtual int GetAvailable(int nKey) const;
    virtual int GetItemCount() const;
    // Fills the criteria map from the rows; FALSE (said when bShow) when a count is no number of
    // 0 or more, above its item's available count, or the counts add up to more than requested.
    virtual BOOL CollectCriteria(BOOL bShow, int* pSum, int* pRemainder, int* pPercentSum, int* pLargest);
    virtual void FillRows();
    virtual void SetupColumns();
    virtual void Refresh();
    virtual void LoadSettings();
    virtual void SaveSettings();

    BOOL IsMatching() const { return m_bMatching; }
    void SetMatching(BOOL bMatching);
    const CIntIntMap& GetIntCriteria() const { return m_mIntCriteria; }
    const CStringIntMap& GetTextCriteria() const { return m_mTextCriteria; }
    BOOL HasTextKeys() const { return m_kind.nDim >= 2; }
    const CPtrListEx& GetCandidates() const { return m_Candidates; }
    const CStatistics& GetStatistics() const { return m_Stats; }
    int GetRequested() const { return m_nRequested; }
    const std::vector<CRow>& GetStatRows() const { return m_statRows; }
    const std::vector<CRow>& GetCritRows() const { return m_critRows; }
    // How often the candidates were built (for tests).
    int GetBuildCount() const { return m_nBuilds; }
    // The available count of a row's item.
    int AvailableOf(const CRow& row) const;

    // As the user does it: choose a row, type into the count box, leave it, press the spin.
    void SelectRow(int nRow);
    void TypeCount(const char* text);
    BOOL LeaveCountBox();
    BOOL Spin(int nDelta);
    // The totals line, as the timer writes it.
    void UpdateTotals();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnDestroy() override;

protected:
    explicit CAQFRandCriteriaPage(UINT nIDTemplate, const CAQFCriteriaKind& kind);

    const CAQFCriteriaKind m_kind;

private:
    void Build();
    void BuildCandidates();
    void FillLists();
    void UpdateControls();
    void OnSelectCriteria();
    void OnCountChange();
    void OnDeltaPos(NMUPDOWN* pNM);
    void SetRowCount(int nRow, int nCount);
    BOOL CheckCandidates(BOOL bShow);
    int SelectedRow() const;

    BOOL m_bMatching = FALSE;
    CStatistics m_Stats;
    CPtrListEx m_Candidates;
    int m_nSourceTotal = 0;
    int m_nRequested = 0;
    int m_nBuilds = 0;
    CIntIntMap m_mIntCriteria;
    CStringIntMap m_mTextCriteria;
    std::vector<CRow> m_statRows;
    std::vector<CRow> m_critRows;
    // What the candidates were built for.
    CDocumentRef m_CachedSource;
    CDocumentRef m_CachedTarget;
    int m_nCachedRequested = -1;
    BOOL m_bCachedUnique = FALSE;
    int m_nCachedSourceKind = -1;
    CString m_csCachedCollection;
    BOOL m_bSettingCount = FALSE;
    CString m_csLastGoodCount;

    CInfoRichEdit* m_pTitle = nullptr;
    CInfoRichEdit* m_pStatHeading = nullptr;
    CInfoRichEdit* m_pCritHeading = nullptr;
    CInfoRichEdit* m_pAnyLine = nullptr;
    CInfoRichEdit* m_pOver = nullptr;
    CInfoRichEdit* m_pTotal = nullptr;
    CListCtrl* m_pStatList = nullptr;
    CListCtrl* m_pCritList = nullptr;
    QLineEdit* m_pCount = nullptr;
    CSpinButtonCtrl* m_pSpin = nullptr;
};

class CAQFRandCriteriaLevelPage : public CAQFRandCriteriaPage {
public:
    CAQFRandCriteriaLevelPage();
};

class CAQFRandCriteriaSubjPage : public CAQFRandCriteriaPage {
public:
    CAQFRandCriteriaSubjPage();

protected:
    CAQFRandCriteriaSubjPage(UINT nIDTemplate, const CAQFCriteriaKind& kind);
};

class CAQFRandCriteriaTextbookPage : public CAQFRandCriteriaSubjPage {
public:
    CAQFRandCriteriaTextbookPage();
};

// "value x 100 / base" as "n%", empty for a base of 0.
CString PercentText(long long value, long long base);
