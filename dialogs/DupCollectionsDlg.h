#pragma once
// "Collection Already Exists": collections copied into a document that has collections of the
// same names. The user adds the copies' members to the existing collections, overwrites them, or
// leaves the clashing copies out. It runs once the clash dialog of the member questions has
// settled their IDs: every member ID a copy names is mapped to the ID the question has in the
// target, and a member without one is left out.

#include "foundation/PtrListEx.h"
#include "foundation/SerialMap.h"
#include "platform/ui/Dialog.h"

class CCorraDoc;
class CCorraQuestion;

constexpr UINT IDD_DUP_COLLECTIONS = 296;
constexpr int IDC_DUPC_TITLE = 1549;
constexpr int IDC_DUPC_MESSAGE = 1550;
constexpr int IDC_DUPC_ADD = 1551;
constexpr int IDC_DUPC_OVERWRITE = 1552;
constexpr int IDC_DUPC_LEAVE_OUT = 1553;

// The choices, in the order of the radio buttons.
constexpr int DUPC_ADD_TO_EXISTING = 0;
constexpr int DUPC_OVERWRITE = 1;
constexpr int DUPC_LEAVE_OUT = 2;

class CDupCollectionsDlg : public CDialog {
public:
    // collections: the copied ones (not owned); what is not a collection is passed over.
    CDupCollectionsDlg(CCorraDoc* pTarget, const CPtrListEx& collections, CWnd* pParent = nullptr);

    // The copies whose name the target holds go into clashing, the target's collections of those
    // names into m_plExisting; the number of clashes.
    int Prepare(CCorraDoc* pTarget, const CPtrListEx& collections, CPtrListEx& clashing);
    int Prepare() { return Prepare(m_pTarget, m_plCopied, m_plClashing); }
    // The copies that will go in by the current choice: all but the clashing ones when they are
    // left out.
    void GetCollectionsToCopy(CPtrListEx& out) const;
    // Runs the choice with idMap (copied member ID to target ID); the collections added go into
    // m_plAdded, those changed into m_plChanged. The views are told.
    BOOL Apply(const CSerialMap<int, int>& idMap, CCorraQuestion* pInsertBefore = nullptr, int nInsertIndex = -1);
    // The members of a copy, mapped to the target's IDs; unmapped members are left out (logged).
    static void UpdateMappedQuestionIds(const CCorraQuestion& copy, const CSerialMap<int, int>& idMap, CDWordArray& out);

    int m_nChoice = DUPC_ADD_TO_EXISTING;
    CPtrListEx m_plAdded;
    CPtrListEx m_plChanged;
    const CPtrListEx& Clashing() const { return m_plClashing; }
    const CPtrListEx& Existing() const { return m_plExisting; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    CCorraDoc* m_pTarget;
    CPtrListEx m_plCopied;
    CPtrListEx m_plClashing;
    CPtrListEx m_plOthers;
    CPtrListEx m_plExisting;
};
