#pragma once
// The font chooser as the program uses it: a caption of the caller's, the program's symbol faces
// refused, the face's character set and pitch remembered; and a LOGFONT kept in a profile section
// as separate keys.

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CDC;
class CWnd;

// Screen fonts and effects.
constexpr DWORD FONTDLG_FLAGS = 257;

class CFontDlg {
public:
    CFontDlg(LPCSTR pszCaption = nullptr, const LOGFONT* plf = nullptr, CDC* pPrinterDC = nullptr,
             CWnd* pParent = nullptr);
    // IDOK with the choice in m_lf, IDCANCEL. A face longer than a LOGFONT holds is refused.
    int DoModal();

    CString m_csCaption;
    LOGFONT m_lf{};
    DWORD m_dwFlags = FONTDLG_FLAGS;

private:
    CWnd* m_pParent;
};

// "Height" -13, "Weight" 400, "Italic", "Underline", "StrikeOut", "CharSet" 0, "OutPrecision" 3,
// "ClipPrecision" 2, "Quality" 1, "PitchAndFamily" 49, "FaceName" "Arial".
void ReadProfileLogFont(LPCSTR section, LOGFONT& lf);
void WriteProfileLogFont(LPCSTR section, const LOGFONT& lf);
