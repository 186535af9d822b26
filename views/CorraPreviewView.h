#pragma once
// The print preview of a bank's question pane and of an exam. Print in the preview hands the
// print command to the previewed view and leaves the preview open; the view then asks no
// printing properties again. The exam's preview steps from one form to the next.

#include "platform/ui/PrintPreview.h"

class CCorraView;

class CCorraPreviewView : public CPreviewView {
public:
    CCorraPreviewView();
    ~CCorraPreviewView() override;

    void OnPreviewPrint() override;
    void OnHelp();

protected:
    CCorraView* GetCorraView() const;
};

class CExamPreviewView : public CCorraPreviewView {
public:
    CExamPreviewView();

    // The next (+1) or the previous (-1) form of the exam view, shown from the first page of
    // the range.
    void OnStepForm(int nDelta);
    BOOL CanStepForm(int nDelta) const;
};

// The makers the views pass to DoPrintPreview.
CPreviewView* CreateCorraPreviewView();
CPreviewView* CreateExamPreviewView();
