#pragma once
// The images placed around one question: the dialog lists them in a live miniature of the
// question's page, adds image files (importing those from outside the images folder), deletes
// and reorders them, sets each one's print brightness, size and margin, edits an image file in
// the user's paint program on a worker thread, and test prints the question with the images as
// they stand (a hidden document of its own, shown in its print preview). OK gives the images
// back: to the document, which stores them and tells its views, when the question is one of its
// own; otherwise into the question itself (the question editor's copy).

#include "controls/FixedFontDialog.h"
#include "model/ImageView.h"
#include "platform/core/ServiceSlot.h"
#include "platform/ui/Document.h"
#include "res/ids/QuestionImages.h"

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

class CBitmapWnd;
class CCorraDoc;
class CMRUPathComboBox;
class CQuestion;
class CQuestionImagesFrame;
class CSpinButtonCtrl;
struct EditPaintStruct;

// What a test print needs of the program above the dialogs: a bank document of its own whose
// window stays hidden, and that document's print preview, which must take input while the
// modal dialog is up. Until the program installs it, Test Print is disabled.
class IQuestionTestPrint {
public:
    virtual ~IQuestionTestPrint() = default;
    // A new, empty bank document with no window shown; NULL when none could be made.
    virtual CCorraDoc* NewTestDocument() = 0;
    // Lays the document's view out and opens its print preview; FALSE when it did not open.
    virtual BOOL PreviewTestDocument(CCorraDoc& doc) = 0;
};
CServiceSlot<IQuestionTestPrint>& QuestionTestPrintSlot();

class CQuestionImagesDlg : public CFixedFontDialog {
public:
    CQuestionImagesDlg(CQuestion* pQuestion, CCorraDoc* pDoc, CWnd* pParent = nullptr);
    // Stops waiting for every editor (the editors stay open) and joins the workers.
    ~CQuestionImagesDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    // The buttons and spins, as the user presses them.
    void OnBrowse();
    void OnFileChosen();
    void OnAdd();
    void OnDelete();
    void OnEdit();
    void OnSearch();
    void OnImportFiles();
    // Previews the question with the images as they stand here, stored or not.
    void OnTestPrint();
    void OnSpin(int nID, int nDelta);
    // A press in the miniature (client coordinates of the miniature).
    void OnLayoutClick(CPoint pt);

    // Lays the images out in the miniature; with a changed image tests its fit: 0 it fits,
    // 1 it fits at the adjusted size it now has, 2 it cannot fit (the message was shown).
    int UpdateImageViews(CImageView* pChanged = nullptr);
    void UpdateControls();
    // Draws the miniature: the text areas, the images, a red frame around the selected one.
    void DrawLayout(CDC* pDC);

    CImageViewList& Images() { return m_plImageViews; }
    CImageView* GetSelected() const { return m_pSelected; }
    void Select(CImageView* image);
    BOOL IsModified() const { return m_bModified; }
    // The position (0 to 4) the radios give.
    int GetPosition() const { return m_nPosition; }
    // Editors started and not yet joined.
    int GetEditorCount() const { return static_cast<int>(m_editors.size()); }
    // The document of the last test print while it is open, else NULL.
    CCorraDoc* GetTestDocument() const;

protected:
    void OnTimer(UINT_PTR nIDEvent) override;
    // The dialog's end takes its last test document (and that document's preview) with it.
    void OnDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SetImages();
    void CheckDisplay();
    void ShowItemValues();
    void Preview(const CString& path);
    void OnEndEdit(WPARAM wParam, LPARAM lParam);
    // A typed brightness, size or margin reaches the selected image.
    void OnValueTyped(int nID);
    void SetModified() { m_bModified = TRUE; }
    void CleanUpThreadData();
    void CloseTestDocuments();
    // The images as they stand here (the dialog keeps them).
    void GetImageRecords(CPtrList& records);
    // What the text areas hold, as drawn.
    CString QuestionText() const;
    CString ChoicesText() const;
    BOOL HasChoicesArea() const;

    CQuestion* m_pQuestion;
    CCorraDoc* m_pDoc;
    CImageViewList m_plImageViews;
    CImageView* m_pSelected = nullptr;
    int m_nPosition = IP_TOP;
    int m_nBrightness = 0;
    int m_nMargin = 0;
    int m_nSize = 20;
    BOOL m_bModified = FALSE;
    BOOL m_bShowingValues = FALSE;  // values put into the edits are not typed ones

    CMRUPathComboBox* m_pFiles = nullptr;
    CBitmapWnd* m_pPreview = nullptr;
    CQuestionImagesFrame* m_pFrame = nullptr;
    CSpinButtonCtrl* m_pBrightnessSpin = nullptr;
    CSpinButtonCtrl* m_pSizeSpin = nullptr;
    CSpinButtonCtrl* m_pMarginSpin = nullptr;
    // The miniature's areas, in the frame's client coordinates.
    CRect m_rcFrame;

    std::list<std::unique_ptr<EditPaintStruct>> m_editors;
    std::vector<CDocumentRef> m_testDocs;
};
