#pragma once
// Chooses one picture file: a recent list of the files chosen before, the file dialog, and a
// preview of the picture.

#include "platform/ui/Dialog.h"

class CBitmapWnd;
class CMRUPathComboBox;

// The file dialog's filters, in the order "LastType" counts them from 1.
constexpr const char* BITMAP_FILE_FILTERS =
    "Bitmap Files (*.bmp);;Tiff Files (*.tif *.tiff);;Gif Files (*.gif);;Jpeg Files (*.jpg *.jpeg);;Png Files (*.png)";
constexpr int BITMAP_FILTER_COUNT = 5;
// The filter (1 to 5) of a file's extension; 0 when none has it.
int BitmapFilterOfPath(LPCSTR path);

class CBitmapPathDlg : public CDialog {
public:
    // caption: the window's caption and the text over the list; path: the file to start with.
    CBitmapPathDlg(LPCSTR caption, LPCSTR path, CWnd* pParent = nullptr);

    // The file dialog, in the folder of the file in the list.
    void OnBrowse();
    // Shows the picture of a file; FALSE (the user told) when it cannot be read.
    BOOL Preview(LPCSTR path);

    CMRUPathComboBox* GetCombo() const { return m_pCombo; }
    CBitmapWnd* GetPreview() const { return m_pPreview; }
    CString m_csCaption;
    CString m_csPath;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void OnSelChange();

    CMRUPathComboBox* m_pCombo = nullptr;
    CBitmapWnd* m_pPreview = nullptr;
};
