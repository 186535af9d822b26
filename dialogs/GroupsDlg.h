#pragma once
// The groups of a document: "Groups" lists them and edits the one selected (its description,
// numbering of its header and members, layout); "Group Questions" chooses how groups are made
// automatically; "Numbering Sequence" chooses a numbering style. The groups window is modeless,
// one per document; Close only hides it. Every edit goes straight into the group shown, which
// the window keeps by its ID, so a sort, a move or a save never finds an edit elsewhere.

#include "controls/FixedFontDialog.h"

class CCorraDoc;
class CGroup;
class CGroupListCtrl;
class CHVRichEditCtrl;
class QCheckBox;
class QLabel;
class QMenu;
class QSpinBox;
class QWidget;

constexpr UINT IDD_GROUPS = 443;
constexpr UINT IDR_GROUPS_MENU = 462;
constexpr UINT IDD_GROUP_QUESTIONS = 471;
constexpr UINT IDD_NUMBERING_SEQUENCE = 431;

constexpr int IDC_GROUPS_MOVE = 1921;
constexpr int IDC_GROUPS_HAS_HEADER = 1923;
constexpr int IDC_GROUPS_DESC_CAPTION = 1925;
constexpr int IDC_GROUPS_CREATE = 1926;
constexpr int IDC_GROUPS_DESCRIPTION = 1928;
constexpr int IDC_GROUPS_CLEAR = 1929;
constexpr int IDC_GROUPS_MEMBER_TYPE = 1934;
constexpr int IDC_GROUPS_INDENTED = 1935;
constexpr int IDC_GROUPS_TOP_MARGIN = 1944;
constexpr int IDC_GROUPS_BOTTOM_MARGIN = 1945;
constexpr int IDC_GROUPS_TOP_OF_PAGE = 1948;
constexpr int IDC_GROUPS_MEMBER_CHANGE = 1957;
constexpr int IDC_GROUPS_HEADER_CHANGE = 1958;
constexpr int IDC_GROUPS_HEADER_TYPE = 1959;
constexpr int IDC_GROUPS_FONT = 1960;
constexpr int IDC_GROUPS_LIST = 1966;
constexpr int IDC_GROUPS_NEW = 1967;
constexpr int IDC_GROUPS_REFRESH = 1968;
constexpr int IDC_GROUPS_DELETE = 1969;
// "Numbering Sequence": the styles' radio buttons (by style index: 1950 to 1954, 1956, 1955)
// and "Change all".
constexpr int IDC_NUMSEQ_FIRST = 1950;
constexpr int IDC_NUMSEQ_CHANGE_ALL = 1961;
// "Group Questions".
constexpr int IDC_GROUPQ_BY_TYPE = 1962;
constexpr int IDC_GROUPQ_BY_LEVEL = 1963;

// The numbering styles by index: "Not numbered", "Numbered", "Numbered independently",
// "Lettered (upper case)", "Lettered (lower case)", "Roman numerals (upper case)", "Roman
// numerals (lower case)".
constexpr int NUMSTYLE_COUNT = 7;
constexpr int NUMSTYLE_NONE = 0;
constexpr int NUMSTYLE_NUMBERED = 1;
const char* NumberingStyleName(int nIndex);
// Members' codes are index + 1, headers' (index + 1) x 0x100; an unknown code is "Numbered", an
// index out of range gives the first code.
int MemberStyleIndex(DWORD flags);
int HeaderStyleIndex(DWORD flags);
DWORD MemberStyleCode(int nIndex);
DWORD HeaderStyleCode(int nIndex);

class CNumberingSequenceDlg : public CFixedFontDialog {
public:
    CNumberingSequenceDlg(int nStyle, LPCSTR caption, CWnd* pParent = nullptr, BOOL bHeaders = FALSE);
    int m_nStyle;
    BOOL m_bChangeAll = FALSE;
    BOOL m_bHeaders;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // "Change all" is forced on while a header style other than "Not numbered" is chosen.
    void UpdateChangeAll();
};

class CGroupQuestionsDlg : public CFixedFontDialog {
public:
    explicit CGroupQuestionsDlg(CWnd* pParent = nullptr);
    // 0 by question type, 1 by level.
    int m_nBy = 0;
    void DoDataExchange(CDataExchange* pDX) override;
};

class CGroupsDlg2 : public CFixedFontDialog {
public:
    explicit CGroupsDlg2(CCorraDoc* pDoc, CWnd* pParent = nullptr);
    ~CGroupsDlg2() override;

    CCorraDoc* GetDocument() const { return m_pDoc; }
    CGroupListCtrl* GetList() const { return m_pList; }
    // Refills the list from the document, selects the first group when none is, recounts, and
    // shows the window.
    void ShowGroups();
    // The group whose fields the window shows; NULL none.
    CGroup* GetShownGroup() const;
    // Selects row nItem (the window shows that group and selects its questions).
    void SelectGroup(int nItem);
    // The texts "Headers: " and "Members: " with the style names.
    CString GetHeaderTypeText() const;
    CString GetMemberTypeText() const;
    BOOL IsDescriptionShown() const;
    // Sets the style of the headers (or members); refused (said) when headers and members
    // would both be numbered. With bChangeAll every group takes it.
    BOOL SetNumberingStyle(BOOL bHeaders, int nIndex, BOOL bChangeAll);
    // The window's fonts follow the document's.
    void ResetDescriptionFont();

    // Commands of the buttons and the menu.
    void OnNewGroup();
    void OnRenameGroup();
    void OnDeleteGroup();
    void OnDeleteAll();
    void OnCreateGroups();
    void OnAddSelectedQuestions();
    void OnCreateDefaultGroup();
    void OnToggleDescription();
    void OnRefreshView();
    void OnChangeStyle(BOOL bHeaders);
    void OnFont();
    void OnClose();
    // The spin: the selected group one place up (-1) or down (+1).
    BOOL MoveSelected(int nDelta);
    // The menu (462) as it is shown: each item enabled and checked by the window's state.
    QMenu* GetMenu() const { return m_pMenu; }
    void UpdateMenu();

    void OnCancel() override { OnClose(); }
    void OnOK() override {}

private:
    // The shown group takes the window's fields.
    void WriteBack();
    // The window's fields from the shown group.
    void LoadShown();
    void RefreshTexts();
    void StoreOrder();
    void ShowDescriptionPane(BOOL bShow);
    void OnSelectionChanged();
    // The document's questions that are not collections.
    int QuestionCount() const;
    // Runs a command; an exception is logged and said with the command's message.
    template <typename F>
    void Guard(LPCSTR failure, F&& f);

    CCorraDoc* m_pDoc;
    CGroupListCtrl* m_pList = nullptr;
    CHVRichEditCtrl* m_pDescription = nullptr;
    QWidget* m_pDescriptionPane = nullptr;
    QCheckBox* m_pHasHeader = nullptr;
    QCheckBox* m_pIndented = nullptr;
    QCheckBox* m_pTopOfPage = nullptr;
    QSpinBox* m_pTopMargin = nullptr;
    QSpinBox* m_pBottomMargin = nullptr;
    QLabel* m_pHeaderType = nullptr;
    QLabel* m_pMemberType = nullptr;
    QMenu* m_pMenu = nullptr;

    // The shown group by ID (0 none) and the window's copy of its fields.
    int m_nShownId = 0;
    int m_nMemberStyle = NUMSTYLE_NUMBERED;
    int m_nHeaderStyle = NUMSTYLE_NONE;
    BOOL m_bLoading = FALSE;
    BOOL m_bRegrouped = FALSE;
    BOOL m_bSelectedMembers = FALSE;
};
