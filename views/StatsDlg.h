#pragma once
// "Statistics": counts over a sample of questions (all of a document, the selected ones, or the
// members of the collections chosen in the list) by type, level, index, index frequency,
// subject, textbook and answer, each in a list sortable by any column.

#include "foundation/PtrListEx.h"
#include "platform/core/Collections.h"
#include "platform/ui/Dialog.h"

#include <memory>
#include <vector>

class CCollListCtrl;
class CListCtrl;

class CStatsDlg : public CDialog {
public:
    explicit CStatsDlg(CWnd* pParent = nullptr);
    ~CStatsDlg() override;

    enum { SAMPLE_ALL, SAMPLE_SELECTED, SAMPLE_COLLECTIONS };

    // all: every question of the document (collections among them), not owned; selected and
    // collections (names chosen before) may be NULL.
    void SetQuestions(const CPtrList& all, const CPtrList* selected, const CStringArray* collections);

    BOOL OnInitDialog() override;
    void OnDestroy() override;

    // Counts the sample and fills the caption and the seven lists.
    void Init(const CPtrList& sample);
    // A radio of the sample group was clicked.
    void OnSampleChanged();
    // The collections chosen in the list changed.
    void OnCollectionClick();
    // A header click of a report list (nCol counted from 0).
    void OnColumnClick(int nListId, int nCol);

    CCollListCtrl* GetCollectionList() const { return m_pCollections; }
    int GetSampleMode() const { return m_nSampleMode; }

    struct CRow {
        std::vector<CString> texts;
    };

private:
    struct CReport;
    CReport* Report(int nListId);
    void Fill(CReport& report, std::vector<std::unique_ptr<CRow>> rows);
    void FreeRows();
    void UpdateControls();
    void SelectCollections(const CStringArray& names);

    CCollListCtrl* m_pCollections = nullptr;
    std::vector<std::unique_ptr<CReport>> m_reports;

    int m_nSampleMode = SAMPLE_ALL;
    CPtrListEx m_lAll;       // not owning
    CPtrListEx m_lSelected;  // not owning
    int m_nSelected = 0;
    int m_nQuestions = 0;
    int m_nCollections = 0;
    int m_nIndexes = 0;
    int m_nZeroIndexes = 0;
    CStringArray m_saSelectedBefore;
    CStringArray m_saChosen;
};
