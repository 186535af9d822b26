#pragma once
// The Tip of the Day: tips from "tips.txt" in the program home, one line each, read on from
// where the last showing stopped ("Tip"/"FilePos"), from the start again when the file was
// replaced ("Tip"/"TimeStamp").

#include "platform/ui/Dialog.h"

#include <string>

class QLabel;

// The tips of one file. Lines end in CR LF or LF; a line starting with a blank, a tab or ";"
// and an empty line are not tips; a line longer than 999 characters is cut there (its rest is
// no tip of its own).
class CTipsFile {
public:
    BOOL Open(LPCSTR path);
    BOOL IsOpen() const { return m_bOpen; }
    // Goes to byte nPos; a place past the end or inside a line goes to the start of the next
    // line. FALSE when the file is not open.
    BOOL Seek(long nPos);
    long Tell() const { return static_cast<long>(m_nPos); }
    // The next tip, going round to the first one at the end; "Tool tips file (tips.txt) is
    // empty." when the file has none.
    CString Next();

private:
    // The next line from the place, without its end; FALSE at the end of the file.
    BOOL ReadLine(CString& line);

    std::string m_text;
    size_t m_nPos = 0;
    BOOL m_bOpen = FALSE;
};

class CTipDlg : public CDialog {
public:
    explicit CTipDlg(CWnd* pParent = nullptr);
    ~CTipDlg() override;

    // The tips file of the program home; FALSE when it is not there.
    static BOOL GetTipsFilePath(CString& path);
    // The start-up tip: built only when the tips file exists, shown only when its setting says.
    static void ShowAtStartup(CWnd* pParent);

    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_bStartup = 0;
    CString m_strTip;

    const CTipsFile& File() const { return m_file; }

private:
    void ReadFirstTip();
    void BuildControls();
    void OnNextTip();

    CTipsFile m_file;
    QLabel* m_pTip = nullptr;
};
