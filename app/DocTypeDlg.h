#pragma once
// The document-type chooser of File New and File Open: the File New names of the templates
// offered, one to pick.

#include "platform/ui/Dialog.h"

#include <vector>

class CDocTemplate;
class CListBox;

class CDocTypeDlg : public CDialog {
public:
    CDocTypeDlg(const std::vector<CDocTemplate*>& templates, LPCSTR lpszTitle, CWnd* pParent = nullptr);

    // The template chosen; NULL when there was none to offer or the user cancelled. A single
    // template is chosen without showing the dialog.
    CDocTemplate* Choose();

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The templates offered (those with a File New name), in the list's order.
    const std::vector<CDocTemplate*>& Offered() const { return m_offered; }
    CDocTemplate* m_pSelected = nullptr;

private:
    std::vector<CDocTemplate*> m_offered;
    CListBox* m_pList = nullptr;
};
