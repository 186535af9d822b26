#pragma once
// The "Status" dialog: a message, a drawn progress bar with its percentage, Cancel and up to two
// buttons of the caller's. Long work on the user-interface thread drives it directly and it pumps
// the event loop as it advances; work on another thread calls SetText, StepIt and SetTitle, which
// only post to the dialog (texts are copied into the posted call, so the caller's buffer may go
// at once). While it is shown the dialog is application-modal: the pumping lets the program
// repaint and answer the dialog, but no other window takes input, so nothing can close or save
// the document the work is reading or writing.
//
// Also here: the arithmetic of the bar and the message-pump run loop.

#include "controls/FixedFontDialog.h"
#include "res/ids/ProgressDlg.h"

#include <atomic>
#include <mutex>

class CInfoRichEdit;
class CDC;
class QPushButton;

// Range, position and steps of a bar; fractional steps add up and move the bar by one step each
// time they reach a whole one.
class CProgressMeter {
public:
    CProgressMeter(int nRange = 100, int nPos = 0, int nStep = 1) : m_nRange(nRange), m_nPos(nPos), m_nStep(nStep) {}

    // Adds one (fractional) step; TRUE when the position is to move by m_nStep.
    BOOL Advance();
    // Position over range, 1.0 for a range of 0; kept within 0..1.
    double Fraction() const;
    int Percent() const { return Share(100); }
    // The part of a bar of nWidth pixels that shows as done.
    int FilledWidth(int nWidth) const { return Share(nWidth); }
    // The fraction of nWhole, truncated, in whole numbers: through a double, 29 of 100 would
    // come out as 28.
    int Share(int nWhole) const;
    BOOL IsBeyondRange() const { return m_nPos > m_nRange; }

    int m_nRange;
    int m_nPos;
    int m_nStep;
    double m_dFracStep = 0.0;
    double m_dFracAccum = 0.0;
};

// Colours of the bar's done and remaining parts.
constexpr COLORREF PROGRESS_DONE_COLOR = 0xAE402B;
constexpr COLORREF PROGRESS_TODO_COLOR = 0xFFEBEA;

class COldProgressDlg : public CFixedFontDialog {
public:
    // NULL texts take "Please wait" and "Processing...".
    COldProgressDlg(LPCSTR lpszTitle = nullptr, LPCSTR lpszText = nullptr, int nRange = 100, int nPos = 0,
                    int nStep = 1, CWnd* pParent = nullptr);
    ~COldProgressDlg() override;

    // Creates and shows the dialog modeless (application-modal while it is shown).
    virtual BOOL Create(CWnd* pParent = nullptr);
    using CFixedFontDialog::Create;
    // One step; from another thread it is posted.
    virtual void StepIt();
    // The message; from another thread a copy is posted.
    virtual void SetText(LPCSTR lpszText);
    virtual CString GetText() const;
    // The caption; from another thread a copy is posted.
    virtual void SetTitle(LPCSTR lpszTitle);
    virtual CString GetTitle() const;

    // Moves the bar, repaints it at once and lets pending events run: any handler (Cancel, a
    // menu command) may run inside, so callers check IsCancelled afterwards. From another
    // thread it is posted.
    void SetPos(int nPos);
    int GetPos() const { return m_meter.m_nPos; }
    void SetRange(int nRange);
    int GetRange() const { return m_meter.m_nRange; }
    void SetStep(int nStep) { m_meter.m_nStep = nStep; }
    int GetStep() const { return m_meter.m_nStep; }
    // A positive value makes each StepIt count that much of a step.
    void SetFractionalStep(double dStep);
    double GetFractionalStep() const { return m_meter.m_dFracStep; }
    // The percentage as shown over the bar.
    CString GetPercentText() const;

    // Set by Cancel; safe to read from any thread.
    BOOL IsCancelled() const { return m_bCancel.load(); }
    // An optional button (nIndex 0: 1981, 1: 2097): shown with its caption when that is not
    // empty; pressing it makes nResult the result chosen. Set before Create.
    void SetButton(int nIndex, LPCSTR lpszCaption, int nResult);
    int GetResultChosen() const { return m_nResultChosen; }

    // Runs every pending event of this thread (no idle processing).
    static void PumpMessages();

    // Draws the bar into rc of pDC (the bar control's paint).
    void DrawBar(CDC* pDC, const RECT& rc) const;

    CString m_csOwnerText;  // kept for the owner

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowMessage();
    void PostTextCopy(UINT message, LPCSTR lpszText);
    void OnOptionalButton(int nIndex);

    CInfoRichEdit* m_pInfo = nullptr;
    QWidget* m_pBar = nullptr;
    QPushButton* m_pButtons[2] = {nullptr, nullptr};
    mutable std::mutex m_textMutex;  // the texts are read from other threads
    CString m_csText;
    CString m_csTitle;
    CProgressMeter m_meter;
    std::atomic<BOOL> m_bCancel{FALSE};
    CString m_csButton[2];
    int m_nButtonResult[2] = {0, 0};
    int m_nResultChosen = 0;
};

// A loop on the user-interface thread that calls Step again and again and lets pending events
// run between steps, until the stop flag is set (by a step or by a handler that ran meanwhile).
class CMessagePumpLoop {
public:
    virtual ~CMessagePumpLoop() = default;
    // Clears the stop flag, loops, and returns Finish().
    int Run();

    virtual void Step() = 0;
    virtual int Finish() { return 0; }

    BOOL m_bStop = FALSE;
};
