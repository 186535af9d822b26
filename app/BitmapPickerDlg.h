#pragma once
// "Quorvale Bitmaps": for each of the start screen's eleven pictures, whether it comes from a
// file of the user's and which; a test button shows one set of button pictures as chosen. The
// pages of the start screen made afterwards use the new pictures.

#include "app/BoilerPlate.h"
#include "platform/ui/Dialog.h"

class CHVBitmapButton;

class CHVBitmapPickerDlg : public CDialog {
public:
    explicit CHVBitmapPickerDlg(CWnd* pParent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    // Every box checked (bCheck) or cleared.
    void CheckAll(BOOL bCheck);
    // The test button again, for the set of the test choice (0 to 3).
    void RebuildTestButton();
    // "View/Browse..." of picture n.
    void OnBrowse(int nPicture);

    CHVBitmapButton* GetTestButton() const { return m_pTest; }
    CBitmapSettings m_settings;
    int m_nTestChoice = -1;

    // The controls of a picture: its path edit, its browse button and its check box.
    static UINT PathEditId(int nPicture);
    static UINT BrowseId(int nPicture);
    static UINT CheckId(int nPicture);

protected:
    BOOL OnInitDialog() override;
    // Each checked picture needs an existing file; the first that lacks one is shown and the
    // dialog stays open.
    void OnOK() override;

private:
    CHVBitmapButton* m_pTest = nullptr;
    QWidget* m_pTestArea = nullptr;
};
