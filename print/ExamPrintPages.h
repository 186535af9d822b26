#pragma once
// The printing settings pages: "Exam Printing Properties" (titles, spacing, margins, the style
// a document prints in; a bank's under its own caption and labels), "Exam Print Header" and
// "Exam Print Footer". The properties page only edits the values its caller puts in and takes
// out; the header and footer pages read and write their profile sections ("ExamHdr",
// "ExamFtr") themselves, and their caller takes the confirmed values into the exam print
// settings.

#include "controls/FixedFontDialog.h"
#include "platform/core/String.h"

class CCorraDoc;
class CDataExchange;
struct CExamPrintSettings;
struct CPrintingValues;

// The print mode each style button stands for, in the buttons' order.
constexpr int PRINT_STYLE_MODES[6] = {0, 3, 4, 1, 2, 5};

class CExamPrintPropPage : public CFixedFontDialog {
public:
    // nShowHeaderFooter above 0 shows "Edit Header..." and "Edit Footer...".
    explicit CExamPrintPropPage(CWnd* pParent = nullptr, int nShowHeaderFooter = 0);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CString m_csCourseName;
    CString m_csExamTitle;
    int m_nStartNumber = 0;
    int m_nBlankLines = 0;
    int m_nChoiceLines = 0;
    int m_nSepSpaces = 0;
    int m_nIndent = 0;
    double m_dLeft = 0, m_dTop = 0, m_dRight = 0, m_dBottom = 0;
    int m_nStyle = -1;
    CString m_csCourseLabel = "Course Name";
    CString m_csTitleLabel = "Exam Title";
    BOOL m_bTabbedChoices = FALSE;
    BOOL m_bShowAnswers = FALSE;
    // What the caller passes and receives; the style buttons follow it.
    int m_nPrintMode = 0;
    CString m_csCaption = "Exam Printing Properties";

    // The enabling by the style chosen.
    void UpdateControls();

protected:
    BOOL OnInitDialog() override;
    // A point larger on a screen 1024 pixels wide.
    int ModalFontSize() const override { return m_nScreenWidth == 1024 ? 9 : 8; }

private:
    int m_nShowHeaderFooter;
};

class CExamHeaderPage : public CFixedFontDialog {
public:
    explicit CExamHeaderPage(CWnd* pParent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    static constexpr const char* kSection = "ExamHdr";

    int m_bPrintHeader = TRUE;
    CString m_csCourseName;  // the exam's TITLE1, given by the caller
    CString m_csExamTitle;   // its TITLE2
    CString m_csStudentIdPrompt;
    CString m_csStudentNamePrompt;
    int m_bUseCourseName = TRUE, m_bUseExamTitle = TRUE, m_bUseStudentName = TRUE, m_bUseStudentId = TRUE;
    int m_bUseImage = FALSE;
    CString m_csImageFile;  // relative to the program folder
    int m_nBrightness = 0;  // percent, -90..90
    int m_nImageSize = 0;   // percent of the page height, 3..30
    int m_nEveryPage = 0;   // 0 every page, 1 the first page only
    int m_nCourseNamePos = 0, m_nExamTitlePos = 3, m_nStudentNamePos = 2, m_nStudentIdPos = 5, m_nImagePos = 0;
    // The stored brightness (-255..255) as the page shows it, and back.
    static int BrightnessShown(int stored);
    static int BrightnessStored(int shown);

    void UpdateControls();
    void OnBrowse();
    void OnDefaults();

protected:
    BOOL OnInitDialog() override;
};

class CExamFooterPage : public CFixedFontDialog {
public:
    explicit CExamFooterPage(CWnd* pParent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    static constexpr const char* kSection = "ExamFtr";

    int m_bPrintFooter = TRUE;
    CString m_csFormNameFmt;
    CString m_csPageNumFmt;
    CString m_csFileNameFmt;
    int m_bShowFileName = TRUE, m_bShowFormName = TRUE, m_bShowPageNum = TRUE;
    int m_nFileNamePos = 3, m_nPageNumPos = 1, m_nFormNamePos = 5;

    void UpdateControls();
    void OnDefaults();

protected:
    BOOL OnInitDialog() override;
};

// The six places of a band's items, as the position lists show them.
extern const char* const PRINT_BAND_POSITIONS[6];

// The properties page over a document's printing values: an exam's (with "Edit Header..." and
// "Edit Footer...") or a bank's, under its own caption and labels. FALSE when cancelled.
BOOL RunPrintingPropertiesPage(CWnd* pParent, CPrintingValues& values, BOOL bExam);
// The document's own printing-properties operation, an exam's or a bank's. FALSE when cancelled.
BOOL ShowDocumentPrintingProperties(CCorraDoc& doc);
// The header or footer page (which reads and writes its own profile section); after OK the
// settings take what it stored, and the header page's titles what the user typed. FALSE when
// cancelled.
BOOL RunExamHeaderPage(CWnd* pParent, CString& title1, CString& title2, CExamPrintSettings& settings);
BOOL RunExamFooterPage(CWnd* pParent, CExamPrintSettings& settings);
