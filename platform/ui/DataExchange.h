#pragma once
// Data exchange between a window's controls (by id) and its members. Loading (UpdateData(FALSE))
// puts the values into the controls; saving (UpdateData(TRUE)) reads and checks them. A field that
// does not read or is out of range shows its message, gets the focus and ends the exchange as
// failed, so the dialog stays open with what the user typed.

#include "platform/core/Collections.h"
#include "platform/ui/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control of nIDC, remembered as the one a failure focuses; NULL when there is none.
    QWidget* PrepareCtrl(int nIDC);
    // The same for an edit: a failure also selects its text.
    QWidget* PrepareEditCtrl(int nIDC);
    // Ends the exchange as failed: the last prepared control gets the focus.
    [[noreturn]] void Fail();
    // Shows message (a warning box), then fails.
    [[noreturn]] void Fail(const char* message);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    QWidget* m_pLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

// Thrown by CDataExchange::Fail and caught by UpdateData.
struct CDataExchangeFailure {};

// Text of an edit (or any control with a text).
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Numbers in an edit; a text that is not one fails with its message.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// Check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Radio group whose first button is nIDC: the index of the checked button, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Selected index of a list box or combo box, -1 for none.
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Selected text; loading selects the first item that begins with the text (case ignored); an
// editable combo box takes the text into its edit field either way.
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// The same with an exact (case-ignoring) match of the whole text.
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
// Item data of a combo box's selection: saving leaves value alone when nothing is selected;
// loading selects the first item with that data (none when no item has it).
void DDX_CBItemData(CDataExchange* pDX, int nIDC, DWORD_PTR& value);
// Multi-selection list box: the selected indexes, or the data of the selected items, in item
// order; loading selects exactly those.
void DDX_LBSelIndexes(CDataExchange* pDX, int nIDC, CUIntArray& indexes);
void DDX_LBSelItemData(CDataExchange* pDX, int nIDC, CTypedArray<DWORD_PTR>& data);
// Registers ctrl under nIDC (if it is not yet) so that the window finds it by id.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& ctrl);

// Checks run after the matching DDX_ call when saving; out of range fails with its message.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal);
// Loading limits the edit to nChars; saving refuses a longer text.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
