#pragma once
// "Results": the random draw by the criteria of the four pages before it, and a table per type,
// level, subject and textbook of how many questions were available, required, found and missing.
// The table goes into the wizard's report file too; the questions drawn are what Finish hands
// over.

#include "foundation/SerialMap.h"
#include "import/AQFPage.h"
#include "model/QuestSelect.h"
#include "platform/ui/Document.h"

#include <vector>

class CListCtrl;

class CAQFShowRandResults : public CAQFPage {
public:
    enum { rowHeading = 0, rowItem = 1, rowBlank = 2 };
    struct CResultRow {
        int nKind = rowItem;
        CString texts[9];  // item, available, %, required, %, found, %, missing, %
    };

    CAQFShowRandResults();
    ~CAQFShowRandResults() override;

    // Draws and shows the result (also what "Apply Again" does); FALSE when an error stopped it.
    BOOL ApplyAgain();
    const CQuestSelect& GetSelection() const { return m_Select; }
    const std::vector<CResultRow>& GetRows() const { return m_rows; }
    int GetRunCount() const { return m_nRuns; }
    CListCtrl* GetList() const { return m_pList; }

    // The tab characters after an item text of length n, so that counts line up in columns of
    // eight for the widest item w.
    static CString TabPad(int n, int w);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnWizardFinish() override;

private:
    // What a draw depends on: another draw is made when any of it differs.
    struct CInputs {
        int nRequested = -1;
        BOOL bUnique = FALSE;
        std::vector<void*> candidates;
        CDocumentRef target;
        CIntIntMap types;
        CIntIntMap levels;
        CStringIntMap subjects;
        CStringIntMap textbooks;
        BOOL operator==(const CInputs& other) const;
    };
    CInputs CurrentInputs() const;
    void Run();
    void BuildRows();
    void FillListAndReport();

    CQuestSelect m_Select;
    std::vector<CResultRow> m_rows;
    CInputs m_lastInputs;
    BOOL m_bRan = FALSE;
    int m_nRuns = 0;
    CListCtrl* m_pList = nullptr;
    CInfoRichEdit* m_pTitle = nullptr;
    CInfoRichEdit* m_pAvailable = nullptr;
    CInfoRichEdit* m_pMet = nullptr;
};
