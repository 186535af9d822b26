#pragma once
// "Image Link Status...": the link sheet over the image files of a document's questions. Its
// only fix page lists the images that are gone; one found again by name or picked in the file
// chooser takes the place of the lost file in every question that showed it.

#include "dialogs/LinkSheet.h"
#include "model/DocumentDialogs.h"

class CILSNoFindPage : public CELSNoFindPage {
public:
    CILSNoFindPage();

    BOOL OnInitDialog() override;
    BOOL OnWizardFinish() override;
    void BuildList() override;
    BOOL Relink(const CString& name, const CString& folder, const CString& newPath) override;
    void InitColumns() override;
    void FillList() override;

    // The (missing path, new path) pairs applied, in order.
    CImageRelinks m_relinked;
};

class CILSSheet : public CELSSheet {
public:
    explicit CILSSheet(const char* caption = "Image Link Status...", CWnd* pParent = nullptr);
    ~CILSSheet() override;

    void AddPages() override;
    void CheckLinks(CCorraDoc* doc) override;

    CILSNoFindPage m_imagePage;
};

// The questions of the document that show at least one image file that is not there; TRUE when
// there is none.
BOOL FindMissingImageQuestions(CCorraDoc& doc, CPtrListEx* out);
// The image link check over a document: no sheet when no image is missing; with showMessages
// it says how the check ended. relinked (when given) gets the pairs applied. FALSE when the
// sheet was shown and not finished.
BOOL RunImageLinkSheet(CCorraDoc& doc, BOOL showMessages, CImageRelinks* relinked, CWnd* pParent = nullptr);
