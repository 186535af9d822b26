#pragma once
// The view of a source document: the teacher's text in an editable rich-edit control, from
// which words become the file's title or description and AutoConvert starts.

#include "platform/core/String.h"
#include "platform/ui/View.h"
#include "res/ids/SourceView.h"

class CHVRichEditCtrl;
class CSourceDoc;
class QPushButton;

class CSourceView : public CView {
public:
    CSourceView();

    CSourceDoc* GetSourceDoc() const;
    CHVRichEditCtrl* GetEditCtrl() const { return m_pEdit; }

    // Shows the document's text, plain or RTF, with nothing to undo and the control editable.
    void OnInitialUpdate() override;
    void OnUpdate(CView*, LPARAM, CObject*) override {}
    // The control's text as RTF; its length + 1 in nLength. 0 without a control.
    int GetEditText(CString& out, int& nLength) const;

    // "Make &Title" (bTitle) and "M&ake Description": the selected words, asked for, are added
    // to the document's field and taken out of the text.
    void MakeField(BOOL bTitle);
    // "Properties...": the Source File Properties dialog.
    void OnProperties();
    // The context menu at a screen point (owned by the frame); the caller may close it.
    class QMenu* ShowContextMenu(const QPoint& screen);

    // The size the form is laid out for.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Layout();
    // A frame in its normal state takes the form's size, as far as the main window has room.
    void FitParentFrame();
    BOOL HasSelection() const;
    BOOL m_bShowing = FALSE;  // the text being put in: no edit of the teacher's

    CHVRichEditCtrl* m_pEdit = nullptr;
    QPushButton* m_pButtons[3] = {};
    int m_nFlag = 1;
    CString m_csName = "SourceDoc";
};
