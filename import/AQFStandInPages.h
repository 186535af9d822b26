#pragma once
// Pages of the wizard that show their caption and pass on: the AutoConvert settings pages take
// the source text as it was loaded and the default settings.

#include "import/AQFPage.h"

class CAQFPassPage : public CAQFPage {
public:
    // nNext: the page Next goes to (0: none, the page finishes).
    CAQFPassPage(UINT nIDTemplate, const char* caption, UINT nNext);

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;

private:
    UINT m_nNext;
};

// The first AutoConvert page: loads the source into the sheet's buffer.
class CAQFLoadSourcePage : public CAQFPassPage {
public:
    CAQFLoadSourcePage();
    BOOL OnSetActive() override;
};
