#pragma once
// What every page of the Add Question Wizard shares: the information pane at its top, the way
// back along the pages the user left by Next, and the wizard's report file "AQFLog.txt".

#include "platform/ui/PropertySheet.h"
#include "res/ids/Wizard.h"

#include <cstdio>

class CAddQuestFromSheet;
class CInfoRichEdit;
class QVBoxLayout;

// Where the questions go (the target kind page).
constexpr int AQF_TO_CORRA = 1;
constexpr int AQF_TO_EXAM = 2;
constexpr int AQF_TO_COLLECTION = 3;
// Where they come from (the source kind page).
constexpr int AQF_FROM_AUTOCONVERT = 0;
constexpr int AQF_FROM_CORRA = 1;
constexpr int AQF_FROM_EXAM = 2;
constexpr int AQF_FROM_COLLECTION = 3;
constexpr int AQF_FROM_COMPOSE = 4;
// How (the method page).
constexpr int AQF_METHOD_MANUAL = 0;
constexpr int AQF_METHOD_ALL = 1;
constexpr int AQF_METHOD_RANDOM = 2;

// The colour of the information panes' text, and of paths and names within it.
constexpr COLORREF AQF_INFO_COLOR = 0x742A1C;
constexpr COLORREF AQF_BLUE = 0xFF0000;

class CAQFPage : public CPropertyPage {
public:
    CAQFPage(UINT nIDTemplate, const char* caption, UINT nInfoId);

    CAddQuestFromSheet* Sheet() const;
    // Back: the page the user left last by Next (the previous page in order when there is none).
    LRESULT OnWizardBack() override;

protected:
    BOOL OnInitDialog() override;
    // The page's layout, the information pane already at its top.
    QVBoxLayout* PageLayout() const { return m_pLayout; }
    void SetButtons(DWORD dwFlags);
    // A read-only pane of nHeight pixels registered under nID (not yet in a layout).
    CInfoRichEdit* MakePane(int nID, int nHeight);
    // Records this page as left by Next.
    void PushThisPage();
    // A message in the program's message box titled "Message".
    static void ShowMessage(const CString& text, const CString& more = CString(), const CString& last = CString());

    CInfoRichEdit* m_pInfo = nullptr;
    UINT m_nInfoId;

private:
    QVBoxLayout* m_pLayout = nullptr;
};

// A count typed by the user: digits only; -1 for anything else, INT_MAX for more than a number
// holds.
int ParseAQFCount(const CString& text);

// The wizard's report file in the program's folder.
CString GetAQFLogPath();
// Empties it.
void ResetAQFLog();
// Opened for appending; NULL when it cannot be.
FILE* OpenAQFLog();
void CloseAQFLog(FILE* pFile);
// Shows it in the text viewer; "Failed to view log file." when that cannot be done.
void ViewAQFLog();
